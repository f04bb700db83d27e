// Objetivo de libFuzzer: bytes arbitrarios como archivo de modelo, pasados por
// el cargador, el análisis y el reporte, en un directorio temporal.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "analisis/funcionSolve.h"
#include "analisis/resultadosFinitos.h"
#include "diagnosticos.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "reporte/funcionPrint.h"

namespace {
// El reporte escribe la rigidez global completa como texto: en modelos grandes
// sólo costaría tiempo sin revisar nada nuevo.
constexpr int kNudosMaximosReporte = 60;

struct Directorio {
    std::string ruta;
    Directorio() {
        char plantilla[] = "/tmp/vantra3d_fuzzXXXXXX";
        if (mkdtemp(plantilla) == nullptr) std::abort();
        ruta = plantilla;
        if (chdir(ruta.c_str()) != 0) std::abort();
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    static Directorio dir;
    const std::string modelo = dir.ruta + "/modelo.txt";
    {
        std::ofstream f(modelo, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(datos), static_cast<std::streamsize>(tamano));
    }
    std::ostringstream consola;
    std::streambuf* anterior = std::cout.rdbuf(consola.rdbuf());
    nombreArchivo = modelo;
    mensajes.vaciar();
    funcionLeerArchivo();
    // El análisis corre también con errores de entrada (el modo por lotes no
    // lo haría): así recorre más caminos. La revisión de los resultados, también.
    if (funcionSolve() && revisarResultadosFinitos() && noNudos <= kNudosMaximosReporte) {
        std::ostringstream reporte;
        escribirReporte(reporte);
    }
    std::cout.rdbuf(anterior);
    return 0;
}
