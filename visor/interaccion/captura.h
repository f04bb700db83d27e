// La orden "captura": la ventana guardada como PNG junto al archivo de modelo,
// con el primer nombre libre de captura-001.png, captura-002.png, ...
// Los píxeles los lee de la ventana plataforma/capturaGL.h al final del cuadro.
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
// Verdadero una vez por cada pedido: quien lo recibe guarda la ventana.
bool tomarPedidoCaptura();
// Guarda la imagen de la ventana con el siguiente nombre libre junto al
// modelo, responde en la línea de órdenes con el nombre del archivo (o que no
// se pudo) y pide redibujar, porque el cuadro capturado aún no muestra la respuesta.
void guardarCaptura(int ancho, int alto, const std::vector<unsigned char>& rgbDeAbajo);
