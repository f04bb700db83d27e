// Valores extremos de las solicitaciones a lo largo de una barra, de las
// funciones cerradas que dibujan los diagramas: en los extremos de la barra y
// en los puntos interiores donde la derivada se anula (el corte nulo para los
// momentos, la carga nula para el corte y el esfuerzo axial).
#pragma once

#include <array>

#include "modelo/objBarra3d.h"

struct extremoSolicitacion {
    double maximo = 0, xMaximo = 0;  // x desde el inicio de la barra
    double minimo = 0, xMinimo = 0;
};

// Las solicitaciones en este orden.
inline constexpr int kNumeroSolicitaciones = 6;
inline constexpr const char* kNombresSolicitaciones[kNumeroSolicitaciones] = {"N", "Vy", "Vz", "T", "My", "Mz"};

// Extremos de N, Vy, Vz, T, My y Mz en la combinación c de una barra analizada.
// Ante empates vale la primera x; un valor indefinido (nan) se informa como tal.
std::array<extremoSolicitacion, kNumeroSolicitaciones> extremosSolicitaciones(objBarra3d& b, int c);
