// Barra: fuerzas de extremo, funciones de solicitaciones, corte nulo y deformada.
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
// entrega los desplazamientos en ejes globales, como el análisis.
void resolverSola(objBarra3d& b, const std::vector<int>& libres) {
    b.getKGlobal();
    const Eigen::MatrixXd K = b.getKLocal(), P = b.getCargasEquivalentesLocales();
    Eigen::MatrixXd u = Eigen::MatrixXd::Zero(12, P.cols());
    u(libres, Eigen::all) = Eigen::MatrixXd(K(libres, libres).ldlt().solve(Eigen::MatrixXd(P(libres, Eigen::all))));
    b.setDesplazamientos(b.getT().transpose() * u);
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
            b.setCombo("Vacio", 1, "Nada");
            b.setCombo("C", 1, "Q");
            resolverSola(b, c.empotrada ? EMPOTRADA : ARTICULADA);

            const Eigen::MatrixXd V = planoY ? b.getSolicitacionVy(1, 21) : b.getSolicitacionVz(1, 21);
            const Eigen::MatrixXd M = planoY ? b.getSolicitacionMy(1, 21) : b.getSolicitacionMz(1, 21);
            const double tol = 1e-9 * q * L * L;
            for (int i = 0; i < 21; ++i) {
                const double x = L * i / 20;
                EXPECT_NEAR(M(0, i), x, 1e-14 * L);
                EXPECT_NEAR(V(1, i), c.corte(q, x), tol) << "x = " << x;
                EXPECT_NEAR(M(1, i), c.momento(q, x), tol) << "x = " << x;
            }
            EXPECT_NEAR(planoY ? b.getXVYcero(1) : b.getXVZcero(1), c.xCero, 1e-9 * L);
            EXPECT_NEAR(planoY ? b.getMymax(1) : b.getMzmax(1), c.momento(q, c.xCero), tol);
            EXPECT_EQ(planoY ? b.getXVYcero(0) : b.getXVZcero(0), -1.0);  // sin carga no hay cero aislado
            if (c.flechaCentro > 0) {
                const Eigen::MatrixXd d = b.getBarraDeformada(1, 3, 1.0);
                const double f = c.flechaCentro * q * std::pow(L, 4) / (E * (planoY ? IZ : IY));
                EXPECT_NEAR(d(planoY ? 1 : 2, 1), f, 1e-8 * f);
                EXPECT_NEAR(d(planoY ? 2 : 1, 1), 0.0, 1e-8 * f);
            }
        }
}

TEST(BarraSolicitaciones, AxialYTorsion) {
    const double p = 4, t = 3;
    objBarra3d b = barraDePrueba(), e = barraDePrueba();
    b.setDistribuidaLocalX("P", p, 0);
    b.setDistribuidaLocalT("T", t);
    b.setCombo("P", 1, "P");
    b.setCombo("T", 1, "T");
    resolverSola(b, ARTICULADA);  // fija al inicio, libre en x y en torsión al final
    e.setDistribuidaLocalT("T", t);
    e.setCombo("T", 1, "T");
    {
        // Antes de tener desplazamientos no hay constantes de integración ni cero del corte.
        CapturaConsola cap;
        EXPECT_EQ(e.getXVYcero(0) + e.getXVZcero(0), -2.0);
        EXPECT_EQ(cap.texto(), "El progama aun no calculó las constanes de integración\n"
                               "El progama aun no calculó las constanes de integración\n");
    }
    resolverSola(e, EMPOTRADA);
    const Eigen::MatrixXd N = b.getSolicitacionAxial(0, 11), T = b.getSolicitacionTorsion(1, 11),
                          Te = e.getSolicitacionTorsion(0, 11);
    for (int i = 0; i < 11; ++i) {
        const double x = L * i / 10;
        EXPECT_NEAR(N(1, i), p * (L - x) * (L - x) / (2 * L), 1e-12 * p * L);
        EXPECT_NEAR(T(1, i), t * (L - x), 1e-12 * t * L);
        EXPECT_NEAR(Te(1, i), t * (L / 2 - x), 1e-12 * t * L);
    }
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
        b.setCombo("Q", 1, "Q");
        b.setCombo("QG", 1.5, "Q");
        b.setCombo("QG", 0.8, "G");
        b.getKGlobal();
        b.setDesplazamientos(Eigen::MatrixXd::NullaryExpr(12, 2, [&](Eigen::Index, Eigen::Index) { return azar.real(-1e-3, 1e-3); }));
        const Eigen::MatrixXd F = b.getFuerzasExtremos(), uL = b.getDesplazamientosLocales();
        ASSERT_EQ(F.cols(), 2);
        const double Lb = b.getLongitud(), s = 3.7;
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(::testing::Message() << "barra " << k << " combinación " << c);
            const double tol = 1e-9 * (F.col(c).cwiseAbs().maxCoeff() + 10 * Lb * Lb);
            const Eigen::MatrixXd N = b.getSolicitacionAxial(c, 2), T = b.getSolicitacionTorsion(c, 2);
            const Eigen::MatrixXd Vy = b.getSolicitacionVy(c, 2), My = b.getSolicitacionMy(c, 2);
            const Eigen::MatrixXd Vz = b.getSolicitacionVz(c, 2), Mz = b.getSolicitacionMz(c, 2);
            const double pares[][2] = {
                {Vy(1, 0), F(1, c)}, {Vy(1, 1), -F(7, c)}, {My(1, 0), -F(5, c)}, {My(1, 1), F(11, c)},
                {Vz(1, 0), F(2, c)}, {Vz(1, 1), -F(8, c)}, {Mz(1, 0), F(4, c)},  {Mz(1, 1), -F(10, c)},
                {N(1, 0), -F(0, c)}, {N(1, 1), F(6, c)},   {T(1, 0), -F(3, c)},  {T(1, 1), F(9, c)},
                {N(0, 1), Lb},
            };
            for (size_t i = 0; i < std::size(pares); ++i) EXPECT_NEAR(pares[i][0], pares[i][1], tol) << "par " << i;

            // Deformada relativa al nudo inicial desplazado; con escala 0, la barra recta.
            const Eigen::MatrixXd d = b.getBarraDeformada(c, 2, s), d0 = b.getBarraDeformada(c, 5, 0.0);
            const Eigen::Vector3d fin(Lb + (uL(6, c) - uL(0, c)) * s, (uL(7, c) - uL(1, c)) * s, (uL(8, c) - uL(2, c)) * s);
            EXPECT_TRUE(d.col(0).isZero(1e-15));
            EXPECT_TRUE(casiIguales(d.col(1), fin, 1e-12, Lb));
            for (int i = 0; i < 5; ++i) EXPECT_TRUE(casiIguales(d0.col(i), Eigen::Vector3d(Lb * i / 4, 0, 0), 1e-15, Lb));
        }
    }
}
