// Cargas distribuidas de la barra por caso de carga (en ejes locales y en una
// dirección global, incluido el peso propio) y cargas mayoradas por combinación.
#include "modelo/objBarra3d.h"

#include <cmath>

namespace {
void agregarFila(std::vector<std::string>& casos, Eigen::MatrixXd& cargas, const std::string& caso,
                 const Eigen::Matrix<double, 1, 7>& fila) {
    casos.push_back(caso);
    const Eigen::Index r = cargas.rows();
    cargas.conservativeResize(r + 1, 7);
    cargas.row(r) = fila;
}
}  // namespace

void objBarra3d::setDistribuidaLocalX(std::string casoCarga, double fIni, double fFin) {
    Eigen::Matrix<double, 1, 7> fila;
    fila << fIni, fFin, 0, 0, 0, 0, 0;
    agregarFila(casosCargaLocal, cargasLocales, casoCarga, fila);
}

void objBarra3d::setDistribuidaLocalY(std::string casoCarga, double qYIni, double qYFin) {
    Eigen::Matrix<double, 1, 7> fila;
    fila << 0, 0, qYIni, qYFin, 0, 0, 0;
    agregarFila(casosCargaLocal, cargasLocales, casoCarga, fila);
}

void objBarra3d::setDistribuidaLocalZ(std::string casoCarga, double qZIni, double qZFin) {
    Eigen::Matrix<double, 1, 7> fila;
    fila << 0, 0, 0, 0, qZIni, qZFin, 0;
    agregarFila(casosCargaLocal, cargasLocales, casoCarga, fila);
}

void objBarra3d::setDistribuidaLocalT(std::string casoCarga, double torsion) {
    Eigen::Matrix<double, 1, 7> fila;
    fila << 0, 0, 0, 0, 0, 0, torsion;
    agregarFila(casosCargaLocal, cargasLocales, casoCarga, fila);
}

void objBarra3d::setDistribuidaGlobal(std::string casoCarga, double qIzq, double qDer,
                                      double dirX, double dirY, double dirZ) {
    Eigen::Vector3d d(dirX, dirY, dirZ);
    // Norma escalada: una dirección con componentes enormes o diminutas
    // (1e300, 1e-300) no se desborda ni se anula al elevar al cuadrado.
    const double norma = d.stableNorm();
    // Una dirección nula no tiene sentido físico; el cargador la descarta antes.
    if (norma > 0.0) d /= norma;
    // Las filas de R son los ejes locales en componentes globales.
    const Eigen::Matrix3d r = getRotacion();
    const double cx = r.row(0).dot(d), cy = r.row(1).dot(d), cz = r.row(2).dot(d);
    Eigen::Matrix<double, 1, 7> fila;
    fila << cx * qIzq, cx * qDer, cy * qIzq, cy * qDer, cz * qIzq, cz * qDer, 0;
    agregarFila(casosCargaGlobal, cargasGlobales, casoCarga, fila);
}

void objBarra3d::setPesoPropio(std::string casoCarga) {
    const double w = pesoEspecifico * area;
    setDistribuidaGlobal(casoCarga, w, w, 0, 0, -1);
}

void objBarra3d::setCombo(std::string nombreCombo, double factor, std::string casoCarga) {
    Eigen::Matrix<double, 1, 7> sumas = Eigen::Matrix<double, 1, 7>::Zero();
    for (size_t r = 0; r < casosCargaLocal.size(); ++r)
        if (casosCargaLocal[r] == casoCarga) sumas += factor * cargasLocales.row(static_cast<Eigen::Index>(r));
    for (size_t r = 0; r < casosCargaGlobal.size(); ++r)
        if (casosCargaGlobal[r] == casoCarga) sumas += factor * cargasGlobales.row(static_cast<Eigen::Index>(r));

    for (size_t c = 0; c < etiquetasCombo.size(); ++c)
        if (etiquetasCombo[c] == nombreCombo) {
            matrizCargasCombo.row(static_cast<Eigen::Index>(c)) += sumas;
            return;
        }
    etiquetasCombo.push_back(nombreCombo);
    const Eigen::Index n = matrizCargasCombo.rows();
    matrizCargasCombo.conservativeResize(n + 1, 7);
    matrizCargasCombo.row(n) = sumas;
}
