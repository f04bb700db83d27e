// Las tablas de los casos de resultados: por nudo, desplazamientos y
// reacciones; por barra, fuerzas de extremo y extremos de cada solicitación.
// Los casos de un valor dan una fila por nudo o barra; los de dos valores
// (envolventes y combinaciones con sismo), una por componente con su máximo y
// su mínimo y el caso que manda en cada uno.
#include <memory>
#include <vector>

#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"
#include "globales.h"

namespace {

const char* const kComponentesDesplazamiento[6] = {"ux", "uy", "uz", "giroX", "giroY", "giroZ"};
const char* const kComponentesReaccion[6] = {"Rx", "Ry", "Rz", "Mx", "My", "Mz"};
const char* const kFuerzasExtremo[12] = {"fx1", "fy1", "fz1", "mx1", "my1", "mz1",
                                         "fx2", "fy2", "fz2", "mx2", "my2", "mz2"};

// Una combinación de segundo orden que supera la carga crítica no tiene
// resultados: no da filas.
bool conResultados(const casoResultado& caso) {
    return !(caso.tipo == tipoCaso::segundoOrden && caso.segundoOrden.inestable);
}

// Los casos que dan filas en las tablas de un valor, o en las de dos.
std::vector<int> casosDe(const resultadosAnalisis& r, bool dosValores) {
    std::vector<int> casos;
    for (size_t c = 0; c < r.casos.size(); ++c)
        if (r.casos[c].dosValores() == dosValores && conResultados(r.casos[c])) casos.push_back(static_cast<int>(c));
    return casos;
}

// Los nudos (internos) con algún apoyo o resorte.
std::vector<int> nudosConReaccion() {
    std::vector<int> n;
    for (const objNudo3d& nd : nudo)
        if (nd.tieneAlgunaReaccion()) n.push_back(nd.getNoNudoInterno());
    return n;
}

std::vector<columnaTabla> columnas(const char* primera, const char* segunda, const char* const nombres[],
                                   int cuantos, claseValor a, claseValor b) {
    std::vector<columnaTabla> c{{primera, claseValor::texto}, {segunda, claseValor::entero}};
    for (int i = 0; i < cuantos; ++i) c.push_back({nombres[i], i % 6 < 3 ? a : b});
    return c;
}

// Una tabla de un valor por nudo (todos, o los de la lista) y caso: seis componentes.
tablaResultados tablaDeNudos(const resultadosAnalisis& r, const char* clave, const char* const nombres[6],
                             claseValor a, claseValor b, bool reacciones) {
    tablaResultados t;
    t.clave = clave;
    t.columnas = columnas("combo", "nudo", nombres, 6, a, b);
    auto casos = std::make_shared<std::vector<int>>(casosDe(r, false));
    auto nudos = std::make_shared<std::vector<int>>();
    if (reacciones) *nudos = nudosConReaccion();
    else for (const objNudo3d& n : nudo) nudos->push_back(n.getNoNudoInterno());
    t.filas = casos->size() * nudos->size();
    t.llenar = [&r, casos, nudos, reacciones](std::size_t i, filaTabla& f) {
        const int c = (*casos)[i / nudos->size()];
        const int n = (*nudos)[i % nudos->size()];
        const casoResultado& caso = r.casos[static_cast<size_t>(c)];
        f.caso = c;
        f.escalas = &caso.escalas;
        f.texto(caso.nombre).entero(nudo[static_cast<size_t>(n)].getNoNudoUsuario());
        const Eigen::MatrixXd& m = reacciones ? caso.reacciones : caso.desplazamientos;
        for (int k = 0; k < 6; ++k) f.numero(m(k, n));
    };
    return t;
}

tablaResultados tablaFuerzasExtremos(const resultadosAnalisis& r) {
    tablaResultados t;
    t.clave = "fuerzasExtremos.csv";
    t.columnas = columnas("combo", "barra", kFuerzasExtremo, 12, claseValor::fuerza, claseValor::momento);
    auto casos = std::make_shared<std::vector<int>>(casosDe(r, false));
    const size_t nb = barra.size();
    t.filas = casos->size() * nb;
    t.llenar = [&r, casos, nb](std::size_t i, filaTabla& f) {
        const int c = (*casos)[i / nb];
        const objBarra3d& b = barra[i % nb];
        const casoResultado& caso = r.casos[static_cast<size_t>(c)];
        f.caso = c;
        f.escalas = &caso.escalas;
        f.texto(caso.nombre).entero(b.getNoBarraUsuario());
        const double* fuerzas = caso.barras[static_cast<size_t>(b.getNoBarraInterna())].fuerzas;
        for (int k = 0; k < 12; ++k) f.numero(fuerzas[k]);
    };
    return t;
}

// El nombre del caso que manda en un extremo: el de la envolvente, o el caso
// mismo en una combinación con sismo.
const std::string& queManda(const resultadosAnalisis& r, const casoResultado& caso, int indice) {
    return indice >= 0 && indice < static_cast<int>(r.casos.size()) ? r.casos[static_cast<size_t>(indice)].nombre
                                                                   : caso.nombre;
}

int casoDe(const Eigen::MatrixXi& casos, int fila, Eigen::Index nudoInterno) {
    return casos.rows() == 12 && nudoInterno < casos.cols() ? casos(fila, nudoInterno) : -1;
}

// envolvente,nudo,componente,maximo,comboMaximo,minimo,comboMinimo: seis filas por nudo.
tablaResultados tablaEnvolventeNudos(const resultadosAnalisis& r, bool reacciones) {
    tablaResultados t;
    t.clave = reacciones ? "envolventeReacciones.csv" : "envolventeDesplazamientos.csv";
    const claseValor a = reacciones ? claseValor::fuerza : claseValor::traslacion;
    t.columnas = {{"envolvente", claseValor::texto}, {"nudo", claseValor::entero}, {"componente", claseValor::texto},
                  {"maximo", a},                     {"comboMaximo", claseValor::texto}, {"minimo", a},
                  {"comboMinimo", claseValor::texto}};
    auto casos = std::make_shared<std::vector<int>>(casosDe(r, true));
    auto nudos = std::make_shared<std::vector<int>>();
    if (reacciones) *nudos = nudosConReaccion();
    else for (const objNudo3d& n : nudo) nudos->push_back(n.getNoNudoInterno());
    const size_t porCaso = 6 * nudos->size();
    t.filas = casos->size() * porCaso;
    t.llenar = [&r, casos, nudos, porCaso, reacciones](std::size_t i, filaTabla& f) {
        const int c = (*casos)[i / porCaso];
        const int n = (*nudos)[i % porCaso / 6];
        const int k = static_cast<int>(i % 6);
        const casoResultado& caso = r.casos[static_cast<size_t>(c)];
        const Eigen::MatrixXd& mayor = reacciones ? caso.reacciones : caso.desplazamientos;
        const Eigen::MatrixXd& menor = reacciones ? caso.reaccionesMinimas : caso.desplazamientosMinimos;
        const Eigen::MatrixXi& manda = reacciones ? caso.casosReacciones : caso.casosDesplazamientos;
        const claseValor clase = reacciones ? (k < 3 ? claseValor::fuerza : claseValor::momento)
                                            : (k < 3 ? claseValor::traslacion : claseValor::giro);
        f.caso = c;
        f.escalas = &caso.escalas;
        f.texto(caso.nombre).entero(nudo[static_cast<size_t>(n)].getNoNudoUsuario());
        f.texto(reacciones ? kComponentesReaccion[k] : kComponentesDesplazamiento[k]);
        f.numero(mayor(k, n), clase).texto(queManda(r, caso, casoDe(manda, k, n)));
        f.numero(menor(k, n), clase).texto(queManda(r, caso, casoDe(manda, 6 + k, n)));
    };
    return t;
}

// combo,barra,esfuerzo,maximo,xMaximo,minimo,xMinimo: seis filas por barra; en
// una envolvente (envolvente,...), con la combinación que manda en cada extremo.
tablaResultados tablaSolicitaciones(const resultadosAnalisis& r, bool envolvente) {
    tablaResultados t;
    t.clave = envolvente ? "envolventeSolicitaciones.csv" : "solicitaciones.csv";
    t.columnas = {{envolvente ? "envolvente" : "combo", claseValor::texto}, {"barra", claseValor::entero},
                  {"esfuerzo", claseValor::texto}, {"maximo", claseValor::fuerza}, {"xMaximo", claseValor::longitud}};
    if (envolvente) t.columnas.push_back({"comboMaximo", claseValor::texto});
    t.columnas.push_back({"minimo", claseValor::fuerza});
    t.columnas.push_back({"xMinimo", claseValor::longitud});
    if (envolvente) t.columnas.push_back({"comboMinimo", claseValor::texto});
    auto casos = std::make_shared<std::vector<int>>(casosDe(r, envolvente));
    const size_t porCaso = barra.size() * kNumeroSolicitaciones;
    t.filas = casos->size() * porCaso;
    t.llenar = [&r, casos, porCaso, envolvente](std::size_t i, filaTabla& f) {
        const int c = (*casos)[i / porCaso];
        const objBarra3d& b = barra[i % porCaso / kNumeroSolicitaciones];
        const int s = static_cast<int>(i % kNumeroSolicitaciones);
        const casoResultado& caso = r.casos[static_cast<size_t>(c)];
        const extremoSolicitacion& e = caso.barras[static_cast<size_t>(b.getNoBarraInterna())].extremos[s];
        const claseValor clase = claseDeSolicitacion(s);
        f.caso = c;
        f.escalas = &caso.escalas;
        f.texto(caso.nombre).entero(b.getNoBarraUsuario()).texto(kNombresSolicitaciones[s]);
        f.numero(e.maximo, clase).numero(e.xMaximo);
        if (envolvente) f.texto(queManda(r, caso, e.casoMaximo));
        f.numero(e.minimo, clase).numero(e.xMinimo);
        if (envolvente) f.texto(queManda(r, caso, e.casoMinimo));
    };
    return t;
}

}  // namespace

void publicarTablasDeCasos(resultadosAnalisis& r) {
    agregarTabla(r, tablaDeNudos(r, "desplazamientos.csv", kComponentesDesplazamiento, claseValor::traslacion,
                                 claseValor::giro, false));
    agregarTabla(r, tablaDeNudos(r, "reacciones.csv", kComponentesReaccion, claseValor::fuerza, claseValor::momento,
                                 true));
    agregarTabla(r, tablaFuerzasExtremos(r));
    agregarTabla(r, tablaSolicitaciones(r, false));
}

void publicarTablasDeEnvolventes(resultadosAnalisis& r) {
    if (casosDe(r, true).empty()) return;
    agregarTabla(r, tablaEnvolventeNudos(r, false));
    agregarTabla(r, tablaEnvolventeNudos(r, true));
    agregarTabla(r, tablaSolicitaciones(r, true));
}
