// Las funciones de ventanaSistema con freeglut y X11, y el título de la ventana.
#pragma once

#include <string>

namespace ventanaSistema {

// Pone las funciones de freeglut y del proceso (al abrir la ventana).
void usarSistemaReal();

// Título de la ventana actual en UTF-8, tal como lo muestran los gestores de ventanas.
void ponerTitulo(const std::string& titulo);

}  // namespace ventanaSistema
