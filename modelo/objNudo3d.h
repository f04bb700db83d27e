// Nudo del pórtico espacial: numeración, coordenadas, apoyos, resortes,
// cargas puntuales y desplazamientos impuestos por caso de carga, sus
// combinaciones y, tras el análisis, desplazamientos y reacciones de cada
// combinación.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

class objNudo3d {
public:
    objNudo3d();

    // Numeración y coordenadas
    void setNoNudoInterno(int n);
    void setNoNudoUsuario(int n);
    void setCoordenadas(double x, double y, double z);

    // Apoyos y cargas
    void setApoyo(int ux, int uy, int uz, int giroX, int giroY, int giroZ);
    void setCargaPuntual(std::string casoCarga, double px, double py, double pz,
                         double mx, double my, double mz);
    // Resorte elástico a tierra: rigideces kx ky kz kgx kgy kgz en ejes
    // globales (0 sin resorte). Dos resortes sobre el mismo nudo se suman.
    void setResorte(const Eigen::Matrix<double, 6, 1>& k);
    // Masa concentrada en el nudo (la misma en las tres traslaciones); varias
    // se suman.
    void setMasa(double m) { masa += m; }
    double getMasa() const { return masa; }
    // Desplazamientos impuestos de un caso de carga (ejes globales). Sólo
    // actúan en los grados de libertad restringidos por un apoyo.
    void setDesplazamientoImpuesto(std::string casoCarga, const Eigen::Matrix<double, 6, 1>& d);
    // Suma a la combinación los casos del factor dado: cargas puntuales y
    // desplazamientos impuestos.
    void setCombo(std::string nombreCombo, double factor, std::string casoCarga);

    // Resultados: matrices con una fila por grado de libertad de la estructura
    // y una columna por combinación.
    void setDesplazamientos(const Eigen::MatrixXd& U);
    void setReacciones(const Eigen::MatrixXd& R);
    // Descarta los resultados (análisis fallido o modelo recargado).
    void borrarResultados();
    bool tieneResultados() const;

    int getNoNudoInterno() const { return noNudoInterno; }
    int getNoNudoUsuario() const { return noNudoUsuario; }
    double getX() const { return x; }
    double getY() const { return y; }
    double getZ() const { return z; }
    Eigen::VectorXi getGdl() const { return gdl; }
    Eigen::VectorXi getApoyo() const { return apoyo; }
    Eigen::VectorXi getVectorApoyo() const { return apoyo; }
    Eigen::Matrix<double, 6, 1> getResorte() const { return resorte; }
    // Rigidez de resorte que cuenta en el grado de libertad i: la de un grado
    // de libertad con apoyo no cuenta (manda el apoyo).
    double getResorteEfectivo(int i) const { return apoyo(i) != 0 ? 0.0 : resorte(i); }
    // El grado de libertad i tiene reacción: un apoyo o un resorte la dan.
    bool tieneReaccion(int i) const { return apoyo(i) != 0 || resorte(i) > 0.0; }
    bool tieneAlgunaReaccion() const;
    // 6 x combinaciones: desplazamientos impuestos combinados.
    Eigen::MatrixXd getDesplazamientosImpuestosCombo() const { return impuestosCombo; }
    Eigen::MatrixXd getCargasCombo() const { return cargasCombo; }
    int getCantidadDeCombos() const { return static_cast<int>(nombresCombo.size()); }
    std::string getNombreCombo(int c) const { return nombresCombo[static_cast<size_t>(c)]; }
    int getNumeroDeCombo(const std::string& nombre) const;

    double getPxCombo(int c) const { return cargasCombo(0, c); }
    double getPyCombo(int c) const { return cargasCombo(1, c); }
    double getPzCombo(int c) const { return cargasCombo(2, c); }
    double getMxCombo(int c) const { return cargasCombo(3, c); }
    double getMyCombo(int c) const { return cargasCombo(4, c); }
    double getMzCombo(int c) const { return cargasCombo(5, c); }

    double getDesplazamientoX(int c) const { return desplazamientos(0, c); }
    double getDesplazamientoY(int c) const { return desplazamientos(1, c); }
    double getDesplazamientoZ(int c) const { return desplazamientos(2, c); }
    double getGiroX(int c) const { return desplazamientos(3, c); }
    double getGiroY(int c) const { return desplazamientos(4, c); }
    double getGiroZ(int c) const { return desplazamientos(5, c); }

    double getReaccionRx(int c) const { return reaccionesNudo(0, c); }
    double getReaccionRy(int c) const { return reaccionesNudo(1, c); }
    double getReaccionRz(int c) const { return reaccionesNudo(2, c); }
    double getReaccionMx(int c) const { return reaccionesNudo(3, c); }
    double getReaccionMy(int c) const { return reaccionesNudo(4, c); }
    double getReaccionMz(int c) const { return reaccionesNudo(5, c); }
    // Las seis reacciones de la combinación c donde hay apoyo o resorte, y 0 en
    // los grados de libertad libres (donde el análisis deja sólo su residuo).
    Eigen::Matrix<double, 6, 1> getReaccionesDeApoyo(int c) const;

private:
    int noNudoInterno = 0;
    int noNudoUsuario = 0;
    double x = 0.0, y = 0.0, z = 0.0;
    std::vector<std::string> casosCargaPuntual;
    Eigen::MatrixXd cargasPuntuales;   // una fila por registro: Px Py Pz Mx My Mz
    Eigen::VectorXi apoyo;             // Ux Uy Uz giroX giroY giroZ: 1 restringido
    Eigen::Matrix<double, 6, 1> resorte = Eigen::Matrix<double, 6, 1>::Zero();
    double masa = 0.0;
    std::vector<std::string> casosImpuestos;
    Eigen::MatrixXd impuestos;         // una fila por registro: ux uy uz gx gy gz
    Eigen::MatrixXd impuestosCombo;    // 6 x combinaciones
    Eigen::VectorXi gdl;               // 6n+1 .. 6n+6
    std::vector<std::string> nombresCombo;
    Eigen::MatrixXd cargasCombo;       // 6 x combinaciones
    Eigen::MatrixXd desplazamientos;   // 6 x combinaciones
    Eigen::MatrixXd reaccionesNudo;    // 6 x combinaciones

    bool copiarFilas(const Eigen::MatrixXd& origen, Eigen::MatrixXd& destino) const;
};
