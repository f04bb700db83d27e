// Capas de dibujo que llama draw en cada cuadro, y el panel superpuesto.
#pragma once

// Modelo
void plotEjes();
void plotNudos();
void plotBarras();
void plotArticulaciones();
void plotTagNudos(double altura);
void plotTagBarras(double altura);
void plotSecciones(double altura);
void plotVolumen();
void plotApoyos(double escala);

// Resultados, cargas y reacciones de la combinación c
void plotDeformada(int c, double escala);
void plotAxial(int c, double escala);
void plotCortanteY(int c, double escala);
void plotMomentoY(int c, double escala);
void plotCortanteZ(int c, double escala);
void plotMomentoZ(int c, double escala);
void plotTorsion(int c, double escala);
void plotCarga(int c, double escala);
void plotReacciones(int c);

// Panel superpuesto: línea de órdenes, combinaciones, ayudas y botones
void plotDialogo();
