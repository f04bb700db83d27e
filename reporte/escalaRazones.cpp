#include "reporte/escalaRazones.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// Los tres colores de la escala: razón 0, 0.5 y 1. Entre ellos, lineal en
// cada componente; rojo menos azul crece en todo el recorrido.
constexpr colorRazon kCero = {0.13f, 0.40f, 0.67f};   // #2166ab
constexpr colorRazon kMedio = {0.94f, 0.75f, 0.38f};  // #f0bf61
constexpr colorRazon kUno = {0.84f, 0.10f, 0.11f};    // #d61a1c
}  // namespace

colorRazon colorDeRazon(double razon) {
    if (!(razon <= 1.0)) return kColorRazonExcedida;  // también NaN
    const double t = std::max(0.0, razon);
    const colorRazon& a = t <= 0.5 ? kCero : kMedio;
    const colorRazon& b = t <= 0.5 ? kMedio : kUno;
    const double u = t <= 0.5 ? t / 0.5 : (t - 0.5) / 0.5;
    colorRazon c{};
    for (std::size_t k = 0; k < 3; ++k) c[k] = static_cast<float>(a[k] + (b[k] - a[k]) * u);
    return c;
}

std::string colorHex(const colorRazon& c) {
    char t[8];
    const auto byte = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    std::snprintf(t, sizeof t, "#%02x%02x%02x", byte(c[0]), byte(c[1]), byte(c[2]));
    return t;
}

std::unordered_map<int, const miembroVerificado*> miembrosConRazon(const resultadosAcero& r) {
    std::unordered_map<int, const miembroVerificado*> m;
    if (!r.pedida) return m;
    for (const miembroVerificado& v : r.miembros)
        if (v.peor() != nullptr)
            for (int b : v.barras) m[b] = &v;
    return m;
}

const miembroVerificado* miembroConRazon(const resultadosAcero& r, int numeroBarra) {
    if (!r.pedida) return nullptr;
    for (const miembroVerificado& v : r.miembros)
        if (v.peor() != nullptr && std::find(v.barras.begin(), v.barras.end(), numeroBarra) != v.barras.end())
            return &v;
    return nullptr;
}

bool hayRazones(const resultadosAcero& r) {
    if (!r.pedida) return false;
    for (const miembroVerificado& v : r.miembros)
        if (v.peor() != nullptr) return true;
    return false;
}

std::string lineaLeyendaAcero(const resultadosAcero& r) {
    const miembroVerificado* mayor = nullptr;
    int noCumplen = 0;
    for (const miembroVerificado& v : r.miembros) {
        if (v.peor() == nullptr) continue;
        if (!v.cumple()) ++noCumplen;
        if (mayor == nullptr || v.peor()->razon > mayor->peor()->razon) mayor = &v;
    }
    if (mayor == nullptr) return "Razón de demanda a capacidad (acero): sin miembros verificados";
    char t[64];
    std::snprintf(t, sizeof t, "%.3f", mayor->peor()->razon);
    return "Razón de demanda a capacidad (acero): mayor " + std::string(t) + " (miembro " + mayor->nombre + "), " +
           std::to_string(noCumplen) + (noCumplen == 1 ? " no cumple" : " no cumplen");
}
