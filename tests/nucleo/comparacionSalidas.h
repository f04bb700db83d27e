// Comparación de dos salidas del programa (la consola, resultados.txt, un CSV)
// que tolera lo que cambia de un procesador a otro y nada más.
//
// Los resultados no son idénticos bit a bit entre procesadores: la
// factorización usa las rutinas BLAS del procesador y los últimos bits de
// cada número cambian. Cada número se compara con una tolerancia relativa a
// la escala de su clase en su caso, como la regla del ruido del README: los
// números de un mismo grupo (la misma posición en renglones de la misma
// forma, bajo el mismo encabezado) son una magnitud de un caso (las
// reacciones Rx de una combinación, la columna de una combinación en el
// vector de desplazamientos, los momentos My de una envolvente) y su escala
// es el mayor valor absoluto del grupo. Dos números casi nulos del redondeo
// (1e-17 contra -3e-18 cuando la escala es 100) son iguales; un cambio de
// 1e-7 de la escala no lo es. El resto del texto se compara byte a byte.
#pragma once

#include <string>
#include <vector>

// Tolerancia relativa a la escala del grupo de cada número.
inline constexpr double kToleranciaSalidas = 1e-9;

// Vacío si los dos textos son iguales a la tolerancia; si no, las primeras
// diferencias (renglón, lo esperado y lo obtenido), a lo sumo `maximo`.
// `esCsv`: el primer renglón nombra las columnas, y la escala de algunas
// (fracciones de masa, derivas) es fija.
std::vector<std::string> diferenciasDeSalida(const std::string& esperado, const std::string& obtenido, bool esCsv,
                                             size_t maximo = 10);
