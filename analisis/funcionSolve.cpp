#include "analisis/funcionSolve.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <malloc.h>
#include <string>

#include "analisis/actualizacionRango.h"
#include "analisis/analisisModal.h"
#include "analisis/analisisSismico.h"
#include "analisis/barrasEnParalelo.h"
#include "analisis/diafragmas.h"
#include "analisis/hilosCalculo.h"
#include "analisis/mecanismos.h"
#include "analisis/numeracionLibre.h"
#include "analisis/operadorRigidez.h"
#include "analisis/ordenNudos.h"
#include "analisis/pisos.h"
#include "analisis/refinamiento.h"
#include "analisis/segundoOrden.h"
#include "analisis/sentidoAxial.h"
#include "analisis/solucionDispersa.h"
#include "analisis/tablasResultados.h"
#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/extremosSolicitaciones.h"
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
// (disección anidada sobre los nudos, dada la lista de nudos unidos por cada
// barra).
numeracionLibre numerarLibres(const Eigen::VectorXi& restriccionesEstructura, Eigen::Index ngl,
                              const std::vector<std::pair<int, int>>& conexiones) {
    if (!diafragmas.empty()) return numerarConDiafragmas(restriccionesEstructura, ngl, conexiones);
    numeracionLibre num;
    num.noGdl = ngl;
    num.posicionLibre.assign(static_cast<size_t>(ngl), -1);
    for (Eigen::Index k = 0; k < ngl; ++k)
        if (restriccionesEstructura(k) == 0) {
            num.posicionLibre[static_cast<size_t>(k)] = static_cast<int>(num.libres.size());
            num.libres.push_back(static_cast<int>(k));
        }
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

// Lo que el segundo orden deja para los casos: por combinación, los axiales
// de sus barras (vacío en primer orden) y lo que se informa de ella.
struct segundoOrdenCombos {
    std::vector<std::vector<double>> axiales;
    std::vector<segundoOrdenCaso> info;
};

// Los casos de resultados de las combinaciones: desplazamientos y reacciones
// de cada nudo, solicitaciones de cada barra (de segundo orden en las
// combinaciones que lo son) y las barras inactivas de cada combinación
// (números internos; vacío si no hay barras de un solo sentido).
void llenarCasos(const Eigen::MatrixXd& u, const Eigen::MatrixXd& reacciones, const segundoOrdenCombos& so,
                 const std::vector<std::vector<int>>& inactivas) {
    const Eigen::Index nc = u.cols();
    resultados.casos.assign(static_cast<size_t>(nc), casoResultado());
    for (Eigen::Index c = 0; c < nc; ++c) {
        casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
        caso.nombre = combinaciones[static_cast<size_t>(c)].nombre;
        caso.tipo = tipoCaso::combinacion;
        caso.combo = static_cast<int>(c);
        if (!so.axiales[static_cast<size_t>(c)].empty()) {
            caso.tipo = tipoCaso::segundoOrden;
            caso.segundoOrden = so.info[static_cast<size_t>(c)];
        }
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
        if (static_cast<size_t>(c) < inactivas.size()) caso.barrasInactivas = inactivas[static_cast<size_t>(c)];
    }
    if (!diafragmas.empty()) {
        const Eigen::MatrixXd q = magnitudesDiafragmas(u);
        for (Eigen::Index c = 0; c < nc; ++c) {
            casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
            llenarDiafragmas(caso, q.col(c), caso.desplazamientos.topRows(3).cwiseAbs().maxCoeff());
        }
    }
    // Cada barra escribe sólo sus solicitaciones: con muchas, en dos hilos.
    paraCadaBarra([&](const objBarra3d& b) {
        // Las combinaciones en que la barra está inactiva.
        std::vector<char> inactiva;
        for (size_t c = 0; c < inactivas.size(); ++c)
            if (std::binary_search(inactivas[c].begin(), inactivas[c].end(), b.getNoBarraInterna())) {
                inactiva.resize(static_cast<size_t>(nc), 0);
                inactiva[c] = 1;
            }
        const Eigen::VectorXi gdl = b.getGdl();
        Eigen::MatrixXd globales(12, nc);
        for (int i = 0; i < 12 && nc > 0; ++i) {
            const int fila = gdl(i) - 1;
            if (fila < 0 || fila >= u.rows())
                globales.row(i).setZero();
            else
                globales.row(i) = u.row(fila);
        }
        std::vector<double> axiales(static_cast<size_t>(nc), 0.0);
        bool hayAxiales = false;
        for (Eigen::Index c = 0; c < nc; ++c) {
            const std::vector<double>& a = so.axiales[static_cast<size_t>(c)];
            const size_t i = static_cast<size_t>(b.getNoBarraInterna());
            if (i < a.size() && a[i] != 0.0 && !so.info[static_cast<size_t>(c)].inestable)
                axiales[static_cast<size_t>(c)] = a[i], hayAxiales = true;
        }
        std::vector<solicitacionesBarra> s =
            b.calcularSolicitaciones(globales, hayAxiales ? axiales.data() : nullptr, inactiva);
        for (Eigen::Index c = 0; c < nc; ++c)
            resultados.casos[static_cast<size_t>(c)].barras[static_cast<size_t>(b.getNoBarraInterna())] =
                s[static_cast<size_t>(c)];
    });
    const double tamano = tamanoModelo();
    for (casoResultado& caso : resultados.casos) calcularEscalas(caso, tamano);
    // Con la escala de cada caso, los extremos otra vez: dos valores que sólo
    // difieren en el redondeo empatan y manda la menor x.
    paraCadaBarra([&](const objBarra3d& b) {
        for (casoResultado& caso : resultados.casos) {
            double tolerancias[kNumeroSolicitaciones];
            toleranciasSolicitaciones(caso.escalas, tolerancias);
            calcularExtremos(b, caso.barras[static_cast<size_t>(b.getNoBarraInterna())], tolerancias);
        }
    });
    for (casoResultado& caso : resultados.casos) calcularEscalas(caso, tamano);
}

// Un desplazamiento de más de 1/50 del tamaño del modelo no es el de una
// estructura en servicio: suele ser un error de unidades (E en MPa con
// longitudes en metros) o de rigidez, y el análisis lineal ya no vale. Se
// avisa una vez por combinación, con el nudo que más se mueve.
void revisarDesplazamientos(double tamano) {
    for (const casoResultado& caso : resultados.casos) {
        // Con traslaciones enormes el cuadrado desborda: la norma sin desborde.
        const auto traslacion = [&](int n) {
            const double d = caso.desplazamientos.col(n).head<3>().norm();
            return std::isfinite(d) ? d : caso.desplazamientos.col(n).head<3>().stableNorm();
        };
        const int nudoMayor = indiceExtremo(static_cast<int>(caso.desplazamientos.cols()), traslacion,
                                            toleranciaEmpate(caso.escalas.traslaciones));
        const double mayor = nudoMayor < 0 ? 0.0 : traslacion(nudoMayor);
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

// La amplificación de los desplazamientos de una combinación de segundo
// orden (ver segundoOrdenCaso): entre las componentes de traslación de los
// nudos que en primer orden llegan a kFraccionAmplificacion de la mayor, el
// mayor cociente segundo / primer orden, con su nudo y su dirección. Dos
// cocientes que difieren en el redondeo (una columna traccionada que sólo se
// alarga: todos valen 1) son el mismo, y se nombra la componente mayor. Sin
// traslaciones en primer orden, 1 sin nudo.
void amplificacionDesplazamientos(const Eigen::VectorXd& primero, const Eigen::VectorXd& segundo,
                                  segundoOrdenCaso& info) {
    info.amplificacion = 1.0;
    info.nudoAmplificacion = info.direccionAmplificacion = -1;
    const Eigen::Index n = std::min(primero.size(), segundo.size()) / 6;
    double mayor = 0;
    for (Eigen::Index k = 0; k < n; ++k)
        for (int i = 0; i < 3; ++i)
            if (std::isfinite(primero(6 * k + i))) mayor = std::max(mayor, std::fabs(primero(6 * k + i)));
    if (!(mayor > 0)) return;
    constexpr double kMismoCociente = 1e-9;
    double componente = 0;
    for (Eigen::Index k = 0; k < n; ++k)
        for (int i = 0; i < 3; ++i) {
            const double u1 = primero(6 * k + i);
            if (!(std::fabs(u1) >= kFraccionAmplificacion * mayor)) continue;
            const double a = segundo(6 * k + i) / u1;
            if (!std::isfinite(a)) continue;
            const double tolerancia = kMismoCociente * std::fabs(info.amplificacion);
            const bool mayorCociente = a > info.amplificacion + tolerancia;
            const bool mismoCociente = std::fabs(a - info.amplificacion) <= tolerancia;
            if (info.nudoAmplificacion < 0 || mayorCociente || (mismoCociente && std::fabs(u1) > componente))
                info.amplificacion = a, info.nudoAmplificacion = static_cast<int>(k), info.direccionAmplificacion = i,
                componente = std::fabs(u1);
        }
}

// Para cada pedido de pandeo, los factores críticos más bajos y sus formas.
void calcularPandeo(const sistemaElastico& sistema, const Eigen::MatrixXd& u) {
    for (const pedidoPandeo& p : pedidosPandeo) {
        if (p.combo < 0 || p.combo >= u.cols()) continue;
        const std::string& nombre = combinaciones[static_cast<size_t>(p.combo)].nombre;
        const std::vector<double> axiales = axialesDeBarras(u.col(p.combo), p.combo);
        double mayor = 0, menor = 0;
        for (double n : axiales)
            if (std::isfinite(n)) mayor = std::max(mayor, std::fabs(n)), menor = std::min(menor, n);
        pandeoCombo resultado;
        resultado.combo = p.combo;
        resultado.nombre = nombre;
        // Una compresión que es redondeo de la de otras barras no pandea nada.
        if (!(menor < -kFraccionRuido * mayor)) {
            mensajes.advertencia("Advertencia: el combo " + nombre + " no tiene barras comprimidas; no hay pandeo");
            resultados.pandeo.push_back(resultado);
            continue;
        }
        Eigen::VectorXd mu;
        Eigen::MatrixXd formas;
        const Eigen::SparseMatrix<double> kg = rigidezGeometrica(axiales, sistema.num.noGdl);
        // No hay más factores críticos que incógnitas libres.
        const int libres = static_cast<int>(sistema.num.noLibres());
        const int pedidos = std::min(p.modos, libres);
        if (pedidos < p.modos)
            mensajes.advertencia("Advertencia: se piden " + std::to_string(p.modos) + " factores de pandeo del combo " +
                                 nombre + " y la estructura tiene " + std::to_string(libres) +
                                 " incógnitas libres; se calculan a lo sumo " + std::to_string(libres));
        if (!autovaloresGeometricos(sistema, kg, pedidos, mu, formas)) {
            mensajes.advertencia("Advertencia: el cálculo del pandeo del combo " + nombre +
                                 " no convergió; no hay factores críticos");
            resultados.pandeo.push_back(resultado);
            continue;
        }
        // λ = 1/μ para los μ positivos (los demás son de barras traccionadas).
        const double mayorMu = mu.size() > 0 ? mu.cwiseAbs().maxCoeff() : 0.0;
        for (Eigen::Index k = 0; k < mu.size(); ++k) {
            if (!(mu(k) > 1e-12 * mayorMu)) break;
            Eigen::VectorXd forma = formas.col(k);
            const Eigen::Index mayorGdl = componenteNormalizadora(forma);
            if (mayorGdl < 0) continue;
            forma /= forma(mayorGdl);
            resultado.factores.push_back(1.0 / mu(k));
            resultado.formas.push_back(forma);
        }
        if (static_cast<int>(resultado.factores.size()) < pedidos)
            mensajes.advertencia("Advertencia: se pidieron " + std::to_string(pedidos) + " factores de pandeo del combo " +
                                 nombre + " y hay " + std::to_string(resultado.factores.size()));
        resultados.pandeo.push_back(std::move(resultado));
    }
}

// Cargas equivalentes de las barras en los nudos (6N x combinaciones), con
// las de barra inactiva para las barras marcadas (si hay marcas).
Eigen::MatrixXd cargasDeBarras(Eigen::Index ngl, Eigen::Index nc, const std::vector<char>& inactivas) {
    Eigen::MatrixXd fEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    for (const objBarra3d& b : barra) {
        const size_t indice = static_cast<size_t>(b.getNoBarraInterna());
        const bool inactiva = indice < inactivas.size() && inactivas[indice];
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd f = inactiva ? b.getCargasEquivalentesInactivaGlobales() : b.getCargasEquivalentesGlobales();
        for (int i = 0; i < 12; ++i)
            for (Eigen::Index c = 0; c < nc && c < f.cols(); ++c)
                if (g(i) > 0) fEstructura(g(i) - 1, c) += f(i, c);
    }
    return fEstructura;
}

// La solución de un juego de barras activas.
struct sistemaResuelto {
    resultadoAnalisis resultado = resultadoAnalisis::correcto;
    Eigen::SparseMatrix<double> rigidez;  // de la estructura, completa
    Eigen::VectorXd referencia;           // ver ensamblarRigidez
    bool ensamblada = false;              // rigidez y referencia ya armadas
    solucionDispersa factor;              // del bloque libre
    operadorRigidez operador;             // las barras activas, para los residuos
    double condicion = INFINITY;
    Eigen::MatrixXd u, reacciones;        // 6N x columnas
};

// Arma la rigidez sin las barras inactivas (si no viene armada), la factoriza y resuelve las
// columnas de cargas e impuestos dadas, con el refinamiento y, si algo hace
// sospechar, la búsqueda de mecanismos. El análisis principal (todas las
// barras) anota además los tiempos de sus etapas desde inicio.
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

// La misma solución sin armar ni factorizar: el factor de la rigidez de todas
// las barras corregido en rango bajo por las que se quitan (ver
// actualizacionRango.h) y refinado con el residuo exacto sin ellas. Falso si
// la corrección no se puede usar (demasiadas barras, un mecanismo o casi, una
// solución que no se deja refinar): entonces se factoriza de nuevo.
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

}  // namespace

bool funcionSolve() {
    const auto inicio = Reloj::now();
    diagnosticoUltimoAnalisis = diagnosticoAnalisis();
    tiemposUltimoAnalisis.sentidoAxial = 0;
    tiemposUltimoAnalisis.segundoOrden = tiemposUltimoAnalisis.pandeo = tiemposUltimoAnalisis.derivados = 0;
    tiemposUltimoAnalisis.pisos = 0;
    resultados.vaciar();
    // Un dato que impide el análisis (un espectro mal escrito) ya se dijo al cargar.
    if (analisisImpedido) return false;
    const Eigen::Index ngl = 6 * static_cast<Eigen::Index>(noNudos);
    const Eigen::Index nc = noCombos;
    Eigen::MatrixXd pEstructura = Eigen::MatrixXd::Zero(ngl, nc);
    Eigen::VectorXi restriccionesEstructura = Eigen::VectorXi::Zero(ngl);
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd p = n.getCargasCombo();
        const Eigen::VectorXi g = n.getGdl();
        for (int i = 0; i < 6; ++i)
            for (Eigen::Index c = 0; c < nc && c < p.cols(); ++c) pEstructura(g(i) - 1, c) += p(i, c);
    }
    Eigen::MatrixXd fEstructura = cargasDeBarras(ngl, nc, {});
    for (const objNudo3d& n : nudo) {
        const Eigen::VectorXi g = n.getGdl();
        const Eigen::VectorXi a = n.getVectorApoyo();
        for (int i = 0; i < 6; ++i) restriccionesEstructura(g(i) - 1) = a(i);
    }

    // El orden de eliminación sólo depende de qué nudos unen las barras: se
    // calcula en otro hilo mientras éste arma la rigidez de todas las barras.
    sistemaResuelto principal;
    const numeracionLibre num = [&]() {
        std::vector<std::pair<int, int>> conexiones;
        conexiones.reserve(barra.size());
        for (const objBarra3d& b : barra) conexiones.emplace_back(b.getNudoInicioInterno(), b.getNudoFinalInterno());
        std::future<numeracionLibre> numeracion = std::async(std::launch::async, [&]() {
            return numerarLibres(restriccionesEstructura, ngl, conexiones);
        });
        ensamblarRigidez(principal.rigidez, ngl, principal.referencia, {});
        principal.ensamblada = true;
        return numeracion.get();
    }();
    const Eigen::MatrixXd cargas = pEstructura + fEstructura;
    const Eigen::MatrixXd impuestos = desplazamientosImpuestos(restriccionesEstructura, ngl, nc);

    auto fallar = [&](resultadoAnalisis r) {
        diagnosticoUltimoAnalisis.resultado = r;
        resultados.vaciar();
        tiemposUltimoAnalisis.solucion = 0;
        tiemposUltimoAnalisis.barras = 0;
        return false;
    };
    resolverSistema({}, num, cargas, impuestos, &inicio, principal);
    if (principal.resultado != resultadoAnalisis::correcto) return fallar(principal.resultado);
    diagnosticoUltimoAnalisis.condicion = principal.condicion;
    const double condicion = principal.condicion;
    Eigen::MatrixXd u = std::move(principal.u);
    Eigen::MatrixXd reacciones = std::move(principal.reacciones);
    // El primer orden con todas las barras: los axiales del pandeo.
    const Eigen::MatrixXd uPrimerOrden = u;

    // Segundo orden de las combinaciones pedidas: sus desplazamientos y
    // reacciones reemplazan a los de primer orden. Con barras de un solo
    // sentido se repite en cada ronda, con el juego de barras activas de la
    // ronda; queda lo de la última.
    std::vector<char> deSegundoOrden(static_cast<size_t>(nc), 0);
    for (int c : combosSegundoOrden)
        if (c >= 0 && c < nc) deSegundoOrden[static_cast<size_t>(c)] = 1;
    segundoOrdenCombos so;
    so.axiales.resize(static_cast<size_t>(nc));
    so.info.resize(static_cast<size_t>(nc));
    const auto segundoOrden = [&](const sistemaElastico& sistema, const std::vector<char>& marcas, int c,
                                  const Eigen::VectorXd& cargasC, const Eigen::VectorXd& impuestosC,
                                  Eigen::Ref<Eigen::VectorXd> uc, Eigen::Ref<Eigen::VectorXd> rc) {
        const auto etapa = Reloj::now();
        const resultadoSegundoOrden r = resolverSegundoOrden(sistema, c, cargasC, impuestosC, uc, marcas);
        segundoOrdenCaso& info = so.info[static_cast<size_t>(c)];
        info = segundoOrdenCaso();
        info.iteraciones = r.iteraciones;
        info.convergio = r.convergio;
        info.inestable = r.inestable;
        so.axiales[static_cast<size_t>(c)] = r.axiales;
        // Una combinación sin barras (sin axiales) sigue siendo de segundo orden.
        if (so.axiales[static_cast<size_t>(c)].empty()) so.axiales[static_cast<size_t>(c)].assign(1, 0.0);
        if (!r.inestable) {
            amplificacionDesplazamientos(uc, r.u, info);
            // Reacciones con las mismas fuerzas de barra que la solución: K·u + Kg·u − P.
            rc = sistema.operador.fuerzas(r.u, cargasC) + rigidezGeometrica(r.axiales, ngl) * r.u;
            uc = r.u;
        }
        tiemposUltimoAnalisis.segundoOrden += segundosDesde(etapa);
    };
    {
        const sistemaElastico sistema{principal.factor, num, principal.operador};
        for (Eigen::Index c = 0; c < nc; ++c)
            if (deSegundoOrden[static_cast<size_t>(c)])
                segundoOrden(sistema, {}, static_cast<int>(c), cargas.col(c), impuestos.col(c), u.col(c),
                             reacciones.col(c));
    }

    // Barras de solo tracción o solo compresión: cada combinación con su juego
    // de barras activas. La rigidez del reporte, los modos y el pandeo son los
    // de todas.
    std::vector<std::vector<int>> inactivas;
    if (nc > 0 && hayBarrasDeUnSentido()) {
        auto etapa = Reloj::now();
        const double segundoOrdenAntes = tiemposUltimoAnalisis.segundoOrden;
        resultadoAnalisis fallo = resultadoAnalisis::correcto;
        const auto resolver = [&](const std::vector<int>& juego, const std::vector<int>& combos, Eigen::MatrixXd& x) {
            std::vector<char> marcas(barra.size(), 0);
            for (int i : juego) marcas[static_cast<size_t>(i)] = 1;
            const Eigen::MatrixXd fJuego = cargasDeBarras(ngl, nc, marcas);
            const Eigen::Index m = static_cast<Eigen::Index>(combos.size());
            Eigen::MatrixXd cargasJuego(ngl, m), impuestosJuego(ngl, m);
            bool algunaDeSegundoOrden = false;
            for (Eigen::Index j = 0; j < m; ++j) {
                const Eigen::Index c = combos[static_cast<size_t>(j)];
                cargasJuego.col(j) = pEstructura.col(c) + fJuego.col(c);
                impuestosJuego.col(j) = impuestos.col(c);
                algunaDeSegundoOrden = algunaDeSegundoOrden || deSegundoOrden[static_cast<size_t>(c)];
            }
            sistemaResuelto s;
            // Con pocas barras quitadas basta el factor de todas con una
            // corrección de rango bajo; si no alcanza, se arma y factoriza.
            // El segundo orden necesita el factor de la rigidez de la ronda.
            // Con diafragmas las barras quitadas no caen en grados de libertad
            // propios: también se factoriza.
            const bool conFactorPropio = (algunaDeSegundoOrden || num.conDiafragmas()) && !juego.empty();
            if (conFactorPropio ||
                !resolverActualizado(principal.factor, marcas, juego, num, cargasJuego, impuestosJuego, s)) {
                resolverSistema(marcas, num, cargasJuego, impuestosJuego, nullptr, s);
            }
            if (s.resultado != resultadoAnalisis::correcto) {
                fallo = s.resultado;
                return false;
            }
            if (algunaDeSegundoOrden) {
                const sistemaElastico sistema = juego.empty()
                                                    ? sistemaElastico{principal.factor, num, principal.operador}
                                                    : sistemaElastico{s.factor, num, s.operador};
                for (Eigen::Index j = 0; j < m; ++j) {
                    const int c = combos[static_cast<size_t>(j)];
                    if (deSegundoOrden[static_cast<size_t>(c)])
                        segundoOrden(sistema, marcas, c, cargasJuego.col(j), impuestosJuego.col(j), s.u.col(j),
                                     s.reacciones.col(j));
                }
            }
            for (Eigen::Index j = 0; j < m; ++j) {
                const Eigen::Index c = combos[static_cast<size_t>(j)];
                x.col(c) = s.u.col(j);
                reacciones.col(c) = s.reacciones.col(j);
                fEstructura.col(c) = fJuego.col(c);
            }
            return true;
        };
        Eigen::VectorXd escala(nc);
        for (Eigen::Index c = 0; c < nc; ++c)
            escala(c) = std::max(cargas.col(c).cwiseAbs().maxCoeff(), reacciones.col(c).cwiseAbs().maxCoeff());
        const bool correcta = iterarSentidoAxial(u, inactivas, resolver, escala);
        tiemposUltimoAnalisis.sentidoAxial = segundosDesde(etapa) - (tiemposUltimoAnalisis.segundoOrden - segundoOrdenAntes);
        if (!correcta) return fallar(fallo);
    }
    // Lo que dice el segundo orden de cada combinación, con su estado final.
    for (Eigen::Index c = 0; c < nc; ++c) {
        if (!deSegundoOrden[static_cast<size_t>(c)]) continue;
        const std::string& nombre = combinaciones[static_cast<size_t>(c)].nombre;
        const segundoOrdenCaso& info = so.info[static_cast<size_t>(c)];
        if (info.inestable) {
            mensajes.error("Error: el combo " + nombre + " supera la carga crítica de pandeo (segundo orden inestable)");
            diagnosticoUltimoAnalisis.segundoOrdenInestable = true;
            u.col(c).setZero();
            reacciones.col(c).setZero();
        } else if (!info.convergio) {
            mensajes.advertencia("Advertencia: el combo " + nombre + " no convergió en segundo orden en " +
                                 std::to_string(kIteracionesSegundoOrden) + " iteraciones");
        }
    }
    // El pandeo de las combinaciones pedidas, con sus axiales de primer orden.
    auto etapa = Reloj::now();
    calcularPandeo(sistemaElastico{principal.factor, num, principal.operador}, uPrimerOrden);
    tiemposUltimoAnalisis.pandeo = segundosDesde(etapa);

    etapa = Reloj::now();
    llenarCasos(u, reacciones, so, inactivas);
    revisarDesplazamientos(tamanoModelo());
    resultados.rigidez = std::move(principal.rigidez);
    resultados.cargasPuntuales = std::move(pEstructura);
    resultados.cargasDistribuidas = std::move(fEstructura);
    resultados.disponibles = true;
    tiemposUltimoAnalisis.barras = segundosDesde(etapa);
    diagnosticoUltimoAnalisis.resultado = resultadoAnalisis::correcto;
    // Los modos salen del mismo factor de la rigidez, con todas las barras.
    etapa = Reloj::now();
    calcularModos(principal.factor, num);
    tiemposUltimoAnalisis.modal = segundosDesde(etapa);
    // Los pisos: masa y centros de cada diafragma y lo que reciben las combinaciones.
    etapa = Reloj::now();
    calcularPisos(principal.factor, num);
    tiemposUltimoAnalisis.pisos = segundosDesde(etapa);
    etapa = Reloj::now();
    // Los sismos salen de los modos, con todas las barras.
    const bool derivados = calcularCasosDerivados(principal.operador, tamanoModelo());
    tiemposUltimoAnalisis.derivados = segundosDesde(etapa);
    // La verificación de las derivas de piso, con las de los casos sísmicos.
    if (derivados) verificarDerivas();
    // El error ya está en los mensajes; la estructura en sí se resolvió.
    if (!derivados) return fallar(resultadoAnalisis::correcto);
    // Las tablas que leen las salidas, de todas las familias de resultados.
    publicarTablas(resultados);
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
