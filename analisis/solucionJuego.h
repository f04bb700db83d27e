// La solución de la estructura con un juego de barras activas: el ensamblaje
// de la rigidez, su factorización y la solución refinada de varias columnas
// de cargas y desplazamientos impuestos, con la búsqueda de mecanismos cuando
// algo hace sospechar uno. La usan el primer orden (todas las barras) y las
// rondas de las barras de un solo sentido (un juego por ronda).
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <chrono>
#include <cmath>
#include <vector>

#include "analisis/funcionSolve.h"
#include "analisis/numeracionLibre.h"
#include "analisis/operadorRigidez.h"
#include "analisis/solucionDispersa.h"

// El reloj de las etapas del análisis (tiemposUltimoAnalisis).
using Reloj = std::chrono::steady_clock;
inline double segundosDesde(Reloj::time_point inicio) {
    return std::chrono::duration<double>(Reloj::now() - inicio).count();
}

// La solución de un juego de barras activas.
struct sistemaResuelto {
    resultadoAnalisis resultado = resultadoAnalisis::correcto;
    Eigen::SparseMatrix<double> rigidez;  // de la estructura, completa
    Eigen::VectorXd referencia;           // ver ensamblarRigidez
    bool ensamblada = false;              // rigidez y referencia ya armadas
    solucionDispersa factor;              // del bloque libre
    operadorRigidez operador;             // las barras activas, para los residuos
    double condicion = INFINITY;
    Eigen::MatrixXd u, reacciones;        // 6N x columnas
};

// Rigidez global en forma dispersa, sin las barras marcadas en inactivas (si
// no está vacía, una entrada por barra). referencia(g) recibe, para cada grado
// de libertad, la mayor diagonal de la misma clase (traslaciones o giros) que
// le da alguna de sus barras o su resorte: contra ella se decide si una
// diagonal es un cero.
void ensamblarRigidez(Eigen::SparseMatrix<double>& kEstructura, Eigen::Index ngl, Eigen::VectorXd& referencia,
                      const std::vector<char>& inactivas);

// Arma la rigidez sin las barras inactivas (si no viene armada), la factoriza y resuelve las
// columnas de cargas e impuestos dadas, con el refinamiento y, si algo hace
// sospechar, la búsqueda de mecanismos. El análisis principal (todas las
// barras) anota además los tiempos de sus etapas desde inicio.
void resolverSistema(const std::vector<char>& inactivas, const numeracionLibre& num, const Eigen::MatrixXd& cargas,
                     const Eigen::MatrixXd& impuestos, const Reloj::time_point* inicio, sistemaResuelto& s);

// La misma solución sin armar ni factorizar: el factor de la rigidez de todas
// las barras corregido en rango bajo por las que se quitan (ver
// actualizacionRango.h) y refinado con el residuo exacto sin ellas. Falso si
// la corrección no se puede usar (demasiadas barras, un mecanismo o casi, una
// solución que no se deja refinar): entonces se factoriza de nuevo.
bool resolverActualizado(const solucionDispersa& factor, const std::vector<char>& inactivas,
                         const std::vector<int>& quitadas, const numeracionLibre& num, const Eigen::MatrixXd& cargas,
                         const Eigen::MatrixXd& impuestos, sistemaResuelto& s);

// Diagonal de la caja que contiene a los nudos (1 si es un punto).
double tamanoModelo();
