// Valores extremos exactos de las solicitaciones a lo largo de una barra, de
// sus funciones cerradas: en los extremos de la barra y en los puntos
// interiores donde la derivada se anula (el corte nulo para los momentos, la
// carga nula para el corte y el esfuerzo axial).
#pragma once

#include "modelo/solicitacionesBarra.h"

class objBarra3d;

// Llena s.extremos (N, Vy, Vz, T, My y Mz) a partir de sus funciones. Ante
// empates vale la primera x; un valor indefinido (nan) se informa como tal.
void calcularExtremos(const objBarra3d& b, solicitacionesBarra& s);
