// La orden "captura": la ventana guardada como PNG junto al archivo de modelo,
// con el primer nombre libre de captura-001.png, captura-002.png, ...
#pragma once

#include <string>
#include <vector>

// Carpeta del archivo de modelo ("." si se dio sin carpeta).
std::string carpetaDelModelo(const std::string& archivo);
// Primer nombre captura-NNN.png que no existe en la carpeta (vacío si ya
// existen los 999).
std::string siguienteCaptura(const std::string& carpeta);
// Escribe una imagen RGB de 8 bits por canal cuyas filas vienen de abajo
// hacia arriba (como las lee OpenGL). Falso si no se pudo escribir.
bool escribirPng(const std::string& ruta, int ancho, int alto, const std::vector<unsigned char>& rgbDeAbajo);

// Pide guardar la ventana al terminar el próximo cuadro.
void pedirCaptura();
// Al final del cuadro, antes de mostrarlo: si se pidió, lee la ventana, la
// guarda y responde en la línea de órdenes con el nombre del archivo.
void atenderCaptura();
