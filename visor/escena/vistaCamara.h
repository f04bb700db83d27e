// La cámara del visor (en estadoVisor): encuadre del modelo al abrirlo, vistas
// que lo encuadran y zoom. La aritmética está en camara.h; aquí se lleva a la
// cámara del visor y se pide remodelar y redibujar la ventana.
#pragma once

#include "visor/escena/camara.h"

// Cámara y objetivo actuales como puntos.
Punto3 ojoActual();
Punto3 objetivoActual();
void ponerOjo(const Punto3& p);

// Caja de los nudos (con el origen), diagonal, objetivo, cámara y distCamObj.
void funcionFronteraGraf();
// Cámara que ve el modelo entero desde la dirección dada (del objetivo hacia la
// cámara), con el objetivo en el centro del modelo; rehace la proyección.
void vistaEncuadrada(const Punto3& direccion);
// Lo mismo desde la dirección en que mira la cámara ahora.
void vistaEncuadradaActual();
// Acercan o alejan la cámara un 10 % respecto del objetivo.
void zoomIn();
void zoomOut();
