// Resultados por piso de un análisis sísmico: un piso por diafragma rígido
// (de abajo hacia arriba por su altura). Las fuerzas de piso, los cortantes
// de piso y los momentos de vuelco de cada caso; la masa, el centro de masa y
// el centro de rigidez de cada diafragma, y la verificación de las derivas.
#pragma once

// Un piso en un caso, en X (0) y en Y (1):
// - fuerza: la fuerza horizontal que recibe el diafragma (las cargas de sus
//   nudos o, en un caso sísmico, la inercia de su masa);
// - cortante: la suma de las fuerzas horizontales de los nudos a la altura
//   del piso o más arriba (lo que el piso pasa al de abajo);
// - vuelco: el momento de esas fuerzas a la altura del piso, Σ F·(z − Z).
// En un caso sísmico cada una es un módulo, combinado sobre los modos con la
// regla del caso desde los valores de cada modo; en un caso de dos valores,
// el mayor y el menor (minimo).
struct resultadoPiso {
    double fuerza[2] = {0, 0}, cortante[2] = {0, 0}, vuelco[2] = {0, 0};
    double fuerzaMinima[2] = {0, 0}, cortanteMinimo[2] = {0, 0}, vuelcoMinimo[2] = {0, 0};
    // Verificación de la deriva (derivaLimite: FACTOR LIMITE, en los casos
    // sísmicos y las combinaciones con sismo, en los pisos que tienen deriva):
    // la deriva inelástica FACTOR × deriva en X y en Y y si la mayor no pasa
    // del límite.
    bool verificada = false;
    double inelastica[2] = {0, 0};
    bool cumple = true;
    // La razón de irregularidad torsional del piso en la dirección del sismo
    // del caso: la mayor deriva de sus nudos sobre la media de la mayor y la
    // menor (1 si el piso no gira; 0 si el caso no tiene una dirección
    // horizontal de sismo).
    double razonTorsion = 0;
};

// Un diafragma, una vez: su masa de traslación, su centro de masa (de Tᵀ·M·T:
// el acoplamiento de su traslación con su giro) y su centro de rigidez (el
// punto donde una fuerza horizontal aplicada sólo a ese diafragma no lo hace
// girar). Sin masa, el centro de masa es el centroide de sus nudos.
struct centroPiso {
    double masa = 0;
    double xMasa = 0, yMasa = 0;
    bool conRigidez = false;
    double xRigidez = 0, yRigidez = 0;
};
