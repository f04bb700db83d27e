// Resistencias nominales de una barra de sección W de acero, cada una función
// pura de la sección, las longitudes, Fy, E y G (E y G de la sección de la
// barra), y su resistencia disponible según el método: φ·Rn en LRFD, Rn/Ω
// en ASD. Las ecuaciones son las de tracción (D2), compresión (E3, E4 y E7),
// flexión alrededor del eje fuerte (F2, F3) y del débil (F6), corte (G2 en el
// alma, G6 en las alas) y la interacción de axial y flexión (H1-1a, H1-1b).
#pragma once

#include "analisis/aceroSeccionW.h"
#include "modelo/acero.h"

// Un factor de resistencia con su factor de seguridad.
struct factoresResistencia {
    double phi = 0.9, omega = 1.67;
};
inline constexpr factoresResistencia kFactoresGenerales{0.90, 1.67};
// Corte del alma de un perfil laminado compacto, G2.1(a).
inline constexpr factoresResistencia kFactoresCorteLaminado{1.00, 1.50};
// La resistencia disponible de una nominal.
inline double disponible(double nominal, factoresResistencia f, metodoAcero m) {
    return m == metodoAcero::lrfd ? f.phi * nominal : nominal / f.omega;
}

// D2(a): fluencia en tracción, Pn = Fy·Ag.
double traccionNominal(const seccionW& s, double fy);

// Tensión crítica de pandeo por flexión para la tensión elástica fe (E3-2 si
// Fy/Fe ≤ 2.25, es decir Lc/r ≤ 4.71·√(E/Fy); E3-3 si no). Sin pandeo
// (fe infinita), Fy.
double tensionCritica(double fy, double fe);

enum class modoPandeo { flexionY, flexionZ, torsion };
struct resistenciaCompresion {
    double pn = 0;
    double fcr = 0;        // la tensión crítica del modo que manda
    double areaEfectiva = 0;
    modoPandeo modo = modoPandeo::flexionY;
    const char* ecuacion = "E3";  // E3 (flexión), E4 (torsión) o E7 (con elementos esbeltos)
};
// Compresión con las longitudes efectivas de pandeo alrededor de y local (el
// eje débil), de z local (el fuerte) y de torsión: E3 en los dos ejes, E4-2
// (perfil doblemente simétrico, Fe = (π²·E·Cw/Lt² + G·J)/(Ix + Iy)) y, si el
// ala o el alma son esbeltas en compresión, E7 con el área efectiva (E7-2,
// E7-3 y E7-5, con c1 = 0.18 y c2 = 1.31 en el alma, atiesada en sus dos
// bordes, y c1 = 0.22 y c2 = 1.49 en las alas).
resistenciaCompresion compresionNominal(const seccionW& s, double E, double G, double fy, double lcY, double lcZ,
                                        double lTorsion);

struct resistenciaFlexion {
    double mn = 0;
    double mp = 0;
    double lp = 0, lr = 0;  // límites del pandeo lateral-torsional (eje fuerte)
    const char* ecuacion = "F2";
};
// Flexión alrededor del eje fuerte con la longitud no arriostrada lb y el
// factor de gradiente de momentos cb: F2 (fluencia y pandeo lateral-torsional,
// F2-1 a F2-6) si las alas son compactas; F3 si no (el pandeo
// lateral-torsional de F2 y el pandeo local del ala, F3-1 o F3-2). Vale para
// un alma compacta en flexión (la del perfil laminado).
resistenciaFlexion flexionFuerteNominal(const seccionW& s, double E, double fy, double lb, double cb);
// Flexión alrededor del eje débil (F6): fluencia, Mp = Fy·Zy ≤ 1.6·Fy·Sy, y
// pandeo local del ala (F6-2 o F6-3).
resistenciaFlexion flexionDebilNominal(const seccionW& s, double E, double fy);

struct resistenciaCorte {
    double vn = 0;
    double cv = 1;
    factoresResistencia factores = kFactoresGenerales;
    const char* ecuacion = "G2";
};
// Corte paralelo al alma (G2.1): Vn = 0.6·Fy·Aw·Cv1 con Aw = d·tw; con
// h/tw ≤ 2.24·√(E/Fy), Cv1 = 1 y φv = 1.0 / Ωv = 1.5; si no, kv = 5.34 (sin
// atiesadores) y G2-3 o G2-4.
resistenciaCorte corteAlmaNominal(const seccionW& s, double E, double fy);
// Corte paralelo a las alas (G6): las dos alas, Vn = 0.6·Fy·bf·tf·Cv2 cada
// una, con Cv2 de G2.2 para bf/(2·tf) y kv = 1.2.
resistenciaCorte corteAlasNominal(const seccionW& s, double E, double fy);

// F1-1: Cb = 12.5·Mmax / (2.5·Mmax + 3·MA + 4·MB + 3·MC) con los valores
// absolutos del mayor momento del tramo y de los de sus cuartos; 1 sin momento.
double factorCb(double mMax, double mA, double mB, double mC);

// H1-1: con Pr/Pc ≥ 0.2, Pr/Pc + 8/9·(Mrx/Mcx + Mry/Mcy) (H1-1a); si no,
// Pr/(2·Pc) + Mrx/Mcx + Mry/Mcy (H1-1b). Valores absolutos.
struct razonInteraccion {
    double razon = 0;
    const char* ecuacion = "H1-1b";
};
razonInteraccion interaccionH1(double pr, double pc, double mrx, double mcx, double mry, double mcy);
