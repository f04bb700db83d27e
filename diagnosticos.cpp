#include "diagnosticos.h"

#include <algorithm>

listaMensajes mensajes;

void listaMensajes::agregar(nivelMensaje nivel, std::string texto, bool detalle) {
    entradas_.push_back({nivel, std::move(texto), detalle});
}

int listaMensajes::cantidad(nivelMensaje nivel, std::size_t desde) const {
    int n = 0;
    for (std::size_t i = desde; i < entradas_.size(); ++i) n += entradas_[i].nivel == nivel && !entradas_[i].detalle;
    return n;
}

std::vector<std::string> listaMensajes::textos(std::size_t desde) const {
    std::vector<std::string> t;
    for (std::size_t i = desde; i < entradas_.size(); ++i) t.push_back(entradas_[i].texto);
    return t;
}

void listaMensajes::escribirPendientes(std::ostream& os, bool conDetalles) {
    for (; escritas_ < entradas_.size(); ++escritas_)
        if (conDetalles || !entradas_[escritas_].detalle) os << entradas_[escritas_].texto << '\n';
    os.flush();
}

void listaMensajes::vaciar() {
    entradas_.clear();
    escritas_ = 0;
}

std::string enRangos(std::vector<int> numeros) {
    std::sort(numeros.begin(), numeros.end());
    numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
    std::string texto;
    for (std::size_t i = 0; i < numeros.size();) {
        std::size_t j = i;
        while (j + 1 < numeros.size() && numeros[j + 1] == numeros[j] + 1) ++j;
        texto += (texto.empty() ? "" : ", ") + std::to_string(numeros[i]);
        if (j > i) texto += "–" + std::to_string(numeros[j]);
        i = j + 1;
    }
    return texto;
}
