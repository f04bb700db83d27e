// Banco de rendimiento: el modo por lotes completo sobre un modelo grande:
// carga, análisis, reporte resultados.txt y archivos CSV.
//   vantra3d-bench NX NY NZ          edificio generado de NX x NY vanos y NZ pisos
//   vantra3d-bench --diafragmas NX NY NZ [MODOS]  el mismo con un diafragma rígido por piso
//   vantra3d-bench --archivo MODELO  un archivo de modelo existente
//   vantra3d-bench --generar NX NY NZ  sólo escribe el edificio en la salida
// Imprime los tiempos de cada etapa en segundos, el tamaño del reporte en MB,
// su velocidad de escritura en MB/s y la memoria máxima en MB. El reporte y
// los CSV se escriben en una carpeta temporal que se borra al terminar.
#include <chrono>
#include <filesystem>
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
#include "reporte/archivosCsv.h"
#include "reporte/funcionPrint.h"
#include "rendimiento/generadorEdificio.h"

namespace {
int uso() {
    std::cout << "uso: vantra3d-bench [--diafragmas] NX NY NZ [MODOS] | vantra3d-bench --archivo MODELO | "
                 "vantra3d-bench --generar NX NY NZ"
              << std::endl;
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    const bool conDiafragmas = argc > 1 && std::string(argv[1]) == "--diafragmas";
    if (conDiafragmas) --argc, ++argv;
    std::string archivo;
    std::string temporal;
    if (argc == 5 && std::string(argv[1]) == "--generar") {
        const int nx = std::atoi(argv[2]), ny = std::atoi(argv[3]), nz = std::atoi(argv[4]);
        if (nx < 1 || ny < 1 || nz < 1) return uso();
        std::cout << generarEdificio(nx, ny, nz);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--archivo") {
        archivo = argv[2];
    } else if (argc == 4 || argc == 5) {
        const int nx = std::atoi(argv[1]), ny = std::atoi(argv[2]), nz = std::atoi(argv[3]);
        const int modos = argc == 5 ? std::atoi(argv[4]) : 0;
        if (nx < 1 || ny < 1 || nz < 1 || modos < 0) return uso();
        char plantilla[] = "/tmp/vantra3d_edificioXXXXXX";
        const int fd = mkstemp(plantilla);
        if (fd < 0) return uso();
        close(fd);
        temporal = archivo = plantilla;
        std::ofstream(temporal) << generarEdificio(nx, ny, nz, conDiafragmas) << (modos > 0 ? "modos: " + std::to_string(modos) + "\n" : "");
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

    // Reporte y CSV en una carpeta temporal, como los escribe el modo por lotes.
    double reporte = 0, csv = 0, megas = 0;
    char carpeta[] = "/tmp/vantra3d_bancoXXXXXX";
    const std::filesystem::path anterior = std::filesystem::current_path();
    if (correcto && mkdtemp(carpeta) != nullptr) {
        std::filesystem::current_path(carpeta);
        auto etapa = Reloj::now();
        funcionPrint();
        reporte = std::chrono::duration<double>(Reloj::now() - etapa).count();
        std::error_code error;
        megas = static_cast<double>(std::filesystem::file_size("resultados.txt", error)) / 1e6;
        etapa = Reloj::now();
        escribirCsv("csv");
        csv = std::chrono::duration<double>(Reloj::now() - etapa).count();
        std::filesystem::current_path(anterior);
        std::filesystem::remove_all(carpeta, error);
    }
    std::cout.rdbuf(consola);
    if (!temporal.empty()) std::remove(temporal.c_str());

    struct rusage uso {};
    getrusage(RUSAGE_SELF, &uso);
    const tiemposAnalisis& t = tiemposUltimoAnalisis;
    std::printf("lectura: %.3f\n", lectura);
    std::printf("ensamblaje: %.3f\n", t.ensamblaje);
    std::printf("factorizacion: %.3f\n", t.factorizacion);
    std::printf("hilos BLAS: %d\n", t.hilosBlas);
    std::printf("solucion: %.3f\n", t.solucion);
    std::printf("barras: %.3f\n", t.barras);
    std::printf("total: %.3f\n", lectura + analisis - t.modal);
    if (modosPedidos > 0) std::printf("modal: %.3f (%zu modos)\n", t.modal, resultados.modos.size());
    std::printf("reporte: %.3f\n", reporte);
    std::printf("resultados.txt MB: %.1f\n", megas);
    std::printf("reporte MB/s: %.0f\n", reporte > 0 ? megas / reporte : 0.0);
    std::printf("csv: %.3f\n", csv);
    std::printf("lotes: %.3f\n", lectura + analisis + reporte);
    std::printf("lotes con csv: %.3f\n", lectura + analisis + reporte + csv);
    std::printf("memoria: %.1f\n", static_cast<double>(uso.ru_maxrss) / 1024.0);
    if (!correcto) std::printf("Error: la estructura es inestable\n");
    return correcto ? 0 : 1;
}
