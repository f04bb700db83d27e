#include "modelo/sismoEstatico.h"

std::vector<definicionSismoEstatico> sismosEstaticos;
std::vector<definicionEscalaSismo> escalasSismo;

const definicionEscalaSismo* escalaDeSismo(int s) {
    for (const definicionEscalaSismo& e : escalasSismo)
        if (e.sismo == s) return &e;
    return nullptr;
}

void vaciarSismosEstaticos() {
    sismosEstaticos.clear();
    escalasSismo.clear();
}
