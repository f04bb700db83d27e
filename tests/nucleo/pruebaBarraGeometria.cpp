// Barra: longitud, ángulos, ejes locales, matriz de transformación y grados de libertad.
#include "utilidades.h"

#include <cmath>

namespace {
const double PI = 3.141592653589793;

struct CasoEjes {
    Eigen::Vector3d ini, fin;
    double rotacion, longitud, betaDeg, gammaDeg;
    Eigen::Vector3d ejeY, ejeZ;
};
}  // namespace

TEST(BarraGeometria, AngulosYEjesLocalesDeCasosConocidos) {
    const double b3412 = -180 / PI * std::asin(12.0 / 13.0), g3412 = 180 / PI * std::acos(0.6);
    const CasoEjes casos[] = {
        {{0, 0, 0}, {5, 0, 0}, 0, 5, 0, 0, {0, 0, 1}, {0, -1, 0}},
        {{5, 0, 0}, {0, 0, 0}, 0, 5, 0, 180, {0, 0, 1}, {0, 1, 0}},
        {{0, 0, 0}, {0, 4, 0}, 0, 4, 0, 90, {0, 0, 1}, {1, 0, 0}},
        {{0, 4, 0}, {0, 0, 0}, 0, 4, 0, -90, {0, 0, 1}, {-1, 0, 0}},
        {{0, 0, 0}, {0, 0, 3}, 0, 3, -90, 0, {-1, 0, 0}, {0, -1, 0}},
        {{0, 0, 3}, {0, 0, 0}, 0, 3, 90, 0, {1, 0, 0}, {0, -1, 0}},
        // Con rotación nula el eje y local es la normal hacia arriba en el plano vertical de la barra.
        {{0, 0, 0}, {3, 4, 12}, 0, 13, b3412, g3412, {-36 / 65.0, -48 / 65.0, 25 / 65.0}, {0.8, -0.6, 0}},
        {{0, 0, 0}, {5, 0, 0}, 90, 5, 0, 0, {0, -1, 0}, {0, 0, -1}},
        {{1, 2, 3}, {1, 2, 3 + 2}, 90, 2, -90, 0, {0, -1, 0}, {1, 0, 0}},
    };
    for (const CasoEjes& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.ini.transpose() << " -> " << c.fin.transpose() << " rot "
                                          << c.rotacion);
        objBarra3d b = barraEntre(c.ini, c.fin, c.rotacion);
        EXPECT_NEAR(b.getLongitud(), c.longitud, 1e-14);
        EXPECT_NEAR(b.getBetaDeg(), c.betaDeg, 1e-12);
        EXPECT_NEAR(b.getGammaDeg(), c.gammaDeg, 1e-12);
        EXPECT_NEAR(b.getAlfaDeg(), 90 + c.rotacion, 1e-12);
        const Eigen::Matrix3d R = b.getRotacion();
        EXPECT_TRUE(casiIguales(R.row(0).transpose(), (c.fin - c.ini) / c.longitud, 1e-15));
        EXPECT_TRUE(casiIguales(R.row(1).transpose(), c.ejeY, 1e-15));
        EXPECT_TRUE(casiIguales(R.row(2).transpose(), c.ejeZ, 1e-15));
    }
    EXPECT_DOUBLE_EQ(objBarra3d().getAlfaDeg(), 90.0);
}

TEST(BarraGeometria, EjesOrtonormalesDerechosParaDireccionesAlAzar) {
    Azar azar(20240611);
    for (int k = 0; k < 300; ++k) {
        const Eigen::Vector3d ini = azar.vector(-10, 10);
        Eigen::Vector3d d = azar.vector(-5, 5);
        if (k % 5 == 0) d.y() = 0;                // en un plano vertical paralelo a X
        if (k % 7 == 0) d.head<2>() *= 1e-9;      // casi vertical
        else if (k % 11 == 0) d.z() = 0;          // horizontal
        // Con dy diminuto, dx / (cos(beta)·L) supera 1 por redondeo y el arcocoseno no estaría definido.
        if (k == 1) d << 8.7825558993052084, 5.5677847107783965e-09, 4.3194102207233414;
        const Eigen::Vector3d fin = k == 1 ? d : ini + d, inicio = k == 1 ? Eigen::Vector3d::Zero() : ini;
        const double rot = azar.real(-360, 360), t = rot * PI / 180;
        SCOPED_TRACE(::testing::Message() << "d = " << d.transpose() << " rot " << rot);
        objBarra3d b = barraEntre(inicio, fin, rot), b0 = barraEntre(inicio, fin, 0);
        const Eigen::Matrix3d R = b.getRotacion(), R0 = b0.getRotacion();
        ASSERT_TRUE(R.allFinite());
        EXPECT_TRUE(casiIguales(R * R.transpose(), Eigen::Matrix3d::Identity(), 1e-14));
        EXPECT_NEAR(R.determinant(), 1.0, 1e-14);
        // Casi vertical, asin(dz/L) junto a ±1 pierde la mitad de las cifras: error de hasta 1e-8 rad.
        EXPECT_TRUE(casiIguales(R.row(0).transpose(), (fin - inicio).normalized(), k % 7 && k != 1 ? 1e-12 : 1e-8));
        // Una rotación positiva gira y hacia z alrededor de x (regla de la mano derecha).
        EXPECT_TRUE(casiIguales(R.row(1), std::cos(t) * R0.row(1) + std::sin(t) * R0.row(2), 1e-12));
        Eigen::MatrixXd T = Eigen::MatrixXd::Zero(12, 12);  // R en los cuatro bloques diagonales
        for (int j = 0; j < 4; ++j) T.block<3, 3>(3 * j, 3 * j) = R;
        EXPECT_TRUE(casiIguales(b.getT(), T, 1e-15));
    }
}

TEST(BarraGeometria, GradosDeLibertadYNudos) {
    objBarra3d b = barraEntre({0, 0, 0}, {3, 4, 0}, 0, 0, 2), c = barraEntre({0, 0, 0}, {1, 0, 0}, 0, 3, 1);
    EXPECT_EQ(b.getGdl(), (Eigen::VectorXi(12) << 1, 2, 3, 4, 5, 6, 13, 14, 15, 16, 17, 18).finished());
    EXPECT_EQ(c.getGdl(), (Eigen::VectorXi(12) << 19, 20, 21, 22, 23, 24, 7, 8, 9, 10, 11, 12).finished());
    // Nudos dados de nuevo: cambian las coordenadas, no la longitud ni los ángulos.
    b.setNudoInicio(0, 10, 10, 10);
    b.setNudoFinal(2, -1, -1, -1);
    EXPECT_EQ(Eigen::Vector3d(b.getXi(), b.getZf(), b.getBeta()), Eigen::Vector3d(10, -1, 0));
    EXPECT_DOUBLE_EQ(b.getLongitud(), 5.0);
    EXPECT_DOUBLE_EQ(b.getGamma(), std::acos(0.6));

    objBarra3d sinNudos, soloInicio;
    sinNudos.setNoBarraUsuario(7);
    soloInicio.setNoBarraUsuario(8);
    soloInicio.setNudoInicio(0, 1, 2, 3);
    CapturaConsola cap;
    EXPECT_EQ(sinNudos.getGdl(), Eigen::VectorXi::Zero(12));
    EXPECT_EQ(soloInicio.getGdl(), Eigen::VectorXi::Zero(12));
    EXPECT_EQ(cap.texto(), "Definir primero los nudos de la barra 7\nDefinir primero los nudos de la barra 8\n");
    EXPECT_EQ(soloInicio.getLongitud(), 0.0);
}
