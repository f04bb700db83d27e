#include "rendimiento/generadorEdificio.h"

#include <sstream>
#include <vector>

std::string generarEdificio(int nx, int ny, int nz, bool conDiafragmas) {
    std::ostringstream s;
    auto numero = [&](int i, int j, int k) { return k * (nx + 1) * (ny + 1) + j * (nx + 1) + i + 1; };
    s << "Edificio generado " << nx << " x " << ny << " vanos, " << nz << " pisos\nnudos:\n";
    for (int k = 0; k <= nz; ++k)
        for (int j = 0; j <= ny; ++j)
            for (int i = 0; i <= nx; ++i)
                s << numero(i, j, k) << " " << 5.0 * i << " " << 5.0 * j << " " << 3.0 * k << "\n";

    std::vector<int> columnas, vigas;
    std::ostringstream tabla;
    int n = 0;
    for (int k = 0; k < nz; ++k)
        for (int j = 0; j <= ny; ++j)
            for (int i = 0; i <= nx; ++i) {
                tabla << ++n << " " << numero(i, j, k) << " " << numero(i, j, k + 1) << "\n";
                columnas.push_back(n);
            }
    for (int k = 1; k <= nz; ++k)
        for (int j = 0; j <= ny; ++j)
            for (int i = 0; i <= nx; ++i) {
                if (i < nx) {
                    tabla << ++n << " " << numero(i, j, k) << " " << numero(i + 1, j, k) << "\n";
                    vigas.push_back(n);
                }
                if (j < ny) {
                    tabla << ++n << " " << numero(i, j, k) << " " << numero(i, j + 1, k) << "\n";
                    vigas.push_back(n);
                }
            }
    s << "barras:\n" << tabla.str();

    auto lista = [&](const std::vector<int>& v) {
        for (int b : v) s << " " << b;
        s << "\n";
    };
    s << "apoyo: 1 1 1 1 1 1";
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i) s << " " << numero(i, j, 0);
    s << "\nseccionRectangular: C50x50 0.5 0.5 25e6 0.2 24";
    lista(columnas);
    s << "seccionRectangular: V30x60 0.3 0.6 25e6 0.2 24";
    lista(vigas);
    s << "distribuidaGlobal: CM 10 10 0 0 -1";
    lista(vigas);
    s << "puntual: SX 10 0 0 0 0 0";
    for (int k = 1; k <= nz; ++k)
        for (int j = 0; j <= ny; ++j) s << " " << numero(0, j, k);
    s << "\npesoPropio: PP\n";
    s << "combo: U1 1.2 PP 1.2 CM\n";
    s << "combo: U2 1.2 PP 1.0 CM 1.0 SX\n";
    s << "combo: U3 0.9 PP 1.0 SX\n";
    for (int k = 1; k <= nz && conDiafragmas; ++k) {
        s << "diafragma:";
        for (int j = 0; j <= ny; ++j)
            for (int i = 0; i <= nx; ++i) s << " " << numero(i, j, k);
        s << "\n";
    }
    return s.str();
}
