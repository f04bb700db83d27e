// Arranque del programa: la línea de órdenes y el modo por lotes.
#pragma once

#include <string>

// Modo por lotes "--calcular": carga el modelo, lo analiza, escribe
// resultados.txt e imprime las reacciones de apoyo y el equilibrio de cada
// combinación.
// Devuelve el estado de salida: 0 si todo fue bien, 1 si algo falló.
int funcionCalcularLotes(const std::string& archivo);
