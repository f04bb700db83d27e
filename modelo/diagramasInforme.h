// Los diagramas de solicitaciones que el informe dibuja en cada caso de
// resultados (informeDiagramas: N Vy Vz My Mz T): índices de
// solicitacionesBarra.h en el orden N, Vy, Vz, T, My, Mz, sin repetir. Sin la
// etiqueta, N y My.
#pragma once

#include <vector>

struct diagramasInforme {
    std::vector<int> solicitaciones;
};
// Los de un modelo sin la etiqueta.
diagramasInforme diagramasPorDefecto();
extern diagramasInforme diagramasDelInforme;
