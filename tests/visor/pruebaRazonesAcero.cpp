// La capa de las razones de acero (plotAcero) y la línea de acero de "barra N":
// los colores y la leyenda salen de la escala compartida con el informe y de
// las razones publicadas en resultados.acero.
#include <cstdio>

#include "entornoVisor.h"
#include "reporte/escalaRazones.h"
#include "visor/capas/escena.h"
#include "visor/escena/lote.h"

namespace {

// Pórtico de un vano con columnas de dos tramos (miembros C1 y C2), una viga
// demasiado liviana para la carga viva (no cumple) y un arriostre
// rectangular que no se verifica.
const char* const kPorticoDeAcero =
    "nudos: 1 0 0 0  2 6 0 0  3 0 0 2  4 6 0 2  5 0 0 4  6 6 0 4\n"
    "barras: 1 1 3  2 3 5  3 2 4  4 4 6  5 5 6  6 1 4\n"
    "apoyo: 1 1 1 1 1 1   1 2\n"
    "seccionW: COL  0.3 0.02 0.4 0.012   200e6 0.3 77   1 2 3 4\n"
    "seccionW: VIGA 0.15 0.01 0.3 0.006   200e6 0.3 77   5\n"
    "seccionRectangular: DIAG 0.05 0.05  200e6 0.3 77   6\n"
    "articulacion: 0 0 0 0   6\n"
    "pesoPropio: PP\ndistribuidaGlobal: L  40 40  0 0 -1   5\npuntual: W  20 0 0 0 0 0   5\n"
    "combo: U1  1.2 PP 1.6 L\ncombo: U2  1.2 PP 0.5 L 1.0 W\n"
    "verificacionAcero: LRFD 250000   1 2 3 4 5 6\nmiembro: C1  1 2\nmiembro: C2  3 4\n";

// Los grupos de líneas de la escena con ese color, con su ancho.
std::vector<const GrupoLote*> gruposDeColor(const std::vector<CapaPreparada>& capas, const colorRazon& color) {
    std::vector<const GrupoLote*> g;
    for (const CapaPreparada& c : capas)
        for (const GrupoLote& grupo : c.lote->grupos())
            if (grupo.primitiva == Primitiva::Lineas && grupo.color == color) g.push_back(&grupo);
    return g;
}

}  // namespace

TEST_F(EntornoVisor, PlotAceroColoreaLasBarrasPorSuRazonConSuLeyenda) {
    CapturaConsola silencio;
    // La ménsula no pide la verificación: la orden lo dice y no enciende nada.
    orden("plotAcero");
    EXPECT_EQ(dialogo, "No hay verificación de acero: el modelo no la pide (verificacionAcero:). Ingrese Comando:");
    EXPECT_FALSE(flagActivo(kFlagAcero));

    cargar(kPorticoDeAcero);
    orden("plotAcero");
    EXPECT_EQ(dialogo, "No hay verificación de acero: presione Calcular. Ingrese Comando:");
    EXPECT_FALSE(flagActivo(kFlagAcero));
    modificadorFlagsGraf(kFlagCalculado);
    ASSERT_TRUE(flagActivo(kFlagCalculado));
    const miembroVerificado* viga = miembroConRazon(resultados.acero, 5);
    const miembroVerificado* columna = miembroConRazon(resultados.acero, 1);
    ASSERT_TRUE(viga && columna);
    ASSERT_GT(viga->peor()->razon, 1.0);
    ASSERT_LT(columna->peor()->razon, 1.0);
    EXPECT_EQ(miembroConRazon(resultados.acero, 6), nullptr);

    orden("plotAcero");
    EXPECT_EQ(dialogo, "Razones de Acero Activadas. Ingrese Comando:");
    ASSERT_TRUE(flagActivo(kFlagAcero));
    const std::vector<CapaPreparada> capas = prepararEscena();
    // La viga, sola y más gruesa en el color de los que no cumplen; las dos
    // barras de C1 en el color de su razón; el arriostre fino en gris.
    const std::vector<const GrupoLote*> excedidas = gruposDeColor(capas, kColorRazonExcedida);
    ASSERT_EQ(excedidas.size(), 1u);
    EXPECT_EQ(excedidas[0]->cantidadVertices(), 2u);
    EXPECT_EQ(excedidas[0]->ancho, 6.0f);
    std::size_t verticesC1 = 0;
    for (const GrupoLote* g : gruposDeColor(capas, colorDeRazon(columna->peor()->razon))) {
        verticesC1 += g->cantidadVertices();
        EXPECT_EQ(g->ancho, 4.0f);
    }
    EXPECT_GE(verticesC1, 4u);  // las dos barras de C1 (y las de C2 si su razón es la misma)
    const std::vector<const GrupoLote*> grises = gruposDeColor(capas, kColorSinVerificar);
    ASSERT_EQ(grises.size(), 1u);
    EXPECT_EQ(grises[0]->cantidadVertices(), 2u);
    EXPECT_EQ(grises[0]->ancho, 1.0f);
    // Las barras grises de siempre no se dibujan debajo.
    EXPECT_TRUE(gruposDeColor(capas, {0.5f, 0.5f, 0.5f}).empty());

    // La leyenda: la mayor razón y su miembro, y los colores de la escala.
    const std::vector<std::string>& l = leyendaEscena();
    const std::vector<std::array<float, 3>>& colores = coloresLeyendaEscena();
    ASSERT_EQ(l.size(), 5u);
    char mayor[40];
    std::snprintf(mayor, sizeof mayor, "%.3f", viga->peor()->razon);
    EXPECT_EQ(l[0], "Razón de demanda a capacidad (acero): mayor " + std::string(mayor) + " (miembro " + viga->nombre +
                        "), 1 no cumple");
    EXPECT_EQ(l[1], "0");
    EXPECT_EQ(l[4], "> 1 (no cumple)");
    EXPECT_EQ(colores[1], colorDeRazon(0));
    EXPECT_EQ(colores[2], colorDeRazon(0.5));
    EXPECT_EQ(colores[3], colorDeRazon(1));
    EXPECT_EQ(colores[4], kColorRazonExcedida);

    // "barra N": la razón del miembro, con su combo, su ecuación y su x.
    orden("combo U1", "barra 5");
    const verificacionEnCaso& v = *viga->peor();
    char x[40];
    std::snprintf(x, sizeof x, "%.3f", v.x);
    EXPECT_NE(dialogo.find("\nAcero: razón " + std::string(mayor) + ", no cumple (miembro 5, combo " +
                           resultados.casos[static_cast<std::size_t>(v.caso)].nombre + ", ecuación " + v.ecuacion +
                           ", x = " + x + ")"),
              std::string::npos)
        << dialogo;
    orden("barra 2");
    std::snprintf(mayor, sizeof mayor, "%.3f", columna->peor()->razon);
    EXPECT_NE(dialogo.find("\nAcero: razón " + std::string(mayor) + " (miembro C1, combo "), std::string::npos) << dialogo;
    orden("barra 6");
    EXPECT_EQ(dialogo.find("Acero:"), std::string::npos) << dialogo;

    orden("plotAcero");
    EXPECT_EQ(dialogo, "Razones de Acero Desactivadas. Ingrese Comando:");
    EXPECT_TRUE(gruposDeColor(prepararEscena(), kColorRazonExcedida).empty());
}
