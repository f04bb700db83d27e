#include "reporte/salidaPisos.h"

#include <algorithm>
#include <cstdio>

#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"
#include "reporte/salidaDiafragmas.h"

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
    // Los pisos y los niveles sin diafragma verificados, de abajo hacia arriba.
    struct verificado {
        double z;
        bool nivel;
        size_t k;
        const double* inelastica;
    };
    std::vector<verificado> todos;
    int fallan = 0;
    for (int k : diafragmasPorAltura()) {
        const size_t i = static_cast<size_t>(k);
        if (i >= caso.pisos.size() || !caso.pisos[i].verificada) continue;
        todos.push_back({diafragmas[i].z, false, i, caso.pisos[i].inelastica});
        if (!caso.pisos[i].cumple) ++fallan;
    }
    for (size_t k = 0; k < caso.niveles.size() && k < resultados.niveles.size(); ++k) {
        if (!caso.niveles[k].verificada) continue;
        todos.push_back({resultados.niveles[k].z, true, k, caso.niveles[k].inelastica});
        if (!caso.niveles[k].cumple) ++fallan;
    }
    std::stable_sort(todos.begin(), todos.end(), [](const verificado& a, const verificado& b) { return a.z < b.z; });
    const verificado* mayor = nullptr;
    int direccion = 0;
    for (const verificado& v : todos)
        for (int d = 0; d < 2; ++d) {
            // Ante un empate manda el primero (el más bajo, X antes que Y).
            if (mayor == nullptr || v.inelastica[d] > mayor->inelastica[direccion]) mayor = &v, direccion = d;
        }
    if (mayor == nullptr) return "";
    char donde[120];
    if (mayor->nivel) {
        const nivelColumnas& n = resultados.niveles[mayor->k];
        const resultadoNivel& r = caso.niveles[mayor->k];
        const int j = direccion == 0 ? r.columnaX : r.columnaY;
        std::snprintf(donde, sizeof donde, "nivel z = %g, barra %d", n.z,
                      j >= 0 && static_cast<size_t>(j) < n.barras.size() ? barraDeUsuario(n.barras[static_cast<size_t>(j)])
                                                                         : 0);
    } else {
        const resultadoDiafragma& r = caso.diafragmas[mayor->k];
        std::snprintf(donde, sizeof donde, "piso %d, nudo %d", diafragmas[mayor->k].numero,
                      usuarioDe(direccion == 0 ? r.nudoX : r.nudoY));
    }
    char texto[300];
    int n = std::snprintf(texto, sizeof texto, "Deriva del %s: mayor %.6e (%s); límite %g: ", caso.nombre.c_str(),
                          mayor->inelastica[direccion], donde, diseno.limiteDeriva);
    if (fallan == 0)
        std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n), "cumple");
    else
        std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n), "NO CUMPLE en %d %s", fallan,
                      fallan == 1 ? "piso" : "pisos");
    return texto;
}
