// Lector por etiquetas: registros repetidos, qué es un número, registros de una
// línea, números mal escritos, valores no válidos, el último valor de una
// etiqueta repetida y los cambios del archivo.
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

TEST(Lector, NumerosYRegistrosDeUnaLinea) {
    claseLeerArchivo l;
    // Una palabra con cifras sigue siendo un número aunque esté mal escrito (una coma, algo pegado
    // detrás): no termina el registro en silencio, la conversión lo dice.
    for (const char* s : {"1e-3", "-2.5", "+4", "007", "e", "-", ".", "1E3", "0,5", "23,24", "17-18"})
        EXPECT_TRUE(l.esNumero(s)) << s;
    for (const char* s : {"2m", "D", "nudos:", ",", "E"}) EXPECT_FALSE(l.esNumero(s)) << s;
    // Un registro de una línea: sus palabras hasta el fin de línea o la etiqueta siguiente, y la
    // primera de la línea siguiente sólo si su línea no terminó en una etiqueta.
    ArchivoTemporal a("combo: ELU 1.2 D 1.6 L\n 1.6 W\ncombo: X 2 D apoyo: 1\n3 4\ncombo: Y 1 D");
    l.setNombreArchivo(a.ruta());
    EXPECT_EQ(l.getPalabrasDeLinea("combo:", 1), (Lineas{"ELU", "1.2", "D", "1.6", "L"}));
    EXPECT_EQ(l.getPrimeraDeLineaSiguiente("combo:", 1), "1.6");
    EXPECT_EQ(l.getPalabrasDeLinea("combo:", 2), (Lineas{"X", "2", "D"}));
    EXPECT_EQ(l.getPrimeraDeLineaSiguiente("combo:", 2), "");
    EXPECT_EQ(l.getPrimeraDeLineaSiguiente("combo:", 3), "");  // fin del archivo
}

TEST(Lector, UnNumeroSeLeeEnteroONoSeLee) {
    // 0.2e no es 0.2 y una coma sin cifras a los dos lados no es decimal: cada uno vale 0 con un
    // error que dice dónde está y qué tiene (17-18, 0,5 o 2.5 en un modelo: ErroresDeEntrada).
    claseLeerArchivo l;
    mensajes.vaciar();
    EXPECT_EQ(l.convertirReal("0.2e", "sismo:"), 0.0);
    EXPECT_EQ(l.convertirReal("1,", "diafragma:", 3), 0.0);
    EXPECT_EQ(mensajes.textos(),
              (Lineas{"Error: valor no válido 0.2e en la etiqueta sismo: (sólo 0.2 es un número)",
                      "Error: valor no válido 1, en el registro 3 de diafragma: (los números se separan con blancos, "
                      "no con comas)"}));
    // Un entero escrito como real vale lo que dice; un número bien escrito no deja mensajes.
    mensajes.vaciar();
    EXPECT_EQ(l.convertirEntero("1e3", "modos:") + l.convertirEntero("2.0", "modos:"), 1002);
    EXPECT_EQ(l.convertirReal("1E3", "masaNudo:") + l.convertirReal("-2.5e-1", "masaNudo:"), 999.75);
    EXPECT_EQ(mensajes.tamano(), 0u);
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
    ArchivoTemporal a("precision: 3 escalaMy: 0.5 apoyo: 1\nprecision: 5 escalaMy: 0.25");
    auto l = lectorDe(a.ruta());
    EXPECT_EQ(l.getEntero("precision:"), 5);
    EXPECT_EQ(l.getReal("escalaMy:"), 0.25);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 1);
    a.escribir("precision: 3 apoyo: 1 apoyo: 2");
    EXPECT_EQ(l.getEntero("precision:"), 3);
    EXPECT_EQ(l.getNoEtiquetas("apoyo:"), 2);
}
