// Barra: fuerzas de extremo, funciones de solicitaciones, corte nulo, extremos exactos y deformada.
#include <functional>

#include "utilidades.h"

namespace {
const double E = 2e8, A = 0.01, IY = 2e-5, IZ = 5e-5, J = 1e-5;
const Eigen::Vector3d INICIO(1, 2, 3), DIRECCION(3, -2, 1.5);  // barra inclinada y girada
const double L = DIRECCION.norm();

objBarra3d barraDePrueba() {
    objBarra3d b = barraEntre(INICIO, INICIO + DIRECCION, 30);
    b.setSeccionGenerica(A, IY, IZ, J);
    b.setModuloEyPoisson(E, 0.3);
    return b;
}

// Resuelve la barra sola con los grados locales libres indicados (los demás fijos) y le
// pide sus solicitaciones para esos desplazamientos en ejes globales, como el análisis.
std::vector<solicitacionesBarra> resolverSola(const objBarra3d& b, const std::vector<int>& libres) {
    const Eigen::MatrixXd K = b.getKLocal(), P = b.getCargasEquivalentesLocales();
    Eigen::MatrixXd u = Eigen::MatrixXd::Zero(12, P.cols());
    u(libres, Eigen::all) = Eigen::MatrixXd(K(libres, libres).ldlt().solve(Eigen::MatrixXd(P(libres, Eigen::all))));
    return b.calcularSolicitaciones(b.getT().transpose() * u);
}

// Apoyo articulado al inicio (con la torsión fija) y deslizante al final; o empotramiento doble.
const std::vector<int> ARTICULADA = {4, 5, 6, 9, 10, 11}, EMPOTRADA = {};
using Funcion = std::function<double(double q, double x)>;
}  // namespace

TEST(BarraSolicitaciones, VigasArticuladasYEmpotradasEnAmbosPlanos) {
    const double q = 6;
    const struct {
        const char* nombre;
        bool empotrada;
        double q1, q2;  // intensidades al inicio y al final, en unidades de q
        Funcion momento, corte;
        double xCero, flechaCentro;  // flecha central en unidades de q·L⁴/(E·I); 0 si no se comprueba
    } casos[] = {
        {"articulada uniforme", false, 1, 1, [](double q, double x) { return -q * x * (L - x) / 2; },
         [](double q, double x) { return -q * L / 2 + q * x; }, L / 2, 5.0 / 384},
        // Decreciente y hacia el eje negativo: el cero del corte es la segunda raíz; en la
        // creciente, la primera.
        {"articulada triangular decreciente", false, -1, 0,
         [](double q, double x) { return q * (L - x) * (L * L - (L - x) * (L - x)) / (6 * L); },
         [](double q, double x) { return -q * (L * L - 3 * (L - x) * (L - x)) / (6 * L); }, L * (1 - 1 / std::sqrt(3.0)), 0},
        {"empotrada triangular", true, 0, 1,
         [](double q, double x) { return q * L * L / 30 - 3 * q * L * x / 20 + q * x * x * x / (6 * L); },
         [](double q, double x) { return -3 * q * L / 20 + q * x * x / (2 * L); }, L * std::sqrt(0.3), 0},
    };
    for (const auto& c : casos)
        for (bool planoY : {true, false}) {
            SCOPED_TRACE(::testing::Message() << c.nombre << (planoY ? " plano x-y" : " plano x-z"));
            objBarra3d b = barraDePrueba();
            planoY ? b.setDistribuidaLocalY("Q", c.q1 * q, c.q2 * q) : b.setDistribuidaLocalZ("Q", c.q1 * q, c.q2 * q);
            b.setCombos(combinacionesDePrueba({{"Vacio", {{1, "Nada"}}}, {"C", {{1, "Q"}}}}));
            const std::vector<solicitacionesBarra> r = resolverSola(b, c.empotrada ? EMPOTRADA : ARTICULADA);

            const int corte = planoY ? kSolicitacionVy : kSolicitacionVz;
            const int momento = planoY ? kSolicitacionMy : kSolicitacionMz;
            const double tol = 1e-9 * q * L * L;
            for (int i = 0; i < 21; ++i) {
                const double x = L * i / 20;
                EXPECT_NEAR(b.valorSolicitacion(r[1], corte, x), c.corte(q, x), tol) << "x = " << x;
                EXPECT_NEAR(b.valorSolicitacion(r[1], momento, x), c.momento(q, x), tol) << "x = " << x;
            }
            const planoSolicitaciones& plano = planoY ? r[1].planoY : r[1].planoZ;
            EXPECT_NEAR(plano.xCorteNulo, c.xCero, 1e-9 * L);
            // El momento extremo está donde se anula el corte (o en un extremo de la barra).
            const extremoSolicitacion& e = r[1].extremos[momento];
            const double mCero = c.momento(q, c.xCero), m0 = c.momento(q, 0), mL = c.momento(q, L);
            EXPECT_NEAR(e.maximo, std::max({mCero, m0, mL}), tol);
            EXPECT_NEAR(e.minimo, std::min({mCero, m0, mL}), tol);
            EXPECT_NEAR(mCero == std::max({mCero, m0, mL}) ? e.xMaximo : e.xMinimo, c.xCero, 1e-9 * L);
            EXPECT_EQ((planoY ? r[0].planoY : r[0].planoZ).xCorteNulo, -1.0);  // sin carga no hay cero aislado
            if (c.flechaCentro > 0) {
                const Eigen::MatrixXd d = b.deformada(r[1], 3, 1.0);
                const double f = c.flechaCentro * q * std::pow(L, 4) / (E * (planoY ? IZ : IY));
                EXPECT_NEAR(d(planoY ? 1 : 2, 1), f, 1e-8 * f);
                EXPECT_NEAR(d(planoY ? 2 : 1, 1), 0.0, 1e-8 * f);
            }
        }
}

TEST(BarraSolicitaciones, FlechaDeUnaPlacaConDeformacionPorCorte) {
    // Placa (factor de forma 1.2) articulada con carga uniforme: la flecha central es la de
    // flexión, 5·q·L⁴/(384·E·I), más la del corte, 1.2·q·L²/(8·G·A); la elástica la incluye.
    // Con un axial de segundo orden el momento suma N por esa flecha, y sus extremos siguen
    // siendo los de la función a lo largo de la barra.
    const double q = 6, base = 0.4, alto = 0.5, Ep = 2e7, G = Ep / (2 * 1.25);
    for (const bool planoY : {true, false}) {
        SCOPED_TRACE(planoY ? "plano x-y" : "plano x-z");
        objBarra3d b = barraEntre(INICIO, INICIO + DIRECCION, 30);
        b.setSeccionPlaca(base, alto);
        b.setModuloEyPoisson(Ep, 0.25);
        planoY ? b.setDistribuidaLocalY("Q", q, q) : b.setDistribuidaLocalZ("Q", q, q);
        b.setCombos(combinacionesDePrueba({{"C", {{1, "Q"}}}}));
        const std::vector<solicitacionesBarra> r = resolverSola(b, ARTICULADA);
        const double I = planoY ? b.getIz() : b.getIy();
        const double flexion = 5 * q * std::pow(L, 4) / (384 * Ep * I), corte = 1.2 * q * L * L / (8 * G * base * alto);
        ASSERT_GT(corte, 0.02 * flexion);
        const Eigen::MatrixXd d = b.deformada(r[0], 3, 1.0);
        EXPECT_NEAR(d(planoY ? 1 : 2, 1), flexion + corte, 1e-9 * (flexion + corte));

        const double N = -2000;
        Eigen::MatrixXd u(12, 1);
        for (int i = 0; i < 12; ++i) u(i, 0) = r[0].desplazamientos[i];
        const solicitacionesBarra s = b.calcularSolicitaciones(b.getT().transpose() * u, &N)[0];
        const int momento = planoY ? kSolicitacionMy : kSolicitacionMz;
        double mayor = -1e300, menor = 1e300;
        for (int i = 0; i <= 2000; ++i) {
            const double v = b.valorSolicitacion(s, momento, L * i / 2000);
            mayor = std::max(mayor, v), menor = std::min(menor, v);
        }
        EXPECT_NEAR(s.extremos[momento].maximo, mayor, 1e-9 * std::fabs(mayor));
        EXPECT_NEAR(s.extremos[momento].minimo, menor, 1e-9 * std::fabs(menor));
    }
}

TEST(BarraSolicitaciones, AxialYTorsion) {
    const double p = 4, t = 3;
    objBarra3d b = barraDePrueba(), e = barraDePrueba();
    b.setDistribuidaLocalX("P", p, 0);
    b.setDistribuidaLocalT("T", t);
    b.setCombos(combinacionesDePrueba({{"P", {{1, "P"}}}, {"T", {{1, "T"}}}}));
    // Fija al inicio, libre en x y en torsión al final.
    const std::vector<solicitacionesBarra> r = resolverSola(b, ARTICULADA);
    e.setDistribuidaLocalT("T", t);
    e.setCombos(combinacionesDePrueba({{"T", {{1, "T"}}}}));
    const std::vector<solicitacionesBarra> re = resolverSola(e, EMPOTRADA);
    for (int i = 0; i < 11; ++i) {
        const double x = L * i / 10;
        EXPECT_NEAR(b.valorSolicitacion(r[0], kSolicitacionN, x), p * (L - x) * (L - x) / (2 * L), 1e-12 * p * L);
        EXPECT_NEAR(b.valorSolicitacion(r[1], kSolicitacionT, x), t * (L - x), 1e-12 * t * L);
        EXPECT_NEAR(e.valorSolicitacion(re[0], kSolicitacionT, x), t * (L / 2 - x), 1e-12 * t * L);
    }
    // Extremos: el axial de p·L/2 en el inicio a 0 en el fin, la torsión de ±t·L/2 en la empotrada.
    EXPECT_NEAR(r[0].extremos[kSolicitacionN].maximo, p * L / 2, 1e-12 * p * L);
    EXPECT_EQ(r[0].extremos[kSolicitacionN].xMaximo, 0.0);
    EXPECT_NEAR(re[0].extremos[kSolicitacionT].minimo, -t * L / 2, 1e-12 * t * L);
    EXPECT_EQ(re[0].extremos[kSolicitacionT].xMinimo, L);
}

// Con cargas, liberaciones y desplazamientos cualesquiera, las funciones arrancan y
// terminan en las fuerzas de extremo: éstas equilibran la carga porque la rigidez no
// produce fuerzas en un movimiento de sólido rígido.
TEST(BarraSolicitaciones, FuncionesCoincidenConFuerzasDeExtremo) {
    Azar azar(17);
    for (int k = 0; k < 100; ++k) {
        const Eigen::Vector3d xi = azar.vector(-5, 5), xf = azar.vector(-5, 5);
        objBarra3d b = barraAlAzar(azar, k, xi, xf);
        b.setDistribuidaLocalX("Q", azar.real(-5, 5), azar.real(-5, 5));
        b.setDistribuidaLocalY("Q", azar.real(-5, 5), azar.real(-5, 5));
        b.setDistribuidaLocalZ("Q", azar.real(-5, 5), azar.real(-5, 5));
        b.setDistribuidaLocalT("Q", azar.real(-5, 5));
        b.setDistribuidaGlobal("G", azar.real(-5, 5), azar.real(-5, 5), 0, 0, -1);
        b.setCombos(combinacionesDePrueba({{"Q", {{1, "Q"}}}, {"QG", {{1.5, "Q"}, {0.8, "G"}}}}));
        const std::vector<solicitacionesBarra> r = b.calcularSolicitaciones(
            Eigen::MatrixXd::NullaryExpr(12, 2, [&](Eigen::Index, Eigen::Index) { return azar.real(-1e-3, 1e-3); }));
        ASSERT_EQ(r.size(), 2u);
        const double Lb = b.getLongitud(), s = 3.7;
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(::testing::Message() << "barra " << k << " combinación " << c);
            const double* F = r[static_cast<size_t>(c)].fuerzas;
            const double* uL = r[static_cast<size_t>(c)].desplazamientos;
            const double tol = 1e-9 * (Eigen::Map<const Eigen::VectorXd>(F, 12).cwiseAbs().maxCoeff() + 10 * Lb * Lb);
            const auto en = [&](int solicitacion, double x) {
                return b.valorSolicitacion(r[static_cast<size_t>(c)], solicitacion, x);
            };
            const double pares[][2] = {
                {en(kSolicitacionVy, 0), F[1]},  {en(kSolicitacionVy, Lb), -F[7]}, {en(kSolicitacionMy, 0), -F[5]},
                {en(kSolicitacionMy, Lb), F[11]}, {en(kSolicitacionVz, 0), F[2]},  {en(kSolicitacionVz, Lb), -F[8]},
                {en(kSolicitacionMz, 0), F[4]},  {en(kSolicitacionMz, Lb), -F[10]}, {en(kSolicitacionN, 0), -F[0]},
                {en(kSolicitacionN, Lb), F[6]},  {en(kSolicitacionT, 0), -F[3]},   {en(kSolicitacionT, Lb), F[9]},
            };
            for (size_t i = 0; i < std::size(pares); ++i) EXPECT_NEAR(pares[i][0], pares[i][1], tol) << "par " << i;
            // Ningún valor de la función en 200 puntos pasa de sus extremos exactos.
            for (int k2 = 0; k2 < kNumeroSolicitaciones; ++k2) {
                const extremoSolicitacion& e = r[static_cast<size_t>(c)].extremos[k2];
                EXPECT_NEAR(en(k2, e.xMaximo), e.maximo, tol);
                EXPECT_NEAR(en(k2, e.xMinimo), e.minimo, tol);
                for (int i = 0; i <= 200; ++i) {
                    const double v = en(k2, Lb * i / 200);
                    EXPECT_TRUE(v <= e.maximo + tol && v >= e.minimo - tol) << kNombresSolicitaciones[k2] << " " << i;
                }
            }

            // Deformada relativa al nudo inicial desplazado; con escala 0, la barra recta.
            const Eigen::MatrixXd d = b.deformada(r[static_cast<size_t>(c)], 2, s),
                                  d0 = b.deformada(r[static_cast<size_t>(c)], 5, 0.0);
            const Eigen::Vector3d fin(Lb + (uL[6] - uL[0]) * s, (uL[7] - uL[1]) * s, (uL[8] - uL[2]) * s);
            EXPECT_TRUE(d.col(0).isZero(1e-15));
            EXPECT_TRUE(casiIguales(d.col(1), fin, 1e-12, Lb));
            for (int i = 0; i < 5; ++i) EXPECT_TRUE(casiIguales(d0.col(i), Eigen::Vector3d(Lb * i / 4, 0, 0), 1e-15, Lb));
        }
    }
}
