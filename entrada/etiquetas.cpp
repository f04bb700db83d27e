#include "entrada/etiquetas.h"

#include <algorithm>

const std::vector<std::string>& etiquetasConocidas() {
    static const std::vector<std::string> etiquetas = {
        "nudos:", "barras:", "apoyo:", "resorte:", "seccionRectangular:", "seccionPlaca:", "seccionCostanera:",
        "seccionW:", "seccionGenerica:", "rotacionBarra:", "articulacion:", "puntual:", "desplazamientoImpuesto:",
        "distribuidaLocalX:", "distribuidaLocalY:", "distribuidaLocalZ:", "distribuidaLocalT:", "distribuidaGlobal:",
        "temperatura:", "soloTraccion:", "soloCompresion:", "masaBarra:", "pesoPropio:", "combo:", "modos:",
        "segundoOrden:", "pandeo:", "gravedad:", "masaNudo:", "masaDeCargas:", "espectro:", "sismo:", "envolvente:",
        "diafragma:", "unidades:", "precision:", "escalaTexto:", "escalaDeflexion:", "escalaMy:", "escalaMz:",
        "escalaVy:", "escalaVz:", "escalaN:", "escalaT:", "escalaApoyo:", "escalaCarga:"};
    return etiquetas;
}

int distanciaDeEdicion(const std::string& a, const std::string& b) {
    std::vector<int> fila(b.size() + 1), anterior(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) anterior[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        fila[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j)
            fila[j] = std::min({anterior[j] + 1, fila[j - 1] + 1, anterior[j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0)});
        std::swap(fila, anterior);
    }
    return anterior[b.size()];
}

std::string etiquetaParecida(const std::string& palabra) {
    std::string mejor;
    int menor = 3;
    for (const std::string& e : etiquetasConocidas()) {
        const int d = distanciaDeEdicion(palabra, e);
        if (d < menor) menor = d, mejor = e;
    }
    return mejor;
}
