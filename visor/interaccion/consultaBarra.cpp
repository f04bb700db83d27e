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

// "N -1.234, Vy 2.000, ..." en el inicio o en el fin de la barra.
std::string esfuerzosEn(const objBarra3d& b, const solicitacionesBarra& r, int c, bool alFinal) {
    std::string s;
    for (TipoDiagrama t : kEsfuerzos) {
        const double x = alFinal ? b.getLongitud() : 0.0;
        s += (s.empty() ? "" : ", ") + std::string(nombreDiagrama(t)) + " " +
             esfuerzo(t, c, b.valorSolicitacion(r, solicitacionDe(t), x));
    }
    return s;
}

// "My máx 59.710, mín -17.190": los extremos exactos, los mismos de la leyenda y de solicitaciones.csv.
std::string extremosMomento(const solicitacionesBarra& r, int c, TipoDiagrama t) {
    const extremoSolicitacion& e = r.extremos[solicitacionDe(t)];
    return std::string(nombreDiagrama(t)) + " máx " + esfuerzo(t, c, e.maximo) + ", mín " + esfuerzo(t, c, e.minimo);
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
    s += "\n" + combo + " inicio: " + esfuerzosEn(b, *r, c, false);
    s += "\n" + combo + " fin: " + esfuerzosEn(b, *r, c, true);
    s += "\n" + combo + " extremos: " + extremosMomento(*r, c, TipoDiagrama::MomentoY) + "; " +
         extremosMomento(*r, c, TipoDiagrama::MomentoZ);
    return s;
}
