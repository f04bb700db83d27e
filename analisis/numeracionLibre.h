// Numeración de los grados de libertad libres: cuáles son y en qué orden los
// toma la factorización.
//
// Con diafragmas rígidos, ux, uy y gz de sus nudos no son incógnitas: siguen
// a los tres grados de libertad del diafragma (Ux, Uy, Gz en su centroide),
// que se numeran entre los libres como los de un nudo más después de los del
// modelo (noGdl + 6·d + 0, 1 y 5). Un vector completo u sale de las
// incógnitas x como u = T·x, y las fuerzas completas f pasan a las
// incógnitas como Tᵀ·f; la rigidez y la masa de las incógnitas son Tᵀ·K·T y
// Tᵀ·M·T, simétricas y definidas positivas como K y M.
#pragma once

#include <Eigen/Dense>
#include <vector>

struct numeracionLibre {
    Eigen::Index noGdl = 0;          // grados de libertad de la estructura
    std::vector<int> libres;         // grado de libertad (desde 0) de cada libre, en orden creciente
    std::vector<int> posicionLibre;  // para cada grado de libertad, su posición entre los libres o -1
    std::vector<int> orden;          // para cada libre, su posición en el orden de eliminación
    // Con diafragmas (vacíos si no hay): el diafragma de cada nudo (-1 si no
    // está en ninguno) y su posición en planta respecto del centroide.
    std::vector<int> diafragmaDeNudo;
    std::vector<double> dx, dy;

    Eigen::Index noLibres() const { return static_cast<Eigen::Index>(libres.size()); }
    bool conDiafragmas() const { return !diafragmaDeNudo.empty(); }

    // Las incógnitas (posición entre los libres) de las que depende el grado
    // de libertad g de la estructura y sus coeficientes en T; devuelve
    // cuántas (0 si g está restringido).
    int terminos(Eigen::Index g, int posicion[2], double coeficiente[2]) const {
        const int d = conDiafragmas() ? diafragmaDeNudo[static_cast<size_t>(g / 6)] : -1;
        const int clase = static_cast<int>(g % 6);
        if (d < 0 || (clase != 0 && clase != 1 && clase != 5)) {
            posicion[0] = posicionLibre[static_cast<size_t>(g)];
            coeficiente[0] = 1.0;
            return posicion[0] >= 0 ? 1 : 0;
        }
        const size_t maestro = static_cast<size_t>(noGdl + 6 * d);
        posicion[0] = posicionLibre[maestro + static_cast<size_t>(clase)];
        coeficiente[0] = 1.0;
        if (clase == 5) return 1;
        posicion[1] = posicionLibre[maestro + 5];
        coeficiente[1] = clase == 0 ? -dy[static_cast<size_t>(g / 6)] : dx[static_cast<size_t>(g / 6)];
        return 2;
    }
    // Lleva el término (gi, gj, v) de una matriz completa a la de las
    // incógnitas: emitir(fila, columna, valor) en el orden de eliminación.
    template <typename Emitir>
    void proyectar(Eigen::Index gi, Eigen::Index gj, double v, Emitir&& emitir) const {
        int pi[2], pj[2];
        double ci[2], cj[2];
        const int ni = terminos(gi, pi, ci);
        if (ni == 0) return;
        const int nj = terminos(gj, pj, cj);
        for (int a = 0; a < ni; ++a)
            for (int b = 0; b < nj; ++b)
                emitir(orden[static_cast<size_t>(pi[a])], orden[static_cast<size_t>(pj[b])], ci[a] * cj[b] * v);
    }

    // Filas de los libres de una matriz completa, en el orden de eliminación
    // (con diafragmas, Tᵀ·completa).
    Eigen::MatrixXd aLibres(const Eigen::MatrixXd& completa) const {
        if (conDiafragmas()) {
            Eigen::MatrixXd r = Eigen::MatrixXd::Zero(noLibres(), completa.cols());
            int p[2];
            double c[2];
            for (Eigen::Index g = 0; g < noGdl && completa.cols() > 0; ++g) {
                const int n = terminos(g, p, c);
                for (int k = 0; k < n; ++k) r.row(orden[static_cast<size_t>(p[k])]) += c[k] * completa.row(g);
            }
            return r;
        }
        Eigen::MatrixXd r(noLibres(), completa.cols());
        for (Eigen::Index i = 0; i < noLibres() && completa.cols() > 0; ++i)
            r.row(orden[static_cast<size_t>(i)]) = completa.row(libres[static_cast<size_t>(i)]);
        return r;
    }
    // Matriz completa con ceros en los restringidos y los libres en su lugar
    // (con diafragmas, T·deLibres).
    Eigen::MatrixXd aCompleta(const Eigen::MatrixXd& deLibres) const {
        Eigen::MatrixXd r = Eigen::MatrixXd::Zero(noGdl, deLibres.cols());
        if (conDiafragmas()) {
            int p[2];
            double c[2];
            for (Eigen::Index g = 0; g < noGdl && deLibres.cols() > 0; ++g) {
                const int n = terminos(g, p, c);
                if (n == 1 && c[0] == 1.0)
                    r.row(g) = deLibres.row(orden[static_cast<size_t>(p[0])]);
                else
                    for (int k = 0; k < n; ++k) r.row(g) += c[k] * deLibres.row(orden[static_cast<size_t>(p[k])]);
            }
            return r;
        }
        for (Eigen::Index i = 0; i < noLibres() && deLibres.cols() > 0; ++i)
            r.row(libres[static_cast<size_t>(i)]) = deLibres.row(orden[static_cast<size_t>(i)]);
        return r;
    }
};
