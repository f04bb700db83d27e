// Manejador de interruptores: exclusiones entre capas y el cálculo (índice 30).
#include <map>
#include <set>

#include "entornoVisor.h"
#include "globales.h"

namespace {

// Lo que apaga cada índice además de conmutarse a sí mismo.
const std::map<int, std::set<int>> kApaga = {
    {0, {20}},
    {1, {20}},
    {2, {20}},
    {3, {4, 5, 6, 7, 8, 10, 11, 20, 21}},
    {4, {3, 5, 6, 7, 8, 10, 11, 20, 21}},
    {5, {3, 4, 6, 7, 8, 10, 11, 20, 21}},
    {6, {3, 4, 5, 7, 8, 10, 11, 20, 21}},
    {7, {3, 4, 5, 6, 8, 10, 11, 20, 21}},
    {8, {3, 4, 5, 6, 7, 10, 11, 20, 21}},
    {10, {3, 4, 5, 6, 7, 8, 11, 20, 21}},
    {11, {3, 4, 5, 6, 7, 8, 10, 20, 21}},
    {9, {}},
    {12, {}},
    {14, {}},
    {15, {}},
    {16, {}},
    {17, {}},
    {18, {19}},
    {19, {18}},
    {20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 21}},
    {21, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 20}},
};

}  // namespace

TEST_F(EntornoVisor, CadaIndiceApagaSoloLoQueLeToca) {
    for (const auto& [k, apaga] : kApaga) {
        // Todo encendido: se ve qué se apaga y que k se conmuta (1 + 1 = 2, apagado).
        flags.assign(kNumeroFlags, 0);
        for (int i = 0; i <= 21; ++i) flags[static_cast<size_t>(i)] = 1;
        modificadorFlagsGraf(k);
        for (int i = 0; i <= 21; ++i) {
            const int esperado = i == k ? 2 : (apaga.count(i) ? 0 : 1);
            EXPECT_EQ(flags[static_cast<size_t>(i)], esperado) << "k=" << k << " i=" << i;
        }
        // Todo apagado: k se enciende y nada más cambia.
        flags.assign(kNumeroFlags, 0);
        modificadorFlagsGraf(k);
        EXPECT_EQ(encendidos(), std::vector<int>{k}) << "k=" << k;
    }
}

TEST_F(EntornoVisor, IndicesFueraDeLaTablaNoHacenNada) {
    for (int k : {-1, 13, 22, 29, 31, 99, 100, 199, 200, 100000}) {
        const std::vector<int> antes = flags;
        modificadorFlagsGraf(k);
        EXPECT_EQ(flags, antes) << k;
    }
}

TEST_F(EntornoVisor, CapaEncendidaSeApagaYLasDemasQuedanApagadas) {
    modificadorFlagsGraf(6);
    modificadorFlagsGraf(6);
    for (int i : {3, 4, 5, 6, 7, 8, 10, 11, 21}) EXPECT_FALSE(flagActivo(i)) << i;
    EXPECT_TRUE(flagActivo(9));  // apoyos, independiente
}

TEST_F(EntornoVisor, CalcularEstructuraEstableEnciendeResultados) {
    cargarModelo(kModeloMensula);
    CapturaConsola silencio;
    modificadorFlagsGraf(30);
    EXPECT_EQ(flags[30], 1);
    EXPECT_TRUE(resultadosDisponibles);
    EXPECT_EQ(dialogo, "Comando:");
    modificadorFlagsGraf(30);  // calcular otra vez no lo apaga
    EXPECT_EQ(flags[30], 1);
}

TEST_F(EntornoVisor, CalcularEstructuraInestableAvisaYNoMuestraResultados) {
    cargarModelo("nudos: 1 0 0 0  2 5 0 0\nbarras: 1 1 2\n"
                 "seccionRectangular: R 0.2 0.5 25e6 0.2 24  1\n"
                 "puntual: P 0 0 -10 0 0 0  2\ncombo: C1 1 P\n");
    CapturaConsola silencio;
    modificadorFlagsGraf(30);
    EXPECT_EQ(flags[30], 0);
    EXPECT_FALSE(resultadosDisponibles);
    EXPECT_EQ(dialogo, "Error: la estructura es inestable. Ingrese Comando:");
}
