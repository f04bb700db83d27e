// Cargador del modelo ante archivos con errores: números que no nombran nada,
// números repetidos, barras sin nudos o de largo nulo, direcciones nulas,
// combinaciones repetidas o vacías, archivo ausente o sin nudos.
#include "utilidades.h"

TEST(CargadorFallas, CadaFallaConSuAvisoYElModeloQuedaCoherente) {
    const Lineas consola = cargarModelo(
        "nudos: 1 0 0 0  2 3 0 0  5 6 0 0  2 4 0 0\n"
        "barras: 1 1 2  2 2 5  3 1 8  4 5 5  2 1 5  5 8 9\n"
        "apoyo: 1 1 1 1 1 1  1\n"
        "apoyo: 0 0 0 0 0 0  3 7 -1\n"
        "puntual: L 0 0 -10 0 0 0  5 4\n"
        "seccionRectangular: R 0.2 0.4 25e6 0.2 24  1 2 3 6\n"
        "distribuidaGlobal: D 1 1 0 0 0  1\n"
        "distribuidaGlobal: D 2 2 0 0 -1  2 9\n"
        "rotacionBarra: 30  3\n"
        "articulacion: 1 0 1 0  4\n"
        "combo: A 1 L\n"
        "combo: B\n"
        "combo: A 2 D\n"
        "combo: C 1 D\n"
        "precision: -5\n");
    const Lineas esperadas = Lineas{
        "lectura de nudos OK Num Nudos = 4",
        "lectura de barras OK Num Barras = 6",
        "Advertencia: el nudo 2 está definido más de una vez; se usa la última definición",
        "Advertencia: la barra 2 está definida más de una vez; se usa la última definición",
        "Advertencia: el nudo 3 no existe (etiqueta apoyo:)",
        "Advertencia: el nudo 7 no existe (etiqueta apoyo:)",
        "Advertencia: el nudo -1 no existe (etiqueta apoyo:)",
        "transferencia de apoyos a nudo[i] OK",
        "Advertencia: el nudo 4 no existe (etiqueta puntual:)",
        "transferencia de cargas puntuales a nudo[i] OK",
        "Advertencia: el combo A está definido más de una vez; se suman sus términos",
        "Advertencia: el combo B no tiene factores",
        "transferencia de combos a nudo[i] OK",
        "Advertencia: la barra 3 usa el nudo 8, que no existe",
        "Advertencia: la barra 4 tiene longitud cero y no se considera",
        "Advertencia: la barra 5 usa el nudo 8, que no existe",
        "Advertencia: la barra 5 usa el nudo 9, que no existe",
        "transferencia de coord a barra[i] OK",
        "Advertencia: la barra 3 no existe (etiqueta seccionRectangular:)",
        "Advertencia: la barra 6 no existe (etiqueta seccionRectangular:)",
        "Secciones Costanera leidas",
        "SeccionesW leidas",
        "Advertencia: la barra 3 no existe (etiqueta rotacionBarra:)",
        "Advertencia: dirección nula en distribuidaGlobal: (caso D)",
        "Advertencia: la barra 9 no existe (etiqueta distribuidaGlobal:)",
        "Advertencia: la barra 4 no existe (etiqueta articulacion:)",
        "No se calculará el peso propio de la estructura"};
    // "precision:" está en el archivo: sólo faltan las diez escalas.
    const Lineas escalas = avisosDeAjustes();
    EXPECT_EQ(consola, esperadas + Lineas(escalas.begin() + 1, escalas.end()));

    // Nudos: la fila repetida anterior se descarta; el número interno es la posición.
    ASSERT_EQ(noNudos, 3);
    for (size_t i = 0; i < nudo.size(); ++i) EXPECT_EQ(nudo[i].getNoNudoInterno(), static_cast<int>(i));
    EXPECT_DOUBLE_EQ(nudoUsuario(2).getX(), 4.0);
    // Un número que no nombra nudo no cae sobre el primero: el nudo 1 sigue empotrado y sin carga.
    EXPECT_EQ(nudoUsuario(1).getApoyo(), Eigen::VectorXi::Ones(6));
    EXPECT_TRUE(nudoUsuario(1).getCargasCombo().isZero());
    EXPECT_DOUBLE_EQ(nudoUsuario(5).getPzCombo(0), -10.0);

    // Barras: sólo la 1 y la 2 (la última definición, de 1 a 5).
    ASSERT_EQ(noBarras, 2);
    for (size_t i = 0; i < barra.size(); ++i) EXPECT_EQ(barra[i].getNoBarraInterna(), static_cast<int>(i));
    EXPECT_EQ(barraUsuario(2).getNudoFinalUsuario(), 5);
    EXPECT_EQ(internoDeBarra(3), -1);

    // Combinaciones: A (con los términos de ambos registros), B vacía y C, en
    // ese orden y en todos los nudos y barras.
    ASSERT_EQ(noCombos, 3);
    EXPECT_EQ(nombresCombos, (std::vector<std::string>{"A", "B", "C"}));
    for (const objNudo3d& n : nudo)
        EXPECT_EQ(Lineas({n.getNombreCombo(0), n.getNombreCombo(1), n.getNombreCombo(2)}), nombresCombos);
    for (const objNudo3d& n : nudo) EXPECT_EQ(n.getCargasCombo().cols(), 3);
    for (const objBarra3d& b : barra) EXPECT_EQ(b.getEtiquetasCombo(), nombresCombos);
    // Barra 2 horizontal (y local = +Z): la carga D de 2 hacia abajo es qy = -2.
    EXPECT_EQ(barraUsuario(2).getMatrizCargasCombo().col(2), Eigen::Vector3d(-4, 0, -2));
    // La dirección nula no cargó la barra 1.
    EXPECT_TRUE(barraUsuario(1).getMatrizCargasCombo().isZero());
    EXPECT_EQ(precision, 3);

    // Con cada nudo y barra en noCombos combinaciones el análisis corre.
    CapturaConsola silencio;
    EXPECT_TRUE(funcionSolve());
    EXPECT_EQ(u.cols(), 3);
}

TEST(CargadorFallas, ArchivoAusenteOSinNudos) {
    nombreArchivo = "/tmp/vantra3d_modelo_que_no_existe.txt";
    Lineas consola;
    {
        CapturaConsola captura;
        funcionLeerArchivo();
        consola = captura.lineas();
    }
    EXPECT_EQ(consola, (Lineas{"Error: no se pudo abrir el archivo de datos /tmp/vantra3d_modelo_que_no_existe.txt",
                               "lectura de nudos OK Num Nudos = 0", "lectura de barras OK Num Barras = 0",
                               "No se calculará el peso propio de la estructura"} +
                        avisosDeAjustes()));
    EXPECT_FALSE(archivoDatosAbierto);
    EXPECT_TRUE(nudo.empty());

    // Un archivo sin nudos: las barras no encuentran sus nudos y quedan fuera.
    consola = cargarModelo("barras: 1 1 2\napoyo: 1 1 1 1 1 1 1\ncombo: C 1 L\n");
    EXPECT_EQ(consola, (Lineas{"lectura de nudos OK Num Nudos = 0", "lectura de barras OK Num Barras = 1",
                               "Advertencia: el nudo 1 no existe (etiqueta apoyo:)",
                               "transferencia de apoyos a nudo[i] OK", "transferencia de combos a nudo[i] OK",
                               "Advertencia: la barra 1 usa el nudo 1, que no existe",
                               "Advertencia: la barra 1 usa el nudo 2, que no existe",
                               "transferencia de coord a barra[i] OK", "Secciones Costanera leidas",
                               "SeccionesW leidas", "No se calculará el peso propio de la estructura"} +
                        avisosDeAjustes()));
    EXPECT_TRUE(archivoDatosAbierto);
    EXPECT_EQ(noNudos, 0);
    EXPECT_EQ(noBarras, 0);
    CapturaConsola silencio;
    EXPECT_TRUE(funcionSolve());  // nada que resolver, y sin caerse
}
