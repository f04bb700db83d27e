// Las líneas del modo por lotes del método estático equivalente y de la
// escala de los casos sísmicos (leen resultados.estaticos y resultados.sismos).
#pragma once

#include <string>
#include <vector>

#include "analisis/casosResultado.h"

// Por caso sismoEstatico: "Sismo estático CASO: peso sísmico W, cortante basal V".
std::vector<std::string> lineasSismoEstatico();
// De un caso sísmico con escalaSismo: "Sismo CASO: cortante basal V, estático
// VEST (F %): escalado por S", con V antes de escalar; vacía sin escala.
std::string lineaEscalaSismo(const casoResultado& caso);
