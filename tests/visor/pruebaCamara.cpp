// Aritmética de la cámara: encuadre, tamaño mínimo, proyección, órbita, paneo,
// zoom y la cámara en la vertical del objetivo.
#include <gtest/gtest.h>

#include <cmath>

#include "visor/camara.h"

namespace {

constexpr double kPi = 3.141592653589793;

Punto3 resta(const Punto3& a, const Punto3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double punto(const Punto3& a, const Punto3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Punto3 cruz(const Punto3& a, const Punto3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double norma(const Punto3& a) { return std::sqrt(punto(a, a)); }
bool finito(const Punto3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Azimut de la cámara en radianes, en [0, 2 pi).
double azimutDe(const Punto3& ojo, const Punto3& objetivo) {
    double a = std::atan2(ojo.y - objetivo.y, ojo.x - objetivo.x);
    return a < 0 ? a + 2 * kPi : a;
}

}  // namespace

TEST(Encuadre, LaCajaSiempreContieneElOrigen) {
    const Encuadre e = encuadrar({{1, 2, 3}, {4, 6, 5}});
    EXPECT_EQ(e.xMin, 0);
    EXPECT_EQ(e.yMin, 0);
    EXPECT_EQ(e.zMin, 0);
    EXPECT_EQ(e.xMax, 4);
    EXPECT_EQ(e.yMax, 6);
    EXPECT_EQ(e.zMax, 5);
    const double d = std::sqrt(16.0 + 36.0 + 25.0);
    EXPECT_DOUBLE_EQ(e.diagonal, d);
    // Objetivo a medio camino entre el origen y el extremo más lejano.
    EXPECT_DOUBLE_EQ(e.objetivo.x, 2);
    EXPECT_DOUBLE_EQ(e.objetivo.y, 3);
    EXPECT_DOUBLE_EQ(e.objetivo.z, 2.5);
    // Cámara del lado -X, -Y, por encima del techo del modelo.
    EXPECT_DOUBLE_EQ(e.ojo.x, 2 - d);
    EXPECT_DOUBLE_EQ(e.ojo.y, 3 - d);
    EXPECT_DOUBLE_EQ(e.ojo.z, 5 + 0.5 * d);
    EXPECT_DOUBLE_EQ(e.distancia, distancia(e.ojo, e.objetivo));

    const Encuadre m = encuadrar({{-2, 1, -1}, {3, -4, 2}});
    EXPECT_EQ(m.xMin, -2);
    EXPECT_EQ(m.yMin, -4);
    EXPECT_EQ(m.zMin, -1);
    EXPECT_EQ(m.xMax, 3);
    EXPECT_EQ(m.yMax, 1);
    EXPECT_EQ(m.zMax, 2);
}

TEST(Encuadre, SinNudosLaCamaraCoincideConElObjetivo) {
    const Encuadre e = encuadrar({});
    EXPECT_EQ(e.diagonal, 0);
    EXPECT_EQ(e.distancia, 0);
    EXPECT_EQ(e.ojo.x, e.objetivo.x);
    EXPECT_EQ(e.ojo.y, e.objetivo.y);
    EXPECT_EQ(e.ojo.z, e.objetivo.z);
    EXPECT_EQ(e.objetivo.z, 0);
}

TEST(Ventana, TamanoMinimoYAltoCero) {
    const Tamano t = tamanoAceptado(500, 300);
    EXPECT_EQ(t.ancho, 600);
    EXPECT_EQ(t.alto, 400);
    const Tamano g = tamanoAceptado(1000, 800);
    EXPECT_EQ(g.ancho, 1000);
    EXPECT_EQ(g.alto, 800);
    const Tamano solo = tamanoAceptado(500, 900);
    EXPECT_EQ(solo.ancho, 600);
    EXPECT_EQ(solo.alto, 900);
    EXPECT_EQ(tamanoAceptado(700, 0).alto, 400);
}

TEST(Ventana, VolumenesDeProyeccion) {
    const Proyeccion p = proyeccion(1000, 800, true, 10);
    EXPECT_TRUE(p.perspectiva);
    EXPECT_EQ(p.campoVertical, 45);
    EXPECT_DOUBLE_EQ(p.aspecto, 1.25);
    EXPECT_EQ(p.cerca, 0.01);
    EXPECT_EQ(p.lejos, 1e6);

    // Ortográfica apaisada: el alto visible es la distancia a la cámara.
    const Proyeccion a = proyeccion(1000, 800, false, 10);
    EXPECT_FALSE(a.perspectiva);
    EXPECT_DOUBLE_EQ(a.izquierda, -6.25);
    EXPECT_DOUBLE_EQ(a.derecha, 6.25);
    EXPECT_DOUBLE_EQ(a.abajo, -5);
    EXPECT_DOUBLE_EQ(a.arriba, 5);
    EXPECT_EQ(a.cerca, -1e6);
    EXPECT_EQ(a.lejos, 1e6);

    // Ortográfica vertical: el ancho visible es la distancia.
    const Proyeccion v = proyeccion(600, 900, false, 10);
    EXPECT_DOUBLE_EQ(v.izquierda, -5);
    EXPECT_DOUBLE_EQ(v.derecha, 5);
    EXPECT_DOUBLE_EQ(v.abajo, -7.5);
    EXPECT_DOUBLE_EQ(v.arriba, 7.5);

    // El zoom (otra distancia) cambia la extensión ortográfica.
    EXPECT_DOUBLE_EQ(proyeccion(1000, 800, false, 9).arriba, 4.5);
}

TEST(Orbita, ConservaLaDistanciaYGiraEnSentidoHorario) {
    const Encuadre e = encuadrar({{6, 4, 3}});
    const double r = e.distancia;
    const double azimut0 = azimutDe(e.ojo, e.objetivo);

    const PasoOrbita derecha = orbitar(e.ojo, e.objetivo, 50, 0, 0.0);
    EXPECT_NEAR(distancia(derecha.ojo, e.objetivo), r, 1e-12 * r);
    EXPECT_NEAR(derecha.ojo.z, e.ojo.z, 1e-12 * r);  // sólo gira en azimut
    EXPECT_NEAR(derecha.deltaHoriz, 0.15, 1e-7);
    EXPECT_EQ(derecha.deltaVert, 0.0);
    // Visto desde arriba, el azimut baja: giro horario.
    EXPECT_NEAR(azimutDe(derecha.ojo, e.objetivo), azimut0 - derecha.deltaHoriz, 1e-12);
    EXPECT_NEAR(derecha.azimut, azimut0 - derecha.deltaHoriz, 1e-12);

    // Arrastrar hacia abajo sube la cámara.
    const PasoOrbita abajo = orbitar(e.ojo, e.objetivo, 0, 20, 0.0);
    EXPECT_GT(abajo.ojo.z, e.ojo.z);
    EXPECT_NEAR(distancia(abajo.ojo, e.objetivo), r, 1e-12 * r);
}

TEST(Orbita, LaElevacionSeDetieneEnLaVerticalYSePuedeVolver) {
    const Encuadre e = encuadrar({{6, 4, 3}});
    const double r = e.distancia;
    const double azimut0 = azimutDe(e.ojo, e.objetivo);

    // Un arrastre largo hacia abajo deja la cámara justo encima, a la misma distancia.
    const PasoOrbita arriba = orbitar(e.ojo, e.objetivo, 0, 2000, azimut0);
    EXPECT_EQ(arriba.ojo.x, e.objetivo.x);
    EXPECT_EQ(arriba.ojo.y, e.objetivo.y);
    EXPECT_DOUBLE_EQ(arriba.ojo.z, e.objetivo.z + r);
    EXPECT_NEAR(arriba.azimut, azimut0, 1e-12);

    // Desde la vertical (rh = 0) el azimut guardado permite seguir: ni NaN ni salto.
    const PasoOrbita mas = orbitar(arriba.ojo, e.objetivo, 10, 100, arriba.azimut);
    EXPECT_TRUE(finito(mas.ojo));
    EXPECT_DOUBLE_EQ(mas.ojo.z, e.objetivo.z + r);

    const PasoOrbita vuelta = orbitar(arriba.ojo, e.objetivo, 0, -300, arriba.azimut);
    ASSERT_TRUE(finito(vuelta.ojo));
    EXPECT_NEAR(distancia(vuelta.ojo, e.objetivo), r, 1e-12 * r);
    EXPECT_LT(vuelta.ojo.z, e.objetivo.z + r);
    // Baja por el mismo lado por el que subió.
    EXPECT_NEAR(azimutDe(vuelta.ojo, e.objetivo), azimut0, 1e-9);

    // Hacia arriba se detiene justo debajo.
    const PasoOrbita debajo = orbitar(e.ojo, e.objetivo, 0, -5000, azimut0);
    EXPECT_EQ(debajo.ojo.x, e.objetivo.x);
    EXPECT_EQ(debajo.ojo.y, e.objetivo.y);
    EXPECT_DOUBLE_EQ(debajo.ojo.z, e.objetivo.z - r);
}

TEST(Orbita, CamaraSobreElObjetivoSinDistancia) {
    // Modelo sin nudos: cámara y objetivo coinciden.
    const Punto3 o{0, 0, 0};
    const PasoOrbita p = orbitar(o, o, 30, 40, 1.0);
    EXPECT_TRUE(finito(p.ojo));
    EXPECT_EQ(distancia(p.ojo, o), 0);
    EXPECT_TRUE(finito(desplazamientoPaneo(o, o, 30, 40, 1.0)));
    EXPECT_TRUE(finito(acercar(o, o, kFactorAlejar)));
}

TEST(Paneo, SigueLaHorizontalYLaVerticalDeLaPantalla) {
    const Punto3 objetivo{3, 2, 1.5};
    const Punto3 ojo{-5, -4, 9};
    const Punto3 vista = resta(objetivo, ojo);
    const Punto3 derechaPantalla = cruz(vista, {0, 0, 1});

    const Punto3 h = desplazamientoPaneo(ojo, objetivo, 10, 0, 0.0);
    EXPECT_NEAR(norma(h), 0.1, 1e-12);
    EXPECT_EQ(h.z, 0);
    EXPECT_NEAR(punto(h, vista), 0, 1e-12);
    // Arrastrar a la derecha lleva la cámara hacia la izquierda: el modelo sigue al ratón.
    EXPECT_LT(punto(h, derechaPantalla), 0);

    const Punto3 v = desplazamientoPaneo(ojo, objetivo, 0, 10, 0.0);
    EXPECT_NEAR(norma(v), 0.1, 1e-12);
    EXPECT_NEAR(punto(v, vista), 0, 1e-12);
    EXPECT_NEAR(punto(v, derechaPantalla), 0, 1e-12);
    EXPECT_GT(v.z, 0);  // arrastrar hacia abajo sube la cámara

    // Con la cámara justo encima, el paneo usa el azimut guardado.
    const Punto3 encima{3, 2, 10};
    const double azimut = 5 * kPi / 4;
    const Punto3 he = desplazamientoPaneo(encima, objetivo, 10, 0, azimut);
    const Punto3 ve = desplazamientoPaneo(encima, objetivo, 0, 10, azimut);
    ASSERT_TRUE(finito(he));
    ASSERT_TRUE(finito(ve));
    EXPECT_NEAR(he.x, 0.1 * std::sin(azimut), 1e-12);
    EXPECT_NEAR(he.y, -0.1 * std::cos(azimut), 1e-12);
    EXPECT_NEAR(ve.x, -0.1 * std::cos(azimut), 1e-12);
    EXPECT_NEAR(ve.y, -0.1 * std::sin(azimut), 1e-12);
    EXPECT_NEAR(ve.z, 0, 1e-12);
}

TEST(Zoom, FactoresDeAcercarYAlejar) {
    const Punto3 objetivo{1, 2, 3};
    const Punto3 ojo{-4, -3, 8};
    const double d = distancia(ojo, objetivo);
    const Punto3 cerca = acercar(ojo, objetivo, kFactorAcercar);
    const Punto3 lejos = acercar(ojo, objetivo, kFactorAlejar);
    EXPECT_DOUBLE_EQ(distancia(cerca, objetivo), 0.9 * d);
    EXPECT_DOUBLE_EQ(distancia(lejos, objetivo), 1.1 * d);
    // Sobre la misma recta: la dirección de la vista no cambia.
    EXPECT_NEAR(norma(cruz(resta(cerca, objetivo), resta(ojo, objetivo))), 0, 1e-12);
    EXPECT_GT(punto(resta(lejos, objetivo), resta(ojo, objetivo)), 0);
}

TEST(Vertical, VectorArribaContinuoAlLlegarALaVertical) {
    const Punto3 objetivo{3, 2, 1.5};
    for (double azimut : {0.3, 2.0, 4.0}) {
        for (double signo : {1.0, -1.0}) {
            // Casi en la vertical: "arriba" en pantalla es Z proyectado sobre el
            // plano de la pantalla.
            const double rh = 1e-6;
            const Punto3 casi{objetivo.x + rh * std::cos(azimut), objetivo.y + rh * std::sin(azimut),
                              objetivo.z + signo * 5};
            const Punto3 f = resta(objetivo, casi);
            const double ff = punto(f, f);
            const Punto3 z{0, 0, 1};
            const double k = punto(z, f) / ff;
            Punto3 proyectado{z.x - k * f.x, z.y - k * f.y, z.z - k * f.z};
            const double n = norma(proyectado);
            proyectado = {proyectado.x / n, proyectado.y / n, proyectado.z / n};

            const Punto3 justo{objetivo.x, objetivo.y, objetivo.z + signo * 5};
            const Punto3 u = vectorArriba(justo, objetivo, azimut);
            EXPECT_NEAR(u.x, proyectado.x, 1e-5) << azimut << " " << signo;
            EXPECT_NEAR(u.y, proyectado.y, 1e-5) << azimut << " " << signo;
            EXPECT_NEAR(u.z, 0, 1e-12);
            // Fuera de la vertical se usa Z tal cual.
            const Punto3 uz = vectorArriba(casi, objetivo, azimut);
            EXPECT_EQ(uz.z, 1);
        }
    }
}

TEST(Vertical, AngulosDefinidosConLaCamaraEncima) {
    const Punto3 objetivo{3, 2, 1.5};
    const Angulos a = angulosCamara({3, 2, 8}, objetivo, 1.25);
    EXPECT_EQ(a.azimut, 1.25);
    EXPECT_DOUBLE_EQ(a.elevacion, kPi / 2);
    EXPECT_DOUBLE_EQ(angulosCamara({3, 2, -8}, objetivo, 1.25).elevacion, -kPi / 2);

    const AngulosFrente f = angulosDeFrente({3, 2, 8}, objetivo, 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(f.elevacionGrados, 90);
    EXPECT_NEAR(f.azimutGrados, -135, 1e-12);

    const AngulosFrente c = angulosDeFrente(objetivo, objetivo, 0.0);
    EXPECT_TRUE(std::isfinite(c.azimutGrados));
    EXPECT_TRUE(std::isfinite(c.elevacionGrados));
}
