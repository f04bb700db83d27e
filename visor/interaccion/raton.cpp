#include "visor/interaccion/raton.h"

#include "visor/escena/camara.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/ventanaSistema.h"
#include "visor/interaccion/vistaCamara.h"

namespace {

// Órbita con el botón izquierdo mientras se mantiene Shift (ratones y paneles
// táctiles sin botón central).
bool orbitaConIzquierdo = false;

}  // namespace

void mouseButton(BotonRaton boton, bool pulsado, int x, int y) {
    const bool soltado = !pulsado;
    switch (boton) {
    case BotonRaton::Izquierdo:
        if (pulsado && ventanaSistema::modificadores() == kModificadorShift) {
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
    case BotonRaton::Central:
        if (pulsado) {
            clickCentro = 1;
            xLast = x;
            yLast = y;
        } else if (soltado) {
            clickCentro = -1;
        }
        break;
    case BotonRaton::RuedaArriba:  // actúa al soltar
        if (soltado) zoomIn();
        break;
    case BotonRaton::RuedaAbajo:
        if (soltado) zoomOut();
        break;
    case BotonRaton::Otro:
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
