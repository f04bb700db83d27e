// La tabla de los diafragmas rígidos: por caso y diafragma, de abajo hacia
// arriba, el movimiento de su centroide y las derivas del piso con su nudo
// (dos filas en un caso de dos valores, sus máximos y sus mínimos, con las
// mismas derivas; sin piso debajo, las columnas de la deriva quedan vacías).
// Una deriva es una traslación sobre la altura: su ruido se mide con la
// escala de las traslaciones del caso por la altura. La de los niveles sin
// diafragma (niveles.csv): por caso y nivel, de abajo hacia arriba, la deriva
// en X y en Y con la columna que manda (una fila también en un caso de dos
// valores: la deriva es la mayor).
#include <memory>
#include <vector>

#include "analisis/niveles.h"
#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

int usuarioDe(int interno) {
    return interno >= 0 && static_cast<size_t>(interno) < nudo.size() ? nudo[static_cast<size_t>(interno)].getNoNudoUsuario()
                                                                       : 0;
}

double derivaSinRuido(const casoResultado& caso, const resultadoDiafragma& r, double deriva) {
    return r.altura > 0 ? sinRuido(deriva * r.altura, caso.escalas.traslaciones) / r.altura : 0.0;
}

struct filaDiafragma {
    size_t caso;
    int diafragma;  // índice en diafragmas
    bool minimos;
};

void publicarDiafragmas(resultadosAnalisis& r) {
    if (diafragmas.empty()) return;
    tablaResultados t;
    t.clave = "diafragmas.csv";
    t.columnas = {{"combo", claseValor::texto},     {"diafragma", claseValor::entero}, {"z", claseValor::longitud},
                  {"ux", claseValor::traslacion},   {"uy", claseValor::traslacion},    {"giroZ", claseValor::giro},
                  {"derivaX", claseValor::deriva},  {"nudoX", claseValor::entero},     {"derivaY", claseValor::deriva},
                  {"nudoY", claseValor::entero}};
    auto filas = std::make_shared<std::vector<filaDiafragma>>();
    for (size_t c = 0; c < r.casos.size(); ++c)
        for (int k : diafragmasPorAltura()) {
            if (static_cast<size_t>(k) >= r.casos[c].diafragmas.size()) continue;
            filas->push_back({c, k, false});
            if (r.casos[c].dosValores()) filas->push_back({c, k, true});
        }
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const filaDiafragma& fd = (*filas)[i];
        const casoResultado& caso = r.casos[fd.caso];
        const diafragma& d = diafragmas[static_cast<size_t>(fd.diafragma)];
        const resultadoDiafragma& rd = caso.diafragmas[static_cast<size_t>(fd.diafragma)];
        f.caso = static_cast<int>(fd.caso);
        f.escalas = &caso.escalas;
        std::string nombre = caso.nombre;
        if (caso.dosValores()) nombre += fd.minimos ? " (mínimos)" : " (máximos)";
        f.texto(nombre).entero(d.numero).numero(d.z);
        if (fd.minimos) f.numero(rd.uxMinimo).numero(rd.uyMinimo).numero(rd.giroMinimo);
        else f.numero(rd.ux).numero(rd.uy).numero(rd.giro);
        if (!rd.conDeriva) {
            f.vacia().vacia().vacia().vacia();
            return;
        }
        f.numero(derivaSinRuido(caso, rd, rd.derivaX)).entero(usuarioDe(rd.nudoX));
        f.numero(derivaSinRuido(caso, rd, rd.derivaY)).entero(usuarioDe(rd.nudoY));
    };
    agregarTabla(r, std::move(t));
}

void tablaDeNiveles(resultadosAnalisis& r) {
    if (r.niveles.empty()) return;
    tablaResultados t;
    t.clave = "niveles.csv";
    t.titulo = "Derivas de los niveles sin diafragma";
    t.columnas = {{"combo", claseValor::texto},   {"z", claseValor::longitud},     {"derivaX", claseValor::deriva},
                  {"barraX", claseValor::entero}, {"derivaY", claseValor::deriva}, {"barraY", claseValor::entero}};
    auto filas = std::make_shared<std::vector<std::pair<size_t, size_t>>>();
    for (size_t c = 0; c < r.casos.size(); ++c)
        for (size_t k = 0; k < r.casos[c].niveles.size() && k < r.niveles.size(); ++k) filas->emplace_back(c, k);
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const auto [c, k] = (*filas)[i];
        const casoResultado& caso = r.casos[c];
        const nivelColumnas& n = r.niveles[k];
        const resultadoNivel& rn = caso.niveles[k];
        const auto columna = [&](int j) {
            return j >= 0 && static_cast<size_t>(j) < n.barras.size()
                       ? barra[static_cast<size_t>(n.barras[static_cast<size_t>(j)])].getNoBarraUsuario()
                       : 0;
        };
        f.caso = static_cast<int>(c);
        f.escalas = &caso.escalas;
        f.texto(caso.nombre).numero(n.z);
        f.numero(derivaNivelSinRuido(caso, rn, 0)).entero(columna(rn.columnaX));
        f.numero(derivaNivelSinRuido(caso, rn, 1)).entero(columna(rn.columnaY));
    };
    agregarTabla(r, std::move(t));
}

}  // namespace

void publicarTablasDeDiafragmas(resultadosAnalisis& r) {
    publicarDiafragmas(r);
    tablaDeNiveles(r);
}
