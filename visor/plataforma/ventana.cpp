#include "visor/plataforma/ventana.h"

#include <GL/freeglut.h>
#include <malloc.h>

#include <cstddef>
#include <string>
#include <vector>

#include "globales.h"
#include "visor/capas/capas.h"
#include "visor/escena/camara.h"
#include "visor/escena/escena.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/captura.h"
#include "visor/interaccion/teclado.h"
#include "visor/interaccion/ventanaSistema.h"

namespace {

Punto3 ojoActual() { return {xCam, yCam, zCam}; }
Punto3 objetivoActual() { return {xCentroObj, yCentroObj, zCentroObj}; }

void ponerOjo(const Punto3& p) {
    xCam = p.x;
    yCam = p.y;
    zCam = p.z;
}

// Órbita con el botón izquierdo mientras se mantiene Shift (ratones y paneles
// táctiles sin botón central).
bool orbitaConIzquierdo = false;

// Animaciones que piden redibujar sin pausa (ninguna por ahora).
int animacionesActivas = 0;

void redibujarSinPausa() { glutPostRedisplay(); }

// El volumen ortográfico sale de distCamObj: cuando la distancia cambia hay
// que rehacer la proyección con el tamaño actual de la ventana.
void rehacerProyeccion() {
    wVentana = ventanaSistema::anchoVentana();
    hVentana = ventanaSistema::altoVentana();
    ventanaSistema::redimensionar(wVentana, hVentana);
}

void zoom(double factor) {
    ponerOjo(acercar(ojoActual(), objetivoActual(), factor));
    distCamObj = distancia(ojoActual(), objetivoActual());
    if (!flagActivo(kFlagPerspectiva)) rehacerProyeccion();
    ventanaSistema::pedirRedibujo();
}

std::vector<Punto3> puntosNudos() {
    std::vector<Punto3> puntos;
    const int n = cantidadNudos();
    puntos.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        puntos.push_back({nd.getX(), nd.getY(), nd.getZ()});
    }
    return puntos;
}

}  // namespace

std::string tituloVentana(const std::string& archivo) {
    const std::size_t barra = archivo.find_last_of('/');
    return "Vantra 3D v6.0 — " + (barra == std::string::npos ? archivo : archivo.substr(barra + 1));
}

void funcionPlot(int argc, char** argv) {
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
    nudosAislados.assign(nudo.size(), 1);
    barrasAisladas.assign(barra.size(), 1);
    modeloCambiado();

    glEnable(GL_DEPTH_TEST);
    funcionFronteraGraf();

    // Sin función de reposo: se redibuja sólo cuando algo cambia (teclas,
    // ratón, cambio de tamaño) o mientras una animación lo pida.
    glutDisplayFunc(draw);
    glutReshapeFunc(changeSize);
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMove);
    glutKeyboardFunc(teclado);
    glutSpecialFunc(tecladoEspecial);
    glutMainLoop();
}

void redibujoContinuo(bool activo) {
    animacionesActivas += activo ? 1 : -1;
    if (animacionesActivas < 0) animacionesActivas = 0;
    glutIdleFunc(animacionesActivas > 0 ? redibujarSinPausa : nullptr);
}

void funcionFronteraGraf() {
    const Encuadre e = encuadrar(puntosNudos());
    xMin = e.xMin;
    xMax = e.xMax;
    yMin = e.yMin;
    yMax = e.yMax;
    zMin = e.zMin;
    zMax = e.zMax;
    diagonal = e.diagonal;
    xCentroObj = e.objetivo.x;
    yCentroObj = e.objetivo.y;
    zCentroObj = e.objetivo.z;
    ponerOjo(e.ojo);
    distCamObj = e.distancia;
    azimutCamara = angulosCamara(e.ojo, e.objetivo, 0.0).azimut;
}

void vistaEncuadrada(const Punto3& direccion) {
    const VistaEncuadrada v = encuadrarVista(puntosNudos(), direccion, ventanaSistema::anchoVentana(),
                                             ventanaSistema::altoVentana(), flagActivo(kFlagPerspectiva));
    xCentroObj = v.objetivo.x;
    yCentroObj = v.objetivo.y;
    zCentroObj = v.objetivo.z;
    ponerOjo(v.ojo);
    distCamObj = distancia(v.ojo, v.objetivo);
    azimutCamara = angulosCamara(v.ojo, v.objetivo, azimutCamara).azimut;
    rehacerProyeccion();
    ventanaSistema::pedirRedibujo();
}

void vistaEncuadradaActual() {
    const Punto3 ojo = ojoActual(), objetivo = objetivoActual();
    Punto3 direccion{ojo.x - objetivo.x, ojo.y - objetivo.y, ojo.z - objetivo.z};
    // Con la cámara sobre el objetivo no hay dirección: la de arranque.
    if (distancia(direccion, {0, 0, 0}) == 0.0) direccion = {-1, -1, 0.5};
    vistaEncuadrada(direccion);
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

void mouseButton(int button, int state, int x, int y) {
    const bool pulsado = state == GLUT_DOWN;
    const bool soltado = state == GLUT_UP;
    switch (button) {
    case GLUT_LEFT_BUTTON:
        if (pulsado && ventanaSistema::modificadores() == GLUT_ACTIVE_SHIFT) {
            // Shift y el botón izquierdo orbitan como el central, sin clic en el panel.
            orbitaConIzquierdo = true;
            clickCentro = 1;
            xLast = x;
            yLast = y;
        } else if (pulsado) {
            clickIzq = 1;
            xClickIzq = 0;
            yClickIzq = 0;
            xLast = x;
            yLast = y;
        } else if (soltado && orbitaConIzquierdo) {
            orbitaConIzquierdo = false;
            clickCentro = -1;
        } else if (soltado) {
            clickIzq = -1;
            xClickIzq = x;
            yClickIzq = y;
            // El panel atiende el clic en el próximo cuadro.
            ventanaSistema::pedirRedibujo();
        }
        break;
    case GLUT_MIDDLE_BUTTON:
        if (pulsado) {
            clickCentro = 1;
            xLast = x;
            yLast = y;
        } else if (soltado) {
            clickCentro = -1;
        }
        break;
    case 3:  // rueda hacia arriba: actúa al soltar
        if (soltado) zoomIn();
        break;
    case 4:  // rueda hacia abajo
        if (soltado) zoomOut();
        break;
    default:
        break;
    }
}

void mouseMove(int x, int y) {
    if (clickCentro == 1) {
        const PasoOrbita paso = orbitar(ojoActual(), objetivoActual(), x - xLast, y - yLast, azimutCamara);
        deltaAngHoriz = paso.deltaHoriz;
        deltaAngVert = paso.deltaVert;
        ponerOjo(paso.ojo);
        azimutCamara = paso.azimut;
        xLast = x;
        yLast = y;
        ventanaSistema::pedirRedibujo();
    } else if (clickIzq == 1) {
        const Punto3 s = desplazamientoPaneo(ojoActual(), objetivoActual(), x - xLast, y - yLast, azimutCamara);
        xCam += s.x;
        yCam += s.y;
        zCam += s.z;
        xCentroObj += s.x;
        yCentroObj += s.y;
        zCentroObj += s.z;
        xLast = x;
        yLast = y;
        ventanaSistema::pedirRedibujo();
    }
    distCamObj = distancia(ojoActual(), objetivoActual());
}

void zoomIn() { zoom(kFactorAcercar); }
void zoomOut() { zoom(kFactorAlejar); }
