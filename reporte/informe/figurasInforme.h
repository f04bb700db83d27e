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
// El diagrama de la solicitación s (kSolicitacionMy, ...) del caso; en un caso
// de dos valores, la curva de máximos y la de mínimos.
figuraInforme figuraSolicitacion(const casoResultado& caso, int s);
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
// El espectro e (índice en espectros): la aceleración contra el período.
figuraInforme figuraEspectro(int e);
