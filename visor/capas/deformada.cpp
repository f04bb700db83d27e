// Deformada de una combinación: los nudos visibles en su posición desplazada,
// con sus desplazamientos y giros, y la elástica de cada barra visible. Las
// formas modales se dibujan igual, con la forma como campo de desplazamientos.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "globales.h"
#include "unidades.h"
#include "visor/capas/capas.h"
#include "visor/capas/detalleBarras.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/capas/rotulosDeCapa.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

namespace {

// Los nudos visibles en su posición desplazada. Sólo el que más se desplaza
// lleva un rótulo, "nudo 7: 0.0123" (el módulo de su traslación): los seis
// valores de cualquier nudo los da "nudo N" en la línea de órdenes, y un
// bloque por nudo tapaba el dibujo.
void plotNudosDeformados(LoteDibujo& lote, int c, double escala, bool minimo, bool conRotulo = true) {
    const bool textos = conRotulo && flagActivo(kFlagTextosDiagramas);
    const double r = diagonal / 300;
    std::optional<NudoDeformado> mayor;
    int nudoMayor = 0;
    double desplazamientoMayor = -1.0;
    lote.color(0.0, 0.7, 0.7);
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& n = nudo[static_cast<std::size_t>(i)];
        const auto d = nudoDeformado(n, c, escala, minimo);
        if (!d) continue;
        lote.esfera(d->posicion, r);
        const double desplazamiento = Eigen::Vector3d(d->valores[0], d->valores[1], d->valores[2]).norm();
        if (desplazamiento > desplazamientoMayor) {
            desplazamientoMayor = desplazamiento;
            mayor = d;
            nudoMayor = n.getNoNudoUsuario();
        }
    }
    if (!textos || !mayor) return;
    lote.empujar();
    lote.trasladar(mayor->posicion);
    // El plano xy local pasa a ser el XZ global.
    lote.rotar(90, 1, 0, 0);
    lote.color(0.7, 0.7, 0.7);
    const double escalaTraslaciones = casoDeResultados(resultados, c)->escalas.traslaciones;
    Rotulo3D rotulo = rotuloDeCapa("nudo " + std::to_string(nudoMayor) + ": " +
                                       formatearLegible(desplazamientoMayor, escalaTraslaciones, precision) +
                                       sufijoUnidad(magnitud::longitud),
                                   escalaTexto, 1, GiroRotulo::Legible, desplazamientoMayor);
    rotulo.siempre = true;
    lote.rotulo(rotulo, {r, escalaTexto, 0});
    lote.sacar();
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
            // A trazos, más gruesos y más claros que la elástica de las
            // activas, para que se vean: un tramo sí y otro no entre las estaciones.
            lote.anchoLinea(2.5);
            lote.color(0.6, 1.0, 1.0);
            for (size_t j = 0; j + 1 < d->puntos.size(); j += 2) lote.segmento(d->puntos[j], d->puntos[j + 1]);
            lote.anchoLinea(1);
            lote.color(0.0, 0.7, 0.7);
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
    // Un caso sísmico da módulos sin signo, combinados sobre los modos: no es
    // una deformada (un módulo vertical se leería como un levantamiento). Se
    // dibuja su envolvente, la forma hacia un lado y hacia el otro.
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso != nullptr && caso->tipo == tipoCaso::espectral) {
        plotNudosDeformados(lote, c, -escala, false, false);
        plotBarrasDeformadas(lote, c, -escala, false);
    }
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
