#include "reporte/formatoNumeros.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Potencias de diez exactas hasta donde el double las representa y, más allá,
// redondeadas al double más cercano (strtod redondea bien).
constexpr int kPotenciaMaxima = 300;
struct tablaPotencias {
    double valor[2 * kPotenciaMaxima + 1];
    tablaPotencias() {
        for (int k = -kPotenciaMaxima; k <= kPotenciaMaxima; ++k) {
            char texto[16];
            std::snprintf(texto, sizeof texto, "1e%d", k);
            valor[k + kPotenciaMaxima] = std::strtod(texto, nullptr);
        }
    }
};
const tablaPotencias kPotencias;
inline double diezA(int k) { return kPotencias.valor[k + kPotenciaMaxima]; }

char* conPrintf(char* p, double v, int cifras) {
    const int n = std::snprintf(p, kMaxCaracteresNumero, "%.*g", cifras, v);
    return p + (n > 0 ? n : 0);
}

char* exponente(char* p, int e) {
    *p++ = 'e';
    *p++ = e < 0 ? '-' : '+';
    if (e < 0) e = -e;
    if (e >= 100) *p++ = static_cast<char>('0' + e / 100);
    *p++ = static_cast<char>('0' + e / 10 % 10);
    *p++ = static_cast<char>('0' + e % 10);
    return p;
}

}  // namespace

char* escribirGeneral6(char* p, double v) {
    if (v == 0.0) {
        if (std::signbit(v)) *p++ = '-';
        *p++ = '0';
        return p;
    }
    const double a = std::fabs(v);
    // Fuera de este rango (y para nan e inf) la tabla de potencias no alcanza.
    if (!(a >= 1e-280 && a <= 1e280)) return conPrintf(p, v, 6);

    // Exponente decimal X y las seis cifras: s = a·10^(5−X) en [1e5, 1e6). El
    // producto lleva a lo sumo dos redondeos (unos 5e-10 en s), así que el
    // entero más cercano es seguro salvo que s caiga casi en la mitad entre dos
    // enteros: ahí decide printf, que trabaja con el valor binario exacto.
    int e2 = 0;
    std::frexp(a, &e2);
    int x = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120));
    double s = a * diezA(5 - x);
    if (s >= 1e6) s = a * diezA(5 - ++x);
    else if (s < 1e5) s = a * diezA(5 - --x);
    if (!(s >= 1e5 && s < 1e6)) return conPrintf(p, v, 6);
    const double entero = std::floor(s);
    const double fraccion = s - entero;
    if (std::fabs(fraccion - 0.5) < 1e-6) return conPrintf(p, v, 6);
    long n = static_cast<long>(entero) + (fraccion > 0.5 ? 1 : 0);
    if (n == 1000000) {
        n = 100000;
        ++x;
    }

    char cifras[6];
    for (int i = 5; i >= 0; --i, n /= 10) cifras[i] = static_cast<char>('0' + n % 10);
    int usadas = 6;  // sin los ceros finales
    while (usadas > 1 && cifras[usadas - 1] == '0') --usadas;

    if (v < 0) *p++ = '-';
    if (x < -4 || x >= 6) {
        *p++ = cifras[0];
        if (usadas > 1) {
            *p++ = '.';
            for (int i = 1; i < usadas; ++i) *p++ = cifras[i];
        }
        return exponente(p, x);
    }
    if (x >= 0) {
        for (int i = 0; i <= x; ++i) *p++ = cifras[i];
        if (usadas > x + 1) {
            *p++ = '.';
            for (int i = x + 1; i < usadas; ++i) *p++ = cifras[i];
        }
        return p;
    }
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > x; --i) *p++ = '0';
    for (int i = 0; i < usadas; ++i) *p++ = cifras[i];
    return p;
}

char* escribirGeneral17(char* p, double v) {
    return std::to_chars(p, p + kMaxCaracteresNumero, v, std::chars_format::general, 17).ptr;
}

char* escribirEntero(char* p, long long v) { return std::to_chars(p, p + kMaxCaracteresNumero, v).ptr; }
