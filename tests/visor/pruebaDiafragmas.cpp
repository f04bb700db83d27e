// Los diafragmas en el visor: un polígono translúcido por diafragma en la capa
// del modelo con sus centros de masa y de rigidez, sus derivas en la leyenda
// de la deformada y los cortantes y derivas de los pisos en la leyenda.
#include <cstdio>

#include "entornoVisor.h"
#include "modelo/diafragma.h"
#include "visor/capas/escena.h"
#include "visor/capas/leyenda.h"

namespace {
// Dos pisos de cuatro columnas sin vigas; en el de arriba un quinto nudo (sin barras, con
// sus giros y uz apoyados) dentro del contorno, que no lo cambia.
const char* const kDosPisos =
    "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3\n"
    "       11 -2 -2 7  12 2 -2 7  13 2 2 7  14 -2 2 7  15 0 0 7\n"
    "barras: 1 1 5  2 2 6  3 3 7  4 4 8  11 5 11  12 6 12  13 7 13  14 8 14\n"
    "apoyo: 1 1 1 1 1 1  1 2 3 4\napoyo: 0 0 1 1 1 0  15\n"
    "seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2 3 4 11 12 13 14\n"
    "diafragma: 11 12 13 14 15\ndiafragma: 5 6 7 8\n"
    "puntual: P 100 0 0 0 0 0  15\ncombo: ELU 1 P\nprecision: 3\n";
}  // namespace

TEST_F(EntornoVisor, LosDiafragmasSeVenYSusDerivasVanEnLaLeyenda) {
    ASSERT_TRUE(cargar(kDosPisos, true));
    // Un abanico de dos triángulos por diafragma (el contorno es el cuadrado de las columnas),
    // a la altura de cada uno.
    std::vector<double> alturas;
    for (const CapaPreparada& c : prepararEscena())
        for (const GrupoLote& g : c.lote->grupos())
            if (g.primitiva == Primitiva::CuadrilaterosVelados)
                for (std::size_t v = 0; v < g.cantidadVertices(); ++v) alturas.push_back(g.vertices[3 * v + 2]);
    ASSERT_EQ(alturas.size(), 16u);
    EXPECT_EQ(std::count(alturas.begin(), alturas.end(), 3.0), 8);
    EXPECT_EQ(std::count(alturas.begin(), alturas.end(), 7.0), 8);

    // Con la deformada, una línea por diafragma de abajo hacia arriba, tras la de la deformada;
    // después, los pisos de la combinación.
    orden("combo", "ELU", "plotDef");
    prepararEscena();
    const std::vector<std::string>& l = leyendaEscena();
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[3], "Pisos ELU: CM disco, CR cruz");
    const resultadoDiafragma& abajo = resultados.casos[0].diafragmas[1];
    char esperada[200];
    std::snprintf(esperada, sizeof esperada, "Diafragma 2 ELU: deriva X %.3e (nudo %d), Y 0.000e+00 (nudo %d)",
                  abajo.derivaX, nudo[static_cast<size_t>(abajo.nudoX)].getNoNudoUsuario(),
                  nudo[static_cast<size_t>(abajo.nudoY)].getNoNudoUsuario());
    EXPECT_EQ(l[1], esperada);
    EXPECT_EQ(l[2].rfind("Diafragma 1 ELU: deriva X ", 0), 0u) << l[2];
}

namespace {
// Un edificio de `pisos` pisos de 3 de alto sobre cuatro columnas en (±2, ±2), sin vigas, un
// diafragma por piso; las columnas de x = 2 más rígidas (el centro de rigidez se corre hacia
// +X, el de masa queda en el centroide). Cada piso recibe 10 en X repartidos en sus dos nudos
// de x = −2, simétricos respecto de y = 0: el cortante del piso k es 10 (pisos − k + 1).
std::string edificio(int pisos) {
    std::string nudos = "nudos:", barras = "barras:", flexibles, rigidas, diafragmasTexto, cargados;
    const int esquinas[4][2] = {{-2, -2}, {2, -2}, {2, 2}, {-2, 2}};
    for (int k = 0; k <= pisos; ++k) {
        diafragmasTexto += k > 0 ? "diafragma:" : "";
        for (int j = 1; j <= 4; ++j) {
            const int n = 10 * k + j;
            nudos += " " + std::to_string(n) + " " + std::to_string(esquinas[j - 1][0]) + " " +
                     std::to_string(esquinas[j - 1][1]) + " " + std::to_string(3 * k);
            if (k == 0) continue;
            barras += " " + std::to_string(n) + " " + std::to_string(n - 10) + " " + std::to_string(n);
            (j == 2 || j == 3 ? rigidas : flexibles) += " " + std::to_string(n);
            diafragmasTexto += " " + std::to_string(n);
            if (j == 1 || j == 4) cargados += " " + std::to_string(n);
        }
        diafragmasTexto += k > 0 ? "\n" : "";
    }
    return nudos + "\n" + barras + "\napoyo: 1 1 1 1 1 1  1 2 3 4\n" +
           "seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0 " + flexibles + "\n" +
           "seccionGenerica: D 0.1 0.004 0.004 0.006 2e8 0.3 0 " + rigidas + "\n" + diafragmasTexto +
           "puntual: P 5 0 0 0 0 0 " + cargados + "\ncombo: ELU 1 P\nprecision: 3\n";
}
}  // namespace

TEST_F(EntornoVisor, PisosEnLaLeyendaDeArribaAbajoYCentrosEnSuAltura) {
    const int pisos = 22;
    ASSERT_TRUE(cargar(edificio(pisos), true));
    ASSERT_EQ(resultados.centros.size(), static_cast<std::size_t>(pisos));

    // Los centros: un disco en el de masa y una cruz (dos segmentos) en el de rigidez, por piso.
    std::vector<Eigen::Vector3d> discos, cruces;
    for (const CapaPreparada& c : prepararEscena()) {
        for (const EsferaLote& e : c.lote->esferas())
            if (e.color == std::array<float, 3>{1.0f, 0.8f, 0.1f}) discos.push_back(e.centro);
        for (const GrupoLote& g : c.lote->grupos())
            if (g.primitiva == Primitiva::Lineas && g.color == std::array<float, 3>{1.0f, 0.3f, 0.85f})
                for (std::size_t v = 0; v + 1 < g.cantidadVertices(); v += 2)
                    cruces.push_back(Eigen::Vector3d(g.vertices[3 * v] + g.vertices[3 * v + 3],
                                                     g.vertices[3 * v + 1] + g.vertices[3 * v + 4],
                                                     g.vertices[3 * v + 2] + g.vertices[3 * v + 5]) / 2);
    }
    ASSERT_EQ(discos.size(), static_cast<std::size_t>(pisos));
    ASSERT_EQ(cruces.size(), 2u * pisos);
    for (std::size_t k = 0; k < diafragmas.size(); ++k) {
        const centroPiso& c = resultados.centros[k];
        ASSERT_TRUE(c.conRigidez);
        EXPECT_GT(c.xRigidez, 0.5) << k;  // las columnas rígidas de x = 2 lo atraen
        EXPECT_LT((discos[k] - Eigen::Vector3d(c.xMasa, c.yMasa, diafragmas[k].z)).norm(), 1e-6) << k;
        for (int s = 0; s < 2; ++s)
            EXPECT_LT((cruces[2 * k + s] - Eigen::Vector3d(c.xRigidez, c.yRigidez, diafragmas[k].z)).norm(), 1e-6);
    }

    // La leyenda: el encabezado, veinte pisos de arriba hacia abajo con su cortante y "...".
    orden("combo", "ELU");
    prepararEscena();
    const std::vector<std::string>& l = leyendaEscena();
    ASSERT_EQ(l.size(), 2u + kPisosEnLeyenda);
    EXPECT_EQ(l[0], "Pisos ELU: CM disco, CR cruz");
    EXPECT_EQ(l.back(), "...");
    const casoResultado& caso = resultados.casos[0];
    for (int i = 0; i < kPisosEnLeyenda; ++i) {
        const int piso = pisos - i;
        const resultadoDiafragma& r = caso.diafragmas[static_cast<std::size_t>(piso - 1)];
        char esperada[200];
        std::snprintf(esperada, sizeof esperada, "Piso %d: cortante X %.3f, Y 0.000; deriva X %.3e, Y 0.000e+00",
                      piso, 10.0 * (pisos - piso + 1), r.derivaX);
        EXPECT_EQ(l[1 + static_cast<std::size_t>(i)], esperada);
    }
}
