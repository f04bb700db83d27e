// Utilidades de las pruebas: archivos y directorios temporales, captura de la
// consola, carga y análisis de un modelo escrito en texto con sus mensajes, su
// reporte y su equilibrio, resultados por número de usuario, un voladizo
// subdividido, barras sueltas, datos al azar reproducibles y comparación con
// tolerancia.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "analisis/funcionSolve.h"
#include "diagnosticos.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "analisis/equilibrio.h"
#include "reporte/funcionPrint.h"

using Lineas = std::vector<std::string>;
using Vec6 = Eigen::Matrix<double, 6, 1>;

inline Lineas operator+(Lineas a, const Lineas& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline Lineas lineasDe(const std::string& texto) {
    Lineas l;
    std::istringstream s(texto);
    for (std::string linea; std::getline(s, linea);) l.push_back(linea);
    return l;
}

inline std::string leerArchivo(const std::string& ruta) {
    std::ifstream f(ruta);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Archivos de una carpeta, ordenados; con extension no vacía, sólo los que terminan así.
inline Lineas archivosDe(const std::string& carpeta, const std::string& extension = "") {
    Lineas r;
    for (const auto& e : std::filesystem::directory_iterator(carpeta))
        if (extension.empty() || e.path().extension() == extension) r.push_back(e.path().string());
    std::sort(r.begin(), r.end());
    return r;
}

// Archivo temporal con el contenido dado; se borra al salir de alcance.
class ArchivoTemporal {
public:
    explicit ArchivoTemporal(const std::string& contenido) {
        char plantilla[] = "/tmp/vantra3d_pruebaXXXXXX";
        const int fd = mkstemp(plantilla);
        if (fd >= 0) close(fd);
        ruta_ = plantilla;
        escribir(contenido);
    }
    ~ArchivoTemporal() { std::remove(ruta_.c_str()); }
    void escribir(const std::string& contenido) const { std::ofstream(ruta_, std::ios::trunc) << contenido; }
    const std::string& ruta() const { return ruta_; }

private:
    std::string ruta_;
};

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

private:
    std::filesystem::path anterior_;
    std::string ruta_;
};

// Captura lo que se escribe en std::cout mientras vive.
class CapturaConsola {
public:
    CapturaConsola() : anterior_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CapturaConsola() { std::cout.rdbuf(anterior_); }
    std::string texto() const { return buffer_.str(); }
    Lineas lineas() const { return lineasDe(buffer_.str()); }

private:
    std::ostringstream buffer_;
    std::streambuf* anterior_;
};

// Los once avisos de un archivo sin ninguna etiqueta de dibujo, en su orden.
inline Lineas avisosDeAjustes() {
    Lineas l{"Advertencia: no se encontró ningún entero con etiqueta precision:"};
    for (const char* e : {"escalaTexto:", "escalaDeflexion:", "escalaMy:", "escalaMz:", "escalaVy:", "escalaVz:",
                          "escalaN:", "escalaT:", "escalaApoyo:", "escalaCarga:"})
        l.push_back(std::string("Advertencia: no se encontró ningún real con etiqueta ") + e);
    return l;
}

// Carga el archivo y devuelve los mensajes de la carga, en orden (lo que el
// modo por lotes y el visor escriben en la consola).
inline Lineas cargarArchivo(const std::string& ruta) {
    nombreArchivo = ruta;
    mensajes.vaciar();
    funcionLeerArchivo();
    return mensajes.textos();
}

// Carga el modelo escrito en el texto y devuelve los mensajes de la carga.
inline Lineas cargarModelo(const std::string& modelo) {
    ArchivoTemporal archivo(modelo);
    return cargarArchivo(archivo.ruta());
}

// Analiza el modelo cargado; verdadero si el análisis fue correcto.
inline bool resolver() { return funcionSolve(); }

// Carga y analiza el modelo sin mostrar la consola.
inline bool analizarModelo(const std::string& modelo) {
    cargarModelo(modelo);
    return resolver();
}

// El reporte de resultados del modelo en memoria.
inline std::string reporte() {
    std::ostringstream s;
    escribirReporte(s);
    return s.str();
}

// Las pulsaciones de los modos del último análisis, de la más baja a la más alta.
inline std::vector<double> pulsaciones() {
    std::vector<double> w;
    for (const modoVibracion& m : resultados.modos) w.push_back(m.omega);
    return w;
}

// El error relativo de equilibrio de la combinación c que dejó el análisis.
inline double errorEquilibrioDe(int c) { return resultados.casos.at(static_cast<size_t>(c)).equilibrio.error; }

// Reacciones y cargas de cada combinación se equilibran, en fuerza y en momento, a tol de la
// carga: lo que comprueba un ingeniero al sumar a mano.
inline void esperarEquilibrio(const std::string& que, double tol = 1e-9) {
    for (int c = 0; c < noCombos; ++c) EXPECT_LE(errorEquilibrioDe(c), tol) << que << " combo " << c;
}

// Con todas sus cifras, para escribirlo en un modelo.
template <typename T>
std::string texto(const T& v) {
    std::ostringstream s;
    s.precision(17);
    s << v;
    return s.str();
}

// Barra de 10 m desde el origen según la dirección dada, partida en n barras iguales de sección
// genérica (A 0.1, Iy 0.002, Iz 0.001, J 0.003, E 2e8, poisson 0.3, sin deformación por corte)
// con el peso específico dado y g = 9.81; los apoyos, cargas y combinaciones van en resto.
inline std::string barraSubdividida(int n, const std::string& resto, double peso = 0,
                                    const Eigen::Vector3d& direccion = Eigen::Vector3d::UnitX()) {
    std::ostringstream s;
    s.precision(17);
    s << "nudos:\n";
    for (int i = 0; i <= n; ++i) s << i + 1 << " " << (10.0 * i / n * direccion.normalized()).transpose() << "\n";
    s << "barras:\n";
    for (int i = 1; i <= n; ++i) s << i << " " << i << " " << i + 1 << "\n";
    s << "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 " << peso;
    for (int i = 1; i <= n; ++i) s << " " << i;
    s << "\ngravedad: 9.81\n" << resto;
    return s.str();
}

// El nudo o la barra con ese número de usuario (at() falla si no existe).
inline objNudo3d& nudoUsuario(int n) { return nudo.at(static_cast<size_t>(internoDeNudo(n))); }
inline objBarra3d& barraUsuario(int n) { return barra.at(static_cast<size_t>(internoDeBarra(n))); }

// Una lista de combinaciones que vive mientras dure la prueba (los nudos y las
// barras forman sus cargas con ella y la barra la recuerda).
inline const std::vector<combinacion>& combinacionesDePrueba(std::vector<combinacion> combos) {
    static std::deque<std::vector<combinacion>> listas;
    listas.push_back(std::move(combos));
    return listas.back();
}

// El caso de resultados c del último análisis (at() falla si no existe).
inline const casoResultado& casoNumero(int c = 0) { return resultados.casos.at(static_cast<size_t>(c)); }
// Las solicitaciones de la barra con ese número de usuario en el caso c.
inline const solicitacionesBarra& solicitacionesDe(int b, int c = 0) {
    return casoNumero(c).barras.at(static_cast<size_t>(internoDeBarra(b)));
}

// Ux Uy Uz Rx Ry Rz de un nudo, o sus reacciones Rx Ry Rz Mx My Mz.
inline Vec6 desplazamientosDe(int n, int c = 0) { return casoNumero(c).desplazamientos.col(internoDeNudo(n)); }
inline Vec6 reaccionesDe(int n, int c = 0) { return casoNumero(c).reacciones.col(internoDeNudo(n)); }

// Barra suelta número 1 entre dos puntos (nudos internos 0 y 1), como la arma el cargador.
// Sus nudos quedan guardados mientras dure la prueba.
inline objBarra3d barraEntre(const Eigen::Vector3d& ini, const Eigen::Vector3d& fin, double rotacion = 0) {
    static std::deque<objNudo3d> nudosSueltos;
    for (const Eigen::Vector3d* p : {&ini, &fin}) {
        nudosSueltos.emplace_back();
        nudosSueltos.back().setNoNudoInterno(p == &ini ? 0 : 1);
        nudosSueltos.back().setNoNudoUsuario(p == &ini ? 1 : 2);
        nudosSueltos.back().setCoordenadas(p->x(), p->y(), p->z());
    }
    objBarra3d b;
    b.resetFlags();
    b.setNoBarraUsuario(1);
    b.setNoBarraInterna(0);
    b.setNudoInicio(nudosSueltos[nudosSueltos.size() - 2]);
    b.setNudoFinal(nudosSueltos.back());
    b.setRotacion(rotacion);
    return b;
}

// Generador con semilla fija; los factores de fijación incluyen rótulas y extremos rígidos exactos.
struct Azar {
    std::mt19937 gen;
    explicit Azar(unsigned semilla) : gen(semilla) {}
    double real(double a, double b) { return std::uniform_real_distribution<double>(a, b)(gen); }
    Eigen::Vector3d vector(double a, double b) { return {real(a, b), real(a, b), real(a, b)}; }
    double factor() {
        const double r = real(0, 1);
        return r < 0.25 ? 0.0 : r < 0.5 ? 1.0 : real(0, 1);
    }
};

// Barra al azar entre xi y xf: placa, W o genérica según k, material y factores de fijación al azar.
inline objBarra3d barraAlAzar(Azar& azar, int k, const Eigen::Vector3d& xi, const Eigen::Vector3d& xf) {
    objBarra3d b = barraEntre(xi, xf, azar.real(-180, 180));
    if (k % 3 == 0) b.setSeccionPlaca(azar.real(0.1, 1.5), azar.real(0.1, 1.5));
    else if (k % 3 == 1) b.setSeccionW(0.2, 0.015, 0.4, 0.01);
    else b.setSeccionGenerica(azar.real(1e-3, 0.1), azar.real(1e-6, 1e-3), azar.real(1e-6, 1e-3), 1e-5);
    b.setModuloEyPoisson(azar.real(1e4, 3e8), azar.real(0, 0.45));
    b.setArticulacion(azar.factor(), azar.factor(), azar.factor(), azar.factor());
    return b;
}

// |a - b| <= tol·escala en cada elemento; la escala por omisión es 1 + max|b|.
inline ::testing::AssertionResult casiIguales(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b, double tol,
                                              double escala = -1) {
    if (a.rows() != b.rows() || a.cols() != b.cols()) return ::testing::AssertionFailure() << "tamaños distintos";
    if (escala < 0) escala = 1 + (b.size() ? b.cwiseAbs().maxCoeff() : 0.0);
    for (Eigen::Index i = 0; i < a.rows(); ++i)
        for (Eigen::Index j = 0; j < a.cols(); ++j)
            if (!(std::abs(a(i, j) - b(i, j)) <= tol * escala))
                return ::testing::AssertionFailure() << "(" << i << "," << j << "): " << a(i, j) << " en vez de " << b(i, j);
    return ::testing::AssertionSuccess();
}
