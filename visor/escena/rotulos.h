// Rótulos de la escena (números y textos con la fuente de trazos Mono Roman):
// qué se quiere escribir, preparado una vez por capa, y dónde y cómo se
// escribe en cada cuadro según la cámara. Con miles de barras no todo cabe en
// pantalla: se escriben primero los obligatorios (los extremos de cada
// diagrama) y después, por importancia, los que caben sin pisar a otros.
// Sin OpenGL: la cámara llega como matrices.
#pragma once

#include <Eigen/Dense>
#include <array>
#include <string>
#include <vector>

#include "visor/escena/camara.h"

// Cómo se orienta un rótulo en cada cuadro.
enum class GiroRotulo {
    // De frente a la cámara, con el corrimiento de la alineación tomado sobre
    // el eje X del modelo (números de nudos y de barras, secciones, letras de
    // los ejes y valores de cargas puntuales).
    DeFrente,
    // Valores de diagramas, cargas distribuidas, reacciones y desplazamientos:
    // se giran hacia la cámara para que nunca se lean al revés ni de canto, y la
    // alineación se toma a lo largo del propio renglón.
    Legible
};

struct Rotulo3D {
    Eigen::Vector3d ancla = Eigen::Vector3d::Zero();  // en el mundo
    // Uno o más renglones separados por '\n'; cada renglón baja una altura.
    std::string texto;
    double altura = 0.0;  // alto de letra en unidades del modelo
    std::array<float, 3> color{};
    float ancho = 1.0f;   // ancho de línea de los trazos
    int alineacion = 1;   // 1 empieza en el ancla, 2 centrado, 3 termina en ella
    GiroRotulo giro = GiroRotulo::Legible;
    // Rótulo de una barra: sólo se escribe si la barra, vista, mide al menos lo
    // que el texto (extremos en el mundo).
    bool deBarra = false;
    Eigen::Vector3d barraInicio = Eigen::Vector3d::Zero(), barraFin = Eigen::Vector3d::Zero();
    // Valor en un extremo de barra: se aparta del nudo hacia el interior de su
    // barra (dirección en el mundo), así los de barras vecinas no se juntan.
    bool enExtremo = false;
    Eigen::Vector3d haciaAdentro = Eigen::Vector3d::UnitX();
    double prioridad = 0.0;  // entre los que compiten, el mayor primero
    bool siempre = false;    // se escribe aunque no quepa, encima de todo (el extremo de un diagrama)
};

// Ordena los rótulos como se intentan en cada cuadro: los obligatorios y
// después por prioridad (los empates conservan el orden de llegada).
void ordenarRotulos(std::vector<Rotulo3D>& rotulos);

// Cámara del cuadro: proyección por modelo-vista, tamaño de la ventana en
// píxeles y la base de los textos de frente a la cámara (renglón hacia la
// derecha de la pantalla y arriba).
struct VistaRotulos {
    Eigen::Matrix4d proyeccionModelo = Eigen::Matrix4d::Identity();
    int ancho = 1, alto = 1;
    Eigen::Vector3d derecha = Eigen::Vector3d::UnitX();
    Eigen::Vector3d arriba = Eigen::Vector3d::UnitY();
};

// Base de los textos de frente a la cámara (ojo y objetivo en el mundo; el
// azimut de respaldo sirve con la cámara en la vertical): el renglón corre a
// la derecha de la pantalla y la letra crece hacia arriba.
void baseDeFrente(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo, Eigen::Vector3d& derecha,
                  Eigen::Vector3d& arriba);

// Píxel (x hacia la derecha, y hacia abajo desde el borde superior) del punto
// del mundo; falso si queda detrás de la cámara.
bool aPantalla(const VistaRotulos& v, const Eigen::Vector3d& p, Eigen::Vector2d& pixel);

// Caja de un rótulo en pantalla, en píxeles (x hacia la derecha, y hacia abajo).
struct CajaRotulo {
    double x0, y0, x1, y1;
    bool pisa(const CajaRotulo& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// Las cajas de los rótulos ya escritos en un cuadro, repartidas en celdas de
// la ventana. Una sola para todas las capas del cuadro: así los valores de
// una combinación no se escriben sobre los de otra.
class OcupacionRotulos {
public:
    OcupacionRotulos(int ancho, int alto);
    bool libre(const CajaRotulo& r) const;
    void ocupar(const CajaRotulo& r);

private:
    static constexpr int kCelda = 32;
    int columnas_, filas_;
    std::vector<std::vector<std::size_t>> celdas_;
    std::vector<CajaRotulo> cajas_;
    int columna(double x) const;
    int fila(double y) const;
};

// Dónde queda escrito un rótulo: el comienzo de la línea base de su primer
// renglón y la escala de la fuente (unidades del modelo por unidad de fuente);
// los trazos van a lo largo de vista.derecha y vista.arriba.
struct RotuloColocado {
    const Rotulo3D* rotulo = nullptr;
    Eigen::Vector3d origen = Eigen::Vector3d::Zero();
    double escala = 0.0;
    double altura = 0.0;  // alto con que se escribe (el del rótulo, o más si es obligatorio y no se leería)
    CajaRotulo caja{0, 0, 0, 0};  // lo que ocupa en pantalla
};

// Un rótulo que en pantalla mide menos que esto de alto no se lee y no se
// escribe; uno obligatorio se agranda hasta el alto legible.
constexpr double kPixelesIlegible = 5.0;
constexpr double kPixelesLegible = 10.0;

// Comienzo de la línea base del primer renglón del rótulo, antes de decidir si cabe.
Eigen::Vector3d origenRotulo(const Rotulo3D& r, const VistaRotulos& v);

// Las cuatro esquinas de la caja que ocupa el rótulo escrito con su alto (sin
// agrandar), en el mundo: el renglón más largo a lo largo de vista.derecha,
// del tope del primer renglón al descenso del último.
std::array<Eigen::Vector3d, 4> esquinasRotulo(const Rotulo3D& r, const VistaRotulos& v);

// Rótulos que se escriben en este cuadro, en el orden dado: cada uno se
// descarta si queda detrás de la cámara o fuera de la ventana, si es tan
// chico que no se leería, si es de una barra que vista es más corta que él, o
// si pisa a uno ya escrito; los obligatorios se escriben igual (si están a la
// vista), agrandados hasta un alto legible si hace falta, y corridos hasta un
// lugar libre si pisan a otro.
std::vector<RotuloColocado> colocarRotulos(const std::vector<Rotulo3D>& ordenados, const VistaRotulos& v);
// Lo mismo sin pisar lo que otras capas del cuadro ya escribieron, y dejando
// ocupado lo que se escribe.
std::vector<RotuloColocado> colocarRotulos(const std::vector<Rotulo3D>& ordenados, const VistaRotulos& v,
                                           OcupacionRotulos& ocupacion);
