#include "visor/capas/leyenda.h"

#include <cstdio>

#include "globales.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/visibilidad.h"

namespace {

void considerar(ExtremosDiagrama& e, double v, int barraUsuario) {
    if (!e.hay || v > e.maximo) {
        e.maximo = v;
        e.barraMaximo = barraUsuario;
    }
    if (!e.hay || v < e.minimo) {
        e.minimo = v;
        e.barraMinimo = barraUsuario;
    }
    e.hay = true;
}

// "C2", o "C2 (verde)" con un tono.
std::string nombreConTono(int c, const std::string& tono) {
    return nombreCombo(c) + (tono.empty() ? std::string() : " (" + tono + ")");
}

}  // namespace

ExtremosDiagrama extremosDiagrama(TipoDiagrama tipo, int c) {
    ExtremosDiagrama e;
    const int n = cantidadBarras();
    const int s = solicitacionDe(tipo);
    for (int i = 0; i < n; ++i) {
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const solicitacionesBarra* r = resultadosDeBarra(b, c);
        if (r == nullptr) continue;
        // Los extremos exactos de cada barra, los mismos que da solicitaciones.csv (sin el
        // redondeo, que el CSV escribe como 0).
        const escalasCaso& escalas = casoDeResultados(resultados, c)->escalas;
        const bool fuerza = s == kSolicitacionN || s == kSolicitacionVy || s == kSolicitacionVz;
        const double escala = fuerza ? escalas.fuerzas : escalas.momentos;
        considerar(e, sinRuido(r->extremos[s].maximo, escala), b.getNoBarraUsuario());
        considerar(e, sinRuido(r->extremos[s].minimo, escala), b.getNoBarraUsuario());
    }
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
    return std::string(nombreDiagrama(tipo)) + " " + nombreConTono(c, tono) + ": máx " +
           formatearResultado(e.maximo, escala, precision, false) + unidad + " (barra " +
           std::to_string(e.barraMaximo) + "), mín " + formatearResultado(e.minimo, escala, precision, false) +
           unidad + " (barra " + std::to_string(e.barraMinimo) + ")";
}

ExtremoDeformada extremoDeformada(int c) {
    ExtremoDeformada e;
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        if (!nudoConResultados(nd, c)) continue;
        const double d =
            casoDeResultados(resultados, c)->desplazamientos.col(nd.getNoNudoInterno()).head<3>().norm();
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
    return "Deformada " + nombreConTono(c, tono) + ": desplazamiento máx " +
           formatearResultado(e.maximo, escalaTraslaciones, precision, true) + sufijoUnidad(magnitud::longitud) +
           " (nudo " + std::to_string(e.nudo) + "), factor de escala " + factor;
}
