#include "analisis/ordenNudos.h"

#include <algorithm>
#include <cholmod.h>
#include <cmath>
#include <metis.h>
#include <numeric>

namespace {

// Desde cuántos nudos se prueban varios órdenes: en un edificio grande la
// factorización cuesta más de medio segundo y las elecciones al azar de METIS
// mueven sus operaciones en un tercio (en el de 20 x 20 x 20 vanos, entre
// 3.6e10 y 5.7e10 según la semilla); en un modelo chico no paga la prueba.
constexpr int kNudosParaElegirOrden = 4000;
// Órdenes que se prueban: el de la semilla por omisión y los de tres más.
// Cada prueba cuesta una disección (unos 60 ms en ese edificio); más pruebas
// ya ahorran menos de lo que cuestan.
constexpr int kOrdenesProbados = 4;

// Disección anidada de METIS con una semilla (-1: la de omisión). Vacío si no puede.
std::vector<idx_t> diseccionAnidada(idx_t n, std::vector<idx_t>& xadj, std::vector<idx_t>& adjncy, int semilla) {
    std::vector<idx_t> perm(static_cast<size_t>(n)), iperm(static_cast<size_t>(n));
    idx_t opciones[METIS_NOPTIONS];
    METIS_SetDefaultOptions(opciones);
    // Cuatro separadores por nivel en vez de uno: en edificios aporticados da
    // del orden de 8 % menos de relleno en el factor a cambio de unos
    // centisegundos más de ordenamiento.
    opciones[METIS_OPTION_NSEPS] = 4;
    opciones[METIS_OPTION_SEED] = semilla;
    idx_t nv = n;
    if (METIS_NodeND(&nv, xadj.data(), adjncy.data(), nullptr, opciones, perm.data(), iperm.data()) != METIS_OK)
        return {};
    return perm;
}

// Operaciones de la factorización de Cholesky del grafo de nudos en el orden
// dado, según el análisis simbólico de CHOLMOD. Las del factor de los grados
// de libertad son unas 6³ veces éstas: sirven para comparar órdenes sin armar
// la matriz completa. Infinito si CHOLMOD no puede.
double operacionesDelOrden(cholmod_sparse* patron, std::vector<idx_t>& perm, cholmod_common& comun) {
    if (perm.empty()) return INFINITY;
    std::vector<int> p(perm.begin(), perm.end());
    cholmod_factor* l = cholmod_analyze_p(patron, p.data(), nullptr, 0, &comun);
    if (l == nullptr) return INFINITY;
    const double operaciones = comun.fl;
    cholmod_free_factor(&l, &comun);
    return operaciones >= 0 ? operaciones : INFINITY;
}

// Entre la semilla por omisión de METIS y otras, el orden de menos
// operaciones (empates: la primera semilla). Uno tras otro: el generador de
// números al azar de METIS es uno para todo el proceso, y dos disecciones a la
// vez en dos hilos no darían siempre el mismo orden.
std::vector<idx_t> mejorOrden(idx_t n, const std::vector<idx_t>& xadj, const std::vector<idx_t>& adjncy) {
    std::vector<std::vector<idx_t>> perms(kOrdenesProbados);
    std::vector<double> operaciones(kOrdenesProbados, INFINITY);
    {
        cholmod_common comun;
        cholmod_start(&comun);
        comun.print = 0;
        comun.error_handler = nullptr;
        comun.nmethods = 1;
        comun.method[0].ordering = CHOLMOD_GIVEN;
        comun.postorder = 1;
        comun.supernodal = CHOLMOD_SIMPLICIAL;
        // Patrón simétrico del grafo (triángulo inferior con la diagonal).
        cholmod_sparse* patron = cholmod_allocate_sparse(static_cast<size_t>(n), static_cast<size_t>(n),
                                                         static_cast<size_t>(xadj[static_cast<size_t>(n)] / 2 + n), 1,
                                                         1, -1, CHOLMOD_PATTERN, &comun);
        if (patron != nullptr) {
            int* pp = static_cast<int*>(patron->p);
            int* pi = static_cast<int*>(patron->i);
            int k = 0;
            for (idx_t j = 0; j < n; ++j) {
                pp[j] = k;
                pi[k++] = static_cast<int>(j);
                for (idx_t e = xadj[static_cast<size_t>(j)]; e < xadj[static_cast<size_t>(j) + 1]; ++e)
                    if (adjncy[static_cast<size_t>(e)] > j) pi[k++] = static_cast<int>(adjncy[static_cast<size_t>(e)]);
            }
            pp[n] = k;
            std::vector<idx_t> x = xadj, a = adjncy;  // METIS no promete dejarlos intactos
            for (int i = 0; i < kOrdenesProbados; ++i) {
                perms[static_cast<size_t>(i)] = diseccionAnidada(n, x, a, i == 0 ? -1 : i);
                operaciones[static_cast<size_t>(i)] = operacionesDelOrden(patron, perms[static_cast<size_t>(i)], comun);
            }
            cholmod_free_sparse(&patron, &comun);
        }
        cholmod_finish(&comun);
    }
    const size_t mejor = static_cast<size_t>(std::min_element(operaciones.begin(), operaciones.end()) - operaciones.begin());
    if (!std::isfinite(operaciones[mejor])) return {};
    return perms[mejor];
}

// Orden de los nudos por disección anidada; el orden natural si METIS no puede.
std::vector<int> ordenDeNudos(int n, const std::vector<std::pair<int, int>>& conexiones) {
    std::vector<int> orden(static_cast<size_t>(n));
    std::iota(orden.begin(), orden.end(), 0);
    if (n < 3) return orden;
    std::vector<std::vector<idx_t>> vecinos(static_cast<size_t>(n));
    for (const auto& c : conexiones)
        if (c.first != c.second && c.first >= 0 && c.second >= 0 && c.first < n && c.second < n) {
            vecinos[static_cast<size_t>(c.first)].push_back(c.second);
            vecinos[static_cast<size_t>(c.second)].push_back(c.first);
        }
    std::vector<idx_t> xadj(static_cast<size_t>(n) + 1, 0), adjncy;
    for (int i = 0; i < n; ++i) {
        auto& v = vecinos[static_cast<size_t>(i)];
        std::sort(v.begin(), v.end());
        v.erase(std::unique(v.begin(), v.end()), v.end());
        adjncy.insert(adjncy.end(), v.begin(), v.end());
        xadj[static_cast<size_t>(i) + 1] = static_cast<idx_t>(adjncy.size());
    }
    if (adjncy.empty()) return orden;
    const std::vector<idx_t> perm =
        n >= kNudosParaElegirOrden ? mejorOrden(n, xadj, adjncy) : diseccionAnidada(n, xadj, adjncy, -1);
    if (perm.size() != static_cast<size_t>(n)) return orden;
    for (int i = 0; i < n; ++i) orden[static_cast<size_t>(i)] = perm[static_cast<size_t>(i)];
    return orden;
}
}  // namespace

std::vector<int> ordenarGradosLibres(int noNudosModelo, const std::vector<std::pair<int, int>>& conexiones,
                                     const std::vector<int>& posicionLibre, int noLibres) {
    std::vector<int> nuevaPosicion(static_cast<size_t>(noLibres), -1);
    int siguiente = 0;
    for (int nodo : ordenDeNudos(noNudosModelo, conexiones))
        for (int g = 0; g < 6; ++g) {
            const int p = posicionLibre[static_cast<size_t>(6 * nodo + g)];
            if (p >= 0) nuevaPosicion[static_cast<size_t>(p)] = siguiente++;
        }
    return nuevaPosicion;
}
