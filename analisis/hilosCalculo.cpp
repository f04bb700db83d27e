#include "analisis/hilosCalculo.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

// Hilos ejecutables en todo el sistema en este instante (el cuarto campo de
// /proc/loadavg, "ejecutables/total"), o -1 si no se puede leer.
int ejecutablesEnElSistema() {
    std::ifstream f("/proc/loadavg");
    std::string uno, cinco, quince, hilos;
    if (!(f >> uno >> cinco >> quince >> hilos)) return -1;
    return std::atoi(hilos.c_str());
}

// Hilos de este proceso que están ejecutándose o listos para hacerlo.
int ejecutablesPropios() {
    int n = 0;
    DIR* d = opendir("/proc/self/task");
    if (d == nullptr) return 1;
    while (const dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        std::ifstream f(std::string("/proc/self/task/") + e->d_name + "/stat");
        std::string linea;
        std::getline(f, linea);
        // El estado va después del nombre entre paréntesis, que puede tener blancos.
        const std::size_t p = linea.rfind(')');
        if (p != std::string::npos && p + 2 < linea.size() && linea[p + 2] == 'R') ++n;
    }
    closedir(d);
    return std::max(n, 1);
}

int nucleosDelProceso() {
    cpu_set_t conjunto;
    if (sched_getaffinity(0, sizeof conjunto, &conjunto) == 0) return std::max(1, CPU_COUNT(&conjunto));
    return static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
}

}  // namespace

int nucleosLibres() {
    const int nucleos = nucleosDelProceso();
    if (nucleos <= 1) return 1;
    // Tres miradas separadas por un milisegundo: cuenta lo que ocupa un núcleo
    // de manera sostenida, no un proceso que despertó un instante.
    int otros = nucleos;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const int sistema = ejecutablesEnElSistema();
        if (sistema < 0) return nucleos;
        otros = std::min(otros, std::max(0, sistema - ejecutablesPropios()));
    }
    return std::max(1, nucleos - otros);
}

namespace {
// Los bucles paralelos de CHOLMOD (la suma de cada supernodo en sus
// ancestros) piden cuatro hilos OpenMP aunque haya dos núcleos, y esos hilos
// esperan girando entre un bucle y otro: compiten con los hilos BLAS, que
// hacen el trabajo grueso. Con el ajuste dinámico, OpenMP les da sólo los
// núcleos que la carga del sistema deja libres. Se respeta lo que el usuario
// haya fijado con las variables de OpenMP.
void ajustarHilosOpenMP() {
    if (std::getenv("OMP_DYNAMIC") != nullptr || std::getenv("OMP_NUM_THREADS") != nullptr ||
        std::getenv("OMP_THREAD_LIMIT") != nullptr)
        return;
    using Fijar = void (*)(int);
    if (const auto fijar = reinterpret_cast<Fijar>(dlsym(RTLD_DEFAULT, "omp_set_dynamic"))) fijar(1);
}
}  // namespace

int elegirHilosBlas() {
    ajustarHilosOpenMP();
    if (std::getenv("OPENBLAS_NUM_THREADS") != nullptr || std::getenv("OMP_NUM_THREADS") != nullptr) return 0;
    using Fijar = void (*)(int);
    const auto fijar = reinterpret_cast<Fijar>(dlsym(RTLD_DEFAULT, "openblas_set_num_threads"));
    if (fijar == nullptr) return 0;
    const int hilos = nucleosLibres();
    fijar(hilos);
    return hilos;
}
