#include "reporte/informe/tablasEntrada.h"

#include <algorithm>
#include <cmath>

#include "diagnosticos.h"
#include "globales.h"
#include "modelo/cargasDadas.h"
#include "modelo/sismo.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/figurasInforme.h"

namespace {

const char* const kGdlNudo[6] = {"Ux", "Uy", "Uz", "Gx", "Gy", "Gz"};

std::string unidad(magnitud m) { return unidadEntreParentesis(m); }

// "x-y 0, x-z 0.5": los factores de fijación de un extremo que no son 1.
std::string liberacionTexto(double planoXY, double planoXZ) {
    std::string t;
    if (planoXY != 1.0) t = "x-y " + numeroInforme(planoXY);
    if (planoXZ != 1.0) t += (t.empty() ? "" : ", ") + std::string("x-z ") + numeroInforme(planoXZ);
    return t;
}

const char* sentidoTexto(objBarra3d::sentidoAxial s) {
    switch (s) {
        case objBarra3d::sentidoAxial::soloTraccion: return "solo tracción";
        case objBarra3d::sentidoAxial::soloCompresion: return "solo compresión";
        case objBarra3d::sentidoAxial::ambos: break;
    }
    return "";
}

std::string unidadMasaPorLargo() {
    if (sufijoUnidad(magnitud::fuerza).empty()) return "";
    return " (" + unidadFuerza + "·s²/" + unidadLongitud + "²)";
}

// La clase de una carga de barra y el eje o la dirección, como los dice su etiqueta.
struct claseDeCarga {
    const char* etiqueta;
    const char* nombre;
    const char* eje;
};
const claseDeCarga kClasesDeBarra[] = {{"distribuidaLocalX:", "distribuida", "x local"},
                                       {"distribuidaLocalY:", "distribuida", "y local"},
                                       {"distribuidaLocalZ:", "distribuida", "z local"},
                                       {"distribuidaLocalT:", "torsión distribuida", "x local"},
                                       {"distribuidaGlobal:", "distribuida", ""}};

// Una fila por registro con esa etiqueta: sus nudos o barras en rangos y sus
// valores tal como los da el archivo; la tabla, con su nota, sólo si hay alguno.
void tablaDeRegistros(documentoHtml& doc, const std::vector<const registroCarga*>& registros, const char* etiqueta,
                      tablaHtml t, const std::string& nota) {
    for (const registroCarga* r : registros) {
        if (r->etiqueta != etiqueta) continue;
        std::vector<std::string> celdas{enRangos(r->numeros)};
        for (double v : r->valores) celdas.push_back(numeroInforme(v));
        t.fila(celdas);
    }
    if (t.vacia()) return;
    doc.parrafo(nota, "nota");
    doc.tabla(t);
}

void tablaCargasDeNudo(documentoHtml& doc, const std::vector<const registroCarga*>& registros) {
    tablaDeRegistros(doc, registros, "puntual:", tablaHtml(columnasTorsor({{"Nudos", false}})),
                     "Cargas en los nudos (puntual:), en ejes globales:");
}

void tablaCargasDeBarra(documentoHtml& doc, const std::vector<const registroCarga*>& registros) {
    const std::string q = unidad(magnitud::fuerzaPorLongitud);
    tablaHtml t({{"Barras", false}, {"Carga", false}, {"Inicio" + q}, {"Fin" + q}, {"Eje o dirección", false}});
    bool torsion = false;
    for (const registroCarga* r : registros)
        for (const claseDeCarga& c : kClasesDeBarra) {
            if (r->etiqueta != c.etiqueta) continue;
            const std::vector<double>& v = r->valores;
            std::string eje = c.eje;
            if (eje.empty())
                eje = "global (" + numeroInforme(v[2]) + ", " + numeroInforme(v[3]) + ", " + numeroInforme(v[4]) + ")";
            const bool t1 = v.size() == 1;
            torsion = torsion || t1;
            t.fila({enRangos(r->numeros), c.nombre, numeroInforme(v[0]), numeroInforme(t1 ? v[0] : v[1]), eje});
        }
    if (t.vacia()) return;
    std::string nota = "Cargas distribuidas en las barras, lineales del inicio al fin de cada una";
    if (torsion && !sufijoUnidad(magnitud::momento).empty())
        nota += " (la torsión distribuida, en" + sufijoUnidad(magnitud::momento) + "/" + unidadLongitud + ")";
    doc.parrafo(nota + ":", "nota");
    doc.tabla(t);
}

void tablaTemperaturas(documentoHtml& doc, const std::vector<const registroCarga*>& registros) {
    tablaDeRegistros(doc, registros, "temperatura:",
                     tablaHtml({{"Barras", false}, {"α (1/°)"}, {"ΔT (°)"}, {"Gy (°/largo)"}, {"Gz (°/largo)"}}),
                     "Temperaturas (temperatura:): coeficiente de dilatación, cambio uniforme y gradientes a través "
                     "de la sección según los ejes locales y y z:");
}

void pesoPropioDelCaso(documentoHtml& doc, const std::string& caso) {
    if (caso != casoPesoPropio) return;
    double peso = 0;
    for (const objBarra3d& b : barra)
        if (b.tieneSeccionYMaterial()) peso += b.getPesoEspecifico() * b.getAreaBruta() * b.getLongitud();
    doc.parrafo("Peso propio (pesoPropio:): en todas las barras, peso específico × área de la sección bruta, hacia −Z; "
                "en total " + numeroInforme(peso) + sufijoUnidad(magnitud::fuerza) + ".",
                "nota");
}

// Período y aceleración de un espectro.
void tablaEspectro(documentoHtml& doc, const espectroDiseno& e) {
    const std::string a = unidadLongitud.empty() || unidadFuerza.empty() ? "" : " (" + unidadLongitud + "/s²)";
    tablaHtml t({{"Período (s)"}, {"Aceleración" + a}});
    for (std::size_t i = 0; i < e.periodos.size() && i < e.aceleraciones.size(); ++i)
        t.fila({numeroInforme(e.periodos[i]), numeroInforme(e.aceleraciones[i])});
    doc.tabla(t);
}

std::string casosQueUsan(int e) {
    static const char* const direcciones[3] = {"X", "Y", "Z"};
    std::string t;
    for (const casoSismico& s : sismos) {
        if (s.espectro != e) continue;
        t += (t.empty() ? "" : "; ") + s.nombre + " (dirección " + direcciones[std::clamp(s.direccion, 0, 2)] +
             ", amortiguamiento " + factorCorto(100 * s.amortiguamiento) + " %, " +
             (s.regla == reglaModal::cqc ? "CQC" : "SRSS") + ")";
    }
    return t;
}

void tablaFuenteDeMasa(documentoHtml& doc) {
    tablaHtml t({{"", false}, {"", false}});
    t.fila({"Gravedad", numeroInforme(gravedad) + (unidadLongitud.empty() ? "" : " " + unidadLongitud + "/s²")});
    t.fila({"Masa de las cargas (masaDeCargas:)",
            masasDeCargas.empty() ? "no" : textoFactores({"", masasDeCargas}) + ", divididos por la gravedad"});
    t.fila({"Masa propia de las barras", factorCorto(factorMasaPropia()) + " × peso específico × área / gravedad"});
    std::vector<int> conMasa;
    double adicional = 0;
    for (const objBarra3d& b : barra)
        if (b.getMasaAdicional() != 0)
            conMasa.push_back(b.getNoBarraUsuario()), adicional += b.getMasaAdicional() * b.getLongitud();
    if (!conMasa.empty())
        t.fila({"Masa adicional de barras (masaBarra:)",
                numeroInforme(adicional) + sufijoUnidad(magnitud::masa) + " en las barras " + enRangos(conMasa)});
    double concentrada = 0;
    for (const objNudo3d& n : nudo) concentrada += n.getMasa();
    if (concentrada != 0)
        t.fila({"Masas concentradas (masaNudo:)", numeroInforme(concentrada) + sufijoUnidad(magnitud::masa)});
    doc.seccion("Fuente de la masa");
    doc.tabla(t);
}

}  // namespace

std::vector<tablaHtml::columna> columnasTorsor(std::vector<tablaHtml::columna> primeras) {
    for (const char* f : {"Fx", "Fy", "Fz"}) primeras.push_back({f + unidad(magnitud::fuerza)});
    for (const char* m : {"Mx", "My", "Mz"}) primeras.push_back({m + unidad(magnitud::momento)});
    return primeras;
}

void tablaNudos(documentoHtml& doc) {
    if (nudo.empty()) return;
    const bool conResortes = std::any_of(nudo.begin(), nudo.end(), [](const objNudo3d& n) {
        return (n.getResorte().array() != 0).any();
    });
    const std::string l = unidad(magnitud::longitud);
    std::vector<tablaHtml::columna> columnas{{"Nudo"}, {"X" + l}, {"Y" + l}, {"Z" + l}, {"Apoyo", false}};
    if (conResortes) columnas.push_back({"Resortes", false});
    tablaHtml t(columnas);
    for (const objNudo3d& n : nudo) {
        std::vector<std::string> celdas{std::to_string(n.getNoNudoUsuario()), numeroInforme(n.getX()),
                                        numeroInforme(n.getY()), numeroInforme(n.getZ())};
        const Eigen::VectorXi a = n.getApoyo();
        std::string apoyo;
        for (int g = 0; g < 6 && a.size() == 6; ++g)
            if (a(g)) apoyo += (apoyo.empty() ? "" : " ") + std::string(kGdlNudo[g]);
        celdas.push_back(apoyo);
        if (conResortes) {
            static const char* const k[6] = {"kx", "ky", "kz", "kgx", "kgy", "kgz"};
            const Eigen::Matrix<double, 6, 1> r = n.getResorte();
            std::string texto;
            for (int g = 0; g < 6; ++g)
                if (r(g) != 0) texto += (texto.empty() ? "" : ", ") + std::string(k[g]) + " " + numeroInforme(r(g));
            celdas.push_back(texto);
        }
        t.fila(celdas);
    }
    doc.seccion("Nudos");
    doc.parrafo("Apoyo: los grados de libertad fijos. Resortes: rigideces según los ejes globales, como en la tabla "
                "de resortes.",
                "nota");
    doc.tabla(t);
}

void tablaBarras(documentoHtml& doc) {
    if (barra.empty()) return;
    bool liberaciones = false, sentido = false, masa = false;
    for (const objBarra3d& b : barra) {
        liberaciones = liberaciones || b.getArtIniY() != 1.0 || b.getArtFinY() != 1.0 || b.getArtIniZ() != 1.0 ||
                       b.getArtFinZ() != 1.0;
        sentido = sentido || b.getSentidoAxial() != objBarra3d::sentidoAxial::ambos;
        masa = masa || b.getMasaAdicional() != 0;
    }
    std::vector<tablaHtml::columna> columnas{{"Barra"},   {"Nudo i"},           {"Nudo j"},
                                             {"Longitud" + unidad(magnitud::longitud)},
                                             {"Sección", false}, {"Rotación (°)"}};
    if (liberaciones) columnas.insert(columnas.end(), {{"Liberación i", false}, {"Liberación j", false}});
    if (sentido) columnas.push_back({"Axial", false});
    if (masa) columnas.push_back({"Masa adicional" + unidadMasaPorLargo()});
    tablaHtml t(columnas);
    for (const objBarra3d& b : barra) {
        const std::string seccion = b.getBoolSeccion() ? b.getNombreDeSeccion() : "—";
        std::vector<std::string> celdas{std::to_string(b.getNoBarraUsuario()), std::to_string(b.getNudoInicioUsuario()),
                                        std::to_string(b.getNudoFinalUsuario()), numeroInforme(b.getLongitud()),
                                        seccion, numeroInforme(b.getRotacionGrados())};
        if (liberaciones) {
            celdas.push_back(liberacionTexto(b.getArtIniY(), b.getArtIniZ()));
            celdas.push_back(liberacionTexto(b.getArtFinY(), b.getArtFinZ()));
        }
        if (sentido) celdas.push_back(sentidoTexto(b.getSentidoAxial()));
        if (masa) celdas.push_back(b.getMasaAdicional() != 0 ? numeroInforme(b.getMasaAdicional()) : "");
        t.fila(celdas);
    }
    doc.seccion("Barras");
    std::string nota = "Rotación: la de rotacionBarra:, en grados.";
    if (liberaciones) nota += " Liberación: factores de fijación de cada extremo distintos de 1, por plano (0 rótula).";
    if (masa) nota += " Masa adicional: la de masaBarra:, por unidad de largo.";
    doc.parrafo(nota, "nota");
    doc.tabla(t);
}

bool casoSoloDeTemperatura(const std::string& caso) {
    const std::vector<const registroCarga*> r = registrosDeCaso(caso);
    return !r.empty() && caso != casoPesoPropio &&
           std::all_of(r.begin(), r.end(), [](const registroCarga* c) { return c->etiqueta == "temperatura:"; });
}

void cargasDelCaso(documentoHtml& doc, const std::string& caso) {
    const std::vector<const registroCarga*> registros = registrosDeCaso(caso);
    if (registros.empty() && caso != casoPesoPropio) return;
    doc.seccion("Caso " + caso);
    tablaCargasDeNudo(doc, registros);
    tablaCargasDeBarra(doc, registros);
    tablaTemperaturas(doc, registros);
    pesoPropioDelCaso(doc, caso);
    agregarFigura(doc, figuraCargas(caso));
}

void espectrosYMasa(documentoHtml& doc) {
    if (espectros.empty() && modosPedidos <= 0) return;
    for (std::size_t e = 0; e < espectros.size(); ++e) {
        doc.seccion("Espectro " + espectros[e].nombre);
        const std::string casos = casosQueUsan(static_cast<int>(e));
        if (!casos.empty()) doc.parrafo("Casos sísmicos que lo usan: " + casos + ".", "nota");
        tablaEspectro(doc, espectros[e]);
        agregarFigura(doc, figuraEspectro(static_cast<int>(e)));
    }
    tablaFuenteDeMasa(doc);
}
