// Cargas de una combinación: puntuales y desplazamientos impuestos en los
// nudos visibles (ejes globales) y distribuidas en las barras visibles (marco
// local de cada barra).
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

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

constexpr Color kColorFuerza{0.8, 0.2, 0.2};
constexpr Color kColorMomento{0.8, 0.8, 0.2};

struct ColoresTransversal {
    Color flechas;
    Color numeros;
};
constexpr ColoresTransversal kColoresY{{0.2, 0.2, 0.0}, {0.7, 0.7, 0.3}};
constexpr ColoresTransversal kColoresZ{{0.0, 0.2, 0.2}, {0.3, 0.7, 0.7}};
constexpr Color kColorAxial{0.7, 0.2, 0.2};
constexpr Color kColorTorsion{0.2, 0.2, 0.2};
constexpr Color kColorNumeroTorsion{0.3, 0.3, 0.3};

void color(LoteDibujo& lote, const Color& c) { lote.color(c.r, c.g, c.b); }

// Los valores de las cargas distribuidas se giran para leerse y sólo se
// escriben si la barra, vista, es más larga que ellos.
void numeros(LoteDibujo& lote, const CargaDistribuida& d, const objBarra3d& b) {
    for (const Rotulo& r : d.numeros) {
        Rotulo3D n = rotuloDeCapa(formatearNumero(r.valor, precision, false), escalaTexto, r.alineacion,
                                  GiroRotulo::Legible, std::fabs(r.valor));
        lote.rotulo(deLaBarra(n, b), r.posicion);
    }
}

namespace {
// Las flechas de una carga de nudo (o de un asentamiento) y su valor, de frente a la cámara.
void dibujarCargaDeNudo(LoteDibujo& lote, const CargaPuntual& p, const Color& tono, double punta, bool exponencial) {
    color(lote, tono);
    lote.anchoLinea(2);
    for (const Flecha& f : p.flechas) lote.flecha(f.cola, f.punta, punta);
    lote.anchoLinea(1);
    lote.rotulo(rotuloDeCapa(formatearNumero(p.numero.valor, precision, exponencial), escalaTexto, 1,
                             GiroRotulo::DeFrente, p.numero.valor),
                p.numero.posicion);
}
}  // namespace

void plotCargasPuntuales(LoteDibujo& lote, int c, double escala, double punta) {
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& n = nudo[static_cast<std::size_t>(i)];
        for (const CargaPuntual& p : cargasPuntuales(n, c, escala))
            dibujarCargaDeNudo(lote, p, p.esMomento ? kColorMomento : kColorFuerza, punta, false);
        // Asentamientos: flechas cortas (tres puntas de largo, el mismo en pantalla a cualquier zoom)
        // que salen del nudo, con el valor en notación exponencial: suelen ser milímetros.
        for (const CargaPuntual& d : desplazamientosImpuestos(n, c, 3 * punta))
            dibujarCargaDeNudo(lote, d, kColorFuerza, punta, true);
    }
}

// Las flechas (o símbolos de torsión) de una barra que se dibujan: una de cada
// `paso`; con paso 0, ninguna.
template <typename Dibujar>
void cadaFlecha(std::size_t cantidad, int paso, Dibujar dibujar) {
    if (paso <= 0) return;
    for (std::size_t k = 0; k < cantidad; k += static_cast<std::size_t>(paso)) dibujar(k);
}

void plotTransversal(LoteDibujo& lote, const CargaDistribuida& d, const ColoresTransversal& colores, double punta,
                     int paso) {
    color(lote, colores.flechas);
    lote.anchoLinea(1);
    cadaFlecha(d.flechas.size(), paso, [&](std::size_t k) { lote.flecha(d.flechas[k].cola, d.flechas[k].punta, punta); });
    if (d.lineaCarga) lote.segmento(d.lineaCarga->cola, d.lineaCarga->punta);
    color(lote, colores.numeros);
}

void plotAxialDistribuida(LoteDibujo& lote, const CargaDistribuida& d, double punta, int paso) {
    color(lote, kColorAxial);
    lote.anchoLinea(2);
    // Las flechas de la carga axial tienen un asta de una diezmilésima: sólo se ven sus puntas.
    cadaFlecha(d.flechas.size(), paso,
               [&](std::size_t k) { lote.puntaFlecha(d.flechas[k].cola, d.flechas[k].punta, punta); });
    lote.anchoLinea(1);
}

// Tres cuartos de círculo alrededor del eje en cada estación, con una punta
// pequeña en su comienzo; el giro del plano según el signo invierte el sentido.
void plotTorsionDistribuida(LoteDibujo& lote, const CargaDistribuida& d, const objBarra3d& b, int paso) {
    const double L = b.getLongitud();
    color(lote, kColorTorsion);
    lote.anchoLinea(1);
    cadaFlecha(d.estaciones.size(), paso, [&](std::size_t k) {
        const double x = d.estaciones[k];
        lote.empujar();
        lote.trasladar(x, 0, 0);
        lote.rotar(d.sentido > 0 ? -90.0 : 90.0, 0, 1, 0);
        lote.arcoXY(L / 40, -90, 180);
        lote.flecha({L / 1000, -L / 40 + L / 3000, 0}, {0, -L / 40, 0}, L / 80);
        lote.sacar();
    });
    color(lote, kColorNumeroTorsion);
}

void plotCargasDistribuidas(LoteDibujo& lote, int c, double escala, double punta) {
    // Las cargas de las barras visibles, antes de dibujarlas: cuántas flechas
    // se dibujan en cada barra depende de cuántas barras cargadas se ven.
    std::vector<std::pair<const objBarra3d*, CargaDistribuida>> cargas;
    std::vector<const objBarra3d*> cargadas;  // una vez por carga
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        for (CargaDistribuida& d : cargasDistribuidas(b, c, escala, escalaTexto)) {
            cargas.emplace_back(&b, std::move(d));
            cargadas.push_back(&b);
        }
    }
    const DetalleBarras detalle(kFlechasPorBarra - 1, kPixelesEntreFlechas, kPresupuestoFlechas,
                                lote.pixelesPorUnidad(), cargadas);
    for (const auto& [laBarra, d] : cargas) {
        const objBarra3d& b = *laBarra;
        const int paso = detalle.paso(b);
        lote.entrarMarcoBarra(b, {b.getXi(), b.getYi(), b.getZi()});
        switch (d.tipo) {
            case TipoDistribuida::LocalY: plotTransversal(lote, d, kColoresY, punta, paso); break;
            case TipoDistribuida::LocalZ: plotTransversal(lote, d, kColoresZ, punta, paso); break;
            case TipoDistribuida::Axial: plotAxialDistribuida(lote, d, punta, paso); break;
            case TipoDistribuida::Torsion: plotTorsionDistribuida(lote, d, b, paso); break;
        }
        numeros(lote, d, b);
        lote.salirMarcoBarra();
    }
}

}  // namespace

void plotCarga(LoteDibujo& lote, int c, double escala) {
    // Las puntas siguen a la distancia de la cámara: mismo tamaño en pantalla.
    const double punta = distCamObj / 75;
    plotCargasPuntuales(lote, c, escala, punta);
    plotCargasDistribuidas(lote, c, escala, punta);
}
