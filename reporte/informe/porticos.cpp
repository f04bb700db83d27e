#include "reporte/informe/porticos.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "globales.h"
#include "reporte/informe/figurasInforme.h"

namespace {

// ¿Están todas las barras sobre una misma recta? Las columnas de una línea
// de ejes están en un plano x = cte y en uno y = cte: solas no son un pórtico.
bool colineales(const std::vector<int>& barras, double tolerancia) {
    const objBarra3d& b0 = barra[static_cast<std::size_t>(barras.front())];
    const Eigen::Vector3d a(b0.getXi(), b0.getYi(), b0.getZi()), f(b0.getXf(), b0.getYf(), b0.getZf());
    const Eigen::Vector3d d = (f - a).normalized();
    const auto enLaRecta = [&](const Eigen::Vector3d& p) { return ((p - a) - (p - a).dot(d) * d).norm() <= tolerancia; };
    return std::all_of(barras.begin(), barras.end(), [&](int i) {
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        return enLaRecta({b.getXi(), b.getYi(), b.getZi()}) && enLaRecta({b.getXf(), b.getYf(), b.getZf()});
    });
}

}  // namespace

std::string porticoDelModelo::nombre() const {
    char c[32];
    std::snprintf(c, sizeof c, "%.6g", coordenada == 0 ? 0.0 : coordenada);
    return std::string("pórtico ") + (eje == 0 ? "x" : "y") + " = " + c + sufijoUnidad(magnitud::longitud);
}

porticosDelModelo hallarPorticos() {
    porticosDelModelo r;
    const double tolerancia = 1e-4 * tamanoDelModelo();
    std::vector<char> enAlguno(barra.size(), 0);
    for (int eje = 0; eje < 2; ++eje) {
        // Las barras contenidas en un plano de este eje, ordenadas por su coordenada.
        std::vector<std::pair<double, int>> candidatas;
        for (std::size_t i = 0; i < barra.size(); ++i) {
            const objBarra3d& b = barra[i];
            const double a = eje == 0 ? b.getXi() : b.getYi(), f = eje == 0 ? b.getXf() : b.getYf();
            if (std::isfinite(a) && std::isfinite(f) && std::fabs(a - f) <= tolerancia)
                candidatas.emplace_back(0.5 * (a + f), static_cast<int>(i));
        }
        std::sort(candidatas.begin(), candidatas.end());
        // Un plano por grupo de coordenadas que no se separan más que la tolerancia.
        for (std::size_t k = 0; k < candidatas.size();) {
            std::size_t fin = k + 1;
            while (fin < candidatas.size() && candidatas[fin].first - candidatas[fin - 1].first <= tolerancia) ++fin;
            porticoDelModelo p;
            p.eje = eje;
            p.coordenada = candidatas[k].first;
            for (std::size_t j = k; j < fin; ++j) p.barras.push_back(candidatas[j].second);
            std::sort(p.barras.begin(), p.barras.end());
            if (p.barras.size() >= 2 && !colineales(p.barras, tolerancia)) {
                for (int i : p.barras) enAlguno[static_cast<std::size_t>(i)] = 1;
                r.porticos.push_back(std::move(p));
            }
            k = fin;
        }
    }
    for (std::size_t i = 0; i < barra.size(); ++i)
        if (!enAlguno[i]) r.sueltas.push_back(static_cast<int>(i));
    return r;
}
