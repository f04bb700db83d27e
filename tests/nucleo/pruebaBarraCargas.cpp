// Barra: cargas distribuidas, peso propio, combinaciones y cargas nodales equivalentes.
#include "ayudasBarra.h"
#include "utilidades.h"

#include <cmath>

namespace {
using Fila7 = Eigen::Matrix<double, 1, 7>;

Fila7 fila(double fx1, double fx2, double qy1, double qy2, double qz1, double qz2, double t) {
    return (Fila7() << fx1, fx2, qy1, qy2, qz1, qz2, t).finished();
}

// Carga en ejes locales de un caso, con las siete columnas de la barra.
void cargarLocal(objBarra3d& b, const std::string& caso, const Fila7& q) {
    b.setDistribuidaLocalX(caso, q(0), q(1));
    b.setDistribuidaLocalY(caso, q(2), q(3));
    b.setDistribuidaLocalZ(caso, q(4), q(5));
    b.setDistribuidaLocalT(caso, q(6));
}

Fila7 unicaCombinacion(objBarra3d& b, const std::string& caso) {
    b.setCombo("C", 1.0, caso);
    return b.getMatrizCargasCombo().row(0);
}
}  // namespace

TEST(BarraCargas, PesoPropioSegunLaInclinacion) {
    const double w = 25 * 0.1, c = std::sqrt(0.5);
    const struct {
        Eigen::Vector3d fin;
        Fila7 esperada;
    } casos[] = {
        {{4, 0, 0}, fila(0, 0, -w, -w, 0, 0, 0)},
        {{0, 0, 3}, fila(-w, -w, 0, 0, 0, 0, 0)},
        {{3, 0, 3}, fila(-w * c, -w * c, -w * c, -w * c, 0, 0, 0)},  // por unidad de longitud de la barra
    };
    for (const auto& caso : casos) {
        objBarra3d b = barraEntre({0, 0, 0}, caso.fin);
        b.setSeccionRectangular(0.2, 0.5);
        b.setPesoEspecifico(25);
        b.setPesoPropio("PP");
        EXPECT_TRUE(casiIguales(unicaCombinacion(b, "PP"), caso.esperada, 1e-15)) << caso.fin.transpose();
    }
}

TEST(BarraCargas, DireccionGlobalSeDescomponeEnEjesLocales) {
    // Barra según +X con rotación 0: x local = X, y local = Z, z local = -Y.
    const struct {
        Eigen::Vector3d dir;
        Fila7 esperada;
        double rot;
    } casos[] = {
        {{0, 0, 1}, fila(0, 0, 3, 5, 0, 0, 0), 0},  {{0, 0, -5}, fila(0, 0, -3, -5, 0, 0, 0), 0},
        {{2, 0, 0}, fila(3, 5, 0, 0, 0, 0, 0), 0},  {{0, -1, 0}, fila(0, 0, 0, 0, 3, 5, 0), 0},
        {{0, -1, 0}, fila(0, 0, 3, 5, 0, 0, 0), 90},
        // Con rotación -90 los ejes locales son los globales: la carga global es la local.
        {{0, 1, 0}, fila(0, 0, 3, 5, 0, 0, 0), -90},  {{0, 0, 1}, fila(0, 0, 0, 0, 3, 5, 0), -90},
    };
    for (const auto& caso : casos) {
        objBarra3d b = barraEntre({0, 0, 0}, {4, 0, 0}, caso.rot);
        b.setDistribuidaGlobal("G", 3, 5, caso.dir.x(), caso.dir.y(), caso.dir.z());
        EXPECT_TRUE(casiIguales(unicaCombinacion(b, "G"), caso.esperada, 1e-15)) << caso.dir.transpose();
    }
    // En cualquier barra, las componentes locales recomponen la carga global.
    Azar azar(3);
    for (int k = 0; k < 50; ++k) {
        objBarra3d b = barraEntre(azar.vector(-5, 5), azar.vector(-5, 5), azar.real(-180, 180));
        const Eigen::Vector3d d = azar.vector(-1, 1);
        b.setDistribuidaGlobal("G", 2, 7, d.x(), d.y(), d.z());
        const Fila7 q = unicaCombinacion(b, "G");
        const Eigen::Matrix3d R = b.getRotacion();
        EXPECT_TRUE(casiIguales(R.transpose() * Eigen::Vector3d(q(0), q(2), q(4)), 2 * d.normalized(), 1e-14));
        EXPECT_TRUE(casiIguales(R.transpose() * Eigen::Vector3d(q(1), q(3), q(5)), 7 * d.normalized(), 1e-14));
    }
}

TEST(BarraCargas, CombinacionesSumanCasosFactorizados) {
    objBarra3d b = barraEntre({0, 0, 0}, {4, 0, 0});
    b.setDistribuidaLocalY("D", -2, -2);
    b.setDistribuidaLocalY("L", -3, -1);
    b.setDistribuidaLocalT("T", 1.5);
    b.setDistribuidaLocalT("T", 0.5);         // el mismo caso dos veces cuenta dos veces
    b.setDistribuidaGlobal("T", 1, 1, 0, 0, 1);  // cargas locales y globales del mismo caso se suman
    b.setCombo("ELU", 1.2, "D");
    b.setCombo("ELU", 1.6, "L");
    b.setCombo("Sin", 1.0, "X");   // caso sin registros en la barra: fila nula
    b.setCombo("Tor", 2.0, "T");
    b.setCombo("Tor", 1.0, "T");   // nombre repetido: se suma a la misma fila
    ASSERT_EQ(b.getEtiquetasCombo(), (std::vector<std::string>{"ELU", "Sin", "Tor"}));
    const Eigen::MatrixXd m = b.getMatrizCargasCombo();
    EXPECT_TRUE(casiIguales(m.row(0), fila(0, 0, -7.2, -4.0, 0, 0, 0), 1e-15));
    EXPECT_TRUE(m.row(1).isZero(0));
    EXPECT_TRUE(casiIguales(m.row(2), fila(0, 0, 3, 3, 0, 0, 6), 1e-15));
    EXPECT_DOUBLE_EQ(b.getFyIniCombo(0), -7.2);
    EXPECT_DOUBLE_EQ(b.getFyFinCombo(0), -4.0);
    EXPECT_DOUBLE_EQ(b.getTCombo(2), 6.0);
}

TEST(BarraCargas, CargasEquivalentesDeCasosConocidos) {
    const double L = 4, q = 3, p = 2, t = 5;
    const struct {
        const char* nombre;
        Fila7 carga;
        double factores[4];
        std::vector<std::pair<int, double>> esperadas;
    } casos[] = {
        {"qy uniforme", fila(0, 0, q, q, 0, 0, 0), {1, 1, 1, 1},
         {{1, q * L / 2}, {7, q * L / 2}, {5, q * L * L / 12}, {11, -q * L * L / 12}}},
        {"qz uniforme", fila(0, 0, 0, 0, q, q, 0), {1, 1, 1, 1},
         {{2, q * L / 2}, {8, q * L / 2}, {4, -q * L * L / 12}, {10, q * L * L / 12}}},
        {"qy con rótula al final", fila(0, 0, q, q, 0, 0, 0), {1, 0, 1, 1},
         {{1, 5 * q * L / 8}, {7, 3 * q * L / 8}, {5, q * L * L / 8}}},
        {"qy con rótula al inicio", fila(0, 0, q, q, 0, 0, 0), {0, 1, 0, 0},
         {{1, 3 * q * L / 8}, {7, 5 * q * L / 8}, {11, -q * L * L / 8}}},
        {"qz con rótula al final", fila(0, 0, 0, 0, q, q, 0), {1, 1, 1, 0},
         {{2, 5 * q * L / 8}, {8, 3 * q * L / 8}, {4, -q * L * L / 8}}},
        {"qy triangular", fila(0, 0, 0, q, 0, 0, 0), {1, 1, 1, 1},
         {{1, 3 * q * L / 20}, {7, 7 * q * L / 20}, {5, q * L * L / 30}, {11, -q * L * L / 20}}},
        {"axial lineal", fila(p, 0, 0, 0, 0, 0, 0), {0, 0, 0, 0}, {{0, p * L / 3}, {6, p * L / 6}}},
        {"torsor uniforme", fila(0, 0, 0, 0, 0, 0, t), {0, 0.5, 0, 1}, {{3, t * L / 2}, {9, t * L / 2}}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        // Según +X con rotación -90 los ejes locales coinciden con los globales.
        objBarra3d b = barraEntre({0, 0, 0}, {L, 0, 0}, -90);
        b.setArticulacion(c.factores[0], c.factores[1], c.factores[2], c.factores[3]);
        cargarLocal(b, "Q", c.carga);
        b.setCombo("C", 1, "Q");
        b.setCombo("Vacio", 1, "Otro");  // sin carga: columna nula
        Eigen::MatrixXd esperada = Eigen::MatrixXd::Zero(12, 2);
        for (const auto& [fila, valor] : c.esperadas) esperada(fila, 0) = valor;
        EXPECT_TRUE(casiIguales(b.getCargasEquivalentesLocales(), esperada, 1e-14));
        EXPECT_TRUE(casiIguales(b.getCargasEquivalentesGlobales(), esperada, 1e-14));  // mismos ejes
    }
}

// Para cargas lineales y factores de fijación al azar: las doce cargas equivalentes
// equivalen estáticamente a la carga distribuida, y en cada plano son las de la barra
// empotrada redistribuidas por los resortes de giro de los extremos.
TEST(BarraCargas, CargasEquivalentesAlAzarSonEstaticamenteEquivalentes) {
    Azar azar(11);
    for (int k = 0; k < 200; ++k) {
        const double L = azar.real(0.5, 10);
        const double f[4] = {azar.factor(), azar.factor(), azar.factor(), azar.factor()};
        const Fila7 q = fila(azar.real(-5, 5), azar.real(-5, 5), azar.real(-5, 5), azar.real(-5, 5), azar.real(-5, 5),
                             azar.real(-5, 5), azar.real(-5, 5));
        SCOPED_TRACE(::testing::Message() << "L " << L << " carga " << q << " factores " << f[0] << " " << f[1] << " "
                                          << f[2] << " " << f[3]);
        objBarra3d b = barraEntre({0, 0, 0}, {L, 0, 0});
        b.setArticulacion(f[0], f[1], f[2], f[3]);
        cargarLocal(b, "Q", q);
        b.setCombo("C", 1, "Q");
        const Eigen::VectorXd e = b.getCargasEquivalentesLocales().col(0);

        // Resultantes de la carga distribuida: fuerza y momento respecto del inicio.
        auto total = [&](double q1, double q2) { return L * (q1 + q2) / 2; };
        auto momento = [&](double q1, double q2) { return L * L * (q1 / 6 + q2 / 3); };
        const Eigen::Vector3d fuerza(total(q(0), q(1)), total(q(2), q(3)), total(q(4), q(5)));
        const Eigen::Vector3d mom(q(6) * L, -momento(q(4), q(5)), momento(q(2), q(3)));
        const Eigen::Vector3d fIni = e.segment<3>(0), fFin = e.segment<3>(6);
        const Eigen::Vector3d mEq = e.segment<3>(3) + e.segment<3>(9) + Eigen::Vector3d(L, 0, 0).cross(fFin);
        const double escala = fuerza.norm() + mom.norm() / L;
        EXPECT_TRUE(casiIguales(fIni + fFin, fuerza, 1e-13, escala));
        EXPECT_TRUE(casiIguales(mEq / L, mom / L, 1e-13, escala));

        // Plano x-y y plano x-z contra la barra con resortes (sin deformación por corte).
        auto empotrada = [&](double q1, double q2) {
            return Eigen::Vector4d(L * (7 * q1 + 3 * q2) / 20, L * L * (q1 / 20 + q2 / 30), L * (3 * q1 + 7 * q2) / 20,
                                   -L * L * (q1 / 30 + q2 / 20));
        };
        const Eigen::Vector4d py = planoConResortes(L, 1, 0, f[0], f[1], empotrada(q(2), q(3))).p;
        const Eigen::Vector4d pz = planoConResortes(L, 1, 0, f[2], f[3], empotrada(q(4), q(5))).p;
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(e(gradosPlanoY[i]), py(i), 1e-12 * escala * L) << "fila " << gradosPlanoY[i];
            EXPECT_NEAR(e(gradosPlanoZ[i]), signoPlanoZ[i] * pz(i), 1e-12 * escala * L) << "fila " << gradosPlanoZ[i];
        }
    }
}

TEST(BarraCargas, PesoPropioEnEjesGlobalesEsVerticalYCentrado) {
    Azar azar(5);
    for (int k = 0; k < 50; ++k) {
        const Eigen::Vector3d xi = azar.vector(-5, 5), xf = azar.vector(-5, 5);
        objBarra3d b = barraEntre(xi, xf, azar.real(-180, 180));
        b.setSeccionGenerica(0.02, 1e-4, 1e-4, 1e-5);
        b.setPesoEspecifico(78.5);
        b.setArticulacion(azar.factor(), azar.factor(), azar.factor(), azar.factor());
        b.setPesoPropio("PP");
        b.setCombo("C", 1, "PP");
        const double W = 78.5 * 0.02 * b.getLongitud();
        const Eigen::VectorXd g = b.getCargasEquivalentesGlobales().col(0);
        const Eigen::Vector3d peso(0, 0, -W);
        EXPECT_TRUE(casiIguales(g.segment<3>(0) + g.segment<3>(6), peso, 1e-13));
        const Eigen::Vector3d m = g.segment<3>(3) + g.segment<3>(9) + (xf - xi).cross(g.segment<3>(6));
        EXPECT_TRUE(casiIguales(m, ((xf - xi) / 2).cross(peso), 1e-13, W * b.getLongitud()));
    }
}
