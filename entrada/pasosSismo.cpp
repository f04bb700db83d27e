// Pasos del cargador: masa de las cargas, espectros de diseño, casos sísmicos
// y envolventes. Sólo se leen las etiquetas que el archivo usa: un modelo sin
// ellas no recibe ningún mensaje nuevo.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/sismo.h"

namespace {

bool esEtiqueta(const std::string& palabra) { return !palabra.empty() && palabra.back() == ':'; }

std::string enMayusculas(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

bool esCombo(const std::string& nombre) {
    return std::any_of(combinaciones.begin(), combinaciones.end(),
                       [&](const combinacion& c) { return c.nombre == nombre; });
}

std::string numeroEscrito(double v) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%g", v);
    return texto;
}

// masaDeCargas: va una sola vez, con sus pares en una línea. Un caso que
// ningún registro define es un error (su masa faltaría); uno sin cargas, un
// aviso; el mismo caso dos veces cuenta una sola, con el último factor.
void leerMasaDeCargas(ContextoCarga& ctx) {
    const std::string etiqueta = "masaDeCargas:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    if (registros > 1) {
        mensajes.error("Error: la etiqueta masaDeCargas: está " + std::to_string(registros) +
                       " veces; va una sola vez, con todos sus pares factor caso");
        return;
    }
    for (int k = 1; k <= registros; ++k) {
        const std::vector<std::pair<double, std::string>> pares =
            leerPares(ctx.lector, etiqueta, k, ctx.lector.getPalabrasDeLinea(etiqueta, k), 0, "");
        if (pares.empty()) {
            mensajes.error("Error: el registro " + std::to_string(k) + " de masaDeCargas: necesita pares factor caso");
            continue;
        }
        for (const auto& par : pares) {
            const double factor = par.first;
            const std::string& caso = par.second;
            if (!(factor >= 0)) {
                mensajes.error("Error: el registro " + std::to_string(k) + " de masaDeCargas: necesita pares factor "
                               "caso con factores no negativos (" + numeroEscrito(factor) + " " + caso +
                               " se descarta)");
                continue;
            }
            if (!ctx.casoDefinido(caso)) {
                mensajes.error("Error: masaDeCargas: usa el caso " + caso + ", que no está definido");
                continue;
            }
            const std::vector<std::string>& conValores = ctx.casosConValores;
            if (std::find(conValores.begin(), conValores.end(), caso) == conValores.end())
                mensajes.advertencia("Advertencia: masaDeCargas: el caso " + caso +
                                     " no tiene cargas (no agrega masa)");
            auto previo = std::find_if(masasDeCargas.begin(), masasDeCargas.end(),
                                       [&](const std::pair<double, std::string>& p) { return p.second == caso; });
            if (previo != masasDeCargas.end()) {
                mensajes.advertencia("Advertencia: masaDeCargas: nombra el caso " + caso +
                                     " más de una vez; cuenta una sola, con el último factor (" +
                                     numeroEscrito(factor) + ")");
                previo->first = factor;
                continue;
            }
            masasDeCargas.emplace_back(factor, caso);
        }
    }
}

// Un espectro mal escrito impide el análisis: sin él los casos sísmicos y las
// combinaciones que los usan no tendrían sentido.
void leerEspectros(ContextoCarga& ctx) {
    const std::string etiqueta = "espectro:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::string nombre = ctx.lector.getString(etiqueta, k);
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
        const std::string registro = "Error: el registro " + std::to_string(k) + " de espectro: (" + nombre + ")";
        const std::string fin = "; el modelo no se analiza";
        const auto fallar = [&](const std::string& motivo) {
            mensajes.error(registro + " " + motivo + fin);
            analisisImpedido = true;
        };
        if (nombre.empty() || esEtiqueta(nombre) || ctx.lector.esNumero(nombre)) {
            mensajes.error("Error: el registro " + std::to_string(k) +
                           " de espectro: necesita un nombre y los pares período aceleración" + fin);
            analisisImpedido = true;
            continue;
        }
        if (v.size() % 2 != 0) {
            fallar("tiene un período sin su aceleración (" + std::to_string(v.size()) +
                   (v.size() == 1 ? " número)" : " números)"));
            continue;
        }
        if (v.size() < 4) {
            fallar("necesita al menos dos pares período aceleración (tiene " + std::to_string(v.size() / 2) +
                   (v.size() == 2 ? " par)" : " pares)"));
            continue;
        }
        espectroDiseno e;
        e.nombre = nombre;
        bool valido = true;
        for (size_t i = 0; i + 1 < v.size() && valido; i += 2) {
            if (v[i] < 0 || v[i + 1] < 0) {
                fallar("tiene valores negativos (período " + numeroEscrito(v[i]) + ", aceleración " +
                       numeroEscrito(v[i + 1]) + ")");
                valido = false;
            } else if (!e.periodos.empty() && !(v[i] > e.periodos.back())) {
                fallar("tiene los períodos desordenados (" + numeroEscrito(v[i]) + " después de " +
                       numeroEscrito(e.periodos.back()) + "); deben crecer");
                valido = false;
            }
            e.periodos.push_back(v[i]);
            e.aceleraciones.push_back(v[i + 1]);
        }
        if (!valido) continue;
        for (espectroDiseno& otro : espectros)
            if (otro.nombre == nombre) {
                mensajes.advertencia("Advertencia: el espectro " + nombre +
                                     " está definido más de una vez; vale el último");
                otro = e;
                valido = false;
            }
        if (valido) espectros.push_back(e);
    }
}

void leerSismos(ContextoCarga& ctx) {
    const std::string etiqueta = "sismo:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        std::string w[5];
        for (int i = 0; i < 5; ++i) w[i] = ctx.lector.getPalabra(etiqueta, k, i);
        const bool completo = std::none_of(w, w + 4, [](const std::string& p) { return p.empty() || esEtiqueta(p); });
        if (!completo || !ctx.lector.esNumero(w[3]) || ctx.lector.esNumero(w[0])) {
            mensajes.error("Error: el registro " + std::to_string(k) +
                           " de sismo: necesita el caso, el espectro, la dirección (X, Y o Z) y el amortiguamiento "
                           "(por ejemplo sismo: SX E1 X 0.05)");
            continue;
        }
        casoSismico s;
        s.nombre = w[0];
        const std::string prefijo = "Error: el sismo " + s.nombre;
        if (modosPedidos <= 0) {
            mensajes.error(prefijo + " necesita modos: (el número de modos de vibración); sin ellos no hay análisis "
                                     "sísmico");
            continue;
        }
        for (size_t e = 0; e < espectros.size(); ++e)
            if (espectros[e].nombre == w[1]) s.espectro = static_cast<int>(e);
        if (s.espectro < 0) {
            mensajes.error(prefijo + " usa el espectro " + w[1] + ", que no está definido (se ignora el sismo)");
            continue;
        }
        const std::string direccion = enMayusculas(w[2]);
        if (direccion != "X" && direccion != "Y" && direccion != "Z") {
            mensajes.error(prefijo + ": dirección " + w[2] + " no válida (X, Y o Z; se ignora el sismo)");
            continue;
        }
        s.direccion = direccion[0] - 'X';
        s.amortiguamiento = ctx.lector.convertirReal(w[3], etiqueta, k);
        if (!(s.amortiguamiento >= 0 && s.amortiguamiento < 1)) {
            mensajes.error(prefijo + ": amortiguamiento " + w[3] +
                           " no válido (una fracción del crítico entre 0 y 1, por ejemplo 0.05; se ignora el sismo)");
            continue;
        }
        // La quinta palabra, si no es una etiqueta, es la regla: una que no es
        // CQC ni SRSS (SRRS) no se toma por comentario.
        const std::string regla = enMayusculas(w[4]);
        if (regla == "SRSS") {
            s.regla = reglaModal::srss;
        } else if (!w[4].empty() && !esEtiqueta(w[4]) && regla != "CQC") {
            mensajes.error(prefijo + ": regla " + w[4] + " no válida (CQC o SRSS; se ignora el sismo)");
            continue;
        }
        const std::vector<std::string>& conCargas = ctx.casosConCargas;
        if (std::find(conCargas.begin(), conCargas.end(), s.nombre) != conCargas.end()) {
            mensajes.error(prefijo + " tiene el nombre de un caso con cargas (se ignora el sismo)");
            continue;
        }
        if (esCombo(s.nombre)) {
            mensajes.error(prefijo + " tiene el nombre de un combo (se ignora el sismo)");
            continue;
        }
        const int previo = buscarSismo(s.nombre);
        if (previo >= 0) {
            mensajes.advertencia("Advertencia: el sismo " + s.nombre + " está definido más de una vez; vale el último");
            sismos[static_cast<size_t>(previo)] = s;
        } else {
            sismos.push_back(s);
        }
    }
}

void leerEnvolventes(ContextoCarga& ctx) {
    const std::string etiqueta = "envolvente:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        definicionEnvolvente e;
        e.nombre = ctx.lector.getPalabra(etiqueta, k, 0);
        if (e.nombre.empty() || esEtiqueta(e.nombre)) {
            mensajes.error("Error: el registro " + std::to_string(k) + " de envolvente: necesita un nombre y los combos");
            continue;
        }
        if (esCombo(e.nombre) || buscarSismo(e.nombre) >= 0 ||
            std::any_of(envolventes.begin(), envolventes.end(),
                        [&](const definicionEnvolvente& o) { return o.nombre == e.nombre; })) {
            mensajes.error("Error: la envolvente " + e.nombre +
                           " tiene el nombre de un combo, de un sismo o de otra envolvente (se ignora)");
            continue;
        }
        // Los nombres siguen hasta la etiqueta siguiente.
        for (int i = 1;; ++i) {
            const std::string nombre = ctx.lector.getPalabra(etiqueta, k, i);
            if (nombre.empty() || esEtiqueta(nombre)) break;
            int combo = -1;
            for (size_t c = 0; c < combinaciones.size(); ++c)
                if (combinaciones[c].nombre == nombre) combo = static_cast<int>(c);
            if (combo < 0) {
                mensajes.advertencia("Advertencia: la envolvente " + e.nombre + " nombra " + nombre +
                                     ", que no es un combo (se ignora)");
                continue;
            }
            if (std::find(e.combos.begin(), e.combos.end(), combo) == e.combos.end()) e.combos.push_back(combo);
        }
        if (e.combos.empty()) {
            mensajes.error("Error: la envolvente " + e.nombre + " no nombra ningún combo (se ignora)");
            continue;
        }
        envolventes.push_back(e);
    }
}

}  // namespace

void pasoSismo(ContextoCarga& ctx) {
    // Los nombres de los casos sísmicos, antes que nada: la masa de las
    // cargas y las combinaciones los cuentan como casos definidos.
    const int registros = ctx.lector.getNoEtiquetas("sismo:");
    for (int k = 1; k <= registros; ++k) {
        const std::string nombre = ctx.lector.getPalabra("sismo:", k, 0);
        if (!nombre.empty() && !esEtiqueta(nombre)) ctx.casosSismicosNombrados.push_back(nombre);
    }
    leerMasaDeCargas(ctx);
    leerEspectros(ctx);
    leerSismos(ctx);
    leerEnvolventes(ctx);
}
