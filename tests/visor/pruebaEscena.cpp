// Escena preparada: qué se vuelve a preparar y qué no, lo que cada capa
// registra, y la leyenda contra el reporte de resultados.
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "entornoVisor.h"
#include "reporte/archivosCsv.h"
#include "reporte/funcionPrint.h"
#include "visor/capas/capas.h"
#include "visor/capas/escena.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/capas/leyenda.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/lote.h"

namespace {

// Lo que registró un lote: cada grupo (primitiva, color y vértices) y cada
// rótulo (texto, alto, si es obligatorio y su ancla).
using ContenidoLote = std::pair<std::vector<std::tuple<int, std::array<float, 3>, std::vector<float>>>,
                                std::vector<std::tuple<std::string, double, bool, double, double, double>>>;
ContenidoLote contenido(const LoteDibujo& lote) {
    ContenidoLote c;
    for (const GrupoLote& g : lote.grupos()) c.first.emplace_back(static_cast<int>(g.primitiva), g.color, g.vertices);
    for (const Rotulo3D& r : lote.rotulos())
        c.second.emplace_back(r.texto, r.altura, r.siempre, r.ancla.x(), r.ancla.y(), r.ancla.z());
    return c;
}

// Preparaciones que hizo prepararEscena en esta llamada.
unsigned long preparadas() {
    const unsigned long antes = preparacionesEscena();
    prepararEscena();
    return preparacionesEscena() - antes;
}

}  // namespace

TEST_F(EntornoVisor, LaEscenaSePreparaSoloCuandoCambiaLoQueMuestra) {
    CapturaConsola silencio;
    // La ménsula corre a lo largo de X: el momento se dibuja en Z (y local).
    orden("combo", "C1", "plotMy");
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_GT(preparadas(), 0u);
    EXPECT_EQ(preparadas(), 0u);
    // Orbitar, panear y la línea de órdenes no cambian lo que muestra ninguna capa.
    xCam += 3;
    yCam -= 2;
    comando = "plotM";
    EXPECT_EQ(preparadas(), 0u);
    comando.clear();

    // Cada cambio rehace sólo lo suyo, y lo rehecho muestra el cambio.
    const std::array<float, 3> contorno{0.7f, 0.2f, 0.0f};
    const auto momento = [&] {
        double z = 0;
        for (const CapaPreparada& c : prepararEscena())
            for (const GrupoLote& g : c.lote->grupos())
                if (g.color == contorno)
                    for (std::size_t i = 2; i < g.vertices.size(); i += 3)
                        z = std::max(z, std::fabs(double(g.vertices[i])));
        return z;
    };
    const double z = momento();
    EXPECT_NEAR(z, 150 * escalaMy, 1e-3);  // 10 x 15 en el empotramiento
    teclado('+', 0, 0);
    EXPECT_EQ(preparadas(), 1u);
    EXPECT_NEAR(momento(), 1.1 * z, 1e-3);
    orden("combo", "C2");  // otra combinación: una capa más, la de C1 queda
    EXPECT_EQ(preparadas(), 1u);
    modificadorFlagsGraf(kFlagLineasInternas);
    EXPECT_EQ(preparadas(), 2u);
    // El aislamiento y la recarga cambian todo lo que se ve.
    const unsigned long capas = prepararEscena().size();
    orden("aislar", "3");
    EXPECT_GE(preparadas(), capas);
    tecladoEspecial(TeclaEspecial::F5);
    EXPECT_GT(preparadas(), 0u);
    EXPECT_EQ(preparadas(), 0u);
    // Las capas que ya no se piden se descartan: sin combinaciones ni resultados quedan las del modelo.
    EXPECT_TRUE(leyendaEscena().empty());
}

// La lista de OpenGL de una capa se repite mientras su número de preparación
// no cambia: debe cambiar cuando la capa se rehace, y sólo entonces.
TEST_F(EntornoVisor, CadaPreparacionDeUnaCapaLlevaUnNumeroNuevo) {
    CapturaConsola silencio;
    orden("combo", "C1", "plotMy");
    modificadorFlagsGraf(kFlagCalculado);
    const auto numeros = [] {
        std::vector<unsigned long> n;
        for (const CapaPreparada& c : prepararEscena()) n.push_back(c.preparacion);
        return n;
    };
    const std::vector<unsigned long> antes = numeros();
    EXPECT_EQ(numeros(), antes);
    teclado('+', 0, 0);  // sólo el diagrama se rehace
    const std::vector<unsigned long> despues = numeros();
    ASSERT_EQ(despues.size(), antes.size());
    std::size_t cambiados = 0;
    for (std::size_t i = 0; i < antes.size(); ++i) cambiados += antes[i] != despues[i];
    EXPECT_EQ(cambiados, 1u);
    std::set<unsigned long> todos(antes.begin(), antes.end());
    todos.insert(despues.begin(), despues.end());
    EXPECT_EQ(todos.size(), antes.size() + 1);  // ningún número se repite entre capas ni se reusa
}

// Lo que la escena repite mientras sólo se mueve la cámara es lo que la capa
// dibujaría de nuevo con el estado de ese momento: ningún cambio de escala,
// combinación, diagrama, alto del texto, interruptor o aislamiento deja en
// pantalla la geometría de antes, ni al ir ni al volver.
TEST_F(EntornoVisor, LaCapaPreparadaEsLaQueSeDibujariaDeNuevo) {
    CapturaConsola silencio;
    ASSERT_FALSE(cargar(std::string(kMensula) + "distribuidaLocalY: P -1 -1  3 7 5\n"));
    orden("combo", "C1", "plotMy");
    modificadorFlagsGraf(kFlagCalculado);
    using Dibujo = void (*)(LoteDibujo&, int, double);
    const auto comparar = [](const char* paso, Dibujo dibujo, int c, double escala) {
        SCOPED_TRACE(paso);
        xCam += 1.0;  // la cámara se mueve entre un cuadro y otro
        const std::vector<CapaPreparada> capas = prepararEscena();
        ASSERT_FALSE(capas.empty());
        LoteDibujo nuevo;
        dibujo(nuevo, c, escala);
        ordenarRotulos(nuevo.rotulos());
        ASSERT_FALSE(nuevo.grupos().empty());
        EXPECT_TRUE(contenido(*capas.back().lote) == contenido(nuevo));  // el diagrama es la última capa
    };
    comparar("My de C1", plotMomentoY, 0, escalaMy);
    teclado('+', 0, 0);
    comparar("escala mayor", plotMomentoY, 0, escalaMy);
    orden("combo", "C1", "combo", "C2");  // C2 sola: la carga doble
    comparar("otra combinación", plotMomentoY, 1, escalaMy);
    orden("plotVy");
    comparar("otro diagrama", plotCortanteY, 1, escalaVy);
    falso.modificadores = kModificadorShift;
    teclado('+', 0, 0);
    falso.modificadores = 0;
    comparar("texto más alto", plotCortanteY, 1, escalaVy);
    modificadorFlagsGraf(kFlagLineasInternas);
    comparar("sin líneas internas", plotCortanteY, 1, escalaVy);
    modificadorFlagsGraf(kFlagTextosDiagramas);
    comparar("sin textos", plotCortanteY, 1, escalaVy);
    orden("aislar 3 5");
    comparar("barra 7 oculta", plotCortanteY, 1, escalaVy);
    orden("noAislar");
    modificadorFlagsGraf(kFlagLineasInternas);
    modificadorFlagsGraf(kFlagTextosDiagramas);
    orden("plotMy");
    teclado('-', 0, 0);
    orden("combo", "C2", "combo", "C1");
    comparar("de vuelta al principio", plotMomentoY, 0, escalaMy);
}

TEST_F(EntornoVisor, LaLeyendaDaLosExtremosDelReporte) {
    // Pórtico con cargas sólo en los nudos (un momento en el nudo 2 evita empates entre las barras que
    // llegan a él): los momentos extremos de cada barra están en sus extremos,
    // que el reporte da como fuerzas de extremo.
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 0 0 4  3 6 0 4  4 6 0 0\nbarras: 11 1 2  12 2 3  13 4 3\n"
                       "apoyo: 1 1 1 1 1 1  1 4\nseccionRectangular: R 0.3 0.5 25e6 0.2 0  11 12 13\n"
                       "puntual: H 8 0 -20 0 5 0  2\npuntual: H 0 0 -30 0 0 0  3\ncombo: ELU 1 H\nprecision: 2\n",
                       true));
    std::ostringstream reporte;
    escribirReporte(reporte);
    // My en el inicio es -F(5) y en el fin F(11) (fuerzas de extremo locales del reporte).
    const std::string texto = reporte.str();
    double mayor = -1e300, menor = 1e300;
    int barraMayor = -1, barraMenor = -1;
    const std::string numero = "#Barra Usuario: ", extremos = "Internas en Extremos:";
    for (std::size_t i = texto.find(numero); i != std::string::npos; i = texto.find(numero, i + 1)) {
        const int b = std::stoi(texto.substr(i + numero.size()));
        std::istringstream filas(texto.substr(texto.find('\n', texto.find(extremos, i)) + 1));
        std::vector<double> f(12);
        for (double& v : f) filas >> v;
        for (double m : {-f[5], f[11]}) {
            if (m > mayor) mayor = m, barraMayor = b;
            if (m < menor) menor = m, barraMenor = b;
        }
    }
    ASSERT_NE(barraMayor, -1);
    const ExtremosDiagrama e = extremosDiagrama(TipoDiagrama::MomentoY, 0);
    // El reporte escribe seis cifras significativas.
    EXPECT_NEAR(e.maximo, mayor, 1e-5 * std::fabs(mayor));
    EXPECT_NEAR(e.minimo, menor, 1e-5 * std::fabs(menor));
    EXPECT_EQ(std::pair(e.barraMaximo, e.barraMinimo), std::pair(barraMayor, barraMenor));

    // La línea de la leyenda, con la precisión del archivo, aparece al mostrar My de ELU.
    orden("combo", "ELU", "plotMy");
    prepararEscena();
    char esperada[200];
    std::snprintf(esperada, sizeof esperada, "My ELU: máx %.2f (barra %d), mín %.2f (barra %d)", mayor, barraMayor,
                  menor, barraMenor);
    EXPECT_EQ(leyendaEscena(), std::vector<std::string>{esperada});
    // La deformada: el nudo que más se desplaza y el factor de escala del
    // dibujo, y después la deriva del nivel de las columnas.
    orden("plotDef");
    prepararEscena();
    ASSERT_EQ(leyendaEscena().size(), 2u);
    EXPECT_EQ(leyendaEscena()[1].rfind("Nivel (z = ", 0), 0u);
    EXPECT_EQ(leyendaEscena()[0].rfind("Deformada ELU: desplazamiento máx ", 0), 0u);
    EXPECT_NE(leyendaEscena()[0].find("factor de escala 100"), std::string::npos);
    const ExtremoDeformada d = extremoDeformada(0);
    for (const objNudo3d& n : nudo)
        EXPECT_LE(resultados.casos[0].desplazamientos.col(n.getNoNudoInterno()).head<3>().norm(), d.maximo + 1e-15);
}

TEST_F(EntornoVisor, ElExtremoDelDiagramaSiempreLlevaSuValor) {
    CapturaConsola silencio;
    orden("combo", "C1", "plotMy");
    modificadorFlagsGraf(kFlagCalculado);
    const std::vector<CapaPreparada> capas = prepararEscena();
    int obligatorios = 0;
    double mayor = 0;
    for (const CapaPreparada& c : capas)
        for (const Rotulo3D& r : c.lote->rotulos()) {
            if (r.texto.find_first_not_of("-0123456789.") != std::string::npos) continue;  // letras de los ejes
            mayor = std::max(mayor, std::fabs(std::stod(r.texto)));
            if (r.siempre) {
                ++obligatorios;
                EXPECT_TRUE(r.texto == "-150.000" || r.texto == "150.000" || r.texto == "0.000")
                    << r.texto;
            }
        }
    // El mayor (en el empotramiento) y el menor (en la punta libre).
    EXPECT_EQ(obligatorios, 2);
    EXPECT_DOUBLE_EQ(mayor, 150);
}

TEST(NivelDeDetalle, PasoEntreEstacionesSegunLoQueMideLaBarraEnPantalla) {
    // 20 tramos: el menor divisor de 20 que deja 3 píxeles entre estaciones.
    EXPECT_EQ(pasoDeDetalle(60, 20, 3), 1);
    EXPECT_EQ(pasoDeDetalle(59.9, 20, 3), 2);
    EXPECT_EQ(pasoDeDetalle(12, 20, 3), 5);
    EXPECT_EQ(pasoDeDetalle(1, 20, 3), 20);  // ni las dos puntas caben: quedan las dos
    for (double sinDato : {0.0, -5.0, std::nan("")}) EXPECT_EQ(pasoDeDetalle(sinDato, 20, 3), 1);
}

TEST_F(EntornoVisor, LosDiagramasYLasFlechasSeRaleanAlAlejarse) {
    CapturaConsola silencio;
    ASSERT_TRUE(cargar(std::string(kMensula) + "distribuidaLocalY: P -1 -1  3 7 5\n", true));
    wVentana = 1000;
    hVentana = 800;
    orden("combo", "C1");
    flags[kFlagMomentoY] = flags[kFlagCargas] = 1;  // las dos capas a la vez: se distinguen por el color
    // Tramos de cada color en la escena: líneas internas del momento y flechas de la carga.
    const auto tramos = [](std::array<float, 3> color) {
        std::size_t n = 0;
        for (const CapaPreparada& c : prepararEscena())
            for (const GrupoLote& g : c.lote->grupos())
                if (g.color == color) n += g.cantidadVertices() / 2;
        return n;
    };
    const std::array<float, 3> internas{0.5f, 0.1f, 0.0f}, contorno{0.7f, 0.2f, 0.0f}, flechas{0.2f, 0.2f, 0.0f};
    // Con la perspectiva de 45 grados, una unidad a distancia d mide 800 / (2 d tan 22.5°) píxeles:
    // con d = 20 una barra de 5 mide 241 píxeles y todo se dibuja (21 líneas, 11 flechas de 5 trazos);
    // el detalle se elige con esa medida redondeada hacia abajo a medias octavas (d = 80: 12.07 píxeles
    // por unidad, se toman 11.3; una barra, 57 píxeles: líneas cada 2, flechas cada 2 de las 10 divisiones).
    struct Caso {
        double distancia;
        std::size_t internasPorBarra, flechasPorBarra;
    };
    for (const Caso& caso : {Caso{20, 21, 11}, Caso{80, 11, 6}, Caso{300, 5, 2}, Caso{2000, 2, 2}}) {
        SCOPED_TRACE(caso.distancia);
        distCamObj = caso.distancia;
        EXPECT_EQ(tramos(internas), 3 * caso.internasPorBarra);
        EXPECT_EQ(tramos(contorno), 3 * (caso.internasPorBarra - 1));  // el contorno une las mismas estaciones
        EXPECT_EQ(tramos(flechas), 3 * (5 * caso.flechasPorBarra + 1));  // y la línea de carga
    }
}

TEST_F(EntornoVisor, LaLeyendaBarraNYSolicitacionesCsvDanLosMismosExtremos) {
    // Viga simple de 6 m con una carga que cambia de signo a lo largo de ella (de -10 a 25 según y
    // local y de 8 a -4 según z): el corte es extremo donde la carga se anula, entre dos de las 21
    // estaciones del diagrama. La leyenda, "barra N" y solicitaciones.csv dan los mismos extremos,
    // los exactos.
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 6 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  2\n"
                       "seccionRectangular: R 0.3 0.5 25e6 0.2 0  1\ndistribuidaLocalY: Q -10 25  1\n"
                       "distribuidaLocalZ: Q 8 -4  1\ncombo: C 1 Q\nprecision: 4\n",
                       true));
    DirectorioTemporal dir;
    ASSERT_TRUE(escribirCsv("csv"));
    std::map<std::string, std::pair<double, double>> csv;  // esfuerzo -> (máximo, mínimo)
    std::istringstream filas(leerArchivo("csv/solicitaciones.csv"));
    std::string fila;
    std::getline(filas, fila);
    while (std::getline(filas, fila)) {
        std::vector<std::string> c;
        std::istringstream campos(fila);
        for (std::string x; std::getline(campos, x, ',');) c.push_back(x);
        csv[c[2]] = {std::stod(c[3]), std::stod(c[5])};
    }
    ASSERT_EQ(csv.size(), 6u);
    for (TipoDiagrama t : {TipoDiagrama::Axial, TipoDiagrama::CortanteY, TipoDiagrama::MomentoY,
                           TipoDiagrama::CortanteZ, TipoDiagrama::MomentoZ, TipoDiagrama::Torsion}) {
        const ExtremosDiagrama e = extremosDiagrama(t, 0);
        EXPECT_EQ(std::pair(e.maximo, e.minimo), csv[nombreDiagrama(t)]) << nombreDiagrama(t);
    }
    // El corte mínimo cae entre estaciones: el menor valor muestreado no llega a él.
    const Eigen::MatrixXd vy = muestrasDiagrama(barra[0], 0, TipoDiagrama::CortanteY);
    EXPECT_GT(vy.row(1).minCoeff(), csv["Vy"].second + 1e-3);
    // "barra N" escribe los extremos de los momentos con la precisión del modelo.
    orden("combo", "C", "barra 1");
    for (const char* m : {"My", "Mz"})
        EXPECT_NE(dialogo.find(std::string(m) + " máx " + formatearNumero(csv[m].first, 4, false) + ", mín " +
                               formatearNumero(csv[m].second, 4, false)),
                  std::string::npos)
            << m << ": " << dialogo;
}
