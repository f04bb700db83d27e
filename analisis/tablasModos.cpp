// Las tablas de los modos de vibración y del pandeo: por modo, su período y
// sus masas efectivas (o su factor crítico), y su forma nudo por nudo. Una
// forma se normaliza con su mayor traslación, que vale 1: el ruido de sus
// traslaciones se mide contra 1 y el de sus giros contra su mayor giro.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"
#include "globales.h"

namespace {

const char* const kComponentes[6] = {"ux", "uy", "uz", "giroX", "giroY", "giroZ"};

// Las escalas del ruido de una forma: 1 en las traslaciones, su mayor giro en los giros.
escalasCaso escalasDeForma(const Eigen::VectorXd& forma) {
    escalasCaso e;
    e.traslaciones = 1.0;
    for (Eigen::Index i = 3; i < forma.size(); i += (i % 6 == 5 ? 4 : 1)) e.giros = std::max(e.giros, std::fabs(forma(i)));
    return e;
}

// Las formas, una fila por nudo: primero `previas` columnas (el combo del
// pandeo, el modo), después el nudo y sus seis componentes.
struct formasTabla {
    std::vector<const Eigen::VectorXd*> formas;
    std::vector<std::string> nombres;  // del combo (pandeo) o vacío (modos)
    std::vector<int> modos;
    std::vector<escalasCaso> escalas;
};

tablaResultados tablaFormas(const char* clave, std::shared_ptr<formasTabla> d, bool conCombo) {
    tablaResultados t;
    t.clave = clave;
    if (conCombo) t.columnas.push_back({"combo", claseValor::texto});
    t.columnas.push_back({"modo", claseValor::entero});
    t.columnas.push_back({"nudo", claseValor::entero});
    for (int k = 0; k < 6; ++k) t.columnas.push_back({kComponentes[k], k < 3 ? claseValor::traslacion : claseValor::giro});
    // Los nudos que la forma cubre (todos, salvo una forma más corta).
    const size_t nn = nudo.size();
    t.filas = d->formas.size() * nn;
    t.llenar = [d, nn, conCombo](std::size_t i, filaTabla& f) {
        const size_t m = i / nn;
        const objNudo3d& n = nudo[i % nn];
        const Eigen::VectorXd& forma = *d->formas[m];
        const Eigen::Index g = 6 * static_cast<Eigen::Index>(n.getNoNudoInterno());
        f.escalas = &d->escalas[m];
        if (conCombo) f.texto(d->nombres[m]);
        f.entero(d->modos[m]).entero(n.getNoNudoUsuario());
        for (int k = 0; k < 6; ++k) f.numero(g + 6 <= forma.size() ? forma(g + k) : 0.0);
    };
    return t;
}

}  // namespace

void publicarTablasDeModos(resultadosAnalisis& r) {
    if (r.modos.empty()) return;
    tablaResultados modos;
    modos.clave = "modos.csv";
    modos.columnas = {{"modo", claseValor::entero},      {"periodo", claseValor::periodo}, {"frecuencia", claseValor::frecuencia},
                      {"mx", claseValor::fraccion},      {"my", claseValor::fraccion},     {"mz", claseValor::fraccion}};
    modos.filas = r.modos.size();
    modos.llenar = [&r](std::size_t i, filaTabla& f) {
        const modoVibracion& m = r.modos[i];
        f.entero(static_cast<long long>(i + 1)).numero(m.periodo).numero(m.frecuencia);
        for (int d = 0; d < 3; ++d) f.numero(m.masaEfectiva(d));
    };
    agregarTabla(r, std::move(modos));
    auto d = std::make_shared<formasTabla>();
    for (size_t k = 0; k < r.modos.size(); ++k) {
        d->formas.push_back(&r.modos[k].forma);
        d->nombres.emplace_back();
        d->modos.push_back(static_cast<int>(k + 1));
        d->escalas.push_back(escalasDeForma(r.modos[k].forma));
    }
    agregarTabla(r, tablaFormas("formasModales.csv", d, false));
}

void publicarTablasDePandeo(resultadosAnalisis& r) {
    if (r.pandeo.empty()) return;
    tablaResultados factores;
    factores.clave = "pandeo.csv";
    factores.columnas = {{"combo", claseValor::texto}, {"modo", claseValor::entero}, {"factor", claseValor::factor}};
    auto filas = std::make_shared<std::vector<std::pair<size_t, size_t>>>();
    for (size_t p = 0; p < r.pandeo.size(); ++p)
        for (size_t k = 0; k < r.pandeo[p].factores.size(); ++k) filas->emplace_back(p, k);
    factores.filas = filas->size();
    factores.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const auto [p, k] = (*filas)[i];
        f.texto(r.pandeo[p].nombre).entero(static_cast<long long>(k + 1)).numero(r.pandeo[p].factores[k]);
    };
    agregarTabla(r, std::move(factores));
    auto d = std::make_shared<formasTabla>();
    for (const pandeoCombo& p : r.pandeo)
        for (size_t k = 0; k < p.formas.size(); ++k) {
            d->formas.push_back(&p.formas[k]);
            d->nombres.push_back(p.nombre);
            d->modos.push_back(static_cast<int>(k + 1));
            d->escalas.push_back(escalasDeForma(p.formas[k]));
        }
    agregarTabla(r, tablaFormas("formasPandeo.csv", d, true));
}
