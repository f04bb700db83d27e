// Ratón: órbita con el botón central (o Shift y el izquierdo), paneo con el
// izquierdo, zoom con la rueda y el clic izquierdo que atiende el panel.
#pragma once

#include "visor/interaccion/teclas.h"

// Un botón se pulsó (pulsado) o se soltó en el píxel (x, y).
void mouseButton(BotonRaton boton, bool pulsado, int x, int y);
// El ratón se movió con algún botón pulsado.
void mouseMove(int x, int y);
