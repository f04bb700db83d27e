#include "visor/escena/seleccionBarras.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "analisis/niveles.h"
#include "analisis/solucionJuego.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

// Dos alturas o coordenadas a menos de esta fracción del tamaño del modelo
// son la misma, como los niveles de las columnas.
constexpr double kMismoPlano = 1e-6;

const char* const kNoValidos = "Existen valores no válidos en la lista de barras.  ";

std::vector<std::string> trozosLista(const std::string& texto) {
    std::vector<std::string> trozos;
    size_t inicio = 0;
    while (inicio < texto.size()) {
        size_t blanco = texto.find(' ', inicio);
        if (blanco == std::string::npos) blanco = texto.size();
        trozos.push_back(texto.substr(inicio, blanco - inicio));
        inicio = blanco + 1;
    }
    return trozos;
}

// El número natural escrito con sólo dígitos, o -1.
long long natural(const std::string& texto) {
    if (texto.empty()) return -1;
    long long n = 0;
    for (char c : texto) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
        if (n > INT_MAX) return -1;
    }
    return n;
}

// El número real del texto entero, o falso.
bool real(const std::string& texto, double& valor) {
    if (texto.empty()) return false;
    char* fin = nullptr;
    errno = 0;
    valor = std::strtod(texto.c_str(), &fin);
    return fin == texto.c_str() + texto.size() && errno == 0 && std::isfinite(valor);
}

struct extremos {
    const objNudo3d* a;
    const objNudo3d* b;
};
bool extremosDe(const objBarra3d& b, extremos& e) {
    const int i = b.getNudoInicioInterno(), j = b.getNudoFinalInterno();
    if (i < 0 || j < 0 || static_cast<size_t>(i) >= nudo.size() || static_cast<size_t>(j) >= nudo.size()) return false;
    e = {&nudo[static_cast<size_t>(i)], &nudo[static_cast<size_t>(j)]};
    return true;
}

double coordenada(const objNudo3d& n, int eje) { return eje == 0 ? n.getX() : eje == 1 ? n.getY() : n.getZ(); }

// La altura del piso N: la del diafragma N si el modelo tiene diafragmas (los
// pisos de la leyenda y de los resultados); si no, la del N-ésimo nivel de
// columnas desde abajo.
bool alturaDelPiso(long long n, double& z) {
    if (!diafragmas.empty()) {
        for (const diafragma& d : diafragmas)
            if (d.numero == n) {
                z = d.z;
                return true;
            }
        return false;
    }
    const std::vector<nivelColumnas> niveles = nivelesDeColumnas();
    if (n < 1 || n > static_cast<long long>(niveles.size())) return false;
    z = niveles[static_cast<size_t>(n - 1)].z;
    return true;
}

}  // namespace

int barraDeNumero(const std::string& texto) {
    const long long n = natural(texto);
    return n < 0 ? -1 : internoDeBarra(n);
}

seleccionBarras seleccionarBarras(const std::string& lista) {
    seleccionBarras s;
    std::vector<char> elegida(barra.size(), 0);
    const double tolerancia = kMismoPlano * tamanoModelo();
    // Marca las barras que cumplen la condición; falso si no hay ninguna.
    const auto elegir = [&](auto cumple) {
        bool alguna = false;
        for (const objBarra3d& b : barra) {
            extremos e{};
            if (!extremosDe(b, e) || !cumple(b, e)) continue;
            elegida[static_cast<size_t>(b.getNoBarraInterna())] = 1;
            alguna = true;
        }
        return alguna;
    };
    const std::vector<std::string> trozos = trozosLista(lista);
    for (size_t k = 0; k < trozos.size() && s.error.empty(); ++k) {
        const std::string& t = trozos[k];
        const size_t guion = t.find('-');
        double v = 0;
        if (t.size() > 2 && t[1] == '=' && (t[0] == 'x' || t[0] == 'y' || t[0] == 'z')) {
            const int eje = t[0] - 'x';
            if (!real(t.substr(2), v))
                s.error = kNoValidos;
            else if (!elegir([&](const objBarra3d&, const extremos& e) {
                         return std::fabs(coordenada(*e.a, eje) - v) <= tolerancia &&
                                std::fabs(coordenada(*e.b, eje) - v) <= tolerancia;
                     }))
                s.error = "Ninguna barra en el plano " + t + ". ";
        } else if (t == "piso") {
            const long long n = k + 1 < trozos.size() ? natural(trozos[++k]) : -1;
            double z = 0;
            if (n < 0)
                s.error = "Falta el número del piso: piso N. ";
            else if (!alturaDelPiso(n, z) || !elegir([&](const objBarra3d&, const extremos& e) {
                         return std::fabs(std::max(e.a->getZ(), e.b->getZ()) - z) <= tolerancia;
                     }))
                s.error = "No existe el piso " + trozos[k] + ". ";
        } else if (t == "seccion" || t == "sección") {
            if (k + 1 >= trozos.size() || trozos[k + 1].empty()) {
                s.error = "Falta el nombre de la sección: seccion NOMBRE. ";
            } else {
                const std::string& nombre = trozos[++k];
                if (!elegir([&](const objBarra3d& b, const extremos&) { return b.getNombreDeSeccion() == nombre; }))
                    s.error = "Ninguna barra tiene la sección " + nombre + ". ";
            }
        } else if (guion != std::string::npos) {
            // Un rango: las barras del modelo con número entre los dos, que
            // pueden no ser todos los números del rango.
            const long long desde = natural(t.substr(0, guion)), hasta = natural(t.substr(guion + 1));
            if (desde < 0 || hasta < desde || !elegir([&](const objBarra3d& b, const extremos&) {
                    return b.getNoBarraUsuario() >= desde && b.getNoBarraUsuario() <= hasta;
                }))
                s.error = kNoValidos;
        } else {
            const int interna = barraDeNumero(t);
            if (interna < 0)
                s.error = kNoValidos;
            else
                elegida[static_cast<size_t>(interna)] = 1;
        }
    }
    if (!s.error.empty()) return s;
    for (size_t b = 0; b < elegida.size(); ++b)
        if (elegida[b]) s.barras.push_back(static_cast<int>(b));
    return s;
}
