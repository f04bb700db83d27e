#include "visor/escena/visibilidad.h"

#include <algorithm>
#include <cstddef>

#include "globales.h"
#include "modelo/sismo.h"
#include "visor/escena/estadoVisor.h"

namespace {

template <typename Vector>
int cantidadContada(int contados, const Vector& v) {
    return static_cast<int>(std::min(static_cast<std::size_t>(std::max(contados, 0)), v.size()));
}

}  // namespace

int cantidadNudos() { return cantidadContada(noNudos, nudo); }
int cantidadBarras() { return cantidadContada(noBarras, barra); }

bool entradaVisible(const std::vector<int>& aislados, int i) {
    return i >= 0 && static_cast<std::size_t>(i) < aislados.size() && aislados[static_cast<std::size_t>(i)] == 1;
}

bool nudoVisible(int i) { return entradaVisible(nudosAislados, i); }
bool barraVisible(int i) { return entradaVisible(barrasAisladas, i); }

int cantidadCombos() {
    if (nudo.empty()) return 0;
    // Las combinaciones y, después, los casos sísmicos y las envolventes.
    return std::min(cantidadDeCasos(), kCombosConInterruptor);
}

std::string nombreCombo(int c) {
    if (c < 0 || c >= cantidadCombos()) return std::string();
    return nombreDeCaso(c);
}

int buscarCombo(const std::string& nombre) {
    if (nudo.empty()) return -1;
    int encontrado = -1;
    for (int c = 0; c < cantidadDeCasos(); ++c)
        if (nombreDeCaso(c) == nombre) encontrado = c;
    return encontrado;
}

bool comboActivo(int c) { return c >= 0 && c < cantidadCombos() && flagActivo(kFlagPrimerCombo + c); }
