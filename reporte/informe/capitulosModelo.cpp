// Capítulos que describen la corrida y el modelo: título, mensajes, modelo y cargas.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/proyecto.h"
#include "modelo/sismo.h"
#include "analisis/equilibrio.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/figurasInforme.h"
#include "reporte/informe/tablasEntrada.h"
#include "version.h"

namespace {

// Unidades compuestas de longitud y fuerza para los encabezados: " (m²)", " (kN/m³)".
std::string unidadLongitudA(const char* potencia) {
    if (sufijoUnidad(magnitud::longitud).empty()) return "";
    return " (" + unidadLongitud + potencia + ")";
}
std::string unidadFuerzaPorLongitudA(const char* potencia) {
    if (sufijoUnidad(magnitud::longitud).empty()) return "";
    return " (" + unidadFuerza + "/" + unidadLongitud + potencia + ")";
}
std::string unidadDe(magnitud m) { return unidadEntreParentesis(m); }

// Las seis componentes de un torsor (fuerzas y momentos) en celdas.
void celdasTorsor(std::vector<std::string>& celdas, const Torsor& t, double escalaFuerzas, double escalaMomentos) {
    for (int i = 0; i < 6; ++i) celdas.push_back(numeroInforme(t(i), i < 3 ? escalaFuerzas : escalaMomentos));
}

// Escala de ruido de un torsor: sus mayores fuerza y momento, y lo que da
// la otra clase con el tamaño del modelo como brazo.
std::pair<double, double> escalasTorsor(const Torsor& t, double tamano) {
    const double f = t.head<3>().cwiseAbs().maxCoeff(), m = t.tail<3>().cwiseAbs().maxCoeff();
    return {std::max(f, m / tamano), std::max(m, f * tamano)};
}

const char* tipoDeSeccion(int codigo) {
    switch (codigo) {
        case 0: return "genérica";
        case 1: return "rectangular";
        case 2: return "costanera";
        case 3: return "W";
        case 4: return "placa";
        default: return "sin sección";
    }
}

std::string dimensionesTexto(const objBarra3d& b) {
    static const char* const rectangular[] = {"base", "altura"};
    static const char* const costanera[] = {"alma", "ala", "labio", "espesor", "radio"};
    static const char* const w[] = {"ala", "grosor del ala", "alma", "grosor del alma"};
    const char* const* nombres = nullptr;
    switch (b.getCodigoSeccion()) {
        case 1: case 4: nombres = rectangular; break;
        case 2: nombres = costanera; break;
        case 3: nombres = w; break;
        default: return "";
    }
    const std::vector<double> v = b.getDimensionesSeccion();
    std::string t;
    for (std::size_t i = 0; i < v.size(); ++i) t += (i ? ", " : "") + std::string(nombres[i]) + " " + numeroInforme(v[i]);
    return t;
}

void tablaSecciones(documentoHtml& doc) {
    // Barras con la misma sección y el mismo material forman una fila.
    using clave = std::tuple<std::string, int, std::vector<double>, std::vector<double>>;
    struct grupo {
        const objBarra3d* ejemplo;
        std::vector<int> barras;
        double longitud = 0, peso = 0;
    };
    std::map<clave, grupo> grupos;
    std::vector<clave> orden;
    for (const objBarra3d& b : barra) {
        const bool conSeccion = b.tieneSeccionYMaterial();
        const clave k{conSeccion ? b.getNombreDeSeccion() : std::string(), conSeccion ? b.getCodigoSeccion() : -1,
                      conSeccion ? b.getDimensionesSeccion() : std::vector<double>(),
                      conSeccion ? std::vector<double>{b.getArea(), b.getIy(), b.getIz(), b.getModJ(), b.getModE(),
                                                       b.getModG(), b.getPesoEspecifico()}
                                 : std::vector<double>()};
        auto [it, nuevo] = grupos.try_emplace(k, grupo{&b, {}, 0, 0});
        if (nuevo) orden.push_back(k);
        it->second.barras.push_back(b.getNoBarraUsuario());
        it->second.longitud += b.getLongitud();
        if (conSeccion) it->second.peso += b.getPesoEspecifico() * b.getAreaBruta() * b.getLongitud();
    }
    if (grupos.empty()) return;
    tablaHtml geometria({{"Sección", false},
                         {"Tipo", false},
                         {"Dimensiones" + unidadLongitudA(""), false},
                         {"A" + unidadLongitudA("²")},
                         {"Iy" + unidadLongitudA("⁴")},
                         {"Iz" + unidadLongitudA("⁴")},
                         {"J" + unidadLongitudA("⁴")}});
    tablaHtml material({{"Sección", false},
                        {"E" + unidadFuerzaPorLongitudA("²")},
                        {"G" + unidadFuerzaPorLongitudA("²")},
                        {"Peso específico" + unidadFuerzaPorLongitudA("³")},
                        {"Barras", false},
                        {"Longitud total" + unidadLongitudA("")},
                        {"Peso total" + unidadDe(magnitud::fuerza)}});
    double longitud = 0, peso = 0;
    for (const clave& k : orden) {
        const grupo& g = grupos.at(k);
        const objBarra3d& b = *g.ejemplo;
        std::string nombre = std::get<0>(k).empty() ? "—" : std::get<0>(k);
        // Una sección fisurada (modificadorRigidez:) dice sus factores: A, Iy,
        // Iz y J de la fila son los de la rigidez; el peso, el de la sección bruta.
        if (std::get<1>(k) >= 0 && b.tieneModificadorRigidez()) {
            char texto[160];
            std::snprintf(texto, sizeof texto, " (rigidez: A×%g, Iy×%g, Iz×%g, J×%g)", b.getModificadorRigidez(0),
                          b.getModificadorRigidez(1), b.getModificadorRigidez(2), b.getModificadorRigidez(3));
            nombre += texto;
        }
        if (std::get<1>(k) < 0) {
            geometria.fila({nombre, tipoDeSeccion(-1), "", "", "", "", ""});
            material.fila({nombre, "", "", "", enRangos(g.barras), numeroInforme(g.longitud), ""});
        } else {
            geometria.fila({nombre, tipoDeSeccion(b.getCodigoSeccion()), dimensionesTexto(b), numeroInforme(b.getArea()),
                            numeroInforme(b.getIy()), numeroInforme(b.getIz()), numeroInforme(b.getModJ())});
            material.fila({nombre, numeroInforme(b.getModE()), numeroInforme(b.getModG()),
                           numeroInforme(b.getPesoEspecifico()), enRangos(g.barras), numeroInforme(g.longitud),
                           numeroInforme(g.peso)});
        }
        longitud += g.longitud;
        peso += g.peso;
    }
    material.fila({"Total", "", "", "", "", numeroInforme(longitud), numeroInforme(peso)}, "suma");
    doc.seccion("Secciones");
    doc.tabla(geometria);
    doc.seccion("Materiales, barras y pesos");
    doc.tabla(material);
}

// Agrupa números de usuario por un valor (un patrón de apoyo, una rigidez).
template <typename Valor>
struct agrupados {
    std::vector<Valor> valores;
    std::vector<std::vector<int>> numeros;
    void agregar(const Valor& v, int numero) {
        for (std::size_t i = 0; i < valores.size(); ++i)
            if (valores[i] == v) return numeros[i].push_back(numero);
        valores.push_back(v);
        numeros.push_back({numero});
    }
};

// Una fila por grupo de valores numéricos: las celdas dadas, los valores y
// los números del grupo en rangos.
void filasDeGrupos(tablaHtml& t, const agrupados<std::vector<double>>& g, const std::vector<std::string>& delante = {}) {
    for (std::size_t i = 0; i < g.valores.size(); ++i) {
        std::vector<std::string> celdas = delante;
        for (double v : g.valores[i]) celdas.push_back(numeroInforme(v));
        celdas.push_back(enRangos(g.numeros[i]));
        t.fila(celdas);
    }
}

const char* const kGdl[6] = {"Ux", "Uy", "Uz", "Gx", "Gy", "Gz"};

void tablaApoyos(documentoHtml& doc) {
    agrupados<std::vector<int>> g;
    for (const objNudo3d& n : nudo) {
        const Eigen::VectorXi a = n.getApoyo();
        if (a.size() == 6 && a.any()) g.agregar(std::vector<int>(a.data(), a.data() + 6), n.getNoNudoUsuario());
    }
    if (g.valores.empty()) return;
    std::vector<tablaHtml::columna> columnas;
    for (const char* c : kGdl) columnas.push_back({c, false});
    columnas.push_back({"Nudos", false});
    tablaHtml t(columnas);
    for (std::size_t i = 0; i < g.valores.size(); ++i) {
        std::vector<std::string> celdas;
        for (int v : g.valores[i]) celdas.push_back(v ? "fijo" : "libre");
        celdas.push_back(enRangos(g.numeros[i]));
        t.fila(celdas);
    }
    doc.seccion("Apoyos");
    doc.tabla(t);
}

void tablaResortes(documentoHtml& doc) {
    agrupados<std::vector<double>> g;
    for (const objNudo3d& n : nudo) {
        const Eigen::Matrix<double, 6, 1> k = n.getResorte();
        if ((k.array() != 0).any()) g.agregar(std::vector<double>(k.data(), k.data() + 6), n.getNoNudoUsuario());
    }
    if (g.valores.empty()) return;
    const std::string kf = sufijoUnidad(magnitud::fuerza).empty() ? "" : " (" + unidadFuerza + "/" + unidadLongitud + ")";
    const std::string km = sufijoUnidad(magnitud::fuerza).empty() ? "" : " (" + unidadFuerza + "·" + unidadLongitud + "/rad)";
    tablaHtml t({{"kx" + kf}, {"ky" + kf}, {"kz" + kf}, {"kgx" + km}, {"kgy" + km}, {"kgz" + km}, {"Nudos", false}});
    filasDeGrupos(t, g);
    doc.seccion("Resortes");
    doc.parrafo("Rigideces según los ejes globales; donde también hay apoyo, manda el apoyo.", "nota");
    doc.tabla(t);
}

void tablaImpuestos(documentoHtml& doc) {
    tablaHtml t({{"Caso", false},
                 {"ux" + unidadDe(magnitud::longitud)},
                 {"uy" + unidadDe(magnitud::longitud)},
                 {"uz" + unidadDe(magnitud::longitud)},
                 {"gx" + unidadDe(magnitud::giro)},
                 {"gy" + unidadDe(magnitud::giro)},
                 {"gz" + unidadDe(magnitud::giro)},
                 {"Nudos", false}});
    for (const std::string& caso : casosDeCarga) {
        agrupados<std::vector<double>> g;
        for (const objNudo3d& n : nudo) {
            const Eigen::Matrix<double, 6, 1> d = n.getImpuestoDeCaso(caso);
            if ((d.array() != 0).any()) g.agregar(std::vector<double>(d.data(), d.data() + 6), n.getNoNudoUsuario());
        }
        filasDeGrupos(t, g, {caso});
    }
    if (t.vacia()) return;
    doc.seccion("Desplazamientos impuestos");
    doc.parrafo("Por caso de carga, en ejes globales; cada combinación impone la suma de factor × valor de sus casos.",
                "nota");
    doc.tabla(t);
}

void tablaLiberaciones(documentoHtml& doc) {
    agrupados<std::vector<double>> g;
    for (const objBarra3d& b : barra) {
        const std::vector<double> f{b.getArtIniY(), b.getArtFinY(), b.getArtIniZ(), b.getArtFinZ()};
        if (std::any_of(f.begin(), f.end(), [](double v) { return v != 1.0; })) g.agregar(f, b.getNoBarraUsuario());
    }
    if (g.valores.empty()) return;
    tablaHtml t({{"Inicio, plano x-y"}, {"Fin, plano x-y"}, {"Inicio, plano x-z"}, {"Fin, plano x-z"}, {"Barras", false}});
    filasDeGrupos(t, g);
    doc.seccion("Liberaciones de extremo");
    doc.parrafo("Factores de fijación de los extremos: 0 rótula, 1 rígido.", "nota");
    doc.tabla(t);
}

void tablaRotaciones(documentoHtml& doc) {
    agrupados<double> g;
    for (const objBarra3d& b : barra)
        if (b.getRotacionGrados() != 0) g.agregar(b.getRotacionGrados(), b.getNoBarraUsuario());
    if (g.valores.empty()) return;
    tablaHtml t({{"Ángulo (°)"}, {"Barras", false}});
    for (std::size_t i = 0; i < g.valores.size(); ++i) t.fila({numeroInforme(g.valores[i]), enRangos(g.numeros[i])});
    doc.seccion("Rotaciones de barra");
    doc.tabla(t);
}

std::string unidadMasa() {
    if (sufijoUnidad(magnitud::fuerza).empty()) return "";
    return " (" + unidadFuerza + "·s²/" + unidadLongitud + ")";
}

void tablaMasas(documentoHtml& doc) {
    agrupados<double> g;
    for (const objNudo3d& n : nudo)
        if (n.getMasa() != 0) g.agregar(n.getMasa(), n.getNoNudoUsuario());
    if (g.valores.empty()) return;
    tablaHtml t({{"Masa" + unidadMasa()}, {"Nudos", false}});
    for (std::size_t i = 0; i < g.valores.size(); ++i) t.fila({numeroInforme(g.valores[i]), enRangos(g.numeros[i])});
    doc.seccion("Masas concentradas");
    doc.tabla(t);
}

}  // namespace

std::string factorCorto(double f) {
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.5g", f);
    return texto;
}

std::string textoFactores(const combinacion& c) {
    // Como se escribe a mano: "1.2 D + 1.6 L", "0.9 D − 1.5 VY" (el signo del
    // factor pasa al operador; un factor 1 se escribe).
    std::string t;
    for (const auto& [factor, caso] : c.terminos) {
        const bool negativo = std::signbit(factor);
        if (t.empty())
            t = (negativo ? "−" : "") + factorCorto(std::fabs(factor)) + " " + caso;
        else
            t += (negativo ? " − " : " + ") + factorCorto(std::fabs(factor)) + " " + caso;
    }
    return t.empty() ? "(sin casos)" : t;
}

std::vector<std::string> comentarioInicial(const std::string& archivo) {
    std::ifstream f(archivo);
    std::vector<std::string> lineas;
    for (std::string linea; lineas.size() < 8 && std::getline(f, linea);) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        std::istringstream palabras(linea);
        bool etiqueta = false, vacia = true;
        for (std::string p; palabras >> p;) vacia = false, etiqueta = etiqueta || p.back() == ':';
        if (etiqueta) break;
        if (vacia) {
            if (lineas.empty()) continue;
            break;
        }
        lineas.push_back(linea);
    }
    return lineas;
}

namespace {
// Los análisis hechos, como los da la lista de resultados.
std::string textoAnalisis() {
    const auto hay = [](tipoCaso t) {
        return std::any_of(resultados.casos.begin(), resultados.casos.end(),
                           [t](const casoResultado& c) { return c.tipo == t; });
    };
    std::string t = "estático lineal por el método de rigidez";
    if (hay(tipoCaso::segundoOrden)) t += "; segundo orden (P-Δ)";
    if (!resultados.pandeo.empty()) t += "; pandeo lineal";
    if (modosPedidos > 0) t += "; modos de vibración";
    if (!resultados.sismos.empty()) t += "; sísmico por espectro de respuesta";
    if (hay(tipoCaso::envolvente)) t += "; envolventes";
    if (!diafragmas.empty()) t += "; diafragmas rígidos de piso";
    return t;
}
}  // namespace

void capituloTitulo(documentoHtml& doc, const std::string& fechaYHora) {
    // Arriba de cada página, el proyecto (o el archivo de modelo) y la fecha del cálculo.
    doc.margenesDePagina((proyecto.proyecto.empty() ? std::filesystem::path(nombreArchivo).filename().string()
                                                    : proyecto.proyecto) +
                         " — " + fechaYHora);
    doc.crudo("<div class=\"titulo\">\n<h1>Informe de cálculo</h1>\n");
    for (const std::string& l : comentarioInicial(nombreArchivo)) doc.parrafo(l, "comentario");
    doc.crudo("</div>\n");
    tablaHtml t({{"", false}, {"", false}});
    // Los datos del proyecto que el modelo da (proyecto:, cliente:, ...), y
    // siempre el archivo y la fecha del cálculo, que identifican el informe.
    const std::pair<const char*, const std::string*> datos[] = {{"Proyecto", &proyecto.proyecto},
                                                                {"Cliente", &proyecto.cliente},
                                                                {"Ingeniero", &proyecto.ingeniero},
                                                                {"Norma", &proyecto.norma},
                                                                {"Fecha del proyecto", &proyecto.fecha}};
    for (const auto& [rotulo, texto] : datos)
        if (!texto->empty()) t.fila({rotulo, *texto});
    t.fila({"Archivo de modelo", nombreArchivo});
    t.fila({"Fecha y hora del cálculo", fechaYHora});
    t.fila({"Programa", kNombreYVersion});
    t.fila({"Análisis", textoAnalisis()});
    if (!unidadFuerza.empty())
        t.fila({"Unidades", "fuerzas en" + sufijoUnidad(magnitud::fuerza) + ", momentos en" +
                                sufijoUnidad(magnitud::momento) + ", longitudes en" + sufijoUnidad(magnitud::longitud)});
    else
        t.fila({"Unidades", "unidades del modelo (el archivo no las declara con unidades:)"});
    doc.tabla(t);
}

void capituloMensajes(documentoHtml& doc) {
    std::string lista;
    int errores = 0, advertencias = 0;
    for (const mensaje& m : mensajes.entradas()) {
        if (m.detalle || m.nivel == nivelMensaje::progreso) continue;
        const bool error = m.nivel == nivelMensaje::error;
        (error ? errores : advertencias)++;
        lista += std::string("<li class=\"") + (error ? "error" : "advertencia") + "\">" + escaparHtml(m.texto) + "</li>\n";
    }
    if (lista.empty()) return;
    // En la primera página, bajo el título: no es un capítulo aparte.
    doc.crudo("<h3>Advertencias y errores del cálculo</h3>\n");
    doc.parrafo(std::to_string(errores) + (errores == 1 ? " error" : " errores") + " y " + std::to_string(advertencias) +
                (advertencias == 1 ? " advertencia" : " advertencias") + ", en el orden en que se produjeron.");
    doc.crudo("<ul class=\"mensajes\">\n" + lista + "</ul>\n");
}

void capituloModelo(documentoHtml& doc) {
    if (nudo.empty() && barra.empty()) return;
    doc.capitulo("Modelo");
    int apoyados = 0;
    for (const objNudo3d& n : nudo) apoyados += n.getApoyo().any() ? 1 : 0;
    tablaHtml cuenta({{"", false}, {"", false}});
    cuenta.fila({"Nudos", std::to_string(nudo.size())});
    cuenta.fila({"Barras", std::to_string(barra.size())});
    cuenta.fila({"Nudos con apoyo", std::to_string(apoyados)});
    cuenta.fila({"Casos de carga", std::to_string(casosDeCarga.size())});
    cuenta.fila({"Combinaciones", std::to_string(combinaciones.size())});
    if (modosPedidos > 0) cuenta.fila({"Modos de vibración pedidos", std::to_string(modosPedidos)});
    if (!nudo.empty()) {
        Eigen::Vector3d lo(nudo[0].getX(), nudo[0].getY(), nudo[0].getZ()), hi = lo;
        for (const objNudo3d& n : nudo) {
            const Eigen::Vector3d p(n.getX(), n.getY(), n.getZ());
            lo = lo.cwiseMin(p), hi = hi.cwiseMax(p);
        }
        const char* ejes[3] = {"X", "Y", "Z"};
        for (int k = 0; k < 3; ++k)
            cuenta.fila({std::string("Extensión en ") + ejes[k], "de " + numeroInforme(lo(k)) + " a " +
                                                                    numeroInforme(hi(k)) + sufijoUnidad(magnitud::longitud)});
    }
    doc.tabla(cuenta);
    for (vistaDibujo v : {vistaDibujo::isometrica, vistaDibujo::planta, vistaDibujo::alzadoXZ, vistaDibujo::alzadoYZ}) {
        // Un pórtico plano visto de canto es una línea: esa vista no se dibuja.
        if (vistaAplanaElModelo(v)) continue;
        const figuraInforme f = figuraModelo(v);
        doc.figura(f.svg, f.pie);
    }
    tablaNudos(doc);
    tablaBarras(doc);
    tablaSecciones(doc);
    tablaApoyos(doc);
    tablaResortes(doc);
    tablaImpuestos(doc);
    tablaLiberaciones(doc);
    tablaRotaciones(doc);
    tablaMasas(doc);
}

void capituloCargas(documentoHtml& doc) {
    if (casosDeCarga.empty() && combinaciones.empty() && espectros.empty() && modosPedidos <= 0) return;
    doc.capitulo("Cargas");
    const double tamano = tamanoDelModelo();
    if (!casosDeCarga.empty()) {
        doc.seccion("Casos de carga");
        doc.parrafo("Resultante de cada caso sin mayorar: cargas puntuales y distribuidas integradas a lo largo de "
                    "cada barra (peso propio incluido), fuerzas y momentos respecto del origen, en ejes globales.",
                    "nota");
        tablaHtml t(columnasTorsor({{"Caso", false}}));
        for (const std::string& caso : casosDeCarga) {
            const Torsor r = resultanteDeCaso(caso);
            std::vector<std::string> celdas{caso};
            // Una temperatura no da fuerzas: la fila lo dice en vez de ser de ceros.
            if (r.isZero(0) && casoSoloDeTemperatura(caso)) {
                celdas.push_back("temperatura");
                celdas.resize(7);
                t.fila(celdas);
                continue;
            }
            const auto [ef, em] = escalasTorsor(r, tamano);
            celdasTorsor(celdas, r, ef, em);
            t.fila(celdas);
        }
        doc.tabla(t);
        for (const std::string& caso : casosDeCarga) cargasDelCaso(doc, caso);
    }
    if (!combinaciones.empty()) {
        doc.seccion("Combinaciones");
        tablaHtml f({{"Combinación", false}, {"Factores y casos", false}});
        for (const combinacion& c : combinaciones) f.fila({c.nombre, textoFactores(c)});
        doc.tabla(f);
        doc.parrafo("Resultante mayorada de cada combinación, respecto del origen:", "nota");
        tablaHtml t(columnasTorsor({{"Combinación", false}}));
        for (std::size_t c = 0; c < combinaciones.size(); ++c) {
            const Torsor r = resultanteCargas(resultados, static_cast<int>(c));
            const auto [ef, em] = escalasTorsor(r, tamano);
            std::vector<std::string> celdas{combinaciones[c].nombre};
            celdasTorsor(celdas, r, ef, em);
            t.fila(celdas);
        }
        doc.tabla(t);
    }
    espectrosYMasa(doc);
}

void capituloSinResultados(documentoHtml& doc) {
    doc.capitulo("Resultados");
    doc.parrafo("No hay resultados: el análisis no terminó. Los errores que lo impidieron están al comienzo del informe.");
}
