// Estado global compartido del programa: el modelo cargado, los ajustes de
// dibujo leídos del archivo y los resultados del análisis.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <string>
#include <vector>

#include "modelo/objBarra3d.h"
#include "modelo/objNudo3d.h"

// ---- Modelo ----
extern std::string nombreArchivo;
extern int noNudos;
extern int noBarras;
extern int noCombos;
extern std::vector<int> punteroNudos;   // número de usuario -> número interno (0 si no nombra nudo)
extern std::vector<int> punteroBarras;  // lo mismo para barras
extern std::vector<objNudo3d> nudo;
extern std::vector<objBarra3d> barra;
// Nombres de las combinaciones en orden (uno por combinación, noCombos en total).
extern std::vector<std::string> nombresCombos;
// Verdadero si la última carga pudo abrir el archivo de modelo.
extern bool archivoDatosAbierto;

// Número interno del nudo (o barra) que el usuario numeró así, o -1 si ese
// número no nombra ninguno. Los mapas tienen 0 en los huecos, por eso se
// confirma contra el número de usuario guardado en el objeto.
int internoDeNudo(long long numeroUsuario);
int internoDeBarra(long long numeroUsuario);

// ---- Ajustes de dibujo (valores por defecto en ajustesPorDefecto) ----
extern int precision;
extern double escalaTexto;
extern double escalaDef;
extern double escalaMy;
extern double escalaMz;
extern double escalaVy;
extern double escalaVz;
extern double escalaN;
extern double escalaT;
extern double escalaApoyo;
extern double escalaCarga;
void ajustesPorDefecto();

// ---- Resultados del análisis ----
// Rigidez global 6N x 6N, dispersa (ambos triángulos).
extern Eigen::SparseMatrix<double> kEstructura;
extern Eigen::MatrixXd pEstructura;
extern Eigen::MatrixXd fEstructura;
extern Eigen::VectorXi restriccionesEstructura;
extern Eigen::MatrixXd u;
extern Eigen::MatrixXd reacciones;
// Verdadero sólo tras un análisis correcto del modelo cargado.
extern bool resultadosDisponibles;

// ---- Análisis modal ----
// Modos pedidos con "modos:" (0: sin análisis modal) y la gravedad con que la
// masa de las barras sale de su peso específico.
extern int modosPedidos;
extern double gravedad;
constexpr double kGravedadPorDefecto = 9.81;
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
// Los modos del último análisis, del más bajo al más alto (vacío sin análisis modal).
extern std::vector<modoVibracion> modosVibracion;
