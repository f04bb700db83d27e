// Ventana del visor: arranque, encuadre de la cámara, cuadro y ratón.
#pragma once

#include <string>

#include "visor/escena/camara.h"
#include "visor/plataforma/funcionPlot.h"

// "Vantra 3D v6.0 — " y el nombre del archivo de modelo sin su carpeta.
std::string tituloVentana(const std::string& archivo);
// Caja de los nudos (con el origen), diagonal, objetivo, cámara y distCamObj.
void funcionFronteraGraf();
// Cámara que ve el modelo entero desde la dirección dada (del objetivo hacia la
// cámara), con el objetivo en el centro del modelo; rehace la proyección.
void vistaEncuadrada(const Punto3& direccion);
// Lo mismo desde la dirección en que mira la cámara ahora.
void vistaEncuadradaActual();
// Respuesta al cambio de tamaño: tamaño mínimo 600 x 400, vista y proyección.
void changeSize(int w, int h);
// Dibuja un cuadro completo. Se llama sólo cuando algo pidió redibujar.
void draw();
// Una animación (por ejemplo la de un modo de vibración) pide redibujar sin
// pausa mientras dure: activo al empezar y falso al terminar.
void redibujoContinuo(bool activo);
void mouseButton(int button, int state, int x, int y);
void mouseMove(int x, int y);
// Acercan o alejan la cámara un 10 % respecto del objetivo.
void zoomIn();
void zoomOut();
