// La figura de las derivas por piso de un caso sísmico o una combinación con
// sismo: la altura z de cada piso (con diafragma o un nivel sin él) en vertical y su deriva en horizontal (la
// inelástica FACTOR × deriva con derivaLimite:, con el límite a trazos; sin
// ella, la elástica), una línea para X y otra para Y. Es un gráfico y no una
// vista del modelo: sus dos ejes tienen escalas propias, así que se escribe
// aquí y no con dibujoSvg. Cada línea lleva en data-z y data-deriva los
// valores que dibuja, con nueve cifras, los mismos de las tablas del caso.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analisis/niveles.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"
#include "reporte/informe/figurasInforme.h"
#include "reporte/salidaDiafragmas.h"

namespace {

// El papel: el ancho de los demás dibujos y el área del gráfico dentro de los
// márgenes de los rótulos de los ejes y de la leyenda.
constexpr double kAncho = 680, kAlto = 340;
constexpr double kIzquierda = 70, kDerecha = kAncho - 28, kArriba = 36, kAbajo = kAlto - 44;
// Separación mínima en el papel entre dos rótulos de altura.
constexpr double kSeparacionRotulos = 11;

const char* const kEstilosDerivas =
    "svg .derivaX { stroke: #1f6fb4; stroke-width: 1.8; fill: none; stroke-linejoin: round; }\n"
    "svg .derivaY { stroke: #e6780f; stroke-width: 1.8; fill: none; stroke-linejoin: round; }\n"
    "svg .puntoX { fill: #1f6fb4; stroke: none; }\nsvg .puntoY { fill: #e6780f; stroke: none; }\n"
    "svg .limiteDeriva { stroke: #333; stroke-width: 1; fill: none; stroke-dasharray: 5 3; }\n"
    "svg .rejilla { stroke: #ddd; stroke-width: 0.6; fill: none; }\n";

struct pisoDibujado {
    double z, deriva[2];
};

std::string numeroDato(double v) {
    char t[32];
    std::snprintf(t, sizeof t, "%.9g", v);
    return t;
}

}  // namespace

// Un paso "redondo" (1, 2, 2.5 o 5 por una potencia de 10) de unas cuatro divisiones hasta v.
double pasoRedondo(double v) {
    if (!(v > 0) || !std::isfinite(v)) return 0.25e-3;
    const double crudo = v / 4, potencia = std::pow(10.0, std::floor(std::log10(crudo)));
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (m * potencia >= crudo * (1 - 1e-12)) return m * potencia;
    return 10 * potencia;
}

// Un rótulo de eje: el número corto, sin ceros de más ("6", "0.004").
std::string rotuloDeEje(double v) {
    char t[32];
    std::snprintf(t, sizeof t, "%.6g", v);
    return t;
}

figuraInforme figuraDerivas(const casoResultado& caso) {
    if (caso.tipo != tipoCaso::espectral && caso.tipo != tipoCaso::comboEspectral) return {};
    // Los pisos con deriva y los niveles sin diafragma de abajo hacia arriba;
    // la base, donde apoya el más bajo.
    struct conAltura {
        pisoDibujado p;
        double altura;
    };
    std::vector<conAltura> todos;
    bool conLimite = false;
    for (int k : diafragmasPorAltura()) {
        const std::size_t i = static_cast<std::size_t>(k);
        if (i >= caso.diafragmas.size()) continue;
        const resultadoDiafragma& r = caso.diafragmas[i];
        if (!r.conDeriva || !(r.altura > 0)) continue;
        const double z = diafragmas[i].z;
        if (i < caso.pisos.size() && caso.pisos[i].verificada) {
            todos.push_back({{z, {caso.pisos[i].inelastica[0], caso.pisos[i].inelastica[1]}}, r.altura});
            conLimite = true;
        } else {
            const valoresDiafragma v = valoresSinRuido(caso, r);
            todos.push_back({{z, {v.derivaX, v.derivaY}}, r.altura});
        }
    }
    for (std::size_t k = 0; k < caso.niveles.size() && k < resultados.niveles.size(); ++k) {
        const resultadoNivel& r = caso.niveles[k];
        const double z = resultados.niveles[k].z, altura = std::max(r.alturaX, r.alturaY);
        if (!(altura > 0)) continue;
        if (r.verificada) {
            todos.push_back({{z, {r.inelastica[0], r.inelastica[1]}}, altura});
            conLimite = true;
        } else {
            todos.push_back({{z, {derivaNivelSinRuido(caso, r, 0), derivaNivelSinRuido(caso, r, 1)}}, altura});
        }
    }
    std::stable_sort(todos.begin(), todos.end(), [](const conAltura& a, const conAltura& b) { return a.p.z < b.p.z; });
    std::vector<pisoDibujado> pisos;
    for (const conAltura& c : todos) pisos.push_back(c.p);
    const double base = todos.empty() ? 0.0 : todos.front().p.z - todos.front().altura;
    if (pisos.empty()) return {};

    double mayor = conLimite ? diseno.limiteDeriva : 0;
    for (const pisoDibujado& p : pisos) mayor = std::max({mayor, p.deriva[0], p.deriva[1]});
    // Un margen a la derecha: la mayor deriva o el límite no caen sobre el borde.
    mayor *= 1.08;
    const double paso = pasoRedondo(mayor);
    const int divisiones = std::max(1, static_cast<int>(std::ceil(mayor / paso - 1e-9)));
    const double xMayor = divisiones * paso;
    const double zAlto = pisos.back().z > base ? pisos.back().z : base + 1;
    const auto x = [&](double d) { return kIzquierda + (kDerecha - kIzquierda) * d / xMayor; };
    const auto y = [&](double z) { return kAbajo - (kAbajo - kArriba) * (z - base) / (zAlto - base); };

    std::string s;
    char t[400];
    std::snprintf(t, sizeof t, "<svg viewBox=\"0 0 %.0f %.0f\" width=\"%.0f\" height=\"%.0f\" class=\"derivas\">\n",
                  kAncho, kAlto, kAncho, kAlto);
    s += t;
    // Rejilla y rótulos de altura: la base y cada piso, sin encimarse.
    double ultimoRotulo = INFINITY;
    const auto nivel = [&](double z) {
        std::snprintf(t, sizeof t, "<path class=\"rejilla\" d=\"M%.2f %.2fH%.2f\"/>\n", kIzquierda, y(z), kDerecha);
        s += t;
        if (ultimoRotulo - y(z) < kSeparacionRotulos) return;
        ultimoRotulo = y(z);
        std::snprintf(t, sizeof t, "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"end\">", kIzquierda - 5, y(z) + 3);
        s += t + escaparHtml(rotuloDeEje(z)) + "</text>\n";
    };
    nivel(base);
    for (const pisoDibujado& p : pisos) nivel(p.z);
    // Eje de las derivas con sus marcas.
    for (int k = 0; k <= divisiones; ++k) {
        const double d = k * paso;
        std::snprintf(t, sizeof t,
                      "<path class=\"eje\" d=\"M%.2f %.2fv4\"/><text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">%.6g</text>\n",
                      x(d), kAbajo, x(d), kAbajo + 14, d);
        s += t;
    }
    std::snprintf(t, sizeof t, "<path class=\"eje\" d=\"M%.2f %.2fV%.2fH%.2f\"/>\n", kIzquierda, kArriba, kAbajo, kDerecha);
    s += t;
    std::snprintf(t, sizeof t, "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">", (kIzquierda + kDerecha) / 2,
                  kAbajo + 32);
    s += t;
    s += conLimite ? escaparHtml("Deriva inelástica (" + rotuloDeEje(diseno.factorDeriva) + " × deriva)")
                   : std::string("Deriva elástica");
    s += "</text>\n";
    std::snprintf(t, sizeof t, "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"end\">", kIzquierda - 5, kArriba - 12);
    s += t + escaparHtml("z" + unidadEntreParentesis(magnitud::longitud)) + "</text>\n";

    if (conLimite) {
        std::snprintf(t, sizeof t,
                      "<path class=\"limiteDeriva\" d=\"M%.2f %.2fV%.2f\"/><text x=\"%.2f\" y=\"%.2f\" "
                      "text-anchor=\"end\">",
                      x(diseno.limiteDeriva), kAbajo, kArriba, x(diseno.limiteDeriva) - 3, kArriba + 9);
        s += t + escaparHtml("límite " + rotuloDeEje(diseno.limiteDeriva)) + "</text>\n";
    }
    // Las dos líneas, con sus valores, y un punto en cada piso.
    const char* const nombres[2] = {"X", "Y"};
    for (int d = 0; d < 2; ++d) {
        std::string zs, derivas, puntos, marcas;
        for (const pisoDibujado& p : pisos) {
            if (!zs.empty()) zs += ' ', derivas += ' ', puntos += ' ';
            zs += numeroDato(p.z);
            derivas += numeroDato(p.deriva[d]);
            std::snprintf(t, sizeof t, "%.2f,%.2f", x(p.deriva[d]), y(p.z));
            puntos += t;
            std::snprintf(t, sizeof t, "<circle class=\"punto%s\" cx=\"%.2f\" cy=\"%.2f\" r=\"2.6\"/>\n", nombres[d],
                          x(p.deriva[d]), y(p.z));
            marcas += t;
        }
        s += "<polyline class=\"deriva" + std::string(nombres[d]) + "\" data-z=\"" + zs + "\" data-deriva=\"" +
             derivas + "\" points=\"" + puntos + "\"/>\n" + marcas;
    }
    // La leyenda, arriba a la derecha.
    const double xl = kDerecha - 250, yl = 14;
    std::snprintf(t, sizeof t,
                  "<path class=\"derivaX\" d=\"M%.2f %.2fh22\"/><text x=\"%.2f\" y=\"%.2f\">Deriva X</text>\n"
                  "<path class=\"derivaY\" d=\"M%.2f %.2fh22\"/><text x=\"%.2f\" y=\"%.2f\">Deriva Y</text>\n",
                  xl, yl, xl + 26, yl + 3, xl + 84, yl, xl + 110, yl + 3);
    s += t;
    if (conLimite) {
        std::snprintf(t, sizeof t,
                      "<path class=\"limiteDeriva\" d=\"M%.2f %.2fh22\"/><text x=\"%.2f\" y=\"%.2f\">", xl + 168, yl,
                      xl + 194, yl + 3);
        s += t + escaparHtml("límite") + "</text>\n";
    }
    s += "</svg>\n";
    return {s, "Derivas de piso del caso " + caso.nombre + (conLimite ? ", inelásticas, con su límite" : ""),
            kEstilosDerivas};
}
