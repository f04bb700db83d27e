#include "visor/escena/camara.h"

#include <algorithm>
#include <cmath>

#include "visor/escena/estadoVisor.h"

namespace {

constexpr double kGradosPorRadian = 180.0 / PI;

// Componentes de la cámara respecto del objetivo.
struct Relativo {
    double dx, dy, dz, rh, r;
};

Relativo relativo(const Punto3& ojo, const Punto3& objetivo) {
    Relativo v{};
    v.dx = ojo.x - objetivo.x;
    v.dy = ojo.y - objetivo.y;
    v.dz = ojo.z - objetivo.z;
    v.rh = std::sqrt(v.dx * v.dx + v.dy * v.dy);
    v.r = std::sqrt(v.rh * v.rh + v.dz * v.dz);
    return v;
}

// Lleva un ángulo en radianes a [0, 2 pi).
double normalizarAzimut(double a) {
    if (!std::isfinite(a)) return 0.0;
    a = std::fmod(a, 2.0 * PI);
    if (a < 0.0) a += 2.0 * PI;
    return a;
}

}  // namespace

double acotarUnidad(double x) {
    if (x > 1.0) return 1.0;
    if (x < -1.0) return -1.0;
    return x;
}

double distancia(const Punto3& a, const Punto3& b) {
    const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

Encuadre encuadrar(const std::vector<Punto3>& nudos) {
    Encuadre e;
    for (const Punto3& p : nudos) {
        if (p.x < e.xMin) e.xMin = p.x;
        if (p.y < e.yMin) e.yMin = p.y;
        if (p.z < e.zMin) e.zMin = p.z;
        if (p.x > e.xMax) e.xMax = p.x;
        if (p.y > e.yMax) e.yMax = p.y;
        if (p.z > e.zMax) e.zMax = p.z;
    }
    const double ax = e.xMax - e.xMin, ay = e.yMax - e.yMin, az = e.zMax - e.zMin;
    e.diagonal = std::sqrt(ax * ax + ay * ay + az * az);
    e.objetivo = {(e.xMin + e.xMax) / 2.0, (e.yMin + e.yMax) / 2.0, (e.zMin + e.zMax) / 2.0};
    e.ojo = {e.objetivo.x - e.diagonal, e.objetivo.y - e.diagonal, e.zMax + 0.5 * e.diagonal};
    e.distancia = distancia(e.ojo, e.objetivo);
    return e;
}

AreaNormalizada areaNormalizada(double x0, double y0, double x1, double y1, int ancho, int alto) {
    if (ancho <= 0 || alto <= 0 || !(x1 > x0) || !(y1 > y0)) return AreaNormalizada();
    AreaNormalizada a;
    a.x0 = 2.0 * x0 / ancho - 1.0;
    a.x1 = 2.0 * x1 / ancho - 1.0;
    a.y0 = 1.0 - 2.0 * y1 / alto;
    a.y1 = 1.0 - 2.0 * y0 / alto;
    return a;
}

namespace {

// Base de la cámara como la arma gluLookAt con Z hacia arriba: u hacia la
// cámara, s a la derecha y t arriba en pantalla.
struct BaseCamara {
    Punto3 u, s, t;
};

BaseCamara baseCamara(const Punto3& direccion) {
    BaseCamara b;
    double n = distancia(direccion, {0, 0, 0});
    b.u = n > 0.0 ? Punto3{direccion.x / n, direccion.y / n, direccion.z / n} : Punto3{-1, 0, 0};
    b.s = {-b.u.y, b.u.x, 0.0};  // (-u) x Z
    n = distancia(b.s, {0, 0, 0});
    b.s = n > 0.0 ? Punto3{b.s.x / n, b.s.y / n, 0.0} : Punto3{0, 1, 0};
    b.t = {b.u.y * b.s.z - b.u.z * b.s.y, b.u.z * b.s.x - b.u.x * b.s.z, b.u.x * b.s.y - b.u.y * b.s.x};  // u x s
    return b;
}

double punto(const Punto3& a, const Punto3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Semiancho y semialto de la vista en coordenadas del modelo, por unidad de
// profundidad (perspectiva) o por unidad de distancia al objetivo (ortográfica).
void semilados(int ancho, int alto, bool perspectiva, double& kx, double& ky) {
    const double razon = static_cast<double>(ancho) / alto;
    if (perspectiva) {
        ky = std::tan(22.5 * PI / 180.0);
        kx = ky * razon;
    } else if (ancho > alto) {  // ver proyeccion: medio alto d / 2, medio ancho d razón / 2
        kx = razon / 2.0;
        ky = 0.5;
    } else {
        kx = 0.5;
        ky = 0.5 / razon;
    }
}

}  // namespace

namespace {

// Lo que encuadrarVista mide de los puntos: el centro de su caja y, en la
// base de la cámara, los cuatro extremos que acotan el corrimiento del
// objetivo y la mayor profundidad hacia la cámara, con el punto que da cada uno.
struct MedidaEncuadre {
    BaseCamara b;
    double kx = 1.0, ky = 1.0, x0 = -1, x1 = 1, y0 = -1, y1 = 1;
    Punto3 centro;
    double ax1 = -1e300, ax0 = 1e300, ay1 = -1e300, ay0 = 1e300, zMayor = -1e300;
    std::size_t decisivos[5] = {0, 0, 0, 0, 0};
    std::size_t caja[6] = {0, 0, 0, 0, 0, 0};  // los de menor y mayor x, y, z
};

MedidaEncuadre medirEncuadre(const std::vector<Punto3>& puntos, const Punto3& direccion, int ancho, int alto,
                             bool perspectiva, const AreaNormalizada& area) {
    constexpr double kMargen = 1.05;
    MedidaEncuadre m;
    if (!puntos.empty()) {
        Punto3 menor = puntos.front(), mayor = puntos.front();
        for (std::size_t i = 0; i < puntos.size(); ++i) {
            const Punto3& p = puntos[i];
            const double c[3] = {p.x, p.y, p.z}, lo[3] = {menor.x, menor.y, menor.z}, hi[3] = {mayor.x, mayor.y, mayor.z};
            for (int k = 0; k < 3; ++k) {
                if (c[k] < lo[k]) m.caja[2 * k] = i;
                if (c[k] > hi[k]) m.caja[2 * k + 1] = i;
            }
            menor = {std::min(menor.x, p.x), std::min(menor.y, p.y), std::min(menor.z, p.z)};
            mayor = {std::max(mayor.x, p.x), std::max(mayor.y, p.y), std::max(mayor.z, p.z)};
        }
        m.centro = {(menor.x + mayor.x) / 2.0, (menor.y + mayor.y) / 2.0, (menor.z + mayor.z) / 2.0};
    }
    m.b = baseCamara(direccion);
    semilados(ancho, alto, perspectiva, m.kx, m.ky);
    // El área con el margen, achicada alrededor de su centro.
    const double cx = (area.x0 + area.x1) / 2.0, mx = (area.x1 - area.x0) / (2.0 * kMargen);
    const double cy = (area.y0 + area.y1) / 2.0, my = (area.y1 - area.y0) / (2.0 * kMargen);
    m.x0 = cx - mx, m.x1 = cx + mx, m.y0 = cy - my, m.y1 = cy + my;
    // Con el objetivo corrido (a, b) de lado y la cámara a d de él, un punto de
    // coordenadas (x, y) en el plano de la pantalla y z hacia la cámara cae en
    // (x - a) / (kx (d - z)) (en ortográfica, sin la z). Que caiga entre x0 y
    // x1 acota a entre los mayores de x - x1 kx (d - z) y los menores de
    // x - x0 kx (d - z): la menor d que deja lugar a es la de la resta.
    const double f = perspectiva ? 1.0 : 0.0;
    const auto mayorEn = [&m](double v, double& extremo, int k, std::size_t i, bool mayor) {
        if (mayor ? v > extremo : v < extremo) {
            extremo = v;
            m.decisivos[k] = i;
        }
    };
    for (std::size_t i = 0; i < puntos.size(); ++i) {
        const Punto3& p = puntos[i];
        const Punto3 q{p.x - m.centro.x, p.y - m.centro.y, p.z - m.centro.z};
        const double x = punto(q, m.b.s), y = punto(q, m.b.t), z = punto(q, m.b.u);
        mayorEn(x + m.x1 * m.kx * f * z, m.ax1, 0, i, true);
        mayorEn(x + m.x0 * m.kx * f * z, m.ax0, 1, i, false);
        mayorEn(y + m.y1 * m.ky * f * z, m.ay1, 2, i, true);
        mayorEn(y + m.y0 * m.ky * f * z, m.ay0, 3, i, false);
        mayorEn(z, m.zMayor, 4, i, true);
    }
    return m;
}

}  // namespace

VistaEncuadrada encuadrarVista(const std::vector<Punto3>& puntos, const Punto3& direccion, int ancho, int alto,
                               bool perspectiva, const AreaNormalizada& area) {
    if (alto <= 0) alto = 1;
    if (ancho <= 0) ancho = 1;
    MedidaEncuadre m = medirEncuadre(puntos, direccion, ancho, alto, perspectiva, area);
    const double kx = m.kx, ky = m.ky, x0 = m.x0, x1 = m.x1, y0 = m.y0, y1 = m.y1;
    const BaseCamara& b = m.b;
    VistaEncuadrada v;
    double d = 0.0;
    if (!puntos.empty()) d = std::max((m.ax1 - m.ax0) / ((x1 - x0) * kx), (m.ay1 - m.ay0) / ((y1 - y0) * ky));
    // Nada que encuadrar (sin puntos o todos en uno): a distancia 1.
    if (!(d > 0.0) || !std::isfinite(d) || (perspectiva && !(d > m.zMayor))) {
        d = perspectiva ? std::max(1.0, m.zMayor + 1.0) : 1.0;
        if (puntos.empty()) m.ax1 = m.ax0 = m.ay1 = m.ay0 = 0.0;
    }
    const double a = (m.ax1 - x1 * kx * d + m.ax0 - x0 * kx * d) / 2.0;
    const double c = (m.ay1 - y1 * ky * d + m.ay0 - y0 * ky * d) / 2.0;
    const Punto3& centro = m.centro;
    v.objetivo = {centro.x + a * b.s.x + c * b.t.x, centro.y + a * b.s.y + c * b.t.y, centro.z + a * b.s.z + c * b.t.z};
    v.ojo = {v.objetivo.x + d * b.u.x, v.objetivo.y + d * b.u.y, v.objetivo.z + d * b.u.z};
    return v;
}

std::vector<Punto3> puntosDecisivos(const std::vector<Punto3>& puntos, const Punto3& direccion, int ancho, int alto,
                                    bool perspectiva, const AreaNormalizada& area) {
    if (puntos.empty()) return {};
    const MedidaEncuadre m =
        medirEncuadre(puntos, direccion, ancho <= 0 ? 1 : ancho, alto <= 0 ? 1 : alto, perspectiva, area);
    std::vector<Punto3> pocos;
    for (std::size_t i : m.caja) pocos.push_back(puntos[i]);
    for (std::size_t i : m.decisivos) pocos.push_back(puntos[i]);
    return pocos;
}

bool coordenadasEnVentana(const Punto3& p, const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo, int ancho,
                          int alto, bool perspectiva, Punto3& normalizado) {
    const Punto3 arriba = vectorArriba(ojo, objetivo, azimutRespaldo);
    const double d = distancia(ojo, objetivo);
    if (!(d > 0.0)) return false;
    // Base de gluLookAt: f hacia el objetivo, s = f x arriba, u = s x f.
    const Punto3 f{(objetivo.x - ojo.x) / d, (objetivo.y - ojo.y) / d, (objetivo.z - ojo.z) / d};
    Punto3 s{f.y * arriba.z - f.z * arriba.y, f.z * arriba.x - f.x * arriba.z, f.x * arriba.y - f.y * arriba.x};
    const double ns = distancia(s, {0, 0, 0});
    if (!(ns > 0.0)) return false;
    s = {s.x / ns, s.y / ns, s.z / ns};
    const Punto3 u{s.y * f.z - s.z * f.y, s.z * f.x - s.x * f.z, s.x * f.y - s.y * f.x};
    const Punto3 q{p.x - ojo.x, p.y - ojo.y, p.z - ojo.z};
    const double x = punto(q, s), y = punto(q, u), profundidad = punto(q, f);
    if (alto <= 0) alto = 1;
    if (ancho <= 0) ancho = 1;
    double kx = 1.0, ky = 1.0;
    semilados(ancho, alto, perspectiva, kx, ky);
    if (perspectiva) {
        if (!(profundidad > 0.0)) return false;
        normalizado = {x / (kx * profundidad), y / (ky * profundidad), profundidad};
    } else {
        normalizado = {x / (kx * d), y / (ky * d), profundidad};
    }
    return std::isfinite(normalizado.x) && std::isfinite(normalizado.y);
}

bool todosEnArea(const std::vector<Punto3>& puntos, const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo,
                 int ancho, int alto, bool perspectiva, const AreaNormalizada& area) {
    for (const Punto3& p : puntos) {
        Punto3 n;
        if (!coordenadasEnVentana(p, ojo, objetivo, azimutRespaldo, ancho, alto, perspectiva, n)) return false;
        if (n.x < area.x0 || n.x > area.x1 || n.y < area.y0 || n.y > area.y1) return false;
    }
    return true;
}

Tamano tamanoAceptado(int ancho, int alto) {
    if (alto == 0) alto = 1;
    return {ancho < kAnchoMinimo ? kAnchoMinimo : ancho, alto < kAltoMinimo ? kAltoMinimo : alto};
}

Proyeccion proyeccion(int ancho, int alto, bool perspectiva, double distCamObj) {
    Proyeccion p;
    if (alto <= 0) alto = 1;
    const double razon = static_cast<double>(ancho) / static_cast<double>(alto);
    p.perspectiva = perspectiva;
    if (perspectiva) {
        p.campoVertical = 45.0;
        p.aspecto = razon;
        p.cerca = 0.01;
        p.lejos = 1000000.0;
        return p;
    }
    const double d = distCamObj;
    p.cerca = -1000000.0;
    p.lejos = 1000000.0;
    if (ancho <= alto) {
        p.izquierda = -d / 2.0;
        p.derecha = d / 2.0;
        p.abajo = -d / (2.0 * razon);
        p.arriba = d / (2.0 * razon);
    } else {
        p.izquierda = -d * razon / 2.0;
        p.derecha = d * razon / 2.0;
        p.abajo = -d / 2.0;
        p.arriba = d / 2.0;
    }
    return p;
}

double pixelesPorUnidad(int ancho, int alto, bool perspectiva, double distCamObj) {
    if (ancho <= 0 || alto <= 0 || !(distCamObj > 0.0) || !std::isfinite(distCamObj)) return 0.0;
    if (perspectiva) {
        const Proyeccion p = proyeccion(ancho, alto, true, distCamObj);
        return alto / (2.0 * distCamObj * std::tan(p.campoVertical / 2.0 * PI / 180.0));
    }
    const Proyeccion p = proyeccion(ancho, alto, false, distCamObj);
    return ancho / (p.derecha - p.izquierda);
}

Angulos angulosCamara(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo) {
    const Relativo v = relativo(ojo, objetivo);
    Angulos a;
    if (v.rh > 0.0) {
        a.azimut = std::acos(acotarUnidad(v.dx / v.rh));
        if (v.dy < 0.0) a.azimut = 2.0 * PI - a.azimut;
        a.elevacion = std::atan(v.dz / v.rh);
    } else {
        a.azimut = normalizarAzimut(azimutRespaldo);
        a.elevacion = v.dz > 0.0 ? PI / 2.0 : (v.dz < 0.0 ? -PI / 2.0 : 0.0);
    }
    return a;
}

Punto3 vectorArriba(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo) {
    const Relativo v = relativo(ojo, objetivo);
    if (v.rh > 0.0 || v.dz == 0.0) return {0.0, 0.0, 1.0};
    // Con la cámara casi encima, Z se ve en pantalla como la horizontal que se
    // aleja de la cámara; casi debajo, como la que se acerca.
    const double t = normalizarAzimut(azimutRespaldo);
    const double signo = v.dz > 0.0 ? -1.0 : 1.0;
    return {signo * std::cos(t), signo * std::sin(t), 0.0};
}

PasoOrbita orbitar(const Punto3& ojo, const Punto3& objetivo, int dxPixeles, int dyPixeles,
                   double azimutRespaldo) {
    PasoOrbita paso;
    paso.deltaHoriz = static_cast<double>(kRadianesPorPixel * static_cast<float>(dxPixeles));
    paso.deltaVert = static_cast<double>(kRadianesPorPixel * static_cast<float>(dyPixeles));
    const Relativo v = relativo(ojo, objetivo);
    const Angulos a = angulosCamara(ojo, objetivo, azimutRespaldo);
    double theta = a.azimut - paso.deltaHoriz;
    double phi = a.elevacion + paso.deltaVert;
    paso.azimut = normalizarAzimut(theta);
    if (phi >= PI / 2.0) {
        // Justo encima: el azimut queda guardado en paso.azimut y la cámara
        // exactamente en la vertical, sin restos de redondeo que lo alteren.
        paso.ojo = {objetivo.x, objetivo.y, objetivo.z + v.r};
        return paso;
    }
    if (phi <= -PI / 2.0) {
        paso.ojo = {objetivo.x, objetivo.y, objetivo.z - v.r};
        return paso;
    }
    paso.ojo = {objetivo.x + v.r * std::cos(phi) * std::cos(theta),
                objetivo.y + v.r * std::cos(phi) * std::sin(theta), objetivo.z + v.r * std::sin(phi)};
    return paso;
}

Punto3 desplazamientoPaneo(const Punto3& ojo, const Punto3& objetivo, int dxPixeles, int dyPixeles,
                           double azimutRespaldo) {
    const double mx = kUnidadesPorPixel * dxPixeles;
    const double my = kUnidadesPorPixel * dyPixeles;
    const Relativo v = relativo(ojo, objetivo);
    // Coseno y seno del azimut y de la elevación de la cámara.
    double ct, st, sf, cf;
    if (v.rh > 0.0) {
        ct = v.dx / v.rh;
        st = v.dy / v.rh;
    } else {
        const double t = normalizarAzimut(azimutRespaldo);
        ct = std::cos(t);
        st = std::sin(t);
    }
    if (v.r > 0.0) {
        sf = v.dz / v.r;
        cf = v.rh / v.r;
    } else {
        sf = 0.0;
        cf = 1.0;
    }
    return {mx * st - my * sf * ct, -mx * ct - my * sf * st, my * cf};
}

Punto3 acercar(const Punto3& ojo, const Punto3& objetivo, double factor) {
    return {objetivo.x + factor * (ojo.x - objetivo.x), objetivo.y + factor * (ojo.y - objetivo.y),
            objetivo.z + factor * (ojo.z - objetivo.z)};
}

AngulosFrente angulosDeFrente(const Punto3& ojo, const Punto3& objetivo, double azimutRespaldo) {
    const Relativo v = relativo(ojo, objetivo);
    AngulosFrente f;
    if (v.rh > 0.0) {
        f.azimutGrados = std::acos(acotarUnidad(v.dx / v.rh)) * kGradosPorRadian;
        if (v.dy < 0.0) f.azimutGrados = -f.azimutGrados;
        f.elevacionGrados = std::atan(v.dz / v.rh) * kGradosPorRadian;
        return f;
    }
    const Angulos a = angulosCamara(ojo, objetivo, azimutRespaldo);
    f.azimutGrados = a.azimut * kGradosPorRadian;
    if (f.azimutGrados > 180.0) f.azimutGrados -= 360.0;
    f.elevacionGrados = a.elevacion * kGradosPorRadian;
    return f;
}

AngulosFlecha angulosFlecha(const Punto3& p1, const Punto3& p2) {
    AngulosFlecha f;
    const double largo = distancia(p1, p2);
    if (!(largo > 0.0) || !std::isfinite(largo)) return f;
    const double beta = -std::asin(acotarUnidad((p1.z - p2.z) / largo));
    double alfa = 0.0;
    const double base = largo * std::cos(beta);
    if (std::fabs(beta) != PI / 2.0 && base != 0.0) {
        alfa = std::acos(acotarUnidad((p1.x - p2.x) / base));
        if (p1.y - p2.y < 0.0) alfa = -alfa;
    }
    f.dibujar = true;
    f.alfaGrados = alfa * kGradosPorRadian;
    f.betaGrados = beta * kGradosPorRadian;
    return f;
}
