// Reporte de texto "resultados.txt" con el modelo y los resultados del análisis.
#pragma once

#include <ostream>

#include "reporte/salidaTexto.h"

// Hasta este número de grados de libertad la rigidez global se escribe como
// matriz densa; con más, sólo los valores no nulos de su triángulo superior.
inline constexpr long long kGradosRigidezDensa = 1000;

// Escribe el reporte en el directorio de trabajo: en un archivo temporal que
// reemplaza a resultados.txt sólo cuando está completo. Devuelve falso, con un
// error en la lista de mensajes, si no pudo escribirse; el resultados.txt
// anterior queda intacto.
bool funcionPrint();
// El mismo reporte sobre cualquier salida.
void escribirReporte(salidaTexto& salida);
void escribirReporte(std::ostream& os);
