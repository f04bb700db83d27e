#include "analisis/refinamiento.h"

#include "analisis/bloquesAlAzar.h"

#include <algorithm>
#include <Eigen/Eigenvalues>
#include <cmath>
#include <limits>

namespace {
// Pasos de corrección como máximo. Cada paso reduce el error en un factor del
// orden de la condición por el épsilon de la máquina; con condiciones de 1e15
// bastan unos quince.
constexpr int kPasosMaximos = 30;
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
// Error relativo que se acepta en la solución (variables escaladas): diez cifras.
constexpr double kErrorAceptable = 1e-10;
// Columnas que acompañan a las cargas para estimar la condición.
constexpr Eigen::Index kColumnasCondicion = 2;

// Mayor cambio relativo de una columna, medido en variables escaladas (cada
// componente por la raíz de su diagonal) para que giros y traslaciones pesen
// lo mismo.
double cambioRelativo(const Eigen::VectorXd& escala, const Eigen::MatrixXd& correccion, const Eigen::MatrixXd& x) {
    double peor = 0;
    for (Eigen::Index c = 0; c < x.cols(); ++c) {
        const double dx = correccion.col(c).cwiseQuotient(escala).lpNorm<Eigen::Infinity>();
        const double nx = x.col(c).cwiseQuotient(escala).lpNorm<Eigen::Infinity>();
        if (!std::isfinite(dx) || !std::isfinite(nx)) return INFINITY;
        if (dx == 0) continue;
        peor = std::max(peor, nx > 0 ? dx / nx : INFINITY);
    }
    return peor;
}

// Soluciones con el factor de las cargas (o residuos) junto con el bloque de
// la estimación de condición, en una sola pasada por el factor.
class solucionesConEstimacion {
public:
    solucionesConEstimacion(const solucionDispersa& s, Eigen::Index n)
        : solucion(s), bloque(ortonormal(vectoresAlAzar(n, std::min(n, kColumnasCondicion), 0x2545F4914F6CDD1Dull))) {}

    // K⁻¹·b (variables físicas) y un paso de la iteración de potencias.
    Eigen::MatrixXd resolver(const Eigen::MatrixXd& b) {
        const Eigen::VectorXd& s = solucion.escala();
        Eigen::MatrixXd junto(b.rows(), b.cols() + bloque.cols());
        junto << s.asDiagonal() * b, bloque;
        const Eigen::MatrixXd y = solucion.resolver(junto, true);
        avanzar(y.rightCols(bloque.cols()));
        return s.asDiagonal() * y.leftCols(b.cols());
    }
    // Un paso más de la iteración sin cargas.
    void pasoSolo() { avanzar(solucion.resolver(bloque, true)); }
    int pasos() const { return pasosPotencia; }
    // ‖K⁻¹·Q‖₂ con Q ortonormal es una cota inferior de ‖K⁻¹‖₂ que se acerca
    // a ella a cada paso.
    double normaInversa() const { return normaEstimada; }

private:
    void avanzar(const Eigen::MatrixXd& z) {
        if (z.cols() == 0) return;
        const Eigen::MatrixXd zz = z.transpose() * z;
        const double norma = std::sqrt(std::max(0.0, Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd>(zz).eigenvalues().maxCoeff()));
        normaEstimada = std::max(normaEstimada, std::isfinite(norma) ? norma : INFINITY);
        if (z.allFinite()) bloque = ortonormal(z);
        ++pasosPotencia;
    }
    const solucionDispersa& solucion;
    Eigen::MatrixXd bloque;
    double normaEstimada = 0;
    int pasosPotencia = 0;
};

}  // namespace

// El refinamiento con la inversa aproximada que se le dé: x = inversa(b) y
// luego x += inversa(residuo(x)) hasta que lo que falta corregir es redondeo.
template <typename Inversa>
void refinar(Inversa&& inversa, const Eigen::VectorXd& escala, const Eigen::MatrixXd& b,
             const std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>& residuo, Eigen::MatrixXd& x,
             resultadoRefinamiento& r) {
    x = inversa(b);
    bool finita = x.allFinite();
    double anterior = INFINITY, restante = 0;
    while (finita && b.cols() > 0 && r.pasos < kPasosMaximos) {
        const Eigen::MatrixXd correccion = inversa(residuo(x));
        const double cambio = cambioRelativo(escala, correccion, x);
        if (!std::isfinite(cambio)) {
            finita = false;
            break;
        }
        // Una corrección que crece es ruido de una matriz que el factor ya no
        // representa: no se suma.
        if (cambio >= 1.0 && cambio > anterior) break;
        x += correccion;
        ++r.pasos;
        r.cambioFinal = cambio;
        // Cada paso multiplica el error por un factor que se estima con el
        // cociente de dos correcciones seguidas (el primero, con la primera:
        // el error de una solución con el factor). Se termina cuando lo que
        // falta corregir es redondeo, o cuando la corrección deja de achicarse.
        const double factor = std::min(1.0, r.pasos == 1 ? cambio : cambio / anterior);
        restante = cambio * factor;
        if (restante <= 4 * kEpsilon || cambio > 0.5 * anterior) break;
        anterior = cambio;
    }
    r.convergio = finita && x.allFinite() && restante <= kErrorAceptable && r.cambioFinal < 1.0;
}

resultadoRefinamiento resolverRefinado(const solucionDispersa& solucion, const Eigen::MatrixXd& b,
                                       const std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>& residuo,
                                       Eigen::MatrixXd& x) {
    resultadoRefinamiento r;
    const Eigen::Index n = b.rows();
    if (n == 0) {
        x = Eigen::MatrixXd::Zero(0, b.cols());
        r.convergio = true;
        return r;
    }
    solucionesConEstimacion soluciones(solucion, n);
    refinar([&](const Eigen::MatrixXd& v) { return soluciones.resolver(v); }, solucion.escala(), b, residuo, x, r);
    while (soluciones.pasos() < 2) soluciones.pasoSolo();
    r.condicion = solucion.normaK() * soluciones.normaInversa();
    return r;
}

resultadoRefinamiento resolverRefinado(const std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>& inversa,
                                       const Eigen::VectorXd& escala, const Eigen::MatrixXd& b,
                                       const std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>& residuo,
                                       Eigen::MatrixXd& x) {
    resultadoRefinamiento r;
    if (b.rows() == 0) {
        x = Eigen::MatrixXd::Zero(0, b.cols());
        r.convergio = true;
        return r;
    }
    refinar(inversa, escala, b, residuo, x, r);
    return r;
}
