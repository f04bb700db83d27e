#include "analisis/resultadosFinitos.h"

#include <cmath>
#include <string>

#include "diagnosticos.h"
#include "globales.h"
#include "modelo/sismo.h"

namespace {

// Ningún resultado de una estructura, en ninguna unidad, llega a esto; sus
// cuadrados (en las normas, las sumas del equilibrio, la combinación de los
// modos) ya no caben en un número y darían inf o nan en lo que se escribe.
constexpr double kResultadoMaximo = 1e150;

bool enRango(double v) { return std::fabs(v) <= kResultadoMaximo; }

bool enRango(const Eigen::MatrixXd& m) { return m.size() == 0 || m.cwiseAbs().maxCoeff() <= kResultadoMaximo; }

bool finitos(const double* v, int n) {
    for (int i = 0; i < n; ++i)
        if (!enRango(v[i])) return false;
    return true;
}

bool planoFinito(const planoSolicitaciones& p) {
    const double v[7] = {p.pendiente, p.qInicio, p.c1, p.c2, p.c3, p.c4, p.curvaturaTermica};
    return finitos(v, 7);
}

bool barraFinita(const solicitacionesBarra& s) {
    if (!finitos(s.fuerzas, 12) || !finitos(s.desplazamientos, 12)) return false;
    if (!enRango(s.cargaAxialInicio) || !enRango(s.cargaAxialFin)) return false;
    if (!planoFinito(s.planoY) || !planoFinito(s.planoZ)) return false;
    for (const extremoSolicitacion& e : s.extremos)
        if (!enRango(e.maximo) || !enRango(e.minimo)) return false;
    return true;
}

// Qué del caso no es finito (para el mensaje), o vacío si todo lo es.
std::string parteNoFinita(const casoResultado& caso) {
    for (const Eigen::MatrixXd* m : {&caso.desplazamientos, &caso.desplazamientosMinimos})
        for (Eigen::Index j = 0; j < m->cols(); ++j)
            if (!enRango(m->col(j)) && static_cast<size_t>(j) < nudo.size())
                return "los desplazamientos del nudo " +
                       std::to_string(nudo[static_cast<size_t>(j)].getNoNudoUsuario());
    for (const Eigen::MatrixXd* m : {&caso.reacciones, &caso.reaccionesMinimas})
        for (Eigen::Index j = 0; j < m->cols(); ++j)
            if (!enRango(m->col(j)) && static_cast<size_t>(j) < nudo.size())
                return "las reacciones del nudo " + std::to_string(nudo[static_cast<size_t>(j)].getNoNudoUsuario());
    for (size_t i = 0; i < caso.barras.size() && i < barra.size(); ++i)
        if (!barraFinita(caso.barras[i]) || (i < caso.minimos.size() && !finitos(caso.minimos[i].fuerzas, 12)))
            return "las solicitaciones de la barra " + std::to_string(barra[i].getNoBarraUsuario());
    for (const resultadoDiafragma& d : caso.diafragmas) {
        const double v[8] = {d.ux, d.uy, d.giro, d.uxMinimo, d.uyMinimo, d.giroMinimo, d.derivaX, d.derivaY};
        if (!finitos(v, 8)) return "el movimiento de un diafragma";
    }
    return "";
}

// Lo que puede estar fuera de rango en cada clase de caso.
std::string causaDelCaso(const casoResultado& caso) {
    switch (caso.tipo) {
    case tipoCaso::espectral: {
        const int s = caso.sismo;
        const std::string espectro =
            s >= 0 && static_cast<size_t>(s) < sismos.size() && sismos[static_cast<size_t>(s)].espectro >= 0
                ? espectros[static_cast<size_t>(sismos[static_cast<size_t>(s)].espectro)].nombre
                : std::string();
        return "las aceleraciones del espectro " + espectro + " o las masas están fuera de rango";
    }
    case tipoCaso::envolvente:
        return "los valores de sus combinaciones están fuera de rango";
    default:
        return "sus factores o sus cargas están fuera de rango";
    }
}

const char* claseDelCaso(const casoResultado& caso) {
    switch (caso.tipo) {
    case tipoCaso::espectral: return "el sismo ";
    case tipoCaso::envolvente: return "la envolvente ";
    default: return "el combo ";
    }
}

bool modoFinito(const modoVibracion& m) {
    return enRango(m.omega) && enRango(m.periodo) && enRango(m.frecuencia) && enRango(m.participacion) &&
           enRango(m.masaEfectiva) && enRango(m.masaAcumulada) && enRango(m.forma);
}

}  // namespace

bool revisarResultadosFinitos() {
    int errores = 0;
    const auto error = [&](const std::string& texto) {
        mensajes.error(texto);
        ++errores;
    };
    bool modosFinitos = enRango(resultados.masaTotal) && enRango(resultados.masaLibre);
    for (const modoVibracion& m : resultados.modos) modosFinitos = modosFinitos && modoFinito(m);
    if (!modosFinitos)
        error("Error: los modos de vibración dan valores que no son finitos o pasan de 1e150: las masas "
              "(pesoEspecifico y gravedad:, masaBarra:, masaNudo:, masaDeCargas:) están fuera de rango");
    for (const pandeoCombo& p : resultados.pandeo) {
        bool finito = true;
        for (double f : p.factores) finito = finito && enRango(f);
        for (const Eigen::VectorXd& forma : p.formas) finito = finito && enRango(forma);
        if (!finito)
            error("Error: el pandeo del combo " + p.nombre +
                  " da valores que no son finitos o pasan de 1e150: sus cargas están fuera de rango");
    }
    // Un caso sísmico que desborda desborda también las combinaciones y las
    // envolventes que lo usan: se nombra sólo él.
    bool sismoNoFinito = false;
    for (size_t s = 0; s < resultados.sismos.size() && modosFinitos; ++s) {
        const resultadoSismico& r = resultados.sismos[s];
        bool finito = enRango(r.cortanteBasal) && enRango(r.cortantesModales) && enRango(r.masaEfectiva);
        for (double a : r.aceleraciones) finito = finito && enRango(a);
        if (finito) continue;
        sismoNoFinito = true;
        error("Error: el sismo " + r.nombre + " da cortantes basales que no son finitos o pasan de 1e150: las "
              "aceleraciones del espectro " + r.espectro + " o las masas están fuera de rango");
    }
    // Primero las combinaciones y los sismos; las combinaciones con sismo y
    // las envolventes sólo si ellos son finitos (si no, se nombró la causa).
    for (int pasada = 0; pasada < 2; ++pasada) {
        if (pasada == 1 && (errores > 0 || sismoNoFinito)) break;
        for (const casoResultado& caso : resultados.casos) {
            const bool derivado = caso.tipo == tipoCaso::comboEspectral || caso.tipo == tipoCaso::envolvente;
            if (derivado != (pasada == 1)) continue;
            if (caso.tipo == tipoCaso::espectral && (sismoNoFinito || !modosFinitos)) continue;
            const std::string parte = parteNoFinita(caso);
            if (parte.empty()) continue;
            error("Error: " + std::string(claseDelCaso(caso)) + caso.nombre +
                  " da resultados que no son finitos o pasan de 1e150 (" + parte + "): " + causaDelCaso(caso));
        }
    }
    erroresDeEntrada += errores;
    return errores == 0;
}
