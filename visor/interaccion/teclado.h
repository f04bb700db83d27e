// Teclado, línea de órdenes e interruptores de dibujo.
#pragma once

void modificadorFlagsGraf(int k);
void teclado(unsigned char tecla, int x, int y);
void tecladoEspecial(int tecla, int x, int y);
