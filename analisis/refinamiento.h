// Solución de K·x = b con refinamiento iterativo: el residuo se calcula con el
// operador de rigidez en aritmética extendida y la corrección con el factor de
// Cholesky, hasta que la corrección que falta es redondeo. Las mismas
// soluciones con el factor llevan unas columnas más que estiman la condición
// de la matriz escalada (iteración de potencias por bloques sobre la inversa).
#pragma once

#include <Eigen/Dense>
#include <functional>

#include "analisis/solucionDispersa.h"

struct resultadoRefinamiento {
    bool convergio = false;  // la solución quedó con todas las cifras que permite la matriz guardada
    int pasos = 0;           // correcciones hechas
    double cambioFinal = 0;  // tamaño relativo de la última corrección (variables escaladas)
    double condicion = 1;    // condición estimada de la matriz escalada
};

// b son las cargas de los libres en el orden de eliminación; residuo(x)
// devuelve b − K·x en ese mismo orden. x sale con la solución refinada.
resultadoRefinamiento resolverRefinado(const solucionDispersa& solucion, const Eigen::MatrixXd& b,
                                       const std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>& residuo,
                                       Eigen::MatrixXd& x);

// Lo mismo con otra inversa aproximada de K (por ejemplo, un factor de otra
// matriz corregido en rango bajo), sin estimar la condición. escala mide las
// correcciones como en las variables escaladas (1/√diagonal).
resultadoRefinamiento resolverRefinado(const std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>& inversa,
                                       const Eigen::VectorXd& escala, const Eigen::MatrixXd& b,
                                       const std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>& residuo,
                                       Eigen::MatrixXd& x);
