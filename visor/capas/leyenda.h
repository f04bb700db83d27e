// Leyenda de las capas de resultados: para cada diagrama y combinación, sus
// extremos sobre todo el modelo y la barra donde ocurre cada uno; para la
// deformada, el nudo que más se desplaza y el factor de escala del dibujo.
#pragma once

#include <string>
#include <vector>

#include "visor/capas/geometriaDiagramas.h"

struct ExtremosDiagrama {
    bool hay = false;  // falso sin barras con resultados de la combinación
    double maximo = 0.0, minimo = 0.0;
    int barraMaximo = -1, barraMinimo = -1;  // números de barra del archivo
    // En una envolvente, el caso (índice) que manda en cada uno; -1 si no.
    int casoMaximo = -1, casoMinimo = -1;
};
// Mayor y menor valor del diagrama sobre todo el modelo: los extremos exactos
// de cada barra (en sus extremos o donde la derivada se anula).
ExtremosDiagrama extremosDiagrama(TipoDiagrama tipo, int c);

// Nombre corto del diagrama, como en los botones: "N", "Vy", "My", "Vz", "Mz", "T".
const char* nombreDiagrama(TipoDiagrama tipo);
// "My ELU: máx 59.71 (barra 5), mín -17.19 (barra 12)", con `precision` decimales,
// sin el ruido del redondeo y con la unidad del modelo si la tiene
// ("máx 59.71 kN·m (barra 5)").
// Con un tono (el de una combinación más allá de la primera activa), éste
// sigue al nombre de la combinación: "My C2 (verde): máx ...".
std::string lineaLeyenda(TipoDiagrama tipo, int c, const ExtremosDiagrama& e, const std::string& tono = "");

struct ExtremoDeformada {
    bool hay = false;
    double maximo = 0.0;  // módulo del desplazamiento (traslación)
    int nudo = -1;        // número de nudo del archivo
};
ExtremoDeformada extremoDeformada(int c);
// "Deformada ELU: desplazamiento máx 1.234e-02 (nudo 4), factor de escala 100"
// (con unidades: "máx 1.234e-02 m (nudo 4)").
std::string lineaLeyendaDeformada(int c, double escala, const ExtremoDeformada& e, const std::string& tono = "");
// Con la deformada, una línea por diafragma con deriva, de abajo hacia arriba:
// "Diafragma 2 ELU: deriva X 1.234e-03 (nudo 201), Y 5.000e-04 (nudo 203)";
// después, una por nivel sin diafragma (a lo sumo kPisosEnLeyenda y "..."):
// "Nivel (z = 6.00) ELU: deriva X 1.234e-03 (barra 12), Y 5.000e-04 (barra 14)".
std::vector<std::string> lineasLeyendaDiafragmas(int c, const std::string& tono = "");

// Hasta cuántos pisos lista la leyenda; con más, sigue "...".
inline constexpr int kPisosEnLeyenda = 20;
// Con resultados por piso en el caso c: "Pisos ELU: CM disco, CR cruz" y una
// línea por piso de arriba hacia abajo, "Piso 3: cortante X 12.5, Y 3.2;
// deriva X 1.234e-03, Y 5.000e-04" (el cortante con la unidad del modelo; sin
// piso debajo, "sin deriva"); a lo sumo kPisosEnLeyenda pisos y "...". Vacío
// si el caso no tiene pisos.
std::vector<std::string> lineasLeyendaPisos(int c);
