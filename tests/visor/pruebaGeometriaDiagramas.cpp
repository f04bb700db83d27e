// Geometría de los diagramas, cargas y reacciones, calculada sobre modelos
// cargados con el cargador real y analizados con funcionSolve.
#include "entornoVisor.h"
#include "visor/capas/capas.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/escena/lote.h"
#include "visor/interaccion/consultaBarra.h"

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
const Eigen::Vector3d kEjeX = Eigen::Vector3d::UnitX();

void esperarPunto(const Eigen::Vector3d& real, const Eigen::Vector3d& esperado) {
    EXPECT_NEAR((real - esperado).norm(), 0.0, 1e-9) << real.transpose() << " en vez de " << esperado.transpose();
}

GeometriaDiagrama diagrama(int c, TipoDiagrama tipo) {
    auto g = geometriaDiagrama(barra[0], c, tipo, kEscala, 3, kAltura);
    EXPECT_TRUE(g.has_value());
    return g ? *g : GeometriaDiagrama{};
}

// Nada de resultados que dibujar para la combinación c, y sin escribir nada.
void sinResultados(int c) {
    CapturaConsola consola;
    for (TipoDiagrama t : {TipoDiagrama::Axial, TipoDiagrama::CortanteY, TipoDiagrama::MomentoY,
                           TipoDiagrama::CortanteZ, TipoDiagrama::MomentoZ, TipoDiagrama::Torsion})
        EXPECT_FALSE(geometriaDiagrama(barra[0], c, t, 1, 3, kAltura)) << static_cast<int>(t);
    EXPECT_FALSE(nudoDeformado(nudo[1], c, 1));
    EXPECT_FALSE(barraDeformada(barra[0], nudo[0], c, 1));
    EXPECT_TRUE(lineasReacciones(nudo[0], c, 10, kAltura).empty());
    EXPECT_EQ(consola.texto(), "");  // ni el aviso de constantes sin calcular
}

}  // namespace

TEST(GeometriaDiagramas, OrdenadasSignosYRotulosEnLosDosPlanos) {
    ASSERT_TRUE(cargar(kViga, true));
    // En los dos planos M(x) = 5x - x² y V(x) = 5 - 2x; C1 carga el xy local, C2 el xz.
    for (int c : {0, 1}) {
        SCOPED_TRACE(c);
        const Eigen::Vector3d eje = c == 0 ? Eigen::Vector3d::UnitY() : Eigen::Vector3d::UnitZ();
        const TipoDiagrama momento = c == 0 ? TipoDiagrama::MomentoY : TipoDiagrama::MomentoZ;
        // El momento se dibuja del lado opuesto a su signo.
        const GeometriaDiagrama m = diagrama(c, momento);
        ASSERT_EQ(m.puntos.size(), 21u);
        for (size_t j = 0; j < 21; ++j) {
            const double x = kL * static_cast<double>(j) / 20;
            esperarPunto(m.puntos[j], x * kEjeX - (5 * x - x * x) * kEscala * eje);
            esperarPunto(m.pies[j], x * kEjeX);
        }
        // Los valores de los extremos quedan sobre la barra: uno empieza en su punto y el otro termina en él.
        EXPECT_EQ(std::pair(m.valorInicio.alineacion, m.valorFin.alineacion), std::pair(1, 3));
        // Momento extremo q L²/8 con su signo, centrado en el diagrama donde el corte se anula.
        ASSERT_TRUE(m.extra.has_value());
        EXPECT_NEAR(m.extra->valor, 6.25, 1e-9);
        esperarPunto(m.extra->posicion, 2.5 * kEjeX - 6.25 * kEscala * eje);
        // El corte, hacia el lado de su signo; los valores escritos conservan el signo.
        const GeometriaDiagrama v = diagrama(c, c == 0 ? TipoDiagrama::CortanteY : TipoDiagrama::CortanteZ);
        esperarPunto(v.puntos.front(), 5 * kEscala * eje);
        EXPECT_NEAR(v.valorFin.valor, -5, 1e-9);
        ASSERT_TRUE(v.extra.has_value());
        EXPECT_EQ(v.extra->texto, "x0= 2.500");
        esperarPunto(v.extra->posicion, 2.5 * kEjeX + 0.2 * kAltura * eje);
    }
    // C1 no carga el plano xz: corte nulo sin cero aislado, ni rótulo ni extremo.
    EXPECT_FALSE(diagrama(0, TipoDiagrama::CortanteZ).extra.has_value());
    EXPECT_FALSE(diagrama(0, TipoDiagrama::MomentoZ).extra.has_value());
}

TEST(GeometriaDiagramas, DeformadaDesdeElNudoDesplazado) {
    const double s = 100;
    ASSERT_TRUE(cargar(kViga, true));
    // Flecha en el centro de la viga biapoyada: 5 q L⁴ / (384 E Iz), hacia abajo.
    const auto viga = barraDeformada(barra[0], nudo[0], 0, s);
    ASSERT_TRUE(viga.has_value());
    esperarPunto(viga->puntos[10], {2.5, -5 * 2 * std::pow(kL, 4) / (384 * 2e8 * 3e-4) * s, 0});
    // La ménsula baja: su último tramo sale del nudo 3 desplazado.
    ASSERT_TRUE(cargar(kMensula, true));
    const auto n = nudoDeformado(nudo[2], 0, s);
    const auto tramo = barraDeformada(barra[2], nudo[2], 0, s);
    ASSERT_TRUE(n.has_value() && tramo.has_value());
    EXPECT_LT(n->valores[2], 0);
    esperarPunto(n->posicion, {10, 0, s * n->valores[2]});
    esperarPunto(tramo->origen, n->posicion);
}

TEST(GeometriaDiagramas, NadaAntesDelAnalisisNiTrasUnoFallidoNiConComboFueraDeRango) {
    cargar(kViga);
    sinResultados(0);
    EXPECT_EQ(cargasDistribuidas(barra[0], 0, 1, kAltura).size(), 1u);  // las cargas sí
    ASSERT_TRUE(cargar(kViga, true));
    for (int c : {-1, 2}) {
        sinResultados(c);
        EXPECT_TRUE(cargasDistribuidas(barra[0], c, 1, kAltura).empty());
        EXPECT_TRUE(cargasPuntuales(nudo[0], c, 1).empty());
    }
    // Sin apoyos la estructura es un mecanismo: el análisis falla y no quedan los resultados anteriores.
    for (objNudo3d& n : nudo) n.setApoyo(0, 0, 0, 0, 0, 0);
    CapturaConsola silencio;
    ASSERT_FALSE(funcionSolve());
    sinResultados(0);
}

TEST(GeometriaCargas, PuntualesYDistribuidasConSusUmbrales) {
    // Tres barras de 5 m a lo largo de X; el nudo 1 en el origen.
    cargar("nudos: 1 0 0 0  2 5 0 0  3 0 2 0  4 5 2 0  5 0 4 0  6 5 4 0  barras: 1 1 2  2 3 4  3 5 6\n"
           "puntual: P  0 0 -10 0 4 0  1  distribuidaLocalY: P -2 -2  1  combo: C 1 P\n"
           "distribuidaLocalY: P 1e-6 -1e-6  2  distribuidaLocalZ: P 0 2e-5  2\n"
           "distribuidaLocalY: P 0 3  3  distribuidaLocalX: P 1 -1  3  distribuidaLocalT: P -0.5  3\n");
    const double s = 0.1;
    // Fuerza Pz = -10: de (0,0,1) al nudo, con 10 en la cola. Momento My = 4: doble punta a 0.4 y 0.28.
    const auto p = cargasPuntuales(nudo[0], 0, s);
    ASSERT_EQ(p.size(), 2u);
    esperarPunto(p[0].flechas[0].cola, {0, 0, 1});
    esperarPunto(p[0].flechas[0].punta, {0, 0, 0});
    EXPECT_DOUBLE_EQ(p[0].numero.valor, 10);
    ASSERT_TRUE(p[1].esMomento);
    esperarPunto(p[1].flechas[0].punta, {0, 0.4, 0});
    esperarPunto(p[1].flechas[1].punta, {0, 0.28, 0});

    // q = -2 en y: once flechas cada 0.5 desde y = 2 s al eje, línea de colas y |q| en los extremos.
    const auto u = cargasDistribuidas(barra[0], 0, s, kAltura);
    ASSERT_EQ(u.size(), 1u);
    ASSERT_EQ(u[0].flechas.size(), 11u);
    for (int k = 0; k < 11; ++k) {
        esperarPunto(u[0].flechas[k].cola, {0.5 * k, 2 * s, 0});
        esperarPunto(u[0].flechas[k].punta, {0.5 * k, 0, 0});
    }
    esperarPunto(u[0].lineaCarga->punta, {kL, 2 * s, 0});
    EXPECT_DOUBLE_EQ(u[0].numeros[1].valor, 2);

    // 1e-6 en ambos extremos no se dibuja; 2e-5 sólo al final sí.
    const auto umbral = cargasDistribuidas(barra[1], 0, 1, kAltura);
    ASSERT_EQ(umbral.size(), 1u);
    EXPECT_EQ(umbral[0].tipo, TipoDistribuida::LocalZ);
    esperarPunto(umbral[0].flechas.back().cola, {kL, 0, -2e-5});

    // Triangular, axial de media nula (sin puntas pero con números) y torsión negativa.
    const auto d = cargasDistribuidas(barra[2], 0, s, kAltura);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].flechas.front().cola, d[0].flechas.front().punta);
    esperarPunto(d[0].flechas.back().cola, {kL, -3 * s, 0});
    EXPECT_TRUE(d[1].tipo == TipoDistribuida::Axial && d[1].flechas.empty() && d[1].numeros.size() == 2);
    EXPECT_TRUE(d[2].tipo == TipoDistribuida::Torsion && d[2].sentido == -1);
}

TEST(GeometriaReacciones, UnaLineaPorRestriccionEnOrden) {
    ASSERT_TRUE(cargar(kViga, true));
    // Con "%f", a diagonal / 100 del nudo y cada una un renglón más abajo; q L / 2 en cada apoyo.
    const auto l = lineasReacciones(nudo[1], 0, 20, kAltura);  // apoyo 0 1 1 0 0 0
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].texto + " / " + l[1].texto, "Ry: 0.000000 / Rz: 5.000000");
    esperarPunto(l[0].posicion, {0.2, 0, 0});
    esperarPunto(l[1].posicion, {0.2, -kAltura, 0});
    std::string inicio;
    for (const LineaReaccion& r : lineasReacciones(nudo[0], 0, 20, kAltura)) inicio += r.texto.substr(0, 4);
    EXPECT_EQ(inicio, "Rx: Ry: Rz: Mx: ");  // apoyo 1 1 1 1 0 0
}

TEST(GeometriaReacciones, UnResorteDaReaccionComoUnApoyo) {
    // Viga isostática: el extremo 2 descansa en un resorte vertical que toma q L / 2 = 5.
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 5 0 0  barras: 1 1 2\napoyo: 1 1 1 1 0 0  1  apoyo: 0 1 0 0 0 0  2\n"
                       "resorte: 0 0 1000 0 0 0  2\nseccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1\n"
                       "distribuidaLocalY: Y -2 -2  1\ncombo: C1 1 Y\n",
                       true));
    const auto l = lineasReacciones(nudo[1], 0, 20, kAltura);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].texto + " / " + l[1].texto, "Ry: 0.000000 / Rz: 5.000000");
    EXPECT_NEAR(desplazamientosDe(2)(2), -5.0 / 1000, 1e-12);  // la fuerza del resorte es -k·u
}

TEST(GeometriaCargas, AsentamientosEnLasCargasLaDeformadaYLosMomentos) {
    // Viga continua de dos tramos de 6; el apoyo central baja 1 cm en el caso S.
    const double L = 6, delta = 0.01, EI = 2e8 * 3e-4;
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 6 0 0  3 12 0 0  barras: 1 1 2  2 2 3\n"
                       "apoyo: 1 1 1 1 0 0  1  apoyo: 0 1 1 0 0 0  2 3\n"
                       "seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1 2\n"
                       "desplazamientoImpuesto: S  0 0 -0.01 0 0 0  2\ndesplazamientoImpuesto: G  0 0 0 0.002 0 0  1\n"
                       "puntual: P  0 0 -1 0 0 0  2\ncombo: P 1 P  combo: S 1 S  combo: G 2 G\n",
                       true));
    // Una flecha corta que sale del nudo hacia abajo, con el valor (sin signo) en la punta; nada en otro combo.
    EXPECT_TRUE(desplazamientosImpuestos(nudo[1], 0, 0.5).empty());
    const auto s = desplazamientosImpuestos(nudo[1], 1, 0.5);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_FALSE(s[0].esMomento);
    esperarPunto(s[0].flechas[0].cola, {6, 0, 0});
    esperarPunto(s[0].flechas[0].punta, {6, 0, -0.5});
    esperarPunto(s[0].numero.posicion, {6, 0, -0.5});
    EXPECT_DOUBLE_EQ(s[0].numero.valor, delta);
    // Un giro impuesto (factor 2): doble punta, como un momento.
    const auto g = desplazamientosImpuestos(nudo[0], 2, 0.5);
    ASSERT_EQ(g.size(), 1u);
    EXPECT_TRUE(g[0].esMomento && g[0].flechas.size() == 2);
    esperarPunto(g[0].flechas[1].punta, {0.35, 0, 0});
    EXPECT_DOUBLE_EQ(g[0].numero.valor, 0.004);
    // En un grado de libertad sin apoyo no hay nada que imponer.
    objNudo3d libre;
    libre.setApoyo(0, 0, 1, 0, 0, 0);
    libre.setDesplazamientoImpuesto("S", (Eigen::Matrix<double, 6, 1>() << 0.5, 0, -0.01, 0, 0, 0).finished());
    libre.setCombos(combinacionesDePrueba({{"S", {{1, "S"}}}}));
    ASSERT_EQ(desplazamientosImpuestos(libre, 0, 1).size(), 1u);
    EXPECT_EQ(desplazamientosImpuestos(libre, 0, 1)[0].eje, 2);

    // La deformada baja con el apoyo, y la elástica del primer tramo llega al nudo asentado.
    const auto n = nudoDeformado(nudo[1], 1, 100);
    ASSERT_TRUE(n.has_value());
    esperarPunto(n->posicion, {6, 0, -1});
    const auto tramo = barraDeformada(barra[0], nudo[0], 1, 100);
    ASSERT_TRUE(tramo.has_value());
    esperarPunto(tramo->puntos.back(), {6, -1, 0});  // y local = Z global
    // Momento sobre el apoyo central: 3 E I Δ / L².
    const GeometriaDiagrama m = diagrama(1, TipoDiagrama::MomentoY);
    EXPECT_NEAR(std::fabs(m.valores.back()), 3 * EI * delta / (L * L), 1e-6);
}

TEST(GeometriaDiagramas, LaElasticaDeUnCampoDeDesplazamientosEsLaDeLaDeformada) {
    // Pórtico con la viga articulada en su inicio (en los dos planos) y sólo cargas en los nudos, dentro y
    // fuera de su plano: la elástica de cada barra sale sólo de los desplazamientos de sus extremos, así
    // la del campo de desplazamientos de cada combinación es la deformada que calcula la barra.
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 0 0 4  3 6 1 4  4 6 1 0\nbarras: 1 1 2  2 2 3  3 4 3\n"
                       "apoyo: 1 1 1 1 1 1  1 4\nseccionRectangular: R 0.3 0.5 25e6 0.2 0  1 2 3\n"
                       "rotacionBarra: 30  2\narticulacion: 0 1 0 1  2\n"
                       "puntual: H 10 0 -20 0 0 0  2\npuntual: V 0 5 -30 0 0 4  3\ncombo: H 1 H  combo: V 1 V\n",
                       true));
    for (int c : {0, 1}) {
        const Eigen::MatrixXd& d = resultados.casos[static_cast<std::size_t>(c)].desplazamientos;
        const Eigen::VectorXd campo = Eigen::Map<const Eigen::VectorXd>(d.data(), d.size());
        for (const objBarra3d& b : barra) {
            SCOPED_TRACE(std::to_string(c) + " barra " + std::to_string(b.getNoBarraUsuario()));
            const auto esperada = barraDeformada(b, nudo[static_cast<std::size_t>(b.getNudoInicioInterno())], c, 50);
            const auto deCampo = barraDeformadaDeCampo(b, campo, 50);
            ASSERT_TRUE(esperada && deCampo);
            esperarPunto(deCampo->origen, esperada->origen);
            ASSERT_EQ(deCampo->puntos.size(), esperada->puntos.size());
            for (std::size_t j = 0; j < esperada->puntos.size(); ++j)
                EXPECT_NEAR((deCampo->puntos[j] - esperada->puntos[j]).norm(), 0.0, 1e-9) << j;
        }
    }
    // A un campo que no llega a los nudos de la barra no se le dibuja nada.
    EXPECT_FALSE(barraDeformadaDeCampo(barra[2], Eigen::VectorXd::Zero(12), 1));
}

TEST(GeometriaDiagramas, LasBarrasInactivasSeDibujanATrazosEnSuCombinacion) {
    // Tirante de solo tracción (barra 1) y barra común entre dos apoyos: calentados, el
    // tirante se desactiva; enfriados, trabaja. Su deformada va a trazos sólo en CALOR.
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 5 0 0  3 10 0 0\nbarras: 1 1 2  2 2 3\n"
                       "apoyo: 1 1 1 1 1 1  1 3\nseccionGenerica: G 0.1 2e-3 1e-3 3e-3 2e8 0.3 0  1 2\n"
                       "soloTraccion: 1\ntemperatura: T 1.2e-5 30 0 0  1 2\ncombo: CALOR 1 T\ncombo: FRIO -1 T\n",
                       true));
    const auto calor = barraDeformada(barra[0], nudo[0], 0, 1), frio = barraDeformada(barra[0], nudo[0], 1, 1);
    ASSERT_TRUE(calor && frio);
    EXPECT_TRUE(calor->inactiva);
    EXPECT_FALSE(frio->inactiva);
    EXPECT_FALSE(barraDeformada(barra[1], nudo[1], 0, 1)->inactiva);
    const auto vertices = [](int c) {
        LoteDibujo lote;
        plotDeformada(lote, c, 1);
        std::size_t n = 0;
        for (const GrupoLote& g : lote.grupos()) n += g.cantidadVertices();
        return n;
    };
    // barra N lo dice en la primera combinación activa.
    flags[kFlagPrimerCombo] = 1;
    EXPECT_NE(inspeccionarBarra(0).find("\nCALOR: barra inactiva (no resiste el axial de este combo)\n"),
              std::string::npos)
        << inspeccionarBarra(0);
    EXPECT_EQ(inspeccionarBarra(1).find("inactiva"), std::string::npos);
    // Con trazos, la barra inactiva dibuja un tramo de cada dos de su elástica.
    const std::size_t tramos = static_cast<std::size_t>(kEstacionesDiagrama - 1);
    EXPECT_EQ(vertices(1), 2 * 2 * tramos);
    EXPECT_EQ(vertices(0), 2 * tramos + 2 * ((tramos + 1) / 2));
}
