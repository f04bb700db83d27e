// Las tablas de resultados en el informe de cálculo, con un solo escritor:
// los títulos de las columnas con la unidad de su clase, los números con las
// cifras del informe y sin el ruido de su clase en el caso de la fila, los
// que nombran como enteros y las celdas vacías con una raya.
#pragma once

#include <functional>

#include "reporte/informe/documentoHtml.h"

struct tablaResultados;
struct filaTabla;

// La tabla (sus filas que cumplan `elegir`, o todas).
tablaHtml tablaHtmlDe(const tablaResultados& t, const std::function<bool(const filaTabla&)>& elegir = {});
// Un capítulo por cada tabla publicada para el informe (tablaResultados::enInforme).
void capitulosDeTablas(documentoHtml& doc);
