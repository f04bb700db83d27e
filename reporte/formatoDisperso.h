// Escritura de la matriz de rigidez global, que se guarda dispersa.
#pragma once

#include <Eigen/Sparse>

#include "reporte/salidaTexto.h"

// Como la matriz densa de Eigen: coeficientes alineados a la derecha al ancho
// del mayor (también los ceros que no se guardan), separados por un blanco,
// filas separadas por un salto de línea.
void escribirDispersaComoDensa(salidaTexto& salida, const Eigen::SparseMatrix<double>& m);
// Sólo los valores guardados del triángulo superior: una línea de cabecera con
// el número de filas y de valores, y una línea "fila columna valor" por valor,
// por filas y columnas crecientes, numeradas desde 1.
void escribirTrianguloSuperior(salidaTexto& salida, const Eigen::SparseMatrix<double>& m);
