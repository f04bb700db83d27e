// Resultados calculados una vez por análisis y guardados en los casos de resultados: volver a
// analizar un modelo cambiado en memoria da lo mismo que cargarlo y analizarlo de nuevo (un nudo
// movido no pide tocar sus barras), y un análisis que falla no deja resultados viejos.
#include <functional>

#include "utilidades.h"

// Pórtico espacial con rótulas, cargas en nudos y en barras, dos combinaciones.
const std::string kBase =
    "nudos: 1 0 0 0  2 5 0 0  3 0 0 3  4 5 0 3  5 5 4 3\nbarras: 1 1 3  2 2 4  3 3 4  4 4 5\n"
    "apoyo: 1 1 1 1 1 1  1 2\napoyo: 1 1 1 0 0 0  5\nseccionRectangular: R 0.3 0.5 25e6 0.2 0  1 2 3 4\n"
    "rotacionBarra: 30 4\narticulacion: 1 0.5 1 0  3\npuntual: P 10 -4 -20 0 0 3  4\n"
    "distribuidaLocalY: Q -8 -12  3\ndistribuidaLocalZ: Q 2 2  4\ndistribuidaGlobal: Q 1 3 0.3 0 -1  2 4\n";
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
             combinaciones[1].terminos.emplace_back(0.5, "V");
             for (objNudo3d& n : nudo) n.setCombos(combinaciones);
             for (objBarra3d& b : barra) b.setCombos(combinaciones);
         },
         kBase + "puntual: V 0 7 0 1 0 0  4\ncombo: C1 1 P 1 Q\ncombo: C2 1.2 Q 0.5 V\n"},
        // Las barras leen las coordenadas de sus nudos: largo, ejes y cargas de dirección global
        // siguen al nudo sin más.
        {"nudo movido", [] { nudoUsuario(4).setCoordenadas(5.5, 0.25, 3.5); },
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

TEST(Reanalisis, UnAnalisisFallidoNoDejaResultadosViejos) {
    ASSERT_TRUE(analizarModelo(kBase + kCombos));
    ASSERT_EQ(resultados.casos.size(), 2u);
    EXPECT_EQ(resultados.casos[1].nombre, "C2");
    EXPECT_EQ(resultados.casos[1].barras.size(), barra.size());
    // Sin el empotramiento del nudo 1 el pórtico es un mecanismo: los casos, los modos y el
    // sistema armado se descartan, y las consultas no encuentran nada.
    nudoUsuario(1).setApoyo(0, 0, 0, 0, 0, 0);
    nudoUsuario(5).setApoyo(0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(resolver());
    EXPECT_FALSE(resultados.disponibles);
    EXPECT_TRUE(resultados.casos.empty());
    EXPECT_EQ(resultados.rigidez.rows(), 0);
    EXPECT_EQ(casoDeResultados(resultados, 0), nullptr);
}
