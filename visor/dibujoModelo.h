// Ayudas comunes a las capas de dibujo: visibilidad según el aislamiento y el
// marco local de una barra.
#pragma once

#include <vector>

class objBarra3d;

// Entrada i de un vector de aislamiento: visible si vale 1. Un índice más
// allá del final del vector (aún no dimensionado para el modelo) cuenta como
// visible, que es el estado sin aislar; un índice negativo, como oculto.
bool entradaVisible(const std::vector<int>& aislados, int i);
bool nudoVisible(int i);
bool barraVisible(int i);

// Guarda la matriz y entra en el marco de la barra: origen en su nudo inicial,
// giros gamma (Z), beta (Y) y alfa (X) en ese orden de llamadas. La barra va de
// (0, 0, 0) a (largo, 0, 0); un punto (y, z) de la sección queda en (x, y, z).
void entrarMarcoBarra(const objBarra3d& b);
// Restaura la matriz guardada por entrarMarcoBarra.
void salirMarcoBarra();
