#include "visor/capas/detalleBarras.h"

#include <algorithm>
#include <cmath>

#include "analisis/casosResultado.h"
#include "modelo/objBarra3d.h"

namespace {
std::vector<double> largosEnPantalla(double pixelesPorUnidad, const std::vector<const objBarra3d*>& barras) {
    std::vector<double> largos;
    largos.reserve(barras.size());
    for (const objBarra3d* b : barras) largos.push_back(b->getLongitud() * pixelesPorUnidad);
    return largos;
}
}  // namespace

DetalleBarras::DetalleBarras(int tramos, double minimoPixeles, std::size_t presupuesto,
                             const std::vector<double>& largosPixeles)
    : tramos_(std::max(tramos, 1)), minimo_(minimoPixeles), separacion_(minimoPixeles) {
    if (largosPixeles.empty()) return;
    double mayor = 0.0;
    for (double l : largosPixeles) {
        if (!(l > 0.0) || !std::isfinite(l)) return;  // sin zoom conocido: detalle completo
        mayor = std::max(mayor, l);
    }
    // Media octava por vuelta (desde un píxel si no había separación mínima):
    // pasada la barra más larga ninguna dibuja estaciones.
    while (estacionesCon(separacion_, largosPixeles) > presupuesto && separacion_ <= mayor)
        separacion_ = separacion_ > 0.0 ? separacion_ * std::sqrt(2.0) : 1.0;
}

DetalleBarras::DetalleBarras(int tramos, double minimoPixeles, std::size_t presupuesto, double pixelesPorUnidad,
                             const std::vector<const objBarra3d*>& barras)
    : DetalleBarras(tramos, minimoPixeles, presupuesto, largosEnPantalla(pixelesPorUnidad, barras)) {
    pixelesPorUnidad_ = pixelesPorUnidad;
}

int DetalleBarras::paso(const objBarra3d& b) const { return paso(b.getLongitud() * pixelesPorUnidad_); }

int DetalleBarras::pasoCon(double separacion, double largo) const {
    // Con la separación de siempre, lo de siempre; con una mayor, la barra que
    // no llega a medirla se queda sin estaciones.
    if (separacion > minimo_ && largo < separacion) return 0;
    return pasoDeDetalle(largo, tramos_, separacion);
}

std::size_t DetalleBarras::estacionesCon(double separacion, const std::vector<double>& largos) const {
    std::size_t n = 0;
    for (double l : largos) {
        const int p = pasoCon(separacion, l);
        if (p > 0) n += static_cast<std::size_t>(tramos_ / p + 1);
    }
    return n;
}

int DetalleBarras::paso(double largoPixeles) const { return pasoCon(separacion_, largoPixeles); }

std::size_t DetalleBarras::estaciones(double largoPixeles) const {
    const int p = paso(largoPixeles);
    return p > 0 ? static_cast<std::size_t>(tramos_ / p + 1) : 0;
}
