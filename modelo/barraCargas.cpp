// Cargas distribuidas de la barra por caso de carga (en ejes locales y en una
// dirección global, incluido el peso propio) y cargas mayoradas por combinación.
// Las de dirección global se proyectan sobre los ejes locales al combinarlas,
// con los ejes que la barra tiene entonces.
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
    cargasGlobales.push_back({casoCarga, qIzq, qDer, d});
    calcularCargasCombo(geo);
}

void objBarra3d::setPesoPropio(std::string casoCarga) {
    // El peso de la sección bruta: un modificador de rigidez no lo cambia.
    const double w = pesoEspecifico * getAreaBruta();
    setDistribuidaGlobal(casoCarga, w, w, 0, 0, -1);
    cargasGlobales.back().pesoPropio = true;
}

void objBarra3d::setCombos(const std::vector<combinacion>& lista) {
    combos = &lista;
    geometria();
    calcularCargasCombo(geo);
}

const Eigen::MatrixXd& objBarra3d::getMatrizCargasCombo() const { return geometria().cargasCombo; }

void objBarra3d::calcularCargasCombo(geometriaBarra& g) const {
    if (combos == nullptr) return;
    const Eigen::Index n = static_cast<Eigen::Index>(combos->size());
    g.cargasCombo = Eigen::MatrixXd::Zero(n, 7);
    // Las filas de R son los ejes locales en componentes globales: una carga
    // de dirección d tiene las componentes locales R·d.
    const Eigen::Matrix3d& r = g.rotacion;
    g.termicaCombo = Eigen::MatrixXd::Zero(temperaturas.empty() ? 0 : n, 3);
    for (Eigen::Index c = 0; c < n; ++c) {
        bool primero = true;
        for (const auto& [factor, caso] : (*combos)[static_cast<size_t>(c)].terminos) {
            const Eigen::Matrix<double, 1, 7> sumas = cargasDeCaso(caso, factor, r);
            for (const cargaTermica& t : temperaturas)
                if (t.caso == caso) g.termicaCombo.row(c) += factor * Eigen::RowVector3d(t.alfaDt, t.alfaGy, t.alfaGz);
            if (primero)
                g.cargasCombo.row(c) = sumas;
            else
                g.cargasCombo.row(c) += sumas;
            primero = false;
        }
    }
}

Eigen::Matrix<double, 1, 7> objBarra3d::cargasDeCaso(const std::string& caso, double factor,
                                                     const Eigen::Matrix3d& r) const {
    Eigen::Matrix<double, 1, 7> sumas = Eigen::Matrix<double, 1, 7>::Zero();
    for (size_t k = 0; k < casosCargaLocal.size(); ++k)
        if (casosCargaLocal[k] == caso) sumas += factor * cargasLocales.row(static_cast<Eigen::Index>(k));
    for (const cargaGlobal& q : cargasGlobales) {
        if (q.caso != caso) continue;
        const double cx = r.row(0).dot(q.direccion), cy = r.row(1).dot(q.direccion), cz = r.row(2).dot(q.direccion);
        Eigen::Matrix<double, 1, 7> fila;
        fila << cx * q.qIzq, cx * q.qDer, cy * q.qIzq, cy * q.qDer, cz * q.qIzq, cz * q.qDer, 0;
        sumas += factor * fila;
    }
    return sumas;
}

Eigen::Matrix<double, 1, 7> objBarra3d::getCargasDeCaso(const std::string& caso) const {
    return cargasDeCaso(caso, 1.0, geometria().rotacion);
}
