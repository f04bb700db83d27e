#include "visor/escena/formatoTexto.h"

#include <cstdio>

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
    return texto;
}
