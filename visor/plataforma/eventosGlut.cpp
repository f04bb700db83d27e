#include "visor/plataforma/eventosGlut.h"

#include <GL/freeglut.h>

#include "visor/interaccion/raton.h"
#include "visor/interaccion/teclado.h"

int modificadoresDeGlut(int mascara) {
    int m = 0;
    if (mascara & GLUT_ACTIVE_SHIFT) m |= kModificadorShift;
    if (mascara & GLUT_ACTIVE_CTRL) m |= kModificadorCtrl;
    if (mascara & GLUT_ACTIVE_ALT) m |= kModificadorAlt;
    if (mascara & ~(GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL | GLUT_ACTIVE_ALT)) m |= kModificadorOtro;
    return m;
}

TeclaEspecial teclaDeGlut(int tecla) {
    switch (tecla) {
    case GLUT_KEY_F1: return TeclaEspecial::F1;
    case GLUT_KEY_F2: return TeclaEspecial::F2;
    case GLUT_KEY_F3: return TeclaEspecial::F3;
    case GLUT_KEY_F4: return TeclaEspecial::F4;
    case GLUT_KEY_F5: return TeclaEspecial::F5;
    case GLUT_KEY_F6: return TeclaEspecial::F6;
    case GLUT_KEY_F12: return TeclaEspecial::F12;
    default: return TeclaEspecial::Otra;
    }
}

BotonRaton botonDeGlut(int boton) {
    switch (boton) {
    case GLUT_LEFT_BUTTON: return BotonRaton::Izquierdo;
    case GLUT_MIDDLE_BUTTON: return BotonRaton::Central;
    case 3: return BotonRaton::RuedaArriba;  // freeglut da cada paso de la rueda como los botones 3 y 4
    case 4: return BotonRaton::RuedaAbajo;
    default: return BotonRaton::Otro;
    }
}

void tecladoEspecialGlut(int tecla, int, int) { tecladoEspecial(teclaDeGlut(tecla)); }

void ratonGlut(int boton, int estado, int x, int y) {
    // freeglut no da otro estado que GLUT_DOWN y GLUT_UP.
    mouseButton(botonDeGlut(boton), estado == GLUT_DOWN, x, y);
}
