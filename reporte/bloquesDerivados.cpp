#include "reporte/bloquesDerivados.h"

#include <cmath>

#include "globales.h"
#include "modelo/sismo.h"

namespace {

const char kDirecciones[3] = {'X', 'Y', 'Z'};

void bloqueSismico(salidaTexto& os) {
    if (resultados.sismos.empty()) return;
    os << "\n\n\n" << "************ANÁLISIS SÍSMICO***************" << "\n";
    for (const espectroDiseno& e : espectros) {
        os << "espectro " << e.nombre << ": período (s) | aceleración espectral" << "\n";
        for (size_t i = 0; i < e.periodos.size(); ++i) os << e.periodos[i] << " " << e.aceleraciones[i] << "\n";
    }
    for (size_t e = 0; e < resultados.sismos.size(); ++e) {
        const resultadoSismico& r = resultados.sismos[e];
        os << "\n" << "sismo " << r.nombre << ": espectro " << r.espectro << ", dirección " << kDirecciones[r.direccion]
           << ", amortiguamiento " << r.amortiguamiento << ", " << (r.cqc ? "CQC" : "SRSS") << "\n";
        os << "modo | periodo (s) | Sa | cortante basal X Y Z" << "\n";
        for (size_t k = 0; k < r.periodos.size(); ++k) {
            const Eigen::Index f = static_cast<Eigen::Index>(k);
            os << static_cast<long long>(k + 1) << " " << r.periodos[k] << " " << r.aceleraciones[k] << " "
               << cortanteModalSinRuido(resultados, e, f, 0) << " " << cortanteModalSinRuido(resultados, e, f, 1) << " "
               << cortanteModalSinRuido(resultados, e, f, 2) << "\n";
        }
        os << "cortante basal combinado X Y Z: " << r.cortanteBasal(0) << " " << r.cortanteBasal(1) << " "
           << r.cortanteBasal(2) << "\n";
        os << "masa efectiva de los modos en la dirección " << kDirecciones[r.direccion] << ": "
           << 100 * r.masaEfectiva << " %" << "\n";
    }
}

const std::string& nombreQueManda(const casoResultado& caso, int indice) {
    const casoResultado* otro = casoDeResultados(resultados, indice);
    return otro ? otro->nombre : caso.nombre;
}

void bloqueDosValores(salidaTexto& os, const casoResultado& caso) {
    os << "\n\n\n";
    if (caso.tipo == tipoCaso::envolvente) {
        os << "************ENVOLVENTE " << caso.nombre << "***************" << "\n" << "combos:";
        for (int c : caso.componentes) os << " " << nombreQueManda(caso, c);
        os << "\n";
    } else {
        os << "************COMBO " << caso.nombre << " (ESTÁTICO ± SISMO)***************" << "\n"
           << "parte estática más y menos:";
        for (size_t k = 0; k < caso.componentes.size(); ++k)
            os << (k ? " +" : "") << " " << caso.factores[k] << " × " << nombreQueManda(caso, caso.componentes[k]);
        os << "\n";
    }
    os << "barra | esfuerzo | máximo | x | combo | mínimo | x | combo" << "\n";
    for (const objBarra3d& b : barra) {
        const solicitacionesBarra& r = caso.barras[static_cast<size_t>(b.getNoBarraInterna())];
        for (int k = 0; k < kNumeroSolicitaciones; ++k) {
            const extremoSolicitacion& e = r.extremos[k];
            os << b.getNoBarraUsuario() << " " << kNombresSolicitaciones[k] << " " << e.maximo << " " << e.xMaximo << " "
               << nombreQueManda(caso, e.casoMaximo) << " " << e.minimo << " " << e.xMinimo << " "
               << nombreQueManda(caso, e.casoMinimo) << "\n";
        }
    }
    const char* const componentes[6] = {"Rx", "Ry", "Rz", "Mx", "My", "Mz"};
    os << "nudo | reacción | máximo | combo | mínimo | combo" << "\n";
    for (const objNudo3d& n : nudo) {
        if (!n.tieneAlgunaReaccion()) continue;
        const Eigen::Index j = n.getNoNudoInterno();
        for (int i = 0; i < 6; ++i) {
            const bool hay = caso.casosReacciones.rows() == 12;
            os << n.getNoNudoUsuario() << " " << componentes[i] << " " << caso.reacciones(i, j) << " "
               << nombreQueManda(caso, hay ? caso.casosReacciones(i, j) : -1) << " " << caso.reaccionesMinimas(i, j)
               << " " << nombreQueManda(caso, hay ? caso.casosReacciones(6 + i, j) : -1) << "\n";
        }
    }
}

}  // namespace

void escribirBloquesDerivados(salidaTexto& os) {
    bloqueSismico(os);
    for (const casoResultado& caso : resultados.casos)
        if (caso.dosValores()) bloqueDosValores(os, caso);
}
