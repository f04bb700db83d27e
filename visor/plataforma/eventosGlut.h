// Teclas, teclas modificadoras y botones del ratón de freeglut traducidos a los
// códigos del visor (interaccion/teclas.h), y las funciones de respuesta que
// los entregan al teclado y al ratón.
#pragma once

#include "visor/interaccion/teclas.h"

// Máscara del visor para la de glutGetModifiers.
int modificadoresDeGlut(int mascara);
TeclaEspecial teclaDeGlut(int tecla);
BotonRaton botonDeGlut(int boton);

// Para glutSpecialFunc y glutMouseFunc.
void tecladoEspecialGlut(int tecla, int x, int y);
void ratonGlut(int boton, int estado, int x, int y);
