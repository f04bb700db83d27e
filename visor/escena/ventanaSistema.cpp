#include "visor/escena/ventanaSistema.h"

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

void usar(int (*teclasModificadoras)(), int (*ancho)(), int (*alto)(), void (*remodelar)(int, int),
          void (*redibujo)(), void (*terminar)(int), void (*continuo)(bool)) {
    modificadores = teclasModificadoras;
    anchoVentana = ancho;
    altoVentana = alto;
    redimensionar = remodelar;
    pedirRedibujo = redibujo;
    terminarPrograma = terminar;
    redibujoContinuo = continuo;
}

void usarSinVentana() {
    usar(sinModificadores, sinTamano, sinTamano, sinProyeccion, sinRedibujo, salirProceso, sinAnimacion);
}

}  // namespace ventanaSistema
