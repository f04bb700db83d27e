// Barra: liberaciones de extremo, rigidez local y global, el operador que aplica la rigidez
// barra por barra, combinaciones de cargas distribuidas y cargas nodales equivalentes. (El
// peso propio y las cargas en dirección global se validan con las reacciones en pruebaValidacion.)
#include <tuple>

#include "analisis/operadorRigidez.h"
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
    b.setCombos(combinacionesDePrueba({{"C", {{1, "Q"}}}}));
}

// Un plano de flexión (grados v1, giro1, v2, giro2) de una barra con deformación por corte
// phi y un resorte de giro (E·I/L)·f/(1 − f) en cada extremo (f = 1 rígido, f = 0 rótula),
// obtenido condensando los giros propios de los extremos de la barra. p0 son las cargas
// nodales de la barra empotrada; p las que quedan en los nudos.
struct PlanoFlexion {
    Eigen::Matrix4d k;
    Eigen::Vector4d p;
};

PlanoFlexion planoConResortes(double L, double EI, double phi, double fa, double fb, const Eigen::Vector4d& p0) {
    const double r = (4 + phi) * L * L, s = (2 - phi) * L * L;
    Eigen::Matrix4d kb;
    kb << 12, 6 * L, -12, 6 * L, 6 * L, r, -6 * L, s, -12, -6 * L, 12, -6 * L, 6 * L, s, -6 * L, r;
    // Grados 0..3 del nudo; 4 y 5 los giros propios de la barra donde hay resorte.
    Eigen::Matrix<double, 6, 6> K = Eigen::Matrix<double, 6, 6>::Zero();
    Eigen::Matrix<double, 6, 1> P = Eigen::Matrix<double, 6, 1>::Zero();
    const std::vector<int> m{0, fa < 1 ? 4 : 1, 2, fb < 1 ? 5 : 3}, nudos{0, 1, 2, 3};
    K(m, m) = kb * EI / (L * L * L * (1 + phi));
    P(m) = p0;
    std::vector<int> propios;
    for (auto [nudo, propio, f] : {std::tuple<int, int, double>{1, 4, fa}, {3, 5, fb}}) {
        if (f >= 1) continue;
        const double k = EI / L * f / (1 - f);
        K(nudo, nudo) += k, K(propio, propio) += k, K(nudo, propio) -= k, K(propio, nudo) -= k;
        propios.push_back(propio);
    }
    // Condensación de los giros propios.
    const Eigen::MatrixXd X = K(propios, propios).ldlt().solve(K(propios, nudos));
    return {K(nudos, nudos) - K(nudos, propios) * X, P(nudos) - X.transpose() * P(propios)};
}

// Grados de cada plano entre los doce locales; en x-z los giros llevan el signo opuesto
// (el giro en y es positivo cuando la flecha en z decrece).
const int gradosPlanoY[4] = {1, 5, 7, 11}, gradosPlanoZ[4] = {2, 4, 8, 10};
const double signoPlanoZ[4] = {1, -1, 1, -1};
}  // namespace

TEST(BarraCargas, CombinacionesSumanCasosFactorizados) {
    objBarra3d b = barraEntre({0, 0, 0}, {4, 0, 0});
    b.setDistribuidaLocalY("D", -2, -2);
    b.setDistribuidaLocalY("L", -3, -1);
    b.setDistribuidaLocalT("T", 1.5);
    b.setDistribuidaLocalT("T", 0.5);            // el mismo caso dos veces cuenta dos veces
    b.setDistribuidaGlobal("T", 1, 1, 0, 0, 1);  // local y global del mismo caso se suman
    // Direcciones globales con componentes extremas se normalizan sin desbordar: hacia −Z
    // es −y local en una barra según +X.
    b.setDistribuidaGlobal("G", 2, 3, 0, 0, -1e-300);
    b.setDistribuidaGlobal("H", 2, 3, 0, 0, -1e300);
    b.setCombos(combinacionesDePrueba({{"ELU", {{1.2, "D"}, {1.6, "L"}}},
                                       {"Sin", {{1.0, "X"}}},  // caso sin registros en la barra: fila nula
                                       {"Tor", {{2.0, "T"}, {1.0, "T"}}},
                                       {"G", {{1, "G"}}},
                                       {"H", {{1, "H"}}}}));
    ASSERT_EQ(b.getCantidadDeCombos(), 5);
    Eigen::MatrixXd esperada(5, 7);
    esperada << fila(0, 0, -7.2, -4.0, 0, 0, 0), Fila7::Zero(), fila(0, 0, 3, 3, 0, 0, 6), fila(0, 0, -2, -3, 0, 0, 0),
        fila(0, 0, -2, -3, 0, 0, 0);
    EXPECT_TRUE(casiIguales(b.getMatrizCargasCombo(), esperada, 2e-16));
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
        b.setCombos(combinacionesDePrueba({{"C", {{1, "Q"}}}, {"Vacio", {{1, "Otro"}}}}));  // sin carga: columna nula
        Eigen::MatrixXd esperada = Eigen::MatrixXd::Zero(12, 2);
        for (const auto& [f, valor] : c.esperadas) esperada(f, 0) = valor;
        EXPECT_TRUE(casiIguales(b.getCargasEquivalentesLocales(), esperada, 1e-14)) << c.carga;
        EXPECT_TRUE(casiIguales(b.getCargasEquivalentesGlobales(), esperada, 1e-14)) << c.carga;
    }
}

// Barras al azar: secciones de todo tipo (la placa con deformación por corte), material y
// factores de fijación al azar, con rótulas y extremos rígidos exactos, y cargas lineales
// (uniformes en la placa: así la barra empotrada tiene las cargas de la teoría sin corte).
// - La rigidez local es la axial E·A/L, la de torsión G·J/L y, en cada plano de flexión, la de
//   la barra con un resorte de giro (E·I/L)·f/(1 − f) en cada extremo, sin acoples entre ellas.
// - La global es simétrica y el operador que calcula residuos y reacciones barra por barra es
//   la misma rigidez: sus columnas son las de kGlobal, la energía es uᵀ·K·u y la rigidez
//   ponderada es kGlobal por su peso. Un movimiento rígido no da fuerzas ni energía más allá del
//   redondeo del movimiento mismo (kGlobal deja 1e-15·|K|·|u|; el operador, mucho menos); como
//   las columnas coinciden a 1e-12, tampoco kGlobal las da.
// - Las doce cargas equivalentes equivalen estáticamente a la carga distribuida, en ejes locales
//   y globales, y en cada plano son las de la barra empotrada redistribuidas por los resortes.
TEST(BarraAlAzar, RigidezOperadorYCargasEquivalentesSonLasDeLosPlanosConResortes) {
    objBarra3d acotada;  // los factores se acotan a [0, 1]
    acotada.setArticulacion(1.5, -0.2, 0.5, 1);
    EXPECT_EQ(Eigen::Vector4d(acotada.getArtIniY(), acotada.getArtFinY(), acotada.getArtIniZ(), acotada.getArtFinZ()),
              Eigen::Vector4d(1, 0, 0.5, 1));
    Azar azar(7);
    for (int k = 0; k < 300; ++k) {
        const Eigen::Vector3d xi = azar.vector(-10, 10), xf = xi + azar.vector(-6, 6);
        objBarra3d b = barraAlAzar(azar, k, xi, xf);
        const bool esPlaca = k % 3 == 0;
        Fila7 q;
        for (int i = 0; i < 7; ++i) q(i) = azar.real(-5, 5);
        if (esPlaca) q(3) = q(2), q(5) = q(4);
        cargarLocal(b, q);
        const double L = b.getLongitud(), E = b.getModE(), G = E / (2 * (1 + b.getModPoisson())),
                     f[4] = {b.getArtIniY(), b.getArtFinY(), b.getArtIniZ(), b.getArtFinZ()};
        SCOPED_TRACE(::testing::Message() << "barra " << k << " L " << L << " carga " << q << " factores " << f[0]
                                          << " " << f[1] << " " << f[2] << " " << f[3]);

        const auto phi = [&](double I) { return esPlaca ? 12 * E * I * 1.2 / (G * b.getArea() * L * L) : 0; };
        const auto empotrada = [&](int i) {
            return Eigen::Vector4d(L * (7 * q(i) + 3 * q(i + 1)) / 20, L * L * (q(i) / 20 + q(i + 1) / 30),
                                   L * (3 * q(i) + 7 * q(i + 1)) / 20, -L * L * (q(i) / 30 + q(i + 1) / 20));
        };
        const PlanoFlexion py = planoConResortes(L, E * b.getIz(), phi(b.getIz()), f[0], f[1], empotrada(2));
        const PlanoFlexion pz = planoConResortes(L, E * b.getIy(), phi(b.getIy()), f[2], f[3], empotrada(4));
        Eigen::MatrixXd esperada = Eigen::MatrixXd::Zero(12, 12);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                esperada(gradosPlanoY[i], gradosPlanoY[j]) = py.k(i, j);
                esperada(gradosPlanoZ[i], gradosPlanoZ[j]) = signoPlanoZ[i] * signoPlanoZ[j] * pz.k(i, j);
            }
        for (auto [g, rigidez] : {std::pair{0, E * b.getArea() / L}, {3, G * b.getModJ() / L}}) {
            esperada(g, g) = esperada(g + 6, g + 6) = rigidez;
            esperada(g, g + 6) = esperada(g + 6, g) = -rigidez;
        }
        EXPECT_TRUE(casiIguales(b.getKLocal(), esperada, 1e-12, esperada.cwiseAbs().maxCoeff()));

        const Eigen::MatrixXd K = b.getKGlobal();
        EXPECT_TRUE(casiIguales(K, K.transpose(), 1e-13));
        const std::vector<objBarra3d> barras{b};
        operadorRigidez op;
        op.construir(barras, std::vector<objNudo3d>(2), 12);
        EXPECT_TRUE(casiIguales(op.aplicar(Eigen::MatrixXd::Identity(12, 12)), K, 1e-12, K.cwiseAbs().maxCoeff()));
        const Eigen::VectorXd u = Eigen::VectorXd::Random(12);
        EXPECT_NEAR(op.energia(u, false), u.dot(K * u), 1e-12 * K.norm() * u.squaredNorm());
        Eigen::MatrixXd ponderada = Eigen::MatrixXd::Zero(12, 12);
        for (const auto& t : op.rigidezPonderada()) ponderada(t.row(), t.col()) += t.value();
        const double peso = ponderada.cwiseAbs().maxCoeff() / K.cwiseAbs().maxCoeff();
        EXPECT_TRUE(casiIguales(ponderada, peso * K, 1e-12, peso * K.cwiseAbs().maxCoeff()));
        const Eigen::Vector3d p = azar.vector(-20, 20), t = azar.vector(-1, 1), giro = 1e-3 * azar.vector(-1, 1);
        Eigen::VectorXd rigido(12);
        rigido << t + giro.cross(xi - p), giro, t + giro.cross(xf - p), giro;
        EXPECT_LE(op.aplicar(rigido).norm(), 1e-13 * K.norm() * rigido.norm());
        EXPECT_LE(std::fabs(op.energia(rigido, false)), 1e-26 * K.norm() * rigido.squaredNorm());

        // Fuerza resultante y momento respecto del inicio de la carga distribuida, en ejes locales.
        const Eigen::VectorXd e = b.getCargasEquivalentesLocales().col(0), g = b.getCargasEquivalentesGlobales().col(0);
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
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(e(gradosPlanoY[i]), py.p(i), 1e-12 * escala * L) << "fila " << gradosPlanoY[i];
            EXPECT_NEAR(e(gradosPlanoZ[i]), signoPlanoZ[i] * pz.p(i), 1e-12 * escala * L) << "fila " << gradosPlanoZ[i];
        }
    }
}
