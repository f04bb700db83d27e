// Lector del archivo de modelo por etiquetas. El archivo es una secuencia de
// palabras separadas por blancos; una etiqueta es una palabra que termina en dos
// puntos y sus valores son las palabras que la siguen.
//
// El archivo se lee y se divide en palabras una sola vez; cada operación recorre
// las palabras en memoria. Si el archivo cambia en disco (tamaño o fecha de
// modificación) la siguiente operación lo vuelve a leer, de modo que cada
// operación da lo mismo que una lectura nueva del archivo.
#pragma once

#include <Eigen/Dense>
#include <ctime>
#include <string>
#include <unordered_map>
#include <sys/types.h>
#include <vector>

class claseLeerArchivo {
public:
    claseLeerArchivo() = default;
    ~claseLeerArchivo() = default;

    void setNombreArchivo(std::string nombre);
    // Verdadero cuando el archivo puede abrirse para lectura.
    bool archivoDisponible();

    int getEntero(std::string etiqueta);
    double getReal(std::string etiqueta);
    bool esNumero(const std::string& texto) const;
    Eigen::MatrixXd getMatriz(std::string etiqueta, int columnas);
    int getNoEtiquetas(std::string etiqueta);
    std::string getString(std::string etiqueta, int n);
    // Las palabras distintas del archivo que terminan en ":" (las que podrían
    // ser etiquetas), en el orden de su primera aparición.
    std::vector<std::string> palabrasDeEtiqueta();
    // La palabra k-ésima (desde 0) que sigue a la n-ésima aparición de la etiqueta, o vacía.
    std::string getPalabra(const std::string& etiqueta, int n, int k);
    std::vector<double> getMatrizEtiquetaRepetida(std::string etiqueta, int n, int saltar);
    // Las palabras que siguen a la n-ésima aparición de la etiqueta en su
    // misma línea, hasta la próxima etiqueta (una lista de nombres: lo que
    // sigue en otras líneas es comentario).
    std::vector<std::string> getPalabrasDeLinea(const std::string& etiqueta, int n);
    // Las mismas palabras que getMatrizEtiquetaRepetida convierte, como texto
    // (para los avisos que citan el valor escrito).
    std::vector<std::string> getPalabrasEtiquetaRepetida(std::string etiqueta, int n, int saltar);
    // La primera palabra de la línea que sigue a la de la n-ésima aparición
    // de la etiqueta, si esa línea termina sin otra etiqueta (vacía si no):
    // lo que un registro de una sola línea deja fuera de él.
    std::string getPrimeraDeLineaSiguiente(const std::string& etiqueta, int n);

    // Conversión con control: una palabra sin número (una e, un signo o un punto
    // sueltos, una palabra), con algo pegado detrás del número (17-18, 0.05.5,
    // 0.2e), con una coma (0,5) o fuera del rango de su tipo vale 0 y se avisa
    // con un error que nombra la etiqueta y, si registro > 0, el registro.
    // convertirEntero acepta un entero escrito como real (2.0, 1e3), no 2.5.
    double convertirReal(const std::string& texto, const std::string& etiqueta, int registro = 0) const;
    int convertirEntero(const std::string& texto, const std::string& etiqueta, int registro = 0) const;
    // Lo mismo, diciendo si el valor se pudo leer (falso: ya se avisó).
    bool leerReal(const std::string& texto, const std::string& etiqueta, int registro, double& v) const;
    bool leerEntero(const std::string& texto, const std::string& etiqueta, int registro, int& n) const;

private:
    std::string archivo;
    std::vector<std::string> palabras;
    bool leido = false;
    bool abierto = false;
    off_t tamano = -1;
    struct timespec modificado {};
    // Posiciones de cada etiqueta del archivo (anotadas al dividirlo en
    // palabras), para llegar a la n-ésima aparición sin recorrerlo.
    std::unordered_map<std::string, std::vector<size_t>> apariciones;
    // Índices de las palabras que empiezan una línea, en orden.
    std::vector<size_t> primerasDeLinea;

    const std::vector<std::string>& tokens();
    // Índice de la palabra que sigue a la n-ésima aparición de la etiqueta, o -1.
    long posicionTrasEtiqueta(const std::string& etiqueta, int n);
    const std::vector<size_t>& aparicionesDe(const std::string& etiqueta);
};
