#include "analisis/mecanismos.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>

#include "analisis/bloquesAlAzar.h"
#include "analisis/solucionDispersa.h"

namespace {

// Modos que se buscan a la vez: alcanza para decidir si hay alguno de energía
// nula y para nombrar los grados de libertad de los más comunes (una rótula
// suelta, un piso que se desplaza en X, en Y y gira).
constexpr Eigen::Index kModos = 6;
constexpr int kIteraciones = 6;
// Cociente de Rayleigh (con cada barra a la misma escala y la diagonal a uno)
// por debajo del cual un modo no deforma ninguna barra. Un mecanismo deja
// sólo el redondeo del modo guardado en doble precisión, del orden de 1e-30;
// una estructura estable, aun con miles de barras seguidas, queda por encima
// de 1e-18.
constexpr double kEnergiaMecanismo = 1e-22;
// Un modo con cociente de Ritz mayor que éste no puede pulirse hasta un mecanismo.
constexpr double kCandidato = 1e-8;
// Un grado de libertad se nombra si se mueve al menos la mitad que el que más.
constexpr double kFraccionNombrada = 0.5;

}  // namespace

modosMecanismo buscarMecanismos(const operadorRigidez& operador, const numeracionLibre& numeracion,
                                double tamanoModelo) {
    modosMecanismo resultado;
    const Eigen::Index nf = numeracion.noLibres();
    if (nf == 0) return resultado;

    // Rigidez ponderada de los libres, triángulo inferior, en el orden de eliminación.
    std::vector<Eigen::Triplet<double>> terminos;
    for (const Eigen::Triplet<double>& t : operador.rigidezPonderada())
        numeracion.proyectar(t.row(), t.col(), t.value(), [&](int oi, int oj, double v) {
            if (oi >= oj) terminos.emplace_back(oi, oj, v);
        });
    Eigen::SparseMatrix<double> k(nf, nf);
    k.setFromTriplets(terminos.begin(), terminos.end());
    std::vector<Eigen::Triplet<double>>().swap(terminos);
    // Un grado de libertad sin ningún término es un mecanismo por sí solo; se
    // le da diagonal 1 para poder factorizar el resto (su modo es él mismo).
    Eigen::VectorXd diagonal = k.diagonal();
    std::vector<Eigen::Triplet<double>> unos;
    for (Eigen::Index i = 0; i < nf; ++i)
        if (!(diagonal(i) > 0)) unos.emplace_back(i, i, 1.0);
    if (!unos.empty()) {
        Eigen::SparseMatrix<double> extra(nf, nf);
        extra.setFromTriplets(unos.begin(), unos.end());
        k += extra;
    }

    // Factorización de la rigidez ponderada, con un desplazamiento creciente
    // si un mecanismo la deja apenas indefinida por redondeo.
    solucionDispersa factor;
    bool factorizada = false;
    for (double desplazamiento : {0.0, 1e-14, 1e-12, 1e-10, 1e-8, 1e-6}) {
        Eigen::SparseMatrix<double> copia = k;
        if ((factorizada = factor.factorizar(std::move(copia), desplazamiento))) break;
    }
    if (!factorizada) return resultado;
    const Eigen::VectorXd& s = factor.escala();

    // Operador ponderado y escalado sobre las variables de los libres.
    auto aplicar = [&](const Eigen::MatrixXd& y) {
        Eigen::MatrixXd completo = numeracion.aCompleta(s.asDiagonal() * y);
        Eigen::MatrixXd ky = numeracion.aLibres(operador.aplicar(completo, true));
        for (Eigen::Index i = 0; i < nf; ++i)
            if (!(diagonal(i) > 0)) ky.row(i).setZero();  // sin rigidez: nada que aplicar
        return Eigen::MatrixXd(s.asDiagonal() * ky);
    };

    // Iteración de subespacio sobre la inversa y Rayleigh-Ritz con el operador exacto.
    const Eigen::Index m = std::min(nf, kModos);
    Eigen::MatrixXd z = ortonormal(vectoresAlAzar(nf, m, 0x9E3779B97F4A7C15ull));
    for (int it = 0; it < kIteraciones; ++it) z = ortonormal(factor.resolver(z, true));
    Eigen::MatrixXd h = z.transpose() * aplicar(z);
    h = 0.5 * (h + h.transpose()).eval();
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> ritz(h);
    if (ritz.info() != Eigen::Success) return resultado;
    const Eigen::MatrixXd y = z * ritz.eigenvectors();

    // De posición de eliminación a grado de libertad.
    std::vector<int> deOrden(static_cast<size_t>(nf));
    for (Eigen::Index i = 0; i < nf; ++i)
        deOrden[static_cast<size_t>(numeracion.orden[static_cast<size_t>(i)])] = numeracion.libres[static_cast<size_t>(i)];
    std::vector<Eigen::VectorXd> mecanismos;
    for (Eigen::Index j = 0; j < m; ++j) {
        if (!(ritz.eigenvalues()(j) < kCandidato)) continue;
        // Pulido: se quita del modo lo que sí deforma barras, que el factor
        // resuelve bien; lo que no deforma nada queda. La corrección se toma
        // perpendicular al modo: a lo largo de él el factor amplifica su
        // propio redondeo y devolvería siempre el mismo vector.
        Eigen::VectorXd modo = y.col(j);
        for (int paso = 0; paso < 3; ++paso) {
            Eigen::VectorXd correccion = factor.resolver(aplicar(modo), true);
            correccion -= modo.dot(correccion) * modo;
            modo -= correccion;
            const double norma = modo.norm();
            if (!(norma > 0) || !std::isfinite(norma)) break;
            modo /= norma;
        }
        if (!modo.allFinite() || !(modo.norm() > 0)) continue;
        // Energía de deformación sumada barra por barra (nunca negativa), por
        // unidad de norma en las variables escaladas.
        const double energia =
            operador.energia(numeracion.aCompleta(s.asDiagonal() * modo).col(0), true) / modo.squaredNorm();
        if (!(std::fabs(energia) < kEnergiaMecanismo)) continue;
        resultado.hayMecanismo = true;
        // El modo en unidades físicas, con los giros por el tamaño del modelo.
        Eigen::VectorXd fisico = s.asDiagonal() * modo;
        for (Eigen::Index i = 0; i < nf; ++i)
            if (deOrden[static_cast<size_t>(i)] % 6 >= 3) fisico(i) *= tamanoModelo;
        mecanismos.push_back(fisico);
    }
    if (!resultado.hayMecanismo) return resultado;
    // Varios mecanismos de la misma energía nula son cualquier combinación de
    // ellos: lo que se mueve en alguno se mide en una base ortonormal de todos,
    // por la norma de la fila de cada grado de libertad (su mayor movimiento
    // posible con un modo de ese espacio de tamaño uno).
    Eigen::MatrixXd base(nf, static_cast<Eigen::Index>(mecanismos.size()));
    for (size_t j = 0; j < mecanismos.size(); ++j) base.col(static_cast<Eigen::Index>(j)) = mecanismos[j];
    const Eigen::VectorXd movimiento = ortonormal(base).rowwise().norm();
    const double mayor = movimiento.maxCoeff();
    for (Eigen::Index i = 0; i < nf; ++i)
        if (movimiento(i) >= kFraccionNombrada * mayor) resultado.gdl.push_back(deOrden[static_cast<size_t>(i)]);
    std::sort(resultado.gdl.begin(), resultado.gdl.end());
    return resultado;
}
