// Paso del cargador: informeDiagramas: NOMBRES... (N, Vy, Vz, My, Mz, T en
// cualquier orden, al menos uno): los diagramas que el informe dibuja en cada
// caso. Una sola vez; un nombre que no es una solicitación, o la lista vacía,
// es un error que nombra el registro.
#include <algorithm>
#include <string>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "modelo/diagramasInforme.h"
#include "modelo/solicitacionesBarra.h"

void pasoDiagramasInforme(ContextoCarga& ctx) {
    diagramasDelInforme = diagramasPorDefecto();
    const std::string etiqueta = "informeDiagramas:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    if (registros == 0) return;
    if (registros > 1) {
        mensajes.error("Error: la etiqueta " + etiqueta + " está " + std::to_string(registros) +
                       " veces; va una sola vez");
        return;
    }
    const std::string registro = "Error: el registro 1 de " + etiqueta;
    const std::vector<std::string> palabras = ctx.lector.getPalabrasDeLinea(etiqueta, 1);
    if (palabras.empty()) {
        mensajes.error(registro + " no nombra ningún diagrama (por ejemplo " + etiqueta + " N My Mz)");
        return;
    }
    std::vector<char> pedido(kNumeroSolicitaciones, 0);
    bool bien = true;
    for (const std::string& p : palabras) {
        const auto s = std::find(std::begin(kNombresSolicitaciones), std::end(kNombresSolicitaciones), p);
        if (s == std::end(kNombresSolicitaciones)) {
            mensajes.error(registro + " nombra " + p + ", que no es un diagrama: N, Vy, Vz, My, Mz o T");
            bien = false;
        } else {
            pedido[static_cast<std::size_t>(s - std::begin(kNombresSolicitaciones))] = 1;
        }
    }
    if (!bien) return;
    diagramasDelInforme.solicitaciones.clear();
    for (int s = 0; s < kNumeroSolicitaciones; ++s)
        if (pedido[static_cast<std::size_t>(s)]) diagramasDelInforme.solicitaciones.push_back(s);
}
