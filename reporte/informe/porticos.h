// Los pórticos del modelo para los diagramas del informe: los planos x = cte
// e y = cte que contienen enteras al menos dos barras (las líneas de ejes de
// un edificio), cada uno con sus barras, y las barras que no están en
// ninguno (diagonales fuera de los planos, vigas oblicuas en planta).
#pragma once

#include <string>
#include <vector>

#include "reporte/informe/dibujoSvg.h"

struct porticoDelModelo {
    int eje = 0;              // 0: plano x = cte (alzado YZ); 1: plano y = cte (alzado XZ)
    double coordenada = 0;    // la x o la y del plano
    std::vector<int> barras;  // índices en barra, en su orden
    vistaDibujo vista() const { return eje == 0 ? vistaDibujo::alzadoYZ : vistaDibujo::alzadoXZ; }
    // "pórtico y = 6 m".
    std::string nombre() const;
};

struct porticosDelModelo {
    std::vector<porticoDelModelo> porticos;  // primero los x = cte, después los y = cte, cada grupo en orden creciente
    std::vector<int> sueltas;                // las barras fuera de todos los pórticos
};

// Una barra está en un plano si sus dos extremos lo están con una tolerancia
// de 1e-4 del tamaño del modelo (la diagonal de la caja de sus nudos): los
// nudos de una misma línea de ejes escritos con el redondeo de un archivo.
// Un plano cuyas barras están todas sobre una recta (una línea de columnas)
// no es un pórtico.
porticosDelModelo hallarPorticos();
