// Resultados por piso contra cuentas a mano: fuerzas, cortantes y vuelcos de
// piso de un edificio de cortante de dos pisos por modo y combinados (CQC),
// centros de masa y de rigidez de un piso sobre cuatro columnas, la deriva
// inelástica contra su límite, las secciones fisuradas y sus errores de
// entrada.
#include <array>
#include <cmath>

#include "arranque.h"
#include "modelo/diafragma.h"
#include "utilidades.h"

namespace {

const double E = 2e8, IZ = 0.001, IY = 0.002, H = 3;

// Der Kiureghian, escrito aparte.
double rho(double r, double z) {
    return 8 * z * z * (1 + r) * std::pow(r, 1.5) / (std::pow(1 - r * r, 2) + 4 * z * z * r * std::pow(1 + r, 2));
}

std::string lineaQueEmpieza(const Lineas& l, const std::string& inicio) {
    for (const std::string& s : l)
        if (s.rfind(inicio, 0) == 0) return s;
    return "";
}

// Dos pisos de 3 m sobre cuatro columnas en (±2, ±2), sin peso, con los giros
// de los nudos de piso impedidos (vigas rígidas): cada columna da 12·E·Iz/h³
// en X y 12·E·Iy/h³ en Y (Iy ≠ Iz: los modos en X y en Y no se mezclan). Masa
// m1/4 y m2/4 en cada esquina de cada piso.
std::string edificioDeCortante(double m1, double m2, const std::string& resto) {
    return "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3\n"
           "       9 -2 -2 6  10 2 -2 6  11 2 2 6  12 -2 2 6\n"
           "barras: 1 1 5  2 2 6  3 3 7  4 4 8  5 5 9  6 6 10  7 7 11  8 8 12\n"
           "apoyo: 1 1 1 1 1 1  1 2 3 4\napoyo: 0 0 1 1 1 0  5 6 7 8 9 10 11 12\n"
           "seccionGenerica: C 0.1 0.002 0.001 0.003 2e8 0.3 0  1 2 3 4 5 6 7 8\n"
           "diafragma: 5 6 7 8\ndiafragma: 9 10 11 12\n"
           "masaNudo: " + texto(m1 / 4) + "  5 6 7 8\nmasaNudo: " + texto(m2 / 4) + "  9 10 11 12\n" + resto;
}

// Los dos modos en X del edificio de cortante, a mano: det(K − λM) = 0 con
// K = [[2k, −k], [−k, k]] y M = diag(m1, m2); forma (1, φ2) y su Γ.
struct modoAMano {
    double omega, phi2, gamma;
};
std::array<modoAMano, 2> modosEnX(double k, double m1, double m2) {
    const double a = m1 * m2, b = -(2 * k * m2 + k * m1), c = k * k;
    std::array<modoAMano, 2> m{};
    for (int i = 0; i < 2; ++i) {
        const double lambda = (-b + (i == 0 ? -1 : 1) * std::sqrt(b * b - 4 * a * c)) / (2 * a);
        m[static_cast<size_t>(i)].omega = std::sqrt(lambda);
        const double phi2 = (2 * k - lambda * m1) / k;
        m[static_cast<size_t>(i)].phi2 = phi2;
        m[static_cast<size_t>(i)].gamma = (m1 + m2 * phi2) / (m1 + m2 * phi2 * phi2);
    }
    return m;
}

// Un piso de 3 m sobre cuatro columnas en voladizo en (±2, ±2) (3EI/h³ cada
// una) con el nudo 9 en el centroide, sin barras; `resto` da secciones y masas.
std::string unPiso(const std::string& resto) {
    return "nudos: 1 -2 -2 0  2 2 -2 0  3 2 2 0  4 -2 2 0  5 -2 -2 3  6 2 -2 3  7 2 2 3  8 -2 2 3  9 0 0 3\n"
           "barras: 1 1 5  2 2 6  3 3 7  4 4 8\n"
           "apoyo: 1 1 1 1 1 1  1 2 3 4\napoyo: 0 0 1 1 1 0  9\n"
           "diafragma: 5 6 7 8 9\n" +
           resto;
}

// El espectro 0.05 s → 8, 1 s → 2: lineal entre los dos y 8 antes de 0.05 s
// (el segundo modo del edificio de cortante, T ≈ 0.033 s, cae ahí).
double espectroDePrueba(double T) { return T <= 0.05 ? 8.0 : 8 + (2 - 8) * (T - 0.05) / (1 - 0.05); }

double diafragmaDeCaso(int c) { return resultados.casos.at(static_cast<size_t>(c)).diafragmas.at(0).giro; }

}  // namespace

TEST(Pisos, EdificioDeCortanteFuerzasCortantesYVuelcosPorModoYCombinados) {
    const double k = 4 * 12 * E * IZ / (H * H * H), m1 = 30, m2 = 20, z = 0.05;
    const auto saDe = espectroDePrueba;
    const std::string modelo = edificioDeCortante(
        m1, m2, "modos: 6\nespectro: E 0.05 8 1 2\nsismo: SX E X 0.05 CQC\npuntual: W 10 0 0 0 0 0  9\n"
                "puntual: W 5 0 0 0 0 0  5 6\ncombo: VIENTO 1 W\ncombo: U 1 W 1 SX\n");
    ASSERT_TRUE(analizarModelo(modelo));
    // Por modo: la fuerza del piso j es m_j·Γ·Sa·φ_j; los cortantes, V2 = F2 y
    // V1 = F1 + F2; el vuelco en el piso 1, F2·h (en el 2, nada encima).
    const std::array<modoAMano, 2> modos = modosEnX(k, m1, m2);
    double f[2][2], v[2][2], vuelco[2];
    for (int i = 0; i < 2; ++i) {
        const modoAMano& m = modos[static_cast<size_t>(i)];
        const double sa = saDe(2 * PI / m.omega);
        f[i][0] = m1 * m.gamma * sa, f[i][1] = m2 * m.gamma * sa * m.phi2;
        v[i][1] = f[i][1], v[i][0] = f[i][0] + f[i][1];
        vuelco[i] = f[i][1] * H;
    }
    const double r = rho(modos[0].omega / modos[1].omega, z);
    const auto cqc = [&](double a, double b) { return std::sqrt(a * a + b * b + 2 * r * a * b); };
    const int sx = 2;  // VIENTO, U y después el sismo
    ASSERT_EQ(resultados.casos.at(sx).nombre, "SX");
    // Una copia: el modo por lotes de abajo vuelve a analizar y cambia los resultados.
    const std::vector<resultadoPiso> p = resultados.casos.at(sx).pisos;
    ASSERT_EQ(p.size(), 2u);
    for (int j = 0; j < 2; ++j) {
        const double fj = cqc(f[0][j], f[1][j]), vj = cqc(v[0][j], v[1][j]);
        EXPECT_NEAR(p[j].fuerza[0], fj, 1e-9 * fj) << "piso " << j + 1;
        EXPECT_NEAR(p[j].cortante[0], vj, 1e-9 * vj) << "piso " << j + 1;
        EXPECT_NEAR(p[j].fuerza[1], 0, 1e-9 * fj) << "piso " << j + 1;  // nada en Y
    }
    const double mv = cqc(vuelco[0], vuelco[1]);
    EXPECT_NEAR(p[0].vuelco[0], mv, 1e-9 * mv);
    EXPECT_NEAR(p[1].vuelco[0], 0, 1e-9 * mv);
    // El cortante del piso más bajo combinado es el cortante basal del sismo
    // (todo lo que tiene masa está a su altura o encima).
    EXPECT_NEAR(p[0].cortante[0], resultados.sismos.at(0).cortanteBasal(0), 1e-9 * p[0].cortante[0]);
    // No es la diferencia de los cortantes combinados: F2 combinada < V1 − V2 salvo que ρ = 1.
    EXPECT_GT(std::fabs(p[0].fuerza[0] - (p[0].cortante[0] - p[1].cortante[0])), 1e-6 * p[0].fuerza[0]);

    // Una combinación estática: el cortante de cada piso es la suma de las cargas de ese piso y
    // de los de arriba (10 en el 2, 5 + 5 en el 1), y el vuelco en el piso 1 es 10·h.
    const std::vector<resultadoPiso>& w = resultados.casos.at(0).pisos;
    ASSERT_EQ(w.size(), 2u);
    EXPECT_NEAR(w[1].fuerza[0], 10, 1e-12);
    EXPECT_NEAR(w[0].fuerza[0], 10, 1e-12);
    EXPECT_NEAR(w[0].cortante[0], 20, 1e-12);
    EXPECT_NEAR(w[0].vuelco[0], 10 * H, 1e-12);
    // La combinación con sismo: estática ± módulo sísmico.
    const std::vector<resultadoPiso>& u = resultados.casos.at(1).pisos;
    ASSERT_EQ(u.size(), 2u);
    EXPECT_NEAR(u[0].cortante[0], 20 + p[0].cortante[0], 1e-9 * p[0].cortante[0]);
    EXPECT_NEAR(u[0].cortanteMinimo[0], 20 - p[0].cortante[0], 1e-9 * p[0].cortante[0]);

    // El modo por lotes y pisos.csv.
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    funcionCalcularLotes("modelo.txt", "csv");
    const Lineas l = consola.lineas();
    double fx, fy, vx, vy, mx, my;
    const std::string linea = lineaQueEmpieza(l, "Piso 1 (z = 3): fuerza X ");
    ASSERT_EQ(std::sscanf(linea.c_str(), "Piso 1 (z = 3): fuerza X %lf, Y %lf; cortante X %lf, Y %lf; vuelco X %lf, Y %lf",
                          &fx, &fy, &vx, &vy, &mx, &my),
              6)
        << linea;
    EXPECT_NEAR(vx, p[0].cortante[0], 1e-6 * vx);  // %.6e
    EXPECT_EQ(fy, 0.0);
    const Lineas csv = lineasDe(leerArchivo("csv/pisos.csv"));
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv[0], "caso,diafragma,z,fuerzaX,fuerzaY,cortanteX,cortanteY,vuelcoX,vuelcoY");
    EXPECT_NE(lineaQueEmpieza(csv, "U (mínimos),1,3,"), "");
    const Lineas centros = lineasDe(leerArchivo("csv/centros.csv"));
    ASSERT_EQ(centros.size(), 3u);
    EXPECT_EQ(centros[0], "diafragma,z,masa,xMasa,yMasa,xRigidez,yRigidez");
}

TEST(Pisos, CentrosDeMasaYDeRigidezDeUnPisoSobreCuatroColumnas) {
    const std::string simetrico = "seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2 3 4\n"
                                  "masaNudo: 2  5 6 7 8\npuntual: P 1 0 0 0 0 0  9\ncombo: C 1 P\n";
    ASSERT_TRUE(analizarModelo(unPiso(simetrico)));
    ASSERT_EQ(resultados.centros.size(), 1u);
    const centroPiso c = resultados.centros[0];
    EXPECT_NEAR(c.masa, 8, 1e-12);
    EXPECT_NEAR(c.xMasa, 0, 1e-12);
    EXPECT_NEAR(c.yMasa, 0, 1e-12);
    ASSERT_TRUE(c.conRigidez);
    EXPECT_NEAR(c.xRigidez, 0, 1e-9);
    EXPECT_NEAR(c.yRigidez, 0, 1e-9);

    // La columna 3, en (2, 2), con el doble de inercia: el centro de rigidez va
    // al centroide de las rigideces, (−2 + 2 + 2·2 − 2)/5 = 0.4 en x y en y; una
    // masa 4 más en su esquina lleva el de masa a (2·(−2 + 2 − 2) + 6·2)/12 = 2/3.
    const std::string asimetrico = "seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2 4\n"
                                   "seccionGenerica: D 0.1 0.002 0.002 0.006 2e8 0.3 0  3\n"
                                   "masaNudo: 2  5 6 7 8\nmasaNudo: 4  7\npuntual: P 0 1 0 0 0 0  9\n"
                                   "puntual: M 0 0 0 0 0 1  9\ncombo: C 1 P\ncombo: CM 1 M\n";
    ASSERT_TRUE(analizarModelo(unPiso(asimetrico)));
    const centroPiso a = resultados.centros.at(0);
    EXPECT_NEAR(a.masa, 12, 1e-12);
    EXPECT_NEAR(a.xMasa, 2.0 / 3, 1e-12);
    EXPECT_NEAR(a.yMasa, 2.0 / 3, 1e-12);
    EXPECT_NEAR(a.xRigidez, 0.4, 1e-9);
    EXPECT_NEAR(a.yRigidez, 0.4, 1e-9);
    // Los giros mismos: 1 en Y en el centroide gira el piso θy, un par
    // unitario θz, y el centro de rigidez es x = 0 − θy/θz = 0.4.
    const double giroFuerza = diafragmaDeCaso(0), giroPar = diafragmaDeCaso(1);
    EXPECT_NEAR(giroFuerza + 0.4 * giroPar, 0, 1e-9 * std::fabs(giroFuerza));
}

TEST(Pisos, DerivaInelasticaContraSuLimite) {
    const double k = 4 * 12 * E * IZ / (H * H * H), m1 = 30, m2 = 20;
    const auto saDe = espectroDePrueba;
    // Derivas por modo: Γ·Sa/ω²·(φ1 − 0)/h y Γ·Sa/ω²·(φ2 − φ1)/h; combinadas por SRSS.
    const std::array<modoAMano, 2> modos = modosEnX(k, m1, m2);
    double d1 = 0, d2 = 0;
    for (const modoAMano& m : modos) {
        const double u = m.gamma * saDe(2 * PI / m.omega) / (m.omega * m.omega);
        d1 += std::pow(u / H, 2), d2 += std::pow(u * (m.phi2 - 1) / H, 2);
    }
    d1 = std::sqrt(d1), d2 = std::sqrt(d2);
    ASSERT_GT(d1, d2);
    const double factor = 5.5, limite = factor * 0.5 * (d1 + d2);  // entre las dos: falla el piso 1
    char pedido[80];
    std::snprintf(pedido, sizeof pedido, "derivaLimite: %.17g %.17g\n", factor, limite);
    const std::string modelo =
        edificioDeCortante(m1, m2, "modos: 6\nespectro: E 0.05 8 1 2\nsismo: SX E X 0.05 SRSS\n" + std::string(pedido));
    ASSERT_TRUE(analizarModelo(modelo));
    const casoResultado& sx = resultados.casos.at(0);
    ASSERT_EQ(sx.pisos.size(), 2u);
    EXPECT_TRUE(sx.pisos[0].verificada);
    EXPECT_NEAR(sx.pisos[0].inelastica[0], factor * d1, 1e-9 * factor * d1);
    EXPECT_NEAR(sx.pisos[1].inelastica[0], factor * d2, 1e-9 * factor * d2);
    EXPECT_FALSE(sx.pisos[0].cumple);
    EXPECT_TRUE(sx.pisos[1].cumple);

    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << modelo;
    CapturaConsola consola;
    funcionCalcularLotes("modelo.txt", "csv");
    const std::string linea = lineaQueEmpieza(consola.lineas(), "Deriva del SX: mayor ");
    EXPECT_NE(linea.find("(piso 1, nudo 5)"), std::string::npos) << linea;
    EXPECT_NE(linea.find(": NO CUMPLE en 1 piso"), std::string::npos) << linea;
    const Lineas csv = lineasDe(leerArchivo("csv/derivas.csv"));
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(csv[0], "caso,piso,z,derivaX,nudoX,derivaY,nudoY,razonTorsion,inelasticaX,inelasticaY,cumple,barraX,barraY");
    // Las barras, sólo en los niveles sin diafragma: vacías en un piso.
    EXPECT_EQ(csv[1].substr(csv[1].rfind(",N")), ",NO CUMPLE,,");
    EXPECT_EQ(csv[2].substr(csv[2].rfind(",c")), ",cumple,,");
}

// La razón de irregularidad torsional con un solo modo: las derivas de los
// nudos son |uy + x·θ| del modo por un mismo factor, y la razón sale de la
// forma del modo del problema de 3 x 3 (ux, uy, θ del centroide) escrito a
// mano: cuatro voladizos 3EI/h³ (la columna 3 con el doble de I y de J), la
// torsión GJ/h de cada columna y masas 2 en las esquinas. Simétrico: 1.
TEST(Pisos, RazonDeIrregularidadTorsionalDeUnModo) {
    const std::string sismo = "modos: 1\nespectro: E 0 2 4 2\nsismo: SY E Y 0.05\nderivaLimite: 4 0.02\n";
    ASSERT_TRUE(analizarModelo(unPiso("seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2 3 4\n"
                                      "masaNudo: 2  5 6 7 8\n" + sismo)));
    EXPECT_NEAR(resultados.casos.at(0).pisos.at(0).razonTorsion, 1, 1e-9);

    ASSERT_TRUE(analizarModelo(unPiso("seccionGenerica: C 0.1 0.001 0.001 0.003 2e8 0.3 0  1 2 4\n"
                                      "seccionGenerica: D 0.1 0.002 0.002 0.006 2e8 0.3 0  3\n"
                                      "masaNudo: 2  5 6 7 8\n" + sismo)));
    const double x[4] = {-2, 2, 2, -2}, y[4] = {-2, -2, 2, 2}, factor[4] = {1, 1, 2, 1};
    const double k = 3 * 2e8 * 0.001 / 27, gj = 2e8 / 2.6 * 0.003 / 3;
    Eigen::Matrix3d K = Eigen::Matrix3d::Zero(), M = Eigen::Matrix3d::Zero();
    for (int i = 0; i < 4; ++i) {
        const double ki = factor[i] * k;
        K(0, 0) += ki, K(1, 1) += ki, K(0, 2) -= ki * y[i], K(1, 2) += ki * x[i];
        K(2, 2) += ki * (x[i] * x[i] + y[i] * y[i]) + factor[i] * gj;
    }
    K(2, 0) = K(0, 2), K(2, 1) = K(1, 2);
    M.diagonal() << 8, 8, 64;
    const Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::Matrix3d> modos(K, M);
    const Eigen::Vector3d phi = modos.eigenvectors().col(0);
    double mayor = 0, menor = 1e300;
    for (double xi : {-2.0, 2.0, 0.0}) {
        const double d = std::fabs(phi(1) + xi * phi(2));
        mayor = std::max(mayor, d), menor = std::min(menor, d);
    }
    const double razon = resultados.casos.at(0).pisos.at(0).razonTorsion;
    EXPECT_GT(razon, 1.05);
    EXPECT_NEAR(razon, mayor / (0.5 * (mayor + menor)), 1e-9);
}

TEST(Pisos, SinDiafragmasNiEtiquetasNuevasNadaCambia) {
    // Sin diafragmas no hay pisos ni sus archivos; sin derivaLimite: no hay derivas.csv.
    DirectorioTemporal dir;
    std::ofstream("modelo.txt") << "nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                                   "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\n"
                                   "puntual: P 1 0 0 0 0 0  2\ncombo: C 1 P\n";
    CapturaConsola consola;
    funcionCalcularLotes("modelo.txt", "csv");
    EXPECT_FALSE(std::filesystem::exists("csv/pisos.csv"));
    EXPECT_FALSE(std::filesystem::exists("csv/centros.csv"));
    EXPECT_FALSE(std::filesystem::exists("csv/derivas.csv"));
    EXPECT_EQ(lineaQueEmpieza(consola.lineas(), "Piso "), "");
}

TEST(SeccionFisurada, ModificadorDeRigidezDuplicaLaFlechaYNoLaMasa) {
    // Voladizo de 3 m con carga P en la punta: δ = P·L³/(3·E·I); con Iy e Iz a
    // la mitad, el doble. La masa (modos) y el peso propio no cambian.
    const std::string base = "nudos: 1 0 0 0  2 3 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                             "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 25  1\ngravedad: 10\nmodos: 1\n"
                             "pesoPropio: PP\npuntual: P 0 0 -7 0 0 0  2\ncombo: C 1 P\ncombo: D 1 PP\n";
    const double flecha = 7 * 27 / (3 * E * IZ);
    ASSERT_TRUE(analizarModelo(base));
    EXPECT_NEAR(desplazamientosDe(2)(2), -flecha, 1e-9 * flecha);
    const double masa = resultados.masaTotal, reaccion = reaccionesDe(1, 1)(2);
    EXPECT_NEAR(masa, 25 * 0.1 * 3 / 10, 1e-12);
    ASSERT_TRUE(analizarModelo(base + "modificadorRigidez: 1 0.5 0.5 1  1\n"));
    EXPECT_NEAR(desplazamientosDe(2)(2), -2 * flecha, 1e-9 * flecha);
    EXPECT_NEAR(resultados.masaTotal, masa, 1e-12 * masa);
    EXPECT_NEAR(reaccionesDe(1, 1)(2), reaccion, 1e-12 * std::fabs(reaccion));
    EXPECT_EQ(barraUsuario(1).getArea(), 0.1);
    EXPECT_EQ(barraUsuario(1).getIz(), 0.0005);
    EXPECT_EQ(barraUsuario(1).getIzBruta(), 0.001);
    // El área a la mitad duplica el acortamiento axial: P·L/(E·A).
    ASSERT_TRUE(analizarModelo(base + "puntual: N -7 0 0 0 0 0  2\ncombo: A 1 N\nmodificadorRigidez: 0.5 1 1 1  1\n"));
    EXPECT_NEAR(desplazamientosDe(2, 2)(0), -2 * 7 * 3 / (E * 0.1), 1e-9 * 7 * 3 / (E * 0.1));
}

TEST(SeccionFisurada, RegistrosMalEscritosSonErroresQueNombranElRegistro) {
    const std::string base = "nudos: 1 0 0 0  2 3 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                             "seccionGenerica: G 0.1 0.002 0.001 0.003 2e8 0.3 0  1\npuntual: P 0 0 -7 0 0 0  2\n"
                             "combo: C 1 P\n";
    Lineas m = cargarModelo(base + "modificadorRigidez: 1 0.5 0 1  1\n");
    EXPECT_NE(std::find(m.begin(), m.end(),
                        "Error: el registro 1 de modificadorRigidez: necesita factores positivos de A, Iy, Iz y J (por "
                        "ejemplo 1 0.35 0.35 1) antes de las barras"),
              m.end());
    m = cargarModelo(base + "modificadorRigidez: 1 0.5 0.5 1\n");
    EXPECT_NE(std::find(m.begin(), m.end(), "Error: el registro 1 de modificadorRigidez: no nombra ninguna barra"),
              m.end());
    m = cargarModelo(base + "derivaLimite: 5\n");
    EXPECT_NE(std::find(m.begin(), m.end(),
                        "Error: el registro 1 de derivaLimite: necesita el factor de la deriva inelástica y la deriva "
                        "límite, positivos (por ejemplo derivaLimite: 5.5 0.02)"),
              m.end());
    m = cargarModelo(base + "derivaLimite: 5 0.02\nderivaLimite: 4 0.02\n");
    EXPECT_NE(std::find(m.begin(), m.end(),
                        "Error: la etiqueta derivaLimite: está 2 veces; va una sola vez (FACTOR LIMITE)"),
              m.end());
}
