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

void escribir(const std::string& nombre, const std::string& contenido) { std::ofstream(nombre) << contenido; }

int calcular(const std::string& archivo, Lineas& salida) {
    CapturaConsola consola;
    const int estado = funcionCalcularLotes(archivo);
    salida = consola.lineas();
    return estado;
}

bool hayReacciones(const Lineas& l) {
    return std::any_of(l.begin(), l.end(), [](const std::string& s) { return s.rfind("Reacciones", 0) == 0; });
}

}  // namespace

TEST(Lotes, ReaccionesPorCombinacion) {
    const Lineas cargador = cargarModelo(kViga);
    DirectorioTemporal dir;
    escribir("viga.txt", kViga);
    Lineas salida;
    ASSERT_EQ(calcular("viga.txt", salida), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file("resultados.txt"));
    // Primero las mismas líneas del cargador que en el arranque normal.
    ASSERT_EQ(salida.size(), cargador.size() + 6);
    EXPECT_EQ(Lineas(salida.begin(), salida.begin() + static_cast<long>(cargador.size())), cargador);

    // Nudo 1: Rz = P/2 y los giros Ry, Rz libres; nudo 3: Rz = P/2 y sólo Uy, Uz apoyados.
    const struct {
        int nudo;
        bool libre[6];
    } filas[] = {{1, {false, false, false, false, true, true}}, {3, {true, false, false, true, true, true}}};
    size_t i = cargador.size();
    for (int c = 1; c <= 2; ++c) {
        EXPECT_EQ(salida[i++], "Reacciones del combo C" + std::to_string(c));
        for (const auto& f : filas) {
            const std::string& linea = salida[i++];
            int n = -1;
            double r[6] = {};
            ASSERT_EQ(std::sscanf(linea.c_str(), "nudo %d: %lf %lf %lf %lf %lf %lf", &n, &r[0], &r[1], &r[2], &r[3],
                                  &r[4], &r[5]),
                      7)
                << linea;
            // Se vuelve a escribir la línea con %.6e y 0 en las componentes libres:
            // así se comprueba el formato exacto y que lo libre sale como 0.
            std::string esperada = "nudo " + std::to_string(f.nudo) + ":";
            for (int k = 0; k < 6; ++k) {
                char v[32];
                std::snprintf(v, sizeof v, " %.6e", f.libre[k] ? 0.0 : r[k]);
                esperada += v;
                if (!f.libre[k]) {
                    EXPECT_NEAR(r[k], k == 2 ? 5.0 * c : 0.0, 1e-5) << linea;  // %.6e: 7 cifras
                }
            }
            EXPECT_EQ(linea, esperada);
        }
    }
}

TEST(Lotes, FallasSalenConUno) {
    const std::string inestable = "nudos: 1 0 0 0 2 4 0 0\nbarras: 1 1 2\napoyo: 1 1 1 0 0 0  1 2\n"
                                  "seccionRectangular: R 0.2 0.5 30e6 0.2 0  1\ncombo: C 1 P\n";
    const struct {
        const char* nombre;
        std::string modelo;  // vacío: no hay archivo de modelo
        bool reporteBloqueado;
        std::string mensaje;
    } casos[] = {
        {"archivo ausente", "", false, "Error: no se pudo abrir el archivo de datos modelo.txt"},
        {"estructura inestable", inestable, false,
         "Error: la estructura es inestable; la matriz de rigidez no es definida positiva"},
        {"reporte imposible", kViga, true, "Error: no se pudo escribir el archivo resultados.txt"},
    };
    for (const auto& c : casos) {
        DirectorioTemporal dir;
        if (!c.modelo.empty()) escribir("modelo.txt", c.modelo);
        if (c.reporteBloqueado) std::filesystem::create_directory("resultados.txt");
        Lineas salida;
        EXPECT_EQ(calcular("modelo.txt", salida), 1) << c.nombre;
        EXPECT_NE(std::find(salida.begin(), salida.end(), c.mensaje), salida.end()) << c.nombre;
        EXPECT_FALSE(hayReacciones(salida)) << c.nombre;
        EXPECT_EQ(std::filesystem::is_regular_file("resultados.txt"), false) << c.nombre;
    }
}

TEST(Lotes, EjecutableConArchivoPorDefecto) {
    // El ejecutable se compila sólo con el visor, junto al directorio de las pruebas.
    const std::filesystem::path exe =
        std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "vantra3d";
    if (!std::filesystem::exists(exe)) GTEST_SKIP() << "no está compilado " << exe;
    DirectorioTemporal dir;
    const std::string orden = "'" + exe.string() + "' --calcular > salida.txt 2>&1";
    const auto correr = [&]() {
        const int estado = std::system(orden.c_str());
        std::ifstream f("salida.txt");
        return std::make_pair(WIFEXITED(estado) ? WEXITSTATUS(estado) : -1,
                              std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()));
    };
    auto [estado, texto] = correr();
    EXPECT_EQ(estado, 1);
    EXPECT_EQ(texto.rfind("Error: no se pudo abrir el archivo de datos ingresoDatos.txt\n", 0), 0u) << texto;

    std::filesystem::copy_file(std::string(VANTRA_EJEMPLOS) + "/ingresoDatos.txt", "ingresoDatos.txt");
    std::tie(estado, texto) = correr();
    EXPECT_EQ(estado, 0) << texto;
    EXPECT_NE(texto.find("\nReacciones del combo VIENTO\n"), std::string::npos);
    // Sin limpiar la terminal: lo primero son las líneas del cargador.
    EXPECT_EQ(texto.rfind("lectura de nudos OK Num Nudos = 9\n", 0), 0u) << texto;
    EXPECT_EQ(texto.find('\x1b'), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file("resultados.txt"));
}
