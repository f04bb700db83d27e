// Búsqueda de mecanismos: movimientos de la estructura que no deforman ninguna
// barra (modos de energía nula). Se buscan cuando la factorización falla o
// deja dudas (un pivote o una condición sospechosos, una solución que no se
// deja refinar): así se distingue un mecanismo de una estructura estable pero
// mal condicionada, con barras muy rígidas, muy cortas o muy subdivididas.
#pragma once

#include <vector>

#include "analisis/numeracionLibre.h"
#include "analisis/operadorRigidez.h"

struct modosMecanismo {
    bool hayMecanismo = false;
    // Grados de libertad (desde 0) que más se mueven en los modos hallados,
    // en orden creciente. Los giros se comparan con las traslaciones
    // multiplicados por el tamaño del modelo.
    std::vector<int> gdl;
};

modosMecanismo buscarMecanismos(const operadorRigidez& operador, const numeracionLibre& numeracion,
                                double tamanoModelo);
