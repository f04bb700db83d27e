// El gráfico de las aceleraciones de un sismo del modelo: la aceleración
// contra el período, con la línea entre sus pares (como la interpola el análisis) y un
// punto en cada par. Es un gráfico con dos escalas propias, como el de las
// derivas, y no una vista del modelo.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "modelo/sismo.h"
#include "reporte/informe/figurasInforme.h"
#include "unidades.h"

namespace {

constexpr double kAncho = 680, kAlto = 260;
constexpr double kIzquierda = 70, kDerecha = kAncho - 28, kArriba = 20, kAbajo = kAlto - 44;

const char* const kEstiloEspectro = "svg .espectro { stroke: #16a085; stroke-width: 1.8; fill: none; }\n"
                                    "svg .puntoEspectro { fill: #16a085; stroke: none; }\n"
                                    "svg .rejilla { stroke: #ddd; stroke-width: 0.6; fill: none; }\n";

// Las marcas de un eje de 0 a `mayor`: el paso y el extremo redondeado.
std::pair<double, int> divisionesDe(double mayor) {
    const double paso = pasoRedondo(mayor);
    return {paso, std::max(1, static_cast<int>(std::ceil(mayor / paso - 1e-9)))};
}

}  // namespace

figuraInforme figuraEspectro(int e) {
    if (e < 0 || static_cast<std::size_t>(e) >= espectros.size()) return {};
    const espectroDiseno& es = espectros[static_cast<std::size_t>(e)];
    const std::size_t n = std::min(es.periodos.size(), es.aceleraciones.size());
    if (n == 0) return {};
    const double tMayor = es.periodos[n - 1] > 0 ? es.periodos[n - 1] : 1;
    double aMayor = 0;
    for (std::size_t i = 0; i < n; ++i) aMayor = std::max(aMayor, es.aceleraciones[i]);
    if (!(aMayor > 0) || !std::isfinite(aMayor) || !std::isfinite(tMayor)) return {};
    const auto [pasoT, divT] = divisionesDe(tMayor);
    const auto [pasoA, divA] = divisionesDe(aMayor * 1.05);
    const auto x = [&, pasoT = pasoT, divT = divT](double t) {
        return kIzquierda + (kDerecha - kIzquierda) * t / (pasoT * divT);
    };
    const auto y = [&, pasoA = pasoA, divA = divA](double a) {
        return kAbajo - (kAbajo - kArriba) * a / (pasoA * divA);
    };
    std::string s;
    char t[320];
    std::snprintf(t, sizeof t, "<svg viewBox=\"0 0 %.0f %.0f\" width=\"%.0f\" height=\"%.0f\">\n", kAncho, kAlto,
                  kAncho, kAlto);
    s += t;
    for (int k = 0; k <= divA; ++k) {
        std::snprintf(t, sizeof t,
                      "<path class=\"rejilla\" d=\"M%.2f %.2fH%.2f\"/><text x=\"%.2f\" y=\"%.2f\" "
                      "text-anchor=\"end\">%s</text>\n",
                      kIzquierda, y(k * pasoA), kDerecha, kIzquierda - 5, y(k * pasoA) + 3,
                      rotuloDeEje(k * pasoA).c_str());
        s += t;
    }
    for (int k = 0; k <= divT; ++k) {
        std::snprintf(t, sizeof t,
                      "<path class=\"eje\" d=\"M%.2f %.2fv4\"/><text x=\"%.2f\" y=\"%.2f\" "
                      "text-anchor=\"middle\">%s</text>\n",
                      x(k * pasoT), kAbajo, x(k * pasoT), kAbajo + 14, rotuloDeEje(k * pasoT).c_str());
        s += t;
    }
    std::snprintf(t, sizeof t, "<path class=\"eje\" d=\"M%.2f %.2fV%.2fH%.2f\"/>\n", kIzquierda, kArriba, kAbajo, kDerecha);
    s += t;
    const std::string a = unidadLongitud.empty() || unidadFuerza.empty() ? "" : " (" + unidadLongitud + "/s²)";
    std::snprintf(t, sizeof t,
                  "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"middle\">Período (s)</text>\n"
                  "<text x=\"%.2f\" y=\"%.2f\" text-anchor=\"start\">",
                  (kIzquierda + kDerecha) / 2, kAbajo + 32, kIzquierda + 6, kArriba + 10);
    s += t + escaparHtml("Aceleración" + a) + "</text>\n";
    // Antes del primer período vale la primera aceleración: la línea empieza en 0.
    std::string puntos;
    const auto punto = [&](double px, double py) {
        std::snprintf(t, sizeof t, "%s%.2f,%.2f", puntos.empty() ? "" : " ", x(px), y(py));
        puntos += t;
    };
    if (es.periodos[0] > 0) punto(0, es.aceleraciones[0]);
    for (std::size_t i = 0; i < n; ++i) punto(es.periodos[i], es.aceleraciones[i]);
    s += "<polyline class=\"espectro\" points=\"" + puntos + "\"/>\n";
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(t, sizeof t, "<circle class=\"puntoEspectro\" cx=\"%.2f\" cy=\"%.2f\" r=\"2.4\"/>\n",
                      x(es.periodos[i]), y(es.aceleraciones[i]));
        s += t;
    }
    s += "</svg>\n";
    return {s, "Espectro " + es.nombre + ": aceleración espectral contra el período; entre dos pares, lineal.",
            kEstiloEspectro};
}
