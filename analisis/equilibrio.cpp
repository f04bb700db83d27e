#include "analisis/equilibrio.h"

#include <algorithm>
#include <vector>

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

// En una combinación de segundo orden (o la parte estática de segundo orden
// de una combinación con sismo) el equilibrio se plantea en la geometría
// deformada: cada carga y cada reacción actúa en su punto desplazado. En las
// demás, en la geometría original.
const casoResultado* casoDeformado(const casoResultado* caso) {
    return caso != nullptr ? casoSegundoOrden(*caso) : nullptr;
}

Vec3 posicion(const objNudo3d& n, const casoResultado* deformado) {
    Vec3 p(n.getX(), n.getY(), n.getZ());
    if (deformado != nullptr && n.getNoNudoInterno() < deformado->desplazamientos.cols())
        p += deformado->desplazamientos.col(n.getNoNudoInterno()).head<3>();
    return p;
}

// La carga distribuida de la barra (una fila fx1 fx2 qy1 qy2 qz1 qz2 torsión,
// en ejes locales) integrada a lo largo de ella y reducida al origen.
Torsor distribuidaReducida(const objBarra3d& b, const Eigen::Matrix<double, 1, 7>& q) {
    // Las filas de la rotación son los ejes locales en componentes globales.
    const Eigen::Matrix3d aGlobales = b.getRotacion().transpose();
    const Vec3 q1 = aGlobales * Vec3(q(0), q(2), q(4)), q2 = aGlobales * Vec3(q(1), q(3), q(5));
    const Vec3 ejeX = aGlobales.col(0);
    const double L = b.getLongitud();
    // Con s medida desde el inicio y q lineal: ∫q ds = L·(q1 + q2)/2 y
    // ∫s·q ds = L²·(q1/6 + q2/3); la torsión es un par uniforme según x local.
    const Vec3 fuerza = L * (q1 + q2) / 2;
    const Vec3 par = ejeX.cross(L * L * (q1 / 6 + q2 / 3)) + q(6) * L * ejeX;
    return reducido({b.getXi(), b.getYi(), b.getZi()}, fuerza, par);
}

// Las cargas de la combinación c; caso es el suyo (nullptr sin resultados).
Suma sumaDeCargas(int c, const casoResultado* caso) {
    Suma suma;
    const casoResultado* deformado = casoDeformado(caso);
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd p = n.getCargasCombo();
        if (c >= p.cols()) continue;
        suma.sumar(reducido(posicion(n, deformado), p.col(c).head<3>(), p.col(c).tail<3>()));
    }
    for (const objBarra3d& b : barra) {
        const Eigen::MatrixXd& cargas = b.getMatrizCargasCombo();
        if (c >= cargas.rows()) continue;
        if (deformado == nullptr) {
            suma.sumar(distribuidaReducida(b, cargas.row(c)));
            continue;
        }
        const Eigen::RowVectorXd q = cargas.row(c);  // fx1 fx2 qy1 qy2 qz1 qz2 torsión, en ejes locales
        // Las filas de la rotación son los ejes locales en componentes globales.
        const Eigen::Matrix3d aGlobales = b.getRotacion().transpose();
        const Vec3 q1 = aGlobales * Vec3(q(0), q(2), q(4)), q2 = aGlobales * Vec3(q(1), q(3), q(5));
        const Vec3 ejeX = aGlobales.col(0);
        const double L = b.getLongitud();
        const Vec3 fuerza = L * (q1 + q2) / 2;
        // La carga repartida sobre la cuerda desplazada.
        const Vec3 inicio = posicion(nudo[static_cast<size_t>(b.getNudoInicioInterno())], deformado);
        const Vec3 cuerda = posicion(nudo[static_cast<size_t>(b.getNudoFinalInterno())], deformado) - inicio;
        const Vec3 par = cuerda.cross(L * (q1 / 6 + q2 / 3)) + q(6) * L * ejeX;
        suma.sumar(reducido(inicio, fuerza, par));
    }
    return suma;
}

Suma sumaDeReacciones(const casoResultado& todo) {
    Suma suma;
    // De una combinación con sismo, la parte estática: la parte sísmica de
    // cada modo está en equilibrio con sus fuerzas de inercia.
    const casoResultado* caso = casoEstatico(todo);
    if (caso == nullptr) return suma;
    const casoResultado* deformado = casoDeformado(&todo);
    for (const objNudo3d& n : nudo) {
        const Torsor local = caso->reacciones.col(n.getNoNudoInterno());
        suma.sumar(reducido(posicion(n, deformado), local.head<3>(), local.tail<3>()));
    }
    return suma;
}

// La carga total de la combinación: la mayor de las sumas de los módulos de
// las fuerzas de cada carga y de cada reacción y de las de sus momentos
// respecto del origen divididos por ℓ. Los momentos cuentan siempre: una viga
// cargada sólo con dos pares opuestos no tiene más fuerzas que el redondeo de
// sus reacciones, y medir contra ese redondeo daba un error de 1.
double cargaTotal(const Suma& r, const Suma& q, double tamano) {
    return std::max(std::max(r.fuerzas, q.fuerzas), std::max(r.momentos, q.momentos) / tamano);
}

}  // namespace

Torsor resultanteDeCaso(const std::string& caso) {
    Torsor t = Torsor::Zero();
    for (const objNudo3d& n : nudo) {
        const Eigen::Matrix<double, 6, 1> p = n.getCargaDeCaso(caso);
        t += reducido({n.getX(), n.getY(), n.getZ()}, p.head<3>(), p.tail<3>());
    }
    for (const objBarra3d& b : barra) t += distribuidaReducida(b, b.getCargasDeCaso(caso));
    return t;
}

void calcularEquilibrio(resultadosAnalisis& r) {
    double tamano = 0;
    for (const objNudo3d& n : nudo) tamano = std::max(tamano, Vec3(n.getX(), n.getY(), n.getZ()).norm());
    if (tamano == 0) tamano = 1;
    const int combos = std::min(static_cast<int>(r.casos.size()), std::max(noCombos, 0));
    std::vector<Suma> reacciones, cargas;
    for (int c = 0; c < combos; ++c) {
        const casoResultado& caso = r.casos[static_cast<size_t>(c)];
        reacciones.push_back(sumaDeReacciones(caso));
        cargas.push_back(sumaDeCargas(c, &caso));
    }
    for (int c = 0; c < combos; ++c) {
        const Suma& rc = reacciones[static_cast<size_t>(c)];
        const Suma& qc = cargas[static_cast<size_t>(c)];
        const Torsor resto = rc.resultante + qc.resultante;
        const double error = std::max(resto.head<3>().norm(), resto.tail<3>().norm() / tamano);
        double escala = cargaTotal(rc, qc, tamano);
        // Una combinación cuyas cargas y reacciones son despreciables frente a las
        // mayores del modelo (un asentamiento de un apoyo que nada resiste) se mide
        // contra esas: un cociente de dos redondeos no es un error.
        // (Sólo hace falta mirar las demás cuando el cociente no es ya redondeo.)
        if (!(error <= 1e-12 * escala)) {
            double escalaModelo = 0;
            for (int k = 0; k < combos; ++k)
                if (k != c)
                    escalaModelo = std::max(escalaModelo, cargaTotal(reacciones[static_cast<size_t>(k)],
                                                                     cargas[static_cast<size_t>(k)], tamano));
            if (escala < kFraccionRuido * escalaModelo) escala = escalaModelo;
        }
        equilibrioCaso& e = r.casos[static_cast<size_t>(c)].equilibrio;
        e.calculado = true;
        e.cargas = qc.resultante;
        e.reacciones = rc.resultante;
        e.error = escala == 0 ? 0.0 : error / escala;
    }
}

Torsor resultanteCargas(const resultadosAnalisis& r, int c) {
    const casoResultado* caso = casoDeResultados(r, c);
    if (caso != nullptr && caso->equilibrio.calculado) return caso->equilibrio.cargas;
    return sumaDeCargas(c, nullptr).resultante;
}
