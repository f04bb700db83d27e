#include "reporte/funcionPrint.h"

#include <algorithm>
#include <deque>
#include <future>
#include <string>

#include "analisis/barrasEnParalelo.h"

#include "diagnosticos.h"
#include "globales.h"
#include "reporte/bloqueModal.h"
#include "reporte/bloquePandeo.h"
#include "reporte/bloquesDeTablas.h"
#include "reporte/bloquesDerivados.h"
#include "reporte/consolaLotes.h"
#include "reporte/salidaDiafragmas.h"
#include "reporte/archivoAtomico.h"
#include "reporte/formatoDisperso.h"

namespace {

void escribirBarra(salidaTexto& os, const objBarra3d& b) {
    os << "\n";
    os << "#Barra Interna: " << b.getNoBarraInterna() << "\n";
    os << "#Barra Usuario: " << b.getNoBarraUsuario() << "\n";
    os << "   Longitud: " << b.getLongitud() << "\n";
    os << "   Alfa: " << b.getAlfaDeg() << "\n";
    os << "   Beta: " << b.getBetaDeg() << "\n";
    os << "   Gamma: " << b.getGammaDeg() << "\n" << "\n";
    os << "   Sección: " << b.getNombreDeSeccion() << "\n";
    os << "   Area: " << b.getArea() << "\n";
    os << "   Iy: " << b.getIy() << "\n";
    os << "   Iz: " << b.getIz() << "\n";
    os << "   E: " << b.getModE() << "\n";
    os << "   J: " << b.getModJ() << "\n";
    os << "   G: " << b.getModG() << "\n" << "\n";
    os << "   GDL: " << b.getGdl().transpose() << "\n";
    os << "   kLocal: " << "\n" << b.getKLocal() << "\n";
    os << "   kGlobal: " << "\n" << b.getKGlobal() << "\n";
    os << "\n" << "Cargas de combo: [fx1 fx2 qy1, qy2, qz1, qz2, torsion]" << "\n";
    const Eigen::MatrixXd& cargas = b.getMatrizCargasCombo();
    for (int i = 0; i < noCombos && i < static_cast<int>(combinaciones.size()) && i < cargas.rows(); ++i) {
        os << "   combo: " << combinaciones[static_cast<size_t>(i)].nombre << "\n";
        os << cargas.row(i) << "\n";
    }
    if (b.tieneTemperatura()) {
        os << "\n" << "Temperatura de combo: [alfa*DT, alfa*GY, alfa*GZ]" << "\n";
        const Eigen::MatrixXd& termica = b.getMatrizTermicaCombo();
        for (int i = 0; i < noCombos && i < static_cast<int>(combinaciones.size()) && i < termica.rows(); ++i) {
            os << "   combo: " << combinaciones[static_cast<size_t>(i)].nombre << "\n";
            os << termica.row(i) << "\n";
        }
    }
    os << "\n" << "Cargas equivalentes locales: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 mx10 my11 mz12]trans" << "\n";
    os << b.getCargasEquivalentesLocales() << "\n";
    os << "\n"
       << "Resultado de Fuerzas Internas en Extremos: [fx1 fy2 fz3 mx4 my5 mz6 fx7 fy8 fz9 mx10 my11 mz12]trans"
       << "\n";
    os << fuerzasExtremos(resultados, b.getNoBarraInterna()) << "\n";
    os << "\n" << "\n";
}

// Barras por tramo cuando el texto de las barras se arma en dos hilos.
constexpr size_t kBarrasPorTramo = 250;

// El texto de las barras [desde, hasta).
std::string textoBarras(size_t desde, size_t hasta) {
    std::string texto;
    {
        salidaTexto s([&texto](const char* d, std::size_t n) {
            texto.append(d, n);
            return true;
        });
        for (size_t i = desde; i < hasta; ++i) escribirBarra(s, barra[i]);
    }
    return texto;
}

// Las barras, en su orden. Con muchas, el texto se arma por tramos, dos a la
// vez en otros hilos, mientras éste escribe el tramo anterior (el texto es el
// mismo: cada barra sólo lee lo suyo); en memoria hay a lo sumo tres tramos.
void escribirBarras(salidaTexto& os) {
    if (barra.size() < kBarrasParaDosHilos) {
        for (const objBarra3d& b : barra) {
            // Si el destino ya falló (disco lleno) no tiene sentido seguir armando texto.
            if (!os.correcta()) return;
            escribirBarra(os, b);
        }
        return;
    }
    std::deque<std::future<std::string>> tramos;
    size_t proximo = 0;
    const auto lanzar = [&]() {
        if (proximo >= barra.size()) return;
        const size_t hasta = std::min(proximo + kBarrasPorTramo, barra.size());
        tramos.push_back(std::async(std::launch::async, textoBarras, proximo, hasta));
        proximo = hasta;
    };
    lanzar();
    lanzar();
    while (!tramos.empty()) {
        const std::string texto = tramos.front().get();
        tramos.pop_front();
        if (!os.correcta()) continue;  // los que ya empezaron terminan; no se lanzan más
        lanzar();
        os << std::string_view(texto);
    }
}

}  // namespace

void escribirReporte(salidaTexto& os) {
    os << "****************NUDOS:*******************" << "\n";
    os << "#nudo interno | #nudoUsuario | X | Y | Z" << "\n";
    for (const objNudo3d& n : nudo)
        os << n.getNoNudoInterno() << " " << n.getNoNudoUsuario() << " " << n.getX() << " " << n.getY() << " "
           << n.getZ() << "\n";
    os << "\n\n\n" << "****************BARRAS:*******************" << "\n";
    escribirBarras(os);
    if (!os.correcta()) return;
    os << "\n\n\n" << "************MATRIZ K ESTRUCTURA***************" << "\n";
    const Eigen::SparseMatrix<double>& k = resultados.rigidez;
    if (k.rows() <= kGradosRigidezDensa)
        escribirDispersaComoDensa(os, k);
    else
        escribirTrianguloSuperior(os, k);
    os << "\n";
    os << "\n\n\n" << "************VECTOR DE CARGAS PUNTUALES ESTRUCTURA***************" << "\n"
       << resultados.cargasPuntuales << "\n";
    os << "\n\n\n" << "************VECTOR DE CARGAS DISTRIBUIDAS EQUIVALENTES***************" << "\n"
       << resultados.cargasDistribuidas << "\n";
    escribirBloqueSegundoOrden(os);
    os << "\n\n\n" << "************DESPLAZAMIENTOS***************" << "\n" << "vector u:" << "\n"
       << matrizDesplazamientos(resultados) << "\n";
    // Las barras de solo tracción o compresión que cada combinación desactivó.
    bool primera = true;
    for (const casoResultado& caso : resultados.casos) {
        if (caso.barrasInactivas.empty()) continue;
        if (primera) os << "\n";
        primera = false;
        os << lineaBarrasInactivas(caso) << "\n";
    }
    escribirBloqueModal(os);
    escribirBloquePandeo(os);
    escribirBloquesDerivados(os);
    bloqueDiafragmas(os);
    escribirBloquesDeTablas(os);
}

void escribirReporte(std::ostream& os) {
    salidaTexto salida(os);
    escribirReporte(salida);
}

bool funcionPrint() {
    archivoAtomico archivo("resultados.txt");
    bool correcto = archivo.abierto();
    if (correcto) {
        salidaTexto salida([&archivo](const char* d, std::size_t n) { return archivo.escribir(d, n); });
        escribirReporte(salida);
        correcto = salida.vaciar() && archivo.confirmar();
    }
    if (!correcto) mensajes.error("Error: no se pudo escribir el archivo resultados.txt");
    return correcto;
}
