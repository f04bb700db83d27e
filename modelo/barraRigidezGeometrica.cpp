// Rigidez geométrica de la barra para un esfuerzo axial N (tracción
// positiva): la matriz consistente de la barra de pórtico espacial, con las
// funciones cúbicas de la flexión en los dos planos y la torsión con el radio
// de giro polar, y con los extremos liberados tratados con el mismo modelo de
// resortes rotacionales que la rigidez elástica.
//
// La energía que el axial agrega es (N/2)·∫(v'² + w'²)dx + (N/2)·(Ip/A)·∫θx'²dx.
// Con la flecha escrita como la cuerda más una cúbica que se anula en los dos
// extremos, la integral se separa en la cuerda, L·ρ², y en la parte de la
// cúbica, θᵀ·g·θ con g = (L/30)·[4 −1; −1 4] y θ los giros de la cúbica
// respecto de la cuerda. En un extremo con resorte (factor de fijación f < 1)
// la cúbica no gira con el nudo: sus giros salen de los de los nudos respecto
// de la cuerda, ψ, por el equilibrio elástico de la barra con sus resortes,
// θ = C·ψ, como en la rigidez elástica. Un giro rígido de la cuerda sólo mueve
// la parte de la cuerda y da exactamente N por el giro en cada extremo.
#include "modelo/objBarra3d.h"

#include <algorithm>

namespace {

// θ = C·ψ de un plano: cada extremo es un resorte de rigidez (E·I/L)·f/(1 − f)
// entre el nudo y la barra con deformación por corte (rigidez rotacional Kθ
// en unidades de E·I/L); la fila i de (1 − fi)·Kθ·θ + fi·θ = fi·ψ es el
// equilibrio del resorte i. Con f = 1 la cúbica gira con el nudo; con f = 0
// (rótula) el extremo no transmite momento.
Eigen::Matrix2d giroDeLaCubica(double a, double b, double phi) {
    Eigen::Matrix2d kTheta;
    kTheta << 4 + phi, 2 - phi, 2 - phi, 4 + phi;
    kTheta /= (1 + phi);
    const Eigen::Vector2d f(a, b);
    Eigen::Matrix2d sistema = (Eigen::Vector2d::Ones() - f).asDiagonal() * kTheta;
    sistema(0, 0) += a;
    sistema(1, 1) += b;
    if (a == 1.0 && b == 1.0) return Eigen::Matrix2d::Identity();
    return sistema.fullPivLu().solve(Eigen::Matrix2d(f.asDiagonal()));
}

}  // namespace

Eigen::Matrix<double, 12, 12> objBarra3d::getKgLocal(double axial) const {
    Eigen::Matrix<double, 12, 12> kg = Eigen::Matrix<double, 12, 12>::Zero();
    if (axial == 0.0 || flagsBarra[kFlagSeccion] != 1 || flagsBarra[kFlagMaterial] != 1) return kg;
    const double L = getLongitud();
    if (!(L > 0)) return kg;
    // B lleva los doce desplazamientos locales a las deformaciones de la
    // energía: ρy, ρz (giros de la cuerda), Δθx, y los giros de los nudos
    // respecto de la cuerda en el plano x-y (ψ1, ψ2) y en el x-z (ψ1, ψ2, con
    // la pendiente w' = −θy).
    Eigen::Matrix<double, 7, 12> B = Eigen::Matrix<double, 7, 12>::Zero();
    B(0, 1) = -1 / L, B(0, 7) = 1 / L;
    B(1, 2) = -1 / L, B(1, 8) = 1 / L;
    B(2, 3) = -1, B(2, 9) = 1;
    B.row(3) = -B.row(0), B(3, 5) += 1;
    B.row(4) = -B.row(0), B(4, 11) += 1;
    B.row(5) = -B.row(1), B(5, 4) -= 1;
    B.row(6) = -B.row(1), B(6, 10) -= 1;
    Eigen::Matrix2d g;
    g << 4, -1, -1, 4;
    g *= L / 30;
    const Eigen::Matrix2d cy = giroDeLaCubica(articInicioY, articFinY, parametroCorte(iz));
    const Eigen::Matrix2d cz = giroDeLaCubica(articInicioZ, articFinZ, parametroCorte(iy));
    Eigen::Matrix<double, 7, 7> D = Eigen::Matrix<double, 7, 7>::Zero();
    D(0, 0) = L;
    D(1, 1) = L;
    D(2, 2) = area > 0 ? (iy + iz) / area / L : 0.0;
    D.block<2, 2>(3, 3) = cy.transpose() * g * cy;
    D.block<2, 2>(5, 5) = cz.transpose() * g * cz;
    kg.noalias() = B.transpose() * (axial * D) * B;
    // Simétrica exacta: el producto puede dejar diferencias de redondeo.
    const Eigen::Matrix<double, 12, 12> simetrica = 0.5 * (kg + kg.transpose());
    return simetrica;
}

Eigen::Matrix<double, 12, 12> objBarra3d::getKgGlobal(double axial) const {
    const Eigen::Matrix<double, 12, 12> kl = getKgLocal(axial);
    const Eigen::Matrix3d& rotacion = geometria().rotacion;
    Eigen::Matrix<double, 12, 12> kgGlobal;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            kgGlobal.block<3, 3>(3 * i, 3 * j).noalias() =
                rotacion.transpose() * kl.block<3, 3>(3 * i, 3 * j) * rotacion;
    return kgGlobal;
}

double objBarra3d::axialMedio(const double* u1, const double* u2, int combo) const {
    if (flagsBarra[kFlagSeccion] != 1 || flagsBarra[kFlagMaterial] != 1) return 0.0;
    // El alargamiento es la diferencia de las traslaciones según el eje x
    // local (el giro del nudo inicial mueve el final en dirección normal).
    const Eigen::Matrix3d& r = geometria().rotacion;
    const double alargamiento = r(0, 0) * (u2[0] - u1[0]) + r(0, 1) * (u2[1] - u1[1]) + r(0, 2) * (u2[2] - u1[2]);
    const double L = getLongitud();
    double axial = modE * area / L * alargamiento;
    // N(0) = −fx1 y N(L) = fx2 con las cargas axiales equivalentes del tramo.
    const Eigen::MatrixXd& cargas = getMatrizCargasCombo();
    if (combo >= 0 && combo < cargas.rows()) {
        const double q1 = cargas(combo, 0), q2 = cargas(combo, 1);
        const double eq1 = L * q1 / 3 + L * q2 / 6, eq2 = L * q1 / 6 + L * q2 / 3;
        axial += 0.5 * (eq1 - eq2);
    }
    return axial;
}
