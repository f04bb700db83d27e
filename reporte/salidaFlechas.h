// Las líneas del modo por lotes de la verificación de las flechas
// (limiteFlecha:), desde los resultados (resultados.flechas).
#pragma once

#include <string>
#include <vector>

#include "analisis/casosResultado.h"

// Por registro: "Flechas L/N: B barras en C combos, K no cumplen; mayor razón
// R (barra B, combo C, flecha F en x = X, límite FL)".
std::vector<std::string> lineasFlechas(const resultadosAnalisis& r);
void imprimirFlechas();
