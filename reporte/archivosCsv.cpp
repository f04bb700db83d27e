#include "reporte/archivosCsv.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "reporte/archivoAtomico.h"
#include "reporte/bloqueModal.h"
#include "reporte/bloquePandeo.h"
#include "reporte/salidaDiafragmas.h"
#include "reporte/salidaTexto.h"

namespace {


// Una combinación de segundo orden que supera la carga crítica no tiene
// resultados: no escribe filas.
bool sinResultados(const casoResultado& caso) {
    return caso.tipo == tipoCaso::segundoOrden && caso.segundoOrden.inestable;
}

void comienzoDeFila(salidaTexto& s, const casoResultado& caso, int numero) {
    campoTexto(s, caso.nombre);
    s << ',' << numero;
}

void numeros(salidaTexto& s, const double* v, int n) {
    for (int i = 0; i < n; ++i) s.exacto(v[i] == 0 ? 0.0 : v[i]) << (i + 1 < n ? "," : "");
}

// Seis componentes de dos clases (tres y tres: fuerzas y momentos, o
// traslaciones y giros), cada una sin el ruido del redondeo de su clase.
void seisSinRuido(salidaTexto& s, const double* v, double escala1, double escala2) {
    double limpio[6];
    for (int i = 0; i < 6; ++i) limpio[i] = sinRuido(v[i], i < 3 ? escala1 : escala2);
    numeros(s, limpio, 6);
}

void csvDesplazamientos(salidaTexto& s) {
    s << "combo,nudo,ux,uy,uz,giroX,giroY,giroZ\n";
    for (const casoResultado& caso : resultados.casos)
        for (const objNudo3d& n : nudo) {
            if (caso.dosValores()) break;
            if (sinResultados(caso)) continue;
            comienzoDeFila(s, caso, n.getNoNudoUsuario());
            s << ',';
            seisSinRuido(s, caso.desplazamientos.col(n.getNoNudoInterno()).data(), caso.escalas.traslaciones,
                         caso.escalas.giros);
            s << '\n';
        }
}

void csvReacciones(salidaTexto& s) {
    s << "combo,nudo,Rx,Ry,Rz,Mx,My,Mz\n";
    for (const casoResultado& caso : resultados.casos)
        for (const objNudo3d& n : nudo) {
            if (caso.dosValores()) break;
            if (!n.tieneAlgunaReaccion() || sinResultados(caso)) continue;
            comienzoDeFila(s, caso, n.getNoNudoUsuario());
            s << ',';
            seisSinRuido(s, caso.reacciones.col(n.getNoNudoInterno()).data(), caso.escalas.fuerzas,
                         caso.escalas.momentos);
            s << '\n';
        }
}

void csvFuerzasExtremos(salidaTexto& s) {
    s << "combo,barra,fx1,fy1,fz1,mx1,my1,mz1,fx2,fy2,fz2,mx2,my2,mz2\n";
    for (const casoResultado& caso : resultados.casos)
        for (const objBarra3d& b : barra) {
            if (caso.dosValores()) break;
            if (sinResultados(caso)) continue;
            comienzoDeFila(s, caso, b.getNoBarraUsuario());
            s << ',';
            const double* f = caso.barras[static_cast<size_t>(b.getNoBarraInterna())].fuerzas;
            seisSinRuido(s, f, caso.escalas.fuerzas, caso.escalas.momentos);
            s << ',';
            seisSinRuido(s, f + 6, caso.escalas.fuerzas, caso.escalas.momentos);
            s << '\n';
        }
}

void csvSolicitaciones(salidaTexto& s) {
    s << "combo,barra,esfuerzo,maximo,xMaximo,minimo,xMinimo\n";
    for (const casoResultado& caso : resultados.casos)
        for (const objBarra3d& b : barra) {
            if (caso.dosValores()) break;
            if (sinResultados(caso)) continue;
            const solicitacionesBarra& r = caso.barras[static_cast<size_t>(b.getNoBarraInterna())];
            for (int k = 0; k < kNumeroSolicitaciones; ++k) {
                const extremoSolicitacion& e = r.extremos[k];
                const bool fuerza = k == kSolicitacionN || k == kSolicitacionVy || k == kSolicitacionVz;
                const double escala = fuerza ? caso.escalas.fuerzas : caso.escalas.momentos;
                const double v[4] = {sinRuido(e.maximo, escala), e.xMaximo, sinRuido(e.minimo, escala), e.xMinimo};
                comienzoDeFila(s, caso, b.getNoBarraUsuario());
                s << ',' << kNombresSolicitaciones[k] << ',';
                numeros(s, v, 4);
                s << '\n';
            }
        }
}

// ---- Casos de dos valores (envolventes y combinaciones con sismo) ----

// El nombre del caso que manda en un extremo: el de la envolvente, o el
// caso mismo en una combinación con sismo.
const std::string& nombreQueManda(const casoResultado& caso, int indice) {
    const casoResultado* otro = casoDeResultados(resultados, indice);
    return otro ? otro->nombre : caso.nombre;
}

const char* const kComponentesDesplazamiento[6] = {"ux", "uy", "uz", "giroX", "giroY", "giroZ"};
const char* const kComponentesReaccion[6] = {"Rx", "Ry", "Rz", "Mx", "My", "Mz"};

// Una fila envolvente,nudo,componente,maximo,comboMaximo,minimo,comboMinimo.
void filaNudo(salidaTexto& s, const casoResultado& caso, int nudoUsuario, const char* componente, double maximo,
              int casoMaximo, double minimo, int casoMinimo, double escala) {
    comienzoDeFila(s, caso, nudoUsuario);
    s << ',' << componente << ',';
    const double mayor = sinRuido(maximo, escala), menor = sinRuido(minimo, escala);
    numeros(s, &mayor, 1);
    s << ',';
    campoTexto(s, nombreQueManda(caso, casoMaximo));
    s << ',';
    numeros(s, &menor, 1);
    s << ',';
    campoTexto(s, nombreQueManda(caso, casoMinimo));
    s << '\n';
}

int casoDe(const Eigen::MatrixXi& casos, int fila, Eigen::Index nudoInterno) {
    return casos.rows() == 12 && nudoInterno < casos.cols() ? casos(fila, nudoInterno) : -1;
}

void csvEnvolventeDesplazamientos(salidaTexto& s) {
    s << "envolvente,nudo,componente,maximo,comboMaximo,minimo,comboMinimo\n";
    for (const casoResultado& caso : resultados.casos) {
        if (!caso.dosValores()) continue;
        for (const objNudo3d& n : nudo) {
            const Eigen::Index j = n.getNoNudoInterno();
            for (int i = 0; i < 6; ++i)
                filaNudo(s, caso, n.getNoNudoUsuario(), kComponentesDesplazamiento[i], caso.desplazamientos(i, j),
                         casoDe(caso.casosDesplazamientos, i, j), caso.desplazamientosMinimos(i, j),
                         casoDe(caso.casosDesplazamientos, 6 + i, j),
                         i < 3 ? caso.escalas.traslaciones : caso.escalas.giros);
        }
    }
}

void csvEnvolventeReacciones(salidaTexto& s) {
    s << "envolvente,nudo,componente,maximo,comboMaximo,minimo,comboMinimo\n";
    for (const casoResultado& caso : resultados.casos) {
        if (!caso.dosValores()) continue;
        for (const objNudo3d& n : nudo) {
            if (!n.tieneAlgunaReaccion()) continue;
            const Eigen::Index j = n.getNoNudoInterno();
            for (int i = 0; i < 6; ++i)
                filaNudo(s, caso, n.getNoNudoUsuario(), kComponentesReaccion[i], caso.reacciones(i, j),
                         casoDe(caso.casosReacciones, i, j), caso.reaccionesMinimas(i, j),
                         casoDe(caso.casosReacciones, 6 + i, j), i < 3 ? caso.escalas.fuerzas : caso.escalas.momentos);
        }
    }
}

void csvEnvolventeSolicitaciones(salidaTexto& s) {
    s << "envolvente,barra,esfuerzo,maximo,xMaximo,comboMaximo,minimo,xMinimo,comboMinimo\n";
    for (const casoResultado& caso : resultados.casos) {
        if (!caso.dosValores()) continue;
        for (const objBarra3d& b : barra) {
            const solicitacionesBarra& r = caso.barras[static_cast<size_t>(b.getNoBarraInterna())];
            for (int k = 0; k < kNumeroSolicitaciones; ++k) {
                const extremoSolicitacion& e = r.extremos[k];
                const bool fuerza = k == kSolicitacionN || k == kSolicitacionVy || k == kSolicitacionVz;
                const double escala = fuerza ? caso.escalas.fuerzas : caso.escalas.momentos;
                const double mayor[2] = {sinRuido(e.maximo, escala), e.xMaximo};
                const double menor[2] = {sinRuido(e.minimo, escala), e.xMinimo};
                comienzoDeFila(s, caso, b.getNoBarraUsuario());
                s << ',' << kNombresSolicitaciones[k] << ',';
                numeros(s, mayor, 2);
                s << ',';
                campoTexto(s, nombreQueManda(caso, e.casoMaximo));
                s << ',';
                numeros(s, menor, 2);
                s << ',';
                campoTexto(s, nombreQueManda(caso, e.casoMinimo));
                s << '\n';
            }
        }
    }
}

void csvSismo(salidaTexto& s) {
    s << "caso,modo,periodo,sa,cortanteX,cortanteY,cortanteZ\n";
    for (size_t e = 0; e < resultados.sismos.size(); ++e) {
        const resultadoSismico& r = resultados.sismos[e];
        for (size_t k = 0; k < r.periodos.size(); ++k) {
            campoTexto(s, r.nombre);
            s << ',' << static_cast<long long>(k + 1) << ',';
            const Eigen::Index m = static_cast<Eigen::Index>(k);
            const double v[5] = {r.periodos[k], r.aceleraciones[k], cortanteModalSinRuido(resultados, e, m, 0),
                                 cortanteModalSinRuido(resultados, e, m, 1), cortanteModalSinRuido(resultados, e, m, 2)};
            numeros(s, v, 5);
            s << '\n';
        }
    }
}

}  // namespace

bool escribirCsv(const std::string& carpeta) {
    const struct {
        const char* nombre;
        void (*escribir)(salidaTexto&);
    } archivos[] = {{"desplazamientos.csv", csvDesplazamientos},
                    {"reacciones.csv", csvReacciones},
                    {"fuerzasExtremos.csv", csvFuerzasExtremos},
                    {"solicitaciones.csv", csvSolicitaciones}};
    const struct {
        const char* nombre;
        void (*escribir)(salidaTexto&);
    } modales[] = {{"modos.csv", csvModos}, {"formasModales.csv", csvFormasModales}};
    std::vector<std::pair<const char*, void (*)(salidaTexto&)>> todos;
    for (const auto& a : archivos) todos.emplace_back(a.nombre, a.escribir);
    if (!resultados.modos.empty())
        for (const auto& a : modales) todos.emplace_back(a.nombre, a.escribir);
    if (!resultados.pandeo.empty()) {
        todos.emplace_back("pandeo.csv", csvPandeo);
        todos.emplace_back("formasPandeo.csv", csvFormasPandeo);
    }
    if (!resultados.sismos.empty()) todos.emplace_back("sismo.csv", csvSismo);
    if (std::any_of(resultados.casos.begin(), resultados.casos.end(), [](const casoResultado& c) { return c.dosValores(); })) {
        todos.emplace_back("envolventeDesplazamientos.csv", csvEnvolventeDesplazamientos);
        todos.emplace_back("envolventeReacciones.csv", csvEnvolventeReacciones);
        todos.emplace_back("envolventeSolicitaciones.csv", csvEnvolventeSolicitaciones);
    }
    if (!diafragmas.empty()) todos.emplace_back("diafragmas.csv", csvDiafragmas);
    std::error_code error;
    std::filesystem::create_directories(carpeta, error);
    bool correcto = std::filesystem::is_directory(carpeta, error);
    std::vector<std::unique_ptr<archivoAtomico>> escritos;
    for (const auto& [nombre, escribir] : todos) {
        if (!correcto) break;
        escritos.push_back(std::make_unique<archivoAtomico>((std::filesystem::path(carpeta) / nombre).string()));
        archivoAtomico& archivo = *escritos.back();
        salidaTexto salida([&archivo](const char* d, std::size_t n) { return archivo.escribir(d, n); });
        if (archivo.abierto()) escribir(salida);
        correcto = archivo.abierto() && salida.vaciar();
    }
    for (auto& archivo : escritos) correcto = correcto && archivo->confirmar();
    if (!correcto) mensajes.error("Error: no se pudo escribir en la carpeta " + carpeta);
    return correcto;
}
