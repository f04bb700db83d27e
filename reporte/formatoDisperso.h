// Escritura de una matriz dispersa con el mismo formato de texto que una matriz
// densa de Eigen: coeficientes alineados a la derecha al ancho del mayor,
// separados por un blanco, filas separadas por un salto de línea.
#pragma once

#include <Eigen/Sparse>
#include <ostream>

void escribirDispersaComoDensa(std::ostream& os, const Eigen::SparseMatrix<double>& m);
