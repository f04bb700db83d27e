// Desplazamientos de extremo, constantes de integración y funciones cerradas de
// solicitaciones a lo largo de la barra: axial, cortes, momentos, torsión y
// deformada.
#include "modelo/objBarra3d.h"

#include <cmath>
#include <iostream>

namespace {
// Estaciones equiespaciadas x_i = L/(n-1)·i; al menos los dos extremos.
int estacionesValidas(int n) { return n < 2 ? 2 : n; }
}  // namespace

void objBarra3d::setDesplazamientos(const Eigen::MatrixXd& U) {
    if (flagsBarra[8] == 0) getGdl();
    const Eigen::Index nc = U.cols();
    desplazamientosGlobales.resize(12, nc);
    for (int i = 0; i < 12 && nc > 0; ++i) {
        const int fila = gdl(i) - 1;
        if (fila < 0 || fila >= U.rows())
            desplazamientosGlobales.row(i).setZero();
        else
            desplazamientosGlobales.row(i) = U.row(fila);
    }
    desplazamientosLocales = aLocales(desplazamientosGlobales);
    calcConstantesY();
    calcConstantesZ();
    flagsBarra[14] = 1;
}

void objBarra3d::borrarResultados() {
    desplazamientosGlobales.resize(0, 0);
    desplazamientosLocales.resize(0, 0);
    fuerzasExtremos.resize(0, 0);
    flagsBarra[13] = 0;
    flagsBarra[14] = 0;
}

void objBarra3d::calcConstantesY() { calcConstantes(true); }
void objBarra3d::calcConstantesZ() { calcConstantes(false); }

void objBarra3d::calcConstantes(bool planoY) {
    const Eigen::Index nc = desplazamientosLocales.cols();
    Eigen::VectorXd& pendiente = planoY ? pendienteY : pendienteZ;
    Eigen::VectorXd& qInicio = planoY ? qInicioY : qInicioZ;
    Eigen::VectorXd& c1 = planoY ? c1Y : c1Z;
    Eigen::VectorXd& c2 = planoY ? c2Y : c2Z;
    Eigen::VectorXd& c3 = planoY ? c3Y : c3Z;
    Eigen::VectorXd& c4 = planoY ? c4Y : c4Z;
    for (Eigen::VectorXd* v : {&pendiente, &qInicio, &c1, &c2, &c3, &c4}) v->setZero(nc);
    if (nc == 0) return;

    const Eigen::MatrixXd F = getFuerzasExtremos();
    if (F.cols() != nc || matrizCargasCombo.rows() != nc) return;
    const Eigen::MatrixXd& uL = desplazamientosLocales;
    const double L = longitud;
    const double EI = modE * (planoY ? iz : iy);
    const int colQ = planoY ? 2 : 4;
    const int filaFlecha0 = planoY ? 1 : 2, filaFlechaL = planoY ? 7 : 8;

    Eigen::Matrix4d A;
    A << 0, 1, 0, 0,
         L, 1, 0, 0,
         0, 0, 0, 1,
         L * L * L / 6, L * L / 2, L, 1;
    const Eigen::FullPivLU<Eigen::Matrix4d> lu(A);
    for (Eigen::Index c = 0; c < nc; ++c) {
        const double q1 = matrizCargasCombo(c, colQ), q2 = matrizCargasCombo(c, colQ + 1);
        const double a1 = (q2 - q1) / L, a0 = q1;
        pendiente(c) = a1;
        qInicio(c) = a0;
        // Momentos de extremo en la convención de cada plano.
        const double m0 = planoY ? -F(5, c) : F(4, c);
        const double mL = planoY ? F(11, c) : -F(10, c);
        Eigen::Vector4d rhs;
        rhs << m0,
               mL - a1 * L * L * L / 6 - a0 * L * L / 2,
               EI * uL(filaFlecha0, c),
               EI * uL(filaFlechaL, c) - a1 * std::pow(L, 5) / 120 - a0 * std::pow(L, 4) / 24;
        const Eigen::Vector4d sol = lu.solve(rhs);
        c1(c) = sol(0);
        c2(c) = sol(1);
        c3(c) = sol(2);
        c4(c) = sol(3);
    }
}

Eigen::MatrixXd objBarra3d::getSolicitacionAxial(int c, int n) {
    n = estacionesValidas(n);
    const Eigen::MatrixXd F = getFuerzasExtremos();
    const double L = longitud;
    const double N0 = -F(0, c);
    const double fx1 = matrizCargasCombo(c, 0), fx2 = matrizCargasCombo(c, 1);
    Eigen::MatrixXd r(2, n);
    for (int i = 0; i < n; ++i) {
        const double x = L / (n - 1) * i;
        r(0, i) = x;
        r(1, i) = N0 - fx1 * x - (fx2 - fx1) * x * x / (2 * L);
    }
    return r;
}

Eigen::MatrixXd objBarra3d::getSolicitacionTorsion(int c, int n) {
    n = estacionesValidas(n);
    const Eigen::MatrixXd F = getFuerzasExtremos();
    const double L = longitud;
    const double T0 = -F(3, c), T1 = F(9, c);
    Eigen::MatrixXd r(2, n);
    for (int i = 0; i < n; ++i) {
        const double x = L / (n - 1) * i;
        r(0, i) = x;
        r(1, i) = T0 + (T1 - T0) * x / L;
    }
    return r;
}

namespace {
enum class Magnitud { Corte, Momento };

Eigen::MatrixXd muestrear(double L, int n, double a1, double a0, double C1, double C2, Magnitud m) {
    Eigen::MatrixXd r(2, n);
    for (int i = 0; i < n; ++i) {
        const double x = L / (n - 1) * i;
        r(0, i) = x;
        r(1, i) = (m == Magnitud::Corte) ? a1 * x * x / 2 + a0 * x + C1
                                         : a1 * x * x * x / 6 + a0 * x * x / 2 + C1 * x + C2;
    }
    return r;
}

double flecha(double x, double a1, double a0, double C1, double C2, double C3, double C4, double EI) {
    return (a1 * std::pow(x, 5) / 120 + a0 * std::pow(x, 4) / 24 + C1 * x * x * x / 6 + C2 * x * x / 2 +
            C3 * x + C4) / EI;
}
}  // namespace

Eigen::MatrixXd objBarra3d::getSolicitacionVy(int c, int n) const {
    return muestrear(longitud, estacionesValidas(n), pendienteY(c), qInicioY(c), c1Y(c), c2Y(c), Magnitud::Corte);
}

Eigen::MatrixXd objBarra3d::getSolicitacionMy(int c, int n) const {
    return muestrear(longitud, estacionesValidas(n), pendienteY(c), qInicioY(c), c1Y(c), c2Y(c), Magnitud::Momento);
}

Eigen::MatrixXd objBarra3d::getSolicitacionVz(int c, int n) const {
    return muestrear(longitud, estacionesValidas(n), pendienteZ(c), qInicioZ(c), c1Z(c), c2Z(c), Magnitud::Corte);
}

Eigen::MatrixXd objBarra3d::getSolicitacionMz(int c, int n) const {
    return muestrear(longitud, estacionesValidas(n), pendienteZ(c), qInicioZ(c), c1Z(c), c2Z(c), Magnitud::Momento);
}

double objBarra3d::ceroDeCortante(int c, bool planoY) {
    double& resultado = planoY ? xVYcero : xVZcero;
    if (flagsBarra[14] == 0) {
        std::cout << "El progama aun no calculó las constanes de integración" << "\n";
        resultado = -1;
        return -1;
    }
    resultado = -1;
    const double s2 = (planoY ? pendienteY(c) : pendienteZ(c)) / 2;
    const double s1 = planoY ? qInicioY(c) : qInicioZ(c);
    const double s0 = planoY ? c1Y(c) : c1Z(c);
    double r1, r2;
    if (s2 != 0.0 || std::isnan(s2)) {
        const double disc = s1 * s1 - 4 * s2 * s0;
        // Discriminante negativo: raíces complejas, ninguna dentro de la barra.
        const double raiz = disc >= 0 ? std::sqrt(disc) : NAN;
        r1 = (raiz - s1) / (2 * s2);
        r2 = (-s1 - raiz) / (2 * s2);
    } else {
        // Corte constante (s1 = 0): no hay cero aislado.
        r1 = (s1 != 0.0) ? -s0 / s1 : -1;
        r2 = -1;
    }
    if (r1 > 0 && r1 < longitud) resultado = r1;
    if (r2 > 0 && r2 < longitud) resultado = r2;
    return resultado;
}

double objBarra3d::getXVYcero(int c) { return ceroDeCortante(c, true); }
double objBarra3d::getXVZcero(int c) { return ceroDeCortante(c, false); }

double objBarra3d::getMymax(int c) {
    const double x0 = getXVYcero(c);
    if (flagsBarra[14] == 0) return 0.0;
    return pendienteY(c) * x0 * x0 * x0 / 6 + qInicioY(c) * x0 * x0 / 2 + c1Y(c) * x0 + c2Y(c);
}

double objBarra3d::getMzmax(int c) {
    const double x0 = getXVZcero(c);
    if (flagsBarra[14] == 0) return 0.0;
    return pendienteZ(c) * x0 * x0 * x0 / 6 + qInicioZ(c) * x0 * x0 / 2 + c1Z(c) * x0 + c2Z(c);
}

Eigen::MatrixXd objBarra3d::getBarraDeformada(int c, int n, double s) const {
    n = estacionesValidas(n);
    const double L = longitud;
    const double du = (desplazamientosLocales(6, c) - desplazamientosLocales(0, c)) * s;
    const double EIz = modE * iz, EIy = modE * iy;
    const Eigen::MatrixXd& uL = desplazamientosLocales;
    // Una barra sin rigidez a flexión (sin sección o sin material) no tiene
    // elástica: se dibuja recta entre sus extremos desplazados.
    auto recta = [&](double x, int fila0, int filaL) { return uL(fila0, c) + (uL(filaL, c) - uL(fila0, c)) * x / L; };
    auto v = [&](double x) {
        return EIz != 0.0 ? flecha(x, pendienteY(c), qInicioY(c), c1Y(c), c2Y(c), c3Y(c), c4Y(c), EIz) : recta(x, 1, 7);
    };
    auto w = [&](double x) {
        return EIy != 0.0 ? flecha(x, pendienteZ(c), qInicioZ(c), c1Z(c), c2Z(c), c3Z(c), c4Z(c), EIy) : recta(x, 2, 8);
    };
    const double v0 = v(0), w0 = w(0);
    Eigen::MatrixXd r(3, n);
    for (int i = 0; i < n; ++i) {
        const double x = L / (n - 1) * i;
        r(0, i) = x + i * du / (n - 1);
        r(1, i) = (v(x) - v0) * s;
        r(2, i) = (w(x) - w0) * s;
    }
    return r;
}
