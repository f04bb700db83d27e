// Dónde ocurre un extremo no lo decide el redondeo: dos valores que difieren en menos de
// kFraccionRuido de la escala de su clase empatan y manda el primero (la menor x, el primer nudo,
// la primera combinación). Sin esto, la x del máximo de un esfuerzo constante, el nudo de una
// deriva nula o la combinación que manda en una envolvente cambian de un procesador a otro.
#include "modelo/diafragma.h"
#include "utilidades.h"

TEST(Empates, LoQueDiceDondeNoDependeDelRedondeo) {
    cargarArchivo(VANTRA_EJEMPLOS "/edificio_sismico.txt");
    ASSERT_TRUE(resolver());
    int constantes = 0, derivasNulas = 0, envolventes = 0;
    for (const casoResultado& caso : resultados.casos) {
        double tol[kNumeroSolicitaciones];
        toleranciasSolicitaciones(caso.escalas, tol);
        for (size_t i = 0; i < caso.barras.size(); ++i)
            for (int s = 0; s < kNumeroSolicitaciones; ++s) {
                const extremoSolicitacion& e = caso.barras[i].extremos[s];
                // Un diagrama constante (o nulo) a menos del redondeo: sus extremos están en x = 0.
                if (caso.tipo == tipoCaso::combinacion && std::fabs(e.maximo - e.minimo) <= tol[s]) {
                    ++constantes;
                    EXPECT_EQ(e.xMaximo, 0.0) << caso.nombre << " barra " << barra[i].getNoBarraUsuario() << " "
                                              << kNombresSolicitaciones[s];
                    EXPECT_EQ(e.xMinimo, 0.0) << caso.nombre << " barra " << barra[i].getNoBarraUsuario() << " "
                                              << kNombresSolicitaciones[s];
                }
                // En una envolvente manda la primera de las combinaciones que llegan al extremo.
                if (caso.tipo != tipoCaso::envolvente) continue;
                for (int c : caso.componentes) {
                    const extremoSolicitacion& o = resultados.casos[static_cast<size_t>(c)].barras[i].extremos[s];
                    if (!(std::fabs(o.maximo - e.maximo) <= tol[s])) continue;
                    ++envolventes;
                    EXPECT_EQ(e.casoMaximo, c) << caso.nombre << " barra " << barra[i].getNoBarraUsuario();
                    break;
                }
            }
        // Un piso que no deriva (sin cargas laterales): su deriva es la del primer nudo.
        for (size_t k = 0; k < caso.diafragmas.size(); ++k) {
            const resultadoDiafragma& d = caso.diafragmas[k];
            if (!d.conDeriva || d.derivaX > 1e-12) continue;
            ++derivasNulas;
            EXPECT_EQ(d.nudoX, diafragmas[k].nudos.front()) << caso.nombre << " diafragma " << k + 1;
            EXPECT_EQ(d.nudoY, diafragmas[k].nudos.front()) << caso.nombre << " diafragma " << k + 1;
        }
    }
    // El edificio tiene de todo: esfuerzos constantes en columnas y vigas, pisos sin deriva en las
    // combinaciones de gravedad y combinaciones con sismo que empatan en la envolvente.
    EXPECT_GT(constantes, 100);
    EXPECT_GT(derivasNulas, 2);
    EXPECT_GT(envolventes, 100);
}
