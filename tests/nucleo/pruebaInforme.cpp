// Informe de cálculo (--informe): las tablas dicen lo mismo que los CSV, las
// sumas de las reacciones equilibran las cargas, los avisos van primero, el
// archivo es un HTML completo sin nada de afuera, y sin la opción nada cambia.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <cstring>

#include "arranque.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"
#include "reporte/informe/documentoHtml.h"
#include "utilidades.h"

namespace {

using Tabla = std::vector<Lineas>;

std::string sinEntidades(std::string t) {
    for (auto [e, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
        for (std::size_t p; (p = t.find(e)) != std::string::npos;) t.replace(p, std::strlen(e), c);
    return t;
}

// Las filas del cuerpo de la primera tabla que sigue al título `h3` después de
// la posición `desde` (sin encabezados): el texto de cada celda.
Tabla tablaTras(const std::string& html, const std::string& h3, std::size_t desde = 0) {
    Tabla t;
    const std::size_t titulo = html.find("<h3>" + h3 + "</h3>", desde);
    if (titulo == std::string::npos) return t;
    // Todos sus <tbody> (uno por barra en las tablas de varias filas por barra).
    const std::size_t inicio = html.find("<tbody", titulo), fin = html.find("</table>", inicio);
    // (Sin expresiones regulares: las de la biblioteca recurren por carácter y
    // una tabla larga agota la pila.)
    for (std::size_t f = html.find("<tr", inicio); f < fin; f = html.find("<tr", f + 1)) {
        t.emplace_back();
        const std::size_t finFila = html.find("</tr>", f);
        for (std::size_t c = html.find("<td", f); c < finFila; c = html.find("<td", c + 1)) {
            const std::size_t desdeTexto = html.find('>', c) + 1;
            t.back().push_back(sinEntidades(html.substr(desdeTexto, html.find("</td>", c) - desdeTexto)));
        }
    }
    return t;
}

// Las filas de un CSV sin comillas.
Tabla leerCsv(const std::string& ruta) {
    Tabla t;
    for (const std::string& l : lineasDe(leerArchivo(ruta))) {
        std::istringstream s(l);
        t.emplace_back();
        for (std::string c; std::getline(s, c, ',');) t.back().push_back(c);
    }
    return t;
}

// Un número del informe (cinco cifras) contra el valor exacto.
::testing::AssertionResult mismoNumero(const std::string& informe, double exacto) {
    const double v = std::stod(informe);
    if (exacto == 0 ? informe == "0" : std::fabs(v - exacto) <= 5.01e-5 * std::fabs(exacto))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << informe << " no es " << exacto;
}

// Las etiquetas del documento abren y cierran en orden (fuera de <style>).
::testing::AssertionResult htmlBienFormado(const std::string& html) {
    std::vector<std::string> abiertas;
    const std::size_t finEstilos = html.find("</style>");
    const std::string resto = html.substr(0, html.find("<style>")) + html.substr(finEstilos + 8);
    for (std::size_t i = resto.find('<'); i != std::string::npos; i = resto.find('<', i + 1)) {
        const std::size_t fin = resto.find('>', i);
        if (fin == std::string::npos) return ::testing::AssertionFailure() << "etiqueta sin cerrar";
        const std::string e = resto.substr(i + 1, fin - i - 1);
        const bool cierre = !e.empty() && e[0] == '/';
        const std::string nombre = e.substr(cierre, e.find_first_of(" />", cierre) - cierre);
        if (e.empty() || e[0] == '!' || e.back() == '/' || nombre == "meta") continue;
        if (!cierre) {
            abiertas.push_back(nombre);
        } else if (abiertas.empty() || abiertas.back() != nombre) {
            return ::testing::AssertionFailure() << "</" << nombre << "> cierra "
                                                 << (abiertas.empty() ? "nada" : abiertas.back());
        } else {
            abiertas.pop_back();
        }
    }
    if (!abiertas.empty()) return ::testing::AssertionFailure() << "queda abierta <" << abiertas.back() << ">";
    return ::testing::AssertionSuccess();
}

int calcular(const std::string& modelo, Lineas& salida, const std::string& csv, const std::string& informe) {
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    const int estado = funcionCalcularLotes("modelo.txt", csv, false, informe);
    salida = consola.lineas();
    return estado;
}

// El informe de un ejemplo calculado con sus CSV en csv/ y el informe en inf/,
// en la carpeta actual; vacío si el cálculo no terminó con estado 0.
std::string informeDeEjemplo(const std::string& ejemplo) {
    Lineas salida;
    const int estado = calcular(leerArchivo(VANTRA_EJEMPLOS "/" + ejemplo), salida, "csv", "inf");
    EXPECT_EQ(estado, 0) << ejemplo;
    return estado == 0 ? leerArchivo("inf/informe.html") : "";
}

// El ejemplo que usa todas las etiquetas, con unidades, un resorte de giro, un
// asentamiento en su combinación, tres modos y una etiqueta mal escrita.
std::string modeloCompleto() {
    return leerArchivo(VANTRA_EJEMPLOS "/ingresoDatos.txt") +
           "\nunidades: kN m\nresorte: 0 0 0 300 0 0 4\ndesplazamientoImpuesto: S 0 0 -0.01 0 0 0 1\n"
           "combo: ASENT 1 S\nmodos: 3\nnotas: X 1 D\n";
}

}  // namespace

TEST(Informe, NumerosConCincoCifrasSinRuidoNiCeroNegativo) {
    EXPECT_EQ(numeroInforme(1234.5678), "1234.6");
    EXPECT_EQ(numeroInforme(-0.000123456), "-1.2346e-04");
    EXPECT_EQ(numeroInforme(0.0012345678), "0.0012346");
    EXPECT_EQ(numeroInforme(12345678), "1.2346e+07");
    EXPECT_EQ(numeroInforme(-0.0), "0");
    EXPECT_EQ(numeroInforme(-3e-12, 100), "0");
    EXPECT_EQ(numeroInforme(-3e-10, 100), "-3.0000e-10");
    EXPECT_EQ(escaparHtml("<a & \"b\">"), "&lt;a &amp; &quot;b&quot;&gt;");
    // Una notación por columna: la de valores pasa toda a científica, la de números de nudo y la
    // que no tiene científica quedan como están.
    tablaHtml t({{"Nudo"}, {"ux"}, {"uy"}});
    t.fila({"3", numeroInforme(2.8092e-4), "0.5"});
    t.fila({"12", numeroInforme(0.0010312), "0"});
    t.fila({"4", "0", "—"});
    EXPECT_NE(t.html().find("<td class=\"n\">3</td><td class=\"n\">2.8092e-04</td><td class=\"n\">0.5</td>"),
              std::string::npos);
    EXPECT_NE(t.html().find("<td class=\"n\">12</td><td class=\"n\">1.0312e-03</td><td class=\"n\">0</td>"),
              std::string::npos);
    EXPECT_NE(t.html().find("<td class=\"n\">4</td><td class=\"n\">0</td>"), std::string::npos);
}

TEST(Informe, TablasConcuerdanConLosCsvYLasSumasConLasCargas) {
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(modeloCompleto(), salida, "csv", "entrega/informe"), 0);
    const std::string html = leerArchivo("entrega/informe/informe.html");
    ASSERT_FALSE(html.empty());
    EXPECT_TRUE(htmlBienFormado(html));
    // Todo dentro: ni programas ni recursos de afuera; dibujos SVG: cuatro
    // vistas, deformada y diagramas de cada combinación, tres formas modales
    // y las cargas de los casos D, L, W y PP (S sólo impone desplazamientos).
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);
    EXPECT_EQ(html.find("<link"), std::string::npos);
    std::size_t dibujos = 0;
    for (std::size_t p = 0; (p = html.find("<svg ", p)) != std::string::npos; ++p) ++dibujos;
    // (los diagramas de N y My, uno o más por combinación).
    std::size_t diagramas = 0;
    for (std::size_t p = 0; (p = html.find(". Diagrama de ", p)) != std::string::npos; ++p) ++diagramas;
    EXPECT_GE(diagramas, 2 * combinaciones.size());
    EXPECT_EQ(dibujos, 4 + combinaciones.size() + diagramas + 3 + 4);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);

    // El aviso de la palabra desconocida terminada en dos puntos, antes del primer capítulo.
    const std::size_t aviso = html.find("etiqueta desconocida notas:");
    ASSERT_NE(aviso, std::string::npos);
    EXPECT_LT(html.find("Advertencias y errores del cálculo"), aviso);
    EXPECT_LT(aviso, html.find("<h2>"));
    // Unidades en los encabezados.
    EXPECT_NE(html.find("<th class=\"n\">Rz (kN)</th>"), std::string::npos);
    EXPECT_NE(html.find("<th class=\"n\">My (kN·m)</th>"), std::string::npos);

    const Tabla reacciones = leerCsv("csv/reacciones.csv"), desplazamientos = leerCsv("csv/desplazamientos.csv");
    const Tabla extremos = leerCsv("csv/fuerzasExtremos.csv");
    const std::size_t desdeCargas = html.find("<h2>Cargas</h2>");
    const Tabla casos = tablaTras(html, "Casos de carga", desdeCargas);
    std::map<std::string, std::vector<double>> resultanteDe;
    for (const Lineas& f : casos)
        for (std::size_t k = 1; k < f.size(); ++k) resultanteDe[f[0]].push_back(std::stod(f[k]));
    EXPECT_EQ(resultanteDe.size(), casosDeCarga.size());
    // La tabla de resultantes mayoradas sigue a la de factores, en la misma sección.
    const std::size_t desdeMayoradas = html.find("Resultante mayorada", desdeCargas);
    const Tabla mayoradas = tablaTras(html.substr(0, desdeMayoradas) + "<h3>M</h3>" + html.substr(desdeMayoradas), "M");
    ASSERT_EQ(mayoradas.size(), combinaciones.size());

    for (std::size_t c = 0; c < combinaciones.size(); ++c) {
        const combinacion& combo = combinaciones[c];
        SCOPED_TRACE(combo.nombre);
        // La resultante mayorada es la suma de los casos por sus factores.
        for (int k = 0; k < 6; ++k) {
            double suma = 0, mayor = 0;
            for (const auto& [factor, caso] : combo.terminos) {
                const double v = resultanteDe.count(caso) ? resultanteDe[caso][static_cast<std::size_t>(k)] : 0.0;
                suma += factor * v, mayor = std::max(mayor, std::fabs(factor * v));
            }
            EXPECT_NEAR(std::stod(mayoradas[c][static_cast<std::size_t>(k) + 1]), suma, 1e-4 * mayor + 1e-12);
        }

        const std::size_t capitulo = html.find("<h2>Combinación " + combo.nombre + "</h2>");
        ASSERT_NE(capitulo, std::string::npos);
        // Reacciones: las del CSV, fila por fila, y dos filas de sumas.
        const Tabla r = tablaTras(html, "Reacciones", capitulo);
        Tabla esperadas;
        for (const Lineas& l : reacciones)
            if (l[0] == combo.nombre) esperadas.push_back(l);
        ASSERT_EQ(r.size(), esperadas.size() + 2);
        for (std::size_t i = 0; i < esperadas.size(); ++i) {
            EXPECT_EQ(r[i][0], esperadas[i][1]);
            for (std::size_t k = 1; k < 7; ++k) EXPECT_TRUE(mismoNumero(r[i][k], std::stod(esperadas[i][k + 1])));
        }
        const Lineas& suma = r[esperadas.size()];
        const Lineas& cargas = r[esperadas.size() + 1];
        EXPECT_EQ(suma[0], "Suma de las reacciones");
        EXPECT_EQ(cargas[0], "Cargas aplicadas");
        // Las fuerzas y los momentos de las reacciones respecto del origen, sumados a mano desde el CSV.
        Eigen::Matrix<double, 6, 1> sumaCsv = Eigen::Matrix<double, 6, 1>::Zero();
        double mayor = 0;
        for (const Lineas& l : esperadas) {
            const objNudo3d& n = nudoUsuario(std::stoi(l[1]));
            Eigen::Matrix<double, 6, 1> v;
            for (int k = 0; k < 6; ++k) v(k) = std::stod(l[static_cast<std::size_t>(k) + 2]);
            sumaCsv.head<3>() += v.head<3>();
            sumaCsv.tail<3>() += v.tail<3>() + Eigen::Vector3d(n.getX(), n.getY(), n.getZ()).cross(v.head<3>());
            mayor = std::max(mayor, v.cwiseAbs().maxCoeff());
        }
        for (int k = 0; k < 6; ++k) {
            const auto j = static_cast<std::size_t>(k) + 1;
            EXPECT_NEAR(std::stod(suma[j]), sumaCsv(k), 1e-4 * std::fabs(sumaCsv(k)) + 1e-9 * mayor);
            // En equilibrio, las cargas aplicadas son la suma con el signo cambiado, y son las mayoradas.
            EXPECT_NEAR(std::stod(cargas[j]), -sumaCsv(k), 1e-4 * std::fabs(sumaCsv(k)) + 1e-9 * mayor);
            EXPECT_EQ(std::stod(cargas[j]), std::stod(mayoradas[c][j]));  // cada tabla con su notación
        }
        EXPECT_NE(html.find("Error relativo de equilibrio: ", capitulo), std::string::npos);

        // Mayores desplazamientos: el mayor valor absoluto de cada componente del CSV y su nudo; de
        // las traslaciones, también el mayor a lo largo de las barras, que no es menor.
        const Tabla d = tablaTras(html, "Mayores desplazamientos", capitulo);
        ASSERT_EQ(d.size(), 5u);
        EXPECT_EQ(d[2][0], "A lo largo de las barras");
        for (std::size_t k = 0; k < 6; ++k) {
            double valor = 0;
            std::string donde = "—";
            for (const Lineas& l : desplazamientos)
                if (l[0] == combo.nombre && std::fabs(std::stod(l[k + 2])) > std::fabs(valor))
                    valor = std::stod(l[k + 2]), donde = l[1];
            EXPECT_TRUE(mismoNumero(d[0][k + 1], valor));
            EXPECT_EQ(d[1][k + 1], donde);
            if (k < 3) EXPECT_GE(std::fabs(std::stod(d[2][k + 1])), std::fabs(std::stod(d[0][k + 1])));
            else EXPECT_EQ(d[2][k + 1], "—");
        }

        // Solicitaciones en los extremos: las fuerzas de extremo del CSV con los signos de los
        // diagramas, que son los valores de las funciones en x = 0 y x = L.
        const Tabla e = tablaTras(html, "Solicitaciones en los extremos de las barras", capitulo);
        ASSERT_EQ(e.size(), 2 * barra.size());
        for (std::size_t i = 0; i < e.size(); i += 2) {
            const objBarra3d& b = barraUsuario(std::stoi(e[i][0]));
            EXPECT_EQ(e[i][1], std::to_string(b.getNudoInicioUsuario()));
            EXPECT_EQ(e[i + 1][1], std::to_string(b.getNudoFinalUsuario()));
            const solicitacionesBarra& s = solicitacionesDe(b.getNoBarraUsuario(), static_cast<int>(c));
            for (int k = 0; k < kNumeroSolicitaciones; ++k) {
                const double escala = k < 3 ? casoNumero(static_cast<int>(c)).escalas.fuerzas
                                            : casoNumero(static_cast<int>(c)).escalas.momentos;
                // Columnas en el orden de las solicitaciones: N Vy Vz T My Mz.
                const auto col = static_cast<std::size_t>(2 + k);
                EXPECT_TRUE(mismoNumero(e[i][col], sinRuido(b.valorSolicitacion(s, k, 0), escala)));
                EXPECT_TRUE(mismoNumero(e[i + 1][col], sinRuido(b.valorSolicitacion(s, k, b.getLongitud()), escala)));
            }
            // Y el axial del inicio es −fx1 del CSV.
            for (const Lineas& l : extremos) {
                if (l[0] == combo.nombre && l[1] == e[i][0]) {
                    EXPECT_TRUE(mismoNumero(e[i][2], -std::stod(l[2])));
                }
            }
        }
    }

    // Modos: los períodos de modos.csv y la masa total.
    const Tabla modos = leerCsv("csv/modos.csv");
    const std::size_t desdeModos = html.find("<h2>Modos de vibración</h2>");
    ASSERT_NE(desdeModos, std::string::npos);
    const std::size_t tablaModos = html.find("<tbody", desdeModos);
    const Tabla m = tablaTras(html.substr(0, tablaModos) + "<h3>M</h3>" + html.substr(tablaModos), "M");
    ASSERT_EQ(m.size() + 1, modos.size());
    for (std::size_t k = 0; k < m.size(); ++k) EXPECT_TRUE(mismoNumero(m[k][1], std::stod(modos[k + 1][1])));
    EXPECT_NE(html.find("Masa total: " + numeroInforme(resultados.masaTotal)), std::string::npos);
}

TEST(Informe, SinLaOpcionNadaCambia) {
    DirectorioTemporal dir;
    Lineas sin, con;
    ASSERT_EQ(calcular(modeloCompleto(), sin, "csv", ""), 0);
    const std::string reporte = leerArchivo("resultados.txt"), csv = leerArchivo("csv/reacciones.csv");
    EXPECT_FALSE(std::filesystem::exists("informe.html"));
    ASSERT_EQ(calcular(modeloCompleto(), con, "csv", "inf"), 0);
    EXPECT_EQ(con, sin);
    EXPECT_EQ(leerArchivo("resultados.txt"), reporte);
    EXPECT_EQ(leerArchivo("csv/reacciones.csv"), csv);
    EXPECT_TRUE(std::filesystem::is_regular_file("inf/informe.html"));
    // El reemplazo deja sólo el informe en la carpeta (ningún temporal).
    EXPECT_EQ(archivosDe("inf").size(), 1u);
}

TEST(Informe, ConMasDeDoscientasBarrasLasMasSolicitadas) {
    // Voladizo de 250 barras con carga en la punta: |M| crece hacia el empotramiento.
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(barraSubdividida(250, "apoyo: 1 1 1 1 1 1 1\npuntual: P 0 3 -10 0 0 0 251\ncombo: C 1 P\n"),
                       salida, "", "inf"),
              0);
    const std::string html = leerArchivo("inf/informe.html");
    EXPECT_EQ(html.find("Solicitaciones en los extremos de las barras"), std::string::npos);
    EXPECT_NE(html.find("fuerzasExtremos.csv"), std::string::npos);
    const Tabla m = tablaTras(html, "Las 20 barras de mayor |M|");
    ASSERT_EQ(m.size(), 40u);
    for (std::size_t i = 0; i < 40; i += 2) EXPECT_EQ(m[i][0], std::to_string(i / 2 + 1));
    // |N| es nulo: sin tabla (no hay barras que destacar).
    EXPECT_TRUE(tablaTras(html, "Las 20 barras de mayor |N|").empty());
    EXPECT_EQ(tablaTras(html, "Las 20 barras de mayor |V|").size(), 40u);
}

TEST(Informe, AnalisisQueNoTerminaLoDiceArriba) {
    DirectorioTemporal dir;
    Lineas salida;
    EXPECT_EQ(calcular(leerArchivo(VANTRA_DATOS "/catalogo/mecanismo.txt"), salida, "", "inf"), 1);
    const std::string html = leerArchivo("inf/informe.html");
    const std::size_t error = html.find("Error: la estructura es inestable");
    ASSERT_NE(error, std::string::npos);
    EXPECT_LT(error, html.find("<h2>Modelo</h2>"));
    EXPECT_NE(html.find("No hay resultados: el análisis no terminó"), std::string::npos);
    EXPECT_EQ(html.find("<h2>Combinación"), std::string::npos);
    EXPECT_TRUE(htmlBienFormado(html));
}

TEST(Informe, CarpetaImposibleEsUnError) {
    DirectorioTemporal dir;
    std::ofstream("archivo") << "x";
    Lineas salida;
    EXPECT_EQ(calcular(leerArchivo(VANTRA_EJEMPLOS "/portico_plano.txt"), salida, "", "archivo/inf"), 1);
    EXPECT_NE(std::find(salida.begin(), salida.end(), "Error: no se pudo escribir en la carpeta archivo/inf"),
              salida.end());
}

TEST(Informe, VistasQueMuestranElModeloYTablasSinEncabezadosVacios) {
    DirectorioTemporal dir;
    Lineas salida;
    const auto vistas = [](const std::string& html) {
        std::vector<std::string> v;
        for (std::size_t p = 0; (p = html.find(". Modelo en ", p)) != std::string::npos; ++p)
            v.push_back(html.substr(p + 12, std::min(html.find(" (", p), html.find('.', p + 12)) - p - 12));
        return v;
    };
    // El pórtico plano en X-Z: en planta y en el alzado YZ es una línea.
    ASSERT_EQ(calcular(leerArchivo(VANTRA_EJEMPLOS "/portico_plano.txt"), salida, "", "plano"), 0);
    EXPECT_EQ(vistas(leerArchivo("plano/informe.html")),
              (std::vector<std::string>{"perspectiva isométrica", "alzado XZ"}));
    // La viga continua según X: una línea en planta y en XZ, un punto en YZ.
    ASSERT_EQ(calcular(leerArchivo(VANTRA_EJEMPLOS "/asentamiento.txt"), salida, "", "inf"), 0);
    const std::string html = leerArchivo("inf/informe.html");
    EXPECT_EQ(vistas(html).size(), 3u);
    EXPECT_EQ(html.find("Modelo en alzado YZ"), std::string::npos);
    EXPECT_NE(html.find("Modelo en planta"), std::string::npos);
    EXPECT_NE(html.find("Modelo en alzado XZ"), std::string::npos);
    // La tabla de cantidades no tiene encabezados: ninguna fila de encabezado vacía.
    const std::size_t cantidades = html.find("<table>", html.find("<h2>Modelo</h2>"));
    EXPECT_EQ(html.compare(cantidades, 15, "<table>\n<tbody>"), 0);
    EXPECT_EQ(html.find("<tr><th></th><th></th></tr>"), std::string::npos);
    EXPECT_TRUE(htmlBienFormado(html));
}

TEST(Informe, RotacionesDeBarraComoLasDaElModelo) {
    // Cuatro barras: sin rotación, con 0 escrito, 90° en dos registros y −30°. La tabla da los
    // ángulos de rotacionBarra: (no el interno de la matriz de rotación, 90° más) y sólo de
    // las barras que giran; sin ninguna, no hay tabla.
    DirectorioTemporal dir;
    Lineas salida;
    const std::string base = "nudos: 1 0 0 0  2 4 0 0  3 8 0 0  4 12 0 0  5 16 0 0\n"
                             "barras: 1 1 2  2 2 3  3 3 4  4 4 5\napoyo: 1 1 1 1 1 1  1 5\n"
                             "seccionRectangular: R 0.2 0.4 2e7 0.2 24  1 2 3 4\npesoPropio: PP\ncombo: C 1 PP\n";
    ASSERT_EQ(calcular(base + "rotacionBarra: 0  2\nrotacionBarra: 90  3\nrotacionBarra: -30  4\nrotacionBarra: 90  1\n"
                                  "rotacionBarra: 0  1\nrotacionBarra: 90  1\n",
                       salida, "", "inf"),
              0);
    const std::string html = leerArchivo("inf/informe.html");
    EXPECT_EQ(tablaTras(html, "Rotaciones de barra"), (Tabla{{"90.000", "1, 3"}, {"-30.000", "4"}}));
    ASSERT_EQ(calcular(base, salida, "", "sin"), 0);
    EXPECT_EQ(leerArchivo("sin/informe.html").find("Rotaciones de barra"), std::string::npos);
}

TEST(Informe, ExtremosDeLasSolicitacionesComoSolicitacionesCsv) {
    // Reticulado articulado: N y V de verdad, torsión y Mz sólo redondeo (0 sin barra ni x).
    DirectorioTemporal dir;
    const std::string html = informeDeEjemplo("reticulado.txt");
    ASSERT_FALSE(html.empty());
    const Tabla csv = leerCsv("csv/solicitaciones.csv");
    for (std::size_t c = 0; c < combinaciones.size(); ++c) {
        const std::string& combo = combinaciones[c].nombre;
        SCOPED_TRACE(combo);
        const Tabla t = tablaTras(html, "Extremos de las solicitaciones", html.find("<h2>Combinación " + combo + "</h2>"));
        ASSERT_EQ(t.size(), static_cast<std::size_t>(kNumeroSolicitaciones));
        for (const Lineas& f : t) {
            // El mayor máximo y el menor mínimo del CSV, con su barra y su x (la primera barra si empatan,
            // a menos del redondeo de su clase en el caso).
            const std::string esfuerzo = f[0].substr(0, f[0].find(' '));
            const bool fuerza = esfuerzo == "N" || esfuerzo == "Vy" || esfuerzo == "Vz";
            const double empate = toleranciaEmpate(fuerza ? casoNumero(static_cast<int>(c)).escalas.fuerzas
                                                          : casoNumero(static_cast<int>(c)).escalas.momentos);
            double maximo = -INFINITY, minimo = INFINITY;
            std::string barraMax, barraMin, xMax, xMin;
            for (const Lineas& l : csv) {
                if (l[0] != combo || l[2] != esfuerzo) continue;
                if (std::stod(l[3]) > maximo + empate) maximo = std::stod(l[3]), barraMax = l[1], xMax = l[4];
                if (std::stod(l[5]) < minimo - empate) minimo = std::stod(l[5]), barraMin = l[1], xMin = l[6];
            }
            ASSERT_TRUE(std::isfinite(maximo)) << f[0];
            EXPECT_TRUE(mismoNumero(f[1], maximo)) << f[0];
            EXPECT_TRUE(mismoNumero(f[4], minimo)) << f[0];
            EXPECT_EQ(f[2], maximo == 0 ? "—" : barraMax) << f[0];
            EXPECT_EQ(f[5], minimo == 0 ? "—" : barraMin) << f[0];
            if (maximo != 0) {
                EXPECT_TRUE(mismoNumero(f[3], std::stod(xMax))) << f[0];
            }
            if (minimo != 0) {
                EXPECT_TRUE(mismoNumero(f[6], std::stod(xMin))) << f[0];
            }
        }
        const Lineas& torsion = t[static_cast<std::size_t>(kSolicitacionT)];
        EXPECT_EQ(torsion, (Lineas{"T", "0", "—", "—", "0", "—", "—"}));
    }
}

TEST(Informe, DeformadaEscaladaConLaFlechaDelTramo) {
    // Viga simplemente apoyada de 10 m con 10 por metro: sus nudos no se
    // mueven y la flecha del centro es 5qL⁴/384EI.
    DirectorioTemporal dir;
    Lineas salida;
    const std::string modelo = "nudos: 1 0 0 0  2 10 0 0\nbarras: 1 1 2\n"
                               "apoyo: 1 1 1 1 0 0 1\napoyo: 0 1 1 0 0 0 2\n"
                               "seccionGenerica: G 0.1 0.002 0.002 0.003 2e8 0.3 0 1\n"
                               "distribuidaGlobal: Q 10 10 0 0 -1 1\ncombo: C 1 Q\n";
    ASSERT_EQ(calcular(modelo, salida, "", "inf"), 0);
    const std::string html = leerArchivo("inf/informe.html");
    const std::string flecha = numeroInforme(5 * 10 * 1e4 / (384 * 2e8 * 0.002));
    EXPECT_EQ(flecha, "0.0032552");
    EXPECT_NE(html.find("(la mayor traslación, " + flecha + " en barra 1, x = 5.0000, dibujada"), std::string::npos);
    EXPECT_NE(html.find(">barra 1, x = 5.0000: " + flecha + "</text>"), std::string::npos);
    // En el pórtico de ejemplo, la flecha de las vigas cargadas supera a los nudos: la deformada no se sale del dibujo.
    ASSERT_EQ(calcular(leerArchivo(VANTRA_EJEMPLOS "/portico_plano.txt"), salida, "", "inf2"), 0);
    const std::string portico = leerArchivo("inf2/informe.html");
    EXPECT_NE(portico.find("(la mayor traslación, ", portico.find("Deformada de ELU1")), std::string::npos);
    EXPECT_LT(portico.find(" en barra ", portico.find("Deformada de ELU1")), portico.find("dibujada como"));
}

TEST(Informe, MayoresDesplazamientosALoLargoDeLasBarras) {
    // Viga simplemente apoyada de 10 m con carga triangular de 0 a q: la mayor flecha, exacta,
    // está en x = L·√(1 − √(8/15)) y vale q·x·(7L⁴ − 10L²x² + 3x⁴)/(360·L·EI), entre dos
    // estaciones del dibujo; sus nudos no se mueven.
    DirectorioTemporal dir;
    Lineas salida;
    const double L = 10, q = 10, EI = 2e8 * 0.002;
    const std::string modelo = "nudos: 1 0 0 0  2 10 0 0\nbarras: 1 1 2\n"
                               "apoyo: 1 1 1 1 0 0 1\napoyo: 0 1 1 0 0 0 2\n"
                               "seccionGenerica: G 0.1 0.002 0.002 0.003 2e8 0.3 0 1\n"
                               "distribuidaGlobal: Q 0 10 0 0 -1 1\ncombo: C 1 Q\n";
    ASSERT_EQ(calcular(modelo, salida, "", "inf"), 0);
    const double x = L * std::sqrt(1 - std::sqrt(8.0 / 15));
    const double flecha = q * x * (7 * std::pow(L, 4) - 10 * L * L * x * x + 3 * std::pow(x, 4)) / (360 * L * EI);
    const std::array<traslacionEnBarras, 3> t = mayoresTraslacionesEnBarras(resultados, 0, barra);
    EXPECT_EQ(t[2].barra, internoDeBarra(1));
    EXPECT_NEAR(t[2].valor, -flecha, 1e-9 * flecha);
    EXPECT_NEAR(t[2].x, x, 1e-6 * L);
    const Tabla d = tablaTras(leerArchivo("inf/informe.html"), "Mayores desplazamientos");
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[0][3], "0");
    EXPECT_EQ(d[2][3], numeroInforme(-flecha));
    EXPECT_EQ(d[3][3], "1");
    EXPECT_EQ(d[4], (Lineas{"x", "—", "—", numeroInforme(x), "—", "—", "—"}));

    // Pórtico del ejemplo (barras verticales y horizontales, cargas en el tramo y en los nudos) y
    // una barra inclinada y girada: lo exacto no es menor que la elástica en 2001 estaciones de
    // cada barra, y la supera a lo sumo en lo que va de una estación al extremo.
    for (const std::string& m :
         {leerArchivo(VANTRA_EJEMPLOS "/portico_plano.txt"),
          std::string("nudos: 1 0 0 0  2 6 3 4\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\napoyo: 0 0 1 0 0 0  2\n"
                      "rotacionBarra: 30  1\nseccionRectangular: R 0.3 0.5 2e7 0.2 24  1\npesoPropio: PP\n"
                      "distribuidaLocalZ: Q 4 -2  1\ncombo: C 1 PP 1 Q\n")}) {
        ASSERT_EQ(calcular(m, salida, "", ""), 0);
        for (int c = 0; c < static_cast<int>(combinaciones.size()); ++c) {
            const std::array<traslacionEnBarras, 3> exacta = mayoresTraslacionesEnBarras(resultados, c, barra);
            double muestreada[3] = {0, 0, 0};
            for (const objBarra3d& b : barra) {
                const Eigen::MatrixXd e = deformadaBarra(resultados, c, b, 2001, 1.0).maximo;
                const Eigen::Vector3d inicio = casoNumero(c).desplazamientos.col(b.getNudoInicioInterno()).head<3>();
                for (Eigen::Index j = 0; j < e.cols(); ++j) {
                    const double xj = b.getLongitud() * static_cast<double>(j) / 2000;
                    const Eigen::Vector3d u =
                        inicio + b.getRotacion().transpose() * (e.col(j) - Eigen::Vector3d(xj, 0, 0));
                    for (int k = 0; k < 3; ++k) muestreada[k] = std::max(muestreada[k], std::fabs(u(k)));
                }
            }
            // Lo que difiere en el redondeo de las traslaciones del caso empata (manda la primera barra).
            const double empate = toleranciaEmpate(casoNumero(c).escalas.traslaciones);
            for (size_t k = 0; k < 3; ++k) {
                EXPECT_GE(std::fabs(exacta[k].valor) + empate, muestreada[k] * (1 - 1e-12)) << c << " " << k;
                EXPECT_LE(std::fabs(exacta[k].valor), muestreada[k] * (1 + 1e-6) + empate) << c << " " << k;
            }
        }
    }
}

namespace {

// Las filas de la tabla que sigue a la posición `desde` (la primera <tbody>),
// sin título que buscar.
Tabla tablaDesde(const std::string& html, std::size_t desde) {
    const std::size_t tbody = html.find("<tbody", desde);
    return tablaTras(html.substr(0, tbody) + "<h3>T</h3>" + html.substr(tbody), "T", desde);
}

// El texto del capítulo con ese título (hasta el siguiente).
std::string capituloDe(const std::string& html, const std::string& titulo) {
    const std::size_t inicio = html.find("<h2>" + titulo + "</h2>");
    if (inicio == std::string::npos) return "";
    return html.substr(inicio, html.find("<h2>", inicio + 1) - inicio);
}

// Una celda "valor" del informe contra el número de un CSV.
::testing::AssertionResult comoCsv(const std::string& informe, const std::string& csv) {
    return mismoNumero(informe, std::stod(csv));
}

// Los textos de cada figura (sin los rótulos de los ejes) como cajas en el
// papel, con un ancho de letra holgado (0.62 de la letra; 0.66 en negrita),
// y cuántos pares se tapan o salen del dibujo.
struct rotulosFigura {
    int tapados = 0, afuera = 0, extremos = 0;
};
std::vector<rotulosFigura> rotulosDeFiguras(const std::string& html) {
    std::vector<rotulosFigura> r;
    const auto atributo = [](const std::string& e, const std::string& a) {
        const std::size_t p = e.find(" " + a + "=\"");
        return p == std::string::npos ? std::string() : e.substr(p + a.size() + 3, e.find('"', p + a.size() + 3) - p - a.size() - 3);
    };
    for (std::size_t s = html.find("<svg "); s != std::string::npos; s = html.find("<svg ", s + 1)) {
        const std::size_t fin = html.find("</svg>", s);
        const std::string vista = atributo(html.substr(s, html.find('>', s) - s), "viewBox");
        double ancho = 0, alto = 0;
        std::sscanf(vista.c_str(), "0 0 %lf %lf", &ancho, &alto);
        std::vector<std::array<double, 4>> cajas;
        rotulosFigura f;
        for (std::size_t t = html.find("<text", s); t < fin; t = html.find("<text", t + 1)) {
            const std::string e = html.substr(t, html.find('>', t) - t);
            const std::string clase = atributo(e, "class");
            if (clase == "ejes") continue;
            const std::size_t desde = html.find('>', t) + 1;
            const std::string texto = sinEntidades(html.substr(desde, html.find("</text>", desde) - desde));
            std::size_t n = 0;
            for (unsigned char c : texto) n += (c & 0xC0) != 0x80;
            const double letra = clase == "numeroNudo" ? 7 : clase == "extremo" ? 8.5 : 8;
            const double w = static_cast<double>(n) * letra * (clase == "extremo" ? 0.66 : 0.62);
            const double x = std::stod(atributo(e, "x")), y = std::stod(atributo(e, "y"));
            const std::string ancla = atributo(e, "text-anchor");
            const double x0 = ancla == "end" ? x - w : ancla == "middle" ? x - w / 2 : x;
            const std::array<double, 4> c{x0, y - 0.8 * letra, x0 + w, y + 0.25 * letra};
            f.afuera += c[0] < 0 || c[1] < 0 || c[2] > ancho || c[3] > alto;
            for (const auto& o : cajas) f.tapados += c[0] < o[2] - 1e-9 && o[0] < c[2] - 1e-9 && c[1] < o[3] - 1e-9 && o[1] < c[3] - 1e-9;
            f.extremos += clase == "extremo";
            cajas.push_back(c);
        }
        r.push_back(f);
    }
    return r;
}

}  // namespace

TEST(Informe, PandeoYSegundoOrdenComoLosCsv) {
    DirectorioTemporal dir;
    const std::string html = informeDeEjemplo("segundo_orden.txt");
    ASSERT_FALSE(html.empty());
    EXPECT_TRUE(htmlBienFormado(html));
    EXPECT_NE(html.find("<td>estático lineal por el método de rigidez; segundo orden (P-Δ); pandeo lineal</td>"),
              std::string::npos);
    // La combinación de segundo orden dice sus iteraciones y su amplificación.
    EXPECT_NE(capituloDe(html, "Combinación ELU2").find("<p>Segundo orden del combo ELU2: "), std::string::npos);

    // Después de las combinaciones, la tabla de pandeo.csv y las tres primeras formas.
    const std::string pandeo = capituloDe(html, "Pandeo");
    ASSERT_FALSE(pandeo.empty());
    EXPECT_GT(html.find("<h2>Pandeo</h2>"), html.find("<h2>Combinación SERV</h2>"));
    const Tabla csv = leerCsv("csv/pandeo.csv"), t = tablaDesde(pandeo, 0);
    ASSERT_EQ(t.size() + 1, csv.size());
    for (std::size_t k = 0; k < t.size(); ++k) {
        EXPECT_EQ(t[k][0], k == 0 ? csv[k + 1][0] : "");
        EXPECT_EQ(t[k][1], csv[k + 1][1]);
        EXPECT_TRUE(comoCsv(t[k][2], csv[k + 1][2]));
    }
    for (int k = 1; k <= 3; ++k)
        EXPECT_NE(pandeo.find(". Forma de pandeo " + std::to_string(k) + " de ELU1 (factor crítico " + t[k - 1][2] + ")"),
                  std::string::npos);
    EXPECT_EQ(pandeo.find(". Forma de pandeo 4"), std::string::npos);
    // Sin sismos ni envolventes, ni sus capítulos ni sus estilos.
    EXPECT_EQ(html.find("<h2>Envolvente"), std::string::npos);
    EXPECT_EQ(html.find("<h2>Caso sísmico"), std::string::npos);
    EXPECT_EQ(html.find("diagramaMinimo"), std::string::npos);
    // Ningún rótulo de una figura tapa a otro ni sale del dibujo; cada diagrama rotula su máximo y su mínimo.
    int diagramas = 0;
    for (const rotulosFigura& f : rotulosDeFiguras(html)) {
        EXPECT_EQ(f.tapados, 0);
        EXPECT_EQ(f.afuera, 0);
        diagramas += f.extremos >= 2;
    }
    EXPECT_GE(diagramas, 3);
}

TEST(Informe, CasosSismicosCombinacionesConSismoYEnvolventeComoLosCsv) {
    DirectorioTemporal dir;
    const std::string html = informeDeEjemplo("edificio_sismico.txt");
    ASSERT_FALSE(html.empty());
    EXPECT_TRUE(htmlBienFormado(html));
    // Orden: combinaciones, envolvente, modos y los casos sísmicos, que salen de ellos.
    const std::size_t serv = html.find("<h2>Combinación SERV</h2>"), envolvente = html.find("<h2>Envolvente DISENO_ELU</h2>"),
                      modos = html.find("<h2>Modos de vibración</h2>"), sx = html.find("<h2>Caso sísmico SX</h2>");
    ASSERT_NE(sx, std::string::npos);
    EXPECT_LT(serv, envolvente);
    EXPECT_LT(envolvente, modos);
    EXPECT_LT(modos, sx);
    EXPECT_LT(sx, html.find("<h2>Caso sísmico SY</h2>"));

    // Casos sísmicos: la respuesta de cada modo es sismo.csv; la fila combinada, el cortante basal.
    const Tabla sismo = leerCsv("csv/sismo.csv"), reacciones = leerCsv("csv/reacciones.csv");
    for (const std::string nombre : {"SX", "SY"}) {
        SCOPED_TRACE(nombre);
        const std::string capitulo = capituloDe(html, "Caso sísmico " + nombre);
        const Tabla t = tablaTras(capitulo, "Respuesta de los modos");
        std::size_t fila = 0;
        double cuadrados = 0;
        for (const Lineas& l : sismo) {
            if (l[0] != nombre) continue;
            ASSERT_LT(fila, t.size());
            EXPECT_EQ(t[fila][0], l[1]);
            for (std::size_t k = 1; k < 6; ++k) EXPECT_TRUE(comoCsv(t[fila][k], l[k + 1]));
            cuadrados += std::pow(std::stod(l[5]), 2);
            ++fila;
        }
        ASSERT_EQ(t.size(), fila + 1);
        EXPECT_EQ(t.back()[0], "Combinado");
        // SY se combina por SRSS: su cortante en Y es la raíz de la suma de los cuadrados de los modos.
        if (nombre == std::string("SY")) {
            EXPECT_TRUE(mismoNumero(t.back()[4], std::sqrt(cuadrados)));
        }
        EXPECT_NE(capitulo.find("Masa efectiva de los modos calculados en la dirección " + std::string(1, nombre[1])),
                  std::string::npos);
        // Los módulos de las reacciones, los de reacciones.csv.
        const Tabla r = tablaTras(capitulo, "Reacciones");
        std::size_t i = 0;
        for (const Lineas& l : reacciones) {
            if (l[0] != nombre) continue;
            ASSERT_LT(i, r.size());
            EXPECT_EQ(r[i][0], l[1]);
            for (std::size_t k = 1; k < 7; ++k) EXPECT_TRUE(comoCsv(r[i][k], l[k + 1]));
            ++i;
        }
        EXPECT_EQ(i, r.size());
    }

    // Combinaciones con sismo y envolvente: reacciones y extremos de los CSV de dos valores.
    const Tabla envReacciones = leerCsv("csv/envolventeReacciones.csv");
    const Tabla envSolicitaciones = leerCsv("csv/envolventeSolicitaciones.csv");
    for (const std::string nombre : {"SX1", "SY2", "DISENO_ELU"}) {
        SCOPED_TRACE(nombre);
        const bool esEnvolvente = nombre == std::string("DISENO_ELU");
        const std::string capitulo = capituloDe(html, (esEnvolvente ? "Envolvente " : "Combinación ") + nombre);
        ASSERT_FALSE(capitulo.empty());
        std::size_t filasCsv = 0;
        if (!esEnvolvente) {
            // Dos filas por nudo: máx y mín de las seis componentes.
            const Tabla r = tablaTras(capitulo, "Reacciones máximas y mínimas");
            for (const Lineas& l : envReacciones) {
                if (l[0] != nombre) continue;
                const std::size_t fila = 2 * (filasCsv / 6), k = 2 + filasCsv % 6;
                ASSERT_LT(fila + 1, r.size());
                EXPECT_EQ(r[fila][0], l[1]);
                EXPECT_TRUE(comoCsv(r[fila][k], l[3]));
                EXPECT_TRUE(comoCsv(r[fila + 1][k], l[5]));
                ++filasCsv;
            }
            EXPECT_EQ(r.size(), filasCsv / 3);
        } else {
            // Una fila por componente no nula, con las combinaciones que mandan.
            const Tabla r = tablaTras(capitulo, "Reacciones extremas");
            std::size_t fila = 0;
            std::string nudoActual;
            for (const Lineas& l : envReacciones) {
                if (l[0] != nombre || (std::stod(l[3]) == 0 && std::stod(l[5]) == 0)) continue;
                ASSERT_LT(fila, r.size());
                EXPECT_EQ(r[fila][0], l[1] == nudoActual ? "" : l[1]);
                nudoActual = l[1];
                EXPECT_EQ(r[fila][1].substr(0, 2), l[2]);
                EXPECT_TRUE(comoCsv(r[fila][2], l[3]));
                EXPECT_EQ(r[fila][3], l[4]);
                EXPECT_TRUE(comoCsv(r[fila][4], l[5]));
                EXPECT_EQ(r[fila][5], l[6]);
                ++fila;
            }
            EXPECT_EQ(fila, r.size());
        }
        // Extremos: el mayor máximo y el menor mínimo del CSV con su barra (y su combinación).
        const Tabla e = tablaTras(capitulo, "Extremos de las solicitaciones");
        ASSERT_EQ(e.size(), static_cast<std::size_t>(kNumeroSolicitaciones));
        const std::size_t min = esEnvolvente ? 5 : 4;
        for (const Lineas& f : e) {
            const std::string esfuerzo = f[0].substr(0, f[0].find(' '));
            const Lineas* mayor = nullptr;
            const Lineas* menor = nullptr;
            // Ante un empate (a menos del redondeo de su clase en el caso), la primera barra.
            const bool fuerza = esfuerzo == "N" || esfuerzo == "Vy" || esfuerzo == "Vz";
            double empate = 0;
            for (const casoResultado& cr : resultados.casos)
                if (cr.nombre == nombre) empate = toleranciaEmpate(fuerza ? cr.escalas.fuerzas : cr.escalas.momentos);
            for (const Lineas& l : envSolicitaciones) {
                if (l[0] != nombre || l[2] != esfuerzo) continue;
                if (!mayor || std::stod(l[3]) > std::stod((*mayor)[3]) + empate) mayor = &l;
                if (!menor || std::stod(l[6]) < std::stod((*menor)[6]) - empate) menor = &l;
            }
            ASSERT_TRUE(mayor && menor) << esfuerzo;
            // Un extremo que es redondeo (el axial de las vigas de un diafragma) no tiene barra, x ni combinación.
            const bool mayorNulo = std::stod((*mayor)[3]) == 0, menorNulo = std::stod((*menor)[6]) == 0;
            EXPECT_TRUE(comoCsv(f[1], (*mayor)[3])) << esfuerzo;
            EXPECT_EQ(f[2], mayorNulo ? "—" : (*mayor)[1]) << esfuerzo;
            if (!mayorNulo) {
                EXPECT_TRUE(comoCsv(f[3], (*mayor)[4])) << esfuerzo;
            }
            EXPECT_TRUE(comoCsv(f[min], (*menor)[6])) << esfuerzo;
            EXPECT_EQ(f[min + 1], menorNulo ? "—" : (*menor)[1]) << esfuerzo;
            if (esEnvolvente) {
                EXPECT_EQ(f[4], mayorNulo ? "—" : (*mayor)[5]) << esfuerzo;
                EXPECT_EQ(f[8], menorNulo ? "—" : (*menor)[8]) << esfuerzo;
            }
        }
        // El diagrama de My con la curva de máximos y la de mínimos.
        EXPECT_NE(capitulo.find("<path class=\"diagramaMinimo\""), std::string::npos);
        const std::size_t pie = capitulo.find(". Diagrama de My de " + nombre + " en ");
        ASSERT_NE(pie, std::string::npos);
        EXPECT_NE(capitulo.find(", la curva de máximos en rojo y la de mínimos en azul", pie), std::string::npos);
    }
    EXPECT_NE(html.find("svg .diagramaMinimo {"), std::string::npos);

    // Envolvente: por solicitación, cada barra con su máximo y su mínimo, su x y su combinación.
    const std::string capitulo = capituloDe(html, "Envolvente DISENO_ELU");
    for (int s = 0; s < kNumeroSolicitaciones; ++s) {
        const std::string esfuerzo = kNombresSolicitaciones[s];
        SCOPED_TRACE(esfuerzo);
        Tabla esperadas;
        for (const Lineas& l : envSolicitaciones)
            if (l[0] == "DISENO_ELU" && l[2] == esfuerzo) esperadas.push_back(l);
        const Tabla t = tablaTras(capitulo, esfuerzo + " en cada barra");
        ASSERT_EQ(t.size(), esperadas.size());
        for (std::size_t i = 0; i < t.size(); ++i) {
            const Lineas& l = esperadas[i];
            EXPECT_EQ(t[i][0], l[1]);
            EXPECT_TRUE(comoCsv(t[i][1], l[3]));
            EXPECT_TRUE(comoCsv(t[i][4], l[6]));
            if (std::stod(l[3]) != 0) {
                EXPECT_TRUE(comoCsv(t[i][2], l[4]));
                EXPECT_EQ(t[i][3], l[5]);
            }
            if (std::stod(l[6]) != 0) {
                EXPECT_TRUE(comoCsv(t[i][5], l[7]));
                EXPECT_EQ(t[i][6], l[8]);
            }
        }
    }
}

TEST(Informe, EnvolventeDeMuchasBarrasLasDeMayorValor) {
    // Voladizo de 250 barras: con la carga mayor de C2 el momento crece hacia el empotramiento.
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(barraSubdividida(250, "apoyo: 1 1 1 1 1 1 1\npuntual: P 0 3 -10 0 0 0 251\n"
                                             "combo: C1 1 P\ncombo: C2 2 P\nenvolvente: E C1 C2\n"),
                       salida, "", "inf"),
              0);
    const std::string html = leerArchivo("inf/informe.html");
    const std::string capitulo = capituloDe(html, "Envolvente E");
    EXPECT_EQ(capitulo.find("en cada barra</h3>"), std::string::npos);
    const Tabla m = tablaTras(capitulo, "Las 20 barras de mayor |My|");
    ASSERT_EQ(m.size(), 20u);
    for (std::size_t i = 0; i < m.size(); ++i) {
        EXPECT_EQ(m[i][0], std::to_string(i + 1));
        // El extremo de mayor valor absoluto es de C2; el otro, de C1.
        const bool maximoMayor = std::fabs(std::stod(m[i][1])) > std::fabs(std::stod(m[i][4]));
        EXPECT_EQ(m[i][maximoMayor ? 3 : 6], "C2");
        EXPECT_EQ(m[i][maximoMayor ? 6 : 3], "C1");
    }
    // My en el empotramiento: 2 × 10 × 10 m (con el signo de los diagramas, uno de los dos extremos).
    EXPECT_TRUE(mismoNumero(std::fabs(std::stod(m[0][1])) > std::fabs(std::stod(m[0][4])) ? m[0][1] : m[0][4],
                            std::stod(m[0][1]) > 0 ? 200.0 : -200.0));
    // N es nula en todas: sin tabla.
    EXPECT_TRUE(tablaTras(capitulo, "Las 20 barras de mayor |N|").empty());
}

TEST(Informe, SegundoOrdenInestableYBarrasInactivas) {
    // Columna en voladizo de 10 m cargada por encima de su carga crítica (π²EI/4L² = 4935).
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(barraSubdividida(4,
                                        "apoyo: 1 1 1 1 1 1 1\npuntual: P 0 0 -20000 0 0 0 5\npuntual: H 1 0 0 0 0 0 5\n"
                                        "combo: ALTO 1 P 1 H\ncombo: BAJO 0.1 P 1 H\nsegundoOrden: ALTO BAJO\n",
                                        0, Eigen::Vector3d::UnitZ()),
                       salida, "", "inf"),
              1);
    const std::string html = leerArchivo("inf/informe.html");
    const std::string alto = capituloDe(html, "Combinación ALTO"), bajo = capituloDe(html, "Combinación BAJO");
    EXPECT_NE(alto.find("la combinación no tiene resultados"), std::string::npos);
    EXPECT_EQ(alto.find("<h3>"), std::string::npos);
    EXPECT_EQ(alto.find("<figure>"), std::string::npos);
    EXPECT_NE(bajo.find("<p>Segundo orden del combo BAJO: "), std::string::npos);
    EXPECT_NE(bajo.find("<h3>Reacciones</h3>"), std::string::npos);

    // La nave con arriostramientos de solo tracción: las barras inactivas de cada
    // combinación, a trazos en su deformada.
    ASSERT_EQ(calcular(leerArchivo(VANTRA_EJEMPLOS "/nave_arriostrada.txt"), salida, "", "nave"), 0);
    const std::string nave = leerArchivo("nave/informe.html");
    std::size_t conInactivas = 0;
    for (std::size_t c = 0; c < resultados.casos.size(); ++c) {
        const casoResultado& caso = resultados.casos[c];
        SCOPED_TRACE(caso.nombre);
        const std::string capitulo = capituloDe(nave, "Combinación " + caso.nombre);
        const std::string deformada = capitulo.substr(0, capitulo.find("</figure>"));
        // Los trazos de una clase van en un solo camino, uno por "M".
        const std::size_t camino = deformada.find("<path class=\"inactiva\" d=\"");
        const std::string d =
            camino == std::string::npos ? "" : deformada.substr(camino, deformada.find("\"/>", camino) - camino);
        EXPECT_EQ(static_cast<std::size_t>(std::count(d.begin(), d.end(), 'M')), caso.barrasInactivas.size());
        EXPECT_EQ(deformada.find("a trazos, las barras inactivas") != std::string::npos, !caso.barrasInactivas.empty());
        conInactivas += caso.barrasInactivas.empty() ? 0 : 1;
    }
    EXPECT_GT(conInactivas, 0u);
    EXPECT_NE(nave.find("svg .inactiva {"), std::string::npos);
}

TEST(Informe, DiafragmasComoDiafragmasCsv) {
    DirectorioTemporal dir;
    const std::string html = informeDeEjemplo("edificio_sismico.txt");
    ASSERT_FALSE(html.empty());
    EXPECT_GT(html.find("<h2>Diafragmas</h2>"), html.find("<h2>Caso sísmico SY</h2>"));
    const std::string capitulo = capituloDe(html, "Diafragmas");
    // Por caso, una fila por diafragma (dos, máximo y mínimo, en los de dos valores) de abajo hacia arriba.
    const Tabla csv = leerCsv("csv/diafragmas.csv");
    std::map<std::string, std::size_t> fila;
    std::size_t comparadas = 0;
    for (std::size_t i = 1; i < csv.size(); ++i) {
        const Lineas& l = csv[i];
        const std::size_t sufijo = l[0].find(" (m");
        const std::string caso = l[0].substr(0, sufijo);
        const bool minimos = sufijo != std::string::npos && l[0].substr(sufijo) == " (mínimos)";
        SCOPED_TRACE(l[0] + " " + l[1]);
        const Tabla t = tablaTras(capitulo, caso);
        const std::size_t f = fila[caso]++;
        ASSERT_LT(f, t.size());
        const std::size_t desde = sufijo == std::string::npos ? 2 : 3;
        if (!minimos) {
            EXPECT_EQ(t[f][0], l[1]);
            EXPECT_TRUE(comoCsv(t[f][1], l[2]));
        }
        for (std::size_t k = 0; k < 3; ++k) EXPECT_TRUE(comoCsv(t[f][desde + k], l[3 + k]));
        if (!minimos && !l[6].empty()) {
            EXPECT_TRUE(comoCsv(t[f][desde + 3], l[6]));
            EXPECT_EQ(t[f][desde + 4], std::stod(l[6]) == 0 ? "—" : l[7]);
            EXPECT_TRUE(comoCsv(t[f][desde + 5], l[8]));
            EXPECT_EQ(t[f][desde + 6], std::stod(l[8]) == 0 ? "—" : l[9]);
        }
        ++comparadas;
    }
    EXPECT_GT(comparadas, 3 * resultados.casos.size() - 1);
    for (const auto& [caso, filas] : fila) EXPECT_EQ(tablaTras(capitulo, caso).size(), filas) << caso;
    // Sin diafragmas, ni el capítulo.
    Lineas salida;
    ASSERT_EQ(calcular(leerArchivo(VANTRA_EJEMPLOS "/edificio.txt"), salida, "", "sin"), 0);
    EXPECT_EQ(leerArchivo("sin/informe.html").find("Diafragma"), std::string::npos);
}

namespace {

// Los números de un atributo de la etiqueta (separados por espacios o comas).
std::vector<double> numerosDe(const std::string& etiqueta, const std::string& atributo) {
    const std::size_t a = etiqueta.find(" " + atributo + "=\"");
    std::vector<double> v;
    if (a == std::string::npos) return v;
    const std::size_t desde = a + atributo.size() + 3;
    std::string texto = etiqueta.substr(desde, etiqueta.find('"', desde) - desde);
    std::replace(texto.begin(), texto.end(), ',', ' ');
    std::istringstream s(texto);
    for (double x; s >> x;) v.push_back(x);
    return v;
}

// Por figura de derivas del documento, el caso de su pie y su dibujo.
std::vector<std::pair<std::string, std::string>> figurasDeDerivas(const std::string& html) {
    std::vector<std::pair<std::string, std::string>> f;
    const std::string pie = ". Derivas de piso del caso ";
    for (std::size_t i = html.find("<figure>"); i != std::string::npos; i = html.find("<figure>", i + 1)) {
        const std::size_t fin = html.find("</figure>", i), p = html.find(pie, i);
        if (p > fin) continue;
        const std::size_t nombre = p + pie.size();
        f.emplace_back(html.substr(nombre, html.find_first_of(",<", nombre) - nombre), html.substr(i, fin - i));
    }
    return f;
}

// La etiqueta <polyline> de la clase dada.
std::string lineaDe(const std::string& svg, const std::string& clase) {
    const std::size_t i = svg.find("<polyline class=\"" + clase + "\"");
    return i == std::string::npos ? "" : svg.substr(i, svg.find("/>", i) - i);
}

}  // namespace

TEST(Informe, DerivasDePisoDibujadasConLosValoresDeLosCasos) {
    DirectorioTemporal dir;
    for (const char* modelo : {VANTRA_EJEMPLOS "/edificio_sismico.txt", VANTRA_DATOS "/catalogo/pisos_fisurados_con_deriva.txt"}) {
        SCOPED_TRACE(modelo);
        Lineas salida;
        ASSERT_EQ(calcular(leerArchivo(modelo), salida, "", "inf"), 0);
        const std::string html = leerArchivo("inf/informe.html");
        EXPECT_TRUE(htmlBienFormado(html));
        const bool conLimite = diseno.conLimiteDeriva;
        // Una figura por caso sísmico y combinación con sismo, en el capítulo de los diafragmas.
        std::size_t sismicos = 0;
        for (const casoResultado& c : resultados.casos)
            sismicos += c.tipo == tipoCaso::espectral || c.tipo == tipoCaso::comboEspectral;
        const auto figuras = figurasDeDerivas(capituloDe(html, "Diafragmas"));
        ASSERT_EQ(figuras.size(), sismicos);
        ASSERT_GE(sismicos, 2u);
        for (const auto& figura : figuras) {
            const std::string& nombre = figura.first;
            const std::string& svg = figura.second;
            SCOPED_TRACE(nombre);
            const auto caso = std::find_if(resultados.casos.begin(), resultados.casos.end(),
                                           [&](const casoResultado& c) { return c.nombre == nombre; });
            ASSERT_NE(caso, resultados.casos.end());
            EXPECT_EQ(svg.find("class=\"limiteDeriva\"") != std::string::npos, conLimite);
            char limite[40];
            std::snprintf(limite, sizeof limite, "límite %g", diseno.limiteDeriva);
            EXPECT_EQ(svg.find(limite) != std::string::npos, conLimite);
            // Los pisos con deriva de abajo hacia arriba, con la deriva inelástica (FACTOR por la
            // elástica, que aquí se toma del caso) o la elástica.
            std::vector<double> z, esperadas[2];
            double mayor = 0;
            for (int k : diafragmasPorAltura()) {
                const resultadoDiafragma& r = caso->diafragmas[static_cast<std::size_t>(k)];
                if (!r.conDeriva) continue;
                z.push_back(diafragmas[static_cast<std::size_t>(k)].z);
                const double factor = conLimite ? diseno.factorDeriva : 1;
                esperadas[0].push_back(factor * r.derivaX), esperadas[1].push_back(factor * r.derivaY);
                mayor = std::max({mayor, esperadas[0].back(), esperadas[1].back()});
            }
            ASSERT_GE(z.size(), 2u);
            for (int d = 0; d < 2; ++d) {
                const std::string linea = lineaDe(svg, d == 0 ? "derivaX" : "derivaY");
                const std::vector<double> zs = numerosDe(linea, "data-z"), derivas = numerosDe(linea, "data-deriva"),
                                          puntos = numerosDe(linea, "points");
                ASSERT_EQ(zs.size(), z.size()) << linea;
                ASSERT_EQ(derivas.size(), z.size());
                ASSERT_EQ(puntos.size(), 2 * z.size());
                for (std::size_t i = 0; i < z.size(); ++i) {
                    EXPECT_NEAR(zs[i], z[i], 1e-6 * std::fabs(z[i]));
                    // Lo que es ruido del redondeo se dibuja en cero.
                    EXPECT_NEAR(derivas[i], esperadas[d][i], 1e-6 * esperadas[d][i] + 1e-9 * mayor) << i;
                    // En el papel: más alto el piso más alto, y la deriva proporcional a la distancia al eje.
                    if (i > 0) {
                        EXPECT_LT(puntos[2 * i + 1], puntos[2 * i - 1]);
                    }
                }
                // El eje vertical de las alturas está en la deriva cero: su trazo empieza "M x y".
                const std::string trazoEje = "<path class=\"eje\" d=\"M";
                const std::size_t eje = svg.find(trazoEje);
                ASSERT_NE(eje, std::string::npos);
                const double xCero = std::strtod(svg.c_str() + eje + trazoEje.size(), nullptr);
                std::size_t m = 0;
                for (std::size_t i = 0; i < z.size(); ++i)
                    if (derivas[i] > derivas[m]) m = i;
                for (std::size_t i = 0; i < z.size(); ++i)
                    EXPECT_NEAR(puntos[2 * i] - xCero,
                                derivas[m] > 0 ? (puntos[2 * m] - xCero) * derivas[i] / derivas[m] : 0.0, 0.02);
            }
        }
    }
    // Con sismo y sin diafragmas, la de los niveles de sus columnas, en su capítulo.
    Lineas salida;
    ASSERT_EQ(calcular(leerArchivo(VANTRA_DATOS "/catalogo/verificacion_acero.txt"), salida, "", "sin"), 0);
    const std::string sin = leerArchivo("sin/informe.html");
    EXPECT_NE(sin.find("<h2>Caso sísmico"), std::string::npos);
    const std::size_t capitulo = sin.find("Derivas de los niveles sin diafragma");
    ASSERT_NE(capitulo, std::string::npos);
    EXPECT_NE(sin.find("Derivas de piso del caso SX", capitulo), std::string::npos);
    EXPECT_EQ(sin.find("Derivas de piso del caso U1"), std::string::npos);  // una combinación sin sismo
}

TEST(Informe, BloqueDeTituloConLosDatosDelProyecto) {
    DirectorioTemporal dir;
    Lineas salida;
    const std::string modelo = leerArchivo(VANTRA_EJEMPLOS "/portico_plano.txt");
    ASSERT_EQ(calcular(modelo + "\nproyecto: Edificio \"Los Robles\" </style> etapa 2\ningeniero: A. Pérez <calc>\n"
                                "norma: NCh433:2012\nfecha: 2026-12-08\ncombo: VIENTO -0.9 D -1.6 W\n",
                       salida, "", "inf"),
              0);
    std::string html = leerArchivo("inf/informe.html");
    html.replace(html.find("<h1>"), 4, "<h3>").replace(html.find("</h1>"), 5, "</h3>");
    std::map<std::string, std::string> filas;
    for (const std::vector<std::string>& f : tablaTras(html, "Informe de cálculo"))
        if (f.size() == 2) filas[f[0]] = f[1];
    EXPECT_EQ(filas["Proyecto"], "Edificio \"Los Robles\" </style> etapa 2");
    // El proyecto arriba de cada página, en una cadena de CSS que no cierra el estilo.
    EXPECT_EQ(html.find("</style>"), html.rfind("</style>"));
    EXPECT_NE(html.find("@top-left { content: \"Edificio \\\"Los Robles\\\" \\3c /style> etapa 2 — "), std::string::npos);
    EXPECT_NE(html.find("content: \"Página \" counter(page) \" de \" counter(pages)"), std::string::npos);
    EXPECT_TRUE(htmlBienFormado(html));
    // El índice: un enlace por capítulo, con su título, a la sección que lo lleva.
    std::vector<std::string> titulos, entradas;
    for (std::size_t p = html.find("<h2>"); p != std::string::npos; p = html.find("<h2>", p + 1))
        titulos.push_back(html.substr(p + 4, html.find("</h2>", p) - p - 4));
    const std::size_t nav = html.find("<nav class=\"indice\">");
    ASSERT_NE(nav, std::string::npos);
    for (std::size_t p = html.find("<li><a href=\"#", nav); p < html.find("</nav>"); p = html.find("<li><a href=\"#", p + 1)) {
        const std::size_t ancla = p + 14, texto = html.find("\">", ancla) + 2;
        entradas.push_back(html.substr(texto, html.find("</a>", texto) - texto));
        EXPECT_NE(html.find("<section id=\"" + html.substr(ancla, texto - 2 - ancla) + "\">\n<h2>" + entradas.back()),
                  std::string::npos);
    }
    EXPECT_GE(titulos.size(), 4u);
    EXPECT_EQ(entradas, titulos);
    EXPECT_EQ(filas["Ingeniero"], "A. Pérez <calc>");
    EXPECT_EQ(filas["Norma"], "NCh433:2012");
    EXPECT_EQ(filas["Fecha del proyecto"], "2026-12-08");
    EXPECT_EQ(filas.count("Cliente"), 0u);
    EXPECT_EQ(filas["Archivo de modelo"], "modelo.txt");
    EXPECT_EQ(filas["Unidades"].rfind("unidades del modelo", 0), 0u);  // el modelo no tiene unidades:
    // Las combinaciones como se escriben a mano, con el signo del factor en el operador, y un
    // error de equilibrio que es redondeo como cota.
    EXPECT_NE(html.find("<td>ELU2</td><td>1.2 D + 1.2 PP + 1 L + 1.6 W</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>VIENTO</td><td>−0.9 D − 1.6 W</td>"), std::string::npos);
    EXPECT_EQ(html.find("+ -"), std::string::npos);
    const auto veces = [&](const std::string& que) {
        std::size_t n = 0;
        for (std::size_t p = html.find(que); p != std::string::npos; p = html.find(que, p + 1)) ++n;
        return n;
    };
    const std::size_t redondeo = static_cast<std::size_t>(std::count_if(
        resultados.casos.begin(), resultados.casos.end(),
        [](const casoResultado& c) { return c.equilibrio.calculado && c.equilibrio.error < 1e-16; }));
    EXPECT_EQ(veces("Error relativo de equilibrio: &lt; 1e-16."), redondeo);
    EXPECT_EQ(veces("Error relativo de equilibrio: "), 4u);  // ELU1, ELU2, SERV y VIENTO

    // Repetida o sin texto: un error de entrada que nombra la etiqueta, sin informe.
    for (const auto& [malo, etiqueta] : {std::pair{"cliente: A\ncliente: B\n", "cliente:"}, {"proyecto:\n", "proyecto:"}}) {
        ASSERT_EQ(calcular(modelo + "\n" + malo, salida, "", "inf2"), 3) << malo;
        EXPECT_TRUE(std::any_of(salida.begin(), salida.end(), [&](const std::string& l) {
            return l.rfind("Error:", 0) == 0 && l.find(etiqueta) != std::string::npos;
        })) << malo;
        EXPECT_FALSE(std::filesystem::exists("inf2/informe.html"));
    }
}

TEST(Informe, DatosDeEntradaComoLosDaElModelo) {
    // Un pórtico con una carga en un nudo, una distribuida local y una
    // global, una temperatura, una barra de solo tracción, masa adicional y un
    // espectro: cada nudo y cada barra con sus datos, cada registro de carga
    // en su caso con sus valores escritos, el caso de temperatura dicho en
    // la resultante, y el espectro y la fuente de la masa.
    DirectorioTemporal dir;
    Lineas salida;
    const std::string modelo =
        "unidades: kN m\nnudos: 1 0 0 0  2 4 0 0  3 8 0 0  4 4 0 3\nbarras: 1 1 2  2 2 3  3 1 4  4 4 3\n"
        "apoyo: 1 1 1 1 1 1  1 3\nresorte: 0 0 0 0 200 0  2\n"
        "seccionRectangular: R 0.2 0.4 2e7 0.2 24  1 2 3 4\narticulacion: 0 1 1 1  4\n"
        "puntual: L 0 0 -10 0 2.5 0  2 4\ndistribuidaLocalY: L -3 -5  1\ndistribuidaGlobal: V 2 2 1 0 0  3\n"
        "temperatura: T 1.2e-5 30 0 0  2\nsoloTraccion: 4\nmasaBarra: 0.5  3\npesoPropio: PP\n"
        "combo: C1 1 PP 1 L 1 V\ncombo: C2 1 T\nmodos: 2\nmasaDeCargas: 1 PP 0.25 L\n"
        "espectro: E  0 2  0.5 5  2 1.25\nsismo: SX E X 0.05\n";
    ASSERT_EQ(calcular(modelo, salida, "", "inf"), 0);
    const std::string html = leerArchivo("inf/informe.html");
    EXPECT_TRUE(htmlBienFormado(html));
    EXPECT_EQ(tablaTras(html, "Nudos"), (Tabla{{"1", "0", "0", "0", "Ux Uy Uz Gx Gy Gz", ""},
                                              {"2", "4.0000", "0", "0", "", "kgy 200.00"},
                                              {"3", "8.0000", "0", "0", "Ux Uy Uz Gx Gy Gz", ""},
                                              {"4", "4.0000", "0", "3.0000", "", ""}}));
    EXPECT_EQ(tablaTras(html, "Barras"), (Tabla{{"1", "1", "2", "4.0000", "R", "0", "", "", "", ""},
                                               {"2", "2", "3", "4.0000", "R", "0", "", "", "", ""},
                                               {"3", "1", "4", "5.0000", "R", "0", "", "", "", "0.50000"},
                                               {"4", "4", "3", "5.0000", "R", "0", "x-y 0", "", "solo tracción", ""}}));
    const std::string cargas = capituloDe(html, "Cargas");
    EXPECT_EQ(tablaTras(cargas, "Caso L"), (Tabla{{"2, 4", "0", "0", "-10.000", "0", "2.5000", "0"}}));
    EXPECT_EQ(tablaDesde(cargas, cargas.find("Cargas distribuidas", cargas.find("<h3>Caso L"))),
              (Tabla{{"1", "distribuida", "-3.0000", "-5.0000", "y local"}}));
    EXPECT_EQ(tablaTras(cargas, "Caso V"), (Tabla{{"3", "distribuida", "2.0000", "2.0000", "global (1.0000, 0, 0)"}}));
    EXPECT_EQ(tablaTras(cargas, "Caso T"), (Tabla{{"2", "1.2000e-05", "30.000", "0", "0"}}));
    EXPECT_NE(capituloDe(html, "Cargas").find("Peso propio (pesoPropio:)"), std::string::npos);
    const Tabla resultantes = tablaTras(cargas, "Casos de carga");
    EXPECT_EQ(std::count(resultantes.begin(), resultantes.end(), Lineas{"T", "temperatura", "", "", "", "", ""}), 1);
    // Un dibujo por caso con fuerzas, con sus flechas y sus valores; ninguno
    // del caso de temperatura.
    for (const char* caso : {"L", "V", "PP"})
        EXPECT_NE(cargas.find(std::string("Cargas del caso ") + caso), std::string::npos) << caso;
    EXPECT_EQ(cargas.find("Cargas del caso T"), std::string::npos);
    EXPECT_NE(cargas.find(">10.000 kN, M 2.5000 kN·m</text>"), std::string::npos);
    EXPECT_NE(cargas.find(">-3.0000 a -5.0000 kN/m</text>"), std::string::npos);
    EXPECT_EQ(tablaTras(cargas, "Espectro E"), (Tabla{{"0", "2.0000"}, {"0.50000", "5.0000"}, {"2.0000", "1.2500"}}));
    EXPECT_NE(cargas.find("<polyline class=\"espectro\" points=\""), std::string::npos);
    EXPECT_NE(cargas.find("SX (dirección X, amortiguamiento 5 %, CQC)"), std::string::npos);
    const Tabla masa = tablaTras(cargas, "Fuente de la masa");
    ASSERT_GE(masa.size(), 4u);
    EXPECT_EQ(masa[1][1], "1 PP + 0.25 L, divididos por la gravedad");
    EXPECT_EQ(masa[2][1], "1 × peso específico × área / gravedad");
    EXPECT_EQ(masa[3][1], "2.5000 kN·s²/m en las barras 3");
}

namespace {

// Un pórtico espacial de dos vanos en X (5 m) y uno en Y (4 m), dos pisos de
// 3 m, con una diagonal en planta en el primer piso: cinco pórticos (x = 0,
// 5, 10 e y = 0, 4) y una barra fuera de ellos.
std::string porticoEspacial(const std::string& extra) {
    std::string m = "nudos:\n";
    int n = 0;
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i)
                m += std::to_string(++n) + " " + std::to_string(5 * i) + " " + std::to_string(4 * j) + " " +
                     std::to_string(3 * k) + "\n";
    // Nudo (i, j, k) = 1 + i + 3j + 6k.
    const auto nudoEn = [](int i, int j, int k) { return 1 + i + 3 * j + 6 * k; };
    std::string barras = "barras:\n", vigas;
    int b = 0;
    const auto agregar = [&](int a, int f, std::string& lista) {
        barras += std::to_string(++b) + " " + std::to_string(a) + " " + std::to_string(f) + "\n";
        lista += " " + std::to_string(b);
    };
    std::string columnas;
    for (int k = 0; k < 2; ++k)
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i) agregar(nudoEn(i, j, k), nudoEn(i, j, k + 1), columnas);
    for (int k = 1; k <= 2; ++k) {
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 2; ++i) agregar(nudoEn(i, j, k), nudoEn(i + 1, j, k), vigas);
        for (int i = 0; i < 3; ++i) agregar(nudoEn(i, 0, k), nudoEn(i, 1, k), vigas);
    }
    std::string diagonal;
    agregar(nudoEn(0, 0, 1), nudoEn(1, 1, 1), diagonal);
    return m + barras + "apoyo: 1 1 1 1 1 1 1 2 3 4 5 6\nseccionRectangular: R 0.3 0.5 2e7 0.2 25" + columnas + vigas +
           diagonal + "\ndistribuidaGlobal: D 10 10 0 0 -1" + vigas + "\npuntual: W 20 10 0 0 0 0 13 16\n" +
           "combo: ELU 1.2 D 1.6 W\n" + extra;
}

std::size_t vecesEn(const std::string& texto, const std::string& que) {
    std::size_t n = 0;
    for (std::size_t p = texto.find(que); p != std::string::npos; p = texto.find(que, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(Informe, DiagramasPorPorticoConNumerosDeBarra) {
    DirectorioTemporal dir;
    Lineas salida;
    ASSERT_EQ(calcular(porticoEspacial(""), salida, "", "inf"), 0) << ::testing::PrintToString(salida);
    std::string html = leerArchivo("inf/informe.html");
    // Sin la etiqueta, N y My: en cada pórtico en su alzado y la diagonal aparte, en perspectiva.
    for (const std::string d : {"N", "My"}) {
        SCOPED_TRACE(d);
        for (const std::string p : {"x = 0", "x = 5", "x = 10", "y = 0", "y = 4"})
            EXPECT_EQ(vecesEn(html, ". " + d + " — pórtico " + p + ". Diagrama de " + d + " de ELU en alzado"), 1u) << p;
        EXPECT_EQ(vecesEn(html, ". " + d + " — barras fuera de los pórticos. Diagrama de " + d +
                                    " de ELU en perspectiva isométrica"),
                  1u);
    }
    // El modelo en cuatro vistas, las cargas de cada caso, la deformada y los diagramas.
    const std::size_t dibujosDeCargas = vecesEn(html, ". Cargas del caso ");
    EXPECT_EQ(vecesEn(html, "<figure>"), 5u + dibujosDeCargas + 2 * 6);
    // El pórtico y = 4 en el alzado XZ: sus tres columnas y sus dos vigas de cada piso, numeradas.
    const std::size_t y4 = html.find(". My — pórtico y = 4.");
    const std::string figura = html.substr(html.rfind("<figure>", y4), y4 - html.rfind("<figure>", y4));
    for (int b : {4, 5, 6, 10, 11, 12, 15, 16, 22, 23})
        EXPECT_NE(figura.find(">" + std::to_string(b) + "</text>"), std::string::npos) << b;
    EXPECT_EQ(figura.find(">1</text>"), std::string::npos);
    EXPECT_NE(html.find("Figura " + std::to_string(12 + dibujosDeCargas) +
                        ". My — pórtico x = 0. Diagrama de My de ELU en alzado YZ"),
              std::string::npos);
    EXPECT_TRUE(htmlBienFormado(html));

    // Un pórtico plano en X-Z: un pórtico, una figura por diagrama en su
    // alzado; Vz, nulo fuera del plano, lo dice en lugar de su figura.
    ASSERT_EQ(calcular(leerArchivo(VANTRA_EJEMPLOS "/portico_plano.txt") + "\ninformeDiagramas: Vz My\n", salida, "",
                       "inf"),
              0);
    html = leerArchivo("inf/informe.html");
    EXPECT_EQ(vecesEn(html, ". My — pórtico y = 0. Diagrama de My de ELU1 en alzado XZ"), 1u);
    EXPECT_EQ(vecesEn(html, ". My — "), 3u);  // ELU1, ELU2 y SERV
    EXPECT_EQ(vecesEn(html, ". N — "), 0u);
    EXPECT_NE(html.find("<p class=\"figuraOmitida\">El diagrama de Vz de ELU1 no se dibuja: es nulo en todas las barras.</p>"),
              std::string::npos);
    EXPECT_EQ(vecesEn(html, "Diagrama de Vz"), 0u);

    // Errores que nombran el registro, sin informe.
    for (const auto& [malo, mensaje] :
         {std::pair{"informeDiagramas: My Mx\n", "Error: el registro 1 de informeDiagramas: nombra Mx, que no es un diagrama"},
          {"informeDiagramas:\n", "Error: el registro 1 de informeDiagramas: no nombra ningún diagrama"},
          {"informeDiagramas: N\ninformeDiagramas: My\n", "Error: la etiqueta informeDiagramas: está 2 veces"}}) {
        ASSERT_EQ(calcular(porticoEspacial(malo), salida, "", "inf2"), 3) << malo;
        EXPECT_TRUE(std::any_of(salida.begin(), salida.end(),
                                [&](const std::string& l) { return l.rfind(mensaje, 0) == 0; }))
            << malo;
        EXPECT_FALSE(std::filesystem::exists("inf2/informe.html"));
    }
}
