// Textos fijos del panel: la ayuda general (F1), las cuatro páginas de ayuda
// del archivo de modelo (F12) y las direcciones web del pie de la ventana.
// Cada salto de línea del texto baja un renglón al dibujarlo.
#pragma once

#define DIRECCION_WEB "https://vantra3d.example.org"
#define DIRECCION_AYUDA "https://vantra3d.example.org/ayuda"

extern const char* const textoAyudaGeneral;
// Páginas 1 a 4: geometría; apoyos, resortes, conexiones, masas y modos; cargas y
// desplazamientos impuestos; escalas de ploteado.
constexpr int kPaginasAyudaArchivo = 4;
extern const char* const textosAyudaArchivo[kPaginasAyudaArchivo];
// Dos renglones: la página del programa y la de ayuda.
extern const char* const textoDireccionesWeb;
