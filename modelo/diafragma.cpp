#include "modelo/diafragma.h"

#include <algorithm>
#include <numeric>

std::vector<diafragma> diafragmas;

std::vector<int> diafragmasPorAltura() {
    std::vector<int> orden(diafragmas.size());
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [](int a, int b) {
        return diafragmas[static_cast<size_t>(a)].z < diafragmas[static_cast<size_t>(b)].z;
    });
    return orden;
}
