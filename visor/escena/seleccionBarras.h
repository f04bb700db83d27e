// Las barras que nombra la lista de "aislar": números y rangos de números de
// barra (3 7 1-100), planos de coordenada fija (x=6, y=0, z=3: las barras
// con los dos extremos en el plano), pisos (piso 3: las barras que llegan
// desde abajo a la altura del piso o están en ella) y secciones
// (seccion V30). La selección es la unión de lo que nombra cada trozo.
#pragma once

#include <string>
#include <vector>

struct seleccionBarras {
    std::vector<int> barras;  // índices internos, sin repetir, en orden
    std::string error;        // vacío si la lista es válida
};

// Los trozos se separan con un blanco, como en una lista de números. Un
// trozo que no se entiende o que no nombra ninguna barra deja la selección
// vacía y el error dice cuál.
seleccionBarras seleccionarBarras(const std::string& lista);

// El índice interno de la barra cuyo número es el texto (sólo dígitos), o -1
// si no es el número de una barra del modelo.
int barraDeNumero(const std::string& texto);
