// La orden "barra N": qué se dice de una barra en la línea de órdenes.
#pragma once

#include <string>

// Renglones con el número, los nudos, el largo y la sección de la barra
// (número interno) y, si hay resultados, los esfuerzos en sus extremos y los
// momentos extremos para la primera combinación activa, sin el ruido del
// redondeo y con las unidades del modelo si las tiene. Sin "Ingrese Comando:".
std::string inspeccionarBarra(int interna);
