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

    // Factoriza K, dada por su triángulo inferior (la toma en propiedad).
    // Falso si K no es definida positiva, o si algún pivote pierde tanta
    // precisión frente a su término diagonal que sólo puede venir de un mecanismo.
    bool factorizar(Eigen::SparseMatrix<double>&& k);
    // Resuelve K·X = B para todas las columnas a la vez. Si el residuo escalado
    // de alguna columna supera 1e-12 se hace un paso de refinamiento iterativo.
    // Falso si la solución no es finita.
    bool resolver(const Eigen::MatrixXd& b, Eigen::MatrixXd& x);

private:
    struct Datos;
    std::unique_ptr<Datos> datos;
};
