#include "visor/interaccion/captura.h"

#include <png.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "globales.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/ventanaSistema.h"

namespace {

bool capturaPedida = false;

bool existe(const std::string& ruta) {
    struct stat datos {};
    return stat(ruta.c_str(), &datos) == 0;
}

}  // namespace

std::string carpetaDelModelo(const std::string& archivo) {
    const std::size_t barra = archivo.find_last_of('/');
    if (barra == std::string::npos) return ".";
    if (barra == 0) return "/";
    return archivo.substr(0, barra);
}

std::string siguienteCaptura(const std::string& carpeta) {
    for (int i = 1; i <= 999; ++i) {
        char nombre[32];
        std::snprintf(nombre, sizeof nombre, "captura-%03d.png", i);
        if (!existe(carpeta + "/" + nombre)) return nombre;
    }
    return std::string();
}

bool escribirPng(const std::string& ruta, int ancho, int alto, const std::vector<unsigned char>& rgbDeAbajo) {
    if (ancho <= 0 || alto <= 0 || rgbDeAbajo.size() < static_cast<std::size_t>(ancho) * alto * 3) return false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> archivo(std::fopen(ruta.c_str(), "wb"), std::fclose);
    if (!archivo) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // libpng informa sus errores saltando aquí.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, archivo.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(ancho), static_cast<png_uint_32>(alto), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int fila = alto - 1; fila >= 0; --fila)
        png_write_row(png, &rgbDeAbajo[static_cast<std::size_t>(fila) * ancho * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(archivo.get()) == 0;
}

void pedirCaptura() {
    capturaPedida = true;
    ventanaSistema::pedirRedibujo();
}

bool tomarPedidoCaptura() {
    const bool pedida = capturaPedida;
    capturaPedida = false;
    return pedida;
}

void guardarCaptura(int ancho, int alto, const std::vector<unsigned char>& rgbDeAbajo) {
    const std::string carpeta = carpetaDelModelo(nombreArchivo);
    const std::string nombre = siguienteCaptura(carpeta);
    if (!nombre.empty() && escribirPng(carpeta + "/" + nombre, ancho, alto, rgbDeAbajo))
        dialogo = "Captura guardada: " + nombre + ". Ingrese Comando:";
    else
        dialogo = "No se pudo guardar la captura" + (nombre.empty() ? std::string() : " " + nombre) +
                  ". Ingrese Comando:";
    modoLinea = ModoLinea::Ordenes;
    ventanaSistema::pedirRedibujo();
}
