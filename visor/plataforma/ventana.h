// Ventana del visor con freeglut: arranque, cambio de tamaño y cuadro.
#pragma once

#include <string>

#include "visor/plataforma/funcionPlot.h"

// El nombre y la versión del programa, " — " y el nombre del archivo de modelo sin su carpeta.
std::string tituloVentana(const std::string& archivo);
// Respuesta al cambio de tamaño: tamaño mínimo 600 x 400, vista y proyección.
void changeSize(int w, int h);
// Dibuja un cuadro completo. Se llama sólo cuando algo pidió redibujar.
void draw();
