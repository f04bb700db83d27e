#include "analisis/solucionDispersa.h"

#include <Eigen/CholmodSupport>
#include <algorithm>
#include <cmath>

namespace {

// La matriz se escala (Jacobi) para que su diagonal valga 1; así las pruebas de
// estabilidad no dependen de las unidades (giros frente a traslaciones).
//
// Un pivote de Cholesky que pierde más de doce cifras frente a su diagonal sólo
// aparece en un mecanismo: en aritmética exacta sería cero y el redondeo lo deja
// apenas positivo.
constexpr double kPivoteRelativoMinimo = 1e-12;
// Con la diagonal escalada a uno, una condición mayor que 1e13 deja menos de
// tres cifras correctas en la solución: en la práctica es un mecanismo cuyo modo
// no coincide con ningún grado de libertad aislado. La condición se estima sólo
// cuando algún pivote es sospechoso (menor que 1e-6): una matriz con todos sus
// pivotes mayores no puede estar cerca de ser singular por un pivote de
// redondeo, y la estimación cuesta varias soluciones más.
constexpr double kInversaCondicionMinima = 1e-13;
constexpr double kPivoteSospechoso = 1e-6;
// Una diagonal por debajo de esta fracción de la mayor es un cero: lo que queda
// ahí es el redondeo de la transformación a ejes globales (productos como
// cos(90°) ≈ 6e-17, unas 1e-32 veces la rigidez de la barra), mientras que una
// rigidez real, aun mezclando unidades de giro y de traslación, no baja de
// 1e-22 veces la mayor.
constexpr double kFraccionNula = 1e-24;
constexpr double kResiduoMaximo = 1e-12;

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

    // Norma 1 de la inversa por el estimador de Hager y Higham (el mismo que
    // usa la factorización densa), con soluciones sobre el factor.
    double normaInversa() {
        const Eigen::Index n = k.rows();
        Eigen::VectorXd x = Eigen::VectorXd::Constant(n, 1.0 / static_cast<double>(n));
        Eigen::VectorXd y = cholesky.solve(x);
        double estimacion = y.lpNorm<1>();
        for (int iteracion = 0; iteracion < 5; ++iteracion) {
            const Eigen::VectorXd signo = y.unaryExpr([](double v) { return v >= 0 ? 1.0 : -1.0; });
            const Eigen::VectorXd z = cholesky.solve(signo);
            Eigen::Index j;
            if (z.cwiseAbs().maxCoeff(&j) <= z.dot(x)) break;
            x.setZero();
            x(j) = 1.0;
            y = cholesky.solve(x);
            const double nueva = y.lpNorm<1>();
            if (nueva <= estimacion) break;
            estimacion = nueva;
        }
        Eigen::VectorXd alternado(n);
        for (Eigen::Index i = 0; i < n; ++i)
            alternado(i) = (i % 2 ? -1.0 : 1.0) * (1.0 + static_cast<double>(i) / static_cast<double>(std::max<Eigen::Index>(n - 1, 1)));
        const double extra = 2.0 * cholesky.solve(alternado).lpNorm<1>() / (3.0 * static_cast<double>(n));
        return std::max(estimacion, extra);
    }
};

solucionDispersa::solucionDispersa() : datos(std::make_unique<Datos>()) {}
solucionDispersa::~solucionDispersa() = default;

double solucionDispersa::fraccionNula() { return kFraccionNula; }

bool solucionDispersa::factorizar(Eigen::SparseMatrix<double>&& k) {
    datos->k = std::move(k);
    Eigen::SparseMatrix<double>& a = datos->k;
    const Eigen::Index n = a.rows();
    if (n == 0) return true;
    // Sin ningún término de rigidez no hay nada que factorizar (y CHOLMOD no
    // acepta una matriz sin valores).
    if (a.nonZeros() == 0) return false;

    // Una diagonal nula (o que es sólo redondeo), negativa o indefinida ya es
    // una estructura inestable.
    const Eigen::VectorXd diagonal = a.diagonal();
    double mayor = 0.0;
    for (Eigen::Index i = 0; i < n; ++i)
        if (std::isfinite(diagonal(i))) mayor = std::max(mayor, std::fabs(diagonal(i)));
    const double cero = kFraccionNula * mayor;
    datos->escala.resize(n);
    bool estable = true;
    for (Eigen::Index i = 0; i < n; ++i) {
        if (!(diagonal(i) > cero) || !std::isfinite(diagonal(i))) estable = false;
        datos->escala(i) = diagonal(i) > 0.0 ? 1.0 / std::sqrt(diagonal(i)) : 1.0;
    }
    if (!estable) return false;
    Eigen::VectorXd sumaColumnas = Eigen::VectorXd::Zero(n);
    for (int j = 0; j < a.outerSize(); ++j)
        for (Eigen::SparseMatrix<double>::InnerIterator it(a, j); it; ++it) {
            it.valueRef() *= datos->escala(it.row()) * datos->escala(j);
            sumaColumnas(j) += std::fabs(it.value());
            if (it.row() != j) sumaColumnas(it.row()) += std::fabs(it.value());
        }
    datos->normaK = sumaColumnas.maxCoeff();
    if (!std::isfinite(datos->normaK)) return false;

    datos->cholesky.compute(a);
    if (datos->cholesky.info() != Eigen::Success) return false;
    const double pivote = datos->cholesky.pivoteRelativoMinimo(a);
    if (!(pivote >= kPivoteRelativoMinimo)) return false;
    if (pivote < kPivoteSospechoso) {
        const double rcond = 1.0 / (datos->normaK * datos->normaInversa());
        if (!(rcond >= kInversaCondicionMinima)) return false;
    }
    return true;
}

bool solucionDispersa::resolver(const Eigen::MatrixXd& b, Eigen::MatrixXd& x) {
    const Eigen::SparseMatrix<double>& k = datos->k;
    if (k.rows() == 0 || b.cols() == 0) {
        x = Eigen::MatrixXd::Zero(k.rows(), b.cols());
        return true;
    }
    // Se resuelve el sistema escalado S·K·S·y = S·b y x = S·y.
    const Eigen::MatrixXd bs = datos->escala.asDiagonal() * b;
    Eigen::MatrixXd y = datos->cholesky.solve(bs);
    if (!y.allFinite()) return false;
    // Residuo escalado de cada combinación: |b − K·y|∞ / (|K|∞·|y|∞ + |b|∞).
    const Eigen::MatrixXd r = bs - k.selfadjointView<Eigen::Lower>() * y;
    bool refinar = false;
    for (Eigen::Index c = 0; c < b.cols(); ++c) {
        const double escala = datos->normaK * y.col(c).lpNorm<Eigen::Infinity>() + bs.col(c).lpNorm<Eigen::Infinity>();
        if (escala > 0 && r.col(c).lpNorm<Eigen::Infinity>() / escala > kResiduoMaximo) refinar = true;
    }
    if (refinar) {
        y += datos->cholesky.solve(r);
        if (!y.allFinite()) return false;
    }
    x = datos->escala.asDiagonal() * y;
    return x.allFinite();
}
