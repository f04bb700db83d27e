// Entorno de las pruebas del visor sin ventana: la ventana y el proceso se
// reemplazan por registros, los modelos se cargan de archivos temporales y
// los puntos de la cámara se comparan con unas pocas cuentas de vectores.
#pragma once

#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "analisis/funcionSolve.h"
#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "tests/nucleo/utilidades.h"
#include "visor/escena/animacionModal.h"
#include "visor/escena/camara.h"
#include "visor/escena/estadoVisor.h"
#include "visor/escena/formaPandeo.h"
#include "visor/escena/ventanaSistema.h"
#include "visor/interaccion/interruptores.h"
#include "visor/interaccion/raton.h"
#include "visor/interaccion/teclado.h"
#include "visor/interaccion/vistaCamara.h"


inline std::ostream& operator<<(std::ostream& s, const Punto3& p) {
    return s << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}
inline Punto3 resta(const Punto3& a, const Punto3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline double norma(const Punto3& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
inline Punto3 unitario(const Punto3& a) { return {a.x / norma(a), a.y / norma(a), a.z / norma(a)}; }
inline bool finito(const Punto3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }
inline void esperarCerca(const Punto3& real, const Punto3& esperado, double tolerancia = 1e-9) {
    EXPECT_NEAR(distancia(real, esperado), 0.0, tolerancia) << real << " en vez de " << esperado;
}

// Coordenadas normalizadas (-1 a 1 en pantalla) del punto con la cámara y la
// proyección actuales en una ventana de ancho x alto, como gluLookAt y la
// proyección de changeSize.
inline Eigen::Vector3d coordenadasNormalizadas(const Punto3& p, int ancho, int alto) {
    const Eigen::Vector3d o(xCam, yCam, zCam), t(xCentroObj, yCentroObj, zCentroObj);
    const Punto3 a = vectorArriba({xCam, yCam, zCam}, {xCentroObj, yCentroObj, zCentroObj}, azimutCamara);
    const Eigen::Vector3d f = (t - o).normalized(), s = f.cross(Eigen::Vector3d(a.x, a.y, a.z)).normalized();
    const Eigen::Vector3d u = s.cross(f), q = Eigen::Vector3d(p.x, p.y, p.z) - o;
    const Eigen::Vector3d ojo(q.dot(s), q.dot(u), -q.dot(f));  // en el marco de la cámara
    const Proyeccion pr = proyeccion(ancho, alto, flagActivo(kFlagPerspectiva), distCamObj);
    if (pr.perspectiva) {
        const double c = 1 / std::tan(pr.campoVertical / 2 * PI / 180);
        return {c / pr.aspecto * ojo.x() / -ojo.z(), c * ojo.y() / -ojo.z(), -ojo.z()};
    }
    return {2 * ojo.x() / (pr.derecha - pr.izquierda), 2 * ojo.y() / (pr.arriba - pr.abajo), -ojo.z()};
}

// Carga el modelo en silencio y lo deja todo a la vista, como al abrir el
// visor; si se pide, lo analiza. El archivo queda para que F5 lo vuelva a leer.
inline std::unique_ptr<ArchivoTemporal> archivoModelo;
inline bool cargar(const std::string& texto, bool analizar = false) {
    archivoModelo = std::make_unique<ArchivoTemporal>(texto);
    nombreArchivo = archivoModelo->ruta();
    CapturaConsola silencio;
    funcionLeerArchivo();
    nudosAislados.assign(nudo.size(), 1);
    barrasAisladas.assign(barra.size(), 1);
    return analizar && funcionSolve();
}

// Ménsula empotrada en el nudo 1: barras 3 (nudos 1-2), 7 (2-3) y 5 (3-4); dos combinaciones.
inline const char* const kMensula =
    "nudos: 1 0 0 0  2 5 0 0  3 10 0 0  4 15 0 0\nbarras: 3 1 2  7 2 3  5 3 4\napoyo: 1 1 1 1 1 1  1\n"
    "seccionRectangular: R 0.2 0.5 25e6 0.2 24  3 7 5\npuntual: P 0 0 -10 0 0 0  4\n"
    "combo: C1 1 P\ncombo: C2 2 P\n";

struct SistemaFalso {
    int modificadores = 0, redibujos = 0;
    std::vector<int> salidas, anchosRedimensionados;
    std::vector<bool> redibujoContinuo;  // cada pedido de redibujo continuo (verdadero) y cada fin
};
inline SistemaFalso falso;

// Visor recién abierto con la ménsula, sin ventana.
class EntornoVisor : public ::testing::Test {
protected:
    void SetUp() override {
        falso = SistemaFalso{};
        ventanaSistema::modificadores = [] { return falso.modificadores; };
        ventanaSistema::anchoVentana = [] { return 700; };
        ventanaSistema::altoVentana = [] { return 500; };
        ventanaSistema::redimensionar = [](int w, int) { falso.anchosRedimensionados.push_back(w); };
        ventanaSistema::pedirRedibujo = [] { ++falso.redibujos; };
        ventanaSistema::terminarPrograma = [](int estado) { falso.salidas.push_back(estado); };
        ventanaSistema::redibujoContinuo = [](bool activo) { falso.redibujoContinuo.push_back(activo); };
        animarModo(0);
        mostrarPandeo(0);
        falso.redibujoContinuo.clear();
        interruptoresIniciales();
        dialogo = "Comando:";
        modoLinea = ModoLinea::Ordenes;
        comando.clear();
        xClickIzq = yClickIzq = 0;
        wVentana = hVentana = 0;  // sin ventana: las capas con todo su detalle
        cargar(kMensula);
    }
    void TearDown() override {
        animarModo(0);  // con el sistema falso: sin ventana no hay a quién pedir que deje de redibujar
        ventanaSistema::usarSinVentana();
    }

    // Teclea cada texto seguido de Return.
    template <class... Textos>
    static void orden(const Textos&... textos) {
        for (const std::string& texto : {std::string(textos)...}) {
            for (char c : texto) teclado(static_cast<unsigned char>(c), 0, 0);
            teclado(13, 0, 0);
        }
    }
    // Aislamiento de barras y nudos, como "110/1110".
    static std::string visibles() {
        std::string s;
        for (int b : barrasAisladas) s += std::to_string(b);
        s += "/";
        for (int n : nudosAislados) s += std::to_string(n);
        return s;
    }
};
