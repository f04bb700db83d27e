// Panel superpuesto en píxeles de la ventana: botones de interruptores y de
// combinaciones, dónde va cada uno y qué hace su clic. Lo dibuja
// plataforma/panelGL.h.
#pragma once

#include <string>
#include <vector>

// Alto de un renglón de texto del panel, en píxeles.
constexpr double kRenglon = 12.0;

// Un botón del panel: rectángulo en píxeles (x hacia la derecha, y hacia abajo
// desde el borde superior) y el interruptor que conmuta (100 + c para la combinación c).
struct BotonPanel {
    double x, y, ancho, alto;
    std::string etiqueta;
    int interruptor;
};

// Botones de interruptores a la vista para ese estado de flags en una ventana
// de w x h píxeles, en el orden en que se dibujan y se prueban.
std::vector<BotonPanel> botonesPanel(const std::vector<int>& flags, int w, int h);
// Título de la columna de combinaciones ("COMBOS ACTIVADOS:"): su renglón
// empieza en x = w - kAnchoColumnaCombos, en el renglón de y = kYTituloCombos.
constexpr double kAnchoColumnaCombos = 150.0;
constexpr double kYTituloCombos = 30.0;
// Renglón de la línea base del primer renglón del indicador de la línea de
// órdenes (dialogo, de `renglones` renglones): lo escrito queda debajo, en el
// penúltimo renglón de la ventana, y el indicador crece hacia arriba.
double yIndicador(int h, int renglones);

// Lo que los paneles dejan libre para el modelo en una ventana de w x h, en
// píxeles desde el borde superior izquierdo: a la derecha de la columna de
// botones, a la izquierda de la columna de combinaciones y de "Calcular", y
// por encima de la línea de órdenes (con los renglones de su indicador) y del
// pie, con una separación de kSeparacionPaneles.
struct RectanguloPixeles {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
constexpr double kSeparacionPaneles = 6.0;
RectanguloPixeles areaLibre(int w, int h, int renglonesIndicador);

// La leyenda de la escena: una línea por renglón desde x = kXLeyenda, junto
// a los botones, la primera con su línea base en kYLeyenda. Se escribe sobre
// una caja opaca que tapa la escena: la caja de `lineas` líneas cuyo renglón
// más largo mide `ancho` píxeles, con un borde de kBordeLeyenda. Sin líneas,
// sin caja (todo en 0).
constexpr double kXLeyenda = 100.0;
constexpr double kYLeyenda = 30.0 + kRenglon;
constexpr double kBordeLeyenda = 4.0;
RectanguloPixeles cajaLeyenda(int lineas, double ancho);
// Donde se encuadra el modelo: lo libre (areaLibre) por debajo de la caja de
// la leyenda, así lo encuadrado no queda tapado por ella (salvo una leyenda
// que dejaría menos de la mitad de lo libre).
RectanguloPixeles areaDeEncuadre(int w, int h, int renglonesIndicador, int lineasLeyenda);

// Nombres de las combinaciones que tienen botón: las del primer nudo, como
// mucho las primeras 100; ninguna si el modelo no tiene nudos.
std::vector<std::string> combosDelPanel();
// Columna de botones de combinaciones bajo "COMBOS ACTIVADOS:".
std::vector<BotonPanel> botonesCombos(const std::vector<std::string>& nombres, int w);

// El clic (xClick, yClick) cae estrictamente dentro del rectángulo.
bool clickDentro(double x, double y, double ancho, double alto, int xClick, int yClick);
// Si el último clic izquierdo cae dentro del rectángulo lo consume (lo pone
// en 0, 0) y devuelve verdadero: cada clic actúa una sola vez.
bool consumirClick(double x, double y, double ancho, double alto);

// Si el último clic cae en el botón del interruptor k, lo conmuta como la
// línea de órdenes (modificadorFlagsGraf) y pide redibujar: el cuadro ya
// dibujado no muestra el cambio.
void clicEnBotonFlag(double x, double y, double ancho, double alto, int k);
// Lo mismo con el botón de la combinación i, que sólo se conmuta: no apaga capas.
void clicEnBotonCombo(double x, double y, double ancho, double alto, int i);
