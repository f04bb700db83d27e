// Modo por lotes (--calcular) de punta a punta en un directorio temporal:
// líneas de reacciones y de equilibrio, estados de salida y casos de falla.
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>

#include "arranque.h"
#include "reporte/consolaLotes.h"
#include "reporte/equilibrio.h"
#include "utilidades.h"

namespace {

// Viga de dos tramos: el nudo 1 articulado con la torsión fija, el 3 apoyado
// en Y y Z, el 2 libre (no se lista) con P = 10 hacia abajo.
const char* const kViga =
    "nudos: 1 0 0 0 2 3 0 0 3 6 0 0\nbarras: 1 1 2 2 2 3\n"
    "apoyo: 1 1 1 1 0 0 1\napoyo: 0 1 1 0 0 0 3\n"
    "seccionRectangular: R 0.2 0.5 30e6 0.2 0  1 2\n"
    "puntual: P 0 0 -10 0 0 0 2\ncombo: C1 1 P\ncombo: C2 2 P\n";

int calcular(const std::string& modelo, Lineas& salida) {
    if (!modelo.empty()) std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    const int estado = funcionCalcularLotes("modelo.txt");
    salida = consola.lineas();
    return estado;
}

}  // namespace

TEST(Lotes, LineaDeReaccionesConNumerosConocidos) {
    // Nudo 12 con Ux, Uz, Rx y Rz apoyados; en Uy y Ry (libres) el análisis
    // deja un residuo que se imprime como 0.
    objNudo3d n;
    n.setNoNudoInterno(0);
    n.setNoNudoUsuario(12);
    n.setApoyo(1, 0, 1, 1, 0, 1);
    n.setCombo("C", 1, "X");
    n.setReacciones((Eigen::MatrixXd(6, 1) << 5, 7, -1234567.891, 2.5e-17, 3, -0.000123456789).finished());
    EXPECT_EQ(lineaReacciones(n, 0),
              "nudo 12: 5.000000e+00 0.000000e+00 -1.234568e+06 2.500000e-17 0.000000e+00 -1.234568e-04");
}

TEST(Lotes, ReaccionesYEquilibrioPorCombinacion) {
    const Lineas cargador = cargarModelo(kViga);
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(kViga, salida), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file("resultados.txt"));
    // Primero las mismas líneas del cargador que en el arranque normal.
    ASSERT_EQ(salida.size(), cargador.size() + 8);
    EXPECT_EQ(Lineas(salida.begin(), salida.begin() + static_cast<long>(cargador.size())), cargador);
    auto linea = salida.begin() + static_cast<long>(cargador.size());
    for (int c = 0; c < 2; ++c) {
        const std::string combo = "C" + std::to_string(c + 1);
        EXPECT_EQ(*linea++, "Reacciones del combo " + combo);
        // Nudo 1: Rz = P/2 con los giros Ry, Rz libres; nudo 3: Rz = P/2 con sólo Uy, Uz apoyados.
        for (auto [n, libres] : {std::pair{1, "000011"}, {3, "100111"}}) {
            std::istringstream campos(*linea);
            std::string palabra, numero;
            campos >> palabra >> numero;
            EXPECT_EQ(linea->rfind("nudo " + std::to_string(n) + ": ", 0), 0u) << *linea;
            for (int k = 0; k < 6; ++k) {
                std::string v;
                campos >> v;
                if (libres[k] == '1') EXPECT_EQ(v, "0.000000e+00") << *linea;
                else EXPECT_NEAR(std::stod(v), k == 2 ? 5.0 * (c + 1) : 0.0, 1e-9) << *linea;
            }
            ++linea;
        }
        const std::string equilibrio = "Equilibrio del combo " + combo + ": error relativo ";
        ASSERT_EQ(linea->rfind(equilibrio, 0), 0u) << *linea;
        const std::string e = linea++->substr(equilibrio.size());
        EXPECT_TRUE(e.size() == 7 && e[1] == '.' && e[3] == 'e') << e;
        EXPECT_LE(std::stod(e), 1e-9) << e;
    }
}

TEST(Lotes, EquilibrioConCargasYReaccionesConocidas) {
    // Barra horizontal según Y de (2,0,1) a (2,4,1): x local = Y, y local = Z.
    // Carga trapecial qy de 3 a 5: 16 según Z a 13/6 del inicio; axial de 1: 4
    // según Y en el centro; torsión 0.5: un par de 2 según Y; en el nudo 2
    // (2,4,1) P = (0,0,-10) y M = (1,0,0). Resultante: fuerza (0,4,6) y momento
    // respecto del origen (-25/3,-10,8).
    const std::string modelo =
        "nudos: 1 2 0 1 2 2 4 1\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1 1\n"
        "seccionRectangular: R 0.2 0.5 30e6 0.2 0  1\ndistribuidaLocalY: Q 3 5 1\ndistribuidaLocalX: Q 1 1 1\n"
        "distribuidaLocalT: Q 0.5 1\npuntual: Q 0 0 -10 1 0 0 2\ncombo: C1 1 Q\ncombo: C2 1 Q\ncombo: V 0 Q\n";
    ASSERT_TRUE(analizarModelo(modelo));
    const Vec6 cargas = (Vec6() << 0, 4, 6, -25.0 / 3, -10, 8).finished();
    for (int c = 0; c < 2; ++c) {
        EXPECT_TRUE(casiIguales(resultanteCargas(c), cargas, 1e-14)) << resultanteCargas(c).transpose();
        EXPECT_TRUE(casiIguales(resultanteReacciones(c), -cargas, 1e-12)) << resultanteReacciones(c).transpose();
        EXPECT_LE(errorEquilibrio(c), 1e-12);
    }
    // Reacciones puestas a mano en el nudo 1 (las del nudo 2, libre, no cuentan):
    // en C1 sobran 0.01 según Z, con |C_F| = √52 como escala: E = 0.01/√52; en C2
    // sobra un par de -3 según Z, que pesa 3/ℓ con ℓ = √21 (el nudo 2) frente a
    // |C_F| = √52: E = 3/√21/√52. Sin cargas ni reacciones, E = 0.
    const Eigen::Vector3d r1(2, 0, 1), cF = cargas.head<3>(), cM = cargas.tail<3>();
    Eigen::MatrixXd R = Eigen::MatrixXd::Constant(12, 3, 99.0);
    const Eigen::Vector3d f1 = -cF + Eigen::Vector3d(0, 0, 0.01), f2 = -cF;
    R.block<6, 1>(0, 0) << f1, -cM - r1.cross(f1);
    R.block<6, 1>(0, 1) << f2, -cM - r1.cross(f2) + Eigen::Vector3d(0, 0, -3);
    R.block<6, 1>(0, 2).setZero();
    nudoUsuario(1).setReacciones(R);
    EXPECT_NEAR(errorEquilibrio(0), 0.01 / std::sqrt(52.0), 1e-12);
    EXPECT_NEAR(errorEquilibrio(1), 3 / std::sqrt(21.0) / std::sqrt(52.0), 1e-12);
    EXPECT_EQ(errorEquilibrio(2), 0.0);
    CapturaConsola consola;
    imprimirReacciones();
    const Lineas l = consola.lineas();
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[2], "Equilibrio del combo C1: error relativo 1.4e-03");
    EXPECT_EQ(l[5], "Equilibrio del combo C2: error relativo 9.1e-02");
    EXPECT_EQ(l[8], "Equilibrio del combo V: error relativo 0.0e+00");
}

TEST(Lotes, FallasSalenConUno) {
    const struct {
        const char* nombre;
        std::string modelo;  // vacío: no hay archivo de modelo
        bool reporteBloqueado;
        std::string mensaje;
    } casos[] = {
        {"archivo ausente", "", false, "Error: no se pudo abrir el archivo de datos modelo.txt"},
        {"estructura inestable", leerArchivo(VANTRA_DATOS "/catalogo/mecanismo.txt"), false,
         "Error: la estructura es inestable; la matriz de rigidez no es definida positiva"},
        {"reporte imposible", kViga, true, "Error: no se pudo escribir el archivo resultados.txt"},
    };
    for (const auto& c : casos) {
        DirectorioTemporal dir;
        if (c.reporteBloqueado) std::filesystem::create_directory("resultados.txt");
        Lineas salida;
        EXPECT_EQ(calcular(c.modelo, salida), 1) << c.nombre;
        EXPECT_NE(std::find(salida.begin(), salida.end(), c.mensaje), salida.end()) << c.nombre;
        EXPECT_FALSE(std::any_of(salida.begin(), salida.end(), [](auto& l) { return l.rfind("Reacciones", 0) == 0; }));
        EXPECT_FALSE(std::filesystem::is_regular_file("resultados.txt")) << c.nombre;
    }
}

TEST(Lotes, EjecutableConArchivoPorDefecto) {
    // El ejecutable se compila sólo con el visor, junto al directorio de las pruebas.
    const std::filesystem::path exe =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "vantra3d";
    if (!std::filesystem::exists(exe)) GTEST_SKIP() << "no está compilado " << exe;
    DirectorioTemporal dir;
    const auto correr = [&](int estadoEsperado) {
        const int estado = std::system(("'" + exe.string() + "' --calcular > salida.txt 2>&1").c_str());
        EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == estadoEsperado) << leerArchivo("salida.txt");
        return leerArchivo("salida.txt");
    };
    EXPECT_EQ(correr(1).rfind("Error: no se pudo abrir el archivo de datos ingresoDatos.txt\n", 0), 0u);
    std::filesystem::copy_file(VANTRA_EJEMPLOS "/ingresoDatos.txt", "ingresoDatos.txt");
    const std::string texto = correr(0);
    // Sin limpiar la terminal: lo primero son las líneas del cargador.
    EXPECT_EQ(texto.rfind("lectura de nudos OK Num Nudos = 9\n", 0), 0u) << texto;
    EXPECT_EQ(texto.find('\x1b'), std::string::npos);
    EXPECT_NE(texto.find("\nReacciones del combo VIENTO\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file("resultados.txt"));
}
