// Arranque del programa: la línea de órdenes y el modo por lotes.
#pragma once

#include <string>
#include <vector>

#include "version.h"  // kNombreYVersion (generado en la carpeta de compilación)

// Lo que pide la línea de órdenes.
struct argumentosPrograma {
    enum class Modo { visor, lotes, ayuda, version, error };
    Modo modo = Modo::visor;
    std::string archivo = "ingresoDatos.txt";
    std::string carpetaCsv;  // vacía: sin archivos CSV
    std::string carpetaInforme;  // vacía: sin informe de cálculo (informe.html)
    bool detalle = false;    // --detalle: también el avance de la carga y los ajustes de dibujo que faltan
    // Opciones del sistema de ventanas (-display PANTALLA, -geometry GEOMETRIA,
    // -iconic, ...) que se pasan tal cual a la inicialización de la ventana.
    std::vector<std::string> opcionesVentana;
    std::string pantalla;  // la de -display; vacía: la de DISPLAY
    std::string error;     // el motivo, en el modo error
};

// Interpreta los argumentos (argv[0] es el programa). Una palabra que empieza
// con "-" es una opción; un archivo con ese nombre se escribe con "./" delante.
argumentosPrograma interpretarArgumentos(int argc, const char* const* argv);
// Texto de ayuda de --help.
std::string textoUso();

// Modo por lotes "--calcular": carga el modelo, lo analiza, escribe
// resultados.txt (y, si se da una carpeta, los archivos CSV), e imprime las
// reacciones de apoyo y el equilibrio de cada combinación.
// Devuelve el estado de salida: 0 si todo fue bien, 1 si algo falló, 3 si el
// modelo tiene errores de entrada.
// Con errores de entrada en el modelo no lo analiza ni escribe ningún archivo
// (los de una corrida anterior quedan como estaban): imprime los mensajes,
// "Error: el modelo tiene N errores de entrada; no se analiza" y devuelve 3.
// Lo mismo, con "; no se escriben resultados", si un resultado no es finito
// o está fuera de rango (un valor del modelo que la carga no pudo medir).
// Con detalle escribe también el avance de la carga y los avisos de los
// ajustes de dibujo que faltan. Con carpetaInforme escribe allí informe.html,
// también si el análisis no termina (con los errores y lo que se sabe del
// modelo).
int funcionCalcularLotes(const std::string& archivo, const std::string& carpetaCsv = "", bool detalle = false,
                         const std::string& carpetaInforme = "");
