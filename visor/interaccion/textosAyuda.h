// Textos del panel: la ayuda general (F1), las cuatro páginas de ayuda del
// archivo de modelo (F12), que nombran el archivo abierto, y el pie de la
// ventana con las teclas de la ayuda.
// Cada salto de línea del texto baja un renglón al dibujarlo.
#pragma once

#include <string>

// El nombre del archivo de modelo abierto (nombreArchivo), sin sus carpetas.
std::string nombreModeloAbierto();
// La ayuda general; el renglón de F12 nombra el archivo abierto.
std::string textoAyudaGeneral();
// Páginas 1 a 4: geometría; apoyos, resortes, conexiones, masas y modos; cargas y
// desplazamientos impuestos; escalas de ploteado. Cada una empieza nombrando el
// archivo abierto; fuera de 1 a 4, vacío.
constexpr int kPaginasAyudaArchivo = 4;
std::string textoAyudaArchivo(int pagina);
// El pie de la ventana: las teclas que abren la ayuda.
extern const char* const textoPieAyuda;
