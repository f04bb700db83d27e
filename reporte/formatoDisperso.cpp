#include "reporte/formatoDisperso.h"

#include <algorithm>
#include <sstream>

namespace {
std::streamsize anchoDe(const std::ostream& os, double v) {
    std::stringstream s;
    s.copyfmt(os);
    s << v;
    return static_cast<std::streamsize>(s.str().length());
}
}  // namespace

void escribirDispersaComoDensa(std::ostream& os, const Eigen::SparseMatrix<double>& m) {
    if (m.rows() == 0 || m.cols() == 0) return;
    // Se recorre por filas sin formar nunca la matriz densa.
    const Eigen::SparseMatrix<double, Eigen::RowMajor> filas = m;
    std::streamsize ancho = 0;
    if (filas.nonZeros() < m.rows() * m.cols()) ancho = anchoDe(os, 0.0);
    for (Eigen::Index k = 0; k < filas.nonZeros(); ++k) ancho = std::max(ancho, anchoDe(os, filas.valuePtr()[k]));

    const char rellenoAnterior = os.fill();
    for (Eigen::Index i = 0; i < filas.rows(); ++i) {
        if (i) os << "\n";
        Eigen::SparseMatrix<double, Eigen::RowMajor>::InnerIterator it(filas, i);
        for (Eigen::Index j = 0; j < filas.cols(); ++j) {
            if (j) os << " ";
            double v = 0.0;
            if (it && it.col() == j) {
                v = it.value();
                ++it;
            }
            os.fill(' ');
            os.width(ancho);
            os << v;
        }
    }
    os.fill(rellenoAnterior);
}
