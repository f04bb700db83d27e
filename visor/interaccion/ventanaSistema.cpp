#include "visor/interaccion/ventanaSistema.h"

#include <cstdlib>

namespace ventanaSistema {
namespace {

int sinModificadores() { return 0; }
int sinTamano() { return 0; }
void sinProyeccion(int, int) {}
void sinRedibujo() {}
void salirProceso(int estado) { std::exit(estado); }
void sinAnimacion(bool) {}

}  // namespace

int (*modificadores)() = sinModificadores;
int (*anchoVentana)() = sinTamano;
int (*altoVentana)() = sinTamano;
void (*redimensionar)(int, int) = sinProyeccion;
void (*pedirRedibujo)() = sinRedibujo;
void (*terminarPrograma)(int) = salirProceso;
void (*redibujoContinuo)(bool) = sinAnimacion;

void usarSinVentana() {
    modificadores = sinModificadores;
    anchoVentana = sinTamano;
    altoVentana = sinTamano;
    redimensionar = sinProyeccion;
    pedirRedibujo = sinRedibujo;
    terminarPrograma = salirProceso;
    redibujoContinuo = sinAnimacion;
}

}  // namespace ventanaSistema
