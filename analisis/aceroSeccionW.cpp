#include "analisis/aceroSeccionW.h"

#include <cmath>

seccionW propiedadesW(double bf, double tf, double d, double tw) {
    seccionW s;
    s.bf = bf, s.tf = tf, s.d = d, s.tw = tw;
    s.h = d - 2 * tf;
    s.ho = d - tf;
    s.area = 2 * bf * tf + s.h * tw;
    // Las alas a ho/2 del eje fuerte y el alma entre ellas.
    s.iFuerte = tw * s.h * s.h * s.h / 12 + 2 * (bf * tf * tf * tf / 12 + bf * tf * (s.ho / 2) * (s.ho / 2));
    s.iDebil = 2 * tf * bf * bf * bf / 12 + s.h * tw * tw * tw / 12;
    s.zFuerte = bf * tf * s.ho + tw * s.h * s.h / 4;
    s.zDebil = tf * bf * bf / 2 + s.h * tw * tw / 4;
    s.sFuerte = s.iFuerte / (d / 2);
    s.sDebil = s.iDebil / (bf / 2);
    s.rFuerte = std::sqrt(s.iFuerte / s.area);
    s.rDebil = std::sqrt(s.iDebil / s.area);
    s.j = (2 * bf * tf * tf * tf + (d - tf) * tw * tw * tw) / 3;
    s.cw = s.iDebil * s.ho * s.ho / 4;
    s.areaAlma = d * tw;
    s.rts = std::sqrt(std::sqrt(s.iDebil * s.cw) / s.sFuerte);
    return s;
}

clasificacionW clasificarW(const seccionW& s, double E, double fy) {
    clasificacionW c;
    const double raiz = std::sqrt(E / fy);
    c.lambdaAla = s.bf / (2 * s.tf);
    c.lambdaAlma = s.h / s.tw;
    // Compresión: ala de un perfil laminado 0.56·√(E/Fy); alma de un perfil
    // doblemente simétrico 1.49·√(E/Fy).
    c.lambdaRAlaCompresion = 0.56 * raiz;
    c.lambdaRAlmaCompresion = 1.49 * raiz;
    c.alaEsbeltaCompresion = c.lambdaAla > c.lambdaRAlaCompresion;
    c.almaEsbeltaCompresion = c.lambdaAlma > c.lambdaRAlmaCompresion;
    // Flexión: ala laminada 0.38 y 1.0·√(E/Fy); alma 3.76 y 5.70·√(E/Fy).
    c.lambdaPAla = 0.38 * raiz;
    c.lambdaRAla = 1.0 * raiz;
    c.lambdaPAlma = 3.76 * raiz;
    c.lambdaRAlma = 5.70 * raiz;
    const auto clase = [](double l, double lp, double lr) {
        return l <= lp ? claseElemento::compacto : l <= lr ? claseElemento::noCompacto : claseElemento::esbelto;
    };
    c.alaFlexion = clase(c.lambdaAla, c.lambdaPAla, c.lambdaRAla);
    c.almaFlexion = clase(c.lambdaAlma, c.lambdaPAlma, c.lambdaRAlma);
    return c;
}
