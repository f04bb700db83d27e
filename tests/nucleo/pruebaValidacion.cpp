// Validación del programa entero, desde el archivo de modelo hasta los
// desplazamientos y reacciones de los nudos, contra soluciones cerradas.
#include <cmath>

#include "utilidades.h"

namespace {

using Vec3 = Eigen::Vector3d;

// Con cargas en los nudos o cargas repartidas lineales el elemento da los
// desplazamientos nodales exactos de la teoría de vigas (Euler-Bernoulli o
// Timoshenko según la sección); sólo queda el redondeo, que con matrices de
// condición menor que 1e8 no pasa de 1e-8 relativo. Se pide 1e-9 del valor
// más grande comparado.
constexpr double kTol = 1e-9;

void esperarCerca(const Vec6& obtenido, const Vec6& esperado, const std::string& que) {
    EXPECT_LE((obtenido - esperado).cwiseAbs().maxCoeff(), kTol * esperado.cwiseAbs().maxCoeff())
        << que << "\n obtenido: " << obtenido.transpose() << "\n esperado: " << esperado.transpose();
}

Vec6 seis(const Vec3& a, const Vec3& b) { return (Vec6() << a, b).finished(); }

// Voladizo de una barra empotrada en el origen (nudo 1) con la punta (nudo 2) dada.
std::string voladizo(const Vec3& punta, const std::string& resto) {
    return "nudos: 1 0 0 0  2 " + texto(punta.transpose()) + "\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n" + resto;
}

}  // namespace

TEST(Validacion, VoladizoConCargaEnLaPunta) {
    // Sección de 0.2 x 0.5 (alto en y local): Iz = b·h³/12, Iy = b³·h/12.
    const double E = 30e6, A = 0.1, Iz = 0.2 * 0.125 / 12, Iy = 0.008 * 0.5 / 12;
    const struct {
        Vec3 punta;
        double rotacion;
        Vec3 carga;
    } casos[] = {
        {{3, 0, 0}, 0, {0, 0, -10}},    {{3, 0, 0}, 90, {0, 0, -10}}, {{3, 0, 0}, 30, {2, 3, -10}},
        {{0, 2.5, 0}, 0, {4, 0, -10}},  {{-3, 0, 0}, 0, {0, 5, -10}}, {{0, 0, 4}, 0, {10, 0, 0}},
        {{0, 0, 4}, 0, {0, 10, 0}},     {{0, 0, 4}, 45, {6, 8, -5}},  {{0, 0, -3}, 0, {7, -4, 2}},
        {{3, 4, 12}, 20, {1, -2, -10}},
    };
    for (const auto& c : casos) {
        const std::string que = texto(c.punta.transpose()) + " girada " + std::to_string(c.rotacion);
        ASSERT_TRUE(analizarModelo(voladizo(c.punta, "seccionRectangular: R 0.2 0.5 30e6 0.2 0  1\nrotacionBarra: " +
                                                         std::to_string(c.rotacion) + " 1\npuntual: P " +
                                                         texto(c.carga.transpose()) + " 0 0 0  2\ncombo: C 1 P\n")))
            << que;
        // Ejes locales: x a lo largo de la barra; con rotación 0, y en el plano
        // vertical de la barra hacia arriba (en una barra vertical, -X si sube y
        // +X si baja); la rotación gira y, z en sentido positivo alrededor de x.
        const double L = c.punta.norm();
        const Vec3 ex = c.punta / L, plano = Vec3::UnitZ() - ex.z() * ex;
        const Vec3 ey0 = plano.norm() > 1e-12 ? Vec3(plano.normalized()) : Vec3(-std::copysign(1.0, ex.z()), 0, 0);
        const Vec3 ey = Eigen::AngleAxisd(c.rotacion * PI / 180, ex) * ey0, ez = ex.cross(ey);
        const double fy = c.carga.dot(ey) / Iz, fz = c.carga.dot(ez) / Iy;
        const Vec3 flecha = L / (E * A) * c.carga.dot(ex) * ex + L * L * L / (3 * E) * (fy * ey + fz * ez);
        esperarCerca(desplazamientosDe(2), seis(flecha, L * L / (2 * E) * (fy * ez - fz * ey)), que);
        esperarCerca(reaccionesDe(1), seis(-c.carga, -c.punta.cross(c.carga)), que);
    }
}

TEST(Validacion, SeccionPlacaConDeformacionPorCorte) {
    // Placa 0.2 x 0.5, L = 2: el corte agrega P·L/(κ·G·A) con κ = 1/1.2 a la
    // flecha de flexión P·L³/(3·E·I); el giro de la punta no cambia.
    const double E = 25e6, G = E / 2.4, A = 0.1, Iz = 0.2 * 0.125 / 12, L = 2, P = 10;
    const std::string placa = "seccionPlaca: P 0.2 0.5 25e6 0.2 0  1\n";
    ASSERT_TRUE(analizarModelo(voladizo({L, 0, 0}, placa + "puntual: P 0 0 -10 0 0 0  2\ncombo: C 1 P\n")));
    const double flexion = P * L * L * L / (3 * E * Iz), corte = 1.2 * P * L / (G * A);
    EXPECT_GT(corte, 0.04 * flexion);  // el corte pesa lo bastante para distinguirse
    esperarCerca(desplazamientosDe(2), seis({0, 0, -(flexion + corte)}, {0, P * L * L / (2 * E * Iz), 0}), "punta");

    // Con fijación 0 en la punta empotrada y el giro Y libre en el origen, un
    // momento M da el giro M·L·(4 + φ)/(12·E·I), el de la viga de Timoshenko.
    ASSERT_TRUE(analizarModelo(voladizo({L, 0, 0}, placa + "apoyo: 1 1 1 1 0 1 1\napoyo: 1 1 1 1 1 1 2\n"
                                                           "articulacion: 1 0 1 0 1\npuntual: M 0 0 0 0 5 0 1\n"
                                                           "combo: C 1 M\n")));
    const double phi = 12 * E * Iz * 1.2 / (G * A * L * L), giro = 5 * L * (4 + phi) / (12 * E * Iz);
    esperarCerca(desplazamientosDe(1), seis({0, 0, 0}, {0, giro, 0}), "giro del extremo rígido");
}

TEST(Validacion, VigaSimplementeApoyadaConRotulas) {
    // Dos barras de 3 m entre empotramientos, articuladas junto a los apoyos:
    // viga simple de 6 m con qy = -10 (hacia -Z) y qz = 4 (z local = -Y).
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 3 0 0  3 6 0 0\nbarras: 1 1 2  2 2 3\n"
                               "apoyo: 1 1 1 1 1 1  1 3\nseccionRectangular: R 0.2 0.5 30e6 0.2 0  1 2\n"
                               "articulacion: 0 1 0 1  1\narticulacion: 1 0 1 0  2\n"
                               "distribuidaLocalY: Q -10 -10  1 2\ndistribuidaLocalZ: Q 4 4  1 2\ncombo: C 1 Q\n"));
    const double E = 30e6, Iz = 0.2 * 0.125 / 12, Iy = 0.008 * 0.5 / 12, L4 = std::pow(6.0, 4);
    esperarCerca(desplazamientosDe(2), seis({0, -5 * 4 * L4 / (384 * E * Iy), -5 * 10 * L4 / (384 * E * Iz)}, {0, 0, 0}),
                 "centro");
    for (int n : {1, 3}) esperarCerca(reaccionesDe(n), seis({0, 12, 30}, {0, 0, 0}), "apoyo " + std::to_string(n));
}

TEST(Validacion, VigaApuntaladaYEmpotrada) {
    // L = 4, qy = -10 (hacia -Z) y qz = 6 (hacia -Y): 5qL/8 y qL²/8 en el
    // empotramiento, 3qL/8 en el apoyo simple, en los dos planos. El apoyo
    // simple se logra con la fijación 0 o con un nudo de giros libres.
    const std::string base = voladizo({4, 0, 0}, "seccionRectangular: R 0.2 0.5 30e6 0.2 0  1\n"
                                                 "distribuidaLocalY: Q -10 -10  1\ndistribuidaLocalZ: Q 6 6  1\n"
                                                 "combo: C 1 Q\n");
    for (const char* apuntalado : {"apoyo: 1 1 1 1 1 1 2\narticulacion: 1 0 1 0 1\n", "apoyo: 1 1 1 1 0 0 2\n"}) {
        ASSERT_TRUE(analizarModelo(base + apuntalado)) << apuntalado;
        esperarCerca(reaccionesDe(1), seis({0, 15, 25}, {0, -20, 12}), apuntalado);
        esperarCerca(reaccionesDe(2), seis({0, 9, 15}, {0, 0, 0}), apuntalado);
    }
    // Con los dos nudos empotrados no queda grado de libertad libre: las
    // reacciones son las de empotramiento perfecto, qL/2 y qL²/12.
    ASSERT_TRUE(analizarModelo(base + "apoyo: 1 1 1 1 1 1 2\n"));
    EXPECT_EQ(matrizDesplazamientos(resultados), Eigen::MatrixXd::Zero(12, 1));
    esperarCerca(reaccionesDe(1), seis({0, 12, 20}, {0, -40.0 / 3, 8}), "empotrada, inicio");
    esperarCerca(reaccionesDe(2), seis({0, 12, 20}, {0, 40.0 / 3, -8}), "empotrada, fin");
}

TEST(Validacion, PorticoConCargaLateral) {
    // Pórtico empotrado de altura h y luz L en el plano X-Z con H/2 en cada
    // nudo superior (carga antisimétrica). Pendiente-deflexión con kc = E·Ic/h
    // y kv = E·Iv/L: Δ = H·h²·(2kc + 3kv) / (12·kc·(kc + 6kv)),
    // θ = 3·kc·Δ / (h·(2kc + 3kv)), momento en la base 2·kc·(θ - 3Δ/h).
    // Ese método desprecia el acortamiento axial: se anula con un área enorme
    // (1000 m²), que deja su efecto en el giro del orden de 1e-7 relativo; de
    // ahí la tolerancia 1e-5.
    const double E = 2e8, h = 4, L = 6, Ic = 2e-4, Iv = 3e-4, H = 20;
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 6 0 0  3 0 0 4  4 6 0 4\nbarras: 1 1 3  2 2 4  3 3 4\n"
                               "apoyo: 1 1 1 1 1 1  1 2\nseccionGenerica: C 1000 1e-3 2e-4 1e-3 2e8 0.3 0  1 2\n"
                               "seccionGenerica: V 1000 1e-3 3e-4 1e-3 2e8 0.3 0  3\n"
                               "puntual: H 10 0 0 0 0 0  3 4\ncombo: C 1 H\n"));
    const double kc = E * Ic / h, kv = E * Iv / L;
    const double delta = H * h * h * (2 * kc + 3 * kv) / (12 * kc * (kc + 6 * kv));
    const double theta = 3 * kc * delta / (h * (2 * kc + 3 * kv)), mBase = 2 * kc * (theta - 3 * delta / h);
    for (int n : {1, 2, 3, 4}) {
        const Vec6 v = n < 3 ? reaccionesDe(n) : desplazamientosDe(n);
        const Eigen::Vector2d esperado = n < 3 ? Eigen::Vector2d(-H / 2, mBase) : Eigen::Vector2d(delta, theta);
        EXPECT_LE(((Eigen::Vector2d(v(0), v(4)) - esperado).array() / esperado.array()).abs().maxCoeff(), 1e-5) << n;
    }
}

TEST(Validacion, ParrillaCargadaFueraDeSuPlano) {
    // Parrilla en L: barra de 4 m en X empotrada en el nudo 1 y barra de 3 m
    // en Y unida rígidamente en el nudo 2, con P = 10 hacia abajo en el 3. La
    // primera trabaja a torsión con P·3: gira P·3·4/(G·J) y la punta baja 3 veces eso.
    ASSERT_TRUE(analizarModelo("nudos: 1 0 0 0  2 4 0 0  3 4 3 0\nbarras: 1 1 2  2 2 3\napoyo: 1 1 1 1 1 1  1\n"
                               "seccionGenerica: G 0.01 1e-4 3e-4 2e-4 2e8 0.25 0  1 2\n"
                               "puntual: P 0 0 -10 0 0 0  3\ncombo: C 1 P\n"));
    const double E = 2e8, G = E / 2.5, I = 3e-4, J = 2e-4, P = 10, a = 4, b = 3;
    const double torsion = P * b * a / (G * J);
    EXPECT_NEAR(desplazamientosDe(2)(3), -torsion, kTol * torsion);
    esperarCerca(desplazamientosDe(3),
                 seis({0, 0, -(P * b * b * b / (3 * E * I) + P * a * a * a / (3 * E * I) + b * torsion)},
                      {-(torsion + P * b * b / (2 * E * I)), P * a * a / (2 * E * I), 0}),
                 "punta");
    esperarCerca(reaccionesDe(1), seis({0, 0, P}, {P * b, -P * a, 0}), "empotramiento");
}

TEST(Validacion, PesoPropioYCargaEnDireccionGlobal) {
    // Voladizos girados de 0.3 x 0.6 con peso específico 25 y una carga de 3 a 5 por unidad de
    // largo de la barra según (2, -1, 2)/3, con la combinación 1.2 PP + V: la reacción es la
    // suma de ambas resultantes y el momento el de cada una en su centroide (el peso en el
    // centro de la barra, la carga trapecial a 13/24 de su largo).
    const double w = 1.2 * 25 * 0.18;
    for (const Vec3& punta : {Vec3(5, 0, 0), Vec3(0, 0, 4), Vec3(3, 0, 3), Vec3(2, -3, 6), Vec3(-1, 4, -2)}) {
        ASSERT_TRUE(analizarModelo(voladizo(punta, "seccionRectangular: R 0.3 0.6 30e6 0.2 25  1\nrotacionBarra: 30 1\n"
                                                   "pesoPropio: PP\ndistribuidaGlobal: V 3 5 2 -1 2  1\ncombo: C 1.2 PP 1 V\n")));
        const Vec3 peso(0, 0, -w * punta.norm()), v = 4 * punta.norm() * Vec3(2, -1, 2) / 3;
        esperarCerca(reaccionesDe(1), seis(-peso - v, -(punta / 2).cross(peso) - (punta * 13 / 24).cross(v)), texto(punta.transpose()));
    }
}
