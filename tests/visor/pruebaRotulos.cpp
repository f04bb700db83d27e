// Rótulos de la escena: orientación (nunca al revés ni de canto), valores de
// extremos de barras vecinas separados, densidad y extremos obligatorios.
#include "entornoVisor.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/rotulos.h"

namespace {

using V3 = Eigen::Vector3d;

// Las matrices de gluLookAt y gluPerspective (45 grados), para una ventana de 1000 x 800.
VistaRotulos vistaDesde(const Punto3& ojo, const Punto3& objetivo, double azimut = 0.0) {
    const V3 o(ojo.x, ojo.y, ojo.z), t(objetivo.x, objetivo.y, objetivo.z);
    const Punto3 a = vectorArriba(ojo, objetivo, azimut);
    const V3 f = (t - o).normalized(), s = f.cross(V3(a.x, a.y, a.z)).normalized(), u = s.cross(f);
    Eigen::Matrix4d vista = Eigen::Matrix4d::Identity();
    vista.block<1, 3>(0, 0) = s.transpose();
    vista.block<1, 3>(1, 0) = u.transpose();
    vista.block<1, 3>(2, 0) = -f.transpose();
    vista.block<3, 1>(0, 3) = V3(-s.dot(o), -u.dot(o), f.dot(o));
    const double c = 1.0 / std::tan(22.5 * PI / 180.0), cerca = 0.01, lejos = 1e6;
    Eigen::Matrix4d p = Eigen::Matrix4d::Zero();
    p(0, 0) = c / 1.25;
    p(1, 1) = c;
    p(2, 2) = (lejos + cerca) / (cerca - lejos);
    p(2, 3) = 2 * lejos * cerca / (cerca - lejos);
    p(3, 2) = -1;
    VistaRotulos v;
    v.proyeccionModelo = p * vista;
    v.ancho = 1000;
    v.alto = 800;
    baseDeFrente(ojo, objetivo, azimut, v.derecha, v.arriba);
    return v;
}

Rotulo3D rotulo(const std::string& texto, const V3& ancla, int alineacion = 1) {
    Rotulo3D r;
    r.texto = texto;
    r.ancla = ancla;
    r.altura = 0.3;
    r.alineacion = alineacion;
    return r;
}

Eigen::Vector2d pixel(const VistaRotulos& v, const V3& p) {
    Eigen::Vector2d q(-1, -1);
    EXPECT_TRUE(aPantalla(v, p, q));
    return q;
}

// Extensión horizontal en pantalla del renglón de un rótulo colocado.
std::pair<double, double> extension(const VistaRotulos& v, const RotuloColocado& c) {
    const double largo = largoTexto(c.rotulo->texto.size()) * c.escala;
    const double a = pixel(v, c.origen).x(), b = pixel(v, c.origen + largo * v.derecha).x();
    return {std::min(a, b), std::max(a, b)};
}

}  // namespace

TEST(Rotulos, DesdeCualquierLadoSeLeenDeFrenteYDeIzquierdaADerecha) {
    const Punto3 objetivo{2, 1, 0.5};
    for (double azimut = 0; azimut < 360; azimut += 30)
        for (double elevacion : {-60.0, 0.0, 35.0, 89.0}) {
            SCOPED_TRACE(::testing::Message() << azimut << " " << elevacion);
            const double a = azimut * PI / 180, e = elevacion * PI / 180;
            const Punto3 ojo{objetivo.x + 20 * std::cos(e) * std::cos(a), objetivo.y + 20 * std::cos(e) * std::sin(a),
                             objetivo.z + 20 * std::sin(e)};
            const VistaRotulos v = vistaDesde(ojo, objetivo);
            const V3 t(objetivo.x, objetivo.y, objetivo.z), vista = t - V3(ojo.x, ojo.y, ojo.z);
            // Ni de canto: el renglón y la letra quedan en el plano de la pantalla.
            EXPECT_NEAR(v.derecha.dot(vista.normalized()), 0, 1e-9);
            EXPECT_NEAR(v.arriba.dot(vista.normalized()), 0, 1e-9);
            // Ni al revés: el renglón va hacia la derecha y la letra hacia arriba (y de píxel hacia
            // abajo), sin acortarse: una unidad a 20 de la cámara mide 400 / (20 tan 22.5°) píxeles.
            const double unidad = 400 / (20 * std::tan(22.5 * PI / 180));
            const Eigen::Vector2d p = pixel(v, t), r = pixel(v, t + v.derecha), u = pixel(v, t + v.arriba);
            EXPECT_NEAR(r.x() - p.x(), unidad, 1e-6);
            EXPECT_NEAR(r.y(), p.y(), 1e-6);
            EXPECT_NEAR(u.y() - p.y(), -unidad, 1e-6);
            EXPECT_NEAR(u.x(), p.x(), 1e-6);
        }
}

TEST(Rotulos, LosValoresDeExtremosVecinosQuedanCadaUnoEnSuBarra) {
    // Dos barras seguidas a lo largo de X que se juntan en (5, 0, 0) y una columna que llega desde abajo.
    const V3 nudo(5, 0, 0);
    Rotulo3D finA = rotulo("59.71", nudo, 3), inicioB = rotulo("59.71", nudo, 1), finColumna = rotulo("-8.25", nudo, 3);
    finA.enExtremo = inicioB.enExtremo = finColumna.enExtremo = true;
    finA.haciaAdentro = -V3::UnitX();
    inicioB.haciaAdentro = V3::UnitX();
    finColumna.haciaAdentro = -V3::UnitZ();
    // Mirando desde -Y la barra A queda a la izquierda; desde +Y, a la derecha.
    for (double lado : {-1.0, 1.0}) {
        SCOPED_TRACE(lado);
        const VistaRotulos v = vistaDesde({5, 12 * lado, 1}, {5, 0, 0});
        const std::vector<Rotulo3D> rotulos = {finA, inicioB, finColumna};  // los colocados apuntan aquí
        const auto colocados = colocarRotulos(rotulos, v);
        ASSERT_EQ(colocados.size(), 3u);
        const double juntura = pixel(v, nudo).x();
        const auto [a0, a1] = extension(v, colocados[0]);
        const auto [b0, b1] = extension(v, colocados[1]);
        if (lado < 0) {
            EXPECT_LT(a1, juntura - 1);
            EXPECT_GT(b0, juntura + 1);
        } else {
            EXPECT_GT(a0, juntura + 1);
            EXPECT_LT(b1, juntura - 1);
        }
        // La columna se ve vertical: su valor va debajo del nudo, centrado.
        EXPECT_GT(pixel(v, colocados[2].origen).y(), pixel(v, nudo).y());
        const auto [c0, c1] = extension(v, colocados[2]);
        EXPECT_NEAR((c0 + c1) / 2, juntura, 1.0);
    }
}

TEST(Rotulos, SeEscribenLosQueCabenSinPisarseYLosExtremosSiempre) {
    const VistaRotulos v = vistaDesde({0, -20, 0}, {0, 0, 0});
    // Barra de 0.5 de largo: el número, más largo que ella en pantalla, no cabe; si es el extremo, sí.
    Rotulo3D corta = rotulo("123.456", V3(0, 0, 0));
    corta.deBarra = true;
    corta.barraInicio = V3(0, 0, 0);
    corta.barraFin = V3(0.5, 0, 0);
    EXPECT_TRUE(colocarRotulos({corta}, v).empty());
    corta.barraFin = V3(5, 0, 0);
    EXPECT_EQ(colocarRotulos({corta}, v).size(), 1u);
    corta.barraFin = V3(0.5, 0, 0);
    corta.siempre = true;
    EXPECT_EQ(colocarRotulos({corta}, v).size(), 1u);

    // Muchos rótulos en el mismo lugar: el obligatorio y luego el de mayor prioridad; el resto se descarta.
    std::vector<Rotulo3D> montón;
    for (int i = 0; i < 50; ++i) {
        montón.push_back(rotulo(std::to_string(i), V3(0.01 * i, 0, 0)));
        montón.back().prioridad = i;
    }
    montón[7].siempre = true;
    montón.push_back(rotulo("lejos", V3(-6, 0, -4)));
    ordenarRotulos(montón);
    const auto colocados = colocarRotulos(montón, v);
    ASSERT_EQ(colocados.size(), 3u);
    EXPECT_EQ(colocados[0].rotulo->texto, "7");
    EXPECT_EQ(colocados[2].rotulo->texto, "lejos");
    // El de mayor prioridad no pisa al obligatorio: va a su lado, fuera de su caja.
    EXPECT_EQ(colocados[1].rotulo->texto, "49");

    // Detrás de la cámara o fuera de la ventana no se escribe nada, ni lo obligatorio.
    Rotulo3D detras = rotulo("9", V3(0, -30, 0)), fuera = rotulo("9", V3(40, 0, 0));
    detras.siempre = fuera.siempre = true;
    EXPECT_TRUE(colocarRotulos({detras, fuera}, v).empty());
}

TEST(Rotulos, AlineacionSobreElRenglonYLaDeLasEtiquetasSobreX) {
    const VistaRotulos v = vistaDesde({-7, -9, 6}, {1, 2, 0});
    const V3 ancla(1, 1, 1);
    Rotulo3D r = rotulo("12.50", ancla, 3);
    const double largo = largoTexto(5) * 0.3 * kEscalaFuente;
    // Un valor que termina en el punto termina allí a lo largo de su renglón.
    EXPECT_NEAR((origenRotulo(r, v) + largo * v.derecha - ancla).norm(), 0, 1e-12);
    // Los números de nudos y barras (de frente) corren la alineación sobre el eje X del modelo.
    r.giro = GiroRotulo::DeFrente;
    r.alineacion = 2;
    EXPECT_NEAR((origenRotulo(r, v) - (ancla - largo / 2 * V3::UnitX())).norm(), 0, 1e-12);
}

TEST(Rotulos, LoIlegibleNoSeEscribeYLoObligatorioSeAgranda) {
    // A 20 de la cámara una unidad mide unos 48 píxeles: 0.05 de alto son 2.4 píxeles.
    const VistaRotulos v = vistaDesde({0, -20, 0}, {0, 0, 0});
    Rotulo3D chico = rotulo("7.25", V3(0, 0, 0));
    chico.altura = 0.05;
    EXPECT_TRUE(colocarRotulos({chico}, v).empty());
    chico.siempre = true;
    const auto colocados = colocarRotulos({chico}, v);
    ASSERT_EQ(colocados.size(), 1u);
    const double pixeles = (pixel(v, V3(0, 0, colocados[0].altura)) - pixel(v, V3(0, 0, 0))).norm();
    EXPECT_NEAR(pixeles, kPixelesLegible, 1e-6);
    EXPECT_NEAR(colocados[0].escala, colocados[0].altura * kEscalaFuente, 1e-15);
}

TEST(Rotulos, DosObligatoriosEnElMismoLugarNoSePisan) {
    const VistaRotulos v = vistaDesde({0, -20, 0}, {0, 0, 0});
    Rotulo3D maximo = rotulo("36.84", V3(0, 0, 0)), minimo = rotulo("-50.79", V3(0.05, 0, -0.05));
    maximo.siempre = minimo.siempre = true;
    const std::vector<Rotulo3D> rotulos = {maximo, minimo};
    const auto colocados = colocarRotulos(rotulos, v);
    ASSERT_EQ(colocados.size(), 2u);
    // El segundo queda un renglón más abajo: sus cajas en pantalla no se tocan.
    const double alto = pixel(v, V3(0, 0, 0)).y() - pixel(v, V3(0, 0, 0.3)).y();
    EXPECT_GT(pixel(v, colocados[1].origen).y() - pixel(v, colocados[0].origen).y(), 1.2 * alto);
}

// Dos combinaciones activas, cada una en su capa con su máximo y su mínimo
// obligatorios en el mismo nudo, y un tercer par en otra capa: con la
// ocupación del cuadro compartida, ninguna caja de la disposición pisa a otra
// (antes, cada capa se colocaba sola y se leía "-99.7472.22").
TEST(Rotulos, LosObligatoriosDeVariasCapasNoSePisan) {
    const VistaRotulos v = vistaDesde({0, -20, 0}, {0, 0, 0});
    OcupacionRotulos ocupacion(v.ancho, v.alto);
    std::vector<CajaRotulo> cajas;
    for (const auto& [maximo, minimo] : {std::pair{"72.22", "-99.74"}, {"70.01", "-98.12"}, {"1.5", "-2.5"}}) {
        std::vector<Rotulo3D> capa = {rotulo(maximo, V3(0, 0, 0)), rotulo(minimo, V3(0, 0, 0))};
        for (Rotulo3D& r : capa) r.siempre = true;
        const auto colocados = colocarRotulos(capa, v, ocupacion);
        ASSERT_EQ(colocados.size(), 2u) << maximo;
        for (const RotuloColocado& c : colocados) cajas.push_back(c.caja);
    }
    for (std::size_t i = 0; i < cajas.size(); ++i)
        for (std::size_t j = i + 1; j < cajas.size(); ++j) EXPECT_FALSE(cajas[i].pisa(cajas[j])) << i << " " << j;
}
