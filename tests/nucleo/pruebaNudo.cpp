// Nudo: combinaciones de cargas puntuales y de desplazamientos impuestos.
#include "utilidades.h"

TEST(Nudo, CombinacionesSumanCasosFactorizados) {
    objNudo3d n;
    n.setNoNudoInterno(1);
    n.setApoyo(1, 1, 1, 0, 0, 0);
    n.setCargaPuntual("D", 1, 2, 3, 4, 5, 6);
    n.setCargaPuntual("D", 1, 0, 0, 0, 0, -2);  // mismo caso dos veces: cuentan ambos
    n.setCargaPuntual("L", 0, 0, -10, 0, 0, 0);
    n.setCargaPuntual("d", 100, 100, 100, 100, 100, 100);  // otro nombre: distingue mayúsculas
    n.setDesplazamientoImpuesto("D", (Vec6() << 0, 0, -0.01, 0, 0, 0).finished());
    n.setCombos(combinacionesDePrueba({{"ELU", {{1.5, "D"}, {1.6, "L"}, {1.0, "L"}}},
                                       {"Viento", {{1.0, "W"}}},  // caso sin registros: columna nula
                                       {"Vacio", {}}}));
    EXPECT_EQ(n.getCantidadDeCombos(), 3);
    EXPECT_TRUE(casiIguales(n.getCargasCombo(),
                            (Eigen::MatrixXd(6, 3) << 3, 0, 0, 3, 0, 0, -21.5, 0, 0, 6, 0, 0, 7.5, 0, 0, 6, 0, 0).finished(),
                            1e-15));
    EXPECT_TRUE(casiIguales(n.getDesplazamientosImpuestosCombo().col(0), (Vec6() << 0, 0, -0.015, 0, 0, 0).finished(),
                            1e-17));
    EXPECT_TRUE(n.getDesplazamientosImpuestosCombo().rightCols(2).isZero(0));
}
