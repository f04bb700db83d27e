// Biblioteca de precarga (LD_PRELOAD) que mide cuánto tarda cada cuadro del
// visor: envuelve la función de dibujo que el programa registra con
// glutDisplayFunc (y con glutIdleFunc, si es la misma) y escribe, por cada
// llamada, su comienzo y su fin en segundos del reloj de pared (CLOCK_REALTIME,
// el mismo de `date +%s.%N`) y los milisegundos de procesador que gastó el
// proceso entero en ella (todos sus hilos, también los que rasterizan) en el
// archivo que nombra VANTRA_TIEMPOS. El dibujo incluye el intercambio de
// búferes, así que con Mesa por software el tiempo abarca también el
// rasterizado. En una máquina compartida el reloj de pared sube con la carga
// de los demás; el tiempo de procesador, mucho menos.
//   LD_PRELOAD=libvantra_tiempo_cuadro.so VANTRA_TIEMPOS=cuadros.txt vantra3d modelo.txt
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

using Funcion = void (*)();
using Registro = void (*)(Funcion);

Funcion dibujoDelPrograma = nullptr;
std::FILE* salida = nullptr;

double segundos(clockid_t reloj) {
    timespec t{};
    clock_gettime(reloj, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void dibujoMedido() {
    const double inicio = segundos(CLOCK_REALTIME), procesadorInicio = segundos(CLOCK_PROCESS_CPUTIME_ID);
    dibujoDelPrograma();
    const double fin = segundos(CLOCK_REALTIME), procesador = segundos(CLOCK_PROCESS_CPUTIME_ID) - procesadorInicio;
    if (salida == nullptr) {
        const char* ruta = std::getenv("VANTRA_TIEMPOS");
        salida = std::fopen(ruta != nullptr ? ruta : "cuadros.txt", "a");
        if (salida == nullptr) return;
    }
    std::fprintf(salida, "%.6f %.6f %.3f\n", inicio, fin, procesador * 1000.0);
    std::fflush(salida);
}

Registro original(const char* nombre) { return reinterpret_cast<Registro>(dlsym(RTLD_NEXT, nombre)); }

}  // namespace

extern "C" void glutDisplayFunc(Funcion f) {
    static const Registro real = original("glutDisplayFunc");
    dibujoDelPrograma = f;
    real(f != nullptr ? dibujoMedido : nullptr);
}

// Un programa que redibuja sin pausa registra el mismo dibujo como función de
// reposo: esos cuadros también se miden.
extern "C" void glutIdleFunc(Funcion f) {
    static const Registro real = original("glutIdleFunc");
    real(f != nullptr && f == dibujoDelPrograma ? dibujoMedido : f);
}
