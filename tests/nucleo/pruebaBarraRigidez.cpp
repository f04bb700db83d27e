// Barra: liberaciones de extremo y matrices de rigidez local y global.
#include "ayudasBarra.h"
#include "utilidades.h"

#include <cmath>

namespace {
const double E = 2.1e8, NU = 0.25, G = E / (2 * (1 + NU));
const double A = 0.012, IY = 3e-5, IZ = 8e-5, J = 2e-6, L = 4;

objBarra3d barraGenerica(double aIniY = 1, double aFinY = 1, double aIniZ = 1, double aFinZ = 1) {
    objBarra3d b = barraEntre({0, 0, 0}, {L, 0, 0});
    b.setSeccionGenerica(A, IY, IZ, J);
    b.setModuloEyPoisson(E, NU);
    b.setArticulacion(aIniY, aFinY, aIniZ, aFinZ);
    return b;
}

// Matriz de rigidez local de la barra sin liberaciones, con deformación por corte
// phiY (plano x-z, Iy) y phiZ (plano x-y, Iz).
Eigen::MatrixXd kSinLiberar(double a, double iy, double iz, double j, double phiY, double phiZ) {
    Eigen::MatrixXd k = Eigen::MatrixXd::Zero(12, 12);
    const int axial[2] = {0, 6}, torsion[2] = {3, 9};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) {
            const double s = (r == c) ? 1 : -1;
            k(axial[r], axial[c]) = s * E * a / L;
            k(torsion[r], torsion[c]) = s * G * j / L;
        }
    const Eigen::Matrix4d ky = planoConResortes(L, E * iz, phiZ, 1, 1).k;
    const Eigen::Matrix4d kz = planoConResortes(L, E * iy, phiY, 1, 1).k;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            k(gradosPlanoY[r], gradosPlanoY[c]) = ky(r, c);
            k(gradosPlanoZ[r], gradosPlanoZ[c]) = signoPlanoZ[r] * signoPlanoZ[c] * kz(r, c);
        }
    return k;
}

Eigen::MatrixXd bloque(const Eigen::MatrixXd& k, const int (&g)[4]) {
    Eigen::MatrixXd b(4, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) b(r, c) = k(g[r], g[c]);
    return b;
}
}  // namespace

TEST(BarraRigidez, FactoresDeFijacionSeAcotan) {
    objBarra3d b;
    EXPECT_EQ(b.getArtIniY() + b.getArtFinY() + b.getArtIniZ() + b.getArtFinZ(), 4.0);
    b.setArticulacion(1.5, -0.2, 0.5, 1);
    EXPECT_EQ(b.getArtIniY(), 1.0);
    EXPECT_EQ(b.getArtFinY(), 0.0);
    EXPECT_EQ(b.getArtIniZ(), 0.5);
    EXPECT_EQ(b.getArtFinZ(), 1.0);
}

TEST(BarraRigidez, ValoresClasicosConYSinLiberaciones) {
    const Eigen::MatrixXd clasica = kSinLiberar(A, IY, IZ, J, 0, 0);
    EXPECT_TRUE(casiIguales(barraGenerica().getKLocal(), clasica, 1e-13));
    const Eigen::MatrixXd k = barraGenerica().getKLocal();
    EXPECT_NEAR(k(1, 5), 6 * E * IZ / (L * L), 1e-9);
    EXPECT_NEAR(k(2, 4), -6 * E * IY / (L * L), 1e-9);

    // Rótula al inicio del plano x-y: Dy = 4, voladizo apuntalado.
    const Eigen::MatrixXd k01 = barraGenerica(0, 1).getKLocal();
    EXPECT_NEAR(k01(1, 1), 3 * E * IZ / (L * L * L), 1e-9);
    EXPECT_EQ(k01(1, 5), 0.0);
    EXPECT_EQ(k01(5, 5), 0.0);
    EXPECT_NEAR(k01(1, 11), 3 * E * IZ / (L * L), 1e-9);
    EXPECT_NEAR(k01(11, 11), 3 * E * IZ / L, 1e-9);

    // Rótulas en ambos extremos del plano x-y: sin flexión en ese plano, lo demás igual.
    Eigen::MatrixXd k00 = barraGenerica(0, 0).getKLocal();
    EXPECT_TRUE(bloque(k00, gradosPlanoY).isZero(0));
    Eigen::MatrixXd resto = clasica;
    for (int g : gradosPlanoY) resto.row(g).setZero(), resto.col(g).setZero();
    EXPECT_TRUE(casiIguales(k00, resto, 1e-13));

    // Barra según +X con rotación 0: la traslación global Z es la y local (Iz).
    const Eigen::MatrixXd kg = barraGenerica().getKGlobal();
    EXPECT_NEAR(kg(2, 2), 12 * E * IZ / (L * L * L), 1e-6);
    EXPECT_NEAR(kg(1, 1), 12 * E * IY / (L * L * L), 1e-6);
}

TEST(BarraRigidez, PlacaConDeformacionPorCorte) {
    const double base = 0.3, altura = 0.6;
    auto placa = [&](double aIniY, double aFinY, double aIniZ, double aFinZ) {
        objBarra3d b = barraEntre({0, 0, 0}, {0, 0, L});
        b.setSeccionPlaca(base, altura);
        b.setModuloEyPoisson(E, NU);
        b.setArticulacion(aIniY, aFinY, aIniZ, aFinZ);
        return b;
    };
    objBarra3d b = placa(1, 1, 1, 1);
    const double a = b.getArea(), iy = b.getIy(), iz = b.getIz();
    const double phiY = 12 * E * iy * 1.2 / (G * a * L * L), phiZ = 12 * E * iz * 1.2 / (G * a * L * L);
    ASSERT_GT(phiZ, 0.05);
    const Eigen::MatrixXd k = b.getKLocal();
    EXPECT_TRUE(casiIguales(k, kSinLiberar(a, iy, iz, b.getModJ(), phiY, phiZ), 1e-13));
    EXPECT_NEAR(k(1, 1), 12 * E * iz / (L * L * L * (1 + phiZ)), 1e-13 * k(1, 1));
    EXPECT_NEAR(k(5, 5), (4 + phiZ) * E * iz / (L * (1 + phiZ)), 1e-13 * k(5, 5));

    // Apuntalada: la rigidez al giro del extremo rígido es 12·E·I/(L·(4 + phi)) y la rótula no transmite.
    const Eigen::MatrixXd kp = placa(1, 0, 0, 1).getKLocal();
    EXPECT_NEAR(kp(5, 5), 12 * E * iz / (L * (4 + phiZ)), 1e-13 * kp(5, 5));
    EXPECT_NEAR(kp(10, 10), 12 * E * iy / (L * (4 + phiY)), 1e-13 * kp(10, 10));
    EXPECT_TRUE(kp.row(11).isZero(0));
    EXPECT_TRUE(kp.row(4).isZero(0));
}

TEST(BarraRigidez, LiberacionesParcialesSonResortesDeGiro) {
    Azar azar(7);
    for (int k = 0; k < 200; ++k) {
        const bool esPlaca = k % 2 == 0;
        const double f[4] = {azar.factor(), azar.factor(), azar.factor(), azar.factor()};
        const double largo = azar.real(0.5, 8);
        objBarra3d b = barraEntre({0, 0, 0}, azar.vector(-1, 1).normalized() * largo, azar.real(-180, 180));
        if (esPlaca)
            b.setSeccionPlaca(azar.real(0.1, 1), azar.real(0.1, 1));
        else
            b.setSeccionGenerica(A, IY, IZ, J);
        b.setModuloEyPoisson(E, NU);
        b.setArticulacion(f[0], f[1], f[2], f[3]);
        SCOPED_TRACE(::testing::Message() << "placa " << esPlaca << " L " << largo << " factores " << f[0] << " "
                                          << f[1] << " " << f[2] << " " << f[3]);
        const double gal2 = G * b.getArea() * largo * largo;
        const double phiY = esPlaca ? 12 * E * b.getIy() * 1.2 / gal2 : 0;
        const double phiZ = esPlaca ? 12 * E * b.getIz() * 1.2 / gal2 : 0;
        const Eigen::MatrixXd kl = b.getKLocal();
        EXPECT_TRUE(casiIguales(kl, kl.transpose(), 1e-14));
        const double escala = kl.cwiseAbs().maxCoeff();
        EXPECT_TRUE(casiIguales(bloque(kl, gradosPlanoY), planoConResortes(largo, E * b.getIz(), phiZ, f[0], f[1]).k,
                                1e-12, escala));
        Eigen::Matrix4d kz = planoConResortes(largo, E * b.getIy(), phiY, f[2], f[3]).k;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) kz(r, c) *= signoPlanoZ[r] * signoPlanoZ[c];
        EXPECT_TRUE(casiIguales(bloque(kl, gradosPlanoZ), kz, 1e-12, escala));
    }
}

// K·u de un movimiento de sólido rígido debe anularse. Cada componente de K·u es una
// suma de doce productos de tamaño hasta |K|·|u|, y K sale de tres productos de matrices:
// el redondeo deja residuos del orden de 1e-15·|K|·|u|. Un error de la matriz, como un
// acople entre giro y corte mal compensado, deja residuos del orden de phi·E·I/L, muchos
// órdenes por encima de la tolerancia 1e-9·|K|·|u|.
TEST(BarraRigidez, MovimientoDeSolidoRigidoNoProduceFuerzas) {
    Azar azar(99);
    for (int k = 0; k < 300; ++k) {
        const Eigen::Vector3d xi = azar.vector(-10, 10), xf = xi + azar.vector(-6, 6);
        objBarra3d b = barraEntre(xi, xf, azar.real(-180, 180));
        switch (k % 3) {
            case 0: b.setSeccionPlaca(azar.real(0.1, 1.5), azar.real(0.1, 1.5)); break;
            case 1: b.setSeccionW(0.2, 0.015, 0.4, 0.01); break;
            default: b.setSeccionGenerica(azar.real(0.001, 0.1), azar.real(1e-6, 1e-3), azar.real(1e-6, 1e-3), 1e-5);
        }
        b.setModuloEyPoisson(azar.real(1e4, 3e8), azar.real(0, 0.45));
        b.setArticulacion(azar.factor(), azar.factor(), azar.factor(), azar.factor());
        const Eigen::MatrixXd K = b.getKGlobal();
        EXPECT_TRUE(casiIguales(K, K.transpose(), 1e-13));
        const Eigen::Vector3d p = azar.vector(-20, 20);
        for (int modo = 0; modo < 6; ++modo) {
            Eigen::Vector3d t = Eigen::Vector3d::Zero(), giro = Eigen::Vector3d::Zero();
            (modo < 3 ? t : giro)(modo % 3) = modo < 3 ? 1.0 : 1e-3;
            Eigen::VectorXd u(12);
            u << t + giro.cross(xi - p), giro, t + giro.cross(xf - p), giro;
            const double residuo = (K * u).norm(), cota = 1e-9 * K.norm() * u.norm();
            EXPECT_LE(residuo, cota) << "barra " << k << " modo " << modo << " placa " << (k % 3 == 0);
        }
    }
}

TEST(BarraRigidez, SinSeccionOSinMaterialAvisaYDaCeros) {
    objBarra3d sinNada = barraEntre({0, 0, 0}, {3, 0, 0}, 0, 0, 1, 12);
    objBarra3d sinMaterial = barraEntre({0, 0, 0}, {3, 0, 0}, 0, 0, 1, 13);
    sinMaterial.setSeccionRectangular(0.2, 0.4);
    CapturaConsola cap;
    EXPECT_TRUE(sinNada.getKGlobal().isZero(0));
    EXPECT_TRUE(sinNada.getKGlobal().isZero(0));  // vuelve a intentarlo y a avisar
    EXPECT_TRUE(sinMaterial.getKLocal().isZero(0));
    EXPECT_EQ(cap.texto(), "No están definidas E, poisson, o Sección del Elemento: 12\n"
                           "No están definidas E, poisson, o Sección del Elemento: 12\n"
                           "No están definidas E, poisson, o Sección del Elemento: 13\n");
    EXPECT_EQ(sinNada.getKGlobal().rows(), 12);
}
