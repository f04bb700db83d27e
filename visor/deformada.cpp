// Deformada de una combinación: los nudos visibles en su posición desplazada,
// con sus desplazamientos y giros, y la elástica de cada barra visible.
#include <cstddef>
#include <string>

#include "globales.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/formatoTexto.h"
#include "visor/geometriaDiagramas.h"
#include "visor/lote.h"
#include "visor/rotulosDeCapa.h"
#include "visor/visibilidad.h"

namespace {

// Encabezado y los seis valores, uno por renglón.
std::string valoresNudo(const NudoDeformado& d) {
    std::string texto = "Ux, Uy, Uz ,Gx, Gy, Gz";
    for (double v : d.valores) texto += "\n" + formatearNumero(v, precision, true);
    return texto;
}

void plotNudosDeformados(LoteDibujo& lote, int c, double escala) {
    const bool textos = flagActivo(kFlagTextosDiagramas);
    const double r = diagonal / 300;
    std::size_t mayor = 0;
    double desplazamientoMayor = -1.0;
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        if (!nudoVisible(i)) continue;
        const auto d = nudoDeformado(nudo[static_cast<std::size_t>(i)], c, escala);
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
            lote.rotulo(rotuloDeCapa(valoresNudo(*d), escalaTexto, 1, GiroRotulo::Legible, desplazamiento),
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

void plotBarrasDeformadas(LoteDibujo& lote, int c, double escala) {
    lote.anchoLinea(1);
    lote.color(0.0, 0.7, 0.7);
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const int n = b.getNudoInicioInterno();
        if (n < 0 || n >= static_cast<int>(nudo.size())) continue;
        const auto d = barraDeformada(b, nudo[static_cast<std::size_t>(n)], c, escala);
        if (!d) continue;
        lote.entrarMarcoBarra(b, d->origen);
        lote.tira(d->puntos);
        lote.salirMarcoBarra();
    }
}

}  // namespace

void plotDeformada(LoteDibujo& lote, int c, double escala) {
    plotNudosDeformados(lote, c, escala);
    plotBarrasDeformadas(lote, c, escala);
}
