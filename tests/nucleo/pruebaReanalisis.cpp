// Resultados calculados una vez por análisis: volver a analizar un modelo cambiado en memoria
// da lo mismo que cargarlo y analizarlo de nuevo, y ninguna consulta de resultados guarda
// nada de una vez para la otra.
#include <functional>

#include "utilidades.h"

// Pórtico espacial con rótulas, cargas en nudos y en barras, dos combinaciones.
const std::string kBase =
    "nudos: 1 0 0 0  2 5 0 0  3 0 0 3  4 5 0 3  5 5 4 3\nbarras: 1 1 3  2 2 4  3 3 4  4 4 5\n"
    "apoyo: 1 1 1 1 1 1  1 2\napoyo: 1 1 1 0 0 0  5\nseccionRectangular: R 0.3 0.5 25e6 0.2 0  1 2 3 4\n"
    "rotacionBarra: 30 4\narticulacion: 1 0.5 1 0  3\npuntual: P 10 -4 -20 0 0 3  4\n"
    "distribuidaLocalY: Q -8 -12  3\ndistribuidaLocalZ: Q 2 2  4\n";
const std::string kCombos = "combo: C1 1 P 1 Q\ncombo: C2 1.2 Q\n";

TEST(Reanalisis, CambiarUnaCargaUnNudoOUnApoyoDaLoMismoQueCargarDeNuevo) {
    const struct {
        const char* nombre;
        std::function<void()> cambiar;  // el cambio en memoria
        std::string modelo;             // el mismo cambio escrito en el archivo
    } casos[] = {
        {"carga",
         [] {
             nudoUsuario(4).setCargaPuntual("V", 0, 7, 0, 1, 0, 0);
             nudoUsuario(4).setCombo("C2", 0.5, "V");
             for (objBarra3d& b : barra) b.setCombo("C2", 0.5, "V");
         },
         kBase + "puntual: V 0 7 0 1 0 0  4\ncombo: C1 1 P 1 Q\ncombo: C2 1.2 Q 0.5 V\n"},
        {"nudo movido",
         [] {
             nudoUsuario(4).setCoordenadas(5.5, 0.25, 3.5);
             barraUsuario(2).setNudoFinal(internoDeNudo(4), 5.5, 0.25, 3.5);
             barraUsuario(3).setNudoFinal(internoDeNudo(4), 5.5, 0.25, 3.5);
             barraUsuario(4).setNudoInicio(internoDeNudo(4), 5.5, 0.25, 3.5);
         },
         "nudos: 1 0 0 0  2 5 0 0  3 0 0 3  4 5.5 0.25 3.5  5 5 4 3\n" + kBase.substr(kBase.find("barras:")) + kCombos},
        {"apoyo", [] { nudoUsuario(2).setApoyo(1, 1, 1, 1, 0, 0); },
         kBase + kCombos + "apoyo: 1 1 1 1 0 0  2\n"},
    };
    for (const auto& c : casos) {
        ASSERT_TRUE(analizarModelo(kBase + kCombos)) << c.nombre;
        const std::string antes = reporte();
        c.cambiar();
        ASSERT_TRUE(resolver()) << c.nombre;
        const std::string despues = reporte();
        EXPECT_NE(despues, antes) << c.nombre;
        ASSERT_TRUE(analizarModelo(c.modelo)) << c.nombre;
        EXPECT_EQ(despues, reporte()) << c.nombre;
    }
}

TEST(Reanalisis, LasConsultasDeLaBarraSoloLeenYBorrarLasDejaEnCero) {
    // (Que un nudo movido o unos desplazamientos nuevos den rigidez y fuerzas nuevas lo muestra
    // la prueba anterior, contra el reporte del modelo cargado de nuevo.)
    objBarra3d b = barraEntre({0, 0, 0}, {4, 0, 0});
    b.setSeccionRectangular(0.3, 0.5);
    b.setModuloEyPoisson(25e6, 0.2);
    b.setCombo("C", 1, "sin cargas");
    const Eigen::MatrixXd k = b.getKGlobal();
    Eigen::MatrixXd u = Eigen::MatrixXd::Zero(12, 1);
    u(6, 0) = 1e-3, u(7, 0) = -2e-3, u(11, 0) = 1e-3;
    b.setDesplazamientos(u);

    // Todas las consultas de resultados se hacen sobre una barra constante y sólo leen.
    const objBarra3d& leida = b;
    EXPECT_TRUE(leida.tieneResultados());
    EXPECT_EQ(leida.getSolicitacionAxial(0, 5).cols(), 5);
    EXPECT_EQ(leida.getSolicitacionTorsion(0, 5).cols(), 5);
    EXPECT_NEAR(leida.getSolicitacionMy(0, 2)(1, 1), leida.getFuerzasExtremos()(11, 0), 1e-9);
    EXPECT_EQ(leida.getXVYcero(0), -1);  // sin carga de tramo el corte es constante
    EXPECT_EQ(leida.getBarraDeformada(0, 3, 1).cols(), 3);
    EXPECT_EQ(leida.getKGlobal(), k);

    // Borrar los resultados los borra todos a la vez; las consultas dan ceros.
    b.borrarResultados();
    EXPECT_FALSE(leida.tieneResultados());
    EXPECT_EQ(leida.getFuerzasExtremos(), Eigen::MatrixXd::Zero(12, 1));
    EXPECT_EQ(leida.getSolicitacionVy(0, 3).row(1), Eigen::RowVectorXd::Zero(3));
}
