#include "visor/escena/vistaCamara.h"

#include <cstddef>
#include <vector>

#include "globales.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/ventanaSistema.h"

namespace {

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

Punto3 ojoActual() { return {xCam, yCam, zCam}; }
Punto3 objetivoActual() { return {xCentroObj, yCentroObj, zCentroObj}; }

void ponerOjo(const Punto3& p) {
    xCam = p.x;
    yCam = p.y;
    zCam = p.z;
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

void zoomIn() { zoom(kFactorAcercar); }
void zoomOut() { zoom(kFactorAlejar); }
