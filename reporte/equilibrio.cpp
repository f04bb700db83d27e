#include "reporte/equilibrio.h"

#include <algorithm>

#include "globales.h"

namespace {
using Vec3 = Eigen::Vector3d;

// Una fuerza f y un par m aplicados en el punto p, reducidos al origen.
Torsor reducido(const Vec3& p, const Vec3& f, const Vec3& m) {
    Torsor t;
    t << f, p.cross(f) + m;
    return t;
}

// Resultante y suma de los módulos de cada carga (fuerza y momento).
struct Suma {
    Torsor resultante = Torsor::Zero();
    double fuerzas = 0, momentos = 0;
    void sumar(const Torsor& t) {
        resultante += t;
        fuerzas += t.head<3>().norm();
        momentos += t.tail<3>().norm();
    }
};

Suma sumaDeCargas(int c) {
    Suma suma;
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd p = n.getCargasCombo();
        if (c >= p.cols()) continue;
        suma.sumar(reducido({n.getX(), n.getY(), n.getZ()}, p.col(c).head<3>(), p.col(c).tail<3>()));
    }
    for (const objBarra3d& b : barra) {
        const Eigen::MatrixXd& cargas = b.getMatrizCargasCombo();
        if (c >= cargas.rows()) continue;
        const Eigen::RowVectorXd q = cargas.row(c);  // fx1 fx2 qy1 qy2 qz1 qz2 torsión, en ejes locales
        // Las filas de la rotación son los ejes locales en componentes globales.
        const Eigen::Matrix3d aGlobales = b.getRotacion().transpose();
        const Vec3 q1 = aGlobales * Vec3(q(0), q(2), q(4)), q2 = aGlobales * Vec3(q(1), q(3), q(5));
        const Vec3 ejeX = aGlobales.col(0);
        const double L = b.getLongitud();
        // Con s medida desde el inicio y q lineal: ∫q ds = L·(q1 + q2)/2 y
        // ∫s·q ds = L²·(q1/6 + q2/3); la torsión es un par uniforme según x local.
        const Vec3 fuerza = L * (q1 + q2) / 2;
        const Vec3 par = ejeX.cross(L * L * (q1 / 6 + q2 / 3)) + q(6) * L * ejeX;
        suma.sumar(reducido({b.getXi(), b.getYi(), b.getZi()}, fuerza, par));
    }
    return suma;
}

Suma sumaDeReacciones(int c) {
    Suma suma;
    const casoResultado* todo = casoDeResultados(resultados, c);
    // De una combinación con sismo, la parte estática: la parte sísmica de
    // cada modo está en equilibrio con sus fuerzas de inercia.
    const casoResultado* caso = todo ? casoEstatico(*todo) : nullptr;
    if (caso == nullptr) return suma;
    for (const objNudo3d& n : nudo) {
        const Torsor local = caso->reacciones.col(n.getNoNudoInterno());
        suma.sumar(reducido({n.getX(), n.getY(), n.getZ()}, local.head<3>(), local.tail<3>()));
    }
    return suma;
}

}  // namespace

Torsor resultanteCargas(int c) { return sumaDeCargas(c).resultante; }
Torsor resultanteReacciones(int c) { return sumaDeReacciones(c).resultante; }

namespace {
// La carga total de la combinación: la mayor de las sumas de los módulos de
// las fuerzas de cada carga y de cada reacción (sus momentos divididos por ℓ
// si no hay fuerzas).
double cargaTotal(const Suma& r, const Suma& q, double tamano) {
    const double fuerzas = std::max(r.fuerzas, q.fuerzas);
    return fuerzas > 0 ? fuerzas : std::max(r.momentos, q.momentos) / tamano;
}
}  // namespace

double errorEquilibrio(int c) {
    double tamano = 0;
    for (const objNudo3d& n : nudo) tamano = std::max(tamano, Vec3(n.getX(), n.getY(), n.getZ()).norm());
    if (tamano == 0) tamano = 1;
    const Suma r = sumaDeReacciones(c), q = sumaDeCargas(c);
    const Torsor resto = r.resultante + q.resultante;
    const double error = std::max(resto.head<3>().norm(), resto.tail<3>().norm() / tamano);
    double escala = cargaTotal(r, q, tamano);
    // Una combinación cuyas cargas y reacciones son despreciables frente a las
    // mayores del modelo (un asentamiento de un apoyo que nada resiste) se mide
    // contra esas: un cociente de dos redondeos no es un error.
    // (Sólo hace falta mirar las demás cuando el cociente no es ya redondeo.)
    if (!(error <= 1e-12 * escala)) {
        double escalaModelo = 0;
        for (int k = 0; k < static_cast<int>(resultados.casos.size()) && k < noCombos; ++k)
            if (k != c) escalaModelo = std::max(escalaModelo, cargaTotal(sumaDeReacciones(k), sumaDeCargas(k), tamano));
        if (escala < kFraccionRuido * escalaModelo) escala = escalaModelo;
    }
    return escala == 0 ? 0.0 : error / escala;
}
