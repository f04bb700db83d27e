// Diafragmas rígidos de piso contra soluciones cerradas: cuatro columnas en
// voladizo bajo un piso rígido (traslación, giro, carga excéntrica, modos),
// derivas de piso, errores de entrada y las salidas del modo por lotes.
#include <cmath>

#include "arranque.h"
#include "analisis/diafragmas.h"
#include "modelo/diafragma.h"
#include "utilidades.h"

namespace {

// Columnas de 3 m en (±2, ±2), empotradas, sin peso ni corte (sección
// genérica): cada una es un voladizo de rigidez lateral k = 3EI/h³ en X y en Y
// (Iy = Iz) y de torsión GJ/h. El nudo 9, en el centroide del piso, no tiene
// barras: sus uz, gx y gy van apoyados y el diafragma lo mueve en su plano.
const double E = 2e8, NU = 0.3, G = E / (2 * (1 + NU)), I = 0.001, J = 0.003, H = 3, A = 2;
const double K = 3 * E * I / (H * H * H), R2 = 2 * A * A, KGIRO = 4 * K * R2 + 4 * G * J / H;

std::string piso(const std::string& resto) {
    return "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3  9 0 0 3\n"
           "barras: 1 1 5  2 2 6  3 3 7  4 4 8\n"
           "apoyo: 1 1 1 1 1 1  1 2 3 4\napoyo: 0 0 1 1 1 0  9\n"
           "seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2 3 4\n"
           "diafragma: 5 6 7 8 9\n" +
           resto;
}

// Dos pisos de cuatro columnas continuas (3 m y 4 m), sin vigas; el registro 1 es el de arriba.
std::string dosPisos(const std::string& resto) {
    return "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3\n"
           "       11 -2 -2 7  12 2 -2 7  13 2 2 7  14 -2 2 7\n"
           "barras: 1 1 5  2 2 6  3 3 7  4 4 8  11 5 11  12 6 12  13 7 13  14 8 14\napoyo: 1 1 1 1 1 1  1 2 3 4\n"
           "seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2 3 4 11 12 13 14\n"
           "diafragma: 11 12 13 14\ndiafragma: 5 6 7 8\n" +
           resto;
}

bool tieneLinea(const Lineas& l, const std::string& s) { return std::find(l.begin(), l.end(), s) != l.end(); }
int usuario(int interno) { return nudo.at(static_cast<size_t>(interno)).getNoNudoUsuario(); }

const resultadoDiafragma& diafragmaDe(int c = 0, size_t d = 0) { return casoNumero(c).diafragmas.at(d); }

}  // namespace

TEST(Diafragmas, CuatroColumnasBajoUnPisoRigido) {
    // Carga lateral H en el centroide: todas las columnas se desplazan H/(4k), sin giro.
    ASSERT_TRUE(analizarModelo(piso("puntual: P 100 0 0 0 0 0  9\ncombo: C 1 P\n")));
    for (int n : {5, 6, 7, 8, 9}) {
        EXPECT_NEAR(desplazamientosDe(n)(0), 100 / (4 * K), 1e-12) << "nudo " << n;
        EXPECT_NEAR(desplazamientosDe(n)(1), 0, 1e-14) << "nudo " << n;
        EXPECT_NEAR(desplazamientosDe(n)(5), 0, 1e-14) << "nudo " << n;
    }
    EXPECT_NEAR(diafragmaDe().ux, 100 / (4 * K), 1e-12);
    esperarEquilibrio("carga en el centroide");

    // Torsor T: el piso gira T/(4·k·r² + 4·GJ/h) y cada esquina se mueve r·θ tangencialmente.
    ASSERT_TRUE(analizarModelo(piso("puntual: T 0 0 0 0 0 50  9\ncombo: C 1 T\n")));
    const double giro = 50 / KGIRO;
    EXPECT_NEAR(diafragmaDe().giro, giro, 1e-12 * giro * 1e3);
    EXPECT_NEAR(diafragmaDe().ux, 0, 1e-15);
    EXPECT_NEAR(desplazamientosDe(7)(0), -2 * giro, 1e-12);  // (2, 2): ux = −y·θ
    EXPECT_NEAR(desplazamientosDe(7)(1), 2 * giro, 1e-12);   //         uy = x·θ
    EXPECT_NEAR(desplazamientosDe(5)(5), giro, 1e-12);
    esperarEquilibrio("torsor");

    // Carga excéntrica: 100 en X en la esquina (2, 2) es la misma fuerza en el centroide más el
    // torsor −200 (estática de los cuatro resortes): Ux = H/(4k) y θ = −200/Kθ.
    ASSERT_TRUE(analizarModelo(piso("puntual: P 100 0 0 0 0 0  7\ncombo: C 1 P\n")));
    const double theta = -200 / KGIRO;
    EXPECT_NEAR(diafragmaDe().giro, theta, 1e-9 * std::fabs(theta));
    EXPECT_NEAR(diafragmaDe().ux, 100 / (4 * K), 1e-9 * 100 / (4 * K));
    EXPECT_NEAR(desplazamientosDe(7)(0), 100 / (4 * K) - 2 * theta, 1e-12);
    EXPECT_NEAR(desplazamientosDe(5)(1), -2 * theta, 1e-12);
    EXPECT_NEAR(reaccionesDe(3)(0), -K * (100 / (4 * K) - 2 * theta), 1e-8);
    esperarEquilibrio("carga excéntrica");
}

TEST(Diafragmas, ModosDeUnPisoRigido) {
    // Masa m = 2 en cada esquina, columnas sin peso: traslación √(4k/4m) dos veces y
    // torsión √(Kθ/Jθ) con Jθ = 4·m·r² de las masas concentradas (la del giro del
    // diafragma sale sola de la transformación de las masas).
    // Sin combinaciones: sólo los modos.
    ASSERT_TRUE(analizarModelo(piso("masaNudo: 2  5 6 7 8\nmodos: 3\n")));
    ASSERT_EQ(resultados.modos.size(), 3u);
    const double traslacion = std::sqrt(K / 2), torsion = std::sqrt(KGIRO / (4 * 2 * R2));
    EXPECT_NEAR(resultados.modos[0].omega, traslacion, 1e-9 * traslacion);
    EXPECT_NEAR(resultados.modos[1].omega, traslacion, 1e-9 * traslacion);
    EXPECT_NEAR(resultados.modos[2].omega, torsion, 1e-9 * torsion);
    // Los dos de traslación se llevan toda la masa en X e Y; el de torsión, nada.
    EXPECT_NEAR(resultados.modos[1].masaAcumulada(0), 1, 1e-9);
    EXPECT_NEAR(resultados.modos[1].masaAcumulada(1), 1, 1e-9);
    EXPECT_NEAR(resultados.modos[2].masaEfectiva(0) + resultados.modos[2].masaEfectiva(1), 0, 1e-9);
}

TEST(Diafragmas, DerivasDePisoContraLaBaseYElPisoDeAbajo) {
    // Dos pisos de columnas continuas, sin vigas, con una fuerza y un torsor arriba: la
    // deriva de cada piso es la mayor diferencia de los desplazamientos calculados entre un
    // nudo y el punto de abajo, sobre la altura del piso.
    const std::string modelo = dosPisos("puntual: P 100 0 0 0 0 50  13\ncombo: C 1 P\n");
    ASSERT_TRUE(analizarModelo(modelo));
    // El registro 1 es el piso de arriba: las derivas se ordenan por altura, no por registro.
    const resultadoDiafragma arriba = diafragmaDe(0, 0);
    const resultadoDiafragma abajo = diafragmaDe(0, 1);
    ASSERT_TRUE(arriba.conDeriva && abajo.conDeriva);
    EXPECT_DOUBLE_EQ(arriba.altura, 4);
    EXPECT_DOUBLE_EQ(abajo.altura, 3);
    // Abajo, contra la base que no se mueve: la mayor |ux| de sus nudos sobre 3.
    double mayorAbajo = 0, mayorArriba = 0;
    for (int n : {5, 6, 7, 8}) mayorAbajo = std::max(mayorAbajo, std::fabs(desplazamientosDe(n)(0)) / 3);
    // Arriba, contra el movimiento de cuerpo rígido del piso de abajo en la misma planta
    // (las columnas son verticales: el nudo de abajo es el punto de abajo).
    for (int n : {11, 12, 13, 14})
        mayorArriba = std::max(mayorArriba, std::fabs(desplazamientosDe(n)(0) - desplazamientosDe(n - 6)(0)) / 4);
    EXPECT_NEAR(abajo.derivaX, mayorAbajo, 1e-12 * mayorAbajo);
    EXPECT_NEAR(arriba.derivaX, mayorArriba, 1e-12 * mayorArriba);
    // La fuerza en y = 2 gira el piso en sentido negativo (−200 + 50): la mayor deriva en X está
    // en los nudos de y = 2 (ux = Ux − 2·θ).
    EXPECT_TRUE(usuario(arriba.nudoX) == 13 || usuario(arriba.nudoX) == 14) << usuario(arriba.nudoX);
    EXPECT_GT(arriba.derivaY, 0);

    // Las líneas del modo por lotes, de abajo hacia arriba, y diafragmas.csv.
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    Lineas salida;
    {
        CapturaConsola consola;
        ASSERT_EQ(funcionCalcularLotes("modelo.txt", "csv", false), 0);
        salida = consola.lineas();
    }
    std::vector<std::string> lineas;
    for (const std::string& l : salida)
        if (l.rfind("Diafragma ", 0) == 0) lineas.push_back(l);
    ASSERT_EQ(lineas.size(), 2u);
    char esperada[300];
    std::snprintf(esperada, sizeof esperada,
                  "Diafragma 2 (z = 3): ux %.6e, uy 0.000000e+00, giro %.6e; deriva X %.6e (nudo %d), Y %.6e (nudo %d)",
                  abajo.ux, abajo.giro, abajo.derivaX, usuario(abajo.nudoX), abajo.derivaY, usuario(abajo.nudoY));
    EXPECT_EQ(lineas[0], esperada);
    EXPECT_EQ(lineas[1].rfind("Diafragma 1 (z = 7): ux ", 0), 0u) << lineas[1];
    const Lineas csv = lineasDe(leerArchivo("csv/diafragmas.csv"));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0], "combo,diafragma,z,ux,uy,giroZ,derivaX,nudoX,derivaY,nudoY");
    EXPECT_EQ(csv[1].rfind("C,2,3,", 0), 0u) << csv[1];
}

TEST(Diafragmas, SinBaseElPisoMasBajoNoTieneDeriva) {
    // Los apoyos están a la altura del piso (no debajo): no hay base contra la cual medir.
    ASSERT_TRUE(analizarModelo(
        "nudos: 1 0 0 0  2 4 0 0  3 0 0 3\nbarras: 1 1 2  2 1 3\n"
        "apoyo: 0 0 1 1 1 0  1 2\napoyo: 1 1 1 1 1 1  3\n"
        "seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2\n"
        "diafragma: 1 2\npuntual: P 0 0 -1 0 0 0  2\ncombo: C 1 P\n"));
    EXPECT_FALSE(diafragmaDe().conDeriva);
}

TEST(Diafragmas, ErroresDeEntradaNombranElNudo) {
    // Un apoyo en Ux de un nudo del diafragma.
    Lineas l = cargarModelo(piso("apoyo: 1 0 0 0 0 0  7\npuntual: P 1 0 0 0 0 0  9\ncombo: C 1 P\n"));
    EXPECT_TRUE(tieneLinea(l, "Error: el nudo 7 del diafragma 1 tiene apoyo en Ux, que el diafragma mueve con su "
                              "plano; el modelo no se analiza"))
        << ::testing::PrintToString(l);
    EXPECT_FALSE(resolver());
    // Un resorte en Gz y un desplazamiento impuesto en Uy (éste con su apoyo).
    l = cargarModelo(piso("resorte: 0 0 0 0 0 5  6\napoyo: 0 1 0 0 0 0  8\ndesplazamientoImpuesto: P 0 0.01 0 0 0 0  8\n"
                          "puntual: P 1 0 0 0 0 0  9\ncombo: C 1 P\n"));
    EXPECT_TRUE(tieneLinea(l, "Error: el nudo 6 del diafragma 1 tiene resorte en Gz, que el diafragma mueve con su "
                              "plano; el modelo no se analiza"))
        << ::testing::PrintToString(l);
    EXPECT_TRUE(tieneLinea(l, "Error: el nudo 8 del diafragma 1 tiene apoyo en Uy, que el diafragma mueve con su "
                              "plano; el modelo no se analiza"))
        << ::testing::PrintToString(l);
    // Un nudo en dos diafragmas y un nudo fuera del plano.
    l = cargarModelo(piso("diafragma: 1 2 6\npuntual: P 1 0 0 0 0 0  9\ncombo: C 1 P\n"));
    EXPECT_TRUE(tieneLinea(l, "Error: el nudo 6 está en los diafragmas 1 y 2")) << ::testing::PrintToString(l);
    std::string inclinado = piso("puntual: P 1 0 0 0 0 0  9\ncombo: C 1 P\n");
    inclinado.replace(inclinado.find("diafragma: 5 6 7 8 9"), 20, "diafragma: 5 6 7 8 9 1");
    l = cargarModelo(inclinado);
    EXPECT_TRUE(tieneLinea(l, "Error: el diafragma 1 no es horizontal (nudo 1)")) << ::testing::PrintToString(l);
    EXPECT_FALSE(resolver());
    // Lo que no es error: un apoyo en Uz, Gx o Gy del nudo (el 9 los tiene).
    l = cargarModelo(piso("puntual: P 1 0 0 0 0 0  9\ncombo: C 1 P\n"));
    EXPECT_EQ(std::count_if(l.begin(), l.end(), [](const std::string& s) { return s.rfind("Error", 0) == 0; }), 0)
        << ::testing::PrintToString(l);
}

TEST(Diafragmas, UnPisoSinRigidezLateralEsUnMecanismoDelDiafragma) {
    // Columnas articuladas en los dos extremos, con los giros X e Y de arriba apoyados: sólo
    // la torsión de las columnas sostiene el piso, que se desplaza en X e Y sin deformar nada.
    cargarModelo(piso("articulacion: 0 0 0 0  1 2 3 4\napoyo: 0 0 0 1 1 0  5 6 7 8\npuntual: P 1 0 0 0 0 0  9\ncombo: C 1 P\n"));
    CapturaConsola consola;
    EXPECT_FALSE(resolver());
    const Lineas m = mensajes.textos();
    EXPECT_NE(std::find(m.begin(), m.end(), "Error: la estructura es inestable; la matriz de rigidez no es definida positiva"),
              m.end())
        << ::testing::PrintToString(m);
    EXPECT_NE(std::find(m.begin(), m.end(), "Grado de libertad sin rigidez: diafragma 1 Ux"), m.end()) << ::testing::PrintToString(m);
    EXPECT_NE(std::find(m.begin(), m.end(), "Grado de libertad sin rigidez: diafragma 1 Uy"), m.end()) << ::testing::PrintToString(m);
}

namespace {
// Los dos pisos con masa 2 en cada nudo, un sismo, una combinación con él y una envolvente.
const std::string kDosPisos = dosPisos(
    "masaNudo: 2  5 6 7 8 11 12 13 14\ngravedad: 9.81\nmodos: 6\nespectro: PLANO 0 3 10 3\n"
    "sismo: SX PLANO X 0.05 SRSS\n"
    "puntual: V 10 0 0 0 0 0  11\n"
    "combo: EST 1 V\ncombo: CS 1 V 1 SX\ncombo: EST2 -2 V\nenvolvente: ENV EST CS EST2\n");

int casoLlamado(const std::string& nombre) {
    for (size_t c = 0; c < resultados.casos.size(); ++c)
        if (resultados.casos[c].nombre == nombre) return static_cast<int>(c);
    return -1;
}
}  // namespace

TEST(Diafragmas, DerivasSismicasCombinadasSobreLosModosYEnvolventes) {
    ASSERT_TRUE(analizarModelo(kDosPisos));
    const int sx = casoLlamado("SX"), est = casoLlamado("EST"), cs = casoLlamado("CS"), env = casoLlamado("ENV");
    ASSERT_TRUE(sx >= 0 && est >= 0 && cs >= 0 && env >= 0);
    // Deriva del piso de arriba en cada modo y nudo: amplitud Γ·Sa/ω² por la diferencia de la
    // forma entre el nudo y el de abajo, sobre 4 m; SRSS sobre los modos, la mayor de los nudos.
    double porModos = 0, ux11 = 0;
    for (int n : {11, 12, 13, 14}) {
        double suma = 0;
        for (const modoVibracion& m : resultados.modos) {
            const double amplitud = m.participacion(0) * 3 / (m.omega * m.omega);
            const double arriba = m.forma(6 * internoDeNudo(n)), abajo = m.forma(6 * internoDeNudo(n - 6));
            suma += std::pow(amplitud * (arriba - abajo) / 4, 2);
            if (n == 11) ux11 += std::pow(amplitud * arriba, 2);
        }
        porModos = std::max(porModos, std::sqrt(suma));
    }
    const resultadoDiafragma sismo = casoNumero(sx).diafragmas.at(0);
    ASSERT_TRUE(sismo.conDeriva);
    EXPECT_NEAR(sismo.derivaX, porModos, 1e-10 * porModos);
    EXPECT_NEAR(sismo.ux, std::sqrt(ux11), 1e-10 * std::sqrt(ux11));

    // Combinación con sismo: estática ± módulo en el centroide; la deriva de cada nudo,
    // |estática| + módulo (aquí el mismo nudo manda en los dos).
    const resultadoDiafragma estatica = casoNumero(est).diafragmas.at(0), combinada = casoNumero(cs).diafragmas.at(0);
    EXPECT_NEAR(combinada.ux, estatica.ux + sismo.ux, 1e-12 * sismo.ux);
    EXPECT_NEAR(combinada.uxMinimo, estatica.ux - sismo.ux, 1e-12 * sismo.ux);
    EXPECT_LE(combinada.derivaX, estatica.derivaX + sismo.derivaX + 1e-15);
    EXPECT_GE(combinada.derivaX, std::max(estatica.derivaX, sismo.derivaX));

    // Envolvente de EST, CS y EST2 (= −2·EST): el mayor y el menor ux y la mayor deriva, con
    // el caso que manda.
    const resultadoDiafragma envuelta = casoNumero(env).diafragmas.at(0);
    const double est2 = -2 * estatica.ux;
    EXPECT_NEAR(envuelta.ux, std::max(combinada.ux, est2), 1e-15);
    EXPECT_NEAR(envuelta.uxMinimo, std::min(combinada.uxMinimo, est2), 1e-15);
    EXPECT_EQ(envuelta.casoMinimo[0], est2 < combinada.uxMinimo ? casoLlamado("EST2") : cs);
    EXPECT_NEAR(envuelta.derivaX, std::max(combinada.derivaX, 2 * estatica.derivaX), 1e-15);
    EXPECT_EQ(envuelta.casoX, combinada.derivaX > 2 * estatica.derivaX ? cs : casoLlamado("EST2"));
}

TEST(Diafragmas, ElEdificioSismicoSinModosDelPisoEnSuPlano) {
    // Con un diafragma por piso, los nueve primeros modos del edificio de tres pisos son los
    // de traslación en X, en Y y de torsión de cada piso: ninguno deja la masa lateral sin
    // mover salvo los de torsión, y con los nueve se mueve casi toda la masa en X y en Y.
    cargarArchivo(std::string(VANTRA_EJEMPLOS) + "/edificio_sismico.txt");
    ASSERT_FALSE(diafragmas.empty());
    ASSERT_TRUE(resolver());
    ASSERT_GE(resultados.modos.size(), 9u);
    int torsion = 0;
    for (size_t k = 0; k < 9; ++k) {
        const modoVibracion& m = resultados.modos[k];
        const Eigen::VectorXd q = magnitudesDiafragmas(m.forma);
        // Último diafragma (piso de arriba): ux, uy, giro en sus tres primeras filas.
        const Eigen::Index f = q.size() - 3 - 2 * 9;
        const double traslacion = std::hypot(q(f), q(f + 1)), giro = std::fabs(q(f + 2)) * 6.4;
        if (giro > traslacion) {
            ++torsion;
            EXPECT_LT(m.masaEfectiva(0) + m.masaEfectiva(1), 1e-6) << "modo " << k + 1;
        } else {
            EXPECT_GT(m.masaEfectiva(0) + m.masaEfectiva(1), 0.015) << "modo " << k + 1;
        }
    }
    EXPECT_EQ(torsion, 3);
    EXPECT_GT(resultados.modos[8].masaAcumulada(0), 0.99);
    EXPECT_GT(resultados.modos[8].masaAcumulada(1), 0.99);
}
