// Los niveles sin diafragma: las derivas de las columnas. Una columna es una
// barra cuyos extremos difieren en altura más que su proyección horizontal;
// su deriva en X (Y) es la diferencia de ux (uy) de sus extremos sobre esa
// diferencia de altura. El nivel de una columna es la altura de su extremo
// superior, y la deriva del nivel, la mayor de sus columnas. Los niveles a la
// altura de un diafragma no están aquí: sus derivas son las del diafragma.
#pragma once

#include <Eigen/Dense>
#include <vector>

#include "analisis/casosResultado.h"

// Los niveles del modelo cargado, de abajo hacia arriba: dos alturas a menos
// de 1e-6 del tamaño del modelo son el mismo nivel. Vacío sin columnas.
std::vector<nivelColumnas> nivelesDeColumnas();

// Las derivas con signo de las columnas de uno o más campos de
// desplazamientos (6 filas por nudo, una columna por campo): por nivel y por
// columna, en su orden, una fila en X y otra en Y. Lineales en los campos:
// las de las formas modales se combinan sobre los modos como cualquier otra
// magnitud, y otra contribución se les suma fila a fila.
Eigen::MatrixXd magnitudesNiveles(const std::vector<nivelColumnas>& niveles, const Eigen::MatrixXd& campos);

// Los niveles de un caso a partir de sus magnitudes (con signo en una
// combinación; los módulos combinados en un caso sísmico). Ante un empate
// (dos derivas que difieren en el redondeo de las traslaciones del caso,
// cuya escala se da) manda la primera columna.
void llenarNiveles(casoResultado& caso, const std::vector<nivelColumnas>& niveles, const Eigen::VectorXd& q,
                   double escalaTraslaciones);
// Combinación con sismo: la deriva de cada columna es |estática| + Σ factor·módulo.
void combinarNiveles(casoResultado& caso, const casoResultado& estatico,
                     const std::vector<const casoResultado*>& sismicos, const std::vector<double>& factores,
                     const std::vector<nivelColumnas>& niveles, double escalaTraslaciones);
// Envolvente: la mayor deriva de cada columna entre los casos componentes,
// con el caso que manda en la del nivel (ante un empate, el primero).
void envolverNiveles(casoResultado& caso, const std::vector<casoResultado>& casos,
                     const std::vector<nivelColumnas>& niveles, const escalasCaso& escalas);

// La deriva del nivel en X (d = 0) o en Y (1) sin el redondeo: la diferencia
// de desplazamientos que la da es una traslación del caso.
double derivaNivelSinRuido(const casoResultado& caso, const resultadoNivel& r, int d);
