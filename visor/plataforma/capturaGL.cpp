#include "visor/plataforma/capturaGL.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "visor/escena/estadoVisor.h"
#include "visor/interaccion/captura.h"

void atenderCaptura() {
    if (!tomarPedidoCaptura()) return;
    std::vector<unsigned char> pixeles(static_cast<std::size_t>(std::max(wVentana, 0)) * std::max(hVentana, 0) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, wVentana, hVentana, GL_RGB, GL_UNSIGNED_BYTE, pixeles.data());
    guardarCaptura(wVentana, hVentana, pixeles);
}
