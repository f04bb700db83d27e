#include "visor/interaccion/respuesta.h"

#include "visor/escena/estadoVisor.h"

void responder(const std::string& texto) {
    dialogo = texto;
    modoLinea = ModoLinea::Ordenes;
}
