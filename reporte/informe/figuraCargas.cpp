// El dibujo de las cargas de un caso: las barras en gris, una flecha por nudo
// cargado (dirección de su fuerza, de largo fijo) y, en las barras con carga
// distribuida, flechas de largo proporcional al valor unidas por la línea de
// sus colas. Los valores van escritos si caben y el modelo no es grande; las
// flechas por barra se limitan para que el dibujo de un edificio siga chico.
#include <algorithm>
#include <cmath>

#include "globales.h"
#include "modelo/cargasDadas.h"
#include "modelo/sismo.h"
#include "reporte/informe/figurasInforme.h"

namespace {

// Más barras que éstas: sin valores escritos.
constexpr std::size_t kBarrasConValores = 300;
// Flechas de carga distribuida en todo el dibujo, y por barra.
constexpr std::size_t kFlechasDistribuidas = 1500;
constexpr std::size_t kFlechasPorBarra = 5;
// Largo en el papel (píxeles) de la flecha de una carga en un nudo.
constexpr double kLargoFlechaNudo = 48;

const char* const kEstiloCargas = "svg .carga { stroke: #d35400; stroke-width: 1.5; fill: none; }\n"
                                  "svg .cabezaCarga { stroke: #d35400; stroke-width: 0.6; fill: #d35400; }\n"
                                  "svg text.valorCarga { fill: #a04000; }\n";

Eigen::Vector3d posicion(const objNudo3d& n) { return {n.getX(), n.getY(), n.getZ()}; }

// Una carga para dibujar: dónde, hacia dónde y cuánto.
struct flechaNudo {
    Eigen::Vector3d punto, direccion;
    std::string valor;
};
struct cargaBarra {
    const objBarra3d* b;
    Eigen::Vector3d direccion;  // unitaria, global
    double inicio, fin;
    std::string valor;
};

// La dirección (unitaria, global) de un registro de carga distribuida sobre la
// barra b; cero si no se dibuja (torsión).
Eigen::Vector3d direccionDeCarga(const registroCarga& r, const objBarra3d& b) {
    const Eigen::Matrix3d ejes = b.getRotacion();  // filas: ejes locales en globales
    if (r.etiqueta == "distribuidaLocalX:") return ejes.row(0).transpose();
    if (r.etiqueta == "distribuidaLocalY:") return ejes.row(1).transpose();
    if (r.etiqueta == "distribuidaLocalZ:") return ejes.row(2).transpose();
    if (r.etiqueta == "distribuidaGlobal:") {
        const Eigen::Vector3d d(r.valores[2], r.valores[3], r.valores[4]);
        return d.stableNorm() > 0 ? Eigen::Vector3d(d / d.stableNorm()) : Eigen::Vector3d::Zero();
    }
    return Eigen::Vector3d::Zero();
}

// La normal al plano del papel de la vista: lo que se proyecta en un punto.
Eigen::Vector3d normalDeVista(vistaDibujo v) {
    const Eigen::Vector2d ex = proyectar(v, Eigen::Vector3d::UnitX()), ey = proyectar(v, Eigen::Vector3d::UnitY()),
                          ez = proyectar(v, Eigen::Vector3d::UnitZ());
    const Eigen::Vector3d r1(ex.x(), ey.x(), ez.x()), r2(ex.y(), ey.y(), ez.y());
    return r1.cross(r2).normalized();
}

// La vista: la del plano de un modelo plano si todas las cargas están en él
// (de canto se verían como puntos); si no, la isométrica.
vistaDibujo vistaDeCargas(const std::vector<Eigen::Vector3d>& direcciones) {
    bool plano = false;
    for (vistaDibujo v : {vistaDibujo::planta, vistaDibujo::alzadoXZ, vistaDibujo::alzadoYZ})
        plano = plano || vistaAplanaElModelo(v);
    if (!plano) return vistaDibujo::isometrica;
    for (vistaDibujo v : {vistaDibujo::alzadoXZ, vistaDibujo::alzadoYZ, vistaDibujo::planta}) {
        if (vistaAplanaElModelo(v)) continue;
        const Eigen::Vector3d n = normalDeVista(v);
        if (std::all_of(direcciones.begin(), direcciones.end(),
                        [&](const Eigen::Vector3d& d) { return std::fabs(d.dot(n)) < 1e-6; }))
            return v;
    }
    return vistaDibujo::isometrica;
}

// Una flecha de largo `largo` que llega a `punta` en la dirección d (unitaria).
void flecha(dibujoSvg& dibujo, const Eigen::Vector3d& punta, const Eigen::Vector3d& d, double largo,
            const Eigen::Vector3d& normal) {
    Eigen::Vector3d lado = d.cross(normal);
    if (lado.norm() < 1e-6) lado = d.unitOrthogonal();
    lado.normalize();
    const double cabeza = std::min(0.35 * largo, 7.0 / dibujo.pixelesPorUnidad());
    dibujo.segmento("carga", punta - largo * d, punta - 0.5 * cabeza * d);
    dibujo.trazo("cabezaCarga",
                 {punta - cabeza * d + 0.4 * cabeza * lado, punta, punta - cabeza * d - 0.4 * cabeza * lado}, true);
}

std::string conUnidad(double v, magnitud m) { return numeroInforme(v) + sufijoUnidad(m); }

}  // namespace

figuraInforme figuraCargas(const std::string& caso) {
    std::vector<flechaNudo> nudos;
    std::vector<cargaBarra> barras;
    std::vector<Eigen::Vector3d> direcciones;
    for (const registroCarga* r : registrosDeCaso(caso)) {
        if (r->etiqueta == "puntual:") {
            const Eigen::Vector3d f(r->valores[0], r->valores[1], r->valores[2]);
            const Eigen::Vector3d m(r->valores[3], r->valores[4], r->valores[5]);
            if (f.stableNorm() == 0 && m.stableNorm() == 0) continue;
            std::string valor = f.stableNorm() > 0 ? conUnidad(f.stableNorm(), magnitud::fuerza) : "";
            if (m.stableNorm() > 0) valor += (valor.empty() ? "M " : ", M ") + conUnidad(m.stableNorm(), magnitud::momento);
            for (int i : r->internos)
                nudos.push_back({posicion(nudo[static_cast<std::size_t>(i)]),
                                 f.stableNorm() > 0 ? Eigen::Vector3d(f / f.stableNorm()) : Eigen::Vector3d::Zero(), valor});
            if (f.stableNorm() > 0) direcciones.push_back(f / f.stableNorm());
            continue;
        }
        if (r->etiqueta == "temperatura:" || r->etiqueta == "distribuidaLocalT:") continue;
        if (r->valores[0] == 0 && r->valores[1] == 0) continue;
        const std::string valor = r->valores[0] == r->valores[1]
                                      ? conUnidad(r->valores[0], magnitud::fuerzaPorLongitud)
                                      : numeroInforme(r->valores[0]) + " a " +
                                            conUnidad(r->valores[1], magnitud::fuerzaPorLongitud);
        for (int i : r->internos) {
            const objBarra3d& b = barra[static_cast<std::size_t>(i)];
            const Eigen::Vector3d d = direccionDeCarga(*r, b);
            if (d.isZero()) continue;
            barras.push_back({&b, d, r->valores[0], r->valores[1], valor});
            direcciones.push_back(d);
        }
    }
    // El peso propio: hacia −Z en cada barra con sección, su peso por unidad de largo.
    if (caso == casoPesoPropio)
        for (const objBarra3d& b : barra) {
            const double w = b.tieneSeccionYMaterial() ? b.getPesoEspecifico() * b.getAreaBruta() : 0;
            if (w == 0) continue;
            barras.push_back({&b, -Eigen::Vector3d::UnitZ(), w, w, conUnidad(w, magnitud::fuerzaPorLongitud)});
            direcciones.push_back(-Eigen::Vector3d::UnitZ());
        }
    if (nudos.empty() && barras.empty()) return {};

    std::vector<Eigen::Vector3d> encuadre;
    encuadre.reserve(nudo.size());
    for (const objNudo3d& n : nudo) encuadre.push_back(posicion(n));
    const vistaDibujo vista = vistaDeCargas(direcciones);
    dibujoSvg d(vista, encuadre);
    for (const objBarra3d& b : barra)
        d.segmento("base", {b.getXi(), b.getYi(), b.getZi()}, {b.getXf(), b.getYf(), b.getZf()});
    const Eigen::Vector3d normal = normalDeVista(vista);
    const bool conValores = barra.size() <= kBarrasConValores;
    // Las flechas de los nudos, de largo fijo en el papel.
    const double largoNudo = kLargoFlechaNudo / d.pixelesPorUnidad();
    for (const flechaNudo& f : nudos) {
        if (!f.direccion.isZero()) flecha(d, f.punto, f.direccion, largoNudo, normal);
        if (conValores) d.texto(f.punto - largoNudo * f.direccion, f.valor, "valorCarga");
    }
    // Las distribuidas: el mayor valor, con un cuarto del largo típico de barra.
    double mayor = 0;
    for (const cargaBarra& c : barras) mayor = std::max({mayor, std::fabs(c.inicio), std::fabs(c.fin)});
    const double escala = mayor > 0 ? std::min(0.25 * largoTipicoDeBarra(), 0.08 * tamanoDelModelo()) / mayor : 0;
    const std::size_t porBarra =
        std::clamp<std::size_t>(kFlechasDistribuidas / std::max<std::size_t>(barras.size(), 1), 1, kFlechasPorBarra);
    for (const cargaBarra& c : barras) {
        const Eigen::Vector3d a(c.b->getXi(), c.b->getYi(), c.b->getZi()), b(c.b->getXf(), c.b->getYf(), c.b->getZf());
        // La línea de las colas, de extremo a extremo; las flechas, en las
        // posiciones repartidas (con una sola, en el medio).
        d.trazo("carga", {a, a - escala * c.inicio * c.direccion, b - escala * c.fin * c.direccion, b});
        for (std::size_t k = 0; k < porBarra; ++k) {
            const double t = porBarra == 1 ? 0.5 : static_cast<double>(k) / static_cast<double>(porBarra - 1);
            const double q = c.inicio + t * (c.fin - c.inicio);
            if (q == 0) continue;
            flecha(d, a + t * (b - a), q > 0 ? c.direccion : Eigen::Vector3d(-c.direccion), escala * std::fabs(q), normal);
        }
        if (conValores)
            d.texto(0.5 * (a + b) - escala * 0.5 * (c.inicio + c.fin) * c.direccion, c.valor, "valorCarga", "middle");
    }
    std::string pie = "Cargas del caso " + caso + " en " + nombreVista(vista) +
                      ": flechas en los nudos con el módulo de su fuerza (y de su momento) y cargas distribuidas "
                      "a lo largo de las barras";
    if (caso == casoPesoPropio) pie += " (el peso propio, hacia −Z)";
    if (!conValores) pie += "; con tantas barras, sin valores escritos";
    return {d.svg(), pie + ".", kEstiloCargas};
}
