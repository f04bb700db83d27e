#include "visor/geometriaDiagramas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "globales.h"
#include "visor/formatoTexto.h"

// ---- Nivel de detalle ----

int pasoDeDetalle(double largoPixeles, int tramos, double minimoPixeles) {
    if (tramos <= 1 || !(largoPixeles > 0.0) || !std::isfinite(largoPixeles)) return 1;
    for (int paso = 1; paso < tramos; ++paso)
        if (tramos % paso == 0 && largoPixeles * paso / tramos >= minimoPixeles) return paso;
    return tramos;
}

// ---- Comprobación de datos ----

bool barraConResultados(const objBarra3d& b, int c) {
    if (!resultadosDisponibles || !b.tieneResultados() || c < 0) return false;
    return c < b.getCantidadDeCombos() && c < b.getDesplazamientosLocales().cols();
}

bool nudoConResultados(const objNudo3d& n, int c) {
    return resultadosDisponibles && n.tieneResultados() && c >= 0 && c < n.getCantidadDeCombos();
}

bool barraConCombo(const objBarra3d& b, int c) {
    return c >= 0 && c < b.getCantidadDeCombos() && c < b.getMatrizCargasCombo().rows();
}

bool nudoConCombo(const objNudo3d& n, int c) {
    return c >= 0 && c < n.getCantidadDeCombos() && c < n.getCargasCombo().cols();
}

// ---- Diagramas de solicitaciones ----

const EstiloDiagrama& estiloDiagrama(TipoDiagrama tipo) {
    static const EstiloDiagrama estilos[] = {
        // Axial
        {1, +1.0, {0.0, 0.2, 0.7}, {0.0, 0.2, 0.7}, {0.4, 0.4, 0.9}},
        // CortanteY
        {1, +1.0, {0.4, 0.4, 0.0}, {0.5, 0.5, 0.0}, {0.5, 0.5, 0.0}},
        // MomentoY
        {1, -1.0, {0.5, 0.1, 0.0}, {0.7, 0.2, 0.0}, {0.5, 0.5, 0.0}},
        // CortanteZ
        {2, +1.0, {0.4, 0.4, 0.0}, {0.5, 0.5, 0.0}, {0.5, 0.5, 0.0}},
        // MomentoZ
        {2, -1.0, {0.5, 0.1, 0.0}, {0.7, 0.2, 0.0}, {0.5, 0.5, 0.0}},
        // Torsion
        {1, +1.0, {0.6, 0.25, 0.6}, {0.99, 0.5, 0.99}, {0.4, 0.4, 0.9}},
    };
    return estilos[static_cast<int>(tipo)];
}

Eigen::MatrixXd muestrasDiagrama(const objBarra3d& b, int c, TipoDiagrama tipo) {
    switch (tipo) {
        case TipoDiagrama::Axial: return b.getSolicitacionAxial(c, kEstacionesDiagrama);
        case TipoDiagrama::CortanteY: return b.getSolicitacionVy(c, kEstacionesDiagrama);
        case TipoDiagrama::MomentoY: return b.getSolicitacionMy(c, kEstacionesDiagrama);
        case TipoDiagrama::CortanteZ: return b.getSolicitacionVz(c, kEstacionesDiagrama);
        case TipoDiagrama::MomentoZ: return b.getSolicitacionMz(c, kEstacionesDiagrama);
        case TipoDiagrama::Torsion: return b.getSolicitacionTorsion(c, kEstacionesDiagrama);
    }
    return Eigen::MatrixXd();
}

namespace {

// Punto de abscisa x con ordenada o sobre el eje local 1 (y) o 2 (z).
Eigen::Vector3d enPlano(int eje, double x, double o) {
    return eje == 1 ? Eigen::Vector3d(x, o, 0.0) : Eigen::Vector3d(x, 0.0, o);
}

}  // namespace

std::optional<GeometriaDiagrama> geometriaDiagrama(const objBarra3d& b, int c, TipoDiagrama tipo, double escala,
                                                   int decimales, double alturaTexto) {
    if (!barraConResultados(b, c)) return std::nullopt;
    const EstiloDiagrama& estilo = estiloDiagrama(tipo);
    const Eigen::MatrixXd m = muestrasDiagrama(b, c, tipo);
    const Eigen::Index n = m.cols();
    if (m.rows() != 2 || n < 2) return std::nullopt;

    GeometriaDiagrama g;
    for (Eigen::Index j = 0; j < n; ++j) {
        const double o = estilo.signo * m(1, j) * escala;
        g.puntos.push_back(enPlano(estilo.ejeOrdenada, m(0, j), o));
        g.pies.push_back(enPlano(estilo.ejeOrdenada, m(0, j), 0.0));
        g.valores.push_back(m(1, j));
    }
    // Los números conservan el signo del valor; sólo la ordenada lo invierte.
    g.valorInicio = {g.puntos.front(), m(1, 0), "", 1};
    g.valorFin = {g.puntos.back(), m(1, n - 1), "", 3};

    const bool planoY = estilo.ejeOrdenada == 1;
    if (tipo == TipoDiagrama::CortanteY || tipo == TipoDiagrama::CortanteZ) {
        const double x0 = planoY ? b.getXVYcero(c) : b.getXVZcero(c);
        if (x0 != -1)
            g.extra = Rotulo{enPlano(estilo.ejeOrdenada, x0, 0.2 * alturaTexto), 0.0,
                             "x0= " + formatearNumero(x0, decimales, false), 2};
    } else if (tipo == TipoDiagrama::MomentoY || tipo == TipoDiagrama::MomentoZ) {
        const double x0 = planoY ? b.getXVYcero(c) : b.getXVZcero(c);
        if (x0 != -1) {
            const double mExtremo = planoY ? b.getMymax(c) : b.getMzmax(c);
            g.extra = Rotulo{enPlano(estilo.ejeOrdenada, x0, -mExtremo * escala), mExtremo, "", 2};
        }
    }
    return g;
}

// ---- Deformada ----

std::optional<NudoDeformado> nudoDeformado(const objNudo3d& n, int c, double escala) {
    if (!nudoConResultados(n, c)) return std::nullopt;
    NudoDeformado d;
    d.valores[0] = n.getDesplazamientoX(c);
    d.valores[1] = n.getDesplazamientoY(c);
    d.valores[2] = n.getDesplazamientoZ(c);
    d.valores[3] = n.getGiroX(c);
    d.valores[4] = n.getGiroY(c);
    d.valores[5] = n.getGiroZ(c);
    d.posicion = Eigen::Vector3d(n.getX(), n.getY(), n.getZ()) +
                 escala * Eigen::Vector3d(d.valores[0], d.valores[1], d.valores[2]);
    return d;
}

std::optional<BarraDeformada> barraDeformada(const objBarra3d& b, const objNudo3d& inicio, int c, double escala) {
    if (!barraConResultados(b, c) || !nudoConResultados(inicio, c)) return std::nullopt;
    const Eigen::MatrixXd d = b.getBarraDeformada(c, kEstacionesDiagrama, escala);
    BarraDeformada r;
    r.origen = Eigen::Vector3d(b.getXi(), b.getYi(), b.getZi()) +
               escala * Eigen::Vector3d(inicio.getDesplazamientoX(c), inicio.getDesplazamientoY(c),
                                        inicio.getDesplazamientoZ(c));
    for (Eigen::Index j = 0; j < d.cols(); ++j) r.puntos.emplace_back(d(0, j), d(1, j), d(2, j));
    return r;
}

namespace {

// Flecha a lo largo de la barra en un plano local, sin carga en el tramo: el
// momento varía linealmente entre los de los extremos, m0 y mL, y la flecha
// vale f0 y fL en los extremos. Devuelve los coeficientes de
// EI·f(x) = C1 x³/6 + C2 x²/2 + C3 x + C4; con EI nulo la barra queda recta.
Eigen::Vector4d constantesSinCarga(double L, double EI, double m0, double mL, double f0, double fL) {
    if (EI == 0.0 || L <= 0.0) return Eigen::Vector4d(0, 0, (fL - f0) / (L > 0.0 ? L : 1.0), f0);
    Eigen::Matrix4d A;
    A << 0, 1, 0, 0,
         L, 1, 0, 0,
         0, 0, 0, 1,
         L * L * L / 6, L * L / 2, L, 1;
    return A.fullPivLu().solve(Eigen::Vector4d(m0, mL, EI * f0, EI * fL));
}

double flechaSinCarga(const Eigen::Vector4d& k, double EI, double x) {
    const double p = k(0) * x * x * x / 6 + k(1) * x * x / 2 + k(2) * x + k(3);
    return EI == 0.0 ? p : p / EI;
}

}  // namespace

std::optional<BarraDeformada> barraDeformadaDeCampo(const objBarra3d& b, const Eigen::VectorXd& campo,
                                                    double escala) {
    const int ni = b.getNudoInicioInterno(), nf = b.getNudoFinalInterno();
    if (ni < 0 || nf < 0 || 6 * static_cast<Eigen::Index>(std::max(ni, nf)) + 6 > campo.size()) return std::nullopt;
    const double* u1 = campo.data() + 6 * ni;
    const double* u2 = campo.data() + 6 * nf;
    // Fuerzas de extremo (locales) que la barra opone a esos desplazamientos.
    long double f[12];
    b.fuerzasPorDeformacion(b.getRigidezNatural(), u1, u2, f);
    // Desplazamientos de los extremos en ejes locales (las filas de R son los ejes locales).
    const Eigen::Matrix3d R = b.getRotacion();
    const Eigen::Vector3d d1 = R * Eigen::Map<const Eigen::Vector3d>(u1);
    const Eigen::Vector3d d2 = R * Eigen::Map<const Eigen::Vector3d>(u2);
    const double L = b.getLongitud();
    // Plano x-y (flecha en y, con Iz) y plano x-z (flecha en z, con Iy), con
    // los momentos de extremo en la convención de cada plano.
    const double EIz = b.getModE() * b.getIz(), EIy = b.getModE() * b.getIy();
    const Eigen::Vector4d kY = constantesSinCarga(L, EIz, -static_cast<double>(f[5]), static_cast<double>(f[11]),
                                                  d1.y(), d2.y());
    const Eigen::Vector4d kZ = constantesSinCarga(L, EIy, static_cast<double>(f[4]), -static_cast<double>(f[10]),
                                                  d1.z(), d2.z());
    const double v0 = flechaSinCarga(kY, EIz, 0.0), w0 = flechaSinCarga(kZ, EIy, 0.0);
    const double alargamiento = (d2.x() - d1.x()) * escala;
    BarraDeformada r;
    r.origen = Eigen::Vector3d(b.getXi(), b.getYi(), b.getZi()) + escala * Eigen::Map<const Eigen::Vector3d>(u1);
    const int n = kEstacionesDiagrama;
    for (int i = 0; i < n; ++i) {
        const double x = L / (n - 1) * i;
        r.puntos.emplace_back(x + i * alargamiento / (n - 1), (flechaSinCarga(kY, EIz, x) - v0) * escala,
                              (flechaSinCarga(kZ, EIy, x) - w0) * escala);
    }
    return r;
}

// ---- Cargas ----

std::vector<CargaPuntual> cargasPuntuales(const objNudo3d& n, int c, double escala) {
    std::vector<CargaPuntual> r;
    if (!nudoConCombo(n, c)) return r;
    const Eigen::Vector3d nudoPos(n.getX(), n.getY(), n.getZ());
    const double fuerzas[3] = {n.getPxCombo(c), n.getPyCombo(c), n.getPzCombo(c)};
    const double momentos[3] = {n.getMxCombo(c), n.getMyCombo(c), n.getMzCombo(c)};
    // Fuerza: la flecha apunta en su sentido y termina en el nudo.
    for (int k = 0; k < 3; ++k) {
        if (fuerzas[k] == 0.0) continue;
        const Eigen::Vector3d cola = nudoPos - fuerzas[k] * escala * Eigen::Vector3d::Unit(k);
        r.push_back({false, k, {{cola, nudoPos}}, {cola, std::fabs(fuerzas[k]), "", 1}});
    }
    // Momento: vector de doble punta que sale del nudo (regla de la mano derecha).
    for (int k = 0; k < 3; ++k) {
        if (momentos[k] == 0.0) continue;
        const Eigen::Vector3d eje = momentos[k] * escala * Eigen::Vector3d::Unit(k);
        const Eigen::Vector3d punta = nudoPos + eje;
        r.push_back({true, k, {{nudoPos, punta}, {nudoPos, nudoPos + 0.7 * eje}},
                     {punta, std::fabs(momentos[k]), "", 1}});
    }
    return r;
}

std::vector<CargaPuntual> desplazamientosImpuestos(const objNudo3d& n, int c, double largo) {
    std::vector<CargaPuntual> r;
    const Eigen::MatrixXd impuestos = n.getDesplazamientosImpuestosCombo();
    const Eigen::VectorXi apoyo = n.getApoyo();
    if (c < 0 || c >= impuestos.cols() || impuestos.rows() < 6 || apoyo.size() < 6) return r;
    const Eigen::Vector3d nudoPos(n.getX(), n.getY(), n.getZ());
    for (int g = 0; g < 6; ++g) {
        const double valor = impuestos(g, c);
        if (valor == 0.0 || apoyo(g) == 0) continue;  // sólo un apoyo impone desplazamientos
        const bool giro = g >= 3;
        const Eigen::Vector3d eje = (valor > 0 ? largo : -largo) * Eigen::Vector3d::Unit(g % 3);
        std::vector<Flecha> flechas = {{nudoPos, nudoPos + eje}};
        if (giro) flechas.push_back({nudoPos, nudoPos + 0.7 * eje});
        r.push_back({giro, g % 3, flechas, {nudoPos + eje, std::fabs(valor), "", 1}});
    }
    return r;
}

namespace {

bool presente(double q1, double q2) {
    return std::fabs(q1) > kUmbralCargaDistribuida || std::fabs(q2) > kUmbralCargaDistribuida;
}

double estacion(double L, int k) { return k * L / (kFlechasPorBarra - 1); }

// Carga transversal sobre el eje local 1 (y) o 2 (z): flechas paradas sobre el
// eje que apuntan en el sentido de la carga, la línea de colas y los valores.
CargaDistribuida transversal(TipoDistribuida tipo, int eje, double L, double q1, double q2, double s) {
    CargaDistribuida d{tipo, {}, std::nullopt, {}, {}, 0};
    for (int k = 0; k < kFlechasPorBarra; ++k) {
        const double x = estacion(L, k);
        const double q = q1 + k * (q2 - q1) / (kFlechasPorBarra - 1);
        d.flechas.push_back({enPlano(eje, x, -q * s), enPlano(eje, x, 0.0)});
    }
    d.lineaCarga = Flecha{enPlano(eje, 0.0, -q1 * s), enPlano(eje, L, -q2 * s)};
    d.numeros.push_back({enPlano(eje, 0.05 * L, -q1 * s), std::fabs(q1), "", 1});
    d.numeros.push_back({enPlano(eje, 0.95 * L, -q2 * s), std::fabs(q2), "", 3});
    return d;
}

}  // namespace

std::vector<CargaDistribuida> cargasDistribuidas(const objBarra3d& b, int c, double s, double alturaTexto) {
    std::vector<CargaDistribuida> r;
    if (!barraConCombo(b, c)) return r;
    const double L = b.getLongitud();

    const double qy1 = b.getFyIniCombo(c), qy2 = b.getFyFinCombo(c);
    if (presente(qy1, qy2)) r.push_back(transversal(TipoDistribuida::LocalY, 1, L, qy1, qy2, s));
    const double qz1 = b.getFzIniCombo(c), qz2 = b.getFzFinCombo(c);
    if (presente(qz1, qz2)) r.push_back(transversal(TipoDistribuida::LocalZ, 2, L, qz1, qz2, s));

    const double p1 = b.getFxIniCombo(c), p2 = b.getFxFinCombo(c);
    if (presente(p1, p2)) {
        // Sólo se ven las puntas: once, en el sentido de la carga media.
        CargaDistribuida d{TipoDistribuida::Axial, {}, std::nullopt, {}, {}, 0};
        const double media = (p1 + p2) / 2 * s;
        if (media != 0.0) {
            const double paso = media > 0 ? kLargoPuntaAxial : -kLargoPuntaAxial;
            for (int k = 0; k < kFlechasPorBarra; ++k) {
                const double x = estacion(L, k);
                d.flechas.push_back({Eigen::Vector3d(x, 0, 0), Eigen::Vector3d(x + paso, 0, 0)});
            }
        }
        d.numeros.push_back({Eigen::Vector3d(0.1 * L, 0.2 * alturaTexto, 0), std::fabs(p1), "", 1});
        d.numeros.push_back({Eigen::Vector3d(0.9 * L, 0.2 * alturaTexto, 0), std::fabs(p2), "", 3});
        r.push_back(d);
    }

    const double t = b.getTCombo(c);
    if (std::fabs(t) > kUmbralCargaDistribuida) {
        CargaDistribuida d{TipoDistribuida::Torsion, {}, std::nullopt, {}, {}, t > 0 ? 1 : -1};
        for (int k = 0; k < kFlechasPorBarra; ++k) d.estaciones.push_back(estacion(L, k));
        d.numeros.push_back({Eigen::Vector3d(0.5 * L, L / 38, 0), std::fabs(t), "", 2});
        r.push_back(d);
    }
    return r;
}

// ---- Reacciones ----

std::vector<LineaReaccion> lineasReacciones(const objNudo3d& n, int c, double diagonalModelo, double alturaTexto) {
    std::vector<LineaReaccion> r;
    if (!nudoConResultados(n, c)) return r;
    static const char* const etiquetas[6] = {"Rx: ", "Ry: ", "Rz: ", "Mx: ", "My: ", "Mz: "};
    // Un resorte da reacción como un apoyo: la fuerza del resorte, -k·u.
    const Eigen::Matrix<double, 6, 1> valores = n.getReaccionesDeApoyo(c);
    const double desfase = diagonalModelo / 100;
    double y = 0.0;
    for (int k = 0; k < 6; ++k) {
        if (!n.tieneReaccion(k)) continue;
        char numero[100];
        std::snprintf(numero, sizeof numero, "%f", valores(k));
        r.push_back({Eigen::Vector3d(desfase, y, 0.0), std::string(etiquetas[k]) + numero});
        y -= alturaTexto;
    }
    return r;
}
