// Numeración de los grados de libertad libres: cuáles son y en qué orden los
// toma la factorización.
#pragma once

#include <Eigen/Dense>
#include <vector>

struct numeracionLibre {
    Eigen::Index noGdl = 0;          // grados de libertad de la estructura
    std::vector<int> libres;         // grado de libertad (desde 0) de cada libre, en orden creciente
    std::vector<int> posicionLibre;  // para cada grado de libertad, su posición entre los libres o -1
    std::vector<int> orden;          // para cada libre, su posición en el orden de eliminación

    Eigen::Index noLibres() const { return static_cast<Eigen::Index>(libres.size()); }

    // Filas de los libres de una matriz completa, en el orden de eliminación.
    Eigen::MatrixXd aLibres(const Eigen::MatrixXd& completa) const {
        Eigen::MatrixXd r(noLibres(), completa.cols());
        for (Eigen::Index i = 0; i < noLibres() && completa.cols() > 0; ++i)
            r.row(orden[static_cast<size_t>(i)]) = completa.row(libres[static_cast<size_t>(i)]);
        return r;
    }
    // Matriz completa con ceros en los restringidos y los libres en su lugar.
    Eigen::MatrixXd aCompleta(const Eigen::MatrixXd& deLibres) const {
        Eigen::MatrixXd r = Eigen::MatrixXd::Zero(noGdl, deLibres.cols());
        for (Eigen::Index i = 0; i < noLibres() && deLibres.cols() > 0; ++i)
            r.row(libres[static_cast<size_t>(i)]) = deLibres.row(orden[static_cast<size_t>(i)]);
        return r;
    }
};
