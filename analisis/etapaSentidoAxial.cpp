#include <algorithm>

#include "analisis/etapasAnalisis.h"
#include "analisis/sentidoAxial.h"
#include "globales.h"

bool resolverRondasUnSentido(estadoAnalisis& e, resultadoAnalisis& fallo) {
    const Eigen::Index nc = e.nc, ngl = e.ngl;
    fallo = resultadoAnalisis::correcto;
    if (nc == 0 || !hayBarrasDeUnSentido()) return true;
    auto etapa = Reloj::now();
    const double segundoOrdenAntes = tiemposUltimoAnalisis.segundoOrden;
    const numeracionLibre& num = e.num;
    const sistemaResuelto& principal = e.principal;
    // La solución de un juego de barras activas para las combinaciones dadas:
    // sus desplazamientos van a x y sus reacciones y cargas al estado.
    const auto resolver = [&](const std::vector<int>& juego, const std::vector<int>& combos, Eigen::MatrixXd& x) {
        std::vector<char> marcas(barra.size(), 0);
        for (int i : juego) marcas[static_cast<size_t>(i)] = 1;
        const Eigen::MatrixXd fJuego = cargasDeBarras(ngl, nc, marcas);
        const Eigen::Index m = static_cast<Eigen::Index>(combos.size());
        Eigen::MatrixXd cargasJuego(ngl, m), impuestosJuego(ngl, m);
        bool algunaDeSegundoOrden = false;
        for (Eigen::Index j = 0; j < m; ++j) {
            const Eigen::Index c = combos[static_cast<size_t>(j)];
            cargasJuego.col(j) = e.puntuales.col(c) + fJuego.col(c);
            impuestosJuego.col(j) = e.impuestos.col(c);
            algunaDeSegundoOrden = algunaDeSegundoOrden || e.deSegundoOrden[static_cast<size_t>(c)];
        }
        sistemaResuelto s;
        // Con pocas barras quitadas basta el factor de todas con una
        // corrección de rango bajo; si no alcanza, se arma y factoriza.
        // El segundo orden necesita el factor de la rigidez de la ronda.
        // Con diafragmas las barras quitadas no caen en grados de libertad
        // propios: también se factoriza.
        const bool conFactorPropio = (algunaDeSegundoOrden || num.conDiafragmas()) && !juego.empty();
        if (conFactorPropio ||
            !resolverActualizado(principal.factor, marcas, juego, num, cargasJuego, impuestosJuego, s)) {
            resolverSistema(marcas, num, cargasJuego, impuestosJuego, nullptr, s);
        }
        if (s.resultado != resultadoAnalisis::correcto) {
            fallo = s.resultado;
            return false;
        }
        if (algunaDeSegundoOrden) {
            const sistemaElastico sistema = juego.empty() ? sistemaElastico{principal.factor, num, principal.operador}
                                                          : sistemaElastico{s.factor, num, s.operador};
            for (Eigen::Index j = 0; j < m; ++j) {
                const int c = combos[static_cast<size_t>(j)];
                if (e.deSegundoOrden[static_cast<size_t>(c)])
                    resolverComboSegundoOrden(e, sistema, marcas, c, cargasJuego.col(j), impuestosJuego.col(j),
                                              s.u.col(j), s.reacciones.col(j));
            }
        }
        for (Eigen::Index j = 0; j < m; ++j) {
            const Eigen::Index c = combos[static_cast<size_t>(j)];
            x.col(c) = s.u.col(j);
            e.reacciones.col(c) = s.reacciones.col(j);
            e.equivalentes.col(c) = fJuego.col(c);
        }
        return true;
    };
    Eigen::VectorXd escala(nc);
    for (Eigen::Index c = 0; c < nc; ++c)
        escala(c) = std::max(e.cargas.col(c).cwiseAbs().maxCoeff(), e.reacciones.col(c).cwiseAbs().maxCoeff());
    const bool correcta = iterarSentidoAxial(e.u, e.inactivas, resolver, escala);
    tiemposUltimoAnalisis.sentidoAxial = segundosDesde(etapa) - (tiemposUltimoAnalisis.segundoOrden - segundoOrdenAntes);
    return correcta;
}
