// Reacciones de apoyo de una combinación, como columna de textos junto a cada
// nudo restringido. Se escriben también para los nudos ocultos por aislamiento.
#include "globales.h"
#include "visor/capas.h"
#include "visor/estadoVisor.h"
#include "visor/trazosEscena.h"
#include "visor/visibilidad.h"

void plotReacciones(int c) {
    const int cantidad = cantidadNudos();
    for (int i = 0; i < cantidad; ++i) {
        const objNudo3d& n = nudo[static_cast<size_t>(i)];
        const std::vector<LineaReaccion> lineas = lineasReacciones(n, c, diagonal, escalaTexto);
        if (lineas.empty()) continue;
        glPushMatrix();
        trazos::trasladar({n.getX(), n.getY(), n.getZ()});
        // El plano xy local pasa a ser el XZ global: el texto queda de pie.
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        trazos::color({1.0, 0.0, 0.0});
        glLineWidth(1.0f);
        for (const LineaReaccion& l : lineas)
            drawTextoEscalado(l.posicion.x(), l.posicion.y(), l.posicion.z(), l.texto.c_str(), escalaTexto, 1);
        glPopMatrix();
    }
}
