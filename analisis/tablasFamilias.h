// Lo que publica cada familia de resultados (ver tablasResultados.h): una
// función por familia, en su archivo, que agrega sus tablas a las de r.
// publicarTablas las llama en este orden, que es el de los archivos CSV.
#pragma once

#include <string>

#include "analisis/casosResultado.h"

// desplazamientos.csv, reacciones.csv, fuerzasExtremos.csv y
// solicitaciones.csv: los casos de un valor (combinaciones, de primer o de
// segundo orden, y casos sísmicos) con resultados (tablasCasos.cpp).
void publicarTablasDeCasos(resultadosAnalisis& r);
// modos.csv y formasModales.csv (tablasModos.cpp).
void publicarTablasDeModos(resultadosAnalisis& r);
// pandeo.csv y formasPandeo.csv (tablasModos.cpp).
void publicarTablasDePandeo(resultadosAnalisis& r);
// sismo.csv: por caso sísmico y modo, el período, la aceleración espectral y
// el cortante basal (tablasSismo.cpp).
void publicarTablasSismicas(resultadosAnalisis& r);
// envolventeDesplazamientos.csv, envolventeReacciones.csv y
// envolventeSolicitaciones.csv: los casos de dos valores (tablasCasos.cpp).
void publicarTablasDeEnvolventes(resultadosAnalisis& r);
// diafragmas.csv y niveles.csv (tablasDiafragmas.cpp).
void publicarTablasDeDiafragmas(resultadosAnalisis& r);
// pisos.csv, centros.csv y, con derivaLimite:, derivas.csv (tablasPisos.cpp).
void publicarTablasDePisos(resultadosAnalisis& r);
// sismoEstatico.csv y fuerzasEstaticas.csv (con sismoEstatico:) y
// escalasSismo.csv (con escalaSismo:) (tablasSismoEstatico.cpp).
void publicarTablasSismoEstatico(resultadosAnalisis& r);
// verificacion.csv y resistencias.csv, y la tabla de los miembros por su
// mayor razón para el informe (tablasAcero.cpp).
void publicarTablasDeAcero(resultadosAnalisis& r);
// flechas.csv: la verificación de las flechas de limiteFlecha: (tablasFlechas.cpp).
void publicarTablasDeFlechas(resultadosAnalisis& r);
// "L/300": el límite del registro k de limiteFlecha:.
std::string textoLimiteFlecha(int registro);
// Las barras de un miembro de acero en rangos ("1–4").
std::string barrasDeMiembro(const miembroVerificado& m);
