// Armado de los rótulos que registran las capas.
#pragma once

#include <string>

#include "modelo/objBarra3d.h"
#include "visor/escena/rotulos.h"

inline Rotulo3D rotuloDeCapa(std::string texto, double altura, int alineacion, GiroRotulo giro,
                             double prioridad = 0.0) {
    Rotulo3D r;
    r.texto = std::move(texto);
    r.altura = altura;
    r.alineacion = alineacion;
    r.giro = giro;
    r.prioridad = prioridad;
    return r;
}

// El rótulo es de la barra: sólo se escribe si la barra, vista, mide lo que él.
inline Rotulo3D& deLaBarra(Rotulo3D& r, const objBarra3d& b) {
    r.deBarra = true;
    r.barraInicio = {b.getXi(), b.getYi(), b.getZi()};
    r.barraFin = {b.getXf(), b.getYf(), b.getZf()};
    return r;
}
