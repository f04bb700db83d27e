// La última defensa contra un valor fuera de rango: después del análisis,
// cada resultado (desplazamientos, reacciones, fuerzas y extremos de barra,
// diafragmas, modos, pandeo y casos sísmicos) es finito y no pasa de 1e150
// (más allá sus cuadrados, en las normas y las sumas que se escriben, darían
// inf o nan). Un valor así sale de un dato del modelo que el cargador no pudo
// medir (un espectro o unas masas enormes, unas cargas que sólo desbordan al
// resolver): se dice como error de entrada, con lo que lo produjo, y los
// resultados no se escriben ni se muestran.
#pragma once

// Verdadero si todos los resultados del último análisis están en rango; si no,
// deja un error por cada caso, modo o pandeo que no lo es (en mensajes) y
// suma esos errores a erroresDeEntrada.
bool revisarResultadosFinitos();
