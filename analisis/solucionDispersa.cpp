#include "analisis/solucionDispersa.h"

#include <Eigen/CholmodSupport>
#include <algorithm>
#include <cmath>

namespace {

// La matriz se escala (Jacobi) para que su diagonal valga 1; así las medidas
// del factor no dependen de las unidades (giros frente a traslaciones).

// Expone el factor de CHOLMOD para revisar sus pivotes.
class CholeskySupernodal : public Eigen::CholmodSupernodalLLT<Eigen::SparseMatrix<double>, Eigen::Lower> {
public:
    CholeskySupernodal() {
        cholmod_common& c = cholmod();
        c.nmethods = 1;
        // Las incógnitas llegan ya ordenadas por disección anidada de METIS
        // sobre el grafo de nudos: CHOLMOD las toma en ese orden.
        c.method[0].ordering = CHOLMOD_NATURAL;
        c.postorder = 1;
        c.supernodal = CHOLMOD_SUPERNODAL;
        // Amalgamación de supernodos algo más estricta que la de omisión: en
        // edificios grandes guarda unos 12 MB menos de ceros en el factor sin
        // hacerlo más lento.
        c.zrelax[0] = 0.4;
        c.zrelax[1] = 0.05;
        c.zrelax[2] = 0.025;
        // Los fallos se informan con los mensajes del programa, no con los de CHOLMOD.
        c.print = 0;
        c.error_handler = nullptr;
    }

    // Uno de los sistemas parciales del factor P·A·Pᵀ = L·Lᵀ (CHOLMOD_L,
    // CHOLMOD_Lt, CHOLMOD_P, CHOLMOD_Pt) para todas las columnas de b.
    Eigen::MatrixXd resolverParcial(int sistema, const Eigen::MatrixXd& b) const {
        Eigen::MatrixXd copia = b;
        cholmod_dense bc = Eigen::viewAsCholmod(copia);
        cholmod_common* comun = &const_cast<CholeskySupernodal*>(this)->cholmod();
        cholmod_dense* x = cholmod_solve(sistema, m_cholmodFactor, &bc, comun);
        Eigen::MatrixXd r = Eigen::Map<const Eigen::MatrixXd>(static_cast<const double*>(x->x), b.rows(), b.cols());
        cholmod_free_dense(&x, comun);
        return r;
    }

    // Mínimo de L(k,k)² / A(p(k), p(k)) sobre todas las columnas del factor.
    double pivoteRelativoMinimo(const Eigen::SparseMatrix<double>& a) const {
        const cholmod_factor* f = m_cholmodFactor;
        if (f == nullptr || f->n == 0) return 1.0;
        const int* perm = static_cast<const int*>(f->Perm);
        Eigen::VectorXd diagA = a.diagonal();
        double minimo = INFINITY;
        auto revisar = [&](size_t k, double lkk) {
            const double akk = diagA(perm ? perm[k] : static_cast<int>(k));
            if (akk > 0) minimo = std::min(minimo, lkk * lkk / akk);
            else minimo = 0.0;
        };
        const double* x = static_cast<const double*>(f->x);
        if (f->is_super) {
            const int* super = static_cast<const int*>(f->super);
            const int* pi = static_cast<const int*>(f->pi);
            const int* px = static_cast<const int*>(f->px);
            for (size_t s = 0; s < f->nsuper; ++s) {
                const int k1 = super[s], k2 = super[s + 1];
                const int nsrow = pi[s + 1] - pi[s];
                for (int j = 0; j < k2 - k1; ++j) revisar(static_cast<size_t>(k1 + j), x[px[s] + j + j * nsrow]);
            }
        } else {
            const int* p = static_cast<const int*>(f->p);
            for (size_t k = 0; k < f->n; ++k) revisar(k, x[p[k]]);
        }
        return minimo;
    }
};

}  // namespace

struct solucionDispersa::Datos {
    CholeskySupernodal cholesky;
    Eigen::SparseMatrix<double> k;  // escalada, triángulo inferior
    Eigen::VectorXd escala;         // 1/√diagonal original
    double normaK = 0.0;            // norma 1 (= ∞, simétrica) de la matriz escalada
    double operaciones = 0.0;       // de punto flotante de la factorización (CHOLMOD)
    bool factorizada = false;
};

solucionDispersa::solucionDispersa() : datos(std::make_unique<Datos>()) {}
solucionDispersa::~solucionDispersa() = default;

const Eigen::VectorXd& solucionDispersa::escala() const { return datos->escala; }

bool solucionDispersa::factorizar(Eigen::SparseMatrix<double>&& k, double desplazamiento) {
    datos->k = std::move(k);
    datos->factorizada = false;
    Eigen::SparseMatrix<double>& a = datos->k;
    const Eigen::Index n = a.rows();
    datos->escala = Eigen::VectorXd::Ones(n);
    if (n == 0) {
        datos->factorizada = true;
        return true;
    }
    // Sin ningún término de rigidez no hay nada que factorizar (y CHOLMOD no
    // acepta una matriz sin valores).
    if (a.nonZeros() == 0) return false;
    const Eigen::VectorXd diagonal = a.diagonal();
    for (Eigen::Index i = 0; i < n; ++i) {
        if (!(diagonal(i) > 0.0) || !std::isfinite(diagonal(i))) return false;
        datos->escala(i) = 1.0 / std::sqrt(diagonal(i));
    }
    Eigen::VectorXd sumaColumnas = Eigen::VectorXd::Zero(n);
    for (int j = 0; j < a.outerSize(); ++j)
        for (Eigen::SparseMatrix<double>::InnerIterator it(a, j); it; ++it) {
            it.valueRef() *= datos->escala(it.row()) * datos->escala(j);
            if (it.row() == j) it.valueRef() = 1.0 + desplazamiento;
            sumaColumnas(j) += std::fabs(it.value());
            if (it.row() != j) sumaColumnas(it.row()) += std::fabs(it.value());
        }
    datos->normaK = sumaColumnas.maxCoeff();
    if (!std::isfinite(datos->normaK)) return false;

    datos->cholesky.compute(a);
    datos->operaciones = datos->cholesky.cholmod().fl;
    if (datos->cholesky.info() != Eigen::Success) return false;
    datos->factorizada = true;
    return true;
}

double solucionDispersa::pivoteRelativoMinimo() const {
    return datos->factorizada ? datos->cholesky.pivoteRelativoMinimo(datos->k) : 0.0;
}

double solucionDispersa::normaK() const { return datos->normaK; }

double solucionDispersa::operaciones() const { return datos->operaciones; }

const Eigen::SparseMatrix<double>& solucionDispersa::matrizEscalada() const { return datos->k; }

Eigen::MatrixXd solucionDispersa::aplicarInversaL(const Eigen::MatrixXd& x) const {
    if (!datos->factorizada || x.rows() == 0 || x.cols() == 0) return x;
    return datos->cholesky.resolverParcial(CHOLMOD_L, datos->cholesky.resolverParcial(CHOLMOD_P, x));
}

Eigen::MatrixXd solucionDispersa::aplicarInversaLt(const Eigen::MatrixXd& y) const {
    if (!datos->factorizada || y.rows() == 0 || y.cols() == 0) return y;
    return datos->cholesky.resolverParcial(CHOLMOD_Pt, datos->cholesky.resolverParcial(CHOLMOD_Lt, y));
}

Eigen::MatrixXd solucionDispersa::resolver(const Eigen::MatrixXd& b, bool escalada) const {
    const Eigen::Index n = datos->k.rows();
    if (n == 0 || b.cols() == 0 || !datos->factorizada) return Eigen::MatrixXd::Zero(n, b.cols());
    if (escalada) return datos->cholesky.solve(b);
    // Se resuelve el sistema escalado S·K·S·y = S·b y x = S·y.
    const Eigen::MatrixXd y = datos->cholesky.solve(datos->escala.asDiagonal() * b);
    return datos->escala.asDiagonal() * y;
}
