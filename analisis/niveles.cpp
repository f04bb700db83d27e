#include "analisis/niveles.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "analisis/solucionJuego.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

// Dos alturas son el mismo nivel dentro de esta fracción del tamaño del modelo.
constexpr double kMismoNivel = 1e-6;

// Primera fila de cada nivel entre las magnitudes (dos por columna).
std::vector<Eigen::Index> filasDeNiveles(const std::vector<nivelColumnas>& niveles, Eigen::Index& total) {
    std::vector<Eigen::Index> filas;
    total = 0;
    for (const nivelColumnas& n : niveles) {
        filas.push_back(total);
        total += 2 * static_cast<Eigen::Index>(n.barras.size());
    }
    return filas;
}

// La tolerancia de empate de las derivas del nivel: el redondeo de las
// traslaciones sobre la menor altura de sus columnas (la que más lo agranda).
double toleranciaNivel(const nivelColumnas& n, double escalaTraslaciones) {
    double menor = INFINITY;
    for (double h : n.alturas) menor = std::min(menor, h);
    return std::isfinite(menor) && menor > 0 ? toleranciaEmpate(escalaTraslaciones) / menor : 0.0;
}

// La deriva del nivel: la mayor de sus columnas (ante un empate, la primera).
void elegirDerivas(resultadoNivel& r, const nivelColumnas& n, double escalaTraslaciones) {
    const double tolerancia = toleranciaNivel(n, escalaTraslaciones);
    const int k = static_cast<int>(std::min(r.derivasX.size(), n.alturas.size()));
    const int x = indiceExtremo(k, [&](int i) { return r.derivasX[static_cast<size_t>(i)]; }, tolerancia);
    const int y = indiceExtremo(k, [&](int i) { return r.derivasY[static_cast<size_t>(i)]; }, tolerancia);
    if (x < 0 || y < 0) return;
    r.derivaX = r.derivasX[static_cast<size_t>(x)], r.columnaX = x, r.alturaX = n.alturas[static_cast<size_t>(x)];
    r.derivaY = r.derivasY[static_cast<size_t>(y)], r.columnaY = y, r.alturaY = n.alturas[static_cast<size_t>(y)];
}

}  // namespace

std::vector<nivelColumnas> nivelesDeColumnas() {
    const double tolerancia = kMismoNivel * tamanoModelo();
    struct columna {
        int barra, arriba, abajo;
        double z, altura;
    };
    std::vector<columna> columnas;
    for (const objBarra3d& b : barra) {
        const int i = b.getNudoInicioInterno(), j = b.getNudoFinalInterno();
        if (i < 0 || j < 0 || static_cast<size_t>(i) >= nudo.size() || static_cast<size_t>(j) >= nudo.size()) continue;
        const objNudo3d& a = nudo[static_cast<size_t>(i)];
        const objNudo3d& c = nudo[static_cast<size_t>(j)];
        const double dz = c.getZ() - a.getZ(), horizontal = std::hypot(c.getX() - a.getX(), c.getY() - a.getY());
        if (!(std::fabs(dz) > horizontal)) continue;
        const bool subeAlFinal = dz > 0;
        columnas.push_back({b.getNoBarraInterna(), subeAlFinal ? j : i, subeAlFinal ? i : j,
                            std::max(a.getZ(), c.getZ()), std::fabs(dz)});
    }
    // Por altura y, en cada nivel, en el orden interno de las barras.
    std::stable_sort(columnas.begin(), columnas.end(), [](const columna& a, const columna& b) { return a.z < b.z; });
    std::vector<nivelColumnas> niveles;
    for (size_t k = 0; k < columnas.size();) {
        nivelColumnas n;
        n.z = columnas[k].z;
        size_t fin = k;
        while (fin < columnas.size() && columnas[fin].z <= n.z + tolerancia) ++fin;
        std::vector<size_t> orden(fin - k);
        std::iota(orden.begin(), orden.end(), k);
        std::sort(orden.begin(), orden.end(), [&](size_t a, size_t b) { return columnas[a].barra < columnas[b].barra; });
        for (size_t o : orden) {
            n.barras.push_back(columnas[o].barra);
            n.nudosArriba.push_back(columnas[o].arriba);
            n.nudosAbajo.push_back(columnas[o].abajo);
            n.alturas.push_back(columnas[o].altura);
        }
        k = fin;
        // A la altura de un diafragma, el nivel es su piso.
        const bool conDiafragma = std::any_of(diafragmas.begin(), diafragmas.end(), [&](const diafragma& d) {
            return std::fabs(d.z - n.z) <= tolerancia;
        });
        if (!conDiafragma) niveles.push_back(std::move(n));
    }
    return niveles;
}

Eigen::MatrixXd magnitudesNiveles(const std::vector<nivelColumnas>& niveles, const Eigen::MatrixXd& campos) {
    Eigen::Index total = 0;
    const std::vector<Eigen::Index> filas = filasDeNiveles(niveles, total);
    Eigen::MatrixXd q = Eigen::MatrixXd::Zero(total, campos.cols());
    if (campos.cols() == 0) return q;
    for (size_t k = 0; k < niveles.size(); ++k) {
        const nivelColumnas& n = niveles[k];
        for (size_t j = 0; j < n.barras.size(); ++j) {
            const Eigen::Index arriba = 6 * static_cast<Eigen::Index>(n.nudosArriba[j]);
            const Eigen::Index abajo = 6 * static_cast<Eigen::Index>(n.nudosAbajo[j]);
            if (arriba + 1 >= campos.rows() || abajo + 1 >= campos.rows()) continue;
            const Eigen::Index fila = filas[k] + 2 * static_cast<Eigen::Index>(j);
            q.row(fila) = (campos.row(arriba) - campos.row(abajo)) / n.alturas[j];
            q.row(fila + 1) = (campos.row(arriba + 1) - campos.row(abajo + 1)) / n.alturas[j];
        }
    }
    return q;
}

void llenarNiveles(casoResultado& caso, const std::vector<nivelColumnas>& niveles, const Eigen::VectorXd& q,
                   double escalaTraslaciones) {
    caso.niveles.assign(niveles.size(), resultadoNivel());
    Eigen::Index total = 0;
    const std::vector<Eigen::Index> filas = filasDeNiveles(niveles, total);
    if (q.size() < total) return;
    for (size_t k = 0; k < niveles.size(); ++k) {
        resultadoNivel& r = caso.niveles[k];
        for (size_t j = 0; j < niveles[k].barras.size(); ++j) {
            const Eigen::Index fila = filas[k] + 2 * static_cast<Eigen::Index>(j);
            r.derivasX.push_back(std::fabs(q(fila)));
            r.derivasY.push_back(std::fabs(q(fila + 1)));
        }
        elegirDerivas(r, niveles[k], escalaTraslaciones);
    }
}

void combinarNiveles(casoResultado& caso, const casoResultado& estatico,
                     const std::vector<const casoResultado*>& sismicos, const std::vector<double>& factores,
                     const std::vector<nivelColumnas>& niveles, double escalaTraslaciones) {
    caso.niveles = estatico.niveles;
    for (size_t k = 0; k < caso.niveles.size() && k < niveles.size(); ++k) {
        resultadoNivel& r = caso.niveles[k];
        for (size_t m = 0; m < sismicos.size() && m < factores.size(); ++m) {
            if (k >= sismicos[m]->niveles.size()) continue;
            const resultadoNivel& e = sismicos[m]->niveles[k];
            for (size_t j = 0; j < r.derivasX.size() && j < e.derivasX.size(); ++j) {
                r.derivasX[j] += factores[m] * e.derivasX[j];
                r.derivasY[j] += factores[m] * e.derivasY[j];
            }
        }
        elegirDerivas(r, niveles[k], escalaTraslaciones);
    }
}

void envolverNiveles(casoResultado& caso, const std::vector<casoResultado>& casos,
                     const std::vector<nivelColumnas>& niveles, const escalasCaso& escalas) {
    caso.niveles.clear();
    bool primero = true;
    for (int c : caso.componentes) {
        if (c < 0 || static_cast<size_t>(c) >= casos.size()) continue;
        const std::vector<resultadoNivel>& o = casos[static_cast<size_t>(c)].niveles;
        if (primero) {
            caso.niveles = o;
            for (resultadoNivel& r : caso.niveles) r.casoX = r.casoY = c;
            primero = false;
            continue;
        }
        for (size_t k = 0; k < caso.niveles.size() && k < o.size() && k < niveles.size(); ++k) {
            resultadoNivel& r = caso.niveles[k];
            const resultadoNivel& e = o[k];
            const double tolerancia = toleranciaNivel(niveles[k], escalas.traslaciones);
            if (e.derivaX > r.derivaX + tolerancia) r.casoX = c;
            if (e.derivaY > r.derivaY + tolerancia) r.casoY = c;
            for (size_t j = 0; j < r.derivasX.size() && j < e.derivasX.size(); ++j) {
                r.derivasX[j] = std::max(r.derivasX[j], e.derivasX[j]);
                r.derivasY[j] = std::max(r.derivasY[j], e.derivasY[j]);
            }
            elegirDerivas(r, niveles[k], escalas.traslaciones);
        }
    }
}

double derivaNivelSinRuido(const casoResultado& caso, const resultadoNivel& r, int d) {
    const double deriva = d == 0 ? r.derivaX : r.derivaY, altura = d == 0 ? r.alturaX : r.alturaY;
    return altura > 0 ? sinRuido(deriva * altura, caso.escalas.traslaciones) / altura : 0.0;
}
