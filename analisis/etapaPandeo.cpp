#include <algorithm>
#include <cmath>
#include <string>

#include "analisis/etapasAnalisis.h"
#include "diagnosticos.h"
#include "globales.h"

// Para cada pedido de pandeo, los factores críticos más bajos y sus formas.
void calcularPandeo(const estadoAnalisis& e) {
    const sistemaElastico sistema{e.principal.factor, e.num, e.principal.operador};
    const Eigen::MatrixXd& u = e.uPrimerOrden;
    for (const pedidoPandeo& p : pedidosPandeo) {
        if (p.combo < 0 || p.combo >= u.cols()) continue;
        const std::string& nombre = combinaciones[static_cast<size_t>(p.combo)].nombre;
        const std::vector<double> axiales = axialesDeBarras(u.col(p.combo), p.combo);
        double mayor = 0, menor = 0;
        for (double n : axiales)
            if (std::isfinite(n)) mayor = std::max(mayor, std::fabs(n)), menor = std::min(menor, n);
        pandeoCombo resultado;
        resultado.combo = p.combo;
        resultado.nombre = nombre;
        // Una compresión que es redondeo de la de otras barras no pandea nada.
        if (!(menor < -kFraccionRuido * mayor)) {
            mensajes.advertencia("Advertencia: el combo " + nombre + " no tiene barras comprimidas; no hay pandeo");
            resultados.pandeo.push_back(resultado);
            continue;
        }
        Eigen::VectorXd mu;
        Eigen::MatrixXd formas;
        const Eigen::SparseMatrix<double> kg = rigidezGeometrica(axiales, sistema.num.noGdl);
        // No hay más factores críticos que incógnitas libres.
        const int libres = static_cast<int>(sistema.num.noLibres());
        const int pedidos = std::min(p.modos, libres);
        if (pedidos < p.modos)
            mensajes.advertencia("Advertencia: se piden " + std::to_string(p.modos) + " factores de pandeo del combo " +
                                 nombre + " y la estructura tiene " + std::to_string(libres) +
                                 " incógnitas libres; se calculan a lo sumo " + std::to_string(libres));
        if (!autovaloresGeometricos(sistema, kg, pedidos, mu, formas)) {
            mensajes.advertencia("Advertencia: el cálculo del pandeo del combo " + nombre +
                                 " no convergió; no hay factores críticos");
            resultados.pandeo.push_back(resultado);
            continue;
        }
        // λ = 1/μ para los μ positivos (los demás son de barras traccionadas).
        const double mayorMu = mu.size() > 0 ? mu.cwiseAbs().maxCoeff() : 0.0;
        for (Eigen::Index k = 0; k < mu.size(); ++k) {
            if (!(mu(k) > 1e-12 * mayorMu)) break;
            Eigen::VectorXd forma = formas.col(k);
            const Eigen::Index mayorGdl = componenteNormalizadora(forma);
            if (mayorGdl < 0) continue;
            forma /= forma(mayorGdl);
            resultado.factores.push_back(1.0 / mu(k));
            resultado.formas.push_back(forma);
        }
        if (static_cast<int>(resultado.factores.size()) < pedidos)
            mensajes.advertencia("Advertencia: se pidieron " + std::to_string(pedidos) + " factores de pandeo del combo " +
                                 nombre + " y hay " + std::to_string(resultado.factores.size()));
        resultados.pandeo.push_back(std::move(resultado));
    }
}
