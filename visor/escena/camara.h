// Aritmética de la cámara y de la proyección del visor, en funciones que toman
// y devuelven valores simples. No depende de OpenGL ni de freeglut: las
// funciones de respuesta de la ventana sólo llevan estos resultados a la
// biblioteca gráfica.
#pragma once

#include <vector>

struct Punto3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

double distancia(const Punto3& a, const Punto3& b);

// ---- Encuadre del modelo ----
// Caja de los nudos ampliada siempre hasta contener el origen, su diagonal, el
// objetivo en el centro de la caja y la cámara del lado -X, -Y, por encima.
struct Encuadre {
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0, zMin = 0.0, zMax = 0.0;
    double diagonal = 0.0;
    Punto3 objetivo;
    Punto3 ojo;
    double distancia = 0.0;
};
Encuadre encuadrar(const std::vector<Punto3>& nudos);

// ---- Vista que encuadra el modelo ----
// Parte de la ventana en coordenadas normalizadas: x de -1 (borde izquierdo) a
// 1 (derecho), y de -1 (abajo) a 1 (arriba). Por omisión, la ventana entera.
struct AreaNormalizada {
    double x0 = -1.0, x1 = 1.0, y0 = -1.0, y1 = 1.0;
};
// El rectángulo de píxeles (x de x0 a x1 hacia la derecha, y de y0 a y1 hacia
// abajo desde el borde superior) de una ventana de ancho x alto, en
// coordenadas normalizadas. Sin ventana o sin área, la ventana entera.
AreaNormalizada areaNormalizada(double x0, double y0, double x1, double y1, int ancho, int alto);

// Cámara que mira desde la dirección dada (del objetivo hacia la cámara) a la
// distancia justa para que en una ventana de ancho x alto todos los puntos
// queden dentro del área, con un 5 % de margen, y centrados en ella: en
// perspectiva según el campo de 45 grados; en ortográfica el volumen de vista
// se mide con esa misma distancia. Con el área en el centro de la ventana el
// objetivo queda en el centro de la caja de los puntos; si no, corrido de lado
// lo necesario para que los puntos caigan en el área. Sin puntos, o con todos
// en un punto, la cámara queda a distancia 1.
struct VistaEncuadrada {
    Punto3 objetivo;
    Punto3 ojo;
};
VistaEncuadrada encuadrarVista(const std::vector<Punto3>& puntos, const Punto3& direccion, int ancho, int alto,
                               bool perspectiva, const AreaNormalizada& area = AreaNormalizada());

// De los puntos, los pocos (a lo sumo 11) que deciden encuadrarVista con esa
// dirección, ventana, proyección y área: los extremos de su caja y los que
// tocan cada borde del área. Encuadrarlos junto con otros puntos da la misma
// vista que encuadrar todos junto con esos otros.
std::vector<Punto3> puntosDecisivos(const std::vector<Punto3>& puntos, const Punto3& direccion, int ancho, int alto,
                                    bool perspectiva, const AreaNormalizada& area = AreaNormalizada());

// Coordenadas normalizadas (x, y; z la profundidad delante de la cámara) del
// punto visto desde el ojo hacia el objetivo, con el "arriba" de vectorArriba,
// en una ventana de ancho x alto con la proyección del visor (distCamObj, la
// distancia del ojo al objetivo). Falso si el punto queda detrás de la cámara
// en perspectiva.
bool coordenadasEnVentana(const Punto3& p, const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo, int ancho,
                          int alto, bool perspectiva, Punto3& normalizado);
// Todos los puntos caen dentro del área con esa cámara.
bool todosEnArea(const std::vector<Punto3>& puntos, const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo,
                 int ancho, int alto, bool perspectiva, const AreaNormalizada& area);

// ---- Ventana y proyección ----
constexpr int kAnchoMinimo = 600;
constexpr int kAltoMinimo = 400;

struct Tamano {
    int ancho = 0, alto = 0;
};
// Tamaño que la ventana acepta para el pedido (ancho, alto): un alto 0 cuenta
// como 1 y cada lado se lleva al mínimo de 600 x 400.
Tamano tamanoAceptado(int ancho, int alto);

struct Proyeccion {
    bool perspectiva = true;
    // Perspectiva
    double campoVertical = 45.0, aspecto = 1.0, cerca = 0.01, lejos = 1000000.0;
    // Ortográfica (cerca y lejos: -1e6 y 1e6)
    double izquierda = 0.0, derecha = 0.0, abajo = 0.0, arriba = 0.0;
};
// Volumen de vista para una ventana de ancho x alto. En modo ortográfico su
// tamaño sale de la distancia de la cámara al objetivo, así el zoom lo achica.
Proyeccion proyeccion(int ancho, int alto, bool perspectiva, double distCamObj);
// Píxeles que mide una unidad del modelo puesta de frente a la distancia del
// objetivo (en ortográfica, en cualquier lugar). 0 sin ventana o sin distancia.
double pixelesPorUnidad(int ancho, int alto, bool perspectiva, double distCamObj);

// ---- Ángulos de la cámara ----
// Azimut (en [0, 2 pi)) y elevación (en [-pi/2, pi/2]) de la cámara vista desde
// el objetivo, en radianes. Con la cámara justo en la vertical del objetivo el
// azimut no está definido y se devuelve azimutRespaldo (el último conocido),
// con la elevación de +-pi/2 (0 si cámara y objetivo coinciden).
struct Angulos {
    double azimut = 0.0;
    double elevacion = 0.0;
};
Angulos angulosCamara(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo);

// Vector "arriba" para colocar la cámara: el eje Z, salvo con la cámara en la
// vertical del objetivo, donde Z no sirve y se usa la dirección horizontal que
// Z proyectaría en pantalla justo antes de llegar a la vertical.
Punto3 vectorArriba(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo);

// ---- Ratón ----
constexpr float kRadianesPorPixel = 0.003f;
constexpr double kUnidadesPorPixel = 0.01;

// Paso de órbita por un arrastre de (dxPixeles, dyPixeles): arrastrar a la
// derecha gira la cámara en sentido horario visto desde arriba y arrastrar
// hacia abajo la sube. La distancia al objetivo se conserva y la elevación se
// detiene en la vertical.
struct PasoOrbita {
    Punto3 ojo;
    double deltaHoriz = 0.0;  // radianes
    double deltaVert = 0.0;   // radianes
    double azimut = 0.0;      // azimut con que quedó la cámara
};
PasoOrbita orbitar(const Punto3& ojo, const Punto3& objetivo, int dxPixeles, int dyPixeles,
                   double azimutRespaldo);

// Desplazamiento (que se suma a cámara y objetivo) por un arrastre de paneo:
// lo horizontal de la pantalla por dxPixeles, lo vertical por dyPixeles, a
// 0.01 unidades del modelo por píxel.
Punto3 desplazamientoPaneo(const Punto3& ojo, const Punto3& objetivo, int dxPixeles, int dyPixeles,
                           double azimutRespaldo);

// Cámara en objetivo + factor (ojo - objetivo).
constexpr double kFactorAcercar = 0.9;
constexpr double kFactorAlejar = 1.1;
Punto3 acercar(const Punto3& ojo, const Punto3& objetivo, double factor);

// ---- Textos de frente a la cámara ----
// Azimut A (en (-180, 180]) y elevación E, en grados, de la dirección del
// objetivo a la cámara: el texto se gira 90 + A alrededor de Z y 90 - E
// alrededor de X.
struct AngulosFrente {
    double azimutGrados = 0.0;
    double elevacionGrados = 0.0;
};
AngulosFrente angulosDeFrente(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo);

// ---- Flechas ----
// Giros de la punta de una flecha de p1 a p2: alfa alrededor de Z y luego beta
// alrededor de Y llevan el eje +X local de p2 hacia p1. Una flecha de largo 0
// no tiene dirección: dibujar es falso.
struct AngulosFlecha {
    bool dibujar = false;
    double alfaGrados = 0.0;
    double betaGrados = 0.0;
};
AngulosFlecha angulosFlecha(const Punto3& p1, const Punto3& p2);

// Acota x a [-1, 1] antes de acos o asin: el redondeo puede dejar cocientes
// apenas fuera del intervalo.
double acotarUnidad(double x);
