#include "analisis/funcionSolve.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <malloc.h>
#include <iostream>

#include "analisis/ordenNudos.h"
#include "analisis/solucionDispersa.h"
#include "globales.h"

tiemposAnalisis tiemposUltimoAnalisis;

namespace {

const char* const kNombreGdl[6] = {"Ux", "Uy", "Uz", "Rx", "Ry", "Rz"};

using Reloj = std::chrono::steady_clock;
double segundosDesde(Reloj::time_point inicio) {
    return std::chrono::duration<double>(Reloj::now() - inicio).count();
}

void informarInestable(const std::vector<int>& libres) {
    std::cout << "Error: la estructura es inestable; la matriz de rigidez no es definida positiva" << "\n";
    // Una diagonal que es sólo redondeo de la transformación a ejes globales
    // también es un grado de libertad sin rigidez.
    const Eigen::VectorXd diagonal = kEstructura.diagonal();
    double mayor = 0.0;
    for (int g : libres)
        if (std::isfinite(diagonal(g - 1))) mayor = std::max(mayor, std::fabs(diagonal(g - 1)));
    const double cero = solucionDispersa::fraccionNula() * mayor;
    for (int g : libres) {
        const int k = g - 1;
        // Una diagonal infinita o indefinida no se informa como falta de rigidez.
        if (!(std::fabs(diagonal(k)) <= cero)) continue;
        std::cout << "Grado de libertad sin rigidez: nudo " << nudo[static_cast<size_t>(k / 6)].getNoNudoUsuario()
                  << " " << kNombreGdl[k % 6] << "\n";
    }
    std::cout.flush();
}

void descartarResultados() {
    for (objNudo3d& n : nudo) n.borrarResultados();
    for (objBarra3d& b : barra) b.borrarResultados();
    u.resize(0, 0);
    reacciones.resize(0, 0);
    resultadosDisponibles = false;
}

// Rigidez global en forma dispersa. Los términos se suman en el orden de las
// barras, como en un ensamblaje denso que parte de ceros; los ceros exactos no
// se guardan (un cero negativo de una barra sumado a un cero queda cero).
void ensamblarRigidez(Eigen::Index ngl) {
    std::vector<Eigen::Triplet<double>> terminos;
    terminos.reserve(barra.size() * 144);
    for (objBarra3d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd k = b.getKGlobal();
        for (int j = 0; j < 12; ++j)
            for (int i = 0; i < 12; ++i)
                if (g(i) > 0 && g(j) > 0 && k(i, j) != 0.0) terminos.emplace_back(g(i) - 1, g(j) - 1, k(i, j));
    }
    kEstructura.resize(ngl, ngl);
    kEstructura.setFromTriplets(terminos.begin(), terminos.end());
    kEstructura.prune(0.0);
}

}  // namespace

bool funcionSolve() {
    const auto inicio = Reloj::now();
    const Eigen::Index ngl = 6 * static_cast<Eigen::Index>(noNudos);
    const Eigen::Index nc = noCombos;
    pEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    fEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    restriccionesEstructura = Eigen::VectorXi::Zero(ngl);

    ensamblarRigidez(ngl);
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd p = n.getCargasCombo();
        const Eigen::VectorXi g = n.getGdl();
        for (int i = 0; i < 6; ++i)
            for (Eigen::Index c = 0; c < nc && c < p.cols(); ++c) pEstructura(g(i) - 1, c) += p(i, c);
    }
    for (objBarra3d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd f = b.getCargasEquivalentesGlobales();
        for (int i = 0; i < 12; ++i)
            for (Eigen::Index c = 0; c < nc && c < f.cols(); ++c)
                if (g(i) > 0) fEstructura(g(i) - 1, c) += f(i, c);
    }
    for (const objNudo3d& n : nudo) {
        const Eigen::VectorXi g = n.getGdl();
        const Eigen::VectorXi a = n.getVectorApoyo();
        for (int i = 0; i < 6; ++i) restriccionesEstructura(g(i) - 1) = a(i);
    }

    // Partición: sólo los grados de libertad con código 0 son incógnitas; los
    // demás quedan fijos con desplazamiento nulo.
    std::vector<int> libres;
    std::vector<int> posicionLibre(static_cast<size_t>(ngl), -1);
    for (Eigen::Index k = 0; k < ngl; ++k)
        if (restriccionesEstructura(k) == 0) {
            posicionLibre[static_cast<size_t>(k)] = static_cast<int>(libres.size());
            libres.push_back(static_cast<int>(k + 1));
        }
    const Eigen::Index nf = static_cast<Eigen::Index>(libres.size());
    // Las incógnitas se numeran en el orden de eliminación (disección anidada
    // sobre los nudos), y así se arma el bloque libre-libre (triángulo inferior).
    std::vector<std::pair<int, int>> conexiones;
    conexiones.reserve(barra.size());
    for (const objBarra3d& b : barra) conexiones.emplace_back(b.getNudoInicioInterno(), b.getNudoFinalInterno());
    const std::vector<int> orden = ordenarGradosLibres(noNudos, conexiones, posicionLibre, static_cast<int>(nf));
    std::vector<Eigen::Triplet<double>> terminosLibres;
    terminosLibres.reserve(static_cast<size_t>(kEstructura.nonZeros() / 2 + nf));
    for (int j = 0; j < kEstructura.outerSize(); ++j) {
        const int lj = posicionLibre[static_cast<size_t>(j)];
        if (lj < 0) continue;
        const int oj = orden[static_cast<size_t>(lj)];
        for (Eigen::SparseMatrix<double>::InnerIterator it(kEstructura, j); it; ++it) {
            const int li = posicionLibre[static_cast<size_t>(it.row())];
            if (li < 0) continue;
            const int oi = orden[static_cast<size_t>(li)];
            if (oi >= oj) terminosLibres.emplace_back(oi, oj, it.value());
        }
    }
    Eigen::SparseMatrix<double> kff(nf, nf);
    kff.setFromTriplets(terminosLibres.begin(), terminosLibres.end());
    std::vector<Eigen::Triplet<double>>().swap(terminosLibres);
    Eigen::MatrixXd pf(nf, nc);
    // (Sin combinaciones las matrices no tienen columnas: no hay filas que copiar.)
    for (Eigen::Index i = 0; i < nf && nc > 0; ++i)
        pf.row(orden[static_cast<size_t>(i)]) = pEstructura.row(libres[i] - 1) + fEstructura.row(libres[i] - 1);
    tiemposUltimoAnalisis.ensamblaje = segundosDesde(inicio);

    // Los temporales del ensamblaje ya se liberaron; se devuelve esa memoria al
    // sistema antes de la factorización, que es el momento de mayor consumo.
    malloc_trim(0);
    auto etapa = Reloj::now();
    solucionDispersa solucion;
    bool estable = solucion.factorizar(std::move(kff));
    tiemposUltimoAnalisis.factorizacion = segundosDesde(etapa);
    etapa = Reloj::now();
    Eigen::MatrixXd uf;
    if (estable) estable = solucion.resolver(pf, uf);
    if (!estable) {
        informarInestable(libres);
        descartarResultados();
        tiemposUltimoAnalisis.solucion = segundosDesde(etapa);
        tiemposUltimoAnalisis.barras = 0;
        return false;
    }
    u = Eigen::MatrixXd::Zero(ngl, nc);
    for (Eigen::Index i = 0; i < nf && nc > 0; ++i) u.row(libres[i] - 1) = uf.row(orden[static_cast<size_t>(i)]);
    reacciones = kEstructura * u - pEstructura - fEstructura;
    tiemposUltimoAnalisis.solucion = segundosDesde(etapa);

    etapa = Reloj::now();
    for (objNudo3d& n : nudo) n.setDesplazamientos(u);
    for (objBarra3d& b : barra) b.setDesplazamientos(u);
    for (objNudo3d& n : nudo) n.setReacciones(reacciones);
    tiemposUltimoAnalisis.barras = segundosDesde(etapa);
    resultadosDisponibles = true;
    return true;
}
