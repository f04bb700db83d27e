// Lo que el modo por lotes imprime en la consola después del análisis.
#pragma once

#include <Eigen/Dense>
#include <string>

// "nudo N:" y las seis reacciones Rx Ry Rz Mx My Mz con "%.6e" (0 en los
// grados de libertad libres).
std::string lineaReacciones(int nudoUsuario, const Eigen::Matrix<double, 6, 1>& reacciones);
struct casoResultado;
// "Combo NOMBRE: barras inactivas N1 N2 ..." (números del archivo, en orden
// creciente) o vacía si el caso no tiene barras inactivas.
std::string lineaBarrasInactivas(const casoResultado& caso);
// Para cada combinación: la línea de sus barras inactivas, si las hay, "Reacciones del combo NOMBRE", la línea de cada nudo
// con algún apoyo o resorte y "Equilibrio del combo NOMBRE: error relativo E" (E con "%.1e").
void imprimirReacciones();
