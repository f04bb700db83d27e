// Lo que el modelo pide para el análisis sísmico por espectro de respuesta y
// para las envolventes: espectros de diseño, casos sísmicos, la masa que sale
// de las cargas y las envolventes de combinaciones. Son datos del modelo; los
// resultados van a los casos de resultados (analisis/casosResultado.h).
#pragma once

#include <string>
#include <utility>
#include <vector>

// Espectro de diseño: pares (período en s, aceleración espectral en unidades
// del modelo), con períodos crecientes. Entre dos períodos la aceleración se
// interpola linealmente; antes del primero y después del último valen los
// valores de los extremos de la tabla.
struct espectroDiseno {
    std::string nombre;
    std::vector<double> periodos, aceleraciones;
    double aceleracion(double periodo) const;
};

enum class reglaModal { cqc, srss };

// Un caso sísmico: espectro, dirección (0 X, 1 Y, 2 Z), razón de
// amortiguamiento y regla de combinación de los modos.
struct casoSismico {
    std::string nombre;
    int espectro = -1;  // índice en espectros
    int direccion = 0;
    double amortiguamiento = 0.05;
    reglaModal regla = reglaModal::cqc;
};

// Una envolvente: su nombre y las combinaciones que abarca (índices en
// combinaciones, en el orden en que se nombran).
struct definicionEnvolvente {
    std::string nombre;
    std::vector<int> combos;
};

// Coeficiente de correlación de dos modos de pulsaciones ωi y ωj con la misma
// razón de amortiguamiento ζ (Der Kiureghian): con r = ωi/ωj,
//   ρ = 8ζ²(1 + r)·r^(3/2) / ((1 − r²)² + 4ζ²·r·(1 + r)²).
// Vale 1 para dos modos iguales.
double coeficienteCQC(double omegaI, double omegaJ, double zeta);

extern std::vector<espectroDiseno> espectros;
extern std::vector<casoSismico> sismos;
extern std::vector<definicionEnvolvente> envolventes;
// masaDeCargas: los pares (factor, caso de carga) y el caso del peso propio
// (vacío si el modelo no lo pide).
extern std::vector<std::pair<double, std::string>> masasDeCargas;
extern std::string casoPesoPropio;
// La masa propia de las barras entra una vez: si masaDeCargas: nombra el
// caso del peso propio, su factor (la suma, si lo nombra más de una vez) la
// multiplica (esa carga es la misma masa); si no, 1.
double factorMasaPropia();
// Un dato sin el que el análisis no tiene sentido (un espectro mal escrito):
// el cargador lo dijo y el modelo no se analiza.
extern bool analisisImpedido;

// El índice del caso sísmico con ese nombre, o -1.
int buscarSismo(const std::string& nombre);
// Los nombres de los casos de resultados en su orden: las combinaciones, los
// casos sísmicos y las envolventes (el visor los lista así antes de calcular).
std::vector<std::string> nombresDeCasos();
int cantidadDeCasos();
std::string nombreDeCaso(int c);  // vacío si c no es un caso
// Vacía todo lo anterior (al cargar un modelo).
void vaciarDefinicionesSismicas();
