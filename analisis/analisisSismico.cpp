#include "analisis/analisisSismico.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "analisis/barrasEnParalelo.h"
#include "analisis/diafragmas.h"
#include "analisis/funcionSolve.h"
#include "analisis/niveles.h"
#include "analisis/pisos.h"
#include "analisis/sismoEstatico.h"
#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"
#include "modelo/sismo.h"
#include "modelo/sismoEstatico.h"

namespace {

const char kDirecciones[3] = {'X', 'Y', 'Z'};

// Con ρ = Wᵀ·W, la combinación de las respuestas modales r es
// √(rᵀ·ρ·r) = ‖W·r‖. W = Λ^½·Vᵀ sale de la descomposición de ρ (simétrica y
// semidefinida positiva; lo negativo es redondeo).
Eigen::MatrixXd raizCorrelacion(const Eigen::MatrixXd& rho) {
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> e(rho);
    const Eigen::VectorXd raiz = e.eigenvalues().cwiseMax(0.0).cwiseSqrt();
    return raiz.asDiagonal() * e.eigenvectors().transpose();
}

Eigen::MatrixXd correlacion(const std::vector<modoVibracion>& modos, const casoSismico& s) {
    const Eigen::Index k = static_cast<Eigen::Index>(modos.size());
    Eigen::MatrixXd rho = Eigen::MatrixXd::Identity(k, k);
    if (s.regla == reglaModal::srss) return rho;
    for (Eigen::Index i = 0; i < k; ++i)
        for (Eigen::Index j = 0; j < k; ++j)
            rho(i, j) = coeficienteCQC(modos[static_cast<size_t>(i)].omega, modos[static_cast<size_t>(j)].omega,
                                       s.amortiguamiento);
    return rho;
}

// Extremos de una solicitación cuyo módulo es √q(t), con q la cuadrática
// convexa (1−t)²·a² + 2t(1−t)·b + t²·c²: el mayor en un extremo de la barra,
// el menor en un extremo o en el vértice.
// Ante un empate (a menos de la tolerancia) manda la menor x.
extremoSolicitacion extremosModulo(double a, double b, double c, double L, double tolerancia) {
    extremoSolicitacion e;
    a = std::fabs(a), c = std::fabs(c);
    e.maximo = a, e.xMaximo = 0;
    if (c > a + tolerancia) e.maximo = c, e.xMaximo = L;
    e.minimo = a, e.xMinimo = 0;
    if (c < a - tolerancia) e.minimo = c, e.xMinimo = L;
    const double d = a * a - 2 * b + c * c;
    if (d > 0) {
        const double t = (a * a - b) / d;
        if (t > 0 && t < 1) {
            const double q = (1 - t) * (1 - t) * a * a + 2 * t * (1 - t) * b + t * t * c * c;
            const double v = q > 0 ? std::sqrt(q) : 0.0;
            if (v < e.minimo - tolerancia) e.minimo = v, e.xMinimo = t * L;
        }
    }
    return e;
}

// Extremos del módulo con torsión accidental, f(t) = √q(t) + |l(t)| (ver
// moduloConTorsion), con q(t) = A·t² + B·t + C la cuadrática de los modos y
// l(t) = ti + m·t la torsión: una suma de funciones convexas, con el mayor en
// un extremo de la barra. El menor está en un extremo, donde l cambia de
// signo o q se anula (los quiebres) o donde f' = q'/(2√q) ± m = 0 en un tramo sin quiebre;
// al cuadrado, q'² = 4·m²·q es una cuadrática en t:
// A(A − m²)·t² + B(A − m²)·t + B²/4 − m²·C = 0. Se evalúa f en todos esos
// puntos (una raíz de más sólo agrega un valor de f) y manda el menor; ante
// un empate, la menor x.
extremoSolicitacion extremosConTorsion(const torsionSolicitacion& r, double b, double L, double tolerancia) {
    const auto f = [&](double t) { return moduloConTorsion(r.modalInicio, b, r.modalFin, r.inicio, r.fin, t); };
    extremoSolicitacion e;
    const double f0 = f(0.0), f1 = f(1.0);
    e.maximo = e.minimo = f0, e.xMaximo = e.xMinimo = 0;
    if (f1 > e.maximo + tolerancia) e.maximo = f1, e.xMaximo = L;
    const double a2 = r.modalInicio * r.modalInicio, c2 = r.modalFin * r.modalFin;
    const double A = a2 - 2 * b + c2, B = 2 * b - 2 * a2, C = a2, m = r.fin - r.inicio;
    double candidatos[5];
    int n = 0;
    if (m != 0) candidatos[n++] = -r.inicio / m;
    // El vértice de q: si allí q se anula, √q tiene otro quiebre.
    if (A > 0) candidatos[n++] = -B / (2 * A);
    const double k2 = A * (A - m * m), k1 = B * (A - m * m), k0 = B * B / 4 - m * m * C;
    const double escala = std::max({std::fabs(k2), std::fabs(k1), std::fabs(k0)});
    if (escala > 0 && std::isfinite(escala)) {
        if (std::fabs(k2) > 1e-12 * escala) {
            const double d = k1 * k1 - 4 * k2 * k0;
            if (d >= 0) {
                // Sin cancelación: la raíz de mayor módulo primero, la otra por el producto.
                const double q = -0.5 * (k1 + std::copysign(std::sqrt(d), k1));
                if (q != 0) candidatos[n++] = q / k2, candidatos[n++] = k0 / q;
                else candidatos[n++] = 0.0;
            }
        } else if (std::fabs(k1) > 1e-12 * escala) {
            candidatos[n++] = -k0 / k1;
        }
    }
    std::sort(candidatos, candidatos + n);
    for (int k = 0; k < n; ++k) {
        const double t = candidatos[k];
        if (!(t > 0 && t < 1)) continue;
        const double v = f(t);
        if (v < e.minimo - tolerancia) e.minimo = v, e.xMinimo = t * L;
    }
    if (f1 < e.minimo - tolerancia) e.minimo = f1, e.xMinimo = L;
    return e;
}

// Los extremos de la solicitación j de la barra i de un caso sísmico, con la
// torsión accidental si el caso la tiene.
extremoSolicitacion extremosSismicos(const casoResultado& caso, size_t i, int j, double L, double tolerancia) {
    const double cruzado = caso.cruzados[i][static_cast<size_t>(j)];
    if (i < caso.torsion.size()) return extremosConTorsion(caso.torsion[i][static_cast<size_t>(j)], cruzado, L, tolerancia);
    const fuerzasDeSolicitacion& fs = kFuerzasDeSolicitacion[j];
    const solicitacionesBarra& s = caso.barras[i];
    return extremosModulo(s.fuerzas[fs.inicio], cruzado, s.fuerzas[fs.fin], L, tolerancia);
}

// Masa efectiva (fracción de la total) desde la que un modo cuenta en la
// respuesta de un sismo: con menos, su término cruzado con otro modo es
// despreciable y la regla de combinación no importa para él.
constexpr double kMasaEfectivaQueCuenta = 0.01;
// Dos modos cuyas frecuencias difieren menos que esto están acoplados: SRSS
// olvida su correlación (que CQC toma).
constexpr double kFrecuenciasCercanas = 0.10;

// Lo que el ingeniero debe saber de un caso sísmico antes de usarlo: un
// espectro que no abarca el período más largo de sus modos (se toma su último
// valor) y la regla SRSS con dos modos que cuentan de frecuencias cercanas.
void avisosDelSismo(const casoSismico& def, const espectroDiseno& espectro, const std::vector<modoVibracion>& modos) {
    char texto[400];
    size_t largo = modos.size();
    for (size_t m = 0; m < modos.size(); ++m)
        if (largo == modos.size() || modos[m].periodo > modos[largo].periodo) largo = m;
    if (largo < modos.size() && !espectro.periodos.empty() && modos[largo].periodo > espectro.periodos.back()) {
        std::snprintf(texto, sizeof texto,
                      "Advertencia: el espectro %s termina en %g s, antes del período %g s del modo %d que usa el "
                      "sismo %s; se toma el último valor",
                      espectro.nombre.c_str(), espectro.periodos.back(), modos[largo].periodo,
                      static_cast<int>(largo) + 1, def.nombre.c_str());
        mensajes.advertencia(texto);
    }
    if (def.regla != reglaModal::srss) return;
    for (size_t i = 0; i < modos.size(); ++i) {
        if (modos[i].masaEfectiva(def.direccion) < kMasaEfectivaQueCuenta) continue;
        for (size_t j = i + 1; j < modos.size(); ++j) {
            if (modos[j].masaEfectiva(def.direccion) < kMasaEfectivaQueCuenta) continue;
            const double a = modos[i].omega, b = modos[j].omega;
            if (!(std::fabs(a - b) < kFrecuenciasCercanas * std::max(a, b))) continue;
            std::snprintf(texto, sizeof texto,
                          "Advertencia: el sismo %s combina por SRSS los modos %d y %d, de frecuencias %g y %g Hz "
                          "(a menos de 10 %%); se recomienda CQC",
                          def.nombre.c_str(), static_cast<int>(i) + 1, static_cast<int>(j) + 1, modos[i].frecuencia,
                          modos[j].frecuencia);
            mensajes.advertencia(texto);
            return;
        }
    }
}

// La escala del caso sísmico s (escalaSismo:), con su cortante basal sin
// escalar ya en info: S = FMIN·Vest/V si V < FMIN·Vest, FMAX·Vest/V si
// V > FMAX·Vest, 1 si no. Falso, con el error, si un cortante es nulo (no
// hay escala que lo lleve al rango).
bool escalarSismo(int s, resultadoSismico& info) {
    const definicionEscalaSismo* e = escalaDeSismo(s);
    if (e == nullptr) return true;
    info.conEscala = true;
    info.estatico = e->estatico;
    info.cortanteDinamico = info.cortanteBasal(info.direccion);
    info.cortanteEstatico = cortanteBasalDeCaso(e->estatico, info.direccion);
    const double v = info.cortanteDinamico, vest = info.cortanteEstatico;
    const char direccion = info.direccion == 0 ? 'X' : 'Y';
    if (!(vest > 0) || !std::isfinite(vest)) {
        mensajes.error("Error: escalaSismo: el caso " + e->estatico + " no tiene cortante basal en la dirección " +
                       direccion + " del sismo " + info.nombre + " (sus cargas en " + direccion +
                       " suman cero); no se puede escalar");
        return false;
    }
    if (!(v > 0) || !std::isfinite(v)) {
        mensajes.error("Error: escalaSismo: el sismo " + info.nombre + " no tiene cortante basal en " + direccion +
                       "; no se puede escalar");
        return false;
    }
    if (v < e->minimo * vest)
        info.escala = e->minimo * vest / v;
    else if (e->conMaximo && v > e->maximo * vest)
        info.escala = e->maximo * vest / v;
    return true;
}

// Un caso sísmico: respuestas modales combinadas.
// Devuelve G = W·diag(amplitudes): ‖G·r‖ combina las respuestas modales
// unitarias r (las de la forma modal guardada). Vacía si la escala pedida
// no se puede calcular (el error ya se dijo).
Eigen::MatrixXd calcularSismo(int indice, const casoSismico& def, const Eigen::MatrixXd& formas,
                              const Eigen::MatrixXd& reaccionesModales, casoResultado& caso, resultadoSismico& info) {
    const std::vector<modoVibracion>& modos = resultados.modos;
    const Eigen::Index k = static_cast<Eigen::Index>(modos.size());
    const espectroDiseno& espectro = espectros[static_cast<size_t>(def.espectro)];
    info.nombre = def.nombre;
    info.espectro = espectro.nombre;
    info.direccion = def.direccion;
    info.amortiguamiento = def.amortiguamiento;
    info.cqc = def.regla == reglaModal::cqc;
    // Amplitud de cada modo (la forma modal guardada por esa amplitud es la
    // respuesta del modo): Γ·Sa(T)/ω².
    Eigen::VectorXd amplitud(k);
    info.cortantesModales.setZero(k, 3);
    for (Eigen::Index m = 0; m < k; ++m) {
        const modoVibracion& modo = modos[static_cast<size_t>(m)];
        const double sa = espectro.aceleracion(modo.periodo);
        info.periodos.push_back(modo.periodo);
        info.aceleraciones.push_back(sa);
        amplitud(m) = modo.participacion(def.direccion) * sa / (modo.omega * modo.omega);
        info.masaEfectiva += modo.masaEfectiva(def.direccion);
    }
    avisosDelSismo(def, espectro, modos);
    const Eigen::MatrixXd rho = correlacion(modos, def);
    // Cortante basal de cada modo: la suma de sus reacciones en cada dirección.
    for (const objNudo3d& n : nudo)
        for (int d = 0; d < 3; ++d)
            if (n.tieneReaccion(d))
                info.cortantesModales.col(d) += reaccionesModales.row(6 * n.getNoNudoInterno() + d).transpose();
    for (int d = 0; d < 3; ++d) {
        info.cortantesModales.col(d) = info.cortantesModales.col(d).cwiseProduct(amplitud);
        const Eigen::VectorXd v = info.cortantesModales.col(d);
        info.cortanteBasal(d) = std::sqrt(std::max(0.0, v.dot(rho * v)));
    }
    // La escala del caso (escalaSismo:) multiplica las amplitudes: todo lo
    // que sale de ellas (nudos, barras, diafragmas, pisos, derivas y las
    // combinaciones que lo usan) queda escalado desde aquí.
    if (!escalarSismo(indice, info)) return Eigen::MatrixXd();
    if (info.escala != 1) {
        amplitud *= info.escala;
        info.cortantesModales *= info.escala;
        info.cortanteBasal *= info.escala;
    }
    const Eigen::MatrixXd g = raizCorrelacion(rho) * amplitud.asDiagonal();
    info.combinacionModal = g;

    const Eigen::Index nn = static_cast<Eigen::Index>(nudo.size());
    const Eigen::MatrixXd zd = g * formas.transpose();
    const Eigen::MatrixXd zr = g * reaccionesModales.transpose();
    caso.desplazamientos.resize(6, nn);
    caso.reacciones.setZero(6, nn);
    for (const objNudo3d& n : nudo) {
        const Eigen::Index j = n.getNoNudoInterno();
        for (int i = 0; i < 6; ++i) {
            caso.desplazamientos(i, j) = zd.col(6 * j + i).norm();
            if (n.tieneReaccion(i)) caso.reacciones(i, j) = zr.col(6 * j + i).norm();
        }
    }
    return g;
}

// Las respuestas de la barra a los campos de desplazamientos (6 filas por
// nudo, una columna por campo: las formas modales o la respuesta a la
// torsión): por campo, sus 12 fuerzas y 12 desplazamientos de extremo, en
// ejes locales. Con la rigidez geométrica de los modos, las fuerzas de
// extremo son (k + kg)·u. Vacía si a los campos les faltan sus nudos.
Eigen::MatrixXd respuestasBarra(const objBarra3d& b, const Eigen::MatrixXd& campos, const std::vector<double>& axiales) {
    const Eigen::Index k = campos.cols();
    const Eigen::Index ni = 6 * static_cast<Eigen::Index>(b.getNudoInicioInterno()),
                       nf = 6 * static_cast<Eigen::Index>(b.getNudoFinalInterno());
    const size_t ib = static_cast<size_t>(b.getNoBarraInterna());
    if (ni < 0 || nf < 0 || ni + 6 > campos.rows() || nf + 6 > campos.rows()) return Eigen::MatrixXd();
    Eigen::MatrixXd q(k, 24);
    const objBarra3d::rigidezNatural rigidez = b.getRigidezNatural();
    const Eigen::Matrix3d r = b.getRotacion();
    for (Eigen::Index m = 0; m < k; ++m) {
        const Eigen::Matrix<double, 6, 1> u1 = campos.col(m).segment<6>(ni), u2 = campos.col(m).segment<6>(nf);
        long double f[12];
        b.fuerzasPorDeformacion(rigidez, u1.data(), u2.data(), f);
        for (int i = 0; i < 12; ++i) q(m, i) = static_cast<double>(f[i]);
        q.block<1, 3>(m, 12) = (r * u1.head<3>()).transpose();
        q.block<1, 3>(m, 15) = (r * u1.tail<3>()).transpose();
        q.block<1, 3>(m, 18) = (r * u2.head<3>()).transpose();
        q.block<1, 3>(m, 21) = (r * u2.tail<3>()).transpose();
    }
    if (ib < axiales.size() && axiales[ib] != 0.0)
        q.leftCols(12) += q.rightCols(12) * b.getKgLocal(axiales[ib]).transpose();
    return q;
}

// Las respuestas de cada modo en las barras, y con ellas los módulos de las
// fuerzas y desplazamientos de extremo, los términos cruzados y los extremos
// de cada caso sísmico.
void barrasSismicas(const Eigen::MatrixXd& formas, const std::vector<Eigen::MatrixXd>& g,
                    const std::vector<casoResultado*>& casos, const std::vector<double>& axiales) {
    for (casoResultado* c : casos) {
        c->barras.assign(barra.size(), solicitacionesBarra());
        c->cruzados.assign(barra.size(), {});
    }
    paraCadaBarra([&](const objBarra3d& b) {
        // Por modo: 12 fuerzas y 12 desplazamientos de extremo, en ejes locales.
        const Eigen::MatrixXd q = respuestasBarra(b, formas, axiales);
        if (q.size() == 0) return;
        const size_t ib = static_cast<size_t>(b.getNoBarraInterna());
        const double L = b.getLongitud();
        for (size_t e = 0; e < casos.size(); ++e) {
            const Eigen::MatrixXd z = g[e] * q;
            solicitacionesBarra& s = casos[e]->barras[ib];
            for (int i = 0; i < 12; ++i) {
                s.fuerzas[i] = z.col(i).norm();
                s.desplazamientos[i] = z.col(12 + i).norm();
            }
            for (int j = 0; j < kNumeroSolicitaciones; ++j) {
                const fuerzasDeSolicitacion& fs = kFuerzasDeSolicitacion[j];
                const double cruzado = fs.signoInicio * fs.signoFin * z.col(fs.inicio).dot(z.col(fs.fin));
                casos[e]->cruzados[ib][static_cast<size_t>(j)] = cruzado;
                s.extremos[j] = extremosModulo(s.fuerzas[fs.inicio], cruzado, s.fuerzas[fs.fin], L, 0.0);
            }
        }
    });
}

// La torsión accidental (torsionAccidental: E) de los casos sísmicos en X o
// en Y, con sus pisos ya calculados: cada diafragma recibe el momento
// E · B · F alrededor de Z (B el ancho de sus nudos perpendicular al sismo, F
// su fuerza de piso en la dirección del sismo), todos con el mismo signo; la
// respuesta estática a esos momentos (un estado de carga por caso, resuelto
// con la rigidez de los modos), y su valor absoluto se suma a los desplazamientos, las reacciones y
// las barras del caso: el código de diseño la hace actuar con el signo desfavorable en
// cada magnitud. Devuelve los campos (6 filas por nudo, una columna por caso;
// ceros en los casos sin torsión) y marca en conTorsion los que la tienen.
Eigen::MatrixXd aplicarTorsionAccidental(const std::vector<casoResultado*>& casos, const resolverEstatico& resolver,
                                         const operadorRigidez& operador, const geometricaModal& geometrica,
                                         std::vector<char>& conTorsion) {
    const Eigen::Index ngl = 6 * static_cast<Eigen::Index>(nudo.size()),
                       nd = static_cast<Eigen::Index>(diafragmas.size()),
                       nc = static_cast<Eigen::Index>(casos.size());
    Eigen::MatrixXd campos = Eigen::MatrixXd::Zero(ngl, nc);
    conTorsion.assign(casos.size(), 0);
    if (!(diseno.torsionAccidental > 0) || !resolver || nd == 0) return campos;
    Eigen::MatrixXd momentosPiso = Eigen::MatrixXd::Zero(nd, nc);
    for (size_t e = 0; e < casos.size() && e < resultados.sismos.size(); ++e) {
        resultadoSismico& info = resultados.sismos[e];
        const int d = info.direccion;
        if (d != 0 && d != 1) continue;
        casoResultado& caso = *casos[e];
        Eigen::VectorXd momentos = Eigen::VectorXd::Zero(nd);
        for (Eigen::Index k = 0; k < nd; ++k) {
            const diafragma& df = diafragmas[static_cast<size_t>(k)];
            if (df.nudos.empty() || static_cast<size_t>(k) >= caso.pisos.size()) continue;
            double menor = INFINITY, mayor = -INFINITY;
            for (int i : df.nudos) {
                const objNudo3d& n = nudo[static_cast<size_t>(i)];
                const double c = d == 0 ? n.getY() : n.getX();
                menor = std::min(menor, c), mayor = std::max(mayor, c);
            }
            momentos(k) = diseno.torsionAccidental * (mayor - menor) * caso.pisos[static_cast<size_t>(k)].fuerza[d];
        }
        momentosPiso.col(static_cast<Eigen::Index>(e)) = momentos;
        conTorsion[e] = 1;
        info.conTorsion = true;
        info.torsionAccidental = diseno.torsionAccidental;
        info.momentosTorsion.assign(momentos.data(), momentos.data() + nd);
    }
    if (std::find(conTorsion.begin(), conTorsion.end(), 1) == conTorsion.end()) return campos;
    campos = resolver(momentosPiso);
    for (size_t e = 0; e < casos.size() && e < resultados.sismos.size(); ++e)
        if (conTorsion[e]) resultados.sismos[e].desplazamientosTorsion = campos.col(static_cast<Eigen::Index>(e));
    // Las reacciones de la respuesta, con las mismas fuerzas de barra que las de los modos.
    Eigen::MatrixXd reacciones = operador.fuerzas(campos, Eigen::MatrixXd::Zero(ngl, nc));
    if (geometrica.global.rows() == ngl) reacciones += geometrica.global * campos;
    for (size_t e = 0; e < casos.size(); ++e) {
        if (!conTorsion[e]) continue;
        casoResultado& caso = *casos[e];
        const Eigen::Index c = static_cast<Eigen::Index>(e);
        for (const objNudo3d& n : nudo) {
            const Eigen::Index j = n.getNoNudoInterno();
            for (int i = 0; i < 6; ++i) {
                caso.desplazamientos(i, j) += std::fabs(campos(6 * j + i, c));
                if (n.tieneReaccion(i)) caso.reacciones(i, j) += std::fabs(reacciones(6 * j + i, c));
            }
        }
        caso.torsion.assign(barra.size(), {});
    }
    paraCadaBarra([&](const objBarra3d& b) {
        const Eigen::MatrixXd q = respuestasBarra(b, campos, geometrica.axiales);
        if (q.size() == 0) return;
        const size_t ib = static_cast<size_t>(b.getNoBarraInterna());
        const double L = b.getLongitud();
        for (size_t e = 0; e < casos.size(); ++e) {
            if (!conTorsion[e]) continue;
            casoResultado& caso = *casos[e];
            const Eigen::Index c = static_cast<Eigen::Index>(e);
            solicitacionesBarra& s = caso.barras[ib];
            std::array<torsionSolicitacion, kNumeroSolicitaciones>& t = caso.torsion[ib];
            for (int j = 0; j < kNumeroSolicitaciones; ++j) {
                const fuerzasDeSolicitacion& fs = kFuerzasDeSolicitacion[j];
                torsionSolicitacion& r = t[static_cast<size_t>(j)];
                r.modalInicio = s.fuerzas[fs.inicio], r.modalFin = s.fuerzas[fs.fin];
                r.inicio = fs.signoInicio * q(c, fs.inicio), r.fin = fs.signoFin * q(c, fs.fin);
            }
            for (int i = 0; i < 12; ++i) {
                s.fuerzas[i] += std::fabs(q(c, i));
                s.desplazamientos[i] += std::fabs(q(c, 12 + i));
            }
            for (int j = 0; j < kNumeroSolicitaciones; ++j) s.extremos[j] = extremosSismicos(caso, ib, j, L, 0.0);
        }
    });
    return campos;
}

// Los extremos de un caso sísmico otra vez, con su escala: dos módulos que
// sólo difieren en el redondeo empatan y manda la menor x.
void desempatarSismo(casoResultado& caso) {
    double tolerancias[kNumeroSolicitaciones];
    toleranciasSolicitaciones(caso.escalas, tolerancias);
    for (size_t i = 0; i < caso.barras.size() && i < caso.cruzados.size(); ++i) {
        solicitacionesBarra& s = caso.barras[i];
        const double L = barra[i].getLongitud();
        for (int j = 0; j < kNumeroSolicitaciones; ++j) s.extremos[j] = extremosSismicos(caso, i, j, L, tolerancias[j]);
    }
}

// Un sismo que los modos calculados no toman (en una dirección sin masa
// efectiva) da sólo redondeo, y la escala de sus propios valores también lo
// es. La de un caso sísmico es al menos la de lo que el espectro puede dar:
// toda la masa por la mayor aceleración en las fuerzas, y el desplazamiento
// espectral Sa/ω² del modo que más se desplaza en las traslaciones.
void escalaPropiaDelSismo(escalasCaso& e, const resultadoSismico& info, double tamano) {
    double sa = 0, sd = 0;
    for (size_t k = 0; k < info.aceleraciones.size(); ++k) {
        const double w = resultados.modos[k].omega;
        sa = std::max(sa, info.aceleraciones[k]);
        if (w > 0) sd = std::max(sd, info.aceleraciones[k] / (w * w));
    }
    // Lo que el espectro puede dar, por la escala del caso.
    sa *= info.escala, sd *= info.escala;
    const double fuerzas = resultados.masaTotal * sa;
    if (!std::isfinite(fuerzas) || !std::isfinite(sd)) return;
    e.fuerzas = std::max(e.fuerzas, fuerzas);
    e.traslaciones = std::max(e.traslaciones, sd);
    if (tamano > 0 && std::isfinite(tamano)) {
        e.momentos = std::max(e.momentos, e.fuerzas * tamano);
        e.giros = std::max(e.giros, e.traslaciones / tamano);
    }
}

// ---- Combinaciones con sismo ----

// La función estática es lineal a lo largo de la barra (sin carga de tramo
// que la curve): más o menos un módulo sísmico, que es convexo, tiene sus
// extremos en los extremos de la barra.
bool estaticaLineal(const solicitacionesBarra& s, int j) {
    switch (j) {
        case kSolicitacionN: return s.cargaAxialInicio == s.cargaAxialFin;
        case kSolicitacionVy: return s.planoY.pendiente == 0;
        case kSolicitacionVz: return s.planoZ.pendiente == 0;
        case kSolicitacionMy: return s.planoY.pendiente == 0 && s.planoY.qInicio == 0;
        case kSolicitacionMz: return s.planoZ.pendiente == 0 && s.planoZ.qInicio == 0;
        default: return true;
    }
}

// Sin ser lineal, la función estática es cuadrática (carga de tramo uniforme
// para los momentos, lineal no uniforme para cortes y axial).
bool estaticaCuadratica(const solicitacionesBarra& s, int j) {
    switch (j) {
        case kSolicitacionN: return true;
        case kSolicitacionVy: return true;
        case kSolicitacionVz: return true;
        case kSolicitacionMy: return s.planoY.pendiente == 0;
        case kSolicitacionMz: return s.planoZ.pendiente == 0;
        default: return false;
    }
}

// Estaciones con que se busca el extremo de una función que no es lineal más
// un módulo; el mejor punto se afina por sección áurea entre sus vecinos.
constexpr int kTramosBusqueda = 24;
constexpr int kPasosAfinado = 48;

// El mayor de signo·f(x) en [0, L], con los candidatos dados además de las estaciones.
// Un valor que supera al mejor en no más que la tolerancia de empate no lo
// reemplaza: el redondeo no decide dónde está el extremo.
template <typename F>
std::pair<double, double> mayorDe(F&& f, double L, bool soloExtremos, std::initializer_list<double> otros,
                                  double tolerancia) {
    double mejorX = 0, mejor = f(0.0);
    const auto probar = [&](double x) {
        if (!(x >= 0 && x <= L)) return;
        const double v = f(x);
        if (v > mejor + tolerancia || std::isnan(v)) mejor = v, mejorX = x;
    };
    probar(L);
    if (soloExtremos) return {mejorX, mejor};
    for (double x : otros) probar(x);
    for (int i = 1; i < kTramosBusqueda; ++i) probar(L * i / kTramosBusqueda);
    double a = std::max(0.0, mejorX - L / kTramosBusqueda), b = std::min(L, mejorX + L / kTramosBusqueda);
    const double razon = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - razon * (b - a), x2 = a + razon * (b - a), f1 = f(x1), f2 = f(x2);
    for (int i = 0; i < kPasosAfinado; ++i) {
        if (f1 >= f2) {
            b = x2, x2 = x1, f2 = f1;
            x1 = b - razon * (b - a), f1 = f(x1);
        } else {
            a = x1, x1 = x2, f1 = f2;
            x2 = a + razon * (b - a), f2 = f(x2);
        }
    }
    probar(f1 >= f2 ? x1 : x2);
    return {mejorX, mejor};
}

void convertirEnComboEspectral(int c, const std::vector<std::pair<int, double>>& terminos) {
    casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
    auto estatico = std::make_shared<casoResultado>(std::move(caso));
    caso = casoResultado();
    caso.nombre = estatico->nombre;
    caso.tipo = tipoCaso::comboEspectral;
    caso.combo = c;
    caso.estatico = estatico;
    for (const auto& [indice, factor] : terminos) {
        caso.componentes.push_back(indice);
        caso.factores.push_back(factor);
    }
    std::vector<const casoResultado*> sismicos;
    for (int i : caso.componentes) sismicos.push_back(&resultados.casos[static_cast<size_t>(i)]);
    // Las tolerancias de empate, con la escala de la parte estática más la de los módulos.
    std::vector<const casoResultado*> partes{estatico.get()};
    partes.insert(partes.end(), sismicos.begin(), sismicos.end());
    std::vector<double> pesos{1.0};
    pesos.insert(pesos.end(), caso.factores.begin(), caso.factores.end());
    double tolerancias[kNumeroSolicitaciones];
    toleranciasSolicitaciones(escalasDe(partes, pesos, true), tolerancias);
    if (!diafragmas.empty()) {
        combinarDiafragmas(caso, *estatico, sismicos, caso.factores, escalasDe(partes, pesos, true).traslaciones);
        combinarPisos(caso, *estatico, sismicos, caso.factores);
    }
    if (!resultados.niveles.empty())
        combinarNiveles(caso, *estatico, sismicos, caso.factores, resultados.niveles,
                        escalasDe(partes, pesos, true).traslaciones);
    // Nudos: estático ± Σ |factor|·módulo.
    Eigen::MatrixXd d = Eigen::MatrixXd::Zero(6, estatico->desplazamientos.cols());
    Eigen::MatrixXd r = Eigen::MatrixXd::Zero(6, estatico->reacciones.cols());
    for (size_t k = 0; k < sismicos.size(); ++k) {
        d += caso.factores[k] * sismicos[k]->desplazamientos;
        r += caso.factores[k] * sismicos[k]->reacciones;
    }
    caso.desplazamientos = estatico->desplazamientos + d;
    caso.desplazamientosMinimos = estatico->desplazamientos - d;
    caso.reacciones = estatico->reacciones + r;
    caso.reaccionesMinimas = estatico->reacciones - r;
    caso.barras.assign(barra.size(), solicitacionesBarra());
    caso.minimos.assign(barra.size(), minimosBarra());
    paraCadaBarra([&](const objBarra3d& b) {
        const int ib = b.getNoBarraInterna();
        const size_t i = static_cast<size_t>(ib);
        if (i >= estatico->barras.size()) return;
        const solicitacionesBarra& est = estatico->barras[i];
        solicitacionesBarra& s = caso.barras[i];
        for (int j = 0; j < 12; ++j) {
            double sismica = 0;
            for (size_t k = 0; k < sismicos.size(); ++k)
                if (i < sismicos[k]->barras.size()) sismica += caso.factores[k] * sismicos[k]->barras[i].fuerzas[j];
            s.fuerzas[j] = est.fuerzas[j] + sismica;
            caso.minimos[i].fuerzas[j] = est.fuerzas[j] - sismica;
        }
        const double L = b.getLongitud();
        for (int j = 0; j < kNumeroSolicitaciones; ++j) {
            const auto sismica = [&](double x) {
                double v = 0;
                for (size_t k = 0; k < sismicos.size(); ++k)
                    v += caso.factores[k] * moduloSismico(*sismicos[k], ib, j, L > 0 ? x / L : 0.0);
                return v;
            };
            // El módulo sísmico es convexo: con una estática lineal los dos
            // extremos están en los extremos de la barra; con una cuadrática
            // convexa, el máximo (estática + módulo es convexa), y con una
            // cóncava, el mínimo. Sólo lo demás se busca a lo largo de la barra.
            const bool lineal = estaticaLineal(est, j);
            bool soloExtremosMayor = lineal, soloExtremosMenor = lineal;
            if (!lineal && estaticaCuadratica(est, j)) {
                const double curvatura = b.valorSolicitacion(est, j, 0.0) + b.valorSolicitacion(est, j, L) -
                                         2 * b.valorSolicitacion(est, j, L / 2);
                soloExtremosMayor = curvatura >= 0;
                soloExtremosMenor = curvatura <= 0;
            }
            const extremoSolicitacion& e = est.extremos[j];
            const auto [xMayor, mayor] = mayorDe([&](double x) { return b.valorSolicitacion(est, j, x) + sismica(x); },
                                                 L, soloExtremosMayor, {e.xMaximo, e.xMinimo}, tolerancias[j]);
            const auto [xMenor, menor] = mayorDe([&](double x) { return sismica(x) - b.valorSolicitacion(est, j, x); },
                                                 L, soloExtremosMenor, {e.xMaximo, e.xMinimo}, tolerancias[j]);
            s.extremos[j].maximo = mayor, s.extremos[j].xMaximo = xMayor;
            s.extremos[j].minimo = -menor + 0.0, s.extremos[j].xMinimo = xMenor;
        }
    });
}

// ---- Envolventes ----

// Una combinación sin resultados: la de segundo orden que supera la carga
// crítica (sus valores quedan en cero, que no son un resultado), también como
// parte estática de una combinación con sismo. Una envolvente no la abarca.
bool sinResultados(const casoResultado& c) {
    const casoResultado* e = casoEstatico(c);
    return e != nullptr && e->tipo == tipoCaso::segundoOrden && e->segundoOrden.inestable;
}

// Las combinaciones de la envolvente que tienen resultados (índices en los
// casos); de las que deja fuera, un aviso.
std::vector<int> componentesDeEnvolvente(const definicionEnvolvente& e, size_t combos) {
    std::vector<int> componentes;
    for (int c : e.combos) {
        if (c < 0 || static_cast<size_t>(c) >= combos) continue;
        const casoResultado& caso = resultados.casos[static_cast<size_t>(c)];
        if (!sinResultados(caso)) {
            componentes.push_back(c);
            continue;
        }
        mensajes.advertencia("Advertencia: la envolvente " + e.nombre + " deja fuera el combo " + caso.nombre +
                             ", que no tiene resultados (supera la carga crítica de pandeo en segundo orden)");
    }
    if (componentes.empty() && !e.combos.empty())
        mensajes.advertencia("Advertencia: la envolvente " + e.nombre +
                             " no abarca ningún combo con resultados (no se calcula)");
    return componentes;
}

void llenarEnvolvente(casoResultado& caso) {
    const std::vector<int>& m = caso.componentes;
    const casoResultado& primero = resultados.casos[static_cast<size_t>(m.front())];
    const Eigen::Index nn = primero.desplazamientos.cols();
    caso.desplazamientos = primero.desplazamientos;
    caso.desplazamientosMinimos = primero.desplazamientosMenores();
    caso.reacciones = primero.reacciones;
    caso.reaccionesMinimas = primero.reaccionesMenores();
    caso.casosDesplazamientos.setConstant(12, nn, m.front());
    caso.casosReacciones.setConstant(12, nn, m.front());
    caso.barras = primero.barras;
    caso.minimos.assign(primero.barras.size(), minimosBarra());
    for (size_t i = 0; i < caso.barras.size(); ++i)
        for (int j = 0; j < 12; ++j) {
            caso.minimos[i].fuerzas[j] = primero.fuerzaMenor(static_cast<int>(i), j);
            caso.minimos[i].casoMaximo[j] = caso.minimos[i].casoMinimo[j] = m.front();
        }
    for (solicitacionesBarra& s : caso.barras) {
        for (int j = 0; j < 12; ++j) s.desplazamientos[j] = 0;
        s.cargaAxialInicio = s.cargaAxialFin = 0;
        s.planoY = s.planoZ = planoSolicitaciones();
        for (extremoSolicitacion& e : s.extremos) e.casoMaximo = e.casoMinimo = m.front();
    }
    // Una combinación reemplaza a otra sólo si la supera en más que el
    // redondeo: ante un empate manda la primera.
    std::vector<const casoResultado*> partes;
    for (int c : m) partes.push_back(&resultados.casos[static_cast<size_t>(c)]);
    const escalasCaso escalas = escalasDe(partes, {}, false);
    const double tolDesplazamiento[2] = {toleranciaEmpate(escalas.traslaciones), toleranciaEmpate(escalas.giros)};
    const double tolFuerza[2] = {toleranciaEmpate(escalas.fuerzas), toleranciaEmpate(escalas.momentos)};
    double tolSolicitacion[kNumeroSolicitaciones];
    toleranciasSolicitaciones(escalas, tolSolicitacion);
    for (size_t k = 1; k < m.size(); ++k) {
        const casoResultado& o = resultados.casos[static_cast<size_t>(m[k])];
        const Eigen::MatrixXd& dMenor = o.desplazamientosMenores();
        const Eigen::MatrixXd& rMenor = o.reaccionesMenores();
        for (Eigen::Index n = 0; n < nn; ++n)
            for (int i = 0; i < 6; ++i) {
                const double td = tolDesplazamiento[i / 3], tr = tolFuerza[i / 3];
                if (o.desplazamientos(i, n) > caso.desplazamientos(i, n) + td)
                    caso.desplazamientos(i, n) = o.desplazamientos(i, n), caso.casosDesplazamientos(i, n) = m[k];
                if (dMenor(i, n) < caso.desplazamientosMinimos(i, n) - td)
                    caso.desplazamientosMinimos(i, n) = dMenor(i, n), caso.casosDesplazamientos(6 + i, n) = m[k];
                if (o.reacciones(i, n) > caso.reacciones(i, n) + tr)
                    caso.reacciones(i, n) = o.reacciones(i, n), caso.casosReacciones(i, n) = m[k];
                if (rMenor(i, n) < caso.reaccionesMinimas(i, n) - tr)
                    caso.reaccionesMinimas(i, n) = rMenor(i, n), caso.casosReacciones(6 + i, n) = m[k];
            }
        for (size_t i = 0; i < caso.barras.size() && i < o.barras.size(); ++i) {
            solicitacionesBarra& s = caso.barras[i];
            minimosBarra& menores = caso.minimos[i];
            for (int j = 0; j < 12; ++j) {
                const double tf = tolFuerza[(j % 6) / 3];
                if (o.barras[i].fuerzas[j] > s.fuerzas[j] + tf)
                    s.fuerzas[j] = o.barras[i].fuerzas[j], menores.casoMaximo[j] = m[k];
                const double menor = o.fuerzaMenor(static_cast<int>(i), j);
                if (menor < menores.fuerzas[j] - tf) menores.fuerzas[j] = menor, menores.casoMinimo[j] = m[k];
            }
            for (int j = 0; j < kNumeroSolicitaciones; ++j) {
                const extremoSolicitacion& e = o.barras[i].extremos[j];
                extremoSolicitacion& r = s.extremos[j];
                const double ts = tolSolicitacion[j];
                if (e.maximo > r.maximo + ts) r.maximo = e.maximo, r.xMaximo = e.xMaximo, r.casoMaximo = m[k];
                if (e.minimo < r.minimo - ts) r.minimo = e.minimo, r.xMinimo = e.xMinimo, r.casoMinimo = m[k];
            }
        }
    }
    envolverDiafragmas(caso, resultados.casos, escalas);
    envolverNiveles(caso, resultados.casos, resultados.niveles, escalas);
    envolverPisos(caso, resultados.casos);
}

}  // namespace

bool torsionAccidentalPedida() {
    if (!(diseno.torsionAccidental > 0) || diafragmas.empty()) return false;
    return std::any_of(sismos.begin(), sismos.end(), [](const casoSismico& s) { return s.direccion < 2; });
}

bool calcularCasosDerivados(const operadorRigidez& operador, double tamano, const geometricaModal& geometrica,
                            const resolverEstatico& resolver) {
    resultados.sismos.clear();
    if (sismos.empty() && envolventes.empty()) return true;
    const std::vector<modoVibracion>& modos = resultados.modos;
    const Eigen::Index ngl = 6 * static_cast<Eigen::Index>(nudo.size());
    const size_t primerSismo = resultados.casos.size();

    if (!sismos.empty()) {
        if (modos.empty()) {
            for (const casoSismico& s : sismos)
                mensajes.error("Error: el sismo " + s.nombre +
                               " no se puede calcular: la estructura no tiene modos de vibración con masa");
            return false;
        }
        const Eigen::Index k = static_cast<Eigen::Index>(modos.size());
        Eigen::MatrixXd formas(ngl, k);
        for (Eigen::Index m = 0; m < k; ++m) formas.col(m) = modos[static_cast<size_t>(m)].forma;
        Eigen::MatrixXd reaccionesModales = operador.fuerzas(formas, Eigen::MatrixXd::Zero(ngl, k));
        if (geometrica.global.rows() == ngl) reaccionesModales += geometrica.global * formas;
        std::vector<Eigen::MatrixXd> g;
        std::vector<casoResultado*> casos;
        resultados.casos.reserve(resultados.casos.size() + sismos.size() + envolventes.size());
        for (size_t e = 0; e < sismos.size(); ++e) {
            resultados.casos.emplace_back();
            resultados.sismos.emplace_back();
            casoResultado& caso = resultados.casos.back();
            caso.nombre = sismos[e].nombre;
            caso.tipo = tipoCaso::espectral;
            caso.sismo = static_cast<int>(e);
            g.push_back(calcularSismo(static_cast<int>(e), sismos[e], formas, reaccionesModales, caso,
                                      resultados.sismos.back()));
            if (g.back().size() == 0) return false;
        }
        for (size_t e = 0; e < sismos.size(); ++e) casos.push_back(&resultados.casos[primerSismo + e]);
        barrasSismicas(formas, g, casos, geometrica.axiales);
        if (!diafragmas.empty()) {
            // Fuerzas, cortantes y vuelcos de piso: los de cada modo (sus
            // fuerzas K·φ en los nudos sin apoyo), combinados con la regla del caso.
            const auto inicioPisos = std::chrono::steady_clock::now();
            const std::vector<Eigen::MatrixXd> modales = magnitudesPisos(reaccionesModales);
            for (size_t e = 0; e < sismos.size(); ++e) pisosSismicos(*casos[e], modales, g[e]);
            tiemposUltimoAnalisis.pisos +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - inicioPisos).count();
            // La torsión accidental sale de las fuerzas de piso.
            std::vector<char> conTorsion;
            const Eigen::MatrixXd campos = aplicarTorsionAccidental(casos, resolver, operador, geometrica, conTorsion);
            const bool hayTorsion = std::find(conTorsion.begin(), conTorsion.end(), 1) != conTorsion.end();
            // Diafragmas: cada magnitud (también la deriva de cada nudo)
            // combinada sobre los modos, más el valor absoluto de la de la torsión.
            const Eigen::MatrixXd q = magnitudesDiafragmas(formas).transpose();
            const Eigen::MatrixXd qt = hayTorsion ? magnitudesDiafragmas(campos) : Eigen::MatrixXd();
            for (size_t e = 0; e < sismos.size(); ++e) {
                Eigen::VectorXd v = (g[e] * q).colwise().norm().transpose();
                if (conTorsion[e]) v += qt.col(static_cast<Eigen::Index>(e)).cwiseAbs();
                llenarDiafragmas(*casos[e], v, casos[e]->desplazamientos.topRows(3).maxCoeff());
            }
        }
        // Niveles sin diafragma: la deriva de cada columna combinada sobre los
        // modos, más el valor absoluto de la que da la torsión accidental de
        // los diafragmas (un techo sin diafragma sobre pisos que giran).
        if (!resultados.niveles.empty()) {
            const Eigen::MatrixXd q = magnitudesNiveles(resultados.niveles, formas).transpose();
            for (size_t e = 0; e < sismos.size(); ++e) {
                Eigen::VectorXd v = (g[e] * q).colwise().norm().transpose();
                const resultadoSismico& info = resultados.sismos[e];
                if (info.conTorsion && info.desplazamientosTorsion.size() == formas.rows())
                    v += magnitudesNiveles(resultados.niveles, info.desplazamientosTorsion).col(0).cwiseAbs();
                llenarNiveles(*casos[e], resultados.niveles, v, casos[e]->desplazamientos.topRows(3).maxCoeff());
            }
        }
        for (size_t e = 0; e < sismos.size(); ++e) {
            calcularEscalas(resultados.casos[primerSismo + e], tamano);
            const resultadoSismico& info = resultados.sismos[e];
            escalaPropiaDelSismo(resultados.casos[primerSismo + e].escalas, info, tamano);
            desempatarSismo(resultados.casos[primerSismo + e]);
            if (info.masaEfectiva < 0.9) {
                char texto[300];
                std::snprintf(texto, sizeof texto,
                              "Advertencia: los %d modos calculados suman %.1f %% de la masa en la dirección %c; se "
                              "recomienda al menos 90 %%",
                              static_cast<int>(k), 100 * info.masaEfectiva, kDirecciones[info.direccion]);
                mensajes.advertencia(texto);
            }
        }
        // Las combinaciones que nombran un sismo: la parte estática más y menos
        // el valor absoluto de su factor por el módulo sísmico.
        for (size_t c = 0; c < combinaciones.size() && c < primerSismo; ++c) {
            std::vector<std::pair<int, double>> terminos;
            for (const auto& [factor, nombre] : combinaciones[c].terminos) {
                const int s = buscarSismo(nombre);
                if (s < 0) continue;
                const int indice = static_cast<int>(primerSismo) + s;
                auto t = std::find_if(terminos.begin(), terminos.end(), [&](const auto& p) { return p.first == indice; });
                if (t == terminos.end())
                    terminos.emplace_back(indice, std::fabs(factor));
                else
                    t->second += std::fabs(factor);
            }
            if (terminos.empty()) continue;
            convertirEnComboEspectral(static_cast<int>(c), terminos);
            calcularEscalas(resultados.casos[c], tamano);
        }
    }
    for (const definicionEnvolvente& e : envolventes) {
        casoResultado caso;
        caso.nombre = e.nombre;
        caso.tipo = tipoCaso::envolvente;
        caso.componentes = componentesDeEnvolvente(e, primerSismo);
        if (caso.componentes.empty()) continue;
        resultados.casos.push_back(std::move(caso));
        llenarEnvolvente(resultados.casos.back());
        calcularEscalas(resultados.casos.back(), tamano);
    }
    return true;
}
