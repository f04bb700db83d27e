// Modificadores de rigidez de la barra (una sección fisurada).
#include "modelo/objBarra3d.h"

void objBarra3d::setModificadorRigidez(double fa, double fiy, double fiz, double fj) {
    // Los factores se aplican siempre a la sección bruta: un segundo registro
    // para la misma barra reemplaza al primero, no lo multiplica.
    if (!conModificador) {
        seccionBruta[0] = area, seccionBruta[1] = iy, seccionBruta[2] = iz, seccionBruta[3] = modJ;
        conModificador = true;
    }
    modificador[0] = fa, modificador[1] = fiy, modificador[2] = fiz, modificador[3] = fj;
    area = seccionBruta[0] * fa;
    iy = seccionBruta[1] * fiy;
    iz = seccionBruta[2] * fiz;
    modJ = seccionBruta[3] * fj;
}
