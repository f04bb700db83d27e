#include "arranque.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <system_error>

#include "analisis/funcionSolve.h"
#include "analisis/resultadosFinitos.h"
#include "diagnosticos.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "reporte/archivosCsv.h"
#include "reporte/bloqueModal.h"
#include "reporte/bloquePandeo.h"
#include "reporte/consolaLotes.h"
#include "reporte/salidaFlechas.h"
#include "reporte/funcionPrint.h"
#include "reporte/informe/informe.h"

// Los modelos de ejemplo: en las fuentes y, una vez instalados, relativos a la
// carpeta del ejecutable (../share/vantra3d/ejemplos desde bin/).
#ifndef VANTRA_CARPETA_EJEMPLOS
#define VANTRA_CARPETA_EJEMPLOS "ejemplos"
#endif
#ifndef VANTRA_EJEMPLOS_DESDE_BINARIO
#define VANTRA_EJEMPLOS_DESDE_BINARIO "../share/vantra3d/ejemplos"
#endif

namespace {
// Opciones que freeglut entiende en glutInit; las dos primeras llevan un valor.
const char* const kOpcionesVentanaConValor[] = {"-display", "-geometry"};
const char* const kOpcionesVentanaSolas[] = {"-iconic", "-direct", "-indirect", "-gldebug", "-sync"};

argumentosPrograma conError(std::string motivo) {
    argumentosPrograma a;
    a.modo = argumentosPrograma::Modo::error;
    a.error = "Error: " + std::move(motivo);
    return a;
}

// La carpeta de ejemplos instalada junto a este ejecutable, si existe; si no
// (el programa corre desde la carpeta de compilación), la de las fuentes.
std::string carpetaEjemplos() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path instalada =
            (exe.parent_path() / VANTRA_EJEMPLOS_DESDE_BINARIO).lexically_normal();
        if (std::filesystem::is_directory(instalada, ec)) return instalada.string();
    }
    return VANTRA_CARPETA_EJEMPLOS;
}
}  // namespace

argumentosPrograma interpretarArgumentos(int argc, const char* const* argv) {
    argumentosPrograma a;
    bool calcular = false, hayArchivo = false, hayCsv = false, hayInforme = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            a.modo = argumentosPrograma::Modo::ayuda;
            return a;
        }
        if (arg == "--version") {
            a.modo = argumentosPrograma::Modo::version;
            return a;
        }
        if (arg == "--calcular") {
            calcular = true;
        } else if (arg == "--detalle") {
            a.detalle = true;
        } else if (arg == "--csv") {
            if (i + 1 >= argc) return conError("falta la carpeta después de --csv");
            a.carpetaCsv = argv[++i];
            hayCsv = true;
            if (a.carpetaCsv.empty()) return conError("la carpeta de --csv no puede ser vacía");
        } else if (arg == "--informe") {
            if (i + 1 >= argc) return conError("falta la carpeta después de --informe");
            a.carpetaInforme = argv[++i];
            hayInforme = true;
            if (a.carpetaInforme.empty()) return conError("la carpeta de --informe no puede ser vacía");
        } else if (std::find_if(std::begin(kOpcionesVentanaConValor), std::end(kOpcionesVentanaConValor),
                                [&](const char* o) { return arg == o; }) != std::end(kOpcionesVentanaConValor)) {
            if (i + 1 >= argc) return conError("falta el valor después de " + arg);
            a.opcionesVentana.push_back(arg);
            a.opcionesVentana.push_back(argv[++i]);
            if (arg == "-display") a.pantalla = a.opcionesVentana.back();
        } else if (std::find_if(std::begin(kOpcionesVentanaSolas), std::end(kOpcionesVentanaSolas),
                                [&](const char* o) { return arg == o; }) != std::end(kOpcionesVentanaSolas)) {
            a.opcionesVentana.push_back(arg);
        } else if (!arg.empty() && arg[0] == '-') {
            return conError("opción desconocida " + arg);
        } else if (hayArchivo) {
            return conError("sobra el argumento " + arg + " (el archivo de modelo es " + a.archivo + ")");
        } else {
            a.archivo = arg;
            hayArchivo = true;
        }
    }
    if (hayCsv && !calcular) return conError("--csv sólo vale con --calcular");
    if (hayInforme && !calcular) return conError("--informe sólo vale con --calcular");
    if (a.detalle && !calcular) return conError("--detalle sólo vale con --calcular");
    a.modo = calcular ? argumentosPrograma::Modo::lotes : argumentosPrograma::Modo::visor;
    return a;
}

namespace {
// Los modelos de ejemplo que hay en la carpeta, en orden, leídos al pedir la
// ayuda (una lista escrita a mano quedaría vieja con cada ejemplo nuevo):
// "(" y, en renglones propios de a lo sumo 80 caracteres (así no dependen
// del largo de la carpeta), los nombres separados por comas y ")".
std::string listaDeEjemplos(const std::string& carpeta) {
    std::vector<std::string> nombres;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(carpeta, ec), fin; !ec && it != fin; it.increment(ec))
        if (it->path().extension() == ".txt" && it->is_regular_file(ec))
            nombres.push_back(it->path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    if (nombres.empty()) return "(no se encontró ninguno).\n";
    std::string texto = "(\n", renglon = " ";
    for (size_t i = 0; i < nombres.size(); ++i) {
        const std::string palabra = " " + nombres[i] + (i + 1 < nombres.size() ? "," : ").");
        if (renglon.size() + palabra.size() > 80) texto += renglon + "\n", renglon = " ";
        renglon += palabra;
    }
    return texto + renglon + "\n";
}
}  // namespace

std::string textoUso() {
    const std::string ejemplos = carpetaEjemplos();
    return std::string(kNombreYVersion) +
           ": análisis estático lineal de pórticos espaciales.\n"
           "\n"
           "Uso:\n"
           "  vantra3d [ARCHIVO]\n"
           "      Carga el modelo ARCHIVO (por omisión ingresoDatos.txt) y abre el visor 3D.\n"
           "  vantra3d --calcular [ARCHIVO] [--csv CARPETA] [--informe CARPETA] [--detalle]\n"
           "      Sin ventana: analiza el modelo, escribe resultados.txt en la carpeta de\n"
           "      trabajo e imprime las reacciones y el equilibrio de cada combinación.\n"
           "\n"
           "Opciones:\n"
           "  --calcular       analizar sin abrir la ventana\n"
           "  --csv CARPETA    con --calcular, escribir además los resultados en archivos CSV\n"
           "                   en CARPETA (se crea si no existe): siempre desplazamientos.csv,\n"
           "                   reacciones.csv, fuerzasExtremos.csv y solicitaciones.csv;\n"
           "                   con modos:, modos.csv y formasModales.csv; con pandeo:,\n"
           "                   pandeo.csv y formasPandeo.csv; con sismo:, sismo.csv; con\n"
           "                   envolvente: o un combo con sismo, envolventeDesplazamientos.csv,\n"
           "                   envolventeReacciones.csv y envolventeSolicitaciones.csv; con\n"
           "                   diafragma:, diafragmas.csv; con verificacionAcero:,\n"
           "                   verificacion.csv y resistencias.csv\n"
           "  --informe CARPETA\n"
           "                   con --calcular, escribir además el informe de cálculo\n"
           "                   informe.html en CARPETA (se crea si no existe)\n"
           "  --detalle        con --calcular, escribir también el avance de la carga y los\n"
           "                   ajustes de dibujo que faltan\n"
           "  -h, --help       mostrar esta ayuda y salir\n"
           "  --version        mostrar la versión y salir\n"
           "  -display PANTALLA, -geometry GEOMETRIA, -iconic, -direct, -indirect, -gldebug, -sync\n"
           "                   opciones de la ventana del visor\n"
           "Un archivo cuyo nombre empieza con \"-\" se escribe con \"./\" delante (./-modelo.txt).\n"
           "\n"
           "Estado de salida:\n"
           "  0  todo fue bien\n"
           "  1  el modelo no se pudo abrir, la estructura es inestable, un archivo de\n"
           "     resultados no se pudo escribir o no hay pantalla para el visor\n"
           "  2  la línea de órdenes no es válida\n"
           "  3  el modelo tiene errores de entrada: no se analiza ni se escribe ningún\n"
           "     archivo (los de una corrida anterior quedan como estaban)\n"
           "\n"
           "Modelos de ejemplo: " + ejemplos + " " + listaDeEjemplos(ejemplos);
}

int funcionCalcularLotes(const std::string& archivo, const std::string& carpetaCsv, bool detalle,
                         const std::string& carpetaInforme) {
    nombreArchivo = archivo;
    mensajes.vaciar();
    // Cada etapa deja sus mensajes en la lista; se escriben al terminarla.
    const auto etapa = [detalle](bool correcta) {
        mensajes.escribirPendientes(std::cout, detalle);
        return correcta;
    };
    funcionLeerArchivo();
    if (!etapa(archivoDatosAbierto)) return 1;
    // Un modelo con errores de entrada no se analiza: sus resultados serían
    // los de otra estructura (sin la barra sin sección, sin la carga del caso
    // mal escrito). Nada se escribe; los archivos de una corrida anterior
    // quedan como estaban.
    const auto conErrores = [](const char* motivo) {
        std::cout << "Error: el modelo tiene " << erroresDeEntrada
                  << (erroresDeEntrada == 1 ? " error" : " errores") << " de entrada; " << motivo << std::endl;
        return 3;
    };
    if (erroresDeEntrada > 0) return conErrores("no se analiza");
    // El informe se escribe también si el análisis no termina: dice por qué.
    const auto informe = [&]() { return carpetaInforme.empty() || etapa(escribirInforme(carpetaInforme)); };
    if (!etapa(funcionSolve())) {
        informe();
        return 1;
    }
    // Un inf o un nan en los resultados sale de un valor fuera de rango que la
    // carga no pudo medir: tampoco se escribe nada.
    if (!etapa(revisarResultadosFinitos())) return conErrores("no se escriben resultados");
    if (!etapa(funcionPrint())) return 1;
    if (!carpetaCsv.empty() && !etapa(escribirCsv(carpetaCsv))) return 1;
    if (!informe()) return 1;
    imprimirReacciones();
    imprimirModos();
    imprimirPandeo();
    imprimirVerificacionAcero();
    imprimirFlechas();
    // Una combinación de segundo orden que supera la carga crítica no tiene
    // resultados: el análisis no terminó bien aunque las demás sí.
    return diagnosticoUltimoAnalisis.segundoOrdenInestable ? 1 : 0;
}
