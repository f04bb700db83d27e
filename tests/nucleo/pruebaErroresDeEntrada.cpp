// Un error de escritura nunca se vuelve una respuesta equivocada: las etiquetas desconocidas, los
// casos de carga que faltan, las unidades equivocadas y los registros incompletos se nombran; los
// errores de entrada cambian el estado de salida del modo por lotes; la salida por lotes no lleva
// el avance de la carga ni el ruido del redondeo.
#include <cctype>
#include <cstdlib>

#include "arranque.h"
#include "entrada/etiquetas.h"
#include "utilidades.h"

namespace {

// Edificio de un piso de 2 x 1 vanos (6 m, 3 m de alto) con vigas y columnas de hormigón, como
// lo escribiría alguien en kN y m; `secciones` y `combos` completan el modelo.
std::string edificio(const std::string& secciones, const std::string& combos) {
    return "nudos: 1 0 0 0  2 6 0 0  3 12 0 0  4 0 0 3  5 6 0 3  6 12 0 3\n"
           "barras: 1 1 4  2 2 5  3 3 6  4 4 5  5 5 6\n"
           "apoyo: 1 1 1 1 1 1  1 2 3\n" +
           secciones + "distribuidaGlobal: D 10 10 0 0 -1  4 5\ndistribuidaGlobal: L 5 5 0 0 -1  4 5\n"
           "puntual: W 20 0 0 0 0 0  4\n" + combos;
}
const std::string kColumnas = "seccionRectangular: C30 0.3 0.3 25e6 0.2 24  1 2 3\n";
const std::string kVigas = "seccionRectangular: V25 0.25 0.5 25e6 0.2 24  4 5\n";

// El modo por lotes sobre el modelo, en un directorio temporal: estado y líneas de la consola.
int lotes(const std::string& modelo, Lineas& consola, bool detalle = false, const std::string& csv = "") {
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola captura;
    const int estado = funcionCalcularLotes("modelo.txt", csv, detalle);
    consola = captura.lineas();
    return estado;
}

bool tiene(const Lineas& l, const std::string& linea) { return std::find(l.begin(), l.end(), linea) != l.end(); }

// Una palabra de la línea (entre blancos, comas o dos puntos) que es un número nulo escrito con signo menos.
bool tieneCeroNegativo(const std::string& linea) {
    std::string palabra;
    for (size_t i = 0; i <= linea.size(); ++i) {
        if (i < linea.size() && linea[i] != ' ' && linea[i] != ',' && linea[i] != ':') {
            palabra += linea[i];
            continue;
        }
        char* fin = nullptr;
        if (!palabra.empty() && palabra[0] == '-' && std::strtod(palabra.c_str(), &fin) == 0.0 && *fin == '\0')
            return true;
        palabra.clear();
    }
    return false;
}

}  // namespace

TEST(ErroresDeEntrada, UnaEtiquetaMalEscritaSeNombraYElModeloNoSeCalcula) {
    // "seccionRectangualr:" deja las vigas sin sección: se nombra la etiqueta con la correcta, las
    // barras sin sección en una sola línea (nada más sobre ellas), y el modelo no se analiza: no se
    // escribe nada (las reacciones serían las de una estructura sin vigas) y el estado es 3.
    DirectorioTemporal dir;
    Lineas consola;
    const std::string mal = "seccionRectangualr: V25 0.25 0.5 25e6 0.2 24  4 5\n";
    EXPECT_EQ(lotes(edificio(kColumnas + mal, "combo: ELU 1.2 D 1.6 L\n"), consola), 3);
    EXPECT_EQ(consola, (Lineas{"Error: etiqueta desconocida seccionRectangualr:; ¿quiso decir seccionRectangular:?",
                               "Error: las barras 4–5 no tienen sección ni material (ningún registro de sección la "
                               "nombra)",
                               "Advertencia: el caso W no está en ningún combo",
                               "Error: el modelo tiene 2 errores de entrada; no se analiza"}));
    EXPECT_FALSE(std::filesystem::exists("resultados.txt"));
}

TEST(ErroresDeEntrada, UnModeloConErroresNoTocaLosArchivosDeUnaCorridaAnterior) {
    // Los resultados, los CSV y el informe de la corrida anterior (del modelo sin el error) quedan
    // como estaban: nada se escribe a medias ni se borra.
    DirectorioTemporal dir;
    const std::string bien = edificio(kColumnas + kVigas, "combo: ELU 1.2 D 1.6 L\n");
    std::ofstream("modelo.txt") << bien;
    {
        CapturaConsola silencio;
        ASSERT_EQ(funcionCalcularLotes("modelo.txt", "csv", false, "informe"), 0);
    }
    const Lineas archivos = Lineas{"resultados.txt", "informe/informe.html"} + archivosDe("csv");
    ASSERT_EQ(archivos.size(), 7u);  // con niveles.csv: el edificio tiene columnas
    std::vector<std::string> antes;
    for (const std::string& a : archivos) antes.push_back(leerArchivo(a));
    std::ofstream("modelo.txt") << edificio(kColumnas, "combo: ELU 1.2 D 1.6 L\n");
    Lineas consola;
    {
        CapturaConsola captura;
        EXPECT_EQ(funcionCalcularLotes("modelo.txt", "csv", false, "informe"), 3);
        consola = captura.lineas();
    }
    EXPECT_EQ(consola.back(), "Error: el modelo tiene 1 error de entrada; no se analiza");
    for (const std::string& l : consola) EXPECT_EQ(l.find("Reacciones"), std::string::npos) << l;
    for (size_t i = 0; i < archivos.size(); ++i) EXPECT_EQ(leerArchivo(archivos[i]), antes[i]) << archivos[i];
    EXPECT_EQ(archivosDe("csv").size(), 5u);
}

TEST(ErroresDeEntrada, EtiquetasDesconocidasYParecidas) {
    EXPECT_EQ(etiquetaParecida("Nudos:"), "nudos:");
    EXPECT_EQ(etiquetaParecida("combos:"), "combo:");
    EXPECT_EQ(etiquetaParecida("distribuidaLocalw:"), "distribuidaLocalX:");  // a un cambio de varias: la primera
    EXPECT_EQ(etiquetaParecida("observaciones:"), "");
    EXPECT_EQ(distanciaDeEdicion("seccionRectangualr:", "seccionRectangular:"), 2);
    EXPECT_EQ(formaSimple("SoloTRACCIÓN:"), "solotraccion:");
    // Casi una etiqueta (a un cambio, a dos en las de ocho letras o más, o igual salvo mayúsculas y
    // acentos) es una etiqueta mal escrita; "Cargas:", a dos cambios de "barras:", es un comentario.
    for (auto [palabra, etiqueta] :
         {std::pair{"masaDeCarga:", "masaDeCargas:"}, {"diafragama:", "diafragma:"}, {"soloTracción:", "soloTraccion:"},
          {"segundoOrdem:", "segundoOrden:"}, {"Nudos:", "nudos:"}, {"NUDOS:", "nudos:"}, {"combos:", "combo:"},
          {"seccionRectangualr:", "seccionRectangular:"}, {"DesplazamientoImpuésto:", "desplazamientoImpuesto:"}})
        EXPECT_EQ(etiquetaMalEscrita(palabra), etiqueta) << palabra;
    for (const char* comentario : {"notas:", "Nota:", "observaciones:", "Ejemplo:", "Ver:", "Cargas:"})
        EXPECT_EQ(etiquetaMalEscrita(comentario), "") << comentario;
    // Un ":" suelto o detrás de signos no es una etiqueta; las palabras de comentario con ":" se
    // avisan, una vez cada una y en el orden del archivo; la etiqueta mal escrita es un error.
    const Lineas l = cargarModelo("Nota: esta viga - : --: nudos: 1 0 0 0 Nota: Cargas: Combo: x 1 y\n");
    EXPECT_EQ(Lineas(l.begin(), l.begin() + 3),
              (Lineas{"Advertencia: etiqueta desconocida Nota: (se ignora); ¿quiso decir norma:?",
                      "Advertencia: etiqueta desconocida Cargas: (se ignora); ¿quiso decir barras:?",
                      "Error: etiqueta desconocida Combo:; ¿quiso decir combo:?"}));
    EXPECT_EQ(mensajes.cantidad(nivelMensaje::error), 1);
}

TEST(ErroresDeEntrada, CasosDeCargaYCombinaciones) {
    // "1.6 LL" donde el caso es L: ningún registro define LL y la combinación perdería la carga
    // viva; es un error, una vez. El caso L que ninguna combinación usa es un aviso.
    const Lineas l = cargarModelo(edificio(kColumnas + kVigas, "combo: ELU 1.2 D 1.6 LL 1.6 LL\ncombo: W 1 W\n"));
    EXPECT_TRUE(tiene(l, "Error: el combo ELU usa el caso LL, que no está definido"));
    EXPECT_TRUE(tiene(l, "Advertencia: el caso L no está en ningún combo"));
    EXPECT_EQ(std::count_if(l.begin(), l.end(), [](auto& x) { return x.find("LL") != std::string::npos; }), 1);
    EXPECT_EQ(mensajes.cantidad(nivelMensaje::error), 1);
    // Un caso definido cuyas cargas son todas nulas no es ese error: es un aviso, y el modelo se calcula.
    const Lineas z = cargarModelo(
        edificio(kColumnas + kVigas, "puntual: Z 0 0 0 0 0 0  4\ncombo: ELU 1.2 D 1.6 L 1 Z\ncombo: W 1 W\n"));
    EXPECT_TRUE(tiene(z, "Advertencia: el combo ELU usa el caso Z, que no tiene cargas"));
    EXPECT_EQ(mensajes.cantidad(nivelMensaje::error), 0);
    // Sin combinaciones (y sin modos) no hay nada que calcular.
    EXPECT_TRUE(tiene(cargarModelo(edificio(kColumnas + kVigas, "")), "Advertencia: no hay combos: no hay nada que calcular"));
    EXPECT_FALSE(tiene(cargarModelo(edificio(kColumnas + kVigas, "modos: 2\n")),
                       "Advertencia: no hay combos: no hay nada que calcular"));
}

TEST(ErroresDeEntrada, EnMegapascalesElDesplazamientoEsImplausible) {
    // E = 25000 (MPa) con longitudes en m y fuerzas en kN: mil veces más blando; el viento mueve
    // el piso metros y se avisa una vez por combinación, con el nudo que más se mueve.
    const std::string mpa = "seccionRectangular: C30 0.3 0.3 25000 0.2 24  1 2 3\n"
                            "seccionRectangular: V25 0.25 0.5 25000 0.2 24  4 5\nunidades: kN m\n";
    ASSERT_TRUE(analizarModelo(edificio(mpa, "combo: W 1 W\ncombo: D 1 D\n")));
    Lineas avisos;
    for (const std::string& m : mensajes.textos())
        if (m.find("1/50 del tamaño del modelo") != std::string::npos) avisos.push_back(m);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].rfind("Advertencia: en el combo W el nudo ", 0), 0u) << avisos[0];
    EXPECT_NE(avisos[0].find(" m, más de 1/50 del tamaño del modelo: revise unidades y rigideces; el análisis lineal "
                             "supone desplazamientos pequeños"),
              std::string::npos);
    // Con kN/m² el mismo modelo no dice nada.
    ASSERT_TRUE(analizarModelo(edificio(kColumnas + kVigas, "combo: W 1 W\ncombo: D 1 D\n")));
    for (const std::string& m : mensajes.textos()) EXPECT_EQ(m.find("1/50"), std::string::npos) << m;
}

TEST(ErroresDeEntrada, RegistrosSinSusValoresYValoresImposibles) {
    const Lineas l = cargarModelo(
        "nudos: 1 0 0 0 2 4 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 x\napoyo: 1 1 1 1 1 1\n"
        "seccionRectangular: R 0.3 0.5 25e6 0.7 24  1\nseccionW: W 0.2 0.01\npuntual: P 0 0 -1  2\n"
        "articulacion: 1 0  1\nmasaNudo: 2\ncombo: C 1 P\n");
    for (const char* e :
         {"Error: el registro 1 de apoyo: necesita 6 valores y la lista de nudos (tiene 5 números)",
          "Error: el registro 2 de apoyo: no nombra ningún nudo",
          "Error: el registro 1 de seccionRectangular: (R) tiene una dimensión o un módulo de elasticidad que no "
          "son positivos, un peso específico negativo o un coeficiente de Poisson fuera de (-1, 0.5]",
          "Error: el registro 1 de seccionW: (W) necesita 7 valores y la lista de barras (tiene 2 números)",
          "Error: el registro 1 de puntual: (P) necesita 6 valores y la lista de nudos (tiene 4 números)",
          "Error: el registro 1 de articulacion: necesita 4 valores y la lista de barras (tiene 3 números)",
          "Error: el registro 1 de masaNudo: no nombra ningún nudo"})
        EXPECT_TRUE(tiene(l, e)) << e;
}

TEST(ErroresDeEntrada, EquilibrioDeUnAsentamientoQueNadaResiste) {
    // El asentamiento del combo S cae en un apoyo que nada resiste (su barra no tiene sección):
    // sus cargas son nulas y sus reacciones, redondeo. El equilibrio se mide contra la mayor carga
    // del modelo (la del combo P), no contra el redondeo: da 0, no el cociente de dos redondeos.
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 0 0 3  3 5 0 3\nbarras: 1 1 2  3 2 3\n"
                               "apoyo: 1 1 1 1 1 1  1 3\nseccionRectangular: C30 0.3 0.3 25e6 0.2 24  1\n"
                               "puntual: P 10 0 -50 0 0 0  2\ndesplazamientoImpuesto: S 0 0 -0.01 0 0 0  3\n"
                               "combo: P 1 P\ncombo: S 1 S\n"));
    EXPECT_LE(errorEquilibrioDe(1), 1e-15);
    resultados.casos[1].reacciones.col(internoDeNudo(3)) << 3e-30, 0, -1e-30, 0, 2e-30, 0;
    calcularEquilibrio(resultados);
    EXPECT_LT(errorEquilibrioDe(1), 1e-29);
    EXPECT_LE(errorEquilibrioDe(0), 1e-15);
}

TEST(ErroresDeEntrada, LaSalidaPorLotesDeLosEjemplosNoLlevaAvanceRuidoNiCerosNegativos) {
    // Sin --detalle no hay avance de la carga ni avisos de ajustes de dibujo; con él, sí, y lo demás
    // es igual. En ninguna línea ni CSV aparece un cero negativo, y los grados de libertad libres y
    // el redondeo de las reacciones son 0 exacto.
    for (const std::string& ejemplo : archivosDe(VANTRA_EJEMPLOS, ".txt")) {
        SCOPED_TRACE(ejemplo);
        DirectorioTemporal dir;
        Lineas quieta, detallada;
        ASSERT_EQ(lotes(leerArchivo(ejemplo), detallada, true), 0);
        ASSERT_EQ(lotes(leerArchivo(ejemplo), quieta, false, "csv"), 0);
        EXPECT_TRUE(tiene(detallada, "lectura de nudos OK Num Nudos = " + std::to_string(noNudos)));
        EXPECT_TRUE(std::includes(detallada.begin(), detallada.end(), quieta.begin(), quieta.end()) ||
                    std::search(detallada.begin(), detallada.end(), quieta.begin(), quieta.end()) != detallada.end());
        EXPECT_TRUE(tieneCeroNegativo("nudo 1: 1.0 -0.000000e+00") && tieneCeroNegativo("C,3,-0") &&
                    !tieneCeroNegativo("nudo 1: -1.0 -2.5e-03 0"));
        for (const std::string& l : quieta) {
            EXPECT_EQ(l.find("OK"), std::string::npos) << l;
            EXPECT_EQ(l.find("no se encontró"), std::string::npos) << l;
            EXPECT_FALSE(tieneCeroNegativo(l)) << l;
        }
        for (const std::string& archivo : archivosDe("csv"))
            for (const std::string& l : lineasDe(leerArchivo(archivo)))
                EXPECT_FALSE(tieneCeroNegativo(l)) << archivo << ": " << l;
        // Un número de una reacción es o bien 0 o bien mayor que 1e-13 de la mayor de su clase.
        for (const casoResultado& caso : resultados.casos)
            for (const std::string& l : quieta) {
                if (l.rfind("nudo ", 0) != 0) continue;
                std::istringstream campos(l.substr(l.find(':') + 1));
                for (int k = 0; k < 6; ++k) {
                    double v;
                    campos >> v;
                    const double escala = k < 3 ? caso.escalas.fuerzas : caso.escalas.momentos;
                    EXPECT_TRUE(v == 0 || std::fabs(v) >= 1e-13 * escala * 0.999999) << l;
                }
            }
    }
}

TEST(ErroresDeEntrada, ConModosSeDiceLaMasaTotalYLaLibre) {
    // Voladizo de 10 m según X en cuatro barras de acero (μ = 78.5·0.1/9.81) y 2 de masa en la punta:
    // masa total μ·L + 2 en cada dirección. La libre es la de los grados de libertad libres: de la
    // barra empotrada sólo cuenta el bloque de su extremo libre de la matriz consistente, 2/6 de su
    // masa en la axial (X) y 156/420 en la transversal (Y, Z).
    DirectorioTemporal dir;
    Lineas consola;
    ASSERT_EQ(lotes(barraSubdividida(4, "apoyo: 1 1 1 1 1 1  1\nmasaNudo: 2  5\nmodos: 3\n", 78.5), consola), 0);
    const double mu = 78.5 * 0.1 / 9.81, total = mu * 10 + 2, axial = mu * (7.5 + 2.5 * 2 / 6) + 2,
                 transversal = mu * (7.5 + 2.5 * 156 / 420) + 2;
    char esperada[200];
    std::snprintf(esperada, sizeof esperada,
                  "Masa total: %.6e en cada dirección; masa libre: X %.6e, Y %.6e, Z %.6e", total, axial, transversal,
                  transversal);
    EXPECT_TRUE(tiene(consola, esperada)) << esperada;
}

namespace {

// El edificio con masa de sus cargas, un espectro y sismos en X y en Y; `resto` completa el modelo.
std::string edificioSismico(const std::string& resto) {
    return edificio(kColumnas + kVigas, "gravedad: 9.81\nmodos: 6\nespectro: E 0 2.5 1 2.5 4 0.6\n"
                                        "sismo: SX E X 0.05\nsismo: SY E Y 0.05 SRSS\n" + resto);
}

// Tres barras con números grandes: las 2701 y 2702 forman la viga y la 2705 la sostiene.
std::string viguetas(const std::string& resto) {
    return "nudos: 1 0 0 0  2 0 0 3  3 5 0 3  4 10 0 3\nbarras: 2705 1 2  2701 2 3  2702 3 4\n"
           "apoyo: 1 1 1 1 1 1  1 4\nseccionRectangular: V 0.25 0.5 25e6 0.2 24  2701 2702 2705\n" + resto;
}

// Verdadero si el texto tiene inf o nan como palabra (como los escribe printf o un flujo).
bool tieneInfONan(const std::string& texto) {
    std::string palabra;
    for (size_t i = 0; i <= texto.size(); ++i) {
        const char c = i < texto.size() ? texto[i] : ' ';
        if (std::isalpha(static_cast<unsigned char>(c))) {
            palabra += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            continue;
        }
        if (palabra == "inf" || palabra == "nan" || palabra == "infinity") return true;
        palabra.clear();
    }
    return false;
}

// El modo por lotes sobre el modelo (con CSV e informe): sale con 3, la consola tiene la línea y
// nunca inf ni nan, y no se escribe ningún archivo.
void esperarErrorDeEntrada(const std::string& modelo, const std::string& linea) {
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    Lineas consola;
    int estado;
    {
        CapturaConsola captura;
        estado = funcionCalcularLotes("modelo.txt", "csv", false, "informe");
        consola = captura.lineas();
    }
    EXPECT_EQ(estado, 3);
    EXPECT_TRUE(tiene(consola, linea)) << "falta: " << linea << "\nconsola:\n" << ::testing::PrintToString(consola);
    ASSERT_FALSE(consola.empty());
    EXPECT_EQ(consola.back().rfind("Error: el modelo tiene ", 0), 0u) << consola.back();
    for (const std::string& l : consola) EXPECT_FALSE(tieneInfONan(l)) << l;
    EXPECT_EQ(archivosDe("."), Lineas{"./modelo.txt"});
}

}  // namespace

TEST(ErroresDeEntrada, LosDeslicesDeUnEdificioSonErroresQueNombranSuRegistro) {
    // Lo que un ingeniero escribe mal al cargar un edificio y antes terminaba con estado 0 y una
    // respuesta equivocada (un sismo perdido, otro caso leído como factor, una regla tomada por
    // comentario, las barras leídas como gradientes): cada uno es un error que nombra el registro.
    const std::string combos = "combo: U1 1.2 D 1.6 L\n";
    const std::pair<std::string, std::string> casos[] = {
        // Un factor que falta: el sismo no se toma por comentario.
        {edificioSismico("combo: U2X 1.25 D 1.25 L SX\n"),
         "Error: el registro 1 de combo: (U2X) tiene SX donde va un factor (los pares son factor caso)"},
        // Un factor de más al final: la palabra siguiente no se lee como su caso.
        {edificioSismico("combo: U3X 0.9 D 1\ncombo: U4 1 SX\n"),
         "Error: el registro 1 de combo: (U3X) termina en el factor 1, sin su caso"},
        {edificioSismico("combo: U3X 0.9 D\n 1 SX\n"),
         "Error: el registro 1 de combo: (U3X) sigue en la línea siguiente (1 ...); el registro va en una sola línea"},
        {edificioSismico("combo: U5 1 D 1 SZ\n"), "Error: el combo U5 usa el caso SZ, que no está definido"},
        {edificioSismico("sismos: SZ E Z 0.05\ncombo: U5 1 D 1 SZ\n"),
         "Error: el combo U5 usa el caso SZ, que no está definido"},
        {edificioSismico("sismos: SZ E Z 0.05\ncombo: U5 1 D 1 SZ\n"),
         "Error: etiqueta desconocida sismos:; ¿quiso decir sismo:?"},
        {edificioSismico("sismo: SZ E Z 0.05 SRRS\ncombo: U5 1 D 1 SZ\n"),
         "Error: el sismo SZ: regla SRRS no válida (CQC o SRSS; se ignora el sismo)"},
        {edificioSismico("masaDeCarga: 1 D 0.25 L\n" + combos),
         "Error: etiqueta desconocida masaDeCarga:; ¿quiso decir masaDeCargas:?"},
        // GY y GZ olvidados: las dos primeras barras son gradientes de 2701 y 2702 grados por metro.
        {viguetas("temperatura: T 1.2e-5 30 2701 2702 2705\ncombo: T 1 T\n"),
         "Error: el registro 1 de temperatura: (T): el gradiente GY 2701 por el alto 0.5 de la sección de la barra "
         "2705 da 1350.5 grados entre sus caras (más de 200); ¿faltan GY y GZ?"},
        // El pandeo de un combo con sismo sería el de su parte estática.
        {edificioSismico("combo: U6 1.2 D 1 SX\npandeo: U6 2\n"),
         "Error: pandeo: el combo U6 incluye el sismo SX; el pandeo es el de una combinación estática"},
        {edificio(kColumnas + "seccionRectangular: V25 0.25 0.5 25e6 0.2 -24  4 5\n", combos),
         "Error: el registro 2 de seccionRectangular: (V25) tiene una dimensión o un módulo de elasticidad que no son "
         "positivos, un peso específico negativo o un coeficiente de Poisson fuera de (-1, 0.5]"},
    };
    for (const auto& [modelo, linea] : casos) {
        SCOPED_TRACE(linea);
        esperarErrorDeEntrada(modelo, linea);
    }
}

TEST(ErroresDeEntrada, UnNumeroSeLeeEnteroOEsUnError) {
    // Un número no se lee hasta donde deja de tener sentido, y una coma decimal no termina el
    // registro en silencio (antes D quedaba fuera de la masa y el diafragma tenía dos nudos).
    const std::string combos = "combo: U1 1.2 D 1.6 L\n";
    const std::string base = kColumnas + kVigas;
    const std::pair<std::string, std::string> casos[] = {
        {edificio(base, "soloTraccion: 4-5\n" + combos),
         "Error: valor no válido 4-5 en el registro 1 de soloTraccion: (sólo 4 es un número)"},
        {edificio(base, "soloTraccion: 4.7\n" + combos),
         "Error: la barra 4.7 no es un número entero (etiqueta soloTraccion:)"},
        {edificioSismico("sismo: SZ E Z 0.05.5\n" + combos),
         "Error: valor no válido 0.05.5 en el registro 3 de sismo: (sólo 0.05 es un número)"},
        {edificio(base, "modos: 2.5\n" + combos),
         "Error: valor no válido 2.5 en la etiqueta modos: (se espera un número entero)"},
        {edificio(base, "apoyo: 1 1 1 1 1 0.5  4\n" + combos),
         "Error: el registro 2 de apoyo: tiene el código 0.5 en Gz, que no es entero (0 libre, 1 restringido)"},
        {edificioSismico("masaDeCargas: 1 L 0,5 D\n" + combos),
         "Error: valor no válido 0,5 en el registro 1 de masaDeCargas: (use punto decimal, 0.5, o un blanco entre dos "
         "números)"},
        {edificio(base, "diafragma: 4 5,6\n" + combos),
         "Error: valor no válido 5,6 en el registro 1 de diafragma: (use punto decimal, 5.6, o un blanco entre dos "
         "números)"},
        {edificio(base, "puntual: W 20 0 0 0 0 0  4,\n" + combos),
         "Error: valor no válido 4, en el registro 2 de puntual: (los números se separan con blancos, no con comas)"},
    };
    for (const auto& [modelo, linea] : casos) {
        SCOPED_TRACE(linea);
        esperarErrorDeEntrada(modelo, linea);
    }
}

TEST(ErroresDeEntrada, PedidosYEtiquetasQueVanUnaVez) {
    // Un pedido que no pide nada, una etiqueta que va una vez y aparece dos, y un valor que no es
    // un asentamiento ni una temperatura: errores, con la etiqueta y el registro.
    const std::string combos = "combo: U1 1.2 D 1.6 L\n";
    const std::string base = kColumnas + kVigas;
    const std::pair<std::string, std::string> casos[] = {
        {edificio(base, "modos: 0\n" + combos),
         "Error: modos: 0 no pide ningún modo (un entero positivo; sin la etiqueta no hay análisis modal)"},
        {edificio(base, "modos: -5\n" + combos),
         "Error: modos: -5 no pide ningún modo (un entero positivo; sin la etiqueta no hay análisis modal)"},
        {edificio(base, "pandeo: U1 0\n" + combos),
         "Error: el registro 1 de pandeo: (U1) pide 0 factores críticos; la cantidad debe ser un entero positivo"},
        {edificio(base, "modos: 2\nmodos: 3\n" + combos), "Error: la etiqueta modos: está 2 veces; va una sola vez"},
        {edificio(base, "unidades: kN m\nunidades: tf m\n" + combos),
         "Error: la etiqueta unidades: está 2 veces; va una sola vez"},
        {edificio(base, "gravedad: 9.81\ngravedad: 981\n" + combos),
         "Error: la etiqueta gravedad: está 2 veces; va una sola vez"},
        {edificioSismico("masaDeCargas: 1 D\nmasaDeCargas: 0.25 L\n" + combos),
         "Error: la etiqueta masaDeCargas: está 2 veces; va una sola vez, con todos sus pares factor caso"},
        // Un desplazamiento impuesto o una deformación térmica enormes: su fuerza no cabe en un número.
        {edificio(base, "desplazamientoImpuesto: S 0 0 -1e300 0 0 0  1\ncombo: S 1 S\n"),
         "Error: el registro 1 de desplazamientoImpuesto: (S) impone -1e+300 en Uz, más que el tamaño del modelo "
         "(12.3693); revise el valor (el registro se descarta)"},
        {edificio(base, "desplazamientoImpuesto: S 0 0 0 0 2 0  1\ncombo: S 1 S\n"),
         "Error: el registro 1 de desplazamientoImpuesto: (S) impone 2 en Gy, más que un radián; revise el valor (el "
         "registro se descarta)"},
        {edificio(base, "temperatura: T 1e-5 1e308 0 0  4\ncombo: T 1 T\n"),
         "Error: el registro 1 de temperatura: (T): ALFA·DT = 1e+303 es una deformación de más del 10 %; revise ALFA "
         "y DT (el registro se descarta)"},
        {edificio(base, "temperatura: T 1e-5 30 0 0  4\ncombo: T 1e308 T\n"),
         "Error: el combo T da fuerzas de temperatura: que no son números finitos en la barra 4; revise sus factores y "
         "ALFA, DT, GY, GZ"},
    };
    for (const auto& [modelo, linea] : casos) {
        SCOPED_TRACE(linea);
        esperarErrorDeEntrada(modelo, linea);
    }
}

TEST(ErroresDeEntrada, LoQueElProgramaResuelveDeUnaManeraDefinidaSigueSiendoUnAviso) {
    // Cada uno de estos modelos se analiza (estado 0) con su aviso.
    const std::string combos = "combo: U1 1.2 D 1.6 L\n";
    const std::string base = kColumnas + kVigas;
    const std::pair<std::string, std::string> casos[] = {
        {edificio(base, "notas: del cliente\n" + combos), "Advertencia: etiqueta desconocida notas: (se ignora)"},
        // "Cargas:" está a dos cambios de "barras:", pero una etiqueta corta sólo se toma por mal
        // escrita a un cambio: es un título de comentario.
        {edificio(base, "Cargas: de servicio\n" + combos),
         "Advertencia: etiqueta desconocida Cargas: (se ignora); ¿quiso decir barras:?"},
        {edificio(base, "escalaMy: 0.1\nescalaMy: 0.2\n" + combos),
         "Advertencia: la etiqueta escalaMy: está más de una vez; vale la última"},
        {edificioSismico("masaDeCargas: 1 D 0.5 D\n" + combos),
         "Advertencia: masaDeCargas: nombra el caso D más de una vez; cuenta una sola, con el último factor (0.5)"},
        {edificio(base, "modos: 2000\n" + combos),
         "Advertencia: modos: 2000 pide más de 1000 modos de vibración; se calculan 1000"},
        {edificio(base, "pandeo: U1 5000\n" + combos),
         "Advertencia: pandeo: U1 5000 pide más de 1000 factores críticos; se calculan 1000"},
        // Un vínculo sin peso: un peso específico nulo vale.
        {edificio(kColumnas + "seccionRectangular: V25 0.25 0.5 25e6 0.2 0  4 5\nmasaBarra: 0.1  4 5\n",
                  "modos: 2\n" + combos),
         "Advertencia: se usa gravedad 9.81 (m/s²); defina gravedad: si usa otras unidades"},
    };
    for (const auto& [modelo, linea] : casos) {
        SCOPED_TRACE(linea);
        DirectorioTemporal dir;
        Lineas consola;
        EXPECT_EQ(lotes(modelo, consola), 0);
        EXPECT_TRUE(tiene(consola, linea)) << ::testing::PrintToString(consola);
        EXPECT_TRUE(std::filesystem::exists("resultados.txt"));
    }
    // El caso D dos veces en masaDeCargas: cuenta una vez, con el último factor: la misma masa que 0.5 D.
    ASSERT_TRUE(analizarModelo(edificioSismico("masaDeCargas: 1 D 0.5 D\n")));
    const double dosVeces = resultados.masaTotal;
    ASSERT_TRUE(analizarModelo(edificioSismico("masaDeCargas: 0.5 D\n")));
    EXPECT_EQ(dosVeces, resultados.masaTotal);
    // Los pedidos se limitan a 1000 al cargar.
    cargarModelo(edificio(base, "modos: 2000\npandeo: U1 5000\n" + combos));
    ASSERT_EQ(pedidosPandeo.size(), 1u);
    EXPECT_EQ(Eigen::Vector2i(modosPedidos, pedidosPandeo[0].modos), Eigen::Vector2i(1000, 1000));
}

TEST(ErroresDeEntrada, NingunResultadoEsInfNiNan) {
    // Valores grandes pero finitos cuyos productos desbordan: cada modelo es un error de entrada que
    // nombra lo que está fuera de rango, con estado 3; la consola no lleva inf ni nan y no se escribe
    // ningún archivo.
    EXPECT_TRUE(tieneInfONan("nudo 1: inf -nan 0") && tieneInfONan("x,NaN") && !tieneInfONan("informe financiero"));
    const std::string combos = "combo: U1 1.2 D 1.6 L\n";
    const std::pair<std::string, std::string> casos[] = {
        {edificio(kColumnas + kVigas, "gravedad: 9.81\nmodos: 4\nespectro: E 0 1e160 10 1e160\nsismo: SX E X 0.05\n"
                                      "combo: U2 1 D 1 SX\n"),
         "Error: el sismo SX da cortantes basales que no son finitos o pasan de 1e150: las aceleraciones del "
         "espectro E o las masas están fuera de rango"},
        {edificio(kColumnas + kVigas, "gravedad: 9.81\nmodos: 4\nmasaBarra: 1e160  4 5\n" + combos),
         "Error: la masa de masaBarra: de las barras 4–5 (la masa por unidad de largo por el largo) está fuera de "
         "rango (más de 1e100, o no es un número finito); revise sus valores"},
        {edificio(kColumnas + kVigas, "gravedad: 9.81\nmodos: 4\nmasaBarra: 1e308  5\n" + combos),
         "Error: la masa de masaBarra: de la barra 5 (la masa por unidad de largo por el largo) está fuera de rango "
         "(más de 1e100, o no es un número finito); revise sus valores"},
        {edificio(kColumnas + kVigas, "gravedad: 1e-160\nmodos: 4\n" + combos),
         "Error: la masa propia de las barras 1–5 (pesoEspecifico · área / gravedad por el largo) está fuera de rango "
         "(más de 1e100, o no es un número finito); revise el peso específico, la sección y gravedad:"},
        {edificio(kColumnas + kVigas, "combo: U 1e308 D\n"),
         "Error: el combo U da cargas de tramo que no son números finitos (factor × carga) en las barras 4–5; revise "
         "sus factores y esas cargas"},
        {edificio(kColumnas + kVigas, "puntual: P 1e308 0 0 0 0 0  5\ncombo: U 2 P\n"),
         "Error: el combo U da cargas de puntual: que no son números finitos (factor × carga) en el nudo 5; revise sus "
         "factores y esas cargas"},
        // Una carga finita que sólo desborda al resolver: la última defensa, después del análisis.
        {edificio(kColumnas + kVigas, "puntual: P 1e306 0 0 0 0 0  5\ncombo: U 1 P\n"),
         "Error: el combo U da resultados que no son finitos o pasan de 1e150 (los desplazamientos del nudo 4): sus "
         "factores o sus cargas están fuera de rango"},
    };
    for (const auto& [modelo, linea] : casos) {
        SCOPED_TRACE(linea);
        esperarErrorDeEntrada(modelo, linea);
    }
}
