// Bloques de vectores para las iteraciones sobre la inversa del factor: vectores
// de partida al azar (reproducibles) y su ortonormalización.
#pragma once

#include <Eigen/Dense>
#include <cstdint>

// n x m valores en [-0.5, 0.5), siempre los mismos para la misma semilla.
inline Eigen::MatrixXd vectoresAlAzar(Eigen::Index n, Eigen::Index m, std::uint64_t semilla) {
    Eigen::MatrixXd z(n, m);
    std::uint64_t estado = semilla;
    for (Eigen::Index j = 0; j < m; ++j)
        for (Eigen::Index i = 0; i < n; ++i) {
            estado = estado * 6364136223846793005ull + 1442695040888963407ull;
            z(i, j) = static_cast<double>(estado >> 11) / 9007199254740992.0 - 0.5;
        }
    return z;
}

// Base ortonormal (QR de Householder) del espacio de las columnas de z.
inline Eigen::MatrixXd ortonormal(const Eigen::MatrixXd& z) {
    Eigen::HouseholderQR<Eigen::MatrixXd> qr(z);
    return qr.householderQ() * Eigen::MatrixXd::Identity(z.rows(), z.cols());
}
