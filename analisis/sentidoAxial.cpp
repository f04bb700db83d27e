#include "analisis/sentidoAxial.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "diagnosticos.h"
#include "globales.h"

namespace {

// Fracción de la escala de fuerzas de la combinación por debajo de la cual un
// esfuerzo axial es redondeo: la barra conserva su estado.
constexpr double kFraccionAxialNula = 1e-10;

// El juego de barras inactivas que sigue al actual para los desplazamientos
// u (columna c).
std::vector<int> siguientesInactivas(const Eigen::MatrixXd& u, Eigen::Index c, const std::vector<int>& actuales,
                                     double tolerancia) {
    std::vector<int> nuevas;
    for (const objBarra3d& b : barra) {
        const objBarra3d::sentidoAxial s = b.getSentidoAxial();
        if (s == objBarra3d::sentidoAxial::ambos) continue;
        const Eigen::Index i = 6 * static_cast<Eigen::Index>(b.getNudoInicioInterno());
        const Eigen::Index f = 6 * static_cast<Eigen::Index>(b.getNudoFinalInterno());
        if (i < 0 || f < 0 || i + 6 > u.rows() || f + 6 > u.rows()) continue;
        // Esfuerzo axial medio de la barra activa, o el que tendría la
        // inactiva si se reactivara: E·A/L por el alargamiento elástico.
        const double axial =
            b.getRigidezNatural().axial * b.alargamientoElastico(static_cast<int>(c), &u(i, c), &u(f, c));
        const double resistido = s == objBarra3d::sentidoAxial::soloTraccion ? axial : -axial;
        const bool inactiva = std::binary_search(actuales.begin(), actuales.end(), b.getNoBarraInterna());
        // Una activa con el esfuerzo que no resiste se desactiva; una inactiva
        // cuyos nudos cierran la holgura se reactiva; en el redondeo, como está.
        const bool queda = inactiva ? !(resistido > tolerancia) : resistido < -tolerancia;
        if (queda) nuevas.push_back(b.getNoBarraInterna());
    }
    std::sort(nuevas.begin(), nuevas.end());
    return nuevas;
}

}  // namespace

bool hayBarrasDeUnSentido() {
    return std::any_of(barra.begin(), barra.end(), [](const objBarra3d& b) {
        return b.getSentidoAxial() != objBarra3d::sentidoAxial::ambos;
    });
}

bool iterarSentidoAxial(Eigen::MatrixXd& u, std::vector<std::vector<int>>& inactivas,
                        const resolverConInactivas& resolver, const Eigen::VectorXd& escalaFuerzas) {
    const Eigen::Index nc = u.cols();
    inactivas.assign(static_cast<size_t>(nc), {});
    std::vector<std::set<std::vector<int>>> vistos(static_cast<size_t>(nc), {std::vector<int>()});
    std::vector<char> terminada(static_cast<size_t>(nc), 0);
    const auto avisar = [](Eigen::Index c) {
        mensajes.advertencia("Advertencia: el combo " + combinaciones[static_cast<size_t>(c)].nombre +
                             " no converge con las barras de solo tracción o compresión");
    };
    for (int ronda = 0;; ++ronda) {
        // Las combinaciones que cambian, agrupadas por su nuevo juego de barras
        // inactivas: cada juego se arma y factoriza una vez.
        std::map<std::vector<int>, std::vector<int>> pendientes;
        for (Eigen::Index c = 0; c < nc; ++c) {
            if (terminada[static_cast<size_t>(c)]) continue;
            std::vector<int>& actuales = inactivas[static_cast<size_t>(c)];
            std::vector<int> nuevas =
                siguientesInactivas(u, c, actuales, kFraccionAxialNula * escalaFuerzas(c));
            if (nuevas == actuales) {
                terminada[static_cast<size_t>(c)] = 1;
            } else if (!vistos[static_cast<size_t>(c)].insert(nuevas).second) {
                // Un estado ya visto: la iteración da vueltas; queda el último.
                avisar(c);
                terminada[static_cast<size_t>(c)] = 1;
            } else if (ronda == kRondasSentidoAxial) {
                avisar(c);
                terminada[static_cast<size_t>(c)] = 1;
            } else {
                pendientes[nuevas].push_back(static_cast<int>(c));
                actuales = std::move(nuevas);
            }
        }
        if (pendientes.empty()) return true;
        for (const auto& [juego, combos] : pendientes)
            if (!resolver(juego, combos, u)) {
                // El juego que deja un mecanismo, con la combinación que lo pidió.
                std::vector<int> numeros;
                for (int i : juego) numeros.push_back(barra[static_cast<size_t>(i)].getNoBarraUsuario());
                std::sort(numeros.begin(), numeros.end());
                std::string linea = "Combo " + combinaciones[static_cast<size_t>(combos.front())].nombre +
                                    ": barras inactivas";
                for (int n : numeros) linea += " " + std::to_string(n);
                mensajes.error(linea);
                return false;
            }
    }
}
