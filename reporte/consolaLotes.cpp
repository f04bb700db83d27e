#include "reporte/consolaLotes.h"

#include <cstdio>
#include <iostream>

#include "globales.h"
#include "reporte/equilibrio.h"

std::string lineaReacciones(const objNudo3d& n, int c) {
    const Eigen::VectorXi apoyo = n.getVectorApoyo();
    const double r[6] = {n.getReaccionRx(c), n.getReaccionRy(c), n.getReaccionRz(c),
                         n.getReaccionMx(c), n.getReaccionMy(c), n.getReaccionMz(c)};
    std::string linea = "nudo " + std::to_string(n.getNoNudoUsuario()) + ":";
    for (int i = 0; i < 6; ++i) {
        char texto[64];
        std::snprintf(texto, sizeof texto, " %.6e", apoyo(i) != 0 ? r[i] : 0.0);
        linea += texto;
    }
    return linea;
}

void imprimirReacciones() {
    for (int c = 0; c < noCombos; ++c) {
        const std::string& nombre = nombresCombos[static_cast<size_t>(c)];
        std::cout << "Reacciones del combo " << nombre << "\n";
        for (const objNudo3d& n : nudo)
            if ((n.getVectorApoyo().array() != 0).any()) std::cout << lineaReacciones(n, c) << "\n";
        char error[32];
        std::snprintf(error, sizeof error, "%.1e", errorEquilibrio(c));
        std::cout << "Equilibrio del combo " << nombre << ": error relativo " << error << "\n";
    }
    std::cout.flush();
}
