// Utilidades para probar el programa entero desde un archivo de modelo: cargar
// un texto, analizarlo, buscar nudos y barras por su número de usuario y
// trabajar en un directorio temporal.
#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "utilidades.h"

using Lineas = std::vector<std::string>;

inline Lineas operator+(Lineas a, const Lineas& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Los once avisos de un archivo sin ninguna etiqueta de dibujo, en su orden.
inline Lineas avisosDeAjustes() {
    Lineas l{"Advertencia: no se encontró ningún entero con etiqueta precision:"};
    for (const char* e : {"escalaTexto:", "escalaDeflexion:", "escalaMy:", "escalaMz:", "escalaVy:", "escalaVz:",
                          "escalaN:", "escalaT:", "escalaApoyo:", "escalaCarga:"})
        l.push_back(std::string("Advertencia: no se encontró ningún real con etiqueta ") + e);
    return l;
}

// Carga el modelo escrito en el texto y devuelve las líneas de la consola.
inline std::vector<std::string> cargarModelo(const std::string& modelo) {
    ArchivoTemporal archivo(modelo);
    nombreArchivo = archivo.ruta();
    CapturaConsola consola;
    funcionLeerArchivo();
    return consola.lineas();
}

// Carga y analiza el modelo sin mostrar la consola; verdadero si el análisis fue correcto.
inline bool analizarModelo(const std::string& modelo) {
    cargarModelo(modelo);
    CapturaConsola consola;
    return funcionSolve();
}

inline objNudo3d& nudoUsuario(int numero) {
    const int i = internoDeNudo(numero);
    EXPECT_GE(i, 0) << "nudo " << numero;
    return nudo.at(static_cast<size_t>(i < 0 ? 0 : i));
}

inline objBarra3d& barraUsuario(int numero) {
    const int i = internoDeBarra(numero);
    EXPECT_GE(i, 0) << "barra " << numero;
    return barra.at(static_cast<size_t>(i < 0 ? 0 : i));
}

// Desplazamientos (fila 0 a 5: Ux Uy Uz Rx Ry Rz) y reacciones de un nudo.
inline Eigen::Matrix<double, 6, 1> desplazamientosDe(int numero, int c = 0) {
    const objNudo3d& n = nudoUsuario(numero);
    Eigen::Matrix<double, 6, 1> d;
    d << n.getDesplazamientoX(c), n.getDesplazamientoY(c), n.getDesplazamientoZ(c), n.getGiroX(c),
        n.getGiroY(c), n.getGiroZ(c);
    return d;
}

inline Eigen::Matrix<double, 6, 1> reaccionesDe(int numero, int c = 0) {
    const objNudo3d& n = nudoUsuario(numero);
    Eigen::Matrix<double, 6, 1> r;
    r << n.getReaccionRx(c), n.getReaccionRy(c), n.getReaccionRz(c), n.getReaccionMx(c), n.getReaccionMy(c),
        n.getReaccionMz(c);
    return r;
}

// Directorio temporal que pasa a ser el de trabajo mientras vive.
class DirectorioTemporal {
public:
    DirectorioTemporal() : anterior_(std::filesystem::current_path()) {
        char plantilla[] = "/tmp/vantra3d_dirXXXXXX";
        ruta_ = mkdtemp(plantilla) ? plantilla : "";
        std::filesystem::current_path(ruta_);
    }
    ~DirectorioTemporal() {
        std::error_code e;
        std::filesystem::current_path(anterior_, e);
        std::filesystem::remove_all(ruta_, e);
    }
    const std::string& ruta() const { return ruta_; }

private:
    std::filesystem::path anterior_;
    std::string ruta_;
};
