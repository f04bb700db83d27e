#include "modelo/cargasDadas.h"

std::vector<registroCarga> registrosDeCarga;

std::vector<const registroCarga*> registrosDeCaso(const std::string& caso) {
    std::vector<const registroCarga*> r;
    for (const registroCarga& c : registrosDeCarga)
        if (c.caso == caso) r.push_back(&c);
    return r;
}
