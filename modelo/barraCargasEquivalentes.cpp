// Cargas nodales equivalentes de las cargas distribuidas (ejes locales y
// globales), con la corrección por liberaciones de extremo, y las fuerzas que
// los desplazamientos de los nudos dan en los extremos.
#include "modelo/objBarra3d.h"

namespace {

// Momentos de extremo de un plano de flexión con liberaciones parciales, sobre
// la barra con deformación por corte. mf1, mf2 son los momentos de
// empotramiento perfecto sin deformación por corte; a, b los factores de
// fijación; phi el parámetro de corte del plano.
//
// Cada extremo es un resorte rotacional de rigidez (E·I/L)·f/(1 − f) entre la
// barra y el nudo fijo. Con ψ los giros de los extremos de la barra y ψs los de
// la barra simplemente apoyada bajo la carga (la deformación por corte no los
// cambia), los momentos son m = Kθ·(ψ − ψs), con Kθ la rigidez rotacional de la
// barra con corte, y cada resorte cumple (1 − f)·m = −(E·I/L)·f·ψ. Sin corte da
// las fórmulas clásicas con el denominador 12 − 8a − 8b + 5ab.
Eigen::Vector2d momentosLiberados(double mf1, double mf2, double a, double b, double phi) {
    // Rigidez rotacional en unidades de E·I/L.
    Eigen::Matrix2d kTheta;
    kTheta << 4 + phi, 2 - phi, 2 - phi, 4 + phi;
    kTheta /= (1 + phi);
    Eigen::Matrix2d kTheta0;
    kTheta0 << 4, 2, 2, 4;
    const Eigen::Vector2d psiS = -kTheta0.inverse() * Eigen::Vector2d(mf1, mf2);
    const Eigen::Vector2d liberado(1 - a, 1 - b);
    Eigen::Matrix2d sistema = liberado.asDiagonal() * kTheta;
    sistema(0, 0) += a;
    sistema(1, 1) += b;
    const Eigen::Vector2d psi = sistema.fullPivLu().solve(liberado.asDiagonal() * (kTheta * psiS));
    return kTheta * (psi - psiS);
}

}  // namespace

Eigen::MatrixXd objBarra3d::getCargasEquivalentesLocales() const { return calcularCargasEquivalentesLocales(); }

Eigen::MatrixXd objBarra3d::calcularCargasEquivalentesLocales() const {
    const Eigen::MatrixXd& matrizCargasCombo = getMatrizCargasCombo();
    const Eigen::Index n = matrizCargasCombo.rows();
    Eigen::MatrixXd cargasEquivalentesLocales = Eigen::MatrixXd::Zero(12, n);
    const double L = getLongitud();
    const double a = articInicioY, b = articFinY, c = articInicioZ, d = articFinZ;
    const double phiY = parametroCorte(iz), phiZ = parametroCorte(iy);
    for (Eigen::Index k = 0; k < n; ++k) {
        const double fx1 = matrizCargasCombo(k, 0), fx2 = matrizCargasCombo(k, 1);
        const double qy1 = matrizCargasCombo(k, 2), qy2 = matrizCargasCombo(k, 3);
        const double qz1 = matrizCargasCombo(k, 4), qz2 = matrizCargasCombo(k, 5);
        const double t = matrizCargasCombo(k, 6);
        auto col = cargasEquivalentesLocales.col(k);

        col(0) = L * fx1 / 3 + L * fx2 / 6;
        col(6) = L * fx1 / 6 + L * fx2 / 3;
        col(3) = L * t / 2;
        col(9) = L * t / 2;

        // Plano x-y: momentos de empotramiento perfecto, momentos con las
        // liberaciones y la corrección de los cortes que los equilibra.
        const double M1 = L * L * (qy1 / 20 + qy2 / 30);
        const double M2 = -L * L * (qy1 / 30 + qy2 / 20);
        const Eigen::Vector2d m = momentosLiberados(M1, M2, a, b, phiY);
        const double S = -(m(0) + m(1) - M1 - M2) / L;
        col(1) = L * (7 * qy1 + 3 * qy2) / 20 - S;
        col(7) = L * (3 * qy1 + 7 * qy2) / 20 + S;
        col(5) = m(0);
        col(11) = m(1);

        // Plano x-z: signos opuestos, el giro en y es positivo cuando la flecha en z decrece.
        const double N1 = -L * L * (qz1 / 20 + qz2 / 30);
        const double N2 = L * L * (qz1 / 30 + qz2 / 20);
        const Eigen::Vector2d n = momentosLiberados(N1, N2, c, d, phiZ);
        const double Sz = -(n(0) + n(1) - N1 - N2) / L;
        col(2) = L * (7 * qz1 + 3 * qz2) / 20 + Sz;
        col(8) = L * (3 * qz1 + 7 * qz2) / 20 - Sz;
        col(4) = n(0);
        col(10) = n(1);
    }
    // La temperatura: sus fuerzas de empotramiento con el signo cambiado.
    if (tieneTemperatura()) {
        const rigidezNatural k = getRigidezNatural();
        for (Eigen::Index c = 0; c < n; ++c) {
            double f[12];
            fuerzasEmpotramientoTermico(k, static_cast<int>(c), f);
            for (int i = 0; i < 12; ++i) cargasEquivalentesLocales(i, c) -= f[i];
        }
    }
    return cargasEquivalentesLocales;
}

Eigen::MatrixXd objBarra3d::getCargasEquivalentesInactivaLocales() const {
    const Eigen::MatrixXd& cargas = getMatrizCargasCombo();
    const Eigen::Index n = cargas.rows();
    Eigen::MatrixXd e = Eigen::MatrixXd::Zero(12, n);
    const double L = getLongitud();
    // Carga lineal de q1 a q2: L·(2·q1 + q2)/6 al inicio y L·(q1 + 2·q2)/6 al
    // fin, en cada dirección; la torsión, mitad a cada extremo; sin momentos.
    for (Eigen::Index c = 0; c < n; ++c) {
        for (int d = 0; d < 3; ++d) {
            const double q1 = cargas(c, 2 * d), q2 = cargas(c, 2 * d + 1);
            e(d, c) = L * (2 * q1 + q2) / 6;
            e(6 + d, c) = L * (q1 + 2 * q2) / 6;
        }
        e(3, c) = e(9, c) = L * cargas(c, 6) / 2;
    }
    return e;
}

Eigen::MatrixXd objBarra3d::getCargasEquivalentesInactivaGlobales() const {
    return aGlobales(getCargasEquivalentesInactivaLocales());
}

Eigen::MatrixXd objBarra3d::getCargasEquivalentesGlobales() const {
    return aGlobales(calcularCargasEquivalentesLocales());
}

long double objBarra3d::fuerzasPorDeformacion(const rigidezNatural& k, const double* u1, const double* u2,
                                             long double f[12]) const {
    using Real = long double;
    const geometriaBarra& g = geometria();
    const Eigen::Matrix3d& rotacion = g.rotacion;
    const double* xyz = g.coordenadas;
    const Real L = g.longitud;
    // Del nudo inicial al final, en ejes globales: el movimiento rígido se
    // arrastra con la geometría real de la barra.
    const Real delta[3] = {static_cast<Real>(xyz[3]) - xyz[0], static_cast<Real>(xyz[4]) - xyz[1],
                           static_cast<Real>(xyz[5]) - xyz[2]};
    // Desplazamiento del nudo final menos el que le da el movimiento rígido del
    // inicial (u1 + θ1 × Δ; el giro, θ1), en ejes globales y luego locales.
    Real dg[6];
    dg[0] = (static_cast<Real>(u2[0]) - u1[0]) - (static_cast<Real>(u1[4]) * delta[2] - static_cast<Real>(u1[5]) * delta[1]);
    dg[1] = (static_cast<Real>(u2[1]) - u1[1]) - (static_cast<Real>(u1[5]) * delta[0] - static_cast<Real>(u1[3]) * delta[2]);
    dg[2] = (static_cast<Real>(u2[2]) - u1[2]) - (static_cast<Real>(u1[3]) * delta[1] - static_cast<Real>(u1[4]) * delta[0]);
    for (int i = 0; i < 3; ++i) dg[3 + i] = static_cast<Real>(u2[3 + i]) - u1[3 + i];
    Real d[6], dl[3];
    for (int b = 0; b < 2; ++b)
        for (int i = 0; i < 3; ++i)
            d[3 * b + i] = rotacion(i, 0) * dg[3 * b] + rotacion(i, 1) * dg[3 * b + 1] + rotacion(i, 2) * dg[3 * b + 2];
    for (int i = 0; i < 3; ++i) dl[i] = rotacion(i, 0) * delta[0] + rotacion(i, 1) * delta[1] + rotacion(i, 2) * delta[2];
    // Deformaciones naturales: alargamiento, giro de torsión y giros de los
    // extremos respecto de la cuerda. Plano x-y: flecha v (y local), giro
    // alrededor de z; plano x-z: flecha w (z local), giro alrededor de y,
    // positivo cuando w decrece.
    const Real y1 = -d[1] / L, y2 = d[5] - d[1] / L;
    const Real z1 = d[2] / L, z2 = d[4] + d[2] / L;
    const Real torsor = k.torsion * d[3];
    // Extremo final; el inicial sale del equilibrio de la barra.
    const auto m = k.fuerzasFinales<Real>(L, d[0], y1, y2, z1, z2, f);
    f[9] = torsor;
    const Real par[3] = {dl[1] * f[8] - dl[2] * f[7], dl[2] * f[6] - dl[0] * f[8], dl[0] * f[7] - dl[1] * f[6]};
    for (int i = 0; i < 3; ++i) {
        f[i] = -f[6 + i];
        f[3 + i] = -(f[9 + i] + par[i]);
    }
    return f[6] * d[0] + torsor * d[3] + m.my1 * y1 + m.my2 * y2 + m.mz1 * z1 + m.mz2 * z2;
}
