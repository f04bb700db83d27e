// La orden "pandeo N": la forma de pandeo N de la primera combinación activa
// que tiene análisis de pandeo, quieta sobre el modelo y con la escala de las
// formas modales.
#pragma once

#include <string>

#include "analisis/casosResultado.h"

// Número de la forma que se muestra (1 la del menor factor) o 0.
int pandeoMostrado();
// Muestra la forma k (1 la más baja); con 0 deja de mostrarla. Mostrar una
// forma termina la animación de un modo de vibración.
void mostrarPandeo(int k);
// El pandeo de la primera combinación activa que lo tiene, o nullptr.
const pandeoCombo* pandeoActivo();
// "Pandeo 1 del combo C: factor crítico 3.084" (cuatro cifras significativas).
std::string descripcionPandeo(const pandeoCombo& p, int k);
