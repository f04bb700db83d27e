// Una sección W armada con sus tres placas, sin los filetes de las laminadas:
// las propiedades que usan las resistencias del acero y la clase de sus
// elementos (ala y alma) en compresión y en flexión, con los límites de las
// filas de perfiles laminados de la tabla de relaciones ancho-espesor.
//
// Ejes: el fuerte es el que tiene el alma a lo largo (en el programa, el z
// local de una barra de seccionW:, con Iz); el débil, el paralelo al alma (y
// local, con Iy).
#pragma once

struct seccionW {
    double bf = 0, tf = 0, d = 0, tw = 0;  // ala, grosor del ala, alto, grosor del alma
    double area = 0;
    double iFuerte = 0, iDebil = 0;  // inercias
    double zFuerte = 0, zDebil = 0;  // módulos plásticos
    double sFuerte = 0, sDebil = 0;  // módulos elásticos
    double rFuerte = 0, rDebil = 0;  // radios de giro
    double j = 0;                    // torsión uniforme: (2·bf·tf³ + (d − tf)·tw³)/3
    double ho = 0;                   // entre los centros de las alas: d − tf
    double cw = 0;                   // alabeo: Iy·ho²/4
    double h = 0;                    // alto libre del alma: d − 2·tf
    double areaAlma = 0;             // d·tw, la del corte del alma
    double rts = 0;                  // √(√(Iy·Cw)/Sx)
};

// Las propiedades de la W de esas placas.
seccionW propiedadesW(double bf, double tf, double d, double tw);

enum class claseElemento { compacto, noCompacto, esbelto };

struct clasificacionW {
    double lambdaAla = 0;   // bf/(2·tf)
    double lambdaAlma = 0;  // h/tw
    // Compresión: un elemento es esbelto si pasa de λr.
    double lambdaRAlaCompresion = 0, lambdaRAlmaCompresion = 0;
    bool alaEsbeltaCompresion = false, almaEsbeltaCompresion = false;
    // Flexión: compacto hasta λp, no compacto hasta λr, esbelto después.
    double lambdaPAla = 0, lambdaRAla = 0, lambdaPAlma = 0, lambdaRAlma = 0;
    claseElemento alaFlexion = claseElemento::compacto, almaFlexion = claseElemento::compacto;
};

clasificacionW clasificarW(const seccionW& s, double E, double fy);
