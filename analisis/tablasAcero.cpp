// Las tablas de la verificación de acero: verificacion.csv (por miembro y
// caso, el punto que manda), resistencias.csv (las resistencias de cada
// miembro) y, para el informe, los miembros ordenados por su mayor razón (los
// que no cumplen primero). verificacion.csv y resistencias.csv van también a
// resultados.txt.
#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"
#include "diagnosticos.h"

namespace {

std::string nombreDeCaso(const resultadosAnalisis& r, const verificacionEnCaso& v) {
    if (v.caso < 0 || static_cast<size_t>(v.caso) >= r.casos.size()) return "";
    const casoResultado& caso = r.casos[static_cast<size_t>(v.caso)];
    if (!caso.dosValores()) return caso.nombre;
    return caso.nombre + (v.minimos ? " (mínimos)" : " (máximos)");
}

const char* nombreModo(modoPandeo m) {
    switch (m) {
        case modoPandeo::flexionY: return "flexión alrededor de y";
        case modoPandeo::flexionZ: return "flexión alrededor de z";
        case modoPandeo::torsion: return "torsión";
    }
    return "";
}

std::string sufijoMetodo(const resultadosAnalisis& r) {
    return std::string("(AISC 360-16, ") + nombreMetodo(r.acero.metodo) + ")";
}

}  // namespace

std::string barrasDeMiembro(const miembroVerificado& m) { return enRangos(m.barras); }

void publicarTablasDeAcero(resultadosAnalisis& r) {
    if (!r.acero.pedida) return;
    const std::vector<miembroVerificado>& miembros = r.acero.miembros;

    // verificacion.csv: una fila por miembro verificado y caso.
    {
        tablaResultados t;
        t.clave = "verificacion.csv";
        t.titulo = "Verificación de acero " + sufijoMetodo(r);
        t.enReporte = true;
        t.columnas = {{"miembro", claseValor::texto}, {"barras", claseValor::texto}, {"combo", claseValor::texto},
                      {"ecuacion", claseValor::texto}, {"razon", claseValor::factor},  {"x", claseValor::longitud},
                      {"Pr", claseValor::fuerza},      {"Pc", claseValor::fuerza},     {"Mry", claseValor::momento},
                      {"Mcy", claseValor::momento},    {"Mrz", claseValor::momento},   {"Mcz", claseValor::momento},
                      {"Vr", claseValor::fuerza},      {"Vc", claseValor::fuerza}};
        auto filas = std::make_shared<std::vector<std::pair<size_t, size_t>>>();
        for (size_t m = 0; m < miembros.size(); ++m)
            for (size_t c = 0; c < miembros[m].casos.size(); ++c) filas->emplace_back(m, c);
        t.filas = filas->size();
        t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
            const miembroVerificado& m = r.acero.miembros[(*filas)[i].first];
            const verificacionEnCaso& v = m.casos[(*filas)[i].second];
            f.caso = v.caso;
            f.escalas = &r.casos[static_cast<size_t>(v.caso)].escalas;
            f.texto(m.nombre).texto(barrasDeMiembro(m)).texto(nombreDeCaso(r, v)).texto(v.ecuacion);
            f.numero(v.razon).numero(v.x).numero(v.pr).numero(v.pc).numero(v.mry).numero(v.mcy);
            f.numero(v.mrz).numero(v.mcz).numero(v.vr).numero(v.vc);
        };
        agregarTabla(r, std::move(t));
    }

    // resistencias.csv: las resistencias de cada miembro verificado; la
    // flexión fuerte con el Cb del tramo y el caso que manda.
    {
        tablaResultados t;
        t.clave = "resistencias.csv";
        t.titulo = "Resistencias de acero " + sufijoMetodo(r);
        t.enReporte = true;
        t.columnas = {{"miembro", claseValor::texto},   {"barras", claseValor::texto},
                      {"Fy", claseValor::tension},      {"L", claseValor::longitud},
                      {"PnTraccion", claseValor::fuerza}, {"PcTraccion", claseValor::fuerza},
                      {"PnCompresion", claseValor::fuerza}, {"PcCompresion", claseValor::fuerza},
                      {"ecuacionCompresion", claseValor::texto}, {"pandeo", claseValor::texto},
                      {"Lb", claseValor::longitud},     {"Lp", claseValor::longitud},
                      {"Lr", claseValor::longitud},     {"Cb", claseValor::factor},
                      {"Mny", claseValor::momento},     {"Mcy", claseValor::momento},
                      {"ecuacionMy", claseValor::texto}, {"Mnz", claseValor::momento},
                      {"Mcz", claseValor::momento},     {"Vny", claseValor::fuerza},
                      {"Vcy", claseValor::fuerza},      {"Vnz", claseValor::fuerza},
                      {"Vcz", claseValor::fuerza}};
        auto filas = std::make_shared<std::vector<size_t>>();
        for (size_t m = 0; m < miembros.size(); ++m)
            if (miembros[m].verificado) filas->push_back(m);
        t.filas = filas->size();
        t.llenar = [&r, filas](std::size_t i, filaTabla& f) {
            const miembroVerificado& m = r.acero.miembros[(*filas)[i]];
            const resistenciasMiembro& s = m.resistencias;
            const verificacionEnCaso* peor = m.peor();
            const double cb = peor ? peor->cb : 1.0, mn = peor ? peor->mnFuerte : 0.0, mc = peor ? peor->mcy : 0.0;
            f.texto(m.nombre).texto(barrasDeMiembro(m)).numero(s.fy).numero(m.longitud);
            f.numero(s.pnTraccion).numero(s.pcTraccion).numero(s.pnCompresion).numero(s.pcCompresion);
            f.texto(s.ecuacionCompresion).texto(nombreModo(s.modo));
            f.numero(s.lb).numero(s.lp).numero(s.lr).numero(cb).numero(mn).numero(mc);
            f.texto(peor ? peor->ecuacionFuerte : "F2").numero(s.mnDebil).numero(s.mcDebil);
            f.numero(s.vnFuerte).numero(s.vcFuerte).numero(s.vnDebil).numero(s.vcDebil);
        };
        agregarTabla(r, std::move(t));
    }

    // Para el informe: los miembros por su mayor razón, de mayor a menor (los
    // que no cumplen primero); al final, los que no se verifican.
    {
        tablaResultados t;
        t.titulo = "Verificación de acero por miembro " + sufijoMetodo(r);
        t.enInforme = true;
        t.dibujo = "razonesAcero";
        t.columnas = {{"miembro", claseValor::texto}, {"barras", claseValor::texto}, {"razon", claseValor::factor},
                      {"ecuacion", claseValor::texto}, {"combo", claseValor::texto}, {"x", claseValor::longitud},
                      {"cumple", claseValor::texto}};
        auto orden = std::make_shared<std::vector<size_t>>(miembros.size());
        std::iota(orden->begin(), orden->end(), size_t{0});
        const auto razon = [&miembros](size_t m) {
            const verificacionEnCaso* p = miembros[m].peor();
            return p ? p->razon : -1.0;
        };
        std::stable_sort(orden->begin(), orden->end(), [&](size_t a, size_t b) { return razon(a) > razon(b); });
        t.filas = orden->size();
        t.llenar = [&r, orden](std::size_t i, filaTabla& f) {
            const miembroVerificado& m = r.acero.miembros[(*orden)[i]];
            f.texto(m.nombre).texto(barrasDeMiembro(m));
            const verificacionEnCaso* p = m.peor();
            if (p == nullptr) {
                f.vacia().texto(m.verificado ? "—" : "sin verificación (" + m.motivo + ")").vacia().vacia().texto("—");
                return;
            }
            f.numero(p->razon).texto(p->ecuacion).texto(nombreDeCaso(r, *p)).numero(p->x).texto(m.cumple() ? "sí" : "no");
        };
        agregarTabla(r, std::move(t));
    }
}
