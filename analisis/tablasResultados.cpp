#include "analisis/tablasResultados.h"

#include <memory>
#include <utility>

#include "analisis/tablasFamilias.h"
#include "globales.h"

filaTabla& filaTabla::texto(std::string t) {
    celdas.emplace_back();
    celdas.back().texto = std::move(t);
    return *this;
}

filaTabla& filaTabla::entero(long long v) {
    celdas.emplace_back();
    celdas.back().numero = static_cast<double>(v);
    return *this;
}

filaTabla& filaTabla::numero(double v) {
    celdas.emplace_back();
    celdas.back().numero = v;
    return *this;
}

filaTabla& filaTabla::numero(double v, claseValor clase) {
    numero(v);
    celdas.back().claseDeCelda = true;
    celdas.back().clase = clase;
    return *this;
}

filaTabla& filaTabla::vacia() {
    celdas.emplace_back();
    celdas.back().vacia = true;
    return *this;
}

const std::vector<tablaResultados>& tablasDe(const resultadosAnalisis& r) {
    static const std::vector<tablaResultados> ninguna;
    return r.tablas ? *r.tablas : ninguna;
}

const std::vector<tablaResultados>& tablasDeResultados() { return tablasDe(resultados); }

const tablaResultados* tablaDeClave(const std::string& clave) {
    for (const tablaResultados& t : tablasDeResultados())
        if (t.clave == clave) return &t;
    return nullptr;
}

void agregarTabla(resultadosAnalisis& r, tablaResultados t) {
    if (!r.tablas) r.tablas = std::make_shared<std::vector<tablaResultados>>();
    r.tablas->push_back(std::move(t));
}

void publicarTablas(resultadosAnalisis& r) {
    r.tablas.reset();
    if (!r.disponibles) return;
    // Cada familia publica las suyas, en el orden de sus archivos.
    publicarTablasDeCasos(r);
    publicarTablasDeModos(r);
    publicarTablasDePandeo(r);
    publicarTablasSismicas(r);
    publicarTablasDeEnvolventes(r);
    publicarTablasDeDiafragmas(r);
    publicarTablasDePisos(r);
    publicarTablasSismoEstatico(r);
    publicarTablasDeAcero(r);
    publicarTablasDeFlechas(r);
}
