#include "visor/consultaBarra.h"

#include <algorithm>

#include "globales.h"
#include "visor/formatoTexto.h"
#include "visor/geometriaDiagramas.h"
#include "visor/leyenda.h"
#include "visor/visibilidad.h"

namespace {

std::string numero(double v) { return formatearNumero(v, precision, false); }

const TipoDiagrama kEsfuerzos[] = {TipoDiagrama::Axial,     TipoDiagrama::CortanteY, TipoDiagrama::CortanteZ,
                                   TipoDiagrama::Torsion,   TipoDiagrama::MomentoY,  TipoDiagrama::MomentoZ};

// "N -1.234, Vy 2.000, ..." en la estación j (0 el inicio, la última el fin).
std::string esfuerzosEn(const objBarra3d& b, int c, bool alFinal) {
    std::string s;
    for (TipoDiagrama t : kEsfuerzos) {
        const Eigen::MatrixXd m = muestrasDiagrama(b, c, t);
        if (m.rows() != 2 || m.cols() == 0) continue;
        s += (s.empty() ? "" : ", ") + std::string(nombreDiagrama(t)) + " " + numero(m(1, alFinal ? m.cols() - 1 : 0));
    }
    return s;
}

// "My máx 59.710, mín -17.190": entre las estaciones y el momento donde se anula el corte.
std::string extremosMomento(const objBarra3d& b, int c, TipoDiagrama t) {
    const Eigen::MatrixXd m = muestrasDiagrama(b, c, t);
    if (m.rows() != 2 || m.cols() == 0) return std::string();
    double mayor = m.row(1).maxCoeff(), menor = m.row(1).minCoeff();
    const bool planoY = t == TipoDiagrama::MomentoY;
    if ((planoY ? b.getXVYcero(c) : b.getXVZcero(c)) != -1) {
        const double extremo = planoY ? b.getMymax(c) : b.getMzmax(c);
        mayor = std::max(mayor, extremo);
        menor = std::min(menor, extremo);
    }
    return std::string(nombreDiagrama(t)) + " máx " + numero(mayor) + ", mín " + numero(menor);
}

}  // namespace

std::string inspeccionarBarra(int interna) {
    if (interna < 0 || interna >= cantidadBarras()) return std::string();
    const objBarra3d& b = barra[static_cast<std::size_t>(interna)];
    std::string s = "Barra " + std::to_string(b.getNoBarraUsuario()) + " (nudos " +
                    std::to_string(b.getNudoInicioUsuario()) + " a " + std::to_string(b.getNudoFinalUsuario()) +
                    "): largo " + numero(b.getLongitud()) + ", sección " +
                    (b.getBoolSeccion() ? b.getNombreDeSeccion() : std::string("sin sección"));
    int c = 0;
    while (c < cantidadCombos() && !comboActivo(c)) ++c;
    if (!barraConResultados(b, 0)) return s;
    if (c >= cantidadCombos()) return s + ". Active un combo para ver sus resultados";
    if (!barraConResultados(b, c)) return s;
    const std::string combo = nombreCombo(c);
    s += "\n" + combo + " inicio: " + esfuerzosEn(b, c, false);
    s += "\n" + combo + " fin: " + esfuerzosEn(b, c, true);
    s += "\n" + combo + " extremos: " + extremosMomento(b, c, TipoDiagrama::MomentoY) + "; " +
         extremosMomento(b, c, TipoDiagrama::MomentoZ);
    return s;
}
