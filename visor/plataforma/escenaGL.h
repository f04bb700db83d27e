// La escena preparada (capas/escena.h) entregada a OpenGL: los grupos de cada
// capa compilados en una lista que se repite en cada cuadro, y las esferas y
// los rótulos orientados hacia la cámara del cuadro.
#pragma once

#include "visor/escena/lote.h"

struct VistaRotulos;
class OcupacionRotulos;

// Prepara y dibuja la escena. Necesita la cámara ya puesta en la matriz de
// modelo-vista.
void dibujarEscena();

// Entrega un lote con la cámara del cuadro. Con `lista`, sus grupos se
// compilan la primera vez en esa lista de OpenGL y luego sólo se repiten. Con
// `ocupacion`, sus rótulos no pisan a los que otras capas ya escribieron.
void dibujarLote(const LoteDibujo& lote, const VistaRotulos& vista, unsigned* lista = nullptr,
                 OcupacionRotulos* ocupacion = nullptr);
