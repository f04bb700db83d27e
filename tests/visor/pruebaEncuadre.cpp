// Encuadre del modelo en lo que los paneles dejan libre de la ventana: la
// cuenta de la cámara, las vistas (arranque, F2 a F4, F6) y la animación de un
// modo, que no sale de la vista.
#include "entornoVisor.h"
#include "visor/capas/capas.h"
#include "visor/capas/escena.h"
#include "visor/escena/lote.h"
#include "visor/interaccion/panel.h"

namespace {

constexpr int kAncho = 700, kAlto = 500;  // la ventana del entorno

// Píxel (x a la derecha, y hacia abajo) del punto con la cámara actual.
Eigen::Vector2d pixelDe(const Punto3& p) {
    const Eigen::Vector3d c = coordenadasNormalizadas(p, kAncho, kAlto);
    return {(c.x() + 1) / 2 * kAncho, (1 - c.y()) / 2 * kAlto};
}

// Los bordes de lo que tapan los paneles, tomados de sus botones y renglones:
// la columna izquierda de botones, la columna de combinaciones (desde su
// título) y "Calcular", y los renglones de la línea de órdenes.
struct Paneles {
    double izquierda = 0, derecha = kAncho, arriba = 0, abajo = kAlto;
};
Paneles paneles() {
    Paneles p;
    std::vector<int> todos(kNumeroFlags, 0);
    todos[kFlagCalculado] = 1;
    for (const BotonPanel& b : botonesPanel(todos, kAncho, kAlto)) {
        if (b.x < kAncho / 2.0) p.izquierda = std::max(p.izquierda, b.x + b.ancho);
        else p.derecha = std::min(p.derecha, b.x);
    }
    for (const BotonPanel& b : botonesCombos({"C1"}, kAncho)) p.derecha = std::min(p.derecha, b.x);
    p.derecha = std::min(p.derecha, kAncho - kAnchoColumnaCombos);
    const int renglones = 1 + static_cast<int>(std::count(dialogo.begin(), dialogo.end(), '\n'));
    p.abajo = kAlto - (3 + renglones) * kRenglon;  // la línea base del indicador, menos un renglón
    // La leyenda: renglones de 12 píxeles con la primera línea base en 42; lo
    // encuadrado queda por debajo del descenso de la última.
    const std::size_t lineas = leyendaEscena().size();
    if (lineas > 0) p.arriba = 42 + 12.0 * (lineas - 1) + 3;
    return p;
}

// Todos los puntos caen en la ventana sin tocar los paneles; y, si se pide, lo
// llenan: de lado a lado o de arriba abajo ocupan al menos el 80 % de lo libre.
void esperarEnLoLibre(const std::vector<Punto3>& puntos, const std::string& donde, bool llenan = true) {
    const Paneles libre = paneles();
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const Punto3& p : puntos) {
        const Eigen::Vector2d q = pixelDe(p);
        EXPECT_GT(q.x(), libre.izquierda) << donde << " " << p;
        EXPECT_LT(q.x(), libre.derecha) << donde << " " << p;
        EXPECT_GT(q.y(), libre.arriba) << donde << " " << p;
        EXPECT_LT(q.y(), libre.abajo) << donde << " " << p;
        x0 = std::min(x0, q.x());
        x1 = std::max(x1, q.x());
        y0 = std::min(y0, q.y());
        y1 = std::max(y1, q.y());
    }
    EXPECT_TRUE(!llenan || x1 - x0 > 0.8 * (libre.derecha - libre.izquierda) ||
                y1 - y0 > 0.8 * (libre.abajo - libre.arriba))
        << donde << ": " << x1 - x0 << " x " << y1 - y0;
}

std::vector<Punto3> nudos() {
    std::vector<Punto3> p;
    for (const objNudo3d& n : nudo) p.push_back({n.getX(), n.getY(), n.getZ()});
    return p;
}

// Los vértices, los centros de las esferas y las anclas de los rótulos de un lote.
void agregarPuntos(const LoteDibujo& lote, std::vector<Punto3>& p) {
    for (const GrupoLote& g : lote.grupos())
        for (std::size_t i = 0; i + 2 < g.vertices.size(); i += 3)
            p.push_back({g.vertices[i], g.vertices[i + 1], g.vertices[i + 2]});
    for (const EsferaLote& e : lote.esferas()) p.push_back({e.centro.x(), e.centro.y(), e.centro.z()});
    for (const Rotulo3D& r : lote.rotulos()) p.push_back({r.ancla.x(), r.ancla.y(), r.ancla.z()});
}

// La forma del modo animado en los dos extremos de su oscilación, como se dibuja.
std::vector<Punto3> extremosDelModo() {
    std::vector<Punto3> p;
    for (double signo : {1.0, -1.0}) {
        LoteDibujo forma;
        plotFormaModal(forma, modoAnimado() - 1, signo * escalaModo());
        agregarPuntos(forma, p);
    }
    return p;
}

}  // namespace

TEST(Encuadre, LosPuntosCaenCentradosYJustosEnUnAreaCorrida) {
    const std::vector<Punto3> puntos = {{0, 0, 0}, {12, 0, 0}, {12, 8, 0}, {0, 8, 9}, {30, 4, 2}, {-3, 7, 5}};
    // Un área corrida a la izquierda y arriba, como la que dejan los paneles.
    AreaNormalizada area;
    area.x0 = -0.7;
    area.x1 = 0.5;
    area.y0 = -0.8;
    area.y1 = 0.95;
    for (bool perspectiva : {true, false})
        for (const Punto3& direccion : {Punto3{-1, -1, 0.5}, Punto3{0, -1, 0}, Punto3{1, 0.3, -0.2}}) {
            SCOPED_TRACE(::testing::Message() << perspectiva << " " << direccion);
            const VistaEncuadrada v = encuadrarVista(puntos, direccion, 1000, 800, perspectiva, area);
            EXPECT_NEAR(distancia({0, 0, 0}, unitario(resta(v.ojo, v.objetivo))) - 1, 0, 1e-12);
            esperarCerca(unitario(resta(v.ojo, v.objetivo)), unitario(direccion), 1e-12);
            double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
            for (const Punto3& p : puntos) {
                Punto3 n;
                ASSERT_TRUE(coordenadasEnVentana(p, v.ojo, v.objetivo, 0.0, 1000, 800, perspectiva, n));
                x0 = std::min(x0, n.x);
                x1 = std::max(x1, n.x);
                y0 = std::min(y0, n.y);
                y1 = std::max(y1, n.y);
            }
            // Dentro del área con el 5 % de margen alrededor de su centro...
            const double cx = -0.1, mx = 0.6 / 1.05, cy = 0.075, my = 0.875 / 1.05;
            EXPECT_GE(x0, cx - mx - 1e-9);
            EXPECT_LE(x1, cx + mx + 1e-9);
            EXPECT_GE(y0, cy - my - 1e-9);
            EXPECT_LE(y1, cy + my + 1e-9);
            // ...y justos: en una de las dos direcciones tocan los dos bordes del margen.
            const bool anchoJusto = std::fabs(x0 - (cx - mx)) < 1e-9 && std::fabs(x1 - (cx + mx)) < 1e-9;
            const bool altoJusto = std::fabs(y0 - (cy - my)) < 1e-9 && std::fabs(y1 - (cy + my)) < 1e-9;
            EXPECT_TRUE(anchoJusto || altoJusto) << x0 << " " << x1 << " " << y0 << " " << y1;
            // En ortográfica, además, centrados en el área en las dos direcciones.
            if (!perspectiva) {
                EXPECT_NEAR((x0 + x1) / 2, cx, 1e-9);
                EXPECT_NEAR((y0 + y1) / 2, cy, 1e-9);
            }
            EXPECT_TRUE(todosEnArea(puntos, v.ojo, v.objetivo, 0.0, 1000, 800, perspectiva, area));
            // Los puntos decisivos, con otro agregado, encuadran igual que todos con él.
            std::vector<Punto3> todos = puntos, pocos = puntosDecisivos(puntos, direccion, 1000, 800, perspectiva, area);
            todos.push_back({5, -9, 4});
            pocos.push_back({5, -9, 4});
            const VistaEncuadrada conTodos = encuadrarVista(todos, direccion, 1000, 800, perspectiva, area);
            const VistaEncuadrada conPocos = encuadrarVista(pocos, direccion, 1000, 800, perspectiva, area);
            esperarCerca(conPocos.ojo, conTodos.ojo, 1e-9);
            esperarCerca(conPocos.objetivo, conTodos.objetivo, 1e-9);
        }
    // Un solo punto queda en el centro del área, a distancia 1; sin puntos, nada deja de ser finito.
    const VistaEncuadrada uno = encuadrarVista({{3, 4, 5}}, {0, -1, 0}, 1000, 800, true, area);
    EXPECT_NEAR(distancia(uno.ojo, uno.objetivo), 1, 1e-12);
    Punto3 n;
    ASSERT_TRUE(coordenadasEnVentana({3, 4, 5}, uno.ojo, uno.objetivo, 0.0, 1000, 800, true, n));
    EXPECT_NEAR(n.x, -0.1, 1e-12);
    EXPECT_NEAR(n.y, 0.075, 1e-12);
    const VistaEncuadrada nada = encuadrarVista({}, {1, 1, 1}, 1000, 800, false, area);
    EXPECT_TRUE(finito(nada.ojo) && finito(nada.objetivo));
}

TEST_F(EntornoVisor, ElArranqueF6YLasVistasEncuadranEnLoQueDejanLosPaneles) {
    // Un modelo ancho y uno alto: uno llena lo libre de lado a lado, el otro de arriba abajo.
    for (const char* modelo : {"nudos: 1 0 0 0  2 40 0 0  3 40 6 0  4 0 6 3\n",
                               "nudos: 1 0 0 0  2 2 0 0  3 2 1 30  4 0 1 30  5 1 0.5 12\n"}) {
        cargar(modelo);
        for (int perspectiva : {1, 0}) {
            SCOPED_TRACE(::testing::Message() << modelo << perspectiva);
            flags[kFlagPerspectiva] = perspectiva;
            funcionFronteraGraf();
            esperarEnLoLibre(nudos(), "arranque");
            for (TeclaEspecial tecla : {TeclaEspecial::F6, TeclaEspecial::F2, TeclaEspecial::F3, TeclaEspecial::F4}) {
                xCam += 200;  // lejos y corrida: la tecla la vuelve a encuadrar
                zCentroObj -= 50;
                tecladoEspecial(tecla);
                esperarEnLoLibre(nudos(), "F" + std::to_string(static_cast<int>(tecla)));
            }
        }
    }
    // Con un indicador de varios renglones (la respuesta de barra N) lo libre termina más arriba.
    cargar(kMensula, true);
    modificadorFlagsGraf(kFlagCalculado);
    orden("combo C1", "barra 7");
    ASSERT_GE(std::count(dialogo.begin(), dialogo.end(), '\n'), 3);
    tecladoEspecial(TeclaEspecial::F4);
    esperarEnLoLibre(nudos(), "F4 bajo barra N");
    // El símbolo del empotramiento sobresale de su nudo, en la punta del modelo: también queda en lo libre.
    for (TeclaEspecial tecla : {TeclaEspecial::F6, TeclaEspecial::F2}) {
        tecladoEspecial(tecla);
        LoteDibujo apoyos;
        plotApoyos(apoyos, escalaApoyo);
        std::vector<Punto3> simbolo;
        agregarPuntos(apoyos, simbolo);
        ASSERT_FALSE(simbolo.empty());
        esperarEnLoLibre(simbolo, "apoyo", false);
    }
}

TEST_F(EntornoVisor, LaAnimacionDeUnModoNoSaleDeLaVista) {
    CapturaConsola silencio;
    // Viga de 10 apoyada, con su masa: el primer modo la mueve 1 (una décima de la diagonal).
    cargar("nudos: 1 0 0 0  2 5 0 0  3 10 0 0\nbarras: 1 1 2  2 2 3\napoyo: 1 1 1 1 0 0  1\n"
           "apoyo: 0 1 1 0 0 0  3\nseccionRectangular: R 0.3 0.5 25e6 0.2 24  1 2\nmodos: 2\ngravedad: 9.81\n");
    funcionFronteraGraf();
    modificadorFlagsGraf(kFlagCalculado);
    ASSERT_EQ(resultados.modos.size(), 2u);
    // De frente a la viga, con zoom hasta que no entra: el modo encuadra la vista para que quepa toda la oscilación.
    tecladoEspecial(TeclaEspecial::F2);
    for (int i = 0; i < 8; ++i) zoomIn();
    const Punto3 direccion = unitario(resta(ojoActual(), objetivoActual()));
    orden("modo 1");
    ASSERT_EQ(modoAnimado(), 1);
    esperarEnLoLibre(extremosDelModo(), "modo 1");
    esperarCerca(unitario(resta(ojoActual(), objetivoActual())), direccion, 1e-12);  // sin girar la vista
    // Al agrandarla con '+' sigue a la vista; F6 la encuadra entera también.
    for (int i = 0; i < 12; ++i) {
        teclado('+', 0, 0);
        esperarEnLoLibre(extremosDelModo(), "+ " + std::to_string(i));
    }
    zoomIn();
    tecladoEspecial(TeclaEspecial::F6);
    esperarEnLoLibre(extremosDelModo(), "F6");
    // Con lugar de sobra el modo no mueve la cámara.
    for (int i = 0; i < 5; ++i) zoomOut();
    const Punto3 ojo = ojoActual(), objetivo = objetivoActual();
    orden("modo 2");
    esperarCerca(ojoActual(), ojo, 0);
    esperarCerca(objetivoActual(), objetivo, 0);
    escalaDef = 100;
}

TEST_F(EntornoVisor, F2EncuadraLaDeformadaYElDiagramaASuEscalaBajoLaLeyenda) {
    // La ménsula de 15 baja 0.22 en la punta: a escala 2000 la deformada cae
    // 430 por debajo; el diagrama de My a escala 5 sube 750 en el empotramiento.
    cargar(kMensula, true);
    modificadorFlagsGraf(kFlagCalculado);
    orden("combo C1");
    escalaDef = 2000;
    escalaMy = 5;
    for (const char* capa : {"plotDef", "plotMy"}) {
        orden(capa);
        for (bool altC : {false, true}) {
            SCOPED_TRACE(::testing::Message() << capa << (altC ? " F2 y Alt-c" : " F2"));
            tecladoEspecial(TeclaEspecial::F2);
            if (altC) {
                falso.modificadores = kModificadorAlt;
                teclado('c', 0, 0);
                falso.modificadores = 0;
                ASSERT_TRUE(flagActivo(kFlagPerspectiva));
            }
            ASSERT_EQ(leyendaEscena().size(), 1u);
            LoteDibujo lote;
            if (flagActivo(kFlagDeformada))
                plotDeformada(lote, 0, escalaDef);
            else
                plotMomentoY(lote, 0, escalaMy);
            ASSERT_FALSE(lote.rotulos().empty());
            std::vector<Punto3> dibujado;
            agregarPuntos(lote, dibujado);
            esperarEnLoLibre(dibujado, capa, false);  // los rótulos agrandados también ocupan lugar
        }
    }
}
