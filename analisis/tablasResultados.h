// Las tablas de resultados: la moneda común entre los análisis y las salidas.
//
// Cada familia de resultados (las combinaciones, las envolventes y las
// combinaciones con sismo, los modos, el pandeo, los casos sísmicos, los
// diafragmas, ...) publica, una vez y después del análisis, sus tablas: un
// título, una clave (el archivo CSV donde va, si va a uno), columnas con un
// nombre y una clase (claseValor: de ella salen la unidad y la escala del
// ruido) y filas. Las filas no se copian: la tabla sabe cuántas tiene y
// llena la que se le pida leyendo los casos de resultados, así una tabla de
// un edificio grande no duplica en memoria lo que ya guardan los casos.
//
// Las salidas sólo leen las tablas: el escritor de CSV escribe cada tabla con
// clave, el informe de cálculo y resultados.txt escriben las que se publican
// para ellos, cada uno con un solo escritor. Una familia nueva llega a todas
// las salidas publicando sus tablas (ver publicarTablas en tablasResultados.cpp
// y la sección "Cómo se agrega una familia de resultados" del README).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "analisis/casosResultado.h"
#include "analisis/clasesValor.h"

struct columnaTabla {
    std::string nombre;
    claseValor clase = claseValor::texto;
};

struct celdaTabla {
    double numero = 0;   // números y enteros
    std::string texto;   // textos
    bool vacia = false;  // sin valor: el CSV deja el campo vacío
    // La clase de este valor cuando no es la de su columna (en una columna
    // "maximo" de solicitaciones, fuerza o momento según la fila).
    bool claseDeCelda = false;
    claseValor clase = claseValor::texto;
};

struct filaTabla {
    std::vector<celdaTabla> celdas;
    // Las escalas del caso de la fila, para la regla del ruido (nullptr: sin regla).
    const escalasCaso* escalas = nullptr;
    // El caso de resultados de la fila (índice en resultados.casos), o -1:
    // con él las salidas eligen las filas de un caso.
    int caso = -1;

    // Ayudas para llenarla.
    void limpiar() { celdas.clear(); }
    filaTabla& texto(std::string t);
    filaTabla& entero(long long v);
    filaTabla& numero(double v);
    filaTabla& numero(double v, claseValor clase);
    filaTabla& vacia();
};

struct tablaResultados {
    std::string clave;   // el archivo CSV, o vacío si no va a uno
    std::string titulo;  // en el informe y en resultados.txt
    std::vector<columnaTabla> columnas;
    std::size_t filas = 0;
    // Llena la fila i (0 <= i < filas).
    std::function<void(std::size_t, filaTabla&)> llenar;
    // Las tablas de las familias nuevas también van, con el escritor común, a
    // resultados.txt (un bloque con el título) y al informe (una tabla con el
    // título); las de siempre tienen allí su forma propia.
    bool enReporte = false;
    bool enInforme = false;
    // El dibujo que el informe agrega a la tabla (figuraRazonesAcero:
    // "razonesAcero"), o vacío.
    std::string dibujo;

    // La clase de la celda k de una fila.
    claseValor claseDe(const filaTabla& f, std::size_t k) const {
        return f.celdas[k].claseDeCelda ? f.celdas[k].clase : columnas[k].clase;
    }
};

// Las tablas de unos resultados, en el orden en que se escriben (vacía sin
// resultados), y las del último análisis.
const std::vector<tablaResultados>& tablasDe(const resultadosAnalisis& r);
const std::vector<tablaResultados>& tablasDeResultados();
// La tabla de esa clave (el nombre de su archivo CSV), o nullptr.
const tablaResultados* tablaDeClave(const std::string& clave);
// Arma las tablas de todas las familias a partir de los resultados (lo llama
// el análisis al terminar; sin resultados, las vacía). Las tablas leen r
// cuando se les pide una fila: viven con él.
void publicarTablas(resultadosAnalisis& r);
// Agrega una tabla a las de r (cada familia las suyas, desde publicarTablas).
void agregarTabla(resultadosAnalisis& r, tablaResultados t);
