#include "modelo/acero.h"

#include <cmath>

#include "globales.h"

datosAcero acero;

const char* nombreMetodo(metodoAcero m) { return m == metodoAcero::lrfd ? "LRFD" : "ASD"; }

namespace {
Eigen::Vector3d posicion(int n) {
    const objNudo3d& p = nudo[static_cast<size_t>(n)];
    return {p.getX(), p.getY(), p.getZ()};
}
std::string numeroDe(int b) { return std::to_string(barra[static_cast<size_t>(b)].getNoBarraUsuario()); }
}  // namespace

std::string encadenarMiembro(const std::vector<int>& barras, miembroDeBarras& m) {
    m.barras.clear();
    m.invertida.clear();
    m.inicio.clear();
    m.longitud = 0;
    if (barras.empty()) return "no tiene barras";
    // El nudo por donde la cadena entra a cada barra.
    int entrada;
    const objBarra3d& primera = barra[static_cast<size_t>(barras[0])];
    if (barras.size() == 1) {
        entrada = primera.getNudoInicioInterno();
    } else {
        const objBarra3d& segunda = barra[static_cast<size_t>(barras[1])];
        const int a = primera.getNudoInicioInterno(), b = primera.getNudoFinalInterno();
        const bool bEnSegunda = b == segunda.getNudoInicioInterno() || b == segunda.getNudoFinalInterno();
        const bool aEnSegunda = a == segunda.getNudoInicioInterno() || a == segunda.getNudoFinalInterno();
        if (!aEnSegunda && !bEnSegunda)
            return "las barras " + numeroDe(barras[0]) + " y " + numeroDe(barras[1]) + " no son consecutivas";
        entrada = bEnSegunda ? a : b;
    }
    const Eigen::Vector3d origen = posicion(entrada);
    // La dirección del miembro: la de la primera barra desde su entrada.
    const int salidaPrimera =
        entrada == primera.getNudoInicioInterno() ? primera.getNudoFinalInterno() : primera.getNudoInicioInterno();
    const Eigen::Vector3d eje = (posicion(salidaPrimera) - origen).normalized();
    double avance = 0;
    for (size_t k = 0; k < barras.size(); ++k) {
        const int i = barras[k];
        const objBarra3d& b = barra[static_cast<size_t>(i)];
        const int ini = b.getNudoInicioInterno(), fin = b.getNudoFinalInterno();
        if (ini != entrada && fin != entrada)
            return "las barras " + numeroDe(barras[k - 1]) + " y " + numeroDe(i) + " no son consecutivas";
        const int salida = ini == entrada ? fin : ini;
        const double largo = b.getLongitud();
        // Colineal: la salida está sobre la recta del miembro, más adelante.
        const Eigen::Vector3d d = posicion(salida) - origen;
        const double a = d.dot(eje);
        if ((d - a * eje).norm() > 1e-6 * (avance + largo))
            return "las barras " + numeroDe(barras[0]) + " y " + numeroDe(i) + " no son colineales";
        if (!(a > avance + 0.5 * largo))
            return "la barra " + numeroDe(i) + " vuelve sobre el miembro (no es una cadena recta)";
        m.barras.push_back(i);
        m.invertida.push_back(ini != entrada);
        m.inicio.push_back(avance);
        avance += largo;
        entrada = salida;
    }
    m.longitud = avance;
    return "";
}
