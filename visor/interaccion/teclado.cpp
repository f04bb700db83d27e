#include "visor/interaccion/teclado.h"

#include <iostream>
#include <string>

#include "diagnosticos.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaPandeo.h"
#include "visor/escena/ventanaSistema.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/interruptores.h"
#include "visor/interaccion/lineaOrdenes.h"
#include "visor/interaccion/vistaCamara.h"

namespace {

// '+' agranda y '-' achica: con Shift sólo el texto; si no, las escalas de
// las capas que están a la vista (la de la deformada también con un modo animado).
void cambiarEscalas(bool agrandar) {
    auto aplicar = [agrandar](double& escala) {
        if (agrandar)
            escala *= 1.1;
        else
            escala /= 1.1;
    };
    if (ventanaSistema::modificadores() == kModificadorShift) {
        aplicar(escalaTexto);
        return;
    }
    if (flagActivo(kFlagDeformada) || modoAnimado() > 0 || pandeoMostrado() > 0) aplicar(escalaDef);
    // La forma del modo animado, más grande, no debe salir de la vista.
    if (agrandar) mantenerModoALaVista();
    if (flagActivo(kFlagAxial)) aplicar(escalaN);
    if (flagActivo(kFlagCortanteY)) aplicar(escalaVy);
    if (flagActivo(kFlagMomentoY)) aplicar(escalaMy);
    if (flagActivo(kFlagCargas)) aplicar(escalaCarga);
    if (flagActivo(kFlagCortanteZ)) aplicar(escalaVz);
    if (flagActivo(kFlagMomentoZ)) aplicar(escalaMz);
    if (flagActivo(kFlagTorsion)) aplicar(escalaT);
}

// Alt con t, f, n o c conmuta textos de diagramas, líneas internas, nudos o
// la proyección; con la proyección nueva se encuadra el modelo desde donde
// se mira (la cámara de una vista ortográfica puede quedar dentro del modelo
// en perspectiva).
void teclaConAlt(unsigned char tecla) {
    switch (tecla) {
    case 't': case 'T': modificadorFlagsGraf(kFlagTextosDiagramas); break;
    case 'f': case 'F': modificadorFlagsGraf(kFlagLineasInternas); break;
    case 'n': case 'N': modificadorFlagsGraf(kFlagEsferasNudos); break;
    case 'c': case 'C':
        modificadorFlagsGraf(kFlagPerspectiva);
        vistaEncuadradaActual();  // rehace también la proyección
        break;
    default: break;
    }
}

// F5: vuelve a leer el archivo de modelo; hay que calcular de nuevo. La
// cámara queda como está, salvo que el modelo anterior no tuviera nudos: esa
// cámara no mira nada (un archivo vacío o que faltaba al arrancar) y se
// encuadra el modelo nuevo. La línea de órdenes dice cuántas advertencias y
// errores de entrada dejó el cargador en la lista de mensajes, que se escribe
// en la consola. La proyección se rehace según el interruptor de perspectiva,
// que vuelve a su valor de arranque.
void recargarModelo() {
    const bool sinNudosAntes = cantidadNudos() == 0;
    std::cout << "\n\n\n------------------------Reinicio del programa------------------\n";
    interruptoresIniciales();
    nudo.clear();
    barra.clear();
    noNudos = 0;
    noBarras = 0;
    barraResaltada = -1;
    animarModo(0);
    mostrarPandeo(0);
    mensajes.vaciar();
    funcionLeerArchivo();
    mensajes.escribirPendientes(std::cout);
    modeloCambiado();
    anunciarCargaDelModelo(true);
    nudosAislados.assign(nudo.size(), 1);
    barrasAisladas.assign(barra.size(), 1);
    if (sinNudosAntes) funcionFronteraGraf();
    wVentana = ventanaSistema::anchoVentana();
    hVentana = ventanaSistema::altoVentana();
    ventanaSistema::redimensionar(wVentana, hVentana);
}

}  // namespace

void teclado(unsigned char tecla, int, int) {
    if (tecla == 27) {
        ventanaSistema::terminarPrograma(0);
        return;
    }
    const int modificadores = ventanaSistema::modificadores();
    if (tecla == 13) {
        if (!ejecutarComando()) return;
        comando.clear();
    } else if (tecla == 8) {
        borrarUltimo();
    } else if ((tecla == '+' || tecla == '-') && comando.empty()) {
        // Con una orden a medio escribir, + y - son caracteres de ella
        // (aislar 1-100, aislar x=-3); con la línea vacía cambian escalas.
        cambiarEscalas(tecla == '+');
    } else if (modificadores == kModificadorAlt) {
        teclaConAlt(tecla);
    } else if ((modificadores & (kModificadorCtrl | kModificadorAlt)) == 0) {
        // Tab, Supr y las combinaciones con Ctrl no escriben nada.
        agregarAlComando(tecla);
    }
    ventanaSistema::pedirRedibujo();
}

void tecladoEspecial(TeclaEspecial tecla) {
    if (tecla == TeclaEspecial::F5) {
        recargarModelo();
    } else if (tecla == TeclaEspecial::F1) {
        modificadorFlagsGraf(kFlagAyudaGeneral);
    } else if (tecla == TeclaEspecial::F12) {
        modificadorFlagsGraf(kFlagPaginaAyuda);
    } else if (tecla == TeclaEspecial::F2) {
        vistaDeFrente({0, -1, 0});  // mirando hacia +Y
    } else if (tecla == TeclaEspecial::F3) {
        vistaDeFrente({-1, 0, 0});  // mirando hacia +X
    } else if (tecla == TeclaEspecial::F4) {
        // Desde arriba; el pequeño corrimiento en X evita mirar paralelo al vector "arriba" (0, 0, 1).
        vistaDeFrente({-0.000000001, 0, 1});
    } else if (tecla == TeclaEspecial::F6) {
        vistaEncuadradaActual();
    }
    ventanaSistema::pedirRedibujo();
}
