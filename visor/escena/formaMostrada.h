// La forma que se dibuja sobre el modelo en lugar de la deformada: la de un
// modo de vibración, que oscila (animacionModal.h), o una forma de pandeo,
// quieta (formaPandeo.h). Hay a lo sumo una: mostrar una quita la otra.
#pragma once

enum class ClaseForma { ninguna, modoVibracion, pandeo };

struct FormaMostrada {
    ClaseForma clase = ClaseForma::ninguna;
    int numero = 0;  // 1 la más baja de su clase; 0 con ninguna
};

FormaMostrada formaMostrada();
// Muestra la forma `numero` de esa clase en lugar de la que hubiera; un
// número menor que 1 deja de mostrar la de esa clase (la de la otra queda).
void mostrarForma(ClaseForma clase, int numero);
