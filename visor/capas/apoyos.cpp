// Símbolos de apoyo de los nudos en la vista 3D, con sus resortes.
#include "visor/capas/apoyos.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "globales.h"
#include "visor/capas/capas.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

CasoApoyo casoApoyo(const Eigen::VectorXi& restricciones) {
    std::array<double, 6> f{};
    for (Eigen::Index i = 0; i < std::min<Eigen::Index>(6, restricciones.size()); ++i)
        f[static_cast<std::size_t>(i)] = restricciones(i);

    struct Fila {
        std::array<double, 6> patron;
        CasoApoyo caso;
    };
    static const Fila tabla[] = {
        {{1, 1, 1, 1, 1, 1}, CasoApoyo::Empotrado}, {{1, 1, 1, 0, 0, 0}, CasoApoyo::Articulado},
        {{0, 0, 1, 0, 0, 0}, CasoApoyo::Bola},      {{1, 0, 1, 0, 0, 0}, CasoApoyo::RodilloY},
        {{0, 1, 1, 0, 0, 0}, CasoApoyo::RodilloX},
    };
    for (const Fila& fila : tabla)
        if (fila.patron == f) return fila.caso;

    double suma = 0.0;
    for (double v : f) suma += v;
    return suma > 0.0 ? CasoApoyo::Otro : CasoApoyo::Ninguno;
}

namespace {

// Un grupo de tramos sueltos (pares de puntos) con el ancho de línea dado.
void tramos(LoteDibujo& lote, double ancho, std::initializer_list<Eigen::Vector3d> puntos) {
    lote.anchoLinea(ancho);
    const Eigen::Vector3d* anterior = nullptr;
    for (const Eigen::Vector3d& p : puntos) {
        if (anterior == nullptr) {
            anterior = &p;
        } else {
            lote.segmento(*anterior, p);
            anterior = nullptr;
        }
    }
}

// Cruz de suelo a z = -1.3: a lo largo de X y a lo largo de Y.
void cruzDeSuelo(LoteDibujo& lote) {
    tramos(lote, 3, {{-1, 0, -1.3}, {1, 0, -1.3}});
    tramos(lote, 3, {{0, -1, -1.3}, {0, 1, -1.3}});
}

constexpr double kRadioRueda = 0.65;

// Rueda de radio 0.65 centrada en (0, 0, -0.65): en el plano XZ o, con un giro
// más, en el plano YZ.
void rueda(LoteDibujo& lote, bool planoYZ) {
    lote.empujar();
    lote.trasladar(0, 0, -kRadioRueda);
    lote.rotar(90, 1, 0, 0);
    if (planoYZ) lote.rotar(90, 0, 1, 0);
    lote.arcoXY(kRadioRueda, 0.0, 360.0);
    lote.sacar();
}

void simbolo(LoteDibujo& lote, CasoApoyo caso) {
    switch (caso) {
    case CasoApoyo::Empotrado:
        tramos(lote, 3, {{-1, 0, 0}, {1, 0, 0}});
        tramos(lote, 1, {{-1, 0, -0.6}, {-0.67, 0, 0},
                         {-0.67, 0, -0.6}, {-0.33, 0, 0},
                         {-0.33, 0, -0.6}, {0, 0, 0},
                         {0, 0, -0.6}, {0.33, 0, 0},
                         {0.33, 0, -0.6}, {0.67, 0, 0}});
        break;
    case CasoApoyo::Articulado:
        cruzDeSuelo(lote);
        tramos(lote, 1, {{-0.75, 0, -1.3}, {0, 0, 0},
                         {0.75, 0, -1.3}, {0, 0, 0},
                         {0, -0.75, -1.3}, {0, 0, 0},
                         {0, 0.75, -1.3}, {0, 0, 0}});
        break;
    case CasoApoyo::Bola:
        cruzDeSuelo(lote);
        lote.anchoLinea(1);
        rueda(lote, false);
        rueda(lote, true);
        break;
    case CasoApoyo::RodilloY:
        cruzDeSuelo(lote);
        lote.anchoLinea(1);
        rueda(lote, true);
        tramos(lote, 1, {{-0.75, 0, -1.3}, {0, 0, 0}, {0.75, 0, -1.3}, {0, 0, 0}});
        break;
    case CasoApoyo::RodilloX:
        cruzDeSuelo(lote);
        lote.anchoLinea(1);
        rueda(lote, false);
        tramos(lote, 1, {{0, -0.75, -1.3}, {0, 0, 0}, {0, 0.75, -1.3}, {0, 0, 0}});
        break;
    case CasoApoyo::Otro:
        tramos(lote, 2, {{-1, 0, 0}, {1, 0, 0},
                         {0, -1, 0}, {0, 1, 0},
                         {0, 0, -1}, {0, 0, 1}});
        break;
    case CasoApoyo::Ninguno:
        break;
    }
}

// Resorte de traslación según el eje global `eje` (0 X, 1 Y, 2 Z): un zigzag
// que sale del nudo hacia el lado negativo del eje y llega a una línea de
// apoyo a 1.3, la distancia de la cruz de suelo (abajo para el vertical).
void resorteTraslacion(LoteDibujo& lote, int eje) {
    constexpr int kDientes = 6;
    const Eigen::Vector3d a = -Eigen::Vector3d::Unit(eje);
    const Eigen::Vector3d lado = Eigen::Vector3d::Unit(eje == 2 ? 0 : 2);  // el zigzag abre en X o en Z
    std::vector<Eigen::Vector3d> puntos = {Eigen::Vector3d::Zero(), 0.3 * a};
    for (int k = 0; k < kDientes; ++k)
        puntos.push_back((0.3 + (k + 0.5) * 0.8 / kDientes) * a + (k % 2 == 0 ? 0.25 : -0.25) * lado);
    puntos.push_back(1.1 * a);
    puntos.push_back(1.3 * a);
    lote.anchoLinea(1);
    lote.tira(puntos);
    tramos(lote, 3, {1.3 * a - 0.4 * lado, 1.3 * a + 0.4 * lado});
}

// Resorte de giro alrededor del eje global `eje`: una espiral de dos vueltas
// en el plano perpendicular al eje, alrededor del nudo, cuya punta exterior
// sigue recta hasta una línea de apoyo corta.
void resorteGiro(LoteDibujo& lote, int eje) {
    constexpr int kTramos = 32;
    const Eigen::Vector3d u = Eigen::Vector3d::Unit((eje + 1) % 3), v = Eigen::Vector3d::Unit((eje + 2) % 3);
    std::vector<Eigen::Vector3d> puntos;
    for (int k = 0; k <= kTramos; ++k) {
        const double t = static_cast<double>(k) / kTramos, angulo = 4.0 * PI * t;
        puntos.push_back((0.15 + 0.4 * t) * (std::cos(angulo) * u + std::sin(angulo) * v));
    }
    puntos.push_back(0.85 * u);
    lote.anchoLinea(1);
    lote.tira(puntos);
    tramos(lote, 3, {0.85 * u - 0.2 * v, 0.85 * u + 0.2 * v});
}

// Los resortes que cuentan: donde un apoyo restringe el mismo grado de
// libertad manda el apoyo y el resorte no se dibuja.
bool tieneResortes(const objNudo3d& n) {
    for (int i = 0; i < 6; ++i)
        if (n.getResorteEfectivo(i) > 0.0) return true;
    return false;
}

}  // namespace

void plotApoyos(LoteDibujo& lote, double escala) {
    // Sin escala propia del archivo, el símbolo mide la quincuagésima parte de
    // la diagonal del modelo.
    const double e = escala == 0.0 ? diagonal / 50.0 : escala;
    lote.color(0.8, 0.8, 0.3);
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        const CasoApoyo caso = casoApoyo(nd.getVectorApoyo());
        if (caso == CasoApoyo::Ninguno && !tieneResortes(nd)) continue;
        lote.empujar();
        lote.trasladar(nd.getX(), nd.getY(), nd.getZ());
        lote.escalar(e);
        simbolo(lote, caso);
        for (int i = 0; i < 3; ++i)
            if (nd.getResorteEfectivo(i) > 0.0) resorteTraslacion(lote, i);
        for (int i = 0; i < 3; ++i)
            if (nd.getResorteEfectivo(3 + i) > 0.0) resorteGiro(lote, i);
        lote.sacar();
    }
}
