// Resultados del segundo orden y del pandeo en el reporte, en la consola del
// modo por lotes y en los archivos CSV.
#pragma once

#include <string>

#include "analisis/casosResultado.h"
#include "reporte/salidaTexto.h"

// "Segundo orden del combo NOMBRE: K iteraciones, amplificación de
// desplazamientos A (nudo N, Ux)" (A con "%.3f"; el nudo y la dirección de la
// componente que más se amplifica, sin el paréntesis si no hay traslaciones).
// De una combinación con sismo cuya parte estática se resolvió en segundo
// orden, "Segundo orden del combo NOMBRE (parte estática): ...".
std::string lineaSegundoOrden(const casoResultado& caso);
// Bloque de resultados.txt con esa línea por combinación de segundo orden
// (nada si no hay ninguna).
void escribirBloqueSegundoOrden(salidaTexto& os);
// Bloque final de resultados.txt: factores críticos y formas de pandeo de
// cada combinación pedida (nada sin pedidos).
void escribirBloquePandeo(salidaTexto& os);
// "Pandeo k del combo NOMBRE: factor crítico λ" (λ con "%.6e").
std::string lineaPandeo(const pandeoCombo& p, int k);
void imprimirPandeo();
