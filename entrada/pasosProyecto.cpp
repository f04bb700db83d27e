// Paso del cargador: los datos del proyecto para el bloque de título del
// informe. Cada etiqueta va una vez y toma el resto de su línea como texto
// (las palabras, separadas por un espacio); sin texto es un error que nombra
// la etiqueta, y repetida también: dos títulos distintos no pueden ir los dos.
#include <string>
#include <vector>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "modelo/proyecto.h"

void pasoProyecto(ContextoCarga& ctx) {
    proyecto = datosProyecto();
    const std::pair<const char*, std::string*> campos[] = {{"proyecto:", &proyecto.proyecto},
                                                           {"cliente:", &proyecto.cliente},
                                                           {"ingeniero:", &proyecto.ingeniero},
                                                           {"norma:", &proyecto.norma},
                                                           {"fecha:", &proyecto.fecha}};
    for (const auto& [etiqueta, texto] : campos) {
        const int registros = ctx.lector.getNoEtiquetas(etiqueta);
        if (registros == 0) continue;
        if (registros > 1) {
            mensajes.error(std::string("Error: la etiqueta ") + etiqueta + " está " + std::to_string(registros) +
                           " veces; va una sola vez");
            continue;
        }
        std::string linea;
        for (const std::string& p : ctx.lector.getPalabrasDeLinea(etiqueta, 1)) linea += (linea.empty() ? "" : " ") + p;
        if (linea.empty()) {
            mensajes.error(std::string("Error: ") + etiqueta + " necesita un texto en su misma línea (por ejemplo " +
                           etiqueta + " Edificio Los Robles)");
            continue;
        }
        *texto = linea;
    }
}
