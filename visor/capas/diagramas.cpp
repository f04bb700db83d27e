// Diagramas de solicitaciones de cada barra visible para una combinación:
// axial, cortes y momentos en los dos planos locales y torsión.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "analisis/casosResultado.h"
#include "globales.h"
#include "visor/capas/capas.h"
#include "visor/capas/detalleBarras.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/capas/rotulosDeCapa.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

namespace {

// Una estación interior donde el diagrama supera a todo lo escrito (un corte
// o un axial con carga que cambia de signo a lo largo de la barra).
struct EstacionExtrema {
    double valor = 0.0;
    Eigen::Vector3d ancla;  // en el mundo
    const objBarra3d* barra = nullptr;
};

// El mayor y el menor valor escrito entre las barras visibles: esos rótulos se
// escriben siempre, quepan o no.
struct ExtremosEscritos {
    std::size_t maximo = 0, minimo = 0;
    double valorMaximo = 0.0, valorMinimo = 0.0;
    bool hay = false;
    void considerar(std::size_t i, double v) {
        if (!hay || v > valorMaximo) {
            maximo = i;
            valorMaximo = v;
        }
        if (!hay || v < valorMinimo) {
            minimo = i;
            valorMinimo = v;
        }
        hay = true;
    }
};

// Valor de un extremo de la barra: se aparta del nudo hacia el interior.
Rotulo3D valorExtremo(const LoteDibujo& lote, const objBarra3d& b, double valor, double escala, int alineacion,
                      const Eigen::Vector3d& haciaAdentroLocal) {
    Rotulo3D r = rotuloDeCapa(formatearResultado(valor, escala, precision, false), escalaTexto, alineacion,
                              GiroRotulo::Legible, std::fabs(valor));
    r.enExtremo = true;
    r.haciaAdentro = lote.direccionAMundo(haciaAdentroLocal);
    return deLaBarra(r, b);
}

void plotDiagrama(LoteDibujo& lote, int c, double escala, TipoDiagrama tipo) {
    // En un caso de dos valores (una envolvente, una combinación con sismo),
    // la curva de máximos va en rojo y la de mínimos en azul, como en el
    // informe: dos tonos que se distinguen también con daltonismo.
    const casoResultado* caso = casoDeResultados(resultados, c);
    const bool dosValores = caso != nullptr && caso->dosValores();
    const ColoresCurva estilo = dosValores ? kColoresMaximos : coloresDe(estiloDiagrama(tipo));
    const ColoresCurva estiloMenores = dosValores ? kColoresMinimos : estilo;
    const bool textos = flagActivo(kFlagTextosDiagramas);
    // Los valores sin el ruido del redondeo frente al mayor de su clase en el caso.
    const double escalaValores = escalaDiagrama(tipo, c);
    const auto numero = [&](double v) { return formatearResultado(v, escalaValores, precision, false); };
    ExtremosEscritos extremos;
    EstacionExtrema mayor, menor;
    // Las estaciones que se dibujan: en una barra que se ve corta, una de cada
    // tantas; con miles de barras a la vista, dentro del presupuesto de la capa.
    std::vector<const objBarra3d*> conDiagrama;
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i) {
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        if (barraVisible(i) && barraConResultados(b, c)) conDiagrama.push_back(&b);
    }
    const DetalleBarras detalle(kEstacionesDiagrama - 1, kPixelesEntreLineasInternas, kPresupuestoEstacionesDiagrama,
                                lote.pixelesPorUnidad(), conDiagrama);
    for (const objBarra3d* laBarra : conDiagrama) {
        const objBarra3d& b = *laBarra;
        const auto g = geometriaDiagrama(b, c, tipo, escala, precision, escalaTexto);
        if (!g) continue;

        lote.entrarMarcoBarra(b, {b.getXi(), b.getYi(), b.getZi()});
        lote.anchoLinea(1);
        // Sin estaciones que dibujar, ni líneas internas: el contorno une los extremos.
        const int pasoDetalle = detalle.paso(b);
        const bool internas = flagActivo(kFlagLineasInternas) && pasoDetalle > 0;
        const std::size_t paso = static_cast<std::size_t>(pasoDetalle > 0 ? pasoDetalle : kEstacionesDiagrama - 1);
        if (internas) {
            lote.color(estilo.lineasInternas.r, estilo.lineasInternas.g, estilo.lineasInternas.b);
            for (std::size_t j = 0; j < g->puntos.size(); j += paso) lote.segmento(g->pies[j], g->puntos[j]);
        }
        lote.color(estilo.contorno.r, estilo.contorno.g, estilo.contorno.b);
        std::vector<Eigen::Vector3d> contorno;
        for (std::size_t j = 0; j < g->puntos.size(); j += paso) contorno.push_back(g->puntos[j]);
        lote.tira(contorno);
        // La curva de los mínimos de un caso de dos valores, con sus líneas internas.
        if (!g->puntosMinimos.empty()) {
            std::vector<Eigen::Vector3d> menores;
            for (std::size_t j = 0; j < g->puntosMinimos.size(); j += paso) menores.push_back(g->puntosMinimos[j]);
            if (internas) {
                const Color& tonoInternas = estiloMenores.lineasInternas;
                lote.color(tonoInternas.r, tonoInternas.g, tonoInternas.b);
                for (std::size_t j = 0; j < g->puntosMinimos.size(); j += paso)
                    lote.segmento(g->pies[j], g->puntosMinimos[j]);
            }
            lote.color(estiloMenores.contorno.r, estiloMenores.contorno.g, estiloMenores.contorno.b);
            lote.tira(menores);
        }
        if (textos) {
            lote.color(estilo.textos.r, estilo.textos.g, estilo.textos.b);
            const auto escribir = [&](const Rotulo3D& r, const Eigen::Vector3d& ancla, bool esValor, double valor) {
                lote.rotulo(r, ancla);
                if (esValor) extremos.considerar(lote.rotulos().size() - 1, valor);
            };
            for (std::size_t j = 1; j + 1 < g->valores.size(); ++j) {
                const double v = g->valores[j];
                if (mayor.barra == nullptr || v > mayor.valor) mayor = {v, lote.aMundo(g->puntos[j]), &b};
                if (menor.barra == nullptr || v < menor.valor) menor = {v, lote.aMundo(g->puntos[j]), &b};
            }
            for (std::size_t j = 1; j + 1 < g->valoresMinimos.size(); ++j) {
                const double v = g->valoresMinimos[j];
                if (menor.barra == nullptr || v < menor.valor) menor = {v, lote.aMundo(g->puntosMinimos[j]), &b};
            }
            if (g->inicioMinimo && g->finMinimo) {
                lote.color(estiloMenores.textos.r, estiloMenores.textos.g, estiloMenores.textos.b);
                escribir(valorExtremo(lote, b, g->inicioMinimo->valor, escalaValores, 1, Eigen::Vector3d::UnitX()),
                         g->inicioMinimo->posicion, true, g->inicioMinimo->valor);
                escribir(valorExtremo(lote, b, g->finMinimo->valor, escalaValores, 3, -Eigen::Vector3d::UnitX()),
                         g->finMinimo->posicion, true, g->finMinimo->valor);
                lote.color(estilo.textos.r, estilo.textos.g, estilo.textos.b);
            }
            escribir(valorExtremo(lote, b, g->valorInicio.valor, escalaValores, 1, Eigen::Vector3d::UnitX()),
                     g->valorInicio.posicion, true, g->valorInicio.valor);
            escribir(valorExtremo(lote, b, g->valorFin.valor, escalaValores, 3, -Eigen::Vector3d::UnitX()),
                     g->valorFin.posicion, true, g->valorFin.valor);
            // Abscisa del cero de corte o momento extremo, centrados en su punto.
            if (g->extra) {
                const Rotulo& e = *g->extra;
                const bool esValor = e.texto.empty();
                Rotulo3D r = rotuloDeCapa(esValor ? numero(e.valor) : e.texto, escalaTexto,
                                          e.alineacion, GiroRotulo::Legible, esValor ? std::fabs(e.valor) : 0.0);
                escribir(deLaBarra(r, b), e.posicion, esValor, e.valor);
            }
        }
        lote.salirMarcoBarra();
    }
    if (!extremos.hay) return;
    lote.rotulos()[extremos.maximo].siempre = true;
    lote.rotulos()[extremos.minimo].siempre = true;
    // El extremo cae en una estación interior sin rótulo: se le agrega uno.
    const double tolerancia = 1e-9 * std::max(std::fabs(extremos.valorMaximo), std::fabs(extremos.valorMinimo));
    for (const EstacionExtrema* e : {&mayor, &menor}) {
        const bool supera = e == &mayor ? e->valor > extremos.valorMaximo + tolerancia
                                        : e->valor < extremos.valorMinimo - tolerancia;
        if (e->barra == nullptr || !supera) continue;
        Rotulo3D r = rotuloDeCapa(numero(e->valor), escalaTexto, 2, GiroRotulo::Legible);
        r.siempre = true;
        const Color& texto = e == &menor ? estiloMenores.textos : estilo.textos;
        lote.color(texto.r, texto.g, texto.b);
        lote.rotulo(deLaBarra(r, *e->barra), e->ancla);  // el marco actual es el del mundo
    }
}

}  // namespace

void plotAxial(LoteDibujo& lote, int c, double escala) { plotDiagrama(lote, c, escala, TipoDiagrama::Axial); }
void plotCortanteY(LoteDibujo& lote, int c, double escala) { plotDiagrama(lote, c, escala, TipoDiagrama::CortanteY); }
void plotMomentoY(LoteDibujo& lote, int c, double escala) { plotDiagrama(lote, c, escala, TipoDiagrama::MomentoY); }
void plotCortanteZ(LoteDibujo& lote, int c, double escala) { plotDiagrama(lote, c, escala, TipoDiagrama::CortanteZ); }
void plotMomentoZ(LoteDibujo& lote, int c, double escala) { plotDiagrama(lote, c, escala, TipoDiagrama::MomentoZ); }
void plotTorsion(LoteDibujo& lote, int c, double escala) { plotDiagrama(lote, c, escala, TipoDiagrama::Torsion); }
