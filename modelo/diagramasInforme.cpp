#include "modelo/diagramasInforme.h"

#include "modelo/solicitacionesBarra.h"

diagramasInforme diagramasPorDefecto() { return {{kSolicitacionN, kSolicitacionMy}}; }

diagramasInforme diagramasDelInforme = diagramasPorDefecto();
