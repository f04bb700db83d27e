// Casos de resultados que salen de otros: los casos sísmicos por espectro de
// respuesta (de los modos de vibración), las combinaciones que incluyen un
// caso sísmico y las envolventes de combinaciones.
#pragma once

#include <Eigen/Sparse>
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
struct geometricaModal {
    std::vector<double> axiales;
    Eigen::SparseMatrix<double> global;
};
bool calcularCasosDerivados(const operadorRigidez& operador, double tamanoModelo,
                            const geometricaModal& geometrica = geometricaModal());
