// Banco de rendimiento: el modo por lotes completo sobre un modelo grande:
// carga, análisis, reporte resultados.txt y archivos CSV.
//   vantra3d-bench NX NY NZ          edificio generado de NX x NY vanos y NZ pisos
//   vantra3d-bench NX NY NZ [MODOS [sismo]] [--segundoOrden] [--pandeo N]
//                                    además: modos de vibración; con "sismo", la masa de las
//                                    cargas, dos casos sísmicos (X e Y), dos combinaciones
//                                    con ellos y la envolvente de todas las combinaciones; sus
//                                    tres combinaciones en segundo orden; los N menores
//                                    factores de pandeo de U1
//   vantra3d-bench --diafragmas NX NY NZ ...  lo mismo con un diafragma rígido por piso
//   vantra3d-bench --archivo MODELO  un archivo de modelo existente
//   vantra3d-bench --generar NX NY NZ  sólo escribe el edificio en la salida
// Imprime los tiempos de cada etapa en segundos (también el informe de cálculo
// informe.html, con su tamaño), el tamaño del reporte en MB,
// su velocidad de escritura en MB/s, la memoria máxima en MB y la velocidad
// del dgemm de la máquina. El reporte y
// los CSV se escriben en una carpeta temporal que se borra al terminar.
#include <algorithm>
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
#include <vector>

#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "reporte/archivosCsv.h"
#include "reporte/funcionPrint.h"
#include "reporte/informe/informe.h"
#include "rendimiento/generadorEdificio.h"

extern "C" void dgemm_(const char* ta, const char* tb, const int* m, const int* n, const int* k, const double* alfa,
                       const double* a, const int* lda, const double* b, const int* ldb, const double* beta, double* c,
                       const int* ldc);

namespace {
int uso() {
    std::cout << "uso: vantra3d-bench [--diafragmas] NX NY NZ [MODOS [sismo]] [--segundoOrden] [--pandeo N] | "
                 "vantra3d-bench --archivo MODELO | "
                 "vantra3d-bench --generar NX NY NZ"
              << std::endl;
    return 2;
}
// Lo que el edificio generado lleva para el análisis sísmico: la masa del peso
// propio y de la carga muerta, un espectro de diseño con meseta, los sismos
// en X e Y, dos combinaciones de diseño con ellos y la envolvente de las cinco.
const char* const kSismoEdificio =
    "masaDeCargas: 1 PP 1 CM\n"
    "espectro: E 0 0.654 0.1 1.635 0.5 1.635 1 0.8175 2 0.409 4 0.2044\n"
    "sismo: SISX E X 0.05\nsismo: SISY E Y 0.05\n"
    "combo: U4 1.2 PP 1.0 CM 1.0 SISX 0.3 SISY\ncombo: U5 1.2 PP 1.0 CM 0.3 SISX 1.0 SISY\n"
    "envolvente: ENV U1 U2 U3 U4 U5\n";

// La velocidad de la máquina para el álgebra densa: el mejor de tres
// productos C = A·B de matrices de 1000 x 1000 con el dgemm de la BLAS con que
// se enlaza el programa (la misma que usa la factorización supernodal), en
// GFLOP/s. Sirve para comparar los tiempos medidos en máquinas distintas.
double gflopsDgemm() {
    constexpr int n = 1000;
    std::vector<double> a(static_cast<std::size_t>(n) * n), b(a.size()), c(a.size(), 0.0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        a[i] = static_cast<double>(i % 97) / 97.0;
        b[i] = static_cast<double>(i % 89) / 89.0;
    }
    const double uno = 1.0, cero = 0.0;
    double mejor = 0.0;
    for (int vez = 0; vez < 3; ++vez) {
        const auto inicio = std::chrono::steady_clock::now();
        dgemm_("N", "N", &n, &n, &n, &uno, a.data(), &n, b.data(), &n, &cero, c.data(), &n);
        const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        if (segundos > 0) mejor = std::max(mejor, 2.0 * n * n * n / segundos * 1e-9);
    }
    return mejor;
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
        std::cout << generarEdificio(nx, ny, nz, conDiafragmas);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--archivo") {
        archivo = argv[2];
    } else if (argc >= 4) {
        const int nx = std::atoi(argv[1]), ny = std::atoi(argv[2]), nz = std::atoi(argv[3]);
        int modos = 0, pandeo = 0;
        bool segundoOrden = false, sismo = false;
        for (int i = 4; i < argc; ++i) {
            const std::string a = argv[i];
            if (a == "--segundoOrden") segundoOrden = true;
            else if (a == "--pandeo" && i + 1 < argc) pandeo = std::atoi(argv[++i]);
            else if (i == 4) modos = std::atoi(argv[i]);
            else if (i == 5 && a == "sismo") sismo = true;
            else return uso();
        }
        if (nx < 1 || ny < 1 || nz < 1 || modos < 0 || pandeo < 0 || (sismo && modos < 1)) return uso();
        char plantilla[] = "/tmp/vantra3d_edificioXXXXXX";
        const int fd = mkstemp(plantilla);
        if (fd < 0) return uso();
        close(fd);
        temporal = archivo = plantilla;
        std::ofstream(temporal) << generarEdificio(nx, ny, nz, conDiafragmas)
                                << (modos > 0 ? "modos: " + std::to_string(modos) + "\n" : "")
                                << (segundoOrden ? "segundoOrden: U1 U2 U3\n" : "")
                                << (pandeo > 0 ? "pandeo: U1 " + std::to_string(pandeo) + "\n" : "")
                                << (sismo ? kSismoEdificio : "");
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
    double reporte = 0, csv = 0, megas = 0, informe = 0, megasInforme = 0;
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
        etapa = Reloj::now();
        escribirInforme("informe");
        informe = std::chrono::duration<double>(Reloj::now() - etapa).count();
        megasInforme = static_cast<double>(std::filesystem::file_size("informe/informe.html", error)) / 1e6;
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
    std::printf("operaciones de la factorizacion: %.3e (%.1f GFLOP/s)\n", t.operaciones,
                t.factorizacion > 0 ? t.operaciones / t.factorizacion * 1e-9 : 0.0);
    std::printf("hilos BLAS: %d\n", t.hilosBlas);
    std::printf("solucion: %.3f\n", t.solucion);
    std::printf("barras: %.3f\n", t.barras);
    if (t.sentidoAxial > 0) std::printf("rondas de solo tracción o compresión: %.3f\n", t.sentidoAxial);
    std::printf("total: %.3f\n", lectura + analisis - t.modal - t.segundoOrden - t.pandeo - t.derivados);
    if (modosPedidos > 0) std::printf("modal: %.3f (%zu modos)\n", t.modal, resultados.modos.size());
    if (t.derivados > 0) std::printf("sismos y envolventes: %.3f\n", t.derivados);
    if (t.pisos > 0) std::printf("pisos (centros, fuerzas, cortantes y vuelcos): %.3f\n", t.pisos);
    // El análisis de primer orden (ensamblaje, factorización, solución y barras)
    // contra el que se miden el segundo orden y el pandeo.
    const double primerOrden = t.ensamblaje + t.factorizacion + t.solucion + t.barras;
    if (!combosSegundoOrden.empty() || !pedidosPandeo.empty()) std::printf("primer orden: %.3f\n", primerOrden);
    if (!combosSegundoOrden.empty()) {
        int iteraciones = 0;
        for (const casoResultado& c : resultados.casos) iteraciones += c.segundoOrden.iteraciones;
        std::printf("segundo orden: %.3f (%zu combos, %d iteraciones, %.2f veces el primer orden)\n", t.segundoOrden,
                    combosSegundoOrden.size(), iteraciones, primerOrden > 0 ? t.segundoOrden / primerOrden : 0.0);
    }
    if (!pedidosPandeo.empty()) {
        const size_t factores = resultados.pandeo.empty() ? 0 : resultados.pandeo[0].factores.size();
        std::printf("pandeo: %.3f (%zu factores, %.2f veces el primer orden)\n", t.pandeo, factores,
                    primerOrden > 0 ? t.pandeo / primerOrden : 0.0);
    }
    std::printf("reporte: %.3f\n", reporte);
    std::printf("resultados.txt MB: %.1f\n", megas);
    std::printf("reporte MB/s: %.0f\n", reporte > 0 ? megas / reporte : 0.0);
    std::printf("csv: %.3f\n", csv);
    std::printf("informe: %.3f\n", informe);
    const double estatico = lectura + analisis - t.modal - t.segundoOrden - t.pandeo - t.derivados;
    if (estatico > 0) std::printf("informe frente al análisis estático (total): %.2f veces\n", informe / estatico);
    std::printf("informe.html MB: %.2f\n", megasInforme);
    std::printf("lotes: %.3f\n", lectura + analisis + reporte);
    std::printf("lotes con csv: %.3f\n", lectura + analisis + reporte + csv);
    std::printf("memoria: %.1f\n", static_cast<double>(uso.ru_maxrss) / 1024.0);
    std::printf("dgemm de la BLAS (1000 x 1000): %.1f GFLOP/s\n", gflopsDgemm());
    if (!correcto) std::printf("Error: la estructura es inestable\n");
    return correcto ? 0 : 1;
}
