// Resultados del análisis modal en el reporte, en la consola del modo por
// lotes y en los archivos CSV.
#pragma once

#include <string>

#include "reporte/salidaTexto.h"

// Bloque final de resultados.txt: una línea por modo y las formas modales.
void escribirBloqueModal(salidaTexto& os);
// "Masa total: M en cada dirección; masa libre: m" (la de los grados de
// libertad libres, contra la que se miden las masas efectivas; una por
// dirección si difieren).
std::string lineaMasas();
// "Modos con la rigidez geométrica del combo COMBO (P-Δ)" (segundoOrdenModal:).
std::string lineaModosGeometricos();
// "Modo k: T = ... s, f = ... Hz, masa efectiva X ... %, Y ... %, Z ... %".
std::string lineaModo(int k);
void imprimirModos();
