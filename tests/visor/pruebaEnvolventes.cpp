// Casos sísmicos y envolventes en el visor: se listan y conmutan como
// combinaciones, sus diagramas llevan la curva de máximos y la de mínimos, y
// la leyenda y "barra N" nombran la combinación que manda.
#include <algorithm>

#include "entornoVisor.h"
#include "visor/capas/escena.h"
#include "visor/capas/leyenda.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"

namespace {

// Viga continua de dos tramos de 6 m con muerta en los dos y sobrecarga alternada,
// una envolvente de las tres combinaciones y un sismo en Y sobre la masa de las cargas.
const char* const kVigaContinua =
    "nudos: 1 0 0 0  2 6 0 0  3 12 0 0\nbarras: 1 1 2  2 2 3\napoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  2 3\n"
    "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1 2\n"
    "distribuidaGlobal: D 10 10 0 0 -1  1 2\ndistribuidaGlobal: L1 8 8 0 0 -1  1\n"
    "distribuidaGlobal: L2 8 8 0 0 -1  2\n"
    "combo: AMBOS 1 D 1 L1 1 L2\ncombo: TRAMO1 1 D 1 L1\ncombo: TRAMO2 1 D 1 L2\n"
    "gravedad: 9.81\nmasaDeCargas: 1 D\nmodos: 4\nespectro: E 0 2 1 2\nsismo: SZ E Z 0.05\n"
    "combo: DSZ 1 D 1 SZ\nenvolvente: ENV AMBOS TRAMO1 TRAMO2\nprecision: 3\n";

const TipoDiagrama kTodos[] = {TipoDiagrama::Axial,     TipoDiagrama::CortanteY, TipoDiagrama::MomentoY,
                               TipoDiagrama::CortanteZ, TipoDiagrama::MomentoZ,  TipoDiagrama::Torsion};

// Deja activa sólo esa combinación, con la orden "combo NOMBRE".
void soloActivo(const std::string& nombre) {
    for (int c = 0; c < cantidadCombos(); ++c)
        if (comboActivo(c) != (nombreCombo(c) == nombre))
            for (char l : "combo " + nombreCombo(c) + "\r") teclado(static_cast<unsigned char>(l), 0, 0);
}

}  // namespace

TEST_F(EntornoVisor, EnvolventesYSismosSeListanYConmutanComoCombinaciones) {
    ASSERT_TRUE(cargar(kVigaContinua, true));
    std::vector<std::string> nombres;
    for (int c = 0; c < cantidadCombos(); ++c) nombres.push_back(nombreCombo(c));
    EXPECT_EQ(nombres, (std::vector<std::string>{"AMBOS", "TRAMO1", "TRAMO2", "DSZ", "SZ", "ENV"}));
    const int env = buscarCombo("ENV");
    ASSERT_EQ(env, 5);
    EXPECT_EQ(resultados.casos[static_cast<size_t>(env)].nombre, "ENV");  // el mismo índice en los resultados
    orden("combo ENV");
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");
    EXPECT_TRUE(comboActivo(env));

    // Cada diagrama de la envolvente: los extremos de la leyenda son los mayores y menores de
    // las tres combinaciones, con la que manda; las muestras, las de las combinaciones punto a punto.
    for (TipoDiagrama t : kTodos) {
        SCOPED_TRACE(nombreDiagrama(t));
        const ExtremosDiagrama e = extremosDiagrama(t, env);
        ASSERT_TRUE(e.hay);
        double mayor = -INFINITY, menor = INFINITY;
        int quienMayor = -1, quienMenor = -1;
        // Ante un empate (a menos del redondeo), la primera combinación.
        const escalasCaso& escalas = resultados.casos[static_cast<size_t>(env)].escalas;
        const bool fuerza = t == TipoDiagrama::Axial || t == TipoDiagrama::CortanteY || t == TipoDiagrama::CortanteZ;
        const double empate = toleranciaEmpate(fuerza ? escalas.fuerzas : escalas.momentos);
        for (int c = 0; c < 3; ++c) {
            const ExtremosDiagrama x = extremosDiagrama(t, c);
            if (x.maximo > mayor + empate) mayor = x.maximo, quienMayor = c;
            if (x.minimo < menor - empate) menor = x.minimo, quienMenor = c;
        }
        EXPECT_NEAR(e.maximo, mayor, empate);
        EXPECT_NEAR(e.minimo, menor, empate);
        if (mayor != menor) {
            EXPECT_EQ(resultados.casos[static_cast<size_t>(e.casoMaximo)].nombre, nombreCombo(quienMayor));
            EXPECT_EQ(resultados.casos[static_cast<size_t>(e.casoMinimo)].nombre, nombreCombo(quienMenor));
        }
        for (const objBarra3d& b : barra) {
            const Eigen::MatrixXd m = muestrasDiagrama(b, env, t);
            ASSERT_EQ(m.rows(), 3);
            for (Eigen::Index j = 0; j < m.cols(); ++j) {
                double arriba = -INFINITY, abajo = INFINITY;
                for (int c = 0; c < 3; ++c) {
                    const double v = muestrasDiagrama(b, c, t)(1, j);
                    arriba = std::max(arriba, v), abajo = std::min(abajo, v);
                }
                EXPECT_DOUBLE_EQ(m(1, j), arriba);
                EXPECT_DOUBLE_EQ(m(2, j), abajo);
            }
            const std::optional<GeometriaDiagrama> g = geometriaDiagrama(b, env, t, 0.01, 3, 0.1);
            ASSERT_TRUE(g.has_value());
            EXPECT_EQ(g->puntosMinimos.size(), g->puntos.size());  // las dos curvas se dibujan
        }
    }
    // El momento del apoyo central manda con sobrecarga en los dos tramos: la leyenda lo dice.
    const ExtremosDiagrama my = extremosDiagrama(TipoDiagrama::MomentoZ, env);
    const std::string linea = lineaLeyenda(TipoDiagrama::MomentoZ, env, my);
    EXPECT_NE(linea.find(", combo " + resultados.casos[static_cast<size_t>(my.casoMaximo)].nombre + ")"),
              std::string::npos)
        << linea;
    // Una combinación no es de dos valores: su diagrama tiene una sola curva.
    EXPECT_EQ(muestrasDiagrama(barra[0], 0, TipoDiagrama::MomentoZ).rows(), 2);
    EXPECT_TRUE(geometriaDiagrama(barra[0], 0, TipoDiagrama::MomentoZ, 0.01, 3, 0.1)->puntosMinimos.empty());
}

TEST_F(EntornoVisor, BarraNDeUnCasoDeDosValoresDaMaximoYMinimo) {
    ASSERT_TRUE(cargar(kVigaContinua, true));
    // La combinación con sismo: en cada extremo de la barra, máximo / mínimo, y la media es la estática.
    soloActivo("DSZ");
    orden("barra 1");
    EXPECT_NE(dialogo.find("DSZ inicio: N "), std::string::npos) << dialogo;
    EXPECT_NE(dialogo.find(" / "), std::string::npos) << dialogo;
    const int dsz = buscarCombo("DSZ");
    const casoResultado& caso = resultados.casos[static_cast<size_t>(dsz)];
    ASSERT_EQ(caso.tipo, tipoCaso::comboEspectral);
    for (TipoDiagrama t : kTodos) {
        const Eigen::MatrixXd m = muestrasDiagrama(barra[0], dsz, t);
        ASSERT_EQ(m.rows(), 3);
        EXPECT_TRUE(((m.row(1) - m.row(2)).array() >= -1e-12).all()) << nombreDiagrama(t);
    }
    // La envolvente: los extremos con la combinación que manda entre paréntesis.
    soloActivo("ENV");
    orden("barra 1");
    EXPECT_NE(dialogo.find("(TRAMO1), mín "), std::string::npos) << dialogo;
    EXPECT_NE(dialogo.find("(AMBOS)"), std::string::npos) << dialogo;
}

// Un caso sísmico da módulos sin signo: la forma se dibuja hacia los dos
// lados (una columna empotrada con masa arriba y sismo en X: el nudo de
// arriba, a la misma distancia a cada lado), y la leyenda no la llama deformada.
TEST_F(EntornoVisor, UnCasoSismicoSeDibujaComoModulosHaciaLosDosLados) {
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                       "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\npuntual: D 0 0 -10 0 0 0  2\n"
                       "combo: C 1 D\ngravedad: 9.81\nmasaDeCargas: 1 D\nmodos: 2\nespectro: E 0 2 1 2\n"
                       "sismo: SX E X 0.05\n",
                       true));
    modificadorFlagsGraf(kFlagCalculado);
    soloActivo("SX");
    orden("plotDef");
    double derecha = 0, izquierda = 0;
    for (const CapaPreparada& c : prepararEscena())
        for (const EsferaLote& e : c.lote->esferas()) {
            derecha = std::max(derecha, e.centro.x());
            izquierda = std::min(izquierda, e.centro.x());
        }
    EXPECT_GT(derecha, 1e-4);
    EXPECT_NEAR(derecha, -izquierda, 1e-9 * derecha);
    ASSERT_FALSE(leyendaEscena().empty());
    EXPECT_EQ(leyendaEscena()[0].rfind("Desplazamientos (módulos, ±) SX: desplazamiento máx ", 0), 0u)
        << leyendaEscena()[0];
}

// Un pórtico de dos pisos sin diafragmas: con la deformada, la leyenda da la
// deriva de cada nivel con la columna que manda, la misma de los resultados.
TEST_F(EntornoVisor, LaLeyendaDaLasDerivasDeLosNivelesSinDiafragma) {
    ASSERT_TRUE(cargar("nudos: 1 0 0 0  2 6 0 0  3 0 0 3  4 6 0 3  5 0 0 6  6 6 0 6\n"
                       "barras: 1 1 3  2 2 4  3 3 5  4 4 6  5 3 4  6 5 6\napoyo: 1 1 1 1 1 1  1 2\n"
                       "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1 2 3 4 5 6\n"
                       "puntual: W 10 0 0 0 0 0  3\npuntual: W 20 0 0 0 0 0  5\ncombo: C 1 W\nprecision: 3\n",
                       true));
    modificadorFlagsGraf(kFlagCalculado);
    soloActivo("C");
    orden("plotDef");
    prepararEscena();
    const casoResultado& caso = resultados.casos[0];
    ASSERT_EQ(caso.niveles.size(), 2u);
    std::vector<std::string> niveles;
    for (const std::string& l : leyendaEscena())
        if (l.rfind("Nivel ", 0) == 0) niveles.push_back(l);
    ASSERT_EQ(niveles.size(), 2u) << ::testing::PrintToString(leyendaEscena());
    for (std::size_t i = 0; i < 2; ++i) {
        const int columna = resultados.niveles[i].barras[static_cast<std::size_t>(caso.niveles[i].columnaX)];
        char deriva[32];
        std::snprintf(deriva, sizeof deriva, "%.3e", caso.niveles[i].derivaX);
        EXPECT_EQ(niveles[i].rfind(std::string("Nivel (z = ") + (i == 0 ? "3.000" : "6.000") + ") C: deriva X " +
                                       deriva + " (barra " + std::to_string(barra[columna].getNoBarraUsuario()) + ")",
                                   0),
                  0u)
            << niveles[i];
    }
}
