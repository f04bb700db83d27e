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

bool objBarra3d::hayResultado(int c) const {
    return tieneResultados() && c >= 0 && c < resultados.fuerzasExtremos.cols();
}

void objBarra3d::setDesplazamientos(const Eigen::MatrixXd& U) {
    resultados = resultadosBarra();
    flagsBarra[kFlagResultados] = 0;
    resultadosBarra& r = resultados;
    const Eigen::VectorXi gdl = getGdl();
    const Eigen::Index nc = U.cols();
    r.desplazamientosGlobales.resize(12, nc);
    for (int i = 0; i < 12 && nc > 0; ++i) {
        const int fila = gdl(i) - 1;
        if (fila < 0 || fila >= U.rows())
            r.desplazamientosGlobales.row(i).setZero();
        else
            r.desplazamientosGlobales.row(i) = U.row(fila);
    }
    r.desplazamientosLocales = aLocales(r.desplazamientosGlobales);

    // Fuerzas de extremo: las de la deformación de la barra menos las cargas
    // equivalentes de su tramo, con un solo redondeo.
    r.fuerzasExtremos = Eigen::MatrixXd::Zero(12, nc);
    const Eigen::MatrixXd equivalentes = calcularCargasEquivalentesLocales();
    if (equivalentes.cols() == nc) {
        const rigidezNatural k = getRigidezNatural();
        for (Eigen::Index c = 0; c < nc; ++c) {
            long double f[12];
            fuerzasPorDeformacion(k, &r.desplazamientosGlobales(0, c), &r.desplazamientosGlobales(6, c), f);
            for (int i = 0; i < 12; ++i) r.fuerzasExtremos(i, c) = static_cast<double>(f[i] - equivalentes(i, c)) + 0.0;
        }
    }
    calcConstantesY();
    calcConstantesZ();

    // Ceros del corte y momentos extremos de cada combinación.
    for (Eigen::VectorXd* v : {&r.xVYcero, &r.xVZcero, &r.myMax, &r.mzMax}) v->setZero(nc);
    for (Eigen::Index c = 0; c < nc; ++c) {
        const int k = static_cast<int>(c);
        const double xy = r.xVYcero(c) = ceroDeCortante(k, true);
        const double xz = r.xVZcero(c) = ceroDeCortante(k, false);
        r.myMax(c) = r.pendienteY(c) * xy * xy * xy / 6 + r.qInicioY(c) * xy * xy / 2 + r.c1Y(c) * xy + r.c2Y(c);
        r.mzMax(c) = r.pendienteZ(c) * xz * xz * xz / 6 + r.qInicioZ(c) * xz * xz / 2 + r.c1Z(c) * xz + r.c2Z(c);
    }
    flagsBarra[kFlagResultados] = 1;
}

void objBarra3d::borrarResultados() {
    resultados = resultadosBarra();
    flagsBarra[kFlagResultados] = 0;
}

void objBarra3d::calcConstantesY() { calcConstantes(true); }
void objBarra3d::calcConstantesZ() { calcConstantes(false); }

void objBarra3d::calcConstantes(bool planoY) {
    resultadosBarra& r = resultados;
    const Eigen::Index nc = r.desplazamientosLocales.cols();
    Eigen::VectorXd& pendiente = planoY ? r.pendienteY : r.pendienteZ;
    Eigen::VectorXd& qInicio = planoY ? r.qInicioY : r.qInicioZ;
    Eigen::VectorXd& c1 = planoY ? r.c1Y : r.c1Z;
    Eigen::VectorXd& c2 = planoY ? r.c2Y : r.c2Z;
    Eigen::VectorXd& c3 = planoY ? r.c3Y : r.c3Z;
    Eigen::VectorXd& c4 = planoY ? r.c4Y : r.c4Z;
    for (Eigen::VectorXd* v : {&pendiente, &qInicio, &c1, &c2, &c3, &c4}) v->setZero(nc);
    if (nc == 0) return;

    const Eigen::MatrixXd& F = r.fuerzasExtremos;
    if (F.cols() != nc || matrizCargasCombo.rows() != nc) return;
    const Eigen::MatrixXd& uL = r.desplazamientosLocales;
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

namespace {
// Estaciones equiespaciadas con valores nulos (consultas sin resultados).
Eigen::MatrixXd estacionesEnCero(double L, int n) {
    Eigen::MatrixXd r = Eigen::MatrixXd::Zero(2, n);
    for (int i = 0; i < n; ++i) r(0, i) = L / (n - 1) * i;
    return r;
}
}  // namespace

Eigen::MatrixXd objBarra3d::getSolicitacionAxial(int c, int n) const {
    n = estacionesValidas(n);
    if (!hayResultado(c) || c >= matrizCargasCombo.rows()) return estacionesEnCero(longitud, n);
    const Eigen::MatrixXd& F = resultados.fuerzasExtremos;
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

Eigen::MatrixXd objBarra3d::getSolicitacionTorsion(int c, int n) const {
    n = estacionesValidas(n);
    if (!hayResultado(c)) return estacionesEnCero(longitud, n);
    const Eigen::MatrixXd& F = resultados.fuerzasExtremos;
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
    if (!hayResultado(c)) return estacionesEnCero(longitud, estacionesValidas(n));
    const resultadosBarra& r = resultados;
    return muestrear(longitud, estacionesValidas(n), r.pendienteY(c), r.qInicioY(c), r.c1Y(c), r.c2Y(c), Magnitud::Corte);
}

Eigen::MatrixXd objBarra3d::getSolicitacionMy(int c, int n) const {
    if (!hayResultado(c)) return estacionesEnCero(longitud, estacionesValidas(n));
    const resultadosBarra& r = resultados;
    return muestrear(longitud, estacionesValidas(n), r.pendienteY(c), r.qInicioY(c), r.c1Y(c), r.c2Y(c), Magnitud::Momento);
}

Eigen::MatrixXd objBarra3d::getSolicitacionVz(int c, int n) const {
    if (!hayResultado(c)) return estacionesEnCero(longitud, estacionesValidas(n));
    const resultadosBarra& r = resultados;
    return muestrear(longitud, estacionesValidas(n), r.pendienteZ(c), r.qInicioZ(c), r.c1Z(c), r.c2Z(c), Magnitud::Corte);
}

Eigen::MatrixXd objBarra3d::getSolicitacionMz(int c, int n) const {
    if (!hayResultado(c)) return estacionesEnCero(longitud, estacionesValidas(n));
    const resultadosBarra& r = resultados;
    return muestrear(longitud, estacionesValidas(n), r.pendienteZ(c), r.qInicioZ(c), r.c1Z(c), r.c2Z(c), Magnitud::Momento);
}

double objBarra3d::ceroDeCortante(int c, bool planoY) const {
    const resultadosBarra& r = resultados;
    const double s2 = (planoY ? r.pendienteY(c) : r.pendienteZ(c)) / 2;
    const double s1 = planoY ? r.qInicioY(c) : r.qInicioZ(c);
    const double s0 = planoY ? r.c1Y(c) : r.c1Z(c);
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
    double resultado = -1;
    if (r1 > 0 && r1 < longitud) resultado = r1;
    if (r2 > 0 && r2 < longitud) resultado = r2;
    return resultado;
}

namespace {
const char* const kSinConstantes = "El progama aun no calculó las constanes de integración";
}  // namespace

double objBarra3d::getXVYcero(int c) const {
    if (!tieneResultados()) {
        std::cout << kSinConstantes << "\n";
        return -1;
    }
    return hayResultado(c) ? resultados.xVYcero(c) : -1;
}

double objBarra3d::getXVZcero(int c) const {
    if (!tieneResultados()) {
        std::cout << kSinConstantes << "\n";
        return -1;
    }
    return hayResultado(c) ? resultados.xVZcero(c) : -1;
}

double objBarra3d::getMymax(int c) const {
    getXVYcero(c);
    return hayResultado(c) ? resultados.myMax(c) : 0.0;
}

double objBarra3d::getMzmax(int c) const {
    getXVZcero(c);
    return hayResultado(c) ? resultados.mzMax(c) : 0.0;
}

Eigen::MatrixXd objBarra3d::getBarraDeformada(int c, int n, double s) const {
    n = estacionesValidas(n);
    if (!hayResultado(c)) return Eigen::MatrixXd::Zero(3, n);
    const resultadosBarra& res = resultados;
    const double L = longitud;
    const double du = (res.desplazamientosLocales(6, c) - res.desplazamientosLocales(0, c)) * s;
    const double EIz = modE * iz, EIy = modE * iy;
    const Eigen::MatrixXd& uL = res.desplazamientosLocales;
    // Una barra sin rigidez a flexión (sin sección o sin material) no tiene
    // elástica: se dibuja recta entre sus extremos desplazados.
    auto recta = [&](double x, int fila0, int filaL) { return uL(fila0, c) + (uL(filaL, c) - uL(fila0, c)) * x / L; };
    auto v = [&](double x) {
        return EIz != 0.0 ? flecha(x, res.pendienteY(c), res.qInicioY(c), res.c1Y(c), res.c2Y(c), res.c3Y(c), res.c4Y(c), EIz)
                          : recta(x, 1, 7);
    };
    auto w = [&](double x) {
        return EIy != 0.0 ? flecha(x, res.pendienteZ(c), res.qInicioZ(c), res.c1Z(c), res.c2Z(c), res.c3Z(c), res.c4Z(c), EIy)
                          : recta(x, 2, 8);
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
