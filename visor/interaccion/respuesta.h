// La respuesta que deja una orden en el indicador de la línea de órdenes
// (dialogo, en estadoVisor). Responden la línea de órdenes y los
// interruptores (Calcular dice ahí si el análisis no pudo hacerse).
#pragma once

#include <string>

// El indicador de la línea lista para otra orden.
inline constexpr const char* kIngrese = "Ingrese Comando:";

// Deja la respuesta en el indicador y la línea lista para otra orden.
void responder(const std::string& texto);
