// Análisis lineal estático de toda la estructura por el método de rigidez,
// para todas las combinaciones a la vez.
#pragma once

// Llena los casos de resultados (globales.h: resultados). Devuelve falso (y
// no deja resultados) cuando la estructura no se puede resolver: es un
// mecanismo (un movimiento que no deforma ninguna barra) o su matriz de
// rigidez es numéricamente singular. Lo dice en la lista de mensajes.
bool funcionSolve();

// Duración en segundos de las etapas del último análisis.
struct tiemposAnalisis {
    double ensamblaje = 0;
    double factorizacion = 0;
    double solucion = 0;
    double barras = 0;
    double modal = 0;  // análisis modal (0 si no se pidieron modos)
    double segundoOrden = 0;  // combinaciones en segundo orden (0 si no se pidieron)
    double pandeo = 0;        // factores críticos de pandeo (0 si no se pidieron)
    double sentidoAxial = 0;  // rondas de las barras de solo tracción o compresión (0 si no hay)
    double operaciones = 0;  // de la factorización de la rigidez (CHOLMOD)
    double derivados = 0;  // casos sísmicos, combinaciones con sismo y envolventes
    double pisos = 0;      // fuerzas y cortantes de piso, centros de masa y de rigidez
    int hilosBlas = 0;  // hilos elegidos para la factorización (0: los de la biblioteca)
};
extern tiemposAnalisis tiemposUltimoAnalisis;

enum class resultadoAnalisis { correcto, inestable, singular };
// Cómo terminó el último análisis y cuánto costó la precisión.
struct diagnosticoAnalisis {
    resultadoAnalisis resultado = resultadoAnalisis::correcto;
    double condicion = 1;       // condición estimada de la matriz escalada
    int pasosRefinamiento = 0;  // correcciones del refinamiento iterativo
    // Alguna combinación de segundo orden supera la carga crítica: el modo
    // por lotes escribe las demás y termina con estado 1.
    bool segundoOrdenInestable = false;
};
extern diagnosticoAnalisis diagnosticoUltimoAnalisis;
