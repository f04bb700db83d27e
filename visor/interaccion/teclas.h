// Teclas especiales, teclas modificadoras y botones del ratón con los códigos
// que entienden el teclado y el ratón del visor. La plataforma traduce a estos
// los del sistema de ventanas (plataforma/eventosGlut.cpp).
#pragma once

// Teclas de función que atiende tecladoEspecial; cualquier otra llega como Otra.
enum class TeclaEspecial { Otra = 0, F1 = 1, F2 = 2, F3 = 3, F4 = 4, F5 = 5, F6 = 6, F12 = 12 };

// Máscara de teclas modificadoras que devuelve ventanaSistema::modificadores.
// Otra: alguna modificadora más (la tecla Super, por ejemplo), que hace que la
// combinación ya no sea "sólo Shift" ni "sólo Alt".
constexpr int kModificadorShift = 1;
constexpr int kModificadorCtrl = 2;
constexpr int kModificadorAlt = 4;
constexpr int kModificadorOtro = 8;

// Botones del ratón que atiende mouseButton; la rueda llega como dos botones
// que se pulsan y se sueltan en cada paso.
enum class BotonRaton { Izquierdo, Central, RuedaArriba, RuedaAbajo, Otro };
