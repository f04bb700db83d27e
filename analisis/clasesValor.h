// Qué mide un número de los resultados. De su clase salen, en un solo lugar,
// su unidad (de unidades:) y la escala contra la que su redondeo es ruido: la
// regla del README (un valor que no llega a kFraccionRuido de la escala de su
// clase en su caso se escribe 0) vale para las fuerzas, los momentos, las
// traslaciones y los giros; los demás números (períodos, fracciones,
// factores) se escriben como salen.
#pragma once

#include "analisis/casosResultado.h"
#include "unidades.h"

enum class claseValor {
    texto,       // un nombre (de un caso, de una componente)
    entero,      // un número que nombra (nudo, barra, modo, piso) o cuenta
    fuerza,      // reacciones, fuerzas de extremo, axiales, cortes
    momento,     // momentos de reacción y de extremo, flectores, torsores
    traslacion,  // desplazamientos
    giro,        // giros
    longitud,    // coordenadas, largos, x a lo largo de una barra
    deriva,      // desplazamiento relativo sobre altura
    fraccion,    // una fracción de 1 (masa efectiva)
    porcentaje,  // una fracción de 100
    periodo,     // segundos
    frecuencia,  // hercios
    pulsacion,   // radianes por segundo
    aceleracion, // aceleración espectral, en las unidades del espectro
    factor,      // sin unidades (factor crítico, de participación, de escala)
    masa,        // en las unidades del modelo (fuerza por tiempo² sobre largo)
    tension,     // fuerza por área
};

// La magnitud de la unidad de la clase; falso si la clase no lleva unidad del modelo.
bool magnitudDeClase(claseValor clase, magnitud& m);
// Las clases con regla de ruido: fuerzas, momentos, traslaciones y giros.
bool tieneEscalaDeRuido(claseValor clase);
// La escala de la clase en un caso (0 si la clase no tiene regla de ruido).
double escalaDeClase(claseValor clase, const escalasCaso& escalas);
// La clase de la solicitación s (N, Vy, Vz: fuerza; T, My, Mz: momento).
claseValor claseDeSolicitacion(int s);
// El valor sin el ruido del redondeo de su clase en el caso (sinRuido con la
// escala de la clase), tal cual si la clase no tiene regla de ruido.
double valorSinRuido(double valor, claseValor clase, const escalasCaso& escalas);
