#include <algorithm>
#include <cmath>
#include <memory>
#include <string>


#include "analisis/analisisModal.h"
#include "analisis/etapasAnalisis.h"
#include "analisis/pisos.h"
#include "diagnosticos.h"
#include "globales.h"

namespace {

// La amplificación de los desplazamientos de una combinación de segundo
// orden (ver segundoOrdenCaso): entre las componentes de traslación de los
// nudos que en primer orden llegan a kFraccionAmplificacion de la mayor, el
// mayor cociente segundo / primer orden, con su nudo y su dirección. Dos
// cocientes que difieren en el redondeo (una columna traccionada que sólo se
// alarga: todos valen 1) son el mismo, y se nombra la componente mayor. Sin
// traslaciones en primer orden, 1 sin nudo.
void amplificacionDesplazamientos(const Eigen::VectorXd& primero, const Eigen::VectorXd& segundo,
                                  segundoOrdenCaso& info) {
    info.amplificacion = 1.0;
    info.nudoAmplificacion = info.direccionAmplificacion = -1;
    const Eigen::Index n = std::min(primero.size(), segundo.size()) / 6;
    double mayor = 0;
    for (Eigen::Index k = 0; k < n; ++k)
        for (int i = 0; i < 3; ++i)
            if (std::isfinite(primero(6 * k + i))) mayor = std::max(mayor, std::fabs(primero(6 * k + i)));
    if (!(mayor > 0)) return;
    constexpr double kMismoCociente = 1e-9;
    double componente = 0;
    for (Eigen::Index k = 0; k < n; ++k)
        for (int i = 0; i < 3; ++i) {
            const double u1 = primero(6 * k + i);
            if (!(std::fabs(u1) >= kFraccionAmplificacion * mayor)) continue;
            const double a = segundo(6 * k + i) / u1;
            if (!std::isfinite(a)) continue;
            const double tolerancia = kMismoCociente * std::fabs(info.amplificacion);
            const bool mayorCociente = a > info.amplificacion + tolerancia;
            const bool mismoCociente = std::fabs(a - info.amplificacion) <= tolerancia;
            if (info.nudoAmplificacion < 0 || mayorCociente || (mismoCociente && std::fabs(u1) > componente))
                info.amplificacion = a, info.nudoAmplificacion = static_cast<int>(k), info.direccionAmplificacion = i,
                componente = std::fabs(u1);
        }
}

}  // namespace

void resolverComboSegundoOrden(estadoAnalisis& e, const sistemaElastico& sistema, const std::vector<char>& marcas,
                               int c, const Eigen::VectorXd& cargasC, const Eigen::VectorXd& impuestosC,
                               Eigen::Ref<Eigen::VectorXd> uc, Eigen::Ref<Eigen::VectorXd> rc) {
    const auto etapa = Reloj::now();
    const resultadoSegundoOrden r = resolverSegundoOrden(sistema, c, cargasC, impuestosC, uc, marcas);
    segundoOrdenCaso& info = e.segundoOrden.info[static_cast<size_t>(c)];
    std::vector<double>& axiales = e.segundoOrden.axiales[static_cast<size_t>(c)];
    info = segundoOrdenCaso();
    info.iteraciones = r.iteraciones;
    info.convergio = r.convergio;
    info.inestable = r.inestable;
    axiales = r.axiales;
    // Una combinación sin barras (sin axiales) sigue siendo de segundo orden.
    if (axiales.empty()) axiales.assign(1, 0.0);
    if (!r.inestable) {
        amplificacionDesplazamientos(uc, r.u, info);
        // Reacciones con las mismas fuerzas de barra que la solución: K·u + Kg·u − P.
        rc = sistema.operador.fuerzas(r.u, cargasC) + rigidezGeometrica(r.axiales, e.ngl) * r.u;
        uc = r.u;
    }
    tiemposUltimoAnalisis.segundoOrden += segundosDesde(etapa);
}

void resolverSegundoOrdenPedido(estadoAnalisis& e) {
    e.deSegundoOrden.assign(static_cast<size_t>(e.nc), 0);
    for (int c : combosSegundoOrden)
        if (c >= 0 && c < e.nc) e.deSegundoOrden[static_cast<size_t>(c)] = 1;
    e.segundoOrden.axiales.resize(static_cast<size_t>(e.nc));
    e.segundoOrden.info.resize(static_cast<size_t>(e.nc));
    const sistemaElastico sistema{e.principal.factor, e.num, e.principal.operador};
    for (Eigen::Index c = 0; c < e.nc; ++c)
        if (e.deSegundoOrden[static_cast<size_t>(c)])
            resolverComboSegundoOrden(e, sistema, {}, static_cast<int>(c), e.cargas.col(c), e.impuestos.col(c),
                                      e.u.col(c), e.reacciones.col(c));
}

bool calcularModosSegundoOrden(estadoAnalisis& e, geometricaModal& geometrica, resolverEstatico& resolver) {
    const int c = comboSegundoOrdenModal;
    const std::string& nombre = combinaciones[static_cast<size_t>(c)].nombre;
    if (modosPedidos <= 0) {
        mensajes.advertencia("Advertencia: segundoOrdenModal: " + nombre +
                             " no se usa: el modelo no pide modos (modos:)");
        return true;
    }
    const sistemaElastico sistema{e.principal.factor, e.num, e.principal.operador};
    geometrica.axiales = axialesDeBarras(e.uPrimerOrden.col(c), c);
    geometrica.global = rigidezGeometrica(geometrica.axiales, e.ngl);
    auto factorGuardado = std::make_shared<solucionDispersa>();
    solucionDispersa& factor = *factorGuardado;
    if (!factorizarConGeometrica(sistema, geometrica.global, factor)) {
        mensajes.error("Error: el combo " + nombre +
                       " supera la carga crítica de pandeo (segundo orden inestable); no hay modos con su rigidez "
                       "geométrica");
        diagnosticoUltimoAnalisis.segundoOrdenInestable = true;
        geometrica = geometricaModal();
        return false;
    }
    calcularModos(factor, e.num);
    if (torsionAccidentalPedida()) {
        const Eigen::SparseMatrix<double> kg = geometrica.global;
        resolver = [factorGuardado, &e, kg](const Eigen::MatrixXd& momentos) {
            return respuestaAMomentosDePiso(*factorGuardado, e.num, e.principal.operador, kg, momentos);
        };
    }
    resultados.comboModosGeometricos = nombre;
    return true;
}

void informarSegundoOrden(estadoAnalisis& e) {
    for (Eigen::Index c = 0; c < e.nc; ++c) {
        if (!e.deSegundoOrden[static_cast<size_t>(c)]) continue;
        const std::string& nombre = combinaciones[static_cast<size_t>(c)].nombre;
        const segundoOrdenCaso& info = e.segundoOrden.info[static_cast<size_t>(c)];
        if (info.inestable) {
            mensajes.error("Error: el combo " + nombre + " supera la carga crítica de pandeo (segundo orden inestable)");
            diagnosticoUltimoAnalisis.segundoOrdenInestable = true;
            e.u.col(c).setZero();
            e.reacciones.col(c).setZero();
        } else if (!info.convergio) {
            mensajes.advertencia("Advertencia: el combo " + nombre + " no convergió en segundo orden en " +
                                 std::to_string(kIteracionesSegundoOrden) + " iteraciones");
        }
    }
}
