// Orden de eliminación de los grados de libertad libres: disección anidada de
// METIS sobre el grafo de nudos (dos nudos son vecinos si una barra los une),
// con los seis grados de libertad de cada nudo juntos. Ordenar los nudos en vez
// de los grados de libertad es seis veces más chico para METIS y da supernodos
// completos para la factorización. Cuando la factorización es grande se
// prueban dos disecciones (METIS elige al azar, con una semilla fija, y las
// operaciones cambian bastante de una semilla a otra) y queda la de menos
// operaciones previstas.
#pragma once

#include <utility>
#include <vector>

// posicionLibre[g] es la posición del grado de libertad g (desde 0) entre los
// libres, o -1 si está restringido. Devuelve, para cada libre, su posición en
// el orden de eliminación.
std::vector<int> ordenarGradosLibres(int noNudosModelo, const std::vector<std::pair<int, int>>& conexiones,
                                     const std::vector<int>& posicionLibre, int noLibres);

// Orden de eliminación de los nudos (el nudo que va en cada lugar);
// libresPorNudo[n] es cuántos grados de libertad libres tiene el nudo n.
std::vector<int> ordenarNudos(int noNudosModelo, const std::vector<std::pair<int, int>>& conexiones,
                              const std::vector<int>& libresPorNudo);

// Operaciones de punto flotante previstas para factorizar la rigidez con los
// nudos en ese orden (las que contaría CHOLMOD, salvo redondeo).
double operacionesPrevistas(int noNudosModelo, const std::vector<std::pair<int, int>>& conexiones,
                            const std::vector<int>& libresPorNudo, const std::vector<int>& ordenNudos);
