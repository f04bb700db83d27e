// Las tablas del método estático equivalente y de las escalas de los casos
// sísmicos: por caso estático su peso sísmico y su cortante basal
// (sismoEstatico.csv) y, por nivel de abajo hacia arriba, su altura, su masa,
// su fuerza y el cortante que pasa al de abajo (fuerzasEstaticas.csv); por
// caso sísmico escalado, su cortante basal antes de escalar, el del caso
// estático, su porcentaje y la escala (escalasSismo.csv).
#include <memory>
#include <vector>

#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"

namespace {

const char* direccionDe(int d) { return d == 0 ? "X" : "Y"; }

void tablaDeCasos(resultadosAnalisis& r) {
    tablaResultados t;
    t.clave = "sismoEstatico.csv";
    t.titulo = "Método estático equivalente";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"caso", claseValor::texto},     {"direccion", claseValor::texto}, {"coeficiente", claseValor::factor},
                  {"k", claseValor::factor},       {"peso", claseValor::fuerza},     {"cortante", claseValor::fuerza}};
    t.filas = r.estaticos.size();
    t.llenar = [&r](std::size_t i, filaTabla& f) {
        const distribucionSismoEstatico& e = r.estaticos[i];
        f.texto(e.nombre).texto(direccionDe(e.direccion)).numero(e.coeficiente).numero(e.exponente);
        f.numero(e.peso).numero(e.cortante);
    };
    agregarTabla(r, std::move(t));
}

void tablaDeNiveles(resultadosAnalisis& r) {
    tablaResultados t;
    t.clave = "fuerzasEstaticas.csv";
    t.titulo = "Fuerzas del método estático equivalente por nivel";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"caso", claseValor::texto},     {"z", claseValor::longitud},    {"altura", claseValor::longitud},
                  {"masa", claseValor::masa},      {"fuerza", claseValor::fuerza}, {"cortante", claseValor::fuerza}};
    auto filas = std::make_shared<std::vector<std::pair<size_t, size_t>>>();
    for (size_t e = 0; e < r.estaticos.size(); ++e)
        for (size_t k = 0; k < r.estaticos[e].niveles.size(); ++k) filas->emplace_back(e, k);
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const auto [e, k] = (*filas)[i];
        const distribucionSismoEstatico& d = r.estaticos[e];
        const nivelSismoEstatico& n = d.niveles[k];
        double cortante = 0;
        for (size_t j = k; j < d.niveles.size(); ++j) cortante += d.niveles[j].fuerza;
        f.texto(d.nombre).numero(n.z).numero(n.altura).numero(n.masa).numero(n.fuerza).numero(cortante);
    };
    agregarTabla(r, std::move(t));
}

void tablaDeEscalas(resultadosAnalisis& r) {
    auto filas = std::make_shared<std::vector<size_t>>();
    for (size_t e = 0; e < r.sismos.size(); ++e)
        if (r.sismos[e].conEscala) filas->push_back(e);
    if (filas->empty()) return;
    tablaResultados t;
    t.clave = "escalasSismo.csv";
    t.titulo = "Escala de los sismos por el cortante basal estático";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"caso", claseValor::texto},           {"estatico", claseValor::texto},
                  {"cortante", claseValor::fuerza},      {"cortanteEstatico", claseValor::fuerza},
                  {"porcentaje", claseValor::porcentaje}, {"escala", claseValor::factor}};
    t.filas = filas->size();
    t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
        const resultadoSismico& s = r.sismos[(*filas)[i]];
        f.texto(s.nombre).texto(s.estatico).numero(s.cortanteDinamico).numero(s.cortanteEstatico);
        f.numero(100 * s.cortanteDinamico / s.cortanteEstatico).numero(s.escala);
    };
    agregarTabla(r, std::move(t));
}

}  // namespace

void publicarTablasSismoEstatico(resultadosAnalisis& r) {
    if (!r.estaticos.empty()) {
        tablaDeCasos(r);
        tablaDeNiveles(r);
    }
    tablaDeEscalas(r);
}
