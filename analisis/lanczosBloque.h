// Lanczos por bloques con reinicio grueso: los mayores autovalores de un
// operador simétrico que se aplica a varios vectores a la vez. Con el factor
// de Cholesky de un modelo grande cada aplicación es una pasada por el factor,
// limitada por la memoria: con un bloque de seis vectores cuesta unas dos
// veces lo que con uno solo, y el bloque llega a los modos en muchas menos
// pasadas que el Lanczos de un vector.
#pragma once

#include <Eigen/Dense>
#include <functional>

// Devuelve A·X para todas las columnas de X (n × k). Puede dejar además en
// `otra` una segunda imagen lineal B·X (de cualquier número de filas, o vacía):
// se combina con la base igual que ella y sale B·y de cada vector pedido sin
// aplicar B otra vez.
using operadorBloque = std::function<Eigen::MatrixXd(const Eigen::MatrixXd& x, Eigen::MatrixXd& otra)>;

struct parametrosLanczosBloque {
    Eigen::Index bloque = 6;      // vectores por aplicación del operador
    Eigen::Index base = 60;       // columnas de la base antes de reiniciar
    Eigen::Index retenidos = 30;  // vectores de Ritz que quedan tras un reinicio
    int pasadasMaximas = 40;      // aplicaciones del operador antes de rendirse
    double tolerancia = 1e-10;    // ‖A·y − θ·y‖ ≤ tolerancia·θ en cada par pedido
    // Un valor de Ritz pedido, ya convergido, por debajo de esta fracción del
    // mayor: el operador tiene un núcleo entre los pedidos y el problema vuelve
    // a quien llama.
    double valorNulo = 1e-9;
};

struct informeLanczosBloque {
    int pasadas = 0;     // aplicaciones del operador
    int reinicios = 0;   // veces que se llenó la base
    bool nulos = false;  // se detuvo por un valor nulo entre los pedidos
};

// Los `pedidos` mayores autovalores de A (n × n, simétrica semidefinida
// positiva), de mayor a menor, con sus vectores ortonormales; en `otras`, B
// aplicado a esos vectores si el operador da B·X. Falso si no convergen en las
// pasadas dadas, si hay un valor nulo entre los pedidos o si la base no cabe
// en n: entonces lo devuelto no sirve.
bool lanczosBloque(const operadorBloque& a, Eigen::Index n, Eigen::Index pedidos, const parametrosLanczosBloque& p,
                   Eigen::VectorXd& valores, Eigen::MatrixXd& vectores, Eigen::MatrixXd* otras = nullptr,
                   informeLanczosBloque* informe = nullptr);
