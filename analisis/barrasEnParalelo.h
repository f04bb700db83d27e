// Recorrido de todas las barras repartido entre dos hilos cuando son muchas:
// el trabajo de cada barra (sus respuestas modales, sus extremos) no depende
// de las demás y escribe sólo en el lugar de esa barra, así que el resultado
// es el mismo que en un solo hilo.
#pragma once

#include <cstddef>
#include <thread>

#include "globales.h"

// Desde cuántas barras paga abrir un segundo hilo.
inline constexpr std::size_t kBarrasParaDosHilos = 4000;

// f(barra) para cada barra; con muchas, la segunda mitad en otro hilo.
template <class Funcion>
void paraCadaBarra(Funcion&& f) {
    const std::size_t n = barra.size();
    if (n < kBarrasParaDosHilos) {
        for (const objBarra3d& b : barra) f(b);
        return;
    }
    const std::size_t mitad = n / 2;
    std::thread otro([&]() {
        for (std::size_t i = mitad; i < n; ++i) f(barra[i]);
    });
    for (std::size_t i = 0; i < mitad; ++i) f(barra[i]);
    otro.join();
}
