// Textos del panel: la ayuda general (F1), las cuatro páginas de ayuda del
// archivo de modelo (F12), que nombran el archivo abierto, y las direcciones
// web del pie de la ventana.
// Cada salto de línea del texto baja un renglón al dibujarlo.
#pragma once

#include <string>

#define DIRECCION_WEB "https://vantra3d.example.org"
#define DIRECCION_AYUDA "https://vantra3d.example.org/ayuda"

// El nombre del archivo de modelo abierto (nombreArchivo), sin sus carpetas.
std::string nombreModeloAbierto();
// La ayuda general; el renglón de F12 nombra el archivo abierto.
std::string textoAyudaGeneral();
// Páginas 1 a 4: geometría; apoyos, resortes, conexiones, masas y modos; cargas y
// desplazamientos impuestos; escalas de ploteado. Cada una empieza nombrando el
// archivo abierto; fuera de 1 a 4, vacío.
constexpr int kPaginasAyudaArchivo = 4;
std::string textoAyudaArchivo(int pagina);
// Dos renglones: la página del programa y la de ayuda.
extern const char* const textoDireccionesWeb;
