// Capas de la escena. Cada una registra en un lote lo que dibuja para el
// estado actual del modelo, de los interruptores y de las escalas; escena.cpp
// las prepara cuando algo de eso cambia y las repite en cada cuadro.
#pragma once

class LoteDibujo;

// Modelo
void plotEjes(LoteDibujo& lote);
void plotNudos(LoteDibujo& lote);
void plotBarras(LoteDibujo& lote);
// Con la verificación de acero, en lugar de plotBarras: cada barra verificada
// con el color de la mayor razón de su miembro (reporte/escalaRazones.h), las
// de los miembros que no cumplen más gruesas, y las demás finas y en gris.
void plotRazonesAcero(LoteDibujo& lote);
void plotArticulaciones(LoteDibujo& lote);
// Cada diafragma rígido, un polígono claro y translúcido (el contorno de sus
// nudos en planta) a su altura; con resultados, su centro de masa (un disco)
// y su centro de rigidez (una cruz) a esa altura, de resultados.centros.
void plotDiafragmas(LoteDibujo& lote);
void plotTagNudos(LoteDibujo& lote, double altura);
void plotTagBarras(LoteDibujo& lote, double altura);
void plotSecciones(LoteDibujo& lote, double altura);
void plotVolumen(LoteDibujo& lote);
void plotApoyos(LoteDibujo& lote, double escala);
// La barra que inspecciona la orden "barra N", resaltada.
void plotBarraResaltada(LoteDibujo& lote, int interna);

// Resultados, cargas y reacciones de la combinación c
void plotDeformada(LoteDibujo& lote, int c, double escala);
void plotAxial(LoteDibujo& lote, int c, double escala);
void plotCortanteY(LoteDibujo& lote, int c, double escala);
void plotMomentoY(LoteDibujo& lote, int c, double escala);
void plotCortanteZ(LoteDibujo& lote, int c, double escala);
void plotMomentoZ(LoteDibujo& lote, int c, double escala);
void plotTorsion(LoteDibujo& lote, int c, double escala);
void plotCarga(LoteDibujo& lote, int c, double escala);
void plotReacciones(LoteDibujo& lote, int c);
// Forma del modo de vibración `modo` (0 el más bajo) de resultados.modos, como
// una deformada con la forma escalada por `escala`: nudos y elásticas.
void plotFormaModal(LoteDibujo& lote, int modo, double escala);
// Lo mismo para cualquier campo de desplazamientos de los nudos (6 por nudo,
// una forma de pandeo).
void plotFormaCampo(LoteDibujo& lote, const Eigen::VectorXd& forma, double escala);

