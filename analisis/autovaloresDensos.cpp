#include "analisis/autovaloresDensos.h"

#include <algorithm>
#include <vector>

extern "C" void dsygvx_(const int* itype, const char* jobz, const char* range, const char* uplo, const int* n,
                        double* a, const int* lda, double* b, const int* ldb, const double* vl, const double* vu,
                        const int* il, const int* iu, const double* abstol, int* m, double* w, double* z,
                        const int* ldz, double* work, const int* lwork, int* iwork, int* ifail, int* info);

bool mayoresAutovaloresGeneralizados(Eigen::MatrixXd& a, Eigen::MatrixXd& b, Eigen::Index k, Eigen::VectorXd& valores,
                                     Eigen::MatrixXd& vectores) {
    const int n = static_cast<int>(a.rows());
    k = std::min<Eigen::Index>(k, n);
    if (k <= 0) {
        valores.resize(0);
        vectores.resize(n, 0);
        return true;
    }
    const int uno = 1, desde = n - static_cast<int>(k) + 1, hasta = n;
    const double nada = 0, tolerancia = 0;  // tolerancia 0: la más fina que elige LAPACK
    int hallados = 0, info = 0, consulta = -1;
    Eigen::VectorXd w(n);
    Eigen::MatrixXd z(n, k);
    std::vector<int> enteros(5 * static_cast<size_t>(n)), fallas(static_cast<size_t>(n));
    // Primero se pregunta cuánto espacio de trabajo hace falta.
    double tamano = 0;
    dsygvx_(&uno, "V", "I", "L", &n, a.data(), &n, b.data(), &n, &nada, &nada, &desde, &hasta, &tolerancia, &hallados,
            w.data(), z.data(), &n, &tamano, &consulta, enteros.data(), fallas.data(), &info);
    if (info != 0) return false;
    int lwork = static_cast<int>(tamano);
    std::vector<double> trabajo(static_cast<size_t>(std::max(1, lwork)));
    dsygvx_(&uno, "V", "I", "L", &n, a.data(), &n, b.data(), &n, &nada, &nada, &desde, &hasta, &tolerancia, &hallados,
            w.data(), z.data(), &n, trabajo.data(), &lwork, enteros.data(), fallas.data(), &info);
    if (info != 0 || hallados != k) return false;
    // LAPACK los da de menor a mayor.
    valores = w.head(k).reverse();
    vectores = z.rowwise().reverse();
    return true;
}
