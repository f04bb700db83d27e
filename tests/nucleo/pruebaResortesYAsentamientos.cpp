// Apoyos elásticos (resorte:) y desplazamientos impuestos de los apoyos
// (desplazamientoImpuesto:) contra soluciones cerradas, con equilibrio y avisos.
#include <map>

#include "arranque.h"
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
    const Lineas esperadas{"Error: valor no válido -5 en la etiqueta resorte:",
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
                            std::string("Error: desplazamiento impuesto en un grado de libertad libre: nudo ") + n + " (se descarta)"),
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

TEST(Resortes, UnMecanismoSostenidoSoloPorResortesEsEstable) {
    // Columna de 4 m articulada en la base (giros X e Y libres): sin nada más es un mecanismo. Un
    // resorte horizontal en la cabeza en X y otro en Y la sostienen, por blandos o rígidos que sean
    // frente a la columna: la cabeza se corre H/k como un cuerpo rígido y el resorte toma toda la
    // carga. Con el resorte en X solamente la columna sigue cayendo en Y, y se dice.
    const std::string base = "nudos: 1 0 0 0  2 0 0 4\nbarras: 1 1 2\napoyo: 1 1 1 0 0 1  1\n" + kSeccion +
                             " 1\npuntual: H 5 0 -10 0 0 0  2\ncombo: C 1 H\n";
    const double H = 5;
    for (double k : {1e-6, 1.0, 1e6, 1e12}) {
        ASSERT_TRUE(analizarModelo(base + "resorte: " + texto(k) + " " + texto(k) + " 0 0 0 0  2\n")) << k;
        EXPECT_NEAR(desplazamientosDe(2)(0), H / k, 1e-9 * H / k) << k;
        EXPECT_NEAR(reaccionesDe(2)(0), -H, 1e-9 * H) << k;
        EXPECT_NEAR(reaccionesDe(1)(0), 0.0, 1e-9 * H) << k;
        EXPECT_NEAR(reaccionesDe(1)(2), 10.0, 1e-9 * 10) << k;
        esperarEquilibrio("resorte " + texto(k));
    }
    cargarModelo(base + "resorte: 1000 0 0 0 0 0  2\n");
    const size_t desde = mensajes.tamano();
    EXPECT_FALSE(resolver());
    const Lineas dichos = mensajes.textos(desde);
    ASSERT_FALSE(dichos.empty());
    EXPECT_EQ(dichos[0], "Error: la estructura es inestable; la matriz de rigidez no es definida positiva");
    EXPECT_NE(std::find(dichos.begin(), dichos.end(), "Grado de libertad sin rigidez: nudo 2 Uy"), dichos.end());
}

TEST(Asentamientos, ResortesYAsentamientosEnLosCsv) {
    // El ejemplo de la viga continua: el nudo 1 descansa en resortes (500 en X, 20000 en Z) y el
    // apoyo central baja 1 cm en el caso S. En los CSV, que se leen de vuelta exactos, el nudo 3
    // baja exactamente lo impuesto y la reacción del resorte es −k·u con los u de desplazamientos.csv
    // (la reacción sale del equilibrio de las barras: coincide hasta la precisión de la solución).
    DirectorioTemporal dir;
    CapturaConsola consola;
    ASSERT_EQ(funcionCalcularLotes(VANTRA_EJEMPLOS "/asentamiento.txt", "csv"), 0);
    const auto tabla = [](const std::string& archivo) {
        std::map<std::pair<std::string, int>, std::vector<double>> t;
        const Lineas l = lineasDe(leerArchivo("csv/" + archivo));
        for (size_t i = 1; i < l.size(); ++i) {
            std::istringstream s(l[i]);
            std::string combo, campo;
            std::getline(s, combo, ',');
            std::getline(s, campo, ',');
            std::vector<double>& v = t[{combo, std::stoi(campo)}];
            while (std::getline(s, campo, ',')) v.push_back(std::stod(campo));
        }
        return t;
    };
    const auto d = tabla("desplazamientos.csv"), r = tabla("reacciones.csv");
    for (const std::string combo : {"ELU", "ELU_S", "S"}) {
        SCOPED_TRACE(combo);
        ASSERT_EQ(d.count({combo, 3}) + r.count({combo, 1}) + r.count({combo, 3}), 3u);
        EXPECT_EQ(d.at({combo, 3})[2], combo == "ELU" ? 0.0 : -0.01);
        for (auto [i, k] : {std::pair{0, 500.0}, {2, 20000.0}}) {
            const double resorte = -k * d.at({combo, 1})[static_cast<size_t>(i)];
            EXPECT_NEAR(r.at({combo, 1})[static_cast<size_t>(i)], resorte, 1e-9 * std::fabs(resorte)) << i;
        }
        const int c = combo == "ELU" ? 0 : combo == "ELU_S" ? 1 : 2;
        EXPECT_EQ(r.at({combo, 1})[1], sinRuido(reaccionesDe(1, c)(1), casoNumero(c).escalas.fuerzas));
        // En los grados de libertad libres del nudo 1 (giros Y y Z) no hay reacción.
        EXPECT_EQ(r.at({combo, 1})[4] + r.at({combo, 1})[5], 0.0);
    }
    // Las reacciones de S solas (sin cargas) suman cero, en fuerza y en momento.
    double suma = 0;
    for (int n : {1, 3, 5}) suma += r.at({"S", n})[2];
    EXPECT_NEAR(suma, 0.0, 1e-9 * std::fabs(r.at({"S", 3})[2]));
}
