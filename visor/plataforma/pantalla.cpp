#include "visor/plataforma/pantalla.h"

#include <X11/Xlib.h>

namespace {
// La conexión de la prueba queda abierta mientras el programa vive: si fuera
// la única y se cerrara, el servidor X se reiniciaría (lo hace al quedarse sin
// clientes) y rechazaría la conexión que freeglut abre un instante después.
Display* conexion = nullptr;
}  // namespace

bool hayPantalla(const std::string& nombre) {
    if (conexion != nullptr) return true;
    conexion = XOpenDisplay(nombre.empty() ? nullptr : nombre.c_str());
    return conexion != nullptr;
}
