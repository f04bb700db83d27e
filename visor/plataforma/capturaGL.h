// La ventana leída de OpenGL para la orden "captura" (interaccion/captura.h).
#pragma once

// Al final del cuadro, antes de mostrarlo: si se pidió una captura, lee la
// ventana y la guarda.
void atenderCaptura();
