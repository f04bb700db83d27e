// Visor 3D: abre la ventana y entra en el bucle principal de freeglut.
#pragma once

void funcionPlot(int argc, char** argv);
