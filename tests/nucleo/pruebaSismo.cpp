// Análisis sísmico por espectro de respuesta, envolventes y masa de las cargas
// contra soluciones cerradas y cuentas a mano.
#include <cmath>

#include "arranque.h"
#include "modelo/sismo.h"
#include "utilidades.h"

namespace {

const double E = 2e8, IZ = 0.001;

// Columna de 3 m empotrada, sin peso, con la masa m en la punta; el resto va en `resto`.
std::string columna(double m, const std::string& resto) {
    return "nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
           "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\ngravedad: 9.81\nmasaNudo: " +
           texto(m) + "  2\n" + resto;
}

// Der Kiureghian, escrito aparte: ρ = 8ζ²(1 + r)r^1.5 / ((1 − r²)² + 4ζ²r(1 + r)²).
double rhoAMano(double r, double z) {
    return 8 * z * z * (1 + r) * std::pow(r, 1.5) / (std::pow(1 - r * r, 2) + 4 * z * z * r * std::pow(1 + r, 2));
}

// La línea de la consola que empieza así (vacía si no está).
std::string lineaQueEmpieza(const Lineas& l, const std::string& inicio) {
    for (const std::string& s : l)
        if (s.rfind(inicio, 0) == 0) return s;
    return "";
}

int indiceDeCaso(const std::string& nombre) {
    for (size_t c = 0; c < resultados.casos.size(); ++c)
        if (resultados.casos[c].nombre == nombre) return static_cast<int>(c);
    return -1;
}

}  // namespace

TEST(Sismo, MasaConcentradaSobreColumnaYEspectroPlano) {
    // Un grado de libertad por dirección horizontal: cortante basal m·Sa, desplazamiento de la
    // punta Sa·m/k con k = 3EI/h³ y momento en la base m·Sa·h, con CQC y con SRSS.
    const double m = 2, sa = 3.7, h = 3, k = 3 * E * IZ / (h * h * h);  // según X flexiona con Iz
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << columna(m, "modos: 6\nespectro: PLANO 0 3.7 4 3.7\n"
                                              "sismo: SX PLANO X 0.05\nsismo: SXS PLANO X 0.05 SRSS\n");
    CapturaConsola consola;
    ASSERT_EQ(funcionCalcularLotes("modelo.txt", "csv"), 0);
    for (const char* caso : {"SX", "SXS"}) {
        const int c = indiceDeCaso(caso);
        ASSERT_GE(c, 0);
        EXPECT_NEAR(desplazamientosDe(2, c)(0), sa * m / k, 1e-9 * sa * m / k) << caso;
        EXPECT_NEAR(reaccionesDe(1, c)(0), m * sa, 1e-9 * m * sa) << caso;
        EXPECT_NEAR(reaccionesDe(1, c)(4), m * sa * h, 1e-9 * m * sa * h) << caso;
        EXPECT_NEAR(resultados.sismos[static_cast<size_t>(resultados.casos[static_cast<size_t>(c)].sismo)].cortanteBasal(0),
                    m * sa, 1e-9 * m * sa);
        EXPECT_EQ(lineaQueEmpieza(consola.lineas(), std::string("Sismo ") + caso + ":"),
                  std::string("Sismo ") + caso +
                      ": cortante basal X 7.400000e+00, Y 0.000000e+00, Z 0.000000e+00; 3 modos, masa efectiva 100.0 %");
    }
    // Todos los modos de un piso: sus masas efectivas suman la masa total, y el cortante SRSS es m·Sa.
    const Lineas l = consola.lineas();
    const auto reacciones = std::find(l.begin(), l.end(), "Reacciones del sismo SX");
    ASSERT_NE(reacciones, l.end());
    EXPECT_EQ(*(reacciones + 1), "nudo 1: 7.400000e+00 0.000000e+00 0.000000e+00 0.000000e+00 2.220000e+01 0.000000e+00");
    // Los módulos del caso sísmico van en los CSV con su nombre, y sismo.csv da cada modo.
    const std::string d = leerArchivo("csv/desplazamientos.csv");
    EXPECT_NE(d.find("\nSX,2,"), std::string::npos);
    const Lineas s = lineasDe(leerArchivo("csv/sismo.csv"));
    ASSERT_EQ(s.size(), 7u);
    EXPECT_EQ(s[0], "caso,modo,periodo,sa,cortanteX,cortanteY,cortanteZ");
    // Un sismo en X no da cortante en Y ni en Z: ceros, no el redondeo de los modos; y la suma de
    // los cortantes modales en X es m·Sa (un solo modo lleva la masa en X).
    double suma = 0;
    for (size_t k = 1; k <= 3; ++k) {
        double periodo, acel, vx;
        char resto[64];
        ASSERT_EQ(std::sscanf(s[k].c_str(), "SX,%*d,%lf,%lf,%lf,%63s", &periodo, &acel, &vx, resto), 4) << s[k];
        EXPECT_STREQ(resto, "0,0") << s[k];
        EXPECT_EQ(acel, sa);
        suma += vx;
    }
    EXPECT_NEAR(suma, m * sa, 1e-9 * m * sa);

    // Con un solo modo (la flexión en X, la más flexible) el sismo en Y no tiene masa que lo
    // tome: cortante nulo y el aviso de la masa efectiva, después de la línea del sismo.
    std::ofstream("modelo.txt") << columna(m, "modos: 1\nespectro: PLANO 0 3.7 4 3.7\nsismo: SY PLANO Y 0.05\n");
    CapturaConsola unModo;
    ASSERT_EQ(funcionCalcularLotes("modelo.txt", ""), 0);
    const Lineas u = unModo.lineas();
    EXPECT_EQ(lineaQueEmpieza(u, "Sismo SY:"),
              "Sismo SY: cortante basal X 0.000000e+00, Y 0.000000e+00, Z 0.000000e+00; 1 modos, masa efectiva 0.0 %");
    EXPECT_NE(std::find(u.begin(), u.end(),
                        "Advertencia: los 1 modos calculados suman 0.0 % de la masa en la dirección Y; se recomienda "
                        "al menos 90 %"),
              u.end());
}

TEST(Sismo, CoeficienteCQCYEdificioDeCortanteDeDosPisos) {
    EXPECT_NEAR(coeficienteCQC(0.9, 1.0, 0.05), 0.4730, 5e-5);
    EXPECT_NEAR(coeficienteCQC(0.8, 1.0, 0.05), 0.1656, 5e-5);
    EXPECT_NEAR(coeficienteCQC(1.0, 0.8, 0.05), coeficienteCQC(0.8, 1.0, 0.05), 1e-15);
    EXPECT_EQ(coeficienteCQC(3.0, 3.0, 0.05), 1.0);

    // Dos pisos de 3 m: columnas con los giros fijos en los pisos (rigidez 12EI/h³ por piso),
    // masas m1 y m2; sólo Ux libre. Espectro lineal entre 0.05 s y 1 s.
    const double h = 3, k = 12 * E * IZ / (h * h * h), m1 = 30, m2 = 20, z = 0.05;
    const std::string modelo =
        "nudos: 1 0 0 0  2 0 0 3  3 0 0 6\nbarras: 1 1 2  2 2 3\napoyo: 1 1 1 1 1 1  1\napoyo: 0 1 1 1 1 1  2 3\n"
        "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1 2\ngravedad: 9.81\nmasaNudo: 30  2\nmasaNudo: 20  3\n"
        "modos: 2\nespectro: E 0.05 8 1 2\n";
    const auto saDe = [](double T) { return 8 + (2 - 8) * (T - 0.05) / (1 - 0.05); };
    // A mano: det(K − λM) = 0 con K = [[2k, −k], [−k, k]], M = diag(m1, m2).
    const double a = m1 * m2, b = -(2 * k * m2 + k * m1), c = k * k;
    double v[2], w[2];
    for (int i = 0; i < 2; ++i) {
        const double lambda = (-b + (i == 0 ? -1 : 1) * std::sqrt(b * b - 4 * a * c)) / (2 * a);
        w[i] = std::sqrt(lambda);
        const double phi2 = (2 * k - lambda * m1) / k;  // φ = (1, phi2)
        const double l = m1 + m2 * phi2, mg = m1 + m2 * phi2 * phi2;
        v[i] = l * l / mg * saDe(2 * PI / w[i]);  // cortante basal modal: masa efectiva × Sa
    }
    const double srss = std::sqrt(v[0] * v[0] + v[1] * v[1]);
    const double cqc = std::sqrt(v[0] * v[0] + v[1] * v[1] + 2 * rhoAMano(w[0] / w[1], z) * v[0] * v[1]);
    ASSERT_TRUE(analizarModelo(modelo + "sismo: SC E X 0.05 CQC\nsismo: SS E X 0.05 SRSS\n"));
    ASSERT_EQ(resultados.sismos.size(), 2u);
    EXPECT_NEAR(resultados.sismos[0].cortanteBasal(0), cqc, 1e-9 * cqc);
    EXPECT_NEAR(resultados.sismos[1].cortanteBasal(0), srss, 1e-9 * srss);
    EXPECT_GT(std::fabs(cqc - srss), 1e-4 * srss);  // la correlación pesa: la prueba distingue las reglas
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(std::fabs(resultados.sismos[1].cortantesModales(i, 0)), v[i], 1e-9 * v[i]);
        EXPECT_NEAR(resultados.sismos[1].aceleraciones[static_cast<size_t>(i)], saDe(2 * PI / w[i]), 1e-12);
    }
}

TEST(Envolvente, VigaContinuaDeDosTramosConSobrecargaAlternada) {
    // Dos tramos de 6 m, muerta D en ambos y sobrecarga L en uno, en el otro o en los dos.
    // Máximo positivo del tramo 1 con L sólo en él: R_A = 3/8·wD·L + 7/16·wL·L,
    // M = R_A²/(2(wD + wL)); momento del apoyo central −(wD + wL)·L²/8 con L en los dos.
    const double L = 6, wd = 10, wl = 8;
    const std::string modelo =
        "nudos: 1 0 0 0  2 6 0 0  3 12 0 0\nbarras: 1 1 2  2 2 3\napoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  2 3\n"
        "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1 2\n"
        "distribuidaGlobal: D 10 10 0 0 -1  1 2\ndistribuidaGlobal: L1 8 8 0 0 -1  1\n"
        "distribuidaGlobal: L2 8 8 0 0 -1  2\n"
        "combo: AMBOS 1 D 1 L1 1 L2\ncombo: TRAMO1 1 D 1 L1\ncombo: TRAMO2 1 D 1 L2\n"
        "envolvente: ENV AMBOS TRAMO1 TRAMO2 NOEXISTE\n";
    const Lineas avisos = cargarModelo(modelo);
    EXPECT_NE(std::find(avisos.begin(), avisos.end(),
                        "Advertencia: la envolvente ENV nombra NOEXISTE, que no es un combo (se ignora)"),
              avisos.end());
    ASSERT_TRUE(funcionSolve());
    const int env = indiceDeCaso("ENV");
    ASSERT_EQ(env, 3);
    const double ra = 3.0 / 8 * wd * L + 7.0 / 16 * wl * L, tramo = ra * ra / (2 * (wd + wl));
    const double apoyo = -(wd + wl) * L * L / 8;
    const extremoSolicitacion my1 = solicitacionesDe(1, env).extremos[kSolicitacionMy];
    EXPECT_NEAR(my1.maximo, tramo, 1e-9 * tramo);
    EXPECT_NEAR(my1.xMaximo, ra / (wd + wl), 1e-9);
    EXPECT_EQ(my1.casoMaximo, indiceDeCaso("TRAMO1"));
    EXPECT_NEAR(my1.minimo, apoyo, 1e-9 * std::fabs(apoyo));
    EXPECT_NEAR(my1.xMinimo, L, 1e-9);
    EXPECT_EQ(my1.casoMinimo, indiceDeCaso("AMBOS"));
    const extremoSolicitacion& my2 = solicitacionesDe(2, env).extremos[kSolicitacionMy];
    EXPECT_NEAR(my2.maximo, tramo, 1e-9 * tramo);
    EXPECT_EQ(my2.casoMaximo, indiceDeCaso("TRAMO2"));
    // Punto a punto, la curva de máximos es la mayor de las tres combinaciones y la de mínimos la menor.
    const muestrasSolicitacion e = muestrear(resultados, env, barraUsuario(1), kSolicitacionMy, 31);
    for (size_t j = 0; j < e.x.size(); ++j) {
        double mayor = -INFINITY, menor = INFINITY;
        for (int c = 0; c < 3; ++c) {
            const double v = barraUsuario(1).valorSolicitacion(solicitacionesDe(1, c), kSolicitacionMy, e.x[j]);
            mayor = std::max(mayor, v), menor = std::min(menor, v);
        }
        EXPECT_DOUBLE_EQ(e.maximo[j], mayor) << j;
        EXPECT_DOUBLE_EQ(e.minimo[j], menor) << j;
    }
    // La reacción del apoyo central: la mayor con sobrecarga en los dos tramos, 10/8·(wD + wL)·L.
    EXPECT_NEAR(reaccionesDe(2, env)(2), 10.0 / 8 * (wd + wl) * L, 1e-9 * (wd + wl) * L);
    EXPECT_EQ(casoNumero(env).casosReacciones(2, internoDeNudo(2)), indiceDeCaso("AMBOS"));

    // El modo por lotes: la línea de la envolvente y sus filas en envolventeSolicitaciones.csv.
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    funcionCalcularLotes("modelo.txt", "csv");
    const Lineas l = consola.lineas();
    EXPECT_NE(std::find(l.begin(), l.end(), "Envolvente ENV: 3 combinaciones"), l.end());
    const Lineas csv = lineasDe(leerArchivo("csv/envolventeSolicitaciones.csv"));
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv[0], "envolvente,barra,esfuerzo,maximo,xMaximo,comboMaximo,minimo,xMinimo,comboMinimo");
    // Los números se leen de vuelta exactos.
    const std::string fila = lineaQueEmpieza(csv, "ENV,1,My,");
    double mayor, xMayor, menor, xMenor;
    char quienMayor[16], quienMenor[16];
    ASSERT_EQ(std::sscanf(fila.c_str(), "ENV,1,My,%lf,%lf,%15[^,],%lf,%lf,%15s", &mayor, &xMayor, quienMayor, &menor,
                          &xMenor, quienMenor),
              6)
        << fila;
    EXPECT_EQ(Eigen::Vector4d(mayor, xMayor, menor, xMenor), Eigen::Vector4d(my1.maximo, my1.xMaximo, my1.minimo, my1.xMinimo));
    EXPECT_EQ(std::string(quienMayor) + " " + quienMenor, "TRAMO1 AMBOS");
}

TEST(Sismo, CombinacionConSismoEsEstaticoMasYMenosFactorPorElModulo) {
    // Pórtico de un vano con masa propia y carga de gravedad: en cada magnitud
    // máximo − mínimo = 2·0.7·(módulo sísmico) y la media es la combinación estática.
    const std::string modelo =
        "nudos: 1 0 0 0  2 5 0 0  3 0 0 3  4 5 0 3  5 0 4 3\nbarras: 1 1 3  2 2 4  3 3 4  4 3 5\n"
        "apoyo: 1 1 1 1 1 1  1 2\napoyo: 1 1 1 0 0 0  5\n"
        "seccionRectangular: R 0.3 0.5 25e6 0.2 24  1 2 3 4\npesoPropio: PP\n"
        "distribuidaGlobal: D 12 20 0 0 -1  3\ngravedad: 9.81\nmodos: 12\nespectro: E 0 5 0.5 8 2 2\n"
        "sismo: SX E X 0.05\ncombo: EST 1.2 PP 1.2 D\ncombo: SIS 1.2 PP 1.2 D 0.7 SX\n";
    ASSERT_TRUE(analizarModelo(modelo));
    const int est = indiceDeCaso("EST"), sis = indiceDeCaso("SIS"), sx = indiceDeCaso("SX");
    const casoResultado& caso = casoNumero(sis);
    ASSERT_EQ(caso.tipo, tipoCaso::comboEspectral);
    EXPECT_TRUE(casiIguales(caso.desplazamientos - caso.desplazamientosMinimos, 1.4 * casoNumero(sx).desplazamientos, 1e-12));
    EXPECT_TRUE(casiIguales(caso.reacciones - caso.reaccionesMinimas, 1.4 * casoNumero(sx).reacciones, 1e-12));
    EXPECT_TRUE(casiIguales((caso.reacciones + caso.reaccionesMinimas) / 2, casoNumero(est).reacciones, 1e-12));
    for (const objBarra3d& b : barra) {
        const size_t i = static_cast<size_t>(b.getNoBarraInterna());
        for (int j = 0; j < 12; ++j)
            EXPECT_NEAR(caso.barras[i].fuerzas[j] - caso.minimos[i].fuerzas[j],
                        1.4 * casoNumero(sx).barras[i].fuerzas[j], 1e-12 * (1 + caso.escalas.momentos));
        for (int s = 0; s < kNumeroSolicitaciones; ++s) {
            const muestrasSolicitacion dos = muestrear(resultados, sis, b, s, 41),
                                       modulo = muestrear(resultados, sx, b, s, 41),
                                       estatica = muestrear(resultados, est, b, s, 41);
            double mayor = -INFINITY, menor = INFINITY;
            for (size_t k = 0; k < dos.x.size(); ++k) {
                EXPECT_NEAR(dos.maximo[k] - dos.minimo[k], 1.4 * modulo.maximo[k], 1e-9 * (1 + caso.escalas.momentos));
                EXPECT_NEAR((dos.maximo[k] + dos.minimo[k]) / 2, estatica.maximo[k], 1e-9 * (1 + caso.escalas.momentos));
                mayor = std::max(mayor, dos.maximo[k]), menor = std::min(menor, dos.minimo[k]);
            }
            // Los extremos informados no quedan por debajo (o encima) de ninguna estación.
            const extremoSolicitacion& e = caso.barras[i].extremos[s];
            EXPECT_GE(e.maximo, mayor - 1e-9 * (1 + std::fabs(mayor)));
            EXPECT_LE(e.minimo, menor + 1e-9 * (1 + std::fabs(menor)));
        }
    }
    // En la consola, dos bloques de reacciones.
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    ASSERT_EQ(funcionCalcularLotes("modelo.txt", ""), 0);
    const Lineas l = consola.lineas();
    for (const char* e : {"Reacciones del combo SIS (máximos)", "Reacciones del combo SIS (mínimos)"})
        EXPECT_NE(std::find(l.begin(), l.end(), e), l.end()) << e;
}

TEST(Sismo, MasaDeLasCargas) {
    // El peso propio nombrado en masaDeCargas: es la misma masa de las barras (no se cuenta dos veces).
    const std::string viga = "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 1 0 0  21\nmodos: 4\npesoPropio: PP\n";
    ASSERT_TRUE(analizarModelo(barraSubdividida(20, viga, 78.5)));
    const std::vector<double> propia = pulsaciones();
    const double masaPropia = resultados.masaTotal;
    ASSERT_TRUE(analizarModelo(barraSubdividida(20, viga + "masaDeCargas: 1 PP\n", 78.5)));
    ASSERT_EQ(resultados.modos.size(), propia.size());
    for (size_t k = 0; k < propia.size(); ++k) EXPECT_NEAR(resultados.modos[k].omega, propia[k], 1e-12 * propia[k]);
    EXPECT_DOUBLE_EQ(resultados.masaTotal, masaPropia);
    // Con la mitad, las pulsaciones crecen √2.
    ASSERT_TRUE(analizarModelo(barraSubdividida(20, viga + "masaDeCargas: 0.5 PP\n", 78.5)));
    for (size_t k = 0; k < propia.size(); ++k)
        EXPECT_NEAR(resultados.modos[k].omega, std::sqrt(2.0) * propia[k], 1e-9 * propia[k]);

    // Una carga distribuida hacia abajo de w por metro en barras sin peso: masa consistente w/g,
    // y la flexión vertical de la viga apoyada da (π)²·√(EI/(μL⁴)).
    const double w = 7.85, mu = w / 9.81, L = 10;
    ASSERT_TRUE(analizarModelo(barraSubdividida(
        20, "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 1 0 0  21\napoyo: 0 1 0 0 0 1  2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 "
            "18 19 20\nmodos: 1\ndistribuidaGlobal: Q 7.85 7.85 0 0 -1  1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 "
            "19 20\nmasaDeCargas: 1 Q\ncombo: C 1 Q\n")));
    ASSERT_EQ(resultados.modos.size(), 1u);
    EXPECT_NEAR(resultados.modos[0].omega, PI * PI * std::sqrt(E * IZ / (mu * L * L * L * L)),
                2e-4 * resultados.modos[0].omega);
    EXPECT_NEAR(resultados.masaTotal, mu * L, 1e-12 * mu * L);

    // Cargas puntuales: 98.1 hacia abajo es una masa de 10 en el nudo; la que sube no agrega masa.
    const double k = 3 * E * IZ / 27;
    ASSERT_TRUE(analizarModelo(columna(0, "modos: 1\npuntual: D 0 0 -98.1 0 0 0  2\npuntual: U 0 0 50 0 0 0  2\n"
                                          "masaDeCargas: 1 D 1 U\ncombo: C 1 D 1 U\n")));
    ASSERT_EQ(resultados.modos.size(), 1u);
    EXPECT_NEAR(resultados.modos[0].omega, std::sqrt(k / 10), 1e-9 * std::sqrt(k / 10));
    EXPECT_NEAR(resultados.masaTotal, 10, 1e-12);
}

TEST(Sismo, VigaContinuaSoloConGirosLibresTieneModos) {
    // Tres tramos de 6 m, una barra por tramo, apoyos en todos los nudos: sólo giran los nudos
    // y la masa consistente les da inercia. Los dos programas de referencia dan 13.4072,
    // 18.5247 y 26.8144 Hz con EI/μ = 76636 y la inercia fuera del plano cuatro veces mayor.
    const std::string seccion = "seccionGenerica: S 1 4 1 1 76636 0.3 9.81 ";
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 6 0 0  3 12 0 0  4 18 0 0\nbarras: 1 1 2  2 2 3  3 3 4\n"
                               "apoyo: 1 1 1 1 0 0  1 2 3 4\n" + seccion + " 1 2 3\ngravedad: 9.81\nmodos: 3\n"));
    ASSERT_EQ(resultados.modos.size(), 3u);
    const double esperadas[3] = {13.4072, 18.5247, 26.8144};
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(resultados.modos[static_cast<size_t>(k)].frecuencia, esperadas[k], 1e-4 * esperadas[k]) << k;
    // Con cuatro barras por tramo, la solución cerrada: el primer modo es el de un tramo
    // simplemente apoyado, π/(2L²)·√(EI/μ).
    std::ostringstream m;
    m << "nudos:";
    for (int i = 0; i <= 12; ++i) m << " " << i + 1 << " " << 1.5 * i << " 0 0";
    m << "\nbarras:";
    for (int i = 1; i <= 12; ++i) m << " " << i << " " << i << " " << i + 1;
    m << "\napoyo: 1 1 1 1 0 0  1 5 9 13\napoyo: 0 0 0 1 0 0  2 3 4 6 7 8 10 11 12\n" << seccion;
    for (int i = 1; i <= 12; ++i) m << " " << i;
    m << "\ngravedad: 9.81\nmodos: 1\n";
    ASSERT_TRUE(analizarModelo(m.str()));
    ASSERT_EQ(resultados.modos.size(), 1u);
    EXPECT_NEAR(resultados.modos[0].frecuencia, 12.079, 1e-3 * 12.079);
}

TEST(Sismo, DatosQueImpidenElAnalisis) {
    const std::string base = columna(2, "modos: 3\nsismo: SX E X 0.05\n");
    struct Caso {
        const char* espectro;
        const char* error;
    } casos[] = {
        {"espectro: E 0 2 1 3 0.5 1\n",
         "Error: el registro 1 de espectro: (E) tiene los períodos desordenados (0.5 después de 1); deben crecer; el "
         "modelo no se analiza"},
        {"espectro: E 0 2 1 -3\n",
         "Error: el registro 1 de espectro: (E) tiene valores negativos (período 1, aceleración -3); el modelo no se "
         "analiza"},
        {"espectro: E 0 2\n",
         "Error: el registro 1 de espectro: (E) necesita al menos dos pares período aceleración (tiene 1 par); el "
         "modelo no se analiza"},
        {"espectro: E 0.5 x\n",
         "Error: el registro 1 de espectro: (E) tiene un período sin su aceleración (1 número); el modelo no se "
         "analiza"},
    };
    for (const Caso& c : casos) {
        DirectorioTemporal dir;
        std::ofstream("modelo.txt") << base << c.espectro;
        CapturaConsola consola;
        EXPECT_EQ(funcionCalcularLotes("modelo.txt", ""), 3) << c.espectro;
        const Lineas l = consola.lineas();
        EXPECT_NE(std::find(l.begin(), l.end(), c.error), l.end()) << c.espectro;
        EXPECT_EQ(lineaQueEmpieza(l, "Reacciones"), "") << c.espectro;
        EXPECT_FALSE(resultados.disponibles);
    }
    // Sin modos: el error lo dice (y el modelo no se analiza).
    const Lineas sinModos = cargarModelo(columna(2, "espectro: E 0 2 1 2\nsismo: SX E X 0.05\n"));
    EXPECT_NE(std::find(sinModos.begin(), sinModos.end(),
                        "Error: el sismo SX necesita modos: (el número de modos de vibración); sin ellos no hay "
                        "análisis sísmico"),
              sinModos.end());
    // Entre los extremos de la tabla, interpolación lineal; fuera, los valores de los extremos.
    ASSERT_TRUE(analizarModelo(columna(2, "modos: 1\nespectro: E 0.1 2 0.3 6 0.5 4\nsismo: SX E X 0.05\n")));
    const espectroDiseno& e = espectros[0];
    EXPECT_DOUBLE_EQ(e.aceleracion(0.0), 2);
    EXPECT_DOUBLE_EQ(e.aceleracion(0.2), 4);
    EXPECT_DOUBLE_EQ(e.aceleracion(0.45), 4.5);
    EXPECT_DOUBLE_EQ(e.aceleracion(3.0), 4);
}

TEST(Sismo, AvisosDelEspectroCortoYDeSrssConFrecuenciasCercanas) {
    // Columna de 3 m con 2 de masa en la punta, sección con Iy = 1.1·Iz girada 45°: dos modos de
    // flexión a 45° de X, cada uno con la mitad de la masa en X, de frecuencias √(3EI/(h³m))/2π a
    // menos de 10 % (√1.1 = 1.049).
    const double m = 2, h = 3, iz = 0.001, iy = 0.0011;
    const double f1 = std::sqrt(3 * E * iz / (h * h * h * m)) / (2 * PI);
    const double f2 = std::sqrt(3 * E * iy / (h * h * h * m)) / (2 * PI);
    const auto modelo = [&](const std::string& resto) {
        return "nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\nrotacionBarra: 45  1\n"
               "seccionGenerica: G 0.1 0.0011 0.001 0.003 2e8 0.3 0  1\ngravedad: 9.81\nmasaNudo: 2  2\nmodos: 3\n" +
               resto;
    };
    const auto avisos = [](const std::string& texto) {
        DirectorioTemporal dir;
        std::ofstream("modelo.txt") << texto;
        CapturaConsola consola;
        EXPECT_EQ(funcionCalcularLotes("modelo.txt"), 0);
        Lineas l;
        for (const std::string& linea : consola.lineas())
            if (linea.find("espectro") != std::string::npos || linea.find("SRSS") != std::string::npos)
                l.push_back(linea);
        return l;
    };
    // SRSS sobre los dos modos: se recomienda CQC, con sus frecuencias. Con CQC, nada.
    const Lineas srss = avisos(modelo("espectro: E 0 3 4 3\nsismo: SX E X 0.05 SRSS\n"));
    ASSERT_EQ(srss.size(), 1u);
    double a = 0, b = 0;
    ASSERT_EQ(std::sscanf(srss[0].c_str(),
                          "Advertencia: el sismo SX combina por SRSS los modos 1 y 2, de frecuencias %lf y %lf Hz", &a,
                          &b),
              2)
        << srss[0];
    EXPECT_NEAR(a, f1, 1e-5 * f1);
    EXPECT_NEAR(b, f2, 1e-5 * f2);
    EXPECT_NE(srss[0].find("(a menos de 10 %); se recomienda CQC"), std::string::npos) << srss[0];
    EXPECT_TRUE(avisos(modelo("espectro: E 0 3 4 3\nsismo: SX E X 0.05 CQC\n")).empty());
    // Frecuencias a más de 10 % (Iy = 2·Iz): SRSS sin aviso.
    std::string separadas = modelo("espectro: E 0 3 4 3\nsismo: SX E X 0.05 SRSS\n");
    separadas.replace(separadas.find("0.0011"), 6, "0.002");
    EXPECT_TRUE(avisos(separadas).empty());
    // Un espectro que termina antes del período más largo, el del modo 1 (1/f1): se toma su último valor.
    const Lineas corto = avisos(modelo("espectro: E 0 3 0.05 3\nsismo: SX E X 0.05\n"));
    ASSERT_EQ(corto.size(), 1u);
    double periodo = 0;
    ASSERT_EQ(std::sscanf(corto[0].c_str(),
                          "Advertencia: el espectro E termina en 0.05 s, antes del período %lf s del modo 1", &periodo),
              1)
        << corto[0];
    EXPECT_NEAR(periodo, 1 / f1, 1e-5 / f1);
    EXPECT_NE(corto[0].find(" que usa el sismo SX; se toma el último valor"), std::string::npos) << corto[0];
}
