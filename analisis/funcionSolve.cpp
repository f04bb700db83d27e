#include "analisis/funcionSolve.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <malloc.h>
#include <string>

#include "analisis/analisisModal.h"
#include "analisis/analisisSismico.h"
#include "analisis/diafragmas.h"
#include "analisis/hilosCalculo.h"
#include "analisis/mecanismos.h"
#include "analisis/numeracionLibre.h"
#include "analisis/operadorRigidez.h"
#include "analisis/ordenNudos.h"
#include "analisis/refinamiento.h"
#include "analisis/solucionDispersa.h"
#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/sismo.h"
#include "unidades.h"

tiemposAnalisis tiemposUltimoAnalisis;
diagnosticoAnalisis diagnosticoUltimoAnalisis;

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
// Condición desde la que se avisa que los resultados pierden cifras.
constexpr double kCondicionAviso = 1e8;
// Grados de libertad de un mecanismo que se nombran como máximo.
constexpr size_t kGdlNombrados = 10;
// Desde estas incógnitas la factorización pasa la mayor parte del tiempo en
// las operaciones densas de la biblioteca BLAS y vale la pena elegir sus hilos.
constexpr Eigen::Index kLibresParaElegirHilos = 20000;

using Reloj = std::chrono::steady_clock;
double segundosDesde(Reloj::time_point inicio) {
    return std::chrono::duration<double>(Reloj::now() - inicio).count();
}

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

// Rigidez global en forma dispersa. Los términos se suman en el orden de las
// barras, como en un ensamblaje denso que parte de ceros; los ceros exactos no
// se guardan (un cero negativo de una barra sumado a un cero queda cero).
// referencia(g) recibe, para cada grado de libertad, la mayor diagonal de la
// misma clase que le da alguna de sus barras. Una barra sin sección o sin
// material no aporta rigidez (el cargador ya lo dijo).
void ensamblarRigidez(Eigen::SparseMatrix<double>& kEstructura, Eigen::Index ngl, Eigen::VectorXd& referencia) {
    std::vector<Eigen::Triplet<double>> terminos;
    terminos.reserve(barra.size() * 144);
    referencia = Eigen::VectorXd::Zero(ngl);
    for (objBarra3d& b : barra) {
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

// Desplazamientos impuestos por combinación en los grados de libertad con
// apoyo (ceros en los demás).
Eigen::MatrixXd desplazamientosImpuestos(const Eigen::VectorXi& restriccionesEstructura, Eigen::Index ngl,
                                         Eigen::Index nc) {
    Eigen::MatrixXd impuestos = Eigen::MatrixXd::Zero(ngl, nc);
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd d = n.getDesplazamientosImpuestosCombo();
        const Eigen::VectorXi g = n.getGdl();
        for (int i = 0; i < 6; ++i)
            for (Eigen::Index c = 0; c < nc && c < d.cols(); ++c)
                if (restriccionesEstructura(g(i) - 1) != 0) impuestos(g(i) - 1, c) = d(i, c);
    }
    return impuestos;
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

// Partición: sólo los grados de libertad con código 0 son incógnitas; los
// demás quedan fijos, con desplazamiento nulo o el impuesto por la
// combinación. Las incógnitas se numeran en el orden de eliminación
// (disección anidada sobre los nudos).
numeracionLibre numerarLibres(const Eigen::VectorXi& restriccionesEstructura, Eigen::Index ngl) {
    if (!diafragmas.empty()) {
        std::vector<std::pair<int, int>> conexiones;
        for (const objBarra3d& b : barra) conexiones.emplace_back(b.getNudoInicioInterno(), b.getNudoFinalInterno());
        return numerarConDiafragmas(restriccionesEstructura, ngl, conexiones);
    }
    numeracionLibre num;
    num.noGdl = ngl;
    num.posicionLibre.assign(static_cast<size_t>(ngl), -1);
    for (Eigen::Index k = 0; k < ngl; ++k)
        if (restriccionesEstructura(k) == 0) {
            num.posicionLibre[static_cast<size_t>(k)] = static_cast<int>(num.libres.size());
            num.libres.push_back(static_cast<int>(k));
        }
    std::vector<std::pair<int, int>> conexiones;
    conexiones.reserve(barra.size());
    for (const objBarra3d& b : barra) conexiones.emplace_back(b.getNudoInicioInterno(), b.getNudoFinalInterno());
    num.orden = ordenarGradosLibres(noNudos, conexiones, num.posicionLibre, static_cast<int>(num.noLibres()));
    return num;
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

// Los casos de resultados de las combinaciones: desplazamientos y reacciones
// de cada nudo y solicitaciones de cada barra.
void llenarCasos(const Eigen::MatrixXd& u, const Eigen::MatrixXd& reacciones) {
    const Eigen::Index nc = u.cols();
    resultados.casos.assign(static_cast<size_t>(nc), casoResultado());
    for (Eigen::Index c = 0; c < nc; ++c) {
        casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
        caso.nombre = combinaciones[static_cast<size_t>(c)].nombre;
        caso.tipo = tipoCaso::combinacion;
        caso.combo = static_cast<int>(c);
        caso.desplazamientos.resize(6, static_cast<Eigen::Index>(nudo.size()));
        caso.reacciones.setZero(6, static_cast<Eigen::Index>(nudo.size()));
        for (const objNudo3d& n : nudo) {
            const Eigen::Index k = n.getNoNudoInterno();
            for (int i = 0; i < 6; ++i) {
                caso.desplazamientos(i, k) = u(6 * k + i, c);
                // Donde no hay apoyo ni resorte el análisis deja sólo el residuo.
                if (n.tieneReaccion(i)) caso.reacciones(i, k) = reacciones(6 * k + i, c);
            }
        }
        caso.barras.resize(barra.size());
    }
    if (!diafragmas.empty()) {
        const Eigen::MatrixXd q = magnitudesDiafragmas(u);
        for (Eigen::Index c = 0; c < nc; ++c) llenarDiafragmas(resultados.casos[static_cast<size_t>(c)], q.col(c));
    }
    for (const objBarra3d& b : barra) {
        const Eigen::VectorXi gdl = b.getGdl();
        Eigen::MatrixXd globales(12, nc);
        for (int i = 0; i < 12 && nc > 0; ++i) {
            const int fila = gdl(i) - 1;
            if (fila < 0 || fila >= u.rows())
                globales.row(i).setZero();
            else
                globales.row(i) = u.row(fila);
        }
        std::vector<solicitacionesBarra> s = b.calcularSolicitaciones(globales);
        for (Eigen::Index c = 0; c < nc; ++c)
            resultados.casos[static_cast<size_t>(c)].barras[static_cast<size_t>(b.getNoBarraInterna())] =
                s[static_cast<size_t>(c)];
    }
    const double tamano = tamanoModelo();
    for (casoResultado& caso : resultados.casos) calcularEscalas(caso, tamano);
}

// Un desplazamiento de más de 1/50 del tamaño del modelo no es el de una
// estructura en servicio: suele ser un error de unidades (E en MPa con
// longitudes en metros) o de rigidez, y el análisis lineal ya no vale. Se
// avisa una vez por combinación, con el nudo que más se mueve.
void revisarDesplazamientos(double tamano) {
    for (const casoResultado& caso : resultados.casos) {
        double mayor = 0;
        Eigen::Index nudoMayor = -1;
        for (Eigen::Index n = 0; n < caso.desplazamientos.cols(); ++n) {
            const double d = caso.desplazamientos.col(n).head<3>().norm();
            if (d > mayor) mayor = d, nudoMayor = n;
        }
        if (nudoMayor < 0 || !(mayor > tamano / 50)) continue;
        char valor[64];
        std::snprintf(valor, sizeof valor, "%.4g", mayor);
        mensajes.advertencia("Advertencia: en el combo " + caso.nombre + " el nudo " +
                             std::to_string(nudo[static_cast<size_t>(nudoMayor)].getNoNudoUsuario()) + " se desplaza " +
                             valor + sufijoUnidad(magnitud::longitud) +
                             ", más de 1/50 del tamaño del modelo: revise unidades y rigideces; el análisis lineal "
                             "supone desplazamientos pequeños");
    }
}

}  // namespace

bool funcionSolve() {
    const auto inicio = Reloj::now();
    diagnosticoUltimoAnalisis = diagnosticoAnalisis();
    resultados.vaciar();
    // Un dato que impide el análisis (un espectro mal escrito) ya se dijo al cargar.
    if (analisisImpedido) return false;
    const Eigen::Index ngl = 6 * static_cast<Eigen::Index>(noNudos);
    const Eigen::Index nc = noCombos;
    Eigen::MatrixXd pEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    Eigen::MatrixXd fEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    Eigen::VectorXi restriccionesEstructura = Eigen::VectorXi::Zero(ngl);

    Eigen::SparseMatrix<double> kEstructura;
    Eigen::VectorXd referencia;
    ensamblarRigidez(kEstructura, ngl, referencia);
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

    const numeracionLibre num = numerarLibres(restriccionesEstructura, ngl);
    Eigen::SparseMatrix<double> kff = bloqueLibre(kEstructura, num);
    const Eigen::MatrixXd cargas = pEstructura + fEstructura;
    const Eigen::MatrixXd impuestos = desplazamientosImpuestos(restriccionesEstructura, ngl, nc);
    tiemposUltimoAnalisis.ensamblaje = segundosDesde(inicio);

    auto fallar = [&]() {
        resultados.vaciar();
        tiemposUltimoAnalisis.solucion = 0;
        tiemposUltimoAnalisis.barras = 0;
        return false;
    };
    if (rigidezImposible(kEstructura, num)) {
        informarInestable({}, 0);
        diagnosticoUltimoAnalisis.resultado = resultadoAnalisis::inestable;
        return fallar();
    }
    std::vector<int> sinRigidez = gdlSinRigidez(kEstructura, num, referencia);
    if (num.conDiafragmas()) {
        const std::vector<int> maestros = diafragmasSinRigidez(kff, num, referencia, kFraccionNula);
        sinRigidez.insert(sinRigidez.end(), maestros.begin(), maestros.end());
    }
    if (!sinRigidez.empty()) {
        informarInestable(sinRigidez, sinRigidez.size());
        diagnosticoUltimoAnalisis.resultado = resultadoAnalisis::inestable;
        return fallar();
    }
    referencia.resize(0);

    // Los temporales del ensamblaje ya se liberaron; se devuelve esa memoria al
    // sistema antes de la factorización, que es el momento de mayor consumo.
    malloc_trim(0);
    tiemposUltimoAnalisis.hilosBlas = num.noLibres() >= kLibresParaElegirHilos ? elegirHilosBlas() : 0;
    auto etapa = Reloj::now();
    solucionDispersa solucion;
    bool resuelta = solucion.factorizar(std::move(kff));
    tiemposUltimoAnalisis.factorizacion = segundosDesde(etapa);
    etapa = Reloj::now();

    // Solución con el factor, refinada con el residuo exacto de las barras.
    operadorRigidez operador;
    operador.construir(barra, nudo, ngl);
    // Los desplazamientos impuestos pasan al lado derecho: b − K·u impuesto.
    const Eigen::MatrixXd pf = num.aLibres(impuestos.isZero(0) ? cargas : operador.residuo(cargas, impuestos));
    Eigen::MatrixXd uf;
    double condicion = INFINITY;
    if (resuelta) {
        const auto residuo = [&](const Eigen::MatrixXd& x) {
            return num.aLibres(operador.residuo(cargas, impuestos + num.aCompleta(x)));
        };
        const resultadoRefinamiento r = resolverRefinado(solucion, pf, residuo, uf);
        diagnosticoUltimoAnalisis.pasosRefinamiento = r.pasos;
        diagnosticoUltimoAnalisis.condicion = condicion = r.condicion;
        resuelta = r.convergio;
    }
    const bool sospechosa =
        !resuelta || !(condicion < kCondicionSospechosa) || !(solucion.pivoteRelativoMinimo() >= kPivoteSospechoso);
    if (sospechosa) {
        const modosMecanismo modos = buscarMecanismos(operador, num, tamanoModelo());
        if (modos.hayMecanismo) {
            informarInestable(modos.gdl, kGdlNombrados);
            diagnosticoUltimoAnalisis.resultado = resultadoAnalisis::inestable;
            return fallar();
        }
        if (!resuelta) {
            informarSingular();
            diagnosticoUltimoAnalisis.resultado = resultadoAnalisis::singular;
            return fallar();
        }
    }

    const Eigen::MatrixXd u = impuestos + num.aCompleta(uf);
    // Reacciones (y residuos en los libres) con las mismas fuerzas de barra
    // que el refinamiento: K·u − P − F.
    const Eigen::MatrixXd reacciones = operador.fuerzas(u, cargas);
    tiemposUltimoAnalisis.solucion = segundosDesde(etapa);

    etapa = Reloj::now();
    llenarCasos(u, reacciones);
    revisarDesplazamientos(tamanoModelo());
    resultados.rigidez = std::move(kEstructura);
    resultados.cargasPuntuales = std::move(pEstructura);
    resultados.cargasDistribuidas = std::move(fEstructura);
    resultados.disponibles = true;
    tiemposUltimoAnalisis.barras = segundosDesde(etapa);
    diagnosticoUltimoAnalisis.resultado = resultadoAnalisis::correcto;
    // Los modos salen del mismo factor de la rigidez.
    etapa = Reloj::now();
    calcularModos(solucion, num);
    tiemposUltimoAnalisis.modal = segundosDesde(etapa);
    etapa = Reloj::now();
    const bool derivados = calcularCasosDerivados(operador, tamanoModelo());
    tiemposUltimoAnalisis.derivados = segundosDesde(etapa);
    if (!derivados) return fallar();
    if (condicion > kCondicionAviso) {
        char texto[200];
        std::snprintf(texto, sizeof texto,
                      "Advertencia: la matriz de rigidez está mal condicionada (condición estimada %.1e); los "
                      "resultados pueden perder unas %d cifras",
                      condicion, static_cast<int>(std::floor(std::log10(condicion))));
        mensajes.advertencia(texto);
    }
    return true;
}
