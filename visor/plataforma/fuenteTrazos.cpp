#include "visor/plataforma/fuenteTrazos.h"

#include <GL/freeglut.h>

#include <string>

namespace {

// Segmentos (x0, y0, x1, y1) de un carácter en unidades de la fuente y lo que
// avanza la pluma tras él (0 si la fuente no tiene ese carácter).
struct Glifo {
    std::vector<float> segmentos;
    float avance = 0.0f;
};

struct Fuente {
    bool leida = false;
    bool valida = false;  // falso si la realimentación no devolvió trazos
    Glifo glifos[256];
};

// Lo que se sube el punto para escribir un punto medio, en unidades de la fuente.
constexpr double kAlturaPuntoMedio = 45.0;

// Semiancho del volumen en que se leen los trazos: los caracteres caben holgados.
constexpr int kMedio = 500;
constexpr GLsizei kTamanoBuffer = 1 << 15;

// Lee los segmentos de un carácter: se lo dibuja en modo de realimentación con
// una proyección que deja cada unidad de la fuente en un píxel.
void leerGlifo(int c, std::vector<GLfloat>& buffer, Glifo& g) {
    glLoadIdentity();
    glFeedbackBuffer(kTamanoBuffer, GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, c);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const GLint n = glRenderMode(GL_RENDER);
    g.avance = m[12];
    for (GLint i = 0; i < n;) {
        const GLint token = static_cast<GLint>(buffer[static_cast<std::size_t>(i++)]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            if (i + 4 > n) break;
            for (int k = 0; k < 4; ++k) g.segmentos.push_back(buffer[static_cast<std::size_t>(i + k)] - kMedio);
            i += 4;
        } else if (token == GL_POLYGON_TOKEN) {
            const GLint vertices = i < n ? static_cast<GLint>(buffer[static_cast<std::size_t>(i)]) : 0;
            i += 1 + 2 * vertices;
        } else if (token == GL_PASS_THROUGH_TOKEN || token == GL_POINT_TOKEN) {
            i += token == GL_POINT_TOKEN ? 2 : 1;
        } else {
            i += 2;  // mapas de bits y píxeles: un vértice
        }
    }
}

Fuente& fuente() {
    static Fuente f;
    if (f.leida) return f;
    f.leida = true;
    GLint vista[4];
    glGetIntegerv(GL_VIEWPORT, vista);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-kMedio, kMedio, -kMedio, kMedio, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glViewport(0, 0, 2 * kMedio, 2 * kMedio);
    std::vector<GLfloat> buffer(static_cast<std::size_t>(kTamanoBuffer));
    for (int c = 1; c < 256; ++c) leerGlifo(c, buffer, f.glifos[c]);
    glViewport(vista[0], vista[1], vista[2], vista[3]);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    f.valida = !f.glifos[static_cast<unsigned char>('8')].segmentos.empty();
    return f;
}

TrazosRotulos::Grupo& grupoDe(TrazosRotulos& t, const Rotulo3D& r) {
    for (TrazosRotulos::Grupo& g : t.grupos)
        if (g.color == r.color && g.ancho == r.ancho && g.encima == r.siempre) return g;
    t.grupos.push_back({r.color, r.ancho, r.siempre, {}});
    return t.grupos.back();
}

void agregarVertice(std::vector<float>& v, const Eigen::Vector3d& p) {
    v.push_back(static_cast<float>(p.x()));
    v.push_back(static_cast<float>(p.y()));
    v.push_back(static_cast<float>(p.z()));
}

// Sin los trazos leídos, cada rótulo se escribe carácter por carácter con
// freeglut en un marco con esa misma base.
void escribirDirecto(const RotuloColocado& c, const Eigen::Vector3d& derecha, const Eigen::Vector3d& arriba) {
    const Rotulo3D& r = *c.rotulo;
    const Eigen::Vector3d normal = derecha.cross(arriba);
    glColor3f(r.color[0], r.color[1], r.color[2]);
    glLineWidth(r.ancho);
    double renglon = 0.0;
    std::size_t inicio = 0;
    while (inicio <= r.texto.size()) {
        std::size_t fin = r.texto.find('\n', inicio);
        if (fin == std::string::npos) fin = r.texto.size();
        const Eigen::Vector3d o = c.origen - renglon * c.altura * arriba;
        const double m[16] = {derecha.x() * c.escala, derecha.y() * c.escala, derecha.z() * c.escala, 0,
                              arriba.x() * c.escala,  arriba.y() * c.escala,  arriba.z() * c.escala,  0,
                              normal.x() * c.escala,  normal.y() * c.escala,  normal.z() * c.escala,  0,
                              o.x(),                  o.y(),                  o.z(),                  1};
        glPushMatrix();
        glMultMatrixd(m);
        for (std::size_t i = inicio; i < fin; ++i)
            glutStrokeCharacter(GLUT_STROKE_MONO_ROMAN, static_cast<unsigned char>(r.texto[i]));
        glPopMatrix();
        renglon += 1.0;
        inicio = fin + 1;
    }
}

}  // namespace

void agregarTrazos(const std::vector<RotuloColocado>& colocados, const Eigen::Vector3d& derecha,
                   const Eigen::Vector3d& arriba, TrazosRotulos& trazos) {
    const Fuente& f = fuente();
    for (const RotuloColocado& c : colocados) {
        if (!f.valida) {
            escribirDirecto(c, derecha, arriba);
            continue;
        }
        const Rotulo3D& r = *c.rotulo;
        std::vector<float>& v = grupoDe(trazos, r).vertices;
        const Eigen::Vector3d paso = c.escala * derecha, alto = c.escala * arriba;
        Eigen::Vector3d base = c.origen;
        double pluma = 0.0;
        for (std::size_t i = 0; i < r.texto.size(); ++i) {
            const unsigned char ch = static_cast<unsigned char>(r.texto[i]);
            if (ch == '\n') {
                base -= c.altura * arriba;
                pluma = 0.0;
                continue;
            }
            // La fuente sólo tiene ASCII: de un carácter de dos bytes en UTF-8
            // se escribe el punto medio de las unidades ("kN·m") como un punto a
            // media altura; los demás dejan su lugar en blanco.
            if (ch >= 0xC0 && i + 1 < r.texto.size()) {
                const bool puntoMedio = ch == 0xC2 && static_cast<unsigned char>(r.texto[i + 1]) == 0xB7;
                ++i;
                if (!puntoMedio) {
                    pluma += f.glifos[static_cast<unsigned char>(' ')].avance;
                    continue;
                }
            }
            const bool elevado = ch >= 0xC0;
            const Glifo& g = f.glifos[elevado ? static_cast<unsigned char>('.') : ch];
            const Eigen::Vector3d o = base + pluma * paso + (elevado ? kAlturaPuntoMedio : 0.0) * alto;
            for (std::size_t k = 0; k + 3 < g.segmentos.size(); k += 4) {
                agregarVertice(v, o + g.segmentos[k] * paso + g.segmentos[k + 1] * alto);
                agregarVertice(v, o + g.segmentos[k + 2] * paso + g.segmentos[k + 3] * alto);
            }
            pluma += g.avance;
        }
    }
}

void dibujarTrazos(const TrazosRotulos& trazos) {
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const TrazosRotulos::Grupo& g : trazos.grupos) {
        if (g.vertices.empty()) continue;
        glColor3f(g.color[0], g.color[1], g.color[2]);
        glLineWidth(g.ancho);
        if (g.encima) glDisable(GL_DEPTH_TEST);
        glVertexPointer(3, GL_FLOAT, 0, g.vertices.data());
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(g.vertices.size() / 3));
        if (g.encima) glEnable(GL_DEPTH_TEST);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
}
