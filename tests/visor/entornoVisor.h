// Entorno de las pruebas del teclado y del panel: reemplaza la ventana y el
// proceso por registros, carga modelos desde archivos temporales y escribe
// órdenes como si se tecleasen.
#pragma once

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "entrada/funcionLeerArchivo.h"
#include "globales.h"
#include "tests/nucleo/utilidades.h"
#include "visor/estadoVisor.h"
#include "visor/teclado.h"
#include "visor/ventanaSistema.h"

// Lo que el código pidió a la "ventana".
struct SistemaFalso {
    int modificadores = 0;
    int ancho = 1000, alto = 800;
    int redibujos = 0;
    std::vector<std::pair<int, int>> redimensiones;
    std::vector<int> salidas;
};
inline SistemaFalso& sistemaFalso() {
    static SistemaFalso s;
    return s;
}

// Ménsula de tres tramos con barras de números salteados (3, 7 y 5) y dos combinaciones.
inline const char* const kModeloMensula =
    "nudos: 1 0 0 0  2 5 0 0  3 10 0 0  4 15 0 0\n"
    "barras: 3 1 2  7 2 3  5 3 4\n"
    "apoyo: 1 1 1 1 1 1  1\n"
    "seccionRectangular: R 0.2 0.5 25e6 0.2 24  3 7 5\n"
    "puntual: P 0 0 -10 0 0 0  4\n"
    "combo: C1 1 P\n"
    "combo: C2 2 P\n";

class EntornoVisor : public ::testing::Test {
protected:
    void SetUp() override {
        sistemaFalso() = SistemaFalso{};
        ventanaSistema::modificadores = [] { return sistemaFalso().modificadores; };
        ventanaSistema::anchoVentana = [] { return sistemaFalso().ancho; };
        ventanaSistema::altoVentana = [] { return sistemaFalso().alto; };
        ventanaSistema::redimensionar = [](int w, int h) { sistemaFalso().redimensiones.emplace_back(w, h); };
        ventanaSistema::pedirRedibujo = [] { ++sistemaFalso().redibujos; };
        ventanaSistema::terminarPrograma = [](int estado) { sistemaFalso().salidas.push_back(estado); };
        interruptoresIniciales();
        dialogo = "Comando:";
        comando.clear();
        numeroComboCoincidente = -1;
        xClickIzq = yClickIzq = 0;
        cargarModelo("");
    }
    void TearDown() override { ventanaSistema::usarSistemaReal(); }

    // Carga el modelo del texto (en silencio) y muestra todo, como al abrir el visor.
    void cargarModelo(const std::string& texto) {
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
    // Interruptores encendidos entre 0 y 21 (capas, etiquetas y ayudas).
    static std::vector<int> encendidos() {
        std::vector<int> r;
        for (int i = 0; i <= 21; ++i)
            if (flagActivo(i)) r.push_back(i);
        return r;
    }
    // Número interno de la barra de usuario n (o nudo).
    static size_t b(int n) { return static_cast<size_t>(internoDeBarra(n)); }
    static size_t nd(int n) { return static_cast<size_t>(internoDeNudo(n)); }

    std::unique_ptr<ArchivoTemporal> archivo;
};
