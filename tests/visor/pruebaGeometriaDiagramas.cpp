// Geometría de los diagramas, cargas y reacciones, calculada sobre modelos
// cargados con el cargador real y analizados con funcionSolve.
#include <cmath>
#include <string>

#include "../nucleo/utilidades.h"
#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "visor/geometriaDiagramas.h"

namespace {

// Viga simplemente apoyada de 5 m a lo largo de X (y local = Z global).
// C1: q = -2 en y local; C2: q = -2 en z local y carga axial uniforme 1.
const char* const kViga = R"(
nudos: 1 0 0 0  2 5 0 0
barras: 1 1 2
apoyo: 1 1 1 1 0 0  1
apoyo: 0 1 1 0 0 0  2
seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1
distribuidaLocalY: Y -2 -2  1
distribuidaLocalZ: Z -2 -2  1
distribuidaLocalX: Z 1 1  1
combo: C1 1 Y
combo: C2 1 Z
)";

constexpr double kL = 5.0;
constexpr double kEscala = 0.1;
constexpr double kAltura = 0.15;

class Modelo {
public:
    Modelo(const char* texto, bool analizar) : archivo_(texto) {
        CapturaConsola silencio;
        nombreArchivo = archivo_.ruta();
        funcionLeerArchivo();
        if (analizar) analizado_ = funcionSolve();
    }
    bool analizado() const { return analizado_; }

private:
    ArchivoTemporal archivo_;
    bool analizado_ = false;
};

void esperarPunto(const Eigen::Vector3d& real, double x, double y, double z) {
    EXPECT_NEAR(real.x(), x, 1e-9);
    EXPECT_NEAR(real.y(), y, 1e-9);
    EXPECT_NEAR(real.z(), z, 1e-9);
}

GeometriaDiagrama diagrama(int c, TipoDiagrama tipo) {
    auto g = geometriaDiagrama(barra[0], c, tipo, kEscala, 3, kAltura);
    EXPECT_TRUE(g.has_value());
    return g ? *g : GeometriaDiagrama{};
}

}  // namespace

TEST(GeometriaDiagramas, MomentoYDelLadoOpuestoAlSignoConExtremoEnElCentro) {
    Modelo m(kViga, true);
    ASSERT_TRUE(m.analizado());
    const GeometriaDiagrama g = diagrama(0, TipoDiagrama::MomentoY);
    ASSERT_EQ(g.puntos.size(), 21u);
    // M(x) = 5x - x²: positivo en el vano, dibujado hacia -y local (abajo).
    for (size_t j = 0; j < 21; ++j) {
        const double x = kL * static_cast<double>(j) / 20;
        esperarPunto(g.puntos[j], x, -(5 * x - x * x) * kEscala, 0);
        esperarPunto(g.pies[j], x, 0, 0);
    }
    esperarPunto(g.valorInicio.posicion, 0, 0, 0);
    EXPECT_EQ(g.valorInicio.alineacion, 1);
    esperarPunto(g.valorFin.posicion, kL, 0, 0);
    EXPECT_EQ(g.valorFin.alineacion, 3);
    // Momento extremo q L²/8 = 6.25, con su signo, centrado en el punto del diagrama.
    ASSERT_TRUE(g.extra.has_value());
    EXPECT_TRUE(g.extra->texto.empty());
    EXPECT_NEAR(g.extra->valor, 6.25, 1e-9);
    EXPECT_EQ(g.extra->alineacion, 2);
    esperarPunto(g.extra->posicion, 2.5, -6.25 * kEscala, 0);
}

TEST(GeometriaDiagramas, CortanteYConRotuloDelCeroYValoresConSigno) {
    Modelo m(kViga, true);
    ASSERT_TRUE(m.analizado());
    const GeometriaDiagrama g = diagrama(0, TipoDiagrama::CortanteY);
    // Vy(x) = 5 - 2x, dibujado hacia el lado de su signo.
    esperarPunto(g.puntos.front(), 0, 5 * kEscala, 0);
    esperarPunto(g.puntos.back(), kL, -5 * kEscala, 0);
    EXPECT_NEAR(g.valorInicio.valor, 5, 1e-9);
    EXPECT_NEAR(g.valorFin.valor, -5, 1e-9);
    ASSERT_TRUE(g.extra.has_value());
    EXPECT_EQ(g.extra->texto, "x0= 2.500");
    EXPECT_EQ(g.extra->alineacion, 2);
    esperarPunto(g.extra->posicion, 2.5, 0.2 * kAltura, 0);
}

TEST(GeometriaDiagramas, CortanteYMomentoZEnElPlanoXZLocal) {
    Modelo m(kViga, true);
    ASSERT_TRUE(m.analizado());
    const Eigen::MatrixXd mz = barra[0].getSolicitacionMz(1, 21);
    const GeometriaDiagrama g = diagrama(1, TipoDiagrama::MomentoZ);
    for (size_t j = 0; j < 21; ++j)
        esperarPunto(g.puntos[j], mz(0, static_cast<Eigen::Index>(j)), 0,
                     -mz(1, static_cast<Eigen::Index>(j)) * kEscala);
    EXPECT_GT(std::fabs(mz(1, 10)), 6.0);
    ASSERT_TRUE(g.extra.has_value());
    esperarPunto(g.extra->posicion, 2.5, 0, -g.extra->valor * kEscala);

    const GeometriaDiagrama v = diagrama(1, TipoDiagrama::CortanteZ);
    ASSERT_TRUE(v.extra.has_value());
    EXPECT_EQ(v.extra->texto, "x0= 2.500");
    esperarPunto(v.extra->posicion, 2.5, 0, 0.2 * kAltura);
    for (const Eigen::Vector3d& p : v.puntos) EXPECT_EQ(p.y(), 0.0);

    // C1 no carga el plano xz: corte nulo sin cero aislado, ni rótulo ni extremo.
    EXPECT_FALSE(diagrama(0, TipoDiagrama::CortanteZ).extra.has_value());
    EXPECT_FALSE(diagrama(0, TipoDiagrama::MomentoZ).extra.has_value());
}

TEST(GeometriaDiagramas, AxialYTorsionHaciaElLadoDelSigno) {
    Modelo m(kViga, true);
    ASSERT_TRUE(m.analizado());
    // Carga axial 1 hacia +x con el nudo 1 fijo en X: tracción 5 en el inicio, 0 al final.
    const GeometriaDiagrama n = diagrama(1, TipoDiagrama::Axial);
    esperarPunto(n.puntos.front(), 0, 5 * kEscala, 0);
    esperarPunto(n.puntos.back(), kL, 0, 0);
    EXPECT_FALSE(n.extra.has_value());
    const GeometriaDiagrama t = diagrama(1, TipoDiagrama::Torsion);
    for (const Eigen::Vector3d& p : t.puntos) EXPECT_NEAR(p.y(), 0.0, 1e-9);
}

TEST(GeometriaDiagramas, DeformadaDesdeElNudoDesplazado) {
    Modelo m(kViga, true);
    ASSERT_TRUE(m.analizado());
    const double s = 100;
    const auto d = barraDeformada(barra[0], nudo[0], 0, s);
    ASSERT_TRUE(d.has_value());
    ASSERT_EQ(d->puntos.size(), 21u);
    esperarPunto(d->origen, 0, 0, 0);
    esperarPunto(d->puntos.front(), 0, 0, 0);
    // Flecha en el centro de la viga biapoyada: 5 q L⁴ / (384 E Iz), hacia abajo.
    const double flecha = 5 * 2 * std::pow(kL, 4) / (384 * 2e8 * 3e-4);
    EXPECT_NEAR(d->puntos[10].y(), -flecha * s, 1e-9);
    EXPECT_NEAR(d->puntos[10].z(), 0, 1e-12);

    // El nudo 2 se corre en X por la carga axial de C2; sus valores no se escalan.
    const auto n2 = nudoDeformado(nudo[1], 1, s);
    ASSERT_TRUE(n2.has_value());
    EXPECT_GT(n2->valores[0], 0);
    EXPECT_NEAR(n2->posicion.x(), kL + s * n2->valores[0], 1e-12);
    EXPECT_DOUBLE_EQ(n2->valores[0], nudo[1].getDesplazamientoX(1));
}

TEST(GeometriaDiagramas, NadaSinAnalisisFallidoOComboFueraDeRango) {
    const TipoDiagrama tipos[] = {TipoDiagrama::Axial,     TipoDiagrama::CortanteY, TipoDiagrama::MomentoY,
                                  TipoDiagrama::CortanteZ, TipoDiagrama::MomentoZ,  TipoDiagrama::Torsion};
    {
        Modelo m(kViga, false);
        CapturaConsola cap;
        for (TipoDiagrama t : tipos) EXPECT_FALSE(geometriaDiagrama(barra[0], 0, t, 1, 3, kAltura)) << int(t);
        EXPECT_FALSE(nudoDeformado(nudo[1], 0, 1));
        EXPECT_FALSE(barraDeformada(barra[0], nudo[0], 0, 1));
        EXPECT_TRUE(lineasReacciones(nudo[0], 0, 10, kAltura).empty());
        // Ni el aviso de constantes sin calcular: no se pidió nada.
        EXPECT_EQ(cap.texto(), "");
        // Las cargas sí se dibujan antes del análisis.
        EXPECT_EQ(cargasDistribuidas(barra[0], 0, 1, kAltura).size(), 1u);
    }
    {
        Modelo m(kViga, true);
        ASSERT_TRUE(m.analizado());
        for (int c : {-1, 2, 100}) {
            for (TipoDiagrama t : tipos) EXPECT_FALSE(geometriaDiagrama(barra[0], c, t, 1, 3, kAltura));
            EXPECT_FALSE(nudoDeformado(nudo[1], c, 1));
            EXPECT_TRUE(lineasReacciones(nudo[0], c, 10, kAltura).empty());
            EXPECT_TRUE(cargasDistribuidas(barra[0], c, 1, kAltura).empty());
            EXPECT_TRUE(cargasPuntuales(nudo[0], c, 1).empty());
        }
    }
    {
        // Sin apoyos la estructura es un mecanismo: el análisis falla.
        Modelo m("nudos: 1 0 0 0 2 5 0 0 barras: 1 1 2\n"
                 "seccionGenerica: G 0.01 2e-4 3e-4 1e-5 2e8 0.3 0 1\n"
                 "distribuidaLocalY: Y -2 -2 1 combo: C1 1 Y",
                 true);
        ASSERT_FALSE(m.analizado());
        for (TipoDiagrama t : tipos) EXPECT_FALSE(geometriaDiagrama(barra[0], 0, t, 1, 3, kAltura));
        EXPECT_FALSE(barraDeformada(barra[0], nudo[0], 0, 1));
    }
}

// ---- Cargas ----

namespace {
// Barras de 5 m a lo largo de X; el nudo 1 en el origen.
const char* const kCargas = R"(
nudos: 1 0 0 0  2 5 0 0  3 0 2 0  4 5 2 0  5 0 4 0  6 5 4 0
barras: 1 1 2  2 3 4  3 5 6
apoyo: 1 1 1 1 1 1  1 3 5
seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1 2 3
puntual: P  0 0 -10 0 4 0  1
distribuidaLocalY: P -2 -2  1
distribuidaLocalY: P 1e-6 -1e-6  2
distribuidaLocalZ: P 0 2e-5  2
distribuidaLocalY: P 0 3  3
distribuidaLocalX: P 1 -1  3
distribuidaLocalT: P -0.5  3
combo: C 1 P
)";
}  // namespace

TEST(GeometriaCargas, PuntualesFuerzaHaciaElNudoYMomentoDeDoblePunta) {
    Modelo m(kCargas, false);
    const auto p = cargasPuntuales(nudo[0], 0, 0.1);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_FALSE(p[0].esMomento);
    EXPECT_EQ(p[0].eje, 2);
    ASSERT_EQ(p[0].flechas.size(), 1u);
    esperarPunto(p[0].flechas[0].cola, 0, 0, 1);
    esperarPunto(p[0].flechas[0].punta, 0, 0, 0);
    esperarPunto(p[0].numero.posicion, 0, 0, 1);
    EXPECT_DOUBLE_EQ(p[0].numero.valor, 10);

    EXPECT_TRUE(p[1].esMomento);
    ASSERT_EQ(p[1].flechas.size(), 2u);
    esperarPunto(p[1].flechas[0].cola, 0, 0, 0);
    esperarPunto(p[1].flechas[0].punta, 0, 0.4, 0);
    esperarPunto(p[1].flechas[1].punta, 0, 0.28, 0);
    esperarPunto(p[1].numero.posicion, 0, 0.4, 0);
    EXPECT_TRUE(cargasPuntuales(nudo[1], 0, 0.1).empty());
}

TEST(GeometriaCargas, UniformeEnYLocal) {
    Modelo m(kCargas, false);
    const double s = 0.1;
    const auto d = cargasDistribuidas(barra[0], 0, s, kAltura);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].tipo, TipoDistribuida::LocalY);
    ASSERT_EQ(d[0].flechas.size(), 11u);
    for (int k = 0; k < 11; ++k) {
        esperarPunto(d[0].flechas[k].cola, 0.5 * k, 2 * s, 0);
        esperarPunto(d[0].flechas[k].punta, 0.5 * k, 0, 0);
    }
    ASSERT_TRUE(d[0].lineaCarga.has_value());
    esperarPunto(d[0].lineaCarga->cola, 0, 2 * s, 0);
    esperarPunto(d[0].lineaCarga->punta, kL, 2 * s, 0);
    ASSERT_EQ(d[0].numeros.size(), 2u);
    esperarPunto(d[0].numeros[0].posicion, 0.25, 2 * s, 0);
    EXPECT_DOUBLE_EQ(d[0].numeros[0].valor, 2);
    EXPECT_EQ(d[0].numeros[0].alineacion, 1);
    esperarPunto(d[0].numeros[1].posicion, 4.75, 2 * s, 0);
    EXPECT_EQ(d[0].numeros[1].alineacion, 3);
}

TEST(GeometriaCargas, UmbralDePresencia) {
    Modelo m(kCargas, false);
    // qy de 1e-6 en ambos extremos no se dibuja; qz de 2e-5 sólo al final sí.
    const auto d = cargasDistribuidas(barra[1], 0, 1, kAltura);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].tipo, TipoDistribuida::LocalZ);
    EXPECT_NEAR(d[0].flechas.back().cola.z(), -2e-5, 1e-12);
    EXPECT_EQ(d[0].flechas.back().cola.y(), 0.0);
}

TEST(GeometriaCargas, TriangularAxialDeMediaNulaYTorsion) {
    Modelo m(kCargas, false);
    const double s = 0.1;
    const auto d = cargasDistribuidas(barra[2], 0, s, kAltura);
    ASSERT_EQ(d.size(), 3u);
    // Triangular de 0 a 3: la primera flecha sin largo, la última de largo 3 s.
    EXPECT_EQ(d[0].tipo, TipoDistribuida::LocalY);
    EXPECT_EQ(d[0].flechas.front().cola, d[0].flechas.front().punta);
    esperarPunto(d[0].flechas.back().cola, kL, -3 * s, 0);
    esperarPunto(d[0].lineaCarga->cola, 0, 0, 0);
    // Axial de 1 a -1: media nula, sin puntas, pero con sus dos números.
    EXPECT_EQ(d[1].tipo, TipoDistribuida::Axial);
    EXPECT_TRUE(d[1].flechas.empty());
    ASSERT_EQ(d[1].numeros.size(), 2u);
    esperarPunto(d[1].numeros[0].posicion, 0.5, 0.2 * kAltura, 0);
    EXPECT_DOUBLE_EQ(d[1].numeros[1].valor, 1);
    // Torsión negativa: once símbolos con el sentido invertido.
    EXPECT_EQ(d[2].tipo, TipoDistribuida::Torsion);
    EXPECT_EQ(d[2].estaciones.size(), 11u);
    EXPECT_EQ(d[2].sentido, -1);
    esperarPunto(d[2].numeros[0].posicion, 2.5, kL / 38, 0);
    EXPECT_DOUBLE_EQ(d[2].numeros[0].valor, 0.5);
}

TEST(GeometriaCargas, PuntasAxialesEnElSentidoDeLaMedia) {
    Modelo m("nudos: 1 0 0 0 2 5 0 0 barras: 1 1 2 distribuidaLocalX: P -1 -3 1 combo: C 1 P", false);
    const auto d = cargasDistribuidas(barra[0], 0, 1, kAltura);
    ASSERT_EQ(d.size(), 1u);
    ASSERT_EQ(d[0].flechas.size(), 11u);
    for (const Flecha& f : d[0].flechas) EXPECT_NEAR(f.punta.x() - f.cola.x(), -0.0001, 1e-12);
}

// ---- Reacciones ----

TEST(GeometriaReacciones, UnaLineaPorRestriccionEnOrden) {
    // Viga empotrada en 1 y con Uz y giroY restringidos en 2; el nudo 3 no tiene apoyo.
    Modelo m(R"(
nudos: 1 0 0 0  2 5 0 0  3 2.5 0 0
barras: 1 1 3  2 3 2
apoyo: 1 1 1 1 1 1  1
apoyo: 0 0 1 0 1 0  2
seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1 2
distribuidaLocalY: Y -2 -2  1 2
combo: C1 1 Y
)",
             true);
    ASSERT_TRUE(m.analizado());
    const double diag = 20;
    const auto l = lineasReacciones(nudo[1], 0, diag, kAltura);
    ASSERT_EQ(l.size(), 2u);
    char esperado[100];
    std::snprintf(esperado, sizeof esperado, "Rz: %f", nudo[1].getReaccionRz(0));
    EXPECT_EQ(l[0].texto, esperado);
    std::snprintf(esperado, sizeof esperado, "My: %f", nudo[1].getReaccionMy(0));
    EXPECT_EQ(l[1].texto, esperado);
    EXPECT_NEAR(std::fabs(nudo[1].getReaccionRz(0)), 5.0, 1e-9);
    esperarPunto(l[0].posicion, diag / 100, 0, 0);
    esperarPunto(l[1].posicion, diag / 100, -kAltura, 0);

    const auto empotrado = lineasReacciones(nudo[0], 0, diag, kAltura);
    ASSERT_EQ(empotrado.size(), 6u);
    const char* prefijos[] = {"Rx: ", "Ry: ", "Rz: ", "Mx: ", "My: ", "Mz: "};
    for (size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(empotrado[k].texto.substr(0, 4), prefijos[k]);
        EXPECT_NEAR(empotrado[k].posicion.y(), -kAltura * static_cast<double>(k), 1e-12);
    }
    EXPECT_TRUE(lineasReacciones(nudo[2], 0, diag, kAltura).empty());
}
