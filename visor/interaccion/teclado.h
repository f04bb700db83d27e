// Teclado: la línea de órdenes, las escalas con + y -, los interruptores con
// Alt, las vistas y la ayuda con las teclas de función, la recarga con F5 y la
// salida con Escape.
#pragma once

#include "visor/interaccion/teclas.h"

// Una tecla que escribe, o Return, retroceso, Escape, + y -. La posición del
// ratón (x, y) no se usa: es la firma con que la ventana entrega las teclas.
void teclado(unsigned char tecla, int x, int y);
void tecladoEspecial(TeclaEspecial tecla);
