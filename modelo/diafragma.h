// Diafragmas rígidos de piso: una losa rígida en su plano. Los nudos de un
// diafragma se mueven como un cuerpo rígido en su plano horizontal: ux, uy y
// el giro alrededor de Z de cada nudo siguen a los tres grados de libertad
// del diafragma (Ux, Uy, Gz en el centroide de sus nudos),
//   ux = Ux − (y − yc)·Gz,   uy = Uy + (x − xc)·Gz,   gz = Gz,
// mientras uz y los giros alrededor de X e Y quedan propios de cada nudo.
#pragma once

#include <vector>

struct diafragma {
    int numero = 0;          // su registro (desde 1), el número con que se nombra
    std::vector<int> nudos;  // números internos, en el orden del registro
    double z = 0;            // altura común de sus nudos
    double xc = 0, yc = 0;   // centroide de sus nudos en planta
};

// Los diafragmas del modelo, en el orden de sus registros "diafragma:".
extern std::vector<diafragma> diafragmas;

// Orden de los diafragmas de abajo hacia arriba (índices en diafragmas; a
// igual altura, el orden de los registros).
std::vector<int> diafragmasPorAltura();
