#include "analisis/casosResultado.h"

#include <algorithm>
#include <cmath>

#include "modelo/objBarra3d.h"

void resultadosAnalisis::vaciar() { *this = resultadosAnalisis(); }

namespace {
void mayor(double& escala, double v) {
    if (std::isfinite(v)) escala = std::max(escala, std::fabs(v));
}
}  // namespace

void calcularEscalas(casoResultado& caso, double tamano) {
    escalasCaso e;
    for (Eigen::Index n = 0; n < caso.desplazamientos.cols(); ++n)
        for (int i = 0; i < 6; ++i) {
            mayor(i < 3 ? e.traslaciones : e.giros, caso.desplazamientos(i, n));
            mayor(i < 3 ? e.fuerzas : e.momentos, caso.reacciones(i, n));
        }
    for (const solicitacionesBarra& b : caso.barras) {
        for (int i = 0; i < 12; ++i) mayor(i % 6 < 3 ? e.fuerzas : e.momentos, b.fuerzas[i]);
        for (int s = 0; s < kNumeroSolicitaciones; ++s) {
            const bool fuerza = s == kSolicitacionN || s == kSolicitacionVy || s == kSolicitacionVz;
            mayor(fuerza ? e.fuerzas : e.momentos, b.extremos[s].maximo);
            mayor(fuerza ? e.fuerzas : e.momentos, b.extremos[s].minimo);
        }
    }
    if (tamano > 0 && std::isfinite(tamano)) {
        const escalasCaso propias = e;
        e.momentos = std::max(propias.momentos, propias.fuerzas * tamano);
        e.fuerzas = std::max(propias.fuerzas, propias.momentos / tamano);
        e.giros = std::max(propias.giros, propias.traslaciones / tamano);
        e.traslaciones = std::max(propias.traslaciones, propias.giros * tamano);
    }
    caso.escalas = e;
}

double sinRuido(double valor, double escala) {
    if (std::fabs(valor) < kFraccionRuido * escala) return 0.0;
    return valor + 0.0;
}

const casoResultado* casoDeResultados(const resultadosAnalisis& r, int c) {
    if (!r.disponibles || c < 0 || c >= static_cast<int>(r.casos.size())) return nullptr;
    return &r.casos[static_cast<size_t>(c)];
}

Eigen::MatrixXd matrizDesplazamientos(const resultadosAnalisis& r) {
    const Eigen::Index nudos = r.casos.empty() ? 0 : r.casos.front().desplazamientos.cols();
    Eigen::MatrixXd u(6 * nudos, static_cast<Eigen::Index>(r.casos.size()));
    for (size_t c = 0; c < r.casos.size(); ++c) {
        const Eigen::MatrixXd& d = r.casos[c].desplazamientos;
        u.col(static_cast<Eigen::Index>(c)) = Eigen::Map<const Eigen::VectorXd>(d.data(), d.size());
    }
    return u;
}

Eigen::MatrixXd fuerzasExtremos(const resultadosAnalisis& r, int barra) {
    Eigen::MatrixXd f = Eigen::MatrixXd::Zero(12, static_cast<Eigen::Index>(r.casos.size()));
    for (size_t c = 0; c < r.casos.size(); ++c) {
        const std::vector<solicitacionesBarra>& barras = r.casos[c].barras;
        if (barra < 0 || barra >= static_cast<int>(barras.size())) continue;
        for (int i = 0; i < 12; ++i) f(i, static_cast<Eigen::Index>(c)) = barras[static_cast<size_t>(barra)].fuerzas[i];
    }
    return f;
}

muestrasSolicitacion muestrear(const casoResultado& caso, const objBarra3d& b, int s, int n) {
    if (n < 2) n = 2;
    muestrasSolicitacion m;
    const double L = b.getLongitud();
    const int i = b.getNoBarraInterna();
    const bool hay = i >= 0 && i < static_cast<int>(caso.barras.size());
    for (int k = 0; k < n; ++k) {
        const double x = L / (n - 1) * k;
        const double v = hay ? b.valorSolicitacion(caso.barras[static_cast<size_t>(i)], s, x) : 0.0;
        m.x.push_back(x);
        m.maximo.push_back(v);
        m.minimo.push_back(v);
    }
    return m;
}

Eigen::MatrixXd deformadaBarra(const casoResultado& caso, const objBarra3d& b, int n, double escala) {
    const int i = b.getNoBarraInterna();
    if (i < 0 || i >= static_cast<int>(caso.barras.size())) return Eigen::MatrixXd::Zero(3, n < 2 ? 2 : n);
    return b.deformada(caso.barras[static_cast<size_t>(i)], n, escala);
}

Eigen::MatrixXd deformadaDeCampo(const objBarra3d& b, const Eigen::VectorXd& campo, int n, double escala) {
    const Eigen::Index ni = b.getNudoInicioInterno(), nf = b.getNudoFinalInterno();
    if (ni < 0 || nf < 0 || 6 * std::max(ni, nf) + 6 > campo.size()) return Eigen::MatrixXd(3, 0);
    return b.deformada(b.solicitacionesSinCarga(campo.data() + 6 * ni, campo.data() + 6 * nf), n, escala);
}

int pasoDeDetalle(double largoPixeles, int tramos, double minimoPixeles) {
    if (tramos <= 1 || !(largoPixeles > 0.0) || !std::isfinite(largoPixeles)) return 1;
    for (int paso = 1; paso < tramos; ++paso)
        if (tramos % paso == 0 && largoPixeles * paso / tramos >= minimoPixeles) return paso;
    return tramos;
}
