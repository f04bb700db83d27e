// El documento HTML del informe de cálculo: el marco (cabecera, estilos para
// la pantalla y para imprimir en A4), los capítulos, las tablas y las figuras.
// Un solo archivo sin recursos externos ni programas: estilos y dibujos van
// dentro. Los números se escriben con un número fijo de cifras significativas
// y sin el ruido del redondeo; las unidades, en los encabezados.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "unidades.h"

// Cifras significativas de los números del informe.
inline constexpr int kCifrasInforme = 5;

// El texto con &, <, > y " escritos como entidades.
std::string escaparHtml(std::string_view texto);
// El valor con kCifrasInforme cifras significativas, 0 si su magnitud no llega
// a la fracción de ruido de la escala (sinRuido) y nunca "-0"; notación
// científica (1.2346e-05) fuera de 0.001 a 999999.
std::string numeroInforme(double valor, double escala = 0);
// " (kN)" para encabezados de tabla, o vacío si el modelo no da unidades.
std::string unidadEntreParentesis(magnitud m);

// Una tabla: encabezados (que se repiten en cada página impresa) y filas de
// celdas de texto. Las columnas numéricas se alinean a la derecha.
class tablaHtml {
public:
    struct columna {
        std::string titulo;
        bool numerica = true;
    };
    explicit tablaHtml(std::vector<columna> columnas) : columnas_(std::move(columnas)) {}
    // Una fila; `clase` marca filas especiales ("suma").
    void fila(const std::vector<std::string>& celdas, const char* clase = nullptr);
    // Las filas que siguen, hasta el próximo grupo, van juntas (las de una
    // barra o un nudo): no se separan en un salto de página.
    void grupo() { grupos_.push_back(filas_.size()); }
    bool vacia() const { return filas_.empty(); }
    // La tabla; en una columna numérica donde algún número va en notación
    // científica, todos los números van así. Cada grupo en su <tbody>; una
    // tabla de muchas columnas, en letra más chica para caber en el ancho de A4.
    std::string html() const;

private:
    std::vector<columna> columnas_;
    std::vector<std::pair<std::string, std::vector<std::string>>> filas_;  // clase y celdas
    std::vector<std::size_t> grupos_;  // la primera fila de cada grupo
};

class documentoHtml {
public:
    // Un capítulo va en su propia sección, con un ancla a la que apunta su
    // entrada del índice; al imprimir su título no queda solo al pie de una página.
    void capitulo(const std::string& titulo);
    // Aquí va el índice: una lista de enlaces a todos los capítulos del
    // documento, con sus títulos (se arma al final, cuando se conocen).
    void indice();
    // Lo que se imprime en el margen de cada página: `rotulo` arriba, en letra
    // chica (el proyecto y la fecha), y "Página N de M" abajo a la derecha.
    void margenesDePagina(const std::string& rotulo);
    void seccion(const std::string& titulo);
    void parrafo(const std::string& texto, const char* clase = nullptr);
    // HTML ya armado (una lista, una figura).
    void crudo(const std::string& html) { cuerpo_ += html; }
    void tabla(const tablaHtml& t);
    // Una figura SVG con su pie; se numeran en orden.
    void figura(const std::string& svg, const std::string& pie);
    // Cuántos bytes de dibujos SVG lleva el documento.
    std::size_t bytesDeFiguras() const { return bytesDeFiguras_; }
    // Reglas de estilo que sólo algunos dibujos usan (las curvas de mínimos,
    // las barras inactivas): se agregan a las fijas una vez, y un informe que
    // no las usa no las lleva.
    void estilo(const std::string& reglas);
    // El documento entero con su título.
    std::string texto(const std::string& titulo) const;

private:
    std::string cuerpo_;
    std::string estilosAgregados_;
    int figuras_ = 0;
    std::size_t bytesDeFiguras_ = 0;
    std::vector<std::string> capitulos_;  // los títulos, en orden; el ancla del k-ésimo es "capitulo-k"
    bool conIndice_ = false;
};
