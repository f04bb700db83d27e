// Matriz de masa consistente de la barra para el análisis modal.
#include "modelo/objBarra3d.h"

#include <algorithm>

double objBarra3d::getMasaPorLargo(double gravedad, double factorPropia) const {
    return factorPropia * pesoEspecifico * getAreaBruta() / gravedad + masaAdicional;
}

Eigen::MatrixXd objBarra3d::getMasaLocal(double gravedad, double factorPropia) const {
    Eigen::MatrixXd m = Eigen::MatrixXd::Zero(12, 12);
    if (!(gravedad > 0) || flagsBarra[kFlagSeccion] != 1) return m;
    const double L = getLongitud();
    // Masa por unidad de largo, la de la sección y la adicional con las mismas
    // funciones (la adicional gira, en torsión, con la inercia polar de la sección).
    const double mu = getMasaPorLargo(gravedad, factorPropia);
    if (!(mu > 0)) return m;
    // Axial y torsión con funciones lineales; la torsión con la inercia polar
    // de la sección (Iy + Iz) por unidad de área.
    const double lineal[2][2] = {{2, 1}, {1, 2}};
    const double axial = mu * L / 6;
    // La sección bruta: un modificador de rigidez no cambia la masa.
    const double bruta = getAreaBruta();
    const double torsion = bruta > 0 ? mu * (getIyBruta() + getIzBruta()) / bruta * L / 6 : 0.0;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            m(6 * i, 6 * j) = axial * lineal[i][j];
            m(6 * i + 3, 6 * j + 3) = torsion * lineal[i][j];
        }
    // Flexión: con los dos extremos rígidos, las funciones cúbicas de la viga;
    // con alguna liberación, la masa transversal con funciones lineales y sin
    // inercia de giro (el extremo liberado no arrastra al nudo al girar).
    const double c = mu * L / 420;
    const double cubica[4][4] = {{156, 22 * L, 54, -13 * L},
                                 {22 * L, 4 * L * L, 13 * L, -3 * L * L},
                                 {54, 13 * L, 156, -22 * L},
                                 {-13 * L, -3 * L * L, -22 * L, 4 * L * L}};
    // Grados de cada plano (flecha, giro) en cada extremo y el signo del giro:
    // en x-z el giro alrededor de y es positivo cuando la flecha decrece.
    const int planoY[4] = {1, 5, 7, 11}, planoZ[4] = {2, 4, 8, 10};
    const double signoY[4] = {1, 1, 1, 1}, signoZ[4] = {1, -1, 1, -1};
    const bool rigidoY = articInicioY == 1.0 && articFinY == 1.0, rigidoZ = articInicioZ == 1.0 && articFinZ == 1.0;
    for (int plano = 0; plano < 2; ++plano) {
        const int* g = plano == 0 ? planoY : planoZ;
        const double* s = plano == 0 ? signoY : signoZ;
        if (plano == 0 ? rigidoY : rigidoZ) {
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j) m(g[i], g[j]) = c * cubica[i][j] * s[i] * s[j];
        } else {
            for (int i = 0; i < 2; ++i)
                for (int j = 0; j < 2; ++j) m(g[2 * i], g[2 * j]) = axial * lineal[i][j];
        }
    }
    return m;
}

Eigen::MatrixXd objBarra3d::getMasaGlobal(double gravedad, double factorPropia) const {
    const Eigen::MatrixXd local = getMasaLocal(gravedad, factorPropia);
    const Eigen::Matrix3d& rotacion = geometria().rotacion;
    Eigen::MatrixXd global(12, 12);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            global.block<3, 3>(3 * i, 3 * j).noalias() = rotacion.transpose() * local.block<3, 3>(3 * i, 3 * j) * rotacion;
    return global;
}

std::pair<double, double> objBarra3d::masaDeCargasPorLargo(const std::vector<std::pair<double, std::string>>& masas,
                                                          double gravedad) const {
    double inicio = 0, fin = 0;
    if (!(gravedad > 0)) return {0.0, 0.0};
    // La componente vertical de una carga local: las filas de R son los ejes
    // locales, así que la componente global Z de (fx, qy, qz) es R(0,2)·fx +
    // R(1,2)·qy + R(2,2)·qz.
    const Eigen::Matrix3d& r = geometria().rotacion;
    for (const auto& [factor, caso] : masas) {
        double q1 = 0, q2 = 0;  // carga vertical del caso (positiva hacia arriba)
        for (size_t k = 0; k < casosCargaLocal.size(); ++k) {
            if (casosCargaLocal[k] != caso) continue;
            const Eigen::Index f = static_cast<Eigen::Index>(k);
            q1 += r(0, 2) * cargasLocales(f, 0) + r(1, 2) * cargasLocales(f, 2) + r(2, 2) * cargasLocales(f, 4);
            q2 += r(0, 2) * cargasLocales(f, 1) + r(1, 2) * cargasLocales(f, 3) + r(2, 2) * cargasLocales(f, 5);
        }
        for (const cargaGlobal& q : cargasGlobales) {
            if (q.caso != caso || q.pesoPropio) continue;
            q1 += q.direccion(2) * q.qIzq;
            q2 += q.direccion(2) * q.qDer;
        }
        inicio += factor * std::max(0.0, -q1) / gravedad;
        fin += factor * std::max(0.0, -q2) / gravedad;
    }
    return {inicio, fin};
}

double objBarra3d::getMasaDeCargasTotal(const std::vector<std::pair<double, std::string>>& masas,
                                        double gravedad) const {
    const auto [m1, m2] = masaDeCargasPorLargo(masas, gravedad);
    return getLongitud() * (m1 + m2) / 2;
}

Eigen::MatrixXd objBarra3d::getMasaDeCargasGlobal(const std::vector<std::pair<double, std::string>>& masas,
                                                  double gravedad) const {
    Eigen::MatrixXd m = Eigen::MatrixXd::Zero(12, 12);
    const auto [m1, m2] = masaDeCargasPorLargo(masas, gravedad);
    const double L = getLongitud();
    if (!(m1 > 0 || m2 > 0) || !(L > 0)) return m;
    // ∫ μ(x)·Ni·Nj dx con μ lineal, por cuadratura de Gauss de cuatro puntos
    // (exacta hasta grado 7: cúbica por cúbica por lineal).
    const double puntos[4] = {0.5 - 0.5 * 0.8611363115940526, 0.5 - 0.5 * 0.3399810435848563,
                              0.5 + 0.5 * 0.3399810435848563, 0.5 + 0.5 * 0.8611363115940526};
    const double pesos[4] = {0.5 * 0.3478548451374538, 0.5 * 0.6521451548625461, 0.5 * 0.6521451548625461,
                             0.5 * 0.3478548451374538};
    const int planoY[4] = {1, 5, 7, 11}, planoZ[4] = {2, 4, 8, 10};
    const double signoZ[4] = {1, -1, 1, -1};
    const bool rigidoY = articInicioY == 1.0 && articFinY == 1.0, rigidoZ = articInicioZ == 1.0 && articFinZ == 1.0;
    for (int p = 0; p < 4; ++p) {
        const double s = puntos[p], w = pesos[p] * L * (m1 + (m2 - m1) * s);
        const double lineal[2] = {1 - s, s};
        const double cubica[4] = {1 - 3 * s * s + 2 * s * s * s, L * (s - 2 * s * s + s * s * s), 3 * s * s - 2 * s * s * s,
                                  L * (s * s * s - s * s)};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) m(6 * i, 6 * j) += w * lineal[i] * lineal[j];
        for (int plano = 0; plano < 2; ++plano) {
            const int* g = plano == 0 ? planoY : planoZ;
            if (plano == 0 ? rigidoY : rigidoZ) {
                for (int i = 0; i < 4; ++i)
                    for (int j = 0; j < 4; ++j) {
                        const double si = plano == 0 ? 1.0 : signoZ[i], sj = plano == 0 ? 1.0 : signoZ[j];
                        m(g[i], g[j]) += w * cubica[i] * cubica[j] * si * sj;
                    }
            } else {
                for (int i = 0; i < 2; ++i)
                    for (int j = 0; j < 2; ++j) m(g[2 * i], g[2 * j]) += w * lineal[i] * lineal[j];
            }
        }
    }
    const Eigen::Matrix3d& rotacion = geometria().rotacion;
    Eigen::MatrixXd global(12, 12);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            global.block<3, 3>(3 * i, 3 * j).noalias() = rotacion.transpose() * m.block<3, 3>(3 * i, 3 * j) * rotacion;
    return global;
}
