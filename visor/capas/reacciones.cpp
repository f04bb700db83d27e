// Reacciones de apoyo de una combinación, como columna de textos junto a cada
// nudo con apoyo o resorte. Se escriben también para los nudos ocultos por aislamiento.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "globales.h"
#include "visor/capas/capas.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/capas/rotulosDeCapa.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

void plotReacciones(LoteDibujo& lote, int c) {
    lote.color(1.0, 0.0, 0.0);
    lote.anchoLinea(1);
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        const objNudo3d& n = nudo[static_cast<std::size_t>(i)];
        const std::vector<LineaReaccion> lineas = lineasReacciones(n, c, diagonal, escalaTexto);
        if (lineas.empty()) continue;
        // Una columna: cada renglón, una altura de texto más abajo que el anterior.
        std::string texto;
        double mayor = 0.0;
        for (std::size_t k = 0; k < lineas.size(); ++k) texto += (k > 0 ? "\n" : "") + lineas[k].texto;
        for (double v : casoDeResultados(resultados, c)->reacciones.col(n.getNoNudoInterno()))
            mayor = std::max(mayor, std::fabs(v));
        lote.empujar();
        lote.trasladar(n.getX(), n.getY(), n.getZ());
        // El plano xy local pasa a ser el XZ global: la columna baja en Z.
        lote.rotar(90, 1, 0, 0);
        lote.rotulo(rotuloDeCapa(texto, escalaTexto, 1, GiroRotulo::Legible, mayor), lineas.front().posicion);
        lote.sacar();
    }
}
