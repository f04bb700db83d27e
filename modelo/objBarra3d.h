// Barra del pórtico espacial: elemento recto entre dos nudos con seis grados de
// libertad en cada extremo. Los miembros se reparten por tema en varios archivos:
//   barraGeometria.cpp      identidad, nudos, longitud, ángulos, ejes locales, T, gdl
//   barraSeccion.cpp        secciones, material, peso específico, contorno
//   barraRigidez.cpp        liberaciones de extremo, kLocal y kGlobal
//   barraCargas.cpp         cargas distribuidas por caso y combinaciones
//   barraCargasEquivalentes.cpp  cargas nodales equivalentes y fuerzas de extremo
//   barraMasa.cpp           matriz de masa consistente
//   barraSolicitaciones.cpp resultados del análisis (desplazamientos, fuerzas de
//                           extremo, constantes de integración, ceros del corte y
//                           momentos extremos) y las funciones N V M T y la deformada
//
// Los resultados de un análisis se calculan una sola vez, cuando el análisis
// entrega los desplazamientos (setDesplazamientos), y se guardan en un bloque;
// todas las consultas de resultados sólo leen ese bloque. Un análisis fallido o
// una recarga lo vacían (borrarResultados).
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

#include "constantes.h"

class objBarra3d {
public:
    objBarra3d();

    // ---- Identidad, nudos y geometría ----
    void resetFlags();
    void setNoBarraInterna(int n);
    void setNoBarraUsuario(int n);
    void setNudoInicio(int nudoInterno, double x, double y, double z);
    void setNudoFinal(int nudoInterno, double x, double y, double z);
    void setNudoInicioUsuario(int n) { nudoInicioUsuario = n; }
    void setNudoFinalUsuario(int n) { nudoFinalUsuario = n; }
    void calcLongitudesAngulos();
    void setRotacion(double anguloGrados);
    // Matriz de transformación de componentes globales a locales (12x12,
    // diagonal por bloques con R en cada bloque).
    Eigen::MatrixXd getT() const;
    Eigen::VectorXi getGdl() const;
    // Matriz de rotación R = rotacionX·rotacionY·rotacionZ: sus filas son los
    // ejes locales x, y, z en componentes globales.
    Eigen::Matrix3d getRotacion() const;

    double getLongitud() const { return longitud; }
    double getAlfa() const { return alfa; }
    double getBeta() const { return beta; }
    double getGamma() const { return gamma; }
    double getAlfaDeg() const { return 180.0 * alfa / pi; }
    double getBetaDeg() const { return 180.0 * beta / pi; }
    double getGammaDeg() const { return 180.0 * gamma / pi; }
    double getXi() const { return xi; }
    double getYi() const { return yi; }
    double getZi() const { return zi; }
    double getXf() const { return xf; }
    double getYf() const { return yf; }
    double getZf() const { return zf; }
    int getNudoInicioInterno() const { return nudoInicioInterno; }
    int getNudoFinalInterno() const { return nudoFinalInterno; }
    int getNudoInicioUsuario() const { return nudoInicioUsuario; }
    int getNudoFinalUsuario() const { return nudoFinalUsuario; }
    int getNoBarraInterna() const { return noBarraInterna; }
    int getNoBarraUsuario() const { return noBarraUsuario; }

    // ---- Sección y material ----
    void setNombreDeSeccion(std::string nombre);
    void setSeccionGenerica(double area, double inerciaY, double inerciaZ, double moduloJ);
    void setSeccionRectangular(double base, double altura);
    void setSeccionPlaca(double base, double altura);
    void setSeccionCostanera(double ala, double alma, double labio, double espesor, double radio);
    void setSeccionW(double ala, double grosorAla, double alma, double grosorAlma);
    void setModuloEyPoisson(double E, double poisson);
    void setPesoEspecifico(double peso) { pesoEspecifico = peso; }
    double getArea() const { return area; }
    double getIy() const { return iy; }
    double getIz() const { return iz; }
    double getModJ() const { return modJ; }
    double getModE() const { return modE; }
    double getModG() const { return modG; }
    double getModPoisson() const { return modPoisson; }
    double getFactorDeForma() const { return factorDeForma; }
    double getPesoEspecifico() const { return pesoEspecifico; }
    std::string getNombreDeSeccion() const;
    bool getBoolSeccion() const { return flagsBarra[kFlagNombreSeccion] == 1; }
    int getCodigoSeccion() const { return codigoSeccion; }
    Eigen::MatrixXd getPerimetroSeccion() const { return perimetroSeccion; }

    // ---- Rigidez con liberaciones de extremo ----
    void setArticulacion(double articInicioY, double articFinY, double articInicioZ, double articFinZ);
    double getArtIniY() const { return articInicioY; }
    double getArtFinY() const { return articFinY; }
    double getArtIniZ() const { return articInicioZ; }
    double getArtFinZ() const { return articFinZ; }
    Eigen::MatrixXd getKLocal() const;
    Eigen::MatrixXd getKGlobal() const;
    // Rigidez natural: la que relaciona los esfuerzos de la barra con sus
    // deformaciones (alargamiento, giro de torsión y, en cada plano, los giros
    // de los extremos respecto de la cuerda). kLocal es esta misma rigidez
    // vista desde los doce desplazamientos de extremo. Una rótula deja su fila
    // en cero exacto. Sin sección ni material todo es cero (sin aviso).
    struct rigidezNatural {
        double axial = 0.0;    // E·A/L
        double torsion = 0.0;  // G·J/L
        // Momentos de extremo por giro de extremo: (inicio-inicio, inicio-fin,
        // fin-fin). Plano x-y (momentos alrededor de z local, con Iz) y plano
        // x-z (alrededor de y local, con Iy).
        double planoY[3] = {0.0, 0.0, 0.0};
        double planoZ[3] = {0.0, 0.0, 0.0};
    };
    rigidezNatural getRigidezNatural() const;

    // ---- Masa (análisis modal) ----
    // Matriz de masa consistente (12x12) con masa por unidad de largo
    // pesoEspecifico·area/gravedad; cero sin sección o sin peso.
    Eigen::MatrixXd getMasaLocal(double gravedad) const;
    Eigen::MatrixXd getMasaGlobal(double gravedad) const;

    // ---- Cargas y combinaciones ----
    void setDistribuidaLocalX(std::string casoCarga, double fIni, double fFin);
    void setDistribuidaLocalY(std::string casoCarga, double qYIni, double qYFin);
    void setDistribuidaLocalZ(std::string casoCarga, double qZIni, double qZFin);
    void setDistribuidaLocalT(std::string casoCarga, double torsion);
    void setDistribuidaGlobal(std::string casoCarga, double qIzq, double qDer,
                              double dirX, double dirY, double dirZ);
    void setPesoPropio(std::string casoCarga);
    void setCombo(std::string nombreCombo, double factor, std::string casoCarga);
    std::vector<std::string> getEtiquetasCombo() const { return etiquetasCombo; }
    Eigen::MatrixXd getMatrizCargasCombo() const { return matrizCargasCombo; }
    int getCantidadDeCombos() const { return static_cast<int>(etiquetasCombo.size()); }
    double getFxIniCombo(int c) const { return matrizCargasCombo(c, 0); }
    double getFxFinCombo(int c) const { return matrizCargasCombo(c, 1); }
    double getFyIniCombo(int c) const { return matrizCargasCombo(c, 2); }
    double getFyFinCombo(int c) const { return matrizCargasCombo(c, 3); }
    double getFzIniCombo(int c) const { return matrizCargasCombo(c, 4); }
    double getFzFinCombo(int c) const { return matrizCargasCombo(c, 5); }
    double getTCombo(int c) const { return matrizCargasCombo(c, 6); }

    // ---- Cargas equivalentes y fuerzas de extremo ----
    Eigen::MatrixXd getCargasEquivalentesLocales() const;
    Eigen::MatrixXd getCargasEquivalentesGlobales() const;
    // Fuerzas de extremo del último análisis (ceros si no hay resultados).
    Eigen::MatrixXd getFuerzasExtremos() const;
    // Fuerzas que los nudos ejercen sobre la barra (ejes locales, sin las
    // cargas de tramo) para los desplazamientos globales u1, u2 de sus nudos,
    // calculadas desde las deformaciones naturales: un movimiento de cuerpo
    // rígido no da fuerzas y las doce están siempre en equilibrio. Devuelve la
    // energía de deformación. k es getRigidezNatural(), que el que llama puede
    // guardar para no recalcularla.
    long double fuerzasPorDeformacion(const rigidezNatural& k, const double* u1, const double* u2,
                                      long double fuerzas[12]) const;

    // ---- Resultados del análisis: solicitaciones y deformada ----
    // Guarda los desplazamientos de la barra (las filas de U de sus grados de
    // libertad) y calcula de una vez todos sus resultados.
    void setDesplazamientos(const Eigen::MatrixXd& U);
    // Descarta todos los resultados (análisis fallido o modelo recargado).
    void borrarResultados();
    bool tieneResultados() const { return flagsBarra[kFlagResultados] == 1; }
    void calcConstantesY();
    void calcConstantesZ();
    Eigen::MatrixXd getSolicitacionAxial(int c, int n) const;
    Eigen::MatrixXd getSolicitacionVy(int c, int n) const;
    Eigen::MatrixXd getSolicitacionMy(int c, int n) const;
    Eigen::MatrixXd getSolicitacionVz(int c, int n) const;
    Eigen::MatrixXd getSolicitacionMz(int c, int n) const;
    Eigen::MatrixXd getSolicitacionTorsion(int c, int n) const;
    double getXVYcero(int c) const;
    double getXVZcero(int c) const;
    double getMymax(int c) const;
    double getMzmax(int c) const;
    Eigen::MatrixXd getBarraDeformada(int c, int n, double escala) const;
    Eigen::MatrixXd getDesplazamientosLocales() const { return resultados.desplazamientosLocales; }
    Eigen::MatrixXd getDesplazamientosGlobales() const { return resultados.desplazamientosGlobales; }

private:
    // Índices de flagsBarra; cada uno vale 1 cuando se cumple lo que dice.
    static constexpr int kFlagNudoInicio = 1;     // nudo inicial dado
    static constexpr int kFlagNudoFinal = 2;      // nudo final dado
    static constexpr int kFlagNombreSeccion = 3;  // nombre de sección dado
    static constexpr int kFlagSeccion = 4;        // propiedades de la sección dadas
    static constexpr int kFlagMaterial = 5;       // módulo de elasticidad y Poisson dados
    static constexpr int kFlagResultados = 14;    // bloque de resultados calculado
    int flagsBarra[20];
    int noBarraInterna = 0;
    int noBarraUsuario = 0;
    int nudoInicioInterno = 0;
    int nudoFinalInterno = 0;
    int nudoInicioUsuario = 0;
    int nudoFinalUsuario = 0;
    double articInicioY = 1.0, articFinY = 1.0, articInicioZ = 1.0, articFinZ = 1.0;
    double xi = 0.0, yi = 0.0, zi = 0.0;
    double xf = 0.0, yf = 0.0, zf = 0.0;

    // Sección y material. Una barra sin sección informa ceros.
    std::string nombreDeSeccion;
    double area = 0.0;
    double iy = 0.0;
    double iz = 0.0;
    double modJ = 0.0;
    double modE = 0.0;
    double modPoisson = 0.0;
    double modG = 0.0;
    double factorDeForma = 0.0;
    int codigoSeccion = -1;   // -1: sin sección
    double pesoEspecifico = 0.0;

    // Copia de pi de la barra para las conversiones de ángulos.
    static constexpr double pi = PI;

    Eigen::MatrixXd perimetroSeccion;  // 2 x puntos: fila 0 ancho (z local), fila 1 alto (y local)

    // Cargas (7 columnas: fx1 fx2 qy1 qy2 qz1 qz2 torsion)
    std::vector<std::string> casosCargaLocal;
    Eigen::MatrixXd cargasLocales;
    std::vector<std::string> casosCargaGlobal;
    Eigen::MatrixXd cargasGlobales;
    std::vector<std::string> etiquetasCombo;
    Eigen::MatrixXd matrizCargasCombo;

    // Las cargas equivalentes (12 x combinaciones) se calculan cuando se piden;
    // no se guardan, por la misma razón que kLocal.

    // Resultados del último análisis: matrices de 12 x combinaciones y
    // vectores con un valor por combinación.
    struct resultadosBarra {
        Eigen::MatrixXd desplazamientosGlobales;
        Eigen::MatrixXd desplazamientosLocales;
        Eigen::MatrixXd fuerzasExtremos;
        // Constantes de las funciones de corte, momento y flecha de cada plano.
        Eigen::VectorXd pendienteY, pendienteZ, qInicioY, qInicioZ;
        Eigen::VectorXd c1Y, c1Z, c2Y, c2Z, c3Y, c3Z, c4Y, c4Z;
        // Cero del corte dentro de la barra (-1 si no hay) y momento ahí.
        Eigen::VectorXd xVYcero, xVZcero, myMax, mzMax;
    };
    resultadosBarra resultados;

    double longitud = 0.0;
    double alfa;
    double beta = 0.0;
    double gamma = 0.0;
    // R = rotacionX·rotacionY·rotacionZ (rotaciones elementales por alfa, beta y
    // gamma). T y su traspuesta son diagonales por bloques con R: se guarda sólo
    // R y las transformaciones se hacen por bloques de 3x3. Tampoco se guardan
    // kLocal ni kGlobal: se calculan cuando se piden. En modelos de decenas de
    // miles de barras esas matrices de 12x12 ocuparían cientos de megabytes.
    Eigen::Matrix3d rotacion;

    void actualizarRotacion();
    Eigen::MatrixXd calcularKLocal() const;
    Eigen::MatrixXd calcularCargasEquivalentesLocales() const;
    // Componentes de 12 filas (cuatro vectores de 3) llevadas de ejes globales a
    // locales (R·v) o de locales a globales (Rᵀ·v), columna por columna.
    Eigen::MatrixXd aLocales(const Eigen::MatrixXd& globales) const;
    Eigen::MatrixXd aGlobales(const Eigen::MatrixXd& locales) const;
    // Parámetro de deformación por corte φ = 12·E·I·f/(G·A·L²) de un plano de
    // flexión (0 sin factor de forma o sin área).
    double parametroCorte(double inercia) const;
    void calcConstantes(bool planoY);
    double ceroDeCortante(int c, bool planoY) const;
    // La combinación c tiene resultados guardados.
    bool hayResultado(int c) const;
};
