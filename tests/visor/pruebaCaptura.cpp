// La orden "captura": nombres libres junto al modelo y el PNG escrito.
#include <png.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
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

TEST_F(EntornoVisor, LaCapturaPedidaSeGuardaUnaVezYLaLineaDiceDonde) {
    DirectorioTemporal carpeta;
    std::filesystem::create_directory("obra");
    nombreArchivo = "obra/modelo.txt";
    EXPECT_FALSE(tomarPedidoCaptura());
    orden("captura");
    EXPECT_TRUE(tomarPedidoCaptura());
    EXPECT_FALSE(tomarPedidoCaptura());  // un pedido, una captura

    const std::vector<unsigned char> pixeles(2 * 2 * 3, 200);
    guardarCaptura(2, 2, pixeles);
    const int redibujos = falso.redibujos;
    guardarCaptura(2, 2, pixeles);
    EXPECT_EQ(dialogo, "Captura guardada: captura-002.png. Ingrese Comando:");
    EXPECT_EQ(falso.redibujos, redibujos + 1);  // el cuadro guardado aún no mostraba la respuesta
    int ancho = 0, alto = 0;
    std::vector<unsigned char> leido;
    ASSERT_TRUE(leerPng("obra/captura-001.png", ancho, alto, leido));
    EXPECT_EQ(leido, pixeles);
    // Con menos píxeles que los de la ventana no se guarda, y la respuesta nombra el archivo que no se pudo escribir.
    modoLinea = ModoLinea::NombreCombo;
    guardarCaptura(3, 2, pixeles);
    EXPECT_EQ(dialogo, "No se pudo guardar la captura captura-003.png. Ingrese Comando:");
    EXPECT_EQ(modoLinea, ModoLinea::Ordenes);
}
