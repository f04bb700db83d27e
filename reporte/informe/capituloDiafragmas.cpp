// Los diafragmas rígidos de piso: dónde están y, por caso de resultados, el
// movimiento de cada centroide y las derivas del piso, de abajo hacia arriba,
// con los mismos valores que diafragmas.csv, y en los casos sísmicos y las
// combinaciones con sismo la figura de las derivas por piso. Después, las
// derivas de los niveles sin diafragma, las filas de niveles.csv de cada caso.
#include <algorithm>

#include "analisis/tablasResultados.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/figurasInforme.h"
#include "reporte/informe/tablasPublicadas.h"
#include "reporte/salidaDiafragmas.h"

namespace {

std::string nudoDe(int interno) {
    return interno >= 0 && static_cast<std::size_t>(interno) < nudo.size()
               ? std::to_string(nudo[static_cast<std::size_t>(interno)].getNoNudoUsuario())
               : "—";
}

void tablaDeCaso(documentoHtml& doc, const casoResultado& caso) {
    const bool dos = caso.dosValores();
    const std::string longitud = unidadEntreParentesis(magnitud::longitud);
    std::vector<tablaHtml::columna> columnas{{"Diafragma"}, {"z" + longitud}};
    if (dos) columnas.push_back({"", false});
    for (const tablaHtml::columna& c : std::vector<tablaHtml::columna>{{"ux" + longitud},
                                                                         {"uy" + longitud},
                                                                         {"Giro" + unidadEntreParentesis(magnitud::giro)},
                                                                         {"Deriva X"},
                                                                         {"Nudo"},
                                                                         {"Deriva Y"},
                                                                         {"Nudo"}})
        columnas.push_back(c);
    tablaHtml t(columnas);
    for (int k : diafragmasPorAltura()) {
        if (static_cast<std::size_t>(k) >= caso.diafragmas.size()) continue;
        const diafragma& d = diafragmas[static_cast<std::size_t>(k)];
        const resultadoDiafragma& r = caso.diafragmas[static_cast<std::size_t>(k)];
        const valoresDiafragma v = valoresSinRuido(caso, r);
        for (int fila = 0; fila < (dos ? 2 : 1); ++fila) {
            std::vector<std::string> celdas{fila == 0 ? std::to_string(d.numero) : "", fila == 0 ? numeroInforme(d.z) : ""};
            if (dos) celdas.push_back(fila == 0 ? "máx" : "mín");
            for (int i = 0; i < 3; ++i) celdas.push_back(numeroInforme(fila == 0 ? v.mayor[i] : v.menor[i]));
            // Las derivas son valores absolutos: una por diafragma, en su primera fila.
            if (fila == 0 && r.conDeriva) {
                celdas.push_back(numeroInforme(v.derivaX));
                celdas.push_back(v.derivaX == 0 ? "—" : nudoDe(r.nudoX));
                celdas.push_back(numeroInforme(v.derivaY));
                celdas.push_back(v.derivaY == 0 ? "—" : nudoDe(r.nudoY));
            } else {
                for (int i = 0; i < 4; ++i) celdas.push_back(fila == 0 ? "—" : "");
            }
            t.fila(celdas);
        }
    }
    if (t.vacia()) return;
    doc.seccion(caso.nombre);
    doc.tabla(t);
    agregarFigura(doc, figuraDerivas(caso));
}

}  // namespace

void capituloDiafragmas(documentoHtml& doc) {
    if (diafragmas.empty() || std::none_of(resultados.casos.begin(), resultados.casos.end(),
                                           [](const casoResultado& c) { return !c.diafragmas.empty(); }))
        return;
    doc.capitulo("Diafragmas");
    tablaHtml lista({{"Diafragma"}, {"z" + unidadEntreParentesis(magnitud::longitud)},
                     {"Centroide x" + unidadEntreParentesis(magnitud::longitud)},
                     {"y" + unidadEntreParentesis(magnitud::longitud)}, {"Nudos"}});
    for (int k : diafragmasPorAltura()) {
        const diafragma& d = diafragmas[static_cast<std::size_t>(k)];
        lista.fila({std::to_string(d.numero), numeroInforme(d.z), numeroInforme(d.xc), numeroInforme(d.yc),
                    std::to_string(d.nudos.size())});
    }
    doc.parrafo("Cada diafragma mueve sus nudos como un cuerpo rígido en su plano horizontal (ux, uy y el giro "
                "alrededor de Z, en el centroide de sus nudos). De abajo hacia arriba:");
    doc.tabla(lista);
    doc.parrafo("Por caso: el desplazamiento y el giro del centroide (en una combinación con sismo o una envolvente, "
                "el máximo y el mínimo; en un caso sísmico, los módulos) y la deriva del piso en X y en Y: la mayor "
                "diferencia de desplazamiento horizontal entre un nudo del diafragma y el punto justo debajo en el "
                "diafragma inferior (o la base), dividida por la altura entre ambos, con el nudo donde ocurre. "
                "El diafragma más bajo sin apoyos debajo no tiene deriva (—). Los mismos valores están en "
                "diafragmas.csv (--csv). En los casos sísmicos y las combinaciones con sismo, una figura da la deriva "
                "de cada piso en X y en Y contra su altura (con derivaLimite:, la inelástica y el límite a trazos).",
                "nota");
    for (const casoResultado& caso : resultados.casos) tablaDeCaso(doc, caso);
}

void capituloNiveles(documentoHtml& doc) {
    const tablaResultados* t = tablaDeClave("niveles.csv");
    if (t == nullptr || t->filas == 0) return;
    doc.capitulo(t->titulo);
    doc.parrafo("Una columna es una barra cuyos extremos difieren en altura más que su proyección horizontal; su "
                "deriva en X (Y) es la diferencia de ux (uy) de sus extremos sobre esa diferencia de altura, y su "
                "nivel, la altura de su extremo superior. La deriva de un nivel sin diafragma es la mayor de sus "
                "columnas, con la barra donde ocurre (en un caso sísmico, la de cada columna combinada sobre los "
                "modos; en una combinación con sismo o una envolvente, la mayor). Los mismos valores están en "
                "niveles.csv (--csv).",
                "nota");
    for (std::size_t c = 0; c < resultados.casos.size(); ++c) {
        const tablaHtml tabla = tablaHtmlDe(*t, [c](const filaTabla& f) { return f.caso == static_cast<int>(c); });
        if (tabla.vacia()) continue;
        doc.seccion(resultados.casos[c].nombre);
        doc.tabla(tabla);
        // Con diafragmas, los niveles ya están en la figura de su capítulo.
        if (diafragmas.empty()) agregarFigura(doc, figuraDerivas(resultados.casos[c]));
    }
}
