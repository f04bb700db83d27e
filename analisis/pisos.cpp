#include "analisis/pisos.h"

#include <algorithm>
#include <cmath>

#include "analisis/analisisModal.h"
#include "analisis/niveles.h"
#include "analisis/solucionJuego.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/disenoSismico.h"

namespace {

// Un nudo está a la altura de un piso o más arriba dentro de esta fracción
// del tamaño del modelo.
constexpr double kMismoNivel = 1e-6;

// Las seis magnitudes de un piso desde una columna de magnitudesPisos.
void asignar(resultadoPiso& p, const Eigen::VectorXd& v) {
    for (int d = 0; d < 2; ++d) {
        p.fuerza[d] = p.fuerzaMinima[d] = v(d);
        p.cortante[d] = p.cortanteMinimo[d] = v(2 + d);
        p.vuelco[d] = p.vuelcoMinimo[d] = v(4 + d);
    }
}

// El centro de rigidez de cada diafragma: con Fx, Fy y Mz unitarios en él,
// sólo en él, sus giros θx, θy y θz; el punto donde una fuerza no lo hace
// girar es x = xc − θy/θz, y = yc + θx/θz. La rigidez es simétrica: el giro
// que da una fuerza unitaria es la traslación que da un par unitario
// (reciprocidad), así que basta un solo estado de carga por diafragma, el
// par, y de él se leen ux, uy y el giro.
Eigen::MatrixXd centrosDeRigidez(const solucionDispersa& factor, const numeracionLibre& num,
                                 std::vector<centroPiso>& centros) {
    const Eigen::Index nd = static_cast<Eigen::Index>(diafragmas.size());
    if (nd == 0 || !num.conDiafragmas()) return Eigen::MatrixXd();
    const int clases[3] = {0, 1, 5};
    const auto fila = [&](Eigen::Index k, int c) -> Eigen::Index {
        const int p = num.posicionLibre[static_cast<size_t>(num.noGdl + 6 * k + clases[c])];
        return p < 0 ? -1 : num.orden[static_cast<size_t>(p)];
    };
    Eigen::MatrixXd b = Eigen::MatrixXd::Zero(num.noLibres(), nd);
    for (Eigen::Index k = 0; k < nd; ++k)
        if (fila(k, 2) >= 0) b(fila(k, 2), k) = 1.0;
    const Eigen::MatrixXd x = factor.resolver(b);
    for (Eigen::Index k = 0; k < nd; ++k) {
        const Eigen::Index giro = fila(k, 2), ux = fila(k, 0), uy = fila(k, 1);
        if (giro < 0) continue;
        const double tx = ux < 0 ? 0.0 : x(ux, k), ty = uy < 0 ? 0.0 : x(uy, k), tz = x(giro, k);
        if (!(tz > 0) || !std::isfinite(tx) || !std::isfinite(ty)) continue;
        centroPiso& c = centros[static_cast<size_t>(k)];
        const diafragma& d = diafragmas[static_cast<size_t>(k)];
        c.conRigidez = true;
        c.xRigidez = d.xc - ty / tz;
        c.yRigidez = d.yc + tx / tz;
    }
    return num.aCompleta(x);
}

}  // namespace

Eigen::MatrixXd masasDeTraslacion() {
    const Eigen::Index ngl = 6 * static_cast<Eigen::Index>(nudo.size());
    std::vector<char> libre(static_cast<size_t>(ngl), 0);
    for (const objNudo3d& n : nudo)
        for (int i = 0; i < 6; ++i)
            libre[static_cast<size_t>(6 * n.getNoNudoInterno() + i)] = n.getVectorApoyo()(i) == 0;
    Eigen::MatrixXd r = Eigen::MatrixXd::Zero(ngl, 2);
    recorrerMasa([&](Eigen::Index gi, Eigen::Index gj, double v) {
        if (gi < 0 || gj < 0 || gi >= ngl || gj >= ngl) return;
        const int clase = static_cast<int>(gj % 6);
        if (clase < 2 && libre[static_cast<size_t>(gj)]) r(gi, clase) += v;
    });
    return r;
}

std::vector<centroPiso> masasDePisos(const Eigen::MatrixXd& m) {
    std::vector<centroPiso> centros(diafragmas.size());
    for (size_t k = 0; k < diafragmas.size(); ++k) {
        const diafragma& d = diafragmas[k];
        // Tᵀ·M por una traslación en X y en Y: la masa que arrastra el
        // diafragma (filas Ux, Uy) y su acoplamiento con el giro (fila Gz,
        // con ux = Ux − dy·Gz, uy = Uy + dx·Gz de cada nudo).
        double mx = 0, my = 0, sx = 0, sy = 0;
        for (int i : d.nudos) {
            const Eigen::Index g = 6 * static_cast<Eigen::Index>(i);
            const objNudo3d& n = nudo[static_cast<size_t>(i)];
            const double dx = n.getX() - d.xc, dy = n.getY() - d.yc;
            mx += m(g, 0), my += m(g + 1, 1);
            sx += -dy * m(g, 0) + dx * m(g + 1, 0) + m(g + 5, 0);
            sy += -dy * m(g, 1) + dx * m(g + 1, 1) + m(g + 5, 1);
        }
        centroPiso& c = centros[k];
        c.masa = 0.5 * (mx + my);
        c.xMasa = my > 0 ? d.xc + sy / my : d.xc;
        c.yMasa = mx > 0 ? d.yc - sx / mx : d.yc;
    }
    return centros;
}

Eigen::MatrixXd respuestaAMomentosDePiso(const solucionDispersa& factor, const numeracionLibre& num,
                                         const operadorRigidez& operador,
                                         const Eigen::SparseMatrix<double>& geometrica,
                                         const Eigen::MatrixXd& momentos) {
    Eigen::MatrixXd cargas = Eigen::MatrixXd::Zero(num.noGdl, momentos.cols());
    // El momento en el giro de un nudo del diafragma: el diafragma lo pasa entero a su Gz.
    for (Eigen::Index k = 0; k < momentos.rows() && static_cast<size_t>(k) < diafragmas.size(); ++k) {
        const diafragma& d = diafragmas[static_cast<size_t>(k)];
        if (!d.nudos.empty()) cargas.row(6 * static_cast<Eigen::Index>(d.nudos.front()) + 5) = momentos.row(k);
    }
    if (cargas.cols() == 0) return cargas;
    Eigen::MatrixXd u = num.aCompleta(factor.resolver(num.aLibres(cargas)));
    Eigen::MatrixXd residuo = operador.residuo(cargas, u);
    if (geometrica.rows() == num.noGdl) residuo -= geometrica * u;
    u += num.aCompleta(factor.resolver(num.aLibres(residuo)));
    return u;
}

std::vector<Eigen::MatrixXd> magnitudesPisos(const Eigen::MatrixXd& f) {
    const size_t nd = diafragmas.size();
    const Eigen::Index m = f.cols();
    std::vector<Eigen::MatrixXd> q(nd, Eigen::MatrixXd::Zero(6, m));
    if (nd == 0 || m == 0) return q;
    const double tolerancia = kMismoNivel * tamanoModelo();
    std::vector<int> deNudo(nudo.size(), -1);
    for (size_t k = 0; k < nd; ++k)
        for (int i : diafragmas[k].nudos) deNudo[static_cast<size_t>(i)] = static_cast<int>(k);
    for (const objNudo3d& n : nudo) {
        const Eigen::Index j = n.getNoNudoInterno();
        for (int d = 0; d < 2; ++d) {
            if (n.tieneReaccion(d) || 6 * j + d >= f.rows()) continue;
            const auto fila = f.row(6 * j + d);
            if (deNudo[static_cast<size_t>(j)] >= 0) q[static_cast<size_t>(deNudo[static_cast<size_t>(j)])].row(d) += fila;
            for (size_t k = 0; k < nd; ++k) {
                const double brazo = n.getZ() - diafragmas[k].z;
                if (brazo < -tolerancia) continue;
                q[k].row(2 + d) += fila;
                q[k].row(4 + d) += brazo * fila;
            }
        }
    }
    return q;
}

Eigen::MatrixXd calcularPisos(const solucionDispersa& factor, const numeracionLibre& num) {
    resultados.centros.clear();
    if (diafragmas.empty()) return Eigen::MatrixXd();
    resultados.centros = masasDePisos(masasDeTraslacion());
    Eigen::MatrixXd pares = centrosDeRigidez(factor, num, resultados.centros);
    // Las combinaciones: las cargas horizontales de los nudos (puntuales y las
    // equivalentes de las repartidas) sobre cada piso.
    Eigen::MatrixXd cargas = resultados.cargasPuntuales;
    if (resultados.cargasDistribuidas.rows() == cargas.rows() && resultados.cargasDistribuidas.cols() == cargas.cols())
        cargas += resultados.cargasDistribuidas;
    const std::vector<Eigen::MatrixXd> q = magnitudesPisos(cargas);
    for (size_t c = 0; c < resultados.casos.size(); ++c) {
        casoResultado& caso = resultados.casos[c];
        caso.pisos.assign(diafragmas.size(), resultadoPiso());
        // Sin resultados (supera la carga crítica), sin pisos que decir.
        if (caso.tipo == tipoCaso::segundoOrden && caso.segundoOrden.inestable) continue;
        if (caso.combo < 0 || caso.combo >= cargas.cols()) continue;
        for (size_t k = 0; k < q.size(); ++k) asignar(caso.pisos[k], q[k].col(caso.combo));
    }
    return pares;
}

void pisosSismicos(casoResultado& caso, const std::vector<Eigen::MatrixXd>& modales, const Eigen::MatrixXd& g) {
    caso.pisos.assign(modales.size(), resultadoPiso());
    for (size_t k = 0; k < modales.size(); ++k) {
        if (modales[k].cols() != g.cols()) continue;
        const Eigen::VectorXd v = (g * modales[k].transpose()).colwise().norm().transpose();
        asignar(caso.pisos[k], v);
    }
}

void combinarPisos(casoResultado& caso, const casoResultado& estatico,
                   const std::vector<const casoResultado*>& sismicos, const std::vector<double>& factores) {
    caso.pisos = estatico.pisos;
    for (size_t k = 0; k < caso.pisos.size(); ++k) {
        resultadoPiso& p = caso.pisos[k];
        const resultadoPiso& s = estatico.pisos[k];
        for (int d = 0; d < 2; ++d) {
            double f = 0, v = 0, m = 0;
            for (size_t e = 0; e < sismicos.size() && e < factores.size(); ++e) {
                if (k >= sismicos[e]->pisos.size()) continue;
                const resultadoPiso& r = sismicos[e]->pisos[k];
                f += factores[e] * r.fuerza[d], v += factores[e] * r.cortante[d], m += factores[e] * r.vuelco[d];
            }
            p.fuerza[d] = s.fuerza[d] + f, p.fuerzaMinima[d] = s.fuerza[d] - f;
            p.cortante[d] = s.cortante[d] + v, p.cortanteMinimo[d] = s.cortante[d] - v;
            p.vuelco[d] = s.vuelco[d] + m, p.vuelcoMinimo[d] = s.vuelco[d] - m;
        }
    }
}

void envolverPisos(casoResultado& caso, const std::vector<casoResultado>& casos) {
    caso.pisos.clear();
    bool primero = true;
    for (int c : caso.componentes) {
        if (c < 0 || static_cast<size_t>(c) >= casos.size()) continue;
        const std::vector<resultadoPiso>& o = casos[static_cast<size_t>(c)].pisos;
        if (primero) {
            caso.pisos = o;
            primero = false;
            continue;
        }
        for (size_t k = 0; k < caso.pisos.size() && k < o.size(); ++k)
            for (int d = 0; d < 2; ++d) {
                resultadoPiso& p = caso.pisos[k];
                p.fuerza[d] = std::max(p.fuerza[d], o[k].fuerza[d]);
                p.cortante[d] = std::max(p.cortante[d], o[k].cortante[d]);
                p.vuelco[d] = std::max(p.vuelco[d], o[k].vuelco[d]);
                p.fuerzaMinima[d] = std::min(p.fuerzaMinima[d], o[k].fuerzaMinima[d]);
                p.cortanteMinimo[d] = std::min(p.cortanteMinimo[d], o[k].cortanteMinimo[d]);
                p.vuelcoMinimo[d] = std::min(p.vuelcoMinimo[d], o[k].vuelcoMinimo[d]);
            }
    }
}

namespace {

// La dirección horizontal del sismo de un caso (0 X, 1 Y): la de su caso
// sísmico o, en una combinación con sismo, la del caso sísmico de mayor
// factor (ante un empate, el primero). -1 si es vertical.
int direccionSismica(const casoResultado& caso) {
    const auto direccion = [](const casoResultado& c) {
        return c.sismo >= 0 && static_cast<size_t>(c.sismo) < resultados.sismos.size()
                   ? resultados.sismos[static_cast<size_t>(c.sismo)].direccion
                   : -1;
    };
    int elegida = caso.tipo == tipoCaso::espectral ? direccion(caso) : -1;
    double mayor = 0;
    for (size_t k = 0; k < caso.componentes.size() && k < caso.factores.size(); ++k) {
        const int c = caso.componentes[k];
        if (c < 0 || static_cast<size_t>(c) >= resultados.casos.size() || !(caso.factores[k] > mayor)) continue;
        mayor = caso.factores[k];
        elegida = direccion(resultados.casos[static_cast<size_t>(c)]);
    }
    return elegida == 0 || elegida == 1 ? elegida : -1;
}

// La mayor deriva de los nudos del piso (o de las columnas del nivel) sobre
// la media de la mayor y la menor. Una mayor que es redondeo (el piso no se
// mueve en esa dirección; altura, la de la que manda) da 1.
double razonTorsional(const casoResultado& caso, const std::vector<double>& derivas, double altura) {
    if (derivas.empty()) return 1.0;
    const auto [menor, mayor] = std::minmax_element(derivas.begin(), derivas.end());
    if (!(sinRuido(*mayor * altura, caso.escalas.traslaciones) > 0)) return 1.0;
    return *mayor / (0.5 * (*mayor + std::max(0.0, *menor)));
}

}  // namespace

void verificarDerivas() {
    if (!diseno.conLimiteDeriva) return;
    for (casoResultado& caso : resultados.casos) {
        if (caso.tipo != tipoCaso::espectral && caso.tipo != tipoCaso::comboEspectral) continue;
        for (size_t k = 0; k < caso.diafragmas.size() && k < caso.pisos.size(); ++k) {
            const resultadoDiafragma& r = caso.diafragmas[k];
            resultadoPiso& p = caso.pisos[k];
            if (!r.conDeriva || !(r.altura > 0)) continue;
            // La deriva sin el redondeo de las traslaciones que la dan.
            const double derivas[2] = {sinRuido(r.derivaX * r.altura, caso.escalas.traslaciones) / r.altura,
                                       sinRuido(r.derivaY * r.altura, caso.escalas.traslaciones) / r.altura};
            p.verificada = true;
            for (int d = 0; d < 2; ++d) p.inelastica[d] = diseno.factorDeriva * derivas[d];
            p.cumple = std::max(p.inelastica[0], p.inelastica[1]) <= diseno.limiteDeriva;
            const int d = direccionSismica(caso);
            p.razonTorsion = d >= 0 ? razonTorsional(caso, d == 0 ? r.derivasX : r.derivasY, r.altura) : 0.0;
        }
        // Los niveles sin diafragma, igual: la deriva del nivel es la de su columna que más deriva.
        for (resultadoNivel& n : caso.niveles) {
            n.verificada = true;
            for (int d = 0; d < 2; ++d) n.inelastica[d] = diseno.factorDeriva * derivaNivelSinRuido(caso, n, d);
            n.cumple = std::max(n.inelastica[0], n.inelastica[1]) <= diseno.limiteDeriva;
            const int d = direccionSismica(caso);
            n.razonTorsion =
                d >= 0 ? razonTorsional(caso, d == 0 ? n.derivasX : n.derivasY, d == 0 ? n.alturaX : n.alturaY) : 0.0;
        }
    }
}
