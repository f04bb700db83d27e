#include "visor/funcionPlot.h"

// Hasta que exista el visor, el programa termina tras cargar el modelo.
void funcionPlot(int, char**) {}
