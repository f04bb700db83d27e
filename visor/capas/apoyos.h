// Símbolos de apoyo: qué símbolo corresponde a cada combinación de restricciones.
#pragma once

#include <Eigen/Dense>

enum class CasoApoyo {
    Ninguno,     // sin restricciones: no se dibuja nada
    Empotrado,   // 1 1 1 1 1 1: línea de suelo rayada
    Articulado,  // 1 1 1 0 0 0: pirámide
    Bola,        // 0 0 1 0 0 0: libre en X e Y
    RodilloY,    // 1 0 1 0 0 0: rueda que rueda a lo largo de Y
    RodilloX,    // 0 1 1 0 0 0: rueda que rueda a lo largo de X
    Otro         // cualquier otra con alguna restricción: cruz de tres ejes
};

// Caso del símbolo para las restricciones Ux Uy Uz giroX giroY giroZ (1
// restringido, 0 libre). Las entradas que falten cuentan como 0.
CasoApoyo casoApoyo(const Eigen::VectorXi& restricciones);
