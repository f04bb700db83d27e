// Aritmética de la cámara: encuadre, tamaño mínimo, proyección, órbita, paneo,
// zoom y la cámara en la vertical del objetivo.
#include <gtest/gtest.h>

#include <cmath>

#include "visor/camara.h"

namespace {

constexpr double kPi = 3.141592653589793;

Punto3 resta(const Punto3& a, const Punto3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double punto(const Punto3& a, const Punto3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double norma(const Punto3& a) { return std::sqrt(punto(a, a)); }
bool finito(const Punto3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }
double azimutDe(const Punto3& ojo, const Punto3& objetivo) {
    const double a = std::atan2(ojo.y - objetivo.y, ojo.x - objetivo.x);
    return a < 0 ? a + 2 * kPi : a;
}

}  // namespace

TEST(Encuadre, LaCajaContieneElOrigen) {
    const Encuadre e = encuadrar({{1, 2, 3}, {4, 6, 5}});
    EXPECT_EQ(e.xMin + e.yMin + e.zMin, 0);
    EXPECT_EQ(e.xMax + e.yMax + e.zMax, 15);
    const double d = std::sqrt(16.0 + 36.0 + 25.0);
    EXPECT_DOUBLE_EQ(e.diagonal, d);
    // Objetivo a medio camino entre el origen y el extremo; cámara del lado -X, -Y, por encima.
    EXPECT_DOUBLE_EQ(e.objetivo.x, 2);
    EXPECT_DOUBLE_EQ(e.objetivo.z, 2.5);
    EXPECT_DOUBLE_EQ(e.ojo.x, 2 - d);
    EXPECT_DOUBLE_EQ(e.ojo.y, 3 - d);
    EXPECT_DOUBLE_EQ(e.ojo.z, 5 + 0.5 * d);
    EXPECT_DOUBLE_EQ(e.distancia, distancia(e.ojo, e.objetivo));

    const Encuadre m = encuadrar({{-2, 1, -1}, {3, -4, 2}});
    EXPECT_EQ(m.xMin + m.yMin + m.zMin, -7);
    EXPECT_EQ(m.xMax + m.yMax + m.zMax, 6);

    // Sin nudos: todo en 0 y la cámara sobre el objetivo.
    const Encuadre v = encuadrar({});
    EXPECT_EQ(v.diagonal, 0);
    EXPECT_EQ(v.distancia, 0);
    EXPECT_EQ(norma(v.ojo), 0);
}

TEST(Ventana, TamanoMinimoYVolumenes) {
    EXPECT_EQ(tamanoAceptado(500, 300).ancho, 600);
    EXPECT_EQ(tamanoAceptado(500, 300).alto, 400);
    EXPECT_EQ(tamanoAceptado(1000, 800).ancho, 1000);
    EXPECT_EQ(tamanoAceptado(500, 900).alto, 900);
    EXPECT_EQ(tamanoAceptado(700, 0).alto, 400);

    const Proyeccion p = proyeccion(1000, 800, true, 10);
    EXPECT_TRUE(p.perspectiva);
    EXPECT_DOUBLE_EQ(p.aspecto, 1.25);
    // Ortográfica apaisada: el alto visible es la distancia; vertical: el ancho.
    const Proyeccion a = proyeccion(1000, 800, false, 10);
    EXPECT_FALSE(a.perspectiva);
    EXPECT_DOUBLE_EQ(a.derecha, 6.25);
    EXPECT_DOUBLE_EQ(a.abajo, -5);
    const Proyeccion v = proyeccion(600, 900, false, 10);
    EXPECT_DOUBLE_EQ(v.izquierda, -5);
    EXPECT_DOUBLE_EQ(v.arriba, 7.5);
    EXPECT_DOUBLE_EQ(proyeccion(1000, 800, false, 9).arriba, 4.5);  // el zoom la achica
}

TEST(Orbita, ConservaLaDistanciaYGiraEnSentidoHorario) {
    const Encuadre e = encuadrar({{6, 4, 3}});
    const double r = e.distancia;
    const PasoOrbita derecha = orbitar(e.ojo, e.objetivo, 50, 0, 0.0);
    EXPECT_NEAR(distancia(derecha.ojo, e.objetivo), r, 1e-12 * r);
    EXPECT_NEAR(derecha.ojo.z, e.ojo.z, 1e-12 * r);
    EXPECT_NEAR(derecha.deltaHoriz, 0.15, 1e-7);
    // Visto desde arriba el azimut baja: giro horario.
    EXPECT_NEAR(azimutDe(derecha.ojo, e.objetivo), azimutDe(e.ojo, e.objetivo) - derecha.deltaHoriz, 1e-12);
    // Arrastrar hacia abajo sube la cámara.
    const PasoOrbita abajo = orbitar(e.ojo, e.objetivo, 0, 20, 0.0);
    EXPECT_GT(abajo.ojo.z, e.ojo.z);
    EXPECT_NEAR(distancia(abajo.ojo, e.objetivo), r, 1e-12 * r);
}

TEST(Orbita, SeDetieneEnLaVerticalYSePuedeVolver) {
    const Encuadre e = encuadrar({{6, 4, 3}});
    const double r = e.distancia;
    const double azimut0 = azimutDe(e.ojo, e.objetivo);

    const PasoOrbita arriba = orbitar(e.ojo, e.objetivo, 0, 2000, azimut0);
    EXPECT_EQ(arriba.ojo.x, e.objetivo.x);
    EXPECT_EQ(arriba.ojo.y, e.objetivo.y);
    EXPECT_DOUBLE_EQ(arriba.ojo.z, e.objetivo.z + r);

    // Desde la vertical (rh = 0) sigue el azimut guardado: ni NaN ni salto de lado.
    const PasoOrbita quieto = orbitar(arriba.ojo, e.objetivo, 10, 100, arriba.azimut);
    EXPECT_TRUE(finito(quieto.ojo));
    const PasoOrbita vuelta = orbitar(arriba.ojo, e.objetivo, 0, -300, arriba.azimut);
    ASSERT_TRUE(finito(vuelta.ojo));
    EXPECT_NEAR(distancia(vuelta.ojo, e.objetivo), r, 1e-12 * r);
    EXPECT_LT(vuelta.ojo.z, e.objetivo.z + r);
    EXPECT_NEAR(azimutDe(vuelta.ojo, e.objetivo), azimut0, 1e-9);

    const PasoOrbita debajo = orbitar(e.ojo, e.objetivo, 0, -5000, azimut0);
    EXPECT_EQ(debajo.ojo.x, e.objetivo.x);
    EXPECT_DOUBLE_EQ(debajo.ojo.z, e.objetivo.z - r);

    // Cámara sobre el objetivo (modelo sin nudos): nada deja de ser finito.
    const Punto3 o{0, 0, 0};
    EXPECT_TRUE(finito(orbitar(o, o, 30, 40, 1.0).ojo));
    EXPECT_TRUE(finito(desplazamientoPaneo(o, o, 30, 40, 1.0)));
}

TEST(Paneo, SigueLaHorizontalYLaVerticalDeLaPantalla) {
    const Punto3 objetivo{3, 2, 1.5}, ojo{-5, -4, 9};
    const Punto3 vista = resta(objetivo, ojo);
    const Punto3 derechaPantalla{vista.y, -vista.x, 0};  // vista x Z

    const Punto3 h = desplazamientoPaneo(ojo, objetivo, 10, 0, 0.0);
    EXPECT_NEAR(norma(h), 0.1, 1e-12);
    EXPECT_EQ(h.z, 0);
    EXPECT_NEAR(punto(h, vista), 0, 1e-12);
    EXPECT_LT(punto(h, derechaPantalla), 0);  // la cámara va a la izquierda: el modelo sigue al ratón

    const Punto3 v = desplazamientoPaneo(ojo, objetivo, 0, 10, 0.0);
    EXPECT_NEAR(norma(v), 0.1, 1e-12);
    EXPECT_NEAR(punto(v, vista), 0, 1e-12);
    EXPECT_NEAR(punto(v, derechaPantalla), 0, 1e-12);
    EXPECT_GT(v.z, 0);

    // Justo encima: las mismas direcciones, con el azimut guardado.
    const double t = 5 * kPi / 4;
    const Punto3 he = desplazamientoPaneo({3, 2, 10}, objetivo, 10, 0, t);
    const Punto3 ve = desplazamientoPaneo({3, 2, 10}, objetivo, 0, 10, t);
    EXPECT_NEAR(he.x, 0.1 * std::sin(t), 1e-12);
    EXPECT_NEAR(he.y, -0.1 * std::cos(t), 1e-12);
    EXPECT_NEAR(ve.x, -0.1 * std::cos(t), 1e-12);
    EXPECT_NEAR(ve.z, 0, 1e-12);
}

TEST(Zoom, FactoresDeAcercarYAlejar) {
    const Punto3 objetivo{1, 2, 3}, ojo{-4, -3, 8};
    const double d = distancia(ojo, objetivo);
    const Punto3 cerca = acercar(ojo, objetivo, kFactorAcercar);
    EXPECT_DOUBLE_EQ(distancia(cerca, objetivo), 0.9 * d);
    EXPECT_DOUBLE_EQ(distancia(acercar(ojo, objetivo, kFactorAlejar), objetivo), 1.1 * d);
    EXPECT_NEAR(punto(resta(cerca, objetivo), resta(ojo, objetivo)), 0.9 * d * d, 1e-9);  // misma recta
}

TEST(Vertical, VectorArribaContinuoYAngulosDefinidos) {
    const Punto3 objetivo{3, 2, 1.5};
    for (double azimut : {0.3, 2.0, 4.0}) {
        for (double signo : {1.0, -1.0}) {
            // Casi en la vertical, "arriba" en pantalla es Z proyectado sobre el plano de la vista.
            const Punto3 casi{objetivo.x + 1e-6 * std::cos(azimut), objetivo.y + 1e-6 * std::sin(azimut),
                              objetivo.z + signo * 5};
            const Punto3 f = resta(objetivo, casi);
            const double k = f.z / punto(f, f);
            Punto3 z{-k * f.x, -k * f.y, 1 - k * f.z};
            const double n = norma(z);
            const Punto3 u = vectorArriba({objetivo.x, objetivo.y, objetivo.z + signo * 5}, objetivo, azimut);
            EXPECT_NEAR(u.x, z.x / n, 1e-5) << azimut << " " << signo;
            EXPECT_NEAR(u.y, z.y / n, 1e-5) << azimut << " " << signo;
            EXPECT_EQ(vectorArriba(casi, objetivo, azimut).z, 1);  // fuera de la vertical, Z
        }
    }
    const Angulos a = angulosCamara({3, 2, 8}, objetivo, 1.25);
    EXPECT_EQ(a.azimut, 1.25);
    EXPECT_DOUBLE_EQ(a.elevacion, kPi / 2);
    const AngulosFrente f = angulosDeFrente({3, 2, 8}, objetivo, 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(f.elevacionGrados, 90);
    EXPECT_NEAR(f.azimutGrados, -135, 1e-12);
    EXPECT_TRUE(std::isfinite(angulosDeFrente(objetivo, objetivo, 0.0).elevacionGrados));
}
