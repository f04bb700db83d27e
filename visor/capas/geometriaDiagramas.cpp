#include "visor/capas/geometriaDiagramas.h"

#include <algorithm>
#include <cmath>

#include "globales.h"
#include "visor/escena/formatoTexto.h"

// ---- Comprobación de datos ----

const solicitacionesBarra* resultadosDeBarra(const objBarra3d& b, int c) {
    const casoResultado* caso = casoDeResultados(resultados, c);
    const int i = b.getNoBarraInterna();
    if (caso == nullptr || i < 0 || i >= static_cast<int>(caso->barras.size())) return nullptr;
    return &caso->barras[static_cast<std::size_t>(i)];
}

bool barraConResultados(const objBarra3d& b, int c) { return resultadosDeBarra(b, c) != nullptr; }

bool nudoConResultados(const objNudo3d& n, int c) {
    const casoResultado* caso = casoDeResultados(resultados, c);
    return caso != nullptr && n.getNoNudoInterno() >= 0 && n.getNoNudoInterno() < caso->desplazamientos.cols();
}

bool barraConCombo(const objBarra3d& b, int c) { return c >= 0 && c < b.getCantidadDeCombos(); }

bool nudoConCombo(const objNudo3d& n, int c) { return c >= 0 && c < n.getCantidadDeCombos(); }

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

int solicitacionDe(TipoDiagrama tipo) {
    switch (tipo) {
        case TipoDiagrama::Axial: return kSolicitacionN;
        case TipoDiagrama::CortanteY: return kSolicitacionVy;
        case TipoDiagrama::MomentoY: return kSolicitacionMy;
        case TipoDiagrama::CortanteZ: return kSolicitacionVz;
        case TipoDiagrama::MomentoZ: return kSolicitacionMz;
        case TipoDiagrama::Torsion: return kSolicitacionT;
    }
    return kSolicitacionN;
}

magnitud magnitudDiagrama(TipoDiagrama tipo) {
    switch (tipo) {
        case TipoDiagrama::Axial: case TipoDiagrama::CortanteY: case TipoDiagrama::CortanteZ: return magnitud::fuerza;
        case TipoDiagrama::MomentoY: case TipoDiagrama::MomentoZ: case TipoDiagrama::Torsion: return magnitud::momento;
    }
    return magnitud::fuerza;
}

double escalaDiagrama(TipoDiagrama tipo, int c) {
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso == nullptr) return 0.0;
    return magnitudDiagrama(tipo) == magnitud::fuerza ? caso->escalas.fuerzas : caso->escalas.momentos;
}

Eigen::MatrixXd muestrasDiagrama(const objBarra3d& b, int c, TipoDiagrama tipo) {
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso == nullptr || !barraConResultados(b, c)) return Eigen::MatrixXd();
    const muestrasSolicitacion m = muestrear(resultados, c, b, solicitacionDe(tipo), kEstacionesDiagrama);
    Eigen::MatrixXd r(caso->dosValores() ? 3 : 2, static_cast<Eigen::Index>(m.x.size()));
    for (std::size_t j = 0; j < m.x.size(); ++j) {
        r(0, static_cast<Eigen::Index>(j)) = m.x[j];
        r(1, static_cast<Eigen::Index>(j)) = m.maximo[j];
        if (r.rows() == 3) r(2, static_cast<Eigen::Index>(j)) = m.minimo[j];
    }
    return r;
}

bool casoDeDosValores(int c) {
    const casoResultado* caso = casoDeResultados(resultados, c);
    return caso != nullptr && caso->dosValores();
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
    if (m.rows() < 2 || n < 2) return std::nullopt;

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
    if (m.rows() == 3) {
        for (Eigen::Index j = 0; j < n; ++j) {
            g.puntosMinimos.push_back(enPlano(estilo.ejeOrdenada, m(0, j), estilo.signo * m(2, j) * escala));
            g.valoresMinimos.push_back(m(2, j));
        }
        g.inicioMinimo = Rotulo{g.puntosMinimos.front(), m(2, 0), "", 1};
        g.finMinimo = Rotulo{g.puntosMinimos.back(), m(2, n - 1), "", 3};
    }

    const bool planoY = estilo.ejeOrdenada == 1;
    const solicitacionesBarra& r = *resultadosDeBarra(b, c);
    const double x0 = (planoY ? r.planoY : r.planoZ).xCorteNulo;
    if (x0 != -1 && (tipo == TipoDiagrama::CortanteY || tipo == TipoDiagrama::CortanteZ)) {
        g.extra = Rotulo{enPlano(estilo.ejeOrdenada, x0, 0.2 * alturaTexto), 0.0,
                         "x0= " + formatearNumero(x0, decimales, false), 2};
    } else if (x0 != -1 && (tipo == TipoDiagrama::MomentoY || tipo == TipoDiagrama::MomentoZ)) {
        const double mExtremo = b.valorSolicitacion(r, planoY ? kSolicitacionMy : kSolicitacionMz, x0);
        g.extra = Rotulo{enPlano(estilo.ejeOrdenada, x0, -mExtremo * escala), mExtremo, "", 2};
    }
    return g;
}

// ---- Deformada ----

std::optional<NudoDeformado> nudoDeformado(const objNudo3d& n, int c, double escala, bool minimo) {
    if (!nudoConResultados(n, c)) return std::nullopt;
    NudoDeformado d;
    const casoResultado& caso = *casoDeResultados(resultados, c);
    const auto u = (minimo ? caso.desplazamientosMenores() : caso.desplazamientos).col(n.getNoNudoInterno());
    for (int i = 0; i < 6; ++i) d.valores[i] = u(i);
    d.posicion = Eigen::Vector3d(n.getX(), n.getY(), n.getZ()) +
                 escala * Eigen::Vector3d(d.valores[0], d.valores[1], d.valores[2]);
    return d;
}

std::optional<BarraDeformada> barraDeformada(const objBarra3d& b, const objNudo3d& inicio, int c, double escala,
                                             bool minimo) {
    if (!barraConResultados(b, c) || !nudoConResultados(inicio, c)) return std::nullopt;
    const casoResultado& caso = *casoDeResultados(resultados, c);
    const deformadasBarra dos = deformadaBarra(resultados, c, b, kEstacionesDiagrama, escala);
    const Eigen::MatrixXd& d = minimo ? dos.minimo : dos.maximo;
    BarraDeformada r;
    r.origen = Eigen::Vector3d(b.getXi(), b.getYi(), b.getZi()) +
               escala * (minimo ? caso.desplazamientosMenores() : caso.desplazamientos)
                            .col(inicio.getNoNudoInterno()).head<3>();
    for (Eigen::Index j = 0; j < d.cols(); ++j) r.puntos.emplace_back(d(0, j), d(1, j), d(2, j));
    r.inactiva = std::binary_search(caso.barrasInactivas.begin(), caso.barrasInactivas.end(), b.getNoBarraInterna());
    return r;
}

std::optional<BarraDeformada> barraDeformadaDeCampo(const objBarra3d& b, const Eigen::VectorXd& campo,
                                                    double escala) {
    const Eigen::MatrixXd d = deformadaDeCampo(b, campo, kEstacionesDiagrama, escala);
    if (d.cols() == 0) return std::nullopt;
    BarraDeformada r;
    const int ni = b.getNudoInicioInterno();
    r.origen = Eigen::Vector3d(b.getXi(), b.getYi(), b.getZi()) + escala * campo.segment<3>(6 * ni);
    for (Eigen::Index j = 0; j < d.cols(); ++j) r.puntos.emplace_back(d(0, j), d(1, j), d(2, j));
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
    const casoResultado& caso = *casoDeResultados(resultados, c);
    const Eigen::Matrix<double, 6, 1> valores = caso.reacciones.col(n.getNoNudoInterno());
    const Eigen::Matrix<double, 6, 1> menores = caso.reaccionesMenores().col(n.getNoNudoInterno());
    const double desfase = diagonalModelo / 100;
    double y = 0.0;
    for (int k = 0; k < 6; ++k) {
        if (!n.tieneReaccion(k)) continue;
        const bool fuerza = k < 3;
        const double escalaClase = fuerza ? caso.escalas.fuerzas : caso.escalas.momentos;
        // En un caso de dos valores, "máximo / mínimo".
        std::string numero = formatearResultado(valores(k), escalaClase, 6, false);
        if (caso.dosValores())
            numero += sufijoUnidad(fuerza ? magnitud::fuerza : magnitud::momento) + " / " +
                      formatearResultado(menores(k), escalaClase, 6, false);
        r.push_back({Eigen::Vector3d(desfase, y, 0.0),
                     etiquetas[k] + numero + sufijoUnidad(fuerza ? magnitud::fuerza : magnitud::momento)});
        y -= alturaTexto;
    }
    return r;
}
