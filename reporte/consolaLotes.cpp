#include "reporte/consolaLotes.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "analisis/tablasFamilias.h"
#include "globales.h"
#include "reporte/bloquePandeo.h"
#include "reporte/salidaDiafragmas.h"
#include "reporte/salidaPisos.h"
#include "reporte/salidaSismoEstatico.h"
#include "unidades.h"

std::string lineaReacciones(int nudoUsuario, const Eigen::Matrix<double, 6, 1>& r) {
    std::string linea = "nudo " + std::to_string(nudoUsuario) + ":";
    for (int i = 0; i < 6; ++i) {
        char texto[64];
        std::snprintf(texto, sizeof texto, " %.6e", r(i));
        linea += texto;
    }
    return linea;
}

std::string lineaBarrasInactivas(const casoResultado& caso) {
    if (caso.barrasInactivas.empty()) return "";
    std::vector<int> numeros;
    for (int i : caso.barrasInactivas)
        if (i >= 0 && i < static_cast<int>(barra.size())) numeros.push_back(barra[static_cast<size_t>(i)].getNoBarraUsuario());
    std::sort(numeros.begin(), numeros.end());
    std::string linea = "Combo " + caso.nombre + ": barras inactivas";
    for (int n : numeros) linea += " " + std::to_string(n);
    return linea;
}

namespace {
// La línea de cada nudo con algún apoyo o resorte. Lo que no llega a 1e-13 de
// la mayor fuerza (o momento) del caso es redondeo: 0.
void lineasDeReacciones(const casoResultado& caso, const Eigen::MatrixXd& reacciones) {
    for (const objNudo3d& n : nudo) {
        if (!n.tieneAlgunaReaccion()) continue;
        Eigen::Matrix<double, 6, 1> r = reacciones.col(n.getNoNudoInterno());
        for (int i = 0; i < 6; ++i) r(i) = sinRuido(r(i), i < 3 ? caso.escalas.fuerzas : caso.escalas.momentos);
        std::cout << lineaReacciones(n.getNoNudoUsuario(), r) << "\n";
    }
}
}  // namespace

std::string lineaSismo(int c) {
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso == nullptr || caso->sismo < 0 || caso->sismo >= static_cast<int>(resultados.sismos.size())) return "";
    const resultadoSismico& s = resultados.sismos[static_cast<size_t>(caso->sismo)];
    char texto[300];
    std::snprintf(texto, sizeof texto, "Sismo %s: cortante basal X %.6e, Y %.6e, Z %.6e; %d modos, masa efectiva %.1f %%",
                  caso->nombre.c_str(), sinRuido(s.cortanteBasal(0), caso->escalas.fuerzas),
                  sinRuido(s.cortanteBasal(1), caso->escalas.fuerzas), sinRuido(s.cortanteBasal(2), caso->escalas.fuerzas),
                  static_cast<int>(s.periodos.size()), 100 * s.masaEfectiva);
    return texto;
}

void imprimirReacciones() {
    if (!unidadFuerza.empty())
        std::cout << "Unidades: fuerzas en" << sufijoUnidad(magnitud::fuerza) << ", momentos en"
                  << sufijoUnidad(magnitud::momento) << ", longitudes en" << sufijoUnidad(magnitud::longitud) << "\n";
    for (const std::string& linea : lineasSismoEstatico()) std::cout << linea << "\n";
    for (int c = 0; c < static_cast<int>(resultados.casos.size()); ++c) {
        const casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
        // Sin resultados (supera la carga crítica): ya lo dijo el error del análisis.
        if (caso.tipo == tipoCaso::segundoOrden && caso.segundoOrden.inestable) continue;
        if (!caso.barrasInactivas.empty()) std::cout << lineaBarrasInactivas(caso) << "\n";
        char error[32];
        std::snprintf(error, sizeof error, "%.1e", caso.equilibrio.error);
        switch (caso.tipo) {
            case tipoCaso::combinacion:
            case tipoCaso::segundoOrden:
                std::cout << "Reacciones del combo " << caso.nombre << "\n";
                lineasDeReacciones(caso, caso.reacciones);
                std::cout << "Equilibrio del combo " << caso.nombre << ": error relativo " << error << "\n";
                if (caso.tipo == tipoCaso::segundoOrden) std::cout << lineaSegundoOrden(caso) << "\n";
                break;
            case tipoCaso::comboEspectral:
                std::cout << "Reacciones del combo " << caso.nombre << " (máximos)\n";
                lineasDeReacciones(caso, caso.reacciones);
                std::cout << "Reacciones del combo " << caso.nombre << " (mínimos)\n";
                lineasDeReacciones(caso, caso.reaccionesMinimas);
                std::cout << "Equilibrio del combo " << caso.nombre << " (parte estática): error relativo " << error
                          << "\n";
                if (casoSegundoOrden(caso) != nullptr) std::cout << lineaSegundoOrden(caso) << "\n";
                break;
            case tipoCaso::espectral:
                std::cout << lineaSismo(c) << "\n";
                if (const std::string escala = lineaEscalaSismo(caso); !escala.empty()) std::cout << escala << "\n";
                if (const std::string torsion = lineaTorsionAccidental(caso); !torsion.empty())
                    std::cout << torsion << "\n";
                std::cout << "Reacciones del sismo " << caso.nombre << "\n";
                lineasDeReacciones(caso, caso.reacciones);
                break;
            case tipoCaso::envolvente:
                std::cout << "Envolvente " << caso.nombre << ": " << caso.componentes.size()
                          << (caso.componentes.size() == 1 ? " combinación" : " combinaciones") << "\n";
                break;
        }
        for (const std::string& linea : lineasDiafragmas(caso)) std::cout << linea << "\n";
        for (const std::string& linea : lineasNiveles(caso)) std::cout << linea << "\n";
        for (const std::string& linea : lineasPisos(caso)) std::cout << linea << "\n";
        const std::string deriva = lineaDeriva(caso);
        if (!deriva.empty()) std::cout << deriva << "\n";
    }
    for (const std::string& linea : lineasCentros()) std::cout << linea << "\n";
    std::cout.flush();
}

std::vector<std::string> lineasVerificacionAcero(const resultadosAnalisis& r) {
    std::vector<std::string> lineas;
    if (!r.disponibles || !r.acero.pedida) return lineas;
    const char* metodo = nombreMetodo(r.acero.metodo);
    int verificados = 0, noCumplen = 0;
    const miembroVerificado* mayor = nullptr;
    for (const miembroVerificado& m : r.acero.miembros) {
        if (!m.verificado) continue;
        ++verificados;
        if (!m.cumple()) ++noCumplen;
        if (m.peor() != nullptr && (mayor == nullptr || m.peor()->razon > mayor->peor()->razon)) mayor = &m;
    }
    const auto combo = [&r](const verificacionEnCaso& v) {
        const casoResultado& caso = r.casos[static_cast<size_t>(v.caso)];
        return caso.nombre + (caso.dosValores() ? (v.minimos ? " (mínimos)" : " (máximos)") : "");
    };
    char texto[512];
    std::snprintf(texto, sizeof texto, "Verificación de acero (%s): %d %s, %d no %s", metodo, verificados,
                  verificados == 1 ? "miembro" : "miembros", noCumplen, noCumplen == 1 ? "cumple" : "cumplen");
    std::string linea = texto;
    if (mayor != nullptr) {
        const verificacionEnCaso& p = *mayor->peor();
        std::snprintf(texto, sizeof texto, "; mayor razón %.3f (miembro %s, combo %s, ecuación %s)", p.razon,
                      mayor->nombre.c_str(), combo(p).c_str(), p.ecuacion);
        linea += texto;
    }
    lineas.push_back(linea);
    for (const miembroVerificado& m : r.acero.miembros) {
        if (!m.verificado) {
            lineas.push_back("Miembro " + m.nombre + ": sin verificación (" + m.motivo + ")");
        } else if (!m.cumple()) {
            const verificacionEnCaso& p = *m.peor();
            std::snprintf(texto, sizeof texto, "Miembro %s: razón %.3f (combo %s, ecuación %s, x = %.4g)",
                          m.nombre.c_str(), p.razon, combo(p).c_str(), p.ecuacion, p.x);
            lineas.push_back(texto);
        }
    }
    return lineas;
}

void imprimirVerificacionAcero() {
    for (const std::string& linea : lineasVerificacionAcero(resultados)) std::cout << linea << "\n";
    std::cout.flush();
}
