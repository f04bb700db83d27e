// Las etapas del análisis estático, en el orden en que funcionSolve las
// corre. Cada una lee lo que dejaron las anteriores en el estado del análisis
// (y el modelo cargado: nudos, barras, combinaciones y pedidos) y llena su
// parte del estado o de los resultados (globales.h: resultados).
#pragma once

#include <Eigen/Dense>
#include <vector>

#include "analisis/analisisSismico.h"
#include "analisis/casosResultado.h"
#include "analisis/numeracionLibre.h"
#include "analisis/segundoOrden.h"
#include "analisis/solucionJuego.h"

// Lo que el segundo orden deja para los casos: por combinación, los axiales
// de sus barras (vacío en primer orden) y lo que se informa de ella.
struct segundoOrdenCombos {
    std::vector<std::vector<double>> axiales;
    std::vector<segundoOrdenCaso> info;
};

// Lo que una etapa deja a las siguientes. Las matrices de nudos tienen 6N
// filas (6 por nudo, en el orden interno) y una columna por combinación.
struct estadoAnalisis {
    Eigen::Index ngl = 0, nc = 0;  // grados de libertad y combinaciones
    Eigen::MatrixXd puntuales;     // cargas de los nudos
    // Cargas equivalentes de las barras en los nudos; en una combinación con
    // barras inactivas, las de su último juego de barras activas.
    Eigen::MatrixXd equivalentes;
    Eigen::VectorXi restricciones;  // código de apoyo de cada grado de libertad
    Eigen::MatrixXd cargas;         // puntuales + equivalentes con todas las barras
    Eigen::MatrixXd impuestos;      // desplazamientos impuestos (0 donde no hay apoyo)
    numeracionLibre num;            // las incógnitas, en el orden de eliminación
    sistemaResuelto principal;      // la rigidez y el factor de todas las barras
    double condicion = 1;           // condición estimada de la rigidez de todas las barras
    Eigen::MatrixXd u, reacciones;  // la solución de cada combinación
    Eigen::MatrixXd uPrimerOrden;   // la de primer orden con todas las barras
    std::vector<char> deSegundoOrden;  // por combinación, si se pidió en segundo orden
    segundoOrdenCombos segundoOrden;
    // Por combinación, sus barras inactivas (números internos); vacío si no
    // hay barras de un solo sentido.
    std::vector<std::vector<int>> inactivas;
};

// ---- etapasSistema.cpp ----

// Arma el sistema: lee nudos, barras y combinaciones y llena las cargas, las
// restricciones, los impuestos, la numeración de las incógnitas y la rigidez
// de todas las barras (e.principal.rigidez), las dos últimas a la vez en dos
// hilos.
void armarSistema(estadoAnalisis& e);

// Primer orden con todas las barras: factoriza la rigidez armada y resuelve
// todas las combinaciones. Llena e.principal (factor, operador), e.condicion,
// e.u, e.reacciones y e.uPrimerOrden, y los tiempos de ensamblaje (desde
// inicio), factorización y solución. Devuelve cómo terminó; si no es
// correcto, los mensajes ya lo dicen.
resultadoAnalisis resolverPrimerOrden(estadoAnalisis& e, Reloj::time_point inicio);

// Cargas equivalentes de las barras en los nudos (6N x combinaciones), con
// las de barra inactiva para las barras marcadas (si hay marcas).
Eigen::MatrixXd cargasDeBarras(Eigen::Index ngl, Eigen::Index nc, const std::vector<char>& inactivas);

// Avisa si la condición de la rigidez hace perder cifras a los resultados.
void avisarCondicion(double condicion);

// ---- etapaSegundoOrden.cpp ----

// Segundo orden de las combinaciones pedidas (combosSegundoOrden), con el
// factor de todas las barras: llena e.deSegundoOrden y e.segundoOrden, y sus
// desplazamientos y reacciones reemplazan a los de primer orden en e.u y
// e.reacciones. Suma su tiempo a tiemposUltimoAnalisis.segundoOrden.
void resolverSegundoOrdenPedido(estadoAnalisis& e);

// Una combinación c en segundo orden sobre el sistema dado (con las barras
// marcadas inactivas): parte de uc (su primer orden) y, si no supera la carga
// crítica, deja en uc y rc sus desplazamientos y reacciones; anota en
// e.segundoOrden lo que se informa de ella.
void resolverComboSegundoOrden(estadoAnalisis& e, const sistemaElastico& sistema, const std::vector<char>& marcas,
                               int c, const Eigen::VectorXd& cargasC, const Eigen::VectorXd& impuestosC,
                               Eigen::Ref<Eigen::VectorXd> uc, Eigen::Ref<Eigen::VectorXd> rc);

// Lo que dice el segundo orden de cada combinación, con su estado final: un
// error si supera la carga crítica (sus desplazamientos y reacciones quedan
// en cero) o un aviso si no convergió.
void informarSegundoOrden(estadoAnalisis& e);

// Los modos con la rigidez geométrica del combo de segundoOrdenModal: (K +
// Kg(N), con N los axiales de primer orden del combo, de su parte estática si
// tiene sismo). Deja N y Kg en geometrica, para las fuerzas de cada modo, y,
// con torsión accidental, en resolver la solución con K + Kg (que guarda su
// factor). Falso si el combo supera la carga crítica: lo dice un error y no
// hay modos.
bool calcularModosSegundoOrden(estadoAnalisis& e, geometricaModal& geometrica, resolverEstatico& resolver);

// ---- etapaSentidoAxial.cpp ----

// Rondas de las barras de solo tracción o solo compresión: cada combinación
// con su juego de barras activas (en segundo orden si se pidió). Llena
// e.inactivas y reemplaza, de cada combinación, e.u, e.reacciones y sus
// cargas equivalentes. La rigidez del reporte, los modos y el pandeo son los
// de todas. Sin esas barras no hace nada. Falso si las rondas no llegan a
// una solución; fallo dice entonces si un juego fue inestable o singular.
bool resolverRondasUnSentido(estadoAnalisis& e, resultadoAnalisis& fallo);

// ---- etapaPandeo.cpp ----

// El pandeo de las combinaciones pedidas (pedidosPandeo), con sus axiales de
// primer orden y el factor de todas las barras: llena resultados.pandeo.
void calcularPandeo(const estadoAnalisis& e);

// ---- etapaCasos.cpp ----

// Los casos de resultados de las combinaciones (resultados.casos):
// desplazamientos y reacciones de cada nudo, solicitaciones de cada barra (de
// segundo orden en las combinaciones que lo son), sus barras inactivas, sus
// diafragmas y sus escalas.
void llenarCasos(const estadoAnalisis& e);

// Avisa de cada combinación en que un nudo se desplaza más de 1/50 del tamaño
// del modelo. Lee resultados.casos.
void revisarDesplazamientos(double tamano);

// Guarda en los resultados el sistema como lo escribe el reporte: la rigidez
// de todas las barras y las cargas en los nudos (las mueve desde e).
void guardarSistema(estadoAnalisis& e);

// ---- equilibrio.cpp (equilibrio.h) ----
// calcularEquilibrio: las resultantes de cargas y reacciones de cada
// combinación y su error relativo, en cada caso.
