// Casos de resultados que salen de otros: los casos sísmicos por espectro de
// respuesta (de los modos de vibración), las combinaciones que incluyen un
// caso sísmico y las envolventes de combinaciones.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <functional>
#include <vector>

#include "analisis/operadorRigidez.h"

// Agrega a resultados.casos, después de las combinaciones, un caso por
// sismo y uno por envolvente, y vuelve de dos valores las combinaciones que
// nombran un sismo. Para cada modo la respuesta es Γ·Sa(T)/ω² por la forma
// modal; desplazamientos, reacciones, fuerzas de extremo y solicitaciones se
// combinan sobre los modos (CQC o SRSS). Falso, con un error en la lista de
// mensajes, si un sismo no tiene modos con que calcularse. Con la rigidez
// geométrica de los modos, las fuerzas de cada modo en los nudos y en los
// extremos de las barras son (K + Kg)·φ: en los nudos, las de su inercia.
// La rigidez geométrica con que se calcularon los modos (segundoOrdenModal:):
// el axial de cada barra (en el orden interno) y Kg completa (6 por nudo).
// Vacía si los modos son los de la rigidez elástica.
// Desplazamientos (6 filas por nudo, una columna por estado) de momentos
// alrededor de Z en los diafragmas (una fila por diafragma, en el orden de
// sus registros), con la rigidez de los modos.
using resolverEstatico = std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)>;

struct geometricaModal {
    std::vector<double> axiales;
    Eigen::SparseMatrix<double> global;
};
//
// Con torsionAccidental:, resolver da los desplazamientos de momentos de piso
// con la rigidez de los modos: en cada sismo en X o en Y la respuesta a los
// momentos de torsión de sus pisos (un estado por caso), y su valor absoluto se suma a cada magnitud del caso (nudos,
// reacciones, barras y diafragmas; los pisos no cambian: los pares no tienen
// resultante horizontal).
bool calcularCasosDerivados(const operadorRigidez& operador, double tamanoModelo,
                            const geometricaModal& geometrica = geometricaModal(),
                            const resolverEstatico& resolver = resolverEstatico());

// Si el modelo pide la torsión accidental y tiene algún sismo en X o en Y que
// la reciba (y diafragmas).
bool torsionAccidentalPedida();
