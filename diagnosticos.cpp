#include "diagnosticos.h"

listaMensajes mensajes;

void listaMensajes::agregar(nivelMensaje nivel, std::string texto) { entradas_.push_back({nivel, std::move(texto)}); }

int listaMensajes::cantidad(nivelMensaje nivel, std::size_t desde) const {
    int n = 0;
    for (std::size_t i = desde; i < entradas_.size(); ++i) n += entradas_[i].nivel == nivel;
    return n;
}

std::vector<std::string> listaMensajes::textos(std::size_t desde) const {
    std::vector<std::string> t;
    for (std::size_t i = desde; i < entradas_.size(); ++i) t.push_back(entradas_[i].texto);
    return t;
}

void listaMensajes::escribirPendientes(std::ostream& os) {
    for (; escritas_ < entradas_.size(); ++escritas_) os << entradas_[escritas_].texto << '\n';
    os.flush();
}

void listaMensajes::vaciar() {
    entradas_.clear();
    escritas_ = 0;
}
