// Lote de dibujo: lo que una capa dibuja, preparado una vez y repetido en cada
// cuadro. Se llena con las mismas operaciones que se le darían a OpenGL (pila
// de matrices, color, ancho de línea, segmentos, cuadriláteros, flechas,
// arcos), pero cada vértice se lleva a coordenadas del mundo al registrarlo y
// se guarda en grupos de igual primitiva, ancho y color: en cada cuadro un
// grupo es una sola llamada de dibujo. Lo que mira a la cámara (los rótulos y
// las esferas de los nudos) se guarda aparte y se orienta en cada cuadro.
// Esta parte no llama a OpenGL; dibujarLote (plataforma/escenaGL.h) lo entrega.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Geometry>
#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "visor/escena/rotulos.h"

class objBarra3d;

// Los cuadriláteros velados se dibujan translúcidos (un cuarto de su color
// sobre lo que hay detrás) y no tapan lo que queda detrás de ellos.
enum class Primitiva { Lineas, Cuadrilateros, CuadrilaterosVelados };

struct GrupoLote {
    Primitiva primitiva = Primitiva::Lineas;
    float ancho = 1.0f;                  // ancho de línea en píxeles
    std::array<float, 3> color{};
    std::vector<float> vertices;         // x, y, z de cada vértice, en el mundo
    std::size_t cantidadVertices() const { return vertices.size() / 3; }
};

// Esfera de un nudo: sin luces, una esfera se ve como un círculo lleno de su
// color; se dibuja así, de frente a la cámara, en cada cuadro.
struct EsferaLote {
    Eigen::Vector3d centro;
    double radio = 0.0;
    std::array<float, 3> color{};
};

class LoteDibujo {
public:
    LoteDibujo();

    // ---- Estado, como la pila de matrices, el color y el ancho de OpenGL ----
    void empujar();
    void sacar();
    void trasladar(const Eigen::Vector3d& v);
    void trasladar(double x, double y, double z) { trasladar(Eigen::Vector3d(x, y, z)); }
    // Giro de `grados` alrededor del eje (x, y, z) del marco actual, como glRotate.
    void rotar(double grados, double x, double y, double z);
    void escalar(double s);
    void color(double r, double g, double b);
    void color(const std::array<float, 3>& c) { color(c[0], c[1], c[2]); }
    void anchoLinea(double ancho);

    // Marco local de una barra: origen en el punto dado (su nudo inicial, o el
    // inicio desplazado de la deformada) y giros gamma (Z), beta (Y) y alfa (X)
    // en ese orden. La barra va de (0, 0, 0) a (largo, 0, 0); y, z son sus ejes
    // locales, así un punto (y, z) de la sección queda en (x, y, z).
    void entrarMarcoBarra(const objBarra3d& b, const Eigen::Vector3d& origen);
    void salirMarcoBarra() { sacar(); }

    // ---- Primitivas en el marco actual ----
    void segmento(const Eigen::Vector3d& a, const Eigen::Vector3d& b);
    // Línea quebrada por los puntos dados (cerrada si se pide).
    void tira(const std::vector<Eigen::Vector3d>& puntos, bool cerrada = false);
    void cuadrilatero(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c,
                      const Eigen::Vector3d& d);
    // El mismo, translúcido.
    void cuadrilateroVelado(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c,
                            const Eigen::Vector3d& d);
    // Flecha de cola a punta con la punta de cuatro barbas de largo `tamano`
    // abiertas un tercio a cada lado en dos planos perpendiculares. Sin largo no
    // hay dirección y no se dibuja nada.
    void flecha(const Eigen::Vector3d& cola, const Eigen::Vector3d& punta, double tamano);
    // Sólo la punta de esa flecha (el asta no se ve cuando es mucho más corta que un píxel).
    void puntaFlecha(const Eigen::Vector3d& cola, const Eigen::Vector3d& punta, double tamano);
    // Arco de 10 tramos en el plano xy local alrededor del origen (grados).
    void arcoXY(double radio, double anguloInicio, double anguloFin);
    void esfera(const Eigen::Vector3d& centro, double radio);
    // Rótulo con el ancla en el marco actual (se guarda en el mundo, con el
    // color actual); los extremos de barra y la dirección hacia el interior
    // que traiga se dan ya en el mundo.
    void rotulo(Rotulo3D r, const Eigen::Vector3d& anclaLocal);

    // Punto y dirección del marco actual llevados al mundo.
    Eigen::Vector3d aMundo(const Eigen::Vector3d& p) const { return actual_ * p; }
    Eigen::Vector3d direccionAMundo(const Eigen::Vector3d& v) const { return actual_.linear() * v; }

    const std::vector<GrupoLote>& grupos() const { return grupos_; }
    const std::vector<EsferaLote>& esferas() const { return esferas_; }
    std::vector<Rotulo3D>& rotulos() { return rotulos_; }
    const std::vector<Rotulo3D>& rotulos() const { return rotulos_; }
    bool vacio() const { return grupos_.empty() && esferas_.empty() && rotulos_.empty(); }

    // Pasa todo lo registrado (grupos, esferas y rótulos) al tono dado: cada
    // color c queda tono x max(c), así lo oscuro sigue oscuro y lo claro, claro.
    void pasarATono(const std::array<float, 3>& tono);

    // Lote intermedio entre dos preparados con las mismas operaciones (los
    // mismos grupos con tantos vértices y las mismas esferas): cada vértice y
    // cada centro en a + t (b - a). Lo que no se corresponde queda como en b.
    static LoteDibujo entre(const LoteDibujo& a, const LoteDibujo& b, double t);

    // Píxeles que mide en pantalla una unidad del modelo a la distancia del
    // objetivo de la cámara, con el zoom para el que se prepara el lote (0:
    // sin dato, todo con su detalle completo). Las capas lo usan para no
    // dibujar lo que quedaría a menos de un par de píxeles de lo vecino.
    void ponerPixelesPorUnidad(double p) { pixelesPorUnidad_ = p; }
    double pixelesPorUnidad() const { return pixelesPorUnidad_; }

private:
    Eigen::Affine3d actual_;
    std::vector<Eigen::Affine3d> pila_;
    std::array<float, 3> color_{1.0f, 1.0f, 1.0f};
    float ancho_ = 1.0f;
    std::vector<GrupoLote> grupos_;
    std::map<std::tuple<int, float, float, float, float>, std::size_t> indiceGrupo_;
    std::vector<EsferaLote> esferas_;
    std::vector<Rotulo3D> rotulos_;
    double pixelesPorUnidad_ = 0.0;

    GrupoLote& grupo(Primitiva p);
    void vertice(GrupoLote& g, const Eigen::Vector3d& local);
};
