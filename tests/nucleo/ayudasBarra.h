// Ayudas comunes de las pruebas de la barra: construcción de barras, datos al azar
// reproducibles y comparación de matrices con tolerancia relativa.
#pragma once

#include "modelo/objBarra3d.h"

#include <gtest/gtest.h>

#include <random>

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

// |a - b| <= tol·(1 + |b|) elemento por elemento, con la posición del primer fallo.
inline ::testing::AssertionResult casiIguales(const Eigen::MatrixXd& a, const Eigen::MatrixXd& b, double tol = 1e-9) {
    if (a.rows() != b.rows() || a.cols() != b.cols())
        return ::testing::AssertionFailure() << "tamaños " << a.rows() << "x" << a.cols() << " y " << b.rows()
                                             << "x" << b.cols();
    const double escala = 1.0 + b.cwiseAbs().maxCoeff();
    for (Eigen::Index i = 0; i < a.rows(); ++i)
        for (Eigen::Index j = 0; j < a.cols(); ++j)
            if (!(std::abs(a(i, j) - b(i, j)) <= tol * escala))
                return ::testing::AssertionFailure() << "(" << i << "," << j << "): " << a(i, j) << " en vez de "
                                                     << b(i, j);
    return ::testing::AssertionSuccess();
}
