#include "reporte/bloquePandeo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "globales.h"

std::string lineaSegundoOrden(const casoResultado& caso) {
    // De una combinación con sismo, su parte estática.
    const casoResultado* parte = casoSegundoOrden(caso);
    const segundoOrdenCaso& so = parte != nullptr ? parte->segundoOrden : caso.segundoOrden;
    const std::string titulo =
        "Segundo orden del combo " + caso.nombre + (caso.tipo == tipoCaso::comboEspectral ? " (parte estática)" : "");
    if (so.inestable) return titulo + ": supera la carga crítica de pandeo; sin resultados (sus valores se escriben 0)";
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.3f", so.amplificacion);
    std::string donde;
    // El nudo y la dirección de la componente que más se amplifica.
    static const char* const kDireccion[3] = {"Ux", "Uy", "Uz"};
    if (so.nudoAmplificacion >= 0 && static_cast<std::size_t>(so.nudoAmplificacion) < nudo.size() &&
        so.direccionAmplificacion >= 0 && so.direccionAmplificacion < 3)
        donde = " (nudo " + std::to_string(nudo[static_cast<std::size_t>(so.nudoAmplificacion)].getNoNudoUsuario()) +
                ", " + kDireccion[so.direccionAmplificacion] + ")";
    const int k = so.iteraciones;
    return titulo + ": " + std::to_string(k) +
           (k == 1 ? " iteración" : " iteraciones") + ", amplificación de desplazamientos " + texto + donde;
}

void escribirBloqueSegundoOrden(salidaTexto& os) {
    bool encabezado = false;
    for (const casoResultado& caso : resultados.casos) {
        const casoResultado* parte = casoSegundoOrden(caso);
        if (parte == nullptr) continue;
        if (!encabezado)
            os << "\n\n\n" << "************SEGUNDO ORDEN (P-DELTA)***************" << "\n";
        encabezado = true;
        os << lineaSegundoOrden(caso) << (parte->segundoOrden.convergio ? "" : " (sin converger)") << "\n";
    }
}

void escribirBloquePandeo(salidaTexto& os) {
    if (resultados.pandeo.empty()) return;
    os << "\n\n\n" << "************ANÁLISIS DE PANDEO***************" << "\n";
    for (const pandeoCombo& p : resultados.pandeo) {
        os << "combo: " << p.nombre << "\n";
        if (p.factores.empty()) {
            os << "sin factores críticos" << "\n";
            continue;
        }
        os << "modo | factor crítico" << "\n";
        Eigen::MatrixXd tabla(static_cast<Eigen::Index>(p.factores.size()), 2);
        for (size_t k = 0; k < p.factores.size(); ++k)
            tabla.row(static_cast<Eigen::Index>(k)) << static_cast<double>(k + 1), p.factores[k];
        os << tabla << "\n";
        os << "formas de pandeo (una columna por modo, la mayor traslación vale 1):" << "\n";
        Eigen::MatrixXd formas(p.formas[0].size(), static_cast<Eigen::Index>(p.formas.size()));
        for (size_t k = 0; k < p.formas.size(); ++k) formas.col(static_cast<Eigen::Index>(k)) = p.formas[k];
        os << formas << "\n";
    }
}

std::string lineaPandeo(const pandeoCombo& p, int k) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%.6e", p.factores[static_cast<size_t>(k)]);
    return "Pandeo " + std::to_string(k + 1) + " del combo " + p.nombre + ": factor crítico " + texto;
}

void imprimirPandeo() {
    for (const pandeoCombo& p : resultados.pandeo)
        for (size_t k = 0; k < p.factores.size(); ++k) std::cout << lineaPandeo(p, static_cast<int>(k)) << "\n";
    std::cout.flush();
}
