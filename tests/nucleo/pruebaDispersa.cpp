// La solución dispersa (CHOLMOD, con escala y orden propios, refinada con el
// operador de barras) contra una solución densa de referencia en los ejemplos y
// en pórticos al azar, con su equilibrio y un segundo análisis igual al primero.
#include "modelo/diafragma.h"
#include "utilidades.h"

namespace {

// Solución densa independiente: K completa, partición por códigos de apoyo, los
// desplazamientos impuestos de los apoyos al lado derecho y Cholesky denso. La
// reacción de un resorte es la fuerza que ejerce, −k·u: la de K·u − P sin él.
void compararConDensa(const std::string& modelo) {
    SCOPED_TRACE(modelo);
    cargarArchivo(modelo);
    ASSERT_TRUE(resolver());
    // Un segundo análisis del mismo modelo da exactamente lo mismo: nada se acumula de uno a otro.
    const Eigen::MatrixXd u0 = matrizDesplazamientos(resultados), f0 = fuerzasExtremos(resultados, noBarras - 1);
    ASSERT_TRUE(resolver());
    const Eigen::MatrixXd u = matrizDesplazamientos(resultados);
    EXPECT_TRUE(u == u0 && fuerzasExtremos(resultados, noBarras - 1) == f0);
    const Eigen::MatrixXd k = Eigen::MatrixXd(resultados.rigidez),
                          p = resultados.cargasPuntuales + resultados.cargasDistribuidas;
    Eigen::MatrixXd uDensa = Eigen::MatrixXd::Zero(k.rows(), p.cols()), reacciones = uDensa;
    Eigen::VectorXd resortes = Eigen::VectorXd::Zero(k.rows());
    std::vector<int> libres;
    for (const objNudo3d& n : nudo)
        for (int i = 0; i < 6; ++i) {
            const int g = 6 * n.getNoNudoInterno() + i;
            resortes(g) = n.getResorteEfectivo(i);
            if (n.getApoyo()(i) != 0) uDensa.row(g) = n.getDesplazamientosImpuestosCombo().row(i);
            else libres.push_back(g);
            // De una combinación con sismo, su parte estática (la que resuelve el sistema).
            for (int c = 0; c < noCombos; ++c)
                reacciones(g, c) = casoEstatico(casoNumero(c))->reacciones(i, n.getNoNudoInterno());
        }
    std::sort(libres.begin(), libres.end());
    // Las incógnitas: los libres que no siguen a un diafragma y Ux, Uy, Gz de cada diafragma
    // (en el centroide de sus nudos), con u = T·x; sin diafragmas T elige los libres.
    std::vector<int> diafragmaDe(nudo.size(), -1);
    for (size_t d = 0; d < diafragmas.size(); ++d)
        for (int n : diafragmas[d].nudos) diafragmaDe[static_cast<size_t>(n)] = static_cast<int>(d);
    std::vector<int> propios;
    for (int g : libres)
        if (diafragmaDe[static_cast<size_t>(g / 6)] < 0 || (g % 6 != 0 && g % 6 != 1 && g % 6 != 5)) propios.push_back(g);
    const Eigen::Index np = static_cast<Eigen::Index>(propios.size());
    Eigen::MatrixXd t = Eigen::MatrixXd::Zero(k.rows(), np + 3 * static_cast<Eigen::Index>(diafragmas.size()));
    for (Eigen::Index j = 0; j < np; ++j) t(propios[static_cast<size_t>(j)], j) = 1;
    for (size_t d = 0; d < diafragmas.size(); ++d) {
        double xc = 0, yc = 0;
        for (int n : diafragmas[d].nudos) xc += nudo[static_cast<size_t>(n)].getX(), yc += nudo[static_cast<size_t>(n)].getY();
        xc /= static_cast<double>(diafragmas[d].nudos.size()), yc /= static_cast<double>(diafragmas[d].nudos.size());
        const Eigen::Index c = np + 3 * static_cast<Eigen::Index>(d);
        for (int n : diafragmas[d].nudos) {
            t(6 * n, c) = 1, t(6 * n, c + 2) = -(nudo[static_cast<size_t>(n)].getY() - yc);
            t(6 * n + 1, c + 1) = 1, t(6 * n + 1, c + 2) = nudo[static_cast<size_t>(n)].getX() - xc;
            t(6 * n + 5, c + 2) = 1;
        }
    }
    const Eigen::MatrixXd b = p - k * uDensa, kr = t.transpose() * k * t;
    uDensa += t * Eigen::MatrixXd(kr.llt().solve(t.transpose() * b));
    ASSERT_EQ(u.rows(), uDensa.rows());
    // Ambas soluciones son exactas hasta el redondeo del sistema; 1e-9 relativo
    // deja margen para el número de condición de estos modelos.
    EXPECT_LE((u - uDensa).norm(), 1e-9 * uDensa.norm() + 1e-300);
    // Donde no hay apoyo ni resorte la reacción es nula (la densa deja allí el redondeo).
    Eigen::MatrixXd rDensa = k * uDensa - p - resortes.asDiagonal() * uDensa;
    for (const objNudo3d& n : nudo)
        for (int i = 0; i < 6; ++i)
            if (!n.tieneReaccion(i)) rDensa.row(6 * n.getNoNudoInterno() + i).setZero();
    EXPECT_LE((reacciones - rDensa).norm(), 1e-9 * (rDensa.norm() + p.norm()));
    // Las reacciones equilibran las cargas, en fuerza y en momento: el redondeo deja residuos del
    // orden de 1e-15; un término de carga o de rigidez equivocado, de la escala de las cargas (la
    // suma de cargas se comprueba aparte con valores conocidos, en Lotes). Las reacciones no son
    // nulas: el equilibrio no se cumple sólo porque no haya nada.
    esperarEquilibrio("", 1e-12);
    for (int c = 0; c < noCombos; ++c) EXPECT_GT(reacciones.col(c).norm(), 1.0) << "combo " << c;
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
