// Los capítulos de los casos que salen de otros: un caso sísmico (los módulos
// de la combinación de sus modos), una combinación con sismo (la parte
// estática más y menos los módulos sísmicos) y una envolvente (el mayor y el
// menor de cada magnitud entre sus combinaciones, con la que manda). Sólo
// leen los casos y resultados.sismos; los valores de dos curvas a lo largo de
// una barra salen de valorSolicitacionCaso.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "globales.h"
#include "reporte/bloquePandeo.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/figurasInforme.h"
#include "reporte/informe/tablasCaso.h"

namespace {

const char* const kComponentesReaccion[6] = {"Rx", "Ry", "Rz", "Mx", "My", "Mz"};
const char kDirecciones[3] = {'X', 'Y', 'Z'};

std::string unidadAceleracion() {
    if (sufijoUnidad(magnitud::longitud).empty()) return "";
    return " (" + unidadLongitud + "/s²)";
}

bool conReacciones(const objNudo3d& n, const Eigen::MatrixXd& m) {
    const Eigen::Index i = n.getNoNudoInterno();
    return n.tieneAlgunaReaccion() && i >= 0 && i < m.cols() && m.rows() >= 6;
}

double escalaReaccion(const casoResultado& caso, int k) { return k < 3 ? caso.escalas.fuerzas : caso.escalas.momentos; }

// "1 × SX + 0.3 × SY": los casos sísmicos de una combinación con sus factores.
std::string partesSismicas(const casoResultado& caso) {
    std::string t;
    for (std::size_t k = 0; k < caso.componentes.size() && k < caso.factores.size(); ++k)
        t += (k ? " + " : "") + factorCorto(caso.factores[k]) + " × " + nombreQueManda(caso.componentes[k]);
    return t;
}

void tablaReaccionesSismicas(documentoHtml& doc, const casoResultado& caso) {
    tablaHtml t(columnasSeis({{"Nudo", false}}, kComponentesReaccion, magnitud::fuerza, magnitud::momento));
    for (const objNudo3d& n : nudo) {
        if (!conReacciones(n, caso.reacciones)) continue;
        std::vector<std::string> celdas{std::to_string(n.getNoNudoUsuario())};
        for (int k = 0; k < 6; ++k)
            celdas.push_back(numeroInforme(caso.reacciones(k, n.getNoNudoInterno()), escalaReaccion(caso, k)));
        t.fila(celdas);
    }
    if (t.vacia()) return;
    doc.seccion("Reacciones");
    doc.parrafo("Módulos de la combinación de las reacciones de los modos, en ejes globales: sin signo, y su suma "
                "no es el cortante basal (que se combina aparte, arriba).",
                "nota");
    doc.tabla(t);
}

// Reacciones de una combinación con sismo: el máximo y el mínimo de cada
// componente, dos filas por nudo.
void tablaReaccionesDosValores(documentoHtml& doc, const casoResultado& caso) {
    tablaHtml t(columnasSeis({{"Nudo", false}, {"", false}}, kComponentesReaccion, magnitud::fuerza, magnitud::momento));
    const Eigen::MatrixXd& menores = caso.reaccionesMenores();
    for (const objNudo3d& n : nudo) {
        if (!conReacciones(n, caso.reacciones) || !conReacciones(n, menores)) continue;
        const Eigen::Index i = n.getNoNudoInterno();
        std::vector<std::string> maximo{std::to_string(n.getNoNudoUsuario()), "máx"}, minimo{"", "mín"};
        for (int k = 0; k < 6; ++k) {
            maximo.push_back(numeroInforme(caso.reacciones(k, i), escalaReaccion(caso, k)));
            minimo.push_back(numeroInforme(menores(k, i), escalaReaccion(caso, k)));
        }
        t.grupo();
        t.fila(maximo);
        t.fila(minimo);
    }
    if (t.vacia()) return;
    doc.seccion("Reacciones máximas y mínimas");
    doc.parrafo("En ejes globales. Las sumas no se dan: el máximo de cada apoyo no ocurre a la vez que el de los "
                "demás.",
                "nota");
    doc.tabla(t);
}

// Reacciones de una envolvente: por nudo y componente, el máximo y el mínimo
// con la combinación que los da (las componentes nulas en todas, sin fila).
void tablaReaccionesEnvolvente(documentoHtml& doc, const casoResultado& caso) {
    tablaHtml t({{"Nudo", false},
                 {"Reacción", false},
                 {"Máximo"},
                 {"Combinación", false},
                 {"Mínimo"},
                 {"Combinación", false}});
    const bool conCasos = caso.casosReacciones.rows() == 12;
    for (const objNudo3d& n : nudo) {
        if (!conReacciones(n, caso.reacciones) || !conReacciones(n, caso.reaccionesMinimas)) continue;
        const Eigen::Index i = n.getNoNudoInterno();
        bool primera = true;
        for (int k = 0; k < 6; ++k) {
            const double escala = escalaReaccion(caso, k);
            const double maximo = caso.reacciones(k, i), minimo = caso.reaccionesMinimas(k, i);
            if (sinRuido(maximo, escala) == 0 && sinRuido(minimo, escala) == 0) continue;
            const bool casos = conCasos && i < caso.casosReacciones.cols();
            if (primera) t.grupo();
            t.fila({primera ? std::to_string(n.getNoNudoUsuario()) : "",
                    kComponentesReaccion[k] + unidadEntreParentesis(k < 3 ? magnitud::fuerza : magnitud::momento),
                    numeroInforme(maximo, escala), casos ? nombreQueManda(caso.casosReacciones(k, i)) : "—",
                    numeroInforme(minimo, escala), casos ? nombreQueManda(caso.casosReacciones(6 + k, i)) : "—"});
            primera = false;
        }
    }
    if (t.vacia()) return;
    doc.seccion("Reacciones extremas");
    doc.parrafo("En ejes globales, con la combinación que da cada valor; todas las componentes están en "
                "envolventeReacciones.csv (--csv).",
                "nota");
    doc.tabla(t);
}

// Una tabla por solicitación: el máximo y el mínimo de cada barra a lo largo
// de ella, con su x y la combinación que lo da. Con muchas barras, las
// kBarrasDestacadas de mayor valor absoluto.
void tablasBarrasEnvolvente(documentoHtml& doc, const casoResultado& caso) {
    std::vector<const objBarra3d*> conResultados;
    for (const objBarra3d& b : barra)
        if (b.getNoBarraInterna() >= 0 && b.getNoBarraInterna() < static_cast<int>(caso.barras.size()))
            conResultados.push_back(&b);
    if (conResultados.empty()) return;
    const bool completa = conResultados.size() <= kBarrasEnTablaCompleta;
    const std::string x = "x" + unidadEntreParentesis(magnitud::longitud);
    bool encabezado = false;
    for (int s = 0; s < kNumeroSolicitaciones; ++s) {
        const double escala = esFuerza(s) ? caso.escalas.fuerzas : caso.escalas.momentos;
        const auto extremo = [&](const objBarra3d* b) -> const extremoSolicitacion& {
            return caso.barras[static_cast<std::size_t>(b->getNoBarraInterna())].extremos[s];
        };
        const auto mayor = [&](const objBarra3d* b) {
            return std::max(std::fabs(extremo(b).maximo), std::fabs(extremo(b).minimo));
        };
        std::vector<const objBarra3d*> filas = conResultados;
        if (!completa) {
            const std::size_t n = std::min(kBarrasDestacadas, filas.size());
            std::partial_sort(filas.begin(), filas.begin() + static_cast<long>(n), filas.end(),
                              [&](const objBarra3d* a, const objBarra3d* b) {
                                  return mayor(a) != mayor(b) ? mayor(a) > mayor(b)
                                                              : a->getNoBarraUsuario() < b->getNoBarraUsuario();
                              });
            filas.resize(n);
        }
        // Una solicitación que es redondeo en todas las barras no tiene tabla.
        if (std::none_of(filas.begin(), filas.end(),
                         [&](const objBarra3d* b) { return sinRuido(mayor(b), escala) != 0; }))
            continue;
        const std::string unidad = unidadEntreParentesis(esFuerza(s) ? magnitud::fuerza : magnitud::momento);
        tablaHtml t({{"Barra"},
                     {"Máximo" + unidad},
                     {x},
                     {"Combinación", false},
                     {"Mínimo" + unidad},
                     {x},
                     {"Combinación", false}});
        for (const objBarra3d* b : filas) {
            if (!completa && sinRuido(mayor(b), escala) == 0) break;
            const extremoSolicitacion& e = extremo(b);
            const auto lado = [&](double v, double xe, int deCaso) -> std::vector<std::string> {
                if (sinRuido(v, escala) == 0) return {"0", "—", "—"};
                return {numeroInforme(v, escala), numeroInforme(xe), nombreQueManda(deCaso)};
            };
            std::vector<std::string> fila{std::to_string(b->getNoBarraUsuario())};
            for (const std::string& c : lado(e.maximo, e.xMaximo, e.casoMaximo)) fila.push_back(c);
            for (const std::string& c : lado(e.minimo, e.xMinimo, e.casoMinimo)) fila.push_back(c);
            t.fila(fila);
        }
        const std::string nombre = kNombresSolicitaciones[s];
        doc.seccion(completa ? nombre + " en cada barra"
                             : "Las " + std::to_string(kBarrasDestacadas) + " barras de mayor |" + nombre + "|");
        if (!encabezado)
            doc.parrafo(completa ? std::string("Por solicitación, el máximo y el mínimo de cada barra a lo largo de ella, "
                                               "con su x desde el inicio de la barra y la combinación que lo da "
                                               "(envolventeSolicitaciones.csv con --csv).")
                                 : "El modelo tiene " + std::to_string(conResultados.size()) +
                                       " barras: por solicitación, las " + std::to_string(kBarrasDestacadas) +
                                       " de mayor valor absoluto, con el máximo y el mínimo a lo largo de la barra, "
                                       "su x desde el inicio y la combinación que lo da; todas en "
                                       "envolventeSolicitaciones.csv (--csv).",
                        "nota");
        encabezado = true;
        doc.tabla(t);
    }
}

}  // namespace

void capituloCasoSismico(documentoHtml& doc, const casoResultado& caso) {
    doc.capitulo("Caso sísmico " + caso.nombre);
    const resultadoSismico* r = caso.sismo >= 0 && caso.sismo < static_cast<int>(resultados.sismos.size())
                                    ? &resultados.sismos[static_cast<std::size_t>(caso.sismo)]
                                    : nullptr;
    if (r != nullptr) {
        const int direccion = std::clamp(r->direccion, 0, 2);
        char amortiguamiento[32];
        std::snprintf(amortiguamiento, sizeof amortiguamiento, "%.4g", 100 * r->amortiguamiento);
        doc.parrafo("Espectro " + r->espectro + " en la dirección " + kDirecciones[direccion] + ", amortiguamiento " +
                    amortiguamiento + " %, modos combinados por " +
                    (r->cqc ? "CQC" : "SRSS") +
                    ". Cada magnitud del caso es la combinación de las respuestas de los modos: un módulo, sin signo.");
        const std::string fuerza = unidadEntreParentesis(magnitud::fuerza);
        tablaHtml t({{"Modo"},
                     {"T (s)"},
                     {"Sa" + unidadAceleracion()},
                     {"Cortante basal X" + fuerza},
                     {"Y" + fuerza},
                     {"Z" + fuerza}});
        const std::size_t modos = std::min(r->periodos.size(), r->aceleraciones.size());
        for (std::size_t k = 0; k < modos; ++k) {
            const Eigen::Index m = static_cast<Eigen::Index>(k);
            std::vector<std::string> celdas{std::to_string(k + 1), numeroInforme(r->periodos[k]),
                                            numeroInforme(r->aceleraciones[k])};
            for (int d = 0; d < 3; ++d)
                celdas.push_back(m < r->cortantesModales.rows()
                                     ? numeroInforme(cortanteModalSinRuido(resultados, static_cast<std::size_t>(caso.sismo), m, d))
                                     : "—");
            t.fila(celdas);
        }
        std::vector<std::string> combinado{"Combinado", "", ""};
        for (int d = 0; d < 3; ++d) combinado.push_back(numeroInforme(r->cortanteBasal(d), caso.escalas.fuerzas));
        t.fila(combinado, "suma");
        doc.seccion("Respuesta de los modos");
        doc.parrafo("Por modo, el período, la aceleración espectral y el cortante basal en módulo (el signo de un modo "
                    "es arbitrario); la última fila, el cortante basal combinado.",
                    "nota");
        doc.tabla(t);
        doc.parrafo("Masa efectiva de los modos calculados en la dirección " + std::string(1, kDirecciones[direccion]) +
                    ": " + numeroInforme(100 * r->masaEfectiva, 100) + " % de la masa libre" +
                    (r->masaEfectiva < 0.9 ? " (menos del 90 %: faltan modos)." : "."));
    }
    tablaReaccionesSismicas(doc, caso);
    tablaDesplazamientos(doc, caso);
}

void capituloComboSismico(documentoHtml& doc, const casoResultado& caso) {
    doc.capitulo("Combinación " + caso.nombre);
    if (caso.combo >= 0 && caso.combo < static_cast<int>(combinaciones.size()))
        doc.parrafo("Factores: " + textoFactores(combinaciones[static_cast<std::size_t>(caso.combo)]) + ".");
    const std::string sismicas = partesSismicas(caso);
    doc.parrafo("Cada magnitud tiene dos valores: la parte estática más y menos " +
                (sismicas.empty() ? std::string("los módulos sísmicos") : sismicas) + " (módulos sin signo).");
    if (const casoResultado* parte = casoSegundoOrden(caso))
        doc.parrafo(lineaSegundoOrden(caso) + (parte->segundoOrden.convergio ? "" : " (sin converger)") +
                    ". El equilibrio de la parte estática se plantea en la geometría deformada.");
    tablaReaccionesDosValores(doc, caso);
    tablaExtremos(doc, caso);
    agregarDiagramas(doc, caso);
}

void capituloEnvolvente(documentoHtml& doc, const casoResultado& caso) {
    doc.capitulo("Envolvente " + caso.nombre);
    std::string combos;
    for (int c : caso.componentes) combos += (combos.empty() ? "" : ", ") + nombreQueManda(c);
    doc.parrafo("El mayor y el menor valor de cada magnitud entre las combinaciones " +
                (combos.empty() ? std::string("(ninguna)") : combos) + ".");
    tablaReaccionesEnvolvente(doc, caso);
    tablaExtremos(doc, caso);
    agregarDiagramas(doc, caso);
    tablasBarrasEnvolvente(doc, caso);
}
