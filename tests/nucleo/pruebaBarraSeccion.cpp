// Barra: propiedades de las secciones, contornos, material y nombre de sección.
#include "utilidades.h"

#include <cmath>

namespace {
// Contorno 2 x n a partir de pares (ancho, alto).
Eigen::MatrixXd puntos(std::initializer_list<std::pair<double, double>> p) {
    Eigen::MatrixXd m(2, static_cast<Eigen::Index>(p.size()));
    Eigen::Index i = 0;
    for (const auto& [ancho, alto] : p) m.col(i++) << ancho, alto;
    return m;
}
}  // namespace

TEST(BarraSeccion, RectanguloCuadradoYPlaca) {
    objBarra3d r, rt, cuadrado, placa;
    r.setSeccionRectangular(0.2, 0.5);
    const double k = 0.21 * 0.4, c = 1.0 / 3 - k * (1 - std::pow(0.4, 4) / 12);
    EXPECT_DOUBLE_EQ(r.getArea(), 0.1);
    EXPECT_DOUBLE_EQ(r.getIy(), 0.2 * 0.2 * 0.2 * 0.5 / 12);
    EXPECT_DOUBLE_EQ(r.getIz(), 0.5 * 0.5 * 0.5 * 0.2 / 12);
    EXPECT_DOUBLE_EQ(r.getModJ(), 0.2 * 0.2 * 0.2 * c * 0.5);
    EXPECT_EQ(r.getPerimetroSeccion(), puntos({{-0.1, -0.25}, {0.1, -0.25}, {0.1, 0.25}, {-0.1, 0.25}, {-0.1, -0.25}}));
    EXPECT_EQ(r.getCodigoSeccion(), 1);
    rt.setSeccionRectangular(0.5, 0.2);  // el lado corto en la altura: mismo J
    EXPECT_DOUBLE_EQ(rt.getModJ(), r.getModJ());
    cuadrado.setSeccionRectangular(0.3, 0.3);
    EXPECT_NEAR(cuadrado.getModJ(), std::pow(0.3, 4) * (1.0 / 3 - 0.21 * 11 / 12), 1e-15);

    placa.setSeccionPlaca(0.2, 0.5);
    EXPECT_EQ(Eigen::Vector4d(placa.getArea(), placa.getIy(), placa.getIz(), placa.getModJ()),
              Eigen::Vector4d(r.getArea(), r.getIy(), r.getIz(), r.getModJ()));
    EXPECT_EQ(placa.getPerimetroSeccion(), r.getPerimetroSeccion());
    EXPECT_EQ(r.getFactorDeForma(), 0.0);
    EXPECT_EQ(placa.getFactorDeForma(), 1.2);
    EXPECT_EQ(placa.getCodigoSeccion(), 4);
    placa.setSeccionGenerica(1, 2, 3, 4);  // sólo la placa escribe el factor de forma
    EXPECT_EQ(placa.getFactorDeForma(), 1.2);
    EXPECT_EQ(placa.getCodigoSeccion(), 0);
}

TEST(BarraSeccion, PerfilW) {
    const double bf = 0.2, tf = 0.015, d = 0.4, tw = 0.01, hw = d - 2 * tf, e = d / 2 - tf;
    objBarra3d b;
    b.setSeccionW(bf, tf, d, tw);
    EXPECT_NEAR(b.getArea(), 2 * bf * tf + hw * tw, 1e-15);
    // Las inercias son las exactas del perfil I de paredes rectas.
    EXPECT_NEAR(b.getIz(), (bf * d * d * d - (bf - tw) * hw * hw * hw) / 12, 1e-15);
    EXPECT_NEAR(b.getIy(), 2 * tf * bf * bf * bf / 12 + hw * tw * tw * tw / 12, 1e-15);
    EXPECT_NEAR(b.getModJ(), (2 * bf * tf * tf * tf + (d - tf) * tw * tw * tw) / 3, 1e-18);
    EXPECT_EQ(b.getCodigoSeccion(), 3);
    EXPECT_TRUE(casiIguales(b.getPerimetroSeccion(),
                            puntos({{tw / 2, e}, {bf / 2, e}, {bf / 2, d / 2}, {-bf / 2, d / 2}, {-bf / 2, e}, {-tw / 2, e},
                                    {-tw / 2, -e}, {-bf / 2, -e}, {-bf / 2, -d / 2}, {bf / 2, -d / 2}, {bf / 2, -e},
                                    {tw / 2, -e}, {tw / 2, e}}),
                            1e-15));
}

TEST(BarraSeccion, CostaneraConSusConstantes) {
    const double B = 0.05, H = 0.15, D = 0.015, t = 0.002, r = 0.003, pi = 3.141592653589793;
    objBarra3d b;
    b.setSeccionCostanera(B, H, D, t, r);  // ala, alma, labio, espesor, radio
    const double a = H - (2 * r + t), bb = B - 2 * (r + t / 2), c = D - (r + t / 2), u = pi * r / 2;
    const double As = t * (a + 2 * bb + 4 * u + 2 * c), brazo = a / 2 + 0.637 * r, r3 = r * r * r;
    const double Iz = 2 * t * (0.0417 * a * a * a + bb * std::pow(a / 2 + r, 2) + 2 * u * brazo * brazo + 2 * 0.149 * r3 +
                               0.0833 * c * c * c + (c / 4) * (a - c) * (a - c));
    const double xb = (2 * t / As) * (bb * (bb / 2 + r) + u * 0.363 * r + u * (bb + 1.637 * r) + c * (bb + 2 * r));
    const double Iy = 2 * t * (bb * std::pow(bb / 2 + r, 2) + bb * bb * bb / 12 + 0.356 * r3 + c * std::pow(bb + 2 * r, 2) +
                               u * std::pow(bb + 1.637 * r, 2) + 0.149 * r3) - As * xb * xb;
    EXPECT_NEAR(b.getArea(), As, 1e-15);
    EXPECT_NEAR(b.getIz(), Iz, 1e-14 * Iz);
    EXPECT_NEAR(b.getIy(), Iy, 1e-12 * Iy);
    EXPECT_NEAR(b.getModJ(), t * t * t / 3 * (a + 2 * bb + 4 * u + 2 * c), 1e-20);
    EXPECT_EQ(b.getCodigoSeccion(), 2);
    EXPECT_TRUE(casiIguales(b.getPerimetroSeccion(),
                            puntos({{B - xb, H / 2 - D}, {B - xb, H / 2}, {-xb, H / 2}, {-xb, -H / 2}, {B - xb, -H / 2},
                                    {B - xb, -H / 2 + D}}),
                            1e-14));
}

TEST(BarraSeccion, GenericaMaterialNombreYBarraSinSeccion) {
    objBarra3d b = barraEntre({0, 0, 0}, {0, 4, 0});
    b.setSeccionGenerica(0.01, 2e-5, 3e-5, 4e-6);
    EXPECT_EQ(Eigen::Vector4d(b.getArea(), b.getIy(), b.getIz(), b.getModJ()), Eigen::Vector4d(0.01, 2e-5, 3e-5, 4e-6));
    EXPECT_TRUE(casiIguales(b.getPerimetroSeccion(),
                            puntos({{0.1, 0.15}, {-0.1, 0.15}, {-0.1, -0.15}, {0.1, -0.15}, {0.1, -0.075}, {0.05, -0.075}}),
                            1e-15));
    b.setModuloEyPoisson(200000, 0.3);
    EXPECT_EQ(b.getModE(), 200000);
    EXPECT_DOUBLE_EQ(b.getModG(), 200000 / 2.6);

    objBarra3d s = barraEntre({0, 0, 0}, {1, 0, 0});
    EXPECT_TRUE((Eigen::VectorXd(6) << s.getArea(), s.getIy(), s.getIz(), s.getModJ(), s.getModE(), s.getModG())
                    .finished()
                    .isZero(0));
    EXPECT_EQ(s.getPerimetroSeccion().cols(), 0);
    EXPECT_FALSE(s.getBoolSeccion());
    CapturaConsola cap;
    EXPECT_EQ(s.getNombreDeSeccion(), "");
    s.setNombreDeSeccion("V20x50");
    EXPECT_TRUE(s.getBoolSeccion());
    EXPECT_EQ(s.getNombreDeSeccion(), "V20x50");
    EXPECT_EQ(cap.texto(), "Definir el nombre de sección\n");
}
