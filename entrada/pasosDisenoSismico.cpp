// Paso del cargador: lo que el modelo pide para el diseño sísmico por un
// código (modificadorRigidez:, derivaLimite: y torsionAccidental:). Va
// después de los diafragmas: la torsión accidental actúa sobre ellos.
// Sólo se leen las etiquetas que el archivo usa: un modelo sin ellas no
// recibe ningún mensaje nuevo. Un registro que no se entiende es un error de
// entrada que lo nombra.
#include <algorithm>
#include <cmath>
#include <string>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"

namespace {

std::string registroDe(const std::string& etiqueta, int k) {
    return "Error: el registro " + std::to_string(k) + " de " + etiqueta;
}

// modificadorRigidez: FA FIY FIZ FJ BARRAS...: factores positivos.
void leerModificadores(ContextoCarga& ctx) {
    const std::string etiqueta = "modificadorRigidez:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 4, "barra")) continue;
        if (!std::all_of(v.begin(), v.begin() + 4, [](double f) { return f > 0 && std::isfinite(f); })) {
            mensajes.error(registroDe(etiqueta, k) +
                           " necesita factores positivos de A, Iy, Iz y J (por ejemplo 1 0.35 0.35 1) antes de las "
                           "barras");
            continue;
        }
        for (size_t j = 4; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i >= 0) barra[static_cast<size_t>(i)].setModificadorRigidez(v[0], v[1], v[2], v[3]);
        }
    }
}

// derivaLimite: FACTOR LIMITE, una sola vez.
void leerDerivaLimite(ContextoCarga& ctx) {
    const std::string etiqueta = "derivaLimite:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    if (registros > 1) {
        mensajes.error("Error: la etiqueta derivaLimite: está " + std::to_string(registros) +
                       " veces; va una sola vez (FACTOR LIMITE)");
        return;
    }
    if (registros == 0) return;
    const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, 1, 0);
    if (v.size() < 2 || !(v[0] > 0) || !(v[1] > 0) || !std::isfinite(v[0]) || !std::isfinite(v[1])) {
        mensajes.error(registroDe(etiqueta, 1) +
                       " necesita el factor de la deriva inelástica y la deriva límite, positivos (por ejemplo "
                       "derivaLimite: 5.5 0.02)");
        return;
    }
    diseno.conLimiteDeriva = true;
    diseno.factorDeriva = v[0];
    diseno.limiteDeriva = v[1];
}

// torsionAccidental: E, una sola vez, con 0 < E < 1. Los momentos van a los
// diafragmas: sin ellos la etiqueta no tendría dónde actuar, y callarlo
// dejaría las solicitaciones de diseño por debajo de lo pedido.
void leerTorsionAccidental(ContextoCarga& ctx) {
    const std::string etiqueta = "torsionAccidental:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    if (registros > 1) {
        mensajes.error("Error: la etiqueta torsionAccidental: está " + std::to_string(registros) +
                       " veces; va una sola vez (E)");
        return;
    }
    if (registros == 0) return;
    const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, 1, 0);
    if (v.size() != 1 || !(v[0] > 0) || !(v[0] < 1)) {
        mensajes.error(registroDe(etiqueta, 1) +
                       " necesita la excentricidad accidental como fracción del ancho de la planta, un número entre 0 "
                       "y 1 (por ejemplo torsionAccidental: 0.05)");
        return;
    }
    if (diafragmas.empty()) {
        mensajes.error("Error: torsionAccidental: el modelo no tiene diafragmas que reciban los momentos");
        return;
    }
    diseno.torsionAccidental = v[0];
}

}  // namespace

void pasoDisenoSismico(ContextoCarga& ctx) {
    leerModificadores(ctx);
    leerDerivaLimite(ctx);
    leerTorsionAccidental(ctx);
}
