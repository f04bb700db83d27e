// El pandeo lineal: por combinación pedida, sus factores críticos y las
// formas de los primeros.
#include "globales.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/figurasInforme.h"

namespace {
// Cuántas formas de pandeo se dibujan de cada combinación.
constexpr int kFormasDibujadas = 3;
}  // namespace

void capituloPandeo(documentoHtml& doc) {
    if (resultados.pandeo.empty()) return;
    doc.capitulo("Pandeo");
    doc.parrafo("El factor crítico es por cuánto habría que multiplicar las cargas de la combinación para que la "
                "estructura pandee, con los esfuerzos axiales de su análisis de primer orden (pandeo lineal). Un "
                "factor menor que 1 dice que la combinación ya supera la carga crítica.");
    tablaHtml t({{"Combinación", false}, {"Modo"}, {"Factor crítico"}});
    std::string sinFactores;
    for (const pandeoCombo& p : resultados.pandeo) {
        if (p.factores.empty()) sinFactores += (sinFactores.empty() ? "" : ", ") + p.nombre;
        for (std::size_t k = 0; k < p.factores.size(); ++k)
            t.fila({k == 0 ? p.nombre : "", std::to_string(k + 1), numeroInforme(p.factores[k])});
    }
    if (!t.vacia()) doc.tabla(t);
    if (!sinFactores.empty())
        doc.parrafo("Sin factores críticos positivos (sus cargas no comprimen la estructura de modo que pueda pandear): " +
                    sinFactores + ".");
    for (std::size_t p = 0; p < resultados.pandeo.size(); ++p)
        for (int k = 0; k < kFormasDibujadas; ++k) agregarFigura(doc, figuraPandeo(static_cast<int>(p), k));
}
