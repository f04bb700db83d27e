// Los diafragmas rígidos en las salidas: las líneas del modo por lotes y el
// bloque de resultados.txt (diafragmas.csv es una tabla, tablasDiafragmas.cpp). Sólo leen los
// resultados de los casos (resultadoDiafragma) y les dan formato.
#pragma once

#include <string>
#include <vector>

#include "analisis/casosResultado.h"
#include "reporte/salidaTexto.h"

// Los valores de un diafragma en un caso sin el redondeo (cada uno con la
// escala de su clase; una deriva, con la de las traslaciones por su altura):
// ux uy giro mayores y menores (iguales salvo en un caso de dos valores) y
// las derivas en X y en Y.
struct valoresDiafragma {
    double mayor[3], menor[3], derivaX, derivaY;
};
valoresDiafragma valoresSinRuido(const casoResultado& caso, const resultadoDiafragma& r);

// "Diafragma k (z = Z): ux UX, uy UY, giro GZ; deriva X DX (nudo N), Y DY (nudo M)"
// por diafragma del caso, de abajo hacia arriba (sin la deriva si no tiene
// piso debajo; en un caso de dos valores, "ux entre MENOR y MAYOR").
std::vector<std::string> lineasDiafragmas(const casoResultado& caso);
// "Nivel (z = Z): deriva X DX (barra B), Y DY (barra C)" por nivel sin
// diafragma del caso, de abajo hacia arriba: la mayor deriva de sus columnas
// con la columna (en un caso de dos valores, la misma línea: la mayor).
std::vector<std::string> lineasNiveles(const casoResultado& caso);
// El número de usuario de una barra (número interno), o 0.
int barraDeUsuario(int interno);
// "************DIAFRAGMAS***************": los diafragmas (altura, centroide,
// nudos), los niveles sin diafragma (altura y columnas) y, por caso, el
// movimiento de cada centroide y sus derivas y las de los niveles. Sin
// diafragmas, "************NIVELES***************" con los niveles; nada si el
// modelo no tiene ni diafragmas ni columnas.
void bloqueDiafragmas(salidaTexto& os);
