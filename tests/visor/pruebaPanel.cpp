// Panel: qué botones están a la vista y la prueba de clic. Dónde cae cada botón
// lo comprueba la prueba de pantalla del panel en una ventana real.
#include <set>
#include <utility>

#include "entornoVisor.h"
#include "visor/escena/visibilidad.h"
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

TEST_F(EntornoVisor, ElClicEnUnBotonConmutaSuInterruptorYSoloLoSuyo) {
    const BotonPanel tagNudos = botonesPanel(flags, 600, 400)[1], volumen = botonesPanel(flags, 600, 400)[5];
    ASSERT_EQ(std::pair(tagNudos.interruptor, volumen.interruptor), std::pair(kFlagTagNudos, kFlagVolumen));
    const auto clic = [](const BotonPanel& b) {
        xClickIzq = static_cast<int>(b.x + b.ancho / 2);
        yClickIzq = static_cast<int>(b.y + b.alto / 2);
    };
    // Como la orden: el volumen se apaga al mostrar los números de los nudos.
    flags[kFlagVolumen] = 1;
    clic(tagNudos);
    clicEnBotonFlag(volumen.x, volumen.y, volumen.ancho, volumen.alto, volumen.interruptor);  // no es el suyo
    EXPECT_EQ(falso.redibujos, 0);
    clicEnBotonFlag(tagNudos.x, tagNudos.y, tagNudos.ancho, tagNudos.alto, tagNudos.interruptor);
    EXPECT_TRUE(flagActivo(kFlagTagNudos));
    EXPECT_FALSE(flagActivo(kFlagVolumen));
    EXPECT_EQ(falso.redibujos, 1);
    // El clic ya actuó: el mismo botón no vuelve a conmutar en el cuadro siguiente.
    clicEnBotonFlag(tagNudos.x, tagNudos.y, tagNudos.ancho, tagNudos.alto, tagNudos.interruptor);
    EXPECT_TRUE(flagActivo(kFlagTagNudos));

    // Una combinación sólo se conmuta: la capa a la vista sigue.
    modificadorFlagsGraf(kFlagMomentoY);
    const BotonPanel c2 = botonesCombos(combosDelPanel(), 600)[1];
    clic(c2);
    clicEnBotonCombo(c2.x, c2.y, c2.ancho, c2.alto, 1);
    EXPECT_TRUE(comboActivo(1) && !comboActivo(0) && flagActivo(kFlagMomentoY));
    EXPECT_EQ(falso.redibujos, 2);
    // Un interruptor o una combinación que no existen no consumen el clic.
    clic(c2);
    clicEnBotonFlag(c2.x, c2.y, c2.ancho, c2.alto, kNumeroFlags);
    clicEnBotonCombo(c2.x, c2.y, c2.ancho, c2.alto, -1);
    EXPECT_EQ(falso.redibujos, 2);
    EXPECT_NE(xClickIzq, 0);
}
