// Vantra 3D: análisis estático lineal de pórticos espaciales.
//   vantra3d [archivo]                              carga el modelo y abre el visor
//   vantra3d --calcular [archivo] [--csv carpeta]   analiza sin ventana y escribe resultados.txt
//   vantra3d --help                                 ayuda (opciones y estados de salida)
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "arranque.h"
#include "diagnosticos.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "visor/plataforma/funcionPlot.h"
#include "visor/plataforma/pantalla.h"

int main(int argc, char** argv) {
    const argumentosPrograma a = interpretarArgumentos(argc, argv);
    switch (a.modo) {
    case argumentosPrograma::Modo::ayuda:
        std::cout << textoUso();
        return 0;
    case argumentosPrograma::Modo::version:
        std::cout << kNombreYVersion << "\n";
        return 0;
    case argumentosPrograma::Modo::error:
        std::cerr << a.error << "\n\n" << textoUso();
        return 2;
    case argumentosPrograma::Modo::lotes:
        return funcionCalcularLotes(a.archivo, a.carpetaCsv, a.detalle, a.carpetaInforme);
    case argumentosPrograma::Modo::visor:
        break;
    }
    // Antes de cargar nada: sin pantalla el visor no tiene dónde abrirse.
    if (!hayPantalla(a.pantalla)) {
        std::cerr << "Error: no se puede abrir la ventana (no hay pantalla); use --calcular para analizar sin ventana"
                  << std::endl;
        return 1;
    }
    nombreArchivo = a.archivo;
    // La consola se limpia sólo si es una terminal: con la salida en un archivo
    // o en una tubería no se escriben secuencias de control.
    if (isatty(STDOUT_FILENO) == 1) std::cout << "\033[H\033[2J" << std::flush;
    funcionLeerArchivo();
    mensajes.escribirPendientes(std::cout);
    // A la ventana le llegan el nombre del programa y sus propias opciones.
    std::vector<std::string> argumentosVentana{argv[0]};
    argumentosVentana.insert(argumentosVentana.end(), a.opcionesVentana.begin(), a.opcionesVentana.end());
    std::vector<char*> punteros;
    for (std::string& s : argumentosVentana) punteros.push_back(s.data());
    punteros.push_back(nullptr);
    funcionPlot(static_cast<int>(argumentosVentana.size()), punteros.data());
    return 0;
}
