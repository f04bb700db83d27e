// Lo que el modelo pide para verificar sus barras de acero: el método (LRFD o
// ASD), la tensión de fluencia de cada barra verificada, los factores de
// longitud efectiva, la longitud no arriostrada y los miembros que forman
// varias barras seguidas (una columna dividida en tramos). Son datos del
// modelo; los resultados van a resultadosAnalisis::acero.
#pragma once

#include <string>
#include <vector>

enum class metodoAcero { lrfd, asd };

// Un miembro de varias barras ("miembro: NOMBRE BARRAS..."): barras
// consecutivas y colineales, en el orden de la cadena. invertida dice, por
// barra, si su eje x local va contra el sentido del miembro; inicio, la
// distancia desde el comienzo del miembro hasta el extremo de la barra por
// donde entra la cadena.
struct miembroDeBarras {
    std::string nombre;
    int registro = 0;          // su registro de miembro: (desde 1)
    std::vector<int> barras;   // números internos, en el orden de la cadena
    std::vector<char> invertida;
    std::vector<double> inicio;
    double longitud = 0;
};

struct datosAcero {
    bool pedida = false;  // algún registro verificacionAcero:
    metodoAcero metodo = metodoAcero::lrfd;
    // Por barra (número interno): la tensión de fluencia (0: no se verifica),
    // los factores de longitud efectiva para el pandeo alrededor de y y de z
    // locales y la longitud no arriostrada (0: la del miembro).
    std::vector<double> fy, ky, kz, lb;
    std::vector<miembroDeBarras> miembros;
};

extern datosAcero acero;

// El nombre del método como se escribe en el modelo y en las salidas.
const char* nombreMetodo(metodoAcero m);

// Ordena en cadena las barras de un miembro (en el orden en que se dieron):
// cada una debe compartir un nudo con la siguiente, todas sobre una misma
// recta y avanzando sin volver atrás. Llena barras, invertida, inicio y
// longitud de m; si no se puede, devuelve el motivo (vacío si es una cadena).
std::string encadenarMiembro(const std::vector<int>& barras, miembroDeBarras& m);
