#include "visor/escena/animacionModal.h"

#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "globales.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaMostrada.h"
#include "visor/escena/ventanaSistema.h"

namespace {

std::chrono::steady_clock::time_point inicio;

}  // namespace

int modoAnimado() {
    const FormaMostrada f = formaMostrada();
    return f.clase == ClaseForma::modoVibracion ? f.numero : 0;
}

void animarModo(int k) {
    const bool antes = modoAnimado() > 0;
    // Un modo reemplaza a la forma de pandeo que se mostrara.
    mostrarForma(ClaseForma::modoVibracion, k);
    inicio = std::chrono::steady_clock::now();
    // El redibujo continuo se pide una sola vez por animación y se suelta al terminarla.
    const bool ahora = modoAnimado() > 0;
    if (antes != ahora) ventanaSistema::redibujoContinuo(ahora);
}

double faseModo() {
    if (modoAnimado() == 0) return 0.0;
    const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    return std::sin(2.0 * PI * t);
}

double escalaModo() { return escalaDef * diagonal / 1000.0; }

bool hayModosCalculados() {
    if (!flagActivo(kFlagCalculado) || !resultados.disponibles || resultados.modos.empty()) return false;
    for (const modoVibracion& m : resultados.modos)
        if (m.forma.size() != static_cast<Eigen::Index>(6 * nudo.size())) return false;
    return true;
}

std::string descripcionModo(int k) {
    if (k < 1 || k > static_cast<int>(resultados.modos.size())) return std::string();
    const modoVibracion& m = resultados.modos[static_cast<std::size_t>(k - 1)];
    char texto[160];
    std::snprintf(texto, sizeof texto, "Modo %d: T = %.4g s, f = %.4g Hz", k, m.periodo, m.frecuencia);
    return texto;
}
