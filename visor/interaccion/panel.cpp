#include "visor/interaccion/panel.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstddef>

#include "globales.h"
#include "visor/capas/capas.h"
#include "visor/escena/escena.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/teclado.h"
#include "visor/interaccion/textosAyuda.h"
#include "visor/interaccion/ventanaSistema.h"

std::vector<BotonPanel> botonesPanel(const std::vector<int>& flags, int w, int h) {
    std::vector<BotonPanel> botones = {
        {w - 130.0, h - 80.0, 120, 15, "Calcular", kFlagCalculado},
        {10, 30, 70, 12, "tag Nudos", kFlagTagNudos},
        {10, 45, 70, 12, "tag Barras", kFlagTagBarras},
        {10, 60, 70, 12, "secciones", kFlagSecciones},
        {10, 75, 70, 12, "apoyos", kFlagApoyos},
        {10, 90, 70, 12, "volumen", kFlagVolumen},
        {10, 120, 70, 12, "carga", kFlagCargas},
    };
    // Los botones de resultados aparecen cuando el análisis ya corrió.
    if (flags.size() > kFlagCalculado && flags[kFlagCalculado] == 1) {
        const std::vector<BotonPanel> resultados = {
            {10, 135, 70, 12, "reaccion", kFlagReacciones}, {10, 150, 70, 12, "deflexion", kFlagDeformada},
            {10, 165, 70, 12, "N", kFlagAxial},             {10, 180, 70, 12, "Vy", kFlagCortanteY},
            {10, 195, 70, 12, "My", kFlagMomentoY},         {10, 210, 70, 12, "Vz", kFlagCortanteZ},
            {10, 225, 70, 12, "Mz", kFlagMomentoZ},         {10, 240, 70, 12, "T", kFlagTorsion},
        };
        botones.insert(botones.end(), resultados.begin(), resultados.end());
    }
    return botones;
}

std::vector<std::string> combosDelPanel() {
    std::vector<std::string> nombres;
    for (int c = 0; c < cantidadCombos(); ++c) nombres.push_back(nombreCombo(c));
    return nombres;
}

std::vector<BotonPanel> botonesCombos(const std::vector<std::string>& nombres, int w) {
    std::vector<BotonPanel> botones;
    for (size_t i = 0; i < nombres.size(); ++i) {
        const int c = static_cast<int>(i);
        botones.push_back({w - 130.0, 35 + (kRenglon + 3) * c, 130, kRenglon, nombres[i], kFlagPrimerCombo + c});
    }
    return botones;
}

bool clickDentro(double x, double y, double ancho, double alto, int xClick, int yClick) {
    return x < xClick && xClick < x + ancho && y < yClick && yClick < y + alto;
}

bool consumirClick(double x, double y, double ancho, double alto) {
    if (!clickDentro(x, y, ancho, alto, xClickIzq, yClickIzq)) return false;
    xClickIzq = 0;
    yClickIzq = 0;
    return true;
}

void drawTextoBitmap(double x, double y, const std::string& texto) {
    glRasterPos2d(x, y);
    for (size_t i = 0; i < texto.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(texto[i]);
        if (c == '\n') {
            y += kRenglon;
            glRasterPos2d(x, y);
            continue;
        }
        // La fuente de mapa de bits usa Latin-1: las letras acentuadas del
        // texto (UTF-8, dos bytes) se dibujan con su glifo Latin-1.
        if ((c == 0xC2 || c == 0xC3) && i + 1 < texto.size()) {
            const unsigned char sig = static_cast<unsigned char>(texto[i + 1]);
            glutBitmapCharacter(GLUT_BITMAP_HELVETICA_12, ((c & 0x1F) << 6) | (sig & 0x3F));
            ++i;
            continue;
        }
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_12, c);
    }
}

namespace {

// Rectángulo relleno del botón, apenas delante del plano del texto.
void fondoBoton(double x, double y, double ancho, double alto, double profundidad, bool encendido) {
    glRasterPos3d(0, 0, 0);
    if (encendido)
        glColor3d(0.3, 0.3, 0);
    else
        glColor3d(0.1, 0.1, 0);
    glBegin(GL_QUADS);
    glVertex3d(x, y + alto, profundidad);
    glVertex3d(x, y, profundidad);
    glVertex3d(x + ancho, y, profundidad);
    glVertex3d(x + ancho, y + alto, profundidad);
    glEnd();
}

// Etiqueta sin prueba de profundidad, para que el rectángulo no la tape.
void etiquetaBoton(double x, double y, const std::string& texto) {
    glDisable(GL_DEPTH_TEST);
    drawTextoBitmap(x, y, texto);
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

void botonFlag(double x, double y, double ancho, double alto, const std::string& etiqueta, int k) {
    if (k < 0 || k >= static_cast<int>(flags.size())) return;
    const bool encendido = flags[static_cast<size_t>(k)] % 2 != 0;
    fondoBoton(x, y, ancho, alto, -0.001, encendido);
    if (encendido)
        glColor3d(0.7, 1, 0);
    else
        glColor3d(0.2, 0.3, 0);
    etiquetaBoton(x + 5, y + alto - 3, etiqueta);
    if (consumirClick(x, y, ancho, alto)) {
        modificadorFlagsGraf(k);
        ventanaSistema::pedirRedibujo();  // el cuadro ya dibujado no muestra el cambio
    }
    glRasterPos3d(0, 0, 0);
}

void botonCombo(double x, double y, double ancho, double alto, const std::string& nombre, int i) {
    const int k = kFlagPrimerCombo + i;
    if (i < 0 || k >= static_cast<int>(flags.size())) return;
    const bool encendido = flags[static_cast<size_t>(k)] % 2 != 0;
    fondoBoton(x, y, ancho, alto, -0.01, encendido);
    if (encendido)
        glColor3d(0, 1, 0);
    else
        glColor3d(0, 0.3, 0);
    etiquetaBoton(x + 5, y + alto - 1, nombre);
    // Sin pasar por modificadorFlagsGraf: conmutar una combinación no apaga capas.
    if (consumirClick(x, y, ancho, alto)) {
        flags[static_cast<size_t>(k)] += 1;
        ventanaSistema::pedirRedibujo();
    }
    glRasterPos3d(0, 0, 0);
}

namespace {

// Lleva los píxeles de la ventana sobre la proyección actual: desde aquí un
// vértice (x, y, 0) cae en el píxel (x, y), contado desde arriba a la izquierda.
void entrarPixeles(double w, double h) {
    const double ratio = w / h;
    const double d = distCamObj;
    glPushMatrix();
    glLoadIdentity();
    if (flagActivo(kFlagPerspectiva)) {
        // A esa profundidad la perspectiva de 45 grados abarca de -1 a 1 en vertical.
        glTranslated(0, 0, -2.4142);
        glScaled(2 * ratio / w, -2 / h, 1);
    } else if (w <= h) {
        glScaled(d / w, -d / (ratio * h), 1);
    } else {
        glScaled(d * ratio / w, -d / h, 1);
    }
    glTranslated(-w / 2, -h / 2, 0);
}

int renglones(const std::string& texto) {
    int n = 1;
    for (char c : texto) n += c == '\n';
    return n;
}

// Página de ayuda sobre un fondo oscuro que tapa el modelo.
void paginaDeAyuda(const char* texto) {
    const std::string t = texto;
    const double ancho = anchoTextoBitmap(t);
    const double alto = renglones(t) * kRenglon;
    glColor3d(0.06, 0.06, 0.08);
    glBegin(GL_QUADS);
    glVertex3d(80, 20 - kRenglon - 4, 0);
    glVertex3d(80, 20 + alto, 0);
    glVertex3d(100 + ancho, 20 + alto, 0);
    glVertex3d(100 + ancho, 20 - kRenglon - 4, 0);
    glEnd();
}

}  // namespace

double anchoTextoBitmap(const std::string& texto) {
    double mayor = 0.0, actual = 0.0;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(texto[i]);
        if (c == '\n') {
            actual = 0.0;
            continue;
        }
        if ((c == 0xC2 || c == 0xC3) && i + 1 < texto.size())
            c = static_cast<unsigned char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(texto[++i]) & 0x3F));
        actual += glutBitmapWidth(GLUT_BITMAP_HELVETICA_12, c);
        mayor = std::max(mayor, actual);
    }
    return mayor;
}

void plotDialogo() {
    if (wVentana <= 0 || hVentana <= 0) return;  // aún no hubo remodelado
    const double w = wVentana;
    const double h = hVentana;
    entrarPixeles(w, h);

    // El indicador puede tener varios renglones: crece hacia arriba y lo
    // escrito queda siempre en el penúltimo renglón de la ventana.
    glColor3d(0, 1, 0);
    drawTextoBitmap(20, h - (2 + renglones(dialogo)) * kRenglon, dialogo + "\n/>" + comando);
    glColor3d(0, 1, 0);
    drawTextoBitmap(w - 200, h - 2 * kRenglon, textoDireccionesWeb);

    glColor3d(0, 1, 0);
    drawTextoBitmap(w - 150, 30, "COMBOS ACTIVADOS:");
    for (const BotonPanel& b : botonesCombos(combosDelPanel(), wVentana))
        botonCombo(b.x, b.y, b.ancho, b.alto, b.etiqueta, b.interruptor - kFlagPrimerCombo);

    for (const BotonPanel& b : botonesPanel(flags, wVentana, hVentana))
        botonFlag(b.x, b.y, b.ancho, b.alto, b.etiqueta, b.interruptor);
    glPopMatrix();
}

void plotSobreEscena() {
    if (wVentana <= 0 || hVentana <= 0) return;
    entrarPixeles(wVentana, hVentana);
    glDisable(GL_DEPTH_TEST);

    // Leyenda: una línea por capa de resultados y combinación, junto a los botones.
    glColor3d(0, 1, 0);
    double y = 30 + kRenglon;
    for (const std::string& linea : leyendaEscena()) {
        drawTextoBitmap(100, y, linea);
        y += kRenglon;
    }

    const char* pagina = nullptr;
    const int paginaArchivo = flags[kFlagPaginaAyuda];
    if (flagActivo(kFlagAyudaGeneral)) {
        pagina = textoAyudaGeneral;
        paginaDeAyuda(pagina);
        glColor3d(0.3, 1, 0);
    } else if (paginaArchivo >= 1 && paginaArchivo <= kPaginasAyudaArchivo) {
        pagina = textosAyudaArchivo[paginaArchivo - 1];
        paginaDeAyuda(pagina);
        glColor3d(1, 1, 0);
    }
    if (pagina != nullptr) drawTextoBitmap(90, 20, pagina);

    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
