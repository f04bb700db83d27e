// Estado global compartido del programa: el modelo cargado, los ajustes de
// dibujo leídos del archivo y los resultados del análisis.
#pragma once

#include <string>
#include <vector>

#include "analisis/casosResultado.h"
#include "modelo/combinacion.h"
#include "modelo/objBarra3d.h"
#include "modelo/objNudo3d.h"

// ---- Modelo ----
extern std::string nombreArchivo;
extern int noNudos;
extern int noBarras;
extern int noCombos;
extern std::vector<int> punteroNudos;   // número de usuario -> número interno (0 si no nombra nudo)
extern std::vector<int> punteroBarras;  // lo mismo para barras
extern std::vector<objNudo3d> nudo;
extern std::vector<objBarra3d> barra;
// Las combinaciones de carga, en el orden del archivo (noCombos en total): se
// leen una vez y los nudos y las barras forman sus cargas con esta lista.
extern std::vector<combinacion> combinaciones;
// Los casos de carga que nombra algún registro de cargas (puntuales,
// desplazamientos impuestos, distribuidas, peso propio), sin repetir.
extern std::vector<std::string> casosDeCarga;
// Verdadero si la última carga pudo abrir el archivo de modelo.
extern bool archivoDatosAbierto;
// Errores de entrada de la última carga (los mensajes de nivel error que dejó
// el cargador), más los resultados no finitos que el análisis atribuyó a
// valores fuera de rango. Con alguno, el modelo no se analiza.
extern int erroresDeEntrada;

// Número interno del nudo (o barra) que el usuario numeró así, o -1 si ese
// número no nombra ninguno. Los mapas tienen 0 en los huecos, por eso se
// confirma contra el número de usuario guardado en el objeto.
int internoDeNudo(long long numeroUsuario);
int internoDeBarra(long long numeroUsuario);

// ---- Ajustes de dibujo (valores por defecto en ajustesPorDefecto) ----
extern int precision;
extern double escalaTexto;
extern double escalaDef;
extern double escalaMy;
extern double escalaMz;
extern double escalaVy;
extern double escalaVz;
extern double escalaN;
extern double escalaT;
extern double escalaApoyo;
extern double escalaCarga;
void ajustesPorDefecto();

// ---- Análisis modal (lo que pide el modelo) ----
// Modos pedidos con "modos:" (0: sin análisis modal) y la gravedad con que la
// masa de las barras sale de su peso específico.
extern int modosPedidos;
extern double gravedad;
constexpr double kGravedadPorDefecto = 9.81;

// ---- Segundo orden y pandeo (lo que pide el modelo) ----
// Las combinaciones (índices en combinaciones) que se resuelven en segundo
// orden ("segundoOrden:"), sin repetir, en el orden del archivo.
extern std::vector<int> combosSegundoOrden;
// La combinación cuyos esfuerzos axiales de primer orden dan la rigidez
// geométrica de los modos y de los sismos ("segundoOrdenModal:"; -1 sin ella).
extern int comboSegundoOrdenModal;
// Los pedidos de "pandeo: COMBO N": la combinación y cuántos factores críticos.
struct pedidoPandeo {
    int combo = -1;
    int modos = 0;
};
extern std::vector<pedidoPandeo> pedidosPandeo;

// ---- Resultados del último análisis ----
extern resultadosAnalisis resultados;
