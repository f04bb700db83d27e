#include "analisis/lanczosBloque.h"

#include <Eigen/Eigenvalues>
#include <Eigen/QR>
#include <Spectra/Util/SimpleRandom.h>
#include <algorithm>
#include <cmath>
#include <dlfcn.h>

namespace {

using Dgemm = void (*)(const char*, const char*, const int*, const int*, const int*, const double*, const double*,
                       const int*, const double*, const int*, const double*, double*, const int*);

// El dgemm de la biblioteca BLAS que ya carga CHOLMOD (vectorizado y con los
// hilos elegidos para la factorización), o nulo si no está.
Dgemm dgemmDelSistema() {
    static const Dgemm f = reinterpret_cast<Dgemm>(dlsym(RTLD_DEFAULT, "dgemm_"));
    return f;
}

// c = beta·c + alpha·op(a)·b, con op(a) = aᵀ si traspuesta.
void producto(bool traspuesta, double alpha, const Eigen::Ref<const Eigen::MatrixXd>& a,
              const Eigen::Ref<const Eigen::MatrixXd>& b, double beta, Eigen::Ref<Eigen::MatrixXd> c) {
    const Eigen::Index k = traspuesta ? a.rows() : a.cols();
    if (c.size() == 0) return;
    if (k == 0) {
        c *= beta;
        return;
    }
    if (const Dgemm dgemm = dgemmDelSistema()) {
        const int m = static_cast<int>(c.rows()), n = static_cast<int>(c.cols()), kk = static_cast<int>(k);
        const int lda = static_cast<int>(a.outerStride()), ldb = static_cast<int>(b.outerStride()),
                  ldc = static_cast<int>(c.outerStride());
        dgemm(traspuesta ? "T" : "N", "N", &m, &n, &kk, &alpha, a.data(), &lda, b.data(), &ldb, &beta, c.data(), &ldc);
        return;
    }
    if (traspuesta) c = beta * c + alpha * a.transpose() * b;
    else c = beta * c + alpha * a * b;
}

// Deja las columnas de z ortonormales y ortogonales a las de v (que lo son),
// con Gram-Schmidt por bloques contra v seguido de QR; en coeficientes, si se
// pide, vᵀ·z de la primera pasada. Si una columna pierde más de la mitad de su
// norma (estaba casi en el espacio de v o dependía de las otras del bloque),
// se repite la pasada con el Q obtenido: una columna que sólo salió de
// redondeos vuelve a proyectarse fuera de v. Falso si no se logra.
bool ortonormalizar(Eigen::MatrixXd& z, const Eigen::Ref<const Eigen::MatrixXd>& v,
                    Eigen::MatrixXd* coeficientes = nullptr) {
    const Eigen::Index n = z.rows(), b = z.cols();
    for (int pasada = 0; pasada < 4; ++pasada) {
        const Eigen::VectorXd antes = z.colwise().norm().transpose();
        if (v.cols() > 0) {
            Eigen::MatrixXd c(v.cols(), b);
            producto(true, 1.0, v, z, 0.0, c);
            producto(false, -1.0, v, c, 1.0, z);
            if (pasada == 0 && coeficientes) *coeficientes = std::move(c);
        }
        const Eigen::HouseholderQR<Eigen::MatrixXd> qr(z);
        bool bien = true;
        for (Eigen::Index i = 0; i < b; ++i)
            if (!(std::fabs(qr.matrixQR()(i, i)) > 0.5 * antes(i))) bien = false;
        z = qr.householderQ() * Eigen::MatrixXd::Identity(n, b);
        if (bien) return z.allFinite();
    }
    return false;
}

}  // namespace

bool lanczosBloque(const operadorBloque& a, Eigen::Index n, Eigen::Index pedidos, const parametrosLanczosBloque& p,
                   Eigen::VectorXd& valores, Eigen::MatrixXd& vectores, Eigen::MatrixXd* otras,
                   informeLanczosBloque* informe) {
    informeLanczosBloque propio;
    informeLanczosBloque& info = informe ? *informe : propio;
    info = informeLanczosBloque{};
    const Eigen::Index b = p.bloque, m = p.base, retenidos = p.retenidos;
    // La base y el bloque que la continúa deben caber en el espacio.
    if (pedidos < 1 || b < 1 || retenidos < pedidos || m < retenidos + b || m + b > n) return false;

    // Base V, sus imágenes W = A·V y las otras U = B·V; H = Vᵀ·A·V, calculada
    // un bloque de columnas a la vez.
    Eigen::MatrixXd v(n, m), w(n, m), u, h = Eigen::MatrixXd::Zero(m, m);
    // Bloque inicial al azar, siempre el mismo (el generador de Spectra con la
    // semilla de su Lanczos).
    Spectra::SimpleRandom<double> azar(0);
    Eigen::MatrixXd siguiente(n, b);
    for (Eigen::Index c = 0; c < b; ++c) siguiente.col(c) = azar.random_vec(n);
    if (!ortonormalizar(siguiente, v.leftCols(0))) return false;

    // Combina las columnas de la base: V·S, W·S y U·S.
    const auto combinar = [&](Eigen::Index j, const Eigen::MatrixXd& s, Eigen::MatrixXd& y, Eigen::MatrixXd& ay,
                              Eigen::MatrixXd* uy) {
        y.resize(n, s.cols());
        ay.resize(n, s.cols());
        producto(false, 1.0, v.leftCols(j), s, 0.0, y);
        producto(false, 1.0, w.leftCols(j), s, 0.0, ay);
        if (uy && u.cols() > 0) {
            uy->resize(u.rows(), s.cols());
            producto(false, 1.0, u.leftCols(j), s, 0.0, *uy);
        }
    };
    const auto ritz = [&](Eigen::Index j) {
        return Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd>(
            0.5 * (h.topLeftCorner(j, j) + h.topLeftCorner(j, j).transpose()));
    };

    Eigen::Index j = 0;
    int saltar = 0;  // pasadas que quedan sin Rayleigh–Ritz
    while (info.pasadas < p.pasadasMaximas) {
        // Con la base llena quedan los vectores de Ritz mayores. El bloque
        // siguiente, ortogonal a la base anterior, lo es también a ellos y
        // continúa el mismo espacio de Krylov.
        if (j + b > m) {
            const auto r = ritz(j);
            if (r.info() != Eigen::Success) return false;
            Eigen::MatrixXd y, ay, uy;
            combinar(j, r.eigenvectors().rightCols(retenidos).rowwise().reverse(), y, ay, &uy);
            v.leftCols(retenidos) = y;
            w.leftCols(retenidos) = ay;
            if (u.cols() > 0) u.leftCols(retenidos) = uy;
            h.setZero();
            producto(true, 1.0, y, ay, 0.0, h.topLeftCorner(retenidos, retenidos));
            j = retenidos;
            ++info.reinicios;
        }

        // Un bloque más: su imagen y las columnas nuevas de H.
        Eigen::MatrixXd otra;
        Eigen::MatrixXd imagen = a(siguiente, otra);
        ++info.pasadas;
        if (imagen.rows() != n || imagen.cols() != b || !imagen.allFinite()) return false;
        if (info.pasadas == 1 && otra.cols() == b) u.resize(otra.rows(), m);
        if (u.cols() > 0) {
            if (otra.rows() != u.rows() || otra.cols() != b) return false;
            u.middleCols(j, b) = otra;
        }
        v.middleCols(j, b) = siguiente;
        w.middleCols(j, b) = imagen;
        j += b;
        // El bloque que sigue: lo nuevo de A·V respecto de la base. Salvo
        // redondeo, A·Q sólo tiene componentes en Q, en el bloque anterior y,
        // si Q es el primero tras un reinicio, en los vectores retenidos: se
        // quitan ésas primero y después todo lo demás contra la base entera.
        // H recibe las dos partes.
        const Eigen::Index cerca = (j == b || j == retenidos + b) ? 0 : j - 2 * b;
        Eigen::MatrixXd c = Eigen::MatrixXd::Zero(j, b), resto;
        producto(true, 1.0, v.middleCols(cerca, j - cerca), imagen, 0.0, c.bottomRows(j - cerca));
        producto(false, -1.0, v.middleCols(cerca, j - cerca), c.bottomRows(j - cerca), 1.0, imagen);
        if (!ortonormalizar(imagen, v.leftCols(j), &resto)) return false;
        c += resto;
        h.block(0, j - b, j, b) = c;
        h.block(j - b, 0, b, j) = c.transpose();
        siguiente = std::move(imagen);
        if (j < pedidos) continue;
        if (saltar > 0) {
            --saltar;
            continue;
        }

        // Rayleigh–Ritz. Lo que A·V tiene fuera de la base está (salvo
        // redondeo) en el bloque siguiente Q: el residuo de cada par se estima
        // con Qᵀ·W, sin formar los vectores.
        const auto r = ritz(j);
        if (r.info() != Eigen::Success) return false;
        const Eigen::VectorXd theta = r.eigenvalues().tail(pedidos).reverse();
        const Eigen::MatrixXd s = r.eigenvectors().rightCols(pedidos).rowwise().reverse();
        if (!(theta(0) > 0)) return false;
        Eigen::MatrixXd g(b, j);
        producto(true, 1.0, siguiente, w.leftCols(j), 0.0, g);
        const Eigen::VectorXd estimados = (g * s).colwise().norm().transpose();
        // Un valor pedido nulo con su residuo ya pequeño: el operador tiene
        // un núcleo entre los pedidos (modos sin masa).
        if (!(theta(pedidos - 1) > p.valorNulo * theta(0)) && estimados(pedidos - 1) <= p.tolerancia * theta(0)) {
            info.nulos = true;
            return false;
        }
        double peor = 0;
        for (Eigen::Index i = 0; i < pedidos; ++i) peor = std::max(peor, estimados(i) / (p.tolerancia * theta(i)));
        if (!(peor <= 1)) {
            // Los residuos bajan a lo sumo unas treinta veces por pasada: las
            // pasadas que no pueden bastar se dan sin Rayleigh–Ritz.
            saltar = std::isfinite(peor) ? std::max(0, static_cast<int>(std::log(peor) / std::log(30.0)) - 1) : 0;
            continue;
        }
        bool convergidos = true;
        // La estimación dice que basta: se comprueba con los residuos de verdad.
        Eigen::MatrixXd y, ay, uy;
        combinar(j, s, y, ay, otras ? &uy : nullptr);
        for (Eigen::Index i = 0; i < pedidos; ++i)
            convergidos = convergidos && (ay.col(i) - theta(i) * y.col(i)).norm() <= p.tolerancia * theta(i);
        if (convergidos) {
            valores = theta;
            vectores = std::move(y);
            if (otras) *otras = std::move(uy);
            return true;
        }
    }
    return false;
}
