#include "visor/escena/formaMostrada.h"

namespace {
FormaMostrada forma;
}  // namespace

FormaMostrada formaMostrada() { return forma; }

void mostrarForma(ClaseForma clase, int numero) {
    if (clase != ClaseForma::ninguna && numero > 0)
        forma = {clase, numero};
    else if (clase == forma.clase || clase == ClaseForma::ninguna)
        forma = FormaMostrada();
}
