// Los resultados de un análisis, en un solo lugar: una lista de casos de
// resultados. Un caso tiene un nombre, una clase (hoy, una combinación lineal
// de casos de carga) y, para cada nudo, sus desplazamientos y reacciones y,
// para cada barra, sus fuerzas de extremo, sus funciones de solicitaciones a
// lo largo de la barra y los extremos exactos de cada una. Los análisis llenan
// los casos; el reporte, los archivos CSV, las líneas del modo por lotes, el
// equilibrio y el visor sólo los leen y les dan formato: ninguno calcula un
// resultado propio.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <string>
#include <vector>

#include "modelo/solicitacionesBarra.h"

class objBarra3d;

// Una combinación resuelta en primer orden (K·u = P) o en segundo orden
// (P-Δ: (K + Kg(N))·u = P, iterando sobre los esfuerzos axiales N).
enum class tipoCaso { combinacion, segundoOrden };

// Lo que un caso de segundo orden agrega: las soluciones con K + Kg hechas,
// si los axiales convergieron, la amplificación de los desplazamientos (la
// mayor traslación de segundo orden sobre la de primer orden) y si K + Kg
// dejó de ser definida positiva (la carga supera la crítica: el caso no tiene
// resultados; sus valores quedan en cero y las salidas lo dicen).
struct segundoOrdenCaso {
    int iteraciones = 0;
    bool convergio = true;
    double amplificacion = 1;
    bool inestable = false;
};

// La escala de un caso por clase de magnitud: el mayor valor absoluto de las
// fuerzas (reacciones, fuerzas de extremo, axiales y cortes), de los momentos
// (de las reacciones, de extremo, torsores y flectores), de las traslaciones
// y de los giros, y, entre fuerzas y momentos (y traslaciones y giros), lo
// que la otra clase da con el tamaño ℓ del modelo como brazo: en un
// reticulado articulado todos los momentos son redondeo, y su escala es la de
// las fuerzas por ℓ. Un valor mucho menor que la escala de su clase es el
// redondeo de la solución.
struct escalasCaso {
    double fuerzas = 0, momentos = 0, traslaciones = 0, giros = 0;
};

struct casoResultado {
    std::string nombre;
    tipoCaso tipo = tipoCaso::combinacion;
    int combo = -1;  // la combinación de carga que responde (índice en combinaciones)
    // Una columna por nudo, en el orden interno: ux uy uz gx gy gz en ejes
    // globales, y las reacciones Rx Ry Rz Mx My Mz donde hay apoyo o resorte
    // (en un grado de libertad con resorte, la fuerza del resorte −k·u; 0 en
    // los libres).
    Eigen::MatrixXd desplazamientos;
    Eigen::MatrixXd reacciones;
    // Una por barra, en el orden interno.
    std::vector<solicitacionesBarra> barras;
    // Las barras de solo tracción o solo compresión desactivadas en este caso
    // (números internos, en orden creciente): sin rigidez ni esfuerzos.
    std::vector<int> barrasInactivas;
    escalasCaso escalas;
    segundoOrdenCaso segundoOrden;  // sólo en un caso de tipo segundoOrden
};

// Calcula las escalas del caso a partir de sus valores y del tamaño del modelo.
void calcularEscalas(casoResultado& caso, double tamanoModelo);
// Fracción de la escala de su clase por debajo de la cual un valor es ruido.
inline constexpr double kFraccionRuido = 1e-13;
// El valor, o 0 si su magnitud no llega a kFraccionRuido de la escala; nunca
// un cero negativo.
double sinRuido(double valor, double escala);

// Un modo de vibración: pulsación ω (rad/s), frecuencia f = ω/2π (Hz),
// período T = 1/f (s), factores de participación y masas efectivas en X, Y, Z
// (fracción de la masa total de los grados de libertad libres, y acumuladas
// hasta este modo), y la forma modal (6 por nudo, la mayor traslación vale 1).
struct modoVibracion {
    double omega = 0, frecuencia = 0, periodo = 0;
    Eigen::Vector3d participacion = Eigen::Vector3d::Zero();
    Eigen::Vector3d masaEfectiva = Eigen::Vector3d::Zero();
    Eigen::Vector3d masaAcumulada = Eigen::Vector3d::Zero();
    Eigen::VectorXd forma;
};

// El pandeo lineal de una combinación: los menores factores críticos λ
// positivos de K·φ = λ·(−Kg(N))·φ, con los axiales N de su análisis de
// primer orden, de menor a mayor, y sus formas (6 por nudo, la mayor
// traslación vale 1).
struct pandeoCombo {
    int combo = -1;
    std::string nombre;
    std::vector<double> factores;
    std::vector<Eigen::VectorXd> formas;
};

struct resultadosAnalisis {
    // Verdadero sólo tras un análisis correcto del modelo cargado.
    bool disponibles = false;
    std::vector<casoResultado> casos;
    // Los modos de vibración, del más bajo al más alto (vacío sin análisis modal),
    // la masa total del modelo (la misma en cada dirección) y la de los grados
    // de libertad libres en X, Y y Z, contra la que se miden las masas efectivas.
    std::vector<modoVibracion> modos;
    // Los análisis de pandeo pedidos, en el orden de los pedidos.
    std::vector<pandeoCombo> pandeo;
    double masaTotal = 0;
    Eigen::Vector3d masaLibre = Eigen::Vector3d::Zero();
    // El sistema armado que resolvió el análisis, como lo escribe el reporte:
    // la rigidez global (6N x 6N, ambos triángulos) y las cargas en los nudos
    // (puntuales y equivalentes de las distribuidas, 6N x combinaciones).
    Eigen::SparseMatrix<double> rigidez;
    Eigen::MatrixXd cargasPuntuales;
    Eigen::MatrixXd cargasDistribuidas;

    void vaciar();
};

// ---- Lectura ----

// El caso c si hay resultados y existe; si no, nullptr.
const casoResultado* casoDeResultados(const resultadosAnalisis& r, int c);

// Desplazamientos de todos los grados de libertad (6N filas, una columna por
// caso), como los guarda el reporte.
Eigen::MatrixXd matrizDesplazamientos(const resultadosAnalisis& r);

// Las fuerzas de extremo de una barra en todos los casos (12 x casos).
Eigen::MatrixXd fuerzasExtremos(const resultadosAnalisis& r, int barra);

// La solicitación s (N, Vy, Vz, T, My, Mz) de la barra en n estaciones
// equiespaciadas, x_i = L/(n-1)·i: abscisas y valores, el mayor y el menor
// (iguales en una combinación).
struct muestrasSolicitacion {
    std::vector<double> x, maximo, minimo;
};
muestrasSolicitacion muestrear(const casoResultado& caso, const objBarra3d& b, int s, int n);

// La elástica de la barra en n estaciones (ver objBarra3d::deformada).
Eigen::MatrixXd deformadaBarra(const casoResultado& caso, const objBarra3d& b, int n, double escala);
// La misma elástica para un campo de desplazamientos de los nudos (seis por
// nudo, en ejes globales, como una forma modal), sin cargas en el tramo.
// Vacía (0 columnas) si al campo le faltan los nudos de la barra.
Eigen::MatrixXd deformadaDeCampo(const objBarra3d& b, const Eigen::VectorXd& campo, int n, double escala);

// ---- Dibujo de los resultados (visor e informe) ----
// Estaciones en que se muestrea cada barra para dibujarla (20 tramos rectos).
constexpr int kEstacionesDiagrama = 21;
// Con miles de barras a la vista las estaciones de un diagrama (sus líneas
// internas y los tramos de su contorno) quedan a menos de un píxel unas de
// otras: no se distinguen y cada línea cuesta lo mismo que si se viera. Se
// dibuja sólo una de cada tantas, según lo que mide la barra en el dibujo.
// Separación mínima entre dos estaciones dibujadas de un diagrama.
constexpr double kPixelesEntreLineasInternas = 3.0;
// Cada cuántas de las `tramos` divisiones de una barra que en el dibujo mide
// `largoPixeles` se dibuja una para que queden a `minimoPixeles` o más: el
// menor divisor de `tramos` que lo logra (así la primera y la última estación
// siempre se dibujan) o, si ninguno, `tramos`. Sin largo conocido (0), todas.
int pasoDeDetalle(double largoPixeles, int tramos, double minimoPixeles);
