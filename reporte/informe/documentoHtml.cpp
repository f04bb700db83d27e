#include "reporte/informe/documentoHtml.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analisis/casosResultado.h"

std::string escaparHtml(std::string_view texto) {
    std::string r;
    r.reserve(texto.size());
    for (char c : texto) {
        switch (c) {
            case '&': r += "&amp;"; break;
            case '<': r += "&lt;"; break;
            case '>': r += "&gt;"; break;
            case '"': r += "&quot;"; break;
            default: r += c;
        }
    }
    return r;
}

std::string numeroInforme(double valor, double escala) {
    if (std::isnan(valor)) return "—";
    if (std::isinf(valor)) return valor > 0 ? "∞" : "−∞";
    const double v = sinRuido(valor, escala);
    if (v == 0.0) return "0";
    char texto[48];
    const int exponente = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    if (exponente >= -3 && exponente < 6) {
        const int decimales = std::max(0, kCifrasInforme - 1 - exponente);
        std::snprintf(texto, sizeof texto, "%.*f", decimales, v);
        // Lo que al redondear sube de orden (9.99996 → 10.0000) conserva una
        // cifra de más: no se pierde nada.
    } else {
        std::snprintf(texto, sizeof texto, "%.*e", kCifrasInforme - 1, v);
    }
    return texto;
}

std::string unidadEntreParentesis(magnitud m) {
    const std::string s = sufijoUnidad(m);
    return s.empty() ? s : " (" + s.substr(1) + ")";
}

void tablaHtml::fila(const std::vector<std::string>& celdas, const char* clase) {
    filas_.push_back({clase ? clase : "", celdas});
}

namespace {
// Un valor escrito entero en la celda (con punto decimal o en notación
// científica): su valor y si está en notación científica.
bool numeroDeCelda(const std::string& celda, double& valor, bool& cientifica) {
    if (celda.empty()) return false;
    char* fin = nullptr;
    valor = std::strtod(celda.c_str(), &fin);
    if (fin != celda.c_str() + celda.size() || !std::isfinite(valor)) return false;
    cientifica = celda.find_first_of("eE") != std::string::npos;
    // Un entero sin punto es un número de nudo, de barra o de modo, no un
    // valor: se deja como está.
    return cientifica || celda.find('.') != std::string::npos;
}
}  // namespace

std::string tablaHtml::html() const {
    // Una notación por columna: si un número de una columna numérica va en
    // notación científica, los demás de esa columna también (con las mismas
    // cifras significativas), para que se lean y se comparen de un vistazo.
    std::vector<char> cientifica(columnas_.size(), 0);
    for (const auto& f : filas_)
        for (std::size_t i = 0; i < f.second.size() && i < columnas_.size(); ++i) {
            double v;
            bool c;
            if (columnas_[i].numerica && numeroDeCelda(f.second[i], v, c) && c) cientifica[i] = 1;
        }
    // Desde 9 columnas, la letra más chica (table.ancha) para caber en A4.
    std::string r = columnas_.size() >= 9 ? "<table class=\"ancha\">\n" : "<table>\n";
    // Una tabla de pares nombre-valor no tiene encabezados: sin fila vacía arriba.
    if (std::any_of(columnas_.begin(), columnas_.end(), [](const columna& c) { return !c.titulo.empty(); })) {
        r += "<thead><tr>";
        for (const columna& c : columnas_)
            r += (c.numerica ? "<th class=\"n\">" : "<th>") + escaparHtml(c.titulo) + "</th>";
        r += "</tr></thead>\n";
    }
    // Las filas antes del primer grupo, en un <tbody> sin clase.
    std::size_t siguienteGrupo = 0;
    if (grupos_.empty() || grupos_[0] > 0) r += "<tbody>\n";
    for (std::size_t f = 0; f < filas_.size(); ++f) {
        const auto& [clase, celdas] = filas_[f];
        bool abre = false;
        while (siguienteGrupo < grupos_.size() && grupos_[siguienteGrupo] == f) abre = true, ++siguienteGrupo;
        if (abre) r += (f > 0 ? "</tbody>\n" : "") + std::string("<tbody class=\"junto\">\n");
        r += clase.empty() ? std::string("<tr>") : "<tr class=\"" + clase + "\">";
        for (std::size_t i = 0; i < celdas.size(); ++i) {
            const bool numerica = i < columnas_.size() && columnas_[i].numerica;
            r += numerica ? "<td class=\"n\">" : "<td>";
            double v;
            bool c;
            if (numerica && cientifica[i] && numeroDeCelda(celdas[i], v, c) && !c && v != 0) {
                char texto[48];
                std::snprintf(texto, sizeof texto, "%.*e", kCifrasInforme - 1, v);
                r += texto;
            } else {
                r += escaparHtml(celdas[i]);
            }
            r += "</td>";
        }
        r += "</tr>\n";
    }
    if (filas_.empty() && !(grupos_.empty() || grupos_[0] > 0)) r += "<tbody>\n";
    r += "</tbody>\n</table>\n";
    return r;
}

namespace {
// Dónde va el índice hasta que se conocen todos los capítulos (un comentario:
// ningún texto del informe lo contiene).
const char* const kMarcaIndice = "<!--indice-->";

// Un texto dentro de una cadena de CSS: comillas y barras escapadas, y "<"
// escrito como escape de CSS para que ningún texto cierre el elemento <style>.
std::string cadenaCss(const std::string& texto) {
    std::string r = "\"";
    for (char c : texto) {
        if (c == '"' || c == '\\')
            r += '\\', r += c;
        else if (c == '<')
            r += "\\3c ";
        else if (c == '\n')
            r += ' ';
        else
            r += c;
    }
    return r + "\"";
}
}  // namespace

void documentoHtml::capitulo(const std::string& titulo) {
    if (!capitulos_.empty()) cuerpo_ += "</section>\n";
    capitulos_.push_back(titulo);
    cuerpo_ += "<section id=\"capitulo-" + std::to_string(capitulos_.size()) + "\">\n<h2>" + escaparHtml(titulo) +
               "</h2>\n";
}

void documentoHtml::indice() {
    if (conIndice_) return;
    conIndice_ = true;
    cuerpo_ += kMarcaIndice;
}

void documentoHtml::margenesDePagina(const std::string& rotulo) {
    estilo("@page { @top-left { content: " + cadenaCss(rotulo) +
           "; font-size: 7.5pt; color: #555; vertical-align: bottom; padding-bottom: 3mm; }\n"
           "  @bottom-right { content: \"Página \" counter(page) \" de \" counter(pages); font-size: 8pt; "
           "color: #333; vertical-align: top; padding-top: 3mm; } }\n");
}

void documentoHtml::seccion(const std::string& titulo) { cuerpo_ += "<h3>" + escaparHtml(titulo) + "</h3>\n"; }

void documentoHtml::parrafo(const std::string& texto, const char* clase) {
    cuerpo_ += clase ? std::string("<p class=\"") + clase + "\">" : std::string("<p>");
    cuerpo_ += escaparHtml(texto) + "</p>\n";
}

void documentoHtml::tabla(const tablaHtml& t) { cuerpo_ += t.html(); }

void documentoHtml::figura(const std::string& svg, const std::string& pie) {
    bytesDeFiguras_ += svg.size();
    cuerpo_ += "<figure>\n" + svg + "<figcaption>Figura " + std::to_string(++figuras_) + ". " + escaparHtml(pie) +
               "</figcaption>\n</figure>\n";
}

void documentoHtml::estilo(const std::string& reglas) {
    if (estilosAgregados_.find(reglas) == std::string::npos) estilosAgregados_ += reglas;
}

namespace {
// Pantalla: una columna legible. Impresión: A4 con márgenes; los capítulos
// siguen en la misma página (un salto forzado dejaría casi vacía la anterior
// a cada capítulo corto), con su título pegado a lo que sigue; los
// encabezados de las tablas en cada página; filas, las filas de una barra y
// figuras sin cortar; nada más ancho que la página.
const char* const kEstilos = R"(
@page { size: A4; margin: 14mm 12mm 16mm 12mm; }
html { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font-family: "DejaVu Sans", "Liberation Sans", Arial, sans-serif; font-size: 9.5pt; color: #111;
       max-width: 186mm; margin: 0 auto; line-height: 1.35; }
h1 { font-size: 17pt; margin: 0 0 4pt; }
h2 { font-size: 13.5pt; margin: 16pt 0 6pt; padding-bottom: 2pt; border-bottom: 1pt solid #333;
     break-after: avoid; page-break-after: avoid; }
section > h2 + * { break-before: avoid; }
h3 { font-size: 11pt; margin: 10pt 0 3pt; break-after: avoid; page-break-after: avoid; }
p { margin: 3pt 0; }
.titulo p.comentario { font-size: 11pt; margin: 0; }
.nota { color: #444; font-size: 8.5pt; }
table { border-collapse: collapse; margin: 3pt 0 8pt; font-size: 8pt; max-width: 100%; }
table.ancha { font-size: 6.8pt; }
table.ancha th, table.ancha td { padding: 1pt 2pt; }
thead { display: table-header-group; }
tr, tbody.junto { break-inside: avoid; page-break-inside: avoid; }
th, td { border: 0.5pt solid #999; padding: 1pt 4pt; vertical-align: top; }
td { overflow-wrap: anywhere; }
th { background: #e6e6e6; font-weight: bold; text-align: left; }
th.n, td.n { text-align: right; font-variant-numeric: tabular-nums; }
td.n { white-space: nowrap; }
tr.suma td { font-weight: bold; border-top: 1.2pt solid #333; background: #f3f3f3; }
ul.mensajes { padding-left: 14pt; margin: 3pt 0; }
nav.indice ol { padding-left: 16pt; margin: 3pt 0; columns: 2; column-gap: 10mm; }
nav.indice li { margin: 1pt 0; break-inside: avoid; }
nav.indice a { color: #123f7a; text-decoration: none; }
ul.mensajes li.error { color: #a00000; font-weight: bold; }
ul.mensajes li.advertencia { color: #7a4b00; }
figure { margin: 6pt 0 10pt; break-inside: avoid; page-break-inside: avoid; }
figure svg { display: block; width: 100%; max-width: 100%; height: auto; max-height: 200mm; border: 0.5pt solid #bbb;
             background: #fff; box-sizing: border-box; }
p.figuraOmitida { color: #555; font-size: 8.5pt; font-style: italic; border-left: 2pt solid #bbb; padding-left: 4pt; }
figcaption { font-size: 8.5pt; color: #333; margin-top: 2pt; }
svg .barra { stroke: #3b5a8c; stroke-width: 0.9; fill: none; stroke-linecap: round; }
svg .base { stroke: #b8b8b8; stroke-width: 0.7; fill: none; }
svg .deformada { stroke: #0a8f9c; stroke-width: 1.1; fill: none; stroke-linejoin: round; }
svg .modo { stroke: #7b3fa0; stroke-width: 1.1; fill: none; stroke-linejoin: round; }
svg .diagrama { stroke: #c0392b; stroke-width: 0.7; fill: #e74c3c; fill-opacity: 0.35; stroke-linejoin: round; }
svg .apoyo { stroke: #1e7b34; stroke-width: 0.8; fill: #2ea44f; }
svg .resorte { stroke: #1e7b34; stroke-width: 0.8; fill: none; }
svg .marca { fill: #d35400; stroke: none; }
svg text { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 8px; fill: #222;
           paint-order: stroke; stroke: #fff; stroke-width: 2.2px; stroke-linejoin: round; }
svg text.numeroNudo { font-size: 7px; fill: #555; }
svg text.numeroBarra { font-size: 7px; fill: #1f4e8c; }
svg text.extremo { font-size: 8.5px; fill: #8e1b10; font-weight: bold; }
svg text.ejes { font-size: 8px; fill: #333; }
svg .eje { stroke: #333; stroke-width: 0.8; fill: none; }
@media screen { body { padding: 12px; } }
@media print { body { max-width: none; } }
)";
}  // namespace

std::string documentoHtml::texto(const std::string& titulo) const {
    std::string r;
    r.reserve(cuerpo_.size() + 4096);
    r += "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + escaparHtml(titulo) +
         "</title>\n<style>" + kEstilos + estilosAgregados_ + "</style>\n</head>\n<body>\n";
    std::string cuerpo = cuerpo_;
    if (!capitulos_.empty()) cuerpo += "</section>\n";
    const std::size_t marca = cuerpo.find(kMarcaIndice);
    if (marca != std::string::npos) {
        std::string lista;
        for (std::size_t k = 0; k < capitulos_.size(); ++k)
            lista += "<li><a href=\"#capitulo-" + std::to_string(k + 1) + "\">" + escaparHtml(capitulos_[k]) +
                     "</a></li>\n";
        cuerpo.replace(marca, std::string(kMarcaIndice).size(),
                       lista.empty() ? std::string() : "<nav class=\"indice\">\n<h3>Contenido</h3>\n<ol>\n" + lista + "</ol>\n</nav>\n");
    }
    r += cuerpo;
    r += "</body>\n</html>\n";
    return r;
}
