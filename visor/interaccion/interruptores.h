// Interruptores de dibujo (flags de estadoVisor) y lo que arrastra cada uno al
// conmutarse: las capas de resultados y de cargas se excluyen entre sí, las
// etiquetas apagan el volumen, el volumen y la torsión apagan las etiquetas y
// las capas, F1 y F12 recorren las páginas de ayuda y Calcular corre el análisis.
#pragma once

// Conmuta el interruptor k con sus reglas; lo usan la línea de órdenes, las
// teclas y los botones del panel. Conmutar una capa termina el resaltado de
// "barra N" (la ayuda, la proyección y Calcular no lo tocan).
void modificadorFlagsGraf(int k);
// Apaga los números de nudos y de barras y las secciones.
void apagarEtiquetas();
// Apaga las capas de resultados y de cargas (también la torsión) y el volumen.
void apagarResultadosYVolumen();
