// El panel superpuesto dibujado con OpenGL y las fuentes de mapa de bits de
// freeglut: línea de órdenes, combinaciones, botones, leyenda y páginas de
// ayuda. Dónde va cada botón y qué hace su clic está en interaccion/panel.h.
#pragma once

// Línea de órdenes, combinaciones y botones (antes de la escena, que es donde
// se atienden los clics)...
void plotDialogo();
// ...y, encima de la escena ya dibujada, la página de ayuda con su fondo y
// la leyenda de las capas de resultados.
void plotSobreEscena();
