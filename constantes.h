// Constantes numéricas compartidas por todo el programa.
#pragma once

// El número pi, el mismo para el modelo (ángulos de las barras, secciones) y
// para el visor (cámara, arcos, textos).
inline constexpr double PI = 3.141592653589793;
