// Las etiquetas del archivo de modelo: cualquier otra palabra que termina en
// ":" es un error de escritura o un comentario, y se avisa.
#pragma once

#include <string>
#include <vector>

const std::vector<std::string>& etiquetasConocidas();
// Distancia de edición (inserciones, borrados y cambios de una letra) entre dos palabras.
int distanciaDeEdicion(const std::string& a, const std::string& b);
// La palabra sin mayúsculas ni acentos (soloTracción: -> solotraccion:), para
// comparar lo que se quiso escribir.
std::string formaSimple(const std::string& palabra);
// La etiqueta conocida más parecida a la palabra, a lo sumo a dos cambios sin
// contar mayúsculas ni acentos, o vacía.
std::string etiquetaParecida(const std::string& palabra);
// Una palabra que es una etiqueta mal escrita, no un comentario: igual a una
// etiqueta salvo mayúsculas y acentos, o a un cambio de ella (dos si la
// etiqueta tiene ocho letras o más: "notas:" está a dos de "nudos:" y es un
// comentario). Devuelve la etiqueta, o vacía.
std::string etiquetaMalEscrita(const std::string& palabra);
