// La tabla de los casos sísmicos: por caso y modo, el período, la aceleración
// espectral y el módulo del cortante basal del modo en X, Y y Z. El ruido de
// un cortante modal se mide contra la escala de las fuerzas del caso o, si es
// mayor, contra el mayor cortante modal del sismo.
#include <memory>
#include <vector>

#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"

void publicarTablasSismicas(resultadosAnalisis& r) {
    if (r.sismos.empty()) return;
    tablaResultados t;
    t.clave = "sismo.csv";
    t.columnas = {{"caso", claseValor::texto},         {"modo", claseValor::entero},       {"periodo", claseValor::periodo},
                  {"sa", claseValor::aceleracion},      {"cortanteX", claseValor::fuerza}, {"cortanteY", claseValor::fuerza},
                  {"cortanteZ", claseValor::fuerza}};
    auto filas = std::make_shared<std::vector<std::pair<size_t, size_t>>>();
    auto escalas = std::make_shared<std::vector<escalasCaso>>(r.sismos.size());
    for (size_t e = 0; e < r.sismos.size(); ++e) {
        for (const casoResultado& c : r.casos)
            if (c.tipo == tipoCaso::espectral && c.sismo == static_cast<int>(e)) (*escalas)[e].fuerzas = c.escalas.fuerzas;
        if (r.sismos[e].cortantesModales.size() > 0)
            (*escalas)[e].fuerzas = std::max((*escalas)[e].fuerzas, r.sismos[e].cortantesModales.cwiseAbs().maxCoeff());
        for (size_t k = 0; k < r.sismos[e].periodos.size(); ++k) filas->emplace_back(e, k);
    }
    t.filas = filas->size();
    t.llenar = [&r, filas, escalas](std::size_t i, filaTabla& f) {
        const auto [e, k] = (*filas)[i];
        const resultadoSismico& s = r.sismos[e];
        f.escalas = &(*escalas)[e];
        f.texto(s.nombre).entero(static_cast<long long>(k + 1)).numero(s.periodos[k]).numero(s.aceleraciones[k]);
        // El signo de un modo es arbitrario: el módulo.
        for (int d = 0; d < 3; ++d) f.numero(std::fabs(s.cortantesModales(static_cast<Eigen::Index>(k), d)));
    };
    agregarTabla(r, std::move(t));
}
