#include "analisis/sismoEstatico.h"

#include <algorithm>
#include <cmath>

#include "analisis/equilibrio.h"
#include "analisis/pisos.h"
#include "analisis/solucionJuego.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

// Dos nudos están al mismo nivel dentro de esta fracción del tamaño del
// modelo (como los pisos).
constexpr double kMismoNivel = 1e-6;

// La altura de la base: el nudo con apoyo o resorte más bajo (sin ninguno,
// el nudo más bajo).
double alturaDeLaBase() {
    double base = 0;
    bool hay = false;
    for (const objNudo3d& n : nudo)
        if (n.tieneAlgunaReaccion() && (!hay || n.getZ() < base)) base = n.getZ(), hay = true;
    if (hay) return base;
    for (const objNudo3d& n : nudo)
        if (!hay || n.getZ() < base) base = n.getZ(), hay = true;
    return base;
}

// Por nudo (interno), su masa de traslación en la dirección d si ese grado de
// libertad no tiene apoyo (la de un apoyo no se mueve).
std::vector<double> masasDeNudos(const Eigen::MatrixXd& m, int d) {
    std::vector<double> w(nudo.size(), 0.0);
    for (const objNudo3d& n : nudo) {
        const Eigen::Index g = 6 * static_cast<Eigen::Index>(n.getNoNudoInterno()) + d;
        if (n.getVectorApoyo()(d) != 0 || g >= m.rows()) continue;
        const double v = m(g, d);
        if (v > 0 && std::isfinite(v)) w[static_cast<size_t>(n.getNoNudoInterno())] = v;
    }
    return w;
}

void nivelesConDiafragmas(distribucionSismoEstatico& r, const Eigen::MatrixXd& m, const std::vector<double>& w,
                          double base, double tolerancia) {
    const std::vector<centroPiso> centros = masasDePisos(m);
    for (int k : diafragmasPorAltura()) {
        const diafragma& d = diafragmas[static_cast<size_t>(k)];
        if (!(d.z - base > tolerancia) || d.nudos.empty()) continue;
        nivelSismoEstatico nivel;
        nivel.z = d.z;
        nivel.altura = d.z - base;
        nivel.diafragma = k;
        for (int i : d.nudos) nivel.masa += w[static_cast<size_t>(i)];
        if (!(nivel.masa > 0)) continue;
        // La fuerza va al nudo del diafragma más cercano a su centro de masa,
        // con el par que la lleva allí: el diafragma pasa la carga de cada
        // nudo (Fx, Fy y Mz) a sus tres grados de libertad, y su resultante
        // es la fuerza en el centro de masa.
        const centroPiso& c = centros[static_cast<size_t>(k)];
        nivel.xMasa = c.xMasa;
        nivel.yMasa = c.yMasa;
        int cerca = d.nudos.front();
        double distancia = -1;
        for (int i : d.nudos) {
            const objNudo3d& n = nudo[static_cast<size_t>(i)];
            const double dist = std::hypot(n.getX() - c.xMasa, n.getY() - c.yMasa);
            if (distancia < 0 || dist < distancia) distancia = dist, cerca = i;
        }
        nivel.cargas.push_back({cerca, 0.0, 0.0});
        r.niveles.push_back(nivel);
    }
}

void nivelesSinDiafragmas(distribucionSismoEstatico& r, const std::vector<double>& w, double base, double tolerancia) {
    std::vector<int> conMasa;
    for (size_t i = 0; i < w.size(); ++i)
        if (w[i] > 0 && nudo[i].getZ() - base > tolerancia) conMasa.push_back(static_cast<int>(i));
    std::stable_sort(conMasa.begin(), conMasa.end(),
                     [](int a, int b) { return nudo[static_cast<size_t>(a)].getZ() < nudo[static_cast<size_t>(b)].getZ(); });
    for (int i : conMasa) {
        const double z = nudo[static_cast<size_t>(i)].getZ();
        if (r.niveles.empty() || z - r.niveles.back().z > tolerancia) {
            nivelSismoEstatico nivel;
            nivel.z = z;
            nivel.altura = z - base;
            r.niveles.push_back(nivel);
        }
        r.niveles.back().masa += w[static_cast<size_t>(i)];
        r.niveles.back().cargas.push_back({i, 0.0, 0.0});
    }
}

}  // namespace

distribucionSismoEstatico distribuirSismoEstatico(const definicionSismoEstatico& def, const Eigen::MatrixXd& m) {
    distribucionSismoEstatico r;
    r.nombre = def.nombre;
    r.direccion = def.direccion;
    r.coeficiente = def.coeficiente;
    r.exponente = def.exponente;
    const std::vector<double> w = masasDeNudos(m, def.direccion);
    if (!std::any_of(w.begin(), w.end(), [](double v) { return v > 0; })) {
        r.motivo = "el modelo no tiene masa de traslación en esa dirección";
        return r;
    }
    const double base = alturaDeLaBase(), tolerancia = kMismoNivel * tamanoModelo();
    if (diafragmas.empty())
        nivelesSinDiafragmas(r, w, base, tolerancia);
    else
        nivelesConDiafragmas(r, m, w, base, tolerancia);
    if (r.niveles.empty()) {
        r.motivo = diafragmas.empty() ? "no hay nudos con masa sobre la base (el apoyo más bajo)"
                                      : "no hay diafragmas con masa sobre la base (el apoyo más bajo)";
        return r;
    }
    double masa = 0, suma = 0;
    for (const nivelSismoEstatico& n : r.niveles) {
        masa += n.masa;
        suma += n.masa * std::pow(n.altura, def.exponente);
    }
    r.peso = gravedad * masa;
    r.cortante = def.coeficiente * r.peso;
    if (!(suma > 0) || !std::isfinite(suma) || !std::isfinite(r.cortante)) {
        r.motivo = "las masas o las alturas están fuera de rango";
        return r;
    }
    for (nivelSismoEstatico& n : r.niveles) {
        n.fuerza = r.cortante * n.masa * std::pow(n.altura, def.exponente) / suma;
        if (n.diafragma >= 0) {
            // Fuerza en el centro de masa = fuerza en el nudo más el par
            // (x_cm − x)·Fy − (y_cm − y)·Fx.
            cargaSismoEstatico& q = n.cargas.front();
            const objNudo3d& nd = nudo[static_cast<size_t>(q.nudo)];
            q.fuerza = n.fuerza;
            q.momentoZ = r.direccion == 0 ? -(n.yMasa - nd.getY()) * n.fuerza : (n.xMasa - nd.getX()) * n.fuerza;
            continue;
        }
        for (cargaSismoEstatico& q : n.cargas) q.fuerza = n.fuerza * w[static_cast<size_t>(q.nudo)] / n.masa;
    }
    return r;
}

void calcularSismosEstaticos() {
    resultados.estaticos.clear();
    if (sismosEstaticos.empty()) return;
    const Eigen::MatrixXd masas = masasDeTraslacion();
    for (const definicionSismoEstatico& d : sismosEstaticos)
        resultados.estaticos.push_back(distribuirSismoEstatico(d, masas));
}

double cortanteBasalDeCaso(const std::string& caso, int d) {
    return std::fabs(resultanteDeCaso(caso)(d));
}
