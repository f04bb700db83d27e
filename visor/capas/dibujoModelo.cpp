// Dibujo de la estructura: ejes globales, nudos, barras, articulaciones,
// números de nudos y barras, secciones, barras sólidas y la barra resaltada.
#include <Eigen/Dense>
#include <cstddef>
#include <string>

#include <algorithm>

#include "globales.h"
#include "modelo/diafragma.h"
#include "visor/capas/capas.h"
#include "visor/capas/rotulosDeCapa.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

namespace {

// Punto i del contorno de la sección a la abscisa x del marco de la barra:
// fila 1 es la y local (alto), fila 0 la z local (ancho).
Eigen::Vector3d puntoContorno(const Eigen::MatrixXd& contorno, Eigen::Index i, double x) {
    return {x, contorno(1, i), contorno(0, i)};
}

// Tramos sueltos entre puntos consecutivos del contorno (no se cierra: un
// contorno cerrado ya repite su primer punto al final).
void tramosContorno(LoteDibujo& lote, const Eigen::MatrixXd& contorno, double x) {
    if (contorno.rows() < 2) return;
    for (Eigen::Index i = 0; i + 1 < contorno.cols(); ++i)
        lote.segmento(puntoContorno(contorno, i, x), puntoContorno(contorno, i + 1, x));
}

// Círculo de articulación a la abscisa x; en el plano local X-Z si planoXZ.
void circuloArticulacion(LoteDibujo& lote, double radio, double x, bool planoXZ) {
    lote.empujar();
    lote.trasladar(x, 0, 0);
    if (planoXZ) lote.rotar(90, 1, 0, 0);
    lote.arcoXY(radio, 0.0, 360.0);
    lote.sacar();
}

void colorCara(LoteDibujo& lote, int codigoSeccion) {
    switch (codigoSeccion) {
    case 0: lote.color(0.3, 0.0, 0.0); break;   // genérica
    case 1: lote.color(0.8, 0.8, 0.2); break;   // rectangular
    case 2: lote.color(0.2, 0.8, 0.2); break;   // costanera
    case 3: lote.color(0.8, 0.2, 0.8); break;   // W
    default: lote.color(0.2, 0.6, 0.8); break;  // placa y otras: color propio
    }
}

Eigen::Vector3d puntoMedio(const objBarra3d& b) {
    return {(b.getXi() + b.getXf()) / 2.0, (b.getYi() + b.getYf()) / 2.0, (b.getZi() + b.getZf()) / 2.0};
}

// Las etiquetas de nudos, barras y secciones se corren con el zoom: quedan a
// la misma distancia en pantalla de lo que nombran.
Eigen::Vector3d corrimientoEtiqueta() {
    const double d = distCamObj / 200.0;
    return {d, d, d};
}

void eje(LoteDibujo& lote, const Eigen::Vector3d& punta, const char* letra, double a) {
    lote.flecha(Eigen::Vector3d::Zero(), punta, 0.1 * a);
    Rotulo3D r = rotuloDeCapa(letra, a / 5.0, 2, GiroRotulo::DeFrente);
    r.siempre = true;
    lote.rotulo(r, 1.1 * punta);
}

}  // namespace

void plotEjes(LoteDibujo& lote) {
    const double a = diagonal / 15.0;
    lote.anchoLinea(1);
    lote.empujar();
    lote.trasladar(-a / 2.0, -a / 2.0, 0.0);
    lote.color(1, 0, 0);
    eje(lote, {a, 0, 0}, "X", a);
    lote.color(0, 1, 0);
    eje(lote, {0, a, 0}, "Y", a);
    lote.color(0, 0, 1);
    eje(lote, {0, 0, a}, "Z", a);
    lote.sacar();
}

void plotNudos(LoteDibujo& lote) {
    if (!flagActivo(kFlagEsferasNudos)) return;
    lote.color(0.7, 0.0, 0.0);
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        lote.esfera({nd.getX(), nd.getY(), nd.getZ()}, diagonal / 300.0);
    }
}

void plotBarras(LoteDibujo& lote) {
    lote.anchoLinea(3);
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        // Sin sección, o sin sus datos de sección y material, la barra no tiene rigidez: en rojo.
        if (b.getBoolSeccion() && b.tieneSeccionYMaterial())
            lote.color(0.5, 0.5, 0.5);
        else
            lote.color(0.9, 0.1, 0.1);
        lote.segmento({b.getXi(), b.getYi(), b.getZi()}, {b.getXf(), b.getYf(), b.getZf()});
    }
}

void plotArticulaciones(LoteDibujo& lote) {
    const double r = diagonal / 300.0;
    lote.anchoLinea(1);
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const double largo = b.getLongitud();
        lote.entrarMarcoBarra(b, {b.getXi(), b.getYi(), b.getZi()});
        // Todo factor que no sea 1 (también una fijación parcial) es liberación.
        lote.color(0.1, 0.7, 0.1);
        if (static_cast<int>(b.getArtIniY()) != 1) circuloArticulacion(lote, r, 0.05 * largo, false);
        if (static_cast<int>(b.getArtFinY()) != 1) circuloArticulacion(lote, r, 0.95 * largo, false);
        lote.color(0.1, 0.7, 0.7);
        if (static_cast<int>(b.getArtIniZ()) != 1) circuloArticulacion(lote, r, 0.05 * largo, true);
        if (static_cast<int>(b.getArtFinZ()) != 1) circuloArticulacion(lote, r, 0.95 * largo, true);
        lote.salirMarcoBarra();
    }
}

void plotTagNudos(LoteDibujo& lote, double altura) {
    lote.color(0.9, 0.2, 0.2);
    lote.anchoLinea(1);
    const int n = cantidadNudos();
    for (int i = 0; i < n; ++i) {
        if (!nudoVisible(i)) continue;
        const objNudo3d& nd = nudo[static_cast<std::size_t>(i)];
        lote.rotulo(rotuloDeCapa(formatearNumero(nd.getNoNudoUsuario(), 0, false), altura, 1, GiroRotulo::DeFrente),
                    Eigen::Vector3d(nd.getX(), nd.getY(), nd.getZ()) + corrimientoEtiqueta());
    }
}

void plotTagBarras(LoteDibujo& lote, double altura) {
    lote.anchoLinea(1);
    lote.color(0.8, 0.8, 0.8);
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        Rotulo3D r = rotuloDeCapa(formatearNumero(b.getNoBarraUsuario(), 0, false), altura, 2, GiroRotulo::DeFrente);
        lote.rotulo(deLaBarra(r, b), puntoMedio(b) + corrimientoEtiqueta());
    }
}

void plotSecciones(LoteDibujo& lote, double altura) {
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        // Una barra sin sección no tiene nombre ni contorno que mostrar.
        if (!b.getBoolSeccion()) continue;
        lote.anchoLinea(1);
        lote.color(0.8, 0.8, 0.8);
        Rotulo3D r = rotuloDeCapa(b.getNombreDeSeccion(), altura, 2, GiroRotulo::DeFrente);
        lote.rotulo(deLaBarra(r, b), puntoMedio(b) + corrimientoEtiqueta());

        lote.entrarMarcoBarra(b, {b.getXi(), b.getYi(), b.getZi()});
        lote.trasladar(b.getLongitud() / 4.0, 0, 0);
        lote.color(0.3, 0.3, 0.3);
        tramosContorno(lote, b.getPerimetroSeccion(), 0.0);
        lote.salirMarcoBarra();
    }
}

void plotVolumen(LoteDibujo& lote) {
    const int n = cantidadBarras();
    for (int i = 0; i < n; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const Eigen::MatrixXd contorno = b.getPerimetroSeccion();
        if (contorno.rows() < 2) continue;
        const double largo = b.getLongitud();
        lote.entrarMarcoBarra(b, {b.getXi(), b.getYi(), b.getZi()});
        // Caras laterales: una por tramo del contorno, rellenas y con bordes blancos.
        for (Eigen::Index k = 0; k + 1 < contorno.cols(); ++k) {
            const Eigen::Vector3d p0 = puntoContorno(contorno, k, 0.0), q0 = puntoContorno(contorno, k + 1, 0.0);
            const Eigen::Vector3d qL = puntoContorno(contorno, k + 1, largo), pL = puntoContorno(contorno, k, largo);
            colorCara(lote, b.getCodigoSeccion());
            lote.cuadrilatero(p0, q0, qL, pL);
            lote.color(1, 1, 1);
            lote.anchoLinea(1);
            lote.tira({p0, q0, qL, pL}, true);
        }
        // Los extremos sólo se contornean.
        lote.color(1, 1, 1);
        lote.anchoLinea(2);
        tramosContorno(lote, contorno, 0.0);
        tramosContorno(lote, contorno, largo);
        lote.salirMarcoBarra();
    }
}

void plotBarraResaltada(LoteDibujo& lote, int interna) {
    if (interna < 0 || interna >= cantidadBarras()) return;
    const objBarra3d& b = barra[static_cast<std::size_t>(interna)];
    lote.anchoLinea(6);
    lote.color(1.0, 0.6, 0.0);
    lote.segmento({b.getXi(), b.getYi(), b.getZi()}, {b.getXf(), b.getYf(), b.getZf()});
}

namespace {
// El contorno convexo de los puntos en planta, en sentido antihorario (cadena
// monótona): sin los puntos repetidos ni los que quedan sobre un lado.
std::vector<Eigen::Vector2d> contornoConvexo(std::vector<Eigen::Vector2d> p) {
    std::sort(p.begin(), p.end(), [](const Eigen::Vector2d& a, const Eigen::Vector2d& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    if (p.size() < 3) return p;
    const auto giro = [](const Eigen::Vector2d& o, const Eigen::Vector2d& a, const Eigen::Vector2d& b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    std::vector<Eigen::Vector2d> h(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && giro(h[k - 2], h[k - 1], p[i]) <= 0) --k;
        h[k++] = p[i];
    }
    for (std::size_t i = p.size() - 1, t = k + 1; i-- > 0;) {
        while (k >= t && giro(h[k - 2], h[k - 1], p[i]) <= 0) --k;
        h[k++] = p[i];
    }
    h.resize(k - 1);
    return h;
}
}  // namespace

void plotDiafragmas(LoteDibujo& lote) {
    const bool conCentros = resultados.disponibles && resultados.centros.size() == diafragmas.size();
    for (std::size_t k = 0; k < diafragmas.size(); ++k) {
        const diafragma& d = diafragmas[k];
        lote.anchoLinea(1);
        std::vector<Eigen::Vector2d> planta;
        bool visible = false;
        for (int i : d.nudos) {
            const objNudo3d& n = nudo[static_cast<std::size_t>(i)];
            planta.emplace_back(n.getX(), n.getY());
            visible = visible || nudoVisible(i);
        }
        if (!visible) continue;
        const std::vector<Eigen::Vector2d> h = contornoConvexo(planta);
        std::vector<Eigen::Vector3d> borde;
        for (const Eigen::Vector2d& q : h) borde.emplace_back(q.x(), q.y(), d.z);
        lote.color(0.55, 0.75, 1.0);
        if (borde.size() >= 3) {
            // Un abanico de triángulos (cuadriláteros con el último vértice repetido).
            for (std::size_t i = 1; i + 1 < borde.size(); ++i)
                lote.cuadrilateroVelado(borde[0], borde[i], borde[i + 1], borde[i + 1]);
        }
        if (borde.size() >= 2) lote.tira(borde, borde.size() >= 3);
        if (!conCentros) continue;
        // Los centros del piso: el de masa, un disco; el de rigidez, una cruz en planta.
        const centroPiso& c = resultados.centros[k];
        lote.color(1.0, 0.8, 0.1);
        lote.esfera({c.xMasa, c.yMasa, d.z}, diagonal / 150.0);
        if (c.conRigidez) {
            const double a = diagonal / 100.0;
            lote.color(1.0, 0.3, 0.85);
            lote.anchoLinea(2);
            lote.segmento({c.xRigidez - a, c.yRigidez, d.z}, {c.xRigidez + a, c.yRigidez, d.z});
            lote.segmento({c.xRigidez, c.yRigidez - a, d.z}, {c.xRigidez, c.yRigidez + a, d.z});
        }
    }
}
