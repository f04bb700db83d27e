// La orden "nudo N": qué se dice de un nudo en la línea de órdenes.
#pragma once

#include <string>

// Renglones con el número, las coordenadas y el apoyo del nudo (número
// interno) y, si hay resultados, sus desplazamientos y giros (y sus
// reacciones, si tiene apoyo o resortes) para la primera combinación activa,
// sin el ruido del redondeo, con las unidades del modelo si las tiene y en
// notación científica sólo donde hace falta. Sin "Ingrese Comando:".
std::string inspeccionarNudo(int interno);
