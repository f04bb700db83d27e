#include "visor/escena/formatoTexto.h"

#include <algorithm>
#include <cmath>

#include <cstdio>

#include "analisis/casosResultado.h"

double largoTexto(std::size_t caracteres) { return kAvanceCaracter * static_cast<double>(caracteres); }

double corrimientoAlineacion(std::size_t caracteres, int alineacion) {
    if (alineacion == 2) return -largoTexto(caracteres) / 2.0;
    if (alineacion == 3) return -largoTexto(caracteres);
    return 0.0;
}

std::string formatearNumero(double valor, int decimales, bool exponente) {
    // "%.-1f" no es un formato válido: los decimales negativos se toman como 0.
    if (decimales < 0) decimales = 0;
    char formato[20];
    std::snprintf(formato, sizeof formato, exponente ? "%%.%de" : "%%.%df", decimales);
    char texto[100];
    std::snprintf(texto, sizeof texto, formato, valor);
    // Un valor que a esta precisión es cero se escribe sin signo: "-0.000" no
    // dice nada que "0.000" no diga, y parece un resultado.
    if (texto[0] == '-') {
        bool cero = true;
        for (const char* c = texto + 1; *c != '\0' && *c != 'e'; ++c)
            if (*c != '0' && *c != '.') cero = false;
        if (cero) return texto + 1;
    }
    return texto;
}

std::string formatearResultado(double valor, double escala, int decimales, bool exponente) {
    return formatearNumero(sinRuido(valor, escala), decimales, exponente);
}

std::string formatearLegible(double valor, double escala, int decimales) {
    const double v = sinRuido(valor, escala);
    const bool chico = v != 0.0 && std::fabs(v) < std::pow(10.0, 1 - std::max(decimales, 0));
    return formatearNumero(v, decimales, chico);
}
