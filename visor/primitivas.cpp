#include "visor/primitivas.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstring>
#include <string>

#include "visor/camara.h"
#include "visor/estadoVisor.h"
#include "visor/formatoTexto.h"

namespace {

void trazarCaracteres(const char* texto) {
    for (const char* c = texto; *c != '\0'; ++c)
        glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, static_cast<unsigned char>(*c));
}

// Texto en el plano XY local, leído a lo largo de +X con la base en el punto.
void textoPlano(double x, double y, double z, const char* texto, double altura, int alineacion) {
    if (texto == nullptr) return;
    const float s = static_cast<float>(altura * kEscalaFuente);
    const std::size_t n = std::strlen(texto);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    glScalef(s, s, s);
    glPushMatrix();
    const double corrimiento = corrimientoAlineacion(n, alineacion);
    if (corrimiento != 0.0) glTranslatef(static_cast<float>(corrimiento), 0.0f, 0.0f);
    trazarCaracteres(texto);
    glPopMatrix();
    glPopMatrix();
}

// Texto girado para quedar de frente a la cámara: su plano es perpendicular a
// la línea del objetivo a la cámara y se lee horizontal, hacia la derecha de la
// pantalla. Todos los textos de un cuadro giran igual, estén donde estén.
void textoDeFrente(double x, double y, double z, const char* texto, double altura, int alineacion) {
    if (texto == nullptr) return;
    const AngulosFrente f =
        angulosDeFrente({xCam, yCam, zCam}, {xCentroObj, yCentroObj, zCentroObj}, azimutCamara);
    const float s = static_cast<float>(altura * kEscalaFuente);
    const std::size_t n = std::strlen(texto);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    glScalef(s, s, s);
    glPushMatrix();
    if (alineacion >= 1 && alineacion <= 3) {
        // El corrimiento va antes de los giros: se toma sobre el eje X del
        // modelo en el marco escalado, no sobre la línea ya girada.
        const double corrimiento = corrimientoAlineacion(n, alineacion);
        if (corrimiento != 0.0) glTranslatef(static_cast<float>(corrimiento), 0.0f, 0.0f);
        glRotatef(static_cast<float>(90.0 + f.azimutGrados), 0.0f, 0.0f, 1.0f);
        glRotatef(static_cast<float>(90.0 - f.elevacionGrados), 1.0f, 0.0f, 0.0f);
    }
    trazarCaracteres(texto);
    glPopMatrix();
    glPopMatrix();
}

}  // namespace

void drawTextoEscalado(double x, double y, double z, const char* texto, double altura, int alineacion) {
    textoPlano(x, y, z, texto, altura, alineacion);
}

void drawNumFloat(double x, double y, double z, double valor, int decimales, double altura, int alineacion) {
    textoPlano(x, y, z, formatearNumero(valor, decimales, false).c_str(), altura, alineacion);
}

void drawNumSci(double x, double y, double z, double valor, int decimales, double altura, int alineacion) {
    textoPlano(x, y, z, formatearNumero(valor, decimales, true).c_str(), altura, alineacion);
}

void drawTextoEscaladoFacing(double x, double y, double z, const char* texto, double altura, int alineacion) {
    textoDeFrente(x, y, z, texto, altura, alineacion);
}

void drawNumFloatFacing(double x, double y, double z, double valor, int decimales, double altura,
                        int alineacion) {
    textoDeFrente(x, y, z, formatearNumero(valor, decimales, false).c_str(), altura, alineacion);
}

void drawNumSciFacing(double x, double y, double z, double valor, int decimales, double altura,
                      int alineacion) {
    textoDeFrente(x, y, z, formatearNumero(valor, decimales, true).c_str(), altura, alineacion);
}

void drawFlecha(double x1, double y1, double z1, double x2, double y2, double z2, double tamano) {
    const AngulosFlecha a = angulosFlecha({x1, y1, z1}, {x2, y2, z2});
    if (!a.dibujar) return;  // sin largo no hay dirección

    glBegin(GL_LINES);
    glVertex3f(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(z1));
    glVertex3f(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(z2));
    glEnd();

    // Punta: el eje +X local apunta del punto 2 de vuelta hacia el punto 1.
    const float t = static_cast<float>(tamano);
    const float lado = static_cast<float>(tamano / 3.0);
    glPushMatrix();
    glTranslatef(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(z2));
    glRotatef(static_cast<float>(a.alfaGrados), 0.0f, 0.0f, 1.0f);
    glRotatef(static_cast<float>(a.betaGrados), 0.0f, 1.0f, 0.0f);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(t, lado, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(t, -lado, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(t, 0.0f, lado);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(t, 0.0f, -lado);
    glEnd();
    glPopMatrix();
}

void plotArcoXY(double radio, double anguloInicio, double anguloFin) {
    const double a1 = anguloInicio * PI / 180.0;
    const double a2 = anguloFin * PI / 180.0;
    const double paso = (a2 - a1) / 10.0;
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 10; ++i) {
        const double a = a1 + i * paso;
        glVertex3f(static_cast<float>(radio * std::cos(a)), static_cast<float>(radio * std::sin(a)), 0.0f);
    }
    glEnd();
}
