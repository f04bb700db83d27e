// Pasos del cargador del modelo. Cada uno lee sus etiquetas con el lector y
// escribe el estado global; funcionLeerArchivo los llama en su orden fijo.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <utility>
#include <vector>

#include "entrada/claseLeerArchivo.h"
#include "modelo/combinacion.h"

struct ContextoCarga {
    claseLeerArchivo lector;
    Eigen::MatrixXd tablaNudos;   // filas de "nudos:": número X Y Z
    Eigen::MatrixXd tablaBarras;  // filas de "barras:": número deNudo aNudo
    std::vector<int> filasBarras; // filas de la tabla de barras que sobreviven al paso 5
    // Casos de carga que nombra algún registro de cargas, en el orden del archivo.
    std::vector<std::string> casosConCargas;
    // Los que tienen algún valor no nulo sobre un nudo o una barra que existe
    // (un caso cuyos registros son todos ceros no carga nada).
    std::vector<std::string> casosConValores;
    // Los nombres que da algún registro sismo: (válido o no): casos definidos.
    std::vector<std::string> casosSismicosNombrados;
    // Otros casos que un registro define aunque no se apliquen (los de un
    // pesoPropio: repetido): una combinación que los nombra no es otro error.
    std::vector<std::string> otrosCasosNombrados;
    void anotarCaso(const std::string& caso);
    void anotarValores(const std::string& caso);
    // Un caso que algún registro define: de cargas o sismo:.
    bool casoDefinido(const std::string& caso) const;
};

// Comprueba que el registro k de la etiqueta tenga sus `valores` números y,
// después, al menos un número de `lista` ("nudo" o "barra"); si no, deja el
// error y devuelve falso. `nombre` es el nombre del registro (caso de carga o
// sección) si lo tiene.
bool registroCompleto(const std::string& etiqueta, int k, const std::vector<double>& v, size_t valores,
                      const char* lista, const std::string& nombre = "");

// Conversión controlada de un real del archivo a entero: falso si no cabe en int.
bool enteroSeguro(double v, int& n);
// Un número del archivo escrito como entero, para los mensajes.
std::string textoEntero(double v);
// Nombres de los seis grados de libertad de un nudo en los avisos del cargador.
extern const char* const kNombresGdlNudo[6];
// Número interno del nudo o barra nombrado por un valor de una lista, o -1
// con el aviso "no existe (etiqueta ...)".
int nudoDeLista(double numero, const std::string& etiqueta);
int barraDeLista(double numero, const std::string& etiqueta);

void pasoLeerTablas(ContextoCarga& ctx);         // pasos 2 y 3
void pasoMapaNudos(ContextoCarga& ctx);          // paso 4
void pasoMapaBarras(ContextoCarga& ctx);         // paso 5
void pasoNudos(ContextoCarga& ctx);              // paso 6
void pasoApoyos(ContextoCarga& ctx);             // paso 7
void pasoResortes(ContextoCarga& ctx);           // paso 7, resortes elásticos (tras los apoyos)
void pasoCargasPuntuales(ContextoCarga& ctx);    // paso 8
void pasoDesplazamientosImpuestos(ContextoCarga& ctx);  // paso 8, asentamientos de los apoyos
void pasoCombosNudos(ContextoCarga& ctx);        // paso 9
void pasoBarras(ContextoCarga& ctx);             // paso 10
void pasoSecciones(ContextoCarga& ctx);          // paso 11
void pasoRotaciones(ContextoCarga& ctx);         // paso 12
void pasoCargasDistribuidas(ContextoCarga& ctx); // paso 14
void pasoTemperaturas(ContextoCarga& ctx);       // paso 14, cargas de temperatura
void pasoArticulaciones(ContextoCarga& ctx);     // paso 15
void pasoSentidoAxial(ContextoCarga& ctx);       // paso 15, barras de solo tracción o solo compresión
void pasoMasaBarras(ContextoCarga& ctx);         // paso 15, masa adicional por unidad de largo
void pasoPesoPropio(ContextoCarga& ctx);         // paso 16
void pasoCombosBarras(ContextoCarga& ctx);       // paso 17
void pasoAjustesDibujo(ContextoCarga& ctx);      // paso 18
void pasoProyecto(ContextoCarga& ctx);           // paso 18, proyecto, cliente, ingeniero, norma y fecha del informe
void pasoDiagramasInforme(ContextoCarga& ctx);   // paso 18, diagramas que dibuja el informe
void pasoAnalisisModal(ContextoCarga& ctx);      // paso 18, modos pedidos, gravedad y masas de nudo
void pasoSegundoOrdenYPandeo(ContextoCarga& ctx);  // paso 18, combinaciones en segundo orden y pandeo
void pasoSismo(ContextoCarga& ctx);              // masa de las cargas, espectros, sismos y envolventes
void pasoEtiquetasDesconocidas(ContextoCarga& ctx);  // antes de todo: palabras con ":" que no son etiquetas
void pasoDisenoSismico(ContextoCarga& ctx);       // modificadorRigidez:, derivaLimite: y torsionAccidental: (tras los diafragmas)
void pasoSismoEstatico(ContextoCarga& ctx);       // sismoEstatico: y escalaSismo: (tras masas, apoyos y diafragmas)
void pasoLimiteFlecha(ContextoCarga& ctx);       // limiteFlecha: (tras combinaciones, sismos y barras)
void pasoAcero(ContextoCarga& ctx);              // verificación de acero: método, FY, miembros y longitudes
void pasoDiafragmas(ContextoCarga& ctx);          // diafragmas rígidos de piso (tras apoyos, resortes e impuestos)
void pasoRevisarModelo(ContextoCarga& ctx);      // al final: barras sin sección, casos y combinaciones
void pasoRigidezRelativa(ContextoCarga& ctx);    // al final: barras demasiado rígidas para la doble precisión

// Por barra (número interno), cuántas veces su rigidez supera la de lo que se
// le une en sus nudos: el mayor cociente, entre los grados de libertad sin
// apoyo de sus dos nudos, de su diagonal sobre la de las demás barras del
// nudo que no unen los mismos dos nudos (1 si no supera a nada).
std::vector<double> rigidecesRelativas();

// Lee los registros "combo:" y los agrupa por nombre en orden de primera
// aparición; avisa de los nombres repetidos (uno por registro repetido).
std::vector<combinacion> leerCombinaciones(claseLeerArchivo& lector);

// Los pares "factor caso" del registro k de la etiqueta (combo:,
// masaDeCargas:). El registro va en una sola línea: termina en su fin o en la
// etiqueta siguiente, y sus palabras desde `desde` alternan factor y caso.
// Una palabra donde va un factor, un factor sin su caso al final de la línea
// o una línea siguiente que empieza con un número (el registro seguía en ella)
// son errores que nombran el registro (`nombre`, si lo tiene, entre
// paréntesis); los pares que se pudieron leer se devuelven igual.
std::vector<std::pair<double, std::string>> leerPares(claseLeerArchivo& lector, const std::string& etiqueta, int k,
                                                      const std::vector<std::string>& palabras, size_t desde,
                                                      const std::string& nombre);

// Diagonal de la caja de los nudos (1 si es un punto o no hay nudos): la
// medida del modelo.
double medidaModelo();

// Al final de la carga: que las masas, las cargas de cada combinación (factor
// por carga, también las de temperatura y los desplazamientos impuestos) y la
// masa de las cargas sean números finitos; cada valor fuera de rango es un
// error que nombra su etiqueta.
void pasoValoresFinitos(ContextoCarga& ctx);
