// Lo que el visor dice y muestra de un modelo con errores de entrada: el aviso
// de la línea de órdenes al abrirlo y tras F5, "Calcular" que no lo analiza y
// las barras sin sección en rojo.
#include <algorithm>

#include "diagnosticos.h"
#include "entornoVisor.h"
#include "visor/capas/capas.h"
#include "visor/escena/lote.h"
#include "visor/interaccion/interruptores.h"
#include "visor/interaccion/lineaOrdenes.h"

namespace {

// Tres errores de entrada: la tabla de barras incompleta, las unidades sin la de longitud y
// un segundo peso propio.
const char* const kConErrores =
    "nudos: 1 0 0 0  2 5 0 0  3 5 0 4\nbarras: 1 1 2  2 2\napoyo: 1 1 1 1 1 1  1\n"
    "unidades: kN\npesoPropio: PP\npesoPropio: PP2\ncombo: C1 1 PP\n";

}  // namespace

TEST_F(EntornoVisor, AlAbrirYTrasF5LaLineaCuentaLosErroresDeEntrada) {
    mensajes.vaciar();
    cargar(kConErrores);
    // Al abrir el visor: la cuenta de la carga recién hecha.
    ASSERT_EQ(mensajes.cantidad(nivelMensaje::error), 3);
    const int advertencias = mensajes.cantidad(nivelMensaje::advertencia);
    anunciarCargaDelModelo(false);
    EXPECT_EQ(dialogo, avisoDeCarga(advertencias, 3));
    // F5 vacía la lista antes de leer: la cuenta no se acumula.
    {
        CapturaConsola consola;
        tecladoEspecial(TeclaEspecial::F5);
        EXPECT_EQ(mensajes.cantidad(nivelMensaje::advertencia), advertencias);
    }
    EXPECT_EQ(dialogo, avisoDeCarga(advertencias, 3));
    // Corregido el archivo, F5 vuelve al aviso de siempre (la ménsula no tiene advertencias: los
    // ajustes de dibujo que le faltan son detalles).
    archivoModelo->escribir(kMensula);
    CapturaConsola consola;
    tecladoEspecial(TeclaEspecial::F5);
    EXPECT_EQ(dialogo, "Modelo cargado con 0 advertencias; vea la consola");
    EXPECT_EQ(avisoDeCarga(1, 1), "Modelo cargado con 1 advertencia y 1 error de entrada; vea la consola");
    // Al abrir un modelo sin errores la línea queda como estaba; sin archivo, lo dice.
    dialogo = "Comando:";
    anunciarCargaDelModelo(false);
    EXPECT_EQ(dialogo, "Comando:");
    nombreArchivo = archivoModelo->ruta() + ".falta";
    mensajes.vaciar();
    funcionLeerArchivo();
    anunciarCargaDelModelo(false);
    EXPECT_EQ(dialogo, "Error: no se pudo abrir el archivo de datos " + nombreArchivo + ". Ingrese Comando:");
}

TEST_F(EntornoVisor, CalcularNoAnalizaUnModeloConErroresDeEntrada) {
    // Con errores de entrada "Calcular" no analiza: lo dice en la línea de órdenes, no quedan
    // resultados (ni los de un cálculo anterior) y los botones de resultados siguen ocultos.
    ASSERT_TRUE(cargar(kMensula, true));
    ASSERT_TRUE(resultados.disponibles);
    mensajes.vaciar();
    cargar(kConErrores);
    const std::size_t mensajesDeLaCarga = mensajes.tamano();
    {
        CapturaConsola consola;
        modificadorFlagsGraf(kFlagCalculado);
        EXPECT_EQ(consola.texto(), "");  // los errores ya están en la consola desde la carga
    }
    EXPECT_EQ(dialogo, "Error: el modelo tiene 3 errores de entrada; corríjalos y recargue (F5). Ingrese Comando:");
    EXPECT_FALSE(flagActivo(kFlagCalculado));
    EXPECT_TRUE(resultados.casos.empty());
    EXPECT_EQ(mensajes.tamano(), mensajesDeLaCarga);
    // Corregido el archivo y recargado con F5, "Calcular" analiza.
    archivoModelo->escribir(kMensula);
    CapturaConsola consola;
    tecladoEspecial(TeclaEspecial::F5);
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_TRUE(flagActivo(kFlagCalculado));
    EXPECT_EQ(resultados.casos.size(), 2u);
    // Una carga finita cuya flecha pasa de 1e150 (P·L³/3EI = 2.25e294) sólo se nota al resolver:
    // error de entrada en la consola, la misma respuesta y nada a la vista.
    std::string enorme = kMensula;
    enorme.replace(enorme.find("0 0 -10 0 0 0"), 13, "0 0 -1e290 0 0 0");
    archivoModelo->escribir(enorme);
    tecladoEspecial(TeclaEspecial::F5);
    modificadorFlagsGraf(kFlagCalculado);
    // Las dos combinaciones (C2 es el doble de C1): dos errores.
    EXPECT_EQ(dialogo, "Error: el modelo tiene 2 errores de entrada; corríjalos y recargue (F5). Ingrese Comando:");
    EXPECT_FALSE(flagActivo(kFlagCalculado));
    EXPECT_TRUE(resultados.casos.empty());
    for (const char* combo : {"C1", "C2"})
        EXPECT_NE(consola.texto().find(std::string("Error: el combo ") + combo +
                                       " da resultados que no son finitos o pasan de 1e150"),
                  std::string::npos)
            << combo;
}

TEST_F(EntornoVisor, LasBarrasSinSeccionSeDibujanEnRojo) {
    cargar("nudos: 1 0 0 0  2 5 0 0  3 5 0 4\nbarras: 1 1 2  2 2 3\nseccionRectangular: R 0.2 0.5 25e6 0.2 24  1\n");
    // La barra 1 va de (0, 0, 0) a (5, 0, 0); la 2, sin sección, de (5, 0, 0) a (5, 0, 4).
    const auto colorDeBarra = [](double zFinal) {
        LoteDibujo lote;
        plotBarras(lote);
        for (const GrupoLote& g : lote.grupos())
            for (std::size_t i = 5; i < g.vertices.size(); i += 6)
                if (std::fabs(g.vertices[i] - zFinal) < 1e-6) return g.color;
        return std::array<float, 3>{-1, -1, -1};
    };
    const std::array<float, 3> gris{0.5f, 0.5f, 0.5f}, rojo{0.9f, 0.1f, 0.1f};
    EXPECT_EQ(colorDeBarra(0), gris);
    EXPECT_EQ(colorDeBarra(4), rojo);
    // Con nombre de sección pero sin sus datos de sección y material tampoco tiene rigidez: rojo también.
    barra[1].setNombreDeSeccion("R");
    ASSERT_TRUE(barra[1].getBoolSeccion() && !barra[1].tieneSeccionYMaterial());
    EXPECT_EQ(colorDeBarra(4), rojo);
}
