// Las figuras del informe, armadas con dibujoSvg desde el modelo y los casos
// de resultados: el modelo con sus apoyos en cada vista, y en perspectiva la
// deformada y el diagrama de momentos de un caso, las formas modales y las de
// pandeo. Con
// muchas barras se adelgazan como en el visor (pasoDeDetalle con la misma
// separación entre estaciones), sin perder los extremos: el punto de cada
// barra donde su momento es máximo o mínimo siempre se dibuja, y el nudo que
// más se desplaza y los momentos extremos del caso llevan su valor escrito.
#pragma once

#include <string>
#include <vector>

#include "analisis/casosResultado.h"
#include "reporte/informe/dibujoSvg.h"
#include "reporte/informe/documentoHtml.h"

struct figuraInforme {
    std::string svg;  // vacío: nada que dibujar
    std::string pie;
    std::string estilos;  // reglas de estilo que el dibujo agrega a las fijas
};

// La figura en el documento, con sus estilos; una vacía no se agrega.
void agregarFigura(documentoHtml& doc, const figuraInforme& f);

// Hasta cuántos nudos se escriben sus números en las vistas del modelo.
inline constexpr int kNudosConNumero = 60;

// La diagonal de la caja de los nudos (1 si es nula): el tamaño del modelo
// con que se escalan los dibujos.
double tamanoDelModelo();
// La mediana de los largos de las barras (el tamaño del modelo si no hay barras).
double largoTipicoDeBarra();

// ¿Muestra esta vista el modelo con menos dimensiones de las que tiene? Un
// pórtico plano en X-Z es una línea en planta y en el alzado YZ; una viga
// según X, un punto en el alzado YZ. Esas vistas no se dibujan; la
// isométrica, siempre.
bool vistaAplanaElModelo(vistaDibujo v);
figuraInforme figuraModelo(vistaDibujo v);
// La deformada de una combinación; las barras inactivas (de solo tracción o
// compresión) a trazos.
figuraInforme figuraDeformada(const casoResultado& caso);
// Hasta cuántas barras se escriben sus números en los diagramas.
inline constexpr int kBarrasConNumero = 300;

// Las barras de una figura de diagrama: todas en perspectiva, las de un
// pórtico en su alzado o las que no están en ningún pórtico.
struct grupoDeDiagrama {
    vistaDibujo vista = vistaDibujo::isometrica;
    int ejeNormal = -1;       // el eje global normal al plano del alzado (0: X, 1: Y); -1 en perspectiva
    std::vector<int> barras;  // índices en barra; vacío: todas
    std::string titulo;       // "pórtico y = 6 m", al comienzo del pie; vacío: ninguno
};
// El diagrama de la solicitación s (kSolicitacionN, ...) del caso en las
// barras del grupo, con la escala del mayor valor del caso entero (las
// figuras de sus pórticos se comparan a simple vista), sus extremos rotulados
// y, hasta kBarrasConNumero barras en el modelo, los números de barra; en un
// caso de dos valores, la curva de máximos y la de mínimos. Vacía si el
// diagrama es nulo en el grupo.
figuraInforme figuraSolicitacion(const casoResultado& caso, int s, const grupoDeDiagrama& g = {});
// Los diagramas que pide informeDiagramas: del caso, en su lugar del capítulo:
// sin pórticos en el modelo, uno en perspectiva; si no, uno por pórtico en su
// alzado (los de mayor valor, hasta un número acotado) y uno en perspectiva
// de las barras fuera de los pórticos. Cada figura que no se dibuja (un
// diagrama nulo, pórticos de más, el informe ya cargado de figuras) deja un
// párrafo que dice cuál y por qué.
void agregarDiagramas(documentoHtml& doc, const casoResultado& caso);
// La forma del modo k (desde 0).
figuraInforme figuraModo(int k);
// La forma k (desde 0) del pandeo p de resultados.pandeo.
figuraInforme figuraPandeo(int p, int k);
// Las barras verificadas de acero, coloreadas por la mayor razón de su
// miembro (reporte/escalaRazones.h), con la leyenda de la escala; vacía sin
// verificación de acero o sin miembros con razón.
figuraInforme figuraRazonesAcero();
// Las derivas por piso de un caso sísmico o una combinación con sismo (la
// inelástica con derivaLimite:, con el límite; si no, la elástica), en X y en
// Y contra la altura de cada piso; vacía en los demás casos y sin pisos con deriva.
figuraInforme figuraDerivas(const casoResultado& caso);

// Un paso "redondo" (1, 2, 2.5 o 5 por una potencia de 10) de unas cuatro
// divisiones hasta v, para las marcas de los ejes de un gráfico.
double pasoRedondo(double v);
// Un rótulo de eje: el número corto, sin ceros de más ("6", "0.004").
std::string rotuloDeEje(double v);
// Las cargas del caso dibujadas sobre el modelo (en isométrica o, en un
// pórtico plano, en su plano): flechas en los nudos cargados y a lo largo de
// las barras con cargas distribuidas y con el peso propio, con sus valores.
// Vacía si el caso no tiene nada que dibujar.
figuraInforme figuraCargas(const std::string& caso);
// El gráfico del espectro e (índice en espectros): la aceleración contra el período.
figuraInforme figuraEspectro(int e);
