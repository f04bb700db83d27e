// Lo que da el método estático equivalente de cada caso sismoEstatico: el
// peso sísmico, el cortante basal y, por nivel de abajo hacia arriba, su masa,
// su altura sobre la base, su fuerza y las cargas de nudo que la aplican.
#pragma once

#include <string>
#include <vector>

// Una carga de nudo del método: la fuerza en la dirección del caso y, en un
// diafragma, el par alrededor de Z que la lleva al centro de masa.
struct cargaSismoEstatico {
    int nudo = -1;  // interno
    double fuerza = 0, momentoZ = 0;
};

// Un nivel: su altura z, su altura sobre la base h, su masa w y su fuerza F.
struct nivelSismoEstatico {
    double z = 0, altura = 0, masa = 0, fuerza = 0;
    double xMasa = 0, yMasa = 0;  // su centro de masa, con diafragma
    int diafragma = -1;  // índice en diafragmas, o -1 sin diafragmas
    std::vector<cargaSismoEstatico> cargas;
};

struct distribucionSismoEstatico {
    std::string nombre;
    int direccion = 0;
    double coeficiente = 0, exponente = 1;
    double peso = 0, cortante = 0;  // W = g·Σw y V = C·W
    std::vector<nivelSismoEstatico> niveles;  // de abajo hacia arriba
    // Vacío si el reparto es posible; si no, por qué (sin masa, sin niveles).
    std::string motivo;
};

