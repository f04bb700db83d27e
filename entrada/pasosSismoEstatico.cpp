// Paso del cargador: los casos del método estático equivalente
// (sismoEstatico:) y el escalamiento de los casos sísmicos por el cortante
// basal de un caso estático (escalaSismo:). Va después de las masas, los
// apoyos y los diafragmas, porque las fuerzas del método salen de ellos, y
// antes de la revisión de las combinaciones, que cuenta sus casos como
// definidos. Sólo se leen las etiquetas que el archivo usa.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "analisis/pisos.h"
#include "analisis/sismoEstatico.h"
#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/sismo.h"
#include "modelo/sismoEstatico.h"

namespace {

bool esEtiqueta(const std::string& palabra) { return !palabra.empty() && palabra.back() == ':'; }

bool contiene(const std::vector<std::string>& lista, const std::string& nombre) {
    return std::find(lista.begin(), lista.end(), nombre) != lista.end();
}

std::string registroDe(const std::string& etiqueta, int k, const std::string& nombre) {
    return "Error: el registro " + std::to_string(k) + " de " + etiqueta + (nombre.empty() ? "" : " (" + nombre + ")");
}

// X o Y (también en minúsculas): 0 o 1; -1 si no.
int direccionHorizontal(const std::string& w) {
    if (w.size() != 1) return -1;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
    return c == 'X' ? 0 : c == 'Y' ? 1 : -1;
}

// sismoEstatico: CASO DIRECCION COEFICIENTE K. Un registro válido agrega al
// caso las cargas de nudo de su reparto.
void leerSismosEstaticos(ContextoCarga& ctx) {
    const std::string etiqueta = "sismoEstatico:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    bool conCargas = false;
    // Las masas de traslación, una vez para todos los registros.
    Eigen::MatrixXd masas;
    for (int k = 1; k <= registros; ++k) {
        std::string w[4];
        for (int i = 0; i < 4; ++i) w[i] = ctx.lector.getPalabra(etiqueta, k, i);
        const bool completo = std::none_of(w, w + 4, [](const std::string& p) { return p.empty() || esEtiqueta(p); });
        if (!completo || ctx.lector.esNumero(w[0])) {
            mensajes.error(registroDe(etiqueta, k, "") +
                           " necesita el caso, la dirección (X o Y), el coeficiente sísmico y el exponente K (por "
                           "ejemplo sismoEstatico: EX X 0.12 1)");
            continue;
        }
        definicionSismoEstatico d;
        d.nombre = w[0];
        const std::string error = registroDe(etiqueta, k, d.nombre);
        // El nombre es el de un caso nuevo: un caso de carga, un sismo, un
        // combo u otro sismoEstatico con ese nombre son otro caso.
        const bool repetido = std::any_of(sismosEstaticos.begin(), sismosEstaticos.end(),
                                          [&](const definicionSismoEstatico& o) { return o.nombre == d.nombre; });
        const bool combo = std::any_of(combinaciones.begin(), combinaciones.end(),
                                       [&](const combinacion& c) { return c.nombre == d.nombre; });
        if (contiene(ctx.casosConCargas, d.nombre) || contiene(ctx.casosSismicosNombrados, d.nombre) || combo) {
            mensajes.error(error + " tiene el nombre de un caso de carga, de un sismo o de un combo ya definido");
            continue;
        }
        if (repetido) {
            mensajes.error(error + " repite el nombre de otro sismoEstatico:");
            continue;
        }
        // Desde aquí el caso existe: una combinación que lo nombra no es otro error.
        ctx.otrosCasosNombrados.push_back(d.nombre);
        d.direccion = direccionHorizontal(w[1]);
        if (d.direccion < 0) {
            mensajes.error(error + ": dirección " + w[1] + " no válida (X o Y)");
            continue;
        }
        if (!ctx.lector.leerReal(w[2], etiqueta, k, d.coeficiente) ||
            !ctx.lector.leerReal(w[3], etiqueta, k, d.exponente))
            continue;
        if (!(d.coeficiente > 0)) {
            mensajes.error(error + ": coeficiente sísmico " + w[2] + " no válido (positivo, por ejemplo 0.12)");
            continue;
        }
        if (!(d.exponente >= 0) || d.exponente > 10) {
            mensajes.error(error + ": exponente K " + w[3] + " no válido (entre 0 y 10; usualmente de 1 a 2)");
            continue;
        }
        if (masas.size() == 0) masas = masasDeTraslacion();
        const distribucionSismoEstatico r = distribuirSismoEstatico(d, masas);
        if (!r.motivo.empty()) {
            mensajes.error(error + ": " + r.motivo + "; no hay fuerzas que repartir");
            continue;
        }
        sismosEstaticos.push_back(d);
        for (const nivelSismoEstatico& n : r.niveles)
            for (const cargaSismoEstatico& q : n.cargas) {
                double f[6] = {0, 0, 0, 0, 0, q.momentoZ};
                f[d.direccion] = q.fuerza;
                nudo[static_cast<size_t>(q.nudo)].setCargaPuntual(d.nombre, f[0], f[1], f[2], f[3], f[4], f[5]);
            }
        ctx.anotarCaso(d.nombre);
        ctx.anotarValores(d.nombre);
        conCargas = true;
    }
    // Las combinaciones de los nudos, otra vez, con las cargas nuevas.
    if (conCargas)
        for (objNudo3d& n : nudo) n.setCombos(combinaciones);
}

// escalaSismo: CASO ESTATICO FMIN [FMAX].
void leerEscalas(ContextoCarga& ctx) {
    const std::string etiqueta = "escalaSismo:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    std::vector<int> registroDelSismo(sismos.size(), 0);
    for (int k = 1; k <= registros; ++k) {
        std::string w[4];
        for (int i = 0; i < 4; ++i) w[i] = ctx.lector.getPalabra(etiqueta, k, i);
        const bool completo = std::none_of(w, w + 3, [](const std::string& p) { return p.empty() || esEtiqueta(p); });
        if (!completo || ctx.lector.esNumero(w[0]) || ctx.lector.esNumero(w[1])) {
            mensajes.error(registroDe(etiqueta, k, "") +
                           " necesita el caso sísmico, el caso estático y el factor mínimo, y opcional el máximo "
                           "(por ejemplo escalaSismo: SX EX 0.8)");
            continue;
        }
        const std::string error = registroDe(etiqueta, k, w[0]);
        definicionEscalaSismo e;
        e.sismo = buscarSismo(w[0]);
        if (e.sismo < 0) {
            // Un sismo: con su propio error ya dicho no se dice otro.
            if (contiene(ctx.casosSismicosNombrados, w[0])) continue;
            mensajes.error(error + ": " + w[0] + " no es un caso sísmico (sismo:)");
            continue;
        }
        if (sismos[static_cast<size_t>(e.sismo)].direccion > 1) {
            mensajes.error(error + ": el sismo " + w[0] +
                           " es vertical (Z); sólo un sismo en X o en Y tiene cortante basal que escalar");
            continue;
        }
        e.estatico = w[1];
        if (buscarSismo(e.estatico) >= 0 || contiene(ctx.casosSismicosNombrados, e.estatico)) {
            mensajes.error(error + ": " + e.estatico + " es un sismo, no un caso de carga estático");
            continue;
        }
        if (!contiene(ctx.casosConCargas, e.estatico)) {
            // Un sismoEstatico: con su propio error ya dicho no se dice otro.
            if (contiene(ctx.otrosCasosNombrados, e.estatico)) continue;
            mensajes.error(error + ": el caso estático " + e.estatico + " no está definido o no tiene cargas");
            continue;
        }
        if (!ctx.lector.leerReal(w[2], etiqueta, k, e.minimo)) continue;
        // La cuarta palabra es el factor máximo si empieza como un número.
        const char c = w[3].empty() ? ' ' : w[3][0];
        e.conMaximo = !esEtiqueta(w[3]) && (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-');
        if (e.conMaximo && !ctx.lector.leerReal(w[3], etiqueta, k, e.maximo)) continue;
        if (!(e.minimo > 0)) {
            mensajes.error(error + ": factor mínimo " + w[2] + " no válido (positivo, por ejemplo 0.8)");
            continue;
        }
        if (e.conMaximo && !(e.maximo >= e.minimo)) {
            mensajes.error(error + ": factor máximo " + w[3] + " no válido (no menor que el mínimo " + w[2] + ")");
            continue;
        }
        int& previo = registroDelSismo[static_cast<size_t>(e.sismo)];
        if (previo > 0) {
            mensajes.error(error + ": el sismo " + w[0] + " ya se escala en el registro " + std::to_string(previo) +
                           " (va uno por sismo)");
            continue;
        }
        previo = k;
        escalasSismo.push_back(e);
    }
}

}  // namespace

void pasoSismoEstatico(ContextoCarga& ctx) {
    leerSismosEstaticos(ctx);
    leerEscalas(ctx);
}
