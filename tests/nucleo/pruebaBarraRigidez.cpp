// Barra: liberaciones de extremo y matrices de rigidez local y global.
#include "utilidades.h"

namespace {
const double E = 2.1e8, NU = 0.25, G = E / (2 * (1 + NU));
}  // namespace

// Con cualquier factor de fijación y con o sin deformación por corte, la rigidez local es la
// axial E·A/L, la de torsión G·J/L y, en cada plano de flexión, la de la barra con un resorte
// de giro (E·I/L)·f/(1 − f) en cada extremo, sin acoples entre ellas.
TEST(BarraRigidez, AxialTorsionYPlanosConResortesDeGiro) {
    objBarra3d acotada;  // los factores se acotan a [0, 1]
    acotada.setArticulacion(1.5, -0.2, 0.5, 1);
    EXPECT_EQ(Eigen::Vector4d(acotada.getArtIniY(), acotada.getArtFinY(), acotada.getArtIniZ(), acotada.getArtFinZ()),
              Eigen::Vector4d(1, 0, 0.5, 1));
    Azar azar(7);
    for (int k = 0; k < 200; ++k) {
        const bool esPlaca = k % 2 == 0;
        const double f[4] = {azar.factor(), azar.factor(), azar.factor(), azar.factor()}, L = azar.real(0.5, 8);
        objBarra3d b = barraEntre({0, 0, 0}, azar.vector(-1, 1).normalized() * L, azar.real(-180, 180));
        esPlaca ? b.setSeccionPlaca(azar.real(0.1, 1), azar.real(0.1, 1)) : b.setSeccionGenerica(0.012, 3e-5, 8e-5, 2e-6);
        b.setModuloEyPoisson(E, NU);
        b.setArticulacion(f[0], f[1], f[2], f[3]);
        SCOPED_TRACE(::testing::Message() << "placa " << esPlaca << " L " << L << " factores " << f[0] << " " << f[1]
                                          << " " << f[2] << " " << f[3]);
        const double phi = esPlaca ? 12 * E * 1.2 / (G * b.getArea() * L * L) : 0;
        const Eigen::Matrix4d ky = planoConResortes(L, E * b.getIz(), phi * b.getIz(), f[0], f[1]).k;
        const Eigen::Matrix4d kz = planoConResortes(L, E * b.getIy(), phi * b.getIy(), f[2], f[3]).k;
        Eigen::MatrixXd esperada = Eigen::MatrixXd::Zero(12, 12);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                esperada(gradosPlanoY[i], gradosPlanoY[j]) = ky(i, j);
                esperada(gradosPlanoZ[i], gradosPlanoZ[j]) = signoPlanoZ[i] * signoPlanoZ[j] * kz(i, j);
            }
        for (auto [g, rigidez] : {std::pair{0, E * b.getArea() / L}, {3, G * b.getModJ() / L}}) {
            esperada(g, g) = esperada(g + 6, g + 6) = rigidez;
            esperada(g, g + 6) = esperada(g + 6, g) = -rigidez;
        }
        EXPECT_TRUE(casiIguales(b.getKLocal(), esperada, 1e-12, esperada.cwiseAbs().maxCoeff()));
    }
}

// K·u de un movimiento de sólido rígido debe anularse. Cada componente de K·u suma doce
// productos de tamaño hasta |K|·|u| y K sale de tres productos de matrices: el redondeo
// deja residuos del orden de 1e-15·|K|·|u| (1e-8 en barras casi verticales, cuyo eje
// pierde cifras, muy improbables al azar). Un acople giro-corte mal compensado deja
// residuos del orden de phi·E·I/L, muchos órdenes por encima de 1e-9·|K|·|u|.
TEST(BarraRigidez, MovimientoDeSolidoRigidoNoProduceFuerzas) {
    Azar azar(99);
    for (int k = 0; k < 300; ++k) {
        const Eigen::Vector3d xi = azar.vector(-10, 10), xf = xi + azar.vector(-6, 6), p = azar.vector(-20, 20);
        const objBarra3d b = barraAlAzar(azar, k, xi, xf);
        const Eigen::MatrixXd K = b.getKGlobal();
        EXPECT_TRUE(casiIguales(K, K.transpose(), 1e-13));
        for (int modo = 0; modo < 6; ++modo) {
            Eigen::Vector3d t = Eigen::Vector3d::Zero(), giro = Eigen::Vector3d::Zero();
            if (modo < 3) t(modo) = 1; else giro(modo - 3) = 1e-3;
            Eigen::VectorXd u(12);
            u << t + giro.cross(xi - p), giro, t + giro.cross(xf - p), giro;
            EXPECT_LE((K * u).norm(), 1e-9 * K.norm() * u.norm()) << "barra " << k << " modo " << modo;
        }
    }
}
