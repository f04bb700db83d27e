#include "reporte/salidaFlechas.h"

#include <cstdio>
#include <iostream>
#include <set>

#include "analisis/tablasFamilias.h"
#include "globales.h"
#include "modelo/limiteFlecha.h"

std::vector<std::string> lineasFlechas(const resultadosAnalisis& r) {
    std::vector<std::string> lineas;
    if (!r.disponibles) return lineas;
    for (size_t k = 0; k < limitesFlecha.size(); ++k) {
        std::set<int> barras, combos;
        int noCumplen = 0;
        const verificacionFlecha* mayor = nullptr;
        for (const verificacionFlecha& v : r.flechas) {
            if (v.registro != static_cast<int>(k)) continue;
            barras.insert(v.barra), combos.insert(v.caso);
            noCumplen += !v.cumple;
            if (mayor == nullptr || v.razon > mayor->razon) mayor = &v;
        }
        char texto[512];
        const int nb = static_cast<int>(barras.size()), nc = static_cast<int>(combos.size());
        std::snprintf(texto, sizeof texto, "Flechas %s: %d %s en %d %s, %d no %s",
                      textoLimiteFlecha(static_cast<int>(k)).c_str(), nb, nb == 1 ? "barra" : "barras", nc,
                      nc == 1 ? "combo" : "combos", noCumplen, noCumplen == 1 ? "cumple" : "cumplen");
        std::string linea = texto;
        if (mayor != nullptr) {
            std::snprintf(texto, sizeof texto, "; mayor razón %.3f (barra %d, combo %s, flecha %.6e en x = %.6g, límite %.6e)",
                          mayor->razon, barra[static_cast<size_t>(mayor->barra)].getNoBarraUsuario(),
                          r.casos[static_cast<size_t>(mayor->caso)].nombre.c_str(), mayor->flecha, mayor->x,
                          mayor->limite);
            linea += texto;
        }
        lineas.push_back(linea);
    }
    return lineas;
}

void imprimirFlechas() {
    for (const std::string& l : lineasFlechas(resultados)) std::cout << l << "\n";
}
