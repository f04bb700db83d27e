// Los diafragmas en el visor: un polígono translúcido por diafragma en la capa
// del modelo y sus derivas en la leyenda de la deformada.
#include "entornoVisor.h"
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

    // Con la deformada, una línea por diafragma de abajo hacia arriba, tras la de la deformada.
    orden("combo", "ELU", "plotDef");
    prepararEscena();
    const std::vector<std::string>& l = leyendaEscena();
    ASSERT_EQ(l.size(), 3u);
    const resultadoDiafragma& abajo = resultados.casos[0].diafragmas[1];
    char esperada[200];
    std::snprintf(esperada, sizeof esperada, "Diafragma 2 ELU: deriva X %.3e (nudo %d), Y 0.000e+00 (nudo %d)",
                  abajo.derivaX, nudo[static_cast<size_t>(abajo.nudoX)].getNoNudoUsuario(),
                  nudo[static_cast<size_t>(abajo.nudoY)].getNoNudoUsuario());
    EXPECT_EQ(l[1], esperada);
    EXPECT_EQ(l[2].rfind("Diafragma 1 ELU: deriva X ", 0), 0u) << l[2];
}
