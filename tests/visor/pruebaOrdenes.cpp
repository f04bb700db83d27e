// Órdenes en un renglón y el fin del resaltado de "barra N".
#include "entornoVisor.h"
#include "visor/capas/escena.h"
#include "visor/escena/lote.h"
#include "visor/escena/visibilidad.h"
#include "visor/interaccion/captura.h"
#include "visor/interaccion/panel.h"

namespace {

// Grupos de la escena con el color del resaltado de "barra N".
std::size_t gruposResaltados() {
    const std::array<float, 3> naranja{1.0f, 0.6f, 0.0f};
    std::size_t n = 0;
    for (const CapaPreparada& c : prepararEscena())
        for (const GrupoLote& g : c.lote->grupos()) n += g.color == naranja;
    return n;
}

}  // namespace

TEST_F(EntornoVisor, ComboYAislarEnUnRenglonHacenLoMismoQueEnDos) {
    orden("combo C2");
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");
    EXPECT_TRUE(comboActivo(1) && !comboActivo(0));
    // La línea no queda esperando un nombre: lo siguiente vuelve a ser una orden.
    orden("C1");
    EXPECT_EQ(dialogo, "Comando no reconocido: C1. F1: ayuda. Ingrese Comando:");
    EXPECT_FALSE(comboActivo(0));
    orden("combo C2", "combo c1");
    EXPECT_FALSE(comboActivo(1));
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    // Mientras se espera un nombre, "combo C1" es una orden entera y no el nombre "combo C1".
    orden("combo", "combo C1");
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");
    EXPECT_TRUE(comboActivo(0));
    orden("combo", "C1");  // en dos pasos, como siempre
    EXPECT_FALSE(comboActivo(0));

    orden("aislar 3 7");
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    EXPECT_EQ(visibles(), "110/1110");
    orden("aislar 005 ");
    EXPECT_EQ(visibles(), "001/0011");
    orden("3");  // la lista se dio en el mismo renglón: no se espera otra
    EXPECT_EQ(visibles(), "001/0011");
    for (const char* lista : {"aislar 3 x", "aislar  3", "aislar 3  7", "aislar 9"}) {
        orden("noAislar", lista);
        EXPECT_EQ(dialogo, "Existen valores no válidos en la lista de barras.  Ingrese Comando:") << lista;
        EXPECT_EQ(visibles(), "000/0000") << lista;
    }
    orden("aislar", "aislar 5");
    EXPECT_EQ(visibles(), "001/0011");
    orden("aislar", "3 5");
    EXPECT_EQ(visibles(), "101/1111");
    // "combo" y "aislar" solos siguen preguntando; lo que empieza igual y sigue sin blanco no es la orden.
    orden("aislar");
    EXPECT_EQ(dialogo, "Escriba lista de barras a aislar separadas por espacios:");
    orden("noAislar", "comboC1");
    EXPECT_EQ(dialogo, "Comando no reconocido: comboC1. F1: ayuda. Ingrese Comando:");
}

TEST_F(EntornoVisor, ElResaltadoDeBarraNTerminaConOtraOrdenOCapa) {
    CapturaConsola silencio;
    modificadorFlagsGraf(kFlagCalculado);
    const int barra7 = internoDeBarra(7), barra5 = internoDeBarra(5);
    const auto resaltar = [&] {
        orden("barra 7");
        ASSERT_EQ(barraResaltada, barra7);
    };
    resaltar();
    EXPECT_EQ(gruposResaltados(), 1u);
    // Lo que no cambia la escena lo deja: un Return vacío, la captura, la ayuda, la proyección, Calcular.
    orden("", "captura");
    EXPECT_TRUE(tomarPedidoCaptura());
    tecladoEspecial(TeclaEspecial::F1);
    tecladoEspecial(TeclaEspecial::F12);
    falso.modificadores = kModificadorAlt;
    teclado('c', 0, 0);
    falso.modificadores = 0;
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_EQ(barraResaltada, barra7);
    orden("barra 5");  // otra barra N cambia de barra
    EXPECT_EQ(barraResaltada, barra5);

    // Cualquier otra orden lo termina, también una que no se reconoce.
    for (const char* otra : {"plotMy", "tagNudos", "combo C1", "aislar 3", "noAislar", "noTags", "modo 0", "xyz"}) {
        resaltar();
        orden(otra);
        EXPECT_EQ(barraResaltada, -1) << otra;
    }
    EXPECT_EQ(gruposResaltados(), 0u);
    // Y cualquier capa conmutada con una tecla o con un botón del panel.
    resaltar();
    falso.modificadores = kModificadorAlt;
    teclado('n', 0, 0);
    falso.modificadores = 0;
    EXPECT_EQ(barraResaltada, -1);
    for (const BotonPanel& b : botonesPanel(flags, 700, 500)) {
        if (b.interruptor == kFlagCalculado) continue;
        resaltar();
        xClickIzq = static_cast<int>(b.x + b.ancho / 2);
        yClickIzq = static_cast<int>(b.y + b.alto / 2);
        clicEnBotonFlag(b.x, b.y, b.ancho, b.alto, b.interruptor);
        EXPECT_EQ(barraResaltada, -1) << b.etiqueta;
    }
    resaltar();
    const BotonPanel c2 = botonesCombos(combosDelPanel(), 700)[1];
    xClickIzq = static_cast<int>(c2.x + c2.ancho / 2);
    yClickIzq = static_cast<int>(c2.y + c2.alto / 2);
    clicEnBotonCombo(c2.x, c2.y, c2.ancho, c2.alto, 1);
    EXPECT_EQ(barraResaltada, -1);
    EXPECT_TRUE(comboActivo(1));
}

// "aislar" por rangos, planos, pisos y secciones en un pórtico espacial de un
// vano por lado y dos pisos: 4 columnas por piso y 4 vigas por nivel.
TEST_F(EntornoVisor, AislarPorRangoPlanoPisoYSeccion) {
    std::string modelo = "nudos:\n";
    int n = 0;
    for (double z : {0.0, 3.0, 6.0})
        for (double y : {0.0, 4.0})
            for (double x : {0.0, 6.0})
                modelo += std::to_string(++n) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
                          std::to_string(z) + "\n";
    // Columnas 1-8; vigas 9-16 (por nivel: y=0, y=4, x=0, x=6).
    modelo += "barras:\n1 1 5\n2 2 6\n3 3 7\n4 4 8\n5 5 9\n6 6 10\n7 7 11\n8 8 12\n"
              "9 5 6\n10 7 8\n11 5 7\n12 6 8\n13 9 10\n14 11 12\n15 9 11\n16 10 12\n"
              "apoyo: 1 1 1 1 1 1  1 2 3 4\n"
              "seccionRectangular: C40 0.4 0.4 2e7 0.2 24  1 2 3 4 5 6 7 8\n"
              "seccionRectangular: V30 0.3 0.5 2e7 0.2 24  9 10 11 12 13 14 15 16\n";
    cargar(modelo);
    const auto aisladas = [] {
        std::string s;
        for (std::size_t b = 0; b < barrasAisladas.size(); ++b)
            if (barrasAisladas[b]) s += (s.empty() ? "" : " ") + std::to_string(barra[b].getNoBarraUsuario());
        return s;
    };
    const std::pair<const char*, const char*> casos[] = {
        {"aislar x=6", "2 4 6 8 12 16"},
        {"aislar y=0.0 z=6", "1 2 5 6 9 13 14 15 16"},
        {"aislar piso 1", "1 2 3 4 9 10 11 12"},
        {"aislar seccion V30 1-2", "1 2 9 10 11 12 13 14 15 16"},
        {"aislar 3-5 5 16", "3 4 5 16"},
    };
    for (const auto& [orden_, esperadas] : casos) {
        orden("noAislar", orden_);
        EXPECT_EQ(dialogo, "Ingrese Comando:") << orden_;
        EXPECT_EQ(aisladas(), esperadas) << orden_;
    }
    const std::pair<const char*, const char*> errores[] = {
        {"aislar x=7", "Ninguna barra en el plano x=7. Ingrese Comando:"},
        {"aislar piso 3", "No existe el piso 3. Ingrese Comando:"},
        {"aislar piso", "Falta el número del piso: piso N. Ingrese Comando:"},
        {"aislar seccion W8", "Ninguna barra tiene la sección W8. Ingrese Comando:"},
        {"aislar 5-2", "Existen valores no válidos en la lista de barras.  Ingrese Comando:"},
        {"aislar 20-30", "Existen valores no válidos en la lista de barras.  Ingrese Comando:"},
        {"aislar x=6m", "Existen valores no válidos en la lista de barras.  Ingrese Comando:"},
    };
    for (const auto& [orden_, respuesta] : errores) {
        orden("noAislar", orden_);
        EXPECT_EQ(dialogo, respuesta) << orden_;
        EXPECT_EQ(aisladas(), "") << orden_;
    }
}
