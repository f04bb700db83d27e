#include "reporte/extremosSolicitaciones.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Polinomio de grado 3 a lo sumo: c[0] + c[1]·x + c[2]·x² + c[3]·x³.
struct polinomio {
    double c[4] = {0, 0, 0, 0};
    double operator()(double x) const { return ((c[3] * x + c[2]) * x + c[1]) * x + c[0]; }
};

// Ceros de a·x² + b·x + d (sin los complejos), con la fórmula que no pierde
// cifras cuando b² domina a 4·a·d.
std::vector<double> ceros(double a, double b, double d) {
    if (a == 0) return b != 0 ? std::vector<double>{-d / b} : std::vector<double>{};
    const double disc = b * b - 4 * a * d;
    if (!(disc >= 0)) return {};
    const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
    std::vector<double> r{q / a};
    if (q != 0) r.push_back(d / q);
    return r;
}

// Extremos entre los valores de los dos extremos de la barra (los que da el
// diagrama) y los de los puntos interiores candidatos.
extremoSolicitacion extremos(double L, double inicio, double fin, const polinomio& f, std::vector<double> interiores) {
    std::vector<std::pair<double, double>> puntos{{0.0, inicio}};
    std::sort(interiores.begin(), interiores.end());
    for (double x : interiores)
        if (x > 0 && x < L) puntos.emplace_back(x, f(x));
    puntos.emplace_back(L, fin);
    extremoSolicitacion e;
    e.xMaximo = e.xMinimo = 0;
    e.maximo = e.minimo = inicio;
    for (const auto& [x, v] : puntos) {
        if (std::isnan(e.maximo)) break;
        if (v > e.maximo || std::isnan(v)) e.maximo = v, e.xMaximo = x;
        if (v < e.minimo || std::isnan(v)) e.minimo = v, e.xMinimo = x;
    }
    return e;
}

double valorEn0(const Eigen::MatrixXd& muestras) { return muestras(1, 0); }
double valorEnL(const Eigen::MatrixXd& muestras) { return muestras(1, muestras.cols() - 1); }

}  // namespace

std::array<extremoSolicitacion, kNumeroSolicitaciones> extremosSolicitaciones(objBarra3d& b, int c) {
    const double L = b.getLongitud();
    const Eigen::RowVectorXd q = b.getMatrizCargasCombo().row(c);  // fx1 fx2 qy1 qy2 qz1 qz2 torsión
    std::array<extremoSolicitacion, kNumeroSolicitaciones> r;

    // N(x) = N(0) − fx1·x − (fx2 − fx1)·x²/(2L): extremo donde la carga axial se anula.
    const Eigen::MatrixXd axial = b.getSolicitacionAxial(c, 2);
    polinomio n;
    n.c[0] = valorEn0(axial);
    n.c[1] = -q(0);
    n.c[2] = -(q(1) - q(0)) / (2 * L);
    r[0] = extremos(L, valorEn0(axial), valorEnL(axial), n, ceros(0, 2 * n.c[2], n.c[1]));

    // Torsión lineal entre sus valores de extremo.
    const Eigen::MatrixXd torsion = b.getSolicitacionTorsion(c, 2);
    r[3] = extremos(L, valorEn0(torsion), valorEnL(torsion), polinomio{}, {});

    // En cada plano, con la carga q(x) = q1 + (q2 − q1)·x/L: V(x) = V(0) + ∫q y
    // M(x) = M(0) + ∫V; V es extremo donde q se anula y M donde V se anula.
    for (const bool planoY : {true, false}) {
        const int columna = planoY ? 2 : 4;
        const double pendiente = (q(columna + 1) - q(columna)) / L, q1 = q(columna);
        const Eigen::MatrixXd corte = planoY ? b.getSolicitacionVy(c, 2) : b.getSolicitacionVz(c, 2);
        const Eigen::MatrixXd momento = planoY ? b.getSolicitacionMy(c, 2) : b.getSolicitacionMz(c, 2);
        polinomio v, m;
        v.c[0] = valorEn0(corte);
        v.c[1] = q1;
        v.c[2] = pendiente / 2;
        m.c[0] = valorEn0(momento);
        m.c[1] = v.c[0];
        m.c[2] = q1 / 2;
        m.c[3] = pendiente / 6;
        r[planoY ? 1 : 2] = extremos(L, valorEn0(corte), valorEnL(corte), v, ceros(0, pendiente, q1));
        r[planoY ? 4 : 5] = extremos(L, valorEn0(momento), valorEnL(momento), m, ceros(v.c[2], v.c[1], v.c[0]));
    }
    return r;
}
