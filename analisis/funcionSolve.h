// Análisis lineal estático de toda la estructura por el método de rigidez,
// para todas las combinaciones a la vez.
#pragma once

// Devuelve falso (y no guarda resultados) cuando la estructura es inestable:
// la matriz de rigidez de los grados de libertad libres no es definida positiva.
bool funcionSolve();

// Duración en segundos de las etapas del último análisis.
struct tiemposAnalisis {
    double ensamblaje = 0;
    double factorizacion = 0;
    double solucion = 0;
    double barras = 0;
};
extern tiemposAnalisis tiemposUltimoAnalisis;
