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

// Guarda la matriz y entra al marco local de la barra con origen dado: x a lo
// largo de la barra, y y z sus ejes locales. Se sale con glPopMatrix.
inline void entrarMarcoBarra(const objBarra3d& b, const Eigen::Vector3d& origen) {
    glPushMatrix();
    trasladar(origen);
    glRotatef(static_cast<float>(b.getGammaDeg()), 0.0f, 0.0f, 1.0f);
    glRotatef(static_cast<float>(b.getBetaDeg()), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(b.getAlfaDeg()), 1.0f, 0.0f, 0.0f);
}

inline Eigen::Vector3d inicioBarra(const objBarra3d& b) { return {b.getXi(), b.getYi(), b.getZi()}; }

}  // namespace trazos
