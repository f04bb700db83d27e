// Factorización de Cholesky dispersa (supernodal; las incógnitas llegan ya en
// su orden de eliminación, ver ordenNudos.h) de una matriz de rigidez escalada
// a diagonal unitaria, con las medidas que la revisan: el menor pivote y una
// estimación de la condición.
#pragma once

#include <Eigen/Sparse>
#include <memory>

class solucionDispersa {
public:
    solucionDispersa();
    ~solucionDispersa();
    solucionDispersa(const solucionDispersa&) = delete;
    solucionDispersa& operator=(const solucionDispersa&) = delete;

    // Factoriza K, dada por su triángulo inferior (la toma en propiedad), tras
    // escalarla para que su diagonal valga 1 y sumarle desplazamiento·I. Falso
    // si K tiene términos no finitos o diagonales no positivas, o si el factor
    // no es definido positivo.
    bool factorizar(Eigen::SparseMatrix<double>&& k, double desplazamiento = 0.0);
    // K⁻¹·B para todas las columnas a la vez, con el factor (sin refinar). Con
    // escalada, B y el resultado están en las variables escaladas de la matriz
    // de diagonal unitaria.
    Eigen::MatrixXd resolver(const Eigen::MatrixXd& b, bool escalada = false) const;
    // 1/√diagonal de K: x = escala·y lleva de variables escaladas a físicas.
    const Eigen::VectorXd& escala() const;
    // Mínimo de L(k,k)² / A(k,k) sobre todo el factor: cuántas cifras perdió el
    // peor pivote.
    double pivoteRelativoMinimo() const;
    // Norma 1 (igual a la norma ∞) de la matriz escalada.
    double normaK() const;
    // Operaciones de punto flotante de la factorización, según CHOLMOD.
    double operaciones() const;
    // La matriz escalada S·K·S (diagonal unitaria), su triángulo inferior.
    const Eigen::SparseMatrix<double>& matrizEscalada() const;
    // Con el factor P·K·Pᵀ = L·Lᵀ de la matriz escalada: L⁻¹·P·x y Pᵀ·L⁻ᵀ·y
    // (variables escaladas). Su producto es K⁻¹; cada mitad sirve para volver
    // simétrico un problema generalizado K·φ = λ·M·φ.
    Eigen::MatrixXd aplicarInversaL(const Eigen::MatrixXd& x) const;
    Eigen::MatrixXd aplicarInversaLt(const Eigen::MatrixXd& y) const;

private:
    struct Datos;
    std::unique_ptr<Datos> datos;
};
