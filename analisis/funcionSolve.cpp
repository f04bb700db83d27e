#include "analisis/funcionSolve.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include "globales.h"

namespace {

const char* const kNombreGdl[6] = {"Ux", "Uy", "Uz", "Rx", "Ry", "Rz"};

// Un pivote de Cholesky que pierde más de doce cifras frente a su diagonal
// (que tras la escala vale 1) sólo aparece en un mecanismo: en aritmética
// exacta sería cero y el redondeo lo deja apenas positivo.
constexpr double kPivoteRelativoMinimo = 1e-12;

// Con la diagonal escalada a uno, una condición mayor que 1e13 deja menos de
// tres cifras correctas en la solución: en la práctica es un mecanismo cuyo
// modo no coincide con ningún grado de libertad aislado (su pivote sale del
// redondeo, del orden de 1e-16). Los modelos de ejemplo quedan por debajo de
// 1e4.
constexpr double kInversaCondicionMinima = 1e-13;

// Una diagonal por debajo de esta fracción de la mayor es un cero: lo que
// queda ahí es el redondeo de la transformación a ejes globales (productos de
// dos términos como cos(90°) ≈ 6e-17, unas 1e-32 veces la rigidez de la
// barra), mientras que una rigidez real, aun mezclando unidades de giro y de
// traslación, no baja de 1e-22 veces la mayor.
constexpr double kFraccionNula = 1e-24;

// Mayor término diagonal finito en valor absoluto.
double mayorDiagonal(const Eigen::MatrixXd& k) {
    double mayor = 0.0;
    for (Eigen::Index i = 0; i < k.rows(); ++i)
        if (std::isfinite(k(i, i))) mayor = std::max(mayor, std::fabs(k(i, i)));
    return mayor;
}

void informarInestable(const Eigen::MatrixXd& kff, const std::vector<int>& libres) {
    std::cout << "Error: la estructura es inestable; la matriz de rigidez no es definida positiva" << "\n";
    const double cero = kFraccionNula * mayorDiagonal(kff);
    for (size_t i = 0; i < libres.size(); ++i) {
        // Una diagonal infinita o indefinida no se informa como falta de rigidez.
        const double d = kff(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(i));
        if (!(std::fabs(d) <= cero)) continue;
        const int k = libres[i] - 1;
        std::cout << "Grado de libertad sin rigidez: nudo " << nudo[static_cast<size_t>(k / 6)].getNoNudoUsuario()
                  << " " << kNombreGdl[k % 6] << "\n";
    }
}

void descartarResultados() {
    for (objNudo3d& n : nudo) n.borrarResultados();
    for (objBarra3d& b : barra) b.borrarResultados();
    u.resize(0, 0);
    reacciones.resize(0, 0);
    resultadosDisponibles = false;
}

}  // namespace

bool funcionSolve() {
    const Eigen::Index ngl = 6 * static_cast<Eigen::Index>(noNudos);
    const Eigen::Index nc = noCombos;
    kEstructura = Eigen::MatrixXd::Zero(ngl, ngl);
    pEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    fEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    restriccionesEstructura = Eigen::VectorXi::Zero(ngl);

    for (objBarra3d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd k = b.getKGlobal();
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 12; ++j)
                if (g(i) > 0 && g(j) > 0) kEstructura(g(i) - 1, g(j) - 1) += k(i, j);
    }
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd p = n.getCargasCombo();
        const Eigen::VectorXi g = n.getGdl();
        for (int i = 0; i < 6; ++i)
            for (Eigen::Index c = 0; c < nc && c < p.cols(); ++c) pEstructura(g(i) - 1, c) += p(i, c);
    }
    for (objBarra3d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd f = b.getCargasEquivalentesGlobales();
        for (int i = 0; i < 12; ++i)
            for (Eigen::Index c = 0; c < nc && c < f.cols(); ++c)
                if (g(i) > 0) fEstructura(g(i) - 1, c) += f(i, c);
    }
    for (const objNudo3d& n : nudo) {
        const Eigen::VectorXi g = n.getGdl();
        const Eigen::VectorXi a = n.getVectorApoyo();
        for (int i = 0; i < 6; ++i) restriccionesEstructura(g(i) - 1) = a(i);
    }

    // Partición: sólo los grados de libertad con código 0 son incógnitas.
    std::vector<int> libres;
    for (Eigen::Index k = 0; k < ngl; ++k)
        if (restriccionesEstructura(k) == 0) libres.push_back(static_cast<int>(k + 1));
    const Eigen::Index nf = static_cast<Eigen::Index>(libres.size());
    Eigen::MatrixXd kff(nf, nf), pf(nf, nc);
    for (Eigen::Index i = 0; i < nf; ++i) {
        for (Eigen::Index j = 0; j < nf; ++j) kff(i, j) = kEstructura(libres[i] - 1, libres[j] - 1);
        for (Eigen::Index c = 0; c < nc; ++c)
            pf(i, c) = pEstructura(libres[i] - 1, c) + fEstructura(libres[i] - 1, c);
    }

    // Escala de Jacobi: cada grado de libertad se divide por la raíz de su
    // diagonal, de modo que la matriz que se factoriza tiene unos en la
    // diagonal y las pruebas de estabilidad no dependen de las unidades (giros
    // frente a traslaciones). Una diagonal nula (o que es sólo redondeo),
    // negativa o indefinida ya es una estructura inestable.
    const double cero = kFraccionNula * mayorDiagonal(kff);
    bool estable = true;
    Eigen::VectorXd escala(nf);
    for (Eigen::Index i = 0; i < nf; ++i) {
        const double d = kff(i, i);
        if (!(d > cero)) estable = false;
        escala(i) = d > 0.0 ? 1.0 / std::sqrt(d) : 1.0;
    }
    const Eigen::LLT<Eigen::MatrixXd> llt(escala.asDiagonal() * kff * escala.asDiagonal());
    estable = estable && llt.info() == Eigen::Success && llt.rcond() >= kInversaCondicionMinima;
    if (estable) {
        const Eigen::MatrixXd& l = llt.matrixLLT();
        for (Eigen::Index i = 0; i < nf && estable; ++i) estable = l(i, i) * l(i, i) >= kPivoteRelativoMinimo;
    }
    // Sin combinaciones no hay cargas que resolver: el sistema se factoriza
    // igual, para informar una estructura inestable, pero no se llama a la
    // solución con cero columnas, que Eigen no admite.
    Eigen::MatrixXd uf = Eigen::MatrixXd::Zero(nf, nc);
    if (estable && nc > 0) {
        uf = escala.asDiagonal() * llt.solve(escala.asDiagonal() * pf);
        estable = uf.allFinite();
    }
    if (!estable) {
        informarInestable(kff, libres);
        descartarResultados();
        return false;
    }

    u = Eigen::MatrixXd::Zero(ngl, nc);
    for (Eigen::Index i = 0; i < nf; ++i) u.row(libres[i] - 1) = uf.row(i);
    for (objNudo3d& n : nudo) n.setDesplazamientos(u);
    for (objBarra3d& b : barra) b.setDesplazamientos(u);
    reacciones = kEstructura * u - pEstructura - fEstructura;
    for (objNudo3d& n : nudo) n.setReacciones(reacciones);
    resultadosDisponibles = true;
    return true;
}
