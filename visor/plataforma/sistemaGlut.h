// Las funciones de ventanaSistema con freeglut y X11, el redibujo sin pausa
// de las animaciones y el título de la ventana. No conoce la ventana del
// visor (ventana.h): ésta le da su respuesta al cambio de tamaño.
#pragma once

#include <string>

namespace ventanaSistema {

// Pone las funciones de freeglut y del proceso (al abrir la ventana);
// remodelar rehace la vista y la proyección para un tamaño dado.
void usarSistemaReal(void (*remodelar)(int, int));

// Título de la ventana actual en UTF-8, tal como lo muestran los gestores de ventanas.
void ponerTitulo(const std::string& titulo);

}  // namespace ventanaSistema
