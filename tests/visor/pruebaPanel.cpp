// Panel: botones a la vista, columna de combinaciones y prueba de clic.
#include "entornoVisor.h"
#include "visor/panel.h"

TEST_F(EntornoVisor, BotonesDeResultadosSoloTrasCalcular) {
    EXPECT_EQ(botonesPanel(flags, 600, 400).size(), 7u);
    flags[30] = 1;
    std::vector<std::string> etiquetas;
    std::vector<double> ys;
    for (const BotonPanel& b : botonesPanel(flags, 600, 400)) {
        etiquetas.push_back(b.etiqueta + "/" + std::to_string(b.interruptor));
        ys.push_back(b.y);
    }
    EXPECT_EQ(etiquetas, (std::vector<std::string>{"Calcular/30", "tag Nudos/0", "tag Barras/1", "secciones/2",
                                                   "apoyos/9", "volumen/20", "carga/7", "reaccion/8", "deflexion/3",
                                                   "N/4", "Vy/5", "My/6", "Vz/10", "Mz/11", "T/21"}));
    EXPECT_EQ(ys, (std::vector<double>{320, 30, 45, 60, 75, 90, 120, 135, 150, 165, 180, 195, 210, 225, 240}));
    EXPECT_EQ(botonesPanel(flags, 600, 400)[0].x, 470);
    const BotonPanel tercera = botonesCombos({"A", "B", "C"}, 600)[2];
    EXPECT_EQ(std::vector<double>({tercera.x, tercera.y, tercera.ancho, tercera.alto}),
              std::vector<double>({470, 65, 130, 12}));
    EXPECT_EQ(tercera.interruptor, 102);
}

TEST_F(EntornoVisor, ElClicCaeEstrictamenteDentroYActuaUnaVez) {
    // Botón de x 10 a 80 y de y 30 a 42.
    EXPECT_TRUE(clickDentro(10, 30, 70, 12, 11, 31) && clickDentro(10, 30, 70, 12, 79, 41));
    for (auto [x, y] : {std::pair{10, 36}, {80, 36}, {40, 30}, {40, 42}, {0, 0}})
        EXPECT_FALSE(clickDentro(10, 30, 70, 12, x, y)) << x << "," << y;
    xClickIzq = 500;
    yClickIzq = 36;
    EXPECT_FALSE(consumirClick(10, 30, 70, 12));
    EXPECT_EQ(xClickIzq, 500);  // un clic fuera queda guardado
    xClickIzq = 40;
    EXPECT_TRUE(consumirClick(10, 30, 70, 12));
    EXPECT_EQ(xClickIzq + yClickIzq, 0);
    EXPECT_FALSE(consumirClick(10, 30, 70, 12));
}
