#include "visor/ventanaSistema.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "visor/ventana.h"

namespace ventanaSistema {
namespace {

int modificadoresGlut() { return glutGetModifiers(); }
int anchoGlut() { return glutGet(GLUT_WINDOW_WIDTH); }
int altoGlut() { return glutGet(GLUT_WINDOW_HEIGHT); }
void redibujoGlut() { glutPostRedisplay(); }
void salirProceso(int estado) { std::exit(estado); }

}  // namespace

int (*modificadores)() = modificadoresGlut;
int (*anchoVentana)() = anchoGlut;
int (*altoVentana)() = altoGlut;
void (*redimensionar)(int, int) = changeSize;
void (*pedirRedibujo)() = redibujoGlut;
void (*terminarPrograma)(int) = salirProceso;

void usarSistemaReal() {
    modificadores = modificadoresGlut;
    anchoVentana = anchoGlut;
    altoVentana = altoGlut;
    redimensionar = changeSize;
    pedirRedibujo = redibujoGlut;
    terminarPrograma = salirProceso;
}

}  // namespace ventanaSistema
