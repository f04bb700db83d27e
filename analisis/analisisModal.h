// Análisis modal: frecuencias naturales, formas modales y masas efectivas de
// K·φ = ω²·M·φ en los grados de libertad libres, con el factor de Cholesky de
// la rigidez que el análisis estático ya calculó.
#pragma once

#include "analisis/numeracionLibre.h"
#include "analisis/solucionDispersa.h"

// Llena resultados.modos con los modosPedidos modos más bajos: los mayores
// autovalores de L⁻¹·M·L⁻ᵀ, que son 1/ω² de los modos más bajos. Con pocos
// libres, descomposición densa; en un modelo grande, Lanczos por bloques (ver
// lanczosBloque.h); si no, o si éste no converge, Lanczos con reinicio
// implícito (Spectra). Avisa de los modos sin masa, que se omiten, y de los que
// faltan cuando hay menos que los pedidos.
void calcularModos(const solucionDispersa& factor, const numeracionLibre& numeracion);

// Desde cuántos libres se usa el Lanczos por bloques. Por debajo, el Lanczos de
// un vector tarda milisegundos y sus resultados son los de siempre; las
// pruebas bajan el umbral para comparar los dos caminos en modelos chicos.
struct ajustesAnalisisModal {
    long libresBloques = 3000;
};
ajustesAnalisisModal& ajustesModales();

// Cómo se calcularon los modos del último análisis.
enum class metodoModal { ninguno, densa, bloques, lanczos };
struct informeModal {
    metodoModal metodo = metodoModal::ninguno;
    int pasadasBloques = 0;      // aplicaciones del operador por bloques (también si no convergió)
    int operacionesLanczos = 0;  // aplicaciones del operador del Lanczos de un vector
};
informeModal& ultimoInformeModal();
