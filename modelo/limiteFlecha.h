// Los límites de flecha que pide el modelo (limiteFlecha: N [COMBOS...]
// BARRAS...): la mayor flecha de cada barra respecto de su cuerda no pasa de
// su largo / N en las combinaciones nombradas (de servicio), o en todas las
// combinaciones sin sismo si el registro no nombra ninguna.
#pragma once

#include <vector>

struct limiteFlecha {
    double divisor = 0;         // N de L/N
    std::vector<int> combos;    // índices en combinaciones (vacío: todas las sin sismo)
    std::vector<int> barras;    // números internos, sin repetir, en el orden del registro
};
extern std::vector<limiteFlecha> limitesFlecha;
