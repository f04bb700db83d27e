// Cargador del modelo: lee el archivo nombreArchivo y llena nudos, barras,
// combinaciones y ajustes de dibujo. Cada paso deja su avance, sus
// advertencias y sus errores en la lista de mensajes (diagnosticos.h).
#pragma once

void funcionLeerArchivo();
