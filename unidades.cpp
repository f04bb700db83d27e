#include "unidades.h"

std::string unidadFuerza;
std::string unidadLongitud;

std::string sufijoUnidad(magnitud m) {
    if (unidadFuerza.empty() || unidadLongitud.empty()) return std::string();
    switch (m) {
        case magnitud::fuerza: return " " + unidadFuerza;
        case magnitud::momento: return " " + unidadFuerza + "·" + unidadLongitud;
        case magnitud::longitud: return " " + unidadLongitud;
        case magnitud::giro: return " rad";
        case magnitud::fuerzaPorLongitud: return " " + unidadFuerza + "/" + unidadLongitud;
        case magnitud::tension: return " " + unidadFuerza + "/" + unidadLongitud + "²";
        case magnitud::masa: return " " + unidadFuerza + "·s²/" + unidadLongitud;
    }
    return std::string();
}
