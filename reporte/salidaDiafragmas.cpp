#include "reporte/salidaDiafragmas.h"

#include <cstdio>

#include "analisis/niveles.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

int usuarioDe(int interno) {
    return interno >= 0 && static_cast<size_t>(interno) < nudo.size()
               ? nudo[static_cast<size_t>(interno)].getNoNudoUsuario()
               : 0;
}

// La deriva sin el redondeo: la diferencia de desplazamientos que la da es
// una traslación.
double derivaSinRuido(const casoResultado& caso, const resultadoDiafragma& r, double deriva) {
    return r.altura > 0 ? sinRuido(deriva * r.altura, caso.escalas.traslaciones) / r.altura : 0.0;
}

}  // namespace

valoresDiafragma valoresSinRuido(const casoResultado& caso, const resultadoDiafragma& r) {
    valoresDiafragma v;
    const double escalas[3] = {caso.escalas.traslaciones, caso.escalas.traslaciones, caso.escalas.giros};
    const double mayor[3] = {r.ux, r.uy, r.giro}, menor[3] = {r.uxMinimo, r.uyMinimo, r.giroMinimo};
    for (int i = 0; i < 3; ++i) v.mayor[i] = sinRuido(mayor[i], escalas[i]), v.menor[i] = sinRuido(menor[i], escalas[i]);
    v.derivaX = derivaSinRuido(caso, r, r.derivaX);
    v.derivaY = derivaSinRuido(caso, r, r.derivaY);
    return v;
}

std::vector<std::string> lineasDiafragmas(const casoResultado& caso) {
    std::vector<std::string> lineas;
    for (int k : diafragmasPorAltura()) {
        if (static_cast<size_t>(k) >= caso.diafragmas.size()) continue;
        const diafragma& d = diafragmas[static_cast<size_t>(k)];
        const resultadoDiafragma& r = caso.diafragmas[static_cast<size_t>(k)];
        const valoresDiafragma v = valoresSinRuido(caso, r);
        char texto[400];
        int n = std::snprintf(texto, sizeof texto, "Diafragma %d (z = %g): ", d.numero, d.z);
        if (caso.dosValores())
            n += std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n),
                               "ux entre %.6e y %.6e, uy entre %.6e y %.6e, giro entre %.6e y %.6e", v.menor[0],
                               v.mayor[0], v.menor[1], v.mayor[1], v.menor[2], v.mayor[2]);
        else
            n += std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n), "ux %.6e, uy %.6e, giro %.6e",
                               v.mayor[0], v.mayor[1], v.mayor[2]);
        if (r.conDeriva)
            std::snprintf(texto + n, sizeof texto - static_cast<size_t>(n), "; deriva X %.6e (nudo %d), Y %.6e (nudo %d)",
                          v.derivaX, usuarioDe(r.nudoX), v.derivaY, usuarioDe(r.nudoY));
        lineas.emplace_back(texto);
    }
    return lineas;
}

int barraDeUsuario(int interno) {
    return interno >= 0 && static_cast<size_t>(interno) < barra.size()
               ? barra[static_cast<size_t>(interno)].getNoBarraUsuario()
               : 0;
}

std::vector<std::string> lineasNiveles(const casoResultado& caso) {
    std::vector<std::string> lineas;
    const std::vector<nivelColumnas>& niveles = resultados.niveles;
    for (size_t k = 0; k < caso.niveles.size() && k < niveles.size(); ++k) {
        const nivelColumnas& n = niveles[k];
        const resultadoNivel& r = caso.niveles[k];
        const auto columna = [&](int j) {
            return j >= 0 && static_cast<size_t>(j) < n.barras.size() ? barraDeUsuario(n.barras[static_cast<size_t>(j)]) : 0;
        };
        char texto[300];
        std::snprintf(texto, sizeof texto, "Nivel (z = %g): deriva X %.6e (barra %d), Y %.6e (barra %d)", n.z,
                      derivaNivelSinRuido(caso, r, 0), columna(r.columnaX), derivaNivelSinRuido(caso, r, 1),
                      columna(r.columnaY));
        lineas.emplace_back(texto);
    }
    return lineas;
}

void bloqueDiafragmas(salidaTexto& os) {
    const std::vector<nivelColumnas>& niveles = resultados.niveles;
    if (diafragmas.empty() && niveles.empty()) return;
    if (!diafragmas.empty()) {
        os << "\n\n\n" << "************DIAFRAGMAS***************" << "\n";
        os << "diafragma | z | centroide x y | nudos" << "\n";
        for (int k : diafragmasPorAltura()) {
            const diafragma& d = diafragmas[static_cast<size_t>(k)];
            os << d.numero << " " << d.z << " " << d.xc << " " << d.yc << " |";
            for (int i : d.nudos) os << " " << usuarioDe(i);
            os << "\n";
        }
    } else {
        os << "\n\n\n" << "************NIVELES***************" << "\n";
    }
    if (!niveles.empty()) {
        os << "nivel sin diafragma z | columnas" << "\n";
        for (const nivelColumnas& n : niveles) {
            os << n.z << " |";
            for (int b : n.barras) os << " " << barraDeUsuario(b);
            os << "\n";
        }
    }
    for (const casoResultado& caso : resultados.casos) {
        os << "\n" << "combo " << caso.nombre << "\n";
        for (const std::string& linea : lineasDiafragmas(caso)) os << linea << "\n";
        for (const std::string& linea : lineasNiveles(caso)) os << linea << "\n";
    }
}
