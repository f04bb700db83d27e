// Cargador del modelo: líneas de la consola, mapas de números, qué definición
// gana y ajustes de dibujo.
#include "utilidades.h"

namespace {

const char* const kAjustes =
    "precision: 2 escalaTexto: 0.3 escalaDeflexion: 50 escalaMy: 0.5 escalaMz: 0 escalaVy: 0.1 "
    "escalaVz: 0.1 escalaN: 0.1 escalaT: 0.1 escalaApoyo: 0.2 escalaCarga: 0.3\n";

const char* const kPortico =
    "nudos: 1 0 0 0  2 0 0 3  3 4 0 3\n"
    "barras: 1 1 2  2 2 3\n"
    "apoyo: 1 1 1 1 1 1  1\n"
    "seccionRectangular: R 0.2 0.4 25e6 0.2 24  1 2\n"
    "puntual: L 0 0 -10 0 0 0  3\n"
    "combo: C 1 PP 1 L\n";

const Lineas kLineasPortico{
    "lectura de nudos OK Num Nudos = 3", "lectura de barras OK Num Barras = 2", "transferencia de apoyos a nudo[i] OK",
    "transferencia de cargas puntuales a nudo[i] OK", "transferencia de combos a nudo[i] OK",
    "transferencia de coord a barra[i] OK", "Secciones Costanera leidas", "SeccionesW leidas"};

}  // namespace

TEST(Cargador, LineasDeConsola) {
    const std::string portico = kPortico;
    struct Caso {
        const char* nombre;
        std::string modelo;
        Lineas esperadas;
    };
    const Caso casos[] = {
        {"con peso propio y ajustes", portico + "pesoPropio: PP\n" + kAjustes,
         kLineasPortico + Lineas{"Lectura de pesoPropio ---> OK"}},
        {"sin peso propio ni ajustes", portico,
         kLineasPortico + Lineas{"No se calculará el peso propio de la estructura"} + avisosDeAjustes()},
        {"peso propio dos veces", portico + "pesoPropio: PP pesoPropio: G\n" + kAjustes,
         kLineasPortico + Lineas{"No usar la etiqueta *pesoPropio:* más de una vez"}},
        // Sin barras no sale ninguna línea de barras, ni siquiera las de secciones.
        {"sin barras", "nudos: 1 0 0 0 2 1 0 0 apoyo: 1 1 1 1 1 1 1 puntual: L 1 0 0 0 0 0 2\n" + std::string(kAjustes),
         {"lectura de nudos OK Num Nudos = 2", "lectura de barras OK Num Barras = 0",
          "transferencia de apoyos a nudo[i] OK", "transferencia de cargas puntuales a nudo[i] OK",
          "No se calculará el peso propio de la estructura"}},
    };
    for (const Caso& c : casos) EXPECT_EQ(cargarModelo(c.modelo), c.esperadas) << c.nombre;
}

TEST(Cargador, MapasDeNumeros) {
    cargarModelo("nudos: 10 0 0 0  20 3 0 0  30 3 4 0  barras: 7 30 10  5 10 20\n");
    ASSERT_EQ(punteroNudos.size(), 31u);
    for (size_t i = 0; i < punteroNudos.size(); ++i)
        EXPECT_EQ(punteroNudos[i], i == 20 ? 1 : i == 30 ? 2 : 0) << i;
    ASSERT_EQ(punteroBarras.size(), 8u);
    EXPECT_EQ(punteroBarras[7], 0);
    EXPECT_EQ(punteroBarras[5], 1);
    const objBarra3d& b = barraUsuario(7);
    EXPECT_EQ(Eigen::Vector2i(b.getNudoInicioInterno(), b.getNudoFinalInterno()), Eigen::Vector2i(2, 0));
    EXPECT_DOUBLE_EQ(b.getLongitud(), 5.0);
    EXPECT_EQ(nudoUsuario(30).getGdl()(0), 13);
}

TEST(Cargador, GanaLaUltimaDefinicion) {
    cargarModelo(
        "nudos: 1 0 0 0  2 3 0 0  3 6 0 0  4 9 0 0\n"
        "barras: 1 1 2  2 2 3  3 3 4\n"
        "apoyo: 1 1 1 0 0 0  1 4\n"
        "apoyo: 1 1 1 1 1 1  4\n"
        // La genérica gana a la rectangular aunque esté antes en el archivo.
        "seccionGenerica: G 0.01 1e-5 2e-5 3e-5 200e6 0.3 77  1\n"
        "seccionRectangular: R 0.2 0.4 25e6 0.2 24  1 2\n"
        "seccionPlaca: P 0.2 0.4 25e6 0.2 24  2\n"
        "seccionCostanera: C200x75 200 75 20 2 3 200e3 0.3 0  3\n"
        "rotacionBarra: 90  2 3\n"
        "articulacion: 1 0 1 0  1\n"
        "articulacion: 0.5 1 1 0.25  1\n");
    EXPECT_EQ(nudoUsuario(1).getApoyo(), (Eigen::VectorXi(6) << 1, 1, 1, 0, 0, 0).finished());
    EXPECT_EQ(nudoUsuario(4).getApoyo(), Eigen::VectorXi::Ones(6));

    const objBarra3d& b1 = barraUsuario(1);
    EXPECT_EQ(b1.getCodigoSeccion(), 0);
    EXPECT_EQ(b1.getNombreDeSeccion(), "G");
    EXPECT_DOUBLE_EQ(b1.getArea(), 0.01);
    EXPECT_EQ((Eigen::Vector4d(b1.getArtIniY(), b1.getArtFinY(), b1.getArtIniZ(), b1.getArtFinZ())),
              Eigen::Vector4d(0.5, 1, 1, 0.25));
    const objBarra3d& b2 = barraUsuario(2);
    EXPECT_EQ(b2.getCodigoSeccion(), 4);
    EXPECT_DOUBLE_EQ(b2.getFactorDeForma(), 1.2);
    EXPECT_DOUBLE_EQ(b2.getAlfaDeg(), 180.0);
    EXPECT_DOUBLE_EQ(b2.getArtFinY(), 1.0);
    // Costanera: el archivo da alma 200 y ala 75; el contorno mide 200 de alto y 75 de ancho.
    const Eigen::MatrixXd contorno = barraUsuario(3).getPerimetroSeccion();
    EXPECT_DOUBLE_EQ(contorno.row(1).maxCoeff() - contorno.row(1).minCoeff(), 200.0);
    EXPECT_DOUBLE_EQ(contorno.row(0).maxCoeff() - contorno.row(0).minCoeff(), 75.0);
    EXPECT_DOUBLE_EQ(barraUsuario(3).getAlfaDeg(), 180.0);
}

TEST(Cargador, AjustesDeDibujoYSuReinicio) {
    cargarModelo(kAjustes);
    EXPECT_EQ(precision, 2);
    EXPECT_DOUBLE_EQ(escalaMy, 0.5);
    EXPECT_DOUBLE_EQ(escalaMz, 0.02);  // 0 conserva el valor por defecto
    EXPECT_DOUBLE_EQ(escalaDef, 50.0);
    EXPECT_DOUBLE_EQ(escalaApoyo, 0.2);
    // Una nueva carga vuelve a los valores por defecto lo que el archivo ya no trae.
    const struct {
        const char* texto;
        int esperada;
    } precisiones[] = {{"precision: 0", 0}, {"precision: -1", 3}, {"precision: -5", 3}, {"precision: 7", 7}};
    for (const auto& p : precisiones) {
        cargarModelo(p.texto);
        EXPECT_EQ(precision, p.esperada) << p.texto;
        EXPECT_DOUBLE_EQ(escalaMy, 0.02);
        EXPECT_DOUBLE_EQ(escalaApoyo, 0.0);
    }
}
