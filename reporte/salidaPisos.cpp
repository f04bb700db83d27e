#include "reporte/salidaPisos.h"

#include <cstdio>

#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"

namespace {

int usuarioDe(int interno) {
    return interno >= 0 && static_cast<size_t>(interno) < nudo.size()
               ? nudo[static_cast<size_t>(interno)].getNoNudoUsuario()
               : 0;
}

}  // namespace

std::vector<std::string> lineasPisos(const casoResultado& caso) {
    std::vector<std::string> lineas;
    if (caso.tipo != tipoCaso::espectral) return lineas;
    const double f = caso.escalas.fuerzas, m = caso.escalas.momentos;
    for (int k : diafragmasPorAltura()) {
        if (static_cast<size_t>(k) >= caso.pisos.size()) continue;
        const diafragma& d = diafragmas[static_cast<size_t>(k)];
        const resultadoPiso& p = caso.pisos[static_cast<size_t>(k)];
        char texto[400];
        std::snprintf(texto, sizeof texto,
                      "Piso %d (z = %g): fuerza X %.6e, Y %.6e; cortante X %.6e, Y %.6e; vuelco X %.6e, Y %.6e",
                      d.numero, d.z, sinRuido(p.fuerza[0], f), sinRuido(p.fuerza[1], f), sinRuido(p.cortante[0], f),
                      sinRuido(p.cortante[1], f), sinRuido(p.vuelco[0], m), sinRuido(p.vuelco[1], m));
        lineas.emplace_back(texto);
    }
    return lineas;
}

std::vector<std::string> lineasCentros() {
    std::vector<std::string> lineas;
    for (int k : diafragmasPorAltura()) {
        if (static_cast<size_t>(k) >= resultados.centros.size()) continue;
        const centroPiso& c = resultados.centros[static_cast<size_t>(k)];
        char texto[300];
        int n = std::snprintf(texto, sizeof texto, "Piso %d: masa %.6e, centro de masa (%.6e, %.6e)",
                              diafragmas[static_cast<size_t>(k)].numero, c.masa, c.xMasa, c.yMasa);
        if (c.conRigidez)
            std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n), ", centro de rigidez (%.6e, %.6e)",
                          c.xRigidez, c.yRigidez);
        lineas.emplace_back(texto);
    }
    return lineas;
}

std::string lineaDeriva(const casoResultado& caso) {
    int mayor = -1, direccion = 0, fallan = 0;
    for (int k : diafragmasPorAltura()) {
        if (static_cast<size_t>(k) >= caso.pisos.size()) continue;
        const resultadoPiso& p = caso.pisos[static_cast<size_t>(k)];
        if (!p.verificada) continue;
        if (!p.cumple) ++fallan;
        for (int d = 0; d < 2; ++d) {
            // Ante un empate manda el primero (el piso más bajo, X antes que Y).
            if (mayor < 0 || p.inelastica[d] > caso.pisos[static_cast<size_t>(mayor)].inelastica[direccion])
                mayor = k, direccion = d;
        }
    }
    if (mayor < 0) return "";
    const resultadoDiafragma& r = caso.diafragmas[static_cast<size_t>(mayor)];
    char texto[300];
    int n = std::snprintf(texto, sizeof texto, "Deriva del %s: mayor %.6e (piso %d, nudo %d); límite %g: ",
                          caso.nombre.c_str(), caso.pisos[static_cast<size_t>(mayor)].inelastica[direccion],
                          diafragmas[static_cast<size_t>(mayor)].numero, usuarioDe(direccion == 0 ? r.nudoX : r.nudoY),
                          diseno.limiteDeriva);
    if (fallan == 0)
        std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n), "cumple");
    else
        std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n), "NO CUMPLE en %d %s", fallan,
                      fallan == 1 ? "piso" : "pisos");
    return texto;
}
