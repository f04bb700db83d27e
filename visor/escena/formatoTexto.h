// Medidas de la fuente de trazos Mono Roman y formato de los números que se
// escriben en la escena. Sin OpenGL.
#pragma once

#include <cstddef>
#include <string>

// Alto de carácter de la fuente: 152.38 unidades propias; un texto de alto h
// se escala por h / 152.38.
constexpr double kEscalaFuente = 0.006562541015881349;
// Avance fijo de cada carácter, en unidades de la fuente.
constexpr double kAvanceCaracter = 104.76;

// Largo en unidades de la fuente de un texto de n caracteres.
double largoTexto(std::size_t caracteres);

// Corrimiento a lo largo de la línea del texto, en unidades de la fuente, para
// la alineación: 2 centra el texto en el punto, 3 lo hace terminar en él y
// cualquier otra lo hace empezar en él.
double corrimientoAlineacion(std::size_t caracteres, int alineacion);

// El valor con `decimales` decimales en punto fijo (o con exponente), como lo
// escribe printf; a lo sumo 99 caracteres, el resto se corta. Una cantidad de
// decimales negativa cuenta como 0. Lo que a esa precisión es cero se escribe
// sin signo ("0.000", "0.000e+00"), nunca "-0.000".
std::string formatearNumero(double valor, int decimales, bool exponente);
// Un resultado del análisis: como formatearNumero, pero 0 si el valor es ruido
// del redondeo frente a `escala`, el mayor valor de su clase en el mismo caso
// (sinRuido de casosResultado.h).
std::string formatearResultado(double valor, double escala, int decimales, bool exponente);
// Un resultado para leer en pantalla: con `decimales` decimales, y en
// notación científica sólo si así no mostraría ni dos cifras significativas
// (un desplazamiento de 0.0123 con precisión 2 es "1.23e-02", no "0.01").
std::string formatearLegible(double valor, double escala, int decimales);
