// Equilibrio global de las combinaciones: la resultante de las cargas
// aplicadas y la de las reacciones, fuerza y momento respecto del origen de
// coordenadas. El análisis la calcula una vez, después de los casos
// derivados, y la guarda en cada caso (casoResultado::equilibrio); las
// salidas la leen de ahí.
#pragma once

#include <string>

#include "analisis/casosResultado.h"

// Llena el equilibrio de los casos de las combinaciones de r (los primeros
// noCombos). Las cargas de la combinación c: las puntuales de los nudos y, en
// cada barra, su carga distribuida lineal (y su torsión uniforme) integrada a
// lo largo de la barra y llevada a ejes globales; el peso propio ya está en
// esas cargas. Las reacciones: las de los grados de libertad apoyados (lo que
// imprimen las líneas de reacciones); de una combinación con sismo, las de
// su parte estática (la parte sísmica de cada modo está en equilibrio con sus
// fuerzas de inercia). En una combinación de segundo orden cada carga y cada
// reacción actúa en su punto desplazado.
//
// Error relativo: con R y C las resultantes de reacciones y cargas y ℓ la
// mayor distancia de un nudo al origen (1 si es 0), el mayor de |R_F + C_F| y
// |R_M + C_M|/ℓ sobre la carga total: la mayor de las sumas de los módulos de
// las fuerzas de cada carga y de cada reacción y de las de sus momentos
// respecto del origen divididos por ℓ. Así una combinación cuyas cargas se
// anulan entre sí, que sólo impone asentamientos o que sólo aplica pares se
// mide contra lo que de verdad carga la estructura y no contra una suma nula
// o el redondeo de unas reacciones. 0 si no hay cargas ni reacciones.
void calcularEquilibrio(resultadosAnalisis& r);

// La resultante de las cargas de la combinación c: la del análisis si la
// calculó; sin resultados, la de las cargas en la geometría original.
Torsor resultanteCargas(const resultadosAnalisis& r, int c);
// La de un caso de carga, sin mayorar, en la geometría original: la
// resultante de una combinación de primer orden es la suma de las de sus
// casos por sus factores.
Torsor resultanteDeCaso(const std::string& caso);
