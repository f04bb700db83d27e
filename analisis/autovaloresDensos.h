// Los mayores autovalores del problema generalizado A·y = λ·B·y con A y B
// simétricas densas (B definida positiva) y sus vectores, con la rutina de
// LAPACK que reduce el problema a uno tridiagonal por bloques (en los hilos
// de la biblioteca BLAS) y calcula sólo los pedidos. Cuando se piden cientos
// de modos de un modelo de miles de grados de libertad es más rápido que un
// Lanczos cuya base llegaría a ser casi del tamaño de la matriz.
#pragma once

#include <Eigen/Dense>

// Los k mayores λ de A·y = λ·B·y, de mayor a menor, y sus vectores y (con
// yᵀ·B·y = 1) en las columnas de vectores. Se usan los triángulos inferiores
// de a y b, que se pierden. Falso si LAPACK no converge o B no es definida
// positiva.
bool mayoresAutovaloresGeneralizados(Eigen::MatrixXd& a, Eigen::MatrixXd& b, Eigen::Index k, Eigen::VectorXd& valores,
                                     Eigen::MatrixXd& vectores);
