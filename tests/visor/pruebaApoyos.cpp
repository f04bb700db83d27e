// Elección del símbolo de apoyo y qué nudos, barras y combinaciones puede
// mostrar el visor.
#include <Eigen/Dense>
#include <utility>
#include <vector>

#include "entornoVisor.h"
#include "visor/capas/apoyos.h"
#include "visor/capas/capas.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

TEST(CasoApoyo, SimboloSegunLasRestriccionesYLoQueFaltaEsLibre) {
    using C = CasoApoyo;
    const std::pair<std::vector<int>, CasoApoyo> casos[] = {
        {{1, 1, 1, 1, 1, 1}, C::Empotrado}, {{1, 1, 1, 0, 0, 0}, C::Articulado}, {{0, 0, 1, 0, 0, 0}, C::Bola},
        {{1, 0, 1, 0, 0, 0}, C::RodilloY},  {{0, 1, 1, 0, 0, 0}, C::RodilloX},   {{0, 0, 0, 0, 0, 0}, C::Ninguno},
        // Sin símbolo propio, la cruz: también con sólo un giro o un valor fuera de 0 y 1.
        {{1, 1, 1, 0, 0, 1}, C::Otro}, {{0, 0, 0, 0, 0, 1}, C::Otro}, {{1, 0, 0, 0, 0, 0}, C::Otro},
        {{2, 0, 0, 0, 0, 0}, C::Otro}, {{}, C::Ninguno}, {{1, 1, 1}, C::Articulado}};
    for (const auto& [f, caso] : casos)
        EXPECT_EQ(casoApoyo(Eigen::Map<const Eigen::VectorXi>(f.data(), Eigen::Index(f.size()))), caso)
            << ::testing::PrintToString(f);
}

TEST_F(EntornoVisor, VisibilidadUnaSolaRespuestaParaCadaIndice) {
    orden("aislar", "7");  // barra 7: nudos 2 y 3
    ASSERT_EQ(visibles(), "010/0110");
    // Fuera de rango (negativo o más allá del final) es oculto, para nudos y barras por igual.
    std::string nudos, barras;
    for (int i = -1; i <= 5; ++i) {
        nudos += nudoVisible(i) ? '1' : '0';
        barras += barraVisible(i) ? '1' : '0';
    }
    EXPECT_EQ(nudos + "/" + barras, "0011000/0010000");
    EXPECT_FALSE(entradaVisible({}, 0));
    // El recorrido se acota a lo que existe aunque la cuenta del cargador diga otra cosa.
    noNudos = 9;
    noBarras = -2;
    EXPECT_EQ(std::pair(cantidadNudos(), cantidadBarras()), std::pair(4, 0));
    // Combinaciones: las del modelo por nombre exacto; activas sólo las que existen.
    EXPECT_EQ(cantidadCombos(), 2);
    EXPECT_EQ(nombreCombo(1) + nombreCombo(2), "C2");
    EXPECT_EQ(std::pair(buscarCombo("C2"), buscarCombo("c2")), std::pair(1, -1));
    flags[kFlagPrimerCombo + 1] = 1;
    flags[kFlagPrimerCombo + 2] = 1;
    EXPECT_TRUE(comboActivo(1));
    EXPECT_FALSE(comboActivo(0) || comboActivo(2) || comboActivo(-1));
}

TEST_F(EntornoVisor, LosResortesSeDibujanDondeCuentan) {
    // Nudo 1: resorte en X. Nudo 2: apoyo y resorte en X (manda el apoyo: la cruz). Nudo 3: resorte de giro en Z.
    cargar("nudos: 1 0 0 0  2 5 0 0  3 10 0 0\nbarras: 1 1 2  2 2 3\napoyo: 1 0 0 0 0 0  2\n"
           "resorte: 100 0 0 0 0 0  1 2\nresorte: 0 0 0 0 0 7  3\n");
    // Caja de lo que dibuja la capa de apoyos con tamaño 1 mostrando sólo el nudo i, relativa al nudo.
    const auto caja = [](int i) {
        nudosAislados.assign(3, 0);
        nudosAislados[static_cast<std::size_t>(i)] = 1;
        LoteDibujo lote;
        plotApoyos(lote, 1.0);
        Eigen::AlignedBox3d c;
        for (const GrupoLote& g : lote.grupos()) {
            EXPECT_EQ(g.color, (std::array<float, 3>{0.8f, 0.8f, 0.3f}));
            for (std::size_t k = 0; k < g.vertices.size(); k += 3)
                c.extend(Eigen::Vector3d(g.vertices[k] - 5.0 * i, g.vertices[k + 1], g.vertices[k + 2]));
        }
        return c;
    };
    // Zigzag hacia -X hasta la línea de apoyo a 1.3, abierto en Z; nada fuera del plano XZ.
    const Eigen::AlignedBox3d x = caja(0);
    EXPECT_NEAR(x.min().x(), -1.3, 1e-6);
    EXPECT_NEAR(x.max().x(), 0, 1e-6);
    EXPECT_NEAR(x.max().z(), 0.4, 1e-6);
    EXPECT_NEAR(x.sizes().y(), 0, 1e-6);
    // Sólo la cruz de tres ejes de un apoyo no nombrado.
    EXPECT_TRUE(caja(1).isApprox(Eigen::AlignedBox3d(Eigen::Vector3d(-1, -1, -1), Eigen::Vector3d(1, 1, 1))));
    // Espiral en el plano XY con su punta recta hasta 0.85.
    const Eigen::AlignedBox3d z = caja(2);
    EXPECT_NEAR(z.sizes().z(), 0, 1e-6);
    EXPECT_NEAR(z.max().x(), 0.85, 1e-6);
    EXPECT_LT(z.max().y(), 0.6);
}
