#include "analisis/casosResultado.h"

#include "analisis/clasesValor.h"

#include <algorithm>
#include <cmath>

#include "modelo/extremosSolicitaciones.h"
#include "modelo/objBarra3d.h"

void resultadosAnalisis::vaciar() { *this = resultadosAnalisis(); }

namespace {
void mayor(double& escala, double v) {
    if (std::isfinite(v)) escala = std::max(escala, std::fabs(v));
}
}  // namespace

void calcularEscalas(casoResultado& caso, double tamano) {
    escalasCaso e;
    for (Eigen::Index n = 0; n < caso.desplazamientos.cols(); ++n)
        for (int i = 0; i < 6; ++i) {
            mayor(i < 3 ? e.traslaciones : e.giros, caso.desplazamientos(i, n));
            mayor(i < 3 ? e.fuerzas : e.momentos, caso.reacciones(i, n));
            if (!caso.dosValores()) continue;
            mayor(i < 3 ? e.traslaciones : e.giros, caso.desplazamientosMinimos(i, n));
            mayor(i < 3 ? e.fuerzas : e.momentos, caso.reaccionesMinimas(i, n));
        }
    for (const minimosBarra& b : caso.minimos)
        for (int i = 0; i < 12; ++i) mayor(i % 6 < 3 ? e.fuerzas : e.momentos, b.fuerzas[i]);
    for (const solicitacionesBarra& b : caso.barras) {
        for (int i = 0; i < 12; ++i) mayor(i % 6 < 3 ? e.fuerzas : e.momentos, b.fuerzas[i]);
        for (int s = 0; s < kNumeroSolicitaciones; ++s) {
            const bool fuerza = claseDeSolicitacion(s) == claseValor::fuerza;
            mayor(fuerza ? e.fuerzas : e.momentos, b.extremos[s].maximo);
            mayor(fuerza ? e.fuerzas : e.momentos, b.extremos[s].minimo);
        }
    }
    if (tamano > 0 && std::isfinite(tamano)) {
        const escalasCaso propias = e;
        e.momentos = std::max(propias.momentos, propias.fuerzas * tamano);
        e.fuerzas = std::max(propias.fuerzas, propias.momentos / tamano);
        e.giros = std::max(propias.giros, propias.traslaciones / tamano);
        e.traslaciones = std::max(propias.traslaciones, propias.giros * tamano);
    }
    caso.escalas = e;
}

void toleranciasSolicitaciones(const escalasCaso& e, double t[kNumeroSolicitaciones]) {
    for (int s = 0; s < kNumeroSolicitaciones; ++s) {
        t[s] = toleranciaEmpate(escalaDeClase(claseDeSolicitacion(s), e));
    }
}

escalasCaso escalasDe(const std::vector<const casoResultado*>& casos, const std::vector<double>& factores, bool suma) {
    escalasCaso r;
    for (size_t k = 0; k < casos.size(); ++k) {
        const double f = k < factores.size() ? std::fabs(factores[k]) : 1.0;
        const escalasCaso& e = casos[k]->escalas;
        double* destino[4] = {&r.fuerzas, &r.momentos, &r.traslaciones, &r.giros};
        const double origen[4] = {e.fuerzas, e.momentos, e.traslaciones, e.giros};
        for (int i = 0; i < 4; ++i) *destino[i] = suma ? *destino[i] + f * origen[i] : std::max(*destino[i], origen[i]);
    }
    return r;
}

Eigen::Index componenteNormalizadora(const Eigen::VectorXd& forma) {
    const double mayorDeTodas = forma.size() > 0 ? forma.cwiseAbs().maxCoeff() : 0.0;
    for (int grupo : {0, 3}) {
        double mayor = 0;
        for (Eigen::Index i = 0; i < forma.size(); ++i)
            if (i % 6 >= grupo && i % 6 < grupo + 3) mayor = std::max(mayor, std::fabs(forma(i)));
        if (!(mayor > 1e-9 * mayorDeTodas)) continue;
        for (Eigen::Index i = 0; i < forma.size(); ++i)
            if (i % 6 >= grupo && i % 6 < grupo + 3 && std::fabs(forma(i)) >= (1 - kEmpateFormas) * mayor) return i;
    }
    return -1;
}

extremoEntreBarras extremosEntreBarras(const casoResultado& caso, int s) {
    extremoEntreBarras r;
    const double escala = escalaDeClase(claseDeSolicitacion(s), caso.escalas);
    const double tolerancia = toleranciaEmpate(escala);
    for (size_t i = 0; i < caso.barras.size(); ++i) {
        const extremoSolicitacion& e = caso.barras[i].extremos[s];
        const double mayor = sinRuido(e.maximo, escala), menor = sinRuido(e.minimo, escala);
        if (!r.hay || mayor > r.maximo + tolerancia) {
            r.maximo = mayor, r.barraMaximo = static_cast<int>(i), r.xMaximo = e.xMaximo, r.casoMaximo = e.casoMaximo;
        }
        if (!r.hay || menor < r.minimo - tolerancia) {
            r.minimo = menor, r.barraMinimo = static_cast<int>(i), r.xMinimo = e.xMinimo, r.casoMinimo = e.casoMinimo;
        }
        r.hay = true;
    }
    return r;
}

double sinRuido(double valor, double escala) {
    if (std::fabs(valor) < kFraccionRuido * escala) return 0.0;
    return valor + 0.0;
}

double cortanteModalSinRuido(const resultadosAnalisis& r, size_t sismo, Eigen::Index modo, int direccion) {
    double escala = 0;
    for (const casoResultado& c : r.casos)
        if (c.tipo == tipoCaso::espectral && c.sismo == static_cast<int>(sismo)) escala = c.escalas.fuerzas;
    const resultadoSismico& s = r.sismos[sismo];
    // La escala es la del caso, y al menos el mayor cortante modal del sismo.
    escala = std::max(escala, s.cortantesModales.cwiseAbs().maxCoeff());
    return sinRuido(std::fabs(s.cortantesModales(modo, direccion)), escala);
}

const casoResultado* casoDeResultados(const resultadosAnalisis& r, int c) {
    if (!r.disponibles || c < 0 || c >= static_cast<int>(r.casos.size())) return nullptr;
    return &r.casos[static_cast<size_t>(c)];
}

double casoResultado::fuerzaMenor(int barra, int i) const {
    const size_t b = static_cast<size_t>(barra);
    if (dosValores() && b < minimos.size()) return minimos[b].fuerzas[i];
    return b < barras.size() ? barras[b].fuerzas[i] : 0.0;
}

const casoResultado* casoEstatico(const casoResultado& caso) {
    if (caso.tipo == tipoCaso::combinacion || caso.tipo == tipoCaso::segundoOrden) return &caso;
    if (caso.tipo == tipoCaso::comboEspectral) return caso.estatico.get();
    return nullptr;
}

const casoResultado* casoSegundoOrden(const casoResultado& caso) {
    const casoResultado* estatico = casoEstatico(caso);
    return estatico != nullptr && estatico->tipo == tipoCaso::segundoOrden ? estatico : nullptr;
}

namespace {
// Las combinaciones, en su orden: los primeros casos.
std::vector<const casoResultado*> combinacionesDe(const resultadosAnalisis& r) {
    std::vector<const casoResultado*> lista;
    for (const casoResultado& caso : r.casos)
        if (const casoResultado* e = casoEstatico(caso)) lista.push_back(e);
    return lista;
}
}  // namespace

Eigen::MatrixXd matrizDesplazamientos(const resultadosAnalisis& r) {
    const std::vector<const casoResultado*> lista = combinacionesDe(r);
    const Eigen::Index nudos = lista.empty() ? 0 : lista.front()->desplazamientos.cols();
    Eigen::MatrixXd u(6 * nudos, static_cast<Eigen::Index>(lista.size()));
    for (size_t c = 0; c < lista.size(); ++c) {
        const Eigen::MatrixXd& d = lista[c]->desplazamientos;
        u.col(static_cast<Eigen::Index>(c)) = Eigen::Map<const Eigen::VectorXd>(d.data(), d.size());
    }
    return u;
}

Eigen::MatrixXd fuerzasExtremos(const resultadosAnalisis& r, int barra) {
    const std::vector<const casoResultado*> lista = combinacionesDe(r);
    Eigen::MatrixXd f = Eigen::MatrixXd::Zero(12, static_cast<Eigen::Index>(lista.size()));
    for (size_t c = 0; c < lista.size(); ++c) {
        const std::vector<solicitacionesBarra>& barras = lista[c]->barras;
        if (barra < 0 || barra >= static_cast<int>(barras.size())) continue;
        for (int i = 0; i < 12; ++i) f(i, static_cast<Eigen::Index>(c)) = barras[static_cast<size_t>(barra)].fuerzas[i];
    }
    return f;
}

double moduloSismico(const casoResultado& e, int barra, int s, double t) {
    const size_t i = static_cast<size_t>(barra);
    if (barra < 0 || i >= e.barras.size() || i >= e.cruzados.size()) return 0.0;
    const fuerzasDeSolicitacion& f = kFuerzasDeSolicitacion[s];
    const double b = e.cruzados[i][static_cast<size_t>(s)];
    if (i < e.torsion.size()) {
        const torsionSolicitacion& r = e.torsion[i][static_cast<size_t>(s)];
        return moduloConTorsion(r.modalInicio, b, r.modalFin, r.inicio, r.fin, t);
    }
    const double a = e.barras[i].fuerzas[f.inicio], c = e.barras[i].fuerzas[f.fin];
    const double q = (1 - t) * (1 - t) * a * a + 2 * t * (1 - t) * b + t * t * c * c;
    return q > 0 ? std::sqrt(q) : 0.0;
}

double moduloConTorsion(double a, double b, double c, double inicio, double fin, double t) {
    const double q = (1 - t) * (1 - t) * a * a + 2 * t * (1 - t) * b + t * t * c * c;
    return (q > 0 ? std::sqrt(q) : 0.0) + std::fabs((1 - t) * inicio + t * fin);
}

std::pair<double, double> valorSolicitacionCaso(const resultadosAnalisis& r, int c, const objBarra3d& b, int s,
                                                double x) {
    const casoResultado* caso = casoDeResultados(r, c);
    const int ib = b.getNoBarraInterna();
    if (caso == nullptr || ib < 0 || ib >= static_cast<int>(caso->barras.size())) return {0.0, 0.0};
    const size_t i = static_cast<size_t>(ib);
    const double L = b.getLongitud();
    switch (caso->tipo) {
        case tipoCaso::combinacion:
        case tipoCaso::segundoOrden: {
            const double v = b.valorSolicitacion(caso->barras[i], s, x);
            return {v, v};
        }
        case tipoCaso::espectral: {
            const double v = moduloSismico(*caso, ib, s, L > 0 ? x / L : 0.0);
            return {v, v};
        }
        case tipoCaso::comboEspectral: {
            const casoResultado* e = caso->estatico.get();
            const double estatica = e && i < e->barras.size() ? b.valorSolicitacion(e->barras[i], s, x) : 0.0;
            double sismica = 0;
            for (size_t k = 0; k < caso->componentes.size(); ++k)
                if (const casoResultado* sc = casoDeResultados(r, caso->componentes[k]))
                    sismica += caso->factores[k] * moduloSismico(*sc, ib, s, L > 0 ? x / L : 0.0);
            return {estatica + sismica, estatica - sismica};
        }
        case tipoCaso::envolvente: {
            std::pair<double, double> v{-INFINITY, INFINITY};
            for (int m : caso->componentes) {
                if (m == c) continue;
                const auto [mayor, menor] = valorSolicitacionCaso(r, m, b, s, x);
                v.first = std::max(v.first, mayor);
                v.second = std::min(v.second, menor);
            }
            if (caso->componentes.empty()) v = {0.0, 0.0};
            return v;
        }
    }
    return {0.0, 0.0};
}

muestrasSolicitacion muestrear(const resultadosAnalisis& r, int c, const objBarra3d& b, int s, int n) {
    if (n < 2) n = 2;
    muestrasSolicitacion m;
    const double L = b.getLongitud();
    for (int k = 0; k < n; ++k) {
        const double x = L / (n - 1) * k;
        const auto [mayor, menor] = valorSolicitacionCaso(r, c, b, s, x);
        m.x.push_back(x);
        m.maximo.push_back(mayor);
        m.minimo.push_back(menor);
    }
    return m;
}

deformadasBarra deformadaBarra(const resultadosAnalisis& r, int c, const objBarra3d& b, int n, double escala) {
    if (n < 2) n = 2;
    deformadasBarra d;
    const casoResultado* caso = casoDeResultados(r, c);
    const int i = b.getNoBarraInterna();
    const Eigen::Index ni = b.getNudoInicioInterno(), nf = b.getNudoFinalInterno();
    if (caso == nullptr || i < 0 || i >= static_cast<int>(caso->barras.size()) || ni < 0 || nf < 0 ||
        std::max(ni, nf) >= caso->desplazamientos.cols()) {
        d.maximo = d.minimo = Eigen::MatrixXd::Zero(3, n);
        return d;
    }
    if (caso->tipo == tipoCaso::combinacion || caso->tipo == tipoCaso::segundoOrden) {
        d.maximo = b.deformada(caso->barras[static_cast<size_t>(i)], n, escala);
        d.minimo = d.maximo;
        return d;
    }
    const auto elastica = [&](const Eigen::MatrixXd& u) {
        const Eigen::Matrix<double, 6, 1> u1 = u.col(ni), u2 = u.col(nf);
        return b.deformada(b.solicitacionesSinCarga(u1.data(), u2.data()), n, escala);
    };
    d.maximo = elastica(caso->desplazamientos);
    d.minimo = caso->dosValores() ? elastica(caso->desplazamientosMinimos) : d.maximo;
    return d;
}
std::array<traslacionEnBarras, 3> mayoresTraslacionesEnBarras(const resultadosAnalisis& r, int c,
                                                              const std::vector<objBarra3d>& barras) {
    std::array<traslacionEnBarras, 3> mayores{};
    const casoResultado* caso = casoDeResultados(r, c);
    if (caso == nullptr || (caso->tipo != tipoCaso::combinacion && caso->tipo != tipoCaso::segundoOrden))
        return mayores;
    // Dos barras cuyas flechas difieren en el redondeo empatan: manda la primera.
    const double tolerancia = toleranciaEmpate(caso->escalas.traslaciones);
    for (const objBarra3d& b : barras) {
        const int i = b.getNoBarraInterna();
        if (i < 0 || i >= static_cast<int>(caso->barras.size())) continue;
        const std::array<objBarra3d::polinomioElastica, 3> local =
            b.polinomiosElastica(caso->barras[static_cast<size_t>(i)]);
        // Las filas de la rotación son los ejes locales en componentes globales.
        const Eigen::Matrix3d rotacion = b.getRotacion();
        const double L = b.getLongitud();
        for (int j = 0; j < 3; ++j) {
            traslacionEnBarras& mayor = mayores[static_cast<size_t>(j)];
            double global[6], cota = 0, potencia = 1;
            for (size_t g = 0; g < 6; ++g, potencia *= L) {
                global[g] = 0;
                for (int k = 0; k < 3; ++k) global[g] += rotacion(k, j) * local[static_cast<size_t>(k)][g];
                cota += std::fabs(global[g]) * potencia;
            }
            // Una barra que no puede superar a la mayor hallada no se recorre.
            if (mayor.barra >= 0 && !(cota > std::fabs(mayor.valor) + tolerancia)) continue;
            const extremoSolicitacion e = extremosPolinomio(global, L, tolerancia);
            for (const auto& [valor, x] : {std::pair<double, double>{e.maximo, e.xMaximo}, {e.minimo, e.xMinimo}})
                if (std::isfinite(valor) && (mayor.barra < 0 || std::fabs(valor) > std::fabs(mayor.valor) + tolerancia))
                    mayor = {valor, i, x};
        }
    }
    return mayores;
}

Eigen::MatrixXd deformadaDeCampo(const objBarra3d& b, const Eigen::VectorXd& campo, int n, double escala) {
    const Eigen::Index ni = b.getNudoInicioInterno(), nf = b.getNudoFinalInterno();
    if (ni < 0 || nf < 0 || 6 * std::max(ni, nf) + 6 > campo.size()) return Eigen::MatrixXd(3, 0);
    return b.deformada(b.solicitacionesSinCarga(campo.data() + 6 * ni, campo.data() + 6 * nf), n, escala);
}

int pasoDeDetalle(double largoPixeles, int tramos, double minimoPixeles) {
    if (tramos <= 1 || !(largoPixeles > 0.0) || !std::isfinite(largoPixeles)) return 1;
    for (int paso = 1; paso < tramos; ++paso)
        if (tramos % paso == 0 && largoPixeles * paso / tramos >= minimoPixeles) return paso;
    return tramos;
}
