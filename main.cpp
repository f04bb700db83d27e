// Vantra 3D: análisis estático lineal de pórticos espaciales.
//   vantra3d [archivo]              carga el modelo y abre el visor
//   vantra3d --calcular [archivo]   analiza sin ventana y escribe resultados.txt
#include <cstdlib>
#include <string>

#include "arranque.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "visor/funcionPlot.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--calcular")
        return funcionCalcularLotes(argc > 2 ? argv[2] : "ingresoDatos.txt");
    nombreArchivo = (argc > 1) ? argv[1] : "ingresoDatos.txt";
    if (std::system("clear") != 0) {
        // Sin terminal no hay nada que limpiar.
    }
    funcionLeerArchivo();
    funcionPlot(argc, argv);
    return 0;
}
