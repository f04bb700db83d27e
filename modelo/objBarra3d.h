// Barra del pórtico espacial: elemento recto entre dos nudos con seis grados de
// libertad en cada extremo. Los miembros se reparten por tema en varios archivos:
//   barraGeometria.cpp      identidad, nudos, longitud, ángulos, ejes locales, T, gdl
//   barraSeccion.cpp        secciones, material, peso específico, contorno
//   barraRigidez.cpp        liberaciones de extremo, kLocal y kGlobal
//   barraCargas.cpp         cargas distribuidas por caso y combinaciones
//   barraCargasEquivalentes.cpp  cargas nodales equivalentes y fuerzas por deformación
//   barraMasa.cpp           matriz de masa consistente
//   barraSolicitaciones.cpp fuerzas de extremo y funciones cerradas de N V M T y
//                           de la elástica para unos desplazamientos de los nudos
//
// La barra nombra a sus dos nudos y lee de ellos las coordenadas: mover un nudo
// cambia el largo, los ejes, la rigidez y las cargas de la barra sin más. La
// barra no guarda resultados: el análisis le pide sus solicitaciones para unos
// desplazamientos y las guarda en los casos de resultados.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

#include "constantes.h"
#include "modelo/combinacion.h"
#include "modelo/solicitacionesBarra.h"

class objNudo3d;

class objBarra3d {
public:
    objBarra3d();

    // ---- Identidad, nudos y geometría ----
    void resetFlags();
    void setNoBarraInterna(int n);
    void setNoBarraUsuario(int n);
    // Los nudos extremos: la barra los nombra (deben vivir mientras ella viva).
    void setNudoInicio(const objNudo3d& n);
    void setNudoFinal(const objNudo3d& n);
    void setRotacion(double anguloGrados);
    // Matriz de transformación de componentes globales a locales (12x12,
    // diagonal por bloques con R en cada bloque).
    Eigen::MatrixXd getT() const;
    Eigen::VectorXi getGdl() const;
    // Matriz de rotación R = rotacionX·rotacionY·rotacionZ: sus filas son los
    // ejes locales x, y, z en componentes globales.
    Eigen::Matrix3d getRotacion() const;

    double getLongitud() const { return geometria().longitud; }
    double getAlfa() const { return alfa; }
    double getBeta() const { return geometria().beta; }
    double getGamma() const { return geometria().gamma; }
    double getAlfaDeg() const { return 180.0 * alfa / pi; }
    double getBetaDeg() const { return 180.0 * geometria().beta / pi; }
    double getGammaDeg() const { return 180.0 * geometria().gamma / pi; }
    // Coordenadas de los nudos extremos (0 si la barra no tiene ese nudo).
    double getXi() const;
    double getYi() const;
    double getZi() const;
    double getXf() const;
    double getYf() const;
    double getZf() const;
    int getNudoInicioInterno() const;
    int getNudoFinalInterno() const;
    int getNudoInicioUsuario() const;
    int getNudoFinalUsuario() const;
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
    // El nombre de la sección (vacío si no se dio).
    std::string getNombreDeSeccion() const;
    bool getBoolSeccion() const { return flagsBarra[kFlagNombreSeccion] == 1; }
    // Sección y material dados: sin ellos la barra no tiene rigidez.
    bool tieneSeccionYMaterial() const { return flagsBarra[kFlagSeccion] == 1 && flagsBarra[kFlagMaterial] == 1; }
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
    // Masa de las cargas (la masa sísmica): para cada par (factor, caso),
    // factor × la carga distribuida vertical hacia abajo del caso / gravedad,
    // sin el peso propio (que es la masa de la propia barra). Es masa de
    // traslación en las tres direcciones, con las funciones de forma de la
    // matriz consistente (lineales a lo largo del eje, cúbicas a través; con
    // una liberación en un plano, lineales) y sin inercia de giro. Una carga
    // hacia arriba no agrega masa. La total es la integral de la masa por
    // unidad de largo.
    Eigen::MatrixXd getMasaDeCargasGlobal(const std::vector<std::pair<double, std::string>>& masas,
                                          double gravedad) const;
    double getMasaDeCargasTotal(const std::vector<std::pair<double, std::string>>& masas, double gravedad) const;

    // ---- Cargas y combinaciones ----
    void setDistribuidaLocalX(std::string casoCarga, double fIni, double fFin);
    void setDistribuidaLocalY(std::string casoCarga, double qYIni, double qYFin);
    void setDistribuidaLocalZ(std::string casoCarga, double qZIni, double qZFin);
    void setDistribuidaLocalT(std::string casoCarga, double torsion);
    void setDistribuidaGlobal(std::string casoCarga, double qIzq, double qDer,
                              double dirX, double dirY, double dirZ);
    void setPesoPropio(std::string casoCarga);
    // Cargas de cada combinación (una fila por combinación, en su orden): la
    // suma de factor × caso. La barra recuerda la lista para volver a
    // proyectar las cargas de dirección global si un nudo se mueve.
    void setCombos(const std::vector<combinacion>& combos);
    const Eigen::MatrixXd& getMatrizCargasCombo() const;
    int getCantidadDeCombos() const { return static_cast<int>(getMatrizCargasCombo().rows()); }
    double getFxIniCombo(int c) const { return getMatrizCargasCombo()(c, 0); }
    double getFxFinCombo(int c) const { return getMatrizCargasCombo()(c, 1); }
    double getFyIniCombo(int c) const { return getMatrizCargasCombo()(c, 2); }
    double getFyFinCombo(int c) const { return getMatrizCargasCombo()(c, 3); }
    double getFzIniCombo(int c) const { return getMatrizCargasCombo()(c, 4); }
    double getFzFinCombo(int c) const { return getMatrizCargasCombo()(c, 5); }
    double getTCombo(int c) const { return getMatrizCargasCombo()(c, 6); }

    // ---- Cargas equivalentes y fuerzas de extremo ----
    Eigen::MatrixXd getCargasEquivalentesLocales() const;
    Eigen::MatrixXd getCargasEquivalentesGlobales() const;
    // Fuerzas que los nudos ejercen sobre la barra (ejes locales, sin las
    // cargas de tramo) para los desplazamientos globales u1, u2 de sus nudos,
    // calculadas desde las deformaciones naturales: un movimiento de cuerpo
    // rígido no da fuerzas y las doce están siempre en equilibrio. Devuelve la
    // energía de deformación. k es getRigidezNatural(), que el que llama puede
    // guardar para no recalcularla.
    long double fuerzasPorDeformacion(const rigidezNatural& k, const double* u1, const double* u2,
                                      long double fuerzas[12]) const;

    // ---- Solicitaciones para unos desplazamientos ----
    // Para los desplazamientos globales de los doce grados de libertad de la
    // barra (12 x combinaciones, una columna por combinación en el orden de
    // sus cargas): las fuerzas de extremo, las funciones cerradas de cada
    // combinación y sus extremos exactos.
    std::vector<solicitacionesBarra> calcularSolicitaciones(const Eigen::MatrixXd& desplazamientosGlobales) const;
    // Las mismas funciones para un campo de desplazamientos de los nudos sin
    // cargas en el tramo (una forma modal, por ejemplo): la flexión sale de
    // los momentos que esos desplazamientos dan en los extremos.
    solicitacionesBarra solicitacionesSinCarga(const double* u1, const double* u2) const;
    // Valor de la solicitación s (N, Vy, Vz, T, My, Mz) a la distancia x del inicio.
    double valorSolicitacion(const solicitacionesBarra& r, int s, double x) const;
    // Elástica en n estaciones equiespaciadas: fila 0 la abscisa desplazada,
    // filas 1 y 2 las flechas en y, z locales respecto del inicio, todo por
    // la escala (como la dibuja el visor desde el inicio desplazado).
    Eigen::MatrixXd deformada(const solicitacionesBarra& r, int n, double escala) const;

private:
    // Índices de flagsBarra; cada uno vale 1 cuando se cumple lo que dice.
    static constexpr int kFlagNudoInicio = 1;     // nudo inicial dado
    static constexpr int kFlagNudoFinal = 2;      // nudo final dado
    static constexpr int kFlagNombreSeccion = 3;  // nombre de sección dado
    static constexpr int kFlagSeccion = 4;        // propiedades de la sección dadas
    static constexpr int kFlagMaterial = 5;       // módulo de elasticidad y Poisson dados
    int flagsBarra[20];
    int noBarraInterna = 0;
    int noBarraUsuario = 0;
    const objNudo3d* nudoInicio = nullptr;
    const objNudo3d* nudoFinal = nullptr;
    double articInicioY = 1.0, articFinY = 1.0, articInicioZ = 1.0, articFinZ = 1.0;

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

    // Cargas (7 columnas: fx1 fx2 qy1 qy2 qz1 qz2 torsion). Las de dirección
    // global se guardan con su dirección (unitaria) y se proyectan sobre los
    // ejes locales al formar las combinaciones.
    std::vector<std::string> casosCargaLocal;
    Eigen::MatrixXd cargasLocales;
    struct cargaGlobal {
        std::string caso;
        double qIzq, qDer;
        Eigen::Vector3d direccion;
        bool pesoPropio = false;
    };
    std::vector<cargaGlobal> cargasGlobales;
    const std::vector<combinacion>* combos = nullptr;

    // Las cargas equivalentes (12 x combinaciones) se calculan cuando se piden;
    // no se guardan, por la misma razón que kLocal.

    double alfa;
    // Lo que sale de las coordenadas de los nudos, guardado con las
    // coordenadas de las que salió: si un nudo se movió se vuelve a calcular.
    // R = rotacionX·rotacionY·rotacionZ (rotaciones elementales por alfa, beta y
    // gamma). T y su traspuesta son diagonales por bloques con R: se guarda sólo
    // R y las transformaciones se hacen por bloques de 3x3. Tampoco se guardan
    // kLocal ni kGlobal: se calculan cuando se piden. En modelos de decenas de
    // miles de barras esas matrices de 12x12 ocuparían cientos de megabytes.
    struct geometriaBarra {
        double coordenadas[6] = {0, 0, 0, 0, 0, 0};  // xi yi zi xf yf zf
        double longitud = 0.0;
        double beta = 0.0;
        double gamma = 0.0;
        Eigen::Matrix3d rotacion;
        Eigen::MatrixXd cargasCombo;  // combinaciones x 7, con las globales proyectadas
    };
    mutable geometriaBarra geo;
    const geometriaBarra& geometria() const;
    void calcularGeometria(geometriaBarra& g) const;
    void calcularCargasCombo(geometriaBarra& g) const;
    void actualizarRotacion(geometriaBarra& g) const;
    Eigen::MatrixXd calcularKLocal() const;
    Eigen::MatrixXd calcularCargasEquivalentesLocales() const;
    // Componentes de 12 filas (cuatro vectores de 3) llevadas de ejes globales a
    // locales (R·v) o de locales a globales (Rᵀ·v), columna por columna.
    Eigen::MatrixXd aLocales(const Eigen::MatrixXd& globales) const;
    Eigen::MatrixXd aGlobales(const Eigen::MatrixXd& locales) const;
    // Parámetro de deformación por corte φ = 12·E·I·f/(G·A·L²) de un plano de
    // flexión (0 sin factor de forma o sin área).
    double parametroCorte(double inercia) const;
    // Masa por unidad de largo de las cargas en el inicio y en el fin.
    std::pair<double, double> masaDeCargasPorLargo(const std::vector<std::pair<double, std::string>>& masas,
                                                   double gravedad) const;
};
