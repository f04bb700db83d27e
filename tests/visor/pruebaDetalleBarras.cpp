// Presupuesto de detalle de las capas que dibujan a lo largo de las barras:
// con pocas barras nada cambia; con miles, lo dibujado queda acotado.
#include <array>
#include <cmath>
#include <sstream>

#include "analisis/casosResultado.h"
#include "entornoVisor.h"
#include "visor/capas/detalleBarras.h"
#include "visor/capas/escena.h"
#include "visor/escena/lote.h"

namespace {

// Emparrillado plano de n x n vanos de 5 m, empotrado en su borde y = 0, con
// una carga vertical en todas sus barras: 2 n (n + 1) barras.
std::string emparrillado(int n) {
    std::ostringstream s;
    const auto numero = [n](int i, int j) { return j * (n + 1) + i + 1; };
    s << "nudos:\n";
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) s << numero(i, j) << " " << 5 * i << " " << 5 * j << " 0\n";
    s << "barras:\n";
    int b = 0;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            if (i < n) s << ++b << " " << numero(i, j) << " " << numero(i + 1, j) << "\n";
            if (j < n) s << ++b << " " << numero(i, j) << " " << numero(i, j + 1) << "\n";
        }
    s << "apoyo: 1 1 1 1 1 1";
    for (int i = 0; i <= n; ++i) s << " " << numero(i, 0);
    std::ostringstream todas;
    for (int k = 1; k <= b; ++k) todas << " " << k;
    s << "\nseccionRectangular: V 0.3 0.6 25e6 0.2 24" << todas.str() << "\ndistribuidaGlobal: Q 10 10 0 0 -1"
      << todas.str() << "\ncombo: C 1 Q\n";
    return s.str();
}

// Tramos de línea de la escena con ese color.
std::size_t tramos(const std::array<float, 3>& color) {
    std::size_t n = 0;
    for (const CapaPreparada& c : prepararEscena())
        for (const GrupoLote& g : c.lote->grupos())
            if (g.color == color) n += g.cantidadVertices() / 2;
    return n;
}

const std::array<float, 3> kInternas{0.5f, 0.1f, 0.0f}, kContorno{0.7f, 0.2f, 0.0f}, kFlechas{0.2f, 0.2f, 0.0f},
    kElastica{0.0f, 0.7f, 0.7f};

}  // namespace

TEST(NivelDeDetalle, ElPresupuestoSoloActuaSiLasEstacionesNoCaben) {
    // Cuatro barras de 60 px: con 3 px entre estaciones, 21 cada una.
    const std::vector<double> largos(4, 60.0);
    const DetalleBarras holgado(20, 3, 84, largos);
    EXPECT_EQ(holgado.paso(60.0), 1);
    EXPECT_EQ(holgado.paso(12.0), pasoDeDetalle(12.0, 20, 3));
    EXPECT_EQ(holgado.paso(1.0), 20);  // como siempre, una barra diminuta deja sus dos extremos
    // Con 50 estaciones, una de cada dos (11 por barra, 44): separación 3 √2 = 4.24 px.
    const DetalleBarras justo(20, 3, 50, largos);
    EXPECT_NEAR(justo.separacion(), 3 * std::sqrt(2.0), 1e-12);
    EXPECT_EQ(justo.paso(60.0), 2);
    EXPECT_EQ(4 * justo.estaciones(60.0), 44u);
    EXPECT_EQ(justo.paso(4.0), 0);  // más corta que la separación: ninguna
    // Con menos estaciones que barras, ninguna barra dibuja estaciones.
    EXPECT_EQ(DetalleBarras(20, 3, 3, largos).paso(60.0), 0);
    // Sin el zoom (largos nulos), todo con detalle.
    EXPECT_EQ(DetalleBarras(20, 3, 1, std::vector<double>(4, 0.0)).paso(0.0), 1);
}

TEST_F(EntornoVisor, LoQueSeDibujaALoLargoDeLasBarrasQuedaDentroDelPresupuesto) {
    wVentana = 1000;
    hVentana = 800;
    // 312 barras: lo de siempre, como en la ménsula (LosDiagramasYLasFlechasSeRaleanAlAlejarse), en cada una.
    ASSERT_TRUE(cargar(emparrillado(12), true));
    flags[kFlagPrimerCombo] = flags[kFlagMomentoY] = flags[kFlagCargas] = flags[kFlagDeformada] = 1;
    struct Caso {
        double distancia;
        std::size_t internasPorBarra, flechasPorBarra;
    };
    for (const Caso& caso : {Caso{20, 21, 11}, Caso{80, 11, 6}, Caso{300, 5, 2}}) {
        SCOPED_TRACE(caso.distancia);
        distCamObj = caso.distancia;
        EXPECT_EQ(tramos(kInternas), 312 * caso.internasPorBarra);
        EXPECT_EQ(tramos(kContorno), 312 * (caso.internasPorBarra - 1));
        EXPECT_EQ(tramos(kFlechas), 312 * (5 * caso.flechasPorBarra + 1));
        EXPECT_EQ(tramos(kElastica), 312 * 20u);  // la elástica no sigue al zoom
    }

    // 1860 barras de 226 px (d = 20, con el zoom redondeado a medias octavas): todas con detalle
    // completo serían 39060 líneas internas, 20460 flechas y 37200 tramos de elástica. Quedan
    // dentro del presupuesto, repartidas entre todas las barras: una de cada cuatro estaciones del
    // diagrama (5 por barra), dos flechas por barra y la elástica en menos tramos.
    ASSERT_TRUE(cargar(emparrillado(30), true));
    flags[kFlagPrimerCombo] = flags[kFlagMomentoY] = flags[kFlagCargas] = flags[kFlagDeformada] = 1;
    distCamObj = 20;
    EXPECT_EQ(tramos(kInternas), 1860 * 5u);
    EXPECT_EQ(tramos(kContorno), 1860 * 4u);
    EXPECT_EQ(tramos(kFlechas), 1860 * (5 * 2 + 1u));
    EXPECT_LE(tramos(kElastica), kPresupuestoEstacionesDeformada);
    EXPECT_GE(tramos(kElastica), 1860u);  // ninguna barra sin su elástica
    EXPECT_LE(1860 * 5u, kPresupuestoEstacionesDiagrama);
    EXPECT_LE(1860 * 2u, kPresupuestoFlechas);
}
