#include "visor/capas/escena.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "globales.h"
#include "modelo/diafragma.h"
#include "reporte/escalaRazones.h"
#include "visor/capas/capas.h"
#include "visor/capas/leyenda.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/camara.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaPandeo.h"
#include "visor/escena/lote.h"
#include "visor/escena/rotulos.h"
#include "visor/escena/visibilidad.h"

namespace {

enum IdCapa {
    kCapaEjes,
    kCapaNudos,
    kCapaBarras,
    kCapaArticulaciones,
    kCapaDiafragmas,
    kCapaTagNudos,
    kCapaTagBarras,
    kCapaSecciones,
    kCapaVolumen,
    kCapaApoyos,
    kCapaDeformada,
    kCapaAxial,
    kCapaCortanteY,
    kCapaMomentoY,
    kCapaTorsion,
    kCapaCargas,
    kCapaReacciones,
    kCapaCortanteZ,
    kCapaMomentoZ,
    kCapaResaltada,
    kCapaAcero,
    kCapaPisos
};

// Una capa preparada: su lote, su línea de la leyenda y el número de la
// preparación que los dejó así.
struct Capa {
    std::vector<double> clave;  // de qué se preparó
    LoteDibujo lote;
    std::string leyenda;
    std::vector<std::string> masLeyenda;  // líneas que siguen a la primera, en su color
    // El color propio de cada una de masLeyenda (la escala de la capa de acero), si lo tienen.
    std::vector<std::array<float, 3>> coloresMasLeyenda;
    std::array<float, 3> colorLeyenda = kColorLeyenda;
    bool usada = false;
    unsigned long preparacion = 0;
};

std::map<std::pair<int, int>, Capa> capas;
std::vector<std::string> leyenda;
std::vector<std::array<float, 3>> coloresLeyenda;

// Los tonos de la segunda combinación activa en adelante. Ninguno es verde
// ni naranja: la primera combinación lleva los colores de siempre (momentos
// rojizos), y rojo contra verde es el par que no distingue quien tiene
// daltonismo; los seis se separan por el azul y por el brillo.
const TonoCombinacion kTonos[kTonosCombinaciones] = {
    {"celeste", {0.35f, 0.75f, 1.0f}}, {"amarillo", {1.0f, 0.9f, 0.25f}}, {"rosa", {1.0f, 0.5f, 0.8f}},
    {"azul", {0.3f, 0.45f, 1.0f}},     {"blanco", {0.95f, 0.95f, 0.95f}}, {"lila", {0.75f, 0.6f, 1.0f}},
};

// Lo preparado para la combinación activa número `orden` pasa a su tono.
void aplicarTono(Capa& capa, int orden) {
    if (orden <= 0) return;
    const TonoCombinacion t = tonoDeCombinacion(orden);
    capa.lote.pasarATono(t.color);
    capa.colorLeyenda = t.color;
}

// La forma modal animada: se prepara una vez en sus dos extremos (sin
// desplazar y con toda la amplitud) y cada cuadro dibuja el lote intermedio
// de la fase del momento, sin compilarlo en una lista.
struct FormaModal {
    std::vector<double> clave;
    LoteDibujo quieta, desplazada;
    std::string leyenda;
};
FormaModal formaModal;
unsigned long preparaciones = 0;

// El aislamiento se compara con el del cuadro anterior: si cambió, sube su revisión.
std::vector<int> barrasVistas, nudosVistos;
unsigned revisionAislamiento = 0;

void revisarAislamiento() {
    if (barrasVistas == barrasAisladas && nudosVistos == nudosAislados) return;
    barrasVistas = barrasAisladas;
    nudosVistos = nudosAislados;
    ++revisionAislamiento;
}

// Todas las capas dependen del modelo, de sus resultados y del aislamiento.
std::vector<double> clave(std::initializer_list<double> propias) {
    std::vector<double> c = {static_cast<double>(revisionModelo), static_cast<double>(revisionAislamiento)};
    c.insert(c.end(), propias);
    return c;
}

// La capa (id, combinación) tal como la pide la clave: si se preparó con otra
// clave (o nunca), se prepara de nuevo.
// La distancia de la cámara con seis cifras: orbitar la conserva, salvo los
// redondeos de cada paso, que no deben rehacer las capas que dependen del zoom.
double distanciaDeClave() {
    if (!(distCamObj > 0.0) || !std::isfinite(distCamObj)) return distCamObj;
    const double orden = std::pow(10.0, std::floor(std::log10(distCamObj)) - 5);
    return std::round(distCamObj / orden) * orden;
}

// Píxeles por unidad del modelo con que se eligen los detalles de las capas,
// redondeados a medias octavas: cada paso de la rueda no rehace las capas, y
// lo dibujado queda a lo sumo 1.4 veces más espaciado que lo pedido.
double pixelesDeDetalle() {
    const double p = pixelesPorUnidad(wVentana, hVentana, flagActivo(kFlagPerspectiva), distCamObj);
    if (!(p > 0.0)) return 0.0;
    return std::pow(2.0, std::floor(2.0 * std::log2(p)) / 2.0);
}

template <typename Construir>
Capa& preparar(int id, int combo, std::vector<double> c, Construir construir) {
    Capa& capa = capas[{id, combo}];
    capa.usada = true;
    if (!capa.clave.empty() && capa.clave == c) return capa;
    capa.clave = std::move(c);
    capa.lote = LoteDibujo();
    capa.lote.ponerPixelesPorUnidad(pixelesDeDetalle());
    capa.leyenda.clear();
    capa.masLeyenda.clear();
    capa.coloresMasLeyenda.clear();
    capa.colorLeyenda = kColorLeyenda;
    construir(capa);
    ordenarRotulos(capa.lote.rotulos());
    capa.preparacion = ++preparaciones;
    return capa;
}

struct CapaDiagrama {
    int interruptor;
    IdCapa id;
    TipoDiagrama tipo;
    double* escala;
    void (*plot)(LoteDibujo&, int, double);
};

}  // namespace

std::vector<CapaPreparada> prepararEscena() {
    for (auto& [id, capa] : capas) capa.usada = false;
    revisarAislamiento();
    leyenda.clear();
    coloresLeyenda.clear();
    std::vector<CapaPreparada> lista;
    const auto agregar = [&lista](Capa& c, bool encima = false, bool referencia = false) {
        if (!c.lote.vacio()) lista.push_back({&c.lote, c.preparacion, encima, referencia});
        if (!c.leyenda.empty()) {
            leyenda.push_back(c.leyenda);
            coloresLeyenda.push_back(c.colorLeyenda);
            for (std::size_t k = 0; k < c.masLeyenda.size(); ++k) {
                leyenda.push_back(c.masLeyenda[k]);
                coloresLeyenda.push_back(k < c.coloresMasLeyenda.size() ? c.coloresMasLeyenda[k] : c.colorLeyenda);
            }
        }
    };

    if (flagActivo(kFlagEjes))
        agregar(preparar(kCapaEjes, 0, clave({diagonal}), [](Capa& c) { plotEjes(c.lote); }), false, true);
    if (cantidadNudos() != 0)
        agregar(preparar(kCapaNudos, 0, clave({diagonal, static_cast<double>(flagActivo(kFlagEsferasNudos))}),
                         [](Capa& c) { plotNudos(c.lote); }));
    if (cantidadBarras() != 0) {
        // Con plotAcero y una verificación de acero, las barras van con el color de su razón.
        if (flagActivo(kFlagAcero) && resultados.disponibles && hayRazones(resultados.acero))
            agregar(preparar(kCapaAcero, 0, clave({}), [](Capa& c) {
                plotRazonesAcero(c.lote);
                c.leyenda = lineaLeyendaAcero(resultados.acero);
                c.masLeyenda = {"0", "0.5", "1", "> 1 (no cumple)"};
                c.coloresMasLeyenda = {colorDeRazon(0), colorDeRazon(0.5), colorDeRazon(1), kColorRazonExcedida};
            }));
        else
            agregar(preparar(kCapaBarras, 0, clave({}), [](Capa& c) { plotBarras(c.lote); }));
        agregar(preparar(kCapaArticulaciones, 0, clave({diagonal}), [](Capa& c) { plotArticulaciones(c.lote); }));
    }
    if (!diafragmas.empty())
        agregar(preparar(kCapaDiafragmas, 0, clave({resultados.disponibles ? 1.0 : 0.0}),
                         [](Capa& c) { plotDiafragmas(c.lote); }));
    // Las etiquetas se corren con el zoom (distCamObj): el orbitar no la cambia.
    if (flagActivo(kFlagTagNudos))
        agregar(preparar(kCapaTagNudos, 0, clave({escalaTexto, distanciaDeClave()}),
                         [](Capa& c) { plotTagNudos(c.lote, escalaTexto); }));
    if (flagActivo(kFlagTagBarras))
        agregar(preparar(kCapaTagBarras, 0, clave({escalaTexto, distanciaDeClave()}),
                         [](Capa& c) { plotTagBarras(c.lote, escalaTexto); }));
    if (flagActivo(kFlagSecciones))
        agregar(preparar(kCapaSecciones, 0, clave({escalaTexto, distanciaDeClave()}),
                         [](Capa& c) { plotSecciones(c.lote, escalaTexto); }));
    if (flagActivo(kFlagVolumen)) agregar(preparar(kCapaVolumen, 0, clave({}), [](Capa& c) { plotVolumen(c.lote); }));
    if (flagActivo(kFlagApoyos))
        agregar(preparar(kCapaApoyos, 0, clave({escalaApoyo, diagonal}),
                         [](Capa& c) { plotApoyos(c.lote, escalaApoyo); }));

    // Capas de resultados y cargas: una por cada combinación activa, en el
    // orden de siempre; desde la segunda activa, cada una en su tono.
    std::vector<int> activas;
    for (int c = 0; c < cantidadCombos(); ++c)
        if (comboActivo(c)) activas.push_back(c);
    const bool varias = activas.size() > 1;
    const double textos = flagActivo(kFlagTextosDiagramas), internas = flagActivo(kFlagLineasInternas);
    const double decimales = precision;
    // Las líneas internas de los diagramas y las flechas de las cargas
    // siguen al zoom: más juntas que un par de píxeles no se dibujan.
    const double detalle = pixelesDeDetalle();
    const CapaDiagrama diagramas[] = {
        {kFlagAxial, kCapaAxial, TipoDiagrama::Axial, &escalaN, plotAxial},
        {kFlagCortanteY, kCapaCortanteY, TipoDiagrama::CortanteY, &escalaVy, plotCortanteY},
        {kFlagMomentoY, kCapaMomentoY, TipoDiagrama::MomentoY, &escalaMy, plotMomentoY},
        {kFlagTorsion, kCapaTorsion, TipoDiagrama::Torsion, &escalaT, plotTorsion},
    };
    const CapaDiagrama diagramasZ[] = {
        {kFlagCortanteZ, kCapaCortanteZ, TipoDiagrama::CortanteZ, &escalaVz, plotCortanteZ},
        {kFlagMomentoZ, kCapaMomentoZ, TipoDiagrama::MomentoZ, &escalaMz, plotMomentoZ},
    };
    const auto diagrama = [&](const CapaDiagrama& d) {
        if (!flagActivo(d.interruptor)) return;
        for (std::size_t k = 0; k < activas.size(); ++k) {
            const int c = activas[k], orden = static_cast<int>(k);
            agregar(preparar(d.id, c,
                             clave({*d.escala, textos, internas, decimales, escalaTexto, detalle, double(orden)}),
                             [&](Capa& capa) {
                d.plot(capa.lote, c, *d.escala);
                capa.leyenda = lineaLeyenda(d.tipo, c, extremosDiagrama(d.tipo, c), tonoDeCombinacion(orden).nombre);
                aplicarTono(capa, orden);
            }));
        }
    };
    // Las cargas y las reacciones no tienen leyenda propia: con varias
    // combinaciones, una línea nombra el tono de cada una.
    const auto lineaDeCombinacion = [](const char* capa, int c, int orden) {
        const std::string tono = tonoDeCombinacion(orden).nombre;
        return std::string(capa) + " " + nombreCombo(c) + (tono.empty() ? "" : " (" + tono + ")");
    };
    if (flagActivo(kFlagDeformada))
        for (std::size_t k = 0; k < activas.size(); ++k) {
            const int c = activas[k], orden = static_cast<int>(k);
            agregar(preparar(kCapaDeformada, c,
                             clave({escalaDef, textos, decimales, escalaTexto, diagonal, double(orden)}),
                             [c, orden](Capa& capa) {
                                 plotDeformada(capa.lote, c, escalaDef);
                                 capa.leyenda = lineaLeyendaDeformada(c, escalaDef, extremoDeformada(c),
                                                                      tonoDeCombinacion(orden).nombre);
                                 capa.masLeyenda = lineasLeyendaDiafragmas(c, tonoDeCombinacion(orden).nombre);
                                 aplicarTono(capa, orden);
                             }));
        }
    for (const CapaDiagrama& d : diagramas) diagrama(d);
    // Las puntas de las flechas de carga siguen al zoom (distCamObj).
    if (flagActivo(kFlagCargas))
        for (std::size_t k = 0; k < activas.size(); ++k) {
            const int c = activas[k], orden = static_cast<int>(k);
            agregar(preparar(kCapaCargas, c,
                             clave({escalaCarga, distanciaDeClave(), decimales, escalaTexto, detalle, double(orden),
                                    varias ? 1.0 : 0.0}),
                             [&, c, orden](Capa& capa) {
                                 plotCarga(capa.lote, c, escalaCarga);
                                 if (varias) capa.leyenda = lineaDeCombinacion("Cargas", c, orden);
                                 aplicarTono(capa, orden);
                             }));
        }
    if (flagActivo(kFlagReacciones))
        for (std::size_t k = 0; k < activas.size(); ++k) {
            const int c = activas[k], orden = static_cast<int>(k);
            agregar(preparar(kCapaReacciones, c, clave({escalaTexto, diagonal, double(orden), varias ? 1.0 : 0.0}),
                             [&, c, orden](Capa& capa) {
                                 plotReacciones(capa.lote, c);
                                 if (varias) capa.leyenda = lineaDeCombinacion("Reacciones", c, orden);
                                 aplicarTono(capa, orden);
                             }));
        }
    for (const CapaDiagrama& d : diagramasZ) diagrama(d);
    // Los resultados por piso de la primera combinación activa, sólo en la leyenda,
    // tras las líneas de las capas de resultados.
    if (!activas.empty() && !diafragmas.empty())
        agregar(preparar(kCapaPisos, activas[0], clave({decimales}), [c = activas[0]](Capa& capa) {
            std::vector<std::string> l = lineasLeyendaPisos(c);
            if (l.empty()) return;
            capa.leyenda = l[0];
            capa.masLeyenda.assign(l.begin() + 1, l.end());
        }));

    if (modoAnimado() > 0) {
        const int k = modoAnimado();
        std::vector<double> c = clave({static_cast<double>(k), escalaModo(), diagonal});
        if (formaModal.clave != c) {
            formaModal = FormaModal();
            formaModal.clave = std::move(c);
            plotFormaModal(formaModal.quieta, k - 1, 0.0);
            plotFormaModal(formaModal.desplazada, k - 1, escalaModo());
            char factor[64];
            std::snprintf(factor, sizeof factor, "%g", escalaDef);
            formaModal.leyenda = descripcionModo(k) + ", factor de escala " + factor;
            ++preparaciones;
        }
        leyenda.push_back(formaModal.leyenda);
        coloresLeyenda.push_back(kColorLeyenda);
    } else if (const pandeoCombo* p = pandeoMostrado() > 0 ? pandeoActivo() : nullptr;
               p != nullptr && pandeoMostrado() <= static_cast<int>(p->formas.size())) {
        // Una forma de pandeo: quieta, con la escala de las formas modales.
        const int k = pandeoMostrado();
        std::vector<double> c = clave({-static_cast<double>(k), static_cast<double>(p->combo), escalaModo(), diagonal});
        if (formaModal.clave != c) {
            formaModal = FormaModal();
            formaModal.clave = std::move(c);
            const Eigen::VectorXd& forma = p->formas[static_cast<std::size_t>(k - 1)];
            plotFormaCampo(formaModal.quieta, forma, 0.0);
            plotFormaCampo(formaModal.desplazada, forma, escalaModo());
            char factor[64];
            std::snprintf(factor, sizeof factor, "%g", escalaDef);
            formaModal.leyenda = descripcionPandeo(*p, k) + ", factor de escala " + factor;
            ++preparaciones;
        }
        leyenda.push_back(formaModal.leyenda);
        coloresLeyenda.push_back(kColorLeyenda);
    } else if (!formaModal.clave.empty()) {
        formaModal = FormaModal();
    }

    if (barraResaltada >= 0)
        agregar(preparar(kCapaResaltada, 0, clave({static_cast<double>(barraResaltada)}),
                         [](Capa& c) { plotBarraResaltada(c.lote, barraResaltada); }),
                true);

    // Lo que ya no se pide no ocupa memoria.
    for (auto it = capas.begin(); it != capas.end();) it = it->second.usada ? std::next(it) : capas.erase(it);
    return lista;
}

const std::vector<std::string>& leyendaEscena() { return leyenda; }

const std::vector<std::array<float, 3>>& coloresLeyendaEscena() { return coloresLeyenda; }

TonoCombinacion tonoDeCombinacion(int orden) {
    if (orden <= 0) return TonoCombinacion{};
    return kTonos[(orden - 1) % kTonosCombinaciones];
}

LoteDibujo formaModalEscena(double fase) {
    if (formaModal.clave.empty()) return LoteDibujo();
    // Una forma de pandeo no oscila: se dibuja entera.
    if (modoAnimado() == 0) return pandeoMostrado() > 0 ? formaModal.desplazada : LoteDibujo();
    return LoteDibujo::entre(formaModal.quieta, formaModal.desplazada, fase);
}

unsigned long preparacionesEscena() { return preparaciones; }
