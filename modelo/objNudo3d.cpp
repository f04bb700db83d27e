#include "modelo/objNudo3d.h"

#include <iostream>

objNudo3d::objNudo3d()
    : cargasPuntuales(0, 6), apoyo(Eigen::VectorXi::Zero(6)), impuestos(0, 6), impuestosCombo(6, 0),
      gdl(Eigen::VectorXi::Zero(6)), cargasCombo(6, 0), desplazamientos(0, 0), reaccionesNudo(0, 0) {}

void objNudo3d::setNoNudoInterno(int n) {
    noNudoInterno = n;
    for (int i = 0; i < 6; ++i) gdl(i) = 6 * n + 1 + i;
}

void objNudo3d::setNoNudoUsuario(int n) { noNudoUsuario = n; }

void objNudo3d::setCoordenadas(double xn, double yn, double zn) {
    x = xn;
    y = yn;
    z = zn;
}

void objNudo3d::setApoyo(int ux, int uy, int uz, int giroX, int giroY, int giroZ) {
    apoyo << ux, uy, uz, giroX, giroY, giroZ;
}

void objNudo3d::setCargaPuntual(std::string casoCarga, double px, double py, double pz,
                                double mx, double my, double mz) {
    casosCargaPuntual.push_back(casoCarga);
    const Eigen::Index r = cargasPuntuales.rows();
    cargasPuntuales.conservativeResize(r + 1, 6);
    cargasPuntuales.row(r) << px, py, pz, mx, my, mz;
}

void objNudo3d::setResorte(const Eigen::Matrix<double, 6, 1>& k) { resorte += k; }

Eigen::Matrix<double, 6, 1> objNudo3d::getReaccionesDeApoyo(int c) const {
    Eigen::Matrix<double, 6, 1> r = Eigen::Matrix<double, 6, 1>::Zero();
    for (int i = 0; i < 6; ++i)
        if (tieneReaccion(i)) r(i) = reaccionesNudo(i, c);
    return r;
}

bool objNudo3d::tieneAlgunaReaccion() const {
    for (int i = 0; i < 6; ++i)
        if (tieneReaccion(i)) return true;
    return false;
}

void objNudo3d::setDesplazamientoImpuesto(std::string casoCarga, const Eigen::Matrix<double, 6, 1>& d) {
    casosImpuestos.push_back(casoCarga);
    const Eigen::Index r = impuestos.rows();
    impuestos.conservativeResize(r + 1, 6);
    impuestos.row(r) = d.transpose();
}

namespace {
// Suma factor·fila de cada registro del caso dado.
Eigen::VectorXd sumaDelCaso(const std::vector<std::string>& casos, const Eigen::MatrixXd& filas, double factor,
                            const std::string& caso) {
    Eigen::VectorXd sumas = Eigen::VectorXd::Zero(6);
    for (size_t r = 0; r < casos.size(); ++r)
        if (casos[r] == caso) sumas += factor * filas.row(static_cast<Eigen::Index>(r)).transpose();
    return sumas;
}
}  // namespace

void objNudo3d::setCombo(std::string nombreCombo, double factor, std::string casoCarga) {
    const Eigen::VectorXd sumas = sumaDelCaso(casosCargaPuntual, cargasPuntuales, factor, casoCarga);
    const Eigen::VectorXd impuesto = sumaDelCaso(casosImpuestos, impuestos, factor, casoCarga);
    const int c = getNumeroDeCombo(nombreCombo);
    if (c >= 0) {
        cargasCombo.col(c) += sumas;
        impuestosCombo.col(c) += impuesto;
        return;
    }
    nombresCombo.push_back(nombreCombo);
    const Eigen::Index n = cargasCombo.cols();
    cargasCombo.conservativeResize(6, n + 1);
    cargasCombo.col(n) = sumas;
    impuestosCombo.conservativeResize(6, n + 1);
    impuestosCombo.col(n) = impuesto;
}

int objNudo3d::getNumeroDeCombo(const std::string& nombre) const {
    int encontrado = -1;
    for (size_t i = 0; i < nombresCombo.size(); ++i)
        if (nombresCombo[i] == nombre) encontrado = static_cast<int>(i);
    return encontrado;
}

bool objNudo3d::copiarFilas(const Eigen::MatrixXd& origen, Eigen::MatrixXd& destino) const {
    const Eigen::Index nc = origen.cols();
    if (nc != static_cast<Eigen::Index>(nombresCombo.size())) return false;
    // Una matriz que no alcanza a las filas de este nudo no viene de esta estructura.
    if (origen.rows() < gdl(5)) return false;
    destino.resize(6, nc);
    for (int i = 0; i < 6 && nc > 0; ++i) destino.row(i) = origen.row(gdl(i) - 1);
    return true;
}

void objNudo3d::setDesplazamientos(const Eigen::MatrixXd& U) {
    if (!copiarFilas(U, desplazamientos))
        std::cout << "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso de Datos"
                  << std::endl;
}

void objNudo3d::setReacciones(const Eigen::MatrixXd& R) {
    if (!copiarFilas(R, reaccionesNudo))
        std::cout << "La cantidad de combos de reacciones no es igual a la cantidad de combos en Ingreso de Datos"
                  << std::endl;
}

void objNudo3d::borrarResultados() {
    desplazamientos.resize(0, 0);
    reaccionesNudo.resize(0, 0);
}

bool objNudo3d::tieneResultados() const {
    return desplazamientos.cols() == static_cast<Eigen::Index>(nombresCombo.size()) &&
           desplazamientos.rows() == 6 && reaccionesNudo.rows() == 6;
}
