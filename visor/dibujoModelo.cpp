// Dibujo de la estructura: ejes globales, nudos, barras, articulaciones,
// números de nudos y barras, secciones y barras sólidas.
#include <GL/freeglut.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cstddef>
#include <string>

#include "globales.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/primitivas.h"
#include "visor/trazosEscena.h"
#include "visor/visibilidad.h"

namespace {

void vertice(double x, double y, double z) {
    glVertex3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

// Punto i del contorno de la sección a la abscisa x del marco de la barra:
// fila 1 es la y local (alto), fila 0 la z local (ancho).
void verticeContorno(const Eigen::MatrixXd& contorno, Eigen::Index i, double x) {
    vertice(x, contorno(1, i), contorno(0, i));
}

// Tramos sueltos entre puntos consecutivos del contorno (no se cierra: un
// contorno cerrado ya repite su primer punto al final).
void tramosContorno(const Eigen::MatrixXd& contorno, double x) {
    if (contorno.rows() < 2) return;
    glBegin(GL_LINES);
    for (Eigen::Index i = 0; i + 1 < contorno.cols(); ++i) {
        verticeContorno(contorno, i, x);
        verticeContorno(contorno, i + 1, x);
    }
    glEnd();
}

// Círculo de articulación a la abscisa x; en el plano local X-Z si planoXZ.
void circuloArticulacion(double radio, double x, bool planoXZ) {
    glPushMatrix();
    glTranslatef(static_cast<float>(x), 0.0f, 0.0f);
    if (planoXZ) glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    plotArcoXY(radio, 0.0, 360.0);
    glPopMatrix();
}

void colorCara(int codigoSeccion) {
    switch (codigoSeccion) {
    case 0: glColor3f(0.3f, 0.0f, 0.0f); break;   // genérica
    case 1: glColor3f(0.8f, 0.8f, 0.2f); break;   // rectangular
    case 2: glColor3f(0.2f, 0.8f, 0.2f); break;   // costanera
    case 3: glColor3f(0.8f, 0.2f, 0.8f); break;   // W
    default: glColor3f(0.2f, 0.6f, 0.8f); break;  // placa y otras: color propio
    }
}

}  // namespace

void plotEjes() {
    const double a = diagonal / 15.0;
    glLineWidth(1.0f);
    glPushMatrix();
    glTranslatef(static_cast<float>(-a / 2.0), static_cast<float>(-a / 2.0), 0.0f);

    glColor3f(1.0f, 0.0f, 0.0f);
    drawFlecha(0, 0, 0, a, 0, 0, 0.1 * a);
    drawTextoEscaladoFacing(1.1 * a, 0, 0, "X", a / 5.0, 2);

    glColor3f(0.0f, 1.0f, 0.0f);
    drawFlecha(0, 0, 0, 0, a, 0, 0.1 * a);
    drawTextoEscaladoFacing(0, 1.1 * a, 0, "Y", a / 5.0, 2);

    glColor3f(0.0f, 0.0f, 1.0f);
    drawFlecha(0, 0, 0, 0, 0, a, 0.1 * a);
    drawTextoEscaladoFacing(0, 0, 1.1 * a, "Z", a / 5.0, 2);

    glPopMatrix();
}

void plotNudos() {
    if (!flagActivo(kFlagEsferasNudos)) return;
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        glPushMatrix();
        glTranslatef(static_cast<float>(nd.getX()), static_cast<float>(nd.getY()), static_cast<float>(nd.getZ()));
        glLineWidth(1.0f);
        glColor3f(0.7f, 0.0f, 0.0f);
        glutSolidSphere(diagonal / 300.0, 12, 12);
        glPopMatrix();
    }
}

void plotBarras() {
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        glLineWidth(3.0f);
        if (b.getBoolSeccion())
            glColor3f(0.5f, 0.5f, 0.5f);
        else
            glColor3f(0.9f, 0.1f, 0.1f);  // sin sección
        glBegin(GL_LINES);
        vertice(b.getXi(), b.getYi(), b.getZi());
        vertice(b.getXf(), b.getYf(), b.getZf());
        glEnd();
    }
}

void plotArticulaciones() {
    const double r = diagonal / 300.0;
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const double largo = b.getLongitud();
        glLineWidth(1.0f);
        trazos::entrarMarcoBarra(b, trazos::inicioBarra(b));
        // Todo factor que no sea 1 (también una fijación parcial) es liberación.
        glColor3f(0.1f, 0.7f, 0.1f);
        if (static_cast<int>(b.getArtIniY()) != 1) circuloArticulacion(r, 0.05 * largo, false);
        if (static_cast<int>(b.getArtFinY()) != 1) circuloArticulacion(r, 0.95 * largo, false);
        glColor3f(0.1f, 0.7f, 0.7f);
        if (static_cast<int>(b.getArtIniZ()) != 1) circuloArticulacion(r, 0.05 * largo, true);
        if (static_cast<int>(b.getArtFinZ()) != 1) circuloArticulacion(r, 0.95 * largo, true);
        trazos::salirMarcoBarra();
    }
}

void plotTagNudos(double altura) {
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        glColor3f(0.9f, 0.2f, 0.2f);
        glLineWidth(1.0f);
        // El corrimiento sigue al zoom: el número queda a la misma distancia
        // del nudo en pantalla.
        const double d = distCamObj / 200.0;
        drawNumFloatFacing(nd.getX() + d, nd.getY() + d, nd.getZ() + d, nd.getNoNudoUsuario(), 0, altura, 1);
    }
}

void plotTagBarras(double altura) {
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        glLineWidth(1.0f);
        glColor3f(0.8f, 0.8f, 0.8f);
        const double d = distCamObj / 200.0;
        drawNumFloatFacing((b.getXi() + b.getXf()) / 2.0 + d, (b.getYi() + b.getYf()) / 2.0 + d,
                           (b.getZi() + b.getZf()) / 2.0 + d, b.getNoBarraUsuario(), 0, altura, 2);
    }
}

void plotSecciones(double altura) {
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        // Una barra sin sección no tiene nombre ni contorno que mostrar.
        if (!b.getBoolSeccion()) continue;
        const double d = distCamObj / 200.0;
        glLineWidth(1.0f);
        glColor3f(0.8f, 0.8f, 0.8f);
        const std::string nombre = b.getNombreDeSeccion();
        drawTextoEscaladoFacing((b.getXi() + b.getXf()) / 2.0 + d, (b.getYi() + b.getYf()) / 2.0 + d,
                                (b.getZi() + b.getZf()) / 2.0 + d, nombre.c_str(), altura, 2);

        trazos::entrarMarcoBarra(b, trazos::inicioBarra(b));
        glTranslatef(static_cast<float>(b.getLongitud() / 4.0), 0.0f, 0.0f);
        glLineWidth(1.0f);
        glColor3f(0.3f, 0.3f, 0.3f);
        tramosContorno(b.getPerimetroSeccion(), 0.0);
        trazos::salirMarcoBarra();
    }
}

void plotVolumen() {
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const Eigen::MatrixXd contorno = b.getPerimetroSeccion();
        if (contorno.rows() < 2) continue;
        const double largo = b.getLongitud();
        trazos::entrarMarcoBarra(b, trazos::inicioBarra(b));
        // Caras laterales: una por tramo del contorno, rellenas y con bordes blancos.
        for (Eigen::Index k = 0; k + 1 < contorno.cols(); ++k) {
            colorCara(b.getCodigoSeccion());
            glBegin(GL_QUADS);
            verticeContorno(contorno, k, 0.0);
            verticeContorno(contorno, k + 1, 0.0);
            verticeContorno(contorno, k + 1, largo);
            verticeContorno(contorno, k, largo);
            glEnd();
            glColor3f(1.0f, 1.0f, 1.0f);
            glLineWidth(1.0f);
            glBegin(GL_LINE_LOOP);
            verticeContorno(contorno, k, 0.0);
            verticeContorno(contorno, k + 1, 0.0);
            verticeContorno(contorno, k + 1, largo);
            verticeContorno(contorno, k, largo);
            glEnd();
        }
        // Los extremos sólo se contornean.
        glColor3f(1.0f, 1.0f, 1.0f);
        glLineWidth(2.0f);
        tramosContorno(contorno, 0.0);
        tramosContorno(contorno, largo);
        trazos::salirMarcoBarra();
    }
}
