// Paso del cargador: los valores que el análisis toma del modelo son números
// finitos. Cada dato puede ser finito y su producto no (una masa de 1e308 por
// el largo de la barra, un factor de 1e308 por una carga de 10): el análisis
// daría inf o nan en los resultados, o una matriz que no se puede factorizar.
// Se dice aquí, con la etiqueta del dato, y el modelo no se analiza. Las
// masas, además, no pasan de 1e100: el análisis modal las eleva al cuadrado.
#include <cmath>
#include <string>
#include <vector>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/sismo.h"

namespace {

bool finito(const Eigen::MatrixXd& m) { return m.allFinite(); }

// Ninguna estructura, en ninguna unidad, tiene una masa así; el análisis
// modal la eleva al cuadrado, que ya no cabe en un número.
constexpr double kMasaMaxima = 1e100;
bool masaEnRango(double m) { return std::fabs(m) <= kMasaMaxima; }
const char* const kFueraDeRango = " está fuera de rango (más de 1e100, o no es un número finito)";

std::string deLasBarras(const std::vector<int>& numeros) {
    return (numeros.size() == 1 ? "de la barra " : "de las barras ") + enRangos(numeros);
}

std::string enLosNudos(const std::vector<int>& numeros) {
    return (numeros.size() == 1 ? "en el nudo " : "en los nudos ") + enRangos(numeros);
}

std::string deLosNudos(const std::vector<int>& numeros) {
    return (numeros.size() == 1 ? "del nudo " : "de los nudos ") + enRangos(numeros);
}

std::string enLasBarras(const std::vector<int>& numeros) {
    return (numeros.size() == 1 ? "en la barra " : "en las barras ") + enRangos(numeros);
}

void revisarMasas() {
    const double factor = factorMasaPropia();
    std::vector<int> adicional, propia, deCargas;
    for (const objBarra3d& b : barra) {
        const double L = b.getLongitud();
        if (!masaEnRango(b.getMasaAdicional() * L)) {
            adicional.push_back(b.getNoBarraUsuario());
        } else if (b.tieneSeccionYMaterial() && !masaEnRango(b.getMasaPorLargo(gravedad, factor) * L)) {
            propia.push_back(b.getNoBarraUsuario());
        }
        if (!masasDeCargas.empty() && !masaEnRango(b.getMasaDeCargasTotal(masasDeCargas, gravedad)))
            deCargas.push_back(b.getNoBarraUsuario());
    }
    if (!adicional.empty())
        mensajes.error("Error: la masa de masaBarra: " + deLasBarras(adicional) +
                       " (la masa por unidad de largo por el largo)" + kFueraDeRango + "; revise sus valores");
    if (!propia.empty())
        mensajes.error("Error: la masa propia " + deLasBarras(propia) +
                       " (pesoEspecifico · área / gravedad por el largo)" + kFueraDeRango +
                       "; revise el peso específico, la sección y gravedad:");
    if (!deCargas.empty())
        mensajes.error("Error: la masa de masaDeCargas: " + deLasBarras(deCargas) + " (factor × carga / gravedad)" +
                       kFueraDeRango + "; revise sus factores y esas cargas");
    std::vector<int> masaNudo, masaCargaNudo;
    for (const objNudo3d& n : nudo) {
        if (!masaEnRango(n.getMasa())) masaNudo.push_back(n.getNoNudoUsuario());
        double m = 0;
        for (const auto& [f, caso] : masasDeCargas) m += f * std::fabs(n.getCargaVerticalDeCaso(caso)) / gravedad;
        if (!masaEnRango(m)) masaCargaNudo.push_back(n.getNoNudoUsuario());
    }
    if (!masaNudo.empty())
        mensajes.error("Error: la masa de masaNudo: " + deLosNudos(masaNudo) + kFueraDeRango +
                       "; revise sus valores");
    if (!masaCargaNudo.empty())
        mensajes.error("Error: la masa de masaDeCargas: " + deLosNudos(masaCargaNudo) + " (factor × carga / gravedad)" +
                       kFueraDeRango + "; revise sus factores y esas cargas");
}

// Cada combinación: factor × carga en los nudos (puntual:, desplazamientoImpuesto:)
// y en las barras (cargas de tramo y temperatura, con sus fuerzas de
// empotramiento), una línea por combinación y clase de carga. Cada nudo y
// cada barra se miran una vez para todas las combinaciones.
void revisarCombinaciones() {
    const size_t nc = combinaciones.size();
    std::vector<std::vector<int>> puntuales(nc), impuestos(nc), tramo(nc), temperatura(nc);
    for (const objNudo3d& n : nudo) {
        const Eigen::MatrixXd cargas = n.getCargasCombo(), desplazamientos = n.getDesplazamientosImpuestosCombo();
        for (Eigen::Index k = 0; k < static_cast<Eigen::Index>(nc); ++k) {
            if (k < cargas.cols() && !finito(cargas.col(k)))
                puntuales[static_cast<size_t>(k)].push_back(n.getNoNudoUsuario());
            if (k < desplazamientos.cols() && !finito(desplazamientos.col(k)))
                impuestos[static_cast<size_t>(k)].push_back(n.getNoNudoUsuario());
        }
    }
    for (const objBarra3d& b : barra) {
        const Eigen::MatrixXd& cargas = b.getMatrizCargasCombo();
        const Eigen::MatrixXd& termica = b.getMatrizTermicaCombo();
        if (finito(cargas) && finito(termica)) {
            // Las cargas y las deformaciones térmicas finitas pueden dar fuerzas
            // de empotramiento que no lo son (por el largo, por E·A).
            const Eigen::MatrixXd equivalentes = b.getCargasEquivalentesLocales();
            if (finito(equivalentes)) continue;
            for (Eigen::Index k = 0; k < equivalentes.cols() && k < static_cast<Eigen::Index>(nc); ++k) {
                if (finito(equivalentes.col(k))) continue;
                const bool sinCargas = k >= cargas.rows() || cargas.row(k).isZero(0);
                (b.tieneTemperatura() && sinCargas ? temperatura : tramo)[static_cast<size_t>(k)].push_back(
                    b.getNoBarraUsuario());
            }
            continue;
        }
        for (Eigen::Index k = 0; k < static_cast<Eigen::Index>(nc); ++k) {
            if (k < cargas.rows() && !finito(cargas.row(k)))
                tramo[static_cast<size_t>(k)].push_back(b.getNoBarraUsuario());
            if (k < termica.rows() && !finito(termica.row(k)))
                temperatura[static_cast<size_t>(k)].push_back(b.getNoBarraUsuario());
        }
    }
    for (size_t c = 0; c < nc; ++c) {
        const std::string combo = "Error: el combo " + combinaciones[c].nombre;
        const std::string revise = "; revise sus factores y esas cargas";
        if (!puntuales[c].empty())
            mensajes.error(combo + " da cargas de puntual: que no son números finitos (factor × carga) " +
                           enLosNudos(puntuales[c]) + revise);
        if (!impuestos[c].empty())
            mensajes.error(combo + " da desplazamientos de desplazamientoImpuesto: que no son números finitos " +
                           enLosNudos(impuestos[c]) + revise);
        if (!tramo[c].empty())
            mensajes.error(combo + " da cargas de tramo que no son números finitos (factor × carga) " +
                           enLasBarras(tramo[c]) + revise);
        if (!temperatura[c].empty())
            mensajes.error(combo + " da fuerzas de temperatura: que no son números finitos " +
                           enLasBarras(temperatura[c]) + "; revise sus factores y ALFA, DT, GY, GZ");
    }
}

}  // namespace

void pasoValoresFinitos(ContextoCarga&) {
    if (!std::isfinite(gravedad) || !(gravedad > 0)) return;  // ya se dijo al leerla
    revisarMasas();
    revisarCombinaciones();
}
