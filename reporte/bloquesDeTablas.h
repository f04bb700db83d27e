// Las tablas publicadas para resultados.txt (tablaResultados::enReporte), con
// un solo escritor: un bloque por tabla con su título en mayúsculas entre
// asteriscos, la línea de los nombres de las columnas separados por " | " y
// una línea por fila, los valores separados por un blanco y escritos como
// salen (seis cifras significativas), como el resto del archivo.
#pragma once

#include "reporte/salidaTexto.h"

struct tablaResultados;

void escribirBloqueDeTabla(salidaTexto& os, const tablaResultados& t);
// Los bloques de todas las tablas publicadas para resultados.txt, en su orden.
void escribirBloquesDeTablas(salidaTexto& os);
