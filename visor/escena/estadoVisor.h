// Estado global del visor: ventana, cámara, ratón, interruptores de dibujo,
// línea de órdenes y aislamiento de barras.
#pragma once

#include <string>
#include <vector>

#include "constantes.h"

// Ventana y cámara
extern int wVentana, hVentana;
extern double xMin, xMax, yMin, yMax, zMin, zMax;
extern double xCentroObj, yCentroObj, zCentroObj;
extern double xCam, yCam, zCam;
extern double diagonal;
extern double distCamObj;
// Último azimut conocido de la cámara (radianes): sirve cuando la cámara queda
// justo en la vertical del objetivo, donde el azimut no se puede calcular.
extern double azimutCamara;

// Ratón
extern int clickIzq, clickCentro;
extern int xLast, yLast;
extern int xClickIzq, yClickIzq;
extern double deltaAngHoriz, deltaAngVert;

// Interruptores de dibujo: 200 enteros; uno está activo cuando es impar.
// La entrada 100 + c activa la combinación c.
constexpr int kNumeroFlags = 200;
constexpr int kCombosConInterruptor = 100;
extern std::vector<int> flags;

// Índice de cada interruptor en flags.
constexpr int kFlagTagNudos = 0;          // números de nudos
constexpr int kFlagTagBarras = 1;         // números de barras
constexpr int kFlagSecciones = 2;         // nombres y contornos de secciones
constexpr int kFlagDeformada = 3;
constexpr int kFlagAxial = 4;
constexpr int kFlagCortanteY = 5;
constexpr int kFlagMomentoY = 6;
constexpr int kFlagCargas = 7;
constexpr int kFlagReacciones = 8;
constexpr int kFlagApoyos = 9;            // símbolos de apoyo
constexpr int kFlagCortanteZ = 10;
constexpr int kFlagMomentoZ = 11;
constexpr int kFlagEjes = 12;             // ejes globales
constexpr int kFlagTextosDiagramas = 14;  // números de los diagramas (Alt-t)
constexpr int kFlagLineasInternas = 15;   // líneas internas de los diagramas (Alt-f)
constexpr int kFlagEsferasNudos = 16;     // Alt-n
constexpr int kFlagPerspectiva = 17;      // apagado: proyección ortográfica (Alt-c)
constexpr int kFlagAyudaGeneral = 18;     // F1
constexpr int kFlagPaginaAyuda = 19;      // F12: 0 ninguna, 1 a 4 la página a la vista
constexpr int kFlagVolumen = 20;          // barras sólidas
constexpr int kFlagTorsion = 21;
constexpr int kFlagAcero = 22;          // barras de acero por su razón (plotAcero)
constexpr int kFlagCalculado = 30;        // el análisis corrió con éxito
constexpr int kFlagPrimerCombo = 100;     // 100 + c: combinación c activa

bool flagActivo(int i);
// Valores de arranque (y de recarga con F5): apoyos, ejes, textos y líneas
// internas de diagramas, esferas de nudos y perspectiva encendidos; todo lo demás apagado.
void interruptoresIniciales();

// Línea de órdenes: dialogo es el indicador o la última respuesta; comando,
// lo que se está escribiendo. El modo dice qué espera el próximo Return: una
// orden, el nombre de una combinación o una lista de barras a aislar.
enum class ModoLinea { Ordenes, NombreCombo, ListaBarras };
extern std::string comando;
extern std::string dialogo;
extern ModoLinea modoLinea;
extern int numeroComboCoincidente;

// Aislamiento: 1 visible, 0 oculto (una entrada por barra y por nudo)
extern std::vector<int> barrasAisladas;
extern std::vector<int> nudosAislados;

// Barra que inspecciona la orden "barra N" (número interno), o -1. Queda
// resaltada hasta que empieza otra orden (salvo "captura") o se conmuta una capa.
extern int barraResaltada;

// Revisión del modelo y de sus resultados: sube cada vez que el visor vuelve a
// leer el archivo o corre el análisis. Lo que la escena preparó con otra
// revisión se vuelve a preparar.
extern unsigned revisionModelo;
inline void modeloCambiado() { ++revisionModelo; }
