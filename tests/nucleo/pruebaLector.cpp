// Lector por etiquetas: la lectura única del archivo contra releerlo en cada
// operación, qué es un número, pares de factor y nombre, valores no válidos,
// el último valor de una etiqueta repetida y los cambios del archivo.
#include <cmath>

#include "entrada/claseLeerArchivo.h"
#include "utilidades.h"

namespace {
claseLeerArchivo lectorDe(const std::string& ruta) {
    claseLeerArchivo l;
    l.setNombreArchivo(ruta);
    return l;
}
}  // namespace

TEST(Lector, DaLoMismoQueReleerElArchivoEnCadaOperacion) {
    const char* etiquetas[] = {"nudos:", "barras:", "apoyo:", "puntual:", "combo:", "seccionRectangular:",
                               "seccionW:", "distribuidaGlobal:", "articulacion:", "rotacionBarra:", "pesoPropio:"};
    // El último registro del archivo termina limpio, con su último valor una sola vez.
    ArchivoTemporal final("apoyo: 1 1 1 0 0 0 1 4 apoyo: 1 1 1 1 1 1 4 combo: ELU 1.2 D barras: 3\n"
                          "puntual: D 0 0 -5 0 0 0 3 5");
    const Lineas modelos = archivosDe(VANTRA_EJEMPLOS, ".txt") + archivosDe(VANTRA_DATOS "/catalogo") +
                           archivosDe(VANTRA_DATOS "/fuzz") + Lineas{final.ruta()};
    for (const std::string& modelo : modelos) {
        SCOPED_TRACE(modelo);
        claseLeerArchivo lector = lectorDe(modelo);
        std::ifstream f(modelo);  // referencia: las palabras del archivo, leídas otra vez
        Lineas t;
        for (std::string p; f >> p;) t.push_back(p);
        for (const char* e : etiquetas) {
            int apariciones = 0;
            for (size_t i = 0; i < t.size(); ++i) {
                if (t[i] != e) continue;
                EXPECT_EQ(lector.getString(e, ++apariciones), i + 1 < t.size() ? t[i + 1] : "");
                std::vector<double> numeros;
                for (size_t j = i + 1; j < t.size() && t[j].find_first_not_of("0123456789+-.e") == std::string::npos; ++j)
                    numeros.push_back(std::isfinite(std::strtod(t[j].c_str(), nullptr)) ? std::strtod(t[j].c_str(), nullptr) : 0);
                CapturaConsola silencio;
                EXPECT_EQ(lector.getMatrizEtiquetaRepetida(e, apariciones, 0), numeros);
            }
            EXPECT_EQ(lector.getNoEtiquetas(e), apariciones);
        }
    }
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
    CapturaConsola cap;
    EXPECT_EQ(l.getMatriz("nudos:", 4), Eigen::MatrixXd((Eigen::MatrixXd(2, 4) << 1, 0, 0, 0, 2, 0, 0, 0).finished()));
    EXPECT_EQ(l.getEntero("precision:"), 0);
    EXPECT_EQ(l.getReal("escalaN:") + l.getReal("escalaMy:"), 0.0);
    Lineas esperadas;
    for (auto [valor, etiqueta] : {std::pair{"e", "nudos:"}, {"-", "nudos:"}, {"+", "nudos:"}, {".", "nudos:"},
                                   {"1e999", "nudos:"}, {"99999999999", "precision:"}, {"abc", "escalaN:"}, {"", "escalaMy:"}})
        esperadas.push_back(std::string("Advertencia: valor no válido ") + valor + " en la etiqueta " + etiqueta);
    EXPECT_EQ(cap.lineas(), esperadas);
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
