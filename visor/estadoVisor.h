// Estado global del visor: ventana, cámara, ratón, interruptores de dibujo,
// línea de órdenes y aislamiento de barras.
#pragma once

#include <string>
#include <vector>

#include "constantes.h"

// Ventana y cámara
extern int wVentana, hVentana;
extern double xMin, xMax, yMin, yMax, zMin, zMax;
extern double xCentroObj, yCentroObj, zCentroObj;
extern double xCam, yCam, zCam;
extern double diagonal;
extern double distCamObj;
// Último azimut conocido de la cámara (radianes): sirve cuando la cámara queda
// justo en la vertical del objetivo, donde el azimut no se puede calcular.
extern double azimutCamara;

// Ratón
extern int clickIzq, clickCentro;
extern int xLast, yLast;
extern int xClickIzq, yClickIzq;
extern double deltaAngHoriz, deltaAngVert;

// Interruptores de dibujo: 200 enteros; uno está activo cuando es impar.
// La entrada 100 + c activa la combinación c.
constexpr int kNumeroFlags = 200;
constexpr int kCombosConInterruptor = 100;
extern std::vector<int> flags;
bool flagActivo(int i);
// Valores de arranque (y de recarga con F5): apoyos, ejes, textos y líneas
// internas de diagramas, esferas de nudos y perspectiva encendidos; todo lo demás apagado.
void interruptoresIniciales();

// Línea de órdenes
extern std::string comando;
extern std::string dialogo;
extern int numeroComboCoincidente;

// Aislamiento: 1 visible, 0 oculto (una entrada por barra y por nudo)
extern std::vector<int> barrasAisladas;
extern std::vector<int> nudosAislados;
