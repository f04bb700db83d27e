// Reporte de texto "resultados.txt" con el modelo y los resultados del análisis.
#pragma once

#include <ostream>

// Escribe el reporte en el directorio de trabajo. Devuelve falso, con un
// mensaje, si el archivo no pudo crearse o escribirse.
bool funcionPrint();
// El mismo reporte sobre cualquier flujo.
void escribirReporte(std::ostream& os);
