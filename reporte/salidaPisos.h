// Las líneas del modo por lotes de los pisos: fuerzas, cortantes y vuelcos
// de cada diafragma en un caso sísmico, la masa y los centros de cada
// diafragma y la verificación de las derivas. Leen los resultados; no
// calculan nada.
#pragma once

#include <string>
#include <vector>

#include "analisis/casosResultado.h"

// "Piso k (z = Z): fuerza X FX, Y FY; cortante X VX, Y VY; vuelco X MX, Y MY",
// de abajo hacia arriba, en un caso sísmico (nada en los demás).
std::vector<std::string> lineasPisos(const casoResultado& caso);
// "Piso k: masa M, centro de masa (XM, YM), centro de rigidez (XR, YR)", una
// por diafragma, de abajo hacia arriba.
std::vector<std::string> lineasCentros();
// "Deriva del CASO: mayor D (piso k, nudo N); límite L: cumple" (o "NO CUMPLE
// en K pisos", contando los niveles sin diafragma), si el caso verifica sus
// derivas; vacía si no. Si manda un nivel sin diafragma, "(nivel z = Z, barra B)".
std::string lineaDeriva(const casoResultado& caso);
