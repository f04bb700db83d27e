// Diafragmas rígidos en el análisis: la numeración de las incógnitas con los
// tres grados de libertad de cada diafragma (ver numeracionLibre.h) y sus
// resultados en cada caso: el movimiento del centroide y la deriva del piso.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <utility>
#include <vector>

#include "analisis/casosResultado.h"
#include "analisis/numeracionLibre.h"

// Numeración de los libres con diafragmas: ux, uy y gz de sus nudos dejan de
// ser incógnitas y cada diafragma suma las suyas al final del orden de
// eliminación (acoplan a todos los nudos de su piso, como un separador).
numeracionLibre numerarConDiafragmas(const Eigen::VectorXi& restricciones, Eigen::Index noGdl,
                                     const std::vector<std::pair<int, int>>& conexiones);

// Grados de libertad de diafragmas (noGdl + 6·d + 0, 1 o 5) sin rigidez: su
// diagonal en Tᵀ·K·T (kff, en el orden de eliminación) no llega a fraccion
// de la que sus nudos reciben de sus barras (referencia, por grado de
// libertad de la estructura, llevada al diafragma con los coeficientes de T).
std::vector<int> diafragmasSinRigidez(const Eigen::SparseMatrix<double>& kff, const numeracionLibre& num,
                                      const Eigen::VectorXd& referencia, double fraccion);

// Magnitudes lineales de los diafragmas de uno o más campos de
// desplazamientos (6 filas por nudo, una columna por campo): por diafragma,
// en el orden de los registros, ux, uy y gz de su centroide y, por cada uno
// de sus nudos, la deriva en X y en Y (con signo; cero si el diafragma no
// tiene un piso debajo).
Eigen::MatrixXd magnitudesDiafragmas(const Eigen::MatrixXd& campos);

// Los diafragmas de un caso a partir de sus magnitudes: de una combinación
// (q con signo) o de un caso sísmico (q son los módulos combinados). La
// deriva de un piso es la de su nudo que más deriva; ante un empate (dos
// derivas que difieren en el redondeo de las traslaciones del caso, cuya
// escala se da) manda el primer nudo.
void llenarDiafragmas(casoResultado& caso, const Eigen::VectorXd& q, double escalaTraslaciones);
// Combinación con sismo: la parte estática más y menos Σ factor·módulo; la
// deriva de cada nudo, |estática| + Σ factor·módulo.
void combinarDiafragmas(casoResultado& caso, const casoResultado& estatico,
                        const std::vector<const casoResultado*>& sismicos, const std::vector<double>& factores,
                        double escalaTraslaciones);
// Envolvente: el mayor y el menor de cada magnitud entre los casos
// componentes, con el que manda (ante un empate, el primero; `escalas`, las
// de los casos componentes).
void envolverDiafragmas(casoResultado& caso, const std::vector<casoResultado>& casos, const escalasCaso& escalas);
