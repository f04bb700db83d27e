// Los diagramas de solicitaciones de un caso en su capítulo: los que pide
// informeDiagramas:, por pórtico del modelo en su alzado, con un tope de
// figuras por diagrama y otro de tamaño para todo el informe; cada figura
// que se deja fuera lo dice en su lugar.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "globales.h"
#include "modelo/diagramasInforme.h"
#include "reporte/informe/figurasInforme.h"
#include "reporte/informe/porticos.h"
#include "reporte/informe/tablasCaso.h"

namespace {

// Por diagrama y caso, hasta cuántos pórticos se dibujan: los de mayor valor.
constexpr std::size_t kPorticosPorDiagrama = 6;
// Cuántos bytes de dibujos lleva el informe a lo sumo antes de dejar de
// agregar diagramas (el de un edificio de 10 x 10 x 10 con todos sus análisis
// queda bajo los 8 MB).
constexpr std::size_t kBytesDeDiagramas = 5'000'000;

std::string listaDePorticos(const std::vector<const porticoDelModelo*>& p) {
    std::string t;
    for (std::size_t k = 0; k < p.size(); ++k) {
        if (k > 0) t += k + 1 == p.size() ? " y " : ", ";
        t += p[k]->nombre().substr(std::string("pórtico ").size());
    }
    return t;
}

void omitida(documentoHtml& doc, const std::string& texto) { doc.parrafo(texto, "figuraOmitida"); }

}  // namespace

void agregarDiagramas(documentoHtml& doc, const casoResultado& caso) {
    if (caso.barras.empty() || barra.empty()) return;
    const porticosDelModelo porticos = hallarPorticos();
    for (int s : diagramasDelInforme.solicitaciones) {
        const std::string nombre = std::string("El diagrama de ") + kNombresSolicitaciones[s] + " de " + caso.nombre;
        const double escala = esFuerza(s) ? caso.escalas.fuerzas : caso.escalas.momentos;
        // El mayor valor absoluto en las barras de la lista.
        const auto mayorEn = [&](const std::vector<int>& barras) {
            double m = 0;
            for (int i : barras)
                if (i >= 0 && i < static_cast<int>(caso.barras.size())) {
                    const extremoSolicitacion& e = caso.barras[static_cast<std::size_t>(i)].extremos[s];
                    m = std::max({m, std::fabs(e.maximo), std::fabs(e.minimo)});
                }
            return sinRuido(m, escala);
        };
        std::vector<int> todas(barra.size());
        for (std::size_t i = 0; i < todas.size(); ++i) todas[i] = static_cast<int>(i);
        if (mayorEn(todas) == 0) {
            omitida(doc, nombre + " no se dibuja: es nulo en todas las barras.");
            continue;
        }
        if (doc.bytesDeFiguras() > kBytesDeDiagramas) {
            char megas[32];
            std::snprintf(megas, sizeof megas, "%.1f", kBytesDeDiagramas / 1e6);
            omitida(doc, nombre + " no se dibuja: el informe ya lleva más de " + megas +
                             " MB de figuras; sus extremos están en la tabla de arriba y los valores de cada barra "
                             "en solicitaciones.csv (--csv).");
            continue;
        }
        if (porticos.porticos.empty()) {
            agregarFigura(doc, figuraSolicitacion(caso, s));
            continue;
        }
        // Los pórticos con diagrama, de mayor a menor valor; se dibujan los
        // primeros kPorticosPorDiagrama en el orden del modelo.
        std::vector<std::pair<double, const porticoDelModelo*>> orden;
        std::vector<const porticoDelModelo*> nulos, deMas;
        for (const porticoDelModelo& p : porticos.porticos) {
            const double m = mayorEn(p.barras);
            if (m == 0)
                nulos.push_back(&p);
            else
                orden.emplace_back(m, &p);
        }
        std::stable_sort(orden.begin(), orden.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        std::vector<const porticoDelModelo*> dibujados;
        for (std::size_t k = 0; k < orden.size(); ++k) (k < kPorticosPorDiagrama ? dibujados : deMas).push_back(orden[k].second);
        const auto enElModelo = [](const porticoDelModelo* a, const porticoDelModelo* b) { return a < b; };
        std::sort(dibujados.begin(), dibujados.end(), enElModelo);
        std::sort(deMas.begin(), deMas.end(), enElModelo);
        for (const porticoDelModelo* p : dibujados)
            agregarFigura(doc, figuraSolicitacion(caso, s, {p->vista(), p->eje, p->barras, p->nombre()}));
        if (!deMas.empty())
            omitida(doc, nombre + " no se dibuja en " + (deMas.size() == 1 ? "el pórtico " : "los pórticos ") +
                             listaDePorticos(deMas) + ": se dibujan los " + std::to_string(kPorticosPorDiagrama) +
                             " de mayor valor absoluto; los valores de cada barra están en solicitaciones.csv (--csv).");
        if (!nulos.empty())
            omitida(doc, nombre + " es nulo en " + (nulos.size() == 1 ? "el pórtico " : "los pórticos ") +
                             listaDePorticos(nulos) + ": no se dibuja ahí.");
        if (!porticos.sueltas.empty()) {
            if (mayorEn(porticos.sueltas) == 0)
                omitida(doc, nombre + " es nulo en las barras que no están en ningún pórtico: no se dibuja.");
            else
                agregarFigura(doc, figuraSolicitacion(caso, s,
                                                      {vistaDibujo::isometrica, -1, porticos.sueltas,
                                                       "barras fuera de los pórticos"}));
        }
    }
}
