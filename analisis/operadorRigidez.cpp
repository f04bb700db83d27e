#include "analisis/operadorRigidez.h"

#include <algorithm>
#include <cmath>

namespace {

using Real = long double;

// Producto vectorial [d×] como matriz: [d×]·v = d × v.
Eigen::Matrix3d matrizCruz(const Eigen::Vector3d& d) {
    Eigen::Matrix3d m;
    m << 0, -d(2), d(1), d(2), 0, -d(0), -d(1), d(0), 0;
    return m;
}

}  // namespace

void operadorRigidez::construir(const std::vector<objBarra3d>& barras, const std::vector<objNudo3d>& nudos,
                                Eigen::Index noGdl, const std::vector<char>& inactivas) {
    gdl = noGdl;
    resortes.clear();
    for (size_t n = 0; n < nudos.size(); ++n)
        for (int i = 0; i < 6; ++i) {
            const double k = nudos[n].getResorteEfectivo(i);
            const Eigen::Index g = 6 * static_cast<Eigen::Index>(n) + i;
            if (k > 0 && std::isfinite(k) && g < noGdl) resortes.push_back({g, k});
        }
    barrasOp.clear();
    barrasOp.reserve(barras.size());
    for (size_t i = 0; i < barras.size(); ++i) {
        if (i < inactivas.size() && inactivas[i]) continue;
        const objBarra3d& b = barras[i];
        barraOperador op;
        op.barra = &b;
        op.inicio = 6 * static_cast<Eigen::Index>(b.getNudoInicioInterno());
        op.fin = 6 * static_cast<Eigen::Index>(b.getNudoFinalInterno());
        if (op.inicio < 0 || op.fin < 0 || op.inicio + 6 > noGdl || op.fin + 6 > noGdl) continue;
        op.k = b.getRigidezNatural();
        const Eigen::Matrix<double, 6, 6> k22 = rigidezExtremoFinal(op);
        if (!k22.allFinite() || !b.getRotacion().allFinite() || !(b.getLongitud() > 0)) continue;
        const double mayor = k22.diagonal().cwiseAbs().maxCoeff();
        if (mayor == 0.0) continue;  // una barra sin rigidez no aporta nada
        op.peso = 1.0 / mayor;
        barrasOp.push_back(op);
    }
}

Eigen::Matrix<double, 6, 6> operadorRigidez::rigidezExtremoFinal(const barraOperador& op) {
    // f2 = K·d con d el desplazamiento del nudo final respecto del movimiento
    // rígido del inicial, en ejes locales (ver objBarra3d::fuerzasPorDeformacion).
    const double L = op.barra->getLongitud();
    const double* y = op.k.planoY;
    const double* z = op.k.planoZ;
    Eigen::Matrix<double, 6, 6> k = Eigen::Matrix<double, 6, 6>::Zero();
    k(0, 0) = op.k.axial;
    k(3, 3) = op.k.torsion;
    k(1, 1) = (y[0] + 2 * y[1] + y[2]) / (L * L);
    k(1, 5) = k(5, 1) = -(y[1] + y[2]) / L;
    k(5, 5) = y[2];
    k(2, 2) = (z[0] + 2 * z[1] + z[2]) / (L * L);
    k(2, 4) = k(4, 2) = (z[1] + z[2]) / L;
    k(4, 4) = z[2];
    return k;
}

template <typename Sumar>
void operadorRigidez::recorrer(const Eigen::MatrixXd& u, bool ponderado, Sumar&& sumar) const {
    const Eigen::Index m = u.cols();
    for (const barraOperador& op : barrasOp) {
        const Eigen::Matrix3d r = op.barra->getRotacion();
        const Real peso = ponderado ? op.peso : 1.0;
        for (Eigen::Index c = 0; c < m; ++c) {
            // Fuerzas de la barra en ejes locales, llevadas a globales.
            Real fl[12], f[12];
            const Real energia = op.barra->fuerzasPorDeformacion(op.k, &u(op.inicio, c), &u(op.fin, c), fl) * peso;
            for (int b = 0; b < 4; ++b)
                for (int i = 0; i < 3; ++i)
                    f[3 * b + i] = (r(0, i) * fl[3 * b] + r(1, i) * fl[3 * b + 1] + r(2, i) * fl[3 * b + 2]) * peso;
            sumar(op, c, f, energia);
        }
    }
}

Eigen::MatrixXd operadorRigidez::residuo(const Eigen::MatrixXd& b, const Eigen::MatrixXd& u, bool ponderado) const {
    return combinar(b, u, ponderado, 1, true);
}

Eigen::MatrixXd operadorRigidez::fuerzas(const Eigen::MatrixXd& u, const Eigen::MatrixXd& b) const {
    return combinar(b, u, false, -1, false);
}

Eigen::MatrixXd operadorRigidez::combinar(const Eigen::MatrixXd& b, const Eigen::MatrixXd& u, bool ponderado,
                                          int signo, bool conResortes) const {
    const Eigen::Index m = u.cols();
    std::vector<Real> suma(static_cast<size_t>(gdl * m), 0.0L);
    for (Eigen::Index c = 0; c < m; ++c)
        for (Eigen::Index i = 0; i < gdl; ++i) suma[static_cast<size_t>(c * gdl + i)] = signo * b(i, c);
    recorrer(u, ponderado, [&](const barraOperador& op, Eigen::Index c, const Real* f, Real) {
        Real* col = &suma[static_cast<size_t>(c * gdl)];
        for (int i = 0; i < 6; ++i) {
            col[op.inicio + i] -= signo * f[i];
            col[op.fin + i] -= signo * f[6 + i];
        }
    });
    for (Eigen::Index c = 0; c < m && conResortes; ++c)
        for (const resorteOperador& r : resortes)
            suma[static_cast<size_t>(c * gdl + r.gdl)] -= signo * (ponderado ? 1.0L : static_cast<Real>(r.k)) * u(r.gdl, c);
    Eigen::MatrixXd r(gdl, m);
    // (+ 0.0 deja un cero negativo en cero.)
    for (Eigen::Index c = 0; c < m; ++c)
        for (Eigen::Index i = 0; i < gdl; ++i) r(i, c) = static_cast<double>(suma[static_cast<size_t>(c * gdl + i)]) + 0.0;
    return r;
}

Eigen::MatrixXd operadorRigidez::aplicar(const Eigen::MatrixXd& u, bool ponderado) const {
    return combinar(Eigen::MatrixXd::Zero(gdl, u.cols()), u, ponderado, -1, true);
}

double operadorRigidez::energia(const Eigen::VectorXd& u, bool ponderado) const {
    Real total = 0;
    const Eigen::MatrixXd columna = u;
    recorrer(columna, ponderado, [&](const barraOperador&, Eigen::Index, const Real*, Real e) { total += e; });
    for (const resorteOperador& r : resortes)
        total += (ponderado ? 1.0L : static_cast<Real>(r.k)) * u(r.gdl) * u(r.gdl);
    return static_cast<double>(total);
}

std::vector<Eigen::Triplet<double>> operadorRigidez::rigidezPonderada() const {
    std::vector<Eigen::Triplet<double>> terminos;
    terminos.reserve(barrasOp.size() * 144);
    for (const barraOperador& op : barrasOp) {
        // Rigidez del extremo final en globales y su traslado al nudo inicial
        // por el movimiento rígido Γ: u2 = u1 + θ1 × Δ, θ2 = θ1.
        const objBarra3d& b = *op.barra;
        Eigen::Matrix<double, 6, 6> giro = Eigen::Matrix<double, 6, 6>::Zero();
        giro.topLeftCorner<3, 3>() = b.getRotacion();
        giro.bottomRightCorner<3, 3>() = b.getRotacion();
        const Eigen::Matrix<double, 6, 6> k22 = giro.transpose() * (rigidezExtremoFinal(op) * op.peso) * giro;
        const Eigen::Vector3d delta(b.getXf() - b.getXi(), b.getYf() - b.getYi(), b.getZf() - b.getZi());
        Eigen::Matrix<double, 6, 6> gamma = Eigen::Matrix<double, 6, 6>::Identity();
        gamma.topRightCorner<3, 3>() = -matrizCruz(delta);
        Eigen::Matrix<double, 12, 12> k;
        k.topLeftCorner<6, 6>() = gamma.transpose() * k22 * gamma;
        k.topRightCorner<6, 6>() = -gamma.transpose() * k22;
        k.bottomLeftCorner<6, 6>() = -k22 * gamma;
        k.bottomRightCorner<6, 6>() = k22;
        const Eigen::Index primero[2] = {op.inicio, op.fin};
        for (int j = 0; j < 12; ++j)
            for (int i = 0; i < 12; ++i)
                if (k(i, j) != 0.0) terminos.emplace_back(primero[i / 6] + i % 6, primero[j / 6] + j % 6, k(i, j));
    }
    for (const resorteOperador& r : resortes) terminos.emplace_back(r.gdl, r.gdl, 1.0);
    return terminos;
}
