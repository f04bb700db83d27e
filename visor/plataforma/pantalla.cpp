#include "visor/plataforma/pantalla.h"

#include <X11/Xlib.h>

bool hayPantalla(const std::string& nombre) {
    Display* pantalla = XOpenDisplay(nombre.empty() ? nullptr : nombre.c_str());
    if (pantalla == nullptr) return false;
    XCloseDisplay(pantalla);
    return true;
}
