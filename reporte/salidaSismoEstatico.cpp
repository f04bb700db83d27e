#include "reporte/salidaSismoEstatico.h"

#include <cstdio>

#include "globales.h"
#include "modelo/diafragma.h"

std::vector<std::string> lineasSismoEstatico() {
    std::vector<std::string> lineas;
    for (const distribucionSismoEstatico& e : resultados.estaticos) {
        char texto[300];
        std::snprintf(texto, sizeof texto, "Sismo estático %s: peso sísmico %.6e, cortante basal %.6e",
                      e.nombre.c_str(), e.peso, e.cortante);
        lineas.emplace_back(texto);
    }
    return lineas;
}

std::string lineaEscalaSismo(const casoResultado& caso) {
    if (caso.tipo != tipoCaso::espectral || caso.sismo < 0 ||
        static_cast<size_t>(caso.sismo) >= resultados.sismos.size())
        return "";
    const resultadoSismico& s = resultados.sismos[static_cast<size_t>(caso.sismo)];
    if (!s.conEscala) return "";
    char texto[300];
    std::snprintf(texto, sizeof texto, "Sismo %s: cortante basal %.6e, estático %.6e (%.1f %%): escalado por %.6f",
                  caso.nombre.c_str(), s.cortanteDinamico, s.cortanteEstatico,
                  100 * s.cortanteDinamico / s.cortanteEstatico, s.escala);
    return texto;
}

std::string lineaTorsionAccidental(const casoResultado& caso) {
    if (caso.tipo != tipoCaso::espectral || caso.sismo < 0 ||
        static_cast<size_t>(caso.sismo) >= resultados.sismos.size())
        return "";
    const resultadoSismico& s = resultados.sismos[static_cast<size_t>(caso.sismo)];
    if (!s.conTorsion) return "";
    char texto[64];
    std::snprintf(texto, sizeof texto, "%g", s.torsionAccidental);
    std::string linea = "Sismo " + caso.nombre + ": torsión accidental " + texto + "; momentos de piso";
    for (int k : diafragmasPorAltura()) {
        if (static_cast<size_t>(k) >= s.momentosTorsion.size()) continue;
        std::snprintf(texto, sizeof texto, " %.6e", s.momentosTorsion[static_cast<size_t>(k)]);
        linea += texto;
    }
    return linea;
}
