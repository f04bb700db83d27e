// Paso del cargador: la verificación de las barras de acero
// ("verificacionAcero: METODO FY BARRAS...", "miembro: NOMBRE BARRAS...",
// "longitudEfectiva: KY KZ BARRAS..." y "longitudNoArriostrada: LB BARRAS...").
#include <algorithm>
#include <cmath>
#include <string>

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/acero.h"

namespace {
std::string registro(const std::string& etiqueta, int k, const std::string& nombre = "") {
    return "Error: el registro " + std::to_string(k) + " de " + etiqueta + (nombre.empty() ? "" : " (" + nombre + ")");
}

std::string numeroBarra(int i) { return std::to_string(barra[static_cast<size_t>(i)].getNoBarraUsuario()); }

// Un valor por barra de los registros de la etiqueta: los `valores` primeros
// números de cada registro, que deben ser positivos, para las barras que siguen.
void leerPorBarra(ContextoCarga& ctx, const std::string& etiqueta, size_t valores, const char* noPositivo,
                  std::vector<double>* destino[2]) {
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, valores, "barra")) continue;
        bool positivos = true;
        for (size_t i = 0; i < valores; ++i) positivos = positivos && v[i] > 0 && std::isfinite(v[i]);
        if (!positivos) {
            mensajes.error(registro(etiqueta, k) + " tiene " + noPositivo);
            continue;
        }
        for (size_t j = valores; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i < 0) continue;
            for (size_t c = 0; c < valores; ++c) (*destino[c])[static_cast<size_t>(i)] = v[c];
        }
    }
}
}  // namespace

void pasoAcero(ContextoCarga& ctx) {
    acero = datosAcero();
    const size_t n = barra.size();
    acero.fy.assign(n, 0.0);
    acero.ky.assign(n, 1.0);
    acero.kz.assign(n, 1.0);
    acero.lb.assign(n, 0.0);

    // verificacionAcero: METODO FY BARRAS...
    const std::string etiqueta = "verificacionAcero:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    std::string primerMetodo;
    std::vector<int> repetidas;
    std::vector<int> registroDe(n, 0);
    for (int k = 1; k <= registros; ++k) {
        const std::string metodo = ctx.lector.getString(etiqueta, k);
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
        if (metodo != "LRFD" && metodo != "ASD") {
            mensajes.error(registro(etiqueta, k) + " tiene el método " + (metodo.empty() ? "(ninguno)" : metodo) +
                           "; debe ser LRFD o ASD");
            continue;
        }
        if (primerMetodo.empty()) {
            primerMetodo = metodo;
        } else if (metodo != primerMetodo) {
            mensajes.error(registro(etiqueta, k) + " tiene el método " + metodo + " y el registro anterior " +
                           primerMetodo + "; el modelo se verifica con un solo método");
            continue;
        }
        if (!registroCompleto(etiqueta, k, v, 1, "barra", metodo)) continue;
        if (!(v[0] > 0) || !std::isfinite(v[0])) {
            mensajes.error(registro(etiqueta, k, metodo) + " tiene una tensión de fluencia FY que no es positiva");
            continue;
        }
        for (size_t j = 1; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i < 0) continue;
            const size_t b = static_cast<size_t>(i);
            if (registroDe[b] != 0 && registroDe[b] != k && acero.fy[b] != v[0])
                repetidas.push_back(barra[b].getNoBarraUsuario());
            registroDe[b] = k;
            acero.fy[b] = v[0];
        }
    }
    acero.pedida = !primerMetodo.empty();
    acero.metodo = primerMetodo == "ASD" ? metodoAcero::asd : metodoAcero::lrfd;
    if (!repetidas.empty()) {
        std::sort(repetidas.begin(), repetidas.end());
        repetidas.erase(std::unique(repetidas.begin(), repetidas.end()), repetidas.end());
        mensajes.advertencia("Advertencia: " + std::string(repetidas.size() == 1 ? "la barra " : "las barras ") +
                             enRangos(repetidas) + " tienen FY distintas en dos registros de verificacionAcero:" +
                             " (vale el último)");
    }

    std::vector<double>* factores[2] = {&acero.ky, &acero.kz};
    leerPorBarra(ctx, "longitudEfectiva:", 2, "un factor de longitud efectiva que no es positivo", factores);
    std::vector<double>* longitudes[2] = {&acero.lb, nullptr};
    leerPorBarra(ctx, "longitudNoArriostrada:", 1, "una longitud no arriostrada que no es positiva", longitudes);

    // miembro: NOMBRE BARRAS... (barras consecutivas y colineales, en orden).
    const std::string etiquetaMiembro = "miembro:";
    const int miembros = ctx.lector.getNoEtiquetas(etiquetaMiembro);
    std::vector<int> miembroDe(n, 0);
    for (int k = 1; k <= miembros; ++k) {
        const std::string nombre = ctx.lector.getString(etiquetaMiembro, k);
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiquetaMiembro, k, 1);
        if (!registroCompleto(etiquetaMiembro, k, v, 0, "barra", nombre)) continue;
        std::vector<int> lista;
        bool valido = true;
        for (double numero : v) {
            const int i = barraDeLista(numero, etiquetaMiembro);
            if (i < 0) {
                valido = false;
                continue;
            }
            const size_t b = static_cast<size_t>(i);
            if (miembroDe[b] != 0) {
                mensajes.error(registro(etiquetaMiembro, k, nombre) + " nombra la barra " + numeroBarra(i) +
                               (miembroDe[b] == k ? " dos veces" : ", que ya está en el miembro " +
                                acero.miembros[static_cast<size_t>(miembroDe[b] - 1)].nombre));
                valido = false;
                continue;
            }
            lista.push_back(i);
        }
        if (!valido) continue;
        miembroDeBarras m;
        const std::string motivo = encadenarMiembro(lista, m);
        if (!motivo.empty()) {
            mensajes.error(registro(etiquetaMiembro, k, nombre) + ": " + motivo);
            continue;
        }
        // Un solo miembro: la misma sección, orientada igual, y el mismo acero.
        const objBarra3d& primera = barra[static_cast<size_t>(lista[0])];
        const Eigen::Vector3d yPrimera = primera.getRotacion().row(1);
        std::string distinto;
        for (int i : lista) {
            const objBarra3d& b = barra[static_cast<size_t>(i)];
            const size_t j = static_cast<size_t>(i);
            if (b.getCodigoSeccion() != primera.getCodigoSeccion() ||
                b.getDimensionesSeccion() != primera.getDimensionesSeccion() || b.getModE() != primera.getModE() ||
                b.getModG() != primera.getModG())
                distinto = "las barras " + numeroBarra(lista[0]) + " y " + numeroBarra(i) + " tienen secciones distintas";
            else if (std::fabs(std::fabs(yPrimera.dot(b.getRotacion().row(1))) - 1) > 1e-9)
                distinto = "las barras " + numeroBarra(lista[0]) + " y " + numeroBarra(i) +
                           " tienen sus ejes locales girados de distinta manera";
            else if (acero.fy[j] != acero.fy[static_cast<size_t>(lista[0])])
                distinto = "las barras " + numeroBarra(lista[0]) + " y " + numeroBarra(i) +
                           " tienen FY distintas en verificacionAcero: (o una no se verifica)";
            if (!distinto.empty()) break;
        }
        if (!distinto.empty()) {
            mensajes.error(registro(etiquetaMiembro, k, nombre) + ": " + distinto);
            continue;
        }
        m.nombre = nombre;
        m.registro = k;
        acero.miembros.push_back(m);
        for (int i : lista) miembroDe[static_cast<size_t>(i)] = static_cast<int>(acero.miembros.size());
    }
    if (acero.pedida) mensajes.progreso("lectura de la verificación de acero OK");
}
