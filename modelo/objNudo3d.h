// Nudo del pórtico espacial: numeración, coordenadas, apoyos, resortes,
// cargas puntuales y desplazamientos impuestos por caso de carga y sus valores
// en cada combinación. Los resultados del análisis no se guardan en el nudo
// sino en los casos de resultados (analisis/casosResultado.h).
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

#include "modelo/combinacion.h"

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
    // La suma de las fuerzas verticales (Pz) de las cargas puntuales del caso.
    double getCargaVerticalDeCaso(const std::string& casoCarga) const;
    // Desplazamientos impuestos de un caso de carga (ejes globales). Sólo
    // actúan en los grados de libertad restringidos por un apoyo.
    void setDesplazamientoImpuesto(std::string casoCarga, const Eigen::Matrix<double, 6, 1>& d);
    // Si algún registro le impone un desplazamiento no nulo en el grado de libertad i.
    bool tieneDesplazamientoImpuesto(int i) const { return impuestos.rows() > 0 && !impuestos.col(i).isZero(0); }
    // Cargas puntuales y desplazamientos impuestos de cada combinación (una
    // columna por combinación, en su orden): la suma de factor × caso.
    void setCombos(const std::vector<combinacion>& combos);

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
    // La carga puntual (Px Py Pz Mx My Mz) y el desplazamiento impuesto del
    // caso de carga dado: sus registros sumados.
    Eigen::Matrix<double, 6, 1> getCargaDeCaso(const std::string& caso) const;
    Eigen::Matrix<double, 6, 1> getImpuestoDeCaso(const std::string& caso) const;
    int getCantidadDeCombos() const { return static_cast<int>(cargasCombo.cols()); }

    double getPxCombo(int c) const { return cargasCombo(0, c); }
    double getPyCombo(int c) const { return cargasCombo(1, c); }
    double getPzCombo(int c) const { return cargasCombo(2, c); }
    double getMxCombo(int c) const { return cargasCombo(3, c); }
    double getMyCombo(int c) const { return cargasCombo(4, c); }
    double getMzCombo(int c) const { return cargasCombo(5, c); }

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
    Eigen::MatrixXd cargasCombo;       // 6 x combinaciones
};
