// Cargas nodales equivalentes de las cargas distribuidas (ejes locales y
// globales), con la corrección por liberaciones de extremo, y fuerzas de extremo.
#include "modelo/objBarra3d.h"

Eigen::MatrixXd objBarra3d::getCargasEquivalentesLocales() {
    const Eigen::Index n = static_cast<Eigen::Index>(etiquetasCombo.size());
    cargasEquivalentesLocales = Eigen::MatrixXd::Zero(12, n);
    const double L = longitud;
    const double a = articInicioY, b = articFinY, c = articInicioZ, d = articFinZ;
    const double Dy = 12 - 8 * a - 8 * b + 5 * a * b;
    const double Dz = 12 - 8 * c - 8 * d + 5 * c * d;
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

        // Plano x-y: momentos de empotramiento perfecto y corrección por liberación.
        const double M1 = L * L * (qy1 / 20 + qy2 / 30);
        const double M2 = -L * L * (qy1 / 30 + qy2 / 20);
        const double S = 6 / (L * Dy) * ((2 - b) * (1 - a) * M1 + (2 - a) * (1 - b) * M2);
        col(1) = L * (7 * qy1 + 3 * qy2) / 20 - S;
        col(7) = L * (3 * qy1 + 7 * qy2) / 20 + S;
        col(5) = (a / Dy) * ((4 - 3 * b) * M1 - 2 * (1 - b) * M2);
        col(11) = (b / Dy) * ((4 - 3 * a) * M2 - 2 * (1 - a) * M1);

        // Plano x-z: signos opuestos, el giro en y es positivo cuando la flecha en z decrece.
        const double N1 = -L * L * (qz1 / 20 + qz2 / 30);
        const double N2 = L * L * (qz1 / 30 + qz2 / 20);
        const double Sz = 6 / (L * Dz) * ((2 - d) * (1 - c) * N1 + (2 - c) * (1 - d) * N2);
        col(2) = L * (7 * qz1 + 3 * qz2) / 20 + Sz;
        col(8) = L * (3 * qz1 + 7 * qz2) / 20 - Sz;
        col(4) = (c / Dz) * ((4 - 3 * d) * N1 - 2 * (1 - d) * N2);
        col(10) = (d / Dz) * ((4 - 3 * c) * N2 - 2 * (1 - c) * N1);
    }
    flagsBarra[11] = 1;
    return cargasEquivalentesLocales;
}

Eigen::MatrixXd objBarra3d::getCargasEquivalentesGlobales() {
    if (flagsBarra[12] == 0) {
        if (flagsBarra[11] == 0) getCargasEquivalentesLocales();
        if (flagsBarra[9] == 0) getT();
        cargasEquivalentesGlobales = matrizTTranspuesta * cargasEquivalentesLocales;
        flagsBarra[12] = 1;
    }
    return cargasEquivalentesGlobales;
}

Eigen::MatrixXd objBarra3d::getFuerzasExtremos() {
    if (flagsBarra[13] == 0) {
        if (flagsBarra[10] == 0) getKLocal();
        if (flagsBarra[11] == 0) getCargasEquivalentesLocales();
        // Sin desplazamientos del análisis no hay fuerzas de extremo que calcular.
        if (desplazamientosLocales.rows() != 12 ||
            desplazamientosLocales.cols() != cargasEquivalentesLocales.cols())
            return Eigen::MatrixXd::Zero(12, cargasEquivalentesLocales.cols());
        fuerzasExtremos = kLocal * desplazamientosLocales - cargasEquivalentesLocales;
        flagsBarra[13] = 1;
    }
    return fuerzasExtremos;
}
