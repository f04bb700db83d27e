// Línea de órdenes del panel: lo que se escribe en ella, las órdenes que
// entiende y la respuesta que dejan en el indicador (dialogo, en estadoVisor).
#pragma once

#include <string>

// El indicador de la línea lista para otra orden.
inline constexpr const char* kIngrese = "Ingrese Comando:";

// Deja la respuesta en el indicador y la línea lista para otra orden.
void responder(const std::string& texto);

// Ejecuta lo escrito (comando). Devuelve falso si la orden terminó el programa.
bool ejecutarComando();
// Agrega una tecla a lo escrito (sólo las que escriben algo).
void agregarAlComando(unsigned char tecla);
// Retroceso: quita el último carácter entero.
void borrarUltimo();
