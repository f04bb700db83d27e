// La torsión accidental contra la forma cerrada de un piso simétrico sobre
// cuatro columnas empotradas en sus dos extremos, y sus errores de entrada.
#include <algorithm>
#include <array>
#include <cmath>

#include "arranque.h"
#include "utilidades.h"

namespace {

const double E = 2e8, G = E / 2.6, IY = 0.002, IZ = 0.001, J = 0.003, H = 3;

// Un piso de 3 m sobre columnas en (±2, ±2) con los giros de los nudos de
// piso impedidos fuera de Z: cada columna da 12·E·Iz/h³ en X, 12·E·Iy/h³ en Y
// y G·J/h a la torsión. El nudo 9, en el centroide y sin barras, es del
// diafragma. Masa 2 en cada esquina, espectro constante 2, un sismo en X.
std::string pisoSimetrico(const std::string& resto) {
    return "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3  9 0 0 3\n"
           "barras: 1 1 5  2 2 6  3 3 7  4 4 8\n"
           "apoyo: 1 1 1 1 1 1  1 2 3 4\napoyo: 0 0 1 1 1 0  5 6 7 8 9\n"
           "seccionGenerica: C 0.1 0.002 0.001 0.003 2e8 0.3 0  1 2 3 4\n"
           "diafragma: 5 6 7 8 9\nmasaNudo: 2  5 6 7 8\n"
           "modos: 3\nespectro: E 0 2 4 2\nsismo: SX E X 0.05\nderivaLimite: 4 0.02\n" +
           resto;
}

std::string lineaQueEmpieza(const Lineas& l, const std::string& inicio) {
    for (const std::string& s : l)
        if (s.rfind(inicio, 0) == 0) return s;
    return "";
}

}  // namespace

// F = m·Sa = 8·2 = 16 en el piso, M = E·B·F = 0.05·4·16 = 3.2 y θ = M/Kθ, con
// Kθ = Σ (kx·y² + ky·x²) + 4·G·J/h. La esquina (2, 2) se mueve además 2·θ en
// X y en Y; el nudo del centroide, nada más. La columna 3 recibe de la
// torsión cortes 12·E·I·2θ/h³, momentos 6·E·I·2θ/h² y el torsor G·J·θ/h; sus
// momentos son antisimétricos: el módulo vale la mitad a L/4 y cero a L/2.
TEST(TorsionAccidental, PisoSimetricoContraLaFormaCerrada) {
    const double kx = 12 * E * IZ / (H * H * H), ky = 12 * E * IY / (H * H * H);
    const double kGiro = 4 * 4 * (kx + ky) + 4 * G * J / H, momento = 0.05 * 4 * 16, theta = momento / kGiro;
    const double u0 = 16 / (4 * kx);

    ASSERT_TRUE(analizarModelo(pisoSimetrico("")));
    const casoResultado sin = resultados.casos.at(0);
    EXPECT_NEAR(desplazamientosDe(9)(0), u0, 1e-9 * u0);
    EXPECT_NEAR(sin.pisos.at(0).razonTorsion, 1, 1e-9);
    EXPECT_FALSE(resultados.sismos.at(0).conTorsion);

    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << pisoSimetrico("torsionAccidental: 0.05\n");
    CapturaConsola consola;
    ASSERT_EQ(funcionCalcularLotes("modelo.txt", "csv"), 0);
    EXPECT_EQ(lineaQueEmpieza(consola.lineas(), "Sismo SX: torsión"),
              "Sismo SX: torsión accidental 0.05; momentos de piso 3.200000e+00");
    const Lineas csv = lineasDe(leerArchivo("csv/torsionAccidental.csv"));
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[0], "caso,diafragma,z,momento");
    EXPECT_EQ(csv[1].rfind("SX,1,", 0), 0u) << csv[1];

    const casoResultado& con = resultados.casos.at(0);
    const resultadoSismico& info = resultados.sismos.at(0);
    EXPECT_NEAR(con.pisos.at(0).fuerza[0], 16, 1e-9);
    ASSERT_EQ(info.momentosTorsion.size(), 1u);
    EXPECT_NEAR(info.momentosTorsion[0], momento, 1e-9);
    // El campo guardado, con signo: el giro del piso y la esquina.
    const Eigen::Index esquina = internoDeNudo(7), centro = internoDeNudo(9);
    EXPECT_NEAR(info.desplazamientosTorsion(6 * esquina + 5), theta, 1e-9 * theta);
    EXPECT_NEAR(info.desplazamientosTorsion(6 * esquina + 0), -2 * theta, 1e-9 * theta);
    EXPECT_NEAR(info.desplazamientosTorsion(6 * centro + 0), 0, 1e-9 * theta);
    EXPECT_NEAR(desplazamientosDe(7)(0), sin.desplazamientos(0, esquina) + 2 * theta, 1e-9 * u0);
    EXPECT_NEAR(desplazamientosDe(7)(1), 2 * theta, 1e-9 * u0);
    EXPECT_NEAR(desplazamientosDe(9)(0), u0, 1e-9 * u0);
    // Las reacciones: el torsor de la base de la columna 3 es G·J·θ/h.
    EXPECT_NEAR(reaccionesDe(3)(5) - sin.reacciones(5, internoDeNudo(3)), G * J * theta / H, 1e-9 * G * J * theta / H);

    // La columna 3: torsor, cortes y momentos de extremo, sin saber qué eje local es cuál.
    const size_t b = static_cast<size_t>(internoDeBarra(3));
    const solicitacionesBarra& s = con.barras.at(b);
    double d[12];
    for (int i = 0; i < 12; ++i) d[i] = s.fuerzas[i] - sin.barras.at(b).fuerzas[i];
    const double tol = 1e-9 * kx * u0 * H;
    EXPECT_NEAR(d[0], 0, tol);
    EXPECT_NEAR(d[3], G * J * theta / H, tol);
    std::array<double, 2> cortes{d[1], d[2]}, momentos{d[4], d[5]};
    std::sort(cortes.begin(), cortes.end()), std::sort(momentos.begin(), momentos.end());
    EXPECT_NEAR(cortes[0], 12 * E * IZ * 2 * theta / (H * H * H), tol);
    EXPECT_NEAR(cortes[1], 12 * E * IY * 2 * theta / (H * H * H), tol);
    EXPECT_NEAR(momentos[0], 6 * E * IZ * 2 * theta / (H * H), tol);
    EXPECT_NEAR(momentos[1], 6 * E * IY * 2 * theta / (H * H), tol);
    for (int j : {kSolicitacionMy, kSolicitacionMz}) {
        const double extremo = s.fuerzas[kFuerzasDeSolicitacion[j].inicio];
        EXPECT_NEAR(moduloSismico(con, static_cast<int>(b), j, 0.25), 0.5 * extremo, 1e-9 * extremo);
        EXPECT_NEAR(s.extremos[j].maximo, extremo, 1e-9 * extremo);
        EXPECT_NEAR(s.extremos[j].minimo, 0, 1e-9 * extremo);
        EXPECT_NEAR(s.extremos[j].xMinimo, H / 2, 1e-6 * H);
    }

    // Las derivas: la de las esquinas crece 2θ/h y la del centroide no; la
    // razón torsional es (u0 + 2θ) / (u0 + θ).
    EXPECT_NEAR(con.pisos.at(0).razonTorsion, (u0 + 2 * theta) / (u0 + theta), 1e-9);
    EXPECT_GT(con.pisos.at(0).razonTorsion, 1.01);
}

TEST(TorsionAccidental, ErroresDeEntradaNombranElRegistro) {
    const std::string sinDiafragmas = "nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                                      "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\n"
                                      "puntual: P 1 0 0 0 0 0  2\ncombo: C 1 P\ntorsionAccidental: 0.05\n";
    const std::string fuera = "Error: el registro 1 de torsionAccidental: necesita la excentricidad accidental como "
                              "fracción del ancho de la planta, un número entre 0 y 1 (por ejemplo "
                              "torsionAccidental: 0.05)";
    const std::pair<std::string, std::string> casos[] = {
        {pisoSimetrico("torsionAccidental: 1.5\n"), fuera},
        {pisoSimetrico("torsionAccidental: 0\n"), fuera},
        {pisoSimetrico("torsionAccidental: cinco\n"), fuera},
        {pisoSimetrico("torsionAccidental: 0.05\ntorsionAccidental: 0.1\n"),
         "Error: la etiqueta torsionAccidental: está 2 veces; va una sola vez (E)"},
        {sinDiafragmas, "Error: torsionAccidental: el modelo no tiene diafragmas que reciban los momentos"}};
    for (const auto& [modelo, mensaje] : casos) {
        ArchivoTemporal archivo(modelo);
        CapturaConsola consola;
        EXPECT_EQ(funcionCalcularLotes(archivo.ruta()), 3) << mensaje;
        const Lineas l = consola.lineas();
        EXPECT_NE(std::find(l.begin(), l.end(), mensaje), l.end()) << modelo;
    }
}

// Las columnas partidas a media altura: el nivel z = 1.5 no tiene diafragma y su
// deriva suma también la torsión. Cada columna, empotrada abajo y con el giro
// de arriba impedido, corre su punto medio la mitad de lo que corre su cabeza
// (antisimetría): sin torsión (u0/2)/1.5; con ella, (u0/2 + θ)/1.5 en X, pues
// las cuatro esquinas corren 2θ.
TEST(TorsionAccidental, NivelSinDiafragmaDebajoDelPiso) {
    const double kx = 12 * E * IZ / (H * H * H), ky = 12 * E * IY / (H * H * H);
    const double theta = 0.05 * 4 * 16 / (4 * 4 * (kx + ky) + 4 * G * J / H), u0 = 16 / (4 * kx);
    std::string modelo = pisoSimetrico("nudos: 11 -2 -2 1.5  12 2 -2 1.5  13 2 2 1.5  14 -2 2 1.5\n");
    modelo.replace(modelo.find("barras: 1 1 5  2 2 6  3 3 7  4 4 8"), 34,
                   "barras: 1 1 11  2 2 12  3 3 13  4 4 14  5 11 5  6 12 6  7 13 7  8 14 8");
    modelo.replace(modelo.find("0.3 0  1 2 3 4"), 14, "0.3 0  1 2 3 4 5 6 7 8");
    for (const double e : {0.0, 0.05}) {
        ASSERT_TRUE(analizarModelo(modelo + (e > 0 ? "torsionAccidental: 0.05\n" : "")));
        ASSERT_EQ(resultados.niveles.size(), 1u);
        const resultadoNivel& n = resultados.casos.at(0).niveles.at(0);
        const double esperada = (u0 / 2 + (e > 0 ? theta : 0.0)) / 1.5;
        EXPECT_NEAR(n.derivaX, esperada, 1e-8 * esperada) << e;
    }
}
