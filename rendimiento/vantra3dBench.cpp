// Banco de rendimiento: carga y análisis completo de un modelo grande.
//   vantra3d-bench NX NY NZ          edificio generado de NX x NY vanos y NZ pisos
//   vantra3d-bench --archivo MODELO  un archivo de modelo existente
//   vantra3d-bench --escribir NX NY NZ ARCHIVO
//                                    sólo escribe el edificio generado en ARCHIVO
// Imprime los tiempos de cada etapa en segundos y la memoria máxima en MB.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "rendimiento/generadorEdificio.h"

namespace {
int uso() {
    std::cout << "uso: vantra3d-bench NX NY NZ | vantra3d-bench --archivo MODELO | "
                 "vantra3d-bench --escribir NX NY NZ ARCHIVO"
              << std::endl;
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    std::string archivo;
    std::string temporal;
    if (argc == 6 && std::string(argv[1]) == "--escribir") {
        const int nx = std::atoi(argv[2]), ny = std::atoi(argv[3]), nz = std::atoi(argv[4]);
        if (nx < 1 || ny < 1 || nz < 1) return uso();
        std::ofstream salida(argv[5]);
        salida << generarEdificio(nx, ny, nz);
        salida.close();
        if (salida.fail()) {
            std::cout << "Error: no se pudo escribir " << argv[5] << std::endl;
            return 1;
        }
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--archivo") {
        archivo = argv[2];
    } else if (argc == 4) {
        const int nx = std::atoi(argv[1]), ny = std::atoi(argv[2]), nz = std::atoi(argv[3]);
        if (nx < 1 || ny < 1 || nz < 1) return uso();
        char plantilla[] = "/tmp/vantra3d_edificioXXXXXX";
        const int fd = mkstemp(plantilla);
        if (fd < 0) return uso();
        close(fd);
        temporal = archivo = plantilla;
        std::ofstream(temporal) << generarEdificio(nx, ny, nz);
    } else {
        return uso();
    }

    using Reloj = std::chrono::steady_clock;
    nombreArchivo = archivo;
    std::ostringstream descarte;
    std::streambuf* consola = std::cout.rdbuf(descarte.rdbuf());
    const auto inicio = Reloj::now();
    funcionLeerArchivo();
    const double lectura = std::chrono::duration<double>(Reloj::now() - inicio).count();
    const auto inicioAnalisis = Reloj::now();
    const bool correcto = funcionSolve();
    const double analisis = std::chrono::duration<double>(Reloj::now() - inicioAnalisis).count();
    std::cout.rdbuf(consola);
    if (!temporal.empty()) std::remove(temporal.c_str());

    struct rusage uso {};
    getrusage(RUSAGE_SELF, &uso);
    const tiemposAnalisis& t = tiemposUltimoAnalisis;
    std::printf("lectura: %.3f\n", lectura);
    std::printf("ensamblaje: %.3f\n", t.ensamblaje);
    std::printf("factorizacion: %.3f\n", t.factorizacion);
    std::printf("solucion: %.3f\n", t.solucion);
    std::printf("barras: %.3f\n", t.barras);
    std::printf("total: %.3f\n", lectura + analisis);
    std::printf("memoria: %.1f\n", static_cast<double>(uso.ru_maxrss) / 1024.0);
    if (!correcto) std::printf("Error: la estructura es inestable\n");
    return correcto ? 0 : 1;
}
