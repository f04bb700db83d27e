// Semántica del lector por etiquetas.
#include "entrada/claseLeerArchivo.h"
#include "utilidades.h"

namespace {
claseLeerArchivo lectorDe(const ArchivoTemporal& a) {
    claseLeerArchivo l;
    l.setNombreArchivo(a.ruta());
    return l;
}
}  // namespace

TEST(Lector, EnteroYRealRepetidosGanaElUltimo) {
    ArchivoTemporal a("precision: 3.7 escalaMy: 0.5\nprecision: 5 escalaMy: 0.25");
    auto l = lectorDe(a);
    EXPECT_EQ(l.getEntero("precision:"), 5);
    EXPECT_DOUBLE_EQ(l.getReal("escalaMy:"), 0.25);
    ArchivoTemporal b("precision: 3.7");
    auto lb = lectorDe(b);
    EXPECT_EQ(lb.getEntero("precision:"), 3);
}

TEST(Lector, EtiquetaAusenteAvisaYDevuelveMenosUno) {
    ArchivoTemporal a("nudos: 1 0 0 0");
    auto l = lectorDe(a);
    CapturaConsola cap;
    EXPECT_EQ(l.getEntero("precision:"), -1);
    EXPECT_DOUBLE_EQ(l.getReal("escalaN:"), -1.0);
    EXPECT_EQ(cap.lineas(), (std::vector<std::string>{
                                "Advertencia: no se encontró ningún entero con etiqueta precision:",
                                "Advertencia: no se encontró ningún real con etiqueta escalaN:"}));
}

TEST(Lector, PruebaDeNumero) {
    claseLeerArchivo l;
    for (const char* s : {"1e-3", "-2.5", "+4", "007", "e", "-", "."}) EXPECT_TRUE(l.esNumero(s)) << s;
    for (const char* s : {"1E3", "1,5", "2m", "D", "nudos:"}) EXPECT_FALSE(l.esNumero(s)) << s;
}

TEST(Lector, MatrizPorFilasYFaltanDatos) {
    ArchivoTemporal a("nudos: 1 0 0 0 2 5 0 0 barras: 1 1 2");
    auto l = lectorDe(a);
    const Eigen::MatrixXd m = l.getMatriz("nudos:", 4);
    ASSERT_EQ(m.rows(), 2);
    EXPECT_EQ(m.row(1), (Eigen::RowVector4d(2, 5, 0, 0)));

    ArchivoTemporal b("nudos: 1 0 0 0 2 5 0 0 9 barras: 1 1 2");
    auto lb = lectorDe(b);
    CapturaConsola cap;
    EXPECT_EQ(lb.getMatriz("nudos:", 4).rows(), 0);
    EXPECT_EQ(cap.texto(), "Faltan datos para completar la matriz nudos:\n");
}

TEST(Lector, MayusculaETerminaElBloque) {
    ArchivoTemporal a("nudos: 1 1e3 0 0 1E3 2 0 0 0");
    auto l = lectorDe(a);
    const Eigen::MatrixXd m = l.getMatriz("nudos:", 4);
    ASSERT_EQ(m.rows(), 1);
    EXPECT_DOUBLE_EQ(m(0, 1), 1000.0);
    ArchivoTemporal b("nudos:");
    EXPECT_EQ(lectorDe(b).getMatriz("nudos:", 4).cols(), 4);
}

TEST(Lector, RegistrosRepetidosYPares) {
    ArchivoTemporal a("apoyo: 1 1 1 0 0 0 1 4 apoyo: 1 1 1 1 1 1 4 combo: ELU 1.2 D 1.6 L barras: 3\n"
                      "puntual: D 0 0 -5 0 0 0 3 5");
    auto l = lectorDe(a);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 2);
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 2, 0), (std::vector<double>{1, 1, 1, 1, 1, 1, 4}));
    EXPECT_EQ(l.getString("combo:", 1), "ELU");
    EXPECT_EQ(l.getString("combo:", 2), "");
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{1.2, 1.6}));
    EXPECT_EQ(l.getNombresDeFactores("combo:", 1, 1), (std::vector<std::string>{"D", "L"}));
    // El último registro del archivo termina limpio, con su último valor una sola vez.
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("puntual:", 1, 1), (std::vector<double>{0, 0, -5, 0, 0, 0, 3, 5}));
}

TEST(Lector, FactorSinNombreAlFinalNoFormaPar) {
    ArchivoTemporal a("combo: ELU 1.2 D 1.6");
    auto l = lectorDe(a);
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 1, 1).size(), l.getNombresDeFactores("combo:", 1, 1).size());
}

TEST(Lector, ValoresSinNumeroValenCeroConAviso) {
    ArchivoTemporal a("nudos: 1 e - 0 2 + . 1e999 precision: 99999999999 escalaN: abc escalaMy:");
    auto l = lectorDe(a);
    CapturaConsola cap;
    const Eigen::MatrixXd m = l.getMatriz("nudos:", 4);
    ASSERT_EQ(m.rows(), 2);
    EXPECT_EQ(m, Eigen::MatrixXd((Eigen::MatrixXd(2, 4) << 1, 0, 0, 0, 2, 0, 0, 0).finished()));
    EXPECT_EQ(l.getEntero("precision:"), 0);
    EXPECT_DOUBLE_EQ(l.getReal("escalaN:"), 0.0);
    EXPECT_DOUBLE_EQ(l.getReal("escalaMy:"), 0.0);
    const auto lineas = cap.lineas();
    ASSERT_EQ(lineas.size(), 8u);
    EXPECT_EQ(lineas[0], "Advertencia: valor no válido e en la etiqueta nudos:");
    EXPECT_EQ(lineas[3], "Advertencia: valor no válido . en la etiqueta nudos:");
    EXPECT_EQ(lineas[4], "Advertencia: valor no válido 1e999 en la etiqueta nudos:");
    EXPECT_EQ(lineas[5], "Advertencia: valor no válido 99999999999 en la etiqueta precision:");
    EXPECT_EQ(lineas[7], "Advertencia: valor no válido  en la etiqueta escalaMy:");
}

TEST(Lector, ArchivoAusenteNoTienePalabrasYLosCambiosSeVen) {
    claseLeerArchivo l;
    l.setNombreArchivo("/tmp/vantra3d_no_existe_nunca.txt");
    EXPECT_FALSE(l.archivoDisponible());
    EXPECT_EQ(l.getNoEtiquetas("nudos:"), 0);
    ArchivoTemporal a("apoyo: 1 1 1 1 1 1 1");
    auto la = lectorDe(a);
    EXPECT_EQ(la.getNoEtiquetas("apoyo:"), 1);
    a.escribir("apoyo: 1 1 1 1 1 1 1 apoyo: 0 0 1 0 0 0 2 3");
    EXPECT_EQ(la.getNoEtiquetas("apoyo:"), 2);
}
