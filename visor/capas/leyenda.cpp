#include "visor/capas/leyenda.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "analisis/niveles.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/visibilidad.h"

namespace {

// " (barra 3)", o " (barra 3, combo C2)" en una envolvente.
std::string dondeOcurre(int barraUsuario, int caso) {
    const casoResultado* quien = casoDeResultados(resultados, caso);
    return " (barra " + std::to_string(barraUsuario) + (quien ? ", combo " + quien->nombre : std::string()) + ")";
}

// "C2", o "C2 (verde)" con un tono.
std::string nombreConTono(int c, const std::string& tono) {
    return nombreCombo(c) + (tono.empty() ? std::string() : " (" + tono + ")");
}

}  // namespace

ExtremosDiagrama extremosDiagrama(TipoDiagrama tipo, int c) {
    ExtremosDiagrama e;
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso == nullptr) return e;
    // Los extremos exactos entre todas las barras, los mismos que da el
    // informe (sin el redondeo, que el CSV escribe como 0).
    const extremoEntreBarras x = extremosEntreBarras(*caso, solicitacionDe(tipo));
    if (!x.hay) return e;
    e.hay = true;
    e.maximo = x.maximo;
    e.minimo = x.minimo;
    e.barraMaximo = barra[static_cast<std::size_t>(x.barraMaximo)].getNoBarraUsuario();
    e.barraMinimo = barra[static_cast<std::size_t>(x.barraMinimo)].getNoBarraUsuario();
    e.casoMaximo = x.casoMaximo;
    e.casoMinimo = x.casoMinimo;
    return e;
}

const char* nombreDiagrama(TipoDiagrama tipo) {
    switch (tipo) {
        case TipoDiagrama::Axial: return "N";
        case TipoDiagrama::CortanteY: return "Vy";
        case TipoDiagrama::MomentoY: return "My";
        case TipoDiagrama::CortanteZ: return "Vz";
        case TipoDiagrama::MomentoZ: return "Mz";
        case TipoDiagrama::Torsion: return "T";
    }
    return "";
}

std::string lineaLeyenda(TipoDiagrama tipo, int c, const ExtremosDiagrama& e, const std::string& tono) {
    if (!e.hay) return std::string();
    const double escala = escalaDiagrama(tipo, c);
    const std::string unidad = sufijoUnidad(magnitudDiagrama(tipo));
    // En un caso de dos valores, cada extremo nombra el color de su curva.
    const casoResultado* caso = casoDeResultados(resultados, c);
    const bool dosValores = caso != nullptr && caso->dosValores();
    return std::string(nombreDiagrama(tipo)) + " " + nombreConTono(c, tono) + (dosValores ? ": máx (rojo) " : ": máx ") +
           formatearResultado(e.maximo, escala, precision, false) + unidad + dondeOcurre(e.barraMaximo, e.casoMaximo) +
           (dosValores ? ", mín (azul) " : ", mín ") + formatearResultado(e.minimo, escala, precision, false) + unidad +
           dondeOcurre(e.barraMinimo, e.casoMinimo);
}

ExtremoDeformada extremoDeformada(int c) {
    ExtremoDeformada e;
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        if (!nudoConResultados(nd, c)) continue;
        const casoResultado& caso = *casoDeResultados(resultados, c);
        const double d = std::max(caso.desplazamientos.col(nd.getNoNudoInterno()).head<3>().norm(),
                                  caso.desplazamientosMenores().col(nd.getNoNudoInterno()).head<3>().norm());
        if (!e.hay || d > e.maximo) {
            e.maximo = d;
            e.nudo = nd.getNoNudoUsuario();
        }
        e.hay = true;
    }
    return e;
}

std::string lineaLeyendaDeformada(int c, double escala, const ExtremoDeformada& e, const std::string& tono) {
    if (!e.hay) return std::string();
    char factor[64];
    std::snprintf(factor, sizeof factor, "%g", escala);
    const casoResultado* caso = casoDeResultados(resultados, c);
    const double escalaTraslaciones = caso != nullptr ? caso->escalas.traslaciones : 0.0;
    // Un caso sísmico: módulos dibujados hacia los dos lados, no una deformada.
    const bool sismico = caso != nullptr && caso->tipo == tipoCaso::espectral;
    return std::string(sismico ? "Desplazamientos (módulos, ±) " : "Deformada ") + nombreConTono(c, tono) +
           ": desplazamiento máx " +
           formatearResultado(e.maximo, escalaTraslaciones, precision, true) + sufijoUnidad(magnitud::longitud) +
           " (nudo " + std::to_string(e.nudo) + "), factor de escala " + factor;
}

std::vector<std::string> lineasLeyendaDiafragmas(int c, const std::string& tono) {
    std::vector<std::string> lineas;
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso == nullptr) return lineas;
    for (int k : diafragmasPorAltura()) {
        if (static_cast<std::size_t>(k) >= caso->diafragmas.size()) continue;
        const resultadoDiafragma& r = caso->diafragmas[static_cast<std::size_t>(k)];
        if (!r.conDeriva || !(r.altura > 0)) continue;
        // La deriva sin el ruido: la diferencia de traslaciones que la da.
        const auto deriva = [&](double v) {
            return formatearNumero(sinRuido(v * r.altura, caso->escalas.traslaciones) / r.altura, precision, true);
        };
        const auto numeroDe = [](int interno) {
            return interno >= 0 && static_cast<std::size_t>(interno) < nudo.size()
                       ? nudo[static_cast<std::size_t>(interno)].getNoNudoUsuario()
                       : 0;
        };
        lineas.push_back("Diafragma " + std::to_string(diafragmas[static_cast<std::size_t>(k)].numero) + " " +
                         nombreConTono(c, tono) + ": deriva X " + deriva(r.derivaX) + " (nudo " +
                         std::to_string(numeroDe(r.nudoX)) + "), Y " + deriva(r.derivaY) + " (nudo " +
                         std::to_string(numeroDe(r.nudoY)) + ")");
    }
    // Los niveles sin diafragma: la mayor deriva de sus columnas, con la que manda.
    const std::size_t niveles = std::min(caso->niveles.size(), resultados.niveles.size());
    for (std::size_t i = 0; i < niveles && i < static_cast<std::size_t>(kPisosEnLeyenda); ++i) {
        const resultadoNivel& r = caso->niveles[i];
        const nivelColumnas& n = resultados.niveles[i];
        const auto columna = [&](int d) {
            const int k = d == 0 ? r.columnaX : r.columnaY;
            if (k < 0 || static_cast<std::size_t>(k) >= n.barras.size()) return std::string("-");
            const int b = n.barras[static_cast<std::size_t>(k)];
            return b >= 0 && static_cast<std::size_t>(b) < barra.size()
                       ? std::to_string(barra[static_cast<std::size_t>(b)].getNoBarraUsuario())
                       : std::string("-");
        };
        lineas.push_back("Nivel (z = " + formatearNumero(n.z, precision, false) + ") " + nombreConTono(c, tono) +
                         ": deriva X " + formatearNumero(derivaNivelSinRuido(*caso, r, 0), precision, true) +
                         " (barra " + columna(0) + "), Y " +
                         formatearNumero(derivaNivelSinRuido(*caso, r, 1), precision, true) + " (barra " + columna(1) +
                         ")");
    }
    if (niveles > static_cast<std::size_t>(kPisosEnLeyenda)) lineas.push_back("...");
    return lineas;
}

std::vector<std::string> lineasLeyendaPisos(int c) {
    std::vector<std::string> lineas;
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso == nullptr || caso->pisos.empty()) return lineas;
    lineas.push_back("Pisos " + nombreCombo(c) + ": CM disco, CR cruz");
    const std::string unidad = sufijoUnidad(magnitud::fuerza);
    std::vector<int> orden = diafragmasPorAltura();
    std::reverse(orden.begin(), orden.end());
    int listados = 0;
    for (int k : orden) {
        const std::size_t i = static_cast<std::size_t>(k);
        if (i >= caso->pisos.size()) continue;
        if (listados++ == kPisosEnLeyenda) {
            lineas.push_back("...");
            break;
        }
        const resultadoPiso& p = caso->pisos[i];
        // En un caso de dos valores, el cortante de mayor módulo de los dos.
        const auto cortante = [&](int d) {
            const double v = caso->dosValores() && std::fabs(p.cortanteMinimo[d]) > std::fabs(p.cortante[d])
                                 ? p.cortanteMinimo[d]
                                 : p.cortante[d];
            return formatearResultado(v, caso->escalas.fuerzas, precision, false) + unidad;
        };
        std::string linea = "Piso " + std::to_string(diafragmas[i].numero) + ": cortante X " + cortante(0) + ", Y " +
                            cortante(1) + "; ";
        const resultadoDiafragma* r = i < caso->diafragmas.size() ? &caso->diafragmas[i] : nullptr;
        if (r != nullptr && r->conDeriva && r->altura > 0) {
            // La deriva sin el ruido, como en las líneas de los diafragmas.
            const auto deriva = [&](double v) {
                return formatearNumero(sinRuido(v * r->altura, caso->escalas.traslaciones) / r->altura, precision, true);
            };
            linea += "deriva X " + deriva(r->derivaX) + ", Y " + deriva(r->derivaY);
        } else {
            linea += "sin deriva";
        }
        lineas.push_back(linea);
    }
    return lineas;
}
