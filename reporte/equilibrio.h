// Equilibrio global de una combinación: la resultante de las cargas aplicadas
// y la de las reacciones, fuerza y momento respecto del origen de coordenadas.
#pragma once

#include <Eigen/Dense>
#include <string>

// Fuerza (componentes 0 a 2) y momento respecto del origen (3 a 5), en ejes globales.
using Torsor = Eigen::Matrix<double, 6, 1>;

// Las cargas de la combinación c: las puntuales de los nudos y, en cada barra,
// su carga distribuida lineal (y su torsión uniforme) integrada a lo largo de
// la barra y llevada a ejes globales. El peso propio ya está en esas cargas.
Torsor resultanteCargas(int c);
// Lo mismo para un caso de carga, sin mayorar: la resultante de una
// combinación es la suma de las de sus casos por sus factores.
Torsor resultanteDeCaso(const std::string& caso);
// Las reacciones de la combinación c en los grados de libertad apoyados (lo
// que imprimen las líneas de reacciones).
Torsor resultanteReacciones(int c);
// Error relativo del equilibrio: con R y C las resultantes de reacciones y
// cargas y ℓ la mayor distancia de un nudo al origen (1 si es 0), el mayor de
// |R_F + C_F| y |R_M + C_M|/ℓ sobre la carga total: la mayor de las sumas de
// los módulos de las fuerzas de cada carga y de cada reacción y de las de sus
// momentos respecto del origen divididos por ℓ. Así una combinación cuyas
// cargas se anulan entre sí, que sólo impone asentamientos o que sólo aplica
// pares se mide contra lo que de verdad carga la estructura y no contra una
// suma nula o el redondeo de unas reacciones. 0 si no hay cargas ni
// reacciones.
double errorEquilibrio(int c);
