// La solución dispersa (CHOLMOD, con escala y orden propios) contra una
// solución densa de referencia en los ejemplos y en pórticos al azar.
#include "utilidades.h"

namespace {

// Solución densa independiente: K completa, partición por códigos de apoyo y
// Cholesky denso.
void compararConDensa(const std::string& modelo) {
    SCOPED_TRACE(modelo);
    cargarArchivo(modelo);
    {
        CapturaConsola silencio;
        ASSERT_TRUE(funcionSolve());
    }
    const Eigen::MatrixXd k = Eigen::MatrixXd(kEstructura), p = pEstructura + fEstructura;
    std::vector<int> libres;
    for (int i = 0; i < k.rows(); ++i)
        if (restriccionesEstructura(i) == 0) libres.push_back(i);
    const Eigen::Index nf = static_cast<Eigen::Index>(libres.size());
    Eigen::MatrixXd kff(nf, nf), pf(nf, p.cols()), uDensa = Eigen::MatrixXd::Zero(k.rows(), p.cols());
    for (Eigen::Index i = 0; i < nf; ++i) {
        for (Eigen::Index j = 0; j < nf; ++j) kff(i, j) = k(libres[i], libres[j]);
        pf.row(i) = p.row(libres[i]);
    }
    const Eigen::MatrixXd uf = kff.llt().solve(pf);
    for (Eigen::Index i = 0; i < nf; ++i) uDensa.row(libres[i]) = uf.row(i);
    ASSERT_EQ(u.rows(), uDensa.rows());
    // Ambas soluciones son exactas hasta el redondeo del sistema; 1e-9 relativo
    // deja margen para el número de condición de estos modelos.
    EXPECT_LE((u - uDensa).norm(), 1e-9 * uDensa.norm() + 1e-300);
    EXPECT_LE((reacciones - (k * uDensa - p)).norm(), 1e-9 * ((k * uDensa - p).norm() + p.norm()));
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
