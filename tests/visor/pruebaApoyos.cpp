// Elección del símbolo de apoyo y visibilidad según el aislamiento.
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <vector>

#include "visor/apoyos.h"
#include "visor/dibujoModelo.h"

namespace {

CasoApoyo caso(int ux, int uy, int uz, int gx, int gy, int gz) {
    Eigen::VectorXi f(6);
    f << ux, uy, uz, gx, gy, gz;
    return casoApoyo(f);
}

}  // namespace

TEST(CasoApoyo, TablaDeSimbolos) {
    EXPECT_EQ(caso(1, 1, 1, 1, 1, 1), CasoApoyo::Empotrado);
    EXPECT_EQ(caso(1, 1, 1, 0, 0, 0), CasoApoyo::Articulado);
    EXPECT_EQ(caso(0, 0, 1, 0, 0, 0), CasoApoyo::Bola);
    EXPECT_EQ(caso(1, 0, 1, 0, 0, 0), CasoApoyo::RodilloY);
    EXPECT_EQ(caso(0, 1, 1, 0, 0, 0), CasoApoyo::RodilloX);
    EXPECT_EQ(caso(0, 0, 0, 0, 0, 0), CasoApoyo::Ninguno);
}

TEST(CasoApoyo, CombinacionesSinNombreLlevanLaCruz) {
    EXPECT_EQ(caso(1, 1, 1, 0, 0, 1), CasoApoyo::Otro);
    EXPECT_EQ(caso(0, 0, 0, 0, 0, 1), CasoApoyo::Otro);
    EXPECT_EQ(caso(1, 0, 0, 0, 0, 0), CasoApoyo::Otro);
    EXPECT_EQ(caso(2, 0, 0, 0, 0, 0), CasoApoyo::Otro);  // valor fuera de 0 y 1
    EXPECT_EQ(caso(-1, 1, 0, 0, 0, 0), CasoApoyo::Ninguno);  // suma 0
    // Vectores incompletos: lo que falta cuenta como libre.
    EXPECT_EQ(casoApoyo(Eigen::VectorXi()), CasoApoyo::Ninguno);
    EXPECT_EQ(casoApoyo(Eigen::Vector3i(1, 1, 1)), CasoApoyo::Articulado);
}

TEST(Aislamiento, IndicesFueraDelVector) {
    const std::vector<int> aislados{1, 0};
    EXPECT_TRUE(entradaVisible(aislados, 0));
    EXPECT_FALSE(entradaVisible(aislados, 1));
    // Un vector aún sin dimensionar para el modelo no oculta nada ni se lee fuera.
    EXPECT_TRUE(entradaVisible(aislados, 2));
    EXPECT_TRUE(entradaVisible({}, 0));
    EXPECT_FALSE(entradaVisible(aislados, -1));
}
