// El capítulo de una combinación de carga (de primer o de segundo orden):
// reacciones con su suma frente a la resultante de las cargas y el error de
// equilibrio, los mayores desplazamientos, los extremos de las solicitaciones,
// las solicitaciones en los extremos de las barras, la deformada y los
// diagramas de informeDiagramas:; y las tablas que comparte con los demás casos
// (tablasCaso.h). Los casos sísmicos, las combinaciones con sismo y las
// envolventes tienen sus capítulos en capitulosDerivados.cpp.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "analisis/clasesValor.h"
#include "globales.h"
#include "reporte/bloquePandeo.h"
#include "reporte/consolaLotes.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/figurasInforme.h"
#include "reporte/informe/tablasCaso.h"

bool esFuerza(int s) { return claseDeSolicitacion(s) == claseValor::fuerza; }

std::vector<tablaHtml::columna> columnasSeis(std::vector<tablaHtml::columna> primeras, const char* const nombres[6],
                                            magnitud primeras3, magnitud ultimas3) {
    for (int i = 0; i < 6; ++i) primeras.push_back({nombres[i] + unidadEntreParentesis(i < 3 ? primeras3 : ultimas3)});
    return primeras;
}

std::string nombreQueManda(int indice) {
    const casoResultado* c = casoDeResultados(resultados, indice);
    return c ? c->nombre : "—";
}

void tablaDesplazamientos(documentoHtml& doc, const casoResultado& caso, int indice) {
    static const char* const nombres[6] = {"Ux", "Uy", "Uz", "Gx", "Gy", "Gz"};
    double mayor[6] = {0, 0, 0, 0, 0, 0};
    int nudoMayor[6] = {-1, -1, -1, -1, -1, -1};
    for (const objNudo3d& n : nudo) {
        const Eigen::Index i = n.getNoNudoInterno();
        if (i < 0 || i >= caso.desplazamientos.cols()) continue;
        for (int k = 0; k < 6; ++k) {
            const double v = caso.desplazamientos(k, i);
            if (nudoMayor[k] < 0 || std::fabs(v) > std::fabs(mayor[k])) mayor[k] = v, nudoMayor[k] = n.getNoNudoUsuario();
        }
    }
    if (nudoMayor[0] < 0) return;
    tablaHtml t(columnasSeis({{"", false}}, nombres, magnitud::longitud, magnitud::giro));
    std::vector<std::string> valores{"Mayor valor absoluto"}, nudos{"Nudo"};
    for (int k = 0; k < 6; ++k) {
        const double v = sinRuido(mayor[k], k < 3 ? caso.escalas.traslaciones : caso.escalas.giros);
        valores.push_back(numeroInforme(v));
        nudos.push_back(v == 0 ? "—" : std::to_string(nudoMayor[k]));
    }
    t.fila(valores);
    t.fila(nudos);
    // En una combinación, también la mayor traslación a lo largo de las barras.
    const std::array<traslacionEnBarras, 3> enBarras = mayoresTraslacionesEnBarras(resultados, indice, barra);
    const bool conBarras = enBarras[0].barra >= 0;
    if (conBarras) {
        std::vector<std::string> enTramo{"A lo largo de las barras"}, cual{"Barra"},
            donde{"x" + unidadEntreParentesis(magnitud::longitud)};
        for (const traslacionEnBarras& e : enBarras) {
            const double v = sinRuido(e.valor, caso.escalas.traslaciones);
            const bool hay = v != 0 && e.barra >= 0 && static_cast<std::size_t>(e.barra) < barra.size();
            enTramo.push_back(numeroInforme(v));
            cual.push_back(hay ? std::to_string(barra[static_cast<std::size_t>(e.barra)].getNoBarraUsuario()) : "—");
            donde.push_back(hay ? numeroInforme(e.x) : "—");
        }
        for (int k = 3; k < 6; ++k) enTramo.push_back("—"), cual.push_back("—"), donde.push_back("—");
        t.fila(enTramo);
        t.fila(cual);
        t.fila(donde);
    }
    doc.seccion("Mayores desplazamientos");
    std::string nota =
        caso.tipo == tipoCaso::espectral
            ? "El mayor módulo de cada componente (la combinación de los modos, sin signo) y el nudo donde ocurre; "
              "todos los desplazamientos están en desplazamientos.csv (--csv)."
            : "El mayor valor absoluto de cada componente (con su signo) y el nudo donde ocurre; todos los "
              "desplazamientos están en desplazamientos.csv (--csv).";
    if (conBarras)
        nota += " A lo largo de las barras, la mayor traslación de cada componente en la elástica de cada barra "
                "(exacta; en una viga cargada la flecha del tramo suele superar a la de sus nudos), con la barra y la "
                "distancia x desde su inicio.";
    doc.parrafo(nota, "nota");
    doc.tabla(t);
}

void tablaExtremos(documentoHtml& doc, const casoResultado& caso) {
    // En una envolvente, cada valor con la combinación de la que sale.
    const bool conCombinacion = caso.tipo == tipoCaso::envolvente;
    const std::string x = "x" + unidadEntreParentesis(magnitud::longitud);
    std::vector<tablaHtml::columna> columnas{{"Esfuerzo", false}, {"Máximo"}, {"Barra"}, {x}};
    if (conCombinacion) columnas.push_back({"Combinación", false});
    for (const tablaHtml::columna& c : std::vector<tablaHtml::columna>{{"Mínimo"}, {"Barra"}, {x}}) columnas.push_back(c);
    if (conCombinacion) columnas.push_back({"Combinación", false});
    tablaHtml t(columnas);
    for (int s = 0; s < kNumeroSolicitaciones; ++s) {
        const extremoEntreBarras e = extremosEntreBarras(caso, s);
        if (!e.hay) return;
        const int bMax = barra[static_cast<std::size_t>(e.barraMaximo)].getNoBarraUsuario();
        const int bMin = barra[static_cast<std::size_t>(e.barraMinimo)].getNoBarraUsuario();
        const double escala = esFuerza(s) ? caso.escalas.fuerzas : caso.escalas.momentos;
        // Un extremo que es ruido (un reticulado articulado no tiene torsión)
        // no tiene barra, lugar ni combinación que valga la pena nombrar.
        const auto donde = [&](double valor, int b, double x, int deCaso) {
            std::vector<std::string> celdas{numeroInforme(valor, escala)};
            const bool ruido = sinRuido(valor, escala) == 0;
            celdas.push_back(ruido ? "—" : std::to_string(b));
            celdas.push_back(ruido ? "—" : numeroInforme(x));
            if (conCombinacion) celdas.push_back(ruido ? "—" : nombreQueManda(deCaso));
            return celdas;
        };
        std::vector<std::string> fila{kNombresSolicitaciones[s] +
                                      unidadEntreParentesis(esFuerza(s) ? magnitud::fuerza : magnitud::momento)};
        for (const std::string& c : donde(e.maximo, bMax, e.xMaximo, e.casoMaximo)) fila.push_back(c);
        for (const std::string& c : donde(e.minimo, bMin, e.xMinimo, e.casoMinimo)) fila.push_back(c);
        t.fila(fila);
    }
    doc.seccion("Extremos de las solicitaciones");
    if (!caso.dosValores())
        doc.parrafo("Exactos, de las funciones cerradas a lo largo de cada barra; x desde el inicio de la barra.", "nota");
    else
        doc.parrafo(std::string("El mayor valor de la curva de máximos y el menor de la de mínimos a lo largo de cada "
                                "barra; x desde el inicio de la barra") +
                        (conCombinacion ? "; la combinación es la que da ese valor." : "."),
                    "nota");
    doc.tabla(t);
}

namespace {

void tablaReacciones(documentoHtml& doc, const casoResultado& caso) {
    static const char* const nombres[6] = {"Rx", "Ry", "Rz", "Mx", "My", "Mz"};
    tablaHtml t(columnasSeis({{"Nudo", false}}, nombres, magnitud::fuerza, magnitud::momento));
    for (const objNudo3d& n : nudo) {
        if (!n.tieneAlgunaReaccion()) continue;
        const Eigen::Index i = n.getNoNudoInterno();
        if (i < 0 || i >= caso.reacciones.cols()) continue;
        std::vector<std::string> celdas{std::to_string(n.getNoNudoUsuario())};
        for (int k = 0; k < 6; ++k)
            celdas.push_back(numeroInforme(caso.reacciones(k, i), k < 3 ? caso.escalas.fuerzas : caso.escalas.momentos));
        t.fila(celdas);
    }
    if (t.vacia()) return;
    const auto torsor = [&](const Torsor& r, const char* titulo) {
        std::vector<std::string> celdas{titulo};
        for (int k = 0; k < 6; ++k) celdas.push_back(numeroInforme(r(k), k < 3 ? caso.escalas.fuerzas : caso.escalas.momentos));
        t.fila(celdas, "suma");
    };
    torsor(caso.equilibrio.reacciones, "Suma de las reacciones");
    torsor(caso.equilibrio.cargas, "Cargas aplicadas");
    doc.seccion("Reacciones");
    doc.parrafo("En ejes globales; en un grado de libertad con resorte, la fuerza del resorte. Las dos últimas filas "
                "son las resultantes de las reacciones y de las cargas aplicadas, con los momentos respecto del "
                "origen: en equilibrio suman cero.",
                "nota");
    doc.tabla(t);
    // Por debajo de 1e-16 el error es el redondeo de la doble precisión: su
    // valor no dice nada y se escribe como cota.
    char error[32] = "< 1e-16";
    if (!(caso.equilibrio.error < 1e-16)) std::snprintf(error, sizeof error, "%.1e", caso.equilibrio.error);
    doc.parrafo(std::string("Error relativo de equilibrio: ") + error + ".");
}

// Las solicitaciones de la barra en sus dos extremos, con los signos de los
// diagramas: N(0) = −fx1, Vy(0) = fy1, Vz(0) = fz1, T(0) = −mx1, My(0) = −mz1,
// Mz(0) = my1 y N(L) = fx2, Vy(L) = −fy2, Vz(L) = −fz2, T(L) = mx2, My(L) = mz2,
// Mz(L) = −my2.
void filasExtremos(tablaHtml& t, const casoResultado& caso, const objBarra3d& b, bool conDestacado,
                   const std::string& destacado = "") {
    const double* f = caso.barras[static_cast<std::size_t>(b.getNoBarraInterna())].fuerzas;
    const double inicio[6] = {-f[0], f[1], f[2], -f[3], -f[5], f[4]};
    const double fin[6] = {f[6], -f[7], -f[8], f[9], f[11], -f[10]};
    t.grupo();
    for (int e = 0; e < 2; ++e) {
        // La barra y el valor que la destaca, sólo en su primera fila.
        std::vector<std::string> celdas{e == 0 ? std::to_string(b.getNoBarraUsuario()) : ""};
        if (conDestacado) celdas.push_back(e == 0 ? destacado : "");
        celdas.push_back(std::to_string(e == 0 ? b.getNudoInicioUsuario() : b.getNudoFinalUsuario()));
        const double* v = e == 0 ? inicio : fin;
        for (int k = 0; k < 6; ++k)
            celdas.push_back(numeroInforme(v[k], k < 3 ? caso.escalas.fuerzas : caso.escalas.momentos));
        t.fila(celdas);
    }
}

std::vector<tablaHtml::columna> columnasExtremos(const std::string& destacada) {
    std::vector<tablaHtml::columna> c{{"Barra"}};
    if (!destacada.empty()) c.push_back({destacada});
    c.push_back({"Nudo"});
    for (int s = 0; s < kNumeroSolicitaciones; ++s)
        c.push_back({kNombresSolicitaciones[s] + unidadEntreParentesis(esFuerza(s) ? magnitud::fuerza : magnitud::momento)});
    return c;
}

void tablasFuerzasExtremos(documentoHtml& doc, const casoResultado& caso) {
    std::vector<const objBarra3d*> conResultados;
    for (const objBarra3d& b : barra)
        if (b.getNoBarraInterna() >= 0 && b.getNoBarraInterna() < static_cast<int>(caso.barras.size()))
            conResultados.push_back(&b);
    if (conResultados.empty()) return;
    const char* const nota =
        "Solicitaciones en el inicio y el fin de cada barra con los signos de los diagramas (N positivo en "
        "tracción; My del plano local x-y, Mz del x-z). Las fuerzas de extremo en ejes locales de todas las "
        "barras están en fuerzasExtremos.csv y los extremos de cada barra en solicitaciones.csv (--csv).";
    if (conResultados.size() <= kBarrasEnTablaCompleta) {
        tablaHtml t(columnasExtremos(""));
        for (const objBarra3d* b : conResultados) filasExtremos(t, caso, *b, false);
        doc.seccion("Solicitaciones en los extremos de las barras");
        doc.parrafo(nota, "nota");
        doc.tabla(t);
        return;
    }
    doc.seccion("Barras más solicitadas");
    doc.parrafo("El modelo tiene " + std::to_string(conResultados.size()) + " barras: aquí, las " +
                    std::to_string(kBarrasDestacadas) +
                    " de mayor |N|, |V|, |T| y |M| a lo largo de la barra (V el mayor de Vy y Vz, M el mayor de My y Mz). " +
                    nota,
                "nota");
    struct criterio {
        const char* titulo;
        int s1, s2;
        magnitud m;
    };
    const criterio criterios[] = {{"|N|", kSolicitacionN, kSolicitacionN, magnitud::fuerza},
                                  {"|V|", kSolicitacionVy, kSolicitacionVz, magnitud::fuerza},
                                  {"|T|", kSolicitacionT, kSolicitacionT, magnitud::momento},
                                  {"|M|", kSolicitacionMy, kSolicitacionMz, magnitud::momento}};
    for (const criterio& cr : criterios) {
        const auto valor = [&](const objBarra3d* b) {
            const extremoSolicitacion* e = caso.barras[static_cast<std::size_t>(b->getNoBarraInterna())].extremos;
            return std::max({std::fabs(e[cr.s1].maximo), std::fabs(e[cr.s1].minimo), std::fabs(e[cr.s2].maximo),
                             std::fabs(e[cr.s2].minimo)});
        };
        std::vector<std::pair<double, const objBarra3d*>> orden;
        orden.reserve(conResultados.size());
        for (const objBarra3d* b : conResultados) orden.emplace_back(valor(b), b);
        const std::size_t n = std::min(kBarrasDestacadas, orden.size());
        std::partial_sort(orden.begin(), orden.begin() + static_cast<long>(n), orden.end(),
                          [](const auto& a, const auto& b) {
                              return a.first != b.first ? a.first > b.first
                                                        : a.second->getNoBarraUsuario() < b.second->getNoBarraUsuario();
                          });
        const double escala = cr.m == magnitud::fuerza ? caso.escalas.fuerzas : caso.escalas.momentos;
        if (n == 0 || sinRuido(orden[0].first, escala) == 0) continue;
        tablaHtml t(columnasExtremos(std::string(cr.titulo) + " máx" + unidadEntreParentesis(cr.m)));
        for (std::size_t k = 0; k < n; ++k) {
            if (sinRuido(orden[k].first, escala) == 0) break;
            filasExtremos(t, caso, *orden[k].second, true, numeroInforme(orden[k].first, escala));
        }
        doc.seccion(std::string("Las ") + std::to_string(kBarrasDestacadas) + " barras de mayor " + cr.titulo);
        doc.tabla(t);
    }
}

void capituloCombinacion(documentoHtml& doc, const casoResultado& caso, int c) {
    doc.capitulo("Combinación " + caso.nombre);
    if (caso.combo >= 0 && caso.combo < static_cast<int>(combinaciones.size()))
        doc.parrafo("Factores: " + textoFactores(combinaciones[static_cast<std::size_t>(caso.combo)]) + ".");
    // Segundo orden: cuántas iteraciones y cuánto amplificó; sin resultados si
    // supera la carga crítica.
    if (caso.tipo == tipoCaso::segundoOrden) {
        // La línea del modo por lotes dice de una combinación inestable que
        // sus valores se escriben 0 (en resultados.txt y los CSV); aquí no se
        // escribe ninguno.
        if (caso.segundoOrden.inestable) {
            doc.parrafo("Segundo orden del combo " + caso.nombre +
                        ": la carga supera la crítica de pandeo (K + Kg deja de ser definida positiva); la "
                        "combinación no tiene resultados.");
            return;
        }
        doc.parrafo(lineaSegundoOrden(caso) + (caso.segundoOrden.convergio ? "" : " (sin converger)") +
                    ". El equilibrio se plantea en la geometría deformada.");
    }
    if (!caso.barrasInactivas.empty()) doc.parrafo(lineaBarrasInactivas(caso) + ".");
    tablaReacciones(doc, caso);
    tablaDesplazamientos(doc, caso, c);
    agregarFigura(doc, figuraDeformada(caso));
    tablaExtremos(doc, caso);
    agregarDiagramas(doc, caso);
    tablasFuerzasExtremos(doc, caso);
}

}  // namespace

void capituloDeCaso(documentoHtml& doc, const casoResultado& caso, int indice) {
    // Cada clase de caso, su capítulo: una clase nueva agrega aquí su rama.
    switch (caso.tipo) {
        case tipoCaso::combinacion:
        case tipoCaso::segundoOrden: capituloCombinacion(doc, caso, indice); break;
        case tipoCaso::espectral: capituloCasoSismico(doc, caso); break;
        case tipoCaso::comboEspectral: capituloComboSismico(doc, caso); break;
        case tipoCaso::envolvente: capituloEnvolvente(doc, caso); break;
    }
}
