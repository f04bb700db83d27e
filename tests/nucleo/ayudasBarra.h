// Ayudas comunes de las pruebas de la barra: construcción de barras, datos al azar
// reproducibles y comparación de matrices con tolerancia relativa.
#pragma once

#include "modelo/objBarra3d.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

// Barra entre dos puntos, numerada como la numera el cargador.
inline objBarra3d barraEntre(const Eigen::Vector3d& ini, const Eigen::Vector3d& fin, double rotacionGrados = 0.0,
                             int nudoIni = 0, int nudoFin = 1, int numeroUsuario = 1) {
    objBarra3d b;
    b.resetFlags();
    b.setNoBarraUsuario(numeroUsuario);
    b.setNoBarraInterna(0);
    b.setNudoInicio(nudoIni, ini.x(), ini.y(), ini.z());
    b.setNudoFinal(nudoFin, fin.x(), fin.y(), fin.z());
    b.setRotacion(rotacionGrados);
    return b;
}

// Generador con semilla fija: las pruebas al azar son reproducibles.
class Azar {
public:
    explicit Azar(unsigned semilla) : gen_(semilla) {}
    double real(double a, double b) { return std::uniform_real_distribution<double>(a, b)(gen_); }
    Eigen::Vector3d vector(double a, double b) { return {real(a, b), real(a, b), real(a, b)}; }
    // Factor de fijación: extremos exactos (rótula, rígido) o un valor intermedio.
    double factor() {
        const double r = real(0, 1);
        return r < 0.25 ? 0.0 : r < 0.5 ? 1.0 : real(0, 1);
    }

private:
    std::mt19937 gen_;
};

// |a - b| <= tol·escala elemento por elemento, con la posición del primer fallo; la
// escala por omisión es 1 + el mayor valor absoluto de b.
inline ::testing::AssertionResult casiIguales(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b, double tol = 1e-9,
                                              double escala = -1) {
    if (a.rows() != b.rows() || a.cols() != b.cols())
        return ::testing::AssertionFailure() << "tamaños " << a.rows() << "x" << a.cols() << " y " << b.rows()
                                             << "x" << b.cols();
    if (escala < 0) escala = 1.0 + (b.size() ? b.cwiseAbs().maxCoeff() : 0.0);
    for (Eigen::Index i = 0; i < a.rows(); ++i)
        for (Eigen::Index j = 0; j < a.cols(); ++j)
            if (!(std::abs(a(i, j) - b(i, j)) <= tol * escala))
                return ::testing::AssertionFailure() << "(" << i << "," << j << "): " << a(i, j) << " en vez de "
                                                     << b(i, j);
    return ::testing::AssertionSuccess();
}

// Un plano de flexión (grados v1, giro1, v2, giro2) de una barra con deformación por
// corte phi y un resorte de giro (E·I/L)·f/(1 − f) en cada extremo (f = 1 rígido,
// f = 0 rótula), obtenido condensando los giros propios de los extremos de la barra.
// p0 son las cargas nodales de la barra empotrada; p las que quedan en los nudos.
struct PlanoFlexion {
    Eigen::Matrix4d k;
    Eigen::Vector4d p;
};

inline PlanoFlexion planoConResortes(double L, double EI, double phi, double fa, double fb,
                                     const Eigen::Vector4d& p0 = Eigen::Vector4d::Zero()) {
    Eigen::Matrix4d kb;
    kb << 12, 6 * L, -12, 6 * L,
          6 * L, (4 + phi) * L * L, -6 * L, (2 - phi) * L * L,
          -12, -6 * L, 12, -6 * L,
          6 * L, (2 - phi) * L * L, -6 * L, (4 + phi) * L * L;
    kb *= EI / (L * L * L * (1 + phi));
    // Grados 0..3 los del nudo; 4 y 5 los giros propios de la barra donde hay resorte.
    Eigen::MatrixXd K = Eigen::MatrixXd::Zero(6, 6);
    Eigen::VectorXd P = Eigen::VectorXd::Zero(6);
    const int m[4] = {0, fa < 1 ? 4 : 1, 2, fb < 1 ? 5 : 3};
    for (int i = 0; i < 4; ++i) {
        P(m[i]) += p0(i);
        for (int j = 0; j < 4; ++j) K(m[i], m[j]) += kb(i, j);
    }
    std::vector<int> internos;
    for (auto [nudo, propio, f] : {std::tuple<int, int, double>{1, 4, fa}, {3, 5, fb}}) {
        if (f >= 1) continue;
        const double k = EI / L * f / (1 - f);
        K(nudo, nudo) += k;
        K(propio, propio) += k;
        K(nudo, propio) -= k;
        K(propio, nudo) -= k;
        internos.push_back(propio);
    }
    const int ni = static_cast<int>(internos.size());
    Eigen::MatrixXd Kei(4, ni), Kii(ni, ni);
    Eigen::VectorXd Pi(ni);
    for (int j = 0; j < ni; ++j) {
        for (int i = 0; i < 4; ++i) Kei(i, j) = K(i, internos[j]);
        for (int i = 0; i < ni; ++i) Kii(i, j) = K(internos[i], internos[j]);
        Pi(j) = P(internos[j]);
    }
    PlanoFlexion r;
    r.k = K.topLeftCorner(4, 4);
    r.p = P.head(4);
    if (ni > 0) {
        const Eigen::MatrixXd X = Kii.ldlt().solve(Kei.transpose());
        r.k -= Kei * X;
        r.p -= X.transpose() * Pi;
    }
    return r;
}

// Los grados de la flexión en x-y dentro de los doce locales; en x-z el giro lleva
// el signo opuesto (positivo cuando la flecha en z decrece).
inline const int gradosPlanoY[4] = {1, 5, 7, 11};
inline const int gradosPlanoZ[4] = {2, 4, 8, 10};
inline const double signoPlanoZ[4] = {1, -1, 1, -1};
