#include "analisis/solucionJuego.h"

#include <algorithm>
#include <malloc.h>
#include <string>

#include "analisis/actualizacionRango.h"
#include "analisis/diafragmas.h"
#include "analisis/hilosCalculo.h"
#include "analisis/mecanismos.h"
#include "analisis/refinamiento.h"
#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"

namespace {

const char* const kNombreGdl[6] = {"Ux", "Uy", "Uz", "Rx", "Ry", "Rz"};

// Una diagonal por debajo de esta fracción de la rigidez que las barras del
// nudo dan a los grados de libertad de la misma clase (traslaciones o giros)
// es un cero: lo que queda ahí es el redondeo de la transformación a ejes
// globales (productos como cos(90°) ≈ 6e-17, unas 1e-32 veces la rigidez de
// la barra). Comparar dentro del nudo, y no con la mayor diagonal del modelo,
// deja que una barra muy rígida conviva con otras flexibles.
constexpr double kFraccionNula = 1e-24;
// Un pivote que perdió diez cifras, o una condición estimada de 1e12, hacen
// sospechar un mecanismo: se busca su modo antes de dar la solución por buena.
constexpr double kPivoteSospechoso = 1e-10;
constexpr double kCondicionSospechosa = 1e12;
// Grados de libertad de un mecanismo que se nombran como máximo.
constexpr size_t kGdlNombrados = 10;
// Desde estas incógnitas la factorización pasa la mayor parte del tiempo en
// las operaciones densas de la biblioteca BLAS y vale la pena elegir sus hilos.
constexpr Eigen::Index kLibresParaElegirHilos = 20000;

void nombrarGdl(int k) {
    // Los de un diafragma van después de los de los nudos.
    const size_t d = static_cast<size_t>(k / 6) - nudo.size();
    if (static_cast<size_t>(k / 6) >= nudo.size() && d < diafragmas.size()) {
        mensajes.error("Grado de libertad sin rigidez: diafragma " + std::to_string(diafragmas[d].numero) + " " +
                       kNombreGdl[k % 6]);
        return;
    }
    mensajes.error("Grado de libertad sin rigidez: nudo " +
                   std::to_string(nudo[static_cast<size_t>(k / 6)].getNoNudoUsuario()) + " " + kNombreGdl[k % 6]);
}

void informarInestable(const std::vector<int>& gdl, size_t tope) {
    mensajes.error("Error: la estructura es inestable; la matriz de rigidez no es definida positiva");
    for (size_t i = 0; i < gdl.size() && i < tope; ++i) nombrarGdl(gdl[i]);
    if (gdl.size() > tope)
        mensajes.error("(y otros " + std::to_string(gdl.size() - tope) + " grados de libertad del mismo mecanismo)");
}

void informarSingular() {
    mensajes.error("Error: la matriz de rigidez es numéricamente singular (rigideces demasiado distintas); "
                   "revise barras muy rígidas o muy cortas");
}

// Grados de libertad libres sin rigidez (diagonal nula o sólo redondeo).
std::vector<int> gdlSinRigidez(const Eigen::SparseMatrix<double>& kEstructura, const numeracionLibre& num,
                               const Eigen::VectorXd& referencia) {
    std::vector<int> sinRigidez;
    const Eigen::VectorXd diagonal = kEstructura.diagonal();
    for (int g : num.libres)
        if (g < diagonal.size() && std::fabs(diagonal(g)) <= kFraccionNula * referencia(g)) sinRigidez.push_back(g);
    return sinRigidez;
}

// Bloque libre-libre de la rigidez (triángulo inferior) en el orden de eliminación.
Eigen::SparseMatrix<double> bloqueLibre(const Eigen::SparseMatrix<double>& kEstructura, const numeracionLibre& num) {
    std::vector<Eigen::Triplet<double>> terminos;
    terminos.reserve(static_cast<size_t>(kEstructura.nonZeros() / 2 + num.noLibres()));
    if (num.conDiafragmas()) {
        // Tᵀ·K·T: cada término pasa a las incógnitas de las que dependen su fila y su columna.
        for (int j = 0; j < kEstructura.outerSize(); ++j)
            for (Eigen::SparseMatrix<double>::InnerIterator it(kEstructura, j); it; ++it)
                num.proyectar(it.row(), j, it.value(), [&](int oi, int oj, double v) {
                    if (oi >= oj && v != 0.0) terminos.emplace_back(oi, oj, v);
                });
    }
    for (int j = 0; j < kEstructura.outerSize() && !num.conDiafragmas(); ++j) {
        const int lj = num.posicionLibre[static_cast<size_t>(j)];
        if (lj < 0) continue;
        const int oj = num.orden[static_cast<size_t>(lj)];
        for (Eigen::SparseMatrix<double>::InnerIterator it(kEstructura, j); it; ++it) {
            const int li = num.posicionLibre[static_cast<size_t>(it.row())];
            if (li < 0) continue;
            const int oi = num.orden[static_cast<size_t>(li)];
            if (oi >= oj) terminos.emplace_back(oi, oj, it.value());
        }
    }
    Eigen::SparseMatrix<double> kff(num.noLibres(), num.noLibres());
    kff.setFromTriplets(terminos.begin(), terminos.end());
    return kff;
}

// Una rigidez que no es finita, o una diagonal negativa, no vienen de un
// mecanismo sino de datos imposibles (un módulo de corte infinito, un módulo
// de elasticidad negativo): la matriz no es definida positiva.
bool rigidezImposible(const Eigen::SparseMatrix<double>& kEstructura, const numeracionLibre& num) {
    for (int j = 0; j < kEstructura.outerSize(); ++j)
        for (Eigen::SparseMatrix<double>::InnerIterator it(kEstructura, j); it; ++it)
            if (!std::isfinite(it.value())) return true;
    const Eigen::VectorXd diagonal = kEstructura.diagonal();
    for (int g : num.libres)
        if (g < diagonal.size() && diagonal(g) < 0) return true;
    return false;
}

}  // namespace

// Rigidez global en forma dispersa. Los términos se suman en el orden de las
// barras, como en un ensamblaje denso que parte de ceros; los ceros exactos no
// se guardan (un cero negativo de una barra sumado a un cero queda cero).
// referencia(g) recibe, para cada grado de libertad, la mayor diagonal de la
// misma clase que le da alguna de sus barras. Una barra sin sección o sin
// material no aporta rigidez (el cargador ya lo dijo); tampoco las marcadas
// en inactivas (si no está vacía, una entrada por barra).
void ensamblarRigidez(Eigen::SparseMatrix<double>& kEstructura, Eigen::Index ngl, Eigen::VectorXd& referencia,
                      const std::vector<char>& inactivas) {
    std::vector<Eigen::Triplet<double>> terminos;
    terminos.reserve(barra.size() * 144);
    referencia = Eigen::VectorXd::Zero(ngl);
    for (const objBarra3d& b : barra) {
        const size_t indice = static_cast<size_t>(b.getNoBarraInterna());
        if (indice < inactivas.size() && inactivas[indice]) continue;
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd k = b.getKGlobal();
        for (int j = 0; j < 12; ++j)
            for (int i = 0; i < 12; ++i)
                if (g(i) > 0 && g(j) > 0 && k(i, j) != 0.0) terminos.emplace_back(g(i) - 1, g(j) - 1, k(i, j));
        for (int bloque = 0; bloque < 4; ++bloque) {
            const double mayor = k.diagonal().segment<3>(3 * bloque).cwiseAbs().maxCoeff();
            for (int i = 0; i < 3; ++i) {
                const int fila = g(3 * bloque + i) - 1;
                if (fila >= 0 && std::isfinite(mayor)) referencia(fila) = std::max(referencia(fila), mayor);
            }
        }
    }
    // Resortes a tierra: su rigidez se suma a la diagonal de su grado de
    // libertad (donde hay apoyo manda el apoyo y el resorte no cuenta).
    for (const objNudo3d& n : nudo)
        for (int i = 0; i < 6; ++i) {
            const double k = n.getResorteEfectivo(i);
            const Eigen::Index fila = 6 * static_cast<Eigen::Index>(n.getNoNudoInterno()) + i;
            if (k == 0.0 || fila >= ngl) continue;
            terminos.emplace_back(fila, fila, k);
            if (std::isfinite(k)) referencia(fila) = std::max(referencia(fila), k);
        }
    kEstructura.resize(ngl, ngl);
    kEstructura.setFromTriplets(terminos.begin(), terminos.end());
    kEstructura.prune(0.0);
}

// Diagonal de la caja que contiene a los nudos (1 si es un punto).
double tamanoModelo() {
    if (nudo.empty()) return 1.0;
    Eigen::Vector3d menor(nudo[0].getX(), nudo[0].getY(), nudo[0].getZ()), mayor = menor;
    for (const objNudo3d& n : nudo) {
        const Eigen::Vector3d x(n.getX(), n.getY(), n.getZ());
        menor = menor.cwiseMin(x);
        mayor = mayor.cwiseMax(x);
    }
    const double d = (mayor - menor).norm();
    return d > 0 && std::isfinite(d) ? d : 1.0;
}

void resolverSistema(const std::vector<char>& inactivas, const numeracionLibre& num, const Eigen::MatrixXd& cargas,
                     const Eigen::MatrixXd& impuestos, const Reloj::time_point* inicio, sistemaResuelto& s) {
    const Eigen::Index ngl = num.noGdl;
    if (!s.ensamblada) ensamblarRigidez(s.rigidez, ngl, s.referencia, inactivas);
    Eigen::VectorXd& referencia = s.referencia;
    Eigen::SparseMatrix<double> kff = bloqueLibre(s.rigidez, num);
    if (inicio) tiemposUltimoAnalisis.ensamblaje = segundosDesde(*inicio);
    if (rigidezImposible(s.rigidez, num)) {
        informarInestable({}, 0);
        s.resultado = resultadoAnalisis::inestable;
        return;
    }
    std::vector<int> sinRigidez = gdlSinRigidez(s.rigidez, num, referencia);
    if (num.conDiafragmas()) {
        const std::vector<int> maestros = diafragmasSinRigidez(kff, num, referencia, kFraccionNula);
        sinRigidez.insert(sinRigidez.end(), maestros.begin(), maestros.end());
    }
    if (!sinRigidez.empty()) {
        informarInestable(sinRigidez, sinRigidez.size());
        s.resultado = resultadoAnalisis::inestable;
        return;
    }
    referencia.resize(0);

    if (inicio) {
        // Los temporales del ensamblaje ya se liberaron; se devuelve esa memoria al
        // sistema antes de la factorización, que es el momento de mayor consumo.
        malloc_trim(0);
        tiemposUltimoAnalisis.hilosBlas = num.noLibres() >= kLibresParaElegirHilos ? elegirHilosBlas() : 0;
    }
    auto etapa = Reloj::now();
    bool resuelta = s.factor.factorizar(std::move(kff));
    if (inicio) {
        tiemposUltimoAnalisis.factorizacion = segundosDesde(etapa);
        tiemposUltimoAnalisis.operaciones = s.factor.operaciones();
    }
    etapa = Reloj::now();

    // Solución con el factor, refinada con el residuo exacto de las barras.
    operadorRigidez& operador = s.operador;
    operador.construir(barra, nudo, ngl, inactivas);
    // Los desplazamientos impuestos pasan al lado derecho: b − K·u impuesto.
    const Eigen::MatrixXd pf = num.aLibres(impuestos.isZero(0) ? cargas : operador.residuo(cargas, impuestos));
    Eigen::MatrixXd uf;
    if (resuelta) {
        const auto residuo = [&](const Eigen::MatrixXd& x) {
            return num.aLibres(operador.residuo(cargas, impuestos + num.aCompleta(x)));
        };
        const resultadoRefinamiento r = resolverRefinado(s.factor, pf, residuo, uf);
        if (inicio) diagnosticoUltimoAnalisis.pasosRefinamiento = r.pasos;
        s.condicion = r.condicion;
        resuelta = r.convergio;
    }
    const bool sospechosa =
        !resuelta || !(s.condicion < kCondicionSospechosa) || !(s.factor.pivoteRelativoMinimo() >= kPivoteSospechoso);
    if (sospechosa) {
        const modosMecanismo modos = buscarMecanismos(operador, num, tamanoModelo());
        if (modos.hayMecanismo) {
            informarInestable(modos.gdl, kGdlNombrados);
            s.resultado = resultadoAnalisis::inestable;
            return;
        }
        if (!resuelta) {
            informarSingular();
            s.resultado = resultadoAnalisis::singular;
            return;
        }
    }
    s.u = impuestos + num.aCompleta(uf);
    // Reacciones (y residuos en los libres) con las mismas fuerzas de barra
    // que el refinamiento: K·u − P − F.
    s.reacciones = operador.fuerzas(s.u, cargas);
    if (inicio) tiemposUltimoAnalisis.solucion = segundosDesde(etapa);
}

bool resolverActualizado(const solucionDispersa& factor, const std::vector<char>& inactivas,
                         const std::vector<int>& quitadas, const numeracionLibre& num, const Eigen::MatrixXd& cargas,
                         const Eigen::MatrixXd& impuestos, sistemaResuelto& s) {
    inversaActualizada inversa;
    if (!inversa.preparar(factor, num, quitadas)) return false;
    operadorRigidez operador;
    operador.construir(barra, nudo, num.noGdl, inactivas);
    const Eigen::MatrixXd pf = num.aLibres(impuestos.isZero(0) ? cargas : operador.residuo(cargas, impuestos));
    const auto residuo = [&](const Eigen::MatrixXd& x) {
        return num.aLibres(operador.residuo(cargas, impuestos + num.aCompleta(x)));
    };
    Eigen::MatrixXd uf;
    const resultadoRefinamiento r = resolverRefinado(
        [&](const Eigen::MatrixXd& b) { return inversa.resolver(b); }, factor.escala(), pf, residuo, uf);
    if (!r.convergio) return false;
    s.u = impuestos + num.aCompleta(uf);
    s.reacciones = operador.fuerzas(s.u, cargas);
    return true;
}
