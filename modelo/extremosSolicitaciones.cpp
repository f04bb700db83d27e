#include "modelo/extremosSolicitaciones.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "modelo/objBarra3d.h"

namespace {

// Polinomio de grado 3 a lo sumo: c[0] + c[1]·x + c[2]·x² + c[3]·x³.
struct polinomio {
    double c[4] = {0, 0, 0, 0};
    double operator()(double x) const { return ((c[3] * x + c[2]) * x + c[1]) * x + c[0]; }
};

// A lo sumo dos puntos interiores candidatos, en orden creciente.
struct candidatos {
    double x[2] = {0, 0};
    int n = 0;
    void agregar(double v) { x[n++] = v; }
};

// Ceros de a·x² + b·x + d (sin los complejos), con la fórmula que no pierde
// cifras cuando b² domina a 4·a·d.
candidatos ceros(double a, double b, double d) {
    candidatos r;
    if (a == 0) {
        if (b != 0) r.agregar(-d / b);
        return r;
    }
    const double disc = b * b - 4 * a * d;
    if (!(disc >= 0)) return r;
    const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
    r.agregar(q / a);
    if (q != 0) r.agregar(d / q);
    return r;
}

// Un valor que supera al extremo hallado en no más que la tolerancia de
// empate no lo reemplaza: manda la menor x (un nan, siempre).
bool mayorQue(double v, double extremo, double tolerancia) { return v > extremo + tolerancia || std::isnan(v); }
bool menorQue(double v, double extremo, double tolerancia) { return v < extremo - tolerancia || std::isnan(v); }

// Extremos entre los valores de los dos extremos de la barra (los que da el
// diagrama) y los de los puntos interiores candidatos.
extremoSolicitacion extremos(double L, double inicio, double fin, const polinomio& f, candidatos interiores,
                             double tolerancia) {
    std::pair<double, double> puntos[4] = {{0.0, inicio}};
    int n = 1;
    if (interiores.n == 2 && interiores.x[1] < interiores.x[0]) std::swap(interiores.x[0], interiores.x[1]);
    for (int i = 0; i < interiores.n; ++i) {
        const double x = interiores.x[i];
        if (x > 0 && x < L) puntos[n++] = {x, f(x)};
    }
    puntos[n++] = {L, fin};
    extremoSolicitacion e;
    e.xMaximo = e.xMinimo = 0;
    e.maximo = e.minimo = inicio;
    for (int i = 0; i < n; ++i) {
        const auto [x, v] = puntos[i];
        if (std::isnan(e.maximo)) break;
        if (mayorQue(v, e.maximo, tolerancia)) e.maximo = v, e.xMaximo = x;
        if (menorQue(v, e.minimo, tolerancia)) e.minimo = v, e.xMinimo = x;
    }
    return e;
}

// Polinomio de grado 5 a lo sumo (el momento de segundo orden: el de la
// barra recta más N por la flecha respecto de la cuerda).
struct polinomio5 {
    double c[6] = {0, 0, 0, 0, 0, 0};
    int grado = 5;
    double operator()(double x) const {
        double v = 0;
        for (int i = grado; i >= 0; --i) v = v * x + c[i];
        return v;
    }
    polinomio5 derivada() const {
        polinomio5 d;
        d.grado = std::max(0, grado - 1);
        for (int i = 1; i <= grado; ++i) d.c[i - 1] = i * c[i];
        return d;
    }
};

// Ceros de p en (a, b), en orden creciente: entre dos ceros consecutivos de
// la derivada p es monótono y tiene a lo sumo un cero, que se encierra por
// bisección. Sin memoria dinámica: a lo sumo cinco ceros.
int cerosEnIntervalo(const polinomio5& p, double a, double b, double* ceros) {
    if (p.grado <= 0) return 0;
    double puntos[7];
    int n = 0;
    puntos[n++] = a;
    if (p.grado >= 2) n += cerosEnIntervalo(p.derivada(), a, b, puntos + 1);
    puntos[n++] = b;
    int k = 0;
    for (int i = 0; i + 1 < n; ++i) {
        double lo = puntos[i], hi = puntos[i + 1];
        double flo = p(lo), fhi = p(hi);
        if (i > 0 && flo == 0.0) {
            ceros[k++] = lo;
            continue;
        }
        if (!(flo * fhi < 0)) continue;
        for (int paso = 0; paso < 200 && hi - lo > 0; ++paso) {
            const double medio = 0.5 * (lo + hi);
            if (medio <= lo || medio >= hi) break;
            const double fm = p(medio);
            if ((fm < 0) == (flo < 0)) lo = medio, flo = fm;
            else hi = medio;
        }
        ceros[k++] = 0.5 * (lo + hi);
    }
    return k;
}

// Extremos de un polinomio de grado 5 en [0, L] con sus valores de extremo dados.
extremoSolicitacion extremos5(double L, double inicio, double fin, const polinomio5& f, double tolerancia) {
    double interiores[6];
    const int n = cerosEnIntervalo(f.derivada(), 0.0, L, interiores);
    extremoSolicitacion e;
    e.maximo = e.minimo = inicio;
    const auto mirar = [&](double x, double v) {
        if (std::isnan(e.maximo)) return;
        if (mayorQue(v, e.maximo, tolerancia)) e.maximo = v, e.xMaximo = x;
        if (menorQue(v, e.minimo, tolerancia)) e.minimo = v, e.xMinimo = x;
    };
    for (int i = 0; i < n; ++i)
        if (interiores[i] > 0 && interiores[i] < L) mirar(interiores[i], f(interiores[i]));
    mirar(L, fin);
    return e;
}

}  // namespace

extremoSolicitacion extremosPolinomio(const double c[6], double L, double tolerancia) {
    polinomio5 p;
    for (int i = 0; i < 6; ++i) p.c[i] = c[i];
    while (p.grado > 0 && p.c[p.grado] == 0.0) --p.grado;
    return extremos5(L, p(0.0), p(L), p, tolerancia);
}

void calcularExtremos(const objBarra3d& b, solicitacionesBarra& s, const double* tolerancias) {
    const double L = b.getLongitud();
    const auto tol = [&](int k) { return tolerancias ? tolerancias[k] : 0.0; };
    const auto valor = [&](int k, double x) { return b.valorSolicitacion(s, k, x); };
    extremoSolicitacion* r = s.extremos;

    // N(x) = N(0) − fx1·x − (fx2 − fx1)·x²/(2L): extremo donde la carga axial se anula.
    polinomio n;
    n.c[0] = valor(kSolicitacionN, 0.0);
    n.c[1] = -s.cargaAxialInicio;
    n.c[2] = -(s.cargaAxialFin - s.cargaAxialInicio) / (2 * L);
    r[kSolicitacionN] =
        extremos(L, n.c[0], valor(kSolicitacionN, L), n, ceros(0, 2 * n.c[2], n.c[1]), tol(kSolicitacionN));

    // Torsión lineal entre sus valores de extremo.
    r[kSolicitacionT] = extremos(L, valor(kSolicitacionT, 0.0), valor(kSolicitacionT, L), polinomio{}, candidatos{},
                                 tol(kSolicitacionT));

    // En cada plano, con la carga q(x) = q1 + (q2 − q1)·x/L: V(x) = V(0) + ∫q y
    // M(x) = M(0) + ∫V; V es extremo donde q se anula y M donde V se anula.
    for (const bool planoY : {true, false}) {
        const planoSolicitaciones& p = planoY ? s.planoY : s.planoZ;
        const int corte = planoY ? kSolicitacionVy : kSolicitacionVz;
        const int momento = planoY ? kSolicitacionMy : kSolicitacionMz;
        const double pendiente = p.pendiente, q1 = p.qInicio;
        polinomio v, m;
        v.c[0] = valor(corte, 0.0);
        // (En segundo orden el corte lleva −N·ρ; la pendiente del momento, no.)
        v.c[1] = q1;
        v.c[2] = pendiente / 2;
        m.c[0] = valor(momento, 0.0);
        m.c[1] = s.axialSegundoOrden == 0.0 ? v.c[0] : p.c1;
        m.c[2] = q1 / 2;
        m.c[3] = pendiente / 6;
        r[corte] = extremos(L, v.c[0], valor(corte, L), v, ceros(0, pendiente, q1), tol(corte));
        if (s.axialSegundoOrden == 0.0) {
            r[momento] = extremos(L, m.c[0], valor(momento, L), m, ceros(v.c[2], v.c[1], v.c[0]), tol(momento));
            continue;
        }
        // Segundo orden: M(x) + N·δ(x), con E·I·flecha(x) de planoSolicitaciones
        // y δ la flecha menos la cuerda entre los extremos. La curvatura térmica
        // y el corte son parte de la flecha: un gradiente en una barra comprimida
        // suma N·curvatura·x²/2 al momento aunque la barra recta no tenga
        // ninguno, y el corte −N·flexibilidadCorte·M(x) (su constante, como la
        // de la flecha, se anula con la cuerda).
        const double EI = b.getModE() * (planoY ? b.getIz() : b.getIy());
        const double N = EI != 0.0 ? s.axialSegundoOrden / EI : 0.0;
        const double termica = EI != 0.0 ? s.axialSegundoOrden * p.curvaturaTermica : 0.0;
        const double corteN = EI != 0.0 ? s.axialSegundoOrden * p.flexibilidadCorte : 0.0;
        const int fila = planoY ? 1 : 2;
        const double rho = (s.desplazamientos[fila + 6] - s.desplazamientos[fila]) / L;
        polinomio5 m5;
        m5.c[5] = N * pendiente / 120;
        m5.c[4] = N * q1 / 24;
        m5.c[3] = pendiente / 6 + N * p.c1 / 6 - corteN * pendiente / 6;
        m5.c[2] = q1 / 2 + N * p.c2 / 2 + termica / 2 - corteN * q1 / 2;
        m5.c[1] = p.c1 + N * p.c3 - s.axialSegundoOrden * rho - corteN * p.c1;
        m5.c[0] = m.c[0];
        r[momento] = extremos5(L, m.c[0], valor(momento, L), m5, tol(momento));
        // El momento extremo ya no está donde se anula el corte de la barra
        // recta: el rótulo va al extremo interior de mayor valor.
        const extremoSolicitacion& e = r[momento];
        double x = -1, mayor = -1;
        for (const auto& [xe, v] : {std::pair<double, double>{e.xMaximo, e.maximo}, {e.xMinimo, e.minimo}})
            if (xe > 0 && xe < L && std::fabs(v) > mayor) x = xe, mayor = std::fabs(v);
        (planoY ? s.planoY : s.planoZ).xCorteNulo = x;
    }
}
