#include "reporte/archivosCsv.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "globales.h"
#include "reporte/archivoAtomico.h"
#include "reporte/bloqueModal.h"
#include "reporte/extremosSolicitaciones.h"
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

void comienzoDeFila(salidaTexto& s, int c, int numero) {
    campoTexto(s, nombresCombos[static_cast<size_t>(c)]);
    s << ',' << numero;
}

void numeros(salidaTexto& s, const double* v, int n) {
    for (int i = 0; i < n; ++i) s.exacto(v[i] == 0 ? 0.0 : v[i]) << (i + 1 < n ? "," : "");
}

void csvDesplazamientos(salidaTexto& s) {
    s << "combo,nudo,ux,uy,uz,giroX,giroY,giroZ\n";
    for (int c = 0; c < noCombos; ++c)
        for (const objNudo3d& n : nudo) {
            const double d[6] = {n.getDesplazamientoX(c), n.getDesplazamientoY(c), n.getDesplazamientoZ(c),
                                 n.getGiroX(c),          n.getGiroY(c),          n.getGiroZ(c)};
            comienzoDeFila(s, c, n.getNoNudoUsuario());
            s << ',';
            numeros(s, d, 6);
            s << '\n';
        }
}

void csvReacciones(salidaTexto& s) {
    s << "combo,nudo,Rx,Ry,Rz,Mx,My,Mz\n";
    for (int c = 0; c < noCombos; ++c)
        for (const objNudo3d& n : nudo) {
            if (!n.tieneAlgunaReaccion()) continue;
            const Eigen::Matrix<double, 6, 1> r = n.getReaccionesDeApoyo(c);
            comienzoDeFila(s, c, n.getNoNudoUsuario());
            s << ',';
            numeros(s, r.data(), 6);
            s << '\n';
        }
}

void csvFuerzasExtremos(salidaTexto& s) {
    s << "combo,barra,fx1,fy1,fz1,mx1,my1,mz1,fx2,fy2,fz2,mx2,my2,mz2\n";
    for (int c = 0; c < noCombos; ++c)
        for (objBarra3d& b : barra) {
            const Eigen::MatrixXd f = b.getFuerzasExtremos();
            if (f.rows() != 12 || c >= f.cols()) continue;
            const Eigen::Matrix<double, 12, 1> columna = f.col(c);
            comienzoDeFila(s, c, b.getNoBarraUsuario());
            s << ',';
            numeros(s, columna.data(), 12);
            s << '\n';
        }
}

void csvSolicitaciones(salidaTexto& s) {
    s << "combo,barra,esfuerzo,maximo,xMaximo,minimo,xMinimo\n";
    for (int c = 0; c < noCombos; ++c)
        for (objBarra3d& b : barra) {
            if (!b.tieneResultados() || c >= b.getMatrizCargasCombo().rows()) continue;
            const auto extremos = extremosSolicitaciones(b, c);
            for (int k = 0; k < kNumeroSolicitaciones; ++k) {
                const extremoSolicitacion& e = extremos[static_cast<size_t>(k)];
                const double v[4] = {e.maximo, e.xMaximo, e.minimo, e.xMinimo};
                comienzoDeFila(s, c, b.getNoBarraUsuario());
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
    if (!modosVibracion.empty())
        for (const auto& a : modales) todos.emplace_back(a.nombre, a.escribir);
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
    if (!correcto) std::cout << "Error: no se pudo escribir en la carpeta " << carpeta << std::endl;
    return correcto;
}
