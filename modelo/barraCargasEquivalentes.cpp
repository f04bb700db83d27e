// Cargas nodales equivalentes de las cargas distribuidas (ejes locales y
// globales), con la corrección por liberaciones de extremo, y fuerzas de extremo.
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

Eigen::MatrixXd objBarra3d::getCargasEquivalentesLocales() {
    flagsBarra[11] = 1;
    return calcularCargasEquivalentesLocales();
}

Eigen::MatrixXd objBarra3d::calcularCargasEquivalentesLocales() const {
    const Eigen::Index n = static_cast<Eigen::Index>(etiquetasCombo.size());
    Eigen::MatrixXd cargasEquivalentesLocales = Eigen::MatrixXd::Zero(12, n);
    const double L = longitud;
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
    return cargasEquivalentesLocales;
}

Eigen::MatrixXd objBarra3d::getCargasEquivalentesGlobales() {
    flagsBarra[11] = 1;
    flagsBarra[12] = 1;
    return aGlobales(calcularCargasEquivalentesLocales());
}

Eigen::MatrixXd objBarra3d::getFuerzasExtremos() {
    if (flagsBarra[13] == 0) {
        const Eigen::MatrixXd cargasEquivalentesLocales = calcularCargasEquivalentesLocales();
        // Sin desplazamientos del análisis no hay fuerzas de extremo que calcular.
        if (desplazamientosLocales.rows() != 12 ||
            desplazamientosLocales.cols() != cargasEquivalentesLocales.cols())
            return Eigen::MatrixXd::Zero(12, cargasEquivalentesLocales.cols());
        const Eigen::MatrixXd kLocal = (flagsBarra[10] == 0) ? getKLocal() : calcularKLocal();
        fuerzasExtremos = kLocal * desplazamientosLocales - cargasEquivalentesLocales;
        flagsBarra[13] = 1;
    }
    return fuerzasExtremos;
}
