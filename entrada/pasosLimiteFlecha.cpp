// Paso del cargador: limiteFlecha: N [COMBOS...] BARRAS... (N, o L/N, el
// divisor del largo; los nombres de las combinaciones de servicio en la misma
// línea; después las barras). Un registro que no se entiende es un error de
// entrada que lo nombra: una verificación que se saltara en silencio diría
// "cumple" sin haber mirado.
#include <algorithm>
#include <cmath>
#include <string>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/limiteFlecha.h"
#include "modelo/sismo.h"

namespace {

bool conSismo(const combinacion& c) {
    return std::any_of(c.terminos.begin(), c.terminos.end(), [](const auto& t) { return buscarSismo(t.second) >= 0; });
}

}  // namespace

void pasoLimiteFlecha(ContextoCarga& ctx) {
    limitesFlecha.clear();
    const std::string etiqueta = "limiteFlecha:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::string registro = "Error: el registro " + std::to_string(k) + " de " + etiqueta;
        const std::vector<std::string> palabras = ctx.lector.getPalabrasDeLinea(etiqueta, k);
        limiteFlecha l;
        std::string divisor = palabras.empty() ? std::string() : palabras[0];
        if (divisor.rfind("L/", 0) == 0 || divisor.rfind("l/", 0) == 0) divisor = divisor.substr(2);
        double n = 0;
        if (divisor.empty() || !ctx.lector.esNumero(divisor) || !ctx.lector.leerReal(divisor, etiqueta, k, n) ||
            !(n > 0) || !std::isfinite(n)) {
            mensajes.error(registro + " necesita el divisor del largo, positivo, y las barras (por ejemplo " + etiqueta +
                           " 300 SERV 1 2 3, o L/300)");
            continue;
        }
        l.divisor = n;
        // Los nombres de las combinaciones, hasta el primer número.
        size_t p = 1;
        bool bien = true;
        for (; p < palabras.size() && !ctx.lector.esNumero(palabras[p]); ++p) {
            const std::string& nombre = palabras[p];
            const auto c = std::find_if(combinaciones.begin(), combinaciones.end(),
                                        [&](const combinacion& x) { return x.nombre == nombre; });
            if (c == combinaciones.end()) {
                mensajes.error(registro + " nombra " + nombre + ", que no es un combo");
                bien = false;
            } else if (conSismo(*c)) {
                mensajes.error(registro + " nombra el combo " + nombre +
                               ", que tiene sismo: la flecha se verifica en combinaciones de servicio sin sismo");
                bien = false;
            } else {
                l.combos.push_back(static_cast<int>(c - combinaciones.begin()));
            }
        }
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, static_cast<int>(p));
        if (v.empty()) {
            mensajes.error(registro + " no nombra ninguna barra");
            continue;
        }
        for (double numero : v) {
            const int i = barraDeLista(numero, etiqueta);
            if (i < 0) {
                bien = false;
                continue;
            }
            if (std::find(l.barras.begin(), l.barras.end(), i) == l.barras.end()) l.barras.push_back(i);
        }
        if (bien) limitesFlecha.push_back(std::move(l));
    }
}
