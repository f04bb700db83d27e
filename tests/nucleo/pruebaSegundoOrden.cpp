// Segundo orden (P-Δ) y pandeo lineal contra las fórmulas cerradas de la
// columna y de la viga-columna, la rigidez geométrica de una barra suelta, y
// lo que el modo por lotes escribe de ellos.
#include <cmath>
#include <sstream>

#include "arranque.h"
#include "reporte/bloquePandeo.h"
#include "tests/nucleo/utilidades.h"

namespace {

constexpr double kE = 2e8, kI = 1e-4;  // E·I = 2e4
constexpr double kEI = kE * kI;

// Modelo de miembros rectos partidos en barras iguales, con nudos
// compartidos en sus extremos. Sección genérica con Iy = Iz = kI y un área
// grande (barras axialmente rígidas) salvo que se pida otra.
struct Modelo {
    std::vector<Eigen::Vector3d> nudos;
    std::vector<std::pair<int, int>> barras;
    double area = 1.0;
    std::string resto;

    int nudoEn(const Eigen::Vector3d& p) {
        for (size_t i = 0; i < nudos.size(); ++i)
            if ((nudos[i] - p).norm() < 1e-12) return static_cast<int>(i) + 1;
        nudos.push_back(p);
        return static_cast<int>(nudos.size());
    }
    // Miembro de a a b en n barras; devuelve los números de sus barras.
    std::vector<int> miembro(const Eigen::Vector3d& a, const Eigen::Vector3d& b, int n) {
        std::vector<int> r;
        int anterior = nudoEn(a);
        for (int k = 1; k <= n; ++k) {
            const int siguiente = nudoEn(a + (b - a) * k / n);
            barras.emplace_back(anterior, siguiente);
            r.push_back(static_cast<int>(barras.size()));
            anterior = siguiente;
        }
        return r;
    }
    std::string texto() const {
        std::ostringstream s;
        s.precision(17);
        s << "nudos:\n";
        for (size_t i = 0; i < nudos.size(); ++i) s << i + 1 << " " << nudos[i].transpose() << "\n";
        s << "barras:\n";
        for (size_t i = 0; i < barras.size(); ++i) s << i + 1 << " " << barras[i].first << " " << barras[i].second << "\n";
        s << "seccionGenerica: S " << area << " " << kI << " " << kI << " " << 2 * kI << " " << kE << " 0.3 0";
        for (size_t i = 0; i < barras.size(); ++i) s << " " << i + 1;
        s << "\n" << resto;
        return s.str();
    }
};

double relativo(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// Los menores factores de pandeo pedidos del primer pedido.
const std::vector<double>& factores() { return resultados.pandeo.at(0).factores; }

}  // namespace

TEST(RigidezGeometrica, GiroRigidoSimetriaYMatrizClasica) {
    const double L = 3, N = -250;
    for (const Eigen::Vector3d& fin : {Eigen::Vector3d(3, 0, 0), Eigen::Vector3d(1, -2, 2), Eigen::Vector3d(0, 0, 3)}) {
        for (const Eigen::Vector4d& fijacion : {Eigen::Vector4d(1, 1, 1, 1), Eigen::Vector4d(0, 1, 0.5, 0),
                                                Eigen::Vector4d(0, 0, 0, 0)}) {
            objBarra3d b = barraEntre(Eigen::Vector3d::Zero(), fin, 30);
            b.setSeccionRectangular(0.3, 0.5);  // con deformación por corte
            b.setModuloEyPoisson(25e6, 0.2);
            b.setArticulacion(fijacion(0), fijacion(1), fijacion(2), fijacion(3));
            const Eigen::Matrix<double, 12, 12> kg = b.getKgGlobal(N);
            EXPECT_TRUE(casiIguales(kg, kg.transpose(), 1e-14, kg.norm()));
            // Giro rígido θ de la cuerda alrededor del nudo inicial: fuerzas ±N·(θ × eje) en los
            // extremos (N por el giro de la cuerda) y ningún momento, con cualquier liberación.
            const Eigen::Vector3d theta(0.002, -0.001, 0.0015), eje = fin.normalized();
            Eigen::Matrix<double, 12, 1> u = Eigen::Matrix<double, 12, 1>::Zero();
            u.segment<3>(3) = theta;
            u.segment<3>(6) = theta.cross(fin);
            u.segment<3>(9) = theta;
            const Eigen::Matrix<double, 12, 1> f = kg * u;
            const Eigen::Vector3d giroCuerda = theta.cross(eje) - theta.cross(eje).dot(eje) * eje;
            EXPECT_TRUE(casiIguales(f.segment<3>(6), N * giroCuerda, 1e-12, std::fabs(N) * theta.norm()));
            EXPECT_TRUE(casiIguales(f.segment<3>(0), -N * giroCuerda, 1e-12, std::fabs(N) * theta.norm()));
            EXPECT_LT(f.segment<3>(3).norm() + f.segment<3>(9).norm(), 1e-12 * std::fabs(N) * L * theta.norm());
        }
    }
    // Barra rígida en sus extremos: la matriz consistente de los libros (plano x-y) y la torsión
    // con el radio de giro polar; sin sección, nada.
    objBarra3d b = barraEntre(Eigen::Vector3d::Zero(), Eigen::Vector3d(L, 0, 0));
    b.setSeccionGenerica(0.01, 2e-5, 3e-5, 1e-5);
    b.setModuloEyPoisson(2e8, 0.3);
    const Eigen::Matrix<double, 12, 12> k = b.getKgLocal(N);
    EXPECT_NEAR(k(1, 1), 6 * N / (5 * L), 1e-12 * std::fabs(N));
    EXPECT_NEAR(k(1, 5), N / 10, 1e-12 * std::fabs(N));
    EXPECT_NEAR(k(5, 5), 2 * N * L / 15, 1e-12 * std::fabs(N));
    EXPECT_NEAR(k(5, 11), -N * L / 30, 1e-12 * std::fabs(N));
    EXPECT_NEAR(k(2, 2), 6 * N / (5 * L), 1e-12 * std::fabs(N));
    EXPECT_NEAR(k(2, 4), -N / 10, 1e-12 * std::fabs(N));
    EXPECT_NEAR(k(3, 3), N * (2e-5 + 3e-5) / 0.01 / L, 1e-12 * std::fabs(N));
    EXPECT_EQ(k(0, 0), 0.0);
    // Con rótulas en los dos extremos queda la barra de reticulado: N/L en las traslaciones.
    b.setArticulacion(0, 0, 0, 0);
    const Eigen::Matrix<double, 12, 12> r = b.getKgLocal(N);
    EXPECT_NEAR(r(1, 1), N / L, 1e-12 * std::fabs(N));
    EXPECT_NEAR((r.row(5).norm() + r.row(11).norm()), 0, 1e-12 * std::fabs(N));
    EXPECT_EQ(barraEntre(Eigen::Vector3d::Zero(), Eigen::Vector3d(1, 0, 0)).getKgLocal(N).norm(), 0.0);
}

TEST(SegundoOrden, VoladizoComprimidoConCargaLateral) {
    // Columna de 10 m empotrada en la base en 4 barras, P hacia abajo y H según X en la punta:
    // flecha (H·L³/3EI)·3(tan u − u)/u³ y momento en la base H·L·tan(u)/u, u = L·√(P/EI).
    const double L = 10, H = 1, pcr = M_PI * M_PI * kEI / (4 * L * L);
    for (const double fraccion : {0.3, 0.8}) {
        Modelo m;
        m.miembro({0, 0, 0}, {0, 0, L}, 4);
        const double P = fraccion * pcr;
        m.resto = "apoyo: 1 1 1 1 1 1  1\npuntual: P 0 0 " + texto(-P) + " 0 0 0  5\npuntual: H " + texto(H) +
                  " 0 0 0 0 0  5\ncombo: C 1 P 1 H\ncombo: LINEAL 1 P 1 H\nsegundoOrden: C\n";
        ASSERT_TRUE(analizarModelo(m.texto()));
        const double u = L * std::sqrt(P / kEI);
        const double flecha = H * L * L * L / (3 * kEI) * 3 * (std::tan(u) - u) / (u * u * u);
        EXPECT_LT(relativo(desplazamientosDe(5, 0)(0), flecha), 0.005) << fraccion;
        EXPECT_LT(relativo(-reaccionesDe(1, 0)(4), H * L * std::tan(u) / u), 0.005) << fraccion;
        // El otro combo sigue en primer orden; el de segundo orden lo dice su caso.
        EXPECT_NEAR(desplazamientosDe(5, 1)(0), H * L * L * L / (3 * kEI), 1e-9);
        EXPECT_EQ(casoNumero(1).tipo, tipoCaso::combinacion);
        EXPECT_EQ(casoNumero(0).tipo, tipoCaso::segundoOrden);
        EXPECT_TRUE(casoNumero(0).segundoOrden.convergio);
        // Los diagramas empalman con las fuerzas de extremo y de barra a barra.
        for (int b = 1; b <= 4; ++b) {
            const solicitacionesBarra& s = solicitacionesDe(b);
            const objBarra3d& barraB = barraUsuario(b);
            const double l = barraB.getLongitud();
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionMy, 0), -s.fuerzas[5], 1e-9);
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionMy, l), s.fuerzas[11], 1e-9);
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionVy, 0), s.fuerzas[1], 1e-9);
            EXPECT_NEAR(barraB.valorSolicitacion(s, kSolicitacionVy, l), -s.fuerzas[7], 1e-9);
        }
        esperarEquilibrio("voladizo", 1e-6);
    }
}

TEST(SegundoOrden, VigaColumnaConCargaRepartidaYTraccionQueRigidiza) {
    // Viga simplemente apoyada de 10 m en 8 barras con w hacia abajo: con compresión P el momento
    // en el centro es (w·EI/P)(sec u − 1), u = (L/2)·√(P/EI); con tracción la flecha es menor.
    const double L = 10, w = 2, pcr = M_PI * M_PI * kEI / (L * L);
    const double P = 0.6 * pcr;
    for (const double signo : {1.0, -1.0}) {
        Modelo m;
        m.miembro({0, 0, 0}, {L, 0, 0}, 8);
        m.resto = "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  9\ndistribuidaGlobal: W " + texto(w) + " " +
                  texto(w) + " 0 0 -1  1 2 3 4 5 6 7 8\npuntual: P " + texto(-signo * P) +
                  " 0 0 0 0 0  9\ncombo: C 1 W 1 P\ncombo: LINEAL 1 W 1 P\nsegundoOrden: C\n";
        ASSERT_TRUE(analizarModelo(m.texto()));
        const double centro = desplazamientosDe(5, 0)(2), lineal = desplazamientosDe(5, 1)(2);
        if (signo > 0) {
            const double u = L / 2 * std::sqrt(P / kEI);
            const double esperado = w * kEI / P * (1 / std::cos(u) - 1);
            EXPECT_LT(relativo(solicitacionesDe(4).fuerzas[11], esperado), 0.005);
            // El mayor momento del diagrama (con N·δ dentro de las barras) es el del centro.
            double mayor = 0;
            for (int b = 1; b <= 8; ++b) mayor = std::max(mayor, solicitacionesDe(b).extremos[kSolicitacionMy].maximo);
            EXPECT_LT(relativo(mayor, esperado), 0.005);
            EXPECT_GT(std::fabs(centro), 1.5 * std::fabs(lineal));
        } else {
            EXPECT_LT(std::fabs(centro), 0.8 * std::fabs(lineal));
        }
    }
}

TEST(SegundoOrden, ExtremoInteriorDeUnaBarraLargaConNDelta) {
    // Con la viga-columna en tres barras el momento mayor está dentro de la del medio, donde N·δ
    // suma a la parábola: el extremo del diagrama coincide con el mayor valor muestreado.
    const double L = 10, P = 0.5 * M_PI * M_PI * kEI / (L * L);
    Modelo m;
    m.miembro({0, 0, 0}, {L, 0, 0}, 3);
    m.resto = "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  4\ndistribuidaGlobal: W 2 2 0 0 -1  1 2 3\npuntual: P " +
              texto(-P) + " 0 0 0 0 0  4\ncombo: C 1 W 1 P\nsegundoOrden: C\n";
    ASSERT_TRUE(analizarModelo(m.texto()));
    const objBarra3d& b = barraUsuario(2);
    const solicitacionesBarra& s = solicitacionesDe(2);
    double muestreado = -1e300, xMuestreado = 0;
    for (int i = 0; i <= 2000; ++i) {
        const double x = b.getLongitud() * i / 2000;
        const double v = b.valorSolicitacion(s, kSolicitacionMy, x);
        if (v > muestreado) muestreado = v, xMuestreado = x;
    }
    const extremoSolicitacion& e = s.extremos[kSolicitacionMy];
    EXPECT_NEAR(e.maximo, muestreado, 1e-9 * std::fabs(muestreado));
    EXPECT_NEAR(e.xMaximo, xMuestreado, 0.01);
    EXPECT_NEAR(e.xMaximo, b.getLongitud() / 2, 1e-6);
    EXPECT_GT(e.maximo, b.valorSolicitacion(s, kSolicitacionMy, 0) * 1.01);
    // Sin N·δ (el mismo caso con el axial quitado) el centro da menos.
    solicitacionesBarra sinAxial = s;
    sinAxial.axialSegundoOrden = 0;
    EXPECT_GT(e.maximo, b.valorSolicitacion(sinAxial, kSolicitacionMy, b.getLongitud() / 2) * 1.001);
}

TEST(SegundoOrden, GradienteTermicoEnUnaVigaColumna) {
    // Viga simplemente apoyada de 10 m en tres barras con un gradiente en los dos planos y
    // compresión P: la barra libre se curva α·G, y en el centro el momento es
    // −E·I·α·G·(sec u − 1), u = (L/2)·√(P/EI). Ese centro cae dentro de la barra del medio,
    // donde el momento de la barra recta es nulo y todo es N·δ con la curvatura térmica.
    const double L = 10, alfa = 1e-5, G = 30, P = 0.5 * M_PI * M_PI * kEI / (L * L);
    Modelo m;
    m.miembro({0, 0, 0}, {L, 0, 0}, 3);
    m.resto = "apoyo: 1 1 1 1 0 0  1\napoyo: 0 1 1 0 0 0  4\ntemperatura: T " + texto(alfa) + " 0 " + texto(G) + " " +
              texto(G) + "  1 2 3\npuntual: P " + texto(-P) + " 0 0 0 0 0  4\ncombo: C 1 T 1 P\nsegundoOrden: C\n";
    ASSERT_TRUE(analizarModelo(m.texto()));
    const double u = L / 2 * std::sqrt(P / kEI), centro = -kEI * alfa * G * (1 / std::cos(u) - 1);
    const objBarra3d& b = barraUsuario(2);
    const solicitacionesBarra& s = solicitacionesDe(2);
    for (const int k : {kSolicitacionMy, kSolicitacionMz}) {
        double menor = 1e300;
        for (int i = 0; i <= 2000; ++i) menor = std::min(menor, b.valorSolicitacion(s, k, b.getLongitud() * i / 2000));
        const extremoSolicitacion& e = s.extremos[k];
        EXPECT_NEAR(e.minimo, menor, 1e-9 * std::fabs(menor)) << k;
        EXPECT_NEAR(e.xMinimo, b.getLongitud() / 2, 1e-6) << k;
        // Tres barras con las cúbicas de la rigidez geométrica: a 1 % de la viga-columna exacta.
        EXPECT_LT(relativo(e.minimo, centro), 0.01) << k;
    }
}

TEST(SegundoOrden, AmplificacionDeLaComponenteLateral) {
    // El pórtico de dos pisos del ejemplo con su combinación de viento también en primer
    // orden. La amplificación es el mayor cociente segundo / primer orden de una componente de
    // traslación entre las que llegan al 10 % de la mayor: el desplazamiento lateral del primer
    // piso, no el cociente de las traslaciones totales del nudo que más se mueve (la cabeza,
    // con algo de flecha vertical, 1.080), ni el del nudo 11 a media columna (1.257, pero su ux
    // es 9 % de la mayor).
    ASSERT_TRUE(analizarModelo(leerArchivo(VANTRA_EJEMPLOS "/segundo_orden.txt") +
                               "\ncombo: LINEAL 1.2 D  1.2 PP  1.0 L  1.6 W\n"));
    const casoResultado& so = casoNumero(1);
    ASSERT_EQ(so.tipo, tipoCaso::segundoOrden);
    ASSERT_EQ(casoNumero(3).nombre, "LINEAL");
    // Los dos pisos, 1.094 y 1.080; el nudo 11 no llega al 10 %.
    const auto cociente = [&](int n) { return desplazamientosDe(n, 1)(0) / desplazamientosDe(n, 3)(0); };
    EXPECT_NEAR(so.segundoOrden.amplificacion, cociente(3), 1e-12);
    EXPECT_EQ(so.segundoOrden.nudoAmplificacion, internoDeNudo(3));
    EXPECT_EQ(so.segundoOrden.direccionAmplificacion, 0);
    EXPECT_GT(cociente(3), cociente(5) + 0.01);
    EXPECT_GT(cociente(11), 1.2);
    EXPECT_LT(desplazamientosDe(11, 3)(0), 0.1 * desplazamientosDe(5, 3)(0));
    EXPECT_EQ(lineaSegundoOrden(so),
              "Segundo orden del combo ELU2: 4 iteraciones, amplificación de desplazamientos 1.094 (nudo 3, Ux)");
}

TEST(Pandeo, ColumnasDeEuler) {
    // 8 barras por columna de 5 m con P = 1: los factores son las cargas críticas.
    const double L = 5;
    const struct {
        const char* apoyos;
        double k;  // P crítica = k·π²EI/L²
    } casos[] = {{"apoyo: 1 1 1 1 1 1  1\n", 0.25},
                 {"apoyo: 1 1 1 0 0 1  1\napoyo: 1 1 0 0 0 0  9\n", 1.0},
                 {"apoyo: 1 1 1 1 1 1  1\napoyo: 1 1 0 1 1 1  9\n", 4.0}};
    for (const auto& c : casos) {
        Modelo m;
        m.miembro({0, 0, 0}, {0, 0, L}, 8);
        m.resto = std::string(c.apoyos) + "puntual: P 0 0 -1 0 0 0  9\ncombo: C 1 P\npandeo: C 2\n";
        ASSERT_TRUE(analizarModelo(m.texto()));
        ASSERT_EQ(factores().size(), 2u) << c.k;
        // Iy = Iz: el mismo factor en los dos planos.
        EXPECT_LT(relativo(factores()[0], c.k * M_PI * M_PI * kEI / (L * L)), 0.005) << c.k;
        EXPECT_LT(relativo(factores()[1], factores()[0]), 1e-6) << c.k;
        // La mayor traslación de la forma vale 1.
        const Eigen::VectorXd& forma = resultados.pandeo[0].formas[0];
        double mayor = 0;
        for (Eigen::Index i = 0; i < forma.size(); ++i)
            if (i % 6 < 3) mayor = std::max(mayor, std::fabs(forma(i)));
        EXPECT_DOUBLE_EQ(mayor, 1.0);
    }
}

TEST(Pandeo, PorticoEmpotradoYArticuladoYAmplificacionDelDesplazamientoLateral) {
    // Pórtico de h = L = 4 m, columnas y viga iguales y axialmente rígidas, P en cada columna:
    // λP = 7.379·EI/h² con bases empotradas y 1.821·EI/h² articuladas (pandeo lateral).
    const double h = 4;
    for (const auto& [base, coeficiente] : {std::pair<const char*, double>{"1 1 1 1 1 1", 7.379},
                                            std::pair<const char*, double>{"1 1 1 1 0 1", 1.821}}) {
        Modelo m;
        m.area = 100;
        m.miembro({0, 0, 0}, {0, 0, h}, 6);
        m.miembro({h, 0, 0}, {h, 0, h}, 6);
        m.miembro({0, 0, h}, {h, 0, h}, 6);
        const int arriba1 = m.nudoEn({0, 0, h}), arriba2 = m.nudoEn({h, 0, h});
        const int base1 = m.nudoEn({0, 0, 0}), base2 = m.nudoEn({h, 0, 0});
        // Fuera del plano el pórtico queda sujeto: sólo pandea en su plano.
        std::ostringstream resto;
        resto << "apoyo: " << base << "  " << base1 << " " << base2 << "\n";
        resto << "apoyo: 0 1 0 1 0 1";
        for (size_t n = 1; n <= m.nudos.size(); ++n)
            if (static_cast<int>(n) != base1 && static_cast<int>(n) != base2) resto << " " << n;
        const double P = 0.4 * coeficiente * kEI / (h * h);
        resto << "\npuntual: P 0 0 " << texto(-P) << " 0 0 0  " << arriba1 << " " << arriba2 << "\n"
              << "puntual: H 1 0 0 0 0 0  " << arriba1 << "\n"
              << "combo: C 1 P\ncombo: CH 1 P 1 H\ncombo: LINEAL 1 P 1 H\nsegundoOrden: CH\npandeo: C 1\n";
        m.resto = resto.str();
        ASSERT_TRUE(analizarModelo(m.texto()));
        ASSERT_EQ(factores().size(), 1u);
        EXPECT_LT(relativo(factores()[0] * P, coeficiente * kEI / (h * h)), 0.005) << base;
        // La amplificación del desplazamiento lateral es la estimación 1/(1 − P/Pcr) (a 5 %).
        const double amplificacion = desplazamientosDe(arriba2, 1)(0) / desplazamientosDe(arriba2, 2)(0);
        EXPECT_NEAR(amplificacion, 1 / (1 - 1 / factores()[0]), 0.05 * amplificacion) << base;
        EXPECT_NEAR(casoNumero(1).segundoOrden.amplificacion, amplificacion, 0.02 * amplificacion);
        // El vuelco del viento cambia los axiales de las columnas: varias iteraciones hasta 1e-9.
        const segundoOrdenCaso& so = casoNumero(1).segundoOrden;
        EXPECT_GT(so.iteraciones, 1);
        EXPECT_LT(so.iteraciones, 20);
        char texto[160];
        std::snprintf(texto, sizeof texto,
                      "Segundo orden del combo CH: %d iteraciones, amplificación de desplazamientos %.3f (nudo %d, Ux)",
                      so.iteraciones, so.amplificacion,
                      nudo.at(static_cast<size_t>(so.nudoAmplificacion)).getNoNudoUsuario());
        EXPECT_EQ(lineaSegundoOrden(casoNumero(1)), texto);
    }
}

namespace {
int lotesSegundoOrden(const std::string& modelo, Lineas& consola, const std::string& csv = "") {
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola captura;
    const int estado = funcionCalcularLotes("modelo.txt", csv, false);
    consola = captura.lineas();
    return estado;
}
}  // namespace

TEST(SegundoOrden, LineasDelModoPorLotesAvisosYCargaCritica) {
    DirectorioTemporal dir;
    const double L = 5, pcr = M_PI * M_PI * kEI / (4 * L * L);
    Modelo m;
    m.miembro({0, 0, 0}, {0, 0, L}, 4);
    const std::string base = "apoyo: 1 1 1 1 1 1  1\npuntual: P 0 0 -1 0 0 0  5\npuntual: H 0.01 0 0 0 0 0  5\n"
                             "puntual: T 0 0 1 0 0 0  5\n";
    // Un combo por encima de la crítica: error, los demás se escriben y el estado es 1.
    m.resto = base + "combo: BAJO " + texto(0.5 * pcr) + " P 1 H\ncombo: ALTO " + texto(1.5 * pcr) +
              " P 1 H\ncombo: TRACCION 100 T\n"
              "segundoOrden: BAJO ALTO NOEXISTE TRACCION\nesto es un comentario en otra línea\n"
              "pandeo: BAJO 2\npandeo: TRACCION 1\npandeo: OTRO 1\n";
    Lineas consola;
    EXPECT_EQ(lotesSegundoOrden(m.texto(), consola, "csv"), 1);
    const Lineas esperadas = {
        "Advertencia: segundoOrden: NOEXISTE no es un combo (se ignora)",
        "Advertencia: pandeo: OTRO no es un combo (se ignora)",
        "Error: el combo ALTO supera la carga crítica de pandeo (segundo orden inestable)",
        "Advertencia: el combo TRACCION no tiene barras comprimidas; no hay pandeo"};
    for (const std::string& e : esperadas) EXPECT_NE(std::find(consola.begin(), consola.end(), e), consola.end()) << e;
    // Ni reacciones ni CSV del combo inestable; el de tracción converge sin iterar.
    for (const std::string& l : consola) EXPECT_NE(l, "Reacciones del combo ALTO");
    EXPECT_EQ(leerArchivo("csv/desplazamientos.csv").find("ALTO"), std::string::npos);
    const auto linea = [&](const std::string& inicio) {
        for (const std::string& l : consola)
            if (l.rfind(inicio, 0) == 0) return l;
        return std::string();
    };
    const casoResultado& bajo = casoNumero(0);
    char amplificacion[32];
    std::snprintf(amplificacion, sizeof amplificacion, "%.3f", bajo.segundoOrden.amplificacion);
    // Con sólo carga vertical el axial no cambia: una iteración.
    // La punta se amplifica según X; la columna traccionada sólo se alarga, y eso no cambia.
    EXPECT_EQ(linea("Segundo orden del combo BAJO"), "Segundo orden del combo BAJO: 1 iteración, amplificación de "
                                                     "desplazamientos " + std::string(amplificacion) + " (nudo 5, Ux)");
    EXPECT_EQ(linea("Segundo orden del combo TRACCION"),
              "Segundo orden del combo TRACCION: 1 iteración, amplificación de desplazamientos 1.000 (nudo 5, Uz)");
    // La línea sigue a la del equilibrio, medido en la geometría deformada.
    const auto equilibrio = std::find(consola.begin(), consola.end(), linea("Equilibrio del combo BAJO"));
    ASSERT_NE(equilibrio, consola.end());
    EXPECT_EQ(*(equilibrio + 1), linea("Segundo orden del combo BAJO"));
    EXPECT_LT(errorEquilibrioDe(0), 1e-6);
    // Pandeo: líneas, reporte y CSV.
    ASSERT_EQ(resultados.pandeo.size(), 2u);
    const double lambda = resultados.pandeo[0].factores.at(0);
    EXPECT_LT(relativo(lambda * 0.5 * pcr, pcr), 0.005);
    char esperada[96];
    std::snprintf(esperada, sizeof esperada, "Pandeo 1 del combo BAJO: factor crítico %.6e", lambda);
    EXPECT_EQ(linea("Pandeo 1 del combo BAJO"), esperada);
    EXPECT_EQ(linea("Pandeo 1 del combo TRACCION"), "");
    const std::string reporteTexto = leerArchivo("resultados.txt");
    EXPECT_NE(reporteTexto.find("************ANÁLISIS DE PANDEO***************"), std::string::npos);
    EXPECT_NE(reporteTexto.find(linea("Segundo orden del combo BAJO")), std::string::npos);
    const Lineas pandeo = lineasDe(leerArchivo("csv/pandeo.csv"));
    ASSERT_EQ(pandeo.size(), 3u);
    EXPECT_EQ(pandeo[0], "combo,modo,factor");
    EXPECT_EQ(pandeo[1].rfind("BAJO,1,", 0), 0u);
    EXPECT_DOUBLE_EQ(std::stod(pandeo[1].substr(7)), lambda);
    const Lineas formas = lineasDe(leerArchivo("csv/formasPandeo.csv"));
    EXPECT_EQ(formas[0], "combo,modo,nudo,ux,uy,uz,giroX,giroY,giroZ");
    EXPECT_EQ(formas.size(), 1u + 2 * 5);
}

namespace {

// Vano arriostrado en cruz, empotrado, con gravedad en la cabeza de las
// columnas y viento: las diagonales son de solo tracción o, sin la 6, la
// comprimida ya no está.
std::string vanoEnCruz(bool conDiagonal6) {
    std::string m = "nudos: 1 0 0 0  2 4 0 0  3 0 0 3  4 4 0 3\n";
    m += conDiagonal6 ? "barras: 1 1 3  2 2 4  3 3 4  5 1 4  6 2 3\n" : "barras: 1 1 3  2 2 4  3 3 4  5 1 4\n";
    m += "seccionGenerica: C 0.01 1e-5 1e-5 1e-5 2e8 0.3 0  1 2 3\n";
    m += conDiagonal6 ? "seccionGenerica: D 0.0005 1e-9 1e-9 1e-9 2e8 0.3 0  5 6\n"
                        "articulacion: 0 0 0 0  5 6\nsoloTraccion: 5 6\n"
                      : "seccionGenerica: D 0.0005 1e-9 1e-9 1e-9 2e8 0.3 0  5\narticulacion: 0 0 0 0  5\n";
    return m + "apoyo: 1 1 1 1 1 1  1 2\napoyo: 0 1 0 1 0 1  3 4\n"
               "puntual: G 0 0 -1500 0 0 0  3 4\npuntual: W 20 0 0 0 0 0  3\n"
               "combo: GW 1 G 1 W\nsegundoOrden: GW\n";
}

}  // namespace

// Las rondas de las barras de solo tracción envuelven el segundo orden: la
// diagonal comprimida se desactiva y la combinación da lo mismo que el vano
// sin esa diagonal, también en segundo orden.
TEST(SegundoOrden, ConBarrasDeSoloTraccionIgualQueSinLaDiagonalComprimida) {
    ASSERT_TRUE(analizarModelo(vanoEnCruz(false)));
    ASSERT_EQ(casoNumero(0).tipo, tipoCaso::segundoOrden);
    const double amplificacion = casoNumero(0).segundoOrden.amplificacion;
    EXPECT_GT(amplificacion, 1.01);
    const Vec6 u3 = desplazamientosDe(3), r1 = reaccionesDe(1);
    const double n5 = solicitacionesDe(5).fuerzas[0], m1 = solicitacionesDe(1).fuerzas[4];

    ASSERT_TRUE(analizarModelo(vanoEnCruz(true)));
    ASSERT_EQ(casoNumero(0).tipo, tipoCaso::segundoOrden);
    EXPECT_EQ(casoNumero(0).barrasInactivas, std::vector<int>{internoDeBarra(6)});
    EXPECT_NEAR(casoNumero(0).segundoOrden.amplificacion, amplificacion, 1e-9);
    EXPECT_LE((desplazamientosDe(3) - u3).norm(), 1e-9 * u3.norm());
    EXPECT_LE((reaccionesDe(1) - r1).norm(), 1e-9 * r1.norm());
    EXPECT_NEAR(solicitacionesDe(5).fuerzas[0], n5, 1e-9 * std::fabs(n5));
    EXPECT_NEAR(solicitacionesDe(1).fuerzas[4], m1, 1e-9 * std::fabs(m1));
    for (double f : solicitacionesDe(6).fuerzas) EXPECT_EQ(f, 0.0);
}

// Una envolvente toma una combinación de segundo orden con sus valores de
// segundo orden.
TEST(SegundoOrden, EnvolventeConUnaCombinacionDeSegundoOrden) {
    ASSERT_TRUE(analizarModelo(vanoEnCruz(false) + "combo: G 1 G\nenvolvente: E GW G\n"));
    ASSERT_EQ(resultados.casos.size(), 3u);
    ASSERT_EQ(casoNumero(0).tipo, tipoCaso::segundoOrden);
    const casoResultado& e = casoNumero(2);
    ASSERT_EQ(e.tipo, tipoCaso::envolvente);
    const Eigen::Index n3 = internoDeNudo(3);
    for (int i = 0; i < 6; ++i) {
        const double a = casoNumero(0).desplazamientos(i, n3), b = casoNumero(1).desplazamientos(i, n3);
        EXPECT_EQ(e.desplazamientos(i, n3), std::max(a, b)) << i;
        EXPECT_EQ(e.desplazamientosMinimos(i, n3), std::min(a, b)) << i;
    }
}

// Una combinación de segundo orden por encima de la carga crítica no tiene resultados (sus
// valores quedan en cero): la envolvente la deja fuera, con un aviso, y sus extremos son los
// de las demás. Una envolvente que sólo la abarca no se calcula.
TEST(SegundoOrden, EnvolventeDejaFueraUnaCombinacionSinResultados) {
    const double L = 5, pcr = M_PI * M_PI * kEI / (4 * L * L);
    Modelo m;
    m.miembro({0, 0, 0}, {0, 0, L}, 4);
    m.resto = "apoyo: 1 1 1 1 1 1  1\npuntual: P 0 0 -1 0 0 0  5\npuntual: H 0.01 0 0 0 0 0  5\n"
              "combo: BAJO " + texto(0.5 * pcr) + " P 1 H\ncombo: ALTO " + texto(1.5 * pcr) + " P 1 H\n"
              "segundoOrden: BAJO ALTO\nenvolvente: E ALTO BAJO\nenvolvente: SOLO ALTO\n";
    cargarModelo(m.texto());
    resolver();
    ASSERT_TRUE(resultados.disponibles);
    ASSERT_TRUE(casoNumero(1).segundoOrden.inestable);
    const Lineas avisos = mensajes.textos();
    for (const std::string aviso :
         {"Advertencia: la envolvente E deja fuera el combo ALTO, que no tiene resultados (supera la carga crítica de "
          "pandeo en segundo orden)",
          "Advertencia: la envolvente SOLO deja fuera el combo ALTO, que no tiene resultados (supera la carga crítica "
          "de pandeo en segundo orden)",
          "Advertencia: la envolvente SOLO no abarca ningún combo con resultados (no se calcula)"})
        EXPECT_NE(std::find(avisos.begin(), avisos.end(), aviso), avisos.end()) << aviso;
    const casoResultado& e = casoNumero(2);
    ASSERT_EQ(e.nombre, "E");
    EXPECT_EQ(e.componentes, std::vector<int>{0});
    EXPECT_EQ(resultados.casos.size(), 3u);
    // La cabeza baja y la base empuja hacia arriba en BAJO: los ceros de ALTO no son su máximo
    // ni su mínimo. Los extremos de la envolvente son los de BAJO, también a lo largo de las barras.
    const casoResultado& bajo = casoNumero(0);
    const Eigen::Index cabeza = internoDeNudo(5), base = internoDeNudo(1);
    ASSERT_LT(bajo.desplazamientos(2, cabeza), 0);
    ASSERT_GT(bajo.reacciones(2, base), 0);
    EXPECT_EQ(e.desplazamientos(2, cabeza), bajo.desplazamientos(2, cabeza));
    EXPECT_EQ(e.desplazamientosMinimos(2, cabeza), bajo.desplazamientos(2, cabeza));
    EXPECT_EQ(e.reaccionesMinimas(2, base), bajo.reacciones(2, base));
    EXPECT_EQ(e.casosDesplazamientos(2, cabeza), 0);
    const objBarra3d& b = barraUsuario(1);
    const double n = b.valorSolicitacion(solicitacionesDe(1), kSolicitacionN, 1.0);
    ASSERT_LT(n, 0);
    EXPECT_EQ(valorSolicitacionCaso(resultados, 2, b, kSolicitacionN, 1.0), std::make_pair(n, n));
    EXPECT_EQ(e.barras[static_cast<size_t>(internoDeBarra(1))].extremos[kSolicitacionN].maximo,
              solicitacionesDe(1).extremos[kSolicitacionN].maximo);
}

// Con un diafragma el segundo orden trabaja en las incógnitas del piso: cuatro
// columnas iguales con la misma carga en cada cabeza se mueven igual con y sin
// el diafragma, también en segundo orden.
TEST(SegundoOrden, CuatroColumnasConDiafragmaIgualQueSueltas) {
    const auto modelo = [](bool conDiafragma) {
        std::string m = "nudos: 1 0 0 0  2 4 0 0  3 4 4 0  4 0 4 0  5 0 0 3  6 4 0 3  7 4 4 3  8 0 4 3\n"
                        "barras: 1 1 5  2 2 6  3 3 7  4 4 8\n"
                        "seccionGenerica: C 0.01 1e-5 1e-5 2e-5 2e8 0.3 0  1 2 3 4\n"
                        "apoyo: 1 1 1 1 1 1  1 2 3 4\n"
                        "puntual: G 0 0 -300 0 0 0  5 6 7 8\npuntual: W 5 0 0 0 0 0  5 6 7 8\n"
                        "combo: GW 1 G 1 W\nsegundoOrden: GW\n";
        return conDiafragma ? m + "diafragma: 5 6 7 8\n" : m;
    };
    ASSERT_TRUE(analizarModelo(modelo(false)));
    const Vec6 u5 = desplazamientosDe(5), r1 = reaccionesDe(1);
    const double amplificacion = casoNumero(0).segundoOrden.amplificacion;
    EXPECT_GT(amplificacion, 1.05);
    ASSERT_TRUE(analizarModelo(modelo(true)));
    ASSERT_EQ(casoNumero(0).tipo, tipoCaso::segundoOrden);
    EXPECT_NEAR(casoNumero(0).segundoOrden.amplificacion, amplificacion, 1e-9);
    EXPECT_LE((desplazamientosDe(5) - u5).norm(), 1e-9 * u5.norm());
    EXPECT_LE((reaccionesDe(1) - r1).norm(), 1e-9 * r1.norm());
}

// Columna en voladizo con una masa en la punta y su peso P en la cabeza
// (sin masa propia): con segundoOrdenModal: el período es el de la rigidez
// lateral exacta de las funciones de estabilidad, k = P·κ/(tan κL − κL) con
// κ = √(P/EI), no la estimación T/√(1 − P/Pcr) (0.4 % más corta a P = Pcr/2).
// Las fuerzas de cada modo son (K + Kg)·φ: el cortante basal del sismo es
// m·Sa. Un combo sísmico en segundoOrden: dice su parte estática.
TEST(SegundoOrden, ModosConLaRigidezGeometricaDelComboDeGravedad) {
    DirectorioTemporal dir;
    const double L = 5, pcr = M_PI * M_PI * kEI / (4 * L * L), P = 0.5 * pcr, masa = 30, sa = 2;
    Modelo m;
    m.miembro({0, 0, 0}, {0, 0, L}, 10);
    const std::string base = "apoyo: 1 1 1 1 1 1  1\nmasaNudo: " + texto(masa) +
                             "  11\ngravedad: 9.81\nmodos: 3\nespectro: PLANO 0 " + texto(sa) + " 4 " + texto(sa) +
                             "\nsismo: SX PLANO X 0.05\npuntual: P 0 0 -1 0 0 0  11\npuntual: H 1 0 0 0 0 0  11\n";
    m.resto = base + "combo: G " + texto(P) + " P\ncombo: GS " + texto(P) + " P 0.01 H 1 SX\n";
    ASSERT_TRUE(analizarModelo(m.texto()));
    const double periodoElastico = resultados.modos.at(0).periodo;
    EXPECT_LT(relativo(periodoElastico, 2 * M_PI * std::sqrt(masa * L * L * L / (3 * kEI))), 1e-9);

    m.resto += "segundoOrdenModal: G\nsegundoOrden: GS\n";
    Lineas consola;
    ASSERT_EQ(lotesSegundoOrden(m.texto(), consola), 0);
    const double kappa = std::sqrt(P / kEI);
    const double rigidez = P * kappa / (std::tan(kappa * L) - kappa * L);
    const double exacto = 2 * M_PI * std::sqrt(masa / rigidez);
    const double periodo = resultados.modos.at(0).periodo;
    // Diez barras cúbicas con su rigidez geométrica consistente: a 1e-4 del exacto.
    EXPECT_LT(relativo(periodo, exacto), 1e-4);
    EXPECT_GT(relativo(periodoElastico / std::sqrt(1 - P / pcr), exacto), 2e-3);
    // La reacción basal del sismo es la inercia de la masa, m·Sa.
    EXPECT_LT(relativo(reaccionesDe(1, 2)(0), masa * sa), 1e-9);
    // Y la barra de la base le lleva ese corte: sus fuerzas de extremo son (k + kg)·φ.
    const solicitacionesBarra& pie = solicitacionesDe(1, 2);
    EXPECT_LT(relativo(std::max(pie.fuerzas[1], pie.fuerzas[2]), masa * sa), 1e-9);
    const auto hay = [&](const std::string& l) { return std::find(consola.begin(), consola.end(), l) != consola.end(); };
    EXPECT_TRUE(hay("Modos con la rigidez geométrica del combo G (P-Δ)"));
    // La parte estática del combo con sismo, en segundo orden: su línea y su
    // equilibrio en la geometría deformada (el de la geometría original no
    // cierra por el P·Δ de la cabeza).
    const casoResultado& gs = casoNumero(1);
    ASSERT_NE(casoSegundoOrden(gs), nullptr);
    EXPECT_TRUE(hay(lineaSegundoOrden(gs)));
    EXPECT_EQ(lineaSegundoOrden(gs).rfind("Segundo orden del combo GS (parte estática): ", 0), 0u);
    EXPECT_LT(gs.equilibrio.error, 1e-9);

    // Por encima de la carga crítica: el error del segundo orden, sin modos ni resultados, estado 1.
    m.resto = base + "combo: G " + texto(1.5 * pcr) + " P\nsegundoOrdenModal: G\n";
    EXPECT_EQ(lotesSegundoOrden(m.texto(), consola), 1);
    EXPECT_TRUE(hay("Error: el combo G supera la carga crítica de pandeo (segundo orden inestable); no hay modos con "
                    "su rigidez geométrica"));
    EXPECT_TRUE(resultados.modos.empty());
    // Un combo que no existe o dos registros: errores de entrada.
    m.resto = base + "combo: G 1 P\nsegundoOrdenModal: GG\n";
    EXPECT_EQ(lotesSegundoOrden(m.texto(), consola), 3);
    EXPECT_TRUE(hay("Error: el registro 1 de segundoOrdenModal: nombra GG, que no es un combo"));
    m.resto = base + "combo: G 1 P\nsegundoOrdenModal: G\nsegundoOrdenModal: G\n";
    EXPECT_EQ(lotesSegundoOrden(m.texto(), consola), 3);
}
