// Orden de eliminación de los grados de libertad libres: disección anidada de
// METIS sobre el grafo de nudos (dos nudos son vecinos si una barra los une),
// con los seis grados de libertad de cada nudo juntos. Ordenar los nudos en vez
// de los grados de libertad es seis veces más chico para METIS y da supernodos
// completos para la factorización.
#pragma once

#include <vector>

// posicionLibre[g] es la posición del grado de libertad g (desde 0) entre los
// libres, o -1 si está restringido. Devuelve, para cada libre, su posición en
// el orden de eliminación.
std::vector<int> ordenarGradosLibres(int noNudosModelo, const std::vector<std::pair<int, int>>& conexiones,
                                     const std::vector<int>& posicionLibre, int noLibres);
