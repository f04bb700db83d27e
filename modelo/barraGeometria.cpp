// Identidad, nudos extremos, longitud y ángulos de dirección, ejes locales,
// matriz de transformación y números de grado de libertad de la barra.
#include "modelo/objBarra3d.h"

#include <algorithm>
#include <cmath>

#include "modelo/objNudo3d.h"

namespace {
double acotar(double v) { return std::max(-1.0, std::min(1.0, v)); }
}  // namespace

objBarra3d::objBarra3d() : perimetroSeccion(2, 0), cargasLocales(0, 7) {
    resetFlags();
    alfa = pi / 2.0;
    geo.cargasCombo.resize(0, 7);
    actualizarRotacion(geo);
}

void objBarra3d::resetFlags() {
    for (int& f : flagsBarra) f = 0;
}

void objBarra3d::setNoBarraInterna(int n) { noBarraInterna = n; }

void objBarra3d::setNoBarraUsuario(int n) { noBarraUsuario = n; }

void objBarra3d::setNudoInicio(const objNudo3d& n) {
    nudoInicio = &n;
    flagsBarra[kFlagNudoInicio] = 1;
    calcularGeometria(geo);
}

void objBarra3d::setNudoFinal(const objNudo3d& n) {
    nudoFinal = &n;
    flagsBarra[kFlagNudoFinal] = 1;
    calcularGeometria(geo);
}

double objBarra3d::getXi() const { return nudoInicio ? nudoInicio->getX() : 0.0; }
double objBarra3d::getYi() const { return nudoInicio ? nudoInicio->getY() : 0.0; }
double objBarra3d::getZi() const { return nudoInicio ? nudoInicio->getZ() : 0.0; }
double objBarra3d::getXf() const { return nudoFinal ? nudoFinal->getX() : 0.0; }
double objBarra3d::getYf() const { return nudoFinal ? nudoFinal->getY() : 0.0; }
double objBarra3d::getZf() const { return nudoFinal ? nudoFinal->getZ() : 0.0; }
int objBarra3d::getNudoInicioInterno() const { return nudoInicio ? nudoInicio->getNoNudoInterno() : 0; }
int objBarra3d::getNudoFinalInterno() const { return nudoFinal ? nudoFinal->getNoNudoInterno() : 0; }
int objBarra3d::getNudoInicioUsuario() const { return nudoInicio ? nudoInicio->getNoNudoUsuario() : 0; }
int objBarra3d::getNudoFinalUsuario() const { return nudoFinal ? nudoFinal->getNoNudoUsuario() : 0; }

const objBarra3d::geometriaBarra& objBarra3d::geometria() const {
    if (nudoInicio && nudoFinal) {
        const double actuales[6] = {getXi(), getYi(), getZi(), getXf(), getYf(), getZf()};
        if (!std::equal(actuales, actuales + 6, geo.coordenadas)) calcularGeometria(geo);
    }
    return geo;
}

void objBarra3d::calcularGeometria(geometriaBarra& g) const {
    // Sólo con los dos nudos hay barra; se recalcula cada vez que un nudo se
    // mueve, con el largo y los ejes nuevos.
    if (!nudoInicio || !nudoFinal) return;
    const double xi = getXi(), yi = getYi(), zi = getZi(), xf = getXf(), yf = getYf(), zf = getZf();
    const double coordenadas[6] = {xi, yi, zi, xf, yf, zf};
    std::copy(coordenadas, coordenadas + 6, g.coordenadas);
    const double dx = xf - xi, dy = yf - yi, dz = zf - zi;
    g.longitud = std::pow(dx * dx + dy * dy + dz * dz, 0.5);
    // Los argumentos de asin y acos se acotan a [-1, 1]: por redondeo pueden
    // salir apenas fuera y darían un ángulo indefinido.
    g.beta = -std::asin(acotar(dz / g.longitud));
    const double lxy = std::cos(g.beta) * g.longitud;
    if (yf != yi)
        g.gamma = std::acos(acotar(dx / lxy));
    else
        g.gamma = (xi > xf) ? pi : 0.0;
    if (std::fabs(g.beta) == pi / 2.0) g.gamma = 0.0;
    if (dy < 0) g.gamma = -g.gamma;

    actualizarRotacion(g);
}

void objBarra3d::actualizarRotacion(geometriaBarra& g) const {
    Eigen::Matrix3d rotacionX, rotacionY, rotacionZ;
    const double ca = std::cos(alfa), sa = std::sin(alfa);
    rotacionX << 1, 0, 0, 0, ca, sa, 0, -sa, ca;
    const double cb = std::cos(g.beta), sb = std::sin(g.beta);
    rotacionY << cb, 0, -sb, 0, 1, 0, sb, 0, cb;
    const double cg = std::cos(g.gamma), sg = std::sin(g.gamma);
    rotacionZ << cg, sg, 0, -sg, cg, 0, 0, 0, 1;
    g.rotacion = rotacionX * rotacionY * rotacionZ;
    // Las cargas de dirección global se proyectan sobre los ejes nuevos.
    calcularCargasCombo(g);
}

void objBarra3d::setRotacion(double anguloGrados) {
    rotacionGrados = anguloGrados;
    alfa = pi * (anguloGrados / 180.0) + pi / 2.0;
    geometria();
    actualizarRotacion(geo);
}

Eigen::Matrix3d objBarra3d::getRotacion() const { return geometria().rotacion; }

Eigen::MatrixXd objBarra3d::getT() const {
    const Eigen::Matrix3d& r = geometria().rotacion;
    Eigen::MatrixXd t = Eigen::MatrixXd::Zero(12, 12);
    for (int b = 0; b < 4; ++b) t.block<3, 3>(3 * b, 3 * b) = r;
    return t;
}

Eigen::MatrixXd objBarra3d::aLocales(const Eigen::MatrixXd& globales) const {
    const Eigen::Matrix3d& rotacion = geometria().rotacion;
    Eigen::MatrixXd r(12, globales.cols());
    // Sin combinaciones no hay columnas (ni datos) que transformar.
    for (int b = 0; b < 4 && globales.cols() > 0; ++b) r.middleRows<3>(3 * b).noalias() = rotacion * globales.middleRows<3>(3 * b);
    return r;
}

Eigen::MatrixXd objBarra3d::aGlobales(const Eigen::MatrixXd& locales) const {
    const Eigen::Matrix3d& rotacion = geometria().rotacion;
    Eigen::MatrixXd r(12, locales.cols());
    for (int b = 0; b < 4 && locales.cols() > 0; ++b)
        r.middleRows<3>(3 * b).noalias() = rotacion.transpose() * locales.middleRows<3>(3 * b);
    return r;
}

Eigen::VectorXi objBarra3d::getGdl() const {
    Eigen::VectorXi gdl = Eigen::VectorXi::Zero(12);
    // Sin sus dos nudos la barra no tiene grados de libertad: ceros.
    if (!nudoInicio || !nudoFinal) return gdl;
    const int s = 6 * (getNudoInicioInterno() + 1), e = 6 * (getNudoFinalInterno() + 1);
    for (int i = 0; i < 6; ++i) {
        gdl(i) = s - 5 + i;
        gdl(6 + i) = e - 5 + i;
    }
    return gdl;
}
