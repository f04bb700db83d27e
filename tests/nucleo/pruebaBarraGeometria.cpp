// Barra: longitud, ángulos y ejes locales.
#include "utilidades.h"

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
    // Sin sus nudos la barra no tiene grados de libertad (ni nada que decir en la consola).
    objBarra3d sinNudos;
    sinNudos.setNoBarraUsuario(7);
    EXPECT_EQ(sinNudos.getGdl(), Eigen::VectorXi::Zero(12));
}

// Direcciones donde los ángulos pierden cifras: ejes finitos, ortonormales y derechos, con x
// según la barra e y hacia arriba en su plano vertical o, casi vertical, según -X si sube y +X
// si baja, como una barra vertical. (Las demás direcciones las recorre al azar la prueba de
// barras al azar de la rigidez.)
TEST(BarraGeometria, EjesDeDireccionesDelicadas) {
    // Con dy diminuto, dx / (cos(beta)·L) supera 1 por redondeo y el arcocoseno no estaría definido.
    // Casi vertical, asin(dz/L) junto a ±1 pierde la mitad de las cifras: error de hasta 1e-8 rad.
    for (const Eigen::Vector3d& d : {Eigen::Vector3d(8.7825558993052084, 5.5677847107783965e-09, 4.3194102207233414),
                                     Eigen::Vector3d(-3e-9, 2e-9, 4), Eigen::Vector3d(-1e-9, 0, -2.5)}) {
        const Eigen::Matrix3d R = barraEntre({1, 2, 3}, Eigen::Vector3d(1, 2, 3) + d).getRotacion();
        const Eigen::Vector3d plano = Eigen::Vector3d::UnitZ() - d.normalized().z() * d.normalized();
        ASSERT_TRUE(R.allFinite()) << d.transpose();
        EXPECT_TRUE(casiIguales(R * R.transpose(), Eigen::Matrix3d::Identity(), 1e-14));
        EXPECT_NEAR(R.determinant(), 1.0, 1e-14);
        EXPECT_TRUE(casiIguales(R.row(0).transpose(), d.normalized(), 1e-8));
        EXPECT_TRUE(casiIguales(R.row(1).transpose(), plano.norm() > 1e-6 ? Eigen::Vector3d(plano.normalized())
                                                                           : Eigen::Vector3d(-std::copysign(1.0, d.z()), 0, 0), 1e-8));
    }
}
