// Qué puede mostrar el visor: cuántos nudos, barras y combinaciones tiene el
// modelo cargado y cuáles están a la vista según el aislamiento. Todas las
// capas, el panel y la línea de órdenes preguntan aquí.
#pragma once

#include <string>
#include <vector>

// Nudos y barras que se pueden recorrer: los contados por el cargador que
// además existen en los vectores (nunca negativo).
int cantidadNudos();
int cantidadBarras();

// Entrada i de un vector de aislamiento: visible sólo si existe y vale 1. Un
// índice negativo o más allá del final cuenta como oculto.
bool entradaVisible(const std::vector<int>& aislados, int i);
bool nudoVisible(int i);
bool barraVisible(int i);

// Combinaciones que se pueden mostrar: las del modelo (cada nudo las tiene
// todas, en el orden del archivo), a lo sumo las 100 que tienen interruptor.
// Ninguna si el modelo no tiene nudos.
int cantidadCombos();
std::string nombreCombo(int c);
// Índice de la combinación de ese nombre exacto entre todas las del modelo
// (también las que no tienen interruptor), o -1 si no existe.
int buscarCombo(const std::string& nombre);
// La combinación c existe y su interruptor está encendido.
bool comboActivo(int c);
