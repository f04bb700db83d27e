// Si hay una pantalla donde abrir la ventana del visor.
#pragma once

#include <string>

// Verdadero si el servidor gráfico nombrado (vacío: el de la variable DISPLAY)
// acepta una conexión. Se pregunta antes de iniciar freeglut, que ante la
// falta de pantalla termina el programa con un mensaje propio. La conexión
// queda abierta: cerrarla podría reiniciar el servidor justo cuando freeglut
// abre la suya.
bool hayPantalla(const std::string& nombre = "");
