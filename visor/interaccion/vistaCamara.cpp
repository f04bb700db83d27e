#include "visor/interaccion/vistaCamara.h"

#include <algorithm>
#include <cmath>
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

// Lo que se encuadra: puntos fijos (vértices y centros de esferas) y rótulos,
// cuya caja depende de la dirección y, si son obligatorios, del zoom.
struct LoDibujado {
    std::vector<Punto3> puntos;
    std::vector<Rotulo3D> rotulos;
};

void agregarLote(const LoteDibujo& lote, LoDibujado& d) {
    for (const GrupoLote& g : lote.grupos())
        for (std::size_t i = 0; i + 2 < g.vertices.size(); i += 3)
            d.puntos.push_back({g.vertices[i], g.vertices[i + 1], g.vertices[i + 2]});
    for (const EsferaLote& e : lote.esferas()) d.puntos.push_back({e.centro.x(), e.centro.y(), e.centro.z()});
    for (const Rotulo3D& r : lote.rotulos())
        if (!r.texto.empty() && r.altura > 0.0) d.rotulos.push_back(r);
}

// Los nudos y todo lo que dibujan las capas a la vista salvo los ejes
// globales (la deformada y los diagramas a su escala, las flechas de cargas y
// reacciones, los símbolos de apoyo, los rótulos) tal como los dejó el último
// cuadro: sólo se preparan las capas que cambiaron desde entonces. Con un modo
// animado, su forma en los dos extremos de la oscilación; con una forma de
// pandeo, esa forma.
LoDibujado loDibujado() {
    LoDibujado d;
    d.puntos = puntosNudos();
    for (const CapaPreparada& c : prepararEscena())
        if (!c.referencia) agregarLote(*c.lote, d);
    if (modoAnimado() > 0 || pandeoMostrado() > 0)
        for (double fase : {1.0, -1.0}) agregarLote(formaModalEscena(fase), d);
    return d;
}

// Los puntos de lo dibujado mirando desde la dirección dada con `pixeles`
// píxeles por unidad del modelo: de cada rótulo, las esquinas de su caja; un
// obligatorio que no se leería se escribe agrandado (rotulos.h) y se cuenta así.
std::vector<Punto3> puntosAEncuadrar(const LoDibujado& d, const Punto3& direccion, double pixeles) {
    std::vector<Punto3> puntos = d.puntos;
    VistaRotulos vista;
    baseDeFrente(direccion, {0, 0, 0}, azimutCamara, vista.derecha, vista.arriba);
    for (Rotulo3D r : d.rotulos) {
        if (r.siempre && pixeles > 0.0 && r.altura * pixeles < kPixelesLegible) r.altura = kPixelesLegible / pixeles;
        for (const Eigen::Vector3d& p : esquinasRotulo(r, vista)) puntos.push_back({p.x(), p.y(), p.z()});
    }
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

// Cámara que encuadra, desde la dirección dada, lo que se dibuja. El alto de
// los rótulos obligatorios agrandados depende de la distancia que resulte:
// se vuelve a encuadrar con el de la anterior hasta que cambia menos del 1 %
// (el margen del encuadre cubre el resto).
VistaEncuadrada encuadreDesde(const Punto3& direccion, int ancho, int alto) {
    LoDibujado d = loDibujado();  // antes del área: prepara la leyenda
    const AreaNormalizada area = areaDeEncuadreActual(ancho, alto);
    const bool perspectiva = flagActivo(kFlagPerspectiva);
    // Los puntos fijos, que pueden ser cientos de miles, se miden una vez.
    d.puntos = puntosDecisivos(d.puntos, direccion, ancho, alto, perspectiva, area);
    const bool agrandables = std::any_of(d.rotulos.begin(), d.rotulos.end(), [](const Rotulo3D& r) { return r.siempre; });
    VistaEncuadrada v = encuadrarVista(puntosAEncuadrar(d, direccion, 0.0), direccion, ancho, alto, perspectiva, area);
    for (int i = 0; agrandables && i < 5; ++i) {
        const double antes = distancia(v.ojo, v.objetivo);
        const double pixeles = pixelesPorUnidad(ancho, alto, perspectiva, antes);
        v = encuadrarVista(puntosAEncuadrar(d, direccion, pixeles), direccion, ancho, alto, perspectiva, area);
        if (std::fabs(distancia(v.ojo, v.objetivo) - antes) <= 0.01 * antes) break;
    }
    return v;
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
    const bool perspectiva = flagActivo(kFlagPerspectiva);
    const std::vector<Punto3> puntos =
        puntosAEncuadrar(loDibujado(), direccionActual(), pixelesPorUnidad(ancho, alto, perspectiva, distCamObj));
    if (todosEnArea(puntos, ojoActual(), objetivoActual(), azimutCamara, ancho, alto, perspectiva,
                    areaDeEncuadreActual(ancho, alto)))
        return;
    vistaEncuadradaActual();
}

void zoomIn() { zoom(kFactorAcercar); }
void zoomOut() { zoom(kFactorAlejar); }
