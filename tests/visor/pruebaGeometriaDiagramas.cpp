// Geometría de los diagramas, cargas y reacciones, calculada sobre modelos
// cargados con el cargador real y analizados con funcionSolve.
#include <cmath>
#include <cstdio>

#include "../nucleo/utilidades.h"
#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "visor/geometriaDiagramas.h"

namespace {

// Viga simplemente apoyada de 5 m a lo largo de X (y local = Z global).
// C1: q = -2 en y local; C2: q = -2 en z local.
const char* const kViga =
    "nudos: 1 0 0 0  2 5 0 0  barras: 1 1 2\n"
    "apoyo: 1 1 1 1 0 0  1  apoyo: 0 1 1 0 0 0  2\n"
    "seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1\n"
    "distribuidaLocalY: Y -2 -2  1  distribuidaLocalZ: Z -2 -2  1\n"
    "combo: C1 1 Y  combo: C2 1 Z\n";

constexpr double kL = 5.0, kEscala = 0.1, kAltura = 0.15;
const TipoDiagrama kTipos[] = {TipoDiagrama::Axial,     TipoDiagrama::CortanteY, TipoDiagrama::MomentoY,
                               TipoDiagrama::CortanteZ, TipoDiagrama::MomentoZ,  TipoDiagrama::Torsion};

// Carga el modelo en los globales (y lo analiza si se pide), sin ensuciar la consola.
bool cargar(const char* texto, bool analizar) {
    ArchivoTemporal archivo(texto);
    CapturaConsola silencio;
    nombreArchivo = archivo.ruta();
    funcionLeerArchivo();
    return analizar && funcionSolve();
}

void esperarPunto(const Eigen::Vector3d& real, double x, double y, double z) {
    EXPECT_NEAR((real - Eigen::Vector3d(x, y, z)).norm(), 0.0, 1e-9) << real.transpose();
}

GeometriaDiagrama diagrama(int c, TipoDiagrama tipo) {
    auto g = geometriaDiagrama(barra[0], c, tipo, kEscala, 3, kAltura);
    EXPECT_TRUE(g.has_value());
    return g ? *g : GeometriaDiagrama{};
}

}  // namespace

TEST(GeometriaDiagramas, CortanteYMomentoEnElPlanoXY) {
    ASSERT_TRUE(cargar(kViga, true));
    // M(x) = 5x - x², positivo en el vano: se dibuja hacia -y local (abajo).
    const GeometriaDiagrama m = diagrama(0, TipoDiagrama::MomentoY);
    ASSERT_EQ(m.puntos.size(), 21u);
    for (size_t j = 0; j < 21; ++j) {
        const double x = kL * static_cast<double>(j) / 20;
        esperarPunto(m.puntos[j], x, -(5 * x - x * x) * kEscala, 0);
        esperarPunto(m.pies[j], x, 0, 0);
    }
    EXPECT_EQ(m.valorInicio.alineacion, 1);
    EXPECT_EQ(m.valorFin.alineacion, 3);
    // Momento extremo q L²/8 con su signo, centrado en el diagrama donde el corte se anula.
    ASSERT_TRUE(m.extra.has_value());
    EXPECT_NEAR(m.extra->valor, 6.25, 1e-9);
    EXPECT_EQ(m.extra->alineacion, 2);
    esperarPunto(m.extra->posicion, 2.5, -6.25 * kEscala, 0);

    // Vy(x) = 5 - 2x, hacia el lado de su signo; los valores escritos conservan el signo.
    const GeometriaDiagrama v = diagrama(0, TipoDiagrama::CortanteY);
    esperarPunto(v.puntos.front(), 0, 5 * kEscala, 0);
    EXPECT_NEAR(v.valorFin.valor, -5, 1e-9);
    ASSERT_TRUE(v.extra.has_value());
    EXPECT_EQ(v.extra->texto, "x0= 2.500");
    esperarPunto(v.extra->posicion, 2.5, 0.2 * kAltura, 0);
}

TEST(GeometriaDiagramas, CortanteYMomentoZEnElPlanoXZ) {
    ASSERT_TRUE(cargar(kViga, true));
    const Eigen::MatrixXd mz = barra[0].getSolicitacionMz(1, 21);
    const GeometriaDiagrama m = diagrama(1, TipoDiagrama::MomentoZ);
    for (Eigen::Index j = 0; j < 21; ++j) esperarPunto(m.puntos[size_t(j)], mz(0, j), 0, -mz(1, j) * kEscala);
    EXPECT_NEAR(std::fabs(mz(1, 10)), 6.25, 1e-9);
    ASSERT_TRUE(m.extra.has_value());
    esperarPunto(m.extra->posicion, 2.5, 0, -m.extra->valor * kEscala);
    const GeometriaDiagrama v = diagrama(1, TipoDiagrama::CortanteZ);
    ASSERT_TRUE(v.extra.has_value());
    EXPECT_EQ(v.extra->texto, "x0= 2.500");
    esperarPunto(v.extra->posicion, 2.5, 0, 0.2 * kAltura);
    // C1 no carga el plano xz: corte nulo sin cero aislado, ni rótulo ni extremo.
    EXPECT_FALSE(diagrama(0, TipoDiagrama::CortanteZ).extra.has_value());
    EXPECT_FALSE(diagrama(0, TipoDiagrama::MomentoZ).extra.has_value());
}

TEST(GeometriaDiagramas, DeformadaDesdeElNudoDesplazado) {
    ASSERT_TRUE(cargar(kViga, true));
    const double s = 100;
    const auto d = barraDeformada(barra[0], nudo[0], 0, s);
    ASSERT_TRUE(d.has_value());
    esperarPunto(d->origen, 0, 0, 0);
    // Flecha en el centro de la viga biapoyada: 5 q L⁴ / (384 E Iz), hacia abajo.
    const double flecha = 5 * 2 * std::pow(kL, 4) / (384 * 2e8 * 3e-4);
    esperarPunto(d->puntos[10], 2.5, -flecha * s, 0);
    const auto n = nudoDeformado(nudo[1], 0, s);
    ASSERT_TRUE(n.has_value());
    EXPECT_NEAR(n->posicion.x(), kL + s * n->valores[0], 1e-12);
}

TEST(GeometriaDiagramas, NadaSinAnalisisFallidoOComboFueraDeRango) {
    cargar(kViga, false);
    {
        CapturaConsola cap;
        for (TipoDiagrama t : kTipos) EXPECT_FALSE(geometriaDiagrama(barra[0], 0, t, 1, 3, kAltura));
        EXPECT_FALSE(nudoDeformado(nudo[1], 0, 1));
        EXPECT_FALSE(barraDeformada(barra[0], nudo[0], 0, 1));
        EXPECT_TRUE(lineasReacciones(nudo[0], 0, 10, kAltura).empty());
        EXPECT_EQ(cap.texto(), "");  // ni el aviso de constantes sin calcular
    }
    EXPECT_EQ(cargasDistribuidas(barra[0], 0, 1, kAltura).size(), 1u);  // las cargas sí

    ASSERT_TRUE(cargar(kViga, true));
    for (int c : {-1, 2}) {
        for (TipoDiagrama t : kTipos) EXPECT_FALSE(geometriaDiagrama(barra[0], c, t, 1, 3, kAltura));
        EXPECT_FALSE(nudoDeformado(nudo[1], c, 1));
        EXPECT_TRUE(lineasReacciones(nudo[0], c, 10, kAltura).empty());
        EXPECT_TRUE(cargasDistribuidas(barra[0], c, 1, kAltura).empty());
        EXPECT_TRUE(cargasPuntuales(nudo[0], c, 1).empty());
    }

    // Sin apoyos la estructura es un mecanismo: el análisis falla.
    ASSERT_FALSE(cargar("nudos: 1 0 0 0 2 5 0 0 barras: 1 1 2\n"
                        "seccionGenerica: G 0.01 2e-4 3e-4 1e-5 2e8 0.3 0 1\n"
                        "distribuidaLocalY: Y -2 -2 1 combo: C1 1 Y",
                        true));
    for (TipoDiagrama t : kTipos) EXPECT_FALSE(geometriaDiagrama(barra[0], 0, t, 1, 3, kAltura));
    EXPECT_FALSE(barraDeformada(barra[0], nudo[0], 0, 1));
}

TEST(GeometriaCargas, PuntualesYDistribuidas) {
    // Tres barras de 5 m a lo largo de X; el nudo 1 en el origen.
    cargar("nudos: 1 0 0 0  2 5 0 0  3 0 2 0  4 5 2 0  5 0 4 0  6 5 4 0\n"
           "barras: 1 1 2  2 3 4  3 5 6\n"
           "puntual: P  0 0 -10 0 4 0  1\n"
           "distribuidaLocalY: P -2 -2  1\n"
           "distribuidaLocalY: P 1e-6 -1e-6  2  distribuidaLocalZ: P 0 2e-5  2\n"
           "distribuidaLocalY: P 0 3  3  distribuidaLocalX: P 1 -1  3  distribuidaLocalT: P -0.5  3\n"
           "combo: C 1 P\n",
           false);
    const double s = 0.1;
    // Fuerza Pz = -10: de (0,0,1) al nudo, con 10 en la cola. Momento: doble punta.
    const auto p = cargasPuntuales(nudo[0], 0, s);
    ASSERT_EQ(p.size(), 2u);
    esperarPunto(p[0].flechas[0].cola, 0, 0, 1);
    esperarPunto(p[0].flechas[0].punta, 0, 0, 0);
    esperarPunto(p[0].numero.posicion, 0, 0, 1);
    EXPECT_DOUBLE_EQ(p[0].numero.valor, 10);
    ASSERT_TRUE(p[1].esMomento);
    esperarPunto(p[1].flechas[0].punta, 0, 0.4, 0);
    esperarPunto(p[1].flechas[1].punta, 0, 0.28, 0);

    // q = -2 en y: once flechas cada 0.5 desde y = 2 s al eje, línea de colas y |q| en los extremos.
    const auto u = cargasDistribuidas(barra[0], 0, s, kAltura);
    ASSERT_EQ(u.size(), 1u);
    ASSERT_EQ(u[0].flechas.size(), 11u);
    for (int k = 0; k < 11; ++k) {
        esperarPunto(u[0].flechas[k].cola, 0.5 * k, 2 * s, 0);
        esperarPunto(u[0].flechas[k].punta, 0.5 * k, 0, 0);
    }
    esperarPunto(u[0].lineaCarga->punta, kL, 2 * s, 0);
    esperarPunto(u[0].numeros[1].posicion, 4.75, 2 * s, 0);
    EXPECT_DOUBLE_EQ(u[0].numeros[1].valor, 2);

    // 1e-6 en ambos extremos no se dibuja; 2e-5 sólo al final sí.
    const auto umbral = cargasDistribuidas(barra[1], 0, 1, kAltura);
    ASSERT_EQ(umbral.size(), 1u);
    EXPECT_EQ(umbral[0].tipo, TipoDistribuida::LocalZ);
    esperarPunto(umbral[0].flechas.back().cola, kL, 0, -2e-5);

    // Triangular, axial de media nula (sin puntas pero con números) y torsión negativa.
    const auto d = cargasDistribuidas(barra[2], 0, s, kAltura);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].flechas.front().cola, d[0].flechas.front().punta);
    esperarPunto(d[0].flechas.back().cola, kL, -3 * s, 0);
    EXPECT_EQ(d[1].tipo, TipoDistribuida::Axial);
    EXPECT_TRUE(d[1].flechas.empty());
    EXPECT_EQ(d[1].numeros.size(), 2u);
    EXPECT_EQ(d[2].tipo, TipoDistribuida::Torsion);
    EXPECT_EQ(d[2].estaciones.size(), 11u);
    EXPECT_EQ(d[2].sentido, -1);
}

TEST(GeometriaReacciones, UnaLineaPorRestriccionEnOrden) {
    // Empotrada en 1, con Uz y giroY restringidos en 2; el nudo 3 no tiene apoyo.
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 5 0 0  3 2.5 0 0  barras: 1 1 3  2 3 2\n"
                       "apoyo: 1 1 1 1 1 1  1  apoyo: 0 0 1 0 1 0  2\n"
                       "seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1 2\n"
                       "distribuidaLocalY: Y -2 -2  1 2  combo: C1 1 Y\n",
                       true));
    const double diag = 20;
    const auto l = lineasReacciones(nudo[1], 0, diag, kAltura);
    ASSERT_EQ(l.size(), 2u);
    char esperado[2][100];
    std::snprintf(esperado[0], 100, "Rz: %f", nudo[1].getReaccionRz(0));
    std::snprintf(esperado[1], 100, "My: %f", nudo[1].getReaccionMy(0));
    EXPECT_EQ(l[0].texto, esperado[0]);
    EXPECT_EQ(l[1].texto, esperado[1]);
    EXPECT_NEAR(std::fabs(nudo[1].getReaccionRz(0)), 5.0, 1e-9);
    esperarPunto(l[0].posicion, diag / 100, 0, 0);
    esperarPunto(l[1].posicion, diag / 100, -kAltura, 0);

    const auto empotrado = lineasReacciones(nudo[0], 0, diag, kAltura);
    ASSERT_EQ(empotrado.size(), 6u);
    EXPECT_EQ(empotrado[3].texto.substr(0, 4), "Mx: ");
    EXPECT_NEAR(empotrado[5].posicion.y(), -5 * kAltura, 1e-12);
    EXPECT_TRUE(lineasReacciones(nudo[2], 0, diag, kAltura).empty());
}
