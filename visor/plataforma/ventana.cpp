#include "visor/plataforma/ventana.h"

#include <GL/freeglut.h>
#include <malloc.h>

#include <cstddef>
#include <string>

#include "globales.h"
#include "version.h"
#include "visor/escena/camara.h"
#include "visor/escena/estadoVisor.h"
#include "visor/interaccion/lineaOrdenes.h"
#include "visor/interaccion/raton.h"
#include "visor/interaccion/teclado.h"
#include "visor/interaccion/vistaCamara.h"
#include "visor/plataforma/capturaGL.h"
#include "visor/plataforma/escenaGL.h"
#include "visor/plataforma/eventosGlut.h"
#include "visor/plataforma/panelGL.h"
#include "visor/plataforma/sistemaGlut.h"

namespace {

// La cámara de arranque se encuadra cuando la ventana conoce su tamaño: en
// el primer cambio de tamaño aceptado, antes del primer cuadro.
bool encuadrePendiente = true;

}  // namespace

std::string tituloVentana(const std::string& archivo) {
    const std::size_t barra = archivo.find_last_of('/');
    return std::string(kNombreYVersion) + " — " + (barra == std::string::npos ? archivo : archivo.substr(barra + 1));
}

void funcionPlot(int argc, char** argv) {
    // El teclado, el ratón y el panel piden desde aquí a freeglut.
    ventanaSistema::usarSistemaReal(changeSize);
    // El dibujo por software pide y devuelve en cada cuadro bloques de varios
    // megabytes; servidos con mmap, cada cuadro vuelve a pagar las faltas de
    // página de memoria nueva. Desde el montículo se reusan entre cuadros.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(1000, 800);
    const std::string titulo = tituloVentana(nombreArchivo);
    glutCreateWindow(titulo.c_str());
    ventanaSistema::ponerTitulo(titulo);

    interruptoresIniciales();
    anunciarCargaDelModelo(false);
    nudosAislados.assign(nudo.size(), 1);
    barrasAisladas.assign(barra.size(), 1);
    modeloCambiado();

    glEnable(GL_DEPTH_TEST);
    funcionFronteraGraf();

    // Sin función de reposo: se redibuja sólo cuando algo cambia (teclas,
    // ratón, cambio de tamaño) o mientras una animación lo pida.
    glutDisplayFunc(draw);
    glutReshapeFunc(changeSize);
    glutMouseFunc(ratonGlut);
    glutMotionFunc(mouseMove);
    glutKeyboardFunc(teclado);
    glutSpecialFunc(tecladoEspecialGlut);
    glutMainLoop();
}

void changeSize(int w, int h) {
    if (h == 0) h = 1;
    const Tamano aceptado = tamanoAceptado(w, h);
    if (aceptado.ancho != w || aceptado.alto != h) {
        // La vista y la proyección las pone la llamada que sigue al cambio.
        glutReshapeWindow(aceptado.ancho, aceptado.alto);
        return;
    }
    glViewport(0, 0, w, h);
    wVentana = w;
    hVentana = h;
    if (encuadrePendiente) {
        encuadrePendiente = false;
        encuadreDeArranque(w, h);
    }

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const Proyeccion p = proyeccion(w, h, flagActivo(kFlagPerspectiva), distCamObj);
    if (p.perspectiva)
        gluPerspective(p.campoVertical, p.aspecto, p.cerca, p.lejos);
    else
        glOrtho(p.izquierda, p.derecha, p.abajo, p.arriba, p.cerca, p.lejos);
    glMatrixMode(GL_MODELVIEW);
}

void draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Punto3 ojo = ojoActual(), objetivo = objetivoActual();
    azimutCamara = angulosCamara(ojo, objetivo, azimutCamara).azimut;
    const Punto3 arriba = vectorArriba(ojo, objetivo, azimutCamara);
    gluLookAt(ojo.x, ojo.y, ojo.z, objetivo.x, objetivo.y, objetivo.z, arriba.x, arriba.y, arriba.z);

    plotDialogo();
    dibujarEscena();
    plotSobreEscena();
    atenderCaptura();

    glFlush();
    glutSwapBuffers();
}
