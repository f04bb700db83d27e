// Línea de órdenes: orden de las filas, respuestas, combinaciones y aislamiento.
#include <string>

#include "entornoVisor.h"

TEST_F(EntornoVisor, CapasSeReemplazanYRespondenSegunElEstadoNuevo) {
    orden("plotDef");
    EXPECT_EQ(dialogo, "Deformaciones Activadas. Ingrese Comando:");
    orden("plotN");
    EXPECT_EQ(dialogo, "Fuerzas Axiales Activadas. Ingrese Comando:");
    EXPECT_FALSE(flagActivo(3));
    EXPECT_TRUE(flagActivo(4));
    orden("plotN");
    EXPECT_EQ(dialogo, "Fuerzas Axiales Desactivadas. Ingrese Comando:");
    for (int i : {3, 4, 5, 6, 7, 8, 10, 11, 21}) EXPECT_FALSE(flagActivo(i)) << i;

    orden("plotT");
    EXPECT_EQ(dialogo, "Torsion Activadas. Ingrese Comando:");
    orden("plotT");
    EXPECT_EQ(dialogo, "Torsion Desactivada. Ingrese Comando:");
    // Los apoyos arrancan encendidos: la primera orden los apaga.
    orden("plotApoyos");
    EXPECT_EQ(dialogo, "Graficacion de Apoyos Desactivada. Ingrese Comando:");
    EXPECT_EQ(comando, "");
}

TEST_F(EntornoVisor, VolumenYEtiquetasSeExcluyenPeroNoTagsNoTocaElVolumen) {
    orden("tagNudos");
    orden("tagBarras");
    orden("plotVolumen");
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    EXPECT_FALSE(flagActivo(0));
    EXPECT_FALSE(flagActivo(1));
    EXPECT_TRUE(flagActivo(20));
    orden("noTags");
    EXPECT_TRUE(flagActivo(20));
    orden("tagNudos");
    EXPECT_FALSE(flagActivo(20));
    orden("secciones");
    orden("noTags");
    EXPECT_EQ(flags[0], 0);
    EXPECT_EQ(flags[2], 0);
}

TEST_F(EntornoVisor, ComboPorNombre) {
    cargarModelo(kModeloMensula);
    orden("combo");
    EXPECT_EQ(dialogo, "Escriba el nombre del Combo y presione ENTER:");
    orden("C2");
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, 1);
    EXPECT_TRUE(flagActivo(101));
    EXPECT_FALSE(flagActivo(100));

    orden("combo");
    orden("c2");  // los nombres distinguen mayúsculas
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_TRUE(flagActivo(101));

    // Fuera de la espera, un nombre de combinación no hace nada.
    orden("C1");
    EXPECT_FALSE(flagActivo(100));
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");

    // "combo" durante la espera: se busca "combo" y se vuelve a pedir el nombre.
    orden("combo");
    orden("combo");
    EXPECT_EQ(dialogo, "Escriba el nombre del Combo y presione ENTER:");
    orden("C2");
    EXPECT_FALSE(flagActivo(101));
}

TEST_F(EntornoVisor, UnaOrdenDuranteLaEsperaDeComboGanaPorOrden) {
    cargarModelo(kModeloMensula);
    orden("combo");
    orden("plotDef");  // la fila de plotDef cambia el indicador antes de la búsqueda
    EXPECT_EQ(dialogo, "Deformaciones Activadas. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_FALSE(flagActivo(100));
    EXPECT_FALSE(flagActivo(101));

    orden("aislar");
    orden("3");
    orden("combo");
    orden("noAislar");  // primero la búsqueda falla, luego se deshace el aislamiento
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(barrasAisladas, std::vector<int>(3, 1));
    EXPECT_EQ(nudosAislados, std::vector<int>(4, 1));
}

TEST_F(EntornoVisor, ComboSinNudosNoExiste) {
    orden("combo");
    orden("C1");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_EQ(numeroComboCoincidente, -1);
}

TEST_F(EntornoVisor, SoloLasPrimeras100CombinacionesTienenInterruptor) {
    std::string modelo = "nudos: 1 0 0 0  2 5 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                         "puntual: P 0 0 -10 0 0 0  2\n";
    for (int i = 0; i < 105; ++i) modelo += "combo: K" + std::to_string(i) + " 1 P\n";
    cargarModelo(modelo);
    orden("combo");
    orden("K99");
    EXPECT_EQ(flags[199], 1);
    orden("combo");
    orden("K104");
    EXPECT_EQ(numeroComboCoincidente, 104);
    EXPECT_EQ(dialogo, "Solo se pueden visualizar los primeros 100 combos. Ingrese Comando:");
    EXPECT_EQ(flags.size(), 200u);
}

TEST_F(EntornoVisor, OrdenDesconocidaSoloVaciaElComando) {
    const std::vector<int> antes = flags;
    orden("plotn");
    EXPECT_EQ(dialogo, "Comando:");
    EXPECT_EQ(comando, "");
    EXPECT_EQ(flags, antes);
}

TEST_F(EntornoVisor, SalirYExitTerminanConCero) {
    orden("salir");
    EXPECT_EQ(sistemaFalso().salidas, std::vector<int>{0});
    comando.clear();
    dialogo = "Escriba el nombre del Combo y presione ENTER:";
    orden("exit");  // gana a la espera de combinación
    EXPECT_EQ(sistemaFalso().salidas, (std::vector<int>{0, 0}));
}

TEST_F(EntornoVisor, AislarBarrasDeUnaListaValida) {
    cargarModelo(kModeloMensula);
    orden("aislar");
    EXPECT_EQ(dialogo, "Escriba lista de barras a aislar separadas por espacios:");
    orden("3 7");
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    EXPECT_EQ(barrasAisladas[b(3)], 1);
    EXPECT_EQ(barrasAisladas[b(7)], 1);
    EXPECT_EQ(barrasAisladas[b(5)], 0);
    for (int n : {1, 2, 3}) EXPECT_EQ(nudosAislados[nd(n)], 1) << n;
    EXPECT_EQ(nudosAislados[nd(4)], 0);

    // Un blanco final no abre otro trozo; los ceros a la izquierda valen.
    for (const char* lista : {"5 ", "005"}) {
        orden("aislar");
        orden(lista);
        EXPECT_EQ(dialogo, "Ingrese Comando:") << lista;
        EXPECT_EQ(barrasAisladas, (std::vector<int>{0, 0, 1})) << lista;
        EXPECT_EQ(nudosAislados, (std::vector<int>{0, 0, 1, 1})) << lista;
    }
    // Una lista vacía oculta todo.
    orden("aislar");
    orden("");
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    EXPECT_EQ(barrasAisladas, std::vector<int>(3, 0));
}

TEST_F(EntornoVisor, ListaNoValidaOcultaTodo) {
    cargarModelo(kModeloMensula);
    for (const char* lista : {"3 x", "3  7", " 3", "3 9", "3,7", "3.0", "2147483648", "99999999999999999999",
                              " ", "aislar"}) {
        orden("noAislar");
        orden("aislar");
        orden(lista);
        EXPECT_EQ(dialogo, std::string(lista) == "aislar"
                               ? "Escriba lista de barras a aislar separadas por espacios:"
                               : "Existen valores no válidos en la lista de barras.  Ingrese Comando:")
            << lista;
        EXPECT_EQ(barrasAisladas, std::vector<int>(3, 0)) << lista;
        EXPECT_EQ(nudosAislados, std::vector<int>(4, 0)) << lista;
    }
}
