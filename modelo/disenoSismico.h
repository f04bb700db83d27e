// Lo que el modelo pide para el diseño sísmico por un código (el programa no
// sigue ninguno: el ingeniero da los números que su código prescribe y el
// programa hace la mecánica y las cuentas). Son datos del modelo; los
// resultados van a los casos de resultados (analisis/casosResultado.h).
#pragma once

struct disenoSismico {
    // derivaLimite: FACTOR LIMITE: la deriva inelástica FACTOR × deriva de
    // cada piso de los casos sísmicos y las combinaciones con sismo se
    // compara con LIMITE.
    bool conLimiteDeriva = false;
    double factorDeriva = 1, limiteDeriva = 0;
    // torsionAccidental: E: en cada caso sísmico por espectro en X o en Y,
    // cada diafragma recibe el momento E · B · F alrededor de Z (B el ancho de
    // sus nudos perpendicular al sismo, F su fuerza de piso en la dirección
    // del sismo); 0 sin la etiqueta.
    double torsionAccidental = 0;
};
extern disenoSismico diseno;

void vaciarDisenoSismico();
