// Teclas: escalas con '+' y '-', Alt, edición del comando, salida, ayudas,
// vistas predefinidas y recarga del modelo con F5.
#include "entornoVisor.h"

namespace {

struct Escalas {
    double texto, def, n, vy, my, carga, vz, mz, t;
};
Escalas escalas() {
    return {escalaTexto, escalaDef, escalaN, escalaVy, escalaMy, escalaCarga, escalaVz, escalaMz, escalaT};
}
void fijarEscalas() {
    escalaTexto = escalaDef = escalaN = escalaVy = escalaMy = escalaCarga = escalaVz = escalaMz = escalaT = 1.0;
}

}  // namespace

TEST_F(EntornoVisor, MasYMenosCambianLasEscalasDeLoQueSeVe) {
    fijarEscalas();
    teclado('+', 0, 0);  // sin capas a la vista no cambia nada
    Escalas e = escalas();
    EXPECT_EQ(e.texto + e.def + e.n + e.vy + e.my + e.carga + e.vz + e.mz + e.t, 9.0);

    modificadorFlagsGraf(6);
    teclado('+', 0, 0);
    EXPECT_DOUBLE_EQ(escalaMy, 1.1);
    EXPECT_EQ(escalaTexto, 1.0);
    EXPECT_EQ(escalaMz, 1.0);
    teclado('-', 0, 0);
    EXPECT_DOUBLE_EQ(escalaMy, 1.0);

    // Con Shift exacto sólo el texto; Shift con Ctrl no es Shift exacto.
    sistemaFalso().modificadores = GLUT_ACTIVE_SHIFT;
    teclado('+', 0, 0);
    EXPECT_DOUBLE_EQ(escalaTexto, 1.1);
    EXPECT_DOUBLE_EQ(escalaMy, 1.0);
    teclado('-', 0, 0);
    EXPECT_DOUBLE_EQ(escalaTexto, 1.0);
    sistemaFalso().modificadores = GLUT_ACTIVE_SHIFT | GLUT_ACTIVE_CTRL;
    teclado('-', 0, 0);
    EXPECT_DOUBLE_EQ(escalaMy, 1.0 / 1.1);
    EXPECT_EQ(escalaTexto, 1.0);

    // Torsión y cargas tienen sus propias escalas.
    sistemaFalso().modificadores = 0;
    modificadorFlagsGraf(21);
    teclado('+', 0, 0);
    EXPECT_DOUBLE_EQ(escalaT, 1.1);
    modificadorFlagsGraf(7);
    teclado('+', 0, 0);
    EXPECT_DOUBLE_EQ(escalaCarga, 1.1);
    EXPECT_DOUBLE_EQ(escalaT, 1.1);
    EXPECT_EQ(comando, "");
}

TEST_F(EntornoVisor, AltConmutaYElRestoSeEscribe) {
    sistemaFalso().modificadores = GLUT_ACTIVE_ALT;
    teclado('T', 0, 0);
    teclado('f', 0, 0);
    teclado('n', 0, 0);
    teclado('x', 0, 0);
    EXPECT_FALSE(flagActivo(14));
    EXPECT_FALSE(flagActivo(15));
    EXPECT_FALSE(flagActivo(16));
    EXPECT_TRUE(sistemaFalso().redimensiones.empty());
    sistemaFalso().ancho = 700;
    sistemaFalso().alto = 500;
    teclado('c', 0, 0);
    EXPECT_FALSE(flagActivo(17));
    EXPECT_EQ(wVentana, 700);
    EXPECT_EQ(hVentana, 500);
    EXPECT_EQ(sistemaFalso().redimensiones, (std::vector<std::pair<int, int>>{{700, 500}}));
    EXPECT_EQ(comando, "");

    sistemaFalso().modificadores = GLUT_ACTIVE_ALT | GLUT_ACTIVE_CTRL;
    teclado('t', 0, 0);
    sistemaFalso().modificadores = 0;
    for (unsigned char c : {'c', ' ', '7'}) teclado(c, 0, 0);
    EXPECT_EQ(comando, "tc 7");
    EXPECT_FALSE(flagActivo(14));
    teclado(8, 0, 0);
    EXPECT_EQ(comando, "tc ");
    comando.clear();
    teclado(8, 0, 0);
    EXPECT_EQ(comando, "");
    EXPECT_EQ(sistemaFalso().redibujos, 11);
}

TEST_F(EntornoVisor, EscapeTerminaSinRedibujar) {
    teclado(27, 0, 0);
    EXPECT_EQ(sistemaFalso().salidas, std::vector<int>{0});
    EXPECT_EQ(sistemaFalso().redibujos, 0);
}

TEST_F(EntornoVisor, F12RecorreLasPaginasYF1LasCierra) {
    std::vector<int> paginas;
    for (int i = 0; i < 5; ++i) {
        tecladoEspecial(GLUT_KEY_F12, 0, 0);
        paginas.push_back(flags[19]);
    }
    EXPECT_EQ(paginas, (std::vector<int>{1, 2, 3, 4, 0}));

    tecladoEspecial(GLUT_KEY_F12, 0, 0);
    tecladoEspecial(GLUT_KEY_F12, 0, 0);
    tecladoEspecial(GLUT_KEY_F1, 0, 0);
    EXPECT_EQ(flags[19], 0);
    EXPECT_TRUE(flagActivo(18));
    tecladoEspecial(GLUT_KEY_F12, 0, 0);
    EXPECT_FALSE(flagActivo(18));
    EXPECT_EQ(flags[19], 1);
    tecladoEspecial(GLUT_KEY_F1, 0, 0);
    tecladoEspecial(GLUT_KEY_F1, 0, 0);
    EXPECT_FALSE(flagActivo(18));
    EXPECT_EQ(flags[19], 0);
}

TEST_F(EntornoVisor, VistasPredefinidasMuevenSoloLaCamara) {
    xCentroObj = 1;
    yCentroObj = 2;
    zCentroObj = 3;
    diagonal = 10;
    distCamObj = 42;
    tecladoEspecial(GLUT_KEY_F2, 0, 0);
    EXPECT_EQ((std::vector<double>{xCam, yCam, zCam}), (std::vector<double>{1, -8, 3}));
    tecladoEspecial(GLUT_KEY_F3, 0, 0);
    EXPECT_EQ((std::vector<double>{xCam, yCam, zCam}), (std::vector<double>{-9, 2, 3}));
    tecladoEspecial(GLUT_KEY_F4, 0, 0);
    EXPECT_LT(xCam, 1.0);
    EXPECT_NEAR(xCam, 1.0, 1e-8);
    EXPECT_EQ(yCam, 2.0);
    EXPECT_EQ(zCam, 13.0);
    EXPECT_EQ(xCentroObj, 1.0);
    EXPECT_EQ(distCamObj, 42.0);
}

TEST_F(EntornoVisor, F5RecargaYReiniciaInterruptoresPeroNoLaCamaraNiElComando) {
    cargarModelo(kModeloMensula);
    CapturaConsola consola;
    modificadorFlagsGraf(30);
    orden("plotMy");
    orden("combo");
    orden("C1");
    orden("aislar");
    orden("3");
    modificadorFlagsGraf(17);  // ortogonal
    xCam = 11;
    yCam = 12;
    zCam = 13;
    distCamObj = 7;
    dialogo = "algo";
    comando = "a medio";
    // El archivo cambió: ahora tiene un nudo y una barra más.
    archivo->escribir("nudos: 1 0 0 0  2 5 0 0  3 10 0 0  4 15 0 0  5 20 0 0\n"
                      "barras: 3 1 2  7 2 3  5 3 4  9 4 5\n"
                      "apoyo: 1 1 1 1 1 1  1\n");

    const std::string antes = consola.texto();
    tecladoEspecial(GLUT_KEY_F5, 0, 0);
    const std::string salida = consola.texto().substr(antes.size());
    EXPECT_EQ(salida.rfind("\n\n\n------------------------Reinicio del programa------------------\n", 0), 0u);

    std::vector<int> inicio = flags;
    interruptoresIniciales();
    EXPECT_EQ(inicio, flags);
    EXPECT_EQ(noNudos, 5);
    EXPECT_EQ(noBarras, 4);
    EXPECT_EQ(nudosAislados, std::vector<int>(5, 1));
    EXPECT_EQ(barrasAisladas, std::vector<int>(4, 1));
    EXPECT_EQ((std::vector<double>{xCam, yCam, zCam, distCamObj}), (std::vector<double>{11, 12, 13, 7}));
    EXPECT_EQ(dialogo, "algo");
    EXPECT_EQ(comando, "a medio");
    EXPECT_TRUE(sistemaFalso().redimensiones.empty());  // la proyección no se rehace
}
