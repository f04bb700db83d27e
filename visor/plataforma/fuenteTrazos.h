// Trazos de la fuente Mono Roman de freeglut guardados una vez: cada carácter
// como segmentos en unidades de la fuente, para escribir todos los rótulos de
// un cuadro en una sola llamada de dibujo en vez de una por trazo.
#pragma once

#include <Eigen/Dense>
#include <array>
#include <vector>

#include "visor/escena/rotulos.h"

// Segmentos de los rótulos colocados, en el mundo, agrupados por color y
// ancho de línea: (x, y, z) de los dos extremos de cada segmento.
struct TrazosRotulos {
    struct Grupo {
        std::array<float, 3> color{};
        float ancho = 1.0f;
        bool encima = false;  // los obligatorios: sin prueba de profundidad, nada los tapa
        std::vector<float> vertices;
    };
    std::vector<Grupo> grupos;
};

// Agrega los trazos de cada rótulo colocado: el renglón corre a lo largo de
// derecha y la letra crece hacia arriba. Necesita el contexto de OpenGL la
// primera vez (los trazos se leen de freeglut en modo de realimentación).
void agregarTrazos(const std::vector<RotuloColocado>& colocados, const Eigen::Vector3d& derecha,
                   const Eigen::Vector3d& arriba, TrazosRotulos& trazos);

// Dibuja los trazos con una llamada por grupo.
void dibujarTrazos(const TrazosRotulos& trazos);
