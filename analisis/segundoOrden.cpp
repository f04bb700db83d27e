#include "analisis/segundoOrden.h"

#include <Eigen/Eigenvalues>
#include <Spectra/SymEigsSolver.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#include "globales.h"

namespace {

// Soluciones con el factor de K por gradiente conjugado como máximo; si no
// alcanzan (la carga está cerca de la crítica y K⁻¹·(K + Kg) tiene autovalores
// cerca de 0) se factoriza K + Kg, que entonces es lo más rápido.
constexpr int kPasosGradiente = 120;
// Cada corrección se da por resuelta cuando el residuo (en la norma del
// precondicionador) bajó esta fracción, o cuando el último paso ya no mueve
// la solución más que kPasoDespreciable de su tamaño (variables escaladas):
// dentro del segundo orden cada solución parte de la anterior y su residuo
// inicial ya es chico, así que lo que importa es el tamaño de la solución.
constexpr double kReduccionGradiente = 1e-11;
constexpr double kPasoDespreciable = 1e-14;
// Correcciones con el residuo exacto como máximo, y el cambio relativo con
// que se da la solución por terminada (variables escaladas).
constexpr int kCorrecciones = 8;
constexpr double kCambioFinal = 4e-15;
// Con pocos grados de libertad los autovalores se calculan con una
// descomposición densa.
constexpr Eigen::Index kLibresDenso = 500;
// Tolerancia del autovalor con que se comprueba que K + Kg sea definida
// positiva (basta saber de qué lado de 1 está).
constexpr double kToleranciaComprobacion = 1e-3;
constexpr double kMargenComprobacion = 1e-2;

// Bloque libre-libre de una matriz completa, en el orden de eliminación y
// escalado como la rigidez del factor (S·A·S), con los dos triángulos.
Eigen::SparseMatrix<double> bloqueEscalado(const Eigen::SparseMatrix<double>& completa, const numeracionLibre& num,
                                           const Eigen::VectorXd& escala) {
    std::vector<Eigen::Triplet<double>> terminos;
    terminos.reserve(static_cast<size_t>(completa.nonZeros()));
    if (num.conDiafragmas()) {
        // Tᵀ·A·T: cada término pasa a las incógnitas de las que dependen su fila y su columna.
        for (int j = 0; j < completa.outerSize(); ++j)
            for (Eigen::SparseMatrix<double>::InnerIterator it(completa, j); it; ++it)
                num.proyectar(it.row(), j, it.value(), [&](int oi, int oj, double v) {
                    if (v != 0.0) terminos.emplace_back(oi, oj, v * escala(oi) * escala(oj));
                });
    }
    for (int j = 0; j < completa.outerSize() && !num.conDiafragmas(); ++j) {
        const int lj = num.posicionLibre[static_cast<size_t>(j)];
        if (lj < 0) continue;
        const int oj = num.orden[static_cast<size_t>(lj)];
        for (Eigen::SparseMatrix<double>::InnerIterator it(completa, j); it; ++it) {
            const int li = num.posicionLibre[static_cast<size_t>(it.row())];
            if (li < 0) continue;
            const int oi = num.orden[static_cast<size_t>(li)];
            terminos.emplace_back(oi, oj, it.value() * escala(oi) * escala(oj));
        }
    }
    Eigen::SparseMatrix<double> r(num.noLibres(), num.noLibres());
    r.setFromTriplets(terminos.begin(), terminos.end());
    return r;
}

// y = L⁻¹·P·(−ΔKs)·Pᵀ·L⁻ᵀ·x: sus autovalores son los de K⁻¹·(−ΔK).
class operadorGeometrico {
public:
    using Scalar = double;
    operadorGeometrico(const solucionDispersa& f, const Eigen::SparseMatrix<double>& m) : factor(&f), menosDelta(&m) {}
    Eigen::Index rows() const { return menosDelta->rows(); }
    Eigen::Index cols() const { return menosDelta->rows(); }
    Eigen::MatrixXd aplicar(const Eigen::MatrixXd& x) const {
        return factor->aplicarInversaL(*menosDelta * factor->aplicarInversaLt(x));
    }
    void perform_op(const double* entrada, double* salida) const {
        const Eigen::Map<const Eigen::MatrixXd> x(entrada, rows(), 1);
        Eigen::Map<Eigen::MatrixXd>(salida, rows(), 1) = aplicar(x);
    }

private:
    const solucionDispersa* factor;
    const Eigen::SparseMatrix<double>* menosDelta;
};

double mayorModulo(const std::vector<double>& v) {
    double m = 0;
    for (double x : v)
        if (std::isfinite(x)) m = std::max(m, std::fabs(x));
    return m;
}

}  // namespace

Eigen::SparseMatrix<double> rigidezGeometrica(const std::vector<double>& axiales, Eigen::Index noGdl) {
    std::vector<Eigen::Triplet<double>> terminos;
    for (const objBarra3d& b : barra) {
        const size_t i = static_cast<size_t>(b.getNoBarraInterna());
        const double n = i < axiales.size() ? axiales[i] : 0.0;
        if (n == 0.0 || !std::isfinite(n)) continue;
        const Eigen::Matrix<double, 12, 12> kg = b.getKgGlobal(n);
        if (!kg.allFinite()) continue;
        const Eigen::Index primero[2] = {6 * static_cast<Eigen::Index>(b.getNudoInicioInterno()),
                                         6 * static_cast<Eigen::Index>(b.getNudoFinalInterno())};
        if (primero[0] < 0 || primero[1] < 0 || primero[0] + 6 > noGdl || primero[1] + 6 > noGdl) continue;
        for (int j = 0; j < 12; ++j)
            for (int k = 0; k < 12; ++k)
                if (kg(k, j) != 0.0) terminos.emplace_back(primero[k / 6] + k % 6, primero[j / 6] + j % 6, kg(k, j));
    }
    Eigen::SparseMatrix<double> r(noGdl, noGdl);
    r.setFromTriplets(terminos.begin(), terminos.end());
    return r;
}

std::vector<double> axialesDeBarras(const Eigen::VectorXd& u, int combo) {
    std::vector<double> n(barra.size(), 0.0);
    for (const objBarra3d& b : barra) {
        const Eigen::Index ni = 6 * static_cast<Eigen::Index>(b.getNudoInicioInterno());
        const Eigen::Index nf = 6 * static_cast<Eigen::Index>(b.getNudoFinalInterno());
        if (ni < 0 || nf < 0 || ni + 6 > u.size() || nf + 6 > u.size()) continue;
        n[static_cast<size_t>(b.getNoBarraInterna())] = b.axialMedio(u.data() + ni, u.data() + nf, combo);
    }
    return n;
}

bool factorizarConGeometrica(const sistemaElastico& s, const Eigen::SparseMatrix<double>& kg,
                             solucionDispersa& resultado) {
    const Eigen::Index n = s.num.noLibres();
    // La matriz escalada del factor vuelve a las variables físicas: S⁻¹·(S·K·S)·S⁻¹.
    const Eigen::VectorXd inversa = s.factor.escala().cwiseInverse();
    Eigen::SparseMatrix<double> a = (inversa.asDiagonal() * s.factor.matrizEscalada() * inversa.asDiagonal()).eval();
    const Eigen::SparseMatrix<double> delta = bloqueEscalado(kg, s.num, Eigen::VectorXd::Ones(n));
    a += Eigen::SparseMatrix<double>(delta.triangularView<Eigen::Lower>());
    return resultado.factorizar(std::move(a));
}

bool resolverModificada(const sistemaElastico& s, const Eigen::SparseMatrix<double>& deltaK,
                        const Eigen::VectorXd& cargas, const Eigen::VectorXd& impuestos, Eigen::VectorXd& u) {
    const numeracionLibre& num = s.num;
    const Eigen::Index n = num.noLibres();
    if (n == 0) {
        u = impuestos;
        return true;
    }
    const Eigen::VectorXd& escala = s.factor.escala();
    const Eigen::SparseMatrix<double> delta = bloqueEscalado(deltaK, num, escala);
    const Eigen::SparseMatrix<double>& k = s.factor.matrizEscalada();
    const auto aplicarA = [&](const Eigen::VectorXd& x) -> Eigen::VectorXd {
        return k.selfadjointView<Eigen::Lower>() * x + delta * x;
    };
    // Si el gradiente conjugado no alcanza, K + ΔK factorizada.
    std::unique_ptr<solucionDispersa> propio;
    const auto factorizarPropio = [&]() {
        Eigen::SparseMatrix<double> a = (k + Eigen::SparseMatrix<double>(delta.triangularView<Eigen::Lower>())).eval();
        propio = std::make_unique<solucionDispersa>();
        return propio->factorizar(std::move(a));
    };
    // Gradiente conjugado precondicionado con K en las variables escaladas.
    // Falso ante una dirección de curvatura no positiva: K + ΔK no es definida positiva.
    const auto gradiente = [&](const Eigen::VectorXd& r0, double tamano, Eigen::VectorXd& d, bool& alcanzo) {
        d = Eigen::VectorXd::Zero(n);
        Eigen::VectorXd r = r0, z = s.factor.resolver(r, true), p = z;
        double rz = r.dot(z);
        const double rz0 = rz;
        alcanzo = true;
        if (!(rz0 > 0)) return true;
        for (int paso = 0; paso < kPasosGradiente; ++paso) {
            const Eigen::VectorXd q = aplicarA(p);
            const double pq = p.dot(q);
            if (!(pq > 0)) return false;
            const double alfa = rz / pq;
            d += alfa * p;
            r -= alfa * q;
            if (std::fabs(alfa) * p.lpNorm<Eigen::Infinity>() <=
                kPasoDespreciable * std::max(tamano, d.lpNorm<Eigen::Infinity>()))
                return true;
            z = s.factor.resolver(r, true);
            const double nuevo = r.dot(z);
            if (!(nuevo > kReduccionGradiente * kReduccionGradiente * rz0)) return true;
            p = z + (nuevo / rz) * p;
            rz = nuevo;
        }
        alcanzo = false;
        return true;
    };

    Eigen::VectorXd x = num.aLibres(u - impuestos);  // físicas, orden de eliminación
    for (int correccion = 0; correccion < kCorrecciones; ++correccion) {
        const Eigen::VectorXd completo = impuestos + num.aCompleta(x);
        const Eigen::VectorXd residuo =
            num.aLibres(s.operador.residuo(cargas, completo) - deltaK * completo);
        const Eigen::VectorXd rEscalado = escala.cwiseProduct(residuo);
        Eigen::VectorXd d;
        if (propio == nullptr) {
            bool alcanzo = true;
            if (!gradiente(rEscalado, x.cwiseQuotient(escala).lpNorm<Eigen::Infinity>(), d, alcanzo)) return false;
            if (!alcanzo) {
                if (!factorizarPropio()) return false;
                d = propio->resolver(rEscalado);
            }
        } else {
            d = propio->resolver(rEscalado);
        }
        if (!d.allFinite()) return false;
        const Eigen::VectorXd dx = escala.cwiseProduct(d);
        x += dx;
        const double nx = x.cwiseQuotient(escala).lpNorm<Eigen::Infinity>();
        const double nd = d.lpNorm<Eigen::Infinity>();
        if (!(nd > kCambioFinal * nx)) break;
    }
    u = impuestos + num.aCompleta(x);
    return u.allFinite();
}

bool autovaloresGeometricos(const sistemaElastico& s, const Eigen::SparseMatrix<double>& deltaK, int cuantos,
                            Eigen::VectorXd& valores, Eigen::MatrixXd& vectores, const Eigen::VectorXd* direccion,
                            double tolerancia) {
    const numeracionLibre& num = s.num;
    const Eigen::Index n = num.noLibres();
    if (n == 0 || cuantos <= 0) {
        valores.resize(0);
        vectores.resize(num.noGdl, 0);
        return true;
    }
    const Eigen::VectorXd& escala = s.factor.escala();
    const Eigen::SparseMatrix<double> menosDelta = -bloqueEscalado(deltaK, num, escala);
    const operadorGeometrico op(s.factor, menosDelta);
    const Eigen::Index pedidos = std::min<Eigen::Index>(cuantos, n);
    Eigen::VectorXd val;
    Eigen::MatrixXd vec;
    if (n <= kLibresDenso || 2 * pedidos >= n) {
        Eigen::MatrixXd a = op.aplicar(Eigen::MatrixXd::Identity(n, n));
        a = 0.5 * (a + a.transpose()).eval();
        Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> densa(a);
        if (densa.info() != Eigen::Success) return false;
        val = densa.eigenvalues().tail(pedidos).reverse();
        vec = densa.eigenvectors().rightCols(pedidos).rowwise().reverse();
    } else {
        // Con una dirección dada (el cambio del segundo orden, que se parece a la
        // forma de pandeo más baja) Lanczos parte de ella y de un vector al
        // azar: el azar cubre las formas que esa dirección no excita.
        const Eigen::Index ncv =
            std::min(n, direccion != nullptr ? 2 * pedidos + 6 : std::max(2 * pedidos + 1, pedidos + 20));
        operadorGeometrico copia = op;
        Spectra::SymEigsSolver<operadorGeometrico> lanczos(copia, pedidos, ncv);
        Eigen::VectorXd inicio = Eigen::VectorXd::Zero(n);
        if (direccion != nullptr && direccion->size() == num.noGdl) {
            // y = L⁻¹·P·Ks·w = Lᵀ·P·w, con w la dirección en variables escaladas.
            const Eigen::VectorXd w = num.aLibres(*direccion).cwiseQuotient(escala);
            const Eigen::VectorXd y = s.factor.aplicarInversaL(s.factor.matrizEscalada().selfadjointView<Eigen::Lower>() * w);
            if (y.allFinite() && y.norm() > 0) inicio = y / y.norm();
        }
        std::mt19937 azar(0x5EED);
        std::uniform_real_distribution<double> uniforme(-1.0, 1.0);
        Eigen::VectorXd alAzar(n);
        for (Eigen::Index i = 0; i < n; ++i) alAzar(i) = uniforme(azar);
        inicio += alAzar / alAzar.norm();
        lanczos.init(inicio.data());
        lanczos.compute(Spectra::SortRule::LargestAlge, 1000, tolerancia);
        if (lanczos.info() != Spectra::CompInfo::Successful) return false;
        val = lanczos.eigenvalues();
        vec = lanczos.eigenvectors();
    }
    valores = val;
    const Eigen::MatrixXd fisicos = escala.asDiagonal() * s.factor.aplicarInversaLt(vec);
    vectores = num.aCompleta(fisicos);
    return valores.allFinite() && vectores.allFinite();
}

resultadoSegundoOrden resolverSegundoOrden(const sistemaElastico& s, int combo, const Eigen::VectorXd& cargas,
                                           const Eigen::VectorXd& impuestos, const Eigen::VectorXd& uPrimerOrden,
                                           const std::vector<char>& inactivas) {
    const auto axialesActivas = [&](const Eigen::VectorXd& u) {
        std::vector<double> n = axialesDeBarras(u, combo);
        for (size_t i = 0; i < n.size() && i < inactivas.size(); ++i)
            if (inactivas[i]) n[i] = 0.0;
        return n;
    };
    resultadoSegundoOrden r;
    r.u = uPrimerOrden;
    std::vector<double> anteriores = axialesActivas(uPrimerOrden);
    r.axiales = anteriores;
    // Sin esfuerzos axiales no hay rigidez geométrica: converge sin iterar.
    if (mayorModulo(anteriores) == 0.0) return r;
    r.convergio = false;
    Eigen::SparseMatrix<double> kg;
    for (int k = 1; k <= kIteracionesSegundoOrden; ++k) {
        kg = rigidezGeometrica(anteriores, s.num.noGdl);
        if (!resolverModificada(s, kg, cargas, impuestos, r.u)) {
            r.inestable = true;
            r.axiales = anteriores;
            return r;
        }
        r.iteraciones = k;
        r.axiales = anteriores;
        std::vector<double> nuevos = axialesActivas(r.u);
        double cambio = 0;
        for (size_t i = 0; i < nuevos.size(); ++i) cambio = std::max(cambio, std::fabs(nuevos[i] - anteriores[i]));
        const double mayor = mayorModulo(nuevos);
        anteriores = std::move(nuevos);
        if (!std::isfinite(cambio)) break;
        if (cambio <= kToleranciaAxiales * mayor) {
            r.convergio = true;
            break;
        }
    }
    // Una solución que el gradiente conjugado encontró no prueba que K + Kg
    // sea definida positiva (una carga simétrica no excita un pandeo
    // antisimétrico): el mayor autovalor de K⁻¹·(−Kg) debe ser menor que 1.
    Eigen::VectorXd mu;
    Eigen::MatrixXd forma;
    Eigen::VectorXd cambio = r.u - uPrimerOrden;
    if (!(cambio.lpNorm<Eigen::Infinity>() > 0)) cambio = r.u;
    const bool okL = autovaloresGeometricos(s, kg, 1, mu, forma, &cambio, kToleranciaComprobacion);
    if (!okL || (mu.size() > 0 && !(std::fabs(mu(0) - 1.0) > kMargenComprobacion))) {
        // Sin convergencia de Lanczos, o con el autovalor tan cerca de 1 que la
        // tolerancia de la comprobación no basta, la factorización lo decide.
        Eigen::SparseMatrix<double> a = s.factor.matrizEscalada();
        a += Eigen::SparseMatrix<double>(bloqueEscalado(kg, s.num, s.factor.escala()).triangularView<Eigen::Lower>());
        solucionDispersa prueba;
        r.inestable = !prueba.factorizar(std::move(a));
    } else {
        r.inestable = mu.size() > 0 && !(mu(0) < 1.0);
    }
    return r;
}
