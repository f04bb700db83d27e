// Apoyos elásticos (resorte:) y desplazamientos impuestos de los apoyos
// (desplazamientoImpuesto:) contra soluciones cerradas, con equilibrio y avisos.
#include "reporte/consolaLotes.h"
#include "utilidades.h"

namespace {

// Sección genérica sin deformación por corte: E·I = 2e8 · 1e-3 en el plano vertical de las
// barras horizontales según X (I según z local, que es Z global).
const double E = 2e8, I = 1e-3, EI = E * I;
const std::string kSeccion = "seccionGenerica: G 0.1 2e-3 1e-3 3e-3 2e8 0.3 0 ";

}  // namespace

TEST(Resortes, VoladizoApoyadoEnUnResorteVaDeLibreAApuntalado) {
    // Voladizo de 4 m con P en la punta apoyada en un resorte k: el resorte toma
    // P·k/(k + 3EI/L³), de casi nada a casi todo según k.
    const double L = 4, P = 10, kv = 3 * EI / (L * L * L);
    for (double relacion : {1e-6, 1e-3, 1.0, 1e3, 1e6, 1e9, 1e12}) {
        const double k = relacion * kv;
        ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 4 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n" + kSeccion +
                                   " 1\nresorte: 0 0 " + texto(k) + " 0 0 0  2\npuntual: P 0 0 -10 0 0 0  2\n"
                                   "combo: C 1 P\n"))
            << relacion;
        const double resorte = P * k / (k + kv);
        EXPECT_NEAR(reaccionesDe(2)(2), resorte, 1e-10 * P) << relacion;
        EXPECT_NEAR(reaccionesDe(1)(2), P - resorte, 1e-10 * P) << relacion;
        // La reacción del resorte es −k·u.
        EXPECT_NEAR(reaccionesDe(2)(2), -k * desplazamientosDe(2)(2), 1e-12 * P) << relacion;
        esperarEquilibrio(std::to_string(relacion));
    }
}

TEST(Resortes, ResorteDeGiroEnLaBaseDeUnaColumna) {
    // Columna de 3 m con H en la punta y un resorte de giro kθ en la base (giro Y): la punta
    // se desplaza H·h³/(3EI) + H·h²/kθ, entre la columna empotrada y la articulada.
    const double h = 3, H = 5;
    for (double kGiro : {1e2, 1e4, 1e6}) {
        ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 0 1  1\n"
                                   "seccionGenerica: G 0.1 1e-3 1e-3 3e-3 2e8 0.3 0 1\nresorte: 0 0 0 0 " +
                                   texto(kGiro) + " 0  1\npuntual: H 5 0 0 0 0 0  2\ncombo: C 1 H\n"));
        const double esperado = H * h * h * h / (3 * EI) + H * h * h / kGiro;
        EXPECT_NEAR(desplazamientosDe(2)(0), esperado, 1e-10 * esperado) << kGiro;
        EXPECT_NEAR(reaccionesDe(1)(4), -H * h, 1e-10 * H * h) << kGiro;
    }
}

TEST(Resortes, UnRegistroPartidoEnDosDaLoMismoYLosAvisos) {
    const std::string base = "nudos: 1 0 0 0  2 4 0 0  3 8 0 0\nbarras: 1 1 2  2 2 3\napoyo: 1 1 1 1 1 1  1\n" +
                             kSeccion + " 1 2\npuntual: P 3 0 -10 0 0 0  3\ncombo: C 1 P\n";
    ASSERT_TRUE(analizarModelo(base + "resorte: 100 0 500 0 0 0  2 3\n"));
    const Eigen::MatrixXd juntos = matrizDesplazamientos(resultados);
    ASSERT_TRUE(analizarModelo(base + "resorte: 100 0 0 0 0 0  2 3\nresorte: 0 0 500 0 0 0  3\n"
                                      "resorte: 0 0 500 0 0 0  2\n"));
    const Eigen::MatrixXd u = matrizDesplazamientos(resultados);
    EXPECT_EQ(u, juntos);
    // Las líneas de reacciones incluyen los nudos con resorte, con −k·u en sus componentes.
    const std::string linea = lineaReacciones(3, reaccionesDe(3));
    char esperada[200];
    std::snprintf(esperada, sizeof esperada, "nudo 3: %.6e %.6e %.6e %.6e %.6e %.6e", -100 * u(12, 0), 0.0,
                  -500 * u(14, 0), 0.0, 0.0, 0.0);
    EXPECT_EQ(linea, esperada);

    // Un resorte donde ya hay apoyo no cuenta; una rigidez negativa vale 0.
    const Lineas consola = cargarModelo(base + "resorte: 7 -5 0 0 1e3 0  1\n");
    const Lineas esperadas{"Advertencia: valor no válido -5 en la etiqueta resorte:",
                           "Advertencia: el nudo 1 tiene apoyo y resorte en Ux; se usa el apoyo",
                           "Advertencia: el nudo 1 tiene apoyo y resorte en Gy; se usa el apoyo",
                           "transferencia de resortes a nudo[i] OK"};
    EXPECT_TRUE(std::search(consola.begin(), consola.end(), esperadas.begin(), esperadas.end()) != consola.end());
    EXPECT_EQ(nudoUsuario(1).getResorte()(1), 0.0);
    ASSERT_TRUE(resolver());
    esperarEquilibrio("resorte sobre apoyo");
}

TEST(Asentamientos, VigaBiempotradaYVigaContinua) {
    // Asentamiento Δ del extremo de una viga biempotrada de L = 5: cortes 12EIΔ/L³ y momentos
    // 6EIΔ/L² en los dos extremos.
    const double L = 5, D = 0.01;
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 5 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1 2\n" + kSeccion +
                               " 1\ndesplazamientoImpuesto: S 0 0 -0.01 0 0 0  2\ncombo: C 1 S\n"));
    const double V = 12 * EI * D / (L * L * L), M = 6 * EI * D / (L * L);
    EXPECT_NEAR(desplazamientosDe(2)(2), -D, 1e-15);
    EXPECT_NEAR(reaccionesDe(1)(2), V, 1e-9 * V);
    EXPECT_NEAR(reaccionesDe(2)(2), -V, 1e-9 * V);
    EXPECT_NEAR(reaccionesDe(1)(4), -M, 1e-9 * M);
    EXPECT_NEAR(reaccionesDe(2)(4), -M, 1e-9 * M);
    esperarEquilibrio("biempotrada");

    // Viga continua de dos tramos de 5 m; el apoyo central baja Δ en su propio caso, combinado
    // con el peso propio: el asentamiento solo es una carga 6EIΔ/L³ hacia abajo en el centro de
    // una viga simple de 2L (3EIΔ/L³ hacia arriba en cada extremo, 3EIΔ/L² en el centro).
    const std::string continua = "nudos: 1 0 0 0  2 5 0 0  3 10 0 0\nbarras: 1 1 2  2 2 3\n"
                                 "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  2 3\n"
                                 "seccionGenerica: G 0.1 2e-3 1e-3 3e-3 2e8 0.3 25  1 2\n"
                                 "pesoPropio: PP\ndesplazamientoImpuesto: S 0 0 -0.01 0 0 0  2\n"
                                 "combo: S 1 S\ncombo: PP 1 PP\ncombo: PP+S 1.2 PP 1 S\n";
    ASSERT_TRUE(analizarModelo(continua));
    const double P = 6 * EI * D / (L * L * L);
    EXPECT_NEAR(reaccionesDe(2, 0)(2), -P, 1e-9 * P);
    EXPECT_NEAR(reaccionesDe(1, 0)(2), P / 2, 1e-9 * P);
    EXPECT_NEAR(reaccionesDe(3, 0)(2), P / 2, 1e-9 * P);
    EXPECT_NEAR(solicitacionesDe(1, 0).fuerzas[11], 3 * EI * D / (L * L), 1e-9 * P * L);
    // El peso propio (2.5 por metro) da 3wL/8, 10wL/8, 3wL/8; la combinación suma 1.2 de eso y el asentamiento.
    const double w = 25 * 0.1;
    for (int n : {1, 2, 3}) {
        const double peso = (n == 2 ? 10.0 : 3.0) * w * L / 8;
        EXPECT_NEAR(reaccionesDe(n, 1)(2), peso, 1e-9 * peso) << n;
        EXPECT_NEAR(reaccionesDe(n, 2)(2), 1.2 * peso + reaccionesDe(n, 0)(2), 1e-9 * P) << n;
    }
    EXPECT_NEAR(desplazamientosDe(2, 2)(2), -D, 1e-15);
    esperarEquilibrio("continua");

    // En un grado de libertad libre el valor se descarta con un aviso.
    const Lineas consola = cargarModelo(continua + "desplazamientoImpuesto: S 0.02 0 0 0 0.001 0  2 3\n");
    for (const char* n : {"2 Ux", "2 Gy", "3 Ux", "3 Gy"})
        EXPECT_NE(std::find(consola.begin(), consola.end(),
                            std::string("Advertencia: desplazamiento impuesto en un grado de libertad libre: nudo ") + n),
                  consola.end())
            << n;
    ASSERT_TRUE(resolver());
    EXPECT_NEAR(reaccionesDe(2, 0)(2), -P, 1e-9 * P);
}

TEST(Asentamientos, ValoresMalosNoRompenNada) {
    // Palabras que no son números, signos sueltos, números enormes y registros truncados.
    for (const char* registros :
         {"resorte: x 1 2\n", "resorte: 1e999 -0 nan 1 1 1  2 99\n", "resorte: 1 2 3\n",
          "desplazamientoImpuesto: S 1e308 -1e308 e - . 1  1 2 3\n", "desplazamientoImpuesto:\n",
          "desplazamientoImpuesto: S\nresorte:\n", "resorte: 1e300 1e300 1e300 1e300 1e300 1e300 2 3\n"}) {
        cargarModelo("nudos: 1 0 0 0  2 4 0 0  3 8 0 0\nbarras: 1 1 2  2 2 3\napoyo: 1 1 1 1 1 1  1\n" + kSeccion +
                     " 1 2\npuntual: P 3 0 -10 0 0 0  3\ncombo: C 1 P 1 S\n" + registros);
        if (resolver()) esperarEquilibrio(registros);
    }
}
