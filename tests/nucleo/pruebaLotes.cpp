// Modo por lotes (--calcular) de punta a punta en un directorio temporal:
// líneas de reacciones y de equilibrio, estados de salida y casos de falla.
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>

#include "arranque.h"
#include "reporte/consolaLotes.h"
#include "analisis/equilibrio.h"
#include "utilidades.h"

namespace {

// Viga de dos tramos: el nudo 1 articulado con la torsión fija, el 3 apoyado
// en Y y Z, el 2 libre (no se lista) con P = 10 hacia abajo.
const char* const kViga =
    "nudos: 1 0 0 0 2 3 0 0 3 6 0 0\nbarras: 1 1 2 2 2 3\n"
    "apoyo: 1 1 1 1 0 0 1\napoyo: 0 1 1 0 0 0 3\n"
    "seccionRectangular: R 0.2 0.5 30e6 0.2 0  1 2\n"
    "puntual: P 0 0 -10 0 0 0 2\ncombo: C1 1 P\ncombo: C2 2 P\n";

int calcular(const std::string& modelo, Lineas& salida, const std::string& carpetaCsv = "", bool detalle = false) {
    if (!modelo.empty()) std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    const int estado = funcionCalcularLotes("modelo.txt", carpetaCsv, detalle);
    salida = consola.lineas();
    return estado;
}

}  // namespace

TEST(Lotes, LineaDeReaccionesConNumerosConocidos) {
    EXPECT_EQ(lineaReacciones(12, (Vec6() << 5, 0, -1234567.891, 2.5e-17, -0.0, -0.000123456789).finished()),
              "nudo 12: 5.000000e+00 0.000000e+00 -1.234568e+06 2.500000e-17 -0.000000e+00 -1.234568e-04");
}

TEST(Lotes, ReaccionesYEquilibrioPorCombinacion) {
    const Lineas cargador = cargarModelo(kViga);
    DirectorioTemporal dir;
    Lineas salida, detallada;
    // Con --detalle, primero las mismas líneas del cargador que en el visor; sin él, sólo lo que
    // dice algo de la estructura (aquí, nada): el avance de la carga es un detalle.
    ASSERT_EQ(calcular(kViga, detallada, "", true), 0);
    ASSERT_EQ(calcular(kViga, salida), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file("resultados.txt"));
    ASSERT_EQ(detallada.size(), cargador.size() + 8);
    EXPECT_EQ(Lineas(detallada.begin(), detallada.begin() + static_cast<long>(cargador.size())), cargador);
    EXPECT_EQ(Lineas(detallada.begin() + static_cast<long>(cargador.size()), detallada.end()), salida);
    ASSERT_EQ(salida.size(), 8u);
    auto linea = salida.begin();
    for (int c = 0; c < 2; ++c) {
        const std::string combo = "C" + std::to_string(c + 1);
        EXPECT_EQ(*linea++, "Reacciones del combo " + combo);
        // Nudo 1: Rz = P/2 con los giros Ry, Rz libres; nudo 3: Rz = P/2 con sólo Uy, Uz apoyados.
        for (auto [n, libres] : {std::pair{1, "000011"}, {3, "100111"}}) {
            std::istringstream campos(linea->substr(linea->find(':') + 1));
            EXPECT_EQ(linea++->rfind("nudo " + std::to_string(n) + ": ", 0), 0u);
            for (int k = 0; k < 6; ++k) {
                std::string v;
                campos >> v;
                if (libres[k] == '1') EXPECT_EQ(v, "0.000000e+00");
                else EXPECT_NEAR(std::stod(v), k == 2 ? 5.0 * (c + 1) : 0.0, 1e-9);
            }
        }
        const std::string equilibrio = "Equilibrio del combo " + combo + ": error relativo ";
        ASSERT_EQ(linea->rfind(equilibrio, 0), 0u) << *linea;
        // (El formato del número lo comprueba la prueba siguiente con valores conocidos.)
        EXPECT_LE(std::stod(linea->substr(equilibrio.size())), 1e-9) << *linea;
        ++linea;
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
        const equilibrioCaso& e = casoNumero(c).equilibrio;
        EXPECT_TRUE(casiIguales(e.cargas, cargas, 1e-14)) << e.cargas.transpose();
        EXPECT_TRUE(casiIguales(e.reacciones, -cargas, 1e-12)) << e.reacciones.transpose();
        EXPECT_LE(errorEquilibrioDe(c), 1e-12);
    }
    // Reacciones puestas a mano en el nudo 1 (las del nudo 2, libre, no cuentan). La carga
    // total es la suma de los módulos de cada fuerza: |(0, 4, 16)| de la barra y 10 del nudo,
    // más que la reacción (≈ √52). En C1 sobran 0.01 según Z: E = 0.01/(√272 + 10); en C2
    // sobra un par de -3 según Z, que pesa 3/ℓ con ℓ = √21 (el nudo 2): E = 3/√21/(√272 + 10).
    // Sin cargas ni reacciones, E = 0.
    const Eigen::Vector3d r1(2, 0, 1), cF = cargas.head<3>(), cM = cargas.tail<3>();
    Eigen::MatrixXd R = Eigen::MatrixXd::Constant(12, 3, 99.0);
    const Eigen::Vector3d f1 = -cF + Eigen::Vector3d(0, 0, 0.01), f2 = -cF;
    R.block<6, 1>(0, 0) << f1, -cM - r1.cross(f1);
    R.block<6, 1>(0, 1) << f2, -cM - r1.cross(f2) + Eigen::Vector3d(0, 0, -3);
    R.block<6, 1>(0, 2).setZero();
    for (int c = 0; c < 3; ++c) resultados.casos[static_cast<size_t>(c)].reacciones.col(internoDeNudo(1)) = R.block<6, 1>(0, c);
    calcularEquilibrio(resultados);
    const double total = std::sqrt(272.0) + 10;
    EXPECT_NEAR(errorEquilibrioDe(0), 0.01 / total, 1e-12);
    EXPECT_NEAR(errorEquilibrioDe(1), 3 / std::sqrt(21.0) / total, 1e-12);
    EXPECT_EQ(errorEquilibrioDe(2), 0.0);
    CapturaConsola consola;
    imprimirReacciones();
    const Lineas l = consola.lineas();
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[2], "Equilibrio del combo C1: error relativo 3.8e-04");
    EXPECT_EQ(l[5], "Equilibrio del combo C2: error relativo 2.5e-02");
    EXPECT_EQ(l[8], "Equilibrio del combo V: error relativo 0.0e+00");
}

TEST(Lotes, EquilibrioGuardadoPorElAnalisisEnLaGeometriaDeformada) {
    // Columna empotrada de 3 m según Z con H = 10 según X y P = 200 hacia abajo en la punta,
    // en primer orden (C) y en segundo orden (SO). Respecto del origen (la base) las cargas dan
    // My = H·(3 + δz) + P·δx con la punta desplazada (δx, δz); en primer orden, H·3 = 30 y sin
    // el término de P. Las reacciones son el opuesto; sin resultados, las cargas de la
    // combinación de segundo orden vuelven a la geometría original.
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                               "seccionRectangular: R 0.3 0.3 2e7 0.2 0  1\npuntual: Q 10 0 -200 0 0 0  2\n"
                               "combo: C 1 Q\ncombo: SO 1 Q\nsegundoOrden: SO\n"));
    const double H = 10, P = 200;
    const equilibrioCaso& lineal = casoNumero(0).equilibrio;
    ASSERT_TRUE(lineal.calculado);
    EXPECT_NEAR(lineal.cargas(4), 3 * H, 1e-12 * 3 * H);
    EXPECT_NEAR(lineal.reacciones(4), -3 * H, 1e-9 * 3 * H);
    const Vec6 punta = desplazamientosDe(2, 1);
    ASSERT_GT(punta(0), 0.0);
    const double my = H * (3 + punta(2)) + P * punta(0);
    const equilibrioCaso& so = casoNumero(1).equilibrio;
    ASSERT_TRUE(so.calculado);
    EXPECT_NEAR(so.cargas(4), my, 1e-12 * my);
    // P-Δ equilibra hasta términos del cuadrado de los desplazamientos (aquí la punta se mueve
    // unos 7 mm en 3 m): el resto es de 1e-4 del momento y E no llega a 1e-5.
    EXPECT_NEAR(so.reacciones(4), -my, 2e-4 * my);
    EXPECT_LT(so.error, 1e-5);
    EXPECT_EQ(resultanteCargas(resultados, 1), so.cargas);
    resultados.vaciar();
    EXPECT_NEAR(resultanteCargas(resultados, 1)(4), 3 * H, 1e-12 * 3 * H);
}

TEST(Lotes, EquilibrioDeUnaVigaConParesOpuestos) {
    // Viga simplemente apoyada de 10 m cargada sólo con dos pares opuestos en sus extremos: no
    // hay fuerzas, y las reacciones son redondeo (en una barra, cero exacto; en dos, no). La carga
    // total es la de los pares, (50 + 50)/ℓ con ℓ = 10, y no el redondeo de las reacciones.
    for (const std::string barras : {"nudos: 1 0 0 0  2 5 0 0  3 10 0 0\nbarras: 1 1 2  2 2 3\n",
                                     "nudos: 1 0 0 0  3 10 0 0\nbarras: 1 1 3\n"}) {
        SCOPED_TRACE(barras);
        ASSERT_TRUE(analizarModelo(barras +
                                   "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  3\n"
                                   "seccionRectangular: R 0.3 0.5 2e7 0.25 0 1 2\n"
                                   "puntual: M 0 0 0 0 50 0  1\npuntual: M 0 0 0 0 -50 0  3\ncombo: C 1 M\n"));
        EXPECT_LE(errorEquilibrioDe(0), 1e-14);
        // Un desequilibrio de verdad se sigue viendo: un par de 1 según Y en el nudo 1 es
        // 1/ℓ = 0.1 de una carga total de 10; una fuerza de 0.5 según Z en el origen, 0.5.
        resultados.casos[0].reacciones.col(internoDeNudo(1)) << 0, 0, 0, 0, 1, 0;
        calcularEquilibrio(resultados);
        EXPECT_NEAR(errorEquilibrioDe(0), 0.01, 1e-12);
        resultados.casos[0].reacciones.col(internoDeNudo(1)) << 0, 0, 0.5, 0, 0, 0;
        calcularEquilibrio(resultados);
        EXPECT_NEAR(errorEquilibrioDe(0), 0.05, 1e-12);
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
    // La salida y los errores del ejecutable con esos argumentos.
    const auto ejecutar = [&](const std::string& argumentos, int estadoEsperado, const std::string& previo = "") {
        const int estado = std::system((previo + "'" + exe.string() + "' " + argumentos + " > salida.txt 2> errores.txt").c_str());
        EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == estadoEsperado) << argumentos << leerArchivo("salida.txt");
        return std::pair{leerArchivo("salida.txt"), leerArchivo("errores.txt")};
    };
    EXPECT_EQ(ejecutar("--calcular", 1).first.rfind("Error: no se pudo abrir el archivo de datos ingresoDatos.txt\n", 0), 0u);
    std::filesystem::copy_file(VANTRA_EJEMPLOS "/ingresoDatos.txt", "ingresoDatos.txt");
    const auto [texto, errores] = ejecutar("--calcular", 0);
    // Sin limpiar la terminal ni el avance de la carga: lo primero son las reacciones, y nada va a
    // los errores. Con --detalle, lo primero son las líneas del cargador.
    EXPECT_EQ(texto.rfind("Reacciones del combo ELU\n", 0), 0u) << texto;
    EXPECT_EQ(texto.find('\x1b'), std::string::npos);
    EXPECT_EQ(ejecutar("--calcular --detalle", 0).first.rfind("lectura de nudos OK Num Nudos = 9\n", 0), 0u);
    EXPECT_EQ(errores, "");
    EXPECT_NE(texto.find("\nReacciones del combo VIENTO\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file("resultados.txt"));

    // Ayuda, versión, una opción desconocida, un archivo con nombre de opción y la falta de pantalla.
    for (const char* ayuda : {"--help", "-h"}) {
        const auto [salida, errores] = ejecutar(ayuda, 0);
        EXPECT_EQ(errores, "");
        for (const char* parte : {"vantra3d [ARCHIVO]", "vantra3d --calcular [ARCHIVO] [--csv CARPETA]", "--version",
                                  "Estado de salida", "  2  ", VANTRA_EJEMPLOS})
            EXPECT_NE(salida.find(parte), std::string::npos) << parte;
        // Cada CSV que el programa puede escribir y cada ejemplo de la carpeta (leída al pedir la
        // ayuda: uno nuevo aparece sin tocar el texto).
        for (const char* csv : {"desplazamientos.csv", "reacciones.csv", "fuerzasExtremos.csv", "solicitaciones.csv",
                                "modos.csv", "formasModales.csv", "pandeo.csv", "formasPandeo.csv", "sismo.csv",
                                "envolventeDesplazamientos.csv", "envolventeReacciones.csv",
                                "envolventeSolicitaciones.csv", "diafragmas.csv"})
            EXPECT_NE(salida.find(csv), std::string::npos) << csv;
        const Lineas ejemplos = archivosDe(VANTRA_EJEMPLOS, ".txt");
        EXPECT_GE(ejemplos.size(), 8u);
        for (const std::string& e : ejemplos) {
            const std::string nombre = std::filesystem::path(e).filename().string();
            EXPECT_NE(salida.find(" " + nombre + (e == ejemplos.back() ? ")." : ",")), std::string::npos) << nombre;
        }
        EXPECT_NE(salida.find("  3  el modelo tiene errores de entrada: no se analiza"), std::string::npos);
    }
    // La versión es la de project() en CMakeLists.txt, con mayor y menor.
    const std::string version = "Vantra 3D v" + std::to_string(VANTRA_VERSION_MAYOR) + "." +
                                std::to_string(VANTRA_VERSION_MENOR) + "\n";
    EXPECT_EQ(ejecutar("--version", 0), std::pair(version, std::string()));
    EXPECT_EQ(ejecutar("--help", 0).first.rfind(version.substr(0, version.size() - 1) + ": análisis", 0), 0u);
    const auto [nada, uso] = ejecutar("--calcular --nada", 2);
    EXPECT_EQ(nada, "");
    EXPECT_EQ(uso.rfind("Error: opción desconocida --nada\n", 0), 0u) << uso;
    EXPECT_EQ(uso.substr(uso.find('\n') + 2), ejecutar("--help", 0).first);
    std::filesystem::rename("ingresoDatos.txt", "-m.txt");
    EXPECT_NE(ejecutar("--calcular ./-m.txt", 0).first.find("\nReacciones del combo VIENTO\n"), std::string::npos);
    for (const char* sinPantalla : {"env -u DISPLAY ", "DISPLAY=:97 "})
        EXPECT_EQ(ejecutar("./-m.txt", 1, sinPantalla),
                  std::pair(std::string(), std::string("Error: no se puede abrir la ventana (no hay pantalla); use "
                                                       "--calcular para analizar sin ventana\n")));
}

TEST(Lotes, SolicitacionesExtremasConocidas) {
    // Viga simple de 6 m con carga triangular de 0 a 12 (hacia -Z) y una axial
    // de 2 a -4 con el extremo final libre según x: |My| máximo w·L²/(9√3) en
    // x = L/√3, cortes wL/6 y wL/3 en los extremos; N(x) = −6 − 2x + x²/2 tiene su
    // mínimo −8 en x = 2, donde la carga axial se anula, y vale 0 en el final.
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0 2 6 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 0 0 1\napoyo: 0 1 1 0 0 0 2\n"
                               "seccionRectangular: R 0.2 0.5 30e6 0.2 0 1\ndistribuidaLocalY: Q 0 -12 1\n"
                               "distribuidaLocalX: Q 2 -4 1\ncombo: C 1 Q\n"));
    const extremoSolicitacion* e = solicitacionesDe(1).extremos;
    const auto cerca = [](double a, double b) { return std::abs(a - b) <= 1e-9 * (1 + std::abs(b)); };
    const double mMax = 12 * 36 / (9 * std::sqrt(3.0)), xMax = 6 / std::sqrt(3.0);
    const extremoSolicitacion& n = e[0], &vy = e[1], &my = e[4];
    EXPECT_TRUE(cerca(n.minimo, -8) && cerca(n.xMinimo, 2) && cerca(n.maximo, 0) && n.xMaximo == 6)
        << n.minimo << " " << n.xMinimo << " " << n.maximo << " " << n.xMaximo;
    EXPECT_TRUE(cerca(std::max(vy.maximo, -vy.minimo), 24) && cerca(std::min(vy.maximo, -vy.minimo), 12))
        << vy.maximo << " " << vy.minimo;
    // El momento es de un solo signo: el otro extremo es 0 en un apoyo.
    const bool positivo = my.maximo > -my.minimo;
    EXPECT_TRUE(cerca(positivo ? my.maximo : -my.minimo, mMax) && cerca(positivo ? my.xMaximo : my.xMinimo, xMax))
        << my.maximo << " " << my.xMaximo << " " << my.minimo << " " << my.xMinimo;
    EXPECT_NEAR(positivo ? my.minimo : my.maximo, 0, 1e-9);
    for (int k : {2, 3, 5}) EXPECT_TRUE(std::abs(e[k].maximo) < 1e-9 && std::abs(e[k].minimo) < 1e-9) << k;
}

TEST(Lotes, ArchivosCsvConcuerdanConElReporteYLasReacciones) {
    const std::string ejemplo = leerArchivo(VANTRA_EJEMPLOS "/ingresoDatos.txt");
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(ejemplo, salida, "salida/csv"), 0);
    // Filas del archivo CSV (sin comillas) con los campos de cada línea.
    const auto leer = [](const std::string& archivo, const std::string& encabezado, size_t filas) {
        std::vector<Lineas> t;
        for (const std::string& l : lineasDe(leerArchivo("salida/csv/" + archivo))) {
            std::istringstream s(l);
            t.emplace_back();
            for (std::string c; std::getline(s, c, ',');) t.back().push_back(c);
        }
        EXPECT_EQ(t.size(), filas + 1) << archivo;
        EXPECT_EQ(t.empty() ? Lineas{} : t[0], lineasDe(encabezado)) << archivo;
        return t;
    };
    const size_t nc = static_cast<size_t>(noCombos), nb = barra.size();
    // Desplazamientos y fuerzas de extremo: exactamente los doubles del análisis, en orden.
    const auto d = leer("desplazamientos.csv", "combo\nnudo\nux\nuy\nuz\ngiroX\ngiroY\ngiroZ", nc * nudo.size());
    const auto f = leer("fuerzasExtremos.csv", "combo\nbarra\nfx1\nfy1\nfz1\nmx1\nmy1\nmz1\nfx2\nfy2\nfz2\nmx2\nmy2\nmz2",
                        nc * nb);
    for (size_t c = 0; c < nc && d.size() == 1 + nc * nudo.size() && f.size() == 1 + nc * nb; ++c) {
        for (size_t i = 0; i < nudo.size(); ++i) {
            const Lineas& l = d[1 + c * nudo.size() + i];
            EXPECT_EQ(l[0] + " " + l[1], combinaciones[c].nombre + " " + std::to_string(nudo[i].getNoNudoUsuario()));
            // Lo que no llega a 1e-13 de la mayor traslación (o giro) del caso es redondeo, y va como 0.
            const escalasCaso& e = resultados.casos[c].escalas;
            for (int k = 0; k < 6; ++k)
                EXPECT_EQ(std::stod(l[2 + k]), sinRuido(resultados.casos[c].desplazamientos(k, static_cast<long>(i)),
                                                         k < 3 ? e.traslaciones : e.giros));
        }
        for (size_t i = 0; i < nb; ++i) {
            const Lineas& l = f[1 + c * nb + i];
            EXPECT_EQ(l[0] + " " + l[1], combinaciones[c].nombre + " " + std::to_string(barra[i].getNoBarraUsuario()));
            const escalasCaso& e = resultados.casos[c].escalas;
            for (int k = 0; k < 12; ++k)
                EXPECT_EQ(std::stod(l[2 + k]),
                          sinRuido(resultados.casos[c].barras[i].fuerzas[k], k % 6 < 3 ? e.fuerzas : e.momentos));
        }
    }
    // Reacciones: las de las líneas impresas (con sus siete cifras), en equilibrio con las cargas.
    Lineas impresas;
    std::copy_if(salida.begin(), salida.end(), std::back_inserter(impresas), [](auto& l) { return l.rfind("nudo ", 0) == 0; });
    const auto r = leer("reacciones.csv", "combo\nnudo\nRx\nRy\nRz\nMx\nMy\nMz", impresas.size());
    std::vector<Vec6> suma(nc, Vec6::Zero());
    for (size_t i = 0; i < impresas.size() && i + 1 < r.size(); ++i) {
        const Lineas& l = r[i + 1];
        const size_t c = static_cast<size_t>(
            std::find_if(combinaciones.begin(), combinaciones.end(), [&](auto& k) { return k.nombre == l[0]; }) -
            combinaciones.begin());
        std::istringstream linea(impresas[i].substr(impresas[i].find(':') + 1));
        EXPECT_EQ(impresas[i].rfind("nudo " + l[1] + ":", 0), 0u);
        Vec6 v;
        for (int k = 0; k < 6; ++k) {
            double p;
            linea >> p;
            v(k) = std::stod(l[2 + k]);
            EXPECT_NEAR(v(k), p, 5e-7 * std::abs(p)) << impresas[i];
        }
        const objNudo3d& n = nudoUsuario(std::stoi(l[1]));
        const Eigen::Vector3d x(n.getX(), n.getY(), n.getZ());
        suma.at(c) += (Vec6() << v.head<3>(), x.cross(v.head<3>()) + v.tail<3>()).finished();
    }
    for (size_t c = 0; c < nc; ++c) {
        const Vec6 cargas = casoNumero(static_cast<int>(c)).equilibrio.cargas;
        EXPECT_TRUE(casiIguales(suma[c], -cargas, 1e-9, cargas.norm()));
    }
    // Solicitaciones: ningún punto del diagrama (401 estaciones) pasa de los extremos informados, y
    // éstos no se alejan del diagrama más de lo que cabe entre dos estaciones.
    const auto s = leer("solicitaciones.csv", "combo\nbarra\nesfuerzo\nmaximo\nxMaximo\nminimo\nxMinimo", 6 * nc * nb);
    for (size_t c = 0, fila = 1; c < nc && s.size() == 1 + 6 * nc * nb; ++c)
        for (objBarra3d& b : barra) {
            for (int esfuerzo = 0; esfuerzo < kNumeroSolicitaciones; ++esfuerzo) {
                const muestrasSolicitacion diagrama = muestrear(resultados, static_cast<int>(c), b, esfuerzo, 401);
                const Lineas& l = s[fila++];
                // El redondeo (menos de 1e-13 de la mayor fuerza o momento del caso) va como 0.
                const bool fuerza = esfuerzo == kSolicitacionN || esfuerzo == kSolicitacionVy || esfuerzo == kSolicitacionVz;
                const double ruido = 1e-13 * (fuerza ? resultados.casos[c].escalas.fuerzas : resultados.casos[c].escalas.momentos);
                const double maximo = std::stod(l[3]), minimo = std::stod(l[5]),
                             alto = *std::max_element(diagrama.maximo.begin(), diagrama.maximo.end()),
                             bajo = *std::min_element(diagrama.minimo.begin(), diagrama.minimo.end()),
                             escala = 1e-9 + std::max(alto, -bajo);
                EXPECT_EQ(l[1] + l[2], std::to_string(b.getNoBarraUsuario()) + kNombresSolicitaciones[esfuerzo]);
                const double tolerancia = 1e-12 * escala + ruido;
                EXPECT_TRUE(maximo >= alto - tolerancia && maximo <= alto + 1e-4 * escala) << l[1] << l[2];
                EXPECT_TRUE(minimo <= bajo + tolerancia && minimo >= bajo - 1e-4 * escala) << l[1] << l[2];
            }
        }
    // Sin "modos:" no hay avisos nuevos, ni modos, ni nada modal en el reporte ni en la carpeta.
    EXPECT_TRUE(resultados.modos.empty());
    for (const std::string& l : salida)
        EXPECT_TRUE(l.find("gravedad") == std::string::npos && l.find("Modo ") == std::string::npos) << l;
    EXPECT_EQ(leerArchivo("resultados.txt").find("ANÁLISIS MODAL"), std::string::npos);
    EXPECT_EQ(archivosDe("salida/csv").size(), 5u);  // con niveles.csv
    // Una carpeta que no se puede crear (un archivo común en el camino): error, estado 1 y sin reacciones.
    std::ofstream("ocupado") << "x";
    for (const std::string& carpeta : {std::string("ocupado/csv"), std::string("ocupado")}) {
        EXPECT_EQ(calcular(ejemplo, salida, carpeta), 1);
        EXPECT_EQ(salida.back(), "Error: no se pudo escribir en la carpeta " + carpeta);
        EXPECT_FALSE(std::any_of(salida.begin(), salida.end(), [](auto& l) { return l.rfind("Reacciones", 0) == 0; }));
    }
}

TEST(Lotes, LineaDeOrdenes) {
    using Modo = argumentosPrograma::Modo;
    const struct {
        std::vector<const char*> argumentos;
        Modo modo;
        std::string archivo, carpeta, error;
    } casos[] = {
        {{}, Modo::visor, "ingresoDatos.txt", "", ""},
        {{"--calcular", "m.txt", "--csv", "r"}, Modo::lotes, "m.txt", "r", ""},
        {{"--csv", "r", "--calcular", "m.txt"}, Modo::lotes, "m.txt", "r", ""},
        {{"./-m.txt"}, Modo::visor, "./-m.txt", "", ""},
        {{"m.txt", "-h"}, Modo::ayuda, "", "", ""},
        {{"--version", "--nada"}, Modo::version, "", "", ""},
        {{"--ayuda"}, Modo::error, "", "", "Error: opción desconocida --ayuda"},
        {{"--calcular", "-"}, Modo::error, "", "", "Error: opción desconocida -"},
        {{"--calcular", "m.txt", "--csv"}, Modo::error, "", "", "Error: falta la carpeta después de --csv"},
        {{"m.txt", "--csv", "r"}, Modo::error, "", "", "Error: --csv sólo vale con --calcular"},
        {{"m.txt", "--detalle"}, Modo::error, "", "", "Error: --detalle sólo vale con --calcular"},
        {{"--detalle", "--calcular", "m.txt"}, Modo::lotes, "m.txt", "", ""},
        {{"--calcular", "m.txt", "--informe"}, Modo::error, "", "", "Error: falta la carpeta después de --informe"},
        {{"m.txt", "--informe", "i"}, Modo::error, "", "", "Error: --informe sólo vale con --calcular"},
        {{"--calcular", "--informe", ""}, Modo::error, "", "", "Error: la carpeta de --informe no puede ser vacía"},
        {{"a.txt", "b.txt"}, Modo::error, "", "", "Error: sobra el argumento b.txt (el archivo de modelo es a.txt)"},
        {{"-display"}, Modo::error, "", "", "Error: falta el valor después de -display"},
    };
    for (const auto& c : casos) {
        std::vector<const char*> argv{"vantra3d"};
        argv.insert(argv.end(), c.argumentos.begin(), c.argumentos.end());
        const argumentosPrograma a = interpretarArgumentos(static_cast<int>(argv.size()), argv.data());
        const std::string que = c.argumentos.empty() ? "(nada)" : c.argumentos[0];
        EXPECT_EQ(a.modo, c.modo) << que;
        EXPECT_EQ(a.error, c.error) << que;
        if (c.modo == Modo::visor || c.modo == Modo::lotes) {
            EXPECT_TRUE(a.archivo == c.archivo && a.carpetaCsv == c.carpeta) << que;
        }
    }
    const char* conInforme[] = {"vantra3d", "--informe", "i", "--calcular", "m.txt"};
    EXPECT_EQ(interpretarArgumentos(5, conInforme).carpetaInforme, "i");
    // Las opciones de la ventana pasan a freeglut; -display dice además dónde buscar la pantalla.
    const char* argv[] = {"vantra3d", "-display", ":3", "-iconic", "m.txt", "-geometry", "800x600"};
    const argumentosPrograma a = interpretarArgumentos(7, argv);
    EXPECT_EQ(a.opcionesVentana, lineasDe("-display\n:3\n-iconic\n-geometry\n800x600"));
    EXPECT_TRUE(a.modo == Modo::visor && a.pantalla == ":3" && a.archivo == "m.txt");
}

TEST(Lotes, NombresConComasOComillasVanEntreComillasEnLosCsv) {
    // Un nombre de combinación es una palabra cualquiera: con coma o comillas va entre comillas, con
    // las comillas duplicadas, y un lector de CSV lo recupera tal cual en cada archivo.
    const std::string modelo = "nudos: 1 0 0 0 2 4 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1 1\n"
                               "seccionRectangular: R 0.2 0.4 25e6 0.2 0  1\npuntual: P 0 0 -10 0 0 0 2\n"
                               "combo: A,B 1 P\ncombo: x\"y 2 P\ncombo: \"z\" 3 P\ncombo: simple 4 P\n";
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(modelo, salida, "csv"), 0);
    // Primer campo de una fila de CSV, con las reglas de las comillas.
    const auto primerCampo = [](const std::string& fila) {
        if (fila.empty() || fila[0] != '"') return fila.substr(0, fila.find(','));
        std::string campo;
        for (size_t i = 1; i < fila.size(); ++i) {
            if (fila[i] != '"') campo += fila[i];
            else if (i + 1 < fila.size() && fila[i + 1] == '"') campo += '"', ++i;
            else break;
        }
        return campo;
    };
    const Lineas nombres{"A,B", "x\"y", "\"z\"", "simple"};
    for (const char* archivo : {"desplazamientos.csv", "reacciones.csv", "fuerzasExtremos.csv", "solicitaciones.csv"}) {
        const Lineas filas = lineasDe(leerArchivo(std::string("csv/") + archivo));
        Lineas vistos;
        for (size_t i = 1; i < filas.size(); ++i)
            if (vistos.empty() || vistos.back() != primerCampo(filas[i])) vistos.push_back(primerCampo(filas[i]));
        EXPECT_EQ(vistos, nombres) << archivo;
    }
    EXPECT_NE(leerArchivo("csv/reacciones.csv").find("\n\"x\"\"y\",1,"), std::string::npos);
    EXPECT_NE(leerArchivo("csv/reacciones.csv").find("\n\"\"\"z\"\"\",1,"), std::string::npos);
}
