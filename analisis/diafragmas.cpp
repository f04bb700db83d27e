#include "analisis/diafragmas.h"

#include <algorithm>
#include <cmath>

#include "analisis/ordenNudos.h"
#include "analisis/solucionJuego.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

// Dos alturas son la misma dentro de esta fracción del tamaño del modelo (la
// tolerancia con que el cargador acepta un diafragma horizontal).
constexpr double kMismaAltura = 1e-9;

// Lo que está debajo de cada diafragma: otro diafragma (el más alto de los
// que están más abajo) o la base (los nudos con apoyo debajo, que no se
// mueven), y la altura entre ambos. Sin ninguno de los dos no hay deriva.
struct pisoInferior {
    int diafragma = -1;
    bool base = false;
    double altura = 0;
};

std::vector<pisoInferior> pisosInferiores() {
    const double tolerancia = kMismaAltura * tamanoModelo();
    std::vector<pisoInferior> pisos(diafragmas.size());
    const std::vector<int> orden = diafragmasPorAltura();
    for (size_t k = 0; k < orden.size(); ++k) {
        const diafragma& d = diafragmas[static_cast<size_t>(orden[k])];
        pisoInferior& p = pisos[static_cast<size_t>(orden[k])];
        // El diafragma más alto de los que quedan por debajo (uno a la misma
        // altura, como el piso de otra torre, no es el de abajo).
        for (size_t j = k; j-- > 0;) {
            const diafragma& otro = diafragmas[static_cast<size_t>(orden[j])];
            if (otro.z < d.z - tolerancia) {
                p.diafragma = orden[j];
                p.altura = d.z - otro.z;
                break;
            }
        }
        if (p.diafragma >= 0) continue;
        double zBase = -INFINITY;
        for (const objNudo3d& n : nudo) {
            if (n.getZ() >= d.z - tolerancia) continue;
            const Eigen::VectorXi a = n.getVectorApoyo();
            if (!a.isZero()) zBase = std::max(zBase, n.getZ());
        }
        if (std::isfinite(zBase)) p.base = true, p.altura = d.z - zBase;
    }
    return pisos;
}

// Primera fila de cada diafragma entre las magnitudes.
std::vector<Eigen::Index> filasDeDiafragmas(Eigen::Index& total) {
    std::vector<Eigen::Index> filas;
    total = 0;
    for (const diafragma& d : diafragmas) {
        filas.push_back(total);
        total += 3 + 2 * static_cast<Eigen::Index>(d.nudos.size());
    }
    return filas;
}

// La deriva que manda: la mayor de las de sus nudos (ante un empate, a menos
// del redondeo de las traslaciones del caso, el primer nudo).
void elegirDerivas(resultadoDiafragma& r, const diafragma& d, double escalaTraslaciones) {
    if (!r.conDeriva || d.nudos.empty()) return;
    const double tolerancia = r.altura > 0 ? toleranciaEmpate(escalaTraslaciones) / r.altura : 0.0;
    const int n = static_cast<int>(r.derivasX.size());
    const int x = indiceExtremo(n, [&](int i) { return r.derivasX[static_cast<size_t>(i)]; }, tolerancia);
    const int y = indiceExtremo(n, [&](int i) { return r.derivasY[static_cast<size_t>(i)]; }, tolerancia);
    if (x < 0 || y < 0) return;
    r.derivaX = r.derivasX[static_cast<size_t>(x)], r.nudoX = d.nudos[static_cast<size_t>(x)];
    r.derivaY = r.derivasY[static_cast<size_t>(y)], r.nudoY = d.nudos[static_cast<size_t>(y)];
}

}  // namespace

numeracionLibre numerarConDiafragmas(const Eigen::VectorXi& restricciones, Eigen::Index noGdl,
                                     const std::vector<std::pair<int, int>>& conexiones) {
    numeracionLibre num;
    num.noGdl = noGdl;
    const size_t nd = diafragmas.size();
    num.posicionLibre.assign(static_cast<size_t>(noGdl) + 6 * nd, -1);
    num.diafragmaDeNudo.assign(nudo.size(), -1);
    num.dx.assign(nudo.size(), 0.0);
    num.dy.assign(nudo.size(), 0.0);
    for (size_t k = 0; k < nd; ++k)
        for (int i : diafragmas[k].nudos) {
            const size_t n = static_cast<size_t>(i);
            num.diafragmaDeNudo[n] = static_cast<int>(k);
            num.dx[n] = nudo[n].getX() - diafragmas[k].xc;
            num.dy[n] = nudo[n].getY() - diafragmas[k].yc;
        }
    for (Eigen::Index g = 0; g < noGdl; ++g) {
        const int clase = static_cast<int>(g % 6);
        const bool sigue = num.diafragmaDeNudo[static_cast<size_t>(g / 6)] >= 0 && (clase <= 1 || clase == 5);
        if (restricciones(g) != 0 || sigue) continue;
        num.posicionLibre[static_cast<size_t>(g)] = static_cast<int>(num.libres.size());
        num.libres.push_back(static_cast<int>(g));
    }
    const int propios = static_cast<int>(num.libres.size());
    for (size_t k = 0; k < nd; ++k)
        for (int clase : {0, 1, 5}) {
            const size_t g = static_cast<size_t>(noGdl) + 6 * k + static_cast<size_t>(clase);
            num.posicionLibre[g] = static_cast<int>(num.libres.size());
            num.libres.push_back(static_cast<int>(g));
        }
    num.orden = ordenarGradosLibres(static_cast<int>(nudo.size()), conexiones, num.posicionLibre, propios);
    for (int p = propios; p < static_cast<int>(num.libres.size()); ++p) num.orden.push_back(p);
    return num;
}

std::vector<int> diafragmasSinRigidez(const Eigen::SparseMatrix<double>& kff, const numeracionLibre& num,
                                      const Eigen::VectorXd& referencia, double fraccion) {
    Eigen::VectorXd deDiafragmas = Eigen::VectorXd::Zero(num.noLibres());
    int p[2];
    double c[2];
    for (Eigen::Index g = 0; g < num.noGdl && g < referencia.size(); ++g) {
        if (num.diafragmaDeNudo[static_cast<size_t>(g / 6)] < 0) continue;
        const int n = num.terminos(g, p, c);
        for (int k = 0; k < n; ++k) deDiafragmas(num.orden[static_cast<size_t>(p[k])]) += c[k] * c[k] * referencia(g);
    }
    const Eigen::VectorXd diagonal = kff.diagonal();
    std::vector<int> sinRigidez;
    for (size_t i = 0; i < num.libres.size(); ++i) {
        if (num.libres[i] < num.noGdl) continue;
        const int o = num.orden[i];
        if (std::fabs(diagonal(o)) <= fraccion * deDiafragmas(o)) sinRigidez.push_back(num.libres[i]);
    }
    return sinRigidez;
}

Eigen::MatrixXd magnitudesDiafragmas(const Eigen::MatrixXd& campos) {
    Eigen::Index total = 0;
    const std::vector<Eigen::Index> filas = filasDeDiafragmas(total);
    const std::vector<pisoInferior> pisos = pisosInferiores();
    Eigen::MatrixXd q = Eigen::MatrixXd::Zero(total, campos.cols());
    // Sin campos (un modelo sin combinaciones) no hay filas que leer.
    if (campos.cols() == 0) return q;
    // Centroides: el promedio de sus nudos (el cuerpo rígido lo da exacto).
    for (size_t k = 0; k < diafragmas.size(); ++k) {
        const diafragma& d = diafragmas[k];
        if (d.nudos.empty()) continue;
        for (int i : d.nudos) {
            q.row(filas[k]) += campos.row(6 * static_cast<Eigen::Index>(i));
            q.row(filas[k] + 1) += campos.row(6 * static_cast<Eigen::Index>(i) + 1);
            q.row(filas[k] + 2) += campos.row(6 * static_cast<Eigen::Index>(i) + 5);
        }
        q.middleRows(filas[k], 3) /= static_cast<double>(d.nudos.size());
    }
    for (size_t k = 0; k < diafragmas.size(); ++k) {
        const pisoInferior& p = pisos[k];
        if (p.diafragma < 0 && !p.base) continue;
        const diafragma& d = diafragmas[k];
        for (size_t j = 0; j < d.nudos.size(); ++j) {
            const objNudo3d& n = nudo[static_cast<size_t>(d.nudos[j])];
            const Eigen::Index g = 6 * static_cast<Eigen::Index>(d.nudos[j]);
            Eigen::RowVectorXd ux = campos.row(g), uy = campos.row(g + 1);
            if (p.diafragma >= 0) {
                // El punto de abajo se mueve con el cuerpo rígido del diafragma inferior.
                const diafragma& abajo = diafragmas[static_cast<size_t>(p.diafragma)];
                const Eigen::Index f = filas[static_cast<size_t>(p.diafragma)];
                ux -= q.row(f) - (n.getY() - abajo.yc) * q.row(f + 2);
                uy -= q.row(f + 1) + (n.getX() - abajo.xc) * q.row(f + 2);
            }
            const Eigen::Index fila = filas[k] + 3 + 2 * static_cast<Eigen::Index>(j);
            q.row(fila) = ux / p.altura;
            q.row(fila + 1) = uy / p.altura;
        }
    }
    return q;
}

void llenarDiafragmas(casoResultado& caso, const Eigen::VectorXd& q, double escalaTraslaciones) {
    caso.diafragmas.assign(diafragmas.size(), resultadoDiafragma());
    if (diafragmas.empty()) return;
    Eigen::Index total = 0;
    const std::vector<Eigen::Index> filas = filasDeDiafragmas(total);
    const std::vector<pisoInferior> pisos = pisosInferiores();
    for (size_t k = 0; k < diafragmas.size(); ++k) {
        const diafragma& d = diafragmas[k];
        resultadoDiafragma& r = caso.diafragmas[k];
        r.ux = r.uxMinimo = q(filas[k]);
        r.uy = r.uyMinimo = q(filas[k] + 1);
        r.giro = r.giroMinimo = q(filas[k] + 2);
        r.conDeriva = pisos[k].diafragma >= 0 || pisos[k].base;
        r.altura = pisos[k].altura;
        if (!r.conDeriva) continue;
        for (size_t j = 0; j < d.nudos.size(); ++j) {
            const Eigen::Index fila = filas[k] + 3 + 2 * static_cast<Eigen::Index>(j);
            r.derivasX.push_back(std::fabs(q(fila)));
            r.derivasY.push_back(std::fabs(q(fila + 1)));
        }
        elegirDerivas(r, d, escalaTraslaciones);
    }
}

void combinarDiafragmas(casoResultado& caso, const casoResultado& estatico,
                        const std::vector<const casoResultado*>& sismicos, const std::vector<double>& factores,
                        double escalaTraslaciones) {
    caso.diafragmas = estatico.diafragmas;
    for (size_t k = 0; k < caso.diafragmas.size(); ++k) {
        resultadoDiafragma& r = caso.diafragmas[k];
        double sx = 0, sy = 0, sg = 0;
        for (size_t m = 0; m < sismicos.size(); ++m) {
            if (k >= sismicos[m]->diafragmas.size()) continue;
            const resultadoDiafragma& e = sismicos[m]->diafragmas[k];
            sx += factores[m] * e.ux, sy += factores[m] * e.uy, sg += factores[m] * e.giro;
            for (size_t j = 0; j < r.derivasX.size() && j < e.derivasX.size(); ++j) {
                r.derivasX[j] += factores[m] * e.derivasX[j];
                r.derivasY[j] += factores[m] * e.derivasY[j];
            }
        }
        const resultadoDiafragma& s = estatico.diafragmas[k];
        r.ux = s.ux + sx, r.uxMinimo = s.ux - sx;
        r.uy = s.uy + sy, r.uyMinimo = s.uy - sy;
        r.giro = s.giro + sg, r.giroMinimo = s.giro - sg;
        elegirDerivas(r, diafragmas[k], escalaTraslaciones);
    }
}

void envolverDiafragmas(casoResultado& caso, const std::vector<casoResultado>& casos, const escalasCaso& escalas) {
    caso.diafragmas.clear();
    const double tolerancias[3] = {toleranciaEmpate(escalas.traslaciones), toleranciaEmpate(escalas.traslaciones),
                                   toleranciaEmpate(escalas.giros)};
    bool primero = true;
    for (int c : caso.componentes) {
        const std::vector<resultadoDiafragma>& o = casos[static_cast<size_t>(c)].diafragmas;
        if (primero) {
            caso.diafragmas = o;
            for (resultadoDiafragma& r : caso.diafragmas) {
                r.casoX = r.casoY = c;
                for (int i = 0; i < 3; ++i) r.casoMaximo[i] = r.casoMinimo[i] = c;
            }
            primero = false;
            continue;
        }
        for (size_t k = 0; k < caso.diafragmas.size() && k < o.size(); ++k) {
            resultadoDiafragma& r = caso.diafragmas[k];
            const resultadoDiafragma& e = o[k];
            double* mayores[3] = {&r.ux, &r.uy, &r.giro};
            double* menores[3] = {&r.uxMinimo, &r.uyMinimo, &r.giroMinimo};
            const double otrosMayores[3] = {e.ux, e.uy, e.giro};
            const double otrosMenores[3] = {e.uxMinimo, e.uyMinimo, e.giroMinimo};
            for (int i = 0; i < 3; ++i) {
                if (otrosMayores[i] > *mayores[i] + tolerancias[i]) *mayores[i] = otrosMayores[i], r.casoMaximo[i] = c;
                if (otrosMenores[i] < *menores[i] - tolerancias[i]) *menores[i] = otrosMenores[i], r.casoMinimo[i] = c;
            }
            for (size_t j = 0; j < r.derivasX.size() && j < e.derivasX.size(); ++j) {
                r.derivasX[j] = std::max(r.derivasX[j], e.derivasX[j]);
                r.derivasY[j] = std::max(r.derivasY[j], e.derivasY[j]);
            }
            const double tolDeriva = r.altura > 0 ? toleranciaEmpate(escalas.traslaciones) / r.altura : 0.0;
            if (e.conDeriva && e.derivaX > r.derivaX + tolDeriva) r.casoX = c;
            if (e.conDeriva && e.derivaY > r.derivaY + tolDeriva) r.casoY = c;
            elegirDerivas(r, diafragmas[k], escalas.traslaciones);
        }
    }
}
