#include "visor/interaccion/consultaNudo.h"

#include "globales.h"
#include "unidades.h"
#include "visor/capas/geometriaDiagramas.h"
#include "visor/escena/formatoTexto.h"
#include "visor/escena/visibilidad.h"

namespace {

const char* const kGrados[6] = {"x", "y", "z", "x", "y", "z"};

// "Ux 1.23e-03 m, Uy 0.000 m, ..." (con prefijo U y G) o "Rx ..., Mx ..."
// (con R y M) de la columna del nudo; en un caso de dos valores, "máximo / mínimo".
std::string seis(const Eigen::MatrixXd& mayores, const Eigen::MatrixXd& menores, int columna, bool dos,
                 const char* traslacion, const char* giro, double escalaTraslacion, double escalaGiro,
                 magnitud unidadTraslacion, magnitud unidadGiro) {
    std::string s;
    for (int k = 0; k < 6; ++k) {
        const bool esTraslacion = k < 3;
        const double escala = esTraslacion ? escalaTraslacion : escalaGiro;
        const std::string unidad = sufijoUnidad(esTraslacion ? unidadTraslacion : unidadGiro);
        s += (k ? ", " : "") + std::string(esTraslacion ? traslacion : giro) + kGrados[k] + " " +
             formatearLegible(mayores(k, columna), escala, precision) + unidad;
        if (dos) s += " / " + formatearLegible(menores(k, columna), escala, precision) + unidad;
    }
    return s;
}

std::string coordenada(double v) { return formatearNumero(v, precision, false); }

}  // namespace

std::string inspeccionarNudo(int interno) {
    if (interno < 0 || interno >= cantidadNudos()) return std::string();
    const objNudo3d& n = nudo[static_cast<std::size_t>(interno)];
    std::string s = "Nudo " + std::to_string(n.getNoNudoUsuario()) + " (" + coordenada(n.getX()) + ", " +
                    coordenada(n.getY()) + ", " + coordenada(n.getZ()) + ")";
    const Eigen::VectorXi apoyo = n.getApoyo();
    std::string fijos;
    for (int k = 0; k < apoyo.size() && k < 6; ++k)
        if (apoyo(k) != 0) fijos += std::string(fijos.empty() ? "" : " ") + (k < 3 ? "U" : "G") + kGrados[k];
    if (!fijos.empty()) s += ": apoyo " + fijos;
    int c = 0;
    while (c < cantidadCombos() && !comboActivo(c)) ++c;
    if (!nudoConResultados(n, 0)) return s;
    if (c >= cantidadCombos()) return s + ". Active un combo para ver sus resultados";
    const casoResultado* caso = casoDeResultados(resultados, c);
    if (caso == nullptr || !nudoConResultados(n, c)) return s;
    const bool dos = caso->dosValores();
    const std::string combo = nombreCombo(c) + (dos ? " (máximo / mínimo)" : "");
    s += "\n" + combo + ": " +
         seis(caso->desplazamientos, caso->desplazamientosMenores(), interno, dos, "U", "G", caso->escalas.traslaciones,
              caso->escalas.giros, magnitud::longitud, magnitud::giro);
    if (!fijos.empty() || (n.getResorte().array() != 0.0).any())
        s += "\n" + combo + " reacciones: " +
             seis(caso->reacciones, caso->reaccionesMenores(), interno, dos, "R", "M", caso->escalas.fuerzas,
                  caso->escalas.momentos, magnitud::fuerza, magnitud::momento);
    return s;
}
