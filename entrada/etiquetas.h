// Las etiquetas del archivo de modelo: cualquier otra palabra que termina en
// ":" es un error de escritura o un comentario, y se avisa.
#pragma once

#include <string>
#include <vector>

const std::vector<std::string>& etiquetasConocidas();
// Distancia de edición (inserciones, borrados y cambios de una letra) entre dos palabras.
int distanciaDeEdicion(const std::string& a, const std::string& b);
// La etiqueta conocida más parecida a la palabra, a lo sumo a dos cambios, o vacía.
std::string etiquetaParecida(const std::string& palabra);
