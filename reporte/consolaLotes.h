// Lo que el modo por lotes imprime en la consola después del análisis.
#pragma once

#include <string>

#include "modelo/objNudo3d.h"

// "nudo N:" y las seis reacciones Rx Ry Rz Mx My Mz de la combinación c con
// "%.6e"; en un grado de libertad libre, 0 (allí el análisis deja sólo el
// residuo de la solución).
std::string lineaReacciones(const objNudo3d& n, int c);
// Para cada combinación: "Reacciones del combo NOMBRE", la línea de cada nudo
// con algún apoyo o resorte y "Equilibrio del combo NOMBRE: error relativo E" (E con "%.1e").
void imprimirReacciones();
