#include "reporte/archivosCsv.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "diagnosticos.h"
#include "globales.h"
#include "reporte/archivoAtomico.h"
#include "reporte/bloqueModal.h"
#include "reporte/bloquePandeo.h"
#include "reporte/salidaTexto.h"

namespace {

// Un nombre con coma o comillas va entre comillas, con las comillas duplicadas.
void campoTexto(salidaTexto& s, const std::string& texto) {
    if (texto.find_first_of(",\"\r\n") == std::string::npos) {
        s << texto;
        return;
    }
    s << '"';
    for (char ch : texto) {
        if (ch == '"') s << '"';
        s << ch;
    }
    s << '"';
}

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
