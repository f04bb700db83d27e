#include "reporte/bloqueModal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <vector>

#include "globales.h"

void escribirBloqueModal(salidaTexto& os) {
    if (resultados.modos.empty()) return;
    os << "\n\n\n" << "************ANÁLISIS MODAL***************" << "\n";
    if (!resultados.comboModosGeometricos.empty()) os << lineaModosGeometricos() << "\n";
    os << "modo | periodo (s) | frecuencia (Hz) | omega (rad/s) | factor de participación X Y Z | "
          "masa efectiva X Y Z (%) | masa acumulada X Y Z (%)"
       << "\n";
    Eigen::MatrixXd tabla(static_cast<Eigen::Index>(resultados.modos.size()), 13);
    for (size_t k = 0; k < resultados.modos.size(); ++k) {
        const modoVibracion& m = resultados.modos[k];
        tabla.row(static_cast<Eigen::Index>(k)) << static_cast<double>(k + 1), m.periodo, m.frecuencia, m.omega,
            m.participacion.transpose(), 100 * m.masaEfectiva.transpose(), 100 * m.masaAcumulada.transpose();
    }
    os << tabla << "\n";
    os << "formas modales (una columna por modo, la mayor traslación vale 1):" << "\n";
    Eigen::MatrixXd formas(resultados.modos[0].forma.size(), static_cast<Eigen::Index>(resultados.modos.size()));
    for (size_t k = 0; k < resultados.modos.size(); ++k) formas.col(static_cast<Eigen::Index>(k)) = resultados.modos[k].forma;
    os << formas << "\n";
}

std::string lineaModosGeometricos() {
    return "Modos con la rigidez geométrica del combo " + resultados.comboModosGeometricos + " (P-Δ)";
}

std::string lineaMasas() {
    const Eigen::Vector3d& libre = resultados.masaLibre;
    char texto[200];
    if (libre(0) == libre(1) && libre(1) == libre(2))
        std::snprintf(texto, sizeof texto, "Masa total: %.6e en cada dirección; masa libre: %.6e", resultados.masaTotal,
                      libre(0));
    else
        std::snprintf(texto, sizeof texto, "Masa total: %.6e en cada dirección; masa libre: X %.6e, Y %.6e, Z %.6e",
                      resultados.masaTotal, libre(0), libre(1), libre(2));
    return texto;
}

std::string lineaModo(int k) {
    const modoVibracion& m = resultados.modos[static_cast<size_t>(k)];
    char texto[200];
    std::snprintf(texto, sizeof texto, "Modo %d: T = %.6e s, f = %.6e Hz, masa efectiva X %.2f %%, Y %.2f %%, Z %.2f %%",
                  k + 1, m.periodo, m.frecuencia, 100 * m.masaEfectiva(0), 100 * m.masaEfectiva(1),
                  100 * m.masaEfectiva(2));
    return texto;
}

void imprimirModos() {
    if (!resultados.comboModosGeometricos.empty()) std::cout << lineaModosGeometricos() << "\n";
    if (!resultados.modos.empty()) std::cout << lineaMasas() << "\n";
    for (size_t k = 0; k < resultados.modos.size(); ++k) std::cout << lineaModo(static_cast<int>(k)) << "\n";
    std::cout.flush();
}
