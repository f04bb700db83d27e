#include "visor/ventana.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "globales.h"
#include "visor/camara.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/teclado.h"
#include "visor/visibilidad.h"

namespace {

Punto3 ojoActual() { return {xCam, yCam, zCam}; }
Punto3 objetivoActual() { return {xCentroObj, yCentroObj, zCentroObj}; }

void ponerOjo(const Punto3& p) {
    xCam = p.x;
    yCam = p.y;
    zCam = p.z;
}

// Capa de resultados o cargas: si su interruptor está activo, se dibuja una vez
// por cada combinación activa.
template <typename Capa>
void capaPorCombo(int interruptor, Capa capa) {
    if (!flagActivo(interruptor)) return;
    for (int c = 0; c < cantidadCombos(); ++c)
        if (comboActivo(c)) capa(c);
}

void zoom(double factor) {
    ponerOjo(acercar(ojoActual(), objetivoActual(), factor));
    distCamObj = distancia(ojoActual(), objetivoActual());
    if (!flagActivo(kFlagPerspectiva)) {
        // El volumen ortográfico sale de distCamObj: hay que rehacerlo.
        wVentana = glutGet(GLUT_WINDOW_WIDTH);
        hVentana = glutGet(GLUT_WINDOW_HEIGHT);
        changeSize(wVentana, hVentana);
        glutPostRedisplay();
    }
}

}  // namespace

void funcionPlot(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(1000, 800);
    glutCreateWindow("Vantra 3D v6.0");

    interruptoresIniciales();
    nudosAislados.assign(static_cast<std::size_t>(std::max(noNudos, 0)), 1);
    barrasAisladas.assign(static_cast<std::size_t>(std::max(noBarras, 0)), 1);

    glEnable(GL_DEPTH_TEST);
    funcionFronteraGraf();

    glutDisplayFunc(draw);
    glutReshapeFunc(changeSize);
    glutIdleFunc(draw);
    glutMouseFunc(mouseButton);
    glutMotionFunc(mouseMove);
    glutKeyboardFunc(teclado);
    glutSpecialFunc(tecladoEspecial);
    glutMainLoop();
}

void funcionFronteraGraf() {
    std::vector<Punto3> puntos;
    const int n = cantidadNudos();
    puntos.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        puntos.push_back({nd.getX(), nd.getY(), nd.getZ()});
    }

    const Encuadre e = encuadrar(puntos);
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

    if (flagActivo(kFlagEjes)) plotEjes();
    if (cantidadNudos() != 0) plotNudos();
    if (cantidadBarras() != 0) {
        plotBarras();
        plotArticulaciones();
    }
    if (flagActivo(kFlagTagNudos)) plotTagNudos(escalaTexto);
    if (flagActivo(kFlagTagBarras)) plotTagBarras(escalaTexto);
    if (flagActivo(kFlagSecciones)) plotSecciones(escalaTexto);
    if (flagActivo(kFlagVolumen)) plotVolumen();
    if (flagActivo(kFlagApoyos)) plotApoyos(escalaApoyo);

    capaPorCombo(kFlagDeformada, [](int c) { plotDeformada(c, escalaDef); });
    capaPorCombo(kFlagAxial, [](int c) { plotAxial(c, escalaN); });
    capaPorCombo(kFlagCortanteY, [](int c) { plotCortanteY(c, escalaVy); });
    capaPorCombo(kFlagMomentoY, [](int c) { plotMomentoY(c, escalaMy); });
    capaPorCombo(kFlagTorsion, [](int c) { plotTorsion(c, escalaT); });
    capaPorCombo(kFlagCargas, [](int c) { plotCarga(c, escalaCarga); });
    capaPorCombo(kFlagReacciones, [](int c) { plotReacciones(c); });
    capaPorCombo(kFlagCortanteZ, [](int c) { plotCortanteZ(c, escalaVz); });
    capaPorCombo(kFlagMomentoZ, [](int c) { plotMomentoZ(c, escalaMz); });

    glFlush();
    glutSwapBuffers();
}

void mouseButton(int button, int state, int x, int y) {
    const bool pulsado = state == GLUT_DOWN;
    const bool soltado = state == GLUT_UP;
    switch (button) {
    case GLUT_LEFT_BUTTON:
        if (pulsado) {
            clickIzq = 1;
            xClickIzq = 0;
            yClickIzq = 0;
            xLast = x;
            yLast = y;
        } else if (soltado) {
            clickIzq = -1;
            xClickIzq = x;
            yClickIzq = y;
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
    }
    distCamObj = distancia(ojoActual(), objetivoActual());
}

void zoomIn() { zoom(kFactorAcercar); }
void zoomOut() { zoom(kFactorAlejar); }
