// Los núcleos libres para la factorización: un proceso que gira ocupa uno.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "analisis/hilosCalculo.h"
#include "utilidades.h"

TEST(HilosCalculo, UnProcesoQueGiraOcupaUnNucleo) {
    const int nucleos = static_cast<int>(std::thread::hardware_concurrency());
    if (nucleos < 2) GTEST_SKIP() << "con un solo núcleo no hay nada que repartir";
    const int antes = nucleosLibres();
    EXPECT_GE(antes, 1);
    EXPECT_LE(antes, nucleos);
    const pid_t hijo = fork();
    ASSERT_GE(hijo, 0);
    if (hijo == 0) {
        for (volatile unsigned long i = 0;; i = i + 1) {
        }
    }
    // El hijo tarda un instante en ocupar su núcleo.
    int conHijo = nucleos;
    for (int intento = 0; intento < 200 && conHijo > nucleos - 1; ++intento) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        conHijo = nucleosLibres();
    }
    kill(hijo, SIGKILL);
    waitpid(hijo, nullptr, 0);
    EXPECT_GE(conHijo, 1);
    EXPECT_LE(conHijo, nucleos - 1);
}
