// Barra: propiedades de las secciones, contornos, material y nombre de sección.
#include "ayudasBarra.h"
#include "utilidades.h"

#include <cmath>

namespace {
const double PI = 3.141592653589793;

Eigen::MatrixXd puntos(std::initializer_list<std::pair<double, double>> p) {
    Eigen::MatrixXd m(2, static_cast<Eigen::Index>(p.size()));
    Eigen::Index i = 0;
    for (const auto& q : p) m.col(i++) << q.first, q.second;
    return m;
}

// J de un rectángulo con lados corto s y largo l.
double jRectangulo(double s, double l) {
    const double k = 0.21 * s / l;
    return s * s * s * (1.0 / 3 - k * (1 - std::pow(s / l, 4) / 12)) * l;
}
}  // namespace

TEST(BarraSeccion, RectanguloCuadradoYPlaca) {
    objBarra3d r, rt, cuadrado, placa;
    r.setSeccionRectangular(0.2, 0.5);
    EXPECT_DOUBLE_EQ(r.getArea(), 0.1);
    EXPECT_DOUBLE_EQ(r.getIy(), 0.2 * 0.2 * 0.2 * 0.5 / 12);
    EXPECT_DOUBLE_EQ(r.getIz(), 0.5 * 0.5 * 0.5 * 0.2 / 12);
    const double k = 0.21 * 0.4, c = 1.0 / 3 - k * (1 - std::pow(0.4, 4) / 12);
    EXPECT_DOUBLE_EQ(r.getModJ(), 0.2 * 0.2 * 0.2 * c * 0.5);
    EXPECT_EQ(r.getCodigoSeccion(), 1);
    EXPECT_EQ(r.getFactorDeForma(), 0.0);
    EXPECT_EQ(r.getPerimetroSeccion(), puntos({{-0.1, -0.25}, {0.1, -0.25}, {0.1, 0.25}, {-0.1, 0.25}, {-0.1, -0.25}}));

    rt.setSeccionRectangular(0.5, 0.2);  // lado corto en la altura: mismo J, inercias cambiadas
    EXPECT_DOUBLE_EQ(rt.getModJ(), r.getModJ());
    EXPECT_DOUBLE_EQ(rt.getIy(), r.getIz());
    cuadrado.setSeccionRectangular(0.3, 0.3);
    EXPECT_DOUBLE_EQ(cuadrado.getModJ(), jRectangulo(0.3, 0.3));
    EXPECT_NEAR(cuadrado.getModJ(), 0.3 * 0.3 * 0.3 * 0.3 * (1.0 / 3 - 0.21 * 11 / 12), 1e-15);

    placa.setSeccionPlaca(0.2, 0.5);
    EXPECT_EQ(placa.getArea(), r.getArea());
    EXPECT_EQ(placa.getIy(), r.getIy());
    EXPECT_EQ(placa.getIz(), r.getIz());
    EXPECT_EQ(placa.getModJ(), r.getModJ());
    EXPECT_EQ(placa.getPerimetroSeccion(), r.getPerimetroSeccion());
    EXPECT_EQ(placa.getFactorDeForma(), 1.2);
    EXPECT_EQ(placa.getCodigoSeccion(), 4);
    // Sólo la placa escribe el factor de forma: una sección posterior no lo borra.
    placa.setSeccionGenerica(1, 2, 3, 4);
    EXPECT_EQ(placa.getFactorDeForma(), 1.2);
    EXPECT_EQ(placa.getCodigoSeccion(), 0);
    EXPECT_EQ(placa.getArea(), 1);
}

TEST(BarraSeccion, PerfilW) {
    const double bf = 0.2, tf = 0.015, d = 0.4, tw = 0.01, hw = d - 2 * tf, e = d / 2 - tf;
    objBarra3d b;
    b.setSeccionW(bf, tf, d, tw);
    EXPECT_NEAR(b.getArea(), 2 * bf * tf + hw * tw, 1e-15);
    // Las inercias coinciden con las exactas del perfil I de paredes rectas.
    EXPECT_NEAR(b.getIz(), (bf * d * d * d - (bf - tw) * hw * hw * hw) / 12, 1e-15);
    EXPECT_NEAR(b.getIy(), 2 * tf * bf * bf * bf / 12 + hw * tw * tw * tw / 12, 1e-15);
    EXPECT_NEAR(b.getModJ(), (2 * bf * tf * tf * tf + (d - tf) * tw * tw * tw) / 3, 1e-18);
    EXPECT_EQ(b.getCodigoSeccion(), 3);
    EXPECT_TRUE(casiIguales(b.getPerimetroSeccion(),
                            puntos({{tw / 2, e}, {bf / 2, e}, {bf / 2, d / 2}, {-bf / 2, d / 2}, {-bf / 2, e},
                                    {-tw / 2, e}, {-tw / 2, -e}, {-bf / 2, -e}, {-bf / 2, -d / 2},
                                    {bf / 2, -d / 2}, {bf / 2, -e}, {tw / 2, -e}, {tw / 2, e}}),
                            1e-15));
}

TEST(BarraSeccion, CostaneraConSusConstantes) {
    const double B = 0.05, H = 0.15, D = 0.015, t = 0.002, r = 0.003;
    objBarra3d b;
    b.setSeccionCostanera(B, H, D, t, r);
    const double a = H - (2 * r + t), bb = B - 2 * (r + t / 2), c = D - (r + t / 2), u = PI * r / 2;
    const double As = t * (a + 2 * bb + 2 * u + 2 * c + 2 * u);
    const double brazo = a / 2 + 0.637 * r;
    const double Iz = 2 * t *
                      (0.0417 * std::pow(a, 3) + bb * std::pow(a / 2 + r, 2) + u * brazo * brazo + 0.149 * std::pow(r, 3) +
                       0.0833 * std::pow(c, 3) + (c / 4) * std::pow(a - c, 2) + u * brazo * brazo + 0.149 * std::pow(r, 3));
    const double xb = (2 * t / As) * (bb * (bb / 2 + r) + u * 0.363 * r + u * (bb + 1.637 * r) + c * (bb + 2 * r));
    const double Iy = 2 * t *
                          (bb * std::pow(bb / 2 + r, 2) + std::pow(bb, 3) / 12 + 0.356 * std::pow(r, 3) +
                           c * std::pow(bb + 2 * r, 2) + u * std::pow(bb + 1.637 * r, 2) + 0.149 * std::pow(r, 3)) -
                      As * xb * xb;
    EXPECT_NEAR(b.getArea(), As, 1e-15);
    EXPECT_NEAR(b.getIz(), Iz, 1e-15 * Iz);
    EXPECT_NEAR(b.getIy(), Iy, 1e-12 * Iy);
    EXPECT_NEAR(b.getModJ(), t * t * t / 3 * (a + 2 * bb + 4 * u + 2 * c), 1e-20);
    EXPECT_EQ(b.getCodigoSeccion(), 2);
    EXPECT_TRUE(casiIguales(b.getPerimetroSeccion(),
                            puntos({{B - xb, H / 2 - D}, {B - xb, H / 2}, {-xb, H / 2}, {-xb, -H / 2}, {B - xb, -H / 2},
                                    {B - xb, -H / 2 + D}}),
                            1e-14));

    // Con esquinas vivas el área es la longitud de la línea media por el espesor.
    objBarra3d vivas;
    vivas.setSeccionCostanera(B, H, D, t, 0);
    EXPECT_NEAR(vivas.getArea(), t * ((H - t) + 2 * (B - t) + 2 * (D - t / 2)), 1e-15);
}

TEST(BarraSeccion, GenericaMaterialYBarraSinSeccion) {
    objBarra3d b = barraEntre({0, 0, 0}, {0, 4, 0});
    b.setSeccionGenerica(0.01, 2e-5, 3e-5, 4e-6);
    EXPECT_EQ(b.getArea(), 0.01);
    EXPECT_EQ(b.getIy(), 2e-5);
    EXPECT_EQ(b.getIz(), 3e-5);
    EXPECT_EQ(b.getModJ(), 4e-6);
    EXPECT_TRUE(casiIguales(b.getPerimetroSeccion(),
                            puntos({{0.1, 0.15}, {-0.1, 0.15}, {-0.1, -0.15}, {0.1, -0.15}, {0.1, -0.075}, {0.05, -0.075}}),
                            1e-15));
    b.setModuloEyPoisson(200000, 0.3);
    EXPECT_EQ(b.getModE(), 200000);
    EXPECT_DOUBLE_EQ(b.getModG(), 200000 / 2.6);

    objBarra3d sinSec = barraEntre({0, 0, 0}, {1, 0, 0});
    for (double v : {sinSec.getArea(), sinSec.getIy(), sinSec.getIz(), sinSec.getModJ(), sinSec.getModE(), sinSec.getModG()})
        EXPECT_EQ(v, 0.0);
    EXPECT_EQ(sinSec.getPerimetroSeccion().cols(), 0);
    EXPECT_FALSE(sinSec.getBoolSeccion());
    {
        CapturaConsola cap;
        EXPECT_EQ(sinSec.getNombreDeSeccion(), "");
        EXPECT_EQ(cap.texto(), "Definir el nombre de sección\n");
    }
    CapturaConsola cap;
    sinSec.setNombreDeSeccion("V20x50");
    EXPECT_TRUE(sinSec.getBoolSeccion());
    EXPECT_EQ(sinSec.getNombreDeSeccion(), "V20x50");
    EXPECT_EQ(cap.texto(), "");
}
