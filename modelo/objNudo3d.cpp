#include "modelo/objNudo3d.h"

objNudo3d::objNudo3d()
    : cargasPuntuales(0, 6), apoyo(Eigen::VectorXi::Zero(6)), impuestos(0, 6), impuestosCombo(6, 0),
      gdl(Eigen::VectorXi::Zero(6)), cargasCombo(6, 0) {}

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

double objNudo3d::getCargaVerticalDeCaso(const std::string& casoCarga) const {
    double suma = 0.0;
    for (size_t k = 0; k < casosCargaPuntual.size(); ++k)
        if (casosCargaPuntual[k] == casoCarga) suma += cargasPuntuales(static_cast<Eigen::Index>(k), 2);
    return suma;
}

void objNudo3d::setResorte(const Eigen::Matrix<double, 6, 1>& k) { resorte += k; }

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

void objNudo3d::setCombos(const std::vector<combinacion>& combos) {
    const Eigen::Index n = static_cast<Eigen::Index>(combos.size());
    cargasCombo = Eigen::MatrixXd::Zero(6, n);
    impuestosCombo = Eigen::MatrixXd::Zero(6, n);
    for (Eigen::Index c = 0; c < n; ++c) {
        const combinacion& combo = combos[static_cast<size_t>(c)];
        // Una combinación sin pares queda con cargas nulas.
        if (combo.terminos.empty()) continue;
        bool primero = true;
        for (const auto& [factor, caso] : combo.terminos) {
            const Eigen::VectorXd sumas = sumaDelCaso(casosCargaPuntual, cargasPuntuales, factor, caso);
            const Eigen::VectorXd impuesto = sumaDelCaso(casosImpuestos, impuestos, factor, caso);
            if (primero) {
                cargasCombo.col(c) = sumas;
                impuestosCombo.col(c) = impuesto;
            } else {
                cargasCombo.col(c) += sumas;
                impuestosCombo.col(c) += impuesto;
            }
            primero = false;
        }
    }
}

Eigen::Matrix<double, 6, 1> objNudo3d::getCargaDeCaso(const std::string& caso) const {
    return sumaDelCaso(casosCargaPuntual, cargasPuntuales, 1.0, caso);
}

Eigen::Matrix<double, 6, 1> objNudo3d::getImpuestoDeCaso(const std::string& caso) const {
    return sumaDelCaso(casosImpuestos, impuestos, 1.0, caso);
}
