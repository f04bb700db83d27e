// Resultados en archivos CSV para planillas y programas: UTF-8, una fila de
// encabezado, comas entre campos, punto decimal y números con 17 cifras
// significativas (se leen de vuelta exactos). Nudos y barras con su número de
// usuario, combinaciones con su nombre.
//   desplazamientos.csv  combo,nudo,ux,uy,uz,giroX,giroY,giroZ (todos los nudos)
//   reacciones.csv       combo,nudo,Rx,Ry,Rz,Mx,My,Mz (nudos con algún apoyo; 0 en lo libre)
//   fuerzasExtremos.csv  combo,barra,fx1,fy1,fz1,mx1,my1,mz1,fx2,...,mz2 (ejes locales)
//   solicitaciones.csv   combo,barra,esfuerzo,maximo,xMaximo,minimo,xMinimo
//                        (esfuerzo N, Vy, Vz, T, My y Mz; x desde el inicio de la barra)
// Los casos sísmicos van en esos cuatro con su nombre en la columna combo
// (módulos). Las envolventes y las combinaciones con sismo, en
//   envolventeDesplazamientos.csv, envolventeReacciones.csv
//                        envolvente,nudo,componente,maximo,comboMaximo,minimo,comboMinimo
//   envolventeSolicitaciones.csv
//                        envolvente,barra,esfuerzo,maximo,xMaximo,comboMaximo,minimo,xMinimo,comboMinimo
// y, con casos sísmicos, sismo.csv: caso,modo,periodo,sa,cortanteX,cortanteY,cortanteZ.
// Cada archivo es una tabla de resultados con esa clave (tablasResultados.h),
// escrita por un solo escritor: los textos como campos CSV, los enteros como
// tales y los números con 17 cifras, sin el ruido de su clase en su caso.
#pragma once

#include <string>

#include "reporte/salidaTexto.h"

struct tablaResultados;

// La tabla entera: el encabezado con los nombres de sus columnas y una línea por fila.
void escribirTablaCsv(salidaTexto& s, const tablaResultados& t);
// Escribe un archivo por cada tabla con clave en la carpeta, que se crea si
// falta. Cada archivo se escribe en un temporal y todos reemplazan a los
// anteriores sólo si todos se escribieron. Falso, con un error en la lista de
// mensajes, si algo falló.
bool escribirCsv(const std::string& carpeta);
