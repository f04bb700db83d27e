#include "arranque.h"

#include <cstdio>
#include <iostream>

#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "reporte/funcionPrint.h"

void imprimirReacciones() {
    for (int c = 0; c < noCombos; ++c) {
        std::cout << "Reacciones del combo " << nombresCombos[static_cast<size_t>(c)] << "\n";
        for (const objNudo3d& n : nudo) {
            const Eigen::VectorXi a = n.getVectorApoyo();
            if ((a.array() != 0).count() == 0) continue;
            const double r[6] = {n.getReaccionRx(c), n.getReaccionRy(c), n.getReaccionRz(c),
                                 n.getReaccionMx(c), n.getReaccionMy(c), n.getReaccionMz(c)};
            std::cout << "nudo " << n.getNoNudoUsuario() << ":";
            for (int i = 0; i < 6; ++i) {
                // En un grado de libertad libre el valor es sólo el residuo de la solución.
                char texto[64];
                std::snprintf(texto, sizeof texto, " %.6e", a(i) != 0 ? r[i] : 0.0);
                std::cout << texto;
            }
            std::cout << "\n";
        }
    }
    std::cout.flush();
}

int funcionCalcularLotes(const std::string& archivo) {
    nombreArchivo = archivo;
    funcionLeerArchivo();
    if (!archivoDatosAbierto) return 1;
    if (!funcionSolve()) return 1;
    if (!funcionPrint()) return 1;
    imprimirReacciones();
    return 0;
}
