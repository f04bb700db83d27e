// La cámara del visor (en estadoVisor): encuadre del modelo al abrirlo, vistas
// que lo encuadran y zoom. La aritmética está en camara.h; aquí se lleva a la
// cámara del visor y se pide remodelar y redibujar la ventana.
#pragma once

#include "visor/escena/camara.h"

// Cámara y objetivo actuales como puntos.
Punto3 ojoActual();
Punto3 objetivoActual();
void ponerOjo(const Punto3& p);

// Caja de los nudos (con el origen) y diagonal; la cámara de arranque, que
// mira desde el lado -X, -Y, por encima y encuadra el modelo en lo que los
// paneles dejan libre de la ventana actual (encuadreDeArranque).
void funcionFronteraGraf();
// La cámara de arranque para una ventana de ancho x alto, sin rehacer la
// proyección: la ventana la llama al conocer su tamaño, antes del primer cuadro.
void encuadreDeArranque(int ancho, int alto);
// Cámara que ve entero lo que se dibuja (los nudos y lo de las capas a la
// vista: deformada y diagramas a su escala, flechas, símbolos de apoyo,
// rótulos) desde la dirección dada (del objetivo hacia la cámara) dentro de
// lo que los paneles dejan libre de la ventana, por debajo de la leyenda
// (panel.h, areaDeEncuadre); con un modo animado, también su forma en los dos
// extremos de la oscilación. Rehace la proyección.
void vistaEncuadrada(const Punto3& direccion);
// Lo mismo desde la dirección en que mira la cámara ahora.
void vistaEncuadradaActual();
// Con un modo animado: si su forma, en alguno de los dos extremos de la
// oscilación, o algo de lo dibujado sale de donde se encuadra, encuadra la
// vista actual para que quepa entera.
void mantenerModoALaVista();
// Las vistas de frente (F2 a F4): en proyección ortográfica, como un plano
// de alzado o de planta, encuadradas desde la dirección dada; Alt-c pasa a
// perspectiva.
void vistaDeFrente(const Punto3& direccion);
// Acercan o alejan la cámara un 10 % respecto del objetivo.
void zoomIn();
void zoomOut();
