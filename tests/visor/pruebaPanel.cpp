// Panel: qué botones están a la vista y la prueba de clic. Dónde cae cada botón
// lo comprueba la prueba de pantalla del panel en una ventana real.
#include <set>

#include "entornoVisor.h"
#include "visor/interaccion/panel.h"

TEST_F(EntornoVisor, BotonesDeResultadosSoloTrasCalcularYSinPisarse) {
    const auto interruptores = [] {
        std::set<int> k;
        for (const BotonPanel& b : botonesPanel(flags, 600, 400)) k.insert(b.interruptor);
        return k;
    };
    EXPECT_EQ(interruptores(), (std::set<int>{0, 1, 2, 7, 9, 20, 30}));
    flags[kFlagCalculado] = 1;
    EXPECT_EQ(interruptores(), (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 30}));
    EXPECT_EQ(botonesCombos({"A", "B", "C"}, 600)[2].interruptor, 102);
    // Un clic conmuta un solo botón: ni los de interruptores ni los de combinaciones se pisan.
    for (const auto& botones : {botonesPanel(flags, 600, 400), botonesCombos({"A", "B", "C"}, 600)})
        for (const BotonPanel& a : botones)
            for (const BotonPanel& b : botones)
                EXPECT_TRUE(&a == &b || a.x >= b.x + b.ancho || b.x >= a.x + a.ancho || a.y >= b.y + b.alto ||
                            b.y >= a.y + a.alto) << a.etiqueta << " y " << b.etiqueta;
}

TEST_F(EntornoVisor, ElClicCaeEstrictamenteDentroYActuaUnaVez) {
    // Botón de x 10 a 80 y de y 30 a 42.
    EXPECT_TRUE(clickDentro(10, 30, 70, 12, 11, 31) && clickDentro(10, 30, 70, 12, 79, 41));
    for (auto [x, y] : {std::pair{10, 36}, {80, 36}, {40, 30}, {40, 42}, {0, 0}})
        EXPECT_FALSE(clickDentro(10, 30, 70, 12, x, y)) << x << "," << y;
    xClickIzq = 500;
    yClickIzq = 36;
    EXPECT_FALSE(consumirClick(10, 30, 70, 12));
    xClickIzq = 40;  // el clic fuera no se consumió: su y sigue guardada
    EXPECT_TRUE(consumirClick(10, 30, 70, 12));
    EXPECT_FALSE(consumirClick(10, 30, 70, 12));
}
