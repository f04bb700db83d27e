// Entorno de las pruebas del visor sin ventana: la ventana y el proceso se
// reemplazan por registros y los modelos se cargan de archivos temporales.
#pragma once

#include <GL/freeglut.h>

#include <memory>
#include <string>
#include <vector>

#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "tests/nucleo/utilidades.h"
#include "visor/estadoVisor.h"
#include "visor/teclado.h"
#include "visor/ventanaSistema.h"

struct SistemaFalso {
    int modificadores = 0, redibujos = 0;
    std::vector<int> salidas, anchosRedimensionados;
};
inline SistemaFalso falso;

// Ménsula: barras 3 (nudos 1-2), 7 (2-3) y 5 (3-4); dos combinaciones.
inline const char* const kMensula =
    "nudos: 1 0 0 0  2 5 0 0  3 10 0 0  4 15 0 0\nbarras: 3 1 2  7 2 3  5 3 4\napoyo: 1 1 1 1 1 1  1\n"
    "seccionRectangular: R 0.2 0.5 25e6 0.2 24  3 7 5\npuntual: P 0 0 -10 0 0 0  4\n"
    "combo: C1 1 P\ncombo: C2 2 P\n";

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
        interruptoresIniciales();
        dialogo = "Comando:";
        comando.clear();
        xClickIzq = yClickIzq = 0;
        cargar(kMensula);
    }
    void TearDown() override { ventanaSistema::usarSistemaReal(); }

    // Carga en silencio y muestra todo, como al abrir el visor.
    void cargar(const std::string& texto) {
        archivo = std::make_unique<ArchivoTemporal>(texto);
        nombreArchivo = archivo->ruta();
        CapturaConsola silencio;
        funcionLeerArchivo();
        nudosAislados.assign(nudo.size(), 1);
        barrasAisladas.assign(barra.size(), 1);
    }
    // Teclea el texto y Return.
    static void orden(const std::string& texto) {
        for (char c : texto) teclado(static_cast<unsigned char>(c), 0, 0);
        teclado(13, 0, 0);
    }
    std::unique_ptr<ArchivoTemporal> archivo;
};
