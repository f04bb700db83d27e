// Las tablas de resultados: una familia nueva llega al CSV, a resultados.txt y al informe con sólo
// publicar su tabla; los números salen con la regla del ruido de su clase en el caso de la fila.
#include "analisis/tablasResultados.h"
#include "reporte/archivosCsv.h"
#include "reporte/informe/informe.h"
#include "utilidades.h"

TEST(Tablas, UnaFamiliaNuevaLlegaATodasLasSalidasPublicandoSuTabla) {
    DirectorioTemporal dir;
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 4 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                               "seccionRectangular: R 0.2 0.4 2e7 0.2 0  1\npuntual: P 0 0 -10 0 0 0  2\ncombo: C 1 P\n"
                               "unidades: kN m\n"));
    // Una tabla de prueba: el nombre del caso, un piso, una fuerza con su ruido y una celda vacía.
    tablaResultados t;
    t.clave = "prueba.csv";
    t.titulo = "Prueba de piso";
    t.columnas = {{"caso", claseValor::texto}, {"piso", claseValor::entero}, {"fuerza", claseValor::fuerza},
                  {"deriva", claseValor::deriva}};
    t.filas = 2;
    t.enReporte = t.enInforme = true;
    t.llenar = [](std::size_t i, filaTabla& f) {
        f.caso = 0;
        f.escalas = &casoNumero(0).escalas;
        f.texto("C").entero(static_cast<long long>(i + 1)).numero(i == 0 ? 12.5 : 1e-15);
        if (i == 0) f.numero(0.002);
        else f.vacia();
    };
    agregarTabla(resultados, t);
    ASSERT_NE(tablaDeClave("prueba.csv"), nullptr);

    // CSV: 17 cifras, el redondeo de una fuerza del caso (escala 10) como 0, la celda vacía sin nada.
    ASSERT_TRUE(escribirCsv("csv"));
    EXPECT_EQ(leerArchivo("csv/prueba.csv"), "caso,piso,fuerza,deriva\nC,1,12.5,0.002\nC,2,0,\n");
    // resultados.txt: el bloque con su título, los nombres de las columnas y los valores como salen.
    const std::string texto = reporte();
    EXPECT_NE(texto.find("************PRUEBA DE PISO***************\ncaso | piso | fuerza | deriva\nC 1 12.5 0.002\n"
                         "C 2 1e-15 —\n"),
              std::string::npos);
    // El informe: un capítulo con la tabla, la unidad de la fuerza en su encabezado.
    const std::string html = textoInforme("2026-12-07 10:00");
    const size_t capitulo = html.find("<h2>Prueba de piso</h2>");
    ASSERT_NE(capitulo, std::string::npos);
    EXPECT_NE(html.find("fuerza (kN)", capitulo), std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">12.500</td>", capitulo), std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">—</td>", capitulo), std::string::npos);

    // Las de siempre también son tablas: las mismas filas que su CSV.
    const tablaResultados* d = tablaDeClave("desplazamientos.csv");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->filas, 2u);
    EXPECT_EQ(lineasDe(leerArchivo("csv/desplazamientos.csv")).size(), d->filas + 1);
}
