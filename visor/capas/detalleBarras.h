// Nivel de detalle de una capa que dibuja algo a lo largo de cada barra (las
// líneas internas y el contorno de un diagrama, la elástica de la deformada,
// las flechas de una carga distribuida). Cada barra dibuja una de cada tantas
// de sus estaciones según lo que mide en pantalla (pasoDeDetalle); con miles
// de barras a la vista eso sigue dando cientos de miles de líneas que no se
// distinguen y que cuestan cada cuadro. Por eso la capa tiene un presupuesto
// de estaciones entre todas sus barras: si la separación mínima de siempre lo
// excede, la separación crece (de media octava en media octava) hasta que
// quepa, y una barra más corta en pantalla que esa separación no dibuja
// estaciones interiores. Un modelo que cabe en el presupuesto se dibuja
// exactamente como con la separación de siempre.
#pragma once

#include <cstddef>
#include <vector>

class objBarra3d;

// Presupuestos de estaciones por capa (por curva en un diagrama de dos
// valores): unos cientos de barras a la vista, enteras, caben con su detalle.
constexpr std::size_t kPresupuestoEstacionesDiagrama = 10000;
constexpr std::size_t kPresupuestoEstacionesDeformada = 10000;
constexpr std::size_t kPresupuestoFlechas = 5000;

class DetalleBarras {
public:
    // tramos: divisiones de cada barra (estaciones - 1); minimoPixeles: la
    // separación de siempre entre dos estaciones dibujadas (0: todas, a
    // cualquier zoom, mientras quepan en el presupuesto); presupuesto:
    // cuántas estaciones se dibujan a lo sumo entre todas las barras, cuyos
    // largos en pantalla (píxeles) se dan. Sin largos conocidos (0 o menos,
    // como en un lote preparado sin zoom) no hay presupuesto: todo con detalle.
    DetalleBarras(int tramos, double minimoPixeles, std::size_t presupuesto, const std::vector<double>& largosPixeles);

    // Lo mismo para las barras dadas con el zoom del lote (píxeles por unidad
    // del modelo, 0 si no se conoce).
    DetalleBarras(int tramos, double minimoPixeles, std::size_t presupuesto, double pixelesPorUnidad,
                  const std::vector<const objBarra3d*>& barras);

    // Cada cuántas estaciones dibuja una la barra de ese largo en pantalla; 0:
    // ninguna (el presupuesto no le alcanza: sólo sus extremos, si los necesita).
    int paso(double largoPixeles) const;
    // Cuántas estaciones dibuja esa barra (0 si ninguna).
    std::size_t estaciones(double largoPixeles) const;
    int paso(const objBarra3d& b) const;
    // La separación mínima en pantalla con que se eligieron los pasos.
    double separacion() const { return separacion_; }

private:
    int tramos_;
    double minimo_;
    double separacion_;
    double pixelesPorUnidad_ = 0.0;
    std::size_t estacionesCon(double separacion, const std::vector<double>& largos) const;
    int pasoCon(double separacion, double largo) const;
};
