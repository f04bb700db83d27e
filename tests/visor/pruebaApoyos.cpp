// Elección del símbolo de apoyo y visibilidad según el aislamiento.
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <utility>
#include <vector>

#include "visor/apoyos.h"
#include "visor/dibujoModelo.h"

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

TEST(Aislamiento, SinDimensionarNoOcultaNiSeLeeFuera) {
    const std::vector<int> aislados{1, 0};
    const std::vector<bool> visibles{entradaVisible(aislados, 0), entradaVisible(aislados, 1),
                                     entradaVisible(aislados, 2), entradaVisible({}, 0), entradaVisible(aislados, -1)};
    EXPECT_EQ(visibles, (std::vector<bool>{true, false, true, true, false}));
}
