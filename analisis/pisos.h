// Resultados por piso (un piso por diafragma rígido): las fuerzas de piso, los
// cortantes de piso y los momentos de vuelco de cada caso de resultados, y la
// masa, el centro de masa y el centro de rigidez de cada diafragma. Ver
// resultadosPisos.h.
#pragma once

#include <Eigen/Dense>
#include <vector>

#include "analisis/casosResultado.h"
#include "analisis/numeracionLibre.h"
#include "analisis/operadorRigidez.h"
#include "analisis/solucionDispersa.h"

// Por fila de la matriz de masa completa (6 por nudo), la masa que se mueve
// con una traslación unitaria en X (columna 0) y en Y (columna 1) de todos los
// grados de libertad sin apoyo: la suma de la fila sobre esas columnas. Es la
// masa de traslación de cada nudo (y, en los giros, su acoplamiento).
Eigen::MatrixXd masasDeTraslacion();

// Masa y centro de masa de cada diafragma (en el orden de sus registros),
// sin los centros de rigidez.
std::vector<centroPiso> masasDePisos(const Eigen::MatrixXd& masasTraslacion);

// Etapa del análisis: la masa y los centros de cada diafragma
// (resultados.centros; el de rigidez con el factor de la rigidez: los giros
// que dan Fx, Fy y Mz unitarios en el diafragma) y los pisos de las
// combinaciones, con sus cargas horizontales (resultados.cargasPuntuales y
// cargasDistribuidas). Nada sin diafragmas.
// Devuelve los campos de desplazamientos (6 filas por nudo, una columna por
// diafragma) del par unitario alrededor de Z de cada diafragma con los que
// se hallaron los centros de rigidez (vacío sin diafragmas): la respuesta
// elástica a cualquier juego de momentos de piso es su suma por ellos.
Eigen::MatrixXd calcularPisos(const solucionDispersa& factor, const numeracionLibre& num);

// Los campos de desplazamientos (6 filas por nudo, una columna por estado)
// de momentos alrededor de Z en los diafragmas (una fila por diafragma), con
// el factor de la rigidez dado y un paso de refinamiento con el residuo
// exacto (K del operador más geometrica): la respuesta a la torsión
// accidental con K + Kg cuando los modos la usan.
Eigen::MatrixXd respuestaAMomentosDePiso(const solucionDispersa& factor, const numeracionLibre& num,
                                         const operadorRigidez& operador,
                                         const Eigen::SparseMatrix<double>& geometrica,
                                         const Eigen::MatrixXd& momentos);

// Fuerzas, cortantes y vuelcos de piso de los campos de fuerzas f (6 filas
// por nudo, una columna por campo): por diafragma, una matriz de 6 filas
// (fuerza X, Y; cortante X, Y; vuelco X, Y) y una columna por campo. Sólo
// cuentan los grados de libertad sin apoyo ni resorte.
std::vector<Eigen::MatrixXd> magnitudesPisos(const Eigen::MatrixXd& f);

// Los pisos de un caso sísmico: cada magnitud combinada sobre los modos
// (‖G·r‖, con r las de cada modo unitario, de magnitudesPisos).
void pisosSismicos(casoResultado& caso, const std::vector<Eigen::MatrixXd>& modales, const Eigen::MatrixXd& g);
// Combinación con sismo: la parte estática más y menos Σ factor·módulo.
void combinarPisos(casoResultado& caso, const casoResultado& estatico,
                   const std::vector<const casoResultado*>& sismicos, const std::vector<double>& factores);
// Envolvente: el mayor de los máximos y el menor de los mínimos de sus casos.
void envolverPisos(casoResultado& caso, const std::vector<casoResultado>& casos);

// La verificación de las derivas (derivaLimite:) en los casos sísmicos y las
// combinaciones con sismo: en cada piso con deriva y en cada nivel sin
// diafragma, FACTOR × la deriva (sin el redondeo) en X y en Y contra el límite, y la razón de irregularidad
// torsional en la dirección del sismo del caso. Nada sin derivaLimite:.
void verificarDerivas();
