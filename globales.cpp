#include "globales.h"

std::string nombreArchivo = "ingresoDatos.txt";
int noNudos = 0;
int noBarras = 0;
int noCombos = 0;
std::vector<int> punteroNudos;
std::vector<int> punteroBarras;
std::vector<objNudo3d> nudo;
std::vector<objBarra3d> barra;
std::vector<combinacion> combinaciones;
std::vector<std::string> casosDeCarga;
bool archivoDatosAbierto = false;
int erroresDeEntrada = 0;

int precision = 3;
double escalaTexto = 0.15;
double escalaDef = 100.0;
double escalaMy = 0.02;
double escalaMz = 0.02;
double escalaVy = 0.05;
double escalaVz = 0.05;
double escalaN = 0.01;
double escalaT = 0.01;
double escalaApoyo = 0.0;
double escalaCarga = 0.1;

void ajustesPorDefecto() {
    precision = 3;
    escalaTexto = 0.15;
    escalaDef = 100.0;
    escalaMy = 0.02;
    escalaMz = 0.02;
    escalaVy = 0.05;
    escalaVz = 0.05;
    escalaN = 0.01;
    escalaT = 0.01;
    escalaApoyo = 0.0;
    escalaCarga = 0.1;
}

int modosPedidos = 0;
std::vector<int> combosSegundoOrden;
int comboSegundoOrdenModal = -1;
std::vector<pedidoPandeo> pedidosPandeo;
double gravedad = kGravedadPorDefecto;
resultadosAnalisis resultados;

int internoDeNudo(long long numero) {
    if (numero < 0 || numero >= static_cast<long long>(punteroNudos.size())) return -1;
    const int i = punteroNudos[static_cast<size_t>(numero)];
    if (i < 0 || i >= static_cast<int>(nudo.size()) || nudo[static_cast<size_t>(i)].getNoNudoUsuario() != numero)
        return -1;
    return i;
}

int internoDeBarra(long long numero) {
    if (numero < 0 || numero >= static_cast<long long>(punteroBarras.size())) return -1;
    const int i = punteroBarras[static_cast<size_t>(numero)];
    if (i < 0 || i >= static_cast<int>(barra.size()) || barra[static_cast<size_t>(i)].getNoBarraUsuario() != numero)
        return -1;
    return i;
}
