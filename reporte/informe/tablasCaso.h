// Tablas que comparten los capítulos de los casos de resultados (una
// combinación, una combinación con sismo, una envolvente, un caso sísmico).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analisis/casosResultado.h"
#include "reporte/informe/documentoHtml.h"

// Con más barras que éstas, las tablas de solicitaciones por barra se limitan
// a las kBarrasDestacadas de mayor valor absoluto.
inline constexpr std::size_t kBarrasEnTablaCompleta = 200;
inline constexpr std::size_t kBarrasDestacadas = 20;

// ¿Es N, Vy o Vz (una fuerza, no un momento)?
bool esFuerza(int s);
// Las primeras columnas y seis más con los nombres dados: tres de una magnitud y tres de otra.
std::vector<tablaHtml::columna> columnasSeis(std::vector<tablaHtml::columna> primeras, const char* const nombres[6],
                                            magnitud primeras3, magnitud ultimas3);
// El mayor valor absoluto de cada componente de los desplazamientos (en un
// caso sísmico, de los módulos) con su nudo; en una combinación (indice, su
// número entre los casos), también la mayor traslación de cada componente a
// lo largo de las barras, con la barra y su x.
void tablaDesplazamientos(documentoHtml& doc, const casoResultado& caso, int indice = -1);
// El mayor máximo y el menor mínimo de cada solicitación entre todas las
// barras, con su barra y su x; en una envolvente, también la combinación que manda.
void tablaExtremos(documentoHtml& doc, const casoResultado& caso);
// El nombre del caso `indice` de los resultados (el que manda en un valor de
// una envolvente), o "—" si no hay.
std::string nombreQueManda(int indice);
