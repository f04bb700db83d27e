// Derivas de los niveles sin diafragma contra los desplazamientos de los
// extremos de sus columnas: en una combinación, en un caso sísmico (la deriva
// de cada columna en cada modo, combinada por SRSS a mano desde las formas),
// en una combinación con sismo y en una envolvente; su verificación contra
// derivaLimite: y un techo sin diafragma sobre un piso con diafragma.
#include <cmath>

#include "arranque.h"
#include "utilidades.h"

namespace {

std::string lineaQueEmpieza(const Lineas& l, const std::string& inicio) {
    for (const std::string& s : l)
        if (s.rfind(inicio, 0) == 0) return s;
    return "";
}

// Pórtico plano en X-Z de un vano de 4 m y dos pisos (3 m y 4 m), empotrado,
// sin diafragmas: columnas 1 a 4 (1-3, 2-4, 3-5, 4-6), vigas 5 y 6.
std::string porticoDeDosPisos(const std::string& resto) {
    return "nudos: 1 0 0 0  2 4 0 0  3 0 0 3  4 4 0 3  5 0 0 7  6 4 0 7\n"
           "barras: 1 1 3  2 2 4  3 3 5  4 4 6  5 3 4  6 5 6\n"
           "apoyo: 1 1 1 1 1 1  1 2\napoyo: 0 1 0 1 0 1  3 4 5 6\n"
           "seccionGenerica: G 0.01 0.0002 0.0001 0.0003 2e8 0.3 0  1 2 3 4 5 6\n"
           "masaNudo: 1  3 4 5 6\nmodos: 2\nespectro: E 0 2 4 2\nsismo: SX E X 0.05 SRSS\n"
           "puntual: H 10 0 0 0 0 0  3\npuntual: H 5 0 0 0 0 0  5\n"
           "combo: C 1 H\ncombo: U 1 H 1 SX\nenvolvente: ENV C U\n" +
           resto;
}

// Columnas de cada nivel (usuario): abajo, arriba y altura.
struct columnaDePrueba {
    int barra, abajo, arriba;
    double h;
};
const columnaDePrueba kColumnas[2][2] = {{{1, 1, 3, 3}, {2, 2, 4, 3}}, {{3, 3, 5, 4}, {4, 4, 6, 4}}};

int casoLlamado(const std::string& nombre) {
    for (size_t c = 0; c < resultados.casos.size(); ++c)
        if (resultados.casos[c].nombre == nombre) return static_cast<int>(c);
    return -1;
}

}  // namespace

TEST(Niveles, PorticoSinDiafragmasEnCadaClaseDeCasoYSuVerificacion) {
    ASSERT_TRUE(analizarModelo(porticoDeDosPisos("")));
    ASSERT_EQ(resultados.niveles.size(), 2u);
    EXPECT_DOUBLE_EQ(resultados.niveles[0].z, 3);
    EXPECT_DOUBLE_EQ(resultados.niveles[1].z, 7);
    const int c = casoLlamado("C"), u = casoLlamado("U"), sx = casoLlamado("SX"), env = casoLlamado("ENV");
    ASSERT_TRUE(c >= 0 && u >= 0 && sx >= 0 && env >= 0);

    // El caso sísmico a mano: por modo, la amplitud Γ·Sa/ω² (Sa = 2) por la
    // diferencia de ux de la forma en los extremos, sobre la altura; SRSS.
    const auto uxForma = [](size_t m, int n) { return resultados.modos.at(m).forma(6 * internoDeNudo(n)); };
    ASSERT_EQ(resultados.modos.size(), 2u);
    double estatica[2][2], sismica[2][2], diferenciaDeModulos[2][2];
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 2; ++j) {
            const columnaDePrueba& col = kColumnas[k][j];
            estatica[k][j] = std::fabs(desplazamientosDe(col.arriba, c)(0) - desplazamientosDe(col.abajo, c)(0)) / col.h;
            double suma = 0;
            for (size_t m = 0; m < 2; ++m) {
                const modoVibracion& modo = resultados.modos[m];
                const double a = modo.participacion(0) * 2 / (modo.omega * modo.omega);
                suma += std::pow(a * (uxForma(m, col.arriba) - uxForma(m, col.abajo)) / col.h, 2);
            }
            sismica[k][j] = std::sqrt(suma);
            diferenciaDeModulos[k][j] =
                std::fabs(desplazamientosDe(col.arriba, sx)(0) - desplazamientosDe(col.abajo, sx)(0)) / col.h;
        }
    // La columna que manda: la segunda sólo si supera a la primera en más
    // que el redondeo (en el sismo las dos columnas de un piso derivan igual).
    const auto mayor = [](const double v[2]) { return v[1] > v[0] * (1 + 1e-9) ? 1 : 0; };
    // La deriva del nivel es la mayor de sus columnas, con su barra.
    const auto revisar = [&](int caso, double valores[2][2], const char* que) {
        for (int k = 0; k < 2; ++k) {
            const resultadoNivel& r = casoNumero(caso).niveles.at(static_cast<size_t>(k));
            const int j = mayor(valores[k]);
            EXPECT_NEAR(r.derivaX, valores[k][j], 1e-9 * valores[k][j]) << que << ", nivel " << k;
            const int interna = resultados.niveles[static_cast<size_t>(k)].barras.at(static_cast<size_t>(r.columnaX));
            EXPECT_EQ(barra.at(static_cast<size_t>(interna)).getNoBarraUsuario(), kColumnas[k][j].barra)
                << que << ", nivel " << k;
            EXPECT_NEAR(r.derivaY, 0, 1e-12) << que;
        }
    };
    revisar(c, estatica, "combinación");
    revisar(sx, sismica, "sismo");
    // No es la diferencia de los desplazamientos combinados.
    EXPECT_GT(std::fabs(sismica[1][0] - diferenciaDeModulos[1][0]), 1e-3 * sismica[1][0]);
    double combinada[2][2];
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 2; ++j) combinada[k][j] = estatica[k][j] + sismica[k][j];
    revisar(u, combinada, "combinación con sismo");
    revisar(env, combinada, "envolvente");
    EXPECT_EQ(casoNumero(env).niveles.at(0).casoX, u);

    // derivaLimite: con el límite entre las dos derivas inelásticas del sismo.
    const double factor = 4, d0 = casoNumero(sx).niveles[0].derivaX, d1 = casoNumero(sx).niveles[1].derivaX;
    ASSERT_GT(std::fabs(d0 - d1), 1e-3 * d0);
    const int falla = d0 > d1 ? 0 : 1;
    const double limite = factor * 0.5 * (d0 + d1);
    const std::string modelo = porticoDeDosPisos("derivaLimite: " + texto(factor) + " " + texto(limite) + "\n");
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    funcionCalcularLotes("modelo.txt", "csv");
    const Lineas l = consola.lineas();
    double dx, dy;
    int bx, by;
    const std::string linea = lineaQueEmpieza(l, "Nivel (z = 7): deriva X ");
    ASSERT_EQ(std::sscanf(linea.c_str(), "Nivel (z = 7): deriva X %lf (barra %d), Y %lf (barra %d)", &dx, &bx, &dy, &by), 4)
        << linea;
    EXPECT_EQ(dy, 0.0);
    EXPECT_EQ(by, 3);  // sin deriva en Y empatan: la primera columna
    const std::string deriva = lineaQueEmpieza(l, "Deriva del SX: mayor ");
    EXPECT_NE(deriva.find(falla == 0 ? "(nivel z = 3, barra " : "(nivel z = 7, barra "), std::string::npos) << deriva;
    EXPECT_NE(deriva.find(": NO CUMPLE en 1 piso"), std::string::npos) << deriva;

    const Lineas niveles = lineasDe(leerArchivo("csv/niveles.csv"));
    ASSERT_EQ(niveles.size(), 1u + 4 * 2);
    EXPECT_EQ(niveles[0], "combo,z,derivaX,barraX,derivaY,barraY");
    const Lineas csv = lineasDe(leerArchivo("csv/derivas.csv"));
    ASSERT_EQ(csv.size(), 1u + 2 * 2);  // SX y U, dos niveles cada uno
    EXPECT_EQ(csv[0], "caso,piso,z,derivaX,nudoX,derivaY,nudoY,razonTorsion,inelasticaX,inelasticaY,cumple,barraX,barraY");
    const std::string filaQueFalla = lineaQueEmpieza(csv, falla == 0 ? "SX,,3," : "SX,,7,");
    const std::string filaQueCumple = lineaQueEmpieza(csv, falla == 0 ? "SX,,7," : "SX,,3,");
    EXPECT_NE(filaQueFalla.find(",NO CUMPLE,"), std::string::npos) << filaQueFalla;
    EXPECT_NE(filaQueCumple.find(",cumple,"), std::string::npos) << filaQueCumple;
    // El nudo de la deriva en X es el de arriba de la columna que manda, y va su barra.
    const int j = mayor(sismica[falla]);
    const std::string nudoYBarra = "," + std::to_string(kColumnas[falla][j].arriba) + ",";
    EXPECT_NE(filaQueFalla.find(nudoYBarra), std::string::npos) << filaQueFalla;
    EXPECT_EQ(filaQueFalla.substr(filaQueFalla.find("NO CUMPLE,")),
              "NO CUMPLE," + std::to_string(kColumnas[falla][j].barra) + "," + std::to_string(kColumnas[falla][0].barra));
}

TEST(Niveles, TechoSinDiafragmaSobreUnPisoConDiafragma) {
    // Un piso de 3 m con diafragma sobre cuatro columnas y, encima, un techo
    // a 5 m sobre dos columnas (5 y 6) unidas por una viga: sólo el techo es un nivel.
    const std::string modelo =
        "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3  10 -2 -2 5  11 2 -2 5\n"
        "barras: 1 1 5  2 2 6  3 3 7  4 4 8  5 5 10  6 6 11  7 10 11\n"
        "apoyo: 1 1 1 1 1 1  1 2 3 4\ndiafragma: 5 6 7 8\n"
        "seccionGenerica: C 0.1 0.002 0.001 0.003 2e8 0.3 0  1 2 3 4 5 6 7\n"
        "puntual: P 1 0.5 0 0 0 0  11\ncombo: C 1 P\n";
    ASSERT_TRUE(analizarModelo(modelo));
    ASSERT_EQ(resultados.niveles.size(), 1u);
    EXPECT_DOUBLE_EQ(resultados.niveles[0].z, 5);
    ASSERT_EQ(resultados.niveles[0].barras.size(), 2u);
    EXPECT_EQ(barra.at(static_cast<size_t>(resultados.niveles[0].barras[0])).getNoBarraUsuario(), 5);
    const resultadoNivel& r = casoNumero(0).niveles.at(0);
    for (int d = 0; d < 2; ++d) {
        const double a = std::fabs(desplazamientosDe(10)(d) - desplazamientosDe(5)(d)) / 2;
        const double b = std::fabs(desplazamientosDe(11)(d) - desplazamientosDe(6)(d)) / 2;
        EXPECT_NEAR(d == 0 ? r.derivaX : r.derivaY, std::max(a, b), 1e-12 * std::max(a, b)) << d;
    }
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    funcionCalcularLotes("modelo.txt", "csv");
    const Lineas l = consola.lineas();
    const auto diafragma =
        std::find_if(l.begin(), l.end(), [](const std::string& s) { return s.rfind("Diafragma 1 (z = 3)", 0) == 0; });
    ASSERT_NE(diafragma, l.end());
    ASSERT_NE(diafragma + 1, l.end());
    EXPECT_EQ((diafragma + 1)->rfind("Nivel (z = 5): deriva X ", 0), 0u) << *(diafragma + 1);
    EXPECT_EQ(lineaQueEmpieza(l, "Nivel (z = 3)"), "");
}
