// Deformada de una combinación: los nudos visibles en su posición desplazada,
// con sus desplazamientos y giros, y la elástica de cada barra visible.
#include "globales.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/trazosEscena.h"
#include "visor/visibilidad.h"

namespace {

constexpr Color kColorDeformada{0.0, 0.7, 0.7};
constexpr Color kColorValores{0.7, 0.7, 0.7};

void plotNudosDeformados(int c, double escala) {
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        if (!nudoVisible(i)) continue;
        const auto d = nudoDeformado(nudo[static_cast<size_t>(i)], c, escala);
        if (!d) continue;

        glPushMatrix();
        trazos::trasladar(d->posicion);
        // El plano xy local pasa a ser el XZ global: el texto queda de pie.
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        const double r = diagonal / 300;
        trazos::color(kColorDeformada);
        glutSolidSphere(r, 12, 12);
        trazos::color(kColorValores);
        if (flagActivo(kFlagTextosDiagramas)) {
            drawTextoEscalado(r, escalaTexto, 0, "Ux, Uy, Uz ,Gx, Gy, Gz", escalaTexto, 1);
            for (int k = 0; k < 6; ++k) drawNumSci(r, -k * escalaTexto, 0, d->valores[k], precision, escalaTexto, 1);
        }
        glPopMatrix();
    }
}

void plotBarrasDeformadas(int c, double escala) {
    const int cantidad = cantidadBarras();
    for (int i = 0; i < cantidad; ++i) {
        if (!barraVisible(i)) continue;
        const objBarra3d& b = barra[static_cast<size_t>(i)];
        const int n = b.getNudoInicioInterno();
        if (n < 0 || n >= static_cast<int>(nudo.size())) continue;
        const auto d = barraDeformada(b, nudo[static_cast<size_t>(n)], c, escala);
        if (!d) continue;

        trazos::entrarMarcoBarra(b, d->origen);
        glLineWidth(1.0f);
        trazos::color(kColorDeformada);
        for (size_t j = 0; j + 1 < d->puntos.size(); ++j) trazos::segmento(d->puntos[j], d->puntos[j + 1]);
        trazos::salirMarcoBarra();
    }
}

}  // namespace

void plotDeformada(int c, double escala) {
    plotNudosDeformados(c, escala);
    plotBarrasDeformadas(c, escala);
}
