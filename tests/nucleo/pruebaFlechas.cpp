// La verificación de las flechas (limiteFlecha:): la flecha respecto de la
// cuerda contra la forma cerrada de la viga simplemente apoyada, las
// combinaciones que nombra el registro, "NO CUMPLE", y los registros que no
// se entienden como errores de entrada.
#include <algorithm>
#include <cmath>

#include "analisis/tablasResultados.h"
#include "utilidades.h"

namespace {

// Viga simplemente apoyada de 6 m en dos barras, carga vertical de 10 y una
// horizontal de 2 en el otro plano (E·Iy = 2e8·2e-4 y E·Iz = 2e8·3e-4).
std::string viga(const std::string& limites) {
    return "nudos:\n1 0 0 0\n2 3 0 0\n3 6 0 0\nbarras:\n1 1 2\n2 2 3\n"
           "seccionGenerica: V 0.01 2e-4 3e-4 1e-4 2e8 0.3 0 1 2\n"
           "apoyo: 1 1 1 1 0 0 1\napoyo: 0 1 1 0 0 0 3\n"
           "distribuidaGlobal: D 10 10 0 0 -1 1 2\ndistribuidaGlobal: W 2 2 0 1 0 1 2\n"
           "combo: SERV 1 D\ncombo: ELU 1.4 D\ncombo: VIENTO 1 W\n" +
           limites;
}

// La mayor distancia de la elástica w·x·(L³ − 2L·x² + x³)/(24EI) a la cuerda
// de la mitad izquierda del vano (una barra), buscada en 600 000 puntos.
double flechaMediaViga(double w, double EI) {
    const double L = 6;
    const auto v = [&](double x) { return w * x * (L * L * L - 2 * L * x * x + x * x * x) / (24 * EI); };
    double mayor = 0;
    for (int k = 0; k <= 600000; ++k) {
        const double x = 3.0 * k / 600000;
        mayor = std::max(mayor, v(x) - v(3) * x / 3);
    }
    return mayor;
}

}  // namespace

TEST(Flechas, FlechaRespectoDeLaCuerdaYSusCombinaciones) {
    ASSERT_TRUE(analizarModelo(viga("limiteFlecha: 300 SERV VIENTO 1 2\nlimiteFlecha: L/5000 1\n")));
    const std::vector<verificacionFlecha>& f = resultados.flechas;
    // El primer registro en sus dos combos y dos barras; el segundo en las tres combinaciones.
    ASSERT_EQ(f.size(), 4u + 3u);
    const double vertical = flechaMediaViga(10, 2e8 * 3e-4), horizontal = flechaMediaViga(2, 2e8 * 2e-4);
    // El muestreo fino da la flecha exacta a 1e-10 (su error es cuadrático en el paso).
    for (int k : {0, 1}) {
        EXPECT_EQ(resultados.casos[static_cast<size_t>(f[static_cast<size_t>(k)].caso)].nombre, "SERV");
        EXPECT_NEAR(f[static_cast<size_t>(k)].flecha, vertical, 1e-9 * vertical);
        EXPECT_NEAR(f[static_cast<size_t>(k)].limite, 0.01, 1e-15);
        EXPECT_TRUE(f[static_cast<size_t>(k)].cumple);
    }
    // Simétricas: la de la barra 1 cerca del apoyo izquierdo, a 1.661 m; la de la 2, a la misma distancia del derecho.
    EXPECT_NEAR(f[0].x, 1.66111, 1e-4);
    EXPECT_NEAR(f[1].x, 3 - 1.66111, 1e-4);
    EXPECT_NEAR(f[2].flecha, horizontal, 1e-9 * horizontal);
    // L/5000 = 0.0006 es menos que la flecha de servicio: no cumple; ELU, 1.4 veces, tampoco.
    EXPECT_FALSE(f[4].cumple);
    EXPECT_NEAR(f[5].flecha, 1.4 * vertical, 1e-9 * vertical);
    const tablaResultados* t = tablaDeClave("flechas.csv");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->filas, f.size());
}

TEST(Flechas, RegistrosQueNoSeEntiendenSonErrores) {
    const std::pair<const char*, const char*> casos[] = {
        {"limiteFlecha: 0 1", "Error: el registro 1 de limiteFlecha: necesita el divisor del largo"},
        {"limiteFlecha: SERV 1", "Error: el registro 1 de limiteFlecha: necesita el divisor del largo"},
        {"limiteFlecha: 300 SERVICIO 1", "Error: el registro 1 de limiteFlecha: nombra SERVICIO, que no es un combo"},
        {"limiteFlecha: 300 SERV", "Error: el registro 1 de limiteFlecha: no nombra ninguna barra"},
        {"limiteFlecha: 300 9", "Error: la barra 9 no existe (etiqueta limiteFlecha:)"}};
    for (const auto& [registro, mensaje] : casos) {
        const Lineas l = cargarModelo(viga(std::string(registro) + "\n"));
        EXPECT_TRUE(std::any_of(l.begin(), l.end(), [&](const std::string& m) { return m.rfind(mensaje, 0) == 0; }))
            << registro;
        EXPECT_GT(erroresDeEntrada, 0) << registro;
    }
}
