// Unidades del modelo, si el archivo las da con "unidades: FUERZA LONGITUD"
// (por ejemplo "unidades: kN m"). El programa no convierte nada: sólo las
// escribe junto a los números. Sin la etiqueta no se escribe ninguna.
#pragma once

#include <string>

extern std::string unidadFuerza;
extern std::string unidadLongitud;

enum class magnitud { fuerza, momento, longitud, giro, fuerzaPorLongitud, tension, masa };

// El sufijo de un valor de esa magnitud, con el blanco delante (" kN",
// " kN·m", " m", " rad", " kN/m", " kN/m²", " kN·s²/m"), o vacío si el modelo
// no tiene unidades.
std::string sufijoUnidad(magnitud m);
