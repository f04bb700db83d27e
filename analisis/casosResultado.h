// Los resultados de un análisis, en un solo lugar: una lista de casos de
// resultados. Un caso tiene un nombre, una clase (una combinación lineal de
// casos de carga, un caso sísmico, una combinación con un caso sísmico o una
// envolvente de combinaciones) y, para cada nudo, sus desplazamientos y
// reacciones y, para cada barra, sus fuerzas de extremo, sus funciones de
// solicitaciones a lo largo de la barra y los extremos de cada una. Los
// casos de dos valores (la envolvente y la combinación con sismo) guardan el
// máximo y el mínimo de cada magnitud, y la envolvente el caso que manda en
// cada uno; sus funciones a lo largo de la barra no se guardan: se evalúan
// cuando se piden a partir de los casos de los que salen. Los análisis llenan
// los casos (también el equilibrio de cada combinación); el reporte, los
// archivos CSV, las líneas del modo por lotes y el visor sólo los leen y les
// dan formato: ninguno calcula un resultado propio.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "analisis/resultadosAcero.h"
#include "analisis/resultadosFlechas.h"
#include "analisis/resultadosPisos.h"
#include "analisis/resultadosSismoEstatico.h"
#include "modelo/solicitacionesBarra.h"

class objBarra3d;
struct tablaResultados;

// combinacion: la respuesta lineal a una combinación de cargas.
// segundoOrden: una combinación resuelta en segundo orden (P-Δ:
//   (K + Kg(N))·u = P, iterando sobre los esfuerzos axiales N).
// espectral: un caso sísmico por espectro de respuesta; cada magnitud es la
//   combinación de las respuestas modales (CQC o SRSS): un módulo, sin signo.
// comboEspectral: una combinación que incluye casos sísmicos: la parte
//   estática más y menos factor × el módulo sísmico (dos valores).
// envolvente: el mayor y el menor de cada magnitud entre sus combinaciones.
enum class tipoCaso { combinacion, segundoOrden, espectral, comboEspectral, envolvente };

// Lo que un caso de segundo orden agrega: las soluciones con K + Kg hechas,
// si los axiales convergieron, la amplificación de los desplazamientos y si
// K + Kg dejó de ser definida positiva (la carga supera la crítica: el caso no
// tiene resultados; sus valores quedan en cero y las salidas lo dicen). La
// amplificación es el mayor cociente segundo / primer orden de una componente
// de traslación (ux, uy o uz de un nudo) entre las que en primer orden llegan
// a kFraccionAmplificacion de la mayor de la combinación, con su nudo (número
// interno) y su dirección (0 X, 1 Y, 2 Z); -1 si no hay traslaciones. Así mide
// el desplazamiento lateral de un pórtico, que P-Δ amplifica, sin mezclarlo
// con la flecha vertical de sus vigas, que casi no cambia.
inline constexpr double kFraccionAmplificacion = 0.1;
struct segundoOrdenCaso {
    int iteraciones = 0;
    bool convergio = true;
    double amplificacion = 1;
    int nudoAmplificacion = -1, direccionAmplificacion = -1;
    bool inestable = false;
};

// Por barra, en un caso de dos valores: las fuerzas de extremo mínimas (las
// máximas van en solicitacionesBarra::fuerzas) y el caso que manda en cada
// máximo y mínimo (-1 si no es una envolvente).
struct minimosBarra {
    double fuerzas[12] = {};
    int casoMaximo[12] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int casoMinimo[12] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
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

// Un diafragma rígido en un caso: el movimiento de su centroide (ux, uy y el
// giro alrededor de Z; en un caso de dos valores, el mayor y el menor; en un
// caso sísmico, los módulos) y la deriva del piso en X y en Y: la mayor
// diferencia de desplazamiento horizontal entre un nudo del diafragma y el
// punto justo debajo en el diafragma inferior (su movimiento de cuerpo
// rígido ahí, o cero en la base), dividida por la altura entre ambos. Las
// derivas son valores absolutos, con el nudo (número interno) donde ocurren.
struct resultadoDiafragma {
    double ux = 0, uy = 0, giro = 0;
    double uxMinimo = 0, uyMinimo = 0, giroMinimo = 0;
    bool conDeriva = false;  // falso en el más bajo si no hay apoyos debajo
    double altura = 0;       // hasta el diafragma inferior o la base
    double derivaX = 0, derivaY = 0;
    int nudoX = -1, nudoY = -1;
    int casoX = -1, casoY = -1;  // en una envolvente, el caso que manda
    int casoMaximo[3] = {-1, -1, -1}, casoMinimo[3] = {-1, -1, -1};
    // La deriva de cada nudo del diafragma (valor absoluto), en su orden.
    std::vector<double> derivasX, derivasY;
};

// Un nivel sin diafragma: las columnas (barras cuyos extremos difieren en
// altura más que su proyección horizontal) cuyo extremo superior está a la
// altura z, en el orden interno de las barras, con el nudo de arriba y el de
// abajo y la diferencia de altura de cada una. Lo calcula el análisis una vez
// (nivelesDeColumnas en niveles.h) y lo guarda en resultadosAnalisis::niveles.
struct nivelColumnas {
    double z = 0;
    std::vector<int> barras, nudosArriba, nudosAbajo;
    std::vector<double> alturas;
};

// Un nivel sin diafragma en un caso: la deriva de cada columna en X y en Y
// (la diferencia de desplazamiento horizontal de sus extremos sobre su
// diferencia de altura, en valor absoluto; en un caso sísmico, combinada
// sobre los modos; en uno de dos valores, la mayor) y la del nivel, la mayor
// de sus columnas, con la columna (índice en nivelColumnas) y su altura.
// Con derivaLimite:, su verificación, como la de un piso con diafragma.
struct resultadoNivel {
    double derivaX = 0, derivaY = 0;
    int columnaX = -1, columnaY = -1;
    double alturaX = 0, alturaY = 0;
    int casoX = -1, casoY = -1;  // en una envolvente, el caso que manda
    std::vector<double> derivasX, derivasY;
    bool verificada = false;
    double inelastica[2] = {0, 0};
    bool cumple = true;
    double razonTorsion = 0;
};

// Fuerza (componentes 0 a 2) y momento respecto del origen (3 a 5), en ejes globales.
using Torsor = Eigen::Matrix<double, 6, 1>;

// El equilibrio global de una combinación (en una con sismo, de su parte
// estática), que calcula el análisis (equilibrio.h): la resultante de las
// cargas aplicadas y la de las reacciones, y el error relativo de su suma.
// Sólo en los casos de las combinaciones (calculado falso en los demás).
struct equilibrioCaso {
    bool calculado = false;
    Torsor cargas = Torsor::Zero();
    Torsor reacciones = Torsor::Zero();
    double error = 0;
};

// Ver casoResultado::torsion.
struct torsionSolicitacion {
    double modalInicio = 0, modalFin = 0;
    double inicio = 0, fin = 0;
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
    // Una por barra, en el orden interno. En un caso sísmico: los módulos de
    // las fuerzas y desplazamientos de extremo (ejes locales) y los extremos
    // de los módulos; en uno de dos valores, las fuerzas máximas y los
    // extremos (el mayor de la curva de máximos y el menor de la de mínimos);
    // las funciones cerradas sólo en una combinación.
    std::vector<solicitacionesBarra> barras;
    // Las barras de solo tracción o solo compresión desactivadas en este caso
    // (números internos, en orden creciente): sin rigidez ni esfuerzos.
    std::vector<int> barrasInactivas;
    escalasCaso escalas;
    segundoOrdenCaso segundoOrden;  // sólo en un caso de tipo segundoOrden
    // Uno por diafragma del modelo, en el orden de sus registros.
    std::vector<resultadoDiafragma> diafragmas;
    equilibrioCaso equilibrio;
    // Uno por diafragma (fuerzas, cortantes y vuelcos del piso), en el mismo orden.
    std::vector<resultadoPiso> pisos;
    // Uno por nivel sin diafragma (resultadosAnalisis::niveles), de abajo hacia arriba.
    std::vector<resultadoNivel> niveles;

    // ---- Casos de dos valores: desplazamientos, reacciones y fuerzas de
    // extremo guardan los máximos; éstos, los mínimos. ----
    Eigen::MatrixXd desplazamientosMinimos, reaccionesMinimas;
    // En una envolvente, 12 x nudos: el caso (índice en los casos) que manda
    // en el máximo (filas 0 a 5) y en el mínimo (filas 6 a 11).
    Eigen::MatrixXi casosDesplazamientos, casosReacciones;
    std::vector<minimosBarra> minimos;

    // ---- De qué sale ----
    // Envolvente: los casos que abarca. Combinación con sismo: sus casos
    // sísmicos, con el valor absoluto de su factor en factores.
    std::vector<int> componentes;
    std::vector<double> factores;
    // Combinación con sismo: la parte estática, una combinación completa.
    std::shared_ptr<const casoResultado> estatico;
    // Caso sísmico: por barra y solicitación, Σᵢⱼ ρᵢⱼ·rᵢ(0)·rⱼ(L), con rᵢ la
    // respuesta del modo i en cada extremo: sin cargas de tramo cada
    // respuesta modal es lineal a lo largo de la barra, y el cuadrado del
    // módulo combinado es la cuadrática (1−t)²·S(0)² + 2t(1−t)·ese término + t²·S(L)².
    std::vector<std::array<double, kNumeroSolicitaciones>> cruzados;
    // Caso sísmico con torsión accidental: por barra y solicitación, los
    // módulos modales S(0) y S(L) (sin la torsión, que ya está en las fuerzas
    // de extremo) y los valores con signo de la respuesta estática a los
    // momentos de torsión en el inicio y en el fin (con los signos de los
    // cruzados). Esa respuesta no tiene cargas de tramo: es lineal a lo largo
    // de la barra, y el módulo de la solicitación es √q(t) + |(1−t)·inicio +
    // t·fin|. Vacío sin torsión accidental.
    std::vector<std::array<torsionSolicitacion, kNumeroSolicitaciones>> torsion;
    int sismo = -1;  // caso sísmico: índice en resultadosAnalisis::sismos

    bool dosValores() const { return tipo == tipoCaso::comboEspectral || tipo == tipoCaso::envolvente; }
    // Los mínimos de los nudos (los máximos si el caso es de un valor).
    const Eigen::MatrixXd& desplazamientosMenores() const {
        return dosValores() ? desplazamientosMinimos : desplazamientos;
    }
    const Eigen::MatrixXd& reaccionesMenores() const { return dosValores() ? reaccionesMinimas : reacciones; }
    // La fuerza de extremo i de la barra: mayor y menor.
    double fuerzaMenor(int barra, int i) const;
};

// Calcula las escalas del caso a partir de sus valores y del tamaño del modelo.
void calcularEscalas(casoResultado& caso, double tamanoModelo);
// Fracción de la escala de su clase por debajo de la cual un valor es ruido.
inline constexpr double kFraccionRuido = 1e-13;
// El valor, o 0 si su magnitud no llega a kFraccionRuido de la escala; nunca
// un cero negativo.
double sinRuido(double valor, double escala);
// Dos valores de una clase que difieren en no más que kFraccionRuido de la
// escala de su clase en el caso son iguales: lo que los separa es el
// redondeo de la solución, que cambia de un procesador a otro. Ante un
// empate manda el primero (la menor x a lo largo de la barra, el primer
// nudo, la primera combinación), así lo que dice dónde ocurre un extremo no
// depende del procesador.
inline double toleranciaEmpate(double escala) { return kFraccionRuido * escala; }
// Las tolerancias de empate de las seis solicitaciones (N, Vy y Vz son
// fuerzas; T, My y Mz, momentos).
void toleranciasSolicitaciones(const escalasCaso& e, double t[kNumeroSolicitaciones]);
// La escala de la suma de casos con sus factores (una combinación con sismo:
// la parte estática más los módulos sísmicos), o la mayor de varios casos
// (una envolvente) con factores 1 y `suma` falso.
escalasCaso escalasDe(const std::vector<const casoResultado*>& casos, const std::vector<double>& factores, bool suma);
// Índice del mayor de n valores (con mayor = false, del menor) con la
// tolerancia de empate: el primero que llega al extremo salvo la tolerancia.
template <typename F>
int indiceExtremo(int n, F&& valor, double tolerancia, bool mayor = true) {
    int elegido = -1;
    double extremo = 0;
    for (int i = 0; i < n; ++i) {
        const double v = mayor ? valor(i) : -valor(i);
        if (elegido < 0 || v > extremo + tolerancia) elegido = i, extremo = v;
    }
    return elegido;
}

// El grado de libertad con que se normaliza una forma (modal o de pandeo),
// -1 si es nula: su mayor traslación (su mayor giro si no traslada nada),
// que pasa a valer 1. Una forma sale de un cálculo de autovalores con una
// tolerancia: dos componentes que difieren en menos de kEmpateFormas de la
// mayor (dos nudos simétricos) empatan y manda el primero, así el signo de
// la forma no depende del procesador.
inline constexpr double kEmpateFormas = 1e-6;
Eigen::Index componenteNormalizadora(const Eigen::VectorXd& forma);

// El mayor máximo y el menor mínimo de la solicitación s (N, Vy, Vz, T, My,
// Mz) entre todas las barras del caso, sin el ruido de su clase y, ante un
// empate, en la primera barra; con la barra (número interno), la x y, en una
// envolvente, el caso que manda. Lo que dicen la leyenda del visor y el
// informe de cálculo.
struct extremoEntreBarras {
    bool hay = false;
    double maximo = 0, minimo = 0;
    int barraMaximo = -1, barraMinimo = -1;
    double xMaximo = 0, xMinimo = 0;
    int casoMaximo = -1, casoMinimo = -1;
};
extremoEntreBarras extremosEntreBarras(const casoResultado& caso, int s);

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

// Lo que un caso sísmico da además de sus magnitudes: por modo, el período,
// la aceleración espectral y el cortante basal en X, Y, Z (con signo, el del
// modo) y, combinados, el cortante basal y la masa efectiva de los modos
// calculados en su dirección (fracción de la masa libre).
struct resultadoSismico {
    std::string nombre, espectro;
    int direccion = 0;
    double amortiguamiento = 0;
    bool cqc = true;
    std::vector<double> periodos, aceleraciones;
    Eigen::MatrixXd cortantesModales;  // modos x 3
    Eigen::Vector3d cortanteBasal = Eigen::Vector3d::Zero();
    double masaEfectiva = 0;
    // G = W·diag(amplitudes), con ρ = Wᵀ·W: ‖G·r‖ combina las respuestas
    // modales unitarias r (las de la forma modal guardada) con la regla del caso.
    Eigen::MatrixXd combinacionModal;
    // Con escalaSismo:, el caso de carga estático, el cortante basal del caso
    // en su dirección antes de escalar, el del estático y la escala S por la
    // que se multiplicó todo lo anterior (1 si quedó dentro del rango).
    bool conEscala = false;
    std::string estatico;
    double cortanteDinamico = 0, cortanteEstatico = 0, escala = 1;
    // Con torsionAccidental: (en un sismo en X o en Y), la fracción E, el
    // momento alrededor de Z que recibe cada diafragma (en el orden de sus
    // registros; E · ancho perpendicular al sismo · fuerza de piso) y el campo
    // de desplazamientos de la respuesta estática a esos momentos (6 por nudo,
    // en ejes globales, con signo), resuelta con la rigidez de los modos. Su
    // valor absoluto se suma a cada magnitud del caso; el campo queda aquí
    // para lo que necesite sumar su efecto de otra manera.
    bool conTorsion = false;
    double torsionAccidental = 0;
    std::vector<double> momentosTorsion;
    Eigen::VectorXd desplazamientosTorsion;
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
    // El combo cuya rigidez geométrica entra en los modos (segundoOrdenModal:),
    // vacío si los modos son los de la rigidez elástica.
    std::string comboModosGeometricos;
    // Los casos sísmicos, en el orden de los casos espectrales.
    std::vector<resultadoSismico> sismos;
    // Por diafragma, en el orden de sus registros: masa y centros (vacío sin diafragmas).
    std::vector<centroPiso> centros;
    // Los niveles sin diafragma, de abajo hacia arriba (vacío si no hay columnas
    // o si todas llegan a la altura de un diafragma).
    std::vector<nivelColumnas> niveles;
    // Los casos del método estático equivalente, en el orden de sus registros.
    std::vector<distribucionSismoEstatico> estaticos;
    // El sistema armado que resolvió el análisis, como lo escribe el reporte:
    // la rigidez global (6N x 6N, ambos triángulos) y las cargas en los nudos
    // (puntuales y equivalentes de las distribuidas, 6N x combinaciones).
    Eigen::SparseMatrix<double> rigidez;
    Eigen::MatrixXd cargasPuntuales;
    Eigen::MatrixXd cargasDistribuidas;
    // La verificación de las barras de acero (vacía si el modelo no la pide).
    resultadosAcero acero;
    // La verificación de las flechas (vacía sin limiteFlecha:).
    std::vector<verificacionFlecha> flechas;

    // Las tablas que publican las familias de resultados (tablasResultados.h),
    // que las salidas escriben.
    std::shared_ptr<std::vector<tablaResultados>> tablas;

    void vaciar();
};

// ---- Lectura ----

// El cortante basal del modo en la dirección (0 X, 1 Y, 2 Z) del sismo s, en
// módulo (el signo de un modo es arbitrario) y sin el ruido del redondeo: lo
// que no llega a kFraccionRuido de las fuerzas del caso sísmico es 0.
double cortanteModalSinRuido(const resultadosAnalisis& r, size_t sismo, Eigen::Index modo, int direccion);

// El caso c si hay resultados y existe; si no, nullptr.
const casoResultado* casoDeResultados(const resultadosAnalisis& r, int c);

// Desplazamientos de todos los grados de libertad (6N filas, una columna por
// combinación), como los guarda el reporte: de una combinación con sismo, su
// parte estática. Los casos sísmicos y las envolventes tienen su bloque.
Eigen::MatrixXd matrizDesplazamientos(const resultadosAnalisis& r);

// Las fuerzas de extremo de una barra en todas las combinaciones (12 x
// combinaciones, como las columnas de matrizDesplazamientos).
Eigen::MatrixXd fuerzasExtremos(const resultadosAnalisis& r, int barra);

// La combinación de la que salen las funciones cerradas del caso: él mismo,
// o la parte estática de una combinación con sismo (nullptr en los demás).
const casoResultado* casoEstatico(const casoResultado& caso);
// La combinación resuelta en segundo orden del caso: él mismo, o la parte
// estática de una combinación con sismo nombrada en segundoOrden: (nullptr
// en los demás).
const casoResultado* casoSegundoOrden(const casoResultado& caso);

// La solicitación s (N, Vy, Vz, T, My, Mz) del caso c a la distancia x del
// inicio de la barra: el mayor y el menor valor (iguales salvo en los casos
// de dos valores; en un caso sísmico, el módulo).
std::pair<double, double> valorSolicitacionCaso(const resultadosAnalisis& r, int c, const objBarra3d& b, int s,
                                                double x);

// El módulo de la solicitación s del caso sísmico en la barra (índice
// interno), a la fracción t del largo desde el inicio.
double moduloSismico(const casoResultado& caso, int barra, int s, double t);
// El módulo con torsión accidental a la fracción t: √q(t), con q la
// cuadrática (1−t)²·a² + 2t(1−t)·b + t²·c² de los modos, más el valor
// absoluto de la respuesta lineal a la torsión, |(1−t)·inicio + t·fin|.
double moduloConTorsion(double a, double b, double c, double inicio, double fin, double t);

// La solicitación s de la barra en n estaciones equiespaciadas,
// x_i = L/(n-1)·i: abscisas y valores, el mayor y el menor.
struct muestrasSolicitacion {
    std::vector<double> x, maximo, minimo;
};
muestrasSolicitacion muestrear(const resultadosAnalisis& r, int c, const objBarra3d& b, int s, int n);

// La elástica de la barra en n estaciones (ver objBarra3d::deformada): la de
// los desplazamientos máximos y la de los mínimos. En una combinación, las
// dos son la elástica con las cargas del tramo; en los demás casos, la de los
// desplazamientos de los nudos (máximos o mínimos, o los módulos de un caso
// sísmico) sin cargas en el tramo.
struct deformadasBarra {
    Eigen::MatrixXd maximo, minimo;
};
deformadasBarra deformadaBarra(const resultadosAnalisis& r, int c, const objBarra3d& b, int n, double escala);
// La traslación de mayor valor absoluto de una componente global (Ux, Uy o
// Uz) a lo largo de las barras de un caso: su valor (con su signo), la barra
// (número interno; -1 si no hay) y la distancia x desde su inicio.
struct traslacionEnBarras {
    double valor = 0;
    int barra = -1;
    double x = 0;
};
// Las de Ux, Uy y Uz del caso c en esas barras, exactas: cada componente es, a lo largo de
// cada barra, un polinomio de grado 5 a lo sumo (objBarra3d::polinomiosElastica
// llevado a ejes globales), con sus extremos en los de la barra o donde su
// derivada se anula. Es la elástica que dibujan el visor y el informe: en una
// viga cargada su flecha suele ser mucho mayor que el desplazamiento de sus
// nudos. Sólo en una combinación (de primer o de segundo orden), la que tiene
// la elástica con las cargas del tramo; en los demás casos, barra -1.
std::array<traslacionEnBarras, 3> mayoresTraslacionesEnBarras(const resultadosAnalisis& r, int c,
                                                              const std::vector<objBarra3d>& barras);
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
