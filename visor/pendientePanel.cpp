// Provisional: panel superpuesto aún sin construir.
#include "visor/capas.h"

void plotDialogo() {}
