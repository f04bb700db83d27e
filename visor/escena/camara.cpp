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

VistaEncuadrada encuadrarVista(const std::vector<Punto3>& nudos, const Punto3& direccion, int ancho, int alto,
                               bool perspectiva) {
    constexpr double kMargen = 1.05;
    if (alto <= 0) alto = 1;
    if (ancho <= 0) ancho = 1;
    VistaEncuadrada v;
    if (!nudos.empty()) {
        Punto3 menor = nudos.front(), mayor = nudos.front();
        for (const Punto3& p : nudos) {
            menor = {std::min(menor.x, p.x), std::min(menor.y, p.y), std::min(menor.z, p.z)};
            mayor = {std::max(mayor.x, p.x), std::max(mayor.y, p.y), std::max(mayor.z, p.z)};
        }
        v.objetivo = {(menor.x + mayor.x) / 2.0, (menor.y + mayor.y) / 2.0, (menor.z + mayor.z) / 2.0};
    }
    // Base de la cámara como la arma gluLookAt con Z hacia arriba: u hacia la
    // cámara, s a la derecha y t arriba en pantalla.
    double n = distancia(direccion, {0, 0, 0});
    const Punto3 u = n > 0.0 ? Punto3{direccion.x / n, direccion.y / n, direccion.z / n} : Punto3{-1, 0, 0};
    Punto3 s{-u.y, u.x, 0.0};  // (-u) x Z
    n = distancia(s, {0, 0, 0});
    s = n > 0.0 ? Punto3{s.x / n, s.y / n, 0.0} : Punto3{0, 1, 0};
    const Punto3 t{u.y * s.z - u.z * s.y, u.z * s.x - u.x * s.z, u.x * s.y - u.y * s.x};  // u x s

    const double razon = static_cast<double>(ancho) / alto;
    const double tanVertical = std::tan(22.5 * PI / 180.0) / kMargen, tanHorizontal = tanVertical * razon;
    double d = 0.0;
    for (const Punto3& p : nudos) {
        const Punto3 q{p.x - v.objetivo.x, p.y - v.objetivo.y, p.z - v.objetivo.z};
        const double x = std::fabs(q.x * s.x + q.y * s.y + q.z * s.z), y = std::fabs(q.x * t.x + q.y * t.y + q.z * t.z);
        const double z = q.x * u.x + q.y * u.y + q.z * u.z;
        if (perspectiva) {
            d = std::max({d, z + x / tanHorizontal, z + y / tanVertical});
        } else if (ancho > alto) {
            // Medio alto visible d / 2 y medio ancho d razón / 2 (ver proyeccion).
            d = std::max({d, 2.0 * x / razon * kMargen, 2.0 * y * kMargen});
        } else {
            d = std::max({d, 2.0 * x * kMargen, 2.0 * y * razon * kMargen});
        }
    }
    if (!(d > 0.0) || !std::isfinite(d)) d = 1.0;
    v.ojo = {v.objetivo.x + d * u.x, v.objetivo.y + d * u.y, v.objetivo.z + d * u.z};
    return v;
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
