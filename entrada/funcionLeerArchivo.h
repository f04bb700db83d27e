// Cargador del modelo: lee el archivo nombreArchivo y llena nudos, barras,
// combinaciones y ajustes de dibujo, informando cada paso en la consola.
#pragma once

void funcionLeerArchivo();
