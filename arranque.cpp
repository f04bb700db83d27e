#include "arranque.h"

#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "reporte/consolaLotes.h"
#include "reporte/funcionPrint.h"

int funcionCalcularLotes(const std::string& archivo) {
    nombreArchivo = archivo;
    funcionLeerArchivo();
    if (!archivoDatosAbierto) return 1;
    if (!funcionSolve()) return 1;
    if (!funcionPrint()) return 1;
    imprimirReacciones();
    return 0;
}
