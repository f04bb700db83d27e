// Panel: disposición de los botones, lista de combinaciones y prueba de clic.
#include <string>

#include "entornoVisor.h"
#include "visor/panel.h"
#include "visor/textosAyuda.h"

namespace {
std::vector<std::string> etiquetas(const std::vector<BotonPanel>& botones) {
    std::vector<std::string> r;
    for (const BotonPanel& b : botones) r.push_back(b.etiqueta);
    return r;
}
}  // namespace

TEST_F(EntornoVisor, BotonesDeResultadosSoloTrasCalcular) {
    EXPECT_EQ(etiquetas(botonesPanel(flags, 600, 400)),
              (std::vector<std::string>{"Calcular", "tag Nudos", "tag Barras", "secciones", "apoyos", "volumen",
                                        "carga"}));
    flags[30] = 1;
    const std::vector<BotonPanel> botones = botonesPanel(flags, 600, 400);
    ASSERT_EQ(botones.size(), 15u);
    const BotonPanel& calcular = botones[0];
    EXPECT_EQ((std::vector<double>{calcular.x, calcular.y, calcular.ancho, calcular.alto}),
              (std::vector<double>{470, 320, 120, 15}));
    EXPECT_EQ(calcular.interruptor, 30);
    // Columna izquierda cada 15 píxeles, con el renglón de y = 105 libre.
    std::vector<double> ys;
    std::vector<int> interruptores;
    for (size_t i = 1; i < botones.size(); ++i) {
        ys.push_back(botones[i].y);
        interruptores.push_back(botones[i].interruptor);
        EXPECT_EQ(botones[i].x, 10);
        EXPECT_EQ(botones[i].ancho, 70);
        EXPECT_EQ(botones[i].alto, 12);
    }
    EXPECT_EQ(ys, (std::vector<double>{30, 45, 60, 75, 90, 120, 135, 150, 165, 180, 195, 210, 225, 240}));
    EXPECT_EQ(interruptores, (std::vector<int>{0, 1, 2, 9, 20, 7, 8, 3, 4, 5, 6, 10, 11, 21}));
    EXPECT_EQ(botones[11].etiqueta, "My");
}

TEST_F(EntornoVisor, CombinacionesDelPrimerNudoHastaCien) {
    EXPECT_TRUE(combosDelPanel().empty());  // sin nudos
    std::string modelo = "nudos: 1 0 0 0\npuntual: P 0 0 -10 0 0 0  1\n";
    for (int i = 0; i < 103; ++i) modelo += "combo: K" + std::to_string(i) + " 1 P\n";
    cargarModelo(modelo);
    const std::vector<std::string> nombres = combosDelPanel();
    ASSERT_EQ(nombres.size(), 100u);
    EXPECT_EQ(nombres.front(), "K0");
    EXPECT_EQ(nombres.back(), "K99");

    const std::vector<BotonPanel> botones = botonesCombos({"A", "B", "C"}, 600);
    ASSERT_EQ(botones.size(), 3u);
    EXPECT_EQ(botones[2].x, 470);
    EXPECT_EQ(botones[2].y, 65);
    EXPECT_EQ(botones[2].ancho, 130);
    EXPECT_EQ(botones[2].alto, 12);
    EXPECT_EQ(botones[2].interruptor, 102);
}

TEST_F(EntornoVisor, ElClicDebeCaerEstrictamenteDentro) {
    // Botón de x 10 a 80 y de y 30 a 42.
    EXPECT_TRUE(clickDentro(10, 30, 70, 12, 11, 31));
    EXPECT_TRUE(clickDentro(10, 30, 70, 12, 79, 41));
    EXPECT_FALSE(clickDentro(10, 30, 70, 12, 10, 36));
    EXPECT_FALSE(clickDentro(10, 30, 70, 12, 80, 36));
    EXPECT_FALSE(clickDentro(10, 30, 70, 12, 40, 30));
    EXPECT_FALSE(clickDentro(10, 30, 70, 12, 40, 42));
    EXPECT_FALSE(clickDentro(10, 30, 70, 12, 0, 0));
}

TEST_F(EntornoVisor, UnClicActuaUnaSolaVez) {
    xClickIzq = 500;
    yClickIzq = 500;
    EXPECT_FALSE(consumirClick(10, 30, 70, 12));
    EXPECT_EQ(xClickIzq, 500);  // un clic fuera queda guardado
    xClickIzq = 40;
    yClickIzq = 36;
    EXPECT_TRUE(consumirClick(10, 30, 70, 12));
    EXPECT_EQ(xClickIzq, 0);
    EXPECT_EQ(yClickIzq, 0);
    EXPECT_FALSE(consumirClick(10, 30, 70, 12));
}

TEST_F(EntornoVisor, DireccionesDeAyudaSoloDeEjemplo) {
    const std::string general = textoAyudaGeneral;
    const std::string final = "Tags\n\nPara mas ayuda: https://vantra3d.example.org/ayuda\n";
    EXPECT_EQ(general.substr(general.size() - final.size()), final);
    EXPECT_EQ(std::string(textoDireccionesWeb), "https://vantra3d.example.org\nhttps://vantra3d.example.org/ayuda");
    for (const char* pagina : textosAyudaArchivo)
        EXPECT_EQ(std::string(pagina).rfind("**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n", 0),
                  0u);
}
