// Barra: combinaciones de cargas distribuidas y cargas nodales equivalentes. (El peso propio
// y las cargas en dirección global se validan con las reacciones en pruebaValidacion.)
#include "utilidades.h"

namespace {
using Fila7 = Eigen::Matrix<double, 1, 7>;

Fila7 fila(double fx1, double fx2, double qy1, double qy2, double qz1, double qz2, double t) {
    return (Fila7() << fx1, fx2, qy1, qy2, qz1, qz2, t).finished();
}

// Carga en ejes locales de un caso y combinación "C" con factor 1 de ese caso.
void cargarLocal(objBarra3d& b, const Fila7& q) {
    b.setDistribuidaLocalX("Q", q(0), q(1));
    b.setDistribuidaLocalY("Q", q(2), q(3));
    b.setDistribuidaLocalZ("Q", q(4), q(5));
    b.setDistribuidaLocalT("Q", q(6));
    b.setCombo("C", 1, "Q");
}
}  // namespace

TEST(BarraCargas, CombinacionesSumanCasosFactorizados) {
    objBarra3d b = barraEntre({0, 0, 0}, {4, 0, 0});
    b.setDistribuidaLocalY("D", -2, -2);
    b.setDistribuidaLocalY("L", -3, -1);
    b.setDistribuidaLocalT("T", 1.5);
    b.setDistribuidaLocalT("T", 0.5);            // el mismo caso dos veces cuenta dos veces
    b.setDistribuidaGlobal("T", 1, 1, 0, 0, 1);  // local y global del mismo caso se suman
    b.setCombo("ELU", 1.2, "D");
    b.setCombo("ELU", 1.6, "L");
    b.setCombo("Sin", 1.0, "X");  // caso sin registros en la barra: fila nula
    b.setCombo("Tor", 2.0, "T");
    b.setCombo("Tor", 1.0, "T");  // nombre repetido: se suma a la misma fila
    ASSERT_EQ(b.getEtiquetasCombo(), (Lineas{"ELU", "Sin", "Tor"}));
    Eigen::MatrixXd esperada(3, 7);
    esperada << fila(0, 0, -7.2, -4.0, 0, 0, 0), Fila7::Zero(), fila(0, 0, 3, 3, 0, 0, 6);
    EXPECT_TRUE(casiIguales(b.getMatrizCargasCombo(), esperada, 1e-15));
}

TEST(BarraCargas, CargasEquivalentesDeCasosConocidos) {
    const double L = 4, q = 3, p = 2, t = 5, qL = q * L, qL2 = q * L * L;
    const struct {
        Fila7 carga;
        Eigen::Vector4d factores;
        std::vector<std::pair<int, double>> esperadas;
    } casos[] = {
        {fila(0, 0, q, q, 0, 0, 0), {1, 1, 1, 1}, {{1, qL / 2}, {7, qL / 2}, {5, qL2 / 12}, {11, -qL2 / 12}}},
        {fila(0, 0, q, q, 0, 0, 0), {1, 0, 1, 1}, {{1, 5 * qL / 8}, {7, 3 * qL / 8}, {5, qL2 / 8}}},
        {fila(0, 0, 0, 0, q, q, 0), {1, 1, 1, 0}, {{2, 5 * qL / 8}, {8, 3 * qL / 8}, {4, -qL2 / 8}}},
        {fila(0, 0, 0, q, 0, 0, 0), {1, 1, 1, 1}, {{1, 3 * qL / 20}, {7, 7 * qL / 20}, {5, qL2 / 30}, {11, -qL2 / 20}}},
        {fila(p, 0, 0, 0, 0, 0, 0), {0, 0, 0, 0}, {{0, p * L / 3}, {6, p * L / 6}}},
        {fila(0, 0, 0, 0, 0, 0, t), {0, 0.5, 0, 1}, {{3, t * L / 2}, {9, t * L / 2}}},
    };
    for (const auto& c : casos) {
        // Según +X con rotación -90 los ejes locales son los globales.
        objBarra3d b = barraEntre({0, 0, 0}, {L, 0, 0}, -90);
        b.setArticulacion(c.factores(0), c.factores(1), c.factores(2), c.factores(3));
        cargarLocal(b, c.carga);
        b.setCombo("Vacio", 1, "Otro");  // sin carga: columna nula
        Eigen::MatrixXd esperada = Eigen::MatrixXd::Zero(12, 2);
        for (const auto& [f, valor] : c.esperadas) esperada(f, 0) = valor;
        EXPECT_TRUE(casiIguales(b.getCargasEquivalentesLocales(), esperada, 1e-14)) << c.carga;
        EXPECT_TRUE(casiIguales(b.getCargasEquivalentesGlobales(), esperada, 1e-14)) << c.carga;
    }
}

// Con cargas lineales, barras, factores y secciones al azar, las doce cargas equivalentes
// equivalen estáticamente a la carga distribuida, en ejes locales y globales, y en cada plano
// son las de la barra empotrada redistribuidas por los resortes de giro de los extremos, con
// la rigidez con deformación por corte de la placa. (Con carga transversal uniforme la barra
// empotrada tiene qL/2 y qL²/12 cualquiera sea esa deformación.)
TEST(BarraCargas, CargasEquivalentesAlAzarSonEstaticamenteEquivalentes) {
    Azar azar(11);
    for (int k = 0; k < 300; ++k) {
        const bool esPlaca = k % 2 == 1;
        const Eigen::Vector3d xi = azar.vector(-5, 5), xf = xi + azar.vector(-3, 3);
        const double L = (xf - xi).norm(), f[4] = {azar.factor(), azar.factor(), azar.factor(), azar.factor()};
        Fila7 q;
        for (int i = 0; i < 7; ++i) q(i) = azar.real(-5, 5);
        if (esPlaca) q(3) = q(2), q(5) = q(4);
        SCOPED_TRACE(::testing::Message() << "L " << L << " carga " << q << " factores " << f[0] << " " << f[1]
                                          << " " << f[2] << " " << f[3]);
        objBarra3d b = barraEntre(xi, xf, azar.real(-180, 180));
        if (esPlaca) b.setSeccionPlaca(azar.real(0.1, 0.6), azar.real(0.2, 1.5)), b.setModuloEyPoisson(25e6, 0.2);
        b.setArticulacion(f[0], f[1], f[2], f[3]);
        cargarLocal(b, q);
        const Eigen::VectorXd e = b.getCargasEquivalentesLocales().col(0), g = b.getCargasEquivalentesGlobales().col(0);

        // Fuerza resultante y momento respecto del inicio de la carga distribuida, en ejes locales.
        auto total = [&](int i) { return L * (q(i) + q(i + 1)) / 2; };
        auto momento = [&](int i) { return L * L * (q(i) / 6 + q(i + 1) / 3); };
        const Eigen::Vector3d fuerza(total(0), total(2), total(4)), mom(q(6) * L, -momento(4), momento(2));
        const double escala = fuerza.norm() + mom.norm() / L;
        auto equivalentes = [&](const Eigen::VectorXd& v, const Eigen::Matrix3d& Rt, const Eigen::Vector3d& brazo) {
            const Eigen::Vector3d m = v.segment<3>(3) + v.segment<3>(9) + brazo.cross(v.segment<3>(6));
            EXPECT_TRUE(casiIguales(v.segment<3>(0) + v.segment<3>(6), Rt * fuerza, 1e-13, escala));
            EXPECT_TRUE(casiIguales(m / L, Rt * mom / L, 1e-13, escala));
        };
        equivalentes(e, Eigen::Matrix3d::Identity(), Eigen::Vector3d(L, 0, 0));
        equivalentes(g, b.getRotacion().transpose(), xf - xi);

        auto empotrada = [&](int i) {
            return Eigen::Vector4d(L * (7 * q(i) + 3 * q(i + 1)) / 20, L * L * (q(i) / 20 + q(i + 1) / 30),
                                   L * (3 * q(i) + 7 * q(i + 1)) / 20, -L * L * (q(i) / 30 + q(i + 1) / 20));
        };
        auto phi = [&](double I) { return esPlaca ? 12 * 25e6 * I * 1.2 / (b.getModG() * b.getArea() * L * L) : 0; };
        const Eigen::Vector4d py = planoConResortes(L, 1, phi(b.getIz()), f[0], f[1], empotrada(2)).p;
        const Eigen::Vector4d pz = planoConResortes(L, 1, phi(b.getIy()), f[2], f[3], empotrada(4)).p;
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(e(gradosPlanoY[i]), py(i), 1e-12 * escala * L) << "fila " << gradosPlanoY[i];
            EXPECT_NEAR(e(gradosPlanoZ[i]), signoPlanoZ[i] * pz(i), 1e-12 * escala * L) << "fila " << gradosPlanoZ[i];
        }
    }
}
