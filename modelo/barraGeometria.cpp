// Identidad, nudos extremos, longitud y ángulos de dirección, ejes locales,
// matriz de transformación y números de grado de libertad de la barra.
#include "modelo/objBarra3d.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {
double acotar(double v) { return std::max(-1.0, std::min(1.0, v)); }
}  // namespace

objBarra3d::objBarra3d()
    : perimetroSeccion(2, 0), cargasLocales(0, 7), cargasGlobales(0, 7), matrizCargasCombo(0, 7) {
    resetFlags();
    alfa = pi / 2.0;
    actualizarRotacion();
}

void objBarra3d::resetFlags() {
    for (int& f : flagsBarra) f = 0;
}

void objBarra3d::setNoBarraInterna(int n) { noBarraInterna = n; }

void objBarra3d::setNoBarraUsuario(int n) { noBarraUsuario = n; }

void objBarra3d::setNudoInicio(int nudoInterno, double x, double y, double z) {
    nudoInicioInterno = nudoInterno;
    xi = x;
    yi = y;
    zi = z;
    flagsBarra[kFlagNudoInicio] = 1;
    calcLongitudesAngulos();
}

void objBarra3d::setNudoFinal(int nudoInterno, double x, double y, double z) {
    nudoFinalInterno = nudoInterno;
    xf = x;
    yf = y;
    zf = z;
    flagsBarra[kFlagNudoFinal] = 1;
    calcLongitudesAngulos();
}

void objBarra3d::calcLongitudesAngulos() {
    // Se recalcula cada vez que se da un nudo: mover un nudo de una barra que
    // ya existe le cambia el largo y los ejes.
    if (flagsBarra[kFlagNudoInicio] != 1 || flagsBarra[kFlagNudoFinal] != 1) return;
    const double dx = xf - xi, dy = yf - yi, dz = zf - zi;
    longitud = std::pow(dx * dx + dy * dy + dz * dz, 0.5);
    // Los argumentos de asin y acos se acotan a [-1, 1]: por redondeo pueden
    // salir apenas fuera y darían un ángulo indefinido.
    beta = -std::asin(acotar(dz / longitud));
    const double lxy = std::cos(beta) * longitud;
    if (yf != yi)
        gamma = std::acos(acotar(dx / lxy));
    else
        gamma = (xi > xf) ? pi : 0.0;
    if (std::fabs(beta) == pi / 2.0) gamma = 0.0;
    if (dy < 0) gamma = -gamma;

    actualizarRotacion();
}

void objBarra3d::actualizarRotacion() {
    Eigen::Matrix3d rotacionX, rotacionY, rotacionZ;
    const double ca = std::cos(alfa), sa = std::sin(alfa);
    rotacionX << 1, 0, 0, 0, ca, sa, 0, -sa, ca;
    const double cb = std::cos(beta), sb = std::sin(beta);
    rotacionY << cb, 0, -sb, 0, 1, 0, sb, 0, cb;
    const double cg = std::cos(gamma), sg = std::sin(gamma);
    rotacionZ << cg, sg, 0, -sg, cg, 0, 0, 0, 1;
    rotacion = rotacionX * rotacionY * rotacionZ;
}

void objBarra3d::setRotacion(double anguloGrados) {
    alfa = pi * (anguloGrados / 180.0) + pi / 2.0;
    actualizarRotacion();
}

Eigen::Matrix3d objBarra3d::getRotacion() const { return rotacion; }

Eigen::MatrixXd objBarra3d::getT() const {
    Eigen::MatrixXd t = Eigen::MatrixXd::Zero(12, 12);
    for (int b = 0; b < 4; ++b) t.block<3, 3>(3 * b, 3 * b) = rotacion;
    return t;
}

Eigen::MatrixXd objBarra3d::aLocales(const Eigen::MatrixXd& globales) const {
    Eigen::MatrixXd r(12, globales.cols());
    // Sin combinaciones no hay columnas (ni datos) que transformar.
    for (int b = 0; b < 4 && globales.cols() > 0; ++b) r.middleRows<3>(3 * b).noalias() = rotacion * globales.middleRows<3>(3 * b);
    return r;
}

Eigen::MatrixXd objBarra3d::aGlobales(const Eigen::MatrixXd& locales) const {
    Eigen::MatrixXd r(12, locales.cols());
    for (int b = 0; b < 4 && locales.cols() > 0; ++b)
        r.middleRows<3>(3 * b).noalias() = rotacion.transpose() * locales.middleRows<3>(3 * b);
    return r;
}

Eigen::VectorXi objBarra3d::getGdl() const {
    Eigen::VectorXi gdl = Eigen::VectorXi::Zero(12);
    if (flagsBarra[kFlagNudoInicio] != 1 || flagsBarra[kFlagNudoFinal] != 1) {
        std::cout << "Definir primero los nudos de la barra " << noBarraUsuario << "\n";
        return gdl;
    }
    const int s = 6 * (nudoInicioInterno + 1), e = 6 * (nudoFinalInterno + 1);
    for (int i = 0; i < 6; ++i) {
        gdl(i) = s - 5 + i;
        gdl(6 + i) = e - 5 + i;
    }
    return gdl;
}
