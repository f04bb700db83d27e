// Barra del pórtico espacial: elemento recto entre dos nudos con seis grados de
// libertad en cada extremo. Los miembros se reparten por tema en varios archivos:
//   barraGeometria.cpp      identidad, nudos, longitud, ángulos, ejes locales, T, gdl
//   barraSeccion.cpp        secciones, material, peso específico, contorno
//   barraRigidez.cpp        liberaciones de extremo, kLocal y kGlobal
//   barraCargas.cpp         cargas distribuidas por caso y combinaciones
//   barraCargasEquivalentes.cpp  cargas nodales equivalentes y fuerzas por deformación
//   barraTemperatura.cpp    cargas de temperatura y sus fuerzas de empotramiento
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
#include <array>
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
    // La rotación de la barra como la da el modelo (rotacionBarra:, en grados;
    // 0 si no tiene). getAlfaDeg es el ángulo interno de la matriz de
    // rotación, 90° más.
    double getRotacionGrados() const { return rotacionGrados; }
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
    // Modificadores de rigidez (una sección fisurada): multiplican A, Iy, Iz y
    // J en todo lo que depende de la rigidez (elástica y geométrica, la
    // elástica dentro de la barra, la temperatura impedida); la masa y el peso
    // propio siguen con la sección bruta. getArea(), getIy(), getIz() y
    // getModJ() dan los valores de la rigidez; los Bruta, los de la sección.
    void setModificadorRigidez(double fa, double fiy, double fiz, double fj);
    bool tieneModificadorRigidez() const { return conModificador; }
    double getModificadorRigidez(int i) const { return conModificador && i >= 0 && i < 4 ? modificador[i] : 1.0; }
    double getAreaBruta() const { return conModificador ? seccionBruta[0] : area; }
    double getIyBruta() const { return conModificador ? seccionBruta[1] : iy; }
    double getIzBruta() const { return conModificador ? seccionBruta[2] : iz; }
    // El nombre de la sección (vacío si no se dio).
    std::string getNombreDeSeccion() const;
    bool getBoolSeccion() const { return flagsBarra[kFlagNombreSeccion] == 1; }
    // Sección y material dados: sin ellos la barra no tiene rigidez.
    bool tieneSeccionYMaterial() const { return flagsBarra[kFlagSeccion] == 1 && flagsBarra[kFlagMaterial] == 1; }
    int getCodigoSeccion() const { return codigoSeccion; }
    // Las dimensiones con que se dio la sección, en el orden del archivo de
    // modelo (rectangular y placa: base altura; costanera: alma ala labio
    // espesor radio; W: ala grosorAla alma grosorAlma); vacío en la genérica.
    std::vector<double> getDimensionesSeccion() const;
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

        // Los momentos de extremo de cada plano con que la barra responde a
        // sus deformaciones naturales.
        template <typename Real>
        struct momentosExtremo {
            Real my1, my2, mz1, mz2;
        };
        // Las fuerzas del extremo final (f[6] a f[11] salvo la torsión f[9], en
        // ejes locales) de la barra deformada: alargamiento y giros de los
        // extremos respecto de la cuerda (plano x-y: alrededor de z; plano
        // x-z: alrededor de y, positivos cuando w decrece). Los momentos de
        // cada plano salen de los giros por el 2x2 de flexión y los cortes los
        // equilibran. Devuelve esos momentos: el extremo inicial sale del
        // equilibrio de la barra. La sirven la solicitación por desplazamientos
        // (en aritmética extendida) y el empotramiento de la temperatura.
        template <typename Real>
        momentosExtremo<Real> fuerzasFinales(Real L, Real alargamiento, Real y1, Real y2, Real z1, Real z2,
                                             Real f[12]) const {
            const momentosExtremo<Real> m{planoY[0] * y1 + planoY[1] * y2, planoY[1] * y1 + planoY[2] * y2,
                                          planoZ[0] * z1 + planoZ[1] * z2, planoZ[1] * z1 + planoZ[2] * z2};
            f[6] = axial * alargamiento;
            f[7] = -(m.my1 + m.my2) / L;
            f[8] = (m.mz1 + m.mz2) / L;
            f[10] = m.mz2;
            f[11] = m.my2;
            return m;
        }
    };
    rigidezNatural getRigidezNatural() const;
    // Rigidez geométrica consistente para el esfuerzo axial N (tracción
    // positiva), en ejes locales y globales: flexión en los dos planos con las
    // funciones cúbicas, torsión con el radio de giro polar (Iy + Iz)/A, y los
    // extremos liberados con el mismo modelo de resortes que la elástica. Un
    // giro rígido ρ de la cuerda da fuerzas ±N·ρ en los extremos. Cero sin
    // sección ni material.
    Eigen::Matrix<double, 12, 12> getKgLocal(double axial) const;
    Eigen::Matrix<double, 12, 12> getKgGlobal(double axial) const;
    // Esfuerzo axial medio (N(0) + N(L))/2 de la combinación c para los
    // desplazamientos globales u1, u2 de sus nudos (seis cada uno).
    double axialMedio(const double* u1, const double* u2, int combo) const;

    // ---- Masa (análisis modal) ----
    // Masa adicional por unidad de largo (terminaciones, masa no estructural):
    // cada llamada suma la suya.
    void agregarMasaPorLargo(double m) { masaAdicional += m; }
    double getMasaAdicional() const { return masaAdicional; }
    // Masa por unidad de largo: factorPropia·pesoEspecifico·area/gravedad más
    // la adicional (factorPropia: el de la masa propia cuando masaDeCargas:
    // nombra el caso del peso propio; la adicional no es peso propio).
    double getMasaPorLargo(double gravedad, double factorPropia = 1.0) const;
    // Matriz de masa consistente (12x12) con la masa por unidad de largo; cero
    // sin sección o sin masa.
    Eigen::MatrixXd getMasaLocal(double gravedad, double factorPropia = 1.0) const;
    Eigen::MatrixXd getMasaGlobal(double gravedad, double factorPropia = 1.0) const;
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
    // Temperatura de un caso: cambio uniforme dt (alargamiento coefDilatacion·dt)
    // y gradientes gy, gz a través de la sección, en grados por unidad de largo
    // (la temperatura de la cara +y menos la de la cara −y, dividida por la
    // altura según y; lo mismo en z). La barra libre se curva coefDilatacion·gy
    // en su plano x-y, cóncava hacia −y, y coefDilatacion·gz en el x-z,
    // cóncava hacia −z.
    void setTemperatura(std::string casoCarga, double coefDilatacion, double dt, double gy, double gz);
    bool tieneTemperatura() const { return !temperaturas.empty(); }
    // Por combinación (una fila cada una): α·ΔT, α·Gy, α·Gz sumados con sus factores.
    const Eigen::MatrixXd& getMatrizTermicaCombo() const { return geometria().termicaCombo; }
    // Cargas de cada combinación (una fila por combinación, en su orden): la
    // suma de factor × caso. La barra recuerda la lista para volver a
    // proyectar las cargas de dirección global si un nudo se mueve.
    void setCombos(const std::vector<combinacion>& combos);
    const Eigen::MatrixXd& getMatrizCargasCombo() const;
    // Las cargas del caso de carga dado (sus registros sumados, con las de
    // dirección global proyectadas sobre los ejes locales): una fila como las
    // de getMatrizCargasCombo.
    Eigen::Matrix<double, 1, 7> getCargasDeCaso(const std::string& caso) const;
    int getCantidadDeCombos() const { return static_cast<int>(getMatrizCargasCombo().rows()); }
    double getFxIniCombo(int c) const { return getMatrizCargasCombo()(c, 0); }
    double getFxFinCombo(int c) const { return getMatrizCargasCombo()(c, 1); }
    double getFyIniCombo(int c) const { return getMatrizCargasCombo()(c, 2); }
    double getFyFinCombo(int c) const { return getMatrizCargasCombo()(c, 3); }
    double getFzIniCombo(int c) const { return getMatrizCargasCombo()(c, 4); }
    double getFzFinCombo(int c) const { return getMatrizCargasCombo()(c, 5); }
    double getTCombo(int c) const { return getMatrizCargasCombo()(c, 6); }

    // ---- Barras de solo tracción o solo compresión ----
    // Una barra así no resiste esfuerzo axial del otro sentido: el análisis la
    // desactiva en cada combinación en que lo tendría.
    enum class sentidoAxial { ambos, soloTraccion, soloCompresion };
    void setSentidoAxial(sentidoAxial s) { sentido = s; }
    sentidoAxial getSentidoAxial() const { return sentido; }
    // Alargamiento elástico de la barra en la combinación c para los
    // desplazamientos globales u1, u2 de sus nudos: el de la cuerda menos el
    // térmico α·ΔT·L. Multiplicado por E·A/L es el esfuerzo axial medio.
    double alargamientoElastico(int c, const double* u1, const double* u2) const;

    // ---- Cargas equivalentes y fuerzas de extremo ----
    // Cargas de los nudos por las cargas de tramo y la temperatura de la barra
    // (las fuerzas de empotramiento con el signo cambiado), 12 x combinaciones.
    Eigen::MatrixXd getCargasEquivalentesLocales() const;
    Eigen::MatrixXd getCargasEquivalentesGlobales() const;
    // Las de una barra inactiva (sin rigidez): las cargas de su tramo pasan a
    // sus nudos como las reacciones de una barra simplemente apoyada; la
    // temperatura no da fuerzas.
    Eigen::MatrixXd getCargasEquivalentesInactivaLocales() const;
    Eigen::MatrixXd getCargasEquivalentesInactivaGlobales() const;
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
    // Con axiales (uno por columna), las columnas de axial no nulo son de
    // segundo orden: sus fuerzas de extremo suman Kg(N)·u y sus diagramas el
    // efecto del axial sobre la flecha (ver solicitacionesBarra).
    // inactiva, si no está vacío, dice para cada columna si la barra está
    // desactivada en esa combinación: entonces no tiene rigidez (tampoco
    // geométrica) y sus solicitaciones son las de sus cargas de tramo sobre
    // apoyos simples.
    std::vector<solicitacionesBarra> calcularSolicitaciones(const Eigen::MatrixXd& desplazamientosGlobales,
                                                            const double* axiales = nullptr,
                                                            const std::vector<char>& inactiva = {}) const;
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
    // La misma elástica como polinomios en x (coeficientes de x⁰ a x⁵): el
    // desplazamiento según x, y, z locales de cada punto de la barra (el
    // axial, lineal entre los extremos; las flechas de los dos planos; sin
    // rigidez a flexión, rectas entre los extremos).
    using polinomioElastica = std::array<double, 6>;
    std::array<polinomioElastica, 3> polinomiosElastica(const solicitacionesBarra& r) const;

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
    double dimensionesSeccion[5] = {0, 0, 0, 0, 0};
    int noDimensionesSeccion = 0;
    double pesoEspecifico = 0.0;
    double masaAdicional = 0.0;
    // Modificadores de rigidez y la sección bruta (A, Iy, Iz, J) que reemplazan.
    bool conModificador = false;
    double modificador[4] = {1, 1, 1, 1};
    double seccionBruta[4] = {0, 0, 0, 0};
    sentidoAxial sentido = sentidoAxial::ambos;

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
    struct cargaTermica {
        std::string caso;
        double alfaDt, alfaGy, alfaGz;
    };
    std::vector<cargaTermica> temperaturas;
    const std::vector<combinacion>* combos = nullptr;

    // Las cargas equivalentes (12 x combinaciones) se calculan cuando se piden;
    // no se guardan, por la misma razón que kLocal.

    double alfa;
    double rotacionGrados = 0.0;  // la de rotacionBarra:, como se dio
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
        Eigen::MatrixXd termicaCombo; // combinaciones x 3: α·ΔT, α·Gy, α·Gz
    };
    mutable geometriaBarra geo;
    const geometriaBarra& geometria() const;
    void calcularGeometria(geometriaBarra& g) const;
    void calcularCargasCombo(geometriaBarra& g) const;
    // factor × las cargas del caso, con los ejes de rotación r.
    Eigen::Matrix<double, 1, 7> cargasDeCaso(const std::string& caso, double factor, const Eigen::Matrix3d& r) const;
    void actualizarRotacion(geometriaBarra& g) const;
    Eigen::MatrixXd calcularKLocal() const;
    Eigen::MatrixXd calcularCargasEquivalentesLocales() const;
    // Fuerzas de empotramiento perfecto de la temperatura de la combinación c
    // (las que los nudos fijos ejercen sobre la barra, ejes locales).
    void fuerzasEmpotramientoTermico(const rigidezNatural& k, int c, double f[12]) const;
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
