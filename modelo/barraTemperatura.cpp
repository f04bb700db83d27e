// Cargas de temperatura de la barra: un cambio uniforme alarga la barra libre
// α·ΔT·L y un gradiente a través de la sección la curva α·G en su plano. La
// barra entra al análisis con sus fuerzas de empotramiento perfecto (con las
// liberaciones de extremo y la deformación por corte, que están en su
// rigidez natural): libre se mueve sin esfuerzos, impedida recibe las fuerzas
// que la impiden.
#include "modelo/objBarra3d.h"

void objBarra3d::setTemperatura(std::string casoCarga, double coefDilatacion, double dt, double gy, double gz) {
    temperaturas.push_back({std::move(casoCarga), coefDilatacion * dt, coefDilatacion * gy, coefDilatacion * gz});
    calcularCargasCombo(geo);
}

// Deformaciones naturales de la barra libre: alargamiento α·ΔT·L y, en cada
// plano, los giros de los extremos respecto de la cuerda con la curvatura
// constante del gradiente. Plano x-y: v'' = −α·Gy, giros alrededor de z
// (α·Gy·L/2, −α·Gy·L/2). Plano x-z: w'' = −α·Gz, giros alrededor de y
// positivos cuando w decrece (−α·Gz·L/2, α·Gz·L/2).
//
// Las fuerzas de empotramiento son las de la barra obligada a volver de esas
// deformaciones a cero: los momentos de extremo m = k·(−θ), con k el 2x2 de
// flexión de la rigidez natural (resortes de las liberaciones en serie con la
// barra con corte: la curvatura térmica está en la barra, no en el resorte), y
// los cortes que los equilibran.
void objBarra3d::fuerzasEmpotramientoTermico(const rigidezNatural& k, int c, double f[12]) const {
    for (int i = 0; i < 12; ++i) f[i] = 0.0;
    const Eigen::MatrixXd& t = getMatrizTermicaCombo();
    if (c < 0 || c >= t.rows()) return;
    const double L = getLongitud();
    const double alargamiento = t(c, 0) * L;
    const double y1 = -t(c, 1) * L / 2, y2 = t(c, 1) * L / 2;  // −θ del plano x-y
    const double z1 = t(c, 2) * L / 2, z2 = -t(c, 2) * L / 2;  // −θ del plano x-z
    // La barra vuelve de su alargamiento libre: se acorta lo mismo.
    const auto m = k.fuerzasFinales<double>(L, -alargamiento, y1, y2, z1, z2, f);
    f[0] = -f[6];
    f[1] = -f[7];
    f[2] = -f[8];
    f[4] = m.mz1;
    f[5] = m.my1;
}

double objBarra3d::alargamientoElastico(int c, const double* u1, const double* u2) const {
    const Eigen::Matrix3d& r = geometria().rotacion;
    // Alargamiento de la cuerda en pequeños desplazamientos: (u2 − u1)·x.
    double alargamiento = 0.0;
    for (int i = 0; i < 3; ++i) alargamiento += r(0, i) * (u2[i] - u1[i]);
    const Eigen::MatrixXd& t = getMatrizTermicaCombo();
    if (c >= 0 && c < t.rows()) alargamiento -= t(c, 0) * getLongitud();
    return alargamiento;
}
