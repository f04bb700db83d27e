// Cargador del modelo: números de usuario y qué definición gana, modelo sin
// barras y ajustes de dibujo y, ante un archivo con errores, cada línea de la
// consola una vez y en su orden con el modelo que queda coherente.
#include "utilidades.h"

TEST(Cargador, NumerosDeUsuarioYGanaLaUltimaDefinicion) {
    cargarModelo(
        "nudos: 10 0 0 0  20 3 0 0  30 6 0 0  40 9 0 0\n"
        "barras: 7 10 20  5 20 30  3 40 30\n"
        "apoyo: 1 1 1 0 0 0  10 40\n"
        "apoyo: 1 1 1 1 1 1  40\n"
        // La genérica gana a la rectangular aunque esté antes en el archivo.
        "seccionGenerica: G 0.01 1e-5 2e-5 3e-5 200e6 0.3 77  7\n"
        "seccionRectangular: R 0.2 0.4 25e6 0.2 24  7 5\n"
        "seccionPlaca: P 0.2 0.4 25e6 0.2 24  5\n"
        "seccionCostanera: C200x75 200 75 20 2 3 200e3 0.3 0  3\n"
        "rotacionBarra: 90  5 3\n"
        "articulacion: 1 0 1 0  7\n"
        "articulacion: 0.5 1 1 0.25  7\n");
    EXPECT_EQ(nudoUsuario(10).getApoyo(), (Eigen::VectorXi(6) << 1, 1, 1, 0, 0, 0).finished());
    EXPECT_EQ(nudoUsuario(40).getApoyo(), Eigen::VectorXi::Ones(6));
    const objBarra3d &b7 = barraUsuario(7), &b5 = barraUsuario(5), &b3 = barraUsuario(3);
    EXPECT_EQ(Eigen::Vector2i(b3.getNudoInicioInterno(), b3.getNudoFinalInterno()), Eigen::Vector2i(3, 2));
    EXPECT_DOUBLE_EQ(b3.getLongitud(), 3.0);
    EXPECT_EQ(b7.getNombreDeSeccion(), "G");
    EXPECT_EQ(b7.getArea(), 0.01);
    EXPECT_EQ(Eigen::Vector4d(b7.getArtIniY(), b7.getArtFinY(), b7.getArtIniZ(), b7.getArtFinZ()),
              Eigen::Vector4d(0.5, 1, 1, 0.25));
    EXPECT_EQ(Eigen::Vector3d(b5.getCodigoSeccion(), b5.getFactorDeForma(), b5.getArtFinY()), Eigen::Vector3d(4, 1.2, 1));
    EXPECT_DOUBLE_EQ(b5.getAlfaDeg(), 180.0);
    EXPECT_DOUBLE_EQ(b3.getAlfaDeg(), 180.0);
    // Costanera: el archivo da alma 200 y ala 75; el contorno mide 200 de alto y 75 de ancho.
    const Eigen::MatrixXd contorno = b3.getPerimetroSeccion();
    EXPECT_DOUBLE_EQ(contorno.row(1).maxCoeff() - contorno.row(1).minCoeff(), 200.0);
    EXPECT_DOUBLE_EQ(contorno.row(0).maxCoeff() - contorno.row(0).minCoeff(), 75.0);
}

TEST(Cargador, SinBarrasYAjustesDeDibujo) {
    // Sin barras no sale ninguna línea de barras, ni siquiera las de secciones; con todas las
    // etiquetas de dibujo no hay avisos; escalaMz: 0 conserva el valor por defecto.
    EXPECT_EQ(cargarModelo("nudos: 1 0 0 0 2 1 0 0 apoyo: 1 1 1 1 1 1 1 puntual: L 1 0 0 0 0 0 2 pesoPropio: PP\n"
                           "precision: 2 escalaTexto: 0.3 escalaDeflexion: 50 escalaMy: 0.5 escalaMz: 0 escalaVy: 0.1 "
                           "escalaVz: 0.1 escalaN: 0.1 escalaT: 0.1 escalaApoyo: 0.2 escalaCarga: 0.3\n"),
              (Lineas{"lectura de nudos OK Num Nudos = 2", "lectura de barras OK Num Barras = 0",
                      "transferencia de apoyos a nudo[i] OK", "transferencia de cargas puntuales a nudo[i] OK",
                      "Lectura de pesoPropio ---> OK",
                      // Cargas que ninguna combinación usa, y nada que calcular.
                      "Advertencia: el caso L no está en ningún combo", "Advertencia: el caso PP no está en ningún combo",
                      "Advertencia: no hay combos: no hay nada que calcular"}));
    EXPECT_EQ((std::vector<double>{double(precision), escalaMy, escalaMz, escalaDef, escalaApoyo}),
              (std::vector<double>{2, 0.5, 0.02, 50, 0.2}));
    // Una nueva carga vuelve a los valores por defecto lo que el archivo ya no trae;
    // una precisión negativa deja la de defecto.
    for (auto [texto, esperada] : {std::pair{"precision: 0", 0}, {"precision: -1", 3}, {"precision: 7", 7}}) {
        cargarModelo(texto);
        EXPECT_EQ(Eigen::Vector3d(precision, escalaMy, escalaApoyo), Eigen::Vector3d(esperada, 0.02, 0)) << texto;
    }
}

TEST(Cargador, CadaFallaConSuAvisoYElModeloQuedaCoherente) {
    const Lineas consola = cargarModelo(
        "nudos: 1 0 0 0  2 3 0 0  5 6 0 0  -1 0 0 0  2 4 0 0\n"
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
        "pesoPropio: PP pesoPropio: G\n");
    EXPECT_EQ(consola,
              Lineas({"lectura de nudos OK Num Nudos = 5",
                      "lectura de barras OK Num Barras = 6",
                      "Advertencia: el nudo 2 está definido más de una vez; se usa la última definición",
                      "Error: número de nudo no válido -1; la fila no se considera",
                      "Advertencia: la barra 2 está definida más de una vez; se usa la última definición",
                      "Error: el nudo 3 no existe (etiqueta apoyo:)",
                      "Error: el nudo 7 no existe (etiqueta apoyo:)",
                      "Error: el nudo -1 no existe (etiqueta apoyo:)",
                      "transferencia de apoyos a nudo[i] OK",
                      "Error: el nudo 4 no existe (etiqueta puntual:)",
                      "transferencia de cargas puntuales a nudo[i] OK",
                      "Advertencia: el combo A está definido más de una vez; se suman sus términos",
                      "Error: el combo B no tiene factores",
                      "transferencia de combos a nudo[i] OK",
                      "Error: la barra 3 usa el nudo 8, que no existe",
                      "Error: la barra 4 tiene longitud cero y no se considera",
                      "Error: la barra 5 usa el nudo 8, que no existe",
                      "Error: la barra 5 usa el nudo 9, que no existe",
                      "transferencia de coord a barra[i] OK",
                      "Error: la barra 3 no existe (etiqueta seccionRectangular:)",
                      "Error: la barra 6 no existe (etiqueta seccionRectangular:)",
                      "Secciones Costanera leidas",
                      "SeccionesW leidas",
                      "Error: la barra 3 no existe (etiqueta rotacionBarra:)",
                      "Error: dirección nula en distribuidaGlobal: (caso D; la carga se descarta)",
                      "Error: la barra 9 no existe (etiqueta distribuidaGlobal:)",
                      "Error: la barra 4 no existe (etiqueta articulacion:)",
                      "Error: la etiqueta pesoPropio: está más de una vez; no se calcula el peso propio"}) +
                  avisosDeAjustes());
    // Errores de entrada: todo lo que el archivo pide y el programa no puede hacer; los avisos
    // (definiciones repetidas, los ajustes de dibujo que faltan) no cuentan.
    EXPECT_EQ(mensajes.cantidad(nivelMensaje::error), 17);

    // Nudos y barras: la fila repetida anterior se descarta; el número interno es la posición.
    ASSERT_EQ(noNudos, 3);
    ASSERT_EQ(noBarras, 2);
    for (size_t i = 0; i < nudo.size(); ++i) EXPECT_EQ(nudo[i].getNoNudoInterno(), static_cast<int>(i));
    for (size_t i = 0; i < barra.size(); ++i) EXPECT_EQ(barra[i].getNoBarraInterna(), static_cast<int>(i));
    EXPECT_DOUBLE_EQ(nudoUsuario(2).getX(), 4.0);
    EXPECT_EQ(barraUsuario(2).getNudoFinalUsuario(), 5);
    EXPECT_EQ(internoDeBarra(3), -1);
    // Un número que no nombra nudo no cae sobre el primero: el nudo 1 sigue empotrado y sin carga.
    EXPECT_EQ(nudoUsuario(1).getApoyo(), Eigen::VectorXi::Ones(6));
    EXPECT_TRUE(nudoUsuario(1).getCargasCombo().isZero());
    EXPECT_DOUBLE_EQ(nudoUsuario(5).getPzCombo(0), -10.0);

    // Combinaciones: A (con los términos de ambos registros), B vacía y C, en
    // ese orden, leídas una vez; cada nudo y barra tiene sus cargas de las tres.
    ASSERT_EQ(combinaciones.size(), 3u);
    EXPECT_EQ(Lineas({combinaciones[0].nombre, combinaciones[1].nombre, combinaciones[2].nombre}),
              (Lineas{"A", "B", "C"}));
    EXPECT_TRUE(combinaciones[1].terminos.empty());
    for (const objNudo3d& n : nudo) EXPECT_EQ(n.getCantidadDeCombos(), 3);
    for (const objBarra3d& b : barra) EXPECT_EQ(b.getCantidadDeCombos(), 3);
    // Barra 2 horizontal (y local = +Z): la carga D de 2 hacia abajo es qy = -2.
    // La dirección nula no cargó la barra 1.
    EXPECT_EQ(barraUsuario(2).getMatrizCargasCombo().col(2), Eigen::Vector3d(-4, 0, -2));
    EXPECT_TRUE(barraUsuario(1).getMatrizCargasCombo().isZero());
    // Con cada nudo y barra en noCombos combinaciones el análisis corre: un caso de resultados por combinación.
    EXPECT_TRUE(funcionSolve());
    EXPECT_EQ(resultados.casos.size(), 3u);
}

TEST(Cargador, ArchivoAusenteOSinNudos) {
    EXPECT_EQ(cargarArchivo("/tmp/vantra3d_modelo_que_no_existe.txt"),
              (Lineas{"Error: no se pudo abrir el archivo de datos /tmp/vantra3d_modelo_que_no_existe.txt",
                      "lectura de nudos OK Num Nudos = 0", "lectura de barras OK Num Barras = 0",
                      "No se calculará el peso propio de la estructura"} + avisosDeAjustes()));
    EXPECT_FALSE(archivoDatosAbierto);
    EXPECT_TRUE(nudo.empty());
    // Un archivo sin nudos: las barras no encuentran sus nudos y quedan fuera; nada que resolver.
    cargarModelo("barras: 1 1 2\napoyo: 1 1 1 1 1 1 1\ncombo: C 1 L\n");
    EXPECT_TRUE(archivoDatosAbierto);
    EXPECT_EQ(noNudos + noBarras, 0);
    EXPECT_TRUE(funcionSolve());
}
