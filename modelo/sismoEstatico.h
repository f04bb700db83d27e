// Lo que el modelo pide para el método estático equivalente y para el
// escalamiento de los casos sísmicos por su cortante basal. Son datos del
// modelo; las fuerzas del método salen de las masas (analisis/sismoEstatico.h)
// y los resultados van a los casos de resultados.
#pragma once

#include <string>
#include <vector>

// sismoEstatico: CASO DIRECCION COEFICIENTE K: un caso de carga estático en X
// (0) o Y (1) de cortante basal V = COEFICIENTE × W, repartido en altura con
// w·h^K.
struct definicionSismoEstatico {
    std::string nombre;
    int direccion = 0;
    double coeficiente = 0, exponente = 1;
};

// escalaSismo: CASO ESTATICO FMIN [FMAX]: el caso sísmico CASO (índice en
// sismos) se escala para que su cortante basal quede entre FMIN y FMAX veces
// el del caso de carga ESTATICO (sin FMAX, sólo el mínimo).
struct definicionEscalaSismo {
    int sismo = -1;
    std::string estatico;
    double minimo = 0, maximo = 0;
    bool conMaximo = false;
};

extern std::vector<definicionSismoEstatico> sismosEstaticos;
extern std::vector<definicionEscalaSismo> escalasSismo;

// La escala pedida para el caso sísmico s, o nullptr.
const definicionEscalaSismo* escalaDeSismo(int s);
// Vacía todo lo anterior (al cargar un modelo).
void vaciarSismosEstaticos();
