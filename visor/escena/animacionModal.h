// La orden "modo N": qué modo de vibración se anima y en qué punto de su
// oscilación va. La forma modal se dibuja como la deformada, tomándola como
// campo de desplazamientos, y oscila con un ciclo por segundo.
#pragma once

#include <string>

// Número del modo que se anima (1 el más bajo) o 0 si no hay animación.
int modoAnimado();
// Anima el modo k (1 el más bajo) desde el comienzo de su ciclo; con 0
// termina. Mientras dura, el visor redibuja sin pausa; al terminar vuelve a
// redibujar sólo cuando algo cambia.
void animarModo(int k);
// sen(2π t), con t los segundos desde que empezó la animación.
double faseModo();
// Factor con que se dibuja una forma modal (su mayor traslación vale 1): como
// la deformada, proporcional a escalaDeflexion; con el valor por defecto, 100,
// la mayor traslación mide una décima de la diagonal del modelo.
double escalaModo();
// Verdadero si el último análisis dejó modos con formas de todos los nudos.
bool hayModosCalculados();
// "Modo 2: T = 0.2528 s, f = 3.956 Hz" (cuatro cifras significativas), del modo k (1 el más bajo).
std::string descripcionModo(int k);
