// Números de los rótulos, de la leyenda y de "barra N": sin "-0.000", sin el
// ruido del redondeo y con las unidades del modelo cuando las tiene.
#include <sstream>

#include "entornoVisor.h"
#include "visor/capas/escena.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/lote.h"

namespace {

// Pórtico con una barra fuera de su plano: el análisis deja restos del
// redondeo (del orden de 1e-16 de la escala) donde la simetría da cero, como
// la traslación en X del nudo 5 y la reacción en Y de los apoyos.
const char* const kPorticoConRuido =
    "nudos: 1 0 0 0  2 0 0 4  3 6 0 4  4 6 0 0  5 3 2 4\nbarras: 1 1 2  2 2 3  3 4 3  4 2 5  5 5 3\n"
    "apoyo: 1 1 1 1 1 1  1 4\nseccionRectangular: R 0.3 0.5 25e6 0.2 24  1 2 3 4 5\n"
    "puntual: P 0 0 -10 0 0 0  2 3\npesoPropio: PP\ncombo: C1 1 P 1 PP\n";

// Los números de un texto: cada trozo entre separadores que se lee entero como número.
std::vector<std::string> numerosDe(std::string texto) {
    for (char& c : texto)
        if (std::string(",:();\n").find(c) != std::string::npos) c = ' ';
    std::vector<std::string> numeros;
    std::istringstream trozos(texto);
    for (std::string t; trozos >> t;) {
        char* fin = nullptr;
        std::strtod(t.c_str(), &fin);
        if (*fin == '\0' && t.find_first_of("0123456789") != std::string::npos) numeros.push_back(t);
    }
    return numeros;
}

// Ni "-0.000" ni un resto del redondeo: un número escrito es 0 sin signo o
// mide al menos una milmillonésima (las escalas de estos modelos van de 1e-3 a 1e2).
void esperarLimpio(const std::string& texto, const std::string& donde) {
    for (const std::string& n : numerosDe(texto)) {
        const double v = std::strtod(n.c_str(), nullptr);
        EXPECT_FALSE(v == 0.0 && n[0] == '-') << donde << ": " << n << " en " << texto;
        EXPECT_TRUE(v == 0.0 || std::fabs(v) >= 1e-9) << donde << ": " << n << " en " << texto;
    }
}

}  // namespace

TEST(Numeros, LoQueRedondeaACeroSeEscribeSinSignoYElRuidoComoCero) {
    EXPECT_EQ(formatearNumero(-0.0004, 3, false), "0.000");
    EXPECT_EQ(formatearNumero(-0.0, 2, false), "0.00");
    EXPECT_EQ(formatearNumero(-0.0, 3, true), "0.000e+00");
    EXPECT_EQ(formatearNumero(-0.0016, 3, false), "-0.002");
    EXPECT_EQ(formatearNumero(-4e-19, 3, true), "-4.000e-19");  // sin escala no se sabe si es ruido
    EXPECT_EQ(formatearNumero(-100.0, 0, false), "-100");
    EXPECT_EQ(formatearNumero(std::nan(""), 2, false).find_first_of("0123456789"), std::string::npos);
    // Con la escala de su clase, lo que no llega a 1e-13 de ella es cero; lo demás se escribe como es.
    EXPECT_EQ(formatearResultado(2.57e-19, 6.1e-3, 3, true), "0.000e+00");
    EXPECT_EQ(formatearResultado(-2.49e-16, 48.18, 6, false), "0.000000");
    EXPECT_EQ(formatearResultado(-0.9e-13, 1.0, 3, true), "0.000e+00");
    EXPECT_EQ(formatearResultado(-1.1e-13, 1.0, 3, true), "-1.100e-13");
    EXPECT_EQ(formatearResultado(-0.0004, 1.0, 3, false), "0.000");
    EXPECT_EQ(formatearResultado(-3.5, 0.0, 2, false), "-3.50");  // sin escala conocida, nada es ruido
}

TEST_F(EntornoVisor, NingunRotuloLeyendaNiBarraNEscribeRuidoNiMenosCero) {
    CapturaConsola silencio;
    ASSERT_TRUE(cargar(kPorticoConRuido, true));
    // El caso tiene ruido de verdad: traslaciones y reacciones distintas de cero y menores que 1e-13 de su escala.
    const casoResultado& caso = resultados.casos[0];
    const auto hayRuido = [](const Eigen::MatrixXd& m, double escala) {
        return (m.array() != 0.0 && m.array().abs() < kFraccionRuido * escala).any();
    };
    ASSERT_TRUE(hayRuido(caso.desplazamientos.topRows(3), caso.escalas.traslaciones));
    ASSERT_TRUE(hayRuido(caso.reacciones.topRows(3), caso.escalas.fuerzas));

    modificadorFlagsGraf(kFlagCalculado);
    orden("combo C1");
    int rotulos = 0;
    for (const char* capa : {"plotDef", "plotN", "plotVy", "plotMy", "plotVz", "plotMz", "plotT", "plotR"}) {
        orden(capa);
        for (const CapaPreparada& c : prepararEscena())
            for (const Rotulo3D& r : c.lote->rotulos()) {
                esperarLimpio(r.texto, capa);
                ++rotulos;
            }
        EXPECT_EQ(leyendaEscena().empty(), std::string(capa) == "plotR") << capa;  // las reacciones no tienen leyenda
        for (const std::string& linea : leyendaEscena()) esperarLimpio(linea, capa);
    }
    EXPECT_GT(rotulos, 60);
    for (int b = 1; b <= 5; ++b) {
        orden("barra " + std::to_string(b));
        esperarLimpio(dialogo, "barra " + std::to_string(b));
    }
    // Los lugares del ruido dicen 0: la traslación en X del nudo 5 y la reacción en Y del nudo 1.
    const std::vector<LineaReaccion> lineas = lineasReacciones(nudo[0], 0, diagonal, escalaTexto);
    ASSERT_EQ(lineas.size(), 6u);
    EXPECT_EQ(lineas[1].texto, "Ry: 0.000000");
    // "nudo 5" da sus seis valores: la traslación en X, ruido, es 0, y la de
    // Y, 0.0037 con precisión 3, en notación científica porque así se lee.
    orden("nudo 5");
    esperarLimpio(dialogo, "nudo 5");
    EXPECT_NE(dialogo.find("\nC1: Ux 0.000, Uy 3.700e-03, "), std::string::npos) << dialogo;
    orden("nudo 1");
    EXPECT_NE(dialogo.find("apoyo Ux Uy Uz Gx Gy Gz"), std::string::npos) << dialogo;
    EXPECT_NE(dialogo.find("C1 reacciones: Rx "), std::string::npos) << dialogo;
    orden("nudo 99");
    EXPECT_EQ(dialogo, "No existe el nudo 99. Ingrese Comando:");
}

TEST_F(EntornoVisor, LasUnidadesDelModeloVanEnLaLeyendaBarraNYLasReacciones) {
    CapturaConsola silencio;
    // La ménsula: 10 hacia abajo en la punta, a 15 del empotramiento.
    const std::string ensayo = std::string(kMensula) + "precision: 1\n";
    struct Caso {
        const char* etiqueta;
        std::string fuerza, momento, longitud;
    };
    for (const Caso& u : {Caso{"", "", "", ""}, Caso{"unidades: kN m\n", " kN", " kN·m", " m"},
                          Caso{"unidades: tf cm\n", " tf", " tf·cm", " cm"}}) {
        SCOPED_TRACE(u.etiqueta);
        ASSERT_TRUE(cargar(ensayo + u.etiqueta, true));
        interruptoresIniciales();
        modificadorFlagsGraf(kFlagCalculado);
        orden("combo C1", "plotMy");
        prepararEscena();
        EXPECT_EQ(leyendaEscena(),
                  std::vector<std::string>{"My C1: máx 0.0" + u.momento + " (barra 5), mín -150.0" + u.momento +
                                           " (barra 3)"});
        orden("plotN");
        prepararEscena();
        EXPECT_EQ(leyendaEscena(), std::vector<std::string>{"N C1: máx 0.0" + u.fuerza + " (barra 3), mín 0.0" +
                                                            u.fuerza + " (barra 3)"});
        orden("plotDef");
        prepararEscena();
        ASSERT_EQ(leyendaEscena().size(), 1u);
        EXPECT_NE(leyendaEscena()[0].find(u.longitud + " (nudo 4), factor de escala 100"), std::string::npos)
            << leyendaEscena()[0];

        orden("barra 7");
        std::istringstream renglones(dialogo);
        std::string datos, inicio;
        std::getline(renglones, datos);
        std::getline(renglones, inicio);
        EXPECT_EQ(datos, "Barra 7 (nudos 2 a 3): largo 5.0" + u.longitud + ", sección R");
        EXPECT_EQ(inicio, "C1 inicio: N 0.0" + u.fuerza + ", Vy 10.0" + u.fuerza + ", Vz 0.0" + u.fuerza + ", T 0.0" +
                              u.momento + ", My -100.0" + u.momento + ", Mz 0.0" + u.momento);

        const std::vector<LineaReaccion> r = lineasReacciones(nudo[0], 0, diagonal, escalaTexto);
        ASSERT_EQ(r.size(), 6u);
        EXPECT_EQ(r[2].texto, "Rz: 10.000000" + u.fuerza);
        EXPECT_EQ(r[4].texto, "My: " + formatearNumero(resultados.casos[0].reacciones(4, 0), 6, false) + u.momento);
    }
}
