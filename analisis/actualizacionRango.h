// Solución de la rigidez sin unas pocas barras con el factor de la rigidez de
// todas: K' = K − U·Uᵀ, con U·Uᵀ la rigidez de las barras que se quitan
// (de rango seis a lo sumo por barra), y
//   K'⁻¹ = K⁻¹ + W·C⁻¹·Wᵀ,   W = K⁻¹·U,   C = I − Uᵀ·W
// (Sherman-Morrison-Woodbury). Cuesta una solución con el factor por columna
// de U en vez de armar y factorizar K' entera; con muchas barras quitadas
// conviene factorizar de nuevo. C es definida positiva si y sólo si K' lo es:
// un autovalor de C cercano a cero es un mecanismo (o casi), que se deja a la
// factorización nueva y su búsqueda de mecanismos.
#pragma once

#include <Eigen/Dense>
#include <vector>

#include "analisis/numeracionLibre.h"
#include "analisis/solucionDispersa.h"

// Columnas de U desde las cuales se factoriza de nuevo en vez de corregir.
inline constexpr Eigen::Index kRangoActualizacion = 96;

class inversaActualizada {
public:
    // Prepara la corrección para quitar las barras `quitadas` (números
    // internos) de la rigidez factorizada en factor (libres en el orden de
    // eliminación de num). Falso si el rango pasa de kRangoActualizacion o si
    // C no es definida positiva con margen.
    bool preparar(const solucionDispersa& factor, const numeracionLibre& num, const std::vector<int>& quitadas);
    // K'⁻¹·b (libres en el orden de eliminación, variables físicas).
    Eigen::MatrixXd resolver(const Eigen::MatrixXd& b) const;
    Eigen::Index rango() const { return w.cols(); }

private:
    const solucionDispersa* factor = nullptr;
    Eigen::MatrixXd w;  // K⁻¹·U
    Eigen::LLT<Eigen::MatrixXd> capacidad;
};
