// Reporte resultados.txt: literales, líneas en blanco, formato de números y
// matrices (la rigidez dispersa se escribe como la densa), casos sin
// combinaciones o sin barras, y archivo que no se puede crear.
#include <iterator>

#include "reporte/funcionPrint.h"
#include "utilidades.h"

namespace {

std::string reporte() {
    std::ostringstream s;
    escribirReporte(s);
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
    kEstructura = k;
    pEstructura = (Eigen::MatrixXd(1, 2) << 4.5, -0.001).finished();
    fEstructura = Eigen::MatrixXd(6, 0);
    u = (Eigen::MatrixXd(2, 1) << 1e-7, 123456789).finished();
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
              "1.23457e+08\n");
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

TEST(Reporte, SinCombinacionesYBarraSinSeccion) {
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

    // Una barra sin sección informa ceros y un nombre vacío, con sus avisos en la consola.
    cargarModelo("nudos: 1 0 0 0 2 4 0 0\nbarras: 7 1 2\n");
    CapturaConsola consola;
    const Lineas l = lineasDe(reporte());
    for (const char* e : {"   Sección: ", "   Area: 0", "   Iy: 0", "   Iz: 0", "   E: 0", "   J: 0", "   G: 0"})
        EXPECT_NE(std::find(l.begin(), l.end(), e), l.end()) << e;
    EXPECT_NE(consola.texto().find("Definir el nombre de sección\n"), std::string::npos);
    EXPECT_NE(consola.texto().find("No están definidas E, poisson, o Sección del Elemento: 7\n"), std::string::npos);
}

TEST(Reporte, ArchivoResultados) {
    ASSERT_TRUE(analizarModelo(std::string(kVoladizo) + "puntual: P 0 0 -10 0 0 0 2\ncombo: C 1 P\n"));
    DirectorioTemporal dir;
    {
        CapturaConsola consola;
        EXPECT_TRUE(funcionPrint());
        EXPECT_EQ(consola.texto(), "");
    }
    const std::string escrito = leerArchivo("resultados.txt");
    EXPECT_EQ(escrito, reporte());
    // La rigidez dispersa de una estructura real se escribe como la matriz densa.
    std::ostringstream densa;
    densa << "ESTRUCTURA***************\n" << Eigen::MatrixXd(kEstructura) << "\n\n";
    EXPECT_NE(escrito.find(densa.str()), std::string::npos);

    // Un directorio con el nombre del archivo impide crearlo (las pruebas
    // pueden correr como root, así que un directorio sin permisos no basta).
    std::filesystem::remove("resultados.txt");
    std::filesystem::create_directory("resultados.txt");
    CapturaConsola consola;
    EXPECT_FALSE(funcionPrint());
    EXPECT_EQ(consola.texto(), "Error: no se pudo escribir el archivo resultados.txt\n");
}
