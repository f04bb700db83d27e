// Casos de resultados que salen de otros: los casos sísmicos por espectro de
// respuesta (de los modos de vibración), las combinaciones que incluyen un
// caso sísmico y las envolventes de combinaciones.
#pragma once

#include "analisis/operadorRigidez.h"

// Agrega a resultados.casos, después de las combinaciones, un caso por
// sismo y uno por envolvente, y vuelve de dos valores las combinaciones que
// nombran un sismo. Para cada modo la respuesta es Γ·Sa(T)/ω² por la forma
// modal; desplazamientos, reacciones, fuerzas de extremo y solicitaciones se
// combinan sobre los modos (CQC o SRSS). Falso, con un error en la lista de
// mensajes, si un sismo no tiene modos con que calcularse.
bool calcularCasosDerivados(const operadorRigidez& operador, double tamanoModelo);
