// Barras de solo tracción y de solo compresión. En cada combinación se
// resuelve, se desactiva cada barra de la lista cuyo esfuerzo axial tiene el
// sentido que no resiste, se reactiva cada barra desactivada cuyos nudos
// cierran la holgura (su alargamiento elástico tiene el sentido que sí
// resiste) y se repite hasta que nada cambia. Un estado ya visto es un ciclo:
// se avisa y queda el último estado resuelto.
#pragma once

#include <Eigen/Dense>
#include <functional>
#include <vector>

// Rondas de solución de cada combinación como máximo.
inline constexpr int kRondasSentidoAxial = 50;

// Resuelve las combinaciones `combos` (índices de columna) con las barras
// `inactivas` (números internos, en orden creciente) sin rigidez, y escribe
// sus desplazamientos (6 por nudo) en esas columnas de u. Falso si la
// estructura no se puede resolver así (ya lo dijo en los mensajes). El
// análisis de segundo orden entra por aquí: es la solución de una combinación
// con un juego de barras activas.
using resolverConInactivas =
    std::function<bool(const std::vector<int>& inactivas, const std::vector<int>& combos, Eigen::MatrixXd& u)>;

// u trae la solución con todas las barras activas; sale con la de cada
// combinación con sus barras inactivas, que quedan en inactivas (una lista
// por combinación). escalaFuerzas(c) es la fuerza por debajo de la cual un
// esfuerzo axial de la combinación c es redondeo (la barra queda como está).
// Falso si alguna combinación no se pudo resolver.
bool iterarSentidoAxial(Eigen::MatrixXd& u, std::vector<std::vector<int>>& inactivas,
                        const resolverConInactivas& resolver, const Eigen::VectorXd& escalaFuerzas);

// Verdadero si alguna barra del modelo es de solo tracción o de solo compresión.
bool hayBarrasDeUnSentido();
