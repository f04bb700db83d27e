// Análisis modal: frecuencias naturales, formas modales y masas efectivas de
// K·φ = ω²·M·φ en los grados de libertad libres, con el factor de Cholesky de
// la rigidez que el análisis estático ya calculó.
#pragma once

#include <functional>

#include "analisis/numeracionLibre.h"
#include "analisis/solucionDispersa.h"

// Llena resultados.modos con los modosPedidos modos más bajos: los mayores
// autovalores de L⁻¹·M·L⁻ᵀ, que son 1/ω² de los modos más bajos. Con pocos
// libres, descomposición densa; con cientos de modos pedidos (la base de los
// bloques sería al menos un cuarto de los libres), el problema generalizado
// denso con LAPACK; si no, Lanczos por bloques (ver
// lanczosBloque.h) y, si éste no converge o hay modos sin masa entre los
// pedidos, Lanczos de un vector con reinicio implícito (Spectra). Avisa de los
// modos sin masa, que se omiten, y de los que faltan cuando hay menos que los
// pedidos.
void calcularModos(const solucionDispersa& factor, const numeracionLibre& numeracion);

// Los términos de la matriz de masa completa (6 grados de libertad por nudo,
// en ejes globales), los mismos de los modos: las barras (masa propia,
// adicional y de sus cargas) y las masas concentradas de los nudos.
// sumar(fila, columna, valor), un término a la vez (puede repetir posiciones).
void recorrerMasa(const std::function<void(Eigen::Index, Eigen::Index, double)>& sumar);

// Las pruebas comparan los bloques con el Lanczos de un vector.
struct ajustesAnalisisModal {
    bool soloUnVector = false;
};
ajustesAnalisisModal& ajustesModales();

// Cómo se calcularon los modos del último análisis.
enum class metodoModal { ninguno, densa, densaGeneralizada, bloques, lanczos };
struct informeModal {
    metodoModal metodo = metodoModal::ninguno;
    int pasadasBloques = 0;      // aplicaciones del operador por bloques (también si no convergió)
    int operacionesLanczos = 0;  // aplicaciones del operador del Lanczos de un vector
};
informeModal& ultimoInformeModal();
