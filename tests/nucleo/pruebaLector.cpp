// Lector por etiquetas: registros repetidos, qué es un número, pares de factor
// y nombre, valores no válidos, el último valor de una etiqueta repetida y los
// cambios del archivo.
#include "entrada/claseLeerArchivo.h"
#include "utilidades.h"

namespace {
claseLeerArchivo lectorDe(const std::string& ruta) {
    claseLeerArchivo l;
    l.setNombreArchivo(ruta);
    return l;
}
}  // namespace

TEST(Lector, RegistrosRepetidosYElUltimoAlFinalDelArchivo) {
    // Cada aparición de una etiqueta se lee por separado; los números de un registro terminan
    // en la primera palabra que no es número; el último registro termina limpio en el fin del
    // archivo, y una etiqueta al final no tiene nada después.
    ArchivoTemporal a("apoyo: 1 1 1 0 0 0 1 4 apoyo: 1 1 1 1 1 1 4 combo: ELU 1.2 D barras: 3\n"
                      "nudos: 1 e 2.5 x 3 puntual: D 0 0 -5 0 0 0 3 5 pesoPropio:");
    auto l = lectorDe(a.ruta());
    CapturaConsola silencio;
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 2);
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 1, 0), (std::vector<double>{1, 1, 1, 0, 0, 0, 1, 4}));
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 2, 0), (std::vector<double>{1, 1, 1, 1, 1, 1, 4}));
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("apoyo:", 3, 0), std::vector<double>{});
    EXPECT_EQ(l.getString("combo:", 1), "ELU");
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("combo:", 1, 1), std::vector<double>{1.2});
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("barras:", 1, 0), std::vector<double>{3});
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("nudos:", 1, 0), (std::vector<double>{1, 0, 2.5}));
    EXPECT_EQ(l.getString("puntual:", 1), "D");
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("puntual:", 1, 1), (std::vector<double>{0, 0, -5, 0, 0, 0, 3, 5}));
    EXPECT_EQ(l.getString("pesoPropio:", 1), "");
    EXPECT_EQ(l.getMatrizEtiquetaRepetida("pesoPropio:", 1, 0), std::vector<double>{});
}

TEST(Lector, NumerosYParesDeFactorYNombre) {
    claseLeerArchivo l;
    for (const char* s : {"1e-3", "-2.5", "+4", "007", "e", "-", "."}) EXPECT_TRUE(l.esNumero(s)) << s;
    for (const char* s : {"1E3", "1,5", "2m", "D", "nudos:"}) EXPECT_FALSE(l.esNumero(s)) << s;
    // Un factor sin nombre al final del archivo no forma par.
    ArchivoTemporal a("combo: ELU 1.2 D 1.6 L combo: X 2 D 3");
    l.setNombreArchivo(a.ruta());
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 1, 1), (std::vector<double>{1.2, 1.6}));
    EXPECT_EQ(l.getNombresDeFactores("combo:", 1, 1), (Lineas{"D", "L"}));
    EXPECT_EQ(l.getFactoresEtiqueta("combo:", 2, 1), std::vector<double>{2});
    EXPECT_EQ(l.getNombresDeFactores("combo:", 2, 1), Lineas{"D"});
}

TEST(Lector, ValoresNoValidosValenCeroConAviso) {
    ArchivoTemporal a("nudos: 1 e - 0 2 + . 1e999 precision: 99999999999 escalaN: abc escalaMy:");
    auto l = lectorDe(a.ruta());
    mensajes.vaciar();
    EXPECT_EQ(l.getMatriz("nudos:", 4), Eigen::MatrixXd((Eigen::MatrixXd(2, 4) << 1, 0, 0, 0, 2, 0, 0, 0).finished()));
    EXPECT_EQ(l.getEntero("precision:"), 0);
    EXPECT_EQ(l.getReal("escalaN:") + l.getReal("escalaMy:"), 0.0);
    Lineas esperadas;
    for (auto [valor, etiqueta] : {std::pair{"e", "nudos:"}, {"-", "nudos:"}, {"+", "nudos:"}, {".", "nudos:"},
                                   {"1e999", "nudos:"}, {"99999999999", "precision:"}, {"abc", "escalaN:"}, {"", "escalaMy:"}})
        esperadas.push_back(std::string("Error: valor no válido ") + valor + " en la etiqueta " + etiqueta);
    EXPECT_EQ(mensajes.textos(), esperadas);
}

TEST(Lector, GanaElUltimoValorYSeVenLosCambiosDelArchivo) {
    ArchivoTemporal a("precision: 3.7 escalaMy: 0.5 apoyo: 1\nprecision: 5 escalaMy: 0.25");
    auto l = lectorDe(a.ruta());
    EXPECT_EQ(l.getEntero("precision:"), 5);
    EXPECT_EQ(l.getReal("escalaMy:"), 0.25);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 1);
    a.escribir("precision: 3.7 apoyo: 1 apoyo: 2");
    EXPECT_EQ(l.getEntero("precision:"), 3);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 2);
}
