// Bloques de resultados.txt de los casos que salen de otros: el análisis
// sísmico y las envolventes (también las combinaciones con sismo, que son
// una envolvente de dos valores por magnitud).
#pragma once

#include "reporte/salidaTexto.h"

// "************ANÁLISIS SÍSMICO***************" con cada espectro, cada modo
// (T, Sa, cortante basal modal en X, Y, Z) y el cortante basal combinado;
// después un bloque por caso de dos valores, con, por barra y solicitación,
// el máximo y el mínimo, sus posiciones y la combinación que manda, y por
// nudo con apoyo los extremos de las reacciones. Nada si no hay tales casos.
void escribirBloquesDerivados(salidaTexto& os);
