// Modo por lotes (--calcular) de punta a punta en un directorio temporal:
// líneas de reacciones, estados de salida y casos de falla.
#include <sys/wait.h>

#include <cstdlib>

#include "arranque.h"
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

TEST(Lotes, ReaccionesPorCombinacion) {
    const Lineas cargador = cargarModelo(kViga);
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(kViga, salida), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file("resultados.txt"));
    // Primero las mismas líneas del cargador que en el arranque normal.
    ASSERT_EQ(salida.size(), cargador.size() + 6);
    EXPECT_EQ(Lineas(salida.begin(), salida.begin() + static_cast<long>(cargador.size())), cargador);
    auto linea = salida.begin() + static_cast<long>(cargador.size());
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(*linea++, "Reacciones del combo C" + std::to_string(c + 1));
        // Nudo 1: Rz = P/2 con los giros Ry, Rz libres; nudo 3: Rz = P/2 con sólo Uy, Uz apoyados.
        // Cada valor con %.6e; lo libre sale como 0 aunque el análisis deje un residuo.
        for (auto [n, libres] : {std::pair{1, "000011"}, {3, "100111"}}) {
            std::string esperada = "nudo " + std::to_string(n) + ":";
            for (int k = 0; k < 6; ++k) {
                const double r = libres[k] == '1' ? 0.0 : reaccionesDe(n, c)(k);
                EXPECT_NEAR(r, k == 2 ? 5.0 * (c + 1) : 0.0, 1e-9) << n << " " << k;
                char v[32];
                std::snprintf(v, sizeof v, " %.6e", r);
                esperada += v;
            }
            EXPECT_EQ(*linea++, esperada);
        }
    }
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
