// Provisional: panel, teclado e interruptores aún sin construir.
#include "visor/capas.h"
#include "visor/teclado.h"

void plotDialogo() {}
void modificadorFlagsGraf(int) {}
void teclado(unsigned char, int, int) {}
void tecladoEspecial(int, int, int) {}
