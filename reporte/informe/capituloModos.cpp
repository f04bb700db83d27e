// Los modos de vibración: masa total y libre, período, frecuencia y masas
// efectivas de cada modo, y las formas de los primeros.
#include "globales.h"
#include "reporte/bloqueModal.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/figurasInforme.h"

namespace {
// Cuántas formas modales se dibujan.
constexpr int kFormasDibujadas = 3;

std::string unidadMasa() {
    if (sufijoUnidad(magnitud::fuerza).empty()) return "";
    return " " + unidadFuerza + "·s²/" + unidadLongitud;
}
}  // namespace

void capituloModos(documentoHtml& doc) {
    if (resultados.modos.empty()) return;
    doc.capitulo("Modos de vibración");
    if (!resultados.comboModosGeometricos.empty())
        doc.parrafo(lineaModosGeometricos() + ": la rigidez de los modos y de los sismos es K + Kg(N), con N los "
                    "esfuerzos axiales de primer orden de ese combo.");
    const Eigen::Vector3d& libre = resultados.masaLibre;
    std::string masas = "Masa total: " + numeroInforme(resultados.masaTotal) + unidadMasa() +
                        " en cada dirección; masa libre (la de los grados de libertad sin apoyo, contra la que se "
                        "miden las masas efectivas): ";
    if (libre(0) == libre(1) && libre(1) == libre(2))
        masas += numeroInforme(libre(0)) + unidadMasa() + ".";
    else
        masas += "X " + numeroInforme(libre(0)) + ", Y " + numeroInforme(libre(1)) + ", Z " + numeroInforme(libre(2)) +
                 unidadMasa() + ".";
    doc.parrafo(masas);
    tablaHtml t({{"Modo"},
                 {"T (s)"},
                 {"f (Hz)"},
                 {"ω (rad/s)"},
                 {"Masa efectiva X (%)"},
                 {"Y (%)"},
                 {"Z (%)"},
                 {"Acumulada X (%)"},
                 {"Y (%)"},
                 {"Z (%)"}});
    for (std::size_t k = 0; k < resultados.modos.size(); ++k) {
        const modoVibracion& m = resultados.modos[k];
        std::vector<std::string> celdas{std::to_string(k + 1), numeroInforme(m.periodo), numeroInforme(m.frecuencia),
                                        numeroInforme(m.omega)};
        // Los porcentajes con el 100 % como escala: lo que no llega a su redondeo es 0.
        for (int i = 0; i < 3; ++i) celdas.push_back(numeroInforme(100 * m.masaEfectiva(i), 100));
        for (int i = 0; i < 3; ++i) celdas.push_back(numeroInforme(100 * m.masaAcumulada(i), 100));
        t.fila(celdas);
    }
    doc.tabla(t);
    for (int k = 0; k < kFormasDibujadas && k < static_cast<int>(resultados.modos.size()); ++k) {
        const figuraInforme f = figuraModo(k);
        if (!f.svg.empty()) doc.figura(f.svg, f.pie);
    }
}
