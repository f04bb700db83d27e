// Diagramas de solicitaciones de cada barra visible para una combinación:
// axial, cortes y momentos en los dos planos locales y torsión.
#include "globales.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/trazosEscena.h"
#include "visor/visibilidad.h"

namespace {

void plotDiagrama(int c, double escala, TipoDiagrama tipo) {
    const EstiloDiagrama& estilo = estiloDiagrama(tipo);
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i) {
        if (!barraVisible(i)) continue;
        objBarra3d& b = barra[static_cast<size_t>(i)];
        const auto g = geometriaDiagrama(b, c, tipo, escala, precision, escalaTexto);
        if (!g) continue;

        trazos::entrarMarcoBarra(b, trazos::inicioBarra(b));
        glLineWidth(1.0f);
        if (flagActivo(kFlagLineasInternas)) {
            trazos::color(estilo.lineasInternas);
            for (size_t j = 0; j < g->puntos.size(); ++j) trazos::segmento(g->pies[j], g->puntos[j]);
        }
        trazos::color(estilo.contorno);
        for (size_t j = 0; j + 1 < g->puntos.size(); ++j) trazos::segmento(g->puntos[j], g->puntos[j + 1]);
        if (flagActivo(kFlagTextosDiagramas)) {
            glLineWidth(1.0f);
            trazos::color(estilo.textos);
            trazos::rotulo(g->valorInicio, precision, escalaTexto);
            trazos::rotulo(g->valorFin, precision, escalaTexto);
            if (g->extra) trazos::rotulo(*g->extra, precision, escalaTexto);
        }
        trazos::salirMarcoBarra();
    }
}

}  // namespace

void plotAxial(int c, double escala) { plotDiagrama(c, escala, TipoDiagrama::Axial); }
void plotCortanteY(int c, double escala) { plotDiagrama(c, escala, TipoDiagrama::CortanteY); }
void plotMomentoY(int c, double escala) { plotDiagrama(c, escala, TipoDiagrama::MomentoY); }
void plotCortanteZ(int c, double escala) { plotDiagrama(c, escala, TipoDiagrama::CortanteZ); }
void plotMomentoZ(int c, double escala) { plotDiagrama(c, escala, TipoDiagrama::MomentoZ); }
void plotTorsion(int c, double escala) { plotDiagrama(c, escala, TipoDiagrama::Torsion); }
