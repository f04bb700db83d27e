// Las líneas del modo por lotes del método estático equivalente, de la
// escala y de la torsión accidental de los casos sísmicos (leen
// resultados.estaticos y resultados.sismos).
#pragma once

#include <string>
#include <vector>

#include "analisis/casosResultado.h"

// Por caso sismoEstatico: "Sismo estático CASO: peso sísmico W, cortante basal V".
std::vector<std::string> lineasSismoEstatico();
// De un caso sísmico con escalaSismo: "Sismo CASO: cortante basal V, estático
// VEST (F %): escalado por S", con V antes de escalar; vacía sin escala.
std::string lineaEscalaSismo(const casoResultado& caso);
// De un caso sísmico con torsión accidental: "Sismo CASO: torsión accidental
// E; momentos de piso M1 ... Mn", de abajo hacia arriba; vacía sin ella.
std::string lineaTorsionAccidental(const casoResultado& caso);
