#include "visor/interaccion/interruptores.h"

#include <cstddef>
#include <iostream>
#include <string>

#include "analisis/funcionSolve.h"
#include "analisis/resultadosFinitos.h"
#include "diagnosticos.h"
#include "globales.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaPandeo.h"
#include "visor/interaccion/respuesta.h"
#include "visor/interaccion/textosAyuda.h"

namespace {

const char* const kErrorInestable = "Error: la estructura es inestable. Ingrese Comando:";
const char* const kErrorSingular = "Error: la matriz de rigidez es numéricamente singular. Ingrese Comando:";

// Lo que responde "Calcular" en un modelo con errores de entrada.
std::string textoErroresDeEntrada(int errores) {
    return "Error: el modelo tiene " + std::to_string(errores) + (errores == 1 ? " error" : " errores") +
           " de entrada; corríjalos y recargue (F5). Ingrese Comando:";
}

// Capas de resultados y de cargas que se excluyen entre sí (la torsión se
// trata aparte porque además apaga las etiquetas).
const int kCapasExclusivas[] = {kFlagDeformada, kFlagAxial,     kFlagCortanteY, kFlagMomentoY,
                                kFlagCargas,    kFlagReacciones, kFlagCortanteZ, kFlagMomentoZ};
const int kEtiquetas[] = {kFlagTagNudos, kFlagTagBarras, kFlagSecciones};

int& interruptor(int k) { return flags[static_cast<size_t>(k)]; }
void alternar(int k) { interruptor(k) += 1; }
void apagar(int k) { interruptor(k) = 0; }

void apagarEtiquetasYCapas() {
    apagarEtiquetas();
    for (int j : kCapasExclusivas) apagar(j);
}

// Capas de la escena: todos los interruptores salvo la ayuda, la proyección y
// el análisis.
bool esCapaDeLaEscena(int k) {
    return k >= 0 && k < kFlagPrimerCombo && k != kFlagAyudaGeneral && k != kFlagPaginaAyuda &&
           k != kFlagPerspectiva && k != kFlagCalculado;
}

}  // namespace

void apagarEtiquetas() {
    for (int j : kEtiquetas) apagar(j);
}

void apagarResultadosYVolumen() {
    for (int j : kCapasExclusivas) apagar(j);
    apagar(kFlagTorsion);
    apagar(kFlagVolumen);
}

void modificadorFlagsGraf(int k) {
    // Otra capa termina el resaltado de "barra N".
    if (esCapaDeLaEscena(k)) barraResaltada = -1;
    switch (k) {
    case kFlagTagNudos: case kFlagTagBarras: case kFlagSecciones:
        alternar(k);
        apagar(kFlagVolumen);
        break;
    case kFlagDeformada: case kFlagAxial: case kFlagCortanteY: case kFlagMomentoY:
    case kFlagCargas: case kFlagReacciones: case kFlagCortanteZ: case kFlagMomentoZ:
        // cualquier otra capa de resultados termina la animación de un modo o la forma de pandeo
        animarModo(0);
        mostrarPandeo(0);
        alternar(k);
        for (int j : kCapasExclusivas)
            if (j != k) apagar(j);
        apagar(kFlagVolumen);
        apagar(kFlagTorsion);
        break;
    case kFlagAcero:
        // Colorea las barras mismas: se ve con los diagramas, no con el volumen.
        alternar(k);
        apagar(kFlagVolumen);
        break;
    case kFlagApoyos: case kFlagEjes: case kFlagTextosDiagramas: case kFlagLineasInternas:
    case kFlagEsferasNudos: case kFlagPerspectiva:
        alternar(k);
        break;
    case kFlagAyudaGeneral:
        apagar(kFlagPaginaAyuda);
        alternar(kFlagAyudaGeneral);
        break;
    case kFlagPaginaAyuda:
        apagar(kFlagAyudaGeneral);
        interruptor(kFlagPaginaAyuda) += 1;
        if (interruptor(kFlagPaginaAyuda) > kPaginasAyudaArchivo) apagar(kFlagPaginaAyuda);
        break;
    case kFlagVolumen:
    case kFlagTorsion:
        animarModo(0);
        mostrarPandeo(0);
        alternar(k);
        apagarEtiquetasYCapas();
        apagar(k == kFlagVolumen ? kFlagTorsion : kFlagVolumen);
        // Las barras sólidas no llevan el color de las razones de acero.
        if (k == kFlagVolumen) apagar(kFlagAcero);
        break;
    case kFlagCalculado: {
        // los modos y el pandeo se vuelven a calcular
        animarModo(0);
        mostrarPandeo(0);
        // Con errores de entrada no se analiza: los resultados serían los de
        // otra estructura. Los errores están en la consola desde la carga.
        if (erroresDeEntrada > 0) {
            apagar(kFlagCalculado);
            responder(textoErroresDeEntrada(erroresDeEntrada));
            break;
        }
        interruptor(kFlagCalculado) = 1;
        modeloCambiado();
        // Un inf o un nan en los resultados sale de un valor fuera de rango:
        // se dice en la consola como error de entrada y no se muestra nada.
        const bool correcto = funcionSolve() && revisarResultadosFinitos();
        mensajes.escribirPendientes(std::cout);
        if (!correcto && erroresDeEntrada > 0) {
            resultados.vaciar();
            apagar(kFlagCalculado);
            responder(textoErroresDeEntrada(erroresDeEntrada));
        } else if (!correcto) {
            // Sin resultados no hay nada que mostrar: los botones de resultados siguen ocultos.
            // Un mecanismo y una matriz que el redondeo vuelve singular se corrigen distinto.
            apagar(kFlagCalculado);
            responder(diagnosticoUltimoAnalisis.resultado == resultadoAnalisis::singular ? kErrorSingular
                                                                                          : kErrorInestable);
        } else if (dialogo == kErrorInestable || dialogo == kErrorSingular ||
                   dialogo.rfind("Error: el modelo tiene ", 0) == 0) {
            // El error de un cálculo anterior ya no vale: ahora hay resultados.
            responder(kIngrese);
        }
        break;
    }
    default:
        break;
    }
}
