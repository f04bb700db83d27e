#include "analisis/clasesValor.h"

bool magnitudDeClase(claseValor clase, magnitud& m) {
    switch (clase) {
        case claseValor::fuerza: m = magnitud::fuerza; return true;
        case claseValor::momento: m = magnitud::momento; return true;
        case claseValor::traslacion:
        case claseValor::longitud: m = magnitud::longitud; return true;
        case claseValor::giro: m = magnitud::giro; return true;
        case claseValor::masa: m = magnitud::masa; return true;
        case claseValor::tension: m = magnitud::tension; return true;
        default: return false;
    }
}

bool tieneEscalaDeRuido(claseValor clase) {
    return clase == claseValor::fuerza || clase == claseValor::momento || clase == claseValor::traslacion ||
           clase == claseValor::giro;
}

double escalaDeClase(claseValor clase, const escalasCaso& escalas) {
    switch (clase) {
        case claseValor::fuerza: return escalas.fuerzas;
        case claseValor::momento: return escalas.momentos;
        case claseValor::traslacion: return escalas.traslaciones;
        case claseValor::giro: return escalas.giros;
        default: return 0.0;
    }
}

claseValor claseDeSolicitacion(int s) {
    return s == kSolicitacionN || s == kSolicitacionVy || s == kSolicitacionVz ? claseValor::fuerza
                                                                                : claseValor::momento;
}

double valorSinRuido(double valor, claseValor clase, const escalasCaso& escalas) {
    return tieneEscalaDeRuido(clase) ? sinRuido(valor, escalaDeClase(clase, escalas)) : valor;
}
