#include "visor/plataforma/escenaGL.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "constantes.h"
#include "visor/capas/escena.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaPandeo.h"
#include "visor/escena/rotulos.h"
#include "visor/interaccion/panel.h"
#include "visor/plataforma/fuenteTrazos.h"

namespace {

// Lista de OpenGL con los grupos de cada capa, por su número de preparación (0
// hasta compilarla): vale mientras la capa no se vuelva a preparar.
std::map<unsigned long, unsigned> listasDeCapas;

VistaRotulos vistaDelCuadro() {
    GLdouble modelo[16], proyeccion[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelo);
    glGetDoublev(GL_PROJECTION_MATRIX, proyeccion);
    VistaRotulos v;
    v.proyeccionModelo = Eigen::Map<Eigen::Matrix4d>(proyeccion) * Eigen::Map<Eigen::Matrix4d>(modelo);
    v.ancho = wVentana;
    v.alto = hVentana;
    baseDeFrente({xCam, yCam, zCam}, {xCentroObj, yCentroObj, zCentroObj}, azimutCamara, v.derecha, v.arriba);
    return v;
}

// Radio en píxeles de una esfera de radio r en el centro de la vista.
double radioEnPantalla(const VistaRotulos& v, double r) {
    const Eigen::Vector3d objetivo(xCentroObj, yCentroObj, zCentroObj);
    Eigen::Vector2d a, b;
    if (!aPantalla(v, objetivo, a) || !aPantalla(v, objetivo + r * v.arriba, b)) return 0.0;
    return (b - a).norm();
}

// Cada esfera se ve como un círculo de su radio: se dibuja de frente a la
// cámara, adelantado un radio hacia ella para tapar lo que la esfera tapa. En
// un modelo grande, donde el círculo mide pocos píxeles, basta un punto de
// ese tamaño.
void dibujarEsferas(const std::vector<EsferaLote>& esferas, const VistaRotulos& v) {
    if (esferas.empty()) return;
    const double radioPixeles = radioEnPantalla(v, esferas.front().radio);
    const bool puntos = radioPixeles < 3.0;
    const int lados = radioPixeles < 8.0 ? 8 : 16;
    const Eigen::Vector3d hacia = v.derecha.cross(v.arriba);
    std::vector<Eigen::Vector3d> borde;
    for (int k = 0; k < lados; ++k) {
        const double a = 2.0 * PI * k / lados;
        borde.push_back(std::cos(a) * v.derecha + std::sin(a) * v.arriba);
    }
    std::vector<float> vertices;
    const auto agregar = [&vertices](const Eigen::Vector3d& p) {
        vertices.push_back(static_cast<float>(p.x()));
        vertices.push_back(static_cast<float>(p.y()));
        vertices.push_back(static_cast<float>(p.z()));
    };
    if (puntos) glPointSize(static_cast<float>(std::max(1.0, std::round(2.0 * radioPixeles))));
    glEnableClientState(GL_VERTEX_ARRAY);
    std::size_t inicio = 0;
    while (inicio < esferas.size()) {
        // Las esferas seguidas del mismo color van en una sola llamada.
        std::size_t fin = inicio;
        vertices.clear();
        while (fin < esferas.size() && esferas[fin].color == esferas[inicio].color) {
            const EsferaLote& e = esferas[fin];
            const Eigen::Vector3d centro = e.centro + e.radio * hacia;
            if (puntos) {
                agregar(centro);
            } else {
                for (int k = 0; k < lados; ++k) {
                    agregar(centro);
                    agregar(centro + e.radio * borde[static_cast<std::size_t>(k)]);
                    agregar(centro + e.radio * borde[static_cast<std::size_t>((k + 1) % lados)]);
                }
            }
            ++fin;
        }
        const auto& c = esferas[inicio].color;
        glColor3f(c[0], c[1], c[2]);
        glVertexPointer(3, GL_FLOAT, 0, vertices.data());
        glDrawArrays(puntos ? GL_POINTS : GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size() / 3));
        inicio = fin;
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    if (puntos) glPointSize(1.0f);
}

void dibujarGrupos(const LoteDibujo& lote) {
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const GrupoLote& g : lote.grupos()) {
        if (g.vertices.empty()) continue;
        const bool velado = g.primitiva == Primitiva::CuadrilaterosVelados;
        if (velado) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDepthMask(GL_FALSE);
        }
        glColor4f(g.color[0], g.color[1], g.color[2], velado ? 0.25f : 1.0f);
        glLineWidth(g.ancho);
        glVertexPointer(3, GL_FLOAT, 0, g.vertices.data());
        glDrawArrays(g.primitiva == Primitiva::Lineas ? GL_LINES : GL_QUADS, 0,
                     static_cast<GLsizei>(g.cantidadVertices()));
        if (velado) {
            glDepthMask(GL_TRUE);
            glDisable(GL_BLEND);
        }
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

void dibujarLote(const LoteDibujo& lote, const VistaRotulos& vista, unsigned* lista, OcupacionRotulos* ocupacion) {
    // Los grupos no dependen de la cámara: se compilan en una lista la primera
    // vez y después sólo se repiten, sin volver a entregar los vértices.
    if (lista == nullptr || lote.grupos().empty()) {
        dibujarGrupos(lote);
    } else {
        if (*lista == 0 && (*lista = glGenLists(1)) != 0) {
            glNewList(*lista, GL_COMPILE);
            dibujarGrupos(lote);
            glEndList();
        }
        if (*lista != 0)
            glCallList(*lista);
        else
            dibujarGrupos(lote);
    }
    dibujarEsferas(lote.esferas(), vista);
    if (lote.rotulos().empty() || vista.ancho <= 0 || vista.alto <= 0) return;
    TrazosRotulos trazos;
    agregarTrazos(ocupacion != nullptr ? colocarRotulos(lote.rotulos(), vista, *ocupacion)
                                       : colocarRotulos(lote.rotulos(), vista),
                  vista.derecha, vista.arriba, trazos);
    dibujarTrazos(trazos);
}

namespace {

// La escena (y sus rótulos) se recorta a lo que dejan libre los paneles: nada
// de ella se dibuja sobre los botones, las combinaciones ni la línea de órdenes.
void recortarALoLibre() {
    if (wVentana <= 0 || hVentana <= 0) return;
    const int renglones = 1 + static_cast<int>(std::count(dialogo.begin(), dialogo.end(), '\n'));
    const RectanguloPixeles a = areaLibre(wVentana, hVentana, renglones);
    // glScissor cuenta las filas desde abajo.
    const int x0 = static_cast<int>(std::floor(a.x0)), x1 = static_cast<int>(std::ceil(a.x1));
    const int y0 = static_cast<int>(std::floor(a.y0)), y1 = static_cast<int>(std::ceil(a.y1));
    glScissor(x0, hVentana - y1, std::max(0, x1 - x0), std::max(0, y1 - y0));
    glEnable(GL_SCISSOR_TEST);
}

}  // namespace

void dibujarEscena() {
    const std::vector<CapaPreparada> capas = prepararEscena();
    recortarALoLibre();
    const VistaRotulos vista = vistaDelCuadro();
    // Las listas de las capas que se volvieron a preparar o que ya no se piden
    // se borran antes de compilar las nuevas.
    std::set<unsigned long> vigentes;
    for (const CapaPreparada& c : capas) vigentes.insert(c.preparacion);
    for (auto it = listasDeCapas.begin(); it != listasDeCapas.end();) {
        if (vigentes.count(it->first) != 0) {
            ++it;
            continue;
        }
        if (it->second != 0) glDeleteLists(it->second, 1);
        it = listasDeCapas.erase(it);
    }
    // Los rótulos de todas las capas comparten la pantalla: ninguno pisa a
    // los que otra capa ya escribió en este cuadro.
    OcupacionRotulos ocupacion(vista.ancho, vista.alto);
    for (const CapaPreparada& c : capas) {
        if (c.encima) glDisable(GL_DEPTH_TEST);
        dibujarLote(*c.lote, vista, &listasDeCapas[c.preparacion], &ocupacion);
        if (c.encima) glEnable(GL_DEPTH_TEST);
    }
    if (modoAnimado() > 0 || pandeoMostrado() > 0) dibujarLote(formaModalEscena(faseModo()), vista, nullptr, &ocupacion);
    glDisable(GL_SCISSOR_TEST);
}
