#include "analisis/ordenNudos.h"

#include <algorithm>
#include <cholmod.h>
#include <metis.h>
#include <numeric>

namespace {

// Operaciones previstas de la factorización desde las que vale la pena probar
// un segundo orden: del orden de un quinto de segundo de factorización, para
// la que un ordenamiento más cuesta unos pocos por ciento de ella y el mejor
// de dos ahorra en promedio bastante más (la disección de METIS depende de su
// semilla: en un edificio de 20 x 20 x 20 vanos las operaciones van de 3,6e10
// a 5,7e10 según la semilla).
constexpr double kOperacionesParaSegundoOrden = 1e10;
// Semilla del segundo orden (el primero es el de las opciones por omisión).
constexpr idx_t kSemillaSegundoOrden = 1;

struct grafoNudos {
    idx_t n = 0;
    std::vector<idx_t> xadj, adyacentes;
};

grafoNudos armarGrafo(int n, const std::vector<std::pair<int, int>>& conexiones) {
    std::vector<std::vector<idx_t>> vecinos(static_cast<size_t>(n));
    for (const auto& c : conexiones)
        if (c.first != c.second && c.first >= 0 && c.second >= 0 && c.first < n && c.second < n) {
            vecinos[static_cast<size_t>(c.first)].push_back(c.second);
            vecinos[static_cast<size_t>(c.second)].push_back(c.first);
        }
    grafoNudos g;
    g.n = n;
    g.xadj.assign(static_cast<size_t>(n) + 1, 0);
    for (int i = 0; i < n; ++i) {
        auto& v = vecinos[static_cast<size_t>(i)];
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        g.adyacentes.insert(g.adyacentes.end(), v.begin(), v.end());
        g.xadj[static_cast<size_t>(i) + 1] = static_cast<idx_t>(g.adyacentes.size());
    }
    return g;
}

// Disección anidada de METIS con la semilla dada (-1: la de omisión); vacío si
// METIS no puede.
std::vector<idx_t> diseccion(const grafoNudos& g, idx_t semilla) {
    idx_t nv = g.n;
    std::vector<idx_t> perm(static_cast<size_t>(g.n)), iperm(static_cast<size_t>(g.n));
    idx_t opciones[METIS_NOPTIONS];
    METIS_SetDefaultOptions(opciones);
    // Cuatro separadores por nivel en vez de uno: en edificios aporticados da
    // del orden de 8 % menos de relleno en el factor a cambio de unos
    // centisegundos más de ordenamiento.
    opciones[METIS_OPTION_NSEPS] = 4;
    opciones[METIS_OPTION_SEED] = semilla;
    if (METIS_NodeND(&nv, const_cast<idx_t*>(g.xadj.data()), const_cast<idx_t*>(g.adyacentes.data()), nullptr,
                     opciones, perm.data(), iperm.data()) != METIS_OK)
        return {};
    return perm;
}

// Operaciones previstas de la factorización de los grados de libertad con el
// orden de nudos dado: el análisis simbólico del grafo de los nudos con algún
// grado de libertad libre (seis veces más chico que el de los grados de
// libertad) da cuántos nudos tiene cada columna del factor por nudos; cada uno
// de los libres[j] grados de libertad del nudo j tiene entonces los suyos de
// más abajo en el nudo más seis por nudo de la columna, y una columna de c
// términos cuesta c² operaciones, como las cuenta CHOLMOD. Es exacta cuando
// cada nudo tiene sus seis grados libres o ninguno; un nudo con apoyos
// parciales o que sigue a un diafragma cuenta en las columnas de los demás
// como libre del todo, lo que basta para comparar dos órdenes.
double operacionesPrevistas(const grafoNudos& g, const std::vector<idx_t>& orden, const std::vector<int>& libres) {
    // Los nudos que cuentan, en el orden dado, y el lugar de cada uno.
    std::vector<int> lugar(static_cast<size_t>(g.n), -1), nudos;
    for (idx_t nudo : orden)
        if (libres[static_cast<size_t>(nudo)] > 0) {
            lugar[static_cast<size_t>(nudo)] = static_cast<int>(nudos.size());
            nudos.push_back(static_cast<int>(nudo));
        }
    if (nudos.empty()) return 0;
    cholmod_common comun;
    cholmod_start(&comun);
    comun.print = 0;
    comun.error_handler = nullptr;
    double total = -1;
    const size_t m = nudos.size();
    cholmod_sparse* patron =
        cholmod_allocate_sparse(m, m, g.adyacentes.size() + m, 0, 1, -1, CHOLMOD_PATTERN, &comun);
    if (patron != nullptr) {
        // Triángulo inferior con la diagonal, por columnas, ya en el orden dado.
        int* p = static_cast<int*>(patron->p);
        int* i = static_cast<int*>(patron->i);
        int k = 0;
        for (size_t j = 0; j < m; ++j) {
            p[j] = k;
            i[k++] = static_cast<int>(j);
            const size_t nudo = static_cast<size_t>(nudos[j]);
            for (idx_t e = g.xadj[nudo]; e < g.xadj[nudo + 1]; ++e) {
                const int otro = lugar[static_cast<size_t>(g.adyacentes[static_cast<size_t>(e)])];
                if (otro > static_cast<int>(j)) i[k++] = otro;
            }
        }
        p[m] = k;
        comun.nmethods = 1;
        comun.method[0].ordering = CHOLMOD_NATURAL;
        comun.postorder = 0;
        comun.supernodal = CHOLMOD_SIMPLICIAL;
        cholmod_factor* f = cholmod_analyze(patron, &comun);
        if (f != nullptr) {
            const int* cuenta = static_cast<const int*>(f->ColCount);
            total = 0;
            for (size_t j = 0; j < m; ++j) {
                const double debajo = 6.0 * (cuenta[j] - 1);
                for (int d = libres[static_cast<size_t>(nudos[j])]; d > 0; --d) total += (debajo + d) * (debajo + d);
            }
            cholmod_free_factor(&f, &comun);
        }
        cholmod_free_sparse(&patron, &comun);
    }
    cholmod_finish(&comun);
    return total;
}

}  // namespace

double operacionesPrevistas(int noNudosModelo, const std::vector<std::pair<int, int>>& conexiones,
                            const std::vector<int>& libresPorNudo, const std::vector<int>& ordenNudos) {
    const grafoNudos g = armarGrafo(noNudosModelo, conexiones);
    return operacionesPrevistas(g, std::vector<idx_t>(ordenNudos.begin(), ordenNudos.end()), libresPorNudo);
}

// Orden de los nudos por disección anidada; el orden natural si METIS no puede.
// Si la factorización es grande, el mejor de dos órdenes por sus operaciones
// previstas.
std::vector<int> ordenarNudos(int n, const std::vector<std::pair<int, int>>& conexiones,
                              const std::vector<int>& libres) {
    std::vector<int> orden(static_cast<size_t>(n));
    std::iota(orden.begin(), orden.end(), 0);
    if (n < 3) return orden;
    const grafoNudos g = armarGrafo(n, conexiones);
    if (g.adyacentes.empty()) return orden;
    std::vector<idx_t> elegido = diseccion(g, -1);
    if (elegido.empty()) return orden;
    const double operaciones = operacionesPrevistas(g, elegido, libres);
    if (operaciones >= kOperacionesParaSegundoOrden) {
        std::vector<idx_t> otro = diseccion(g, kSemillaSegundoOrden);
        const double otras = otro.empty() ? -1 : operacionesPrevistas(g, otro, libres);
        if (otras >= 0 && otras < operaciones) elegido = std::move(otro);
    }
    for (int i = 0; i < n; ++i) orden[static_cast<size_t>(i)] = static_cast<int>(elegido[static_cast<size_t>(i)]);
    return orden;
}

std::vector<int> ordenarGradosLibres(int noNudosModelo, const std::vector<std::pair<int, int>>& conexiones,
                                     const std::vector<int>& posicionLibre, int noLibres) {
    // Grados de libertad libres de cada nudo (los de un diafragma no cuentan:
    // son de su maestro).
    std::vector<int> libres(static_cast<size_t>(std::max(noNudosModelo, 0)), 0);
    for (int nodo = 0; nodo < noNudosModelo; ++nodo)
        for (int g = 0; g < 6; ++g) {
            const size_t k = static_cast<size_t>(6 * nodo + g);
            if (k < posicionLibre.size() && posicionLibre[k] >= 0 && posicionLibre[k] < noLibres)
                ++libres[static_cast<size_t>(nodo)];
        }
    std::vector<int> nuevaPosicion(static_cast<size_t>(noLibres), -1);
    int siguiente = 0;
    for (int nodo : ordenarNudos(noNudosModelo, conexiones, libres))
        for (int g = 0; g < 6; ++g) {
            const int p = posicionLibre[static_cast<size_t>(6 * nodo + g)];
            if (p >= 0) nuevaPosicion[static_cast<size_t>(p)] = siguiente++;
        }
    return nuevaPosicion;
}
