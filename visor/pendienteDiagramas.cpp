// Provisional: diagramas de resultados, cargas y reacciones aún sin construir.
#include "visor/capas.h"

void plotDeformada(int, double) {}
void plotAxial(int, double) {}
void plotCortanteY(int, double) {}
void plotMomentoY(int, double) {}
void plotCortanteZ(int, double) {}
void plotMomentoZ(int, double) {}
void plotTorsion(int, double) {}
void plotCarga(int, double) {}
void plotReacciones(int) {}
