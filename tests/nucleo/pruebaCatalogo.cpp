// Catálogo de modelos defectuosos: cada uno da su mensaje, no se cae y deja un
// resultado sensato (lo que carga, carga bien; lo inestable no tiene resultados).
#include <chrono>

#include "reporte/funcionPrint.h"
#include "utilidades.h"

namespace {

struct Resultado {
    std::string consola;
    bool estable;
};

Resultado cargarYAnalizar(const std::string& archivo) {
    nombreArchivo = archivo;
    CapturaConsola cap;
    funcionLeerArchivo();
    const bool estable = funcionSolve();
    if (estable) {
        std::ostringstream reporte;
        escribirReporte(reporte);
    }
    return {cap.texto(), estable};
}

std::string catalogo(const std::string& nombre) { return std::string(VANTRA_DATOS) + "/catalogo/" + nombre; }

struct Caso {
    const char* archivo;
    std::vector<const char*> mensajes;
    int nudos, barras, combos;
    bool estable;
};

}  // namespace

TEST(Catalogo, CadaModeloDefectuosoDaSuMensajeYUnResultadoSensato) {
    const Caso casos[] = {
        {"vacio.txt", {"lectura de nudos OK Num Nudos = 0"}, 0, 0, 0, true},
        {"palabras_en_bloques.txt", {"Advertencia: la barra 1 usa el nudo 2, que no existe"}, 1, 0, 0, false},
        {"filas_incompletas.txt",
         {"Faltan datos para completar la matriz nudos:", "Faltan datos para completar la matriz barras:"}, 0, 0, 0,
         true},
        {"numeros_sin_objeto.txt",
         {"Advertencia: el nudo 7 no existe (etiqueta apoyo:)", "Advertencia: el nudo -3 no existe (etiqueta apoyo:)",
          "Advertencia: el nudo 99999999999 no existe (etiqueta apoyo:)",
          "Advertencia: valor no válido 1e999 en la etiqueta apoyo:",
          "Advertencia: la barra 5 no existe (etiqueta seccionRectangular:)",
          "Advertencia: el nudo 8 no existe (etiqueta puntual:)"},
         2, 1, 1, true},
        {"signos_sueltos.txt",
         {"Advertencia: valor no válido - en la etiqueta nudos:",
          "Advertencia: valor no válido . en la etiqueta seccionRectangular:",
          "Advertencia: valor no válido e en la etiqueta precision:",
          "Advertencia: valor no válido + en la etiqueta escalaN:"},
         2, 1, 1, false},
        {"numeros_repetidos.txt",
         {"Advertencia: el nudo 1 está definido más de una vez; se usa la última definición",
          "Advertencia: la barra 1 está definida más de una vez; se usa la última definición"},
         2, 1, 1, true},
        {"barras_sin_nudos_validos.txt",
         {"Advertencia: la barra 2 tiene longitud cero y no se considera",
          "Advertencia: la barra 3 usa el nudo 9, que no existe"},
         3, 1, 1, false},
        // Los mensajes de las estructuras inestables se comprueban en Validacion.EstructuraInestable.
        {"barra_sin_seccion.txt", {}, 3, 2, 1, false},
        {"seccion_sin_material.txt", {}, 2, 1, 1, false},
        {"dimensiones_no_positivas.txt", {}, 2, 1, 1, false},
        {"combos_y_direccion_nula.txt",
         {"Advertencia: el combo C está definido más de una vez; se suman sus términos",
          "Advertencia: el combo VACIO no tiene factores",
          "Advertencia: dirección nula en distribuidaGlobal: (caso P)"},
         2, 1, 2, true},
        {"mecanismo.txt", {}, 2, 1, 1, false},
        {"nudo_suelto.txt", {}, 3, 1, 1, false},
        {"solo_apoyos.txt", {"lectura de barras OK Num Barras = 0"}, 2, 0, 1, true},
        {"solo_lectura.txt", {"transferencia de coord a barra[i] OK"}, 2, 1, 1, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.archivo);
        const Resultado r = cargarYAnalizar(catalogo(c.archivo));
        for (const char* m : c.mensajes) EXPECT_NE(r.consola.find(m), std::string::npos) << m;
        EXPECT_EQ(noNudos, c.nudos);
        EXPECT_EQ(noBarras, c.barras);
        EXPECT_EQ(noCombos, c.combos);
        EXPECT_EQ(r.estable, c.estable);
        EXPECT_EQ(resultadosDisponibles, c.estable);
        // Inestable: ni los nudos ni las barras guardan resultados.
        for (const objNudo3d& n : nudo) EXPECT_EQ(n.tieneResultados(), c.estable && noCombos > 0);
        for (const objBarra3d& b : barra) EXPECT_EQ(b.tieneResultados(), c.estable);
        if (c.estable) {
            EXPECT_TRUE(u.allFinite() && reacciones.allFinite());
        }
    }
}

TEST(Catalogo, ResultadosDeLosModelosQueCargan) {
    // Combinaciones repetidas se suman; la vacía existe con carga nula.
    ASSERT_TRUE(cargarYAnalizar(catalogo("combos_y_direccion_nula.txt")).estable);
    EXPECT_EQ(nudo[1].getNumeroDeCombo("C"), 1);
    EXPECT_NEAR(nudo[0].getReaccionRz(1), 15.0, 1e-9);
    EXPECT_NEAR(nudo[0].getReaccionRz(0), 0.0, 1e-9);
    // Sólo apoyos: todo restringido, las reacciones equilibran las cargas.
    ASSERT_TRUE(cargarYAnalizar(catalogo("solo_apoyos.txt")).estable);
    EXPECT_DOUBLE_EQ(nudo[1].getReaccionRx(0), -1.0);
    EXPECT_DOUBLE_EQ(nudo[1].getReaccionRz(0), 10.0);
    // La última definición de un nudo repetido es la que vale.
    cargarYAnalizar(catalogo("numeros_repetidos.txt"));
    EXPECT_DOUBLE_EQ(nudo[internoDeNudo(1)].getZ(), 1.0);
    EXPECT_EQ(barra[0].getNudoInicioUsuario(), 2);
}

TEST(Catalogo, ArchivoAusenteYCientoCincuentaCombinaciones) {
    Resultado r = cargarYAnalizar("/tmp/vantra3d_no_existe/modelo.txt");
    EXPECT_EQ(r.consola.rfind("Error: no se pudo abrir el archivo de datos /tmp/vantra3d_no_existe/modelo.txt\n", 0),
              0u);
    EXPECT_EQ(noNudos, 0);

    std::ostringstream m;
    m << "nudos: 1 0 0 0 2 4 0 0 barras: 1 1 2 apoyo: 1 1 1 1 1 1 1\n"
         "seccionRectangular: R 0.3 0.5 25e6 0.2 24 1 puntual: P 0 0 -1 0 0 0 2\n";
    for (int i = 1; i <= 150; ++i) m << "combo: C" << i << " " << i << " P\n";
    ArchivoTemporal a(m.str());
    r = cargarYAnalizar(a.ruta());
    EXPECT_NE(r.consola.find("Advertencia: solo se pueden visualizar los primeros 100 combos"), std::string::npos);
    ASSERT_EQ(noCombos, 150);
    ASSERT_TRUE(r.estable);
    EXPECT_NEAR(nudo[0].getReaccionRz(149), 150.0, 1e-9);
    EXPECT_EQ(barra[0].getCantidadDeCombos(), 150);
}

TEST(Catalogo, DiezMegabytesDePalabrasAlAzarCarganEnSegundos) {
    std::mt19937 azar(7);
    const char* palabras[] = {"nudos:", "barras:", "apoyo:", "combo:", "puntual:", "1", "2.5", "-3", "e", "x",
                              "seccionW:", "1e5", "0", "distribuidaGlobal:", "precision:", "articulacion:"};
    std::string texto;
    texto.reserve(10u << 20);
    while (texto.size() < (10u << 20)) {
        texto += palabras[azar() % (sizeof palabras / sizeof *palabras)];
        texto += (azar() % 8 == 0) ? '\n' : ' ';
    }
    ArchivoTemporal a(texto);
    nombreArchivo = a.ruta();
    const auto inicio = std::chrono::steady_clock::now();
    {
        CapturaConsola cap;
        funcionLeerArchivo();
    }
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    // Bajo los sanitizadores todo corre varias veces más lento; el límite deja margen.
    EXPECT_LT(segundos, 60.0);
    EXPECT_GE(noNudos, 0);
}

TEST(RegresionFuzz, LasEntradasQueEncontroElFuzzerYaNoFallan) {
    const std::string carpeta = std::string(VANTRA_DATOS) + "/fuzz";
    DIR* d = opendir(carpeta.c_str());
    ASSERT_NE(d, nullptr);
    int casos = 0;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] == '.') continue;
        SCOPED_TRACE(e->d_name);
        cargarYAnalizar(carpeta + "/" + e->d_name);
        ++casos;
    }
    closedir(d);
    EXPECT_GT(casos, 0);
}
