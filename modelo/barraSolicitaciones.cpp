// Fuerzas de extremo, constantes de integración y funciones cerradas de
// solicitaciones a lo largo de la barra (axial, cortes, momentos, torsión) y
// su elástica, para unos desplazamientos de sus nudos.
#include "modelo/objBarra3d.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "modelo/extremosSolicitaciones.h"

namespace {

// Las condiciones de borde de un plano: momento en 0 y en L, flecha en 0 y en
// L, en función de c1..c4 (la matriz depende sólo del largo).
Eigen::FullPivLU<Eigen::Matrix4d> bordes(double L) {
    Eigen::Matrix4d A;
    A << 0, 1, 0, 0,
         L, 1, 0, 0,
         0, 0, 0, 1,
         L * L * L / 6, L * L / 2, L, 1;
    return Eigen::FullPivLU<Eigen::Matrix4d>(A);
}

// Constantes c1..c4 de un plano: el momento vale m0 y mL en los extremos y
// la flecha (por E·I) f0 y fL, con la carga de tramo del plano ya puesta.
void constantesDelPlano(planoSolicitaciones& p, const Eigen::FullPivLU<Eigen::Matrix4d>& lu, double L, double EI,
                        double m0, double mL, double f0, double fL) {
    const double a1 = p.pendiente, a0 = p.qInicio;
    // La curvatura térmica ya da su parte de la flecha en L.
    if (p.curvaturaTermica != 0.0) fL -= p.curvaturaTermica * L * L / 2;
    Eigen::Vector4d rhs;
    rhs << m0,
           mL - a1 * L * L * L / 6 - a0 * L * L / 2,
           EI * f0,
           EI * fL - a1 * std::pow(L, 5) / 120 - a0 * std::pow(L, 4) / 24;
    const Eigen::Vector4d sol = lu.solve(rhs);
    p.c1 = sol(0);
    p.c2 = sol(1);
    p.c3 = sol(2);
    p.c4 = sol(3);
    // El corte, −flexibilidadCorte·M, da su parte de la flecha en los dos
    // extremos: la recta que la compensa va en c3 y c4 (c1 y c2, los del
    // momento, no cambian).
    if (p.flexibilidadCorte != 0.0) {
        p.c4 += EI * p.flexibilidadCorte * m0;
        p.c3 += EI * p.flexibilidadCorte * (mL - m0) / L;
    }
}

// Donde el corte pendiente·x²/2 + qInicio·x + c1 se anula dentro de la barra
// (-1 si no se anula o es constante); de dos ceros dentro, el segundo.
double ceroDeCortante(const planoSolicitaciones& p, double L) {
    const double s2 = p.pendiente / 2, s1 = p.qInicio, s0 = p.c1;
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
    if (r1 > 0 && r1 < L) resultado = r1;
    if (r2 > 0 && r2 < L) resultado = r2;
    return resultado;
}

double flecha(double x, const planoSolicitaciones& p, double EI) {
    double v = (p.pendiente * std::pow(x, 5) / 120 + p.qInicio * std::pow(x, 4) / 24 + p.c1 * x * x * x / 6 +
                p.c2 * x * x / 2 + p.c3 * x + p.c4) / EI;
    if (p.curvaturaTermica != 0.0) v += p.curvaturaTermica * x * x / 2;
    if (p.flexibilidadCorte != 0.0)
        v -= p.flexibilidadCorte * (p.pendiente * x * x * x / 6 + p.qInicio * x * x / 2 + p.c1 * x + p.c2);
    return v;
}

// f/(G·A) de una sección con deformación por corte; 0 sin ella (o sin
// área o módulo de corte con que calcularla).
double flexibilidadCorte(const objBarra3d& b) {
    const double ga = b.getModG() * b.getArea();
    const double s = b.getFactorDeForma() != 0.0 && ga != 0.0 ? b.getFactorDeForma() / ga : 0.0;
    return std::isfinite(s) ? s : 0.0;
}

// Las constantes de la elástica de cada plano a partir de los momentos y las
// flechas de extremo de s (en la convención de cada plano).
void constantesDeLosPlanos(const objBarra3d& b, solicitacionesBarra& s, const Eigen::FullPivLU<Eigen::Matrix4d>& lu,
                           double L) {
    constantesDelPlano(s.planoY, lu, L, b.getModE() * b.getIz(), -s.fuerzas[5], s.fuerzas[11], s.desplazamientos[1],
                       s.desplazamientos[7]);
    constantesDelPlano(s.planoZ, lu, L, b.getModE() * b.getIy(), s.fuerzas[4], -s.fuerzas[10], s.desplazamientos[2],
                       s.desplazamientos[8]);
}

// Con las funciones de cada plano ya cerradas: dónde se anula el corte y los
// extremos de cada solicitación.
void cerrarExtremos(const objBarra3d& b, solicitacionesBarra& s, double L) {
    s.planoY.xCorteNulo = ceroDeCortante(s.planoY, L);
    s.planoZ.xCorteNulo = ceroDeCortante(s.planoZ, L);
    calcularExtremos(b, s);
}

}  // namespace

std::vector<solicitacionesBarra> objBarra3d::calcularSolicitaciones(const Eigen::MatrixXd& globales,
                                                                    const double* axiales,
                                                                    const std::vector<char>& inactiva) const {
    const Eigen::Index nc = globales.cols();
    std::vector<solicitacionesBarra> r(static_cast<size_t>(nc));
    if (nc == 0 || globales.rows() != 12) return r;
    const Eigen::MatrixXd locales = aLocales(globales);
    const bool algunaInactiva = std::find(inactiva.begin(), inactiva.end(), 1) != inactiva.end();
    const Eigen::MatrixXd equivalentes = calcularCargasEquivalentesLocales();
    const Eigen::MatrixXd equivalentesInactiva =
        algunaInactiva ? getCargasEquivalentesInactivaLocales() : Eigen::MatrixXd();
    const Eigen::MatrixXd& cargas = getMatrizCargasCombo();
    const Eigen::MatrixXd& termica = getMatrizTermicaCombo();
    const bool conCargas = equivalentes.cols() == nc && cargas.rows() == nc;
    const rigidezNatural kActiva = getRigidezNatural(), kInactiva;
    const double L = getLongitud(), corte = flexibilidadCorte(*this);
    const Eigen::FullPivLU<Eigen::Matrix4d> lu = bordes(L);
    for (Eigen::Index c = 0; c < nc; ++c) {
        solicitacionesBarra& s = r[static_cast<size_t>(c)];
        for (int i = 0; i < 12; ++i) s.desplazamientos[i] = locales(i, c);
        // Fuerzas de extremo: las de la deformación de la barra menos las
        // cargas equivalentes de su tramo, con un solo redondeo.
        if (conCargas) {
            const bool activa = static_cast<size_t>(c) >= inactiva.size() || inactiva[static_cast<size_t>(c)] == 0;
            const Eigen::MatrixXd& e = activa ? equivalentes : equivalentesInactiva;
            long double f[12];
            fuerzasPorDeformacion(activa ? kActiva : kInactiva, &globales(0, c), &globales(6, c), f);
            const double axial = activa && axiales != nullptr ? axiales[c] : 0.0;
            if (axial != 0.0) {
                // Segundo orden: (K + Kg)·u en ejes locales.
                const Eigen::Matrix<double, 12, 1> fg = getKgLocal(axial) * locales.col(c);
                for (int i = 0; i < 12; ++i) f[i] += fg(i);
                s.axialSegundoOrden = axial;
            }
            for (int i = 0; i < 12; ++i) s.fuerzas[i] = static_cast<double>(f[i] - e(i, c)) + 0.0;
            if (c < termica.rows()) {
                s.planoY.curvaturaTermica = -termica(c, 1);
                s.planoZ.curvaturaTermica = -termica(c, 2);
            }
            s.planoY.flexibilidadCorte = s.planoZ.flexibilidadCorte = corte;
            s.cargaAxialInicio = cargas(c, 0);
            s.cargaAxialFin = cargas(c, 1);
            s.planoY.qInicio = cargas(c, 2);
            s.planoY.pendiente = (cargas(c, 3) - cargas(c, 2)) / L;
            s.planoZ.qInicio = cargas(c, 4);
            s.planoZ.pendiente = (cargas(c, 5) - cargas(c, 4)) / L;
            constantesDeLosPlanos(*this, s, lu, L);
        }
        cerrarExtremos(*this, s, L);
    }
    return r;
}

solicitacionesBarra objBarra3d::solicitacionesSinCarga(const double* u1, const double* u2) const {
    solicitacionesBarra s;
    long double f[12];
    fuerzasPorDeformacion(getRigidezNatural(), u1, u2, f);
    for (int i = 0; i < 12; ++i) s.fuerzas[i] = static_cast<double>(f[i]) + 0.0;
    // Desplazamientos de los extremos en ejes locales (las filas de R son los ejes locales).
    const Eigen::Matrix3d& R = geometria().rotacion;
    for (int b = 0; b < 4; ++b) {
        const double* u = b < 2 ? u1 + 3 * b : u2 + 3 * (b - 2);
        const Eigen::Vector3d l = R * Eigen::Map<const Eigen::Vector3d>(u);
        for (int i = 0; i < 3; ++i) s.desplazamientos[3 * b + i] = l(i);
    }
    const double L = getLongitud();
    const Eigen::FullPivLU<Eigen::Matrix4d> lu = bordes(L);
    s.planoY.flexibilidadCorte = s.planoZ.flexibilidadCorte = flexibilidadCorte(*this);
    constantesDeLosPlanos(*this, s, lu, L);
    cerrarExtremos(*this, s, L);
    return s;
}

double objBarra3d::valorSolicitacion(const solicitacionesBarra& r, int s, double x) const {
    const double L = getLongitud();
    switch (s) {
        case kSolicitacionN: {
            const double fx1 = r.cargaAxialInicio, fx2 = r.cargaAxialFin;
            return -r.fuerzas[0] - fx1 * x - (fx2 - fx1) * x * x / (2 * L);
        }
        case kSolicitacionT: {
            const double T0 = -r.fuerzas[3], T1 = r.fuerzas[9];
            return T0 + (T1 - T0) * x / L;
        }
        case kSolicitacionVy:
        case kSolicitacionVz: {
            const planoSolicitaciones& p = s == kSolicitacionVy ? r.planoY : r.planoZ;
            const double v = p.pendiente * x * x / 2 + p.qInicio * x + p.c1;
            if (r.axialSegundoOrden == 0.0) return v;
            const int fila = s == kSolicitacionVy ? 1 : 2;
            return v - r.axialSegundoOrden * (r.desplazamientos[fila + 6] - r.desplazamientos[fila]) / L;
        }
        case kSolicitacionMy:
        case kSolicitacionMz: {
            const planoSolicitaciones& p = s == kSolicitacionMy ? r.planoY : r.planoZ;
            const double m = p.pendiente * x * x * x / 6 + p.qInicio * x * x / 2 + p.c1 * x + p.c2;
            if (r.axialSegundoOrden == 0.0) return m;
            const int fila = s == kSolicitacionMy ? 1 : 2;
            const double EI = modE * (s == kSolicitacionMy ? iz : iy);
            if (EI == 0.0 || x <= 0 || x >= L) return m;
            const double v0 = r.desplazamientos[fila], vL = r.desplazamientos[fila + 6];
            return m + r.axialSegundoOrden * (flecha(x, p, EI) - v0 - (vL - v0) * x / L);
        }
        default: return 0.0;
    }
}

Eigen::MatrixXd objBarra3d::deformada(const solicitacionesBarra& r, int n, double escala) const {
    if (n < 2) n = 2;
    const double L = getLongitud();
    const double* uL = r.desplazamientos;
    const double du = (uL[6] - uL[0]) * escala;
    const double EIz = modE * iz, EIy = modE * iy;
    // Una barra sin rigidez a flexión (sin sección o sin material) no tiene
    // elástica: se dibuja recta entre sus extremos desplazados.
    auto recta = [&](double x, int fila0, int filaL) { return uL[fila0] + (uL[filaL] - uL[fila0]) * x / L; };
    auto v = [&](double x) { return EIz != 0.0 ? flecha(x, r.planoY, EIz) : recta(x, 1, 7); };
    auto w = [&](double x) { return EIy != 0.0 ? flecha(x, r.planoZ, EIy) : recta(x, 2, 8); };
    const double v0 = v(0), w0 = w(0);
    Eigen::MatrixXd d(3, n);
    for (int i = 0; i < n; ++i) {
        const double x = L / (n - 1) * i;
        d(0, i) = x + i * du / (n - 1);
        d(1, i) = (v(x) - v0) * escala;
        d(2, i) = (w(x) - w0) * escala;
    }
    return d;
}

std::array<objBarra3d::polinomioElastica, 3> objBarra3d::polinomiosElastica(const solicitacionesBarra& r) const {
    std::array<polinomioElastica, 3> p{};
    const double L = getLongitud();
    const double* u = r.desplazamientos;
    // El axial, y sin rigidez a flexión las flechas, rectas entre los extremos.
    for (int k = 0; k < 3; ++k) {
        p[static_cast<size_t>(k)][0] = u[k];
        p[static_cast<size_t>(k)][1] = L != 0.0 ? (u[k + 6] - u[k]) / L : 0.0;
    }
    // Las flechas: los términos de flecha() ordenados por potencias de x.
    const auto plano = [&](const planoSolicitaciones& q, double EI, polinomioElastica& c) {
        if (EI == 0.0) return;
        const double s = q.flexibilidadCorte;
        c[0] = q.c4 / EI - s * q.c2;
        c[1] = q.c3 / EI - s * q.c1;
        c[2] = q.c2 / (2 * EI) + q.curvaturaTermica / 2 - s * q.qInicio / 2;
        c[3] = q.c1 / (6 * EI) - s * q.pendiente / 6;
        c[4] = q.qInicio / (24 * EI);
        c[5] = q.pendiente / (120 * EI);
    };
    plano(r.planoY, modE * iz, p[1]);
    plano(r.planoZ, modE * iy, p[2]);
    return p;
}
