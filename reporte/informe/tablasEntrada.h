// Las tablas de los datos del modelo en el informe, para cotejarlos con el
// archivo: cada nudo con sus coordenadas y su apoyo, cada barra con sus nudos,
// su sección y lo que el modelo le da; por caso de carga, sus registros tal
// como se escribieron y su dibujo; los espectros y de dónde sale la masa.
#pragma once

#include <string>
#include <vector>

#include "reporte/informe/documentoHtml.h"

// Columnas Fx Fy Fz Mx My Mz con sus unidades, tras las dadas.
std::vector<tablaHtml::columna> columnasTorsor(std::vector<tablaHtml::columna> primeras);
// Todos los nudos: número, X, Y, Z, los grados de libertad fijos y, si los
// hay, los resortes.
void tablaNudos(documentoHtml& doc);
// Todas las barras: número, nudos, largo, sección y rotación; las
// liberaciones, el sentido único y la masa adicional si alguna los tiene.
void tablaBarras(documentoHtml& doc);
// Los registros de carga del caso (puntuales, distribuidas, temperaturas y el
// peso propio) y su dibujo.
void cargasDelCaso(documentoHtml& doc, const std::string& caso);
// ¿Es un caso sólo de temperatura (sus registros no dan fuerzas)?
bool casoSoloDeTemperatura(const std::string& caso);
// Los espectros con sus pares y su gráfico, los casos sísmicos que los usan y
// la fuente de la masa (masaDeCargas:, gravedad, masa propia, masaBarra:,
// masaNudo:). Nada si el modelo no pide modos ni sismos.
void espectrosYMasa(documentoHtml& doc);
