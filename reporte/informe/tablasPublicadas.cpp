#include "reporte/informe/tablasPublicadas.h"

#include <string>
#include <vector>

#include "analisis/tablasResultados.h"
#include "reporte/informe/figurasInforme.h"

tablaHtml tablaHtmlDe(const tablaResultados& t, const std::function<bool(const filaTabla&)>& elegir) {
    std::vector<tablaHtml::columna> columnas;
    for (const columnaTabla& c : t.columnas) {
        magnitud m;
        const bool numerica = c.clase != claseValor::texto;
        columnas.push_back({c.nombre + (magnitudDeClase(c.clase, m) ? unidadEntreParentesis(m) : std::string()), numerica});
    }
    tablaHtml h(columnas);
    filaTabla f;
    std::vector<std::string> celdas;
    for (std::size_t i = 0; i < t.filas; ++i) {
        f.limpiar();
        t.llenar(i, f);
        if (elegir && !elegir(f)) continue;
        celdas.clear();
        for (std::size_t k = 0; k < f.celdas.size(); ++k) {
            const celdaTabla& c = f.celdas[k];
            const claseValor clase = t.claseDe(f, k);
            if (c.vacia) celdas.push_back("—");
            else if (clase == claseValor::texto) celdas.push_back(c.texto);
            else if (clase == claseValor::entero) celdas.push_back(std::to_string(static_cast<long long>(c.numero)));
            else celdas.push_back(numeroInforme(c.numero, f.escalas ? escalaDeClase(clase, *f.escalas) : 0.0));
        }
        h.fila(celdas);
    }
    return h;
}

void capitulosDeTablas(documentoHtml& doc) {
    for (const tablaResultados& t : tablasDeResultados()) {
        if (!t.enInforme) continue;
        doc.capitulo(t.titulo);
        doc.tabla(tablaHtmlDe(t));
        if (t.dibujo == "razonesAcero") agregarFigura(doc, figuraRazonesAcero());
    }
}
