// Catálogo de modelos defectuosos: cada uno carga sin caerse, da su mensaje (los
// avisos del cargador y de las estructuras inestables se comprueban uno por uno
// en Cargador y en Validacion) y deja un resultado sensato: lo que carga, carga
// bien; lo inestable no tiene resultados. Además, una barra sin sección sostenida
// por otra, muchas combinaciones, un archivo grande de palabras al azar y las
// regresiones del fuzzer.
#include <cmath>

#include "arranque.h"
#include "utilidades.h"

namespace {

// Carga, analiza y, si el análisis es correcto, escribe el reporte; devuelve los mensajes y
// cuenta los errores de entrada (los de la carga).
std::string cargarYAnalizar(const std::string& archivo, bool& estable, int& errores) {
    nombreArchivo = archivo;
    mensajes.vaciar();
    funcionLeerArchivo();
    errores = mensajes.cantidad(nivelMensaje::error);
    estable = funcionSolve();
    if (estable) reporte();
    std::string texto;
    for (const std::string& m : mensajes.textos()) texto += m + "\n";
    return texto;
}

}  // namespace

TEST(Catalogo, CadaModeloDefectuosoDaSuMensajeYUnResultadoSensato) {
    const struct {
        const char* archivo;
        std::vector<const char*> mensajes;
        int nudos, barras, combos;
        bool estable;
        int errores;  // errores de entrada: lo que el archivo pide y el programa no puede hacer
    } casos[] = {
        {"vacio.txt", {"Advertencia: no hay combos: no hay nada que calcular"}, 0, 0, 0, true, 0},
        // Una palabra corta el bloque y se consume: el nudo 2 no se lee; el apoyo queda sin sus valores.
        {"palabras_en_bloques.txt",
         {"Error: la barra 1 usa el nudo 2, que no existe",
          "Error: el registro 1 de apoyo: necesita 6 valores y la lista de nudos (tiene 3 números)"},
         1, 0, 0, false, 2},
        {"filas_incompletas.txt",
         {"Error: faltan datos para completar la matriz nudos: (7 números; cada fila lleva 4)",
          "Error: faltan datos para completar la matriz barras: (4 números; cada fila lleva 3)"},
         0, 0, 0, true, 2},
        {"numeros_sin_objeto.txt",
         {"Error: el nudo 99999999999 no existe (etiqueta apoyo:)",
          "Error: valor no válido 1e999 en el registro 1 de apoyo:"},
         2, 1, 1, true, 8},
        // El caso P del combo no lo define ningún registro.
        {"signos_sueltos.txt",
         {"Error: valor no válido - en la etiqueta nudos:", "Error: el combo C usa el caso P, que no está definido"},
         2, 1, 1, false, 6},
        {"numeros_repetidos.txt", {"Advertencia: el nudo 1 está definido más de una vez; se usa la última definición"},
         2, 1, 1, true, 0},
        {"barras_sin_nudos_validos.txt", {"Error: la barra 3 usa el nudo 9, que no existe"}, 3, 1, 1, false, 4},
        // Una línea para todas las barras sin sección, y nada más de ellas ni en el análisis ni en el reporte.
        {"barra_sin_seccion.txt",
         {"Error: la barra 2 no tiene sección ni material (ningún registro de sección la nombra)"}, 3, 2, 1, false, 1},
        {"seccion_sin_material.txt",
         {"Error: el registro 1 de seccionRectangular: (R) necesita 5 valores y la lista de barras (tiene 3 números)"},
         2, 1, 1, false, 2},
        {"dimensiones_no_positivas.txt",
         {"Error: el registro 1 de seccionRectangular: (R) tiene una dimensión o un módulo de elasticidad que no "
          "son positivos, un peso específico negativo o un coeficiente de Poisson fuera de (-1, 0.5]"},
         2, 1, 1, false, 1},
        {"combos_y_direccion_nula.txt",
         {"Error: el combo VACIO no tiene factores",
          "Error: dirección nula en distribuidaGlobal: (caso P; la carga se descarta)"},
         2, 1, 2, true, 2},
        {"mecanismo.txt", {}, 2, 1, 1, false, 0},
        {"nudo_suelto.txt", {}, 3, 1, 1, false, 0},
        {"solo_lectura.txt", {}, 2, 1, 1, true, 0},
        {"solo_apoyos.txt", {}, 2, 0, 1, true, 0},  // el último: sus reacciones se miran al final
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.archivo);
        bool estable;
        int errores;
        const std::string consola =
            cargarYAnalizar(VANTRA_DATOS "/catalogo/" + std::string(c.archivo), estable, errores);
        EXPECT_EQ(errores, c.errores);
        for (const char* m : c.mensajes) EXPECT_NE(consola.find(std::string(m) + "\n"), std::string::npos) << m;
        EXPECT_EQ(consola.find("Sección del Elemento"), std::string::npos);
        EXPECT_EQ(Eigen::Vector3i(noNudos, noBarras, noCombos), Eigen::Vector3i(c.nudos, c.barras, c.combos));
        EXPECT_EQ(estable, c.estable);
        EXPECT_EQ(resultados.disponibles, c.estable);
        // Inestable: no hay casos de resultados; estable, uno por combinación, todo finito.
        EXPECT_EQ(resultados.casos.size(), static_cast<size_t>(c.estable ? noCombos : 0));
        for (const casoResultado& caso : resultados.casos) {
            EXPECT_TRUE(caso.desplazamientos.allFinite() && caso.reacciones.allFinite());
            EXPECT_EQ(caso.barras.size(), barra.size());
        }
    }
    // Sólo apoyos, sin barras: todo restringido, las reacciones equilibran las cargas.
    EXPECT_EQ(reaccionesDe(2).head<3>(), Eigen::Vector3d(-1, -2, 10));
}

TEST(Catalogo, BarraSinSeccionSostenidaPorOtra) {
    // El voladizo 1 sostiene el nudo 2; la barra 2 no tiene sección. El cargador lo dice una vez
    // (un error de entrada: el modo por lotes no analiza, no escribe nada y sale con 3). Analizado
    // igual (como lo haría una prueba del análisis), el reporte la informa con ceros y un nombre
    // vacío; su deformada es finita y recta: los puntos intermedios están sobre la cuerda entre
    // los extremos.
    ArchivoTemporal a("nudos: 1 0 0 0 2 4 0 0 3 4 3 0 barras: 1 1 2 2 2 3\napoyo: 1 1 1 1 1 1 1 3\n"
                      "seccionRectangular: R 0.2 0.4 25e6 0.2 24 1\npuntual: P 0 0 -10 0 0 0 2\ncombo: C 1 P\n");
    DirectorioTemporal dir;
    {
        CapturaConsola consola;
        ASSERT_EQ(funcionCalcularLotes(a.ruta()), 3);
        EXPECT_EQ(consola.lineas(),
                  (Lineas{"Error: la barra 2 no tiene sección ni material (ningún registro de sección la nombra)",
                          "Error: el modelo tiene 1 error de entrada; no se analiza"}));
        EXPECT_FALSE(std::filesystem::exists("resultados.txt"));
    }
    ASSERT_TRUE(funcionSolve());
    const Lineas l = lineasDe(reporte());
    for (const char* e : {"   Sección: ", "   Area: 0", "   Iy: 0", "   Iz: 0", "   E: 0", "   J: 0", "   G: 0"})
        EXPECT_NE(std::find(l.begin(), l.end(), e), l.end()) << e;
    const Eigen::MatrixXd d = deformadaBarra(resultados, 0, barraUsuario(2), 21, 100).maximo;
    ASSERT_TRUE(d.allFinite());
    for (int i = 0; i < 21; ++i) EXPECT_NEAR(d(1, i), d(1, 20) * i / 20.0, 1e-12 * (1 + std::fabs(d(1, 20))));
}

TEST(Catalogo, CientoCincuentaCombinaciones) {
    std::ostringstream m;
    m << "nudos: 1 0 0 0 2 4 0 0 barras: 1 1 2 apoyo: 1 1 1 1 1 1 1\n"
         "seccionRectangular: R 0.3 0.5 25e6 0.2 24 1 puntual: P 0 0 -1 0 0 0 2\n";
    for (int i = 1; i <= 150; ++i) m << "combo: C" << i << " " << i << " P\n";
    bool estable;
    int errores;
    const std::string consola = cargarYAnalizar(ArchivoTemporal(m.str()).ruta(), estable, errores);
    EXPECT_NE(consola.find("Advertencia: solo se pueden visualizar los primeros 100 combos"), std::string::npos);
    ASSERT_TRUE(estable && noCombos == 150);
    EXPECT_NEAR(reaccionesDe(1, 149)(2), 150.0, 1e-9);
    EXPECT_EQ(barra[0].getCantidadDeCombos(), 150);
}

TEST(Catalogo, DiezMegabytesDePalabrasAlAzarCarganSinFallar) {
    std::mt19937 azar(7);
    const char* palabras[] = {"nudos:", "barras:", "apoyo:", "combo:", "puntual:", "1", "2.5", "-3", "e", "x",
                              "seccionW:", "1e5", "0", "distribuidaGlobal:", "precision:", "articulacion:"};
    std::string texto;
    texto.reserve(10u << 20);
    while (texto.size() < (10u << 20)) {
        texto += palabras[azar() % std::size(palabras)];
        texto += (azar() % 8 == 0) ? '\n' : ' ';
    }
    // (Con un índice cuadrático en los registros esta carga no terminaría antes
    // del tiempo límite de la prueba.)
    ArchivoTemporal a(texto);
    cargarArchivo(a.ruta());
    EXPECT_GE(noNudos, 0);
}

TEST(RegresionFuzz, LasEntradasQueEncontroElFuzzerYaNoFallan) {
    const Lineas casos = archivosDe(VANTRA_DATOS "/fuzz");
    EXPECT_FALSE(casos.empty());
    for (const std::string& c : casos) {
        SCOPED_TRACE(c);
        bool estable;
        int errores;
        cargarYAnalizar(c, estable, errores);
    }
}
