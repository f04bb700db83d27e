// Utilidades de las pruebas: archivos de modelo temporales y captura de la consola.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

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
    void escribir(const std::string& contenido) const {
        std::ofstream f(ruta_, std::ios::trunc);
        f << contenido;
    }
    const std::string& ruta() const { return ruta_; }

private:
    std::string ruta_;
};

// Captura lo que se escribe en std::cout mientras vive.
class CapturaConsola {
public:
    CapturaConsola() : anterior_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CapturaConsola() { std::cout.rdbuf(anterior_); }
    std::string texto() const { return buffer_.str(); }
    std::vector<std::string> lineas() const {
        std::vector<std::string> r;
        std::istringstream s(buffer_.str());
        for (std::string l; std::getline(s, l);) r.push_back(l);
        return r;
    }

private:
    std::ostringstream buffer_;
    std::streambuf* anterior_;
};
