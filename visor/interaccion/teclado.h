// Teclado, línea de órdenes e interruptores de dibujo.
#pragma once

#include "visor/interaccion/teclas.h"

void modificadorFlagsGraf(int k);
// Una tecla que escribe, o Return, retroceso, Escape, + y -. La posición del
// ratón (x, y) no se usa: es la firma con que la ventana entrega las teclas.
void teclado(unsigned char tecla, int x, int y);
void tecladoEspecial(TeclaEspecial tecla);
