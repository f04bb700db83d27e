// Primitivas de la escena: formato de números, alineación de textos, giros de
// los textos de frente a la cámara y de la punta de las flechas.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "visor/camara.h"
#include "visor/formatoTexto.h"

namespace {

constexpr double kPi = 3.141592653589793;

// Giros como los aplica glRotate (regla de la mano derecha), en grados.
Punto3 girarX(double g, const Punto3& p) {
    const double a = g * kPi / 180, c = std::cos(a), s = std::sin(a);
    return {p.x, c * p.y - s * p.z, s * p.y + c * p.z};
}
Punto3 girarY(double g, const Punto3& p) {
    const double a = g * kPi / 180, c = std::cos(a), s = std::sin(a);
    return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
}
Punto3 girarZ(double g, const Punto3& p) {
    const double a = g * kPi / 180, c = std::cos(a), s = std::sin(a);
    return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
}
Punto3 unitario(const Punto3& p) {
    const double n = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    return {p.x / n, p.y / n, p.z / n};
}

void esperarCerca(const Punto3& a, const Punto3& b, double tol, const std::string& caso) {
    EXPECT_NEAR(a.x, b.x, tol) << caso;
    EXPECT_NEAR(a.y, b.y, tol) << caso;
    EXPECT_NEAR(a.z, b.z, tol) << caso;
}

}  // namespace

TEST(Formato, PuntoFijoYExponente) {
    EXPECT_EQ(formatearNumero(0.5, 2, false), "0.50");
    EXPECT_EQ(formatearNumero(0.5, 2, true), "5.00e-01");
    EXPECT_EQ(formatearNumero(-0.0001, 3, false), "-0.000");
    EXPECT_EQ(formatearNumero(12.0, 0, false), "12");
    // Decimales negativos no forman un formato válido: se toman como 0.
    EXPECT_EQ(formatearNumero(2.25, -3, false), "2");
}

TEST(Formato, LosNumerosLargosSeCortanA99Caracteres) {
    // std::to_string escribe con seis decimales, sin límite de largo.
    const std::string completo = std::to_string(1e120);
    ASSERT_GT(completo.size(), 99u);
    EXPECT_EQ(formatearNumero(1e120, 6, false), completo.substr(0, 99));
    EXPECT_EQ(formatearNumero(1.0, 200, false).size(), 99u);
}

TEST(Alineacion, CorrimientoEnUnidadesDeLaFuente) {
    // Cinco caracteres centrados: medio largo hacia atrás, algo más de 1.7 veces el alto.
    const double centrado = corrimientoAlineacion(5, 2);
    EXPECT_DOUBLE_EQ(centrado, -2.5 * 104.76);
    EXPECT_NEAR(-centrado * kEscalaFuente, 1.7187, 1e-4);
    EXPECT_DOUBLE_EQ(corrimientoAlineacion(5, 3), -5 * 104.76);
    EXPECT_EQ(corrimientoAlineacion(5, 1), 0);
    EXPECT_EQ(corrimientoAlineacion(5, 0), 0);
    EXPECT_EQ(corrimientoAlineacion(5, 7), 0);
    EXPECT_DOUBLE_EQ(kEscalaFuente * 152.38, 1.0);
}

TEST(TextoDeFrente, QuedaPerpendicularALaVistaYSeLeeHorizontal) {
    const Punto3 objetivo{3, 2, 1.5};
    const Punto3 ojos[] = {{-5, -4, 9}, {10, 2, 1.5}, {3, 12, -4}, {-1, 2.5, 0}, {3, 2 - 1e-9, 40}};
    for (const Punto3& ojo : ojos) {
        const AngulosFrente f = angulosDeFrente(ojo, objetivo, 0.0);
        auto girar = [&](const Punto3& p) {
            return girarZ(90 + f.azimutGrados, girarX(90 - f.elevacionGrados, p));
        };
        const std::string caso = std::to_string(ojo.x) + "," + std::to_string(ojo.y) + "," + std::to_string(ojo.z);
        // La normal del texto apunta a la cámara.
        esperarCerca(girar({0, 0, 1}), unitario({ojo.x - objetivo.x, ojo.y - objetivo.y, ojo.z - objetivo.z}),
                     1e-9, caso);
        // La línea del texto es horizontal y va hacia la derecha de la pantalla.
        const Punto3 linea = girar({1, 0, 0});
        EXPECT_NEAR(linea.z, 0, 1e-9) << caso;
        const Punto3 vista{objetivo.x - ojo.x, objetivo.y - ojo.y, objetivo.z - ojo.z};
        const Punto3 derecha = unitario({vista.y, -vista.x, 0});  // vista x Z
        esperarCerca(linea, derecha, 1e-6, caso);
    }
}

TEST(Flecha, LaPuntaApuntaDeVueltaAlOrigen) {
    struct Caso {
        Punto3 p1, p2;
    };
    const Caso casos[] = {
        {{0, 0, 0}, {1, 0, 0}},  {{1, 0, 0}, {0, 0, 0}},   {{0, 0, 0}, {0, 2, 0}},
        {{0, 0, 0}, {0, -2, 0}}, {{1, 2, 3}, {-4, 5, -6}}, {{0, 0, 0}, {3, -4, 5}},
        {{2, 2, 2}, {2, 2, 5}},  {{2, 2, 5}, {2, 2, 2}},
        // Casi vertical: el cociente del arcocoseno se sale apenas de [-1, 1].
        {{0, 0, 0}, {-7.3224671197493454e-08, 0, 1}},
        {{0, 0, 0}, {2.7046243662747216e-08, 0, 1}},
    };
    for (const Caso& c : casos) {
        const AngulosFlecha a = angulosFlecha(c.p1, c.p2);
        const std::string nombre = std::to_string(c.p2.x) + "," + std::to_string(c.p2.y) + "," +
                                   std::to_string(c.p2.z);
        ASSERT_TRUE(a.dibujar) << nombre;
        ASSERT_TRUE(std::isfinite(a.alfaGrados) && std::isfinite(a.betaGrados)) << nombre;
        const Punto3 eje = girarZ(a.alfaGrados, girarY(a.betaGrados, {1, 0, 0}));
        esperarCerca(eje, unitario({c.p1.x - c.p2.x, c.p1.y - c.p2.y, c.p1.z - c.p2.z}), 1e-6, nombre);
    }
}

TEST(Flecha, VerticalYSinLargo) {
    const AngulosFlecha sube = angulosFlecha({1, 1, 0}, {1, 1, 4});
    EXPECT_TRUE(sube.dibujar);
    EXPECT_EQ(sube.alfaGrados, 0);
    EXPECT_DOUBLE_EQ(sube.betaGrados, 90);
    const AngulosFlecha baja = angulosFlecha({1, 1, 4}, {1, 1, 0});
    EXPECT_EQ(baja.alfaGrados, 0);
    EXPECT_DOUBLE_EQ(baja.betaGrados, -90);
    // Una flecha de largo 0 no tiene dirección y no se dibuja.
    EXPECT_FALSE(angulosFlecha({1, 2, 3}, {1, 2, 3}).dibujar);
}
