// Valores extremos exactos de las solicitaciones a lo largo de una barra, de
// sus funciones cerradas: en los extremos de la barra y en los puntos
// interiores donde la derivada se anula (el corte nulo para los momentos, la
// carga nula para el corte y el esfuerzo axial).
#pragma once

#include "modelo/solicitacionesBarra.h"

class objBarra3d;

// Llena s.extremos (N, Vy, Vz, T, My y Mz) a partir de sus funciones. Ante
// empates vale la primera x: con `tolerancias` (una por solicitación), dos
// valores que difieren en no más que ella empatan (su diferencia es el
// redondeo de la solución); sin ellas, sólo los iguales. Un valor indefinido
// (nan) se informa como tal. En segundo orden, además, el punto del rótulo
// del momento extremo (xCorteNulo) es el extremo interior de mayor valor.
void calcularExtremos(const objBarra3d& b, solicitacionesBarra& s, const double* tolerancias = nullptr);

// El mayor y el menor valor en [0, L] del polinomio c[0] + c[1]·x + ... +
// c[5]·x⁵, con su x: en los extremos o donde su derivada se anula (ante un
// empate, a menos de la tolerancia, la menor x).
extremoSolicitacion extremosPolinomio(const double c[6], double L, double tolerancia = 0.0);
