#include "visor/interaccion/vistaCamara.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "globales.h"
#include "visor/capas/escena.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaPandeo.h"
#include "visor/escena/lote.h"
#include "visor/escena/rotulos.h"
#include "visor/escena/ventanaSistema.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/interruptores.h"
#include "visor/interaccion/panel.h"

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

// Los vértices y los centros de las esferas de un lote y, de cada rótulo, las
// esquinas de la caja que ocupa escrito con la base de la vista.
void agregarPuntos(const LoteDibujo& lote, const VistaRotulos& vista, std::vector<Punto3>& puntos) {
    for (const GrupoLote& g : lote.grupos())
        for (std::size_t i = 0; i + 2 < g.vertices.size(); i += 3)
            puntos.push_back({g.vertices[i], g.vertices[i + 1], g.vertices[i + 2]});
    for (const EsferaLote& e : lote.esferas()) puntos.push_back({e.centro.x(), e.centro.y(), e.centro.z()});
    for (const Rotulo3D& r : lote.rotulos()) {
        if (r.texto.empty() || !(r.altura > 0.0)) continue;
        for (const Eigen::Vector3d& p : esquinasRotulo(r, vista)) puntos.push_back({p.x(), p.y(), p.z()});
    }
}

// Lo que se encuadra mirando desde la dirección dada: los nudos y todo lo que
// dibujan las capas a la vista salvo los ejes globales (la deformada y los diagramas a su escala, las
// flechas de cargas y reacciones, los símbolos de apoyo, los rótulos con su
// largo) tal como los dejó el último cuadro: sólo se preparan las capas que
// cambiaron desde entonces. Con un modo animado, su forma en los dos extremos
// de la oscilación; con una forma de pandeo, esa forma.
std::vector<Punto3> puntosAEncuadrar(const Punto3& direccion) {
    std::vector<Punto3> puntos = puntosNudos();
    VistaRotulos vista;
    baseDeFrente(direccion, {0, 0, 0}, azimutCamara, vista.derecha, vista.arriba);
    for (const CapaPreparada& c : prepararEscena())
        if (!c.referencia) agregarPuntos(*c.lote, vista, puntos);
    if (modoAnimado() > 0 || pandeoMostrado() > 0)
        for (double fase : {1.0, -1.0}) agregarPuntos(formaModalEscena(fase), vista, puntos);
    return puntos;
}

// Donde se encuadra en la ventana actual, normalizado: lo que dejan libre los
// paneles, por debajo de la leyenda (la del último prepararEscena).
AreaNormalizada areaDeEncuadreActual(int ancho, int alto) {
    const int renglones = 1 + static_cast<int>(std::count(dialogo.begin(), dialogo.end(), '\n'));
    const int lineas = static_cast<int>(leyendaEscena().size());
    const RectanguloPixeles a = areaDeEncuadre(ancho, alto, renglones, lineas);
    return areaNormalizada(a.x0, a.y0, a.x1, a.y1, ancho, alto);
}

// Cámara que encuadra, desde la dirección dada, lo que se dibuja (los puntos
// se juntan antes de medir el área: preparan la leyenda).
VistaEncuadrada encuadreDesde(const Punto3& direccion, int ancho, int alto) {
    const std::vector<Punto3> puntos = puntosAEncuadrar(direccion);
    return encuadrarVista(puntos, direccion, ancho, alto, flagActivo(kFlagPerspectiva),
                          areaDeEncuadreActual(ancho, alto));
}

// Lleva la cámara del visor a la vista encuadrada.
void ponerVista(const VistaEncuadrada& v) {
    xCentroObj = v.objetivo.x;
    yCentroObj = v.objetivo.y;
    zCentroObj = v.objetivo.z;
    ponerOjo(v.ojo);
    distCamObj = distancia(v.ojo, v.objetivo);
    azimutCamara = angulosCamara(v.ojo, v.objetivo, azimutCamara).azimut;
}

// Dirección (del objetivo hacia la cámara) en que se mira ahora; con la
// cámara sobre el objetivo no hay dirección: la de arranque.
Punto3 direccionActual() {
    const Punto3 ojo = ojoActual(), objetivo = objetivoActual();
    Punto3 direccion{ojo.x - objetivo.x, ojo.y - objetivo.y, ojo.z - objetivo.z};
    if (distancia(direccion, {0, 0, 0}) == 0.0) direccion = {-1, -1, 0.5};
    return direccion;
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
    encuadreDeArranque(ventanaSistema::anchoVentana(), ventanaSistema::altoVentana());
}

void encuadreDeArranque(int ancho, int alto) {
    // Desde el lado -X, -Y, por encima, como la cámara de encuadrar.
    const Encuadre e = encuadrar(puntosNudos());
    const Punto3 direccion{e.ojo.x - e.objetivo.x, e.ojo.y - e.objetivo.y, e.ojo.z - e.objetivo.z};
    if (cantidadNudos() == 0 || distancia(direccion, {0, 0, 0}) == 0.0) return;
    ponerVista(encuadreDesde(direccion, ancho, alto));
}

void vistaEncuadrada(const Punto3& direccion) {
    const int ancho = ventanaSistema::anchoVentana(), alto = ventanaSistema::altoVentana();
    ponerVista(encuadreDesde(direccion, ancho, alto));
    rehacerProyeccion();
    ventanaSistema::pedirRedibujo();
}

void vistaEncuadradaActual() { vistaEncuadrada(direccionActual()); }

void vistaDeFrente(const Punto3& direccion) {
    if (flagActivo(kFlagPerspectiva)) modificadorFlagsGraf(kFlagPerspectiva);
    vistaEncuadrada(direccion);
}

void mantenerModoALaVista() {
    if (modoAnimado() == 0) return;
    const int ancho = ventanaSistema::anchoVentana(), alto = ventanaSistema::altoVentana();
    if (ancho <= 0 || alto <= 0) return;
    const std::vector<Punto3> puntos = puntosAEncuadrar(direccionActual());
    if (todosEnArea(puntos, ojoActual(), objetivoActual(), azimutCamara, ancho, alto, flagActivo(kFlagPerspectiva),
                    areaDeEncuadreActual(ancho, alto)))
        return;
    vistaEncuadradaActual();
}

void zoomIn() { zoom(kFactorAcercar); }
void zoomOut() { zoom(kFactorAlejar); }
