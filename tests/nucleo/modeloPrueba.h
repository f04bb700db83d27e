// Utilidades para probar el programa entero desde un archivo de modelo: cargar
// un texto, analizarlo, leer resultados por número de usuario y trabajar en un
// directorio temporal.
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
using Vec6 = Eigen::Matrix<double, 6, 1>;

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
inline Lineas cargarModelo(const std::string& modelo) {
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

// El nudo o la barra con ese número de usuario (at() falla si no existe).
inline objNudo3d& nudoUsuario(int n) { return nudo.at(static_cast<size_t>(internoDeNudo(n))); }
inline objBarra3d& barraUsuario(int n) { return barra.at(static_cast<size_t>(internoDeBarra(n))); }

// Ux Uy Uz Rx Ry Rz de un nudo, o sus reacciones Rx Ry Rz Mx My Mz.
inline Vec6 desplazamientosDe(int n, int c = 0) {
    const objNudo3d& d = nudoUsuario(n);
    return (Vec6() << d.getDesplazamientoX(c), d.getDesplazamientoY(c), d.getDesplazamientoZ(c), d.getGiroX(c),
            d.getGiroY(c), d.getGiroZ(c)).finished();
}
inline Vec6 reaccionesDe(int n, int c = 0) {
    const objNudo3d& r = nudoUsuario(n);
    return (Vec6() << r.getReaccionRx(c), r.getReaccionRy(c), r.getReaccionRz(c), r.getReaccionMx(c),
            r.getReaccionMy(c), r.getReaccionMz(c)).finished();
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

private:
    std::filesystem::path anterior_;
    std::string ruta_;
};
