// La tabla de la verificación de las flechas (flechas.csv, también en
// resultados.txt y en el informe): por registro de limiteFlecha:, combinación
// y barra, la mayor flecha respecto de la cuerda, dónde ocurre, el límite
// L/N, la razón y si cumple.
#include <cstdio>
#include <memory>
#include <string>

#include "analisis/tablasFamilias.h"
#include "analisis/tablasResultados.h"
#include "globales.h"
#include "modelo/limiteFlecha.h"

std::string textoLimiteFlecha(int registro) {
    if (registro < 0 || static_cast<size_t>(registro) >= limitesFlecha.size()) return "";
    char texto[48];
    std::snprintf(texto, sizeof texto, "L/%g", limitesFlecha[static_cast<size_t>(registro)].divisor);
    return texto;
}

void publicarTablasDeFlechas(resultadosAnalisis& r) {
    if (r.flechas.empty()) return;
    tablaResultados t;
    t.clave = "flechas.csv";
    t.titulo = "Verificación de flechas";
    t.enReporte = t.enInforme = true;
    t.columnas = {{"combo", claseValor::texto},     {"barra", claseValor::entero},       {"largo", claseValor::longitud},
                  {"limite", claseValor::texto},    {"x", claseValor::longitud},         {"flecha", claseValor::traslacion},
                  {"flechaLimite", claseValor::longitud}, {"razon", claseValor::factor}, {"cumple", claseValor::texto}};
    t.filas = r.flechas.size();
    t.llenar = [&r](std::size_t i, filaTabla& f) {
        const verificacionFlecha& v = r.flechas[i];
        const casoResultado& caso = r.casos[static_cast<size_t>(v.caso)];
        f.caso = v.caso;
        f.escalas = &caso.escalas;
        f.texto(caso.nombre).entero(barra[static_cast<size_t>(v.barra)].getNoBarraUsuario()).numero(v.largo);
        f.texto(textoLimiteFlecha(v.registro)).numero(v.x).numero(v.flecha).numero(v.limite).numero(v.razon);
        f.texto(v.cumple ? "cumple" : "NO CUMPLE");
    };
    agregarTabla(r, std::move(t));
}
