// El método estático equivalente: el peso sísmico W de las masas de
// traslación (las mismas de los modos), el cortante basal V = C·W y su
// reparto en altura F_k = V·w_k·h_k^K / Σ w_j·h_j^K, con h desde el apoyo más
// bajo. Con diafragmas cada diafragma sobre la base es un nivel y su fuerza va
// a su centro de masa; sin ellos, los niveles son las alturas de los nudos con
// masa de traslación sobre la base y la fuerza de cada nivel se reparte entre
// sus nudos según su masa.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

#include "analisis/resultadosSismoEstatico.h"
#include "modelo/sismoEstatico.h"

// El reparto del caso en el modelo cargado (nudos, apoyos, masas, diafragmas
// y gravedad ya leídos), con las masas de traslación de masasDeTraslacion():
// se calculan una vez para todos los casos (recorren la masa de todas las
// barras).
distribucionSismoEstatico distribuirSismoEstatico(const definicionSismoEstatico& d, const Eigen::MatrixXd& masas);

// Etapa del análisis: resultados.estaticos, un reparto por caso pedido.
void calcularSismosEstaticos();

// El cortante basal de un caso de carga en la dirección d (0 X, 1 Y): el
// valor absoluto de la suma de sus reacciones en esa dirección, que por el
// equilibrio es la de sus cargas (puntuales y repartidas) en ella.
double cortanteBasalDeCaso(const std::string& caso, int d);
