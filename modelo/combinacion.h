// Combinación de carga: un nombre y sus pares (factor, caso de carga), en el
// orden de los registros "combo:" del archivo de modelo.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct combinacion {
    std::string nombre;
    std::vector<std::pair<double, std::string>> terminos;
};
