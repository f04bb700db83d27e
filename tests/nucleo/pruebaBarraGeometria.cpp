// Barra: longitud, ángulos y ejes locales.
#include "utilidades.h"

namespace {
const double PI = 3.141592653589793;
}  // namespace

TEST(BarraGeometria, AngulosYEjesLocalesDeCasosConocidos) {
    const double b3412 = -180 / PI * std::asin(12.0 / 13.0), g3412 = 180 / PI * std::acos(0.6);
    const struct {
        Eigen::Vector3d ini, fin;
        double rotacion, longitud, betaDeg, gammaDeg;
        Eigen::Vector3d ejeY, ejeZ;
    } casos[] = {
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
    for (const auto& c : casos) {
        SCOPED_TRACE(::testing::Message() << c.ini.transpose() << " -> " << c.fin.transpose() << " rot " << c.rotacion);
        objBarra3d b = barraEntre(c.ini, c.fin, c.rotacion);
        EXPECT_NEAR(b.getLongitud(), c.longitud, 1e-14);
        EXPECT_TRUE(casiIguales(Eigen::Vector3d(b.getAlfaDeg(), b.getBetaDeg(), b.getGammaDeg()),
                                Eigen::Vector3d(90 + c.rotacion, c.betaDeg, c.gammaDeg), 1e-14));
        Eigen::Matrix3d R;
        R << ((c.fin - c.ini) / c.longitud).transpose(), c.ejeY.transpose(), c.ejeZ.transpose();
        EXPECT_TRUE(casiIguales(b.getRotacion(), R, 1e-15));
    }
    objBarra3d sinNudos;
    sinNudos.setNoBarraUsuario(7);
    CapturaConsola cap;
    EXPECT_EQ(sinNudos.getGdl(), Eigen::VectorXi::Zero(12));
    EXPECT_EQ(cap.texto(), "Definir primero los nudos de la barra 7\n");
}

TEST(BarraGeometria, EjesOrtonormalesDerechosParaDireccionesAlAzar) {
    Azar azar(20240611);
    for (int k = 0; k < 300; ++k) {
        Eigen::Vector3d ini = azar.vector(-10, 10), d = azar.vector(-5, 5);
        if (k % 5 == 0) d.y() = 0;            // en un plano vertical paralelo a X
        if (k % 7 == 0) d.head<2>() *= 1e-9;  // casi vertical
        else if (k % 11 == 0) d.z() = 0;      // horizontal
        // Con dy diminuto, dx / (cos(beta)·L) supera 1 por redondeo y el arcocoseno no estaría definido.
        if (k == 1) ini.setZero(), d << 8.7825558993052084, 5.5677847107783965e-09, 4.3194102207233414;
        const double rot = azar.real(-360, 360), t = rot * PI / 180;
        SCOPED_TRACE(::testing::Message() << "d = " << d.transpose() << " rot " << rot);
        const Eigen::Matrix3d R = barraEntre(ini, ini + d, rot).getRotacion(), R0 = barraEntre(ini, ini + d).getRotacion();
        ASSERT_TRUE(R.allFinite());
        EXPECT_TRUE(casiIguales(R * R.transpose(), Eigen::Matrix3d::Identity(), 1e-14));
        EXPECT_NEAR(R.determinant(), 1.0, 1e-14);
        // Casi vertical, asin(dz/L) junto a ±1 pierde la mitad de las cifras: error de hasta 1e-8 rad.
        EXPECT_TRUE(casiIguales(R.row(0).transpose(), d.normalized(), k % 7 && k != 1 ? 1e-12 : 1e-8));
        // Una rotación positiva gira y hacia z alrededor de x (regla de la mano derecha).
        EXPECT_TRUE(casiIguales(R.row(1), std::cos(t) * R0.row(1) + std::sin(t) * R0.row(2), 1e-12));
    }
}
