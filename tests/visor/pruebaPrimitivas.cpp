// Primitivas de la escena: formato de números, alineación de textos, giros de
// los textos de frente a la cámara y de la punta de las flechas.
#include "entornoVisor.h"
#include "visor/escena/formatoTexto.h"

namespace {

// Giro de g grados alrededor del eje 0 (X), 1 (Y) o 2 (Z), como glRotate (mano derecha).
Punto3 girar(int eje, double g, const Punto3& p) {
    const double c = std::cos(g * PI / 180), s = std::sin(g * PI / 180);
    if (eje == 0) return {p.x, c * p.y - s * p.z, s * p.y + c * p.z};
    if (eje == 1) return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
    return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
}

}  // namespace

TEST(Textos, NumerosComoPrintfCortadosA99CaracteresYAlineacion) {
    EXPECT_EQ(formatearNumero(0.5, 2, false), "0.50");
    EXPECT_EQ(formatearNumero(0.5, 2, true), "5.00e-01");
    EXPECT_EQ(formatearNumero(-0.0001, 3, false), "0.000");  // cero a esta precisión: sin signo
    EXPECT_EQ(formatearNumero(2.25, -3, false), "2");  // "%.-3f" no es un formato: 0 decimales
    // std::to_string escribe con seis decimales, sin límite de largo.
    const std::string completo = std::to_string(1e120);
    ASSERT_GT(completo.size(), 99u);
    EXPECT_EQ(formatearNumero(1e120, 6, false), completo.substr(0, 99));
    EXPECT_EQ(formatearNumero(1.0, 200, false).size(), 99u);
    // Centrado retrocede medio largo del texto; al final, el largo entero; si no, nada.
    const double largo = -corrimientoAlineacion(5, 3);
    EXPECT_GT(largo, 0);
    EXPECT_DOUBLE_EQ(corrimientoAlineacion(10, 3), -2 * largo);
    EXPECT_DOUBLE_EQ(corrimientoAlineacion(5, 2), -largo / 2);
    for (int otra : {0, 1, 7}) EXPECT_EQ(corrimientoAlineacion(5, otra), 0) << otra;
}

TEST(TextoDeFrente, QuedaPerpendicularALaVistaYSeLeeHorizontal) {
    const Punto3 objetivo{3, 2, 1.5};
    for (const Punto3& ojo : {Punto3{-5, -4, 9}, {10, 2, 1.5}, {3, 12, -4}, {-1, 2.5, 0}, {3, 2 - 1e-9, 40}}) {
        SCOPED_TRACE(ojo);
        const AngulosFrente f = angulosDeFrente(ojo, objetivo, 0.0);
        const auto deFrente = [&](const Punto3& p) {
            return girar(2, 90 + f.azimutGrados, girar(0, 90 - f.elevacionGrados, p));
        };
        // La normal del texto apunta a la cámara y su línea va, horizontal, a la derecha de la pantalla.
        esperarCerca(deFrente({0, 0, 1}), unitario(resta(ojo, objetivo)));
        const Punto3 vista = resta(objetivo, ojo);
        esperarCerca(deFrente({1, 0, 0}), unitario({vista.y, -vista.x, 0}), 1e-6);
    }
}

TEST(Flecha, LaPuntaApuntaDeVueltaAlOrigenYSinLargoNoSeDibuja) {
    const std::pair<Punto3, Punto3> flechas[] = {
        {{0, 0, 0}, {1, 0, 0}},  {{1, 0, 0}, {0, 0, 0}},   {{0, 0, 0}, {0, 2, 0}}, {{0, 0, 0}, {0, -2, 0}},
        {{1, 2, 3}, {-4, 5, -6}}, {{0, 0, 0}, {3, -4, 5}}, {{2, 2, 2}, {2, 2, 5}}, {{2, 2, 5}, {2, 2, 2}},
        // Casi vertical: el cociente del arcocoseno se sale apenas de [-1, 1].
        {{0, 0, 0}, {-7.3224671197493454e-08, 0, 1}}, {{0, 0, 0}, {2.7046243662747216e-08, 0, 1}}};
    for (const auto& [p1, p2] : flechas) {
        SCOPED_TRACE(::testing::Message() << p1 << " a " << p2);
        const AngulosFlecha a = angulosFlecha(p1, p2);
        EXPECT_TRUE(a.dibujar);
        esperarCerca(girar(2, a.alfaGrados, girar(1, a.betaGrados, {1, 0, 0})), unitario(resta(p1, p2)), 1e-6);
    }
    EXPECT_FALSE(angulosFlecha({1, 2, 3}, {1, 2, 3}).dibujar);
}
