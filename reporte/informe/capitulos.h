// Los capítulos del informe de cálculo. Cada uno es una función que escribe en
// el documento sólo si tiene algo que decir, y lee nada más que el modelo, la
// lista de mensajes y los resultados (analisis/casosResultado.h): ninguna
// calcula un resultado propio.
//
// Dónde entra un análisis nuevo:
//   - Una clase nueva de caso de resultados (tipoCaso): su rama en
//     capituloDeCaso (capitulosCasos.cpp), con sus tablas y figuras; el
//     compilador avisa de la clase que no tiene rama. Las figuras de un caso
//     (deformada, diagramas) están en figurasInforme.h y sirven para cualquier
//     clase de caso.
//   - Una lista nueva de resultados en resultadosAnalisis (como los modos o
//     el pandeo): una función capituloX(documentoHtml&) en su archivo y su
//     línea en la lista de capítulos de textoInforme (informe.cpp), en el
//     lugar del índice donde deba leerse.
#pragma once

#include <string>

#include "analisis/casosResultado.h"
#include "modelo/combinacion.h"
#include "reporte/informe/documentoHtml.h"

// Título: los primeros comentarios del modelo, el archivo, la fecha y la
// versión del programa.
void capituloTitulo(documentoHtml& doc, const std::string& fechaYHora);
// Las advertencias y los errores de la corrida, si los hay.
void capituloMensajes(documentoHtml& doc);
// El modelo: cantidades y extensión, vistas, la tabla de nudos y la de
// barras, secciones, apoyos, resortes, desplazamientos impuestos,
// liberaciones, rotaciones y masas.
void capituloModelo(documentoHtml& doc);
// Las cargas: resultante de cada caso, sus registros y su dibujo, cada
// combinación con su resultante mayorada, los espectros y la fuente de la masa.
void capituloCargas(documentoHtml& doc);
// Un caso de resultados, según su clase.
void capituloDeCaso(documentoHtml& doc, const casoResultado& caso, int indice);
// Las clases de caso que no son una combinación (capitulosDerivados.cpp).
// Un caso sísmico: el espectro, por modo el período, la aceleración y el
// cortante basal, el cortante combinado, la masa efectiva, los módulos de las
// reacciones y los mayores desplazamientos.
void capituloCasoSismico(documentoHtml& doc, const casoResultado& caso);
// Una combinación con sismo: sus partes, las reacciones máximas y mínimas,
// los extremos de las solicitaciones y los diagramas pedidos con las dos curvas.
void capituloComboSismico(documentoHtml& doc, const casoResultado& caso);
// Una envolvente: las reacciones extremas de cada nudo con la combinación que
// manda, los extremos de las solicitaciones y, por solicitación, el máximo y
// el mínimo de cada barra con su x y su combinación (con muchas barras, las de
// mayor valor absoluto), y los diagramas pedidos con las dos curvas.
void capituloEnvolvente(documentoHtml& doc, const casoResultado& caso);
// El pandeo: los factores críticos de cada combinación pedida y sus primeras formas.
void capituloPandeo(documentoHtml& doc);
// Los modos de vibración, con la masa total y la libre.
void capituloModos(documentoHtml& doc);
// Los diafragmas rígidos de piso: por caso, el movimiento de cada centroide y las derivas.
void capituloDiafragmas(documentoHtml& doc);
// Las derivas de los niveles sin diafragma (niveles.csv) por caso y, sin
// diafragmas, la figura de las derivas de cada caso sísmico.
void capituloNiveles(documentoHtml& doc);
// Sin resultados (el análisis no terminó): lo dice.
void capituloSinResultados(documentoHtml& doc);

// "1.2 PP + 1.6 CM".
std::string textoFactores(const combinacion& c);
// Un factor de combinación con hasta cinco cifras, sin ceros de más (1.2, 1, 0.33333).
std::string factorCorto(double f);
// Los primeros renglones de comentario del archivo de modelo: los que
// preceden a la primera etiqueta (a lo sumo ocho, hasta un renglón en blanco).
std::vector<std::string> comentarioInicial(const std::string& archivo);
