#include "visor/interaccion/lineaOrdenes.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "diagnosticos.h"
#include "globales.h"
#include "modelo/acero.h"
#include "reporte/escalaRazones.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaPandeo.h"
#include "visor/escena/seleccionBarras.h"
#include "visor/escena/ventanaSistema.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/captura.h"
#include "visor/interaccion/consultaBarra.h"
#include "visor/interaccion/consultaNudo.h"
#include "visor/interaccion/interruptores.h"
#include "visor/interaccion/respuesta.h"
#include "visor/interaccion/vistaCamara.h"

namespace {

const char* const kPideCombo = "Escriba el nombre del Combo y presione ENTER:";
const char* const kPideBarras = "Escriba lista de barras a aislar separadas por espacios:";

// Deja la línea esperando lo que el modo dice para el próximo Return.
void pedir(ModoLinea modo, const char* indicador) {
    dialogo = indicador;
    modoLinea = modo;
}

// Órdenes que sólo conmutan un interruptor y vuelven al indicador.
struct OrdenSimple {
    const char* texto;
    int k;
};
const OrdenSimple kOrdenesSimples[] = {{"plotEjes", kFlagEjes},
                                       {"tagNudos", kFlagTagNudos},
                                       {"tagBarras", kFlagTagBarras},
                                       {"secciones", kFlagSecciones},
                                       {"plotVolumen", kFlagVolumen}};

// Órdenes de capa: conmutan y responden según el estado nuevo.
struct OrdenCapa {
    const char* texto;
    int k;
    const char* activada;
    const char* desactivada;
};
const OrdenCapa kOrdenesCapa[] = {
    {"plotDef", kFlagDeformada, "Deformaciones Activadas. Ingrese Comando:",
     "Deformaciones Desactivadas. Ingrese Comando:"},
    {"plotN", kFlagAxial, "Fuerzas Axiales Activadas. Ingrese Comando:",
     "Fuerzas Axiales Desactivadas. Ingrese Comando:"},
    {"plotVy", kFlagCortanteY, "Fuerzas Cortantes Y Activadas. Ingrese Comando:",
     "Fuerzas Cortantes Y Desactivadas. Ingrese Comando:"},
    {"plotMy", kFlagMomentoY, "Momentos Flectores Y Activados. Ingrese Comando:",
     "Momentos Flectores Y Desactivados. Ingrese Comando:"},
    {"plotCarga", kFlagCargas, "Graficacion de Cargas Activada. Ingrese Comando:",
     "Graficacion de Cargas Desactivada. Ingrese Comando:"},
    {"plotR", kFlagReacciones, "Graficacion de Reacciones Activada. Ingrese Comando:",
     "Graficacion de Reacciones Desactivada. Ingrese Comando:"},
    {"plotVz", kFlagCortanteZ, "Fuerzas Cortantes Z Activadas. Ingrese Comando:",
     "Fuerzas Cortantes Z Desactivadas. Ingrese Comando:"},
    {"plotMz", kFlagMomentoZ, "Momentos Flectores Z Activados. Ingrese Comando:",
     "Momentos Flectores Z Desactivados. Ingrese Comando:"},
    {"plotT", kFlagTorsion, "Torsion Activadas. Ingrese Comando:", "Torsion Desactivada. Ingrese Comando:"},
    {"plotApoyos", kFlagApoyos, "Graficacion de Apoyos Activada. Ingrese Comando:",
     "Graficacion de Apoyos Desactivada. Ingrese Comando:"},
};

// Busca la combinación por nombre y la conmuta. Sólo las primeras 100 tienen
// interruptor.
void conmutarComboPorNombre(const std::string& nombre) {
    numeroComboCoincidente = buscarCombo(nombre);
    if (numeroComboCoincidente < 0) {
        responder("el combo no existe. Ingrese Comando:");
    } else if (numeroComboCoincidente >= kCombosConInterruptor) {
        responder("Solo se pueden visualizar los primeros 100 combos. Ingrese Comando:");
    } else {
        flags[static_cast<size_t>(kFlagPrimerCombo + numeroComboCoincidente)] += 1;
        responder("Combo Activado/Desactivado, OK. Ingrese Comando:");
    }
}

// Deja visibles sólo las barras que nombra la lista (números, rangos, planos,
// pisos, secciones) y sus nudos extremos. Una lista con algún trozo no
// válido, o que no nombra ninguna barra, oculta todo y la respuesta dice por qué.
void aislarBarras(const std::string& lista) {
    barrasAisladas.assign(barra.size(), 0);
    nudosAislados.assign(nudo.size(), 0);
    const seleccionBarras s = seleccionarBarras(lista);
    if (!s.error.empty()) {
        responder(s.error + kIngrese);
        return;
    }
    for (int b : s.barras) {
        const objBarra3d& laBarra = barra[static_cast<size_t>(b)];
        barrasAisladas[static_cast<size_t>(b)] = 1;
        for (int n : {laBarra.getNudoInicioInterno(), laBarra.getNudoFinalInterno()})
            if (n >= 0 && n < static_cast<int>(nudosAislados.size())) nudosAislados[static_cast<size_t>(n)] = 1;
    }
    responder(kIngrese);
}

// "barra N": resalta la barra y describe sus datos; un número que no nombra
// ninguna barra del modelo se contesta y quita el resaltado.
void inspeccionar(const std::string& numeroTexto) {
    const int interna = barraDeNumero(numeroTexto);
    if (numeroTexto.empty()) {
        barraResaltada = -1;
        responder("Falta el número: barra N. Ingrese Comando:");
    } else if (interna < 0) {
        barraResaltada = -1;
        responder("No existe la barra " + numeroTexto + ". Ingrese Comando:");
    } else {
        barraResaltada = interna;
        responder(inspeccionarBarra(interna) + ". Ingrese Comando:");
    }
}

// "nudo N": describe el nudo y sus resultados en la primera combinación activa.
void inspeccionarNudoN(const std::string& numeroTexto) {
    const long long n = numeroTexto.find_first_not_of("0123456789") == std::string::npos && !numeroTexto.empty() &&
                                numeroTexto.size() < 10
                            ? std::stoll(numeroTexto)
                            : -1;
    const int interno = n < 0 ? -1 : internoDeNudo(n);
    if (numeroTexto.empty())
        responder("Falta el número: nudo N. Ingrese Comando:");
    else if (interno < 0)
        responder("No existe el nudo " + numeroTexto + ". Ingrese Comando:");
    else
        responder(inspeccionarNudo(interno) + ". Ingrese Comando:");
}

// El número N de "modo N" o "pandeo N": -1 si falta, -2 si no es un número
// natural (o es desmesurado).
long long numeroDeOrden(const std::string& numeroTexto) {
    long long k = numeroTexto.empty() ? -1 : 0;
    for (char c : numeroTexto) {
        if (c < '0' || c > '9' || k > 1000000) return -2;
        k = k * 10 + (c - '0');
    }
    return k;
}

// "modo N": anima la forma del modo N (1 el más bajo) y apaga las capas de
// resultados y de cargas; "modo 0" termina la animación. Sin modos calculados
// o con un número que no es de un modo se contesta por qué.
void ordenModo(const std::string& numeroTexto) {
    const long long k = numeroDeOrden(numeroTexto);
    if (k == -1) {
        responder("Falta el número: modo N. Ingrese Comando:");
    } else if (k == 0) {
        animarModo(0);
        responder(kIngrese);
    } else if (!hayModosCalculados()) {
        if (modosPedidos <= 0)
            responder("No hay modos de vibración: el modelo no los pide (modos: N). Ingrese Comando:");
        else if (!flagActivo(kFlagCalculado))
            responder("No hay modos de vibración: presione Calcular. Ingrese Comando:");
        else
            responder("No hay modos de vibración: el análisis no dio ninguno. Ingrese Comando:");
    } else if (k < 0 || k > static_cast<long long>(resultados.modos.size())) {
        const std::size_t n = resultados.modos.size();
        responder("No existe el modo " + numeroTexto + ": hay " + std::to_string(n) + (n == 1 ? " modo" : " modos") +
                  ". Ingrese Comando:");
    } else {
        // La forma se ve sola sobre el modelo: sin diagramas, cargas, reacciones ni volumen.
        apagarResultadosYVolumen();
        animarModo(static_cast<int>(k));
        // La oscilación entera queda a la vista: si sale, se encuadra.
        mantenerModoALaVista();
        responder(descripcionModo(static_cast<int>(k)) + ". Ingrese Comando:");
    }
}

// "pandeo N": dibuja, quieta, la forma de pandeo N (1 la del menor factor) de
// la primera combinación activa que tiene análisis de pandeo, con su factor
// en la línea; "pandeo 0" la quita. Sin pandeo calculado, o con un número que
// no es de una forma, se contesta por qué.
void ordenPandeo(const std::string& numeroTexto) {
    const long long k = numeroDeOrden(numeroTexto);
    const pandeoCombo* p = pandeoActivo();
    if (k == -1) {
        responder("Falta el número: pandeo N. Ingrese Comando:");
    } else if (k == 0) {
        mostrarPandeo(0);
        responder(kIngrese);
    } else if (p == nullptr) {
        if (pedidosPandeo.empty())
            responder("No hay formas de pandeo: el modelo no las pide (pandeo: COMBO N). Ingrese Comando:");
        else if (!flagActivo(kFlagCalculado))
            responder("No hay formas de pandeo: presione Calcular. Ingrese Comando:");
        else
            responder("No hay formas de pandeo en los combos activos. Ingrese Comando:");
    } else if (k < 0 || k > static_cast<long long>(p->factores.size())) {
        const std::size_t n = p->factores.size();
        responder("No existe la forma de pandeo " + numeroTexto + " del combo " + p->nombre + ": hay " +
                  std::to_string(n) + (n == 1 ? " forma" : " formas") + ". Ingrese Comando:");
    } else {
        // La forma se ve sola sobre el modelo, como la de un modo.
        apagarResultadosYVolumen();
        mostrarPandeo(static_cast<int>(k));
        responder(descripcionPandeo(*p, static_cast<int>(k)) + ". Ingrese Comando:");
    }
}

// "plotAcero": conmuta la capa de las razones de la verificación de acero. Sin
// razones que mostrar no se enciende y se contesta por qué.
void ordenAcero() {
    if (flagActivo(kFlagAcero)) {
        modificadorFlagsGraf(kFlagAcero);
        responder("Razones de Acero Desactivadas. Ingrese Comando:");
    } else if (!acero.pedida) {
        responder("No hay verificación de acero: el modelo no la pide (verificacionAcero:). Ingrese Comando:");
    } else if (!flagActivo(kFlagCalculado) || !resultados.disponibles) {
        responder("No hay verificación de acero: presione Calcular. Ingrese Comando:");
    } else if (!hayRazones(resultados.acero)) {
        responder("No hay verificación de acero: ningún miembro se verificó. Ingrese Comando:");
    } else {
        modificadorFlagsGraf(kFlagAcero);
        responder("Razones de Acero Activadas. Ingrese Comando:");
    }
}

// Lo que sigue a "orden " si el texto es esa orden con algo escrito a
// continuación (en un solo renglón), o nada.
bool conArgumento(const std::string& texto, const std::string& orden, std::string& argumento) {
    if (texto.size() <= orden.size() + 1 || texto.compare(0, orden.size() + 1, orden + " ") != 0) return false;
    argumento = texto.substr(orden.size() + 1);
    return true;
}

}  // namespace

std::string avisoDeCarga(int advertencias, int errores) {
    if (errores <= 0) return "Modelo cargado con " + std::to_string(advertencias) + " advertencias; vea la consola";
    return "Modelo cargado con " + std::to_string(advertencias) + (advertencias == 1 ? " advertencia" : " advertencias") +
           " y " + std::to_string(errores) + (errores == 1 ? " error" : " errores") + " de entrada; vea la consola";
}

void anunciarCargaDelModelo(bool recarga) {
    if (!archivoDatosAbierto) {
        responder("Error: no se pudo abrir el archivo de datos " + nombreArchivo + ". Ingrese Comando:");
        return;
    }
    const int errores = mensajes.cantidad(nivelMensaje::error);
    if (recarga || errores > 0) responder(avisoDeCarga(mensajes.cantidad(nivelMensaje::advertencia), errores));
}

// Ejecuta la línea de órdenes. Las filas se revisan una tras otra sobre el
// mismo estado: una fila que responde deja la línea lista para órdenes y así
// impide que una fila posterior tome el texto como nombre o como lista. Un
// texto que ninguna fila atiende se contesta. "combo NOMBRE" y "aislar N N ..."
// hacen en un renglón lo que "combo" y "aislar" piden en dos.
// Devuelve falso si la orden terminó el programa.
bool ejecutarComando() {
    if (comando == "exit" || comando == "salir") {
        ventanaSistema::terminarPrograma(0);
        return false;
    }
    // Cualquier otra orden termina el resaltado de "barra N"; "captura" no,
    // para que la imagen guarde lo que se ve.
    if (!comando.empty() && comando != "captura" && comando != "barra" && comando.rfind("barra ", 0) != 0)
        barraResaltada = -1;
    bool atendida = comando.empty();
    std::string argumento;
    for (const OrdenSimple& o : kOrdenesSimples)
        if (comando == o.texto) {
            responder(kIngrese);
            modificadorFlagsGraf(o.k);
            atendida = true;
        }
    if (comando == "noTags") {
        responder(kIngrese);
        apagarEtiquetas();
        atendida = true;
    }
    for (const OrdenCapa& o : kOrdenesCapa)
        if (comando == o.texto) {
            modificadorFlagsGraf(o.k);
            responder(flagActivo(o.k) ? o.activada : o.desactivada);
            atendida = true;
        }
    if (comando == "barra" || comando.rfind("barra ", 0) == 0) {
        inspeccionar(comando.size() > 6 ? comando.substr(6) : std::string());
        atendida = true;
    }
    if (comando == "nudo" || comando.rfind("nudo ", 0) == 0) {
        inspeccionarNudoN(comando.size() > 5 ? comando.substr(5) : std::string());
        atendida = true;
    }
    if (comando == "modo" || comando.rfind("modo ", 0) == 0) {
        ordenModo(comando.size() > 5 ? comando.substr(5) : std::string());
        atendida = true;
    }
    if (comando == "pandeo" || comando.rfind("pandeo ", 0) == 0) {
        ordenPandeo(comando.size() > 7 ? comando.substr(7) : std::string());
        atendida = true;
    }
    if (comando == "plotAcero") {
        ordenAcero();
        atendida = true;
    }
    if (comando == "captura") {
        responder(kIngrese);
        pedirCaptura();
        atendida = true;
    }
    if (conArgumento(comando, "combo", argumento)) {
        conmutarComboPorNombre(argumento);
        atendida = true;
    }
    if (modoLinea == ModoLinea::NombreCombo) {
        conmutarComboPorNombre(comando);
        atendida = true;
    }
    if (comando == "combo") {
        pedir(ModoLinea::NombreCombo, kPideCombo);
        atendida = true;
    }
    if (comando == "noAislar") {
        responder(kIngrese);
        barrasAisladas.assign(barra.size(), 1);
        nudosAislados.assign(nudo.size(), 1);
        atendida = true;
    }
    if (conArgumento(comando, "aislar", argumento)) {
        aislarBarras(argumento);
        atendida = true;
    }
    if (modoLinea == ModoLinea::ListaBarras) {
        aislarBarras(comando);
        atendida = true;
    }
    if (comando == "aislar") {
        pedir(ModoLinea::ListaBarras, kPideBarras);
        atendida = true;
    }
    if (!atendida) responder("Comando no reconocido: " + comando + ". F1: ayuda. Ingrese Comando:");
    return true;
}

// Lo que se escribe en la línea de órdenes: caracteres imprimibles. Los de
// Latin-1 (letras acentuadas, eñe) se guardan en UTF-8, como los nombres del
// archivo de modelo.
void agregarAlComando(unsigned char tecla) {
    if (tecla >= 32 && tecla <= 126) {
        comando += static_cast<char>(tecla);
    } else if (tecla >= 160) {
        comando += static_cast<char>(0xC0 | (tecla >> 6));
        comando += static_cast<char>(0x80 | (tecla & 0x3F));
    }
}

// Retroceso: quita el último carácter entero (los dos bytes de uno acentuado).
void borrarUltimo() {
    while (!comando.empty() && (static_cast<unsigned char>(comando.back()) & 0xC0) == 0x80) comando.pop_back();
    if (!comando.empty()) comando.pop_back();
}
