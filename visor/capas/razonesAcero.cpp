// La capa de las razones de la verificación de acero (orden plotAcero): lee
// la mayor razón de cada miembro en resultados.acero, sin calcular nada.
#include <unordered_map>

#include "globales.h"
#include "reporte/escalaRazones.h"
#include "visor/capas/capas.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

void plotRazonesAcero(LoteDibujo& lote) {
    const std::unordered_map<int, const miembroVerificado*> razones = miembrosConRazon(resultados.acero);
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const auto it = razones.find(b.getNoBarraUsuario());
        if (it == razones.end()) {
            lote.anchoLinea(1);
            lote.color(kColorSinVerificar);
        } else {
            const double razon = it->second->peor()->razon;
            lote.anchoLinea(razon <= 1.0 ? 4 : 6);
            lote.color(colorDeRazon(razon));
        }
        lote.segmento({b.getXi(), b.getYi(), b.getZi()}, {b.getXf(), b.getYf(), b.getZf()});
    }
}
