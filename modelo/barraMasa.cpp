// Matriz de masa consistente de la barra para el análisis modal.
#include "modelo/objBarra3d.h"

double objBarra3d::getMasaPorLargo(double gravedad) const {
    return pesoEspecifico * area / gravedad + masaAdicional;
}

Eigen::MatrixXd objBarra3d::getMasaLocal(double gravedad) const {
    Eigen::MatrixXd m = Eigen::MatrixXd::Zero(12, 12);
    if (!(gravedad > 0) || flagsBarra[kFlagSeccion] != 1) return m;
    const double L = getLongitud();
    // Masa por unidad de largo, la de la sección y la adicional con las mismas
    // funciones (la adicional gira, en torsión, con la inercia polar de la sección).
    const double mu = getMasaPorLargo(gravedad);
    if (!(mu > 0)) return m;
    // Axial y torsión con funciones lineales; la torsión con la inercia polar
    // de la sección (Iy + Iz) por unidad de área.
    const double lineal[2][2] = {{2, 1}, {1, 2}};
    const double axial = mu * L / 6;
    const double torsion = area > 0 ? mu * (iy + iz) / area * L / 6 : 0.0;
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

Eigen::MatrixXd objBarra3d::getMasaGlobal(double gravedad) const {
    const Eigen::MatrixXd local = getMasaLocal(gravedad);
    const Eigen::Matrix3d& rotacion = geometria().rotacion;
    Eigen::MatrixXd global(12, 12);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            global.block<3, 3>(3 * i, 3 * j).noalias() = rotacion.transpose() * local.block<3, 3>(3 * i, 3 * j) * rotacion;
    return global;
}
