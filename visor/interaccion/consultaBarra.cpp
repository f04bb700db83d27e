#include "visor/interaccion/consultaBarra.h"

#include <algorithm>
#include <cstdio>

#include "globales.h"
#include "reporte/escalaRazones.h"
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

// "Acero: razón 0.873 (miembro C1, combo U1, ecuación H1-1a, x = 2.500)": la
// mayor razón del miembro de la barra en la verificación de acero, con el caso
// que manda (en una combinación con sismo, su curva de máximos o de mínimos) y
// el punto, medido desde el comienzo del miembro. Vacío si la barra no se verificó.
std::string lineaAcero(const objBarra3d& b) {
    const miembroVerificado* m = miembroConRazon(resultados.acero, b.getNoBarraUsuario());
    if (m == nullptr) return std::string();
    const verificacionEnCaso& v = *m->peor();
    const casoResultado* caso = casoDeResultados(resultados, v.caso);
    std::string combo = caso ? caso->nombre : std::string("?");
    if (caso && caso->dosValores()) combo += v.minimos ? " (mínimos)" : " (máximos)";
    char razon[32];
    std::snprintf(razon, sizeof razon, "%.3f", v.razon);
    return "\nAcero: razón " + std::string(razon) + (m->cumple() ? "" : ", no cumple") + " (miembro " + m->nombre +
           ", combo " + combo + ", ecuación " + v.ecuacion + ", x = " + numero(v.x) + sufijoUnidad(magnitud::longitud) +
           ")";
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
    if (c >= cantidadCombos()) return s + ". Active un combo para ver sus resultados" + lineaAcero(b);
    const solicitacionesBarra* r = resultadosDeBarra(b, c);
    if (r == nullptr) return s + lineaAcero(b);
    const std::string combo = nombreCombo(c);
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso && std::binary_search(caso->barrasInactivas.begin(), caso->barrasInactivas.end(), interna))
        s += "\n" + combo + ": barra inactiva (no resiste el axial de este combo)";
    s += "\n" + combo + " inicio: " + esfuerzosEn(b, c, false);
    s += "\n" + combo + " fin: " + esfuerzosEn(b, c, true);
    s += "\n" + combo + " extremos: " + extremosMomento(*r, c, TipoDiagrama::MomentoY) + "; " +
         extremosMomento(*r, c, TipoDiagrama::MomentoZ);
    return s + lineaAcero(b);
}
