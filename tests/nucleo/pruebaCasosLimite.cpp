// Casos límite del modelo que darían resultados sin sentido: la deformada de una
// barra sin sección.
#include <cmath>

#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "utilidades.h"

TEST(CasosLimite, BarraSinSeccionEnEstructuraEstableSeDibujaRecta) {
    // La barra 2 no tiene sección pero el voladizo 1 sostiene el nudo 2.
    ArchivoTemporal a("nudos: 1 0 0 0 2 4 0 0 3 4 3 0 barras: 1 1 2 2 2 3\napoyo: 1 1 1 1 1 1 1 3\n"
                      "seccionRectangular: R 0.2 0.4 25e6 0.2 24 1\npuntual: P 0 0 -10 0 0 0 2\ncombo: C 1 P\n");
    nombreArchivo = a.ruta();
    CapturaConsola cap;
    funcionLeerArchivo();
    ASSERT_TRUE(funcionSolve());
    EXPECT_NE(cap.texto().find("No están definidas E, poisson, o Sección del Elemento: 2"), std::string::npos);
    const Eigen::MatrixXd d = barra[1].getBarraDeformada(0, 21, 100);
    ASSERT_TRUE(d.allFinite());
    // Recta: los puntos intermedios están sobre la cuerda entre los extremos.
    for (int i = 0; i < 21; ++i) EXPECT_NEAR(d(1, i), d(1, 20) * i / 20.0, 1e-12 * (1 + std::fabs(d(1, 20))));
}
