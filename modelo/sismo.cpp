#include "modelo/sismo.h"

#include <cmath>

#include "globales.h"
#include "modelo/disenoSismico.h"

std::vector<espectroDiseno> espectros;
std::vector<casoSismico> sismos;
std::vector<definicionEnvolvente> envolventes;
std::vector<std::pair<double, std::string>> masasDeCargas;
std::string casoPesoPropio;
bool analisisImpedido = false;

double espectroDiseno::aceleracion(double T) const {
    if (periodos.empty()) return 0.0;
    if (!(T > periodos.front())) return aceleraciones.front();
    if (!(T < periodos.back())) return aceleraciones.back();
    size_t i = 1;
    while (i + 1 < periodos.size() && periodos[i] < T) ++i;
    const double t = (T - periodos[i - 1]) / (periodos[i] - periodos[i - 1]);
    return aceleraciones[i - 1] + t * (aceleraciones[i] - aceleraciones[i - 1]);
}

double coeficienteCQC(double wi, double wj, double zeta) {
    if (wi == wj) return 1.0;
    if (!(wi > 0) || !(wj > 0)) return 0.0;
    const double r = wi / wj;
    const double z2 = zeta * zeta;
    const double numerador = 8 * z2 * (1 + r) * r * std::sqrt(r);
    const double denominador = (1 - r * r) * (1 - r * r) + 4 * z2 * r * (1 + r) * (1 + r);
    return denominador > 0 ? numerador / denominador : 1.0;
}

int buscarSismo(const std::string& nombre) {
    for (size_t i = 0; i < sismos.size(); ++i)
        if (sismos[i].nombre == nombre) return static_cast<int>(i);
    return -1;
}

std::vector<std::string> nombresDeCasos() {
    std::vector<std::string> nombres;
    for (const combinacion& c : combinaciones) nombres.push_back(c.nombre);
    for (const casoSismico& s : sismos) nombres.push_back(s.nombre);
    for (const definicionEnvolvente& e : envolventes) nombres.push_back(e.nombre);
    return nombres;
}

int cantidadDeCasos() { return static_cast<int>(combinaciones.size() + sismos.size() + envolventes.size()); }

std::string nombreDeCaso(int c) {
    if (c < 0) return std::string();
    size_t i = static_cast<size_t>(c);
    if (i < combinaciones.size()) return combinaciones[i].nombre;
    i -= combinaciones.size();
    if (i < sismos.size()) return sismos[i].nombre;
    i -= sismos.size();
    if (i < envolventes.size()) return envolventes[i].nombre;
    return std::string();
}

void vaciarDefinicionesSismicas() {
    espectros.clear();
    sismos.clear();
    envolventes.clear();
    masasDeCargas.clear();
    casoPesoPropio.clear();
    analisisImpedido = false;
    vaciarDisenoSismico();
}

double factorMasaPropia() {
    if (casoPesoPropio.empty()) return 1.0;
    double factor = 0;
    bool nombrado = false;
    for (const auto& [f, caso] : masasDeCargas)
        if (caso == casoPesoPropio) factor += f, nombrado = true;
    return nombrado ? factor : 1.0;
}
