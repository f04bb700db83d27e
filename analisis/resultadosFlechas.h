// La verificación de las flechas (limiteFlecha:): por registro, combinación y
// barra, la mayor flecha respecto de la cuerda, dónde ocurre y su límite.
// Los llena verificarFlechas (analisis/flechas.h).
#pragma once

struct verificacionFlecha {
    int registro = 0;  // índice en limitesFlecha
    int caso = -1;     // índice en resultados.casos
    int barra = -1;    // número interno
    double largo = 0;
    double flecha = 0;  // la mayor distancia de la elástica a la cuerda (≥ 0)
    double x = 0;       // desde el inicio de la barra
    double limite = 0;  // largo / N
    double razon = 0;   // flecha / límite
    bool cumple = true;
};
