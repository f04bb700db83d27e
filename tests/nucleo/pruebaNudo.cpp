// Nudo: numeración, combinaciones de cargas puntuales y resultados por combinación.
#include "modelo/objNudo3d.h"
#include "utilidades.h"

TEST(Nudo, GradosDeLibertadSeisPorNudo) {
    for (int n : {0, 4, 11}) {
        objNudo3d nudo;
        nudo.setNoNudoInterno(n);
        const Eigen::VectorXi g = nudo.getGdl();
        ASSERT_EQ(g.size(), 6);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(g(i), 6 * n + 1 + i);
    }
    objNudo3d libre;
    EXPECT_EQ(libre.getApoyo(), Eigen::VectorXi::Zero(6));
    libre.setApoyo(1, 1, 1, 0, 0, 0);
    libre.setApoyo(0, 0, 1, 0, 1, 0);  // el último apoyo reemplaza al anterior
    EXPECT_EQ(libre.getVectorApoyo(), (Eigen::VectorXi(6) << 0, 0, 1, 0, 1, 0).finished());
}

TEST(Nudo, CombinacionesAcumulanPorCasoYPorNombre) {
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

    ASSERT_EQ(n.getCantidadDeCombos(), 2);
    EXPECT_EQ(n.getNombreCombo(0), "ELU");
    EXPECT_EQ(n.getNombreCombo(1), "Viento");
    const Eigen::MatrixXd c = n.getCargasCombo();
    ASSERT_EQ(c.rows(), 6);
    ASSERT_EQ(c.cols(), 2);
    Eigen::VectorXd esperado(6);
    esperado << 3, 3, 4.5 - 26, 6, 7.5, 6;
    EXPECT_TRUE(c.col(0).isApprox(esperado, 1e-14));
    EXPECT_TRUE(c.col(1).isZero(0));
    EXPECT_DOUBLE_EQ(n.getPzCombo(0), -21.5);
    EXPECT_DOUBLE_EQ(n.getMzCombo(0), 6.0);

    EXPECT_EQ(n.getNumeroDeCombo("Viento"), 1);
    EXPECT_EQ(n.getNumeroDeCombo("ELU"), 0);
    EXPECT_EQ(n.getNumeroDeCombo("elu"), -1);
    EXPECT_EQ(n.getNumeroDeCombo(""), -1);
}

TEST(Nudo, ResultadosSeCopianDeLasFilasDelNudo) {
    objNudo3d n;
    n.setNoNudoInterno(1);
    n.setCombo("A", 1, "D");
    n.setCombo("B", 1, "D");
    Eigen::MatrixXd U(18, 2);
    for (int i = 0; i < 18; ++i) U.row(i) << 100 * i, 100 * i + 1;
    n.setDesplazamientos(U);
    n.setReacciones(-U);
    EXPECT_EQ(n.getDesplazamientoX(0), 600);
    EXPECT_EQ(n.getGiroZ(1), 1101);
    EXPECT_EQ(n.getDesplazamientoZ(1), 801);
    EXPECT_EQ(n.getReaccionRy(0), -700);
    EXPECT_EQ(n.getReaccionMx(1), -901);

    // Cantidad de combinaciones distinta: se rechaza con aviso y se conservan los resultados.
    CapturaConsola cap;
    n.setDesplazamientos(Eigen::MatrixXd::Ones(18, 3));
    n.setReacciones(Eigen::MatrixXd::Ones(18, 1));
    EXPECT_EQ(cap.texto(),
              "La cantidad de combos de desplazamientos no es igual a la cantidad de combos en Ingreso de Datos\n"
              "La cantidad de combos de reacciones no es igual a la cantidad de combos en Ingreso de Datos\n");
    EXPECT_EQ(n.getDesplazamientoX(0), 600);
    EXPECT_EQ(n.getReaccionMx(1), -901);
}
