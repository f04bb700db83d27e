// Ayudas de las pruebas de la barra: construcción, datos al azar reproducibles,
// comparación con tolerancia y un modelo independiente de un plano de flexión.
#pragma once

#include "modelo/objBarra3d.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

// Barra entre dos puntos, numerada como la numera el cargador.
inline objBarra3d barraEntre(const Eigen::Vector3d& ini, const Eigen::Vector3d& fin, double rotacion = 0,
                             int nudoIni = 0, int nudoFin = 1, int numeroUsuario = 1) {
    objBarra3d b;
    b.resetFlags();
    b.setNoBarraUsuario(numeroUsuario);
    b.setNoBarraInterna(0);
    b.setNudoInicio(nudoIni, ini.x(), ini.y(), ini.z());
    b.setNudoFinal(nudoFin, fin.x(), fin.y(), fin.z());
    b.setRotacion(rotacion);
    return b;
}

// Generador con semilla fija; los factores de fijación incluyen rótulas y extremos rígidos exactos.
struct Azar {
    std::mt19937 gen;
    explicit Azar(unsigned semilla) : gen(semilla) {}
    double real(double a, double b) { return std::uniform_real_distribution<double>(a, b)(gen); }
    Eigen::Vector3d vector(double a, double b) { return {real(a, b), real(a, b), real(a, b)}; }
    double factor() {
        const double r = real(0, 1);
        return r < 0.25 ? 0.0 : r < 0.5 ? 1.0 : real(0, 1);
    }
};

// |a - b| <= tol·escala en cada elemento; la escala por omisión es 1 + max|b|.
inline ::testing::AssertionResult casiIguales(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b, double tol,
                                              double escala = -1) {
    if (a.rows() != b.rows() || a.cols() != b.cols()) return ::testing::AssertionFailure() << "tamaños distintos";
    if (escala < 0) escala = 1 + (b.size() ? b.cwiseAbs().maxCoeff() : 0.0);
    for (Eigen::Index i = 0; i < a.rows(); ++i)
        for (Eigen::Index j = 0; j < a.cols(); ++j)
            if (!(std::abs(a(i, j) - b(i, j)) <= tol * escala))
                return ::testing::AssertionFailure() << "(" << i << "," << j << "): " << a(i, j) << " en vez de " << b(i, j);
    return ::testing::AssertionSuccess();
}

// Un plano de flexión (grados v1, giro1, v2, giro2) de una barra con deformación por corte
// phi y un resorte de giro (E·I/L)·f/(1 − f) en cada extremo (f = 1 rígido, f = 0 rótula),
// obtenido condensando los giros propios de los extremos de la barra. p0 son las cargas
// nodales de la barra empotrada; p las que quedan en los nudos.
struct PlanoFlexion {
    Eigen::Matrix4d k;
    Eigen::Vector4d p;
};

inline PlanoFlexion planoConResortes(double L, double EI, double phi, double fa, double fb,
                                     const Eigen::Vector4d& p0 = Eigen::Vector4d::Zero()) {
    const double r = (4 + phi) * L * L, s = (2 - phi) * L * L;
    Eigen::Matrix4d kb;
    kb << 12, 6 * L, -12, 6 * L, 6 * L, r, -6 * L, s, -12, -6 * L, 12, -6 * L, 6 * L, s, -6 * L, r;
    kb *= EI / (L * L * L * (1 + phi));
    // Grados 0..3 del nudo; 4 y 5 los giros propios de la barra donde hay resorte.
    Eigen::MatrixXd K = Eigen::MatrixXd::Zero(6, 6);
    Eigen::VectorXd P = Eigen::VectorXd::Zero(6);
    const int m[4] = {0, fa < 1 ? 4 : 1, 2, fb < 1 ? 5 : 3};
    for (int i = 0; i < 4; ++i) {
        P(m[i]) = p0(i);
        for (int j = 0; j < 4; ++j) K(m[i], m[j]) = kb(i, j);
    }
    std::vector<int> propios;
    for (auto [nudo, propio, f] : {std::tuple<int, int, double>{1, 4, fa}, {3, 5, fb}}) {
        if (f >= 1) continue;
        const double k = EI / L * f / (1 - f);
        K(nudo, nudo) += k, K(propio, propio) += k, K(nudo, propio) -= k, K(propio, nudo) -= k;
        propios.push_back(propio);
    }
    PlanoFlexion c{K.topLeftCorner<4, 4>(), P.head<4>()};
    const int n = static_cast<int>(propios.size());
    if (n == 0) return c;
    Eigen::MatrixXd Kep(4, n), Kpp(n, n);
    Eigen::VectorXd Pp(n);
    for (int j = 0; j < n; ++j) {
        Kep.col(j) = K.col(propios[j]).head<4>();
        Pp(j) = P(propios[j]);
        for (int i = 0; i < n; ++i) Kpp(i, j) = K(propios[i], propios[j]);
    }
    const Eigen::MatrixXd X = Kpp.ldlt().solve(Kep.transpose());
    c.k -= Kep * X;
    c.p -= X.transpose() * Pp;
    return c;
}

// Grados de cada plano entre los doce locales; en x-z los giros llevan el signo opuesto
// (el giro en y es positivo cuando la flecha en z decrece).
inline const int gradosPlanoY[4] = {1, 5, 7, 11};
inline const int gradosPlanoZ[4] = {2, 4, 8, 10};
inline const double signoPlanoZ[4] = {1, -1, 1, -1};

// Bloque 4x4 de un plano dentro de una matriz 12x12.
inline Eigen::Matrix4d bloque(const Eigen::MatrixXd& k, const int (&g)[4]) {
    Eigen::Matrix4d b;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) b(r, c) = k(g[r], g[c]);
    return b;
}
