#include "analisis/aceroResistencias.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "constantes.h"

namespace {
constexpr double kInfinito = std::numeric_limits<double>::infinity();

// Tensión elástica de pandeo por flexión para una esbeltez lc/r.
double tensionEuler(double E, double lc, double r) {
    if (!(lc > 0)) return kInfinito;
    const double esbeltez = lc / r;
    return PI * PI * E / (esbeltez * esbeltez);
}

// E7: el ancho efectivo de un elemento esbelto de ancho b y relación λ (con
// su λr), para la tensión crítica fcr del miembro.
double anchoEfectivo(double b, double lambda, double lambdaR, double fy, double fcr, double c1, double c2) {
    if (lambda <= lambdaR * std::sqrt(fy / fcr)) return b;                                 // E7-2
    const double fel = (c2 * lambdaR / lambda) * (c2 * lambdaR / lambda) * fy;           // E7-5
    const double raiz = std::sqrt(fel / fcr);
    return b * (1 - c1 * raiz) * raiz;                                                    // E7-3
}

// Cv2 de G2.2 para una relación ancho-espesor λ y un coeficiente de pandeo kv.
double coeficienteCv2(double lambda, double kv, double E, double fy) {
    const double limite = std::sqrt(kv * E / fy);
    if (lambda <= 1.10 * limite) return 1.0;                           // G2-9
    if (lambda <= 1.37 * limite) return 1.10 * limite / lambda;        // G2-10
    return 1.51 * kv * E / (lambda * lambda * fy);                     // G2-11
}
}  // namespace

double traccionNominal(const seccionW& s, double fy) { return fy * s.area; }

double tensionCritica(double fy, double fe) {
    if (!(fe < kInfinito)) return fy;
    if (fy / fe <= 2.25) return std::pow(0.658, fy / fe) * fy;  // E3-2
    return 0.877 * fe;                                          // E3-3
}

resistenciaCompresion compresionNominal(const seccionW& s, double E, double G, double fy, double lcY, double lcZ,
                                        double lTorsion) {
    resistenciaCompresion r;
    // Alrededor de y local (el eje débil) y de z local (el fuerte).
    const double feY = tensionEuler(E, lcY, s.rDebil), feZ = tensionEuler(E, lcZ, s.rFuerte);
    // E4-2: torsión de un perfil doblemente simétrico.
    const double alabeo = lTorsion > 0 ? PI * PI * E * s.cw / (lTorsion * lTorsion) : kInfinito;
    const double feT = (alabeo + G * s.j) / (s.iFuerte + s.iDebil);
    const double fcrY = tensionCritica(fy, feY), fcrZ = tensionCritica(fy, feZ), fcrT = tensionCritica(fy, feT);
    r.fcr = fcrY, r.modo = modoPandeo::flexionY, r.ecuacion = "E3";
    if (fcrZ < r.fcr) r.fcr = fcrZ, r.modo = modoPandeo::flexionZ;
    if (fcrT < r.fcr) r.fcr = fcrT, r.modo = modoPandeo::torsion, r.ecuacion = "E4";
    r.areaEfectiva = s.area;
    const clasificacionW c = clasificarW(s, E, fy);
    if (c.almaEsbeltaCompresion || c.alaEsbeltaCompresion) {
        // E7: el alma es un elemento atiesado (c1 0.18, c2 1.31); cada medio
        // ala, uno no atiesado (c1 0.22, c2 1.49).
        const double alma = anchoEfectivo(s.h, c.lambdaAlma, c.lambdaRAlmaCompresion, fy, r.fcr, 0.18, 1.31);
        const double ala =
            anchoEfectivo(s.bf / 2, c.lambdaAla, c.lambdaRAlaCompresion, fy, r.fcr, 0.22, 1.49);
        r.areaEfectiva = s.area - (s.h - alma) * s.tw - 4 * (s.bf / 2 - ala) * s.tf;
        r.ecuacion = "E7";
    }
    r.pn = r.fcr * r.areaEfectiva;
    return r;
}

resistenciaFlexion flexionFuerteNominal(const seccionW& s, double E, double fy, double lb, double cb) {
    resistenciaFlexion r;
    r.mp = fy * s.zFuerte;                                       // F2-1
    const double sx = s.sFuerte, c = 1.0;                        // F2-8a
    r.lp = 1.76 * s.rDebil * std::sqrt(E / fy);                  // F2-5
    const double jc = s.j * c / (sx * s.ho);
    const double relacion = 0.7 * fy / E;
    r.lr = 1.95 * s.rts * (E / (0.7 * fy)) * std::sqrt(jc + std::sqrt(jc * jc + 6.76 * relacion * relacion));  // F2-6
    // Pandeo lateral-torsional.
    double mltb = r.mp;
    if (lb > r.lp && lb <= r.lr) {
        mltb = cb * (r.mp - (r.mp - 0.7 * fy * sx) * (lb - r.lp) / (r.lr - r.lp));  // F2-2
    } else if (lb > r.lr) {
        const double esbeltez = lb / s.rts;
        const double fcr = cb * PI * PI * E / (esbeltez * esbeltez) * std::sqrt(1 + 0.078 * jc * esbeltez * esbeltez);  // F2-4
        mltb = fcr * sx;                                                                                               // F2-3
    }
    r.mn = std::min(r.mp, mltb);
    const clasificacionW cl = clasificarW(s, E, fy);
    if (cl.alaFlexion == claseElemento::compacto) return r;
    // F3: pandeo local del ala comprimida.
    r.ecuacion = "F3";
    double mflb;
    if (cl.alaFlexion == claseElemento::noCompacto) {
        mflb = r.mp - (r.mp - 0.7 * fy * sx) * (cl.lambdaAla - cl.lambdaPAla) / (cl.lambdaRAla - cl.lambdaPAla);  // F3-1
    } else {
        const double kc = std::clamp(4 / std::sqrt(cl.lambdaAlma), 0.35, 0.76);
        mflb = 0.9 * E * kc * sx / (cl.lambdaAla * cl.lambdaAla);  // F3-2
    }
    r.mn = std::min(r.mn, mflb);
    return r;
}

resistenciaFlexion flexionDebilNominal(const seccionW& s, double E, double fy) {
    resistenciaFlexion r;
    r.ecuacion = "F6";
    r.mp = std::min(fy * s.zDebil, 1.6 * fy * s.sDebil);  // F6-1
    const clasificacionW c = clasificarW(s, E, fy);
    switch (c.alaFlexion) {
        case claseElemento::compacto: r.mn = r.mp; break;
        case claseElemento::noCompacto:
            r.mn = r.mp - (r.mp - 0.7 * fy * s.sDebil) * (c.lambdaAla - c.lambdaPAla) / (c.lambdaRAla - c.lambdaPAla);  // F6-2
            break;
        case claseElemento::esbelto:
            r.mn = std::min(r.mp, 0.69 * E / (c.lambdaAla * c.lambdaAla) * s.sDebil);  // F6-3 y F6-4
            break;
    }
    return r;
}

resistenciaCorte corteAlmaNominal(const seccionW& s, double E, double fy) {
    resistenciaCorte r;
    const double lambda = s.h / s.tw;
    if (lambda <= 2.24 * std::sqrt(E / fy)) {
        r.cv = 1.0;  // G2.1(a)
        r.factores = kFactoresCorteLaminado;
    } else {
        const double limite = 1.10 * std::sqrt(5.34 * E / fy);
        r.cv = lambda <= limite ? 1.0 : limite / lambda;  // G2-3, G2-4
    }
    r.vn = 0.6 * fy * s.areaAlma * r.cv;  // G2-1
    return r;
}

resistenciaCorte corteAlasNominal(const seccionW& s, double E, double fy) {
    resistenciaCorte r;
    r.ecuacion = "G6";
    r.cv = coeficienteCv2(s.bf / (2 * s.tf), 1.2, E, fy);
    r.vn = 2 * 0.6 * fy * s.bf * s.tf * r.cv;  // G6-1, en las dos alas
    return r;
}

double factorCb(double mMax, double mA, double mB, double mC) {
    mMax = std::fabs(mMax), mA = std::fabs(mA), mB = std::fabs(mB), mC = std::fabs(mC);
    const double denominador = 2.5 * mMax + 3 * mA + 4 * mB + 3 * mC;
    return denominador > 0 ? 12.5 * mMax / denominador : 1.0;
}

razonInteraccion interaccionH1(double pr, double pc, double mrx, double mcx, double mry, double mcy) {
    razonInteraccion r;
    const double p = std::fabs(pr) / pc, m = std::fabs(mrx) / mcx + std::fabs(mry) / mcy;
    if (p >= 0.2) {
        r.razon = p + 8.0 / 9.0 * m;
        r.ecuacion = "H1-1a";
    } else {
        r.razon = p / 2 + m;
        r.ecuacion = "H1-1b";
    }
    return r;
}
