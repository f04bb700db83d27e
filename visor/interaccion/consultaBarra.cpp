#include "visor/interaccion/consultaBarra.h"

#include <algorithm>

#include "globales.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/capas/leyenda.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/visibilidad.h"

namespace {

std::string numero(double v) { return formatearNumero(v, precision, false); }

// Un esfuerzo de la combinación c sin el ruido del redondeo y con su unidad.
std::string esfuerzo(TipoDiagrama t, int c, double v) {
    return formatearResultado(v, escalaDiagrama(t, c), precision, false) + sufijoUnidad(magnitudDiagrama(t));
}

const TipoDiagrama kEsfuerzos[] = {TipoDiagrama::Axial,     TipoDiagrama::CortanteY, TipoDiagrama::CortanteZ,
                                   TipoDiagrama::Torsion,   TipoDiagrama::MomentoY,  TipoDiagrama::MomentoZ};

// "N -1.234, Vy 2.000, ..." en el inicio o en el fin de la barra; en un caso
// de dos valores, "N 1.000 / -1.234" (máximo / mínimo).
std::string esfuerzosEn(const objBarra3d& b, int c, bool alFinal) {
    std::string s;
    const bool dos = casoDeDosValores(c);
    for (TipoDiagrama t : kEsfuerzos) {
        const double x = alFinal ? b.getLongitud() : 0.0;
        const auto [mayor, menor] = valorSolicitacionCaso(resultados, c, b, solicitacionDe(t), x);
        s += (s.empty() ? "" : ", ") + std::string(nombreDiagrama(t)) + " " + esfuerzo(t, c, mayor) +
             (dos ? " / " + esfuerzo(t, c, menor) : std::string());
    }
    return s;
}

// " (C2)": la combinación que manda en un extremo de una envolvente.
std::string queManda(int caso) {
    const casoResultado* quien = casoDeResultados(resultados, caso);
    return quien ? " (" + quien->nombre + ")" : std::string();
}

// "My máx 59.710, mín -17.190": los extremos exactos, los mismos de la leyenda y de solicitaciones.csv
// (en una envolvente, con la combinación que manda en cada uno).
std::string extremosMomento(const solicitacionesBarra& r, int c, TipoDiagrama t) {
    const extremoSolicitacion& e = r.extremos[solicitacionDe(t)];
    return std::string(nombreDiagrama(t)) + " máx " + esfuerzo(t, c, e.maximo) + queManda(e.casoMaximo) + ", mín " +
           esfuerzo(t, c, e.minimo) + queManda(e.casoMinimo);
}

}  // namespace

std::string inspeccionarBarra(int interna) {
    if (interna < 0 || interna >= cantidadBarras()) return std::string();
    const objBarra3d& b = barra[static_cast<std::size_t>(interna)];
    std::string s = "Barra " + std::to_string(b.getNoBarraUsuario()) + " (nudos " +
                    std::to_string(b.getNudoInicioUsuario()) + " a " + std::to_string(b.getNudoFinalUsuario()) +
                    "): largo " + numero(b.getLongitud()) + sufijoUnidad(magnitud::longitud) + ", sección " +
                    (b.getBoolSeccion() ? b.getNombreDeSeccion() : std::string("sin sección"));
    int c = 0;
    while (c < cantidadCombos() && !comboActivo(c)) ++c;
    if (!barraConResultados(b, 0)) return s;
    if (c >= cantidadCombos()) return s + ". Active un combo para ver sus resultados";
    const solicitacionesBarra* r = resultadosDeBarra(b, c);
    if (r == nullptr) return s;
    const std::string combo = nombreCombo(c);
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso && std::binary_search(caso->barrasInactivas.begin(), caso->barrasInactivas.end(), interna))
        s += "\n" + combo + ": barra inactiva (no resiste el axial de este combo)";
    s += "\n" + combo + " inicio: " + esfuerzosEn(b, c, false);
    s += "\n" + combo + " fin: " + esfuerzosEn(b, c, true);
    s += "\n" + combo + " extremos: " + extremosMomento(*r, c, TipoDiagrama::MomentoY) + "; " +
         extremosMomento(*r, c, TipoDiagrama::MomentoZ);
    return s;
}
