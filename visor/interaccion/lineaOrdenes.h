// Línea de órdenes del panel: lo que se escribe en ella, las órdenes que
// entiende y la respuesta que dejan en el indicador (respuesta.h).
#pragma once

#include <string>

// Lo que dice la línea tras leer el modelo: "Modelo cargado con N advertencias;
// vea la consola", y si hubo errores de entrada, "Modelo cargado con N
// advertencias y M errores de entrada; vea la consola".
std::string avisoDeCarga(int advertencias, int errores);
// Deja ese aviso en la línea según la lista de mensajes de la carga recién
// hecha (o dice que el archivo no se pudo abrir). Al abrir el visor (recarga
// falso) sólo se avisa si hubo errores o si no se pudo abrir el archivo; tras F5, siempre.
void anunciarCargaDelModelo(bool recarga);

// Ejecuta lo escrito (comando). Devuelve falso si la orden terminó el programa.
bool ejecutarComando();
// Agrega una tecla a lo escrito (sólo las que escriben algo).
void agregarAlComando(unsigned char tecla);
// Retroceso: quita el último carácter entero.
void borrarUltimo();
