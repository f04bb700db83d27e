// Cargas de una combinación: puntuales en los nudos visibles (ejes globales) y
// distribuidas en las barras visibles (marco local de cada barra).
#include "globales.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/trazosEscena.h"
#include "visor/visibilidad.h"

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

void numeros(const CargaDistribuida& d) {
    for (const Rotulo& r : d.numeros) trazos::rotulo(r, precision, escalaTexto);
}

void plotCargasPuntuales(int c, double escala, double punta) {
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        if (!nudoVisible(i)) continue;
        for (const CargaPuntual& p : cargasPuntuales(nudo[static_cast<size_t>(i)], c, escala)) {
            trazos::color(p.esMomento ? kColorMomento : kColorFuerza);
            glLineWidth(2.0f);
            for (const Flecha& f : p.flechas) trazos::flecha(f, punta);
            glLineWidth(1.0f);
            const Eigen::Vector3d& t = p.numero.posicion;
            drawNumFloatFacing(t.x(), t.y(), t.z(), p.numero.valor, precision, escalaTexto, 1);
        }
    }
}

void plotTransversal(const CargaDistribuida& d, const ColoresTransversal& colores, double punta) {
    trazos::color(colores.flechas);
    glLineWidth(1.0f);
    for (const Flecha& f : d.flechas) trazos::flecha(f, punta);
    if (d.lineaCarga) trazos::segmento(d.lineaCarga->cola, d.lineaCarga->punta);
    trazos::color(colores.numeros);
    numeros(d);
}

void plotAxialDistribuida(const CargaDistribuida& d, double punta) {
    trazos::color(kColorAxial);
    glLineWidth(2.0f);
    for (const Flecha& f : d.flechas) trazos::flecha(f, punta);
    trazos::color(kColorAxial);
    glLineWidth(1.0f);
    numeros(d);
}

// Tres cuartos de círculo alrededor del eje en cada estación, con una punta
// pequeña en su comienzo; el giro del plano según el signo invierte el sentido.
void plotTorsionDistribuida(const CargaDistribuida& d, double L) {
    trazos::color(kColorTorsion);
    glLineWidth(1.0f);
    for (double x : d.estaciones) {
        glPushMatrix();
        glTranslatef(static_cast<float>(x), 0.0f, 0.0f);
        glRotatef(d.sentido > 0 ? -90.0f : 90.0f, 0.0f, 1.0f, 0.0f);
        plotArcoXY(L / 40, -90, 180);
        trazos::flecha({Eigen::Vector3d(L / 1000, -L / 40 + L / 3000, 0), Eigen::Vector3d(0, -L / 40, 0)}, L / 80);
        glPopMatrix();
    }
    trazos::color(kColorNumeroTorsion);
    numeros(d);
}

void plotCargasDistribuidas(int c, double escala, double punta) {
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<size_t>(i)];
        for (const CargaDistribuida& d : cargasDistribuidas(b, c, escala, escalaTexto)) {
            trazos::entrarMarcoBarra(b, trazos::inicioBarra(b));
            switch (d.tipo) {
                case TipoDistribuida::LocalY: plotTransversal(d, kColoresY, punta); break;
                case TipoDistribuida::LocalZ: plotTransversal(d, kColoresZ, punta); break;
                case TipoDistribuida::Axial: plotAxialDistribuida(d, punta); break;
                case TipoDistribuida::Torsion: plotTorsionDistribuida(d, b.getLongitud()); break;
            }
            trazos::salirMarcoBarra();
        }
    }
}

}  // namespace

void plotCarga(int c, double escala) {
    // Las puntas siguen a la distancia de la cámara: mismo tamaño en pantalla.
    const double punta = distCamObj / 75;
    plotCargasPuntuales(c, escala, punta);
    plotCargasDistribuidas(c, escala, punta);
}
