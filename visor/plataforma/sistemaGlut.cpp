#include "visor/plataforma/sistemaGlut.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "visor/escena/ventanaSistema.h"
#include "visor/plataforma/eventosGlut.h"

namespace ventanaSistema {
namespace {

int modificadoresGlut() { return modificadoresDeGlut(glutGetModifiers()); }
int anchoGlut() { return glutGet(GLUT_WINDOW_WIDTH); }
int altoGlut() { return glutGet(GLUT_WINDOW_HEIGHT); }
void redibujoGlut() { glutPostRedisplay(); }
void salirProceso(int estado) { std::exit(estado); }

// Animaciones que piden redibujar sin pausa: mientras haya alguna, freeglut
// redibuja cada vez que no tiene eventos que atender.
int animacionesActivas = 0;

void redibujarSinPausa() { glutPostRedisplay(); }

void redibujoContinuoGlut(bool activo) {
    animacionesActivas += activo ? 1 : -1;
    if (animacionesActivas < 0) animacionesActivas = 0;
    glutIdleFunc(animacionesActivas > 0 ? redibujarSinPausa : nullptr);
}

}  // namespace

// freeglut escribe el título como texto Latin-1: la raya del título se vería
// como otros caracteres. Se lo da a la ventana en UTF-8 (_NET_WM_NAME, que
// leen los gestores de ventanas) y en el texto compuesto de X para los demás.
void ponerTitulo(const std::string& titulo) {
    Display* pantalla = glXGetCurrentDisplay();
    const Window ventana = glXGetCurrentDrawable();
    if (pantalla == nullptr || ventana == 0) return;
    char* lista[] = {const_cast<char*>(titulo.c_str())};
    XTextProperty texto;
    // La conversión al texto compuesto sigue al locale: se hace en UTF-8 (si
    // el sistema no lo tiene, los caracteres que no convierte quedan en "?").
    const std::string anterior = std::setlocale(LC_CTYPE, nullptr);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    if (Xutf8TextListToTextProperty(pantalla, lista, 1, XStdICCTextStyle, &texto) >= Success) {
        XSetWMName(pantalla, ventana, &texto);
        XFree(texto.value);
    }
    std::setlocale(LC_CTYPE, anterior.c_str());
    XChangeProperty(pantalla, ventana, XInternAtom(pantalla, "_NET_WM_NAME", False),
                    XInternAtom(pantalla, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(titulo.data()), static_cast<int>(titulo.size()));
    XFlush(pantalla);
}

void usarSistemaReal(void (*remodelar)(int, int)) {
    usar(modificadoresGlut, anchoGlut, altoGlut, remodelar, redibujoGlut, salirProceso, redibujoContinuoGlut);
}

}  // namespace ventanaSistema
