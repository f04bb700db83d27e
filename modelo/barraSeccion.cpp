// Secciones transversales (genérica, rectangular, placa, costanera, W), material
// y contorno de la sección para el dibujo.
#include "modelo/objBarra3d.h"

#include <algorithm>

void objBarra3d::setNombreDeSeccion(std::string nombre) {
    nombreDeSeccion = nombre;
    flagsBarra[kFlagNombreSeccion] = 1;
}

std::string objBarra3d::getNombreDeSeccion() const {
    return flagsBarra[kFlagNombreSeccion] == 1 ? nombreDeSeccion : std::string();
}

std::vector<double> objBarra3d::getDimensionesSeccion() const {
    return std::vector<double>(dimensionesSeccion, dimensionesSeccion + noDimensionesSeccion);
}

void objBarra3d::setSeccionGenerica(double a, double inerciaY, double inerciaZ, double moduloJ) {
    noDimensionesSeccion = 0;
    // Sin deformación por corte, aunque la barra haya tenido antes una placa.
    factorDeForma = 0.0;
    area = a;
    iy = inerciaY;
    iz = inerciaZ;
    modJ = moduloJ;
    // Contorno con forma de letra G, de tamaño proporcional a la barra.
    const double k = 0.025 * getLongitud();
    perimetroSeccion.resize(2, 6);
    perimetroSeccion << 1, -1, -1, 1, 1, 0.5,
                        1.5, 1.5, -1.5, -1.5, -0.75, -0.75;
    perimetroSeccion *= k;
    codigoSeccion = 0;
    flagsBarra[kFlagSeccion] = 1;
}

void objBarra3d::setSeccionRectangular(double b, double h) {
    dimensionesSeccion[0] = b;
    dimensionesSeccion[1] = h;
    noDimensionesSeccion = 2;
    // Sin deformación por corte (la placa la agrega después de llamar aquí).
    factorDeForma = 0.0;
    area = b * h;
    iy = b * b * b * h / 12.0;
    iz = h * h * h * b / 12.0;
    const double s = (h >= b) ? b : h;
    const double l = (h >= b) ? h : b;
    const double k = 0.21 * s / l;
    const double r = s / l;
    const double c = 1.0 / 3.0 - k * (1.0 - (1.0 / 12.0) * (r * r * r * r));
    modJ = s * s * s * c * l;
    perimetroSeccion.resize(2, 5);
    perimetroSeccion << -b / 2, b / 2, b / 2, -b / 2, -b / 2,
                        -h / 2, -h / 2, h / 2, h / 2, -h / 2;
    codigoSeccion = 1;
    flagsBarra[kFlagSeccion] = 1;
}

void objBarra3d::setSeccionPlaca(double base, double altura) {
    setSeccionRectangular(base, altura);
    factorDeForma = 1.2;
    codigoSeccion = 4;
}

void objBarra3d::setSeccionCostanera(double ala, double alma, double labio, double espesor, double radio) {
    const double B = ala, H = alma, D = labio, t = espesor, r = radio, alfaLabio = 1.0;
    // Como en el archivo: el alma primero.
    const double dimensiones[5] = {alma, ala, labio, espesor, radio};
    std::copy(dimensiones, dimensiones + 5, dimensionesSeccion);
    noDimensionesSeccion = 5;
    factorDeForma = 0.0;
    const double a = H - (2 * r + t);
    const double b = B - (r + t / 2) - alfaLabio * (r + t / 2);
    const double c = alfaLabio * (D - (r + t / 2));
    const double u = pi * r / 2;
    const double As = t * (a + 2 * b + 2 * u + alfaLabio * (2 * c + 2 * u));
    area = As;
    const double brazo = a / 2 + 0.637 * r;
    iz = 2 * t * (0.0417 * a * a * a + b * (a / 2 + r) * (a / 2 + r) + u * brazo * brazo + 0.149 * r * r * r +
                  alfaLabio * (0.0833 * c * c * c + (c / 4) * (a - c) * (a - c) + u * brazo * brazo +
                               0.149 * r * r * r));
    // Con área nula el centroide no está definido: se toma en el alma.
    const double xBarra = (As != 0.0)
        ? (2 * t / As) * (b * (b / 2 + r) + u * (0.363 * r) +
                          alfaLabio * (u * (b + 1.637 * r) + c * (b + 2 * r)))
        : 0.0;
    iy = 2 * t * (b * (b / 2 + r) * (b / 2 + r) + b * b * b / 12 + 0.356 * r * r * r +
                  alfaLabio * (c * (b + 2 * r) * (b + 2 * r) + u * (b + 1.637 * r) * (b + 1.637 * r) +
                               0.149 * r * r * r)) -
         As * xBarra * xBarra;
    modJ = (t * t * t / 3) * (a + 2 * b + 2 * u + alfaLabio * (2 * c + 2 * u));
    perimetroSeccion.resize(2, 6);
    perimetroSeccion << B - xBarra, B - xBarra, -xBarra, -xBarra, B - xBarra, B - xBarra,
                        H / 2 - D, H / 2, H / 2, -H / 2, -H / 2, -H / 2 + D;
    codigoSeccion = 2;
    flagsBarra[kFlagSeccion] = 1;
}

void objBarra3d::setSeccionW(double bf, double tf, double d, double tw) {
    const double dimensiones[4] = {bf, tf, d, tw};
    std::copy(dimensiones, dimensiones + 4, dimensionesSeccion);
    noDimensionesSeccion = 4;
    factorDeForma = 0.0;
    area = 2 * bf * tf + (d - 2 * tf) * tw;
    const double hw = d - 2 * tf;
    iz = tw * hw * hw * hw / 12 + 2 * bf * tf * (d / 2 - tf / 2) * (d / 2 - tf / 2) + bf * tf * tf * tf / 6;
    iy = 2 * bf * bf * bf * tf / 12 + hw * tw * tw * tw / 12;
    modJ = (2 * bf * tf * tf * tf + (d - tf) * tw * tw * tw) / 3;
    const double e = d / 2 - tf;
    perimetroSeccion.resize(2, 13);
    perimetroSeccion << tw / 2, bf / 2, bf / 2, -bf / 2, -bf / 2, -tw / 2, -tw / 2, -bf / 2, -bf / 2, bf / 2, bf / 2, tw / 2, tw / 2,
                        e, e, d / 2, d / 2, e, e, -e, -e, -d / 2, -d / 2, -e, -e, e;
    codigoSeccion = 3;
    flagsBarra[kFlagSeccion] = 1;
}

void objBarra3d::setModuloEyPoisson(double E, double poisson) {
    modE = E;
    modPoisson = poisson;
    modG = E / (2 * (1 + poisson));
    flagsBarra[kFlagMaterial] = 1;
}
