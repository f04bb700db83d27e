#include "reporte/formatoDisperso.h"

#include <algorithm>

void escribirDispersaComoDensa(salidaTexto& salida, const Eigen::SparseMatrix<double>& m) {
    if (m.rows() == 0 || m.cols() == 0) return;
    // Se recorre por filas sin formar nunca la matriz densa.
    const Eigen::SparseMatrix<double, Eigen::RowMajor> filas = m;
    char texto[kMaxCaracteresNumero];
    std::ptrdiff_t ancho = 0;
    if (filas.nonZeros() < m.rows() * m.cols()) ancho = 1;  // el ancho de "0"
    for (Eigen::Index k = 0; k < filas.nonZeros(); ++k)
        ancho = std::max(ancho, escribirGeneral6(texto, filas.valuePtr()[k]) - texto);

    const std::string blancos(static_cast<std::size_t>(ancho), ' ');
    for (Eigen::Index i = 0; i < filas.rows(); ++i) {
        if (i) salida << '\n';
        Eigen::SparseMatrix<double, Eigen::RowMajor>::InnerIterator it(filas, i);
        for (Eigen::Index j = 0; j < filas.cols(); ++j) {
            if (j) salida << ' ';
            std::ptrdiff_t largo = 1;
            texto[0] = '0';
            if (it && it.col() == j) {
                largo = escribirGeneral6(texto, it.value()) - texto;
                ++it;
            }
            salida << std::string_view(blancos.data(), static_cast<std::size_t>(ancho - largo))
                   << std::string_view(texto, static_cast<std::size_t>(largo));
        }
    }
}

void escribirTrianguloSuperior(salidaTexto& salida, const Eigen::SparseMatrix<double>& m) {
    Eigen::SparseMatrix<double, Eigen::RowMajor> superior = m.triangularView<Eigen::Upper>();
    superior.prune(0.0);  // un cero guardado no es un valor no nulo
    salida << "Matriz dispersa simétrica: " << static_cast<long long>(m.rows()) << " filas, "
           << static_cast<long long>(superior.nonZeros())
           << " valores no nulos del triángulo superior (fila columna valor)";
    for (Eigen::Index i = 0; i < superior.outerSize(); ++i)
        for (Eigen::SparseMatrix<double, Eigen::RowMajor>::InnerIterator it(superior, i); it; ++it)
            salida << '\n' << static_cast<long long>(i + 1) << ' ' << static_cast<long long>(it.col() + 1) << ' '
                   << it.value();
}
