// Aritmética de la cámara: encuadre, tamaño mínimo, proyección, órbita, paneo,
// zoom y la cámara en la vertical del objetivo.
#include "entornoVisor.h"

namespace {

double azimutDe(const Punto3& ojo, const Punto3& objetivo) {
    const double a = std::atan2(ojo.y - objetivo.y, ojo.x - objetivo.x);
    return a < 0 ? a + 2 * PI : a;
}

// Exactamente en la vertical del objetivo, sin restos de redondeo que den un azimut.
void esperarVertical(const Punto3& ojo, const Punto3& objetivo, double dz) {
    EXPECT_EQ(ojo.x, objetivo.x);
    EXPECT_EQ(ojo.y, objetivo.y);
    EXPECT_DOUBLE_EQ(ojo.z, objetivo.z + dz);
}

// "Arriba" en pantalla: Z proyectado sobre el plano perpendicular a la vista.
Punto3 arribaEnPantalla(const Punto3& ojo, const Punto3& objetivo) {
    const Punto3 f = unitario(resta(objetivo, ojo));
    return unitario({-f.z * f.x, -f.z * f.y, 1 - f.z * f.z});
}

}  // namespace

TEST(Encuadre, LaCajaContieneElOrigen) {
    const auto caja = [](const Encuadre& c) { return std::vector<double>{c.xMin, c.xMax, c.yMin, c.yMax, c.zMin, c.zMax}; };
    const Encuadre e = encuadrar({{1, 2, 3}, {4, 6, 5}});
    EXPECT_EQ(caja(e), (std::vector<double>{0, 4, 0, 6, 0, 5}));
    EXPECT_EQ(caja(encuadrar({{-2, 1, -1}, {3, -4, 2}})), (std::vector<double>{-2, 3, -4, 1, -1, 2}));
    const double d = std::sqrt(16.0 + 36.0 + 25.0);
    EXPECT_DOUBLE_EQ(e.diagonal, d);
    // Objetivo en el centro de la caja; cámara del lado -X, -Y, por encima.
    esperarCerca(e.objetivo, {2, 3, 2.5});
    esperarCerca(e.ojo, {2 - d, 3 - d, 5 + 0.5 * d});
    EXPECT_DOUBLE_EQ(e.distancia, distancia(e.ojo, e.objetivo));
    const Encuadre v = encuadrar({});  // sin nudos: todo en 0
    EXPECT_EQ(v.diagonal + v.distancia + norma(v.ojo), 0);
}

TEST(Ventana, TamanoMinimoYVolumenOrtograficoSegunLaDistancia) {
    const auto aceptado = [](int w, int h) {
        const Tamano t = tamanoAceptado(w, h);
        return std::to_string(t.ancho) + "x" + std::to_string(t.alto);
    };
    EXPECT_EQ(aceptado(500, 300) + " " + aceptado(1000, 800) + " " + aceptado(500, 900) + " " + aceptado(700, 0),
              "600x400 1000x800 600x900 700x400");
    EXPECT_DOUBLE_EQ(proyeccion(1000, 800, true, 10).aspecto, 1.25);
    // Ortográfica: el lado más corto de la ventana abarca la distancia al objetivo, así el zoom la achica.
    EXPECT_DOUBLE_EQ(proyeccion(1000, 800, false, 10).derecha, 6.25);
    EXPECT_DOUBLE_EQ(proyeccion(600, 900, false, 10).arriba, 7.5);
    EXPECT_DOUBLE_EQ(proyeccion(1000, 800, false, 9).arriba, 4.5);
}

TEST(Orbita, ConservaLaDistanciaGiraHorarioSeDetieneEnLaVerticalYVuelve) {
    const Encuadre e = encuadrar({{6, 4, 3}});
    const double r = e.distancia;
    const PasoOrbita derecha = orbitar(e.ojo, e.objetivo, 50, 0, 0.0);
    const PasoOrbita abajo = orbitar(e.ojo, e.objetivo, 0, 20, 0.0);
    for (const PasoOrbita& p : {derecha, abajo}) EXPECT_NEAR(distancia(p.ojo, e.objetivo), r, 1e-12 * r);
    // 0.003 radianes por píxel; visto desde arriba el azimut baja.
    EXPECT_NEAR(azimutDe(derecha.ojo, e.objetivo), azimutDe(e.ojo, e.objetivo) - 0.15, 1e-7);
    EXPECT_NEAR(derecha.ojo.z, e.ojo.z, 1e-12 * r);
    EXPECT_GT(abajo.ojo.z, e.ojo.z);
    // Se detiene en la vertical y vuelve de ella con el mismo azimut.
    const double azimut0 = azimutDe(e.ojo, e.objetivo);
    const PasoOrbita arriba = orbitar(e.ojo, e.objetivo, 0, 400, azimut0);
    esperarVertical(arriba.ojo, e.objetivo, r);
    esperarVertical(orbitar(e.ojo, e.objetivo, 0, -800, azimut0).ojo, e.objetivo, -r);
    // Desde la vertical (rh = 0) sigue el azimut guardado: ni NaN ni salto de lado.
    EXPECT_TRUE(finito(orbitar(arriba.ojo, e.objetivo, 10, 100, arriba.azimut).ojo));
    const PasoOrbita vuelta = orbitar(arriba.ojo, e.objetivo, 0, -300, arriba.azimut);
    EXPECT_NEAR(distancia(vuelta.ojo, e.objetivo), r, 1e-12 * r);
    EXPECT_LT(vuelta.ojo.z, e.objetivo.z + r);
    EXPECT_NEAR(azimutDe(vuelta.ojo, e.objetivo), azimut0, 1e-9);
    // Cámara sobre el objetivo (modelo sin nudos): nada deja de ser finito.
    const Punto3 o{0, 0, 0};
    EXPECT_TRUE(finito(orbitar(o, o, 30, 40, 1.0).ojo));
    EXPECT_TRUE(finito(desplazamientoPaneo(o, o, 30, 40, 1.0)));
}

TEST(PaneoYZoom, ElPaneoSigueLaPantallaYElZoomLaRectaAlObjetivo) {
    const Punto3 objetivo{3, 2, 1.5}, ojo{-5, -4, 9};
    const Punto3 vista = resta(objetivo, ojo), derecha = unitario({vista.y, -vista.x, 0});  // vista x Z
    const Punto3 h = desplazamientoPaneo(ojo, objetivo, 10, 0, 0.0);
    const Punto3 v = desplazamientoPaneo(ojo, objetivo, 0, 10, 0.0);
    // 0.01 por píxel: a la derecha la cámara va a la izquierda (el modelo sigue al ratón); abajo, sube.
    esperarCerca(h, {-0.1 * derecha.x, -0.1 * derecha.y, 0}, 1e-12);
    const Punto3 arriba = arribaEnPantalla(ojo, objetivo);
    esperarCerca(v, {0.1 * arriba.x, 0.1 * arriba.y, 0.1 * arriba.z}, 1e-12);
    // Justo encima: las mismas direcciones, con el azimut guardado.
    const double t = 5 * PI / 4;
    const Punto3 encima{3, 2, 10};
    esperarCerca(desplazamientoPaneo(encima, objetivo, 10, 0, t), {0.1 * std::sin(t), -0.1 * std::cos(t), 0}, 1e-12);
    esperarCerca(desplazamientoPaneo(encima, objetivo, 0, 10, t), {-0.1 * std::cos(t), -0.1 * std::sin(t), 0}, 1e-12);
    // El zoom acerca y aleja un 10 % sobre la misma recta.
    for (auto [factor, f] : {std::pair{kFactorAcercar, 0.9}, {kFactorAlejar, 1.1}})
        esperarCerca(acercar(ojo, objetivo, factor), {3 - 8 * f, 2 - 6 * f, 1.5 + 7.5 * f}, 1e-12);
}

TEST(Vertical, VectorArribaContinuoYAngulosDefinidos) {
    const Punto3 objetivo{3, 2, 1.5};
    for (double azimut : {0.3, 2.0, 4.0})
        for (double dz : {5.0, -5.0}) {
            SCOPED_TRACE(::testing::Message() << azimut << " " << dz);
            // En la vertical, el "arriba" que había casi en ella: sin salto al llegar.
            const Punto3 encima{objetivo.x, objetivo.y, objetivo.z + dz};
            const Punto3 casi{encima.x + 1e-6 * std::cos(azimut), encima.y + 1e-6 * std::sin(azimut), encima.z};
            esperarCerca(vectorArriba(encima, objetivo, azimut), arribaEnPantalla(casi, objetivo), 1e-5);
            EXPECT_EQ(vectorArriba(casi, objetivo, azimut).z, 1);  // fuera de la vertical, Z
        }
    const AngulosFrente f = angulosDeFrente({3, 2, 8}, objetivo, 5 * PI / 4);
    EXPECT_DOUBLE_EQ(f.elevacionGrados, 90);
    EXPECT_NEAR(f.azimutGrados, -135, 1e-12);
    EXPECT_TRUE(std::isfinite(angulosDeFrente(objetivo, objetivo, 0.0).elevacionGrados));
}

TEST_F(EntornoVisor, F6YLasVistasF2F4VenElModeloEnteroEnLasDosProyecciones) {
    cargar("nudos: 1 0 0 0  2 12 0 0  3 12 8 0  4 0 8 0  5 0 0 9  6 12 8 9  7 30 4 2\n");
    // F2 a F4 ven en ortográfica; Alt-c tras ellas, en perspectiva (con -1).
    const TeclaEspecial teclas[] = {TeclaEspecial::F6, TeclaEspecial::F2, TeclaEspecial::F3, TeclaEspecial::F4};
    for (int perspectiva : {1, 0, -1}) {
        for (TeclaEspecial tecla : teclas) {
            SCOPED_TRACE(::testing::Message() << perspectiva << " F" << static_cast<int>(tecla));
            flags[kFlagPerspectiva] = perspectiva != 0;
            // La cámara de antes está lejos y corrida: la tecla la deja mirando el modelo entero.
            xCam += 200;
            zCentroObj -= 50;
            tecladoEspecial(tecla);
            if (tecla != TeclaEspecial::F6) {
                EXPECT_FALSE(flagActivo(kFlagPerspectiva));
                if (perspectiva < 0) {
                    falso.modificadores = kModificadorAlt;
                    teclado('c', 0, 0);
                    falso.modificadores = 0;
                }
            }
            const bool enPerspectiva = flagActivo(kFlagPerspectiva);
            EXPECT_DOUBLE_EQ(distCamObj, distancia({xCam, yCam, zCam}, {xCentroObj, yCentroObj, zCentroObj}));
            double mayor = 0;
            for (const objNudo3d& n : nudo) {
                const Eigen::Vector3d c = coordenadasNormalizadas({n.getX(), n.getY(), n.getZ()}, 700, 500);
                EXPECT_LE(std::max(std::fabs(c.x()), std::fabs(c.y())), 1.0) << n.getNoNudoUsuario();
                // En perspectiva, delante de la cámara (la ortográfica ve también lo de atrás).
                if (enPerspectiva) {
                    EXPECT_GT(c.z(), 0);
                }
                mayor = std::max({mayor, std::fabs(c.x()), std::fabs(c.y())});
            }
            EXPECT_GT(mayor, 0.5);  // y lo llena, no queda chico
        }
        // Cada vista mira en su dirección: F2 hacia +Y, F3 hacia +X, F4 desde arriba.
        tecladoEspecial(TeclaEspecial::F2);
        EXPECT_LT(yCam, yCentroObj);
        EXPECT_NEAR(xCam, xCentroObj, 1e-9);
        tecladoEspecial(TeclaEspecial::F3);
        EXPECT_LT(xCam, xCentroObj);
        tecladoEspecial(TeclaEspecial::F4);
        EXPECT_GT(zCam, zCentroObj + 0.99 * distCamObj);
    }
    // En ortográfica la proyección se rehace con la distancia nueva.
    EXPECT_FALSE(falso.anchosRedimensionados.empty());
}

TEST_F(EntornoVisor, EnOrtograficaElPrimerPasoDeRuedaTrasUnaVistaEsDelDiezPorCiento) {
    flags[kFlagPerspectiva] = 0;
    for (TeclaEspecial tecla : {TeclaEspecial::F2, TeclaEspecial::F3, TeclaEspecial::F4}) {
        tecladoEspecial(tecla);
        const double alto = proyeccion(700, 500, false, distCamObj).arriba;
        zoomIn();
        EXPECT_NEAR(proyeccion(700, 500, false, distCamObj).arriba / alto, 0.9, 1e-12);
    }
}

TEST_F(EntornoVisor, ShiftYElBotonIzquierdoOrbitanSinHacerClic) {
    funcionFronteraGraf();  // la cámara de arranque
    const Punto3 objetivo{xCentroObj, yCentroObj, zCentroObj};
    const double azimut = std::atan2(yCam - objetivo.y, xCam - objetivo.x), r = distCamObj;
    falso.modificadores = kModificadorShift;
    mouseButton(BotonRaton::Izquierdo, true, 100, 100);
    falso.modificadores = 0;  // soltar Shift durante el arrastre no corta la órbita
    mouseMove(150, 100);
    mouseButton(BotonRaton::Izquierdo, false, 150, 100);
    // 50 píxeles a la derecha: 0.15 radianes en sentido horario visto desde arriba, a la misma distancia.
    EXPECT_NEAR(std::atan2(yCam - objetivo.y, xCam - objetivo.x), azimut - 0.15, 1e-6);
    EXPECT_NEAR(distCamObj, r, 1e-9 * r);
    esperarCerca({xCentroObj, yCentroObj, zCentroObj}, objetivo);
    EXPECT_EQ(std::pair(xClickIzq, yClickIzq), std::pair(0, 0));  // ningún botón del panel recibe el clic
    // Sin Shift el botón izquierdo panea y el soltar queda como clic.
    mouseButton(BotonRaton::Izquierdo, true, 100, 100);
    mouseMove(120, 100);
    mouseButton(BotonRaton::Izquierdo, false, 120, 100);
    EXPECT_GT(distancia({xCentroObj, yCentroObj, zCentroObj}, objetivo), 0.1);
    EXPECT_EQ(std::pair(xClickIzq, yClickIzq), std::pair(120, 100));
}
