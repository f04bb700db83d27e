// Factorización de Cholesky dispersa (supernodal; las incógnitas llegan ya en
// su orden de eliminación, ver ordenNudos.h) del sistema de los grados de libertad libres, con control
// de estabilidad y un paso de refinamiento iterativo.
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
    // escalarla para que su diagonal valga 1. Falso si K no es definida
    // positiva: alguna diagonal nula o negativa, un pivote que es sólo redondeo
    // o una condición tan grande que sólo puede venir de un mecanismo.
    bool factorizar(Eigen::SparseMatrix<double>&& k);
    // Resuelve K·X = B para todas las columnas a la vez. Si el residuo escalado
    // de alguna columna supera 1e-12 se hace un paso de refinamiento iterativo.
    // Falso si la solución no es finita.
    bool resolver(const Eigen::MatrixXd& b, Eigen::MatrixXd& x);
    // Fracción de la mayor diagonal por debajo de la cual una diagonal es sólo
    // redondeo (un grado de libertad sin rigidez).
    static double fraccionNula();

private:
    struct Datos;
    std::unique_ptr<Datos> datos;
};
