#include "analisis/aceroMiembros.h"

#include <algorithm>
#include <cmath>

#include "globales.h"

std::vector<miembroAcero> miembrosDeAcero() {
    std::vector<miembroAcero> lista;
    if (!acero.pedida) return lista;
    const size_t n = barra.size();
    // El miembro de "miembro:" de cada barra (-1 si no está en ninguno).
    std::vector<int> deBarra(n, -1);
    for (size_t m = 0; m < acero.miembros.size(); ++m)
        for (int b : acero.miembros[m].barras)
            if (b >= 0 && static_cast<size_t>(b) < n) deBarra[static_cast<size_t>(b)] = static_cast<int>(m);
    std::vector<char> agregado(acero.miembros.size(), 0);
    const auto valor = [](const std::vector<double>& v, size_t i, double porDefecto) {
        return i < v.size() ? v[i] : porDefecto;
    };
    for (size_t i = 0; i < n; ++i) {
        if (!(valor(acero.fy, i, 0) > 0)) continue;
        miembroAcero m;
        if (deBarra[i] >= 0) {
            const size_t k = static_cast<size_t>(deBarra[i]);
            if (agregado[k]) continue;
            agregado[k] = 1;
            m.cadena = acero.miembros[k];
        } else {
            encadenarMiembro({static_cast<int>(i)}, m.cadena);
            m.cadena.nombre = std::to_string(barra[i].getNoBarraUsuario());
        }
        // Los valores del miembro: los de sus barras (el mayor si difieren).
        double lbDada = 0;
        m.ky = m.kz = 0;
        for (int b : m.cadena.barras) {
            const size_t j = static_cast<size_t>(b);
            m.fy = std::max(m.fy, valor(acero.fy, j, 0));
            m.ky = std::max(m.ky, valor(acero.ky, j, 1));
            m.kz = std::max(m.kz, valor(acero.kz, j, 1));
            lbDada = std::max(lbDada, valor(acero.lb, j, 0));
        }
        const double L = m.cadena.longitud;
        m.tramos = lbDada > 0 ? std::max(1, static_cast<int>(std::ceil(L / lbDada - 1e-9))) : 1;
        m.lb = L / m.tramos;
        lista.push_back(std::move(m));
    }
    return lista;
}
