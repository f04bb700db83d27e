// Nudo: combinaciones de cargas puntuales y resultados por combinación.
#include "utilidades.h"

TEST(Nudo, CombinacionesYResultados) {
    objNudo3d n;
    n.setNoNudoInterno(1);
    n.setCargaPuntual("D", 1, 2, 3, 4, 5, 6);
    n.setCargaPuntual("D", 1, 0, 0, 0, 0, -2);  // mismo caso dos veces: cuentan ambos
    n.setCargaPuntual("L", 0, 0, -10, 0, 0, 0);
    n.setCargaPuntual("d", 100, 100, 100, 100, 100, 100);  // otro nombre: distingue mayúsculas
    n.setCombo("ELU", 1.5, "D");
    n.setCombo("ELU", 1.6, "L");
    n.setCombo("Viento", 1.0, "W");  // caso sin registros: columna nula
    n.setCombo("ELU", 1.0, "L");     // nombre repetido: se suma a la misma columna
    EXPECT_TRUE(casiIguales(n.getCargasCombo(), (Eigen::MatrixXd(6, 2) << 3, 0, 3, 0, -21.5, 0, 6, 0, 7.5, 0, 6, 0).finished(), 1e-15));
    EXPECT_EQ(Eigen::Vector3i(n.getNumeroDeCombo("Viento"), n.getNumeroDeCombo("ELU"), n.getNumeroDeCombo("elu")),
              Eigen::Vector3i(1, 0, -1));

    // Con otra cantidad de combinaciones los resultados se rechazan con aviso y quedan los anteriores.
    Eigen::MatrixXd U(18, 2);
    for (int i = 0; i < 18; ++i) U.row(i) << 100 * i, 100 * i + 1;
    n.setDesplazamientos(U);
    n.setReacciones(-U);
    CapturaConsola cap;
    n.setDesplazamientos(Eigen::MatrixXd::Ones(18, 3));
    n.setReacciones(Eigen::MatrixXd::Ones(18, 1));
    EXPECT_EQ(cap.texto(),
              "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso de Datos\n"
              "La cantidad de combos de reacciones no es igual a la cantidad de combos en Ingreso de Datos\n");
    EXPECT_EQ(Eigen::Vector3d(n.getDesplazamientoX(0), n.getGiroZ(1), n.getReaccionMx(1)), Eigen::Vector3d(600, 1101, -901));
}
