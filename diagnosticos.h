// Mensajes de una corrida: lo que el lector, el cargador, el modelo y el
// análisis tienen que decir (el avance de la carga, las advertencias y los
// errores), como una lista ordenada de entradas. Ninguna de esas partes
// escribe en la consola: el modo por lotes y el visor escriben la lista.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

enum class nivelMensaje { progreso, advertencia, error };

struct mensaje {
    nivelMensaje nivel = nivelMensaje::progreso;
    std::string texto;  // la línea entera, tal como se muestra (sin el fin de línea)
    // Un detalle (el avance de la carga, un ajuste de dibujo que falta): el
    // modo por lotes lo escribe sólo con --detalle; el visor, siempre.
    bool detalle = false;
};

class listaMensajes {
public:
    void agregar(nivelMensaje nivel, std::string texto, bool detalle = false);
    // El avance es siempre un detalle.
    void progreso(std::string texto) { agregar(nivelMensaje::progreso, std::move(texto), true); }
    void advertencia(std::string texto) { agregar(nivelMensaje::advertencia, std::move(texto)); }
    void error(std::string texto) { agregar(nivelMensaje::error, std::move(texto)); }

    const std::vector<mensaje>& entradas() const { return entradas_; }
    // Entradas de ese nivel desde la entrada `desde` (las de una etapa), sin
    // contar los detalles.
    int cantidad(nivelMensaje nivel, std::size_t desde = 0) const;
    // Textos desde la entrada `desde`, en orden.
    std::vector<std::string> textos(std::size_t desde = 0) const;
    std::size_t tamano() const { return entradas_.size(); }

    // Escribe, una por línea, las entradas que todavía no se escribieron; los
    // detalles, sólo si se piden.
    void escribirPendientes(std::ostream& os, bool conDetalles = true);
    // Olvida todas las entradas (una carga nueva del modelo empieza de cero).
    void vaciar();

private:
    std::vector<mensaje> entradas_;
    std::size_t escritas_ = 0;
};

// Los mensajes de la corrida en curso.
extern listaMensajes mensajes;

// Números de nudos o barras escritos como rangos, en orden: "1–12, 15".
std::string enRangos(std::vector<int> numeros);
