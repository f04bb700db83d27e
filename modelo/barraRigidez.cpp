// Rigidez de la barra en ejes locales y globales, con deformación por corte y
// liberaciones parciales de los giros de extremo (factores de fijación).
#include "modelo/objBarra3d.h"

#include <algorithm>

namespace {

double acotarFijacion(double v) { return std::min(1.0, std::max(0.0, v)); }

// Términos de flexión de un plano (antes del factor común E/L³). Cada extremo se
// modela como un resorte rotacional de rigidez (E·I/L)·f/(1 − f) sobre la barra
// con deformación por corte; con f = 1 el extremo es rígido, con f = 0 una rótula.
struct TerminosFlexion {
    double V, A, B, AA, BB, AB;
};

TerminosFlexion terminosFlexion(double L, double I, double a, double b, double phi) {
    const double ga = 6 - 4 * a + a * phi / 2;
    const double gb = 6 - 4 * b + b * phi / 2;
    const double acople = 1 - phi / 2;
    const double delta = ga * gb - a * b * acople * acople;
    TerminosFlexion t;
    t.AA = 6 * L * L * I * a * gb / delta;
    t.BB = 6 * L * L * I * b * ga / delta;
    t.AB = 6 * L * L * I * a * b * acople / delta;
    t.A = (t.AA + t.AB) / L;
    t.B = (t.BB + t.AB) / L;
    t.V = (t.AA + 2 * t.AB + t.BB) / (L * L);
    return t;
}

}  // namespace

void objBarra3d::setArticulacion(double aIniY, double aFinY, double aIniZ, double aFinZ) {
    articInicioY = acotarFijacion(aIniY);
    articFinY = acotarFijacion(aFinY);
    articInicioZ = acotarFijacion(aIniZ);
    articFinZ = acotarFijacion(aFinZ);
}

double objBarra3d::parametroCorte(double inercia) const {
    // Sin área o sin módulo de corte no hay deformación por corte que calcular.
    const double longitud = getLongitud();
    const double gal2 = modG * area * longitud * longitud;
    return (factorDeForma != 0.0 && gal2 != 0.0) ? 12 * modE * inercia * factorDeForma / gal2 : 0.0;
}

Eigen::MatrixXd objBarra3d::getKLocal() const {
    // Sin sección o sin material la barra no tiene rigidez: ceros.
    return calcularKLocal();
}

Eigen::MatrixXd objBarra3d::calcularKLocal() const {
    Eigen::MatrixXd M = Eigen::MatrixXd::Zero(12, 12);
    if (flagsBarra[kFlagSeccion] != 1 || flagsBarra[kFlagMaterial] != 1) return M;
    const double L = getLongitud(), E = modE, G = modG, A = area;
    const double phiY = parametroCorte(iy);
    const double phiZ = parametroCorte(iz);

    const TerminosFlexion ky = terminosFlexion(L, iz, articInicioY, articFinY, phiZ);
    const TerminosFlexion kz = terminosFlexion(L, iy, articInicioZ, articFinZ, phiY);
    const double kN = A * L * L;
    const double kT = (E != 0.0) ? G * modJ * L * L / E : 0.0;

    M(0, 0) = kN;  M(0, 6) = -kN;  M(6, 0) = -kN;  M(6, 6) = kN;
    M(3, 3) = kT;  M(3, 9) = -kT;  M(9, 3) = -kT;  M(9, 9) = kT;

    M(1, 1) = ky.V;   M(1, 5) = ky.A;   M(1, 7) = -ky.V;  M(1, 11) = ky.B;
    M(5, 1) = ky.A;   M(5, 5) = ky.AA;  M(5, 7) = -ky.A;  M(5, 11) = ky.AB;
    M(7, 1) = -ky.V;  M(7, 5) = -ky.A;  M(7, 7) = ky.V;   M(7, 11) = -ky.B;
    M(11, 1) = ky.B;  M(11, 5) = ky.AB; M(11, 7) = -ky.B; M(11, 11) = ky.BB;

    M(2, 2) = kz.V;   M(2, 4) = -kz.A;  M(2, 8) = -kz.V;  M(2, 10) = -kz.B;
    M(4, 2) = -kz.A;  M(4, 4) = kz.AA;  M(4, 8) = kz.A;   M(4, 10) = kz.AB;
    M(8, 2) = -kz.V;  M(8, 4) = kz.A;   M(8, 8) = kz.V;   M(8, 10) = kz.B;
    M(10, 2) = -kz.B; M(10, 4) = kz.AB; M(10, 8) = kz.B;  M(10, 10) = kz.BB;

    return (M * E) / (L * L * L);
}

Eigen::MatrixXd objBarra3d::getKGlobal() const {
    const Eigen::MatrixXd kLocal = getKLocal();
    const Eigen::Matrix3d& rotacion = geometria().rotacion;
    // Tᵀ·kLocal·T por bloques de 3x3: Rᵀ·k_IJ·R.
    Eigen::MatrixXd kGlobal(12, 12);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            kGlobal.block<3, 3>(3 * i, 3 * j).noalias() =
                rotacion.transpose() * kLocal.block<3, 3>(3 * i, 3 * j) * rotacion;
    return kGlobal;
}

objBarra3d::rigidezNatural objBarra3d::getRigidezNatural() const {
    rigidezNatural r;
    if (flagsBarra[kFlagSeccion] != 1 || flagsBarra[kFlagMaterial] != 1) return r;
    const double L = getLongitud(), E = modE;
    const double factor = E / (L * L * L);
    const TerminosFlexion ky = terminosFlexion(L, iz, articInicioY, articFinY, parametroCorte(iz));
    const TerminosFlexion kz = terminosFlexion(L, iy, articInicioZ, articFinZ, parametroCorte(iy));
    r.axial = area * L * L * factor;
    r.torsion = ((E != 0.0) ? modG * modJ * L * L / E : 0.0) * factor;
    const double y[3] = {ky.AA, ky.AB, ky.BB}, z[3] = {kz.AA, kz.AB, kz.BB};
    for (int i = 0; i < 3; ++i) {
        r.planoY[i] = y[i] * factor;
        r.planoZ[i] = z[i] * factor;
    }
    return r;
}
