// Las razones de la verificación de acero en color: la escala compartida por
// el informe y el visor (sus extremos, su monotonía y el color de los que no
// cumplen, fuera de ella) y el dibujo del capítulo de acero del informe, con
// cada barra del color de la razón publicada de su miembro.
#include <cmath>
#include <cstring>

#include "arranque.h"
#include "reporte/escalaRazones.h"
#include "utilidades.h"

namespace {

double distanciaColor(const colorRazon& a, const colorRazon& b) {
    return std::sqrt(std::pow(a[0] - b[0], 2) + std::pow(a[1] - b[1], 2) + std::pow(a[2] - b[2], 2));
}

// "#rrggbb" en componentes entre 0 y 1.
colorRazon deHex(const std::string& h) {
    colorRazon c{};
    for (int k = 0; k < 3; ++k) c[static_cast<std::size_t>(k)] = std::stoi(h.substr(1 + 2 * k, 2), nullptr, 16) / 255.0f;
    return c;
}

// El color del trazo de la regla de estilo de la clase, o vacío.
std::string colorDeClase(const std::string& html, const std::string& clase) {
    const std::string regla = "svg ." + clase + " { stroke: ";
    const std::size_t p = html.find(regla);
    return p == std::string::npos ? std::string() : html.substr(p + regla.size(), 7);
}

// Cuántos segmentos tiene el trazo de esa clase en el dibujo.
int segmentosDeClase(const std::string& svg, const std::string& clase) {
    const std::string inicio = "<path class=\"" + clase + "\" d=\"";
    const std::size_t p = svg.find(inicio);
    if (p == std::string::npos) return 0;
    const std::string d = svg.substr(p + inicio.size(), svg.find('"', p + inicio.size()) - p - inicio.size());
    int n = 0;
    for (char c : d) n += c == 'M';
    return n;
}

}  // namespace

TEST(EscalaRazones, DeAzulARojoMonotonaYLosQueNoCumplenFuera) {
    const colorRazon cero = colorDeRazon(0), uno = colorDeRazon(1);
    // Los extremos: azul (el azul domina) y rojo (el rojo domina).
    EXPECT_GT(cero[2], cero[0] + 0.4f);
    EXPECT_GT(cero[2], cero[1]);
    EXPECT_GT(uno[0], uno[1] + 0.6f);
    EXPECT_GT(uno[0], uno[2] + 0.6f);
    EXPECT_EQ(colorHex(cero), "#2166ab");
    EXPECT_EQ(colorHex(uno), "#d61a1c");
    // Debajo de 0, como 0; justo en 1, todavía en la escala.
    EXPECT_EQ(colorDeRazon(-0.3), cero);
    EXPECT_NE(colorDeRazon(1.0), kColorRazonExcedida);
    // Pasar de 1, por poco o por mucho, o no ser un número: el color propio.
    for (double r : {1.0 + 1e-12, 1.001, 7.0, double(INFINITY), double(NAN)}) EXPECT_EQ(colorDeRazon(r), kColorRazonExcedida) << r;
    // Continua y monótona: rojo menos azul crece en todo el recorrido, sin saltos,
    // y el medio es claro (más luminoso que los dos extremos).
    double anterior = -INFINITY;
    colorRazon previo = cero;
    double masCerca = INFINITY;
    for (int i = 0; i <= 1000; ++i) {
        const colorRazon c = colorDeRazon(i / 1000.0);
        const double rojoMenosAzul = c[0] - c[2];
        EXPECT_GT(rojoMenosAzul, anterior) << i;
        EXPECT_LT(distanciaColor(c, previo), 0.01) << i;
        anterior = rojoMenosAzul, previo = c;
        masCerca = std::min(masCerca, distanciaColor(c, kColorRazonExcedida));
        // Las barras sin verificar, en gris, tampoco se confunden con la escala.
        EXPECT_GT(distanciaColor(c, kColorSinVerificar), 0.25) << i;
    }
    EXPECT_GT(masCerca, 0.5);
    const auto luz = [](const colorRazon& c) { return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]; };
    EXPECT_GT(luz(colorDeRazon(0.5)), luz(cero) + 0.3);
    EXPECT_GT(luz(colorDeRazon(0.5)), luz(uno) + 0.3);
}

TEST(InformeAcero, DibujoDeLasRazonesConSuLeyendaYNadaSinLaVerificacion) {
    DirectorioTemporal dir;
    // El pórtico del catálogo con columnas más robustas: cumplen, y la viga no.
    std::string modelo = leerArchivo(VANTRA_DATOS "/catalogo/verificacion_acero.txt");
    const std::string columnas = "seccionW: COL  0.2 0.012 0.3 0.008";
    ASSERT_NE(modelo.find(columnas), std::string::npos);
    modelo.replace(modelo.find(columnas), columnas.size(), "seccionW: COL  0.3 0.02 0.4 0.012");
    std::ofstream("modelo.txt") << modelo;
    {
        CapturaConsola consola;
        ASSERT_EQ(funcionCalcularLotes("modelo.txt", "", false, "inf"), 0);
    }
    const std::string html = leerArchivo("inf/informe.html");
    const std::size_t capitulo = html.find("Verificación de acero por miembro (AISC 360-16, LRFD)</h");
    ASSERT_NE(capitulo, std::string::npos);
    // La figura está en el capítulo: después de su tabla y antes del título siguiente.
    const std::size_t figura = html.find("<figure>", capitulo), finFigura = html.find("</figure>", figura);
    ASSERT_NE(figura, std::string::npos);
    EXPECT_LT(html.find("</table>", capitulo), figura);
    EXPECT_LT(finFigura, html.find("<h", capitulo + 1) == std::string::npos ? html.size() : html.find("<h", capitulo + 1));
    const std::string svg = html.substr(figura, finFigura - figura);
    // La leyenda, con la escala y el color de los que no cumplen.
    for (const char* rotulo : {">Razón de demanda a capacidad</text>", ">0</text>", ">0.5</text>", ">1</text>",
                               ">&gt; 1</text>"})
        EXPECT_NE(svg.find(rotulo), std::string::npos) << rotulo;
    EXPECT_NE(svg.find("fill=\"" + colorHex(kColorRazonExcedida) + "\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"" + colorHex(colorDeRazon(0.005)) + "\""), std::string::npos);
    EXPECT_NE(svg.find("fill=\"" + colorHex(colorDeRazon(0.995)) + "\""), std::string::npos);
    // El pórtico es plano en X-Z: se dibuja en su alzado.
    EXPECT_NE(svg.find("en alzado XZ (vista desde −Y), coloreadas"), std::string::npos);

    // Cada barra con el color de la mayor razón publicada de su miembro: la
    // viga (barra 5) no cumple; el arriostre rectangular (barra 6) no se verifica.
    const std::vector<miembroVerificado>& miembros = resultados.acero.miembros;
    ASSERT_EQ(miembros.size(), 4u);
    int excedidos = 0;
    for (const miembroVerificado& m : miembros) {
        if (m.peor() == nullptr) {
            EXPECT_EQ(m.barras, std::vector<int>{6});
            continue;
        }
        const double razon = m.peor()->razon;
        if (razon > 1) {
            ++excedidos;
            EXPECT_EQ(m.barras, std::vector<int>{5});
            continue;
        }
        const std::string clase = "razon" + std::to_string(std::lround(razon * 100));
        EXPECT_EQ(segmentosDeClase(svg, clase), static_cast<int>(m.barras.size())) << m.nombre;
        const std::string hex = colorDeClase(html, clase);
        ASSERT_EQ(hex.size(), 7u) << m.nombre;
        // La regla de la clase es la de su centésima de la escala.
        EXPECT_LT(distanciaColor(deHex(hex), colorDeRazon(razon)), 0.02) << m.nombre << " " << razon;
    }
    EXPECT_EQ(excedidos, 1);
    EXPECT_EQ(segmentosDeClase(svg, "razonExcedida"), 1);
    EXPECT_EQ(colorDeClase(html, "razonExcedida"), colorHex(kColorRazonExcedida));
    EXPECT_EQ(segmentosDeClase(svg, "sinVerificar"), 1);

    // Sin verificacionAcero: ni el dibujo ni su leyenda ni sus estilos.
    std::ofstream("modelo.txt") << leerArchivo(VANTRA_EJEMPLOS "/portico_plano.txt");
    {
        CapturaConsola consola;
        ASSERT_EQ(funcionCalcularLotes("modelo.txt", "", false, "sin"), 0);
    }
    const std::string sin = leerArchivo("sin/informe.html");
    for (const char* rastro : {"Razón de demanda", "razonExcedida", "sinVerificar", "leyendaRazones", "Verificación de acero"})
        EXPECT_EQ(sin.find(rastro), std::string::npos) << rastro;
}
