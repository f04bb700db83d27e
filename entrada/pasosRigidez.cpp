// Paso del cargador: barras demasiado rígidas para la doble precisión.
//
// Los esfuerzos de una barra salen de su deformación: la diferencia de los
// desplazamientos de sus nudos por su rigidez. Si la barra es muchísimo más
// rígida que lo que se le une en sus nudos (una barra de un centésimo de
// milímetro entre vigas de metros, un brazo rígido con E un billón de veces
// el del resto), su deformación es tan chica frente a los desplazamientos que
// se pierde en su redondeo: con una rigidez 1e12 veces la de lo que la rodea
// (un voladizo de 5 m con un brazo de 1 m cuyo E es 1e12 veces el suyo)
// sus esfuerzos salen con errores del 10 %, aunque los desplazamientos y las
// reacciones estén bien, y la solución depende del procesador. Una barra
// pierde unas log10 del cociente entre su rigidez y la de lo que la rodea de
// las dieciséis cifras (en ese voladizo, con el brazo 1e7 veces más rígido,
// sus esfuerzos tienen un error de 2.5e-9): hasta kRigidezRelativaMaxima
// conservan las siete cifras que se escriben. Más allá el modelo no se
// analiza y se nombran las barras: es casi siempre un error de escritura (dos
// nudos casi iguales) o una rigidez exagerada para un brazo rígido.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/sismo.h"

namespace {
// Cuántas veces más rígida que lo que se le une puede ser una barra: sus
// esfuerzos pierden unas log10 de ese cociente de las dieciséis cifras.
constexpr double kRigidezRelativaMaxima = 1e8;
// Una diagonal de la barra por debajo de esta fracción de la mayor de su
// clase (traslaciones o giros) es redondeo.
constexpr double kFraccionRedondeo = 1e-12;

// El nudo (interno) del otro extremo de la barra i, desde su extremo e.
int otroExtremo(size_t i, int e) {
    return e == 0 ? barra[i].getNudoFinalInterno() : barra[i].getNudoInicioInterno();
}
}  // namespace

std::vector<double> rigidecesRelativas() {
    // Las diagonales de cada barra y, por nudo, las barras que llegan a él
    // (con su extremo): lo demás de un nudo se suma sin la barra, no se resta
    // de un total en que ella, mucho mayor, lo borraría.
    std::vector<Eigen::VectorXd> diagonales(barra.size());
    std::vector<std::vector<std::pair<size_t, int>>> llegan(nudo.size());
    for (const objBarra3d& b : barra) {
        const size_t i = static_cast<size_t>(b.getNoBarraInterna());
        diagonales[i] = b.getKGlobal().diagonal().cwiseAbs();
        if (!diagonales[i].allFinite()) diagonales[i].setZero();
        // Lo que el paso a ejes globales deja en un grado de libertad que la
        // barra no toca (productos por cos 90° ≈ 6e-17, y una rótula) es
        // redondeo, no rigidez: se compara con lo mayor de su clase en la barra.
        for (int clase = 0; clase < 2; ++clase) {
            double mayor = 0;
            for (int k = 0; k < 12; ++k)
                if ((k % 6) / 3 == clase) mayor = std::max(mayor, diagonales[i](k));
            for (int k = 0; k < 12; ++k)
                if ((k % 6) / 3 == clase && diagonales[i](k) <= kFraccionRedondeo * mayor) diagonales[i](k) = 0;
        }
        llegan[static_cast<size_t>(b.getNudoInicioInterno())].emplace_back(i, 0);
        llegan[static_cast<size_t>(b.getNudoFinalInterno())].emplace_back(i, 1);
    }
    std::vector<double> relativas(barra.size(), 1.0);
    for (const objNudo3d& n : nudo) {
        const std::vector<std::pair<size_t, int>>& aqui = llegan[static_cast<size_t>(n.getNoNudoInterno())];
        const Eigen::VectorXi apoyo = n.getVectorApoyo();
        for (int g = 0; g < 6; ++g) {
            // Un grado de libertad con apoyo no se mueve.
            if (apoyo(g) != 0) continue;
            for (const auto& [i, e] : aqui) {
                const double propia = diagonales[i](6 * e + g);
                // Los resortes no cuentan: una barra rígida sobre un resorte
                // blando (una columna articulada en la base que sostiene un
                // resorte en la cabeza) se mueve como un cuerpo rígido y lo que
                // lleva, la fuerza del resorte, es chico como su deformación.
                double resto = 0;
                // Otra barra entre los mismos dos nudos se deforma igual que
                // ésta: no es lo que la rodea.
                for (const auto& [j, f] : aqui)
                    if (j != i && otroExtremo(j, f) != otroExtremo(i, e)) resto += diagonales[j](6 * f + g);
                // Lo que sólo la barra toca (su extremo libre) no compara con nada.
                if (propia > 0 && resto > 0) relativas[i] = std::max(relativas[i], propia / resto);
            }
        }
    }
    return relativas;
}

void pasoRigidezRelativa(ContextoCarga&) {
    const std::vector<double> relativas = rigidecesRelativas();
    std::vector<int> demasiado;
    double mayor = 0;
    for (const objBarra3d& b : barra) {
        const double r = relativas[static_cast<size_t>(b.getNoBarraInterna())];
        if (!(r > kRigidezRelativaMaxima)) continue;
        demasiado.push_back(b.getNoBarraUsuario());
        mayor = std::max(mayor, r);
    }
    if (demasiado.empty()) return;
    char cifras[120];
    std::snprintf(cifras, sizeof cifras, "%.1e veces más %s que lo que se %s une en sus nudos (se admite hasta %.0e)",
                  mayor, demasiado.size() == 1 ? "rígida" : "rígidas", demasiado.size() == 1 ? "le" : "les",
                  kRigidezRelativaMaxima);
    mensajes.error("Error: " + std::string(demasiado.size() == 1 ? "la barra " : "las barras ") + enRangos(demasiado) +
                   (demasiado.size() == 1 ? " es unas " : " son hasta ") + cifras +
                   ": su deformación se pierde en el redondeo de la doble precisión y sus esfuerzos no se pueden "
                   "calcular; si es una barra muy corta, revise sus nudos; si es un brazo rígido, basta un módulo de "
                   "elasticidad unas 1e4 veces el de las barras que une");
    analisisImpedido = true;
}
