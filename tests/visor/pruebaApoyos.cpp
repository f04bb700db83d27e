// Elección del símbolo de apoyo y qué nudos, barras y combinaciones puede
// mostrar el visor.
#include <Eigen/Dense>
#include <utility>
#include <vector>

#include "entornoVisor.h"
#include "visor/apoyos.h"
#include "visor/visibilidad.h"

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
