// Rigidez de la estructura aplicada barra por barra, con aritmética extendida.
//
// Cada barra se aplica en forma de deformaciones naturales: del desplazamiento
// de sus nudos se resta el movimiento de cuerpo rígido que arrastra el nudo
// inicial, y de lo que queda salen el alargamiento, el giro de torsión y, en
// cada plano de flexión, los giros de los extremos respecto de la cuerda. Esas
// deformaciones por la rigidez natural de la barra (axial, torsión y un 2x2 de
// flexión por plano, con las liberaciones ya dentro) dan el esfuerzo axial, el
// torsor y los momentos de extremo; los cortes y las fuerzas del inicio salen
// del equilibrio de la barra. Así un movimiento de cuerpo rígido no produce
// fuerzas en ninguna barra, por rígida que sea; el giro libre de una rótula
// tampoco, porque su fila de rigidez es cero exacto; y las fuerzas de cada
// barra están siempre en equilibrio: las reacciones equilibran las cargas aun
// cuando la estructura mezcla barras muy rígidas y muy flexibles. Las sumas se
// hacen en long double para que el residuo de la solución no pierda cifras en
// las restas de desplazamientos casi iguales.
#pragma once

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <vector>

#include "modelo/objBarra3d.h"
#include "modelo/objNudo3d.h"

class operadorRigidez {
public:
    // Toma de cada barra su rigidez natural; su rotación y sus nudos se leen de
    // las barras cada vez, que deben seguir vivas mientras se use el operador.
    // De los nudos toma sus resortes a tierra. noGdl es el número de grados de
    // libertad de la estructura (6 por nudo). Las barras marcadas en inactivas
    // (si no está vacía, una entrada por barra) no entran.
    void construir(const std::vector<objBarra3d>& barras, const std::vector<objNudo3d>& nudos, Eigen::Index noGdl,
                   const std::vector<char>& inactivas = {});

    Eigen::Index noGdl() const { return gdl; }

    // b − K·u para vectores completos (noGdl filas, una columna por caso), con
    // un solo redondeo al final. Con ponderado, cada barra entra con su rigidez
    // dividida por su mayor término diagonal (ver rigidezPonderada).
    Eigen::MatrixXd residuo(const Eigen::MatrixXd& b, const Eigen::MatrixXd& u, bool ponderado = false) const;
    // K·u − b con sólo las barras (sin los resortes), también con un solo
    // redondeo: las reacciones. En un grado de libertad con resorte da la
    // fuerza que el resorte ejerce sobre la estructura, −k·u.
    Eigen::MatrixXd fuerzas(const Eigen::MatrixXd& u, const Eigen::MatrixXd& b) const;
    // K·u.
    Eigen::MatrixXd aplicar(const Eigen::MatrixXd& u, bool ponderado = false) const;
    // Energía de deformación uᵀ·K·u (ponderada o no) de un vector completo,
    // sumada barra por barra a partir de sus deformaciones.
    double energia(const Eigen::VectorXd& u, bool ponderado) const;

    // Rigidez de la estructura con cada barra dividida por su mayor término
    // diagonal (y cada resorte con rigidez 1), como tripletes (fila, columna, valor) de la matriz completa. Un
    // mecanismo lo es con cualquier rigidez positiva de las barras; con todas de
    // la misma escala, la diferencia entre una barra muy rígida y un mecanismo
    // deja de depender de cuánto más rígida es.
    std::vector<Eigen::Triplet<double>> rigidezPonderada() const;

private:
    struct barraOperador {
        const objBarra3d* barra = nullptr;
        Eigen::Index inicio = 0, fin = 0;  // primer grado de libertad de cada nudo (desde 0)
        objBarra3d::rigidezNatural k;
        double peso = 0.0;  // 1 / mayor diagonal de la rigidez de la barra
    };
    // Rigidez del extremo final (6x6, ejes locales) de la barra, rearmada de la natural.
    static Eigen::Matrix<double, 6, 6> rigidezExtremoFinal(const barraOperador& op);
    std::vector<barraOperador> barrasOp;
    Eigen::Index gdl = 0;

    struct resorteOperador {
        Eigen::Index gdl = 0;
        double k = 0.0;
    };
    std::vector<resorteOperador> resortes;

    // signo·(b − K·u) en aritmética extendida, con o sin los resortes.
    Eigen::MatrixXd combinar(const Eigen::MatrixXd& b, const Eigen::MatrixXd& u, bool ponderado, int signo,
                             bool conResortes) const;
    template <typename Sumar>
    void recorrer(const Eigen::MatrixXd& u, bool ponderado, Sumar&& sumar) const;
};
