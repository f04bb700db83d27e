// Los miembros que se verifican: los de "miembro:" (varias barras seguidas y
// colineales) y cada barra verificada que no está en ninguno, con el número
// de la barra como nombre. Un miembro tiene su largo, sus factores de
// longitud efectiva y sus tramos no arriostrados.
#pragma once

#include <string>
#include <vector>

#include "modelo/acero.h"

struct miembroAcero {
    miembroDeBarras cadena;  // nombre, barras en orden, sentidos, inicios y largo
    double fy = 0;
    double ky = 1, kz = 1;  // pandeo alrededor de y y de z locales
    // Los tramos no arriostrados: con la longitud no arriostrada dada LB, el
    // miembro se divide en n = ⌈L/LB⌉ tramos iguales de largo L/n (los
    // arriostramientos, equiespaciados); sin ella, un tramo de largo L.
    int tramos = 1;
    double lb = 0;
};

// Los miembros del modelo cargado que se verifican, en el orden de su primera
// barra en el archivo.
std::vector<miembroAcero> miembrosDeAcero();
