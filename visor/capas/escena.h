// Escena 3D del visor. Lo que muestra cada capa depende del modelo, del
// análisis, de los interruptores, de las combinaciones activas y de las
// escalas, no de la cámara: cada capa se prepara en un lote cuando cambia algo
// de eso y en cada cuadro sólo se repite, salvo lo que mira a la cámara (los
// rótulos y las esferas de los nudos), que se orienta cuadro a cuadro. Lo
// preparado lo entrega a OpenGL plataforma/escenaGL.h.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "visor/escena/lote.h"

// Una capa lista para dibujar.
struct CapaPreparada {
    const LoteDibujo* lote = nullptr;
    // Número de esta preparación del lote, distinto en cada preparación de
    // cualquier capa: mientras no cambia, el lote es el mismo y lo que se haya
    // hecho a partir de él (la lista de OpenGL de sus grupos) sigue valiendo.
    unsigned long preparacion = 0;
    bool encima = false;  // sin prueba de profundidad: se ve aunque algo la tape
    // Los ejes globales: una referencia junto al origen, que puede quedar
    // lejos del modelo; el encuadre no los persigue.
    bool referencia = false;
};

// Las capas que piden los interruptores, en el orden del cuadro: ejes, nudos,
// barras (con plotAcero, del color de sus razones de acero), articulaciones, etiquetas, secciones, volumen, apoyos, las capas de
// resultados y cargas de cada combinación activa y la barra resaltada. Sólo
// prepara de nuevo las que cambiaron desde el cuadro anterior; las que ya no
// se piden se descartan.
std::vector<CapaPreparada> prepararEscena();

// Líneas de la leyenda de las capas de resultados que mostró el último cuadro
// (y la del modo de vibración animado); con varias combinaciones activas,
// también una por combinación para las cargas y las reacciones.
const std::vector<std::string>& leyendaEscena();
// El color de cada línea de la leyenda: verde, el tono de su combinación o, en
// la de las razones de acero, el de cada valor de la escala.
const std::vector<std::array<float, 3>>& coloresLeyendaEscena();
constexpr std::array<float, 3> kColorLeyenda{0.0f, 1.0f, 0.0f};

// Con varias combinaciones activas, la primera (en el orden del archivo) se
// dibuja con los colores de siempre y cada una de las siguientes en un tono
// propio de una paleta fija (después de la última vuelve a la primera), que la
// leyenda nombra: "My C2 (verde): máx ...".
struct TonoCombinacion {
    std::string nombre;  // vacío para la primera
    std::array<float, 3> color{};
};
constexpr int kTonosCombinaciones = 6;
// El tono de la combinación activa número `orden` (0 la primera).
TonoCombinacion tonoDeCombinacion(int orden);

// La forma del modo animado en la fase dada (de -1 a 1: la forma escalada por
// fase x escalaModo()), tal como la preparó el último prepararEscena; vacía
// sin animación.
LoteDibujo formaModalEscena(double fase);

// Cuántas veces se preparó alguna capa desde el arranque (para saber si un
// cuadro repitió lo preparado o tuvo que rearmarlo).
unsigned long preparacionesEscena();
