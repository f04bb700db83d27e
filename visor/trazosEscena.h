// Ayudas de OpenGL comunes a las capas de resultados, cargas y reacciones:
// color, segmentos, flechas, rótulos y el marco local de una barra. Todo se
// entrega a la biblioteca gráfica en precisión simple.
#pragma once

#include <GL/freeglut.h>

#include "modelo/objBarra3d.h"
#include "visor/geometriaDiagramas.h"
#include "visor/primitivas.h"

namespace trazos {

inline void color(const Color& c) {
    glColor3f(static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b));
}

inline void vertice(const Eigen::Vector3d& p) {
    glVertex3f(static_cast<float>(p.x()), static_cast<float>(p.y()), static_cast<float>(p.z()));
}

// Cada segmento va como su propia primitiva de dos vértices.
inline void segmento(const Eigen::Vector3d& a, const Eigen::Vector3d& b) {
    glBegin(GL_LINES);
    vertice(a);
    vertice(b);
    glEnd();
}

inline void flecha(const Flecha& f, double tamanoPunta) {
    drawFlecha(f.cola.x(), f.cola.y(), f.cola.z(), f.punta.x(), f.punta.y(), f.punta.z(), tamanoPunta);
}

// Texto plano o número plano (con texto vacío) en el punto del rótulo.
inline void rotulo(const Rotulo& r, int decimales, double altura) {
    const Eigen::Vector3d& p = r.posicion;
    if (r.texto.empty())
        drawNumFloat(p.x(), p.y(), p.z(), r.valor, decimales, altura, r.alineacion);
    else
        drawTextoEscalado(p.x(), p.y(), p.z(), r.texto.c_str(), altura, r.alineacion);
}

inline void trasladar(const Eigen::Vector3d& p) {
    glTranslatef(static_cast<float>(p.x()), static_cast<float>(p.y()), static_cast<float>(p.z()));
}

inline Eigen::Vector3d inicioBarra(const objBarra3d& b) { return {b.getXi(), b.getYi(), b.getZi()}; }

// Guarda la matriz y entra al marco local de la barra: origen en su nudo
// inicial (o en el punto dado, como el inicio desplazado de la deformada) y
// giros gamma (Z), beta (Y) y alfa (X) en ese orden de llamadas. La barra va de
// (0, 0, 0) a (largo, 0, 0); y, z son sus ejes locales, así un punto (y, z) de
// la sección queda en (x, y, z). Se sale con salirMarcoBarra.
inline void entrarMarcoBarra(const objBarra3d& b, const Eigen::Vector3d& origen) {
    glPushMatrix();
    trasladar(origen);
    glRotatef(static_cast<float>(b.getGammaDeg()), 0.0f, 0.0f, 1.0f);
    glRotatef(static_cast<float>(b.getBetaDeg()), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(b.getAlfaDeg()), 1.0f, 0.0f, 0.0f);
}
inline void salirMarcoBarra() { glPopMatrix(); }

}  // namespace trazos
