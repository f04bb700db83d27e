// La solución dispersa (CHOLMOD, con escala y orden propios, refinada con el
// operador de barras) contra una solución densa de referencia en los ejemplos y
// en pórticos al azar, y el operador de barras contra la rigidez de cada barra.
#include "analisis/operadorRigidez.h"
#include "reporte/equilibrio.h"
#include "utilidades.h"

namespace {

// Solución densa independiente: K completa, partición por códigos de apoyo, los
// desplazamientos impuestos de los apoyos al lado derecho y Cholesky denso. La
// reacción de un resorte es la fuerza que ejerce, −k·u: la de K·u − P sin él.
void compararConDensa(const std::string& modelo) {
    SCOPED_TRACE(modelo);
    cargarArchivo(modelo);
    ASSERT_TRUE(resolver());
    const Eigen::MatrixXd k = Eigen::MatrixXd(kEstructura), p = pEstructura + fEstructura;
    Eigen::MatrixXd uDensa = Eigen::MatrixXd::Zero(k.rows(), p.cols());
    Eigen::VectorXd resortes = Eigen::VectorXd::Zero(k.rows());
    for (const objNudo3d& n : nudo)
        for (int i = 0; i < 6; ++i) {
            const int g = 6 * n.getNoNudoInterno() + i;
            resortes(g) = n.getResorteEfectivo(i);
            if (restriccionesEstructura(g) != 0) uDensa.row(g) = n.getDesplazamientosImpuestosCombo().row(i);
        }
    std::vector<int> libres;
    for (int i = 0; i < k.rows(); ++i)
        if (restriccionesEstructura(i) == 0) libres.push_back(i);
    const Eigen::MatrixXd b = p - k * uDensa, kff = k(libres, libres), bf = b(libres, Eigen::all);
    uDensa(libres, Eigen::all) = Eigen::MatrixXd(kff.llt().solve(bf));
    ASSERT_EQ(u.rows(), uDensa.rows());
    // Ambas soluciones son exactas hasta el redondeo del sistema; 1e-9 relativo
    // deja margen para el número de condición de estos modelos.
    EXPECT_LE((u - uDensa).norm(), 1e-9 * uDensa.norm() + 1e-300);
    const Eigen::MatrixXd rDensa = k * uDensa - p - resortes.asDiagonal() * uDensa;
    EXPECT_LE((reacciones - rDensa).norm(), 1e-9 * (rDensa.norm() + p.norm()));
    // Las reacciones equilibran las cargas, en fuerza y en momento.
    esperarEquilibrio("", 1e-12);
}

std::string porticoAleatorio(Azar& azar) {
    const int n = 6 + static_cast<int>(azar.gen() % 10);
    std::ostringstream s;
    s << "nudos:\n";
    for (int i = 1; i <= n; ++i) s << i << " " << azar.vector(-5, 5).transpose() << "\n";
    // Un árbol de barras rígidamente unidas con un nudo empotrado es estable; la barra n cierra un lazo.
    s << "barras:\n" << n << " 1 " << n << "\n";
    for (int i = 2; i <= n; ++i) s << i - 1 << " " << 1 + azar.gen() % static_cast<unsigned>(i - 1) << " " << i << "\n";
    s << "apoyo: 1 1 1 1 1 1 1\napoyo: 0 0 1 0 0 0 " << n << "\nseccionRectangular: R 0.3 0.5 25e6 0.2 24";
    for (int b = 1; b <= n; ++b) s << " " << b;
    s << "\nseccionPlaca: P 0.2 0.4 25e6 0.2 24 1 3\nrotacionBarra: 30 2 4\n";
    s << "puntual: A " << azar.vector(-20, 20).transpose() << " 1 2 3 " << n - 1 << "\n";
    s << "distribuidaLocalY: B " << azar.real(-20, 20) << " " << azar.real(-20, 20) << " 2 3\n";
    s << "distribuidaGlobal: B 2 3 1 1 -1 4\npesoPropio: PP\ncombo: C1 1 A 1 PP\ncombo: C2 1.2 B 0.9 PP\n";
    return s.str();
}

}  // namespace

TEST(AnalisisDisperso, IgualAUnaSolucionDensaEnEjemplosYPorticosAleatorios) {
    for (const std::string& m : archivosDe(VANTRA_EJEMPLOS, ".txt")) compararConDensa(m);
    Azar azar(20261206);
    for (int caso = 0; caso < 20; ++caso) compararConDensa(ArchivoTemporal(porticoAleatorio(azar)).ruta());
}

// El operador que calcula residuos y reacciones barra por barra es la misma rigidez que
// ensambla la matriz: para barras al azar (con liberaciones, corte y secciones de todo tipo)
// sus columnas son las de kGlobal, la energía es uᵀ·K·u y la rigidez ponderada es kGlobal por
// su peso. Además un movimiento rígido no da fuerzas ni energía más allá del redondeo del
// movimiento mismo (kGlobal deja 1e-15·|K|·|u|; el operador, mucho menos).
TEST(OperadorRigidez, EsLaRigidezDeLasBarrasSinFuerzasDeCuerpoRigido) {
    Azar azar(2027);
    for (int k = 0; k < 200; ++k) {
        const Eigen::Vector3d xi = azar.vector(-10, 10), xf = xi + azar.vector(-6, 6);
        const std::vector<objBarra3d> barras{barraAlAzar(azar, k, xi, xf)};
        const objBarra3d& b = barras[0];
        const Eigen::MatrixXd K = b.getKGlobal();
        operadorRigidez op;
        op.construir(barras, std::vector<objNudo3d>(2), 12);
        const Eigen::MatrixXd columnas = op.aplicar(Eigen::MatrixXd::Identity(12, 12));
        EXPECT_TRUE(casiIguales(columnas, K, 1e-12, K.cwiseAbs().maxCoeff())) << "barra " << k;
        const Eigen::VectorXd u = Eigen::VectorXd::Random(12);
        EXPECT_NEAR(op.energia(u, false), u.dot(K * u), 1e-12 * K.norm() * u.squaredNorm()) << "barra " << k;
        Eigen::MatrixXd ponderada = Eigen::MatrixXd::Zero(12, 12);
        for (const auto& t : op.rigidezPonderada()) ponderada(t.row(), t.col()) += t.value();
        const double peso = ponderada.cwiseAbs().maxCoeff() / K.cwiseAbs().maxCoeff();
        EXPECT_TRUE(casiIguales(ponderada, peso * K, 1e-12, peso * K.cwiseAbs().maxCoeff())) << "barra " << k;
        const Eigen::Vector3d p = azar.vector(-20, 20), t = azar.vector(-1, 1), giro = 1e-3 * azar.vector(-1, 1);
        Eigen::VectorXd rigido(12);
        rigido << t + giro.cross(xi - p), giro, t + giro.cross(xf - p), giro;
        EXPECT_LE(op.aplicar(rigido).norm(), 1e-13 * K.norm() * rigido.norm()) << "barra " << k;
        EXPECT_LE(std::fabs(op.energia(rigido, false)), 1e-26 * K.norm() * rigido.squaredNorm()) << "barra " << k;
    }
}
