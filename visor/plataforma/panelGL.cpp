#include "visor/plataforma/panelGL.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "visor/capas/escena.h"
#include "visor/escena/estadoVisor.h"
#include "visor/interaccion/panel.h"
#include "visor/interaccion/textosAyuda.h"

namespace {

// Texto en mapa de bits Helvetica 12 desde (x, y); cada salto de línea baja un renglón.
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

// Ancho en píxeles del renglón más largo del texto en esa fuente.
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

// Cómo se ve un botón: qué tan delante del texto va su rectángulo, el color
// de su etiqueta encendido y apagado y cuánto sube la etiqueta desde su borde inferior.
struct EstiloBoton {
    double profundidad;
    std::array<double, 3> encendido, apagado;
    double subidaEtiqueta;
};
// Apagado, la etiqueta es gris claro sobre el fondo casi negro (contraste 7:1;
// el verde oscuro de antes no llegaba a 2:1 y no se leía); encendido, verde
// sobre oliva (contraste 6.5:1 a 7.3:1).
constexpr EstiloBoton kEstiloInterruptor{-0.001, {0.7, 1, 0}, {0.65, 0.65, 0.65}, 3};
constexpr EstiloBoton kEstiloCombinacion{-0.01, {0, 1, 0}, {0.65, 0.65, 0.65}, 1};

void dibujarBoton(const BotonPanel& b, bool encendido, const EstiloBoton& estilo) {
    fondoBoton(b.x, b.y, b.ancho, b.alto, estilo.profundidad, encendido);
    const std::array<double, 3>& color = encendido ? estilo.encendido : estilo.apagado;
    glColor3d(color[0], color[1], color[2]);
    etiquetaBoton(b.x + 5, b.y + b.alto - estilo.subidaEtiqueta, b.etiqueta);
    glRasterPos3d(0, 0, 0);
}

// Dibujan el botón y atienden el clic pendiente.
void botonFlag(const BotonPanel& b) {
    const int k = b.interruptor;
    if (k < 0 || k >= static_cast<int>(flags.size())) return;
    dibujarBoton(b, flags[static_cast<size_t>(k)] % 2 != 0, kEstiloInterruptor);
    clicEnBotonFlag(b.x, b.y, b.ancho, b.alto, k);
}

void botonCombo(const BotonPanel& b) {
    const int k = b.interruptor, i = k - kFlagPrimerCombo;
    if (i < 0 || k >= static_cast<int>(flags.size())) return;
    dibujarBoton(b, flags[static_cast<size_t>(k)] % 2 != 0, kEstiloCombinacion);
    clicEnBotonCombo(b.x, b.y, b.ancho, b.alto, i);
}

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

// Fondo oscuro que tapa el modelo, para la leyenda y las páginas de ayuda.
void fondoOpaco(const RectanguloPixeles& r) {
    glColor3d(0.06, 0.06, 0.08);
    glBegin(GL_QUADS);
    glVertex3d(r.x0, r.y0, 0);
    glVertex3d(r.x0, r.y1, 0);
    glVertex3d(r.x1, r.y1, 0);
    glVertex3d(r.x1, r.y0, 0);
    glEnd();
}

// Página de ayuda sobre el fondo oscuro.
void paginaDeAyuda(const std::string& t) {
    fondoOpaco({80, 20 - kRenglon - 4, 100 + anchoTextoBitmap(t), 20 + renglones(t) * kRenglon});
}

}  // namespace

void plotDialogo() {
    if (wVentana <= 0 || hVentana <= 0) return;  // aún no hubo remodelado
    const double w = wVentana;
    const double h = hVentana;
    entrarPixeles(w, h);

    // El indicador puede tener varios renglones: crece hacia arriba y lo
    // escrito queda siempre en el penúltimo renglón de la ventana.
    glColor3d(0, 1, 0);
    drawTextoBitmap(20, yIndicador(hVentana, renglones(dialogo)), dialogo + "\n/>" + comando);
    glColor3d(0, 1, 0);
    drawTextoBitmap(w - 200, h - 2 * kRenglon, textoPieAyuda);

    glColor3d(0, 1, 0);
    drawTextoBitmap(w - kAnchoColumnaCombos, kYTituloCombos, "COMBOS ACTIVADOS:");
    for (const BotonPanel& b : botonesCombos(combosDelPanel(), wVentana)) botonCombo(b);

    for (const BotonPanel& b : botonesPanel(flags, wVentana, hVentana)) botonFlag(b);
    glPopMatrix();
}

void plotSobreEscena() {
    if (wVentana <= 0 || hVentana <= 0) return;
    entrarPixeles(wVentana, hVentana);
    glDisable(GL_DEPTH_TEST);

    // Leyenda: una línea por capa de resultados y combinación, junto a los
    // botones, sobre una caja opaca: se lee aunque la escena pase por detrás.
    const std::vector<std::string>& lineas = leyendaEscena();
    const std::vector<std::array<float, 3>>& colores = coloresLeyendaEscena();
    double ancho = 0.0;
    for (const std::string& l : lineas) ancho = std::max(ancho, anchoTextoBitmap(l));
    if (!lineas.empty()) fondoOpaco(cajaLeyenda(static_cast<int>(lineas.size()), ancho));
    double y = kYLeyenda;
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        const std::array<float, 3> color = i < colores.size() ? colores[i] : kColorLeyenda;
        glColor3f(color[0], color[1], color[2]);
        drawTextoBitmap(kXLeyenda, y, lineas[i]);
        y += kRenglon;
    }

    std::string pagina;
    const int paginaArchivo = flags[kFlagPaginaAyuda];
    if (flagActivo(kFlagAyudaGeneral)) {
        pagina = textoAyudaGeneral();
        paginaDeAyuda(pagina);
        glColor3d(0.3, 1, 0);
    } else if (paginaArchivo >= 1 && paginaArchivo <= kPaginasAyudaArchivo) {
        pagina = textoAyudaArchivo(paginaArchivo);
        paginaDeAyuda(pagina);
        glColor3d(1, 1, 0);
    }
    if (!pagina.empty()) drawTextoBitmap(90, 20, pagina);

    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
