#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "analisis/barrasEnParalelo.h"
#include "analisis/diafragmas.h"
#include "analisis/etapasAnalisis.h"
#include "analisis/niveles.h"
#include "modelo/diafragma.h"
#include "diagnosticos.h"
#include "globales.h"
#include "modelo/extremosSolicitaciones.h"
#include "unidades.h"

void llenarCasos(const estadoAnalisis& e) {
    const Eigen::MatrixXd& u = e.u;
    const Eigen::MatrixXd& reacciones = e.reacciones;
    const segundoOrdenCombos& so = e.segundoOrden;
    const std::vector<std::vector<int>>& inactivas = e.inactivas;
    const Eigen::Index nc = u.cols();
    resultados.casos.assign(static_cast<size_t>(nc), casoResultado());
    for (Eigen::Index c = 0; c < nc; ++c) {
        casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
        caso.nombre = combinaciones[static_cast<size_t>(c)].nombre;
        caso.tipo = tipoCaso::combinacion;
        caso.combo = static_cast<int>(c);
        if (!so.axiales[static_cast<size_t>(c)].empty()) {
            caso.tipo = tipoCaso::segundoOrden;
            caso.segundoOrden = so.info[static_cast<size_t>(c)];
        }
        caso.desplazamientos.resize(6, static_cast<Eigen::Index>(nudo.size()));
        caso.reacciones.setZero(6, static_cast<Eigen::Index>(nudo.size()));
        for (const objNudo3d& n : nudo) {
            const Eigen::Index k = n.getNoNudoInterno();
            for (int i = 0; i < 6; ++i) {
                caso.desplazamientos(i, k) = u(6 * k + i, c);
                // Donde no hay apoyo ni resorte el análisis deja sólo el residuo.
                if (n.tieneReaccion(i)) caso.reacciones(i, k) = reacciones(6 * k + i, c);
            }
        }
        caso.barras.resize(barra.size());
        if (static_cast<size_t>(c) < inactivas.size()) caso.barrasInactivas = inactivas[static_cast<size_t>(c)];
    }
    if (!diafragmas.empty()) {
        const Eigen::MatrixXd q = magnitudesDiafragmas(u);
        for (Eigen::Index c = 0; c < nc; ++c) {
            casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
            llenarDiafragmas(caso, q.col(c), caso.desplazamientos.topRows(3).cwiseAbs().maxCoeff());
        }
    }
    // Los niveles sin diafragma, una vez para todos los casos.
    resultados.niveles = nivelesDeColumnas();
    if (!resultados.niveles.empty()) {
        const Eigen::MatrixXd q = magnitudesNiveles(resultados.niveles, u);
        for (Eigen::Index c = 0; c < nc; ++c) {
            casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
            llenarNiveles(caso, resultados.niveles, q.col(c), caso.desplazamientos.topRows(3).cwiseAbs().maxCoeff());
        }
    }
    // Cada barra escribe sólo sus solicitaciones: con muchas, en dos hilos.
    paraCadaBarra([&](const objBarra3d& b) {
        // Las combinaciones en que la barra está inactiva.
        std::vector<char> inactiva;
        for (size_t c = 0; c < inactivas.size(); ++c)
            if (std::binary_search(inactivas[c].begin(), inactivas[c].end(), b.getNoBarraInterna())) {
                inactiva.resize(static_cast<size_t>(nc), 0);
                inactiva[c] = 1;
            }
        const Eigen::VectorXi gdl = b.getGdl();
        Eigen::MatrixXd globales(12, nc);
        for (int i = 0; i < 12 && nc > 0; ++i) {
            const int fila = gdl(i) - 1;
            if (fila < 0 || fila >= u.rows())
                globales.row(i).setZero();
            else
                globales.row(i) = u.row(fila);
        }
        std::vector<double> axiales(static_cast<size_t>(nc), 0.0);
        bool hayAxiales = false;
        for (Eigen::Index c = 0; c < nc; ++c) {
            const std::vector<double>& a = so.axiales[static_cast<size_t>(c)];
            const size_t i = static_cast<size_t>(b.getNoBarraInterna());
            if (i < a.size() && a[i] != 0.0 && !so.info[static_cast<size_t>(c)].inestable)
                axiales[static_cast<size_t>(c)] = a[i], hayAxiales = true;
        }
        std::vector<solicitacionesBarra> s =
            b.calcularSolicitaciones(globales, hayAxiales ? axiales.data() : nullptr, inactiva);
        for (Eigen::Index c = 0; c < nc; ++c)
            resultados.casos[static_cast<size_t>(c)].barras[static_cast<size_t>(b.getNoBarraInterna())] =
                s[static_cast<size_t>(c)];
    });
    const double tamano = tamanoModelo();
    for (casoResultado& caso : resultados.casos) calcularEscalas(caso, tamano);
    // Con la escala de cada caso, los extremos otra vez: dos valores que sólo
    // difieren en el redondeo empatan y manda la menor x.
    paraCadaBarra([&](const objBarra3d& b) {
        for (casoResultado& caso : resultados.casos) {
            double tolerancias[kNumeroSolicitaciones];
            toleranciasSolicitaciones(caso.escalas, tolerancias);
            calcularExtremos(b, caso.barras[static_cast<size_t>(b.getNoBarraInterna())], tolerancias);
        }
    });
    for (casoResultado& caso : resultados.casos) calcularEscalas(caso, tamano);
}

// Un desplazamiento de más de 1/50 del tamaño del modelo no es el de una
// estructura en servicio: suele ser un error de unidades (E en MPa con
// longitudes en metros) o de rigidez, y el análisis lineal ya no vale. Se
// avisa una vez por combinación, con el nudo que más se mueve.
void revisarDesplazamientos(double tamano) {
    for (const casoResultado& caso : resultados.casos) {
        // Con traslaciones enormes el cuadrado desborda: la norma sin desborde.
        const auto traslacion = [&](int n) {
            const double d = caso.desplazamientos.col(n).head<3>().norm();
            return std::isfinite(d) ? d : caso.desplazamientos.col(n).head<3>().stableNorm();
        };
        const int nudoMayor = indiceExtremo(static_cast<int>(caso.desplazamientos.cols()), traslacion,
                                            toleranciaEmpate(caso.escalas.traslaciones));
        const double mayor = nudoMayor < 0 ? 0.0 : traslacion(nudoMayor);
        if (nudoMayor < 0 || !(mayor > tamano / 50)) continue;
        char valor[64];
        std::snprintf(valor, sizeof valor, "%.4g", mayor);
        mensajes.advertencia("Advertencia: en el combo " + caso.nombre + " el nudo " +
                             std::to_string(nudo[static_cast<size_t>(nudoMayor)].getNoNudoUsuario()) + " se desplaza " +
                             valor + sufijoUnidad(magnitud::longitud) +
                             ", más de 1/50 del tamaño del modelo: revise unidades y rigideces; el análisis lineal "
                             "supone desplazamientos pequeños");
    }
}

void guardarSistema(estadoAnalisis& e) {
    resultados.rigidez = std::move(e.principal.rigidez);
    resultados.cargasPuntuales = std::move(e.puntuales);
    resultados.cargasDistribuidas = std::move(e.equivalentes);
}
