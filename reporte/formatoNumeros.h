// Escritura rápida de números como texto, sin flujos ni configuración regional.
// Cada función escribe a partir de p y devuelve el puntero al carácter que
// sigue al último escrito; ninguna escribe más de kMaxCaracteresNumero.
#pragma once

#include <cstddef>

inline constexpr std::size_t kMaxCaracteresNumero = 32;

// El texto que da un flujo de C++ con su formato por omisión (seis cifras
// significativas, notación general: lo mismo que printf "%.6g").
char* escribirGeneral6(char* p, double v);
// Diecisiete cifras significativas (printf "%.17g"): el valor se lee de vuelta exacto.
char* escribirGeneral17(char* p, double v);
char* escribirEntero(char* p, long long v);
