// La verificación de las flechas de las barras contra un límite L/N
// (limiteFlecha:), en las combinaciones de servicio del modelo.
#pragma once

#include "analisis/casosResultado.h"

// La mayor distancia, a lo largo de la barra, de la elástica del caso a la
// cuerda que une sus extremos desplazados (las flechas locales y y z
// combinadas en un vector), y la abscisa donde ocurre.
struct flechaMaxima {
    double flecha = 0, x = 0;
};
flechaMaxima flechaRespectoDeLaCuerda(const objBarra3d& b, const solicitacionesBarra& r);

// Llena r.flechas: cada registro de limiteFlecha: en cada combinación que
// nombra (o en todas las sin sismo) y cada una de sus barras. Nada sin el
// registro.
void verificarFlechas(resultadosAnalisis& r);
