// La escala de colores de las razones de demanda a capacidad de la
// verificación de acero, una sola para el informe y para el visor: de azul
// (razón 0) a rojo (razón 1) pasando por un ámbar claro, y un magenta que no
// está en la escala para los miembros que no cumplen (razón mayor que 1). Es
// legible con las formas más comunes de daltonismo (no hay un par rojo-verde)
// y los dibujos, además, engruesan las barras que no cumplen. Sin OpenGL.
#pragma once

#include <array>
#include <string>
#include <unordered_map>

#include "analisis/resultadosAcero.h"

using colorRazon = std::array<float, 3>;  // rojo, verde y azul entre 0 y 1

// El color de la barra de los miembros que no cumplen.
inline constexpr colorRazon kColorRazonExcedida = {0.85f, 0.0f, 0.85f};
// El de las barras que no se verifican (trazo fino).
inline constexpr colorRazon kColorSinVerificar = {0.75f, 0.75f, 0.75f};

// El color de una razón: continuo en [0, 1] (las negativas, como 0); mayor
// que 1, o no finita, kColorRazonExcedida.
colorRazon colorDeRazon(double razon);
// "#rrggbb".
std::string colorHex(const colorRazon& c);

// El miembro verificado de cada barra (número del archivo) que tiene una
// razón (un caso que manda).
std::unordered_map<int, const miembroVerificado*> miembrosConRazon(const resultadosAcero& r);
// ¿Hay algún miembro con razón?
bool hayRazones(const resultadosAcero& r);
// "Razón de demanda a capacidad (acero): mayor R (miembro M), K no cumplen",
// R con tres decimales como en el modo por lotes.
std::string lineaLeyendaAcero(const resultadosAcero& r);
// El de una barra, o nullptr.
const miembroVerificado* miembroConRazon(const resultadosAcero& r, int numeroBarra);
