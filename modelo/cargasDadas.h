// Los registros de carga del modelo como los escribió el usuario: la etiqueta
// (puntual:, distribuidaLocalY:, distribuidaGlobal:, temperatura:, ...), el
// caso, los valores antes de la lista y los números de usuario de los nudos o
// barras que existen. Los nudos y las barras guardan las cargas ya sumadas o
// transformadas (direcciones unitarias, α·ΔT); el informe las muestra así,
// una fila por registro, para que se puedan cotejar con el archivo.
#pragma once

#include <string>
#include <vector>

struct registroCarga {
    std::string etiqueta, caso;
    std::vector<double> valores;
    std::vector<int> numeros;  // nudos o barras del registro, en el orden del archivo
    std::vector<int> internos; // los mismos, con su número interno (índice en nudo o barra)
};

extern std::vector<registroCarga> registrosDeCarga;

// Los registros de ese caso.
std::vector<const registroCarga*> registrosDeCaso(const std::string& caso);
