// La verificación de las barras de acero, una etapa del análisis: para cada
// miembro y cada caso (combinación de primer o de segundo orden, y los dos
// valores de una combinación con sismo; las envolventes no, sus valores salen
// de combinaciones distintas), las resistencias requeridas a lo largo del
// miembro, de las funciones cerradas de sus barras, contra las disponibles.
#pragma once

#include "analisis/casosResultado.h"

// Llena r.acero a partir de los casos de r (ya llenos) y del modelo cargado.
void verificarAcero(resultadosAnalisis& r);
