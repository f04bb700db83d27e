// Reporte resultados.txt: literales, líneas en blanco, formato de números y
// matrices igual al de los flujos de C++ y Eigen, rigidez densa hasta 1000
// grados de libertad y dispersa por encima, casos sin combinaciones o sin
// barras, y archivo que no se puede crear o cuya escritura falla a mitad.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <iterator>
#include <limits>

#include "analisis/barrasEnParalelo.h"
#include "reporte/formatoNumeros.h"
#include "utilidades.h"

namespace {

template <typename T>
std::string comoFlujo(const T& m) {
    std::ostringstream s;
    s << m;
    return s.str();
}

template <typename T>
std::string comoSalida(const T& m) {
    std::ostringstream s;
    salidaTexto(s) << m;
    return s.str();
}

const char* const kVoladizo =
    "nudos: 1 0 0 0 2 4 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1 1\n"
    "seccionRectangular: R20x40 0.2 0.4 25e6 0.2 0  1\n";

}  // namespace

TEST(Reporte, TextoCompletoSinBarras) {
    // Un nudo, sin barras y matrices puestas a mano: literales, líneas en blanco,
    // ancho común de columna (también para los ceros que la rigidez dispersa no
    // guarda), matriz vacía y notación exponencial.
    cargarModelo("nudos: 3 1.5 -2 0.25");
    Eigen::SparseMatrix<double> k(3, 2);
    k.insert(0, 0) = 1;
    k.insert(2, 1) = -0.001;
    resultados.rigidez = k;
    resultados.cargasPuntuales = (Eigen::MatrixXd(1, 2) << 4.5, -0.001).finished();
    resultados.cargasDistribuidas = Eigen::MatrixXd(6, 0);
    resultados.casos.resize(1);
    resultados.casos[0].desplazamientos = (Eigen::MatrixXd(6, 1) << 1e-7, 123456789, 0, -2, 0, 0).finished();
    EXPECT_EQ(reporte(),
              "****************NUDOS:*******************\n"
              "#nudo interno | #nudoUsuario | X | Y | Z\n"
              "0 3 1.5 -2 0.25\n"
              "\n\n\n****************BARRAS:*******************\n"
              "\n\n\n************MATRIZ K ESTRUCTURA***************\n"
              "     1      0\n     0      0\n     0 -0.001\n"
              "\n\n\n************VECTOR DE CARGAS PUNTUALES ESTRUCTURA***************\n"
              "   4.5 -0.001\n"
              "\n\n\n************VECTOR DE CARGAS DISTRIBUIDAS EQUIVALENTES***************\n"
              "\n"
              "\n\n\n************DESPLAZAMIENTOS***************\n"
              "vector u:\n"
              "      1e-07\n"
              "1.23457e+08\n"
              "          0\n"
              "         -2\n"
              "          0\n"
              "          0\n");
}

TEST(Reporte, BloqueDeBarra) {
    ASSERT_TRUE(analizarModelo(std::string(kVoladizo) + "distribuidaLocalY: Q -2 -2  1\ncombo: C 1 Q\n"));
    const Lineas l = lineasDe(reporte());
    auto i = std::find(l.begin(), l.end(), "****************BARRAS:*******************") + 1;
    // Cada línea exacta, salvo "~..." (sólo el comienzo) y "@n" (las doce filas
    // de una matriz de n columnas).
    const Lineas patron{
        "", "#Barra Interna: 0", "#Barra Usuario: 1", "   Longitud: 4", "   Alfa: 90", "~   Beta: ", "   Gamma: 0", "",
        "   Sección: R20x40", "   Area: 0.08", "   Iy: 0.000266667", "   Iz: 0.00106667", "   E: 2.5e+07",
        "~   J: 0.000732", "   G: 1.04167e+07", "", "   GDL:  1  2  3  4  5  6  7  8  9 10 11 12", "   kLocal: ",
        "@12", "   kGlobal: ", "@12", "", "Cargas de combo: [fx1 fx2 qy1, qy2, qz1, qz2, torsion]", "   combo: C",
        " 0  0 -2 -2  0  0  0", "", "Cargas equivalentes locales: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 mx10 my11 mz12]trans",
        "@1", "", "Resultado de Fuerzas Internas en Extremos: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 mx10 my11 mz12]trans",
        "@1", "", "", "", "", "", "************MATRIZ K ESTRUCTURA***************"};
    for (const std::string& p : patron)
        for (int f = 0; f < (p[0] == '@' ? 12 : 1); ++f, ++i) {
            ASSERT_NE(i, l.end());
            std::istringstream s(*i);
            if (p[0] == '~') EXPECT_EQ(i->rfind(p.substr(1), 0), 0u) << *i;
            else if (p[0] == '@') EXPECT_EQ(std::distance(std::istream_iterator<std::string>(s), {}), std::stoi(p.substr(1))) << *i;
            else EXPECT_EQ(*i, p);
        }
}

TEST(Reporte, SinCombinaciones) {
    // Sin combinaciones las matrices de cargas y resultados no tienen columnas
    // y se escriben vacías: sólo queda el salto de línea que las sigue.
    ASSERT_TRUE(analizarModelo(kVoladizo));
    const std::string sinCombos = reporte();
    EXPECT_NE(sinCombos.find("Cargas de combo: [fx1 fx2 qy1, qy2, qz1, qz2, torsion]\n\n"
                             "Cargas equivalentes locales: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 mx10 my11 mz12]trans\n"
                             "\n\nResultado de Fuerzas Internas en Extremos: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 "
                             "mx10 my11 mz12]trans\n\n\n\n"),
              std::string::npos);
    EXPECT_NE(sinCombos.find("ESTRUCTURA***************\n\n\n\n\n****"), std::string::npos);
    EXPECT_NE(sinCombos.find("vector u:\n\n"), std::string::npos);
}

TEST(Reporte, ArchivoResultados) {
    ASSERT_TRUE(analizarModelo(std::string(kVoladizo) + "puntual: P 0 0 -10 0 0 0 2\ncombo: C 1 P\n"));
    DirectorioTemporal dir;
    {
        const size_t desde = mensajes.tamano();
        EXPECT_TRUE(funcionPrint());
        EXPECT_EQ(mensajes.tamano(), desde);
    }
    const std::string escrito = leerArchivo("resultados.txt");
    EXPECT_EQ(escrito, reporte());

    // El reemplazo conserva los permisos del anterior y escribe a través de un enlace.
    chmod("resultados.txt", 0640);
    std::filesystem::rename("resultados.txt", "real.txt");
    std::filesystem::create_symlink("real.txt", "resultados.txt");
    EXPECT_TRUE(funcionPrint());
    EXPECT_TRUE(std::filesystem::is_symlink("resultados.txt"));
    EXPECT_EQ(leerArchivo("real.txt"), escrito);
    EXPECT_EQ(std::filesystem::status("real.txt").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    std::filesystem::remove("real.txt");

    // Un directorio con el nombre del archivo impide crearlo (las pruebas
    // pueden correr como root, así que un directorio sin permisos no basta).
    std::filesystem::remove("resultados.txt");
    std::filesystem::create_directory("resultados.txt");
    const size_t desde = mensajes.tamano();
    EXPECT_FALSE(funcionPrint());
    // Un límite al tamaño de los archivos hace fallar la escritura a mitad del reporte, como un
    // disco lleno (también para root): el reporte anterior queda intacto y el temporal no queda.
    std::filesystem::remove("resultados.txt");
    std::ofstream("resultados.txt") << "reporte anterior\n";
    rlimit antes{}, limite{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    limite = {1000, antes.rlim_max};
    const auto senal = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
    const bool escritoConLimite = funcionPrint();
    setrlimit(RLIMIT_FSIZE, &antes);
    signal(SIGXFSZ, senal);
    EXPECT_FALSE(escritoConLimite);
    EXPECT_EQ(leerArchivo("resultados.txt"), "reporte anterior\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
    EXPECT_EQ(mensajes.textos(desde), Lineas(2, "Error: no se pudo escribir el archivo resultados.txt"));
}

TEST(Reporte, NumerosYMatricesComoLosFlujos) {
    // Bordes: ceros con signo, no finitos, subnormales, el paso de notación fija a
    // exponencial, redondeos que agregan una cifra y empates exactos (1234565 y
    // 0.5 tienen siete cifras con un 5 final exacto en binario).
    std::vector<double> v{0.0, -0.0, std::nan(""), -std::nan(""), INFINITY, -INFINITY, 5e-324, 2.2e-308, 1.7e308,
                          1e-5, 1e-4, 9.999995e-5, 0.0001, 999999.5, 999999.4999, 1e6, 123456.5, 1234565, 1234575,
                          0.5, 2.5, 1.0000005, 99999.95, -0.001, 1, 100000, 1e100, 1e-100, 4.35e-7};
    for (double b : {1e-4, 1e5, 1e6, 1e-290, 1e290, 1e22, 1e23})
        v.insert(v.end(), {b, std::nextafter(b, 0.0), std::nextafter(b, 1e308)});
    Azar azar(7);
    for (int i = 0; i < 200000; ++i) {
        const double x = azar.real(-1, 1) * std::pow(10.0, azar.real(-320, 310));
        v.push_back(i % 4 == 0 ? std::round(x * 1e6) : i % 4 == 1 ? std::round(azar.real(-1e7, 1e7)) + 0.5 : x);
    }
    char a[kMaxCaracteresNumero + 1], b[64];
    int distintos = 0;
    for (double x : v)
        for (int cifras : {6, 17}) {
            char* fin = cifras == 6 ? escribirGeneral6(a, x) : escribirGeneral17(a, x);
            std::snprintf(b, sizeof b, "%.*g", cifras, x);
            if (std::string(a, static_cast<size_t>(fin - a)) != b && ++distintos < 10)
                ADD_FAILURE() << std::string(a, static_cast<size_t>(fin - a)) << " en vez de " << b << " (%." << cifras << "g)";
        }
    EXPECT_EQ(distintos, 0);
    for (double x : {v[0], v[2], v[5], v[9], v[20], v[200]}) EXPECT_EQ(comoSalida(x), comoFlujo(x));
    for (long long n : {0LL, -7LL, 1234567890123LL, std::numeric_limits<long long>::min()})
        EXPECT_EQ(comoSalida(n), std::to_string(n));

    // Matrices: el ancho común de toda la matriz, filas y columnas sueltas, vacías y de enteros.
    for (int k = 0; k < 300; ++k) {
        Eigen::MatrixXd m(k % 5, 1 + k % 7);
        for (Eigen::Index i = 0; i < m.size(); ++i) m(i) = v[static_cast<size_t>(azar.real(0, 1) * 2000)];
        EXPECT_EQ(comoSalida(m), comoFlujo(m));
        EXPECT_EQ(comoSalida(m.block(0, 0, m.rows(), 0)), "");
        if (m.rows()) {
            EXPECT_EQ(comoSalida(m.row(0)), comoFlujo(m.row(0)));
        }
        Eigen::VectorXi g(1 + k % 13);
        for (int& x : g) x = static_cast<int>(azar.real(-1, 1) * (k % 3 == 0 ? 9 : 100000));
        EXPECT_EQ(comoSalida(g.transpose()), comoFlujo(g.transpose()));
    }
}

TEST(Reporte, LosBloquesDeLosEjemplosSonLosDelFlujo) {
    // El reporte de los ejemplos contiene, letra por letra, lo que los flujos de
    // C++ y de Eigen escriben con cada matriz de cada barra y de la estructura.
    for (const char* ejemplo : {"ingresoDatos.txt", "portico_plano.txt", "edificio.txt", "reticulado.txt"}) {
        cargarArchivo(std::string(VANTRA_EJEMPLOS) + "/" + ejemplo);
        ASSERT_TRUE(resolver()) << ejemplo;
        ASSERT_LE(resultados.rigidez.rows(), kGradosRigidezDensa);
        const std::string texto = reporte();
        for (objBarra3d& b : barra) {
            std::ostringstream s;
            s << "   GDL: " << b.getGdl().transpose() << "\n   kLocal: \n" << b.getKLocal() << "\n   kGlobal: \n"
              << b.getKGlobal() << "\n";
            for (const Eigen::MatrixXd& m :
                 {b.getCargasEquivalentesLocales(), fuerzasExtremos(resultados, b.getNoBarraInterna())})
                EXPECT_NE(texto.find("trans\n" + comoFlujo(m) + "\n\n"), std::string::npos) << ejemplo;
            EXPECT_NE(texto.find(s.str()), std::string::npos) << ejemplo << " barra " << b.getNoBarraUsuario();
        }
        std::ostringstream s;
        s << "************MATRIZ K ESTRUCTURA***************\n" << Eigen::MatrixXd(resultados.rigidez)
          << "\n\n\n\n************VECTOR DE CARGAS PUNTUALES ESTRUCTURA***************\n" << resultados.cargasPuntuales
          << "\n\n\n\n************VECTOR DE CARGAS DISTRIBUIDAS EQUIVALENTES***************\n"
          << resultados.cargasDistribuidas << "\n\n\n\n************DESPLAZAMIENTOS***************\nvector u:\n"
          << matrizDesplazamientos(resultados) << "\n";
        // Al final, o antes del bloque de los niveles sin diafragma de un modelo con columnas.
        const std::size_t p = texto.rfind(s.str());
        ASSERT_NE(p, std::string::npos) << ejemplo;
        const std::string resto = texto.substr(p + s.str().size());
        EXPECT_TRUE(resto.empty() || resto.rfind("\n\n\n************NIVELES***************\n", 0) == 0) << ejemplo;
    }
}

TEST(Reporte, RigidezDispersaPorEncimaDeMilGrados) {
    // 166 nudos son 996 grados de libertad: la rigidez va densa; con 171 (1026), dispersa.
    const auto voladizo = [](int n) {
        return barraSubdividida(n, "apoyo: 1 1 1 1 1 1 1\npuntual: P 1 2 -10 0 0 0 " + std::to_string(n + 1) + "\ncombo: C 1 P\n");
    };
    ASSERT_TRUE(analizarModelo(voladizo(165)));
    EXPECT_NE(reporte().find("ESTRUCTURA***************\n" + comoFlujo(Eigen::MatrixXd(resultados.rigidez)) + "\n\n\n\n"),
              std::string::npos);

    ASSERT_TRUE(analizarModelo(voladizo(170)));
    const std::string texto = reporte();
    const std::string cabecera = "************MATRIZ K ESTRUCTURA***************\n";
    const size_t inicio = texto.find(cabecera) + cabecera.size(),
                 fin = texto.find("\n\n\n\n************VECTOR DE CARGAS PUNTUALES");
    ASSERT_LT(inicio, fin);
    const Eigen::MatrixXd k(resultados.rigidez);
    const long long valores = (k.triangularView<Eigen::Upper>().toDenseMatrix().array() != 0).count();
    std::istringstream bloque(texto.substr(inicio, fin - inicio));
    std::string primera;
    std::getline(bloque, primera);
    EXPECT_EQ(primera, "Matriz dispersa simétrica: 1026 filas, " + std::to_string(valores) +
                           " valores no nulos del triángulo superior (fila columna valor)");
    // Se lee de vuelta: cada valor del triángulo superior una vez, en orden, con las seis cifras del reporte.
    Eigen::MatrixXd leida = Eigen::MatrixXd::Zero(k.rows(), k.cols());
    std::pair<long long, long long> anterior{0, 0};
    long long lineas = 0, i = 0, j = 0;
    double x = 0;
    for (std::string l; std::getline(bloque, l); ++lineas) {
        std::istringstream campos(l);
        std::string resto;
        ASSERT_TRUE(campos >> i >> j >> x && !(campos >> resto)) << l;
        ASSERT_TRUE(1 <= i && i <= j && j <= k.rows() && std::pair(i, j) > anterior) << l;
        anterior = {i, j};
        leida(i - 1, j - 1) = leida(j - 1, i - 1) = x;
    }
    EXPECT_EQ(lineas, valores);
    EXPECT_EQ((k.array() != 0).count(), (leida.array() != 0).count());
    EXPECT_TRUE(((leida - k).array().abs() <= 5e-6 * k.array().abs()).all());
}

// Con muchas barras el texto de las barras se arma por tramos en otros hilos:
// todas, una vez cada una, en su orden, con bloques completos a ambos lados
// del paso de un tramo a otro; y si el destino falla a mitad, la escritura
// termina sin colgarse.
TEST(Reporte, BarrasDeUnModeloGrandeEnSuOrden) {
    const int n = static_cast<int>(kBarrasParaDosHilos) + 1500;
    const auto viga = [](int barras) {
        std::ostringstream s;
        s << "nudos:";
        for (int i = 0; i <= barras; ++i) s << " " << i + 1 << " " << i << " 0 0";
        s << "\nbarras:";
        for (int i = 1; i <= barras; ++i) s << " " << i << " " << i << " " << i + 1;
        s << "\napoyo: 1 1 1 1 1 1 1\nseccionRectangular: R 0.2 0.4 25e6 0.2 0";
        for (int i = 1; i <= barras; ++i) s << " " << i;
        s << "\ncombo: C 1 PP\npesoPropio: PP\n";
        return s.str();
    };
    // El texto de una barra, hasta el comienzo de la siguiente.
    const auto bloque = [](const std::string& texto, int interna) {
        const size_t desde = texto.find("#Barra Interna: " + std::to_string(interna) + "\n");
        const size_t hasta = texto.find("#Barra Interna: " + std::to_string(interna + 1) + "\n");
        return desde == std::string::npos ? std::string() : texto.substr(desde, hasta - desde);
    };
    ASSERT_TRUE(analizarModelo(viga(n)));
    const std::string largo = reporte();
    size_t posicion = 0;
    for (int i = 0; i < n; ++i) {
        const size_t siguiente = largo.find("#Barra Interna: " + std::to_string(i) + "\n", posicion);
        ASSERT_NE(siguiente, std::string::npos) << i;
        posicion = siguiente + 1;
    }
    size_t bloques = 0;
    for (size_t p = largo.find("#Barra Interna: "); p != std::string::npos; p = largo.find("#Barra Interna: ", p + 1))
        ++bloques;
    EXPECT_EQ(bloques, static_cast<size_t>(n));
    // Las barras de una viga uniforme sólo difieren en sus números y resultados.
    const Lineas l1 = lineasDe(bloque(largo, 1999)), l2 = lineasDe(bloque(largo, 2000));
    ASSERT_EQ(l1.size(), l2.size());
    EXPECT_EQ(std::vector<std::string>(l1.begin() + 2, l1.begin() + 12),
              std::vector<std::string>(l2.begin() + 2, l2.begin() + 12));

    size_t entregado = 0;
    salidaTexto corta([&entregado](const char*, std::size_t k) {
        entregado += k;
        return entregado < 3'000'000;
    });
    escribirReporte(corta);
    EXPECT_FALSE(corta.correcta());
}
