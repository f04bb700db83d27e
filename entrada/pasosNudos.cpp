// Pasos del cargador: tablas de nudos y barras, mapas de números, nudos y apoyos.
#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <sstream>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"

namespace {
// Mayor número de nudo o barra admitido: los mapas tienen una entrada por
// número, y un número enorme agotaría la memoria.
constexpr int kNumeroMaximo = 9999999;

// Filas de una tabla que se conservan: número válido y, si el número se repite,
// sólo la última fila. Los avisos salen en el orden de la tabla.
std::vector<int> filasValidas(const Eigen::MatrixXd& tabla, const std::string& tipo, bool femenino) {
    std::map<int, int> ultimaFila;
    std::vector<int> numeros(static_cast<size_t>(tabla.rows()), -1);
    for (Eigen::Index f = 0; f < tabla.rows(); ++f) {
        int n;
        if (!enteroSeguro(tabla(f, 0), n) || n < 0 || n > kNumeroMaximo) continue;
        numeros[static_cast<size_t>(f)] = n;
        ultimaFila[n] = static_cast<int>(f);
    }
    std::vector<int> filas;
    for (Eigen::Index f = 0; f < tabla.rows(); ++f) {
        const int n = numeros[static_cast<size_t>(f)];
        if (n < 0) {
            mensajes.error("Error: número de " + tipo + " no válido " + textoEntero(tabla(f, 0)) +
                           "; la fila no se considera");
        } else if (ultimaFila[n] != f) {
            mensajes.advertencia("Advertencia: " + std::string(femenino ? "la " : "el ") + tipo + " " +
                                 std::to_string(n) + " está " + (femenino ? "definida" : "definido") +
                                 " más de una vez; se usa la última definición");
        } else {
            filas.push_back(static_cast<int>(f));
        }
    }
    return filas;
}
}  // namespace

bool enteroSeguro(double v, int& n) {
    // 13.7 no es la barra 13: sólo un valor entero nombra un nudo o una barra.
    if (!std::isfinite(v) || v != std::trunc(v)) return false;
    if (v < static_cast<double>(INT_MIN) || v > static_cast<double>(INT_MAX)) return false;
    n = static_cast<int>(v);
    return true;
}

std::string textoEntero(double v) {
    std::ostringstream s;
    if (std::isfinite(v) && std::fabs(v) < 9.0e18 && v == std::trunc(v)) {
        s << static_cast<long long>(v);
    } else {
        s.precision(15);
        s << v;
    }
    return s.str();
}

namespace {
// Número interno del nudo o la barra de una lista; un número que no es entero
// se dice como tal (no como un nudo que no existe).
int internoDeLista(double numero, const std::string& etiqueta, bool esNudo) {
    int n;
    if (std::isfinite(numero) && numero != std::trunc(numero)) {
        mensajes.error("Error: " + std::string(esNudo ? "el nudo " : "la barra ") + textoEntero(numero) +
                       " no es un número entero (etiqueta " + etiqueta + ")");
        return -1;
    }
    const int i = enteroSeguro(numero, n) ? (esNudo ? internoDeNudo(n) : internoDeBarra(n)) : -1;
    if (i < 0)
        mensajes.error("Error: " + std::string(esNudo ? "el nudo " : "la barra ") + textoEntero(numero) +
                       " no existe (etiqueta " + etiqueta + ")");
    return i;
}
}  // namespace

int nudoDeLista(double numero, const std::string& etiqueta) { return internoDeLista(numero, etiqueta, true); }

int barraDeLista(double numero, const std::string& etiqueta) { return internoDeLista(numero, etiqueta, false); }

const char* const kNombresGdlNudo[6] = {"Ux", "Uy", "Uz", "Gx", "Gy", "Gz"};

void ContextoCarga::anotarCaso(const std::string& caso) {
    if (std::find(casosConCargas.begin(), casosConCargas.end(), caso) == casosConCargas.end())
        casosConCargas.push_back(caso);
}

void ContextoCarga::anotarValores(const std::string& caso) {
    if (std::find(casosConValores.begin(), casosConValores.end(), caso) == casosConValores.end())
        casosConValores.push_back(caso);
}

bool ContextoCarga::casoDefinido(const std::string& caso) const {
    for (const std::vector<std::string>* lista : {&casosConCargas, &casosSismicosNombrados, &otrosCasosNombrados})
        if (std::find(lista->begin(), lista->end(), caso) != lista->end()) return true;
    return false;
}

double medidaModelo() {
    if (nudo.empty()) return 1.0;
    double menor[3], mayor[3];
    for (int i = 0; i < 3; ++i) menor[i] = INFINITY, mayor[i] = -INFINITY;
    for (const objNudo3d& n : nudo) {
        const double x[3] = {n.getX(), n.getY(), n.getZ()};
        for (int i = 0; i < 3; ++i) menor[i] = std::min(menor[i], x[i]), mayor[i] = std::max(mayor[i], x[i]);
    }
    const double d = std::sqrt((mayor[0] - menor[0]) * (mayor[0] - menor[0]) +
                               (mayor[1] - menor[1]) * (mayor[1] - menor[1]) +
                               (mayor[2] - menor[2]) * (mayor[2] - menor[2]));
    return d > 0 && std::isfinite(d) ? d : 1.0;
}

bool registroCompleto(const std::string& etiqueta, int k, const std::vector<double>& v, size_t valores,
                      const char* lista, const std::string& nombre) {
    const std::string registro =
        "Error: el registro " + std::to_string(k) + " de " + etiqueta + (nombre.empty() ? "" : " (" + nombre + ")");
    if (v.size() < valores) {
        mensajes.error(registro + " necesita " + std::to_string(valores) + (valores == 1 ? " valor" : " valores") +
                       " y la lista de " + lista + "s (tiene " + std::to_string(v.size()) +
                       (v.size() == 1 ? " número)" : " números)"));
        return false;
    }
    if (v.size() == valores) {
        // "barra" es femenino; "nudo", masculino.
        const bool femenino = std::string(lista) == "barra";
        mensajes.error(registro + " no nombra " + (femenino ? "ninguna " : "ningún ") + lista);
        return false;
    }
    return true;
}

void pasoLeerTablas(ContextoCarga& ctx) {
    ctx.tablaNudos = ctx.lector.getMatriz("nudos:", 4);
    mensajes.progreso("lectura de nudos OK Num Nudos = " + std::to_string(ctx.tablaNudos.rows()));
    ctx.tablaBarras = ctx.lector.getMatriz("barras:", 3);
    mensajes.progreso("lectura de barras OK Num Barras = " + std::to_string(ctx.tablaBarras.rows()));
    if (ctx.tablaNudos.cols() != 4) ctx.tablaNudos.resize(0, 4);
    if (ctx.tablaBarras.cols() != 3) ctx.tablaBarras.resize(0, 3);
}

void pasoMapaNudos(ContextoCarga& ctx) {
    const std::vector<int> filas = filasValidas(ctx.tablaNudos, "nudo", false);
    // La tabla queda sólo con las filas que se conservan: la posición de cada
    // fila es el número interno del nudo.
    Eigen::MatrixXd tabla(static_cast<Eigen::Index>(filas.size()), 4);
    int mayor = -1;
    for (size_t i = 0; i < filas.size(); ++i) {
        tabla.row(static_cast<Eigen::Index>(i)) = ctx.tablaNudos.row(filas[i]);
        mayor = std::max(mayor, static_cast<int>(ctx.tablaNudos(filas[i], 0)));
    }
    ctx.tablaNudos = tabla;
    noNudos = static_cast<int>(filas.size());
    punteroNudos.assign(static_cast<size_t>(mayor + 1), 0);
    for (int i = 0; i < noNudos; ++i) punteroNudos[static_cast<size_t>(static_cast<int>(tabla(i, 0)))] = i;
}

void pasoMapaBarras(ContextoCarga& ctx) {
    noBarras = static_cast<int>(ctx.tablaBarras.rows());
    if (noBarras == 0) return;
    ctx.filasBarras = filasValidas(ctx.tablaBarras, "barra", true);
    noBarras = static_cast<int>(ctx.filasBarras.size());
}

void pasoNudos(ContextoCarga& ctx) {
    nudo.assign(static_cast<size_t>(noNudos), objNudo3d());
    for (int i = 0; i < noNudos; ++i) {
        objNudo3d& n = nudo[static_cast<size_t>(i)];
        const int numero = static_cast<int>(ctx.tablaNudos(i, 0));
        n.setNoNudoUsuario(numero);
        n.setNoNudoInterno(punteroNudos[static_cast<size_t>(numero)]);
        n.setCoordenadas(ctx.tablaNudos(i, 1), ctx.tablaNudos(i, 2), ctx.tablaNudos(i, 3));
    }
}

void pasoApoyos(ContextoCarga& ctx) {
    const std::string etiqueta = "apoyo:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 6, "nudo")) continue;
        int f[6];
        for (int j = 0; j < 6; ++j) {
            const double codigo = v[static_cast<size_t>(j)];
            // Un código que no es entero (0.5) no dice si restringe: se avisa. Uno
            // que no cabe en un entero es distinto de 0: restringe.
            if (std::isfinite(codigo) && codigo != std::trunc(codigo))
                mensajes.error("Error: el registro " + std::to_string(k) + " de apoyo: tiene el código " +
                               textoEntero(codigo) + " en " + kNombresGdlNudo[j] +
                               ", que no es entero (0 libre, 1 restringido)");
            if (!enteroSeguro(codigo, f[j])) f[j] = 1;
        }
        for (size_t j = 6; j < v.size(); ++j) {
            const int i = nudoDeLista(v[j], etiqueta);
            if (i >= 0) nudo[static_cast<size_t>(i)].setApoyo(f[0], f[1], f[2], f[3], f[4], f[5]);
        }
    }
    if (registros > 0) mensajes.progreso("transferencia de apoyos a nudo[i] OK");
}

void pasoResortes(ContextoCarga& ctx) {
    const std::string etiqueta = "resorte:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    if (registros == 0) return;
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 6, "nudo")) continue;
        const std::vector<std::string> texto = ctx.lector.getPalabrasEtiquetaRepetida(etiqueta, k, 0);
        Eigen::Matrix<double, 6, 1> rigidez;
        for (int j = 0; j < 6; ++j) {
            rigidez(j) = v[static_cast<size_t>(j)];
            // Una rigidez negativa no es un resorte: se avisa como valor no válido y vale 0.
            if (rigidez(j) < 0) {
                mensajes.error("Error: valor no válido " + texto[static_cast<size_t>(j)] + " en la etiqueta " +
                               etiqueta);
                rigidez(j) = 0;
            }
        }
        for (size_t j = 6; j < v.size(); ++j) {
            const int i = nudoDeLista(v[j], etiqueta);
            if (i >= 0) nudo[static_cast<size_t>(i)].setResorte(rigidez);
        }
    }
    for (const objNudo3d& n : nudo) {
        const Eigen::VectorXi apoyo = n.getVectorApoyo();
        const Eigen::Matrix<double, 6, 1> k = n.getResorte();
        for (int j = 0; j < 6; ++j)
            if (apoyo(j) != 0 && k(j) > 0)
                mensajes.advertencia("Advertencia: el nudo " + std::to_string(n.getNoNudoUsuario()) +
                                     " tiene apoyo y resorte en " + kNombresGdlNudo[j] + "; se usa el apoyo");
    }
    mensajes.progreso("transferencia de resortes a nudo[i] OK");
}
