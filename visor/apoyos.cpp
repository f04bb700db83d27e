// Símbolos de apoyo de los nudos en la vista 3D.
#include "visor/apoyos.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>

#include "globales.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/primitivas.h"
#include "visor/visibilidad.h"

CasoApoyo casoApoyo(const Eigen::VectorXi& restricciones) {
    std::array<double, 6> f{};
    for (Eigen::Index i = 0; i < std::min<Eigen::Index>(6, restricciones.size()); ++i)
        f[static_cast<std::size_t>(i)] = restricciones(i);

    struct Fila {
        std::array<double, 6> patron;
        CasoApoyo caso;
    };
    static const Fila tabla[] = {
        {{1, 1, 1, 1, 1, 1}, CasoApoyo::Empotrado}, {{1, 1, 1, 0, 0, 0}, CasoApoyo::Articulado},
        {{0, 0, 1, 0, 0, 0}, CasoApoyo::Bola},      {{1, 0, 1, 0, 0, 0}, CasoApoyo::RodilloY},
        {{0, 1, 1, 0, 0, 0}, CasoApoyo::RodilloX},
    };
    for (const Fila& fila : tabla)
        if (fila.patron == f) return fila.caso;

    double suma = 0.0;
    for (double v : f) suma += v;
    return suma > 0.0 ? CasoApoyo::Otro : CasoApoyo::Ninguno;
}

namespace {

struct P {
    float x, y, z;
};

// Un grupo de tramos sueltos (pares de puntos) con el ancho de línea dado.
void tramos(float ancho, std::initializer_list<P> puntos) {
    glLineWidth(ancho);
    glBegin(GL_LINES);
    for (const P& p : puntos) glVertex3f(p.x, p.y, p.z);
    glEnd();
}

// Cruz de suelo a z = -1.3, en dos primitivas: a lo largo de X y a lo largo de Y.
void cruzDeSuelo() {
    tramos(3.0f, {{-1.0f, 0.0f, -1.3f}, {1.0f, 0.0f, -1.3f}});
    tramos(3.0f, {{0.0f, -1.0f, -1.3f}, {0.0f, 1.0f, -1.3f}});
}

constexpr float kRadioRueda = 0.65f;

// Rueda de radio 0.65 centrada en (0, 0, -0.65): en el plano XZ o, con un giro
// más, en el plano YZ.
void rueda(bool planoYZ) {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -kRadioRueda);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    if (planoYZ) glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    plotArcoXY(kRadioRueda, 0.0, 360.0);
    glPopMatrix();
}

void simbolo(CasoApoyo caso) {
    switch (caso) {
    case CasoApoyo::Empotrado:
        tramos(3.0f, {{-1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}});
        tramos(1.0f, {{-1.0f, 0.0f, -0.6f}, {-0.67f, 0.0f, 0.0f},
                      {-0.67f, 0.0f, -0.6f}, {-0.33f, 0.0f, 0.0f},
                      {-0.33f, 0.0f, -0.6f}, {0.0f, 0.0f, 0.0f},
                      {0.0f, 0.0f, -0.6f}, {0.33f, 0.0f, 0.0f},
                      {0.33f, 0.0f, -0.6f}, {0.67f, 0.0f, 0.0f}});
        break;
    case CasoApoyo::Articulado:
        cruzDeSuelo();
        tramos(1.0f, {{-0.75f, 0.0f, -1.3f}, {0.0f, 0.0f, 0.0f},
                      {0.75f, 0.0f, -1.3f}, {0.0f, 0.0f, 0.0f},
                      {0.0f, -0.75f, -1.3f}, {0.0f, 0.0f, 0.0f},
                      {0.0f, 0.75f, -1.3f}, {0.0f, 0.0f, 0.0f}});
        break;
    case CasoApoyo::Bola:
        cruzDeSuelo();
        glLineWidth(1.0f);
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, -kRadioRueda);
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        plotArcoXY(kRadioRueda, 0.0, 360.0);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        plotArcoXY(kRadioRueda, 0.0, 360.0);
        glPopMatrix();
        break;
    case CasoApoyo::RodilloY:
        cruzDeSuelo();
        glLineWidth(1.0f);
        rueda(true);
        tramos(1.0f, {{-0.75f, 0.0f, -1.3f}, {0.0f, 0.0f, 0.0f}, {0.75f, 0.0f, -1.3f}, {0.0f, 0.0f, 0.0f}});
        break;
    case CasoApoyo::RodilloX:
        cruzDeSuelo();
        glLineWidth(1.0f);
        rueda(false);
        tramos(1.0f, {{0.0f, -0.75f, -1.3f}, {0.0f, 0.0f, 0.0f}, {0.0f, 0.75f, -1.3f}, {0.0f, 0.0f, 0.0f}});
        break;
    case CasoApoyo::Otro:
        tramos(2.0f, {{-1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f},
                      {0.0f, -1.0f, 0.0f}, {0.0f, 1.0f, 0.0f},
                      {0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 1.0f}});
        break;
    case CasoApoyo::Ninguno:
        break;
    }
}

}  // namespace

void plotApoyos(double escala) {
    // Sin escala propia del archivo, el símbolo mide la quincuagésima parte de
    // la diagonal del modelo.
    const double e = escala == 0.0 ? diagonal / 50.0 : escala;
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        const CasoApoyo caso = casoApoyo(nd.getVectorApoyo());
        if (caso == CasoApoyo::Ninguno) continue;
        glPushMatrix();
        glTranslatef(static_cast<float>(nd.getX()), static_cast<float>(nd.getY()), static_cast<float>(nd.getZ()));
        glScalef(static_cast<float>(e), static_cast<float>(e), static_cast<float>(e));
        glColor3f(0.8f, 0.8f, 0.3f);
        simbolo(caso);
        glPopMatrix();
    }
}
