// La solución dispersa (CHOLMOD, con escala y orden propios, refinada con el
// operador de barras) contra una solución densa de referencia en los ejemplos y
// en pórticos al azar, con su equilibrio y un segundo análisis igual al primero.
#include <cholmod.h>
#include <metis.h>

#include "analisis/ordenNudos.h"
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
    const Eigen::MatrixXd uTodas = matrizDesplazamientos(resultados);
    EXPECT_TRUE(uTodas == u0 && fuerzasExtremos(resultados, noBarras - 1) == f0);
    const Eigen::MatrixXd k = Eigen::MatrixXd(resultados.rigidez),
                          pTodas = resultados.cargasPuntuales + resultados.cargasDistribuidas;
    Eigen::MatrixXd uDensa = Eigen::MatrixXd::Zero(k.rows(), pTodas.cols()), reacciones = uDensa;
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
    // Cada combinación con su propia rigidez: la de todas las barras (la del reporte) sin las
    // que desactivó (solo tracción o compresión).
    Eigen::MatrixXd rDensa(k.rows(), pTodas.cols());
    for (int c = 0; c < static_cast<int>(pTodas.cols()); ++c) {
        Eigen::MatrixXd kc = k;
        for (int i : casoNumero(c).barrasInactivas) {
            const objBarra3d& bi = barra[static_cast<size_t>(i)];
            const Eigen::VectorXi g = bi.getGdl();
            const Eigen::MatrixXd kb = bi.getKGlobal();
            for (int f = 0; f < 12; ++f)
                for (int j = 0; j < 12; ++j) kc(g(f) - 1, g(j) - 1) -= kb(f, j);
        }
        const Eigen::VectorXd b = pTodas.col(c) - kc * uDensa.col(c);
        const Eigen::MatrixXd kr = t.transpose() * kc * t;
        uDensa.col(c) += t * Eigen::VectorXd(kr.llt().solve(Eigen::VectorXd(t.transpose() * b)));
        rDensa.col(c) = kc * uDensa.col(c) - pTodas.col(c) - resortes.asDiagonal() * uDensa.col(c);
    }
    ASSERT_EQ(uTodas.rows(), uDensa.rows());
    // Las combinaciones de segundo orden no son la solución de K·u = P: se comparan las demás.
    std::vector<int> lineales;
    for (int c = 0; c < noCombos; ++c)
        if (casoNumero(c).tipo == tipoCaso::combinacion) lineales.push_back(c);
    const Eigen::MatrixXd u = uTodas(Eigen::all, lineales);
    uDensa = Eigen::MatrixXd(uDensa(Eigen::all, lineales));
    rDensa = Eigen::MatrixXd(rDensa(Eigen::all, lineales));
    reacciones = Eigen::MatrixXd(reacciones(Eigen::all, lineales));
    const Eigen::MatrixXd p = pTodas(Eigen::all, lineales);
    // Ambas soluciones son exactas hasta el redondeo del sistema; 1e-9 relativo
    // deja margen para el número de condición de estos modelos.
    EXPECT_LE((u - uDensa).norm(), 1e-9 * uDensa.norm() + 1e-300);
    // Donde no hay apoyo ni resorte la reacción es nula (la densa deja allí el redondeo).
    for (const objNudo3d& n : nudo)
        for (int i = 0; i < 6; ++i)
            if (!n.tieneReaccion(i)) rDensa.row(6 * n.getNoNudoInterno() + i).setZero();
    EXPECT_LE((reacciones - rDensa).norm(), 1e-9 * (rDensa.norm() + p.norm()));
    // Las reacciones equilibran las cargas, en fuerza y en momento: el redondeo deja residuos del
    // orden de 1e-15; un término de carga o de rigidez equivocado, de la escala de las cargas (la
    // suma de cargas se comprueba aparte con valores conocidos, en Lotes). Las reacciones no son
    // nulas: el equilibrio no se cumple sólo porque no haya nada.
    for (int c : lineales) EXPECT_LE(errorEquilibrioDe(c), 1e-12) << c;
    // En segundo orden el equilibrio en la geometría deformada deja términos del orden del
    // cuadrado de los desplazamientos.
    for (int c = 0; c < noCombos; ++c) {
        if (casoNumero(c).tipo == tipoCaso::segundoOrden) {
            EXPECT_LE(errorEquilibrioDe(c), 1e-4) << c;
        }
    }
    for (Eigen::Index c = 0; c < reacciones.cols(); ++c) EXPECT_GT(reacciones.col(c).norm(), 1.0) << "combo " << c;
}

// Torre de pisos pisos de un vano en el plano XZ con una cruz de solo tracción en cada piso y
// viento en los dos sentidos: en cada combinación se desactiva una diagonal por piso. Con las
// diagonales articuladas (rango dos cada una) la solución corrige el factor de todas las
// barras; rígidas (rango seis), son demasiadas y se factoriza de nuevo.
std::string torreArriostrada(int pisos, bool articuladas) {
    std::ostringstream s;
    s << "nudos:\n";
    for (int k = 0; k <= pisos; ++k) s << 2 * k + 1 << " 0 0 " << 3 * k << "\n" << 2 * k + 2 << " 4 0 " << 3 * k << "\n";
    s << "barras:\n";
    std::string columnas, diagonales;
    for (int k = 0; k < pisos; ++k) {
        const int a = 2 * k + 1, b = a + 1, c = a + 2, d = a + 3, n = 5 * k;
        s << n + 1 << " " << a << " " << c << "\n" << n + 2 << " " << b << " " << d << "\n" << n + 3 << " " << c << " "
          << d << "\n" << n + 4 << " " << a << " " << d << "\n" << n + 5 << " " << b << " " << c << "\n";
        columnas += " " + std::to_string(n + 1) + " " + std::to_string(n + 2) + " " + std::to_string(n + 3);
        diagonales += " " + std::to_string(n + 4) + " " + std::to_string(n + 5);
    }
    s << "apoyo: 1 1 1 1 1 1  1 2\nseccionGenerica: C 0.01 1e-4 1e-4 1e-4 2e8 0.3 0 " << columnas
      << "\nseccionGenerica: D 0.001 1e-7 1e-7 1e-7 2e8 0.3 0 " << diagonales << "\nsoloTraccion:" << diagonales
      << "\n" << (articuladas ? "articulacion: 0 0 0 0 " + diagonales + "\n" : "")
      << "puntual: V 10 0 0 0 0 0";
    for (int k = 1; k <= pisos; ++k) s << " " << 2 * k + 1;
    s << "\npuntual: G 0 0 -5 0 0 0";
    for (int k = 1; k <= 2 * pisos + 2; ++k) s << " " << k;
    s << "\ncombo: VX 1 V 1 G\ncombo: VXN -1 V 1 G\n";
    return s.str();
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

// Nudos de una malla cúbica de lado × lado × lado unidos por barras en las tres
// direcciones, con la base empotrada: posicion[g] es el lugar del grado de
// libertad g entre los libres (-1 en la base).
struct mallaCubica {
    int n = 0, libres = 0;
    std::vector<std::pair<int, int>> conexiones;
    std::vector<int> posicion, libresPorNudo;
};

mallaCubica armarMalla(int lado) {
    mallaCubica m;
    m.n = lado * lado * lado;
    const auto indice = [&](int i, int j, int k) { return (k * lado + j) * lado + i; };
    for (int k = 0; k < lado; ++k)
        for (int j = 0; j < lado; ++j)
            for (int i = 0; i < lado; ++i) {
                if (i + 1 < lado) m.conexiones.emplace_back(indice(i, j, k), indice(i + 1, j, k));
                if (j + 1 < lado) m.conexiones.emplace_back(indice(i, j, k), indice(i, j + 1, k));
                if (k + 1 < lado) m.conexiones.emplace_back(indice(i, j, k), indice(i, j, k + 1));
            }
    m.posicion.assign(static_cast<size_t>(6 * m.n), -1);
    for (int g = 6 * lado * lado; g < 6 * m.n; ++g) m.posicion[static_cast<size_t>(g)] = m.libres++;
    m.libresPorNudo.assign(static_cast<size_t>(m.n), 6);
    for (int i = 0; i < lado * lado; ++i) m.libresPorNudo[static_cast<size_t>(i)] = 0;
    return m;
}

// Operaciones que cuenta CHOLMOD para el patrón de los grados de libertad
// libres (bloques de 6 x 6 por nudo y por barra) en el orden dado.
double operacionesCholmod(const mallaCubica& m, const std::vector<int>& orden) {
    cholmod_common comun;
    cholmod_start(&comun);
    comun.print = 0;
    std::vector<std::pair<int, int>> terminos;
    const auto bloque = [&](int a, int b) {
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                const int pa = m.posicion[static_cast<size_t>(6 * a + i)], pb = m.posicion[static_cast<size_t>(6 * b + j)];
                if (pa >= 0 && pb >= 0) terminos.emplace_back(orden[static_cast<size_t>(std::max(pa, pb))],
                                                            orden[static_cast<size_t>(std::min(pa, pb))]);
            }
    };
    for (int a = 0; a < m.n; ++a) bloque(a, a);
    for (const auto& c : m.conexiones) bloque(c.first, c.second);
    cholmod_triplet* t = cholmod_allocate_triplet(static_cast<size_t>(m.libres), static_cast<size_t>(m.libres),
                                                  terminos.size(), -1, CHOLMOD_PATTERN, &comun);
    for (size_t k = 0; k < terminos.size(); ++k)
        static_cast<int*>(t->i)[k] = terminos[k].first, static_cast<int*>(t->j)[k] = terminos[k].second;
    t->nnz = terminos.size();
    cholmod_sparse* a = cholmod_triplet_to_sparse(t, 0, &comun);
    comun.nmethods = 1;
    comun.method[0].ordering = CHOLMOD_NATURAL;
    cholmod_factor* f = cholmod_analyze(a, &comun);
    const double fl = comun.fl;
    cholmod_free_factor(&f, &comun);
    cholmod_free_sparse(&a, &comun);
    cholmod_free_triplet(&t, &comun);
    cholmod_finish(&comun);
    return fl;
}

}  // namespace

TEST(AnalisisDisperso, IgualAUnaSolucionDensaEnEjemplosYPorticosAleatorios) {
    for (const std::string& m : archivosDe(VANTRA_EJEMPLOS, ".txt")) compararConDensa(m);
    for (bool articuladas : {true, false}) {
        compararConDensa(ArchivoTemporal(torreArriostrada(20, articuladas)).ruta());
        EXPECT_EQ(casoNumero(0).barrasInactivas.size(), 20u) << articuladas;
        EXPECT_EQ(casoNumero(1).barrasInactivas.size(), 20u) << articuladas;
    }
    Azar azar(20261206);
    for (int caso = 0; caso < 20; ++caso) compararConDensa(ArchivoTemporal(porticoAleatorio(azar)).ruta());
}

// El orden de eliminación de un modelo grande es una permutación de los libres
// con los seis de cada nudo juntos, y el mismo en cada análisis (los
// resultados no pueden depender de la corrida).
TEST(AnalisisDisperso, OrdenDeUnModeloGrandeEsPermutacionYSiempreElMismo) {
    const mallaCubica m = armarMalla(17);
    const std::vector<int> orden = ordenarGradosLibres(m.n, m.conexiones, m.posicion, m.libres);
    ASSERT_EQ(orden.size(), static_cast<size_t>(m.libres));
    std::vector<int> inversa(static_cast<size_t>(m.libres), -1);
    for (int p = 0; p < m.libres; ++p) {
        ASSERT_GE(orden[static_cast<size_t>(p)], 0);
        ASSERT_LT(orden[static_cast<size_t>(p)], m.libres);
        ASSERT_EQ(inversa[static_cast<size_t>(orden[static_cast<size_t>(p)])], -1);
        inversa[static_cast<size_t>(orden[static_cast<size_t>(p)])] = p;
    }
    for (int p = 0; p < m.libres; p += 6)
        for (int g = 1; g < 6; ++g) EXPECT_EQ(orden[static_cast<size_t>(p + g)], orden[static_cast<size_t>(p)] + g);
    EXPECT_EQ(ordenarGradosLibres(m.n, m.conexiones, m.posicion, m.libres), orden);
}

// En un modelo cuya factorización es grande se elige entre dos disecciones
// por sus operaciones previstas: la previsión es la cuenta de CHOLMOD, y el
// orden elegido no cuesta más que la disección de METIS con su semilla de
// omisión (el orden de los modelos chicos).
TEST(AnalisisDisperso, OrdenDeUnaFactorizacionGrandeEsElDeMenosOperaciones) {
    const mallaCubica m = armarMalla(21);
    const std::vector<int> elegido = ordenarNudos(m.n, m.conexiones, m.libresPorNudo);
    std::vector<idx_t> xadj(1, 0), adyacentes, perm(static_cast<size_t>(m.n)), iperm(static_cast<size_t>(m.n));
    std::vector<std::vector<idx_t>> vecinos(static_cast<size_t>(m.n));
    for (const auto& c : m.conexiones) {
        vecinos[static_cast<size_t>(c.first)].push_back(c.second);
        vecinos[static_cast<size_t>(c.second)].push_back(c.first);
    }
    for (auto& v : vecinos) {
        std::sort(v.begin(), v.end());
        adyacentes.insert(adyacentes.end(), v.begin(), v.end());
        xadj.push_back(static_cast<idx_t>(adyacentes.size()));
    }
    idx_t opciones[METIS_NOPTIONS], nv = m.n;
    METIS_SetDefaultOptions(opciones);
    opciones[METIS_OPTION_NSEPS] = 4;
    ASSERT_EQ(METIS_NodeND(&nv, xadj.data(), adyacentes.data(), nullptr, opciones, perm.data(), iperm.data()), METIS_OK);
    const std::vector<int> omision(perm.begin(), perm.end());

    // Del orden de los nudos al de los grados de libertad libres.
    const auto ordenGdl = [&](const std::vector<int>& nudos) {
        std::vector<int> orden(static_cast<size_t>(m.libres), -1);
        int siguiente = 0;
        for (int n : nudos)
            for (int g = 0; g < 6; ++g)
                if (m.posicion[static_cast<size_t>(6 * n + g)] >= 0)
                    orden[static_cast<size_t>(m.posicion[static_cast<size_t>(6 * n + g)])] = siguiente++;
        return orden;
    };
    const double previstasElegido = operacionesPrevistas(m.n, m.conexiones, m.libresPorNudo, elegido);
    const double previstasOmision = operacionesPrevistas(m.n, m.conexiones, m.libresPorNudo, omision);
    EXPECT_NEAR(previstasElegido / operacionesCholmod(m, ordenGdl(elegido)), 1.0, 2e-3);
    EXPECT_NEAR(previstasOmision / operacionesCholmod(m, ordenGdl(omision)), 1.0, 2e-3);
    ASSERT_GT(previstasOmision, 1e10);  // lo bastante grande para probar dos órdenes
    EXPECT_LE(previstasElegido, previstasOmision);
    EXPECT_EQ(ordenGdl(elegido), ordenarGradosLibres(m.n, m.conexiones, m.posicion, m.libres));
}
