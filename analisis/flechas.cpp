#include "analisis/flechas.h"

#include <algorithm>
#include <cmath>

#include "globales.h"
#include "modelo/limiteFlecha.h"

namespace {

// Estaciones con que se busca el tramo de la mayor flecha; dentro de él, la
// sección áurea la afina hasta el redondeo de x.
constexpr int kEstaciones = 64;
constexpr int kPasosAureos = 80;

double valor(const objBarra3d::polinomioElastica& p, double x) {
    double v = 0;
    for (int k = 5; k >= 0; --k) v = v * x + p[static_cast<size_t>(k)];
    return v;
}

}  // namespace

flechaMaxima flechaRespectoDeLaCuerda(const objBarra3d& b, const solicitacionesBarra& r) {
    const double L = b.getLongitud();
    flechaMaxima m;
    if (!(L > 0)) return m;
    const auto p = b.polinomiosElastica(r);
    const double y0 = valor(p[1], 0), yL = valor(p[1], L), z0 = valor(p[2], 0), zL = valor(p[2], L);
    // La flecha de los dos planos menos la cuerda (lineal entre los extremos).
    const auto distancia = [&](double x) {
        const double t = x / L;
        const double dy = valor(p[1], x) - (y0 + t * (yL - y0)), dz = valor(p[2], x) - (z0 + t * (zL - z0));
        return std::hypot(dy, dz);
    };
    int mejor = 0;
    double mayor = -1;
    for (int i = 0; i <= kEstaciones; ++i) {
        const double d = distancia(L * i / kEstaciones);
        if (d > mayor) mayor = d, mejor = i;
    }
    // Sección áurea en el tramo de las dos estaciones vecinas (la flecha es
    // suave: un polinomio de grado 5 en cada plano).
    double a = L * std::max(0, mejor - 1) / kEstaciones, c = L * std::min(kEstaciones, mejor + 1) / kEstaciones;
    const double g = 0.5 * (std::sqrt(5.0) - 1);
    double x1 = c - g * (c - a), x2 = a + g * (c - a), f1 = distancia(x1), f2 = distancia(x2);
    for (int k = 0; k < kPasosAureos && c - a > 1e-15 * L; ++k) {
        if (f1 > f2) {
            c = x2, x2 = x1, f2 = f1, x1 = c - g * (c - a), f1 = distancia(x1);
        } else {
            a = x1, x1 = x2, f1 = f2, x2 = a + g * (c - a), f2 = distancia(x2);
        }
    }
    const double x = 0.5 * (a + c), d = distancia(x);
    m.flecha = mayor, m.x = L * mejor / kEstaciones;
    if (d > mayor) m.flecha = d, m.x = x;
    return m;
}

void verificarFlechas(resultadosAnalisis& r) {
    r.flechas.clear();
    for (size_t k = 0; k < limitesFlecha.size(); ++k) {
        const limiteFlecha& l = limitesFlecha[k];
        for (size_t c = 0; c < r.casos.size(); ++c) {
            const casoResultado& caso = r.casos[c];
            // Las combinaciones sin sismo (también las de segundo orden) que el registro nombra.
            if (caso.tipo != tipoCaso::combinacion && caso.tipo != tipoCaso::segundoOrden) continue;
            if (caso.tipo == tipoCaso::segundoOrden && caso.segundoOrden.inestable) continue;
            if (!l.combos.empty() && std::find(l.combos.begin(), l.combos.end(), caso.combo) == l.combos.end())
                continue;
            for (int ib : l.barras) {
                if (ib < 0 || static_cast<size_t>(ib) >= caso.barras.size()) continue;
                const objBarra3d& b = barra[static_cast<size_t>(ib)];
                verificacionFlecha v;
                v.registro = static_cast<int>(k);
                v.caso = static_cast<int>(c);
                v.barra = ib;
                v.largo = b.getLongitud();
                const flechaMaxima f = flechaRespectoDeLaCuerda(b, caso.barras[static_cast<size_t>(ib)]);
                // Sin el ruido del redondeo de las traslaciones del caso.
                v.flecha = sinRuido(f.flecha, caso.escalas.traslaciones);
                v.x = v.flecha > 0 ? f.x : 0.0;
                v.limite = v.largo / l.divisor;
                v.razon = v.limite > 0 ? v.flecha / v.limite : 0.0;
                v.cumple = v.flecha <= v.limite;
                r.flechas.push_back(v);
            }
        }
    }
}
