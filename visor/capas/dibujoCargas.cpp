// Cargas de una combinación: puntuales y desplazamientos impuestos en los
// nudos visibles (ejes globales) y distribuidas en las barras visibles (marco
// local de cada barra).
#include <cmath>
#include <cstddef>

#include "globales.h"
#include "visor/capas/capas.h"
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

// Cada cuántas flechas (o símbolos de torsión) de la barra se dibuja una.
std::size_t pasoFlechas(const LoteDibujo& lote, const objBarra3d& b) {
    return static_cast<std::size_t>(pasoDeDetalle(b.getLongitud() * lote.pixelesPorUnidad(), kFlechasPorBarra - 1,
                                                  kPixelesEntreFlechas));
}

void plotTransversal(LoteDibujo& lote, const CargaDistribuida& d, const objBarra3d& b,
                     const ColoresTransversal& colores, double punta) {
    color(lote, colores.flechas);
    lote.anchoLinea(1);
    const std::size_t paso = pasoFlechas(lote, b);
    for (std::size_t k = 0; k < d.flechas.size(); k += paso) lote.flecha(d.flechas[k].cola, d.flechas[k].punta, punta);
    if (d.lineaCarga) lote.segmento(d.lineaCarga->cola, d.lineaCarga->punta);
    color(lote, colores.numeros);
    numeros(lote, d, b);
}

void plotAxialDistribuida(LoteDibujo& lote, const CargaDistribuida& d, const objBarra3d& b, double punta) {
    color(lote, kColorAxial);
    lote.anchoLinea(2);
    // Las flechas de la carga axial tienen un asta de una diezmilésima: sólo se ven sus puntas.
    const std::size_t paso = pasoFlechas(lote, b);
    for (std::size_t k = 0; k < d.flechas.size(); k += paso)
        lote.puntaFlecha(d.flechas[k].cola, d.flechas[k].punta, punta);
    lote.anchoLinea(1);
    numeros(lote, d, b);
}

// Tres cuartos de círculo alrededor del eje en cada estación, con una punta
// pequeña en su comienzo; el giro del plano según el signo invierte el sentido.
void plotTorsionDistribuida(LoteDibujo& lote, const CargaDistribuida& d, const objBarra3d& b) {
    const double L = b.getLongitud();
    color(lote, kColorTorsion);
    lote.anchoLinea(1);
    const std::size_t paso = pasoFlechas(lote, b);
    for (std::size_t k = 0; k < d.estaciones.size(); k += paso) {
        const double x = d.estaciones[k];
        lote.empujar();
        lote.trasladar(x, 0, 0);
        lote.rotar(d.sentido > 0 ? -90.0 : 90.0, 0, 1, 0);
        lote.arcoXY(L / 40, -90, 180);
        lote.flecha({L / 1000, -L / 40 + L / 3000, 0}, {0, -L / 40, 0}, L / 80);
        lote.sacar();
    }
    color(lote, kColorNumeroTorsion);
    numeros(lote, d, b);
}

void plotCargasDistribuidas(LoteDibujo& lote, int c, double escala, double punta) {
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        for (const CargaDistribuida& d : cargasDistribuidas(b, c, escala, escalaTexto)) {
            lote.entrarMarcoBarra(b, {b.getXi(), b.getYi(), b.getZi()});
            switch (d.tipo) {
                case TipoDistribuida::LocalY: plotTransversal(lote, d, b, kColoresY, punta); break;
                case TipoDistribuida::LocalZ: plotTransversal(lote, d, b, kColoresZ, punta); break;
                case TipoDistribuida::Axial: plotAxialDistribuida(lote, d, b, punta); break;
                case TipoDistribuida::Torsion: plotTorsionDistribuida(lote, d, b); break;
            }
            lote.salirMarcoBarra();
        }
    }
}

}  // namespace

void plotCarga(LoteDibujo& lote, int c, double escala) {
    // Las puntas siguen a la distancia de la cámara: mismo tamaño en pantalla.
    const double punta = distCamObj / 75;
    plotCargasPuntuales(lote, c, escala, punta);
    plotCargasDistribuidas(lote, c, escala, punta);
}
