// Pasos del cargador: barras con sus nudos, secciones y materiales, rotaciones
// y liberaciones de extremo.
#include <algorithm>
#include <cmath>
#include <utility>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"

namespace {
// Una sección con dimensiones que no son positivas, un módulo de elasticidad
// que no es positivo, un coeficiente de Poisson fuera de (-1, 0.5] o un peso
// negativo no describe un material ni una sección: se informa (la barra la
// toma igual; el modelo no se analiza). Un peso nulo sí vale: un vínculo sin
// peso. En la sección genérica
// el área debe ser positiva y las inercias y el módulo de torsión no negativos
// (una inercia nula es una barra sin flexión en ese plano).
void revisarSeccion(const std::string& etiqueta, int k, const std::string& nombre, const std::vector<double>& v,
                    bool generica) {
    const bool costanera = etiqueta == "seccionCostanera:";
    const size_t dimensiones = generica ? 4 : costanera ? 5 : etiqueta == "seccionW:" ? 4 : 2;
    bool correcta = true;
    for (size_t i = 0; i < dimensiones; ++i) {
        // Pueden ser nulos: las inercias y la torsión de la genérica, el labio y el radio de la costanera.
        const bool puedeSerNula = (generica && i > 0) || (costanera && (i == 2 || i == 4));
        correcta = correcta && (puedeSerNula ? v[i] >= 0 : v[i] > 0);
    }
    const double E = v[dimensiones], nu = v[dimensiones + 1], peso = v[dimensiones + 2];
    if (!(E > 0) || !(nu > -1 && nu <= 0.5) || !(peso >= 0)) correcta = false;
    if (!correcta)
        mensajes.error("Error: el registro " + std::to_string(k) + " de " + etiqueta + " (" + nombre +
                       ") tiene una dimensión o un módulo de elasticidad que no son positivos, un peso específico "
                       "negativo o un coeficiente de Poisson fuera de (-1, 0.5]");
}
}  // namespace

void pasoBarras(ContextoCarga& ctx) {
    // Se dejan fuera las barras con un nudo inexistente o de longitud nula, de
    // modo que el número interno de cada barra es su posición en barra.
    std::vector<int> filas;
    for (int f : ctx.filasBarras) {
        const int numero = static_cast<int>(ctx.tablaBarras(f, 0));
        bool valida = true;
        int extremos[2];
        for (int e = 0; e < 2; ++e) {
            const double valor = ctx.tablaBarras(f, 1 + e);
            int n;
            extremos[e] = enteroSeguro(valor, n) ? internoDeNudo(n) : -1;
            if (extremos[e] < 0) {
                mensajes.error("Error: la barra " + std::to_string(numero) + " usa el nudo " + textoEntero(valor) +
                               ", que no existe");
                valida = false;
            }
        }
        if (valida) {
            const objNudo3d& a = nudo[static_cast<size_t>(extremos[0])];
            const objNudo3d& b = nudo[static_cast<size_t>(extremos[1])];
            const double dx = b.getX() - a.getX(), dy = b.getY() - a.getY(), dz = b.getZ() - a.getZ();
            const double largo = std::sqrt(dx * dx + dy * dy + dz * dz);
            if (largo == 0.0) {
                mensajes.error("Error: la barra " + std::to_string(numero) + " tiene longitud cero y no se considera");
                valida = false;
            } else if (!std::isfinite(largo)) {
                mensajes.error("Error: la barra " + std::to_string(numero) +
                               " tiene una longitud no válida y no se considera");
                valida = false;
            }
        }
        if (valida) filas.push_back(f);
    }

    noBarras = static_cast<int>(filas.size());
    int mayor = -1;
    for (int f : filas) mayor = std::max(mayor, static_cast<int>(ctx.tablaBarras(f, 0)));
    punteroBarras.assign(static_cast<size_t>(mayor + 1), 0);
    barra.clear();
    barra.resize(static_cast<size_t>(noBarras));
    for (int i = 0; i < noBarras; ++i) {
        const int f = filas[static_cast<size_t>(i)];
        const int numero = static_cast<int>(ctx.tablaBarras(f, 0));
        const int deNudo = static_cast<int>(ctx.tablaBarras(f, 1));
        const int aNudo = static_cast<int>(ctx.tablaBarras(f, 2));
        punteroBarras[static_cast<size_t>(numero)] = i;
        objBarra3d& barraI = barra[static_cast<size_t>(i)];
        barraI.resetFlags();
        barraI.setNoBarraUsuario(numero);
        barraI.setNoBarraInterna(i);
        barraI.setNudoInicio(nudo[static_cast<size_t>(internoDeNudo(deNudo))]);
        barraI.setNudoFinal(nudo[static_cast<size_t>(internoDeNudo(aNudo))]);
    }
    mensajes.progreso("transferencia de coord a barra[i] OK");
}

void pasoSecciones(ContextoCarga& ctx) {
    enum Clase { Rectangular, Placa, Costanera, W, Generica };
    struct TipoSeccion {
        const char* etiqueta;
        size_t valores;
        Clase clase;
    };
    const TipoSeccion tipos[] = {{"seccionRectangular:", 5, Rectangular}, {"seccionPlaca:", 5, Placa},
                                 {"seccionCostanera:", 8, Costanera},     {"seccionW:", 7, W},
                                 {"seccionGenerica:", 7, Generica}};
    for (const TipoSeccion& tipo : tipos) {
        const std::string etiqueta = tipo.etiqueta;
        const int registros = ctx.lector.getNoEtiquetas(etiqueta);
        for (int k = 1; k <= registros; ++k) {
            const std::string nombre = ctx.lector.getString(etiqueta, k);
            const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
            if (!registroCompleto(etiqueta, k, v, tipo.valores, "barra", nombre)) continue;
            revisarSeccion(etiqueta, k, nombre, v, tipo.clase == Generica);
            for (size_t j = tipo.valores; j < v.size(); ++j) {
                const int i = barraDeLista(v[j], etiqueta);
                if (i < 0) continue;
                objBarra3d& b = barra[static_cast<size_t>(i)];
                // Material: E, Poisson y peso específico son los tres últimos valores.
                const double E = v[tipo.valores - 3], nu = v[tipo.valores - 2], peso = v[tipo.valores - 1];
                switch (tipo.clase) {
                    case Rectangular: b.setSeccionRectangular(v[0], v[1]); break;
                    case Placa: b.setSeccionPlaca(v[0], v[1]); break;
                    // El archivo da alma y luego ala; la operación toma el ala primero.
                    case Costanera: b.setSeccionCostanera(v[1], v[0], v[2], v[3], v[4]); break;
                    case W: b.setSeccionW(v[0], v[1], v[2], v[3]); break;
                    case Generica:
                        b.setNombreDeSeccion(nombre);
                        b.setSeccionGenerica(v[0], v[1], v[2], v[3]);
                        break;
                }
                b.setModuloEyPoisson(E, nu);
                if (tipo.clase != Generica) b.setNombreDeSeccion(nombre);
                b.setPesoEspecifico(peso);
            }
        }
        if (tipo.clase == Costanera) mensajes.progreso("Secciones Costanera leidas");
        if (tipo.clase == W) mensajes.progreso("SeccionesW leidas");
    }
}

void pasoRotaciones(ContextoCarga& ctx) {
    const std::string etiqueta = "rotacionBarra:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 1, "barra")) continue;
        for (size_t j = 1; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i >= 0) barra[static_cast<size_t>(i)].setRotacion(v[0]);
        }
    }
}

void pasoArticulaciones(ContextoCarga& ctx) {
    const std::string etiqueta = "articulacion:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 4, "barra")) continue;
        for (size_t j = 4; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i >= 0) barra[static_cast<size_t>(i)].setArticulacion(v[0], v[1], v[2], v[3]);
        }
    }
}

void pasoSentidoAxial(ContextoCarga& ctx) {
    using sentido = objBarra3d::sentidoAxial;
    const std::pair<const char*, sentido> etiquetas[] = {{"soloTraccion:", sentido::soloTraccion},
                                                         {"soloCompresion:", sentido::soloCompresion}};
    std::vector<int> ambas;
    for (const auto& [etiqueta, s] : etiquetas) {
        const int registros = ctx.lector.getNoEtiquetas(etiqueta);
        for (int k = 1; k <= registros; ++k) {
            const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
            if (!registroCompleto(etiqueta, k, v, 0, "barra")) continue;
            for (double numero : v) {
                const int i = barraDeLista(numero, etiqueta);
                if (i < 0) continue;
                objBarra3d& b = barra[static_cast<size_t>(i)];
                if (b.getSentidoAxial() != sentido::ambos && b.getSentidoAxial() != s) {
                    ambas.push_back(b.getNoBarraUsuario());
                    b.setSentidoAxial(sentido::ambos);
                } else if (std::find(ambas.begin(), ambas.end(), b.getNoBarraUsuario()) == ambas.end()) {
                    b.setSentidoAxial(s);
                }
            }
        }
    }
    if (!ambas.empty()) {
        std::sort(ambas.begin(), ambas.end());
        ambas.erase(std::unique(ambas.begin(), ambas.end()), ambas.end());
        mensajes.error("Error: " + std::string(ambas.size() == 1 ? "la barra " : "las barras ") + enRangos(ambas) +
                       (ambas.size() == 1 ? " está" : " están") +
                       " en soloTraccion: y en soloCompresion:; se calcula como barra común");
    }
}

void pasoMasaBarras(ContextoCarga& ctx) {
    const std::string etiqueta = "masaBarra:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 1, "barra")) continue;
        if (!(v[0] >= 0)) {
            mensajes.error("Error: valor no válido " + ctx.lector.getPalabrasEtiquetaRepetida(etiqueta, k, 0)[0] +
                           " en la etiqueta " + etiqueta + " (la masa se descarta)");
            continue;
        }
        for (size_t j = 1; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i >= 0) barra[static_cast<size_t>(i)].agregarMasaPorLargo(v[0]);
        }
    }
    if (registros > 0) mensajes.progreso("transferencia de masas por largo a barra[i] OK");
}
