// Varias combinaciones activas: la primera con los colores de siempre, cada
// una de las siguientes en su tono, y la leyenda que los nombra.
#include <set>

#include "entornoVisor.h"
#include "visor/capas/escena.h"
#include "visor/escena/lote.h"

namespace {

using Color = std::array<float, 3>;

// Los colores de grupos, esferas y rótulos de cada capa preparada, con los
// vértices de cada grupo: lo que se ve de ella.
struct Vista {
    std::vector<std::pair<Color, std::vector<float>>> grupos;
    std::vector<Color> rotulos, esferas;
    bool operator==(const Vista& o) const { return grupos == o.grupos && rotulos == o.rotulos && esferas == o.esferas; }
};
std::vector<Vista> vistas() {
    std::vector<Vista> v;
    for (const CapaPreparada& c : prepararEscena()) {
        Vista x;
        for (const GrupoLote& g : c.lote->grupos()) x.grupos.push_back({g.color, g.vertices});
        for (const Rotulo3D& r : c.lote->rotulos()) x.rotulos.push_back(r.color);
        for (const EsferaLote& e : c.lote->esferas()) x.esferas.push_back(e.color);
        v.push_back(x);
    }
    return v;
}

std::set<Color> colores(const Vista& v) {
    std::set<Color> s(v.rotulos.begin(), v.rotulos.end());
    s.insert(v.esferas.begin(), v.esferas.end());
    for (const auto& g : v.grupos) s.insert(g.first);
    return s;
}

Color entonado(const Color& c, const Color& tono) {
    const float brillo = std::max({c[0], c[1], c[2]});
    return {tono[0] * brillo, tono[1] * brillo, tono[2] * brillo};
}

}  // namespace

TEST_F(EntornoVisor, CadaCombinacionActivaDesdeLaSegundaLlevaSuTonoYLaLeyendaLoNombra) {
    CapturaConsola silencio;
    ASSERT_TRUE(cargar(std::string(kMensula) + "combo: C3 3 P\n", true));
    modificadorFlagsGraf(kFlagCalculado);
    for (const char* capa : {"plotMy", "plotDef", "plotR", "plotCarga"}) {
        SCOPED_TRACE(capa);
        interruptoresIniciales();
        modificadorFlagsGraf(kFlagCalculado);
        orden(capa, "combo C1");
        const std::vector<Vista> sola = vistas();
        const std::vector<std::string> leyendaSola = leyendaEscena();
        const Vista c1 = sola.back();
        // Con la segunda y la tercera: la de C1 queda igual, las otras con los mismos trazos en su tono.
        orden("combo C2", "combo C3");
        const std::vector<Vista> tres = vistas();
        ASSERT_EQ(tres.size(), sola.size() + 2);
        EXPECT_TRUE(std::equal(sola.begin(), sola.end(), tres.begin()));
        for (int k : {1, 2}) {
            const Vista& v = tres[sola.size() + std::size_t(k) - 1];
            const Color tono = tonoDeCombinacion(k).color;
            for (const Color& c : colores(v)) {
                bool deC1 = false;
                for (const Color& base : colores(c1)) deC1 |= entonado(base, tono) == c;
                EXPECT_TRUE(deC1) << k;
                EXPECT_EQ(colores(c1).count(c), 0u) << k;  // ninguno se confunde con uno de C1
            }
        }
        const std::string lineas = [] {
            std::string s;
            for (const std::string& l : leyendaEscena()) s += l.substr(0, l.find(':')) + "|";
            return s;
        }();
        const std::string esperadas = std::string(capa) == "plotMy"    ? "My C1|My C2 (celeste)|My C3 (amarillo)|"
                                      : std::string(capa) == "plotDef" ? "Deformada C1|Deformada C2 (celeste)|Deformada C3 (amarillo)|"
                                      : std::string(capa) == "plotR"   ? "Reacciones C1|Reacciones C2 (celeste)|Reacciones C3 (amarillo)|"
                                                                       : "Cargas C1|Cargas C2 (celeste)|Cargas C3 (amarillo)|";
        EXPECT_EQ(lineas, esperadas);
        const std::vector<Color> esperados = {kColorLeyenda, tonoDeCombinacion(1).color, tonoDeCombinacion(2).color};
        EXPECT_EQ(coloresLeyendaEscena(), esperados);
        // Sin C1, C2 es la primera: vuelve a los colores de siempre; y sola otra vez, C1 como al principio.
        orden("combo C1", "combo C3");
        const std::vector<Vista> soloC2 = vistas();
        EXPECT_EQ(colores(soloC2.back()), colores(c1));
        orden("combo C2", "combo C1");
        EXPECT_EQ(vistas(), sola);
        EXPECT_EQ(leyendaEscena(), leyendaSola);
        EXPECT_EQ(coloresLeyendaEscena(), std::vector<Color>(leyendaSola.size(), kColorLeyenda));
    }
}
