// Para cada miembro y caso se buscan, en cada barra y en cada tramo no
// arriostrado, los puntos donde la razón puede ser mayor: los extremos, los
// puntos donde el corte es extremo y aquéllos donde es extrema cada suma
// ponderada ±N/Pc ± My/Mcy ± Mz/Mcz con los pesos de H1-1a y de H1-1b (la
// razón de interacción es el mayor de esos polinomios, así que sus máximos
// están allí). En una combinación con sismo, cuyas funciones no son
// polinomios (el módulo sísmico es la raíz de una cuadrática), se suman los
// puntos extremos de su parte estática y de sus curvas, y ocho divisiones de
// cada tramo.
#include "analisis/verificacionAcero.h"

#include <algorithm>
#include <cmath>

#include "analisis/aceroMiembros.h"
#include "analisis/aceroResistencias.h"
#include "analisis/clasesValor.h"
#include "globales.h"
#include "modelo/extremosSolicitaciones.h"

namespace {

using polinomio = std::array<double, 6>;

// p(a + t) como polinomio en t.
polinomio desplazado(const polinomio& p, double a) {
    polinomio q{};
    for (int k = 5; k >= 0; --k) {
        // Horner sobre polinomios: q = q·(a + t) + p[k].
        for (int j = 5; j >= 1; --j) q[static_cast<size_t>(j)] = q[static_cast<size_t>(j)] * a + q[static_cast<size_t>(j - 1)];
        q[0] = q[0] * a + p[static_cast<size_t>(k)];
    }
    return q;
}

bool nulo(const polinomio& p) {
    return std::all_of(p.begin(), p.end(), [](double c) { return c == 0.0; });
}

// Los polinomios de N, My y Mz de una barra en una combinación (de primer o
// de segundo orden), en x desde su inicio.
struct polinomiosBarra {
    polinomio n{}, my{}, mz{};
};
polinomiosBarra polinomiosDe(const objBarra3d& b, const solicitacionesBarra& s) {
    polinomiosBarra p;
    const double L = b.getLongitud();
    p.n = {-s.fuerzas[0], -s.cargaAxialInicio, -(s.cargaAxialFin - s.cargaAxialInicio) / (2 * L), 0, 0, 0};
    const auto momento = [&](const planoSolicitaciones& q) {
        return polinomio{q.c2, q.c1, q.qInicio / 2, q.pendiente / 6, 0, 0};
    };
    p.my = momento(s.planoY);
    p.mz = momento(s.planoZ);
    if (s.axialSegundoOrden != 0.0) {
        // N·δ(x), con δ la flecha respecto de la cuerda.
        const std::array<objBarra3d::polinomioElastica, 3> e = b.polinomiosElastica(s);
        const auto sumar = [&](polinomio& m, const objBarra3d::polinomioElastica& f, double EI) {
            if (EI == 0.0) return;
            double fL = 0, potencia = 1;
            for (size_t k = 0; k < 6; ++k, potencia *= L) fL += f[k] * potencia;
            for (size_t k = 2; k < 6; ++k) m[k] += s.axialSegundoOrden * f[k];
            m[1] += s.axialSegundoOrden * (f[1] - (fL - f[0]) / L);
        };
        sumar(p.my, e[1], b.getModE() * b.getIz());
        sumar(p.mz, e[2], b.getModE() * b.getIy());
    }
    return p;
}

// Un caso (o uno de los dos valores de una combinación con sismo) visto desde
// las barras: el valor de cada solicitación en x, sin el ruido del redondeo.
struct vistaCaso {
    const resultadosAnalisis& r;
    int c;
    const casoResultado& caso;
    bool minimos;
    bool polinomica() const { return caso.tipo == tipoCaso::combinacion || caso.tipo == tipoCaso::segundoOrden; }
    double valor(const objBarra3d& b, int s, double x) const {
        double v;
        if (polinomica()) {
            v = b.valorSolicitacion(caso.barras[static_cast<size_t>(b.getNoBarraInterna())], s, x);
        } else {
            const auto par = valorSolicitacionCaso(r, c, b, s, x);
            v = minimos ? par.second : par.first;
        }
        return valorSinRuido(v, claseDeSolicitacion(s), caso.escalas);
    }
};

// Lo que resiste el miembro, salvo la flexión fuerte, que depende del Cb de
// cada tramo.
struct disponibles {
    double pcTraccion = 0, pcCompresion = 0, mcDebil = 0, vcFuerte = 0, vcDebil = 0;
    const char* ecuacionCompresion = "E3";
};

struct tramoEnCaso {
    double cb = 1, mn = 0, mc = 0;
    const char* ecuacion = "F2";
};

// La razón en un punto con sus valores requeridos.
verificacionEnCaso evaluarPunto(double N, double My, double Mz, double Vy, double Vz, const disponibles& d,
                                const tramoEnCaso& t) {
    verificacionEnCaso v;
    v.pr = N, v.mry = My, v.mrz = Mz;
    v.pc = N > 0 ? d.pcTraccion : d.pcCompresion;
    v.mcy = t.mc, v.mcz = d.mcDebil;
    v.cb = t.cb, v.mnFuerte = t.mn, v.ecuacionFuerte = t.ecuacion;
    const double p = std::fabs(N) / v.pc, my = std::fabs(My) / v.mcy, mz = std::fabs(Mz) / v.mcz;
    const int presentes = (N != 0.0) + (My != 0.0) + (Mz != 0.0);
    if (presentes >= 2) {
        const razonInteraccion h = interaccionH1(N, v.pc, My, v.mcy, Mz, v.mcz);
        v.razon = h.razon, v.ecuacion = h.ecuacion;
    } else if (N != 0.0) {
        v.razon = p, v.ecuacion = N > 0 ? "D2" : d.ecuacionCompresion;
    } else if (My != 0.0) {
        v.razon = my, v.ecuacion = t.ecuacion;
    } else if (Mz != 0.0) {
        v.razon = mz, v.ecuacion = "F6";
    }
    const double ry = std::fabs(Vy) / d.vcFuerte, rz = std::fabs(Vz) / d.vcDebil;
    const bool debil = rz > ry;
    v.vr = debil ? Vz : Vy;
    v.vc = debil ? d.vcDebil : d.vcFuerte;
    const double corte = std::max(ry, rz);
    if (corte > v.razon) v.razon = corte, v.ecuacion = debil ? "G6" : "G2";
    return v;
}

// Una barra del miembro: su posición en él.
struct barraEnMiembro {
    const objBarra3d* b;
    double inicio, largo;
    bool invertida;
    // x de la barra para la distancia X desde el comienzo del miembro, y al revés.
    double local(double X) const { return std::clamp(invertida ? largo - (X - inicio) : X - inicio, 0.0, largo); }
    double delMiembro(double x) const { return inicio + (invertida ? largo - x : x); }
};

class verificadorMiembro {
public:
    verificadorMiembro(const miembroAcero& m, const seccionW& s, double E, double fy, metodoAcero metodo,
                       const disponibles& d)
        : m_(m), s_(s), E_(E), fy_(fy), metodo_(metodo), d_(d) {
        for (size_t k = 0; k < m.cadena.barras.size(); ++k)
            barras_.push_back({&barra[static_cast<size_t>(m.cadena.barras[k])], m.cadena.inicio[k],
                               barra[static_cast<size_t>(m.cadena.barras[k])].getLongitud(), m.cadena.invertida[k] != 0});
    }

    verificacionEnCaso verificar(const vistaCaso& vista) const {
        verificacionEnCaso mejor;
        bool hay = false;
        std::vector<polinomiosBarra> polinomios;
        if (vista.polinomica())
            for (const barraEnMiembro& be : barras_)
                polinomios.push_back(polinomiosDe(*be.b, vista.caso.barras[static_cast<size_t>(be.b->getNoBarraInterna())]));
        for (int t = 0; t < m_.tramos; ++t) {
            const double X0 = t * m_.lb, X1 = (t + 1 == m_.tramos) ? m_.cadena.longitud : (t + 1) * m_.lb;
            const tramoEnCaso tramo = flexionDelTramo(vista, polinomios, X0, X1);
            for (size_t k = 0; k < barras_.size(); ++k) {
                const barraEnMiembro& be = barras_[k];
                if (be.inicio >= X1 || be.inicio + be.largo <= X0) continue;
                double a = be.local(std::max(X0, be.inicio)), b = be.local(std::min(X1, be.inicio + be.largo));
                if (a > b) std::swap(a, b);
                std::vector<double> xs = candidatos(vista, be, polinomios.empty() ? nullptr : &polinomios[k], tramo, a, b);
                for (double x : xs) {
                    const objBarra3d& br = *be.b;
                    verificacionEnCaso v = evaluarPunto(vista.valor(br, kSolicitacionN, x), vista.valor(br, kSolicitacionMy, x),
                                                        vista.valor(br, kSolicitacionMz, x), vista.valor(br, kSolicitacionVy, x),
                                                        vista.valor(br, kSolicitacionVz, x), d_, tramo);
                    v.x = be.delMiembro(x);
                    // Ante un empate (a menos del redondeo) manda la menor x.
                    const double tolerancia = 1e-9 * mejor.razon;
                    if (!hay || v.razon > mejor.razon + tolerancia ||
                        (v.razon >= mejor.razon - tolerancia && v.x < mejor.x)) {
                        mejor = v;
                        hay = true;
                    }
                }
            }
        }
        mejor.caso = vista.c;
        mejor.minimos = vista.minimos;
        return mejor;
    }

private:
    const miembroAcero& m_;
    const seccionW& s_;
    double E_, fy_;
    metodoAcero metodo_;
    const disponibles& d_;
    std::vector<barraEnMiembro> barras_;

    // El valor de My a la distancia X del comienzo del miembro.
    double momentoEn(const vistaCaso& vista, double X) const {
        for (const barraEnMiembro& be : barras_)
            if (X <= be.inicio + be.largo || &be == &barras_.back())
                return vista.valor(*be.b, kSolicitacionMy, be.local(X));
        return 0.0;
    }

    // Cb del tramo [X0, X1] con su mayor |My| y los de sus cuartos, y la
    // flexión fuerte disponible con él.
    tramoEnCaso flexionDelTramo(const vistaCaso& vista, const std::vector<polinomiosBarra>& polinomios, double X0,
                                double X1) const {
        double mayor = 0;
        for (size_t k = 0; k < barras_.size(); ++k) {
            const barraEnMiembro& be = barras_[k];
            if (be.inicio >= X1 || be.inicio + be.largo <= X0) continue;
            double a = be.local(std::max(X0, be.inicio)), b = be.local(std::min(X1, be.inicio + be.largo));
            if (a > b) std::swap(a, b);
            const objBarra3d& br = *be.b;
            mayor = std::max({mayor, std::fabs(vista.valor(br, kSolicitacionMy, a)), std::fabs(vista.valor(br, kSolicitacionMy, b))});
            if (!polinomios.empty()) {
                const polinomio q = desplazado(polinomios[k].my, a);
                const extremoSolicitacion e = extremosPolinomio(q.data(), b - a);
                for (double x : {a + e.xMaximo, a + e.xMinimo}) mayor = std::max(mayor, std::fabs(vista.valor(br, kSolicitacionMy, x)));
            } else {
                for (int i = 1; i < 16; ++i)
                    mayor = std::max(mayor, std::fabs(vista.valor(br, kSolicitacionMy, a + (b - a) * i / 16)));
            }
        }
        const double cuarto = (X1 - X0) / 4;
        tramoEnCaso t;
        t.cb = factorCb(mayor, momentoEn(vista, X0 + cuarto), momentoEn(vista, X0 + 2 * cuarto),
                        momentoEn(vista, X0 + 3 * cuarto));
        const resistenciaFlexion f = flexionFuerteNominal(s_, E_, fy_, m_.lb, t.cb);
        t.mn = f.mn;
        t.mc = disponible(f.mn, kFactoresGenerales, metodo_);
        t.ecuacion = f.ecuacion;
        return t;
    }

    // Los puntos de la barra en [a, b] donde la razón puede ser mayor.
    std::vector<double> candidatos(const vistaCaso& vista, const barraEnMiembro& be, const polinomiosBarra* p,
                                   const tramoEnCaso& tramo, double a, double b) const {
        std::vector<double> xs{a, b};
        const auto agregar = [&](double x) {
            if (std::isfinite(x) && x > a && x < b) xs.push_back(x);
        };
        const solicitacionesBarra& s = vista.caso.barras[static_cast<size_t>(be.b->getNoBarraInterna())];
        for (int k : {kSolicitacionVy, kSolicitacionVz, kSolicitacionN, kSolicitacionMy, kSolicitacionMz})
            agregar(s.extremos[k].xMaximo), agregar(s.extremos[k].xMinimo);
        if (p != nullptr) {
            const polinomio n = desplazado(p->n, a), my = desplazado(p->my, a), mz = desplazado(p->mz, a);
            const double L = b - a;
            // Los sentidos del axial en el tramo: la resistencia de cada uno.
            const extremoSolicitacion en = extremosPolinomio(n.data(), L);
            std::vector<double> pcs;
            if (en.maximo > 0) pcs.push_back(d_.pcTraccion);
            if (en.minimo <= 0) pcs.push_back(d_.pcCompresion);
            const bool conMz = !nulo(mz);
            for (double pc : pcs)
                for (double pesoN : {9.0 / (8.0 * pc), 1.0 / (2.0 * pc)})
                    for (double signoY : {1.0, -1.0})
                        for (double signoZ : {1.0, -1.0}) {
                            if (!conMz && signoZ < 0) continue;
                            polinomio suma;
                            for (size_t i = 0; i < 6; ++i)
                                suma[i] = pesoN * n[i] + signoY * my[i] / tramo.mc + signoZ * mz[i] / d_.mcDebil;
                            const extremoSolicitacion e = extremosPolinomio(suma.data(), L);
                            agregar(a + e.xMaximo), agregar(a + e.xMinimo);
                        }
        } else {
            if (const casoResultado* e = vista.caso.estatico.get()) {
                const solicitacionesBarra& se = e->barras[static_cast<size_t>(be.b->getNoBarraInterna())];
                for (int k : {kSolicitacionN, kSolicitacionMy, kSolicitacionMz, kSolicitacionVy, kSolicitacionVz})
                    agregar(se.extremos[k].xMaximo), agregar(se.extremos[k].xMinimo);
            }
            for (int i = 1; i < 8; ++i) agregar(a + (b - a) * i / 8);
        }
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        return xs;
    }
};

std::string nombreSeccion(const objBarra3d& b) {
    const std::string n = b.getNombreDeSeccion();
    return n.empty() ? "sin nombre" : n;
}

}  // namespace

void verificarAcero(resultadosAnalisis& r) {
    r.acero = resultadosAcero();
    if (!acero.pedida) return;
    r.acero.pedida = true;
    r.acero.metodo = acero.metodo;
    const metodoAcero metodo = acero.metodo;
    for (const miembroAcero& m : miembrosDeAcero()) {
        miembroVerificado v;
        v.nombre = m.cadena.nombre;
        v.longitud = m.cadena.longitud;
        for (int b : m.cadena.barras) v.barras.push_back(barra[static_cast<size_t>(b)].getNoBarraUsuario());
        const objBarra3d& primera = barra[static_cast<size_t>(m.cadena.barras.front())];
        const auto noW = std::find_if(m.cadena.barras.begin(), m.cadena.barras.end(),
                                      [](int b) { return barra[static_cast<size_t>(b)].getCodigoSeccion() != 3; });
        if (noW != m.cadena.barras.end()) {
            v.motivo = "sección " + nombreSeccion(barra[static_cast<size_t>(*noW)]);
            r.acero.miembros.push_back(std::move(v));
            continue;
        }
        const std::vector<double> dim = primera.getDimensionesSeccion();
        const seccionW s = propiedadesW(dim[0], dim[1], dim[2], dim[3]);
        const double E = primera.getModE(), G = primera.getModG(), fy = m.fy;
        if (clasificarW(s, E, fy).almaFlexion != claseElemento::compacto) {
            v.motivo = "sección " + nombreSeccion(primera) + ": alma no compacta en flexión";
            r.acero.miembros.push_back(std::move(v));
            continue;
        }
        v.verificado = true;
        // Las resistencias que no dependen del caso.
        resistenciasMiembro& res = v.resistencias;
        const double L = m.cadena.longitud;
        res.fy = fy;
        res.lb = m.lb;
        res.pnTraccion = traccionNominal(s, fy);
        res.pcTraccion = disponible(res.pnTraccion, kFactoresGenerales, metodo);
        const resistenciaCompresion c = compresionNominal(s, E, G, fy, m.ky * L, m.kz * L, m.lb);
        res.pnCompresion = c.pn;
        res.pcCompresion = disponible(c.pn, kFactoresGenerales, metodo);
        res.ecuacionCompresion = c.ecuacion;
        res.modo = c.modo;
        const resistenciaFlexion fd = flexionDebilNominal(s, E, fy);
        res.mnDebil = fd.mn;
        res.mcDebil = disponible(fd.mn, kFactoresGenerales, metodo);
        const resistenciaFlexion f1 = flexionFuerteNominal(s, E, fy, m.lb, 1.0);
        res.lp = f1.lp, res.lr = f1.lr;
        const resistenciaCorte vy = corteAlmaNominal(s, E, fy), vz = corteAlasNominal(s, E, fy);
        res.vnFuerte = vy.vn, res.vcFuerte = disponible(vy.vn, vy.factores, metodo);
        res.vnDebil = vz.vn, res.vcDebil = disponible(vz.vn, vz.factores, metodo);
        disponibles d;
        d.pcTraccion = res.pcTraccion, d.pcCompresion = res.pcCompresion, d.mcDebil = res.mcDebil;
        d.vcFuerte = res.vcFuerte, d.vcDebil = res.vcDebil, d.ecuacionCompresion = res.ecuacionCompresion;
        const verificadorMiembro verificador(m, s, E, fy, metodo, d);
        for (size_t c2 = 0; c2 < r.casos.size(); ++c2) {
            const casoResultado& caso = r.casos[c2];
            const int ci = static_cast<int>(c2);
            if (caso.tipo == tipoCaso::combinacion || (caso.tipo == tipoCaso::segundoOrden && !caso.segundoOrden.inestable)) {
                v.casos.push_back(verificador.verificar(vistaCaso{r, ci, caso, false}));
            } else if (caso.tipo == tipoCaso::comboEspectral && caso.estatico) {
                v.casos.push_back(verificador.verificar(vistaCaso{r, ci, caso, false}));
                v.casos.push_back(verificador.verificar(vistaCaso{r, ci, caso, true}));
            }
        }
        // El caso que manda: el de mayor razón, el primero ante un empate.
        for (size_t k = 0; k < v.casos.size(); ++k)
            if (v.gobernante < 0 ||
                v.casos[k].razon > v.casos[static_cast<size_t>(v.gobernante)].razon * (1 + 1e-9) + 1e-15)
                v.gobernante = static_cast<int>(k);
        r.acero.miembros.push_back(std::move(v));
    }
}
