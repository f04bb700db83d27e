#include "analisis/actualizacionRango.h"

#include <Eigen/Eigenvalues>
#include <cmath>

#include "globales.h"

namespace {
// Un autovalor de una rigidez de barra por debajo de esta fracción del mayor
// es un movimiento de cuerpo rígido (el redondeo de la matriz).
constexpr double kAutovalorNulo = 1e-12;
// El menor autovalor de C que se acepta: por debajo, quitar las barras deja la
// estructura al borde de un mecanismo y se factoriza de nuevo para decidirlo.
constexpr double kCapacidadMinima = 1e-8;
}  // namespace

bool inversaActualizada::preparar(const solucionDispersa& f, const numeracionLibre& num,
                                  const std::vector<int>& quitadas) {
    factor = &f;
    std::vector<Eigen::VectorXd> columnas;
    for (int i : quitadas) {
        const objBarra3d& b = barra[static_cast<size_t>(i)];
        const Eigen::VectorXi g = b.getGdl();
        // Los grados de libertad libres de la barra, en el orden de eliminación.
        std::vector<int> locales, posiciones;
        for (int k = 0; k < 12; ++k) {
            const int libre = num.posicionLibre[static_cast<size_t>(g(k) - 1)];
            if (libre < 0) continue;
            locales.push_back(k);
            posiciones.push_back(num.orden[static_cast<size_t>(libre)]);
        }
        if (locales.empty()) continue;
        const Eigen::MatrixXd k = b.getKGlobal()(locales, locales);
        if (!k.allFinite()) return false;
        const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> e(k);
        if (e.info() != Eigen::Success) return false;
        const double mayor = e.eigenvalues().cwiseAbs().maxCoeff();
        for (Eigen::Index j = 0; j < e.eigenvalues().size(); ++j) {
            const double l = e.eigenvalues()(j);
            if (!(l > kAutovalorNulo * mayor)) continue;
            Eigen::VectorXd u = Eigen::VectorXd::Zero(num.noLibres());
            for (size_t m = 0; m < locales.size(); ++m) u(posiciones[m]) = e.eigenvectors()(static_cast<Eigen::Index>(m), j) * std::sqrt(l);
            columnas.push_back(std::move(u));
            if (static_cast<Eigen::Index>(columnas.size()) > kRangoActualizacion) return false;
        }
    }
    Eigen::MatrixXd u(num.noLibres(), static_cast<Eigen::Index>(columnas.size()));
    for (size_t j = 0; j < columnas.size(); ++j) u.col(static_cast<Eigen::Index>(j)) = columnas[j];
    w = f.resolver(u);
    Eigen::MatrixXd c = Eigen::MatrixXd::Identity(u.cols(), u.cols()) - u.transpose() * w;
    c = 0.5 * (c + c.transpose()).eval();
    if (!c.allFinite()) return false;
    if (c.size() > 0) {
        const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> e(c, Eigen::EigenvaluesOnly);
        if (e.info() != Eigen::Success || !(e.eigenvalues().minCoeff() > kCapacidadMinima)) return false;
    }
    capacidad.compute(c);
    return capacidad.info() == Eigen::Success;
}

Eigen::MatrixXd inversaActualizada::resolver(const Eigen::MatrixXd& b) const {
    Eigen::MatrixXd x = factor->resolver(b);
    if (w.cols() > 0) x += w * capacidad.solve(w.transpose() * b);
    return x;
}
