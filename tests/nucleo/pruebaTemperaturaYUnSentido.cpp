// Cargas de temperatura (temperatura:) contra soluciones cerradas, con
// liberaciones y con deformación por corte; barras de solo tracción y de solo
// compresión (soloTraccion:, soloCompresion:) y masa adicional por largo
// (masaBarra:).
#include <cmath>

#include "arranque.h"
#include "reporte/consolaLotes.h"
#include "utilidades.h"

namespace {

// Barra de 10 m según X de sección genérica (A 0.1, Iy 0.002, Iz 0.001, E 2e8):
// y local = +Z, z local = −Y. El plano x-y (Iz) es el vertical.
const double E = 2e8, A = 0.1, IY = 0.002, IZ = 0.001, L = 10;
const double ALFA = 1.2e-5, DT = 30, GY = 20, GZ = -15;

std::string temperatura(double dt, double gy, double gz, const std::string& barras = "1 2") {
    return "temperatura: T " + texto(ALFA) + " " + texto(dt) + " " + texto(gy) + " " + texto(gz) + "  " + barras +
           "\ncombo: C 1 T\n";
}

bool contiene(const Lineas& l, const std::string& s) { return std::find(l.begin(), l.end(), s) != l.end(); }

}  // namespace

TEST(Temperatura, BarraEmpotradaEnLosDosExtremos) {
    // Sin desplazamientos: N = −E·A·α·ΔT; con gradiente, momento constante E·I·α·G en su
    // plano (cara caliente comprimida: tracción en la otra, positivo).
    ASSERT_TRUE(analizarModelo(barraSubdividida(2, "apoyo: 1 1 1 1 1 1  1 3\n" + temperatura(DT, GY, GZ))));
    EXPECT_LE(desplazamientosDe(2).cwiseAbs().maxCoeff(), 1e-15);
    for (int b : {1, 2}) {
        const objBarra3d& barraB = barraUsuario(b);
        for (double x : {0.0, 2.0, 5.0}) {
            const solicitacionesBarra& s = solicitacionesDe(b);
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionN, x), -E * A * ALFA * DT, 1e-9 * E * A * ALFA * DT);
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionMy, x), E * IZ * ALFA * GY, 1e-9 * E * IZ * ALFA * GY);
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionMz, x), E * IY * ALFA * GZ, 1e-9 * E * IY * ALFA * -GZ);
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionVy, x), 0, 1e-9);
        }
        // Sin flecha en el tramo.
        EXPECT_LE(barraB.deformada(solicitacionesDe(b), 11, 1).bottomRows(2).cwiseAbs().maxCoeff(), 1e-15);
    }
    esperarEquilibrio("empotrada");
}

TEST(Temperatura, VoladizoLibreSeMueveSinEsfuerzos) {
    // Curvatura −α·Gy en el plano vertical: la punta baja α·G·L²/2 y gira α·G·L; se alarga α·ΔT·L.
    ASSERT_TRUE(analizarModelo(barraSubdividida(2, "apoyo: 1 1 1 1 1 1  1\n" + temperatura(DT, GY, 0))));
    const Vec6 punta = desplazamientosDe(3);
    EXPECT_NEAR(punta(0), ALFA * DT * L, 1e-12);
    EXPECT_NEAR(punta(2), -ALFA * GY * L * L / 2, 1e-12);
    EXPECT_NEAR(punta(4), ALFA * GY * L, 1e-12);
    EXPECT_NEAR(desplazamientosDe(2)(2), -ALFA * GY * L * L / 8, 1e-12);
    EXPECT_LE(reaccionesDe(1).cwiseAbs().maxCoeff(), 1e-9);
    for (int b : {1, 2})
        for (double f : solicitacionesDe(b).fuerzas) EXPECT_NEAR(f, 0, 1e-9);
    // La elástica de la primera barra sigue la parábola: a L/4 la flecha es −α·G·(L/4)²/2.
    const Eigen::MatrixXd d = barraUsuario(1).deformada(solicitacionesDe(1), 3, 1);
    EXPECT_NEAR(d(1, 1), -ALFA * GY * (L / 4) * (L / 4) / 2, 1e-13);

    // En el otro plano (z local = −Y): la curvatura −α·Gz lleva la punta hacia −z, es decir +Y.
    ASSERT_TRUE(analizarModelo(barraSubdividida(2, "apoyo: 1 1 1 1 1 1  1\n" + temperatura(0, 0, GZ))));
    EXPECT_NEAR(desplazamientosDe(3)(1), ALFA * GZ * L * L / 2, 1e-12);
    EXPECT_NEAR(desplazamientosDe(3)(5), ALFA * GZ * L, 1e-12);
}

TEST(Temperatura, VoladizoApuntaladoConLiberacionesYCorte) {
    // Voladizo apuntalado con gradiente: la reacción del puntal es 3·E·I·α·G/(2L), en la
    // barra de Bernoulli; con corte, 3·E·I·α·G/(2L·(1 + φ/4)).
    ASSERT_TRUE(analizarModelo(barraSubdividida(2, "apoyo: 1 1 1 1 1 1  1\napoyo: 0 0 1 0 0 0  3\n" +
                                                       temperatura(0, GY, 0))));
    const double R = 3 * E * IZ * ALFA * GY / (2 * L);
    EXPECT_NEAR(reaccionesDe(3)(2), R, 1e-9 * R);
    EXPECT_NEAR(reaccionesDe(1)(4), R * L, 1e-9 * R * L);
    esperarEquilibrio("apuntalado");

    // La misma barra con los dos nudos empotrados y una liberación parcial f al final del
    // plano x-y es el nudo final libre de girar con un resorte (E·I/L)·f/(1 − f).
    const std::string una = "nudos: 1 0 0 0  2 10 0 0\nbarras: 1 1 2\n";
    for (double f : {0.0, 0.3, 0.8}) {
        ASSERT_TRUE(analizarModelo(una + "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\n"
                                         "apoyo: 1 1 1 1 1 1  1 2\narticulacion: 1 " + texto(f) + " 1 1  1\n" +
                                   temperatura(0, GY, 0, "1")));
        const Vec6 conLiberacion = reaccionesDe(2);
        const std::string resorte = f > 0 ? "resorte: 0 0 0 0 " + texto(E * IZ / L * f / (1 - f)) + " 0  2\n" : "";
        ASSERT_TRUE(analizarModelo(una + "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\n"
                                         "apoyo: 1 1 1 1 1 1  1\napoyo: 1 1 1 1 0 1  2\n" + resorte +
                                   temperatura(0, GY, 0, "1")));
        EXPECT_NEAR(conLiberacion(2), reaccionesDe(2)(2), 1e-9 * R) << f;
    }

    // Placa (factor de forma 1.2): empotrada, momento E·I·α·G; apuntalada o con rótula, la
    // reacción con φ.
    const std::string placa = "seccionPlaca: P 0.3 1.5 2e7 0.2 0  1\n";
    ASSERT_TRUE(analizarModelo(una + placa + "apoyo: 1 1 1 1 1 1  1 2\n" + temperatura(0, GY, 0, "1")));
    const objBarra3d& p = barraUsuario(1);
    const double EI = p.getModE() * p.getIz(), phi = 12 * EI * 1.2 / (p.getModG() * p.getArea() * L * L);
    ASSERT_GT(phi, 0.05);
    EXPECT_NEAR(p.valorSolicitacion(solicitacionesDe(1), kSolicitacionMy, 3), EI * ALFA * GY, 1e-9 * EI * ALFA * GY);
    const double Rphi = 3 * EI * ALFA * GY / (2 * L * (1 + phi / 4));
    ASSERT_TRUE(analizarModelo(una + placa + "apoyo: 1 1 1 1 1 1  1\napoyo: 1 1 1 1 0 1  2\n" +
                               temperatura(0, GY, 0, "1")));
    EXPECT_NEAR(reaccionesDe(2)(2), Rphi, 1e-9 * Rphi);
    ASSERT_TRUE(analizarModelo(una + placa + "apoyo: 1 1 1 1 1 1  1 2\narticulacion: 1 0 1 1  1\n" +
                               temperatura(0, GY, 0, "1")));
    EXPECT_NEAR(reaccionesDe(2)(2), Rphi, 1e-9 * Rphi);
    EXPECT_NEAR(barraUsuario(1).valorSolicitacion(solicitacionesDe(1), kSolicitacionMy, L), 0, 1e-9 * Rphi * L);
}

TEST(Temperatura, ApuntaladoDePlacaYDeRectanguloEnLosDosPlanos) {
    // Voladizo apuntalado de sección 0.3 x 0.5 con un gradiente: la barra libre se curva
    // κ = α·G y el puntal la devuelve a cero en L. Con f el factor de forma (1.2 la placa, 0
    // el rectángulo) la reacción del puntal es R = (κ·L²/2)/(L³/(3·E·I) + f·L/(G·A)), el
    // momento del empotramiento R·L, y la flecha en el centro, hacia el lado de R,
    // −κ·L²/8 + 5·R·L³/(48·E·I) + R·f·L/(2·G·A). Esbelta (10 m) y de gran altura (1 m), en cada
    // plano, en una barra (la flecha es la de su elástica) y en dos (la de su nudo central). Una
    // placa redefinida como sección genérica con las mismas propiedades ya no tiene corte.
    const double b = 0.3, h = 0.5, E = 2e7, nu = 0.25, G = E / (2 * (1 + nu)), alfa = 1e-5, grad = 30;
    const std::string placa = "seccionPlaca: P 0.3 0.5 2e7 0.25 0  1 2\n";
    const std::string generica = "seccionGenerica: S " + texto(b * h) + " " + texto(h * b * b * b / 12) + " " +
                                 texto(b * h * h * h / 12) + " 0.002 2e7 0.25 0  1 2\n";
    const struct {
        std::string seccion;
        double f;
    } secciones[] = {{placa, 1.2}, {"seccionRectangular: R 0.3 0.5 2e7 0.25 0  1 2\n", 0}, {placa + generica, 0}};
    for (const auto& [seccion, f] : secciones)
        for (const double L : {10.0, 1.0})
            for (const bool planoY : {true, false})
                for (const int n : {1, 2}) {
                    const std::string nudos = n == 1 ? "nudos: 1 0 0 0  2 " + texto(L) + " 0 0\nbarras: 1 1 2\n"
                                                     : "nudos: 1 0 0 0  2 " + texto(L) + " 0 0  3 " + texto(L / 2) +
                                                           " 0 0\nbarras: 1 1 3  2 3 2\n";
                    const std::string gradientes = planoY ? " 0 30 0" : " 0 0 30";
                    ASSERT_TRUE(analizarModelo(nudos + seccion + "apoyo: 1 1 1 1 1 1  1\napoyo: 0 1 1 1 0 0  2\n" +
                                               "temperatura: T 1e-5" + gradientes + "  1 2\ncombo: C 1 T\n"));
                    const std::string que = seccion + " L " + texto(L) + (planoY ? " Y" : " Z") + " n " + texto(n);
                    // Plano x-y: y local = +Z, con Iz; plano x-z: z local = −Y, con Iy.
                    const double I = planoY ? b * h * h * h / 12 : h * b * b * b / 12, kappa = alfa * grad;
                    const double R = kappa * L * L / 2 / (L * L * L / (3 * E * I) + f * L / (G * b * h));
                    const double centro =
                        -kappa * L * L / 8 + 5 * R * L * L * L / (48 * E * I) + R * f * L / (2 * G * b * h);
                    const double signo = planoY ? 1 : -1;
                    EXPECT_NEAR(reaccionesDe(2)(planoY ? 2 : 1), signo * R, 1e-9 * R) << que;
                    EXPECT_NEAR(reaccionesDe(1)(planoY ? 4 : 5), R * L, 1e-9 * R * L) << que;
                    const double flecha = n == 2 ? signo * desplazamientosDe(3)(planoY ? 2 : 1)
                                                 : deformadaBarra(resultados, 0, barraUsuario(1), 3, 1).maximo(
                                                       planoY ? 1 : 2, 1);
                    EXPECT_NEAR(flecha, centro, 1e-9 * std::fabs(centro)) << que;
                }
}

TEST(Temperatura, ErroresDeEntrada) {
    // Un caso de temperatura es un caso con cargas; una barra en las dos listas es un error.
    const Lineas m = cargarModelo(barraSubdividida(2, "temperatura: T 1.2e-5 30 0\ntemperatura: U 1.2e-5 30 0 0 1\n"
                                                      "soloTraccion: 1 2\nsoloCompresion: 2\ncombo: C 1 P\n"));
    EXPECT_TRUE(contiene(m, "Error: el registro 1 de temperatura: (T) necesita 4 valores y la lista de barras "
                            "(tiene 3 números)"));
    EXPECT_TRUE(contiene(m, "Advertencia: el caso U no está en ningún combo"));
    EXPECT_TRUE(contiene(m, "Error: la barra 2 está en soloTraccion: y en soloCompresion:; se calcula como "
                            "barra común"));
    EXPECT_EQ(barraUsuario(1).getSentidoAxial(), objBarra3d::sentidoAxial::soloTraccion);
    EXPECT_EQ(barraUsuario(2).getSentidoAxial(), objBarra3d::sentidoAxial::ambos);
}

namespace {

// Un vano arriostrado en cruz en el plano XZ: columnas 1 (1-3) y 2 (2-4), viga 3 (3-4),
// diagonales 5 (1-4) y 6 (2-3) de solo tracción, articuladas. Vano 4 m, altura 3 m.
// Con base "empotrada" las columnas y la viga son un pórtico; con "articulada" las bases
// giran y la viga está articulada: sin diagonales es un mecanismo.
std::string vanoArriostrado(bool articulado, const std::string& cargas) {
    std::string m = "nudos: 1 0 0 0  2 4 0 0  3 0 0 3  4 4 0 3\nbarras: 1 1 3  2 2 4  3 3 4  5 1 4  6 2 3\n"
                    "seccionGenerica: C 0.01 1e-4 1e-4 1e-4 2e8 0.3 0  1 2 3\n"
                    "seccionGenerica: D 0.001 1e-8 1e-8 1e-8 2e8 0.3 0  5 6\n"
                    "articulacion: 0 0 0 0  5 6\nsoloTraccion: 5 6\napoyo: 0 1 0 1 0 1  3 4\n";
    m += articulado ? "apoyo: 1 1 1 1 0 1  1 2\narticulacion: 0 0 0 0  3\n" : "apoyo: 1 1 1 1 1 1  1 2\n";
    return m + cargas;
}

}  // namespace

TEST(SoloTraccion, VanoArriostradoEnCruz) {
    // H hacia +X: la diagonal 6 (que se acorta) se desactiva y la 5 lleva H/cos θ.
    const double H = 10, cosT = 0.8;
    ASSERT_TRUE(analizarModelo(vanoArriostrado(true, "puntual: H 10 0 0 0 0 0  3\npuntual: I -10 0 0 0 0 0  3\n"
                                                     "combo: H 1 H\ncombo: I 1 I\n")));
    EXPECT_EQ(casoNumero(0).barrasInactivas, std::vector<int>{internoDeBarra(6)});
    EXPECT_NEAR(-solicitacionesDe(5, 0).fuerzas[0], H / cosT, 1e-9 * H);
    for (double f : solicitacionesDe(6, 0).fuerzas) EXPECT_EQ(f, 0.0);
    // Al revés, se intercambian.
    EXPECT_EQ(casoNumero(1).barrasInactivas, std::vector<int>{internoDeBarra(5)});
    EXPECT_NEAR(-solicitacionesDe(6, 1).fuerzas[0], H / cosT, 1e-9 * H);
    for (double f : solicitacionesDe(5, 1).fuerzas) EXPECT_EQ(f, 0.0);
    esperarEquilibrio("vano");
    EXPECT_EQ(lineaBarrasInactivas(casoNumero(0)), "Combo H: barras inactivas 6");

    // Sólo gravedad: las dos diagonales se acortan y se desactivan; el pórtico la lleva.
    ASSERT_TRUE(analizarModelo(vanoArriostrado(false, "puntual: G 0 0 -10 0 0 0  3 4\ncombo: G 1 G\n")));
    EXPECT_EQ(lineaBarrasInactivas(casoNumero(0)), "Combo G: barras inactivas 5 6");
    EXPECT_NEAR(reaccionesDe(1)(2), 10, 1e-9);
    // Articulado, es un mecanismo: el error de siempre, con lo que se mueve.
    cargarModelo(vanoArriostrado(true, "puntual: G 0 0 -10 0 0 0  3 4\ncombo: G 1 G\n"));
    const size_t desde = mensajes.tamano();
    EXPECT_FALSE(resolver());
    const Lineas l = mensajes.textos(desde);
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.front(), "Error: la estructura es inestable; la matriz de rigidez no es definida positiva");
    EXPECT_TRUE(contiene(l, "Grado de libertad sin rigidez: nudo 3 Ux"));
    EXPECT_TRUE(contiene(l, "Grado de libertad sin rigidez: nudo 4 Ux"));
    EXPECT_EQ(l.back(), "Combo G: barras inactivas 5 6");
    EXPECT_FALSE(resultados.disponibles);
}

TEST(SoloTraccion, ReporteYLineasDelModoPorLotes) {
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << vanoArriostrado(true, "puntual: H 10 0 0 0 0 0  3\ncombo: H 1 H\n");
    CapturaConsola consola;
    EXPECT_EQ(funcionCalcularLotes("modelo.txt", "", false), 0);
    const Lineas l = consola.lineas();
    const auto it = std::find(l.begin(), l.end(), "Combo H: barras inactivas 6");
    ASSERT_NE(it, l.end());
    ASSERT_NE(it + 1, l.end());
    EXPECT_EQ(*(it + 1), "Reacciones del combo H");
    const std::string r = leerArchivo("resultados.txt");
    EXPECT_NE(r.find("\n\nCombo H: barras inactivas 6\n"), std::string::npos);
}

TEST(SoloCompresion, PuntalQueQuedariaTraccionadoSeDesactiva) {
    // Viga en voladizo de 10 m apoyada en la punta sobre un puntal vertical de solo compresión:
    // hacia abajo el puntal la lleva; hacia arriba se desactiva y la punta sube P·L³/(3EI).
    const std::string m =
        "nudos: 1 0 0 0  2 10 0 0  3 10 0 -3\nbarras: 1 1 2  2 3 2\n"
        "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\n"
        "seccionGenerica: P 0.01 1e-6 1e-6 1e-6 2e8 0.3 0  2\n"
        "articulacion: 0 0 0 0  2\napoyo: 1 1 1 1 1 1  1 3\nsoloCompresion: 2\n"
        "puntual: P 0 0 -10 0 0 0  2\ncombo: ABAJO 1 P\ncombo: ARRIBA -1 P\n";
    ASSERT_TRUE(analizarModelo(m));
    EXPECT_TRUE(casoNumero(0).barrasInactivas.empty());
    EXPECT_LT(-solicitacionesDe(2, 0).fuerzas[0], -1);
    EXPECT_EQ(lineaBarrasInactivas(casoNumero(0)), "");
    EXPECT_EQ(lineaBarrasInactivas(casoNumero(1)), "Combo ARRIBA: barras inactivas 2");
    EXPECT_NEAR(desplazamientosDe(2, 1)(2), 10 * L * L * L / (3 * E * IZ), 1e-9);
    esperarEquilibrio("puntal");

    // Un tirante de solo tracción (barra 1) seguido de una barra común entre dos apoyos:
    // calentados, el tirante quedaría comprimido y se desactiva (la barra 2 se alarga libre
    // y lo acorta más); enfriados, los dos trabajan a E·A·α·ΔT.
    ASSERT_TRUE(analizarModelo(barraSubdividida(
        2, "apoyo: 1 1 1 1 1 1  1 3\nsoloTraccion: 1\ntemperatura: T 1.2e-5 30 0 0  1 2\n"
           "combo: CALOR 1 T\ncombo: FRIO -1 T\n")));
    EXPECT_EQ(lineaBarrasInactivas(casoNumero(0)), "Combo CALOR: barras inactivas 1");
    EXPECT_NEAR(desplazamientosDe(2, 0)(0), -ALFA * DT * L / 2, 1e-12);
    EXPECT_TRUE(casoNumero(1).barrasInactivas.empty());
    EXPECT_NEAR(-solicitacionesDe(1, 1).fuerzas[0], E * A * ALFA * DT, 1e-9 * E * A * ALFA * DT);
}

TEST(MasaBarra, SumaALaMasaDeLaBarraYBajaLasFrecuencias) {
    // Simplemente apoyada: con la masa adicional M las pulsaciones son √(m/(m + M)) veces
    // las de la barra sola; dos registros se suman.
    const std::string apoyos = "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 1 0 0  9\nmodos: 4\n";
    ASSERT_TRUE(analizarModelo(barraSubdividida(8, apoyos, 78.5)));
    const std::vector<double> sola = pulsaciones();
    const double masaSola = resultados.masaTotal;
    const double mu = 78.5 * A / 9.81, M = 0.3;
    ASSERT_TRUE(analizarModelo(barraSubdividida(8, apoyos + "masaBarra: 0.1  1 2 3 4 5 6 7 8\n"
                                                            "masaBarra: 0.2  1 2 3 4 5 6 7 8\n", 78.5)));
    ASSERT_EQ(resultados.modos.size(), sola.size());
    for (size_t k = 0; k < sola.size(); ++k)
        EXPECT_NEAR(resultados.modos[k].omega, sola[k] * std::sqrt(mu / (mu + M)), 1e-9 * sola[k]) << k;
    EXPECT_NEAR(resultados.masaTotal, masaSola + M * L, 1e-12 * masaSola);

    const Lineas l = cargarModelo(barraSubdividida(1, "masaBarra: -1  1\n"));
    EXPECT_TRUE(contiene(l, "Error: valor no válido -1 en la etiqueta masaBarra: (la masa se descarta)"));
}
