// La orden "captura": nombres libres junto al modelo y el PNG escrito.
#include <png.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "entornoVisor.h"
#include "visor/interaccion/captura.h"

namespace {

// Lee un PNG RGB de 8 bits: ancho, alto y filas de arriba hacia abajo.
bool leerPng(const std::string& ruta, int& ancho, int& alto, std::vector<unsigned char>& rgb) {
    png_image imagen{};
    imagen.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&imagen, ruta.c_str())) return false;
    imagen.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(imagen));
    ancho = static_cast<int>(imagen.width);
    alto = static_cast<int>(imagen.height);
    return png_image_finish_read(&imagen, nullptr, rgb.data(), 0, nullptr) != 0;
}

}  // namespace

TEST(Captura, NombreLibreJuntoAlModelo) {
    EXPECT_EQ(carpetaDelModelo("obra/planta/edificio.txt"), "obra/planta");
    EXPECT_EQ(carpetaDelModelo("edificio.txt"), ".");
    EXPECT_EQ(carpetaDelModelo("/edificio.txt"), "/");
    DirectorioTemporal carpeta;
    EXPECT_EQ(siguienteCaptura("."), "captura-001.png");
    std::ofstream("captura-001.png") << "x";
    std::ofstream("captura-002.png") << "x";
    EXPECT_EQ(siguienteCaptura("."), "captura-003.png");
    std::remove("captura-001.png");  // el primer hueco
    EXPECT_EQ(siguienteCaptura("."), "captura-001.png");
}

TEST(Captura, ElPngTieneLaVentanaDerecha) {
    DirectorioTemporal carpeta;
    // Tres por dos, con las filas como las lee OpenGL: primero la de abajo.
    const std::vector<unsigned char> deAbajo = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    ASSERT_TRUE(escribirPng("v.png", 3, 2, deAbajo));
    int ancho = 0, alto = 0;
    std::vector<unsigned char> leido;
    ASSERT_TRUE(leerPng("v.png", ancho, alto, leido));
    EXPECT_EQ(std::pair(ancho, alto), std::pair(3, 2));
    const std::vector<unsigned char> deArriba = {10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(leido, deArriba);
    // Sin carpeta donde escribir, o con menos píxeles que los que dice el tamaño, falla sin escribir nada.
    EXPECT_FALSE(escribirPng("no/existe/v.png", 3, 2, deAbajo));
    EXPECT_FALSE(escribirPng("corta.png", 4, 2, deAbajo));
    struct stat datos {};
    EXPECT_NE(stat("corta.png", &datos), 0);
}
