// Análisis modal: frecuencias naturales, formas modales y masas efectivas de
// K·φ = ω²·M·φ en los grados de libertad libres, con el factor de Cholesky de
// la rigidez que el análisis estático ya calculó.
#pragma once

#include "analisis/numeracionLibre.h"
#include "analisis/solucionDispersa.h"

// Llena resultados.modos con los modosPedidos modos más bajos (Lanczos con
// reinicio implícito sobre L⁻¹·M·L⁻ᵀ, cuyos mayores autovalores son 1/ω² de los
// modos más bajos). Avisa de los modos sin masa, que se omiten, y de los que
// faltan cuando hay menos que los pedidos.
void calcularModos(const solucionDispersa& factor, const numeracionLibre& numeracion);
