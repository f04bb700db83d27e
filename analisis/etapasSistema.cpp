#include <cmath>
#include <cstdio>
#include <future>
#include <utility>

#include "analisis/diafragmas.h"
#include "analisis/etapasAnalisis.h"
#include "analisis/ordenNudos.h"
#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

// Condición desde la que se avisa que los resultados pierden cifras.
constexpr double kCondicionAviso = 1e8;

// Desplazamientos impuestos por combinación en los grados de libertad con
// apoyo (ceros en los demás).
Eigen::MatrixXd desplazamientosImpuestos(const Eigen::VectorXi& restriccionesEstructura, Eigen::Index ngl,
                                         Eigen::Index nc) {
    Eigen::MatrixXd impuestos = Eigen::MatrixXd::Zero(ngl, nc);
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd d = n.getDesplazamientosImpuestosCombo();
        const Eigen::VectorXi g = n.getGdl();
        for (int i = 0; i < 6; ++i)
            for (Eigen::Index c = 0; c < nc && c < d.cols(); ++c)
                if (restriccionesEstructura(g(i) - 1) != 0) impuestos(g(i) - 1, c) = d(i, c);
    }
    return impuestos;
}

// Partición: sólo los grados de libertad con código 0 son incógnitas; los
// demás quedan fijos, con desplazamiento nulo o el impuesto por la
// combinación. Las incógnitas se numeran en el orden de eliminación
// (disección anidada sobre los nudos, dada la lista de nudos unidos por cada
// barra).
numeracionLibre numerarLibres(const Eigen::VectorXi& restriccionesEstructura, Eigen::Index ngl,
                              const std::vector<std::pair<int, int>>& conexiones) {
    if (!diafragmas.empty()) return numerarConDiafragmas(restriccionesEstructura, ngl, conexiones);
    numeracionLibre num;
    num.noGdl = ngl;
    num.posicionLibre.assign(static_cast<size_t>(ngl), -1);
    for (Eigen::Index k = 0; k < ngl; ++k)
        if (restriccionesEstructura(k) == 0) {
            num.posicionLibre[static_cast<size_t>(k)] = static_cast<int>(num.libres.size());
            num.libres.push_back(static_cast<int>(k));
        }
    num.orden = ordenarGradosLibres(noNudos, conexiones, num.posicionLibre, static_cast<int>(num.noLibres()));
    return num;
}

}  // namespace

void armarSistema(estadoAnalisis& e) {
    e.ngl = 6 * static_cast<Eigen::Index>(noNudos);
    e.nc = noCombos;
    const Eigen::Index ngl = e.ngl, nc = e.nc;
    e.puntuales = Eigen::MatrixXd::Zero(ngl, nc);
    e.restricciones = Eigen::VectorXi::Zero(ngl);
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd p = n.getCargasCombo();
        const Eigen::VectorXi g = n.getGdl();
        for (int i = 0; i < 6; ++i)
            for (Eigen::Index c = 0; c < nc && c < p.cols(); ++c) e.puntuales(g(i) - 1, c) += p(i, c);
    }
    e.equivalentes = cargasDeBarras(ngl, nc, {});
    for (const objNudo3d& n : nudo) {
        const Eigen::VectorXi g = n.getGdl();
        const Eigen::VectorXi a = n.getVectorApoyo();
        for (int i = 0; i < 6; ++i) e.restricciones(g(i) - 1) = a(i);
    }

    // El orden de eliminación sólo depende de qué nudos unen las barras: se
    // calcula en otro hilo mientras éste arma la rigidez de todas las barras.
    std::vector<std::pair<int, int>> conexiones;
    conexiones.reserve(barra.size());
    for (const objBarra3d& b : barra) conexiones.emplace_back(b.getNudoInicioInterno(), b.getNudoFinalInterno());
    std::future<numeracionLibre> numeracion =
        std::async(std::launch::async, [&]() { return numerarLibres(e.restricciones, ngl, conexiones); });
    ensamblarRigidez(e.principal.rigidez, ngl, e.principal.referencia, {});
    e.principal.ensamblada = true;
    e.num = numeracion.get();
    e.cargas = e.puntuales + e.equivalentes;
    e.impuestos = desplazamientosImpuestos(e.restricciones, ngl, nc);
}

resultadoAnalisis resolverPrimerOrden(estadoAnalisis& e, Reloj::time_point inicio) {
    sistemaResuelto& principal = e.principal;
    resolverSistema({}, e.num, e.cargas, e.impuestos, &inicio, principal);
    if (principal.resultado != resultadoAnalisis::correcto) return principal.resultado;
    diagnosticoUltimoAnalisis.condicion = principal.condicion;
    e.condicion = principal.condicion;
    e.u = std::move(principal.u);
    e.reacciones = std::move(principal.reacciones);
    // El primer orden con todas las barras: los axiales del pandeo.
    e.uPrimerOrden = e.u;
    return resultadoAnalisis::correcto;
}

// Cargas equivalentes de las barras en los nudos (6N x combinaciones), con
// las de barra inactiva para las barras marcadas (si hay marcas).
Eigen::MatrixXd cargasDeBarras(Eigen::Index ngl, Eigen::Index nc, const std::vector<char>& inactivas) {
    Eigen::MatrixXd fEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    for (const objBarra3d& b : barra) {
        const size_t indice = static_cast<size_t>(b.getNoBarraInterna());
        const bool inactiva = indice < inactivas.size() && inactivas[indice];
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd f = inactiva ? b.getCargasEquivalentesInactivaGlobales() : b.getCargasEquivalentesGlobales();
        for (int i = 0; i < 12; ++i)
            for (Eigen::Index c = 0; c < nc && c < f.cols(); ++c)
                if (g(i) > 0) fEstructura(g(i) - 1, c) += f(i, c);
    }
    return fEstructura;
}

void avisarCondicion(double condicion) {
    if (!(condicion > kCondicionAviso)) return;
    char texto[200];
    std::snprintf(texto, sizeof texto,
                  "Advertencia: la matriz de rigidez está mal condicionada (condición estimada %.1e); los "
                  "resultados pueden perder unas %d cifras",
                  condicion, static_cast<int>(std::floor(std::log10(condicion))));
    mensajes.advertencia(texto);
}
