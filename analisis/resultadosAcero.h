// Los resultados de la verificación de las barras de acero: por miembro, sus
// resistencias disponibles y, por caso (cada combinación, y los dos valores
// de una combinación con sismo), el punto que manda con las resistencias
// requeridas y disponibles allí. Los llena verificarAcero
// (verificacionAcero.h); las tablas y las líneas del modo por lotes los leen.
#pragma once

#include <string>
#include <vector>

#include "analisis/aceroResistencias.h"
#include "modelo/acero.h"

// El punto que manda en un miembro para un caso: la mayor razón entre lo
// requerido y lo disponible, con la ecuación que la da y su x desde el
// comienzo del miembro. Pr es el axial con su signo (tracción positiva) y Pc
// la resistencia disponible de ese sentido; My (momento del plano x-y local,
// alrededor del eje fuerte) y Mz (del x-z, alrededor del débil) con sus
// disponibles; el corte de la dirección de mayor razón con el suyo.
struct verificacionEnCaso {
    int caso = -1;         // índice en resultadosAnalisis::casos
    bool minimos = false;  // en una combinación con sismo, su valor mínimo
    double razon = 0;
    const char* ecuacion = "—";
    double x = 0;
    double pr = 0, pc = 0, mry = 0, mcy = 0, mrz = 0, mcz = 0, vr = 0, vc = 0;
    double cb = 1;        // el del tramo no arriostrado del punto
    double mnFuerte = 0;  // el momento nominal del eje fuerte con ese Cb
    const char* ecuacionFuerte = "F2";
};

struct resistenciasMiembro {
    double fy = 0;
    double lb = 0, lp = 0, lr = 0;  // longitud de cada tramo no arriostrado y sus límites
    double pnTraccion = 0, pcTraccion = 0;
    double pnCompresion = 0, pcCompresion = 0;
    const char* ecuacionCompresion = "E3";
    modoPandeo modo = modoPandeo::flexionY;
    double mnDebil = 0, mcDebil = 0;
    double vnFuerte = 0, vcFuerte = 0, vnDebil = 0, vcDebil = 0;
    const char* ecuacionCorteFuerte = "G2";
};

struct miembroVerificado {
    std::string nombre;
    std::vector<int> barras;  // números del archivo, en el orden de la cadena
    double longitud = 0;
    bool verificado = false;
    std::string motivo;  // por qué no se verifica (la sección)
    resistenciasMiembro resistencias;
    std::vector<verificacionEnCaso> casos;
    int gobernante = -1;  // índice en casos del de mayor razón
    // La verificación del caso que manda, o nullptr.
    const verificacionEnCaso* peor() const {
        return gobernante >= 0 ? &casos[static_cast<size_t>(gobernante)] : nullptr;
    }
    bool cumple() const { return peor() == nullptr || peor()->razon <= 1.0; }
};

struct resultadosAcero {
    bool pedida = false;
    metodoAcero metodo = metodoAcero::lrfd;
    std::vector<miembroVerificado> miembros;
};
