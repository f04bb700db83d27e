#include "visor/escena/rotulos.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include <Eigen/Geometry>

#include "constantes.h"

#include "visor/escena/formatoTexto.h"

namespace {

// Renglones del texto y caracteres del más largo (un carácter de dos bytes en
// UTF-8, como el punto medio de "kN·m", ocupa un lugar).
struct Medida {
    int renglones = 1;
    std::size_t caracteres = 0;
};

Medida medir(const std::string& texto) {
    Medida m;
    std::size_t actual = 0;
    for (char c : texto) {
        if (c == '\n') {
            ++m.renglones;
            m.caracteres = std::max(m.caracteres, actual);
            actual = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++actual;
        }
    }
    m.caracteres = std::max(m.caracteres, actual);
    return m;
}

// Separación entre un valor de extremo y el nudo: medio carácter.
constexpr double kSeparacionExtremo = 0.5;
// Por debajo de la línea base los trazos bajan hasta casi un tercio del alto.
constexpr double kDescenso = 0.3;
// Holgura en píxeles alrededor de cada rótulo escrito.
constexpr double kHolgura = 2.0;

}  // namespace

OcupacionRotulos::OcupacionRotulos(int ancho, int alto)
    : columnas_(std::max(1, ancho / kCelda + 1)), filas_(std::max(1, alto / kCelda + 1)),
      celdas_(static_cast<std::size_t>(columnas_ * filas_)) {}

bool OcupacionRotulos::libre(const CajaRotulo& r) const {
    for (int fy = fila(r.y0); fy <= fila(r.y1); ++fy)
        for (int fx = columna(r.x0); fx <= columna(r.x1); ++fx)
            for (std::size_t i : celdas_[static_cast<std::size_t>(fy * columnas_ + fx)])
                if (cajas_[i].pisa(r)) return false;
    return true;
}

void OcupacionRotulos::ocupar(const CajaRotulo& r) {
    cajas_.push_back(r);
    for (int fy = fila(r.y0); fy <= fila(r.y1); ++fy)
        for (int fx = columna(r.x0); fx <= columna(r.x1); ++fx)
            celdas_[static_cast<std::size_t>(fy * columnas_ + fx)].push_back(cajas_.size() - 1);
}

int OcupacionRotulos::columna(double x) const {
    return std::clamp(static_cast<int>(std::floor(x / kCelda)), 0, columnas_ - 1);
}
int OcupacionRotulos::fila(double y) const {
    return std::clamp(static_cast<int>(std::floor(y / kCelda)), 0, filas_ - 1);
}

void ordenarRotulos(std::vector<Rotulo3D>& rotulos) {
    std::stable_sort(rotulos.begin(), rotulos.end(), [](const Rotulo3D& a, const Rotulo3D& b) {
        if (a.siempre != b.siempre) return a.siempre;
        return a.prioridad > b.prioridad;
    });
}

// Los giros de 90 + A grados sobre Z y de 90 - E grados sobre X (A y E, el
// azimut y la elevación de la cámara) llevan el renglón (X) a la horizontal de
// la pantalla y la letra (Y) hacia arriba.
void baseDeFrente(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo, Eigen::Vector3d& derecha,
                  Eigen::Vector3d& arriba) {
    const AngulosFrente f = angulosDeFrente(ojo, objetivo, azimutRespaldo);
    const Eigen::Matrix3d giro =
        (Eigen::AngleAxisd((90.0 + f.azimutGrados) * PI / 180.0, Eigen::Vector3d::UnitZ()) *
         Eigen::AngleAxisd((90.0 - f.elevacionGrados) * PI / 180.0, Eigen::Vector3d::UnitX()))
            .toRotationMatrix();
    derecha = giro.col(0);
    arriba = giro.col(1);
}

bool aPantalla(const VistaRotulos& v, const Eigen::Vector3d& p, Eigen::Vector2d& pixel) {
    const Eigen::Vector4d c = v.proyeccionModelo * Eigen::Vector4d(p.x(), p.y(), p.z(), 1.0);
    if (!(c.w() > 1e-12)) return false;
    pixel = {(c.x() / c.w() + 1.0) / 2.0 * v.ancho, (1.0 - c.y() / c.w()) / 2.0 * v.alto};
    return std::isfinite(pixel.x()) && std::isfinite(pixel.y());
}

Eigen::Vector3d origenRotulo(const Rotulo3D& r, const VistaRotulos& v) {
    const double s = r.altura * kEscalaFuente;
    const Medida m = medir(r.texto);
    const double largo = largoTexto(m.caracteres) * s;
    if (r.giro == GiroRotulo::DeFrente)
        return r.ancla + corrimientoAlineacion(m.caracteres, r.alineacion) * s * Eigen::Vector3d::UnitX();
    if (!r.enExtremo) return r.ancla + corrimientoAlineacion(m.caracteres, r.alineacion) * s * v.derecha;
    // Hacia el interior de la barra tal como se la ve: a lo largo del renglón
    // si la barra se ve más bien horizontal, por encima o por debajo si no.
    const double separacion = kSeparacionExtremo * kAvanceCaracter * s;
    const double dx = r.haciaAdentro.dot(v.derecha), dy = r.haciaAdentro.dot(v.arriba);
    if (std::fabs(dx) >= std::fabs(dy)) {
        const double corrimiento = dx >= 0 ? separacion : -(largo + separacion);
        return r.ancla + corrimiento * v.derecha;
    }
    // Encima, el descenso de las letras queda sobre el nudo; debajo, la caja
    // entera queda por debajo de la de un valor escrito a la altura del nudo.
    const double vertical = dy > 0 ? separacion + kDescenso * r.altura : -((1.0 + kDescenso) * r.altura + separacion);
    return r.ancla - largo / 2.0 * v.derecha + vertical * v.arriba;
}

std::array<Eigen::Vector3d, 4> esquinasRotulo(const Rotulo3D& r, const VistaRotulos& v) {
    const Medida m = medir(r.texto);
    const Eigen::Vector3d origen = origenRotulo(r, v);
    const Eigen::Vector3d largo = largoTexto(m.caracteres) * r.altura * kEscalaFuente * v.derecha;
    const Eigen::Vector3d tope = origen + r.altura * v.arriba;
    const Eigen::Vector3d pie = origen - (m.renglones - 1 + kDescenso) * r.altura * v.arriba;
    return {tope, tope + largo, pie, pie + largo};
}

std::vector<RotuloColocado> colocarRotulos(const std::vector<Rotulo3D>& ordenados, const VistaRotulos& v) {
    OcupacionRotulos ocupacion(v.ancho, v.alto);
    return colocarRotulos(ordenados, v, ocupacion);
}

std::vector<RotuloColocado> colocarRotulos(const std::vector<Rotulo3D>& ordenados, const VistaRotulos& v,
                                           OcupacionRotulos& ocupacion) {
    std::vector<RotuloColocado> colocados;
    for (const Rotulo3D& rotulo : ordenados) {
        if (rotulo.texto.empty() || !(rotulo.altura > 0.0)) continue;
        // Alto en pantalla: lo ilegible se omite; lo obligatorio se agranda.
        Eigen::Vector2d base, tope;
        if (!aPantalla(v, rotulo.ancla, base) || !aPantalla(v, rotulo.ancla + rotulo.altura * v.arriba, tope)) continue;
        const double pixeles = (tope - base).norm();
        if (!rotulo.siempre && pixeles < kPixelesIlegible) continue;
        Rotulo3D agrandado;
        const bool agrandar = rotulo.siempre && pixeles < kPixelesLegible && pixeles > 0.0;
        if (agrandar) {
            agrandado = rotulo;
            agrandado.altura *= kPixelesLegible / pixeles;
        }
        const Rotulo3D& r = agrandar ? agrandado : rotulo;

        const double s = r.altura * kEscalaFuente;
        const Medida m = medir(r.texto);
        const double largo = largoTexto(m.caracteres) * s;
        Eigen::Vector3d origen = origenRotulo(r, v);

        // Caja del texto en pantalla: del descenso del último renglón a la
        // altura del primero.
        const double abajo = -(kDescenso + (m.renglones - 1)) * r.altura, arriba = r.altura;
        bool visible = true;
        const auto cajaDesde = [&](const Eigen::Vector3d& o) {
            CajaRotulo caja{1e300, 1e300, -1e300, -1e300};
            for (double a : {0.0, largo})
                for (double b : {abajo, arriba}) {
                    Eigen::Vector2d p;
                    if (!aPantalla(v, o + a * v.derecha + b * v.arriba, p)) visible = false;
                    caja = {std::min(caja.x0, p.x()), std::min(caja.y0, p.y()), std::max(caja.x1, p.x()),
                            std::max(caja.y1, p.y())};
                }
            return caja;
        };
        const auto conHolgura = [](const CajaRotulo& c) {
            return CajaRotulo{c.x0 - kHolgura, c.y0 - kHolgura, c.x1 + kHolgura, c.y1 + kHolgura};
        };
        CajaRotulo caja = cajaDesde(origen);
        if (!visible || caja.x1 < 0 || caja.y1 < 0 || caja.x0 > v.ancho || caja.y0 > v.alto) continue;

        if (!r.siempre) {
            if (r.deBarra) {
                Eigen::Vector2d a, b, t0, t1;
                if (!aPantalla(v, r.barraInicio, a) || !aPantalla(v, r.barraFin, b)) continue;
                aPantalla(v, origen, t0);
                aPantalla(v, origen + largo * v.derecha, t1);
                if ((b - a).norm() < (t1 - t0).norm()) continue;
            }
            if (!ocupacion.libre(conHolgura(caja))) continue;
        } else if (!ocupacion.libre(conHolgura(caja))) {
            // Un obligatorio que pisa a otro (el máximo y el mínimo en el mismo
            // nudo, los de dos combinaciones activas) se corre renglón a
            // renglón hacia abajo o hacia arriba, o de costado, hasta quedar libre.
            const double paso = arriba - abajo;
            std::vector<Eigen::Vector3d> corrimientos;
            for (double k = 1; k <= 4; ++k)
                for (double signo : {-1.0, 1.0}) corrimientos.push_back(signo * k * paso * v.arriba);
            for (double signo : {-1.0, 1.0})
                for (double k = 0; k <= 2; ++k)
                    corrimientos.push_back(signo * (largo + paso) * v.derecha + k * paso * v.arriba);
            for (const Eigen::Vector3d& d : corrimientos) {
                const CajaRotulo otra = cajaDesde(origen + d);
                if (visible && ocupacion.libre(conHolgura(otra))) {
                    origen += d;
                    caja = otra;
                    break;
                }
                visible = true;
            }
        }
        ocupacion.ocupar(caja);
        colocados.push_back({&rotulo, origen, s, r.altura, caja});
    }
    return colocados;
}
