// El método estático equivalente y la escala de los sismos por el cortante
// basal, contra cuentas a mano: el reparto en altura de un edificio de
// cortante de dos pisos con K = 1 y K = 2 (con y sin diafragmas), la fuerza
// en el centro de masa de un piso excéntrico, el caso dentro de una
// combinación, la escala por el mínimo y por el máximo (y S = 1 dentro del
// rango) en todo lo que da el caso, y los registros mal escritos.
#include <array>
#include <cmath>

#include "analisis/pisos.h"
#include "arranque.h"
#include "reporte/consolaLotes.h"
#include "utilidades.h"

namespace {

const double E = 2e8, I = 0.001, H = 3, G = 10;

// Dos pisos de 3 m sobre cuatro columnas en (±2, ±2) sin peso, con los giros
// de los nudos de piso impedidos salvo el de Z (vigas rígidas): cada piso
// tiene k = 4·12·E·I/h³ en X y en Y. Masa m1/4 y m2/4 en cada esquina; con
// diafragmas, uno por piso.
std::string edificio(double m1, double m2, bool conDiafragmas, const std::string& resto) {
    return "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3\n"
           "       9 -2 -2 6  10 2 -2 6  11 2 2 6  12 -2 2 6\n"
           "barras: 1 1 5  2 2 6  3 3 7  4 4 8  5 5 9  6 6 10  7 7 11  8 8 12\n"
           "apoyo: 1 1 1 1 1 1  1 2 3 4\napoyo: 0 0 1 1 1 0  5 6 7 8 9 10 11 12\n"
           "seccionGenerica: C 0.1 0.001 0.001 1e-9 2e8 0.3 0  1 2 3 4 5 6 7 8\ngravedad: 10\n" +
           std::string(conDiafragmas ? "diafragma: 5 6 7 8\ndiafragma: 9 10 11 12\n" : "") + "masaNudo: " +
           texto(m1 / 4) + "  5 6 7 8\nmasaNudo: " + texto(m2 / 4) + "  9 10 11 12\n" + resto;
}

const double kPiso = 4 * 12 * E * I / (H * H * H);

// F_k = V·w_k·h_k^K / Σ w·h^K para los dos pisos, a mano.
std::array<double, 2> fuerzasAMano(double v, double m1, double m2, double k) {
    const double a = m1 * std::pow(H, k), b = m2 * std::pow(2 * H, k);
    return {v * a / (a + b), v * b / (a + b)};
}

std::string lineaQueContiene(const Lineas& l, const std::string& parte) {
    for (const std::string& s : l)
        if (s.find(parte) != std::string::npos) return s;
    return "";
}

double rel(double a, double b) { return std::fabs(a - b) / std::max(std::fabs(b), 1e-300); }

std::string lineaQueEmpieza(const Lineas& l, const std::string& inicio) {
    for (const std::string& s : l)
        if (s.rfind(inicio, 0) == 0) return s;
    return "";
}

}  // namespace

TEST(SismoEstatico, RepartoEnAlturaConKUnoYDosContraCuentasAMano) {
    const double m1 = 30, m2 = 20, c = 0.1;
    for (const bool conDiafragmas : {true, false}) {
        for (const double k : {1.0, 2.0}) {
            const std::string que = std::string(conDiafragmas ? "con" : "sin") + " diafragmas, K = " + texto(k);
            // El caso en una combinación con un factor: los pisos y los
            // desplazamientos son los de las fuerzas a mano por 1.5.
            ASSERT_TRUE(analizarModelo(edificio(m1, m2, conDiafragmas,
                                                "sismoEstatico: EX X " + texto(c) + " " + texto(k) +
                                                    "\ncombo: C 1.5 EX\n")))
                << que;
            ASSERT_EQ(resultados.estaticos.size(), 1u);
            const distribucionSismoEstatico& e = resultados.estaticos[0];
            const double w = G * (m1 + m2), v = c * w;
            EXPECT_LT(rel(e.peso, w), 1e-13) << que;
            EXPECT_LT(rel(e.cortante, v), 1e-13) << que;
            ASSERT_EQ(e.niveles.size(), 2u) << que;
            const auto f = fuerzasAMano(v, m1, m2, k);
            for (size_t i = 0; i < 2; ++i) {
                EXPECT_LT(rel(e.niveles[i].fuerza, f[i]), 1e-13) << que << " nivel " << i;
                EXPECT_LT(rel(e.niveles[i].altura, H * static_cast<double>(i + 1)), 1e-13) << que;
            }
            // Edificio de cortante: u1 = V/k y u2 = u1 + F2/k, por 1.5.
            const double u1 = 1.5 * v / kPiso, u2 = u1 + 1.5 * f[1] / kPiso;
            EXPECT_LT(rel(desplazamientosDe(6)(0), u1), 1e-9) << que;
            EXPECT_LT(rel(desplazamientosDe(11)(0), u2), 1e-9) << que;
            EXPECT_NEAR(desplazamientosDe(11)(1), 0, 1e-12 * u2) << que;
            double base = 0;
            for (int n = 1; n <= 4; ++n) base += reaccionesDe(n)(0);
            EXPECT_LT(rel(-base, 1.5 * v), 1e-12) << que;
            esperarEquilibrio(que);
            if (conDiafragmas) {
                const casoResultado& caso = casoNumero(0);
                ASSERT_EQ(caso.pisos.size(), 2u);
                EXPECT_LT(rel(caso.pisos[0].fuerza[0], 1.5 * f[0]), 1e-12) << que;
                EXPECT_LT(rel(caso.pisos[1].fuerza[0], 1.5 * f[1]), 1e-12) << que;
                EXPECT_LT(rel(caso.pisos[0].cortante[0], 1.5 * v), 1e-12) << que;
            }
            CapturaConsola consola;
            imprimirReacciones();
            char esperada[200];
            std::snprintf(esperada, sizeof esperada, "Sismo estático EX: peso sísmico %.6e, cortante basal %.6e", w, v);
            EXPECT_EQ(lineaQueEmpieza(consola.lineas(), "Sismo estático"), esperada) << que;
        }
    }
}

TEST(SismoEstatico, FuerzaEnElCentroDeMasaDeUnPisoExcentrico) {
    // Un piso sobre cuatro columnas (4·12EI/h³ en X y en Y, 12EI/h³·8 de
    // giro por columna), con 20 más de masa en la esquina (2, 2): centro de
    // masa en (2/3, 2/3). Fx = V en él: ux = V/(4kc) y un giro
    // −(2/3)·V/(32kc) (la torsión de las columnas, con J = 1e-9, no cuenta).
    const std::string modelo =
        "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3\n"
        "barras: 1 1 5  2 2 6  3 3 7  4 4 8\napoyo: 1 1 1 1 1 1  1 2 3 4\napoyo: 0 0 1 1 1 0  5 6 7 8\n"
        "seccionGenerica: C 0.1 0.001 0.001 1e-9 2e8 0.3 0  1 2 3 4\ngravedad: 10\ndiafragma: 5 6 7 8\n"
        "masaNudo: 10  5 6 7 8\nmasaNudo: 20  7\nsismoEstatico: EX X 0.1 1\nsismoEstatico: EY Y 0.1 1\n"
        "combo: CX 1 EX\ncombo: CY 1 EY\n";
    ASSERT_TRUE(analizarModelo(modelo));
    const double kc = 12 * E * I / (H * H * H), v = 0.1 * G * 60;
    EXPECT_LT(rel(casoNumero(0).diafragmas.at(0).ux, v / (4 * kc)), 1e-7);
    EXPECT_LT(rel(casoNumero(0).diafragmas.at(0).giro, -(2.0 / 3) * v / (32 * kc)), 1e-6);
    EXPECT_LT(rel(casoNumero(1).diafragmas.at(0).uy, v / (4 * kc)), 1e-7);
    EXPECT_LT(rel(casoNumero(1).diafragmas.at(0).giro, (2.0 / 3) * v / (32 * kc)), 1e-6);
    // El par que lleva la fuerza al centro de masa llega a las reacciones.
    esperarEquilibrio("piso excéntrico");
}

TEST(SismoEstatico, EscalaPorElMinimoYPorElMaximoEnTodoLoQueDaElCaso) {
    const double m1 = 30, m2 = 20;
    const std::string base = "modos: 2\nespectro: E 0.05 8 1 2\nsismo: SX E X 0.05\n"
                             "sismoEstatico: EX X 0.1 1\ncombo: C 1 EX\ncombo: CS 1 SX\n";
    ASSERT_TRUE(analizarModelo(edificio(m1, m2, true, base)));
    const double v0 = resultados.sismos.at(0).cortanteBasal(0);
    const double u0 = resultados.casos.at(2).desplazamientos(0, internoDeNudo(11));
    const double piso0 = resultados.casos.at(2).pisos.at(0).cortante[0];
    const double deriva0 = resultados.casos.at(2).diafragmas.at(1).derivaX;
    const double combo0 = resultados.casos.at(1).desplazamientos(0, internoDeNudo(11));
    const double barra0 = resultados.casos.at(2).barras.at(0).fuerzas[1];
    const double vest = 0.1 * G * (m1 + m2);
    ASSERT_GT(v0, 0);
    ASSERT_GT(u0, 0);
    struct pedido {
        double fmin, fmax;  // fmax 0: sin máximo
        double escala;
    };
    const double porMinimo = 1.25 * v0 / vest, porMaximo = 0.5 * v0 / vest;
    for (const pedido& p : {pedido{porMinimo, 0, 1.25}, pedido{0.01, porMaximo, 0.5}, pedido{0.5 * v0 / vest, 2 * v0 / vest, 1}}) {
        const std::string que = "FMIN " + texto(p.fmin) + " FMAX " + texto(p.fmax);
        std::string escala = "escalaSismo: SX EX " + texto(p.fmin);
        if (p.fmax > 0) escala += " " + texto(p.fmax);
        ASSERT_TRUE(analizarModelo(edificio(m1, m2, true, base + escala + "\nderivaLimite: 5 0.02\n"))) << que;
        const resultadoSismico& s = resultados.sismos.at(0);
        ASSERT_TRUE(s.conEscala);
        EXPECT_LT(rel(s.cortanteEstatico, vest), 1e-13) << que;
        EXPECT_LT(rel(s.cortanteDinamico, v0), 1e-13) << que;
        EXPECT_LT(rel(s.escala, p.escala), 1e-12) << que;
        // El cortante escalado es el del rango, exacto.
        const double objetivo = p.escala == 1 ? v0 : (p.fmax > 0 ? p.fmax : p.fmin) * vest;
        EXPECT_LT(rel(s.cortanteBasal(0), objetivo), 1e-13) << que;
        const casoResultado& sx = resultados.casos.at(2);
        EXPECT_LT(rel(sx.desplazamientos(0, internoDeNudo(11)), p.escala * u0), 1e-13) << que;
        EXPECT_LT(rel(sx.pisos.at(0).cortante[0], p.escala * piso0), 1e-13) << que;
        EXPECT_LT(rel(sx.diafragmas.at(1).derivaX, p.escala * deriva0), 1e-12) << que;
        EXPECT_LT(rel(sx.pisos.at(1).inelastica[0], 5 * p.escala * deriva0), 1e-12) << que;
        EXPECT_LT(rel(sx.barras.at(0).fuerzas[1], p.escala * barra0), 1e-12) << que;
        EXPECT_LT(rel(resultados.casos.at(1).desplazamientos(0, internoDeNudo(11)), p.escala * combo0), 1e-13)
            << que;
        CapturaConsola consola;
        imprimirReacciones();
        char esperada[300];
        std::snprintf(esperada, sizeof esperada,
                      "Sismo SX: cortante basal %.6e, estático %.6e (%.1f %%): escalado por %.6f", v0, vest,
                      100 * v0 / vest, p.escala);
        EXPECT_EQ(lineaQueContiene(consola.lineas(), ", estático "), esperada) << que;
    }
}

TEST(SismoEstatico, RegistrosMalEscritosSonErroresQueLosNombran) {
    const std::string base = "modos: 2\nespectro: E 0.05 8 1 2\nsismo: SX E X 0.05\nsismo: SZ E Z 0.05\n"
                             "puntual: D 0 0 -1 0 0 0  9\ncombo: C 1 D\n";
    struct caso {
        std::string registros, error;
    };
    const caso casos[] = {
        {"sismoEstatico: EX W 0.1 1", "Error: el registro 1 de sismoEstatico: (EX): dirección W no válida (X o Y)"},
        {"sismoEstatico: EX X 0 1",
         "Error: el registro 1 de sismoEstatico: (EX): coeficiente sísmico 0 no válido (positivo, por ejemplo 0.12)"},
        {"sismoEstatico: EX X 0.1 -1",
         "Error: el registro 1 de sismoEstatico: (EX): exponente K -1 no válido (entre 0 y 10; usualmente de 1 a 2)"},
        {"sismoEstatico: D X 0.1 1",
         "Error: el registro 1 de sismoEstatico: (D) tiene el nombre de un caso de carga, de un sismo o de un combo "
         "ya definido"},
        {"sismoEstatico: EX X 0.1",
         "Error: el registro 1 de sismoEstatico: necesita el caso, la dirección (X o Y), el coeficiente sísmico y el "
         "exponente K (por ejemplo sismoEstatico: EX X 0.12 1)"},
        {"escalaSismo: SY D 0.8", "Error: el registro 1 de escalaSismo: (SY): SY no es un caso sísmico (sismo:)"},
        {"escalaSismo: SZ D 0.8",
         "Error: el registro 1 de escalaSismo: (SZ): el sismo SZ es vertical (Z); sólo un sismo en X o en Y tiene "
         "cortante basal que escalar"},
        {"escalaSismo: SX Q 0.8",
         "Error: el registro 1 de escalaSismo: (SX): el caso estático Q no está definido o no tiene cargas"},
        {"escalaSismo: SX D 0",
         "Error: el registro 1 de escalaSismo: (SX): factor mínimo 0 no válido (positivo, por ejemplo 0.8)"},
        {"escalaSismo: SX D 0.8 0.5",
         "Error: el registro 1 de escalaSismo: (SX): factor máximo 0.5 no válido (no menor que el mínimo 0.8)"},
        {"escalaSismo: SX D 0.8\nescalaSismo: SX D 0.9",
         "Error: el registro 2 de escalaSismo: (SX): el sismo SX ya se escala en el registro 1 (va uno por sismo)"},
    };
    for (const caso& c : casos) {
        const Lineas m = cargarModelo(edificio(30, 20, true, base + c.registros + "\n"));
        EXPECT_NE(std::find(m.begin(), m.end(), c.error), m.end()) << c.registros;
        EXPECT_GT(erroresDeEntrada, 0) << c.registros;
    }
    // Sin masa sobre la base: error con su registro.
    const Lineas m = cargarModelo(
        "nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
        "seccionGenerica: C 0.1 0.001 0.001 1e-9 2e8 0.3 0  1\nsismoEstatico: EX X 0.1 1\ncombo: C 1 EX\n");
    EXPECT_NE(std::find(m.begin(), m.end(),
                        "Error: el registro 1 de sismoEstatico: (EX): el modelo no tiene masa de traslación en esa "
                        "dirección; no hay fuerzas que repartir"),
              m.end());
    // Con masa sólo a la altura de la base (una viga horizontal en voladizo): sin niveles.
    const Lineas enLaBase = cargarModelo(
        "nudos: 1 0 0 0  2 3 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\nmasaNudo: 5  2\n"
        "seccionGenerica: C 0.1 0.001 0.001 1e-9 2e8 0.3 0  1\nsismoEstatico: EY Y 0.1 1\ncombo: C 1 EY\n");
    EXPECT_NE(std::find(enLaBase.begin(), enLaBase.end(),
                        "Error: el registro 1 de sismoEstatico: (EY): no hay nudos con masa sobre la base (el apoyo "
                        "más bajo); no hay fuerzas que repartir"),
              enLaBase.end());
    // Un caso estático sin cortante en la dirección del sismo (sólo carga
    // vertical): el análisis no sigue, con el error.
    cargarModelo(edificio(30, 20, true, base + "escalaSismo: SX D 0.8\n"));
    EXPECT_EQ(erroresDeEntrada, 0);
    CapturaConsola consola;
    EXPECT_FALSE(resolver());
    const Lineas textos = mensajes.textos();
    EXPECT_NE(std::find(textos.begin(), textos.end(),
                        "Error: escalaSismo: el caso D no tiene cortante basal en la dirección X del sismo SX (sus "
                        "cargas en X suman cero); no se puede escalar"),
              textos.end());
}
