#include "reporte/informe/dibujoSvg.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <unordered_set>

#include "reporte/informe/documentoHtml.h"

namespace {
// Ancho del dibujo en el papel (píxeles CSS: unos 180 mm), alto máximo y
// margen para los textos de los bordes.
constexpr double kAncho = 680, kAltoMaximo = 400, kMargen = 26;

struct caja {
    double xMin = INFINITY, yMin = INFINITY, xMax = -INFINITY, yMax = -INFINITY;
    void agregar(const Eigen::Vector2d& p) {
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) return;
        xMin = std::min(xMin, p.x()), xMax = std::max(xMax, p.x());
        yMin = std::min(yMin, p.y()), yMax = std::max(yMax, p.y());
    }
    bool vacia() const { return !(xMin <= xMax); }
};

// Escala del papel para una caja: el ancho fijo o, si la vista es alta, el alto máximo.
double escalaPara(const caja& c) {
    if (c.vacia()) return 1;
    const double w = c.xMax - c.xMin, h = c.yMax - c.yMin;
    double s = INFINITY;
    if (w > 0) s = std::min(s, (kAncho - 2 * kMargen) / w);
    if (h > 0) s = std::min(s, (kAltoMaximo - 2 * kMargen) / h);
    return std::isfinite(s) ? s : 1;
}

// Caja de un texto en el papel: ancho por la cantidad de caracteres (UTF-8)
// con un ancho medio holgado de la letra de su clase, alto de la letra.
struct cajaTexto {
    double x0, y0, x1, y1;
    bool tocaA(const cajaTexto& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

double tamanoLetra(const std::string& clase) {
    return clase == "numeroNudo" || clase == "numeroBarra" ? 7.0 : clase == "extremo" ? 8.5 : 8.0;
}

cajaTexto cajaDe(const std::string& texto, const std::string& clase, double x, double y, const char* ancla) {
    const double letra = tamanoLetra(clase);
    std::size_t caracteres = 0;
    for (unsigned char c : texto) caracteres += (c & 0xC0) != 0x80;
    // Las cifras de DejaVu Sans miden 0.64 de la letra (0.70 en negrita), su
    // ascendente 0.93 y su descendente 0.24: la caja que da el navegador.
    const double w = static_cast<double>(caracteres) * letra * (clase == "extremo" ? 0.70 : 0.64);
    const std::string a(ancla);
    const double x0 = a == "end" ? x - w : a == "middle" ? x - w / 2 : x;
    return {x0, y - 0.93 * letra, x0 + w, y + 0.24 * letra};
}

void numero(std::string& s, double v) {
    char t[32];
    const int n = std::snprintf(t, sizeof t, "%.1f", v);
    // "-0.0" es 0.
    s.append(std::string_view(t, static_cast<std::size_t>(n)) == "-0.0" ? "0.0" : std::string_view(t, static_cast<std::size_t>(n)));
}
// Un número dado en décimas, con una decimal: lo mismo que "%.1f" de
// decimas / 10, sin pasar por printf (los trazos de un edificio son cientos
// de miles de números).
void numeroEnDecimas(std::string& s, long long decimas) {
    if (decimas < 0) {
        s += '-';
        decimas = -decimas;
    }
    char t[24];
    int n = 0;
    t[n++] = static_cast<char>('0' + decimas % 10);
    t[n++] = '.';
    long long entero = decimas / 10;
    do {
        t[n++] = static_cast<char>('0' + entero % 10);
        entero /= 10;
    } while (entero > 0);
    while (n > 0) s += t[--n];
}
}  // namespace

const char* nombreVista(vistaDibujo v) {
    switch (v) {
        case vistaDibujo::planta: return "planta (vista desde +Z)";
        case vistaDibujo::alzadoXZ: return "alzado XZ (vista desde −Y)";
        case vistaDibujo::alzadoYZ: return "alzado YZ (vista desde +X)";
        case vistaDibujo::isometrica: return "perspectiva isométrica";
    }
    return "";
}

Eigen::Vector2d proyectar(vistaDibujo v, const Eigen::Vector3d& p) {
    switch (v) {
        case vistaDibujo::planta: return {p.x(), p.y()};
        case vistaDibujo::alzadoXZ: return {p.x(), p.z()};
        case vistaDibujo::alzadoYZ: return {p.y(), p.z()};
        case vistaDibujo::isometrica:
            // Mirando desde (+1, −1, +1): X baja hacia la derecha, Y sube hacia la derecha, Z sube.
            return {(p.x() + p.y()) / std::sqrt(2.0), (-p.x() + p.y() + 2 * p.z()) / std::sqrt(6.0)};
    }
    return {p.x(), p.y()};
}

dibujoSvg::dibujoSvg(vistaDibujo v, const std::vector<Eigen::Vector3d>& encuadre) : vista_(v) {
    caja c;
    for (const Eigen::Vector3d& p : encuadre) c.agregar(proyectar(v, p));
    pixelesPorUnidad_ = escalaPara(c);
}

double dibujoSvg::largoEnPapel(const Eigen::Vector3d& a, const Eigen::Vector3d& b) const {
    return (proyectar(vista_, b) - proyectar(vista_, a)).norm() * pixelesPorUnidad_;
}

std::size_t dibujoSvg::indiceClase(const std::string& clase) {
    for (std::size_t i = 0; i < clases_.size(); ++i)
        if (clases_[i] == clase) return i;
    clases_.push_back(clase);
    return clases_.size() - 1;
}

void dibujoSvg::trazo(const std::string& clase, const std::vector<Eigen::Vector3d>& puntos, bool cerrado) {
    if (puntos.size() < 2) return;
    trazo2d t{indiceClase(clase), {}, cerrado};
    t.puntos.reserve(puntos.size());
    for (const Eigen::Vector3d& p : puntos) t.puntos.push_back(proyectar(vista_, p));
    trazos_.push_back(std::move(t));
}

void dibujoSvg::segmento(const std::string& clase, const Eigen::Vector3d& a, const Eigen::Vector3d& b) {
    trazo(clase, {a, b});
}

void dibujoSvg::simbolo(marca m, const Eigen::Vector3d& p) { marcas_.push_back({proyectar(vista_, p), m}); }

void dibujoSvg::texto(const Eigen::Vector3d& p, const std::string& t, const std::string& clase, const char* ancla) {
    textos_.push_back({proyectar(vista_, p), t, clase, ancla});
}

std::vector<dibujoSvg::textoColocado> dibujoSvg::colocarTextos(const std::vector<Eigen::Vector2d>& enPapel,
                                                                double ancho, double alto) const {
    std::vector<std::size_t> orden(textos_.size());
    for (std::size_t i = 0; i < orden.size(); ++i) orden[i] = i;
    std::stable_sort(orden.begin(), orden.end(), [&](std::size_t a, std::size_t b) {
        return (textos_[a].clase == "extremo") > (textos_[b].clase == "extremo");
    });
    // La esquina de los ejes globales (svg()) está ocupada.
    std::vector<cajaTexto> puestas{{0, alto - 48, 48, alto}};
    std::vector<textoColocado> colocados;
    for (std::size_t i : orden) {
        const texto2d& t = textos_[i];
        const double alto_ = 1.2 * tamanoLetra(t.clase);
        // Los números de nudo y de barra y los valores de las cargas pueden faltar si no caben.
        const bool principal = t.clase != "numeroNudo" && t.clase != "numeroBarra" && t.clase != "valorCarga";
        const int pasos = principal ? 8 : 2;
        const std::string ancla(t.ancla);
        const char* otra = ancla == "start" ? "end" : ancla == "end" ? "start" : "middle";
        bool puesto = false;
        for (int k = 0; k <= 2 * pasos && !puesto; ++k) {
            // 0, +1, −1, +2, −2, ... renglones; con cada corrimiento, del lado
            // pedido y del otro lado del punto.
            const double dy = (k % 2 ? 1 : -1) * ((k + 1) / 2) * alto_;
            for (const char* a : {t.ancla, otra}) {
                const std::string sa(a);
                double x = enPapel[i].x() + (sa == "end" ? -3 : sa == "middle" ? 0 : 3), y = enPapel[i].y() - 3 + dy;
                cajaTexto c = cajaDe(t.texto, t.clase, x, y, a);
                // Dentro del dibujo: corrido hacia adentro si sale por un borde.
                const double mx = std::max(0.0, 1 - c.x0) - std::max(0.0, c.x1 - (ancho - 1));
                const double my = std::max(0.0, 1 - c.y0) - std::max(0.0, c.y1 - (alto - 1));
                x += mx, y += my;
                c = {c.x0 + mx, c.y0 + my, c.x1 + mx, c.y1 + my};
                if (std::any_of(puestas.begin(), puestas.end(), [&](const cajaTexto& o) { return c.tocaA(o); }))
                    continue;
                puestas.push_back(c);
                colocados.push_back({&t, x, y, a});
                puesto = true;
                break;
            }
        }
        // Un extremo se escribe siempre (en su lugar si no hay otro libre).
        if (!puesto && principal)
            colocados.push_back({&t, enPapel[i].x() + (ancla == "end" ? -3 : ancla == "middle" ? 0 : 3),
                                 enPapel[i].y() - 3, t.ancla});
    }
    // En el orden en que se pidieron, como antes.
    std::sort(colocados.begin(), colocados.end(),
              [](const textoColocado& a, const textoColocado& b) { return a.texto < b.texto; });
    return colocados;
}

std::string dibujoSvg::svg() const {
    caja c;
    for (const trazo2d& t : trazos_)
        for (const Eigen::Vector2d& p : t.puntos) c.agregar(p);
    for (const marca2d& m : marcas_) c.agregar(m.p);
    for (const texto2d& t : textos_) c.agregar(t.p);
    if (c.vacia()) c.agregar(Eigen::Vector2d::Zero());
    const double s = escalaPara(c);
    const double ancho = kAncho;
    const double alto = std::max(120.0, (c.yMax - c.yMin) * s + 2 * kMargen);
    // Centrado en el papel; y hacia abajo en SVG.
    const double x0 = (ancho - (c.xMax - c.xMin) * s) / 2 - c.xMin * s;
    const double y0 = (alto + (c.yMax - c.yMin) * s) / 2 + c.yMin * s;
    const auto papel = [&](const Eigen::Vector2d& p) { return Eigen::Vector2d(x0 + p.x() * s, y0 - p.y() * s); };
    // Coordenadas redondeadas a décimas de píxel: los tramos relativos se
    // calculan entre valores redondeados, así no acumulan error.
    const auto decimas = [&](const Eigen::Vector2d& p) {
        const Eigen::Vector2d q = papel(p);
        return std::pair<long long, long long>(std::llround(q.x() * 10), std::llround(q.y() * 10));
    };

    std::string r;
    r.reserve(trazos_.size() * 64 + 4096);
    // Dentro de un documento HTML el SVG no necesita su espacio de nombres.
    r += "<svg viewBox=\"0 0 ";
    numero(r, ancho);
    r += ' ';
    numero(r, alto);
    r += "\" width=\"";
    numero(r, ancho);
    r += "\" height=\"";
    numero(r, alto);
    r += "\">\n";

    for (std::size_t k = 0; k < clases_.size(); ++k) {
        std::string d;
        // Segmentos sueltos repetidos en el papel (a la décima de píxel): una vez.
        struct claveHash {
            std::size_t operator()(const std::array<long long, 4>& a) const {
                std::uint64_t h = 1469598103934665603ull;
                for (long long v : a) h = (h ^ static_cast<std::uint64_t>(v)) * 1099511628211ull;
                return static_cast<std::size_t>(h);
            }
        };
        std::unordered_set<std::array<long long, 4>, claveHash> vistos;
        for (const trazo2d& t : trazos_) {
            if (t.clase != k) continue;
            auto anterior = decimas(t.puntos[0]);
            if (t.puntos.size() == 2 && !t.cerrado) {
                auto fin = decimas(t.puntos[1]);
                std::array<long long, 4> clave = {anterior.first, anterior.second, fin.first, fin.second};
                if (std::make_pair(clave[2], clave[3]) < std::make_pair(clave[0], clave[1]))
                    clave = {fin.first, fin.second, anterior.first, anterior.second};
                if (!vistos.insert(clave).second) continue;
            }
            d += 'M';
            numeroEnDecimas(d, anterior.first);
            d += ' ';
            numeroEnDecimas(d, anterior.second);
            d += 'l';
            for (std::size_t i = 1; i < t.puntos.size(); ++i) {
                const auto actual = decimas(t.puntos[i]);
                if (i > 1) d += ' ';
                numeroEnDecimas(d, actual.first - anterior.first);
                d += ' ';
                numeroEnDecimas(d, actual.second - anterior.second);
                anterior = actual;
            }
            if (t.cerrado) d += 'z';
        }
        if (d.empty()) continue;
        r += "<path class=\"" + escaparHtml(clases_[k]) + "\" d=\"" + d + "\"/>\n";
    }

    for (const marca2d& m : marcas_) {
        const Eigen::Vector2d p = papel(m.p);
        char t[200];
        switch (m.m) {
            case marca::empotramiento:
                std::snprintf(t, sizeof t, "<rect class=\"apoyo\" x=\"%.1f\" y=\"%.1f\" width=\"7\" height=\"7\"/>\n",
                              p.x() - 3.5, p.y() - 3.5);
                break;
            case marca::articulacion:
            case marca::apoyoParcial:
                std::snprintf(t, sizeof t, "<path class=\"apoyo\"%s d=\"M%.1f %.1fl4 7h-8z\"/>\n",
                              m.m == marca::apoyoParcial ? " style=\"fill:none\"" : "", p.x(), p.y());
                break;
            case marca::resorte:
                std::snprintf(t, sizeof t, "<circle class=\"resorte\" cx=\"%.1f\" cy=\"%.1f\" r=\"3.5\"/>\n", p.x(), p.y());
                break;
            case marca::punto:
                std::snprintf(t, sizeof t, "<circle class=\"marca\" cx=\"%.1f\" cy=\"%.1f\" r=\"2.6\"/>\n", p.x(), p.y());
                break;
        }
        r += t;
    }

    std::vector<Eigen::Vector2d> enPapel;
    enPapel.reserve(textos_.size());
    for (const texto2d& t : textos_) enPapel.push_back(papel(t.p));
    for (const textoColocado& t : colocarTextos(enPapel, ancho, alto)) {
        char pos[96];
        std::snprintf(pos, sizeof pos, " x=\"%.1f\" y=\"%.1f\" text-anchor=\"%s\"", t.x, t.y, t.ancla);
        r += "<text";
        if (!t.texto->clase.empty()) r += " class=\"" + escaparHtml(t.texto->clase) + "\"";
        r += pos;
        r += ">" + escaparHtml(t.texto->texto) + "</text>\n";
    }

    // Los ejes globales que se ven en esta vista, en la esquina inferior izquierda.
    const Eigen::Vector2d origen(16, alto - 16);
    const char* const nombres[3] = {"X", "Y", "Z"};
    for (int k = 0; k < 3; ++k) {
        const Eigen::Vector2d e = proyectar(vista_, Eigen::Vector3d::Unit(k));
        if (e.norm() < 0.2) continue;
        const Eigen::Vector2d fin = origen + 18 * Eigen::Vector2d(e.x(), -e.y()) / e.norm();
        char t[240];
        std::snprintf(t, sizeof t,
                      "<path class=\"eje\" d=\"M%.1f %.1fL%.1f %.1f\"/><text class=\"ejes\" x=\"%.1f\" y=\"%.1f\" "
                      "text-anchor=\"middle\">%s</text>\n",
                      origen.x(), origen.y(), fin.x(), fin.y(), origen.x() + 24 * (fin.x() - origen.x()) / 18,
                      origen.y() + 24 * (fin.y() - origen.y()) / 18 + 3, nombres[k]);
        r += t;
    }
    r += "</svg>\n";
    return r;
}
