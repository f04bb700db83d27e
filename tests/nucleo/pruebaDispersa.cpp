// La solución dispersa contra una solución densa de referencia.
#include "utilidades.h"

namespace {

bool cargarYResolver(const std::string& archivo) {
    nombreArchivo = archivo;
    CapturaConsola silencio;
    funcionLeerArchivo();
    return funcionSolve();
}

// Solución densa independiente: K completa, partición por códigos de apoyo y
// Cholesky denso.
void compararConDensa(const std::string& modelo) {
    SCOPED_TRACE(modelo);
    ASSERT_TRUE(cargarYResolver(modelo));
    const Eigen::MatrixXd k = Eigen::MatrixXd(kEstructura);
    std::vector<int> libres;
    for (int i = 0; i < k.rows(); ++i)
        if (restriccionesEstructura(i) == 0) libres.push_back(i);
    const Eigen::Index nf = static_cast<Eigen::Index>(libres.size());
    Eigen::MatrixXd kff(nf, nf), pf(nf, pEstructura.cols());
    for (Eigen::Index i = 0; i < nf; ++i) {
        for (Eigen::Index j = 0; j < nf; ++j) kff(i, j) = k(libres[i], libres[j]);
        pf.row(i) = pEstructura.row(libres[i]) + fEstructura.row(libres[i]);
    }
    const Eigen::MatrixXd uf = kff.llt().solve(pf);
    Eigen::MatrixXd uDensa = Eigen::MatrixXd::Zero(k.rows(), pf.cols());
    for (Eigen::Index i = 0; i < nf; ++i) uDensa.row(libres[i]) = uf.row(i);
    const Eigen::MatrixXd rDensa = k * uDensa - pEstructura - fEstructura;
    ASSERT_EQ(u.rows(), uDensa.rows());
    // Ambas soluciones son exactas hasta el redondeo del sistema; 1e-9 relativo
    // deja margen para el número de condición de estos modelos.
    EXPECT_LE((u - uDensa).norm(), 1e-9 * uDensa.norm() + 1e-300);
    EXPECT_LE((reacciones - rDensa).norm(), 1e-9 * (rDensa.norm() + pEstructura.norm() + fEstructura.norm()));
}

std::string porticoAleatorio(std::mt19937& azar) {
    std::uniform_real_distribution<double> coord(-5, 5), carga(-20, 20);
    const int n = 6 + static_cast<int>(azar() % 10);
    std::ostringstream s;
    s << "nudos:\n";
    for (int i = 1; i <= n; ++i) s << i << " " << coord(azar) << " " << coord(azar) << " " << coord(azar) << "\n";
    // Un árbol de barras rígidamente unidas con un nudo empotrado es estable.
    s << "barras:\n";
    std::vector<int> barras;
    for (int i = 2; i <= n; ++i) {
        s << i - 1 << " " << 1 + static_cast<int>(azar() % static_cast<unsigned>(i - 1)) << " " << i << "\n";
        barras.push_back(i - 1);
    }
    s << n << " 1 " << n << "\n";
    barras.push_back(n);
    s << "apoyo: 1 1 1 1 1 1 1\napoyo: 0 0 1 0 0 0 " << n << "\n";
    s << "seccionRectangular: R 0.3 0.5 25e6 0.2 24";
    for (int b : barras) s << " " << b;
    s << "\nseccionPlaca: P 0.2 0.4 25e6 0.2 24 1 3\nrotacionBarra: 30 2 4\n";
    s << "puntual: A " << carga(azar) << " " << carga(azar) << " " << carga(azar) << " 1 2 3 " << n - 1 << "\n";
    s << "distribuidaLocalY: B " << carga(azar) << " " << carga(azar) << " 2 3\n";
    s << "distribuidaGlobal: B 2 3 1 1 -1 4\npesoPropio: PP\n";
    s << "combo: C1 1 A 1 PP\ncombo: C2 1.2 B 0.9 PP\n";
    return s.str();
}

}  // namespace

TEST(AnalisisDisperso, IgualAUnaSolucionDensaEnEjemplosYPorticosAleatorios) {
    for (const std::string& m : archivosDe(VANTRA_EJEMPLOS, ".txt")) compararConDensa(m);
    std::mt19937 azar(20261206);
    for (int caso = 0; caso < 20; ++caso) {
        ArchivoTemporal a(porticoAleatorio(azar));
        compararConDensa(a.ruta());
    }
}
