#include "visor/escena/formaPandeo.h"

#include <cstdio>

#include "globales.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaMostrada.h"
#include "visor/escena/visibilidad.h"

int pandeoMostrado() {
    const FormaMostrada f = formaMostrada();
    return f.clase == ClaseForma::pandeo ? f.numero : 0;
}

void mostrarPandeo(int k) {
    // Terminar la animación de un modo suelta también el redibujo continuo.
    if (k > 0) animarModo(0);
    mostrarForma(ClaseForma::pandeo, k);
}

const pandeoCombo* pandeoActivo() {
    if (!flagActivo(kFlagCalculado) || !resultados.disponibles) return nullptr;
    for (int c = 0; c < cantidadCombos(); ++c) {
        if (!comboActivo(c)) continue;
        for (const pandeoCombo& p : resultados.pandeo)
            if (p.combo == c && !p.factores.empty()) {
                bool completas = true;
                for (const Eigen::VectorXd& f : p.formas)
                    completas = completas && f.size() == static_cast<Eigen::Index>(6 * nudo.size());
                if (completas) return &p;
            }
    }
    return nullptr;
}

std::string descripcionPandeo(const pandeoCombo& p, int k) {
    if (k < 1 || k > static_cast<int>(p.factores.size())) return std::string();
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.4g", p.factores[static_cast<std::size_t>(k - 1)]);
    return "Pandeo " + std::to_string(k) + " del combo " + p.nombre + ": factor crítico " + texto;
}
