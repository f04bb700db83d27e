#include "reporte/consolaLotes.h"

#include <cstdio>
#include <iostream>

#include "globales.h"
#include "reporte/equilibrio.h"

std::string lineaReacciones(const objNudo3d& n, int c) {
    const Eigen::Matrix<double, 6, 1> r = n.getReaccionesDeApoyo(c);
    std::string linea = "nudo " + std::to_string(n.getNoNudoUsuario()) + ":";
    for (int i = 0; i < 6; ++i) {
        char texto[64];
        std::snprintf(texto, sizeof texto, " %.6e", r(i));
        linea += texto;
    }
    return linea;
}

void imprimirReacciones() {
    for (int c = 0; c < noCombos; ++c) {
        const std::string& nombre = nombresCombos[static_cast<size_t>(c)];
        std::cout << "Reacciones del combo " << nombre << "\n";
        for (const objNudo3d& n : nudo)
            if (n.tieneAlgunaReaccion()) std::cout << lineaReacciones(n, c) << "\n";
        char error[32];
        std::snprintf(error, sizeof error, "%.1e", errorEquilibrio(c));
        std::cout << "Equilibrio del combo " << nombre << ": error relativo " << error << "\n";
    }
    std::cout.flush();
}
