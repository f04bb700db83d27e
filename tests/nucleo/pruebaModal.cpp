// Análisis modal contra soluciones cerradas de vigas y barras, masas efectivas,
// ortogonalidad de las formas e invariancia ante una rotación del modelo. (Un
// modelo sin "modos:" se comprueba en Lotes.)
#include <cmath>

#include "arranque.h"
#include "utilidades.h"

namespace {

// La sección genérica de barraSubdividida (A, Iy, Iz, J) con acero de peso específico 78.5 y g = 9.81.
const double E = 2e8, G = E / 2.6, A = 0.1, IY = 0.002, IZ = 0.001, J = 0.003, MU = 78.5 * A / 9.81;

void esperarPulsaciones(std::vector<double> esperadas, double tolerancia, const std::string& que) {
    std::sort(esperadas.begin(), esperadas.end());
    const std::vector<double> w = pulsaciones();
    ASSERT_EQ(w.size(), esperadas.size()) << que;
    for (size_t k = 0; k < w.size(); ++k) EXPECT_NEAR(w[k], esperadas[k], tolerancia * esperadas[k]) << que << " modo " << k + 1;
}

}  // namespace

TEST(Modal, VigasYBarrasContraSolucionesCerradas) {
    // Voladizo: flexión (βL)²·√(EI/(μL⁴)) en cada plano, torsión y axial (2n − 1)π/2 por
    // √(GJ/(μ·Ip/A·L²)) y √(EA/(μL²)). Con 40 barras el error de discretización es del orden de
    // 1e-4 en la torsión y el axial (funciones lineales) y menor en la flexión.
    const double L = 10, L4 = L * L * L * L;
    std::vector<double> voladizo;
    for (double bl : {1.875104069, 4.694091133, 7.854757438}) {
        voladizo.push_back(bl * bl * std::sqrt(E * IZ / (MU * L4)));
        voladizo.push_back(bl * bl * std::sqrt(E * IY / (MU * L4)));
    }
    voladizo.push_back(PI / 2 * std::sqrt(G * J / (MU * (IY + IZ) / A * L * L)));
    voladizo.push_back(10.99554073 * 10.99554073 * std::sqrt(E * IZ / (MU * L4)));
    voladizo.push_back(PI / 2 * std::sqrt(E * A / (MU * L * L)));
    ASSERT_TRUE(analizarModelo(barraSubdividida(40, "apoyo: 1 1 1 1 1 1  1\nmodos: 9\n", 78.5)));
    esperarPulsaciones(voladizo, 2e-4, "voladizo");

    // Simplemente apoyada (con la torsión fija en los extremos): (nπ)²·√(EI/(μL⁴)) en cada plano.
    std::vector<double> apoyada;
    for (int n = 1; n <= 3; ++n)
        for (double I : {IY, IZ}) apoyada.push_back(n * n * PI * PI * std::sqrt(E * I / (MU * L4)));
    ASSERT_TRUE(analizarModelo(barraSubdividida(40, "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 1 0 0  41\nmodos: 6\n", 78.5)));
    esperarPulsaciones(apoyada, 2e-4, "simplemente apoyada");

    // Masa concentrada m = 2 en la punta de una columna de 3 m sin peso: √(k/m) con k = 3EI/h³
    // en cada dirección y EA/h en la vertical. Los giros no tienen masa: un cuarto modo pedido
    // no existe, y se avisa.
    const Lineas consola = cargarModelo(
        "nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
        "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\nmasaNudo: 2  2\nmodos: 4\n");
    EXPECT_NE(std::find(consola.begin(), consola.end(),
                        "Advertencia: se usa gravedad 9.81 (m/s²); defina gravedad: si usa otras unidades"),
              consola.end());
    const size_t desde = mensajes.tamano();
    ASSERT_TRUE(funcionSolve());
    const double h = 3, m = 2;
    esperarPulsaciones({std::sqrt(3 * E * IY / (h * h * h) / m), std::sqrt(3 * E * IZ / (h * h * h) / m),
                        std::sqrt(E * A / h / m)},
                       1e-9, "masa concentrada");
    EXPECT_EQ(mensajes.textos(desde), (Lineas{"Advertencia: el modo 4 no tiene masa; se omite",
                                       "Advertencia: se pidieron 4 modos y hay 3"}));

    // Más modos que incógnitas libres (la columna tiene seis): se calculan a lo sumo seis, y se dice.
    cargarModelo("nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                 "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\nmasaNudo: 2  2\nmodos: 1000\n");
    const size_t antes = mensajes.tamano();
    ASSERT_TRUE(funcionSolve());
    EXPECT_EQ(mensajes.textos(antes)[0],
              "Advertencia: se piden 1000 modos y la estructura tiene 6 incógnitas libres; se calculan a lo sumo 6");
    EXPECT_EQ(resultados.modos.size(), 3u);
}

TEST(Modal, MasasEfectivasOrtogonalidadYRotacion) {
    // Pórtico espacial pequeño con todos sus modos: las masas efectivas suman la masa total
    // en cada dirección.
    const std::string portico = "nudos: 1 0 0 0  2 4 0 0  3 0 0 3  4 4 0 3  5 4 3 3\nbarras: 1 1 3  2 2 4  3 3 4  4 4 5\n"
                                "apoyo: 1 1 1 1 1 1  1 2\napoyo: 1 1 1 0 0 0  5\n"
                                "seccionRectangular: R 0.3 0.5 25e6 0.2 24  1 2 3 4\nmasaNudo: 3  3 4\n"
                                "gravedad: 9.81\nmodos: 1000\n";
    ASSERT_TRUE(analizarModelo(portico));
    ASSERT_FALSE(resultados.modos.empty());
    for (int d = 0; d < 3; ++d) EXPECT_NEAR(resultados.modos.back().masaAcumulada(d), 1.0, 1e-9) << d;

    // Las formas son soluciones de K·φ = ω²·M·φ, M-ortogonales entre sí, con la mayor
    // traslación igual a 1.
    ASSERT_TRUE(analizarModelo(barraSubdividida(20, "apoyo: 1 1 1 1 1 1  1\nmodos: 6\n", 78.5)));
    const Eigen::MatrixXd k = Eigen::MatrixXd(resultados.rigidez);
    Eigen::MatrixXd masa = Eigen::MatrixXd::Zero(k.rows(), k.cols());
    for (const objBarra3d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd mb = b.getMasaGlobal(9.81);
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 12; ++j) masa(g(i) - 1, g(j) - 1) += mb(i, j);
    }
    std::vector<int> libres;
    for (int i = 0; i < k.rows(); ++i)
        if (nudo[static_cast<size_t>(i / 6)].getApoyo()(i % 6) == 0) libres.push_back(i);
    const Eigen::MatrixXd kf = k(libres, libres), mf = masa(libres, libres);
    for (size_t a = 0; a < resultados.modos.size(); ++a) {
        const Eigen::VectorXd fa = resultados.modos[a].forma(libres);
        const double w2 = resultados.modos[a].omega * resultados.modos[a].omega;
        EXPECT_LE((kf * fa - w2 * mf * fa).norm(), 1e-9 * (kf * fa).norm()) << a;
        double traslacion = 0;
        for (Eigen::Index i = 0; i < resultados.modos[a].forma.size(); ++i)
            if (i % 6 < 3) traslacion = std::max(traslacion, resultados.modos[a].forma(i));
        EXPECT_DOUBLE_EQ(traslacion, 1.0) << a;
        for (size_t b = a + 1; b < resultados.modos.size(); ++b)
            EXPECT_LE(std::fabs(fa.dot(mf * resultados.modos[b].forma(libres))), 1e-9 * fa.dot(mf * fa)) << a << " " << b;
    }

    // El mismo voladizo girado en el espacio tiene las mismas frecuencias.
    const std::vector<double> w = pulsaciones();
    ASSERT_TRUE(analizarModelo(barraSubdividida(20, "apoyo: 1 1 1 1 1 1  1\nmodos: 6\n", 78.5, {1, 2, 3})));
    const std::vector<double> girado = pulsaciones();
    ASSERT_EQ(girado.size(), w.size());
    for (size_t i = 0; i < w.size(); ++i) EXPECT_NEAR(girado[i], w[i], 1e-9 * w[i]) << i;

    // El modo por lotes escribe los mismos modos: sus líneas y los CSV, que se leen exactos.
    DirectorioTemporal dir;
    ArchivoTemporal modelo(barraSubdividida(20, "apoyo: 1 1 1 1 1 1  1\nmodos: 6\n", 78.5));
    CapturaConsola consola;
    ASSERT_EQ(funcionCalcularLotes(modelo.ruta(), "csv"), 0);
    const Lineas modos = lineasDe(leerArchivo("csv/modos.csv")), formas = lineasDe(leerArchivo("csv/formasModales.csv"));
    ASSERT_EQ(modos.size(), 7u);
    EXPECT_EQ(modos[0], "modo,periodo,frecuencia,mx,my,mz");
    EXPECT_EQ(formas.size(), 1 + 6 * nudo.size());
    for (size_t k = 0; k < 6; ++k) {
        const modoVibracion& m = resultados.modos[k];
        std::istringstream fila(modos[k + 1]);
        double v[6];
        char coma;
        fila >> v[0] >> coma >> v[1] >> coma >> v[2] >> coma >> v[3] >> coma >> v[4] >> coma >> v[5];
        EXPECT_EQ(Eigen::Map<Eigen::VectorXd>(v, 6), (Eigen::VectorXd(6) << k + 1, m.periodo, m.frecuencia,
                                                       m.masaEfectiva(0), m.masaEfectiva(1), m.masaEfectiva(2)).finished());
    }
    // Una línea por modo en la consola, con los valores del análisis en sus cifras.
    int numero = 0;
    for (const std::string& l : consola.lineas()) {
        double t, f, x, y, z;
        int k;
        if (std::sscanf(l.c_str(), "Modo %d: T = %lf s, f = %lf Hz, masa efectiva X %lf %%, Y %lf %%, Z %lf %%", &k, &t,
                        &f, &x, &y, &z) != 6)
            continue;
        ASSERT_EQ(k, ++numero);
        const modoVibracion& m = resultados.modos[static_cast<size_t>(k - 1)];
        EXPECT_NEAR(t, m.periodo, 1e-6 * m.periodo) << l;
        EXPECT_NEAR(f, m.frecuencia, 1e-6 * m.frecuencia) << l;
        EXPECT_NEAR(z, 100 * m.masaEfectiva(2), 0.005) << l;
    }
    EXPECT_EQ(numero, 6);
    EXPECT_NE(leerArchivo("resultados.txt").find("************ANÁLISIS MODAL***************\n"), std::string::npos);
}

TEST(Modal, LanczosDaLoMismoQueLaDescomposicionDensa) {
    // Voladizo de 90 barras: 540 grados de libertad libres. Seis modos pedidos van por Lanczos
    // sobre el factor de la rigidez; 270 (la mitad o más) por la descomposición densa del problema
    // entero. Los seis más bajos coinciden: pulsaciones, masas efectivas y formas.
    const std::string resto = "apoyo: 1 1 1 1 1 1  1\nmodos: ";
    ASSERT_TRUE(analizarModelo(barraSubdividida(90, resto + "6\n", 78.5)));
    const std::vector<modoVibracion> lanczos = resultados.modos;
    ASSERT_TRUE(analizarModelo(barraSubdividida(90, resto + "270\n", 78.5)));
    ASSERT_EQ(lanczos.size(), 6u);
    ASSERT_GE(resultados.modos.size(), 6u);
    for (size_t k = 0; k < 6; ++k) {
        const modoVibracion &a = lanczos[k], &b = resultados.modos[k];
        EXPECT_NEAR(a.omega, b.omega, 1e-9 * b.omega) << k;
        EXPECT_TRUE(casiIguales(a.masaEfectiva, b.masaEfectiva, 1e-8)) << k;
        // Las formas llevan su mayor traslación en 1: el signo queda fijo y se comparan tal cual.
        EXPECT_TRUE(casiIguales(a.forma, b.forma, 1e-6)) << k;
    }
}
