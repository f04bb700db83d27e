// Lo que el modo por lotes imprime en la consola después del análisis.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

// "nudo N:" y las seis reacciones Rx Ry Rz Mx My Mz con "%.6e" (0 en los
// grados de libertad libres).
std::string lineaReacciones(int nudoUsuario, const Eigen::Matrix<double, 6, 1>& reacciones);
struct casoResultado;
// "Combo NOMBRE: barras inactivas N1 N2 ..." (números del archivo, en orden
// creciente) o vacía si el caso no tiene barras inactivas.
std::string lineaBarrasInactivas(const casoResultado& caso);
// "Sismo CASO: cortante basal X ..., Y ..., Z ...; N modos, masa efectiva P %"
// del caso sísmico c.
std::string lineaSismo(int c);
// Para cada combinación: la línea de sus barras inactivas, si las hay, "Reacciones del combo NOMBRE", la línea de cada nudo
// con algún apoyo o resorte y "Equilibrio del combo NOMBRE: error relativo E" (E con "%.1e").
// Una combinación con sismo da dos bloques, "(máximos)" y "(mínimos)", y el
// equilibrio de su parte estática; un caso sísmico, la línea de su cortante
// basal y "Reacciones del sismo CASO" con los módulos; una envolvente,
// "Envolvente NOMBRE: K combinaciones".
void imprimirReacciones();
struct resultadosAnalisis;
// La verificación de acero: "Verificación de acero (METODO): N miembros, K no
// cumplen; mayor razón R (miembro M, combo C, ecuación E)" y una línea por
// miembro que no cumple, "Miembro M: razón R (combo C, ecuación E, x = X)", o
// que no se verifica, "Miembro M: sin verificación (sección NOMBRE)". Nada
// si el modelo no la pide.
std::vector<std::string> lineasVerificacionAcero(const resultadosAnalisis& r);
void imprimirVerificacionAcero();
