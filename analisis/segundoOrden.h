// Análisis de segundo orden (P-Δ) y pandeo lineal sobre el sistema que el
// análisis de primer orden ya factorizó.
//
// La rigidez geométrica Kg(N) de la estructura se arma con la de cada barra
// para su esfuerzo axial N. Las soluciones con K + Kg usan el factor de
// Cholesky de K como precondicionador de gradientes conjugados: mientras la
// carga está lejos de la crítica, K⁻¹·(K + Kg) tiene sus autovalores cerca de
// 1 y bastan pocas soluciones con el factor, mucho menos que factorizar
// K + Kg de nuevo. El residuo de cada corrección se calcula con el operador de
// rigidez en aritmética extendida, como en el primer orden.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <vector>

#include "analisis/numeracionLibre.h"
#include "analisis/operadorRigidez.h"
#include "analisis/solucionDispersa.h"

// El sistema de primer orden: el factor de K (libres, en el orden de
// eliminación), la numeración y el operador de rigidez de las barras.
struct sistemaElastico {
    const solucionDispersa& factor;
    const numeracionLibre& num;
    const operadorRigidez& operador;
};

// Rigidez geométrica de la estructura (completa, 6 por nudo) para un esfuerzo
// axial por barra (en el orden interno de las barras).
Eigen::SparseMatrix<double> rigidezGeometrica(const std::vector<double>& axiales, Eigen::Index noGdl);

// K + Kg de los libres (Kg la rigidez geométrica completa de
// rigidezGeometrica), en las variables físicas y el orden de eliminación de
// s, factorizada en resultado con su propia escala: la rigidez de los modos
// con P-Δ. Falso si no es definida positiva (las cargas superan la crítica).
bool factorizarConGeometrica(const sistemaElastico& s, const Eigen::SparseMatrix<double>& kg,
                             solucionDispersa& resultado);

// Esfuerzo axial medio de cada barra en la combinación c para los
// desplazamientos completos u.
std::vector<double> axialesDeBarras(const Eigen::VectorXd& u, int combo);

// Resuelve (K + ΔK)·u = cargas con los desplazamientos impuestos en los
// grados de libertad con apoyo; ΔK es una modificación completa de la
// rigidez (6 por nudo, simétrica). u entra con una aproximación (la solución
// de primer orden, por ejemplo) y sale con la solución. Falso si K + ΔK
// resultó no definida positiva durante la solución.
bool resolverModificada(const sistemaElastico& s, const Eigen::SparseMatrix<double>& deltaK,
                        const Eigen::VectorXd& cargas, const Eigen::VectorXd& impuestos, Eigen::VectorXd& u);

// El mayor autovalor μ de K⁻¹·(−ΔK) en los libres y su vector (completo, en
// las variables físicas), hasta `cuantos` de mayor a menor. K + ΔK es
// definida positiva si y sólo si el mayor μ es menor que 1; con ΔK = Kg(N),
// 1/μ son los factores críticos de pandeo. Falso si no convergió. Con
// direccion (completa, física), Lanczos parte de ella más un vector al azar.
bool autovaloresGeometricos(const sistemaElastico& s, const Eigen::SparseMatrix<double>& deltaK, int cuantos,
                            Eigen::VectorXd& valores, Eigen::MatrixXd& vectores,
                            const Eigen::VectorXd* direccion = nullptr, double tolerancia = 1e-10);

// Una combinación en segundo orden: iteraciones hechas (soluciones con
// K + Kg), si los axiales convergieron, si K + Kg dejó de ser definida
// positiva, los desplazamientos finales y los axiales con que se formó la
// última Kg.
struct resultadoSegundoOrden {
    int iteraciones = 0;
    bool convergio = true;
    bool inestable = false;
    Eigen::VectorXd u;
    std::vector<double> axiales;
};
inline constexpr int kIteracionesSegundoOrden = 50;
inline constexpr double kToleranciaAxiales = 1e-9;

// Itera sobre los axiales de la combinación c desde su solución de primer
// orden. Las barras marcadas en inactivas (una entrada por barra, o vacía)
// están desactivadas en la combinación: no tienen axial ni rigidez
// geométrica (la rigidez y el operador de s ya las dejan fuera).
resultadoSegundoOrden resolverSegundoOrden(const sistemaElastico& s, int combo, const Eigen::VectorXd& cargas,
                                           const Eigen::VectorXd& impuestos, const Eigen::VectorXd& uPrimerOrden,
                                           const std::vector<char>& inactivas = {});
