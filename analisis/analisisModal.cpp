#include "analisis/analisisModal.h"

#include "analisis/autovaloresDensos.h"
#include "analisis/hilosCalculo.h"
#include "analisis/lanczosBloque.h"

#include <Eigen/Eigenvalues>
#include <Spectra/SymEigsSolver.h>
#include <algorithm>
#include <cmath>
#include <string>

#include "diagnosticos.h"
#include "globales.h"
#include "modelo/sismo.h"

namespace {

// Con pocos grados de libertad, o casi todos los modos pedidos, el problema se
// resuelve entero con una descomposición densa.
constexpr Eigen::Index kLibresDenso = 500;
// Un autovalor 1/ω² por debajo de esta fracción del mayor es un modo sin masa
// (de frecuencia infinita).
constexpr double kModoSinMasa = 1e-12;
// Memoria que pueden ocupar las bases del Lanczos por bloques (bytes), y la
// matriz densa con LAPACK.
constexpr double kMemoriaBloques = 1.5e9;
// Con una base del Lanczos por bloques de más de 1/kLibresDensoLapack de los
// libres, la descomposición densa con LAPACK es más rápida.
constexpr Eigen::Index kLibresDensoLapack = 4;

// y = L⁻¹·P·Ms·Pᵀ·L⁻ᵀ·x, con Ms la masa escalada como la rigidez.
class operadorModal {
public:
    using Scalar = double;
    operadorModal(const solucionDispersa& f, const Eigen::SparseMatrix<double>& m) : factor(f), masa(m) {}
    Eigen::Index rows() const { return masa.rows(); }
    // Las matrices escaladas enteras, densas (sólo para problemas de unos
    // pocos miles de grados de libertad).
    Eigen::MatrixXd masaDensa() const { return Eigen::MatrixXd(masa); }
    Eigen::MatrixXd rigidezDensa() const {
        const Eigen::SparseMatrix<double>& inferior = factor.matrizEscalada();
        Eigen::MatrixXd k = Eigen::MatrixXd(inferior);
        k.triangularView<Eigen::StrictlyUpper>() = k.transpose().triangularView<Eigen::StrictlyUpper>();
        return k;
    }
    Eigen::Index cols() const { return masa.rows(); }
    Eigen::MatrixXd aplicar(const Eigen::MatrixXd& x) const {
        return factor.aplicarInversaL(masa * factor.aplicarInversaLt(x));
    }
    // Lo mismo, dejando en z = Pᵀ·L⁻ᵀ·x el paso intermedio (las formas en
    // variables escaladas). El producto por la masa recorre la matriz una sola
    // vez para todo el bloque: fila a fila del bloque traspuesto.
    Eigen::MatrixXd aplicar(const Eigen::MatrixXd& x, Eigen::MatrixXd& z) const {
        z = factor.aplicarInversaLt(x);
        const Eigen::MatrixXd zt = z.transpose();
        Eigen::MatrixXd mzt = Eigen::MatrixXd::Zero(zt.rows(), zt.cols());
        for (Eigen::Index j = 0; j < masa.outerSize(); ++j)
            for (Eigen::SparseMatrix<double>::InnerIterator it(masa, j); it; ++it)
                mzt.col(it.row()) += it.value() * zt.col(j);
        return factor.aplicarInversaL(mzt.transpose());
    }
    void perform_op(const double* entrada, double* salida) const {
        const Eigen::Map<const Eigen::MatrixXd> x(entrada, rows(), 1);
        Eigen::Map<Eigen::MatrixXd>(salida, rows(), 1) = aplicar(x);
    }

private:
    const solucionDispersa& factor;
    const Eigen::SparseMatrix<double>& masa;
};

// Masa concentrada del nudo: la de masaNudo: y la de sus cargas puntuales hacia abajo.
double masaDeNudo(const objNudo3d& n) {
    double m = n.getMasa();
    if (!(gravedad > 0)) return m;
    for (const auto& [factor, caso] : masasDeCargas) m += factor * std::max(0.0, -n.getCargaVerticalDeCaso(caso)) / gravedad;
    return m;
}

}  // namespace

void recorrerMasa(const std::function<void(Eigen::Index, Eigen::Index, double)>& sumar) {
    const bool conCargas = !masasDeCargas.empty();
    const double propia = factorMasaPropia();
    for (const objBarra3d& b : barra) {
        Eigen::MatrixXd m = b.getMasaGlobal(gravedad, propia);
        if (conCargas) m += b.getMasaDeCargasGlobal(masasDeCargas, gravedad);
        const Eigen::Index primero[2] = {6 * static_cast<Eigen::Index>(b.getNudoInicioInterno()),
                                         6 * static_cast<Eigen::Index>(b.getNudoFinalInterno())};
        if (!m.allFinite()) continue;
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 12; ++j) sumar(primero[i / 6] + i % 6, primero[j / 6] + j % 6, m(i, j));
    }
    for (const objNudo3d& n : nudo) {
        const double m = masaDeNudo(n);
        if (!(m > 0) || !std::isfinite(m)) continue;
        for (int i = 0; i < 3; ++i) sumar(6 * static_cast<Eigen::Index>(n.getNoNudoInterno()) + i, 6 * static_cast<Eigen::Index>(n.getNoNudoInterno()) + i, m);
    }
}

namespace {

// Masa de los libres, completa, en el orden de eliminación.
Eigen::SparseMatrix<double> masaLibre(const numeracionLibre& num) {
    std::vector<Eigen::Triplet<double>> terminos;
    // Con diafragmas, Tᵀ·M·T: la inercia de giro de cada diafragma sale de las
    // masas de sus nudos y de sus barras.
    recorrerMasa([&](Eigen::Index gi, Eigen::Index gj, double v) {
        if (v == 0.0) return;
        num.proyectar(gi, gj, v, [&](int oi, int oj, double w) { terminos.emplace_back(oi, oj, w); });
    });
    Eigen::SparseMatrix<double> masa(num.noLibres(), num.noLibres());
    masa.setFromTriplets(terminos.begin(), terminos.end());
    return masa;
}

// Bloque, base y vectores retenidos del Lanczos por bloques para `pedidos`
// modos. Seis vectores por pasada por el factor: con más, la pasada cuesta
// más de lo que ahorran en pasadas; con menos, hacen falta demasiadas.
parametrosLanczosBloque parametrosBloques(Eigen::Index pedidos) {
    parametrosLanczosBloque p;
    p.bloque = std::max<Eigen::Index>(6, (pedidos + 2) / 3);
    p.retenidos = std::max<Eigen::Index>(2 * pedidos, pedidos + 20);
    p.base = p.retenidos + 5 * p.bloque;
    p.pasadasMaximas = 40;
    return p;
}

// Mayores autovalores (y sus vectores) del operador, de mayor a menor. Si el
// camino lo da sin otra pasada, deja en intermedios Pᵀ·L⁻ᵀ·vectores.
bool autovalores(const operadorModal& op, Eigen::Index pedidos, Eigen::VectorXd& valores, Eigen::MatrixXd& vectores,
                 Eigen::MatrixXd& intermedios) {
    informeModal& informe = ultimoInformeModal();
    const Eigen::Index n = op.rows();
    if (n <= kLibresDenso || 2 * pedidos >= n) {
        // A = Zᵀ·Ms·Z con Z = Pᵀ·L⁻ᵀ: la misma matriz, armada entera.
        Eigen::MatrixXd a = op.aplicar(Eigen::MatrixXd::Identity(n, n));
        a = 0.5 * (a + a.transpose()).eval();
        Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> densa(a);
        if (densa.info() != Eigen::Success) return false;
        const Eigen::Index k = std::min(pedidos, n);
        valores = densa.eigenvalues().tail(k).reverse();
        vectores = densa.eigenvectors().rightCols(k).rowwise().reverse();
        informe.metodo = metodoModal::densa;
        return true;
    }
    const parametrosLanczosBloque p = parametrosBloques(pedidos);
    // Con cientos de modos pedidos la base de los bloques llega a ser una
    // parte grande de la matriz, y cada pasada cuesta casi lo que el problema
    // entero: M·y = λ·K·y (las matrices escaladas, densas) con LAPACK, que da
    // y en las variables escaladas con yᵀ·K·y = 1, como Pᵀ·L⁻ᵀ·φ.
    if (!ajustesModales().soloUnVector && kLibresDensoLapack * p.base >= n &&
        3.0 * 8.0 * static_cast<double>(n) * static_cast<double>(n) <= kMemoriaBloques) {
        // La reducción a tridiagonal reparte su trabajo entre los hilos de
        // la biblioteca BLAS: tantos como núcleos libres.
        elegirHilosBlas();
        Eigen::MatrixXd masa = op.masaDensa(), rigidez = op.rigidezDensa();
        if (mayoresAutovaloresGeneralizados(masa, rigidez, pedidos, valores, intermedios)) {
            vectores = intermedios;
            informe.metodo = metodoModal::densaGeneralizada;
            return true;
        }
        intermedios.resize(0, 0);
    }
    // Las bases de los bloques (V y A·V, y las formas si caben) ocupan varias
    // veces la del Lanczos de un vector: con muchos modos en un modelo muy
    // grande se quedan fuera.
    const double bytesBase = 8.0 * static_cast<double>(n) * static_cast<double>(p.base);
    if (!ajustesModales().soloUnVector && 2 * bytesBase <= kMemoriaBloques) {
        // Un bloque de vectores por cada pasada por el factor. El Lanczos de
        // un vector arranca de un solo vector: de un par de modos de igual
        // frecuencia (planta simétrica) puede ver uno solo y dar como
        // siguiente un modo más alto; el bloque ve los dos. Si los bloques no
        // convergen (o hay modos sin masa entre los pedidos) sigue el Lanczos
        // de un vector.
        const bool conFormas = 3 * bytesBase <= kMemoriaBloques;
        informeLanczosBloque info;
        const bool convergio = lanczosBloque(
            [&op, conFormas](const Eigen::MatrixXd& x, Eigen::MatrixXd& z) {
                Eigen::MatrixXd y = op.aplicar(x, z);
                if (!conFormas) z.resize(0, 0);
                return y;
            },
            n, pedidos, p, valores, vectores, &intermedios, &info);
        informe.pasadasBloques = info.pasadas;
        if (convergio) {
            informe.metodo = metodoModal::bloques;
            return true;
        }
        intermedios.resize(0, 0);
    }
    const Eigen::Index ncv = std::min(n, std::max(2 * pedidos + 1, pedidos + 20));
    operadorModal copia = op;
    Spectra::SymEigsSolver<operadorModal> lanczos(copia, pedidos, ncv);
    lanczos.init();
    lanczos.compute(Spectra::SortRule::LargestAlge, 1000, 1e-10);
    informe.operacionesLanczos = static_cast<int>(lanczos.num_operations());
    if (lanczos.info() != Spectra::CompInfo::Successful) return false;
    valores = lanczos.eigenvalues();
    vectores = lanczos.eigenvectors();
    informe.metodo = metodoModal::lanczos;
    return true;
}

}  // namespace

ajustesAnalisisModal& ajustesModales() {
    static ajustesAnalisisModal ajustes;
    return ajustes;
}

informeModal& ultimoInformeModal() {
    static informeModal informe;
    return informe;
}

void calcularModos(const solucionDispersa& factor, const numeracionLibre& num) {
    std::vector<modoVibracion>& modos = resultados.modos;
    modos.clear();
    ultimoInformeModal() = informeModal{};
    if (modosPedidos <= 0) return;
    const Eigen::Index nf = num.noLibres();
    Eigen::SparseMatrix<double> masa = masaLibre(num);
    // Masa total de cada dirección: la que se mueve con una traslación unitaria de los libres.
    Eigen::MatrixXd direccion = Eigen::MatrixXd::Zero(nf, 3);
    for (Eigen::Index i = 0; i < nf; ++i) {
        const int g = num.libres[static_cast<size_t>(i)] % 6;
        if (g < 3) direccion(num.orden[static_cast<size_t>(i)], g) = 1.0;
    }
    const Eigen::MatrixXd masaDireccion = masa * direccion;
    const Eigen::Vector3d masaTotal = (direccion.transpose() * masaDireccion).diagonal();
    // La masa de todo el modelo: la de las barras, μ·L con la adicional de
    // masaBarra: (la matriz consistente la conserva, también con
    // liberaciones), y las concentradas. Con masaDeCargas:, también la de las
    // cargas.
    double total = 0;
    const double propia = factorMasaPropia();
    for (const objBarra3d& b : barra) {
        double masaBarra = b.getMasaPorLargo(gravedad, propia) * b.getLongitud();
        if (!masasDeCargas.empty()) masaBarra += b.getMasaDeCargasTotal(masasDeCargas, gravedad);
        if (masaBarra > 0 && std::isfinite(masaBarra)) total += masaBarra;
    }
    for (const objNudo3d& n : nudo) {
        const double m = masaDeNudo(n);
        if (m > 0 && std::isfinite(m)) total += m;
    }
    resultados.masaTotal = total;
    resultados.masaLibre = masaTotal;
    // Lo que cuenta es toda la masa de los libres: en una viga apoyada en
    // todos sus nudos sólo giran los nudos, y la masa consistente les da
    // inercia de giro aunque ninguna traslación quede libre.
    if (nf == 0 || masa.nonZeros() == 0 || !(masa.diagonal().maxCoeff() > 0)) {
        mensajes.advertencia("Advertencia: la estructura no tiene masa que se mueva; no hay modos que calcular");
        return;
    }

    const Eigen::VectorXd& s = factor.escala();
    const Eigen::SparseMatrix<double> masaEscalada = s.asDiagonal() * masa * s.asDiagonal();
    const operadorModal op(factor, masaEscalada);
    Eigen::VectorXd valores;
    Eigen::MatrixXd vectores, intermedios;
    // No hay más modos que incógnitas libres.
    const Eigen::Index pedidos = std::min<Eigen::Index>(modosPedidos, nf);
    if (pedidos < modosPedidos)
        mensajes.advertencia("Advertencia: se piden " + std::to_string(modosPedidos) + " modos y la estructura tiene " +
                             std::to_string(nf) + " incógnitas libres; se calculan a lo sumo " + std::to_string(nf));
    if (!autovalores(op, pedidos, valores, vectores, intermedios)) {
        mensajes.advertencia("Advertencia: el cálculo de los modos no convergió; no hay resultados modales");
        return;
    }
    if (intermedios.cols() != vectores.cols()) intermedios = factor.aplicarInversaLt(vectores);
    const Eigen::MatrixXd formas = s.asDiagonal() * intermedios;

    Eigen::Vector3d acumulada = Eigen::Vector3d::Zero();
    for (Eigen::Index k = 0; k < valores.size(); ++k) {
        const double lambda = valores(k);
        if (!(lambda > kModoSinMasa * valores(0))) {
            mensajes.advertencia("Advertencia: el modo " + std::to_string(k + 1) + " no tiene masa; se omite");
            continue;
        }
        modoVibracion m;
        m.omega = 1.0 / std::sqrt(lambda);
        m.frecuencia = m.omega / (2 * PI);
        m.periodo = 1.0 / m.frecuencia;
        Eigen::VectorXd forma = num.aCompleta(formas.col(k));
        // La mayor traslación vale 1 (el mayor giro, si el modo no traslada nada).
        const Eigen::Index mayor = componenteNormalizadora(forma);
        if (mayor < 0) continue;
        const double escala = forma(mayor);
        forma /= escala;
        const Eigen::VectorXd libre = formas.col(k) / escala;
        const double masaGeneralizada = libre.dot(masa * libre);
        const Eigen::Vector3d participacion = masaDireccion.transpose() * libre;
        for (int d = 0; d < 3; ++d) {
            m.participacion(d) = participacion(d) / masaGeneralizada;
            m.masaEfectiva(d) = masaTotal(d) > 0 ? participacion(d) * participacion(d) / masaGeneralizada / masaTotal(d) : 0.0;
        }
        acumulada += m.masaEfectiva;
        m.masaAcumulada = acumulada;
        m.forma = forma;
        modos.push_back(m);
    }
    if (static_cast<Eigen::Index>(modos.size()) < pedidos)
        mensajes.advertencia("Advertencia: se pidieron " + std::to_string(pedidos) + " modos y hay " +
                             std::to_string(modos.size()));
}
