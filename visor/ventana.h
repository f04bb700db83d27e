// Ventana del visor: arranque, encuadre de la cámara, cuadro y ratón.
#pragma once

#include "visor/funcionPlot.h"

// Caja de los nudos (con el origen), diagonal, objetivo, cámara y distCamObj.
void funcionFronteraGraf();
// Respuesta al cambio de tamaño: tamaño mínimo 600 x 400, vista y proyección.
void changeSize(int w, int h);
// Dibuja un cuadro completo (respuesta de dibujo y de reposo).
void draw();
void mouseButton(int button, int state, int x, int y);
void mouseMove(int x, int y);
// Acercan o alejan la cámara un 10 % respecto del objetivo.
void zoomIn();
void zoomOut();
