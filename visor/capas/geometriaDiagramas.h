// Geometría de los diagramas de resultados, de las cargas y de las reacciones,
// calculada sin tocar el sistema gráfico: qué líneas, flechas y rótulos dibuja
// cada capa para una barra o un nudo y una combinación. Las funciones de dibujo
// (diagramas.cpp, deformada.cpp, dibujoCargas.cpp, reacciones.cpp) sólo
// registran en el lote de su capa lo que devuelven estas.
//
// Ninguna lee resultados que no existen: antes del análisis, tras un análisis
// fallido o con una combinación fuera de rango devuelven "nada que dibujar".
#pragma once

#include <Eigen/Dense>
#include <optional>
#include <string>
#include <vector>

#include "analisis/casosResultado.h"
#include "modelo/objBarra3d.h"
#include "modelo/objNudo3d.h"
#include "unidades.h"

// Una componente de carga distribuida se dibuja cuando supera este valor
// absoluto en algún extremo (la torsión, en su único valor).
constexpr double kUmbralCargaDistribuida = 1e-5;
// Flechas a lo largo de una barra cargada, en x_k = k L / 10.
constexpr int kFlechasPorBarra = 11;
// Desplazamiento que da dirección a las puntas de la carga axial.
constexpr double kLargoPuntaAxial = 0.0001;

struct Color {
    double r, g, b;
};

// ---- Nivel de detalle ----
// Las estaciones de cada barra (kEstacionesDiagrama), la separación mínima
// entre dos de ellas en pantalla y pasoDeDetalle están con los casos de
// resultados (analisis/casosResultado.h): el informe adelgaza sus dibujos igual.
// Entre dos flechas de una carga distribuida: el ancho de sus puntas, para que
// no se toquen (las puntas miden siempre lo mismo en pantalla).
constexpr double kPixelesEntreFlechas = 8.0;

// ---- Comprobación de datos ----

// Verdadero si hay un análisis válido y la barra (el nudo) tiene resultados de
// la combinación c.
bool barraConResultados(const objBarra3d& b, int c);
// Las solicitaciones de la barra en el caso de resultados c, o nullptr.
const solicitacionesBarra* resultadosDeBarra(const objBarra3d& b, int c);
bool nudoConResultados(const objNudo3d& n, int c);
// Verdadero si la barra (el nudo) tiene cargas combinadas de la combinación c.
bool barraConCombo(const objBarra3d& b, int c);
bool nudoConCombo(const objNudo3d& n, int c);

// ---- Rótulos ----

// Texto o número a escribir en la escena. Con texto vacío se escribe el
// número valor con la precisión vigente.
struct Rotulo {
    Eigen::Vector3d posicion;
    double valor = 0.0;
    std::string texto;
    int alineacion = 1;  // 1 empieza en el punto, 2 centrado, 3 termina en él
};

// ---- Diagramas de solicitaciones ----

enum class TipoDiagrama { Axial, CortanteY, MomentoY, CortanteZ, MomentoZ, Torsion };

struct EstiloDiagrama {
    int ejeOrdenada;  // 1: y local, 2: z local
    double signo;     // +1: hacia el lado del signo; -1: momentos, al lado opuesto
    Color lineasInternas;
    Color contorno;
    Color textos;
};
const EstiloDiagrama& estiloDiagrama(TipoDiagrama tipo);
// Los colores con que se dibuja una curva de diagrama.
struct ColoresCurva {
    Color lineasInternas, contorno, textos;
};
inline ColoresCurva coloresDe(const EstiloDiagrama& e) { return {e.lineasInternas, e.contorno, e.textos}; }
// Las dos curvas de un caso de dos valores, en todo diagrama: la de máximos
// roja y la de mínimos azul, con los textos del color de cada una.
constexpr ColoresCurva kColoresMaximos{{0.55, 0.12, 0.08}, {0.95, 0.25, 0.2}, {1.0, 0.45, 0.4}};
constexpr ColoresCurva kColoresMinimos{{0.15, 0.3, 0.6}, {0.3, 0.55, 1.0}, {0.5, 0.7, 1.0}};

// Lo que dibuja un diagrama para una barra, en el marco local de la barra.
struct GeometriaDiagrama {
    std::vector<Eigen::Vector3d> puntos;  // P_j: estación j con su ordenada
    std::vector<Eigen::Vector3d> pies;    // F_j: estación j sobre el eje
    std::vector<double> valores;          // la solicitación en cada estación
    Rotulo valorInicio;                   // valor en P_0, alineación 1
    Rotulo valorFin;                      // valor en P_20, alineación 3
    // Cortes: "x0= ..." donde el corte cambia de signo; momentos: el momento
    // extremo en ese punto. Vacío si no hay cero de corte dentro de la barra.
    std::optional<Rotulo> extra;
    // En un caso de dos valores (una envolvente, una combinación con sismo),
    // la curva de los mínimos y sus valores en los extremos; vacíos si no.
    std::vector<Eigen::Vector3d> puntosMinimos;
    std::vector<double> valoresMinimos;
    std::optional<Rotulo> inicioMinimo, finMinimo;
};

// Índice de la solicitación que dibuja el diagrama (kSolicitacionN, ...).
int solicitacionDe(TipoDiagrama tipo);
// Clase de magnitud del diagrama: fuerza (N, Vy, Vz) o momento (My, Mz, T).
magnitud magnitudDiagrama(TipoDiagrama tipo);
// El mayor valor absoluto de esa clase en el caso de resultados c (0 sin
// resultados): bajo una fracción de él, un valor es ruido del redondeo.
double escalaDiagrama(TipoDiagrama tipo, int c);
// Abscisas (fila 0) y valores (fila 1) del diagrama en las 21 estaciones y,
// en un caso de dos valores, los mínimos (fila 2); vacía sin resultados.
Eigen::MatrixXd muestrasDiagrama(const objBarra3d& b, int c, TipoDiagrama tipo);

// Diagrama de la barra para la combinación c con la escala dada. Vacío
// (nullopt) si la barra no tiene resultados de c.
std::optional<GeometriaDiagrama> geometriaDiagrama(const objBarra3d& b, int c, TipoDiagrama tipo, double escala,
                                                   int decimales, double alturaTexto);

// ---- Deformada ----

struct NudoDeformado {
    Eigen::Vector3d posicion;  // posición con los desplazamientos escalados
    double valores[6];         // Ux, Uy, Uz, Gx, Gy, Gz sin escalar
};
// Con minimo, los desplazamientos mínimos de un caso de dos valores.
std::optional<NudoDeformado> nudoDeformado(const objNudo3d& n, int c, double escala, bool minimo = false);

struct BarraDeformada {
    Eigen::Vector3d origen;               // inicio de la barra desplazado
    std::vector<Eigen::Vector3d> puntos;  // en el marco local, relativos al origen
    // Una barra de solo tracción o compresión desactivada en la combinación:
    // se dibuja a trazos.
    bool inactiva = false;
};
// inicio es el nudo de inicio de la barra.
std::optional<BarraDeformada> barraDeformada(const objBarra3d& b, const objNudo3d& inicio, int c, double escala,
                                             bool minimo = false);
// El caso c tiene dos valores por magnitud (máximo y mínimo).
bool casoDeDosValores(int c);
// La misma elástica para un campo de desplazamientos cualquiera de los nudos
// (seis por nudo, en ejes globales, como una forma modal), sin cargas en el
// tramo: la flexión sale de los momentos que esos desplazamientos dan en los
// extremos de la barra, con sus liberaciones. Vacío si al campo le faltan los
// nudos de la barra.
std::optional<BarraDeformada> barraDeformadaDeCampo(const objBarra3d& b, const Eigen::VectorXd& campo,
                                                    double escala);

// ---- Cargas ----

struct Flecha {
    Eigen::Vector3d cola;
    Eigen::Vector3d punta;
};

// Una componente de carga puntual de un nudo, en ejes globales.
struct CargaPuntual {
    bool esMomento;
    int eje;  // 0 X, 1 Y, 2 Z
    std::vector<Flecha> flechas;  // fuerza: una; momento: dos (doble punta)
    Rotulo numero;                // |valor| en la cola (fuerza) o en la punta larga (momento)
};
// Componentes no nulas en el orden Px Py Pz Mx My Mz; vacío sin combo c.
std::vector<CargaPuntual> cargasPuntuales(const objNudo3d& n, int c, double escala);

// Desplazamientos impuestos (asentamientos) de la combinación c en los grados
// de libertad con apoyo, con la forma de una carga puntual: una flecha corta de
// largo dado que sale del nudo en el sentido del desplazamiento (un giro, con
// doble punta como un momento) y su valor absoluto en la punta. En el orden
// ux uy uz gx gy gz; vacío sin combo c.
std::vector<CargaPuntual> desplazamientosImpuestos(const objNudo3d& n, int c, double largo);

enum class TipoDistribuida { LocalY, LocalZ, Axial, Torsion };

// Una carga distribuida de una barra, en su marco local.
struct CargaDistribuida {
    TipoDistribuida tipo;
    std::vector<Flecha> flechas;      // Y, Z: once flechas; axial: once puntas o ninguna
    std::optional<Flecha> lineaCarga;  // Y, Z: la línea que une las colas
    std::vector<Rotulo> numeros;       // valores absolutos en los extremos (torsión: uno)
    std::vector<double> estaciones;    // torsión: x_k de cada símbolo
    int sentido = 0;                   // torsión: +1 si t > 0, -1 si no
};
// Cargas presentes en el orden y, z, axial, torsión; vacío sin combo c.
std::vector<CargaDistribuida> cargasDistribuidas(const objBarra3d& b, int c, double escala, double alturaTexto);

// ---- Reacciones ----

// Línea de texto de una reacción, en el marco del nudo girado 90 grados sobre X
// (el plano xy local es el plano XZ global).
struct LineaReaccion {
    Eigen::Vector3d posicion;
    std::string texto;
};
// Una línea por grado de libertad con reacción (apoyo o resorte), en el orden
// Rx Ry Rz Mx My Mz, con seis decimales, sin el ruido del redondeo y con la
// unidad del modelo si la tiene; vacío sin resultados de la combinación c.
std::vector<LineaReaccion> lineasReacciones(const objNudo3d& n, int c, double diagonalModelo, double alturaTexto);
