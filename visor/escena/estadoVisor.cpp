#include "visor/escena/estadoVisor.h"

int wVentana = 0, hVentana = 0;
double xMin = 0, xMax = 0, yMin = 0, yMax = 0, zMin = 0, zMax = 0;
double xCentroObj = 0, yCentroObj = 0, zCentroObj = 0;
double xCam = 0, yCam = 0, zCam = 0;
double diagonal = 0;
double distCamObj = 0;
double azimutCamara = 0;

int clickIzq = 0, clickCentro = 0;
int xLast = 0, yLast = 0;
int xClickIzq = 0, yClickIzq = 0;
double deltaAngHoriz = 0, deltaAngVert = 0;

std::vector<int> flags(kNumeroFlags, 0);

bool flagActivo(int i) {
    if (i < 0 || i >= static_cast<int>(flags.size())) return false;
    return (flags[static_cast<size_t>(i)] & 1) != 0;
}

void interruptoresIniciales() {
    flags.assign(kNumeroFlags, 0);
    for (int i : {kFlagApoyos, kFlagEjes, kFlagTextosDiagramas, kFlagLineasInternas, kFlagEsferasNudos,
                  kFlagPerspectiva})
        flags[static_cast<size_t>(i)] = 1;
    flags[kFlagAyudaGeneral] = 0;
    flags[kFlagPaginaAyuda] = 0;
}

std::string comando;
std::string dialogo = "Comando:";
ModoLinea modoLinea = ModoLinea::Ordenes;
int numeroComboCoincidente = -1;

std::vector<int> barrasAisladas;
std::vector<int> nudosAislados;
int barraResaltada = -1;
unsigned revisionModelo = 0;
