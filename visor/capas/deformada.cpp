// Deformada de una combinación: los nudos visibles en su posición desplazada,
// con sus desplazamientos y giros, y la elástica de cada barra visible. Las
// formas modales se dibujan igual, con la forma como campo de desplazamientos.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "globales.h"
#include "visor/capas/capas.h"
#include "visor/capas/detalleBarras.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/capas/rotulosDeCapa.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

namespace {

// Encabezado y los seis valores, uno por renglón, sin el ruido del redondeo
// frente a la mayor traslación (o el mayor giro) del caso.
std::string valoresNudo(const NudoDeformado& d, const escalasCaso& escalas) {
    std::string texto = "Ux, Uy, Uz ,Gx, Gy, Gz";
    for (int k = 0; k < 6; ++k)
        texto += "\n" + formatearResultado(d.valores[k], k < 3 ? escalas.traslaciones : escalas.giros, precision, true);
    return texto;
}

void plotNudosDeformados(LoteDibujo& lote, int c, double escala, bool minimo) {
    const bool textos = flagActivo(kFlagTextosDiagramas);
    const double r = diagonal / 300;
    std::size_t mayor = 0;
    double desplazamientoMayor = -1.0;
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        if (!nudoVisible(i)) continue;
        const auto d = nudoDeformado(nudo[static_cast<std::size_t>(i)], c, escala, minimo);
        if (!d) continue;

        lote.empujar();
        lote.trasladar(d->posicion);
        // El plano xy local pasa a ser el XZ global: los renglones bajan en Z.
        lote.rotar(90, 1, 0, 0);
        lote.color(0.0, 0.7, 0.7);
        lote.esfera(Eigen::Vector3d::Zero(), r);
        if (textos) {
            lote.color(0.7, 0.7, 0.7);
            const double desplazamiento = Eigen::Vector3d(d->valores[0], d->valores[1], d->valores[2]).norm();
            lote.rotulo(rotuloDeCapa(valoresNudo(*d, casoDeResultados(resultados, c)->escalas), escalaTexto, 1,
                                     GiroRotulo::Legible, desplazamiento),
                        {r, escalaTexto, 0});
            if (desplazamiento > desplazamientoMayor) {
                desplazamientoMayor = desplazamiento;
                mayor = lote.rotulos().size() - 1;
            }
        }
        lote.sacar();
    }
    // El nudo que más se desplaza lleva sus valores siempre.
    if (desplazamientoMayor >= 0.0) lote.rotulos()[mayor].siempre = true;
}

// La elástica de cada barra visible, desde su inicio desplazado y en su marco
// local; `elastica` la da para una barra (o nada).
template <typename Elastica>
void plotElasticas(LoteDibujo& lote, Elastica elastica) {
    lote.anchoLinea(1);
    lote.color(0.0, 0.7, 0.7);
    std::vector<const objBarra3d*> visibles;
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i)
        if (barraVisible(i)) visibles.push_back(&barra[static_cast<std::size_t>(i)]);
    // La elástica une todas sus estaciones a cualquier zoom; con miles de
    // barras a la vista, menos (detalleBarras.h).
    const int tramos = kEstacionesDiagrama - 1;
    const DetalleBarras detalle(tramos, 0.0, kPresupuestoEstacionesDeformada,
                                lote.pixelesPorUnidad(), visibles);
    for (const objBarra3d* laBarra : visibles) {
        const objBarra3d& b = *laBarra;
        const std::optional<BarraDeformada> d = elastica(b);
        if (!d) continue;
        lote.entrarMarcoBarra(b, d->origen);
        const int paso = detalle.paso(b);
        if (d->inactiva) {
            // A trazos: un tramo sí y otro no entre las estaciones.
            for (size_t j = 0; j + 1 < d->puntos.size(); j += 2) lote.segmento(d->puntos[j], d->puntos[j + 1]);
        } else if (paso == 1) {
            lote.tira(d->puntos);
        } else {
            std::vector<Eigen::Vector3d> tira;
            for (std::size_t j = 0; j < d->puntos.size(); j += static_cast<std::size_t>(paso > 0 ? paso : tramos))
                tira.push_back(d->puntos[j]);
            lote.tira(tira);
        }
        lote.salirMarcoBarra();
    }
}

void plotBarrasDeformadas(LoteDibujo& lote, int c, double escala, bool minimo) {
    plotElasticas(lote, [c, escala, minimo](const objBarra3d& b) -> std::optional<BarraDeformada> {
        const int n = b.getNudoInicioInterno();
        if (n < 0 || n >= static_cast<int>(nudo.size())) return std::nullopt;
        return barraDeformada(b, nudo[static_cast<std::size_t>(n)], c, escala, minimo);
    });
}

}  // namespace

void plotDeformada(LoteDibujo& lote, int c, double escala) {
    plotNudosDeformados(lote, c, escala, false);
    plotBarrasDeformadas(lote, c, escala, false);
    // Un caso de dos valores: también los desplazamientos mínimos.
    if (casoDeDosValores(c)) {
        plotNudosDeformados(lote, c, escala, true);
        plotBarrasDeformadas(lote, c, escala, true);
    }
}

void plotFormaModal(LoteDibujo& lote, int modo, double escala) {
    if (modo < 0 || modo >= static_cast<int>(resultados.modos.size())) return;
    plotFormaCampo(lote, resultados.modos[static_cast<std::size_t>(modo)].forma, escala);
}

void plotFormaCampo(LoteDibujo& lote, const Eigen::VectorXd& forma, double escala) {
    // Los nudos, en su posición desplazada (sin valores: la forma no tiene unidades).
    lote.color(0.0, 0.7, 0.7);
    const double r = diagonal / 300;
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        if (!nudoVisible(i) || 6 * i + 3 > forma.size()) continue;
        const objNudo3d& n = nudo[static_cast<std::size_t>(i)];
        lote.esfera(Eigen::Vector3d(n.getX(), n.getY(), n.getZ()) + escala * forma.segment<3>(6 * i), r);
    }
    plotElasticas(lote, [&forma, escala](const objBarra3d& b) { return barraDeformadaDeCampo(b, forma, escala); });
}
