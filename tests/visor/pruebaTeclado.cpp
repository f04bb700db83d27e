// Interruptores, línea de órdenes y teclas, sin ventana.
#include <algorithm>
#include <map>
#include <set>

#include "entornoVisor.h"
#include "visor/capas/escena.h"
#include "visor/escena/lote.h"
#include "visor/interaccion/lineaOrdenes.h"
#include "visor/interaccion/panel.h"
#include "visor/interaccion/textosAyuda.h"

TEST_F(EntornoVisor, CadaInterruptorApagaSoloLoQueLeToca) {
    const std::set<int> capas = {kFlagDeformada, kFlagAxial,      kFlagCortanteY, kFlagMomentoY,
                                 kFlagCargas,    kFlagReacciones, kFlagCortanteZ, kFlagMomentoZ};
    const std::set<int> etiquetas = {kFlagTagNudos, kFlagTagBarras, kFlagSecciones};
    std::set<int> todoMenosVolumen = capas, todoMenosTorsion = capas;
    todoMenosVolumen.insert(etiquetas.begin(), etiquetas.end());
    todoMenosTorsion.insert(etiquetas.begin(), etiquetas.end());
    todoMenosVolumen.insert({kFlagTorsion, kFlagAcero});
    todoMenosTorsion.insert(kFlagVolumen);
    std::map<int, std::set<int>> apaga = {
        {kFlagApoyos, {}}, {kFlagEjes, {}}, {kFlagTextosDiagramas, {}}, {kFlagLineasInternas, {}},
        {kFlagEsferasNudos, {}}, {kFlagPerspectiva, {}}, {kFlagAyudaGeneral, {kFlagPaginaAyuda}},
        {kFlagPaginaAyuda, {kFlagAyudaGeneral}}, {kFlagVolumen, todoMenosVolumen}, {kFlagTorsion, todoMenosTorsion}};
    for (int k : etiquetas) apaga[k] = {kFlagVolumen};
    apaga[kFlagAcero] = {kFlagVolumen};  // las razones de acero conviven con las capas
    for (int k : capas) {  // capas: excluyen a las demás, al volumen y a la torsión
        apaga[k] = capas;
        apaga[k].insert({kFlagVolumen, kFlagTorsion});
        apaga[k].erase(k);
    }
    for (const auto& [k, apagados] : apaga) {
        flags.assign(kNumeroFlags, 0);
        for (int i = 0; i <= kFlagAcero; ++i) flags[size_t(i)] = 1;
        modificadorFlagsGraf(k);
        for (int i = 0; i <= kFlagAcero; ++i)
            EXPECT_EQ(flags[size_t(i)], i == k ? 2 : apagados.count(i) ? 0 : 1) << k << " " << i;
    }
    const std::vector<int> antes = flags;
    for (int k : {-1, 13, 23, 99, 100, 199, 200}) modificadorFlagsGraf(k);
    EXPECT_EQ(flags, antes);
}

TEST_F(EntornoVisor, CalcularSoloQuedaEncendidoSiLaEstructuraEsEstableYElErrorNoSobrevive) {
    CapturaConsola silencio;
    modificadorFlagsGraf(kFlagCalculado);
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_EQ(flags[kFlagCalculado], 1);
    EXPECT_EQ(dialogo, "Comando:");
    cargar("nudos: 1 0 0 0  2 5 0 0\nbarras: 1 1 2\nseccionRectangular: R 0.2 0.5 25e6 0.2 24  1\n");
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_EQ(flags[kFlagCalculado], 0);
    EXPECT_EQ(dialogo, "Error: la estructura es inestable. Ingrese Comando:");
    // Con el apoyo que faltaba el cálculo vuelve a funcionar y la línea deja de anunciar el error.
    nudo[0].setApoyo(1, 1, 1, 1, 1, 1);
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_EQ(flags[kFlagCalculado], 1);
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    // Una barra 1e16 veces más rígida que las demás: sus esfuerzos no se pueden calcular y es un
    // error de entrada; recargado el modelo con la barra corregida, el cálculo vuelve a funcionar.
    const std::string portico = "nudos: 1 0 0 0  2 0 0 4  3 0.2 0 4  4 6 0 4  5 6 0 0\nbarras: 1 1 2  2 2 3  3 3 4  4 5 4\n"
                                "apoyo: 1 1 1 1 1 1  1 5\nseccionRectangular: R 0.3 0.5 25e6 0.2 0  1 3 4\n"
                                "puntual: H 10 0 0 0 0 0  2\ncombo: C1 1 H\nseccionRectangular: B 0.3 0.5 ";
    cargar(portico + "25e22 0.2 0  2\n");
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_EQ(flags[kFlagCalculado], 0);
    EXPECT_EQ(dialogo, "Error: el modelo tiene 1 error de entrada; corríjalos y recargue (F5). Ingrese Comando:");
    cargar(portico + "25e8 0.2 0  2\n");
    modificadorFlagsGraf(kFlagCalculado);
    EXPECT_EQ(flags[kFlagCalculado], 1);
    EXPECT_EQ(dialogo, "Ingrese Comando:");
}

TEST_F(EntornoVisor, LasOrdenesSeRevisanEnOrdenSobreElMismoEstado) {
    orden("plotN", "plotN");
    EXPECT_EQ(dialogo, "Fuerzas Axiales Desactivadas. Ingrese Comando:");
    orden("tagNudos", "plotVolumen", "noTags");  // noTags no toca el volumen
    EXPECT_TRUE(flagActivo(kFlagVolumen) && !flagActivo(kFlagTagNudos));
    orden("combo", "C2");
    EXPECT_EQ(dialogo, "Combo Activado/Desactivado, OK. Ingrese Comando:");
    EXPECT_TRUE(flagActivo(kFlagPrimerCombo + 1));
    orden("combo", "plotDef");  // plotDef cambia el indicador antes de la búsqueda
    EXPECT_EQ(dialogo, "Deformaciones Activadas. Ingrese Comando:");
    orden("aislar", "3", "combo", "noAislar");  // la búsqueda falla y después se deshace el aislamiento
    EXPECT_EQ(numeroComboCoincidente, -1);
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    EXPECT_EQ(visibles(), "111/1111");
    orden("combo", "c1");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_FALSE(flagActivo(kFlagPrimerCombo));
    // La espera de un nombre dura un solo Return: el texto siguiente vuelve a ser una orden.
    orden("C1");
    EXPECT_FALSE(flagActivo(kFlagPrimerCombo));
}

TEST_F(EntornoVisor, ComboSinNudosYMasDeCienCombinaciones) {
    cargar("");
    orden("combo", "C1");
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    EXPECT_TRUE(combosDelPanel().empty());
    std::string modelo = "nudos: 1 0 0 0\npuntual: P 0 0 -10 0 0 0  1\n";
    for (int i = 0; i < 105; ++i) modelo += "combo: K" + std::to_string(i) + " 1 P\n";
    cargar(modelo);
    EXPECT_EQ(combosDelPanel().size(), 100u);
    orden("combo", "K99");
    EXPECT_EQ(flags[kFlagPrimerCombo + 99], 1);
    orden("combo", "K100");
    EXPECT_EQ(dialogo, "Solo se pueden visualizar los primeros 100 combos. Ingrese Comando:");
    EXPECT_EQ(flags.size(), 200u);
}

TEST_F(EntornoVisor, AislarBarrasConSusNudosYUnaListaNoValidaOcultaTodo) {
    orden("aislar", "3 7");
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    EXPECT_EQ(visibles(), "110/1110");
    orden("aislar", "005 ");  // ceros a la izquierda y un blanco final valen
    EXPECT_EQ(visibles(), "001/0011");
    for (const char* lista : {"3 x", "7x", "3  7", " 3", "3 9", "2147483648", "99999999999999999999"}) {
        orden("noAislar", "aislar", lista);
        EXPECT_EQ(dialogo, "Existen valores no válidos en la lista de barras.  Ingrese Comando:") << lista;
        EXPECT_EQ(visibles(), "000/0000") << lista;
    }
}

TEST_F(EntornoVisor, MasYMenosEscalanTextoConShiftYSiNoLasCapasVisibles) {
    escalaTexto = escalaMy = escalaN = 1.0;
    const auto escalas = [] { return std::vector<double>{escalaTexto, escalaMy, escalaN}; };
    teclado('+', 0, 0);  // sin capas a la vista no cambia nada
    EXPECT_EQ(escalas(), (std::vector<double>{1, 1, 1}));
    modificadorFlagsGraf(kFlagMomentoY);
    teclado('+', 0, 0);
    EXPECT_EQ(escalas(), (std::vector<double>{1, 1.1, 1}));
    falso.modificadores = kModificadorShift;
    teclado('-', 0, 0);
    EXPECT_EQ(escalas(), (std::vector<double>{1 / 1.1, 1.1, 1}));
    falso.modificadores = kModificadorShift | kModificadorCtrl;  // no es sólo Shift
    teclado('-', 0, 0);
    EXPECT_EQ(escalas(), (std::vector<double>{1 / 1.1, 1, 1}));
    EXPECT_EQ(comando, "");
}

TEST_F(EntornoVisor, AltConmutaEscapeTerminaYElRestoSeEscribe) {
    falso.modificadores = kModificadorAlt;
    for (unsigned char c : {'T', 'f', 'x', 'c'}) teclado(c, 0, 0);
    EXPECT_FALSE(flagActivo(kFlagTextosDiagramas) || flagActivo(kFlagLineasInternas) || flagActivo(kFlagPerspectiva));
    EXPECT_EQ(falso.anchosRedimensionados, std::vector<int>{700});  // la proyección nueva, en el acto
    falso.modificadores = 0;
    for (unsigned char c : {'\b', 'c', ' ', '7', '\b'}) teclado(c, 0, 0);  // retroceso con la línea vacía
    EXPECT_EQ(comando, "c ");
    teclado(27, 0, 0);
    comando.clear();
    orden("salir");
    EXPECT_EQ(falso.salidas, (std::vector<int>{0, 0}));
}

TEST_F(EntornoVisor, F12RecorreLasPaginasYF1LasCierra) {
    std::string paginas;
    for (int i = 0; i < 7; ++i) {
        tecladoEspecial(TeclaEspecial::F12);
        paginas += std::to_string(flags[kFlagPaginaAyuda]);
    }
    EXPECT_EQ(paginas, "1234012");
    tecladoEspecial(TeclaEspecial::F1);
    EXPECT_TRUE(flagActivo(kFlagAyudaGeneral) && flags[kFlagPaginaAyuda] == 0);
    tecladoEspecial(TeclaEspecial::F12);
    EXPECT_FALSE(flagActivo(kFlagAyudaGeneral));
}

TEST_F(EntornoVisor, F5RecargaYReiniciaInterruptoresPeroNoLaCamaraNiElComando) {
    CapturaConsola silencio;
    modificadorFlagsGraf(kFlagCalculado);
    orden("plotMy", "combo", "C1");
    modificadorFlagsGraf(kFlagPerspectiva);
    xCam = 11;
    distCamObj = 7;
    comando = "a medio";
    archivoModelo->escribir("nudos: 1 0 0 0  2 5 0 0\nbarras: 9 1 2  4 1 7\n");
    CapturaConsola consola;
    tecladoEspecial(TeclaEspecial::F5);
    const std::vector<int> recargados = flags;
    interruptoresIniciales();
    EXPECT_EQ(recargados, flags);
    EXPECT_EQ(visibles(), "1/11");
    EXPECT_EQ(std::pair(xCam, distCamObj), std::pair(11.0, 7.0));
    // La consola muestra todo lo que dijo el cargador, detalles incluidos (los ajustes de dibujo que
    // faltan); la línea cuenta las advertencias y los errores que no son detalles: la barra 4 usa un
    // nudo que no existe y la 9 queda sin sección.
    const Lineas lineas = consola.lineas();
    EXPECT_GT(std::count_if(lineas.begin(), lineas.end(),
                            [](const std::string& l) { return l.rfind("Advertencia: no se encontró", 0) == 0; }),
              10);
    EXPECT_EQ(dialogo, avisoDeCarga(mensajes.cantidad(nivelMensaje::advertencia), 2));
    EXPECT_EQ(mensajes.cantidad(nivelMensaje::error), 2);
    EXPECT_EQ(comando, "a medio");
    // La proyección se rehace con la perspectiva de arranque.
    EXPECT_EQ(falso.anchosRedimensionados, std::vector<int>{700});
}

TEST_F(EntornoVisor, F5ConElArchivoBorradoLoDiceEnLaLinea) {
    CapturaConsola silencio;
    std::remove(archivoModelo->ruta().c_str());
    tecladoEspecial(TeclaEspecial::F5);
    EXPECT_EQ(dialogo, "Error: no se pudo abrir el archivo de datos " + archivoModelo->ruta() + ". Ingrese Comando:");
    EXPECT_TRUE(nudo.empty());
}

TEST_F(EntornoVisor, F5EncuadraElModeloSiElAnteriorNoTeniaNudos) {
    CapturaConsola silencio;
    cargar("");  // arranque sobre un archivo vacío: la cámara no mira nada
    funcionFronteraGraf();
    EXPECT_EQ(distCamObj, 0);
    archivoModelo->escribir(kMensula);
    tecladoEspecial(TeclaEspecial::F5);
    // La cámara de arranque: desde el lado -X, -Y, por encima, como la de encuadrar, a la distancia
    // que encuadra el modelo (qué tan justo, lo dicen las pruebas del encuadre).
    const Encuadre e = encuadrar({{0, 0, 0}, {15, 0, 0}});
    esperarCerca(unitario(resta(ojoActual(), objetivoActual())), unitario(resta(e.ojo, e.objetivo)));
    EXPECT_DOUBLE_EQ(diagonal, 15);
    EXPECT_DOUBLE_EQ(distCamObj, distancia(ojoActual(), objetivoActual()));
    EXPECT_GT(distCamObj, 0);
}

TEST_F(EntornoVisor, LoQueNingunaOrdenAtiendeSeContestaYLasTeclasQueNoEscribenNoEntran) {
    orden("xyzzy");
    EXPECT_EQ(dialogo, "Comando no reconocido: xyzzy. F1: ayuda. Ingrese Comando:");
    orden("combo", "xyzzy");  // esperando un nombre, el texto es el nombre
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    orden("");  // Return sin nada escrito no contesta
    EXPECT_EQ(dialogo, "el combo no existe. Ingrese Comando:");
    // Tab, Supr y Ctrl con una letra no escriben; las letras acentuadas sí, en UTF-8, y el retroceso
    // las borra enteras.
    for (int c : {int('p'), int('l'), int('\t'), int('o'), 127, int('t')}) teclado(static_cast<unsigned char>(c), 0, 0);
    falso.modificadores = kModificadorCtrl;
    teclado('x', 0, 0);
    teclado(24, 0, 0);  // Ctrl-x
    falso.modificadores = kModificadorShift;
    teclado('M', 0, 0);
    falso.modificadores = 0;
    teclado('y', 0, 0);
    EXPECT_EQ(comando, "plotMy");
    teclado(0xF1, 0, 0);  // ñ en Latin-1
    EXPECT_EQ(comando, "plotMy\xC3\xB1");
    teclado(8, 0, 0);
    teclado(13, 0, 0);
    EXPECT_EQ(dialogo, "Momentos Flectores Y Activados. Ingrese Comando:");
}

TEST_F(EntornoVisor, BarraNResaltaLaBarraYDiceSusDatos) {
    CapturaConsola silencio;
    orden("barra 7");
    EXPECT_EQ(dialogo, "Barra 7 (nudos 2 a 3): largo 5.000, sección R. Ingrese Comando:");
    EXPECT_EQ(barraResaltada, 1);
    orden("barra 99");
    EXPECT_EQ(dialogo, "No existe la barra 99. Ingrese Comando:");
    EXPECT_EQ(barraResaltada, -1);
    orden("barra x7", "barra");
    EXPECT_EQ(dialogo, "Falta el número: barra N. Ingrese Comando:");
    modificadorFlagsGraf(kFlagCalculado);
    orden("barra 7");
    EXPECT_EQ(dialogo, "Barra 7 (nudos 2 a 3): largo 5.000, sección R. Active un combo para ver sus resultados. "
                       "Ingrese Comando:");
    // Con C2 activa (carga 20 en la punta, x = 15): en la barra 7, de x = 5 a x = 10, el momento
    // va de 200 a 100, el corte es 20 y no hay axial; valores con su signo y tres decimales.
    orden("combo", "C2", "barra 7");
    const std::vector<std::string> renglones = lineasDe(dialogo);
    ASSERT_EQ(renglones.size(), 4u) << dialogo;
    EXPECT_EQ(renglones[0], "Barra 7 (nudos 2 a 3): largo 5.000, sección R");
    // Los signos siguen la convención de cada diagrama: se comparan los valores sin signo.
    const auto sinSigno = [](std::string s) {
        s.erase(std::remove(s.begin(), s.end(), '-'), s.end());
        return s;
    };
    EXPECT_EQ(sinSigno(renglones[1]), "C2 inicio: N 0.000, Vy 20.000, Vz 0.000, T 0.000, My 200.000, Mz 0.000");
    EXPECT_EQ(sinSigno(renglones[2]), "C2 fin: N 0.000, Vy 20.000, Vz 0.000, T 0.000, My 100.000, Mz 0.000");
    const std::string extremos = sinSigno(renglones[3]);
    EXPECT_TRUE(extremos == "C2 extremos: My máx 200.000, mín 100.000; Mz máx 0.000, mín 0.000. Ingrese Comando:" ||
                extremos == "C2 extremos: My máx 100.000, mín 200.000; Mz máx 0.000, mín 0.000. Ingrese Comando:")
        << renglones[3];
}

TEST_F(EntornoVisor, LaAyudaNombraLasTeclasYOrdenesQueExisten) {
    // Cada orden que lista la ayuda general la atiende la línea de órdenes.
    const std::vector<std::string> renglones = lineasDe(textoAyudaGeneral());
    int ordenes = 0;
    for (const std::string& r : renglones) {
        const std::size_t flecha = r.find("-->");
        if (flecha == std::string::npos) continue;
        std::string nombre = r.substr(0, r.find(' '));
        if (nombre == "barra") nombre = "barra 3";
        if (nombre == "salir" || nombre == "captura") continue;  // terminan o esperan un cuadro
        orden(nombre);
        EXPECT_EQ(dialogo.find("Comando no reconocido"), std::string::npos) << nombre;
        modoLinea = ModoLinea::Ordenes;
        ++ordenes;
    }
    EXPECT_GE(ordenes, 16);
    // Las páginas de etiquetas se abren con la tecla que la ayuda nombra.
    const auto etiquetas = std::find(renglones.begin(), renglones.end(),
                                     "Ayuda de etiquetas para " + nombreModeloAbierto() + ": F12");
    EXPECT_NE(etiquetas, renglones.end());
    // Cada etiqueta de la página de escalas la lee el cargador (sin aviso de etiqueta ausente) y su
    // valor por defecto es el que queda sin la etiqueta.
    const std::map<std::string, const double*> ajustes = {
        {"escalaDeflexion:", &escalaDef}, {"escalaN:", &escalaN},         {"escalaVy:", &escalaVy},
        {"escalaVz:", &escalaVz},         {"escalaMy:", &escalaMy},       {"escalaMz:", &escalaMz},
        {"escalaT:", &escalaT},           {"escalaTexto:", &escalaTexto}, {"escalaCarga:", &escalaCarga}};
    ajustesPorDefecto();
    for (const std::string& r : lineasDe(textoAyudaArchivo(4))) {
        const std::size_t defecto = r.find("efecto ");
        const auto ajuste = ajustes.find(r.substr(0, r.find(':') + 1));
        if (defecto != std::string::npos && ajuste != ajustes.end()) {
            EXPECT_DOUBLE_EQ(std::strtod(r.c_str() + defecto + 7, nullptr), *ajuste->second) << r;
        }
        if (r.rfind("precision:", 0) == 0) {
            EXPECT_EQ(std::atoi(r.c_str() + defecto + 7), precision);
        }
    }
    for (const std::string& r : lineasDe(textoAyudaArchivo(4))) {
        const std::size_t dos = r.find(':');
        if (dos == std::string::npos || r.find(' ') < dos || r[0] == '*') continue;
        const std::string etiqueta = r.substr(0, dos + 1);
        archivoModelo->escribir("nudos: 1 0 0 0\n" + etiqueta + " 3\n");
        CapturaConsola consola;
        nombreArchivo = archivoModelo->ruta();
        funcionLeerArchivo();
        EXPECT_EQ(consola.texto().find("con etiqueta " + etiqueta + "\n"), std::string::npos) << etiqueta;
    }
}

TEST_F(EntornoVisor, ModoNAnimaLaFormaModalYOtraCapaLaTermina) {
    CapturaConsola silencio;
    orden("modo 1");  // la ménsula no pide modos
    EXPECT_EQ(dialogo, "No hay modos de vibración: el modelo no los pide (modos: N). Ingrese Comando:");
    // Columna sin masa propia con una masa en la punta: un modo por cada dirección horizontal.
    cargar("nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
           "seccionRectangular: R 0.3 0.5 25e6 0.2 0  1\nmasaNudo: 2  2\ngravedad: 9.81\nmodos: 2\n"
           "puntual: P 1 0 0 0 0 0  2\ncombo: C1 1 P\n");
    funcionFronteraGraf();  // diagonal 3
    orden("modo 1");
    EXPECT_EQ(dialogo, "No hay modos de vibración: presione Calcular. Ingrese Comando:");
    modificadorFlagsGraf(kFlagCalculado);
    ASSERT_EQ(resultados.modos.size(), 2u);
    for (const char* texto : {"modo 3", "modo x"}) {
        orden(texto);
        EXPECT_EQ(dialogo, "No existe el " + std::string(texto) + ": hay 2 modos. Ingrese Comando:");
    }
    orden("modo");
    EXPECT_EQ(dialogo, "Falta el número: modo N. Ingrese Comando:");
    EXPECT_TRUE(falso.redibujoContinuo.empty());

    // El modo 2 (el de la dirección más rígida, período más corto) apaga las capas de resultados.
    orden("combo", "C1", "plotMy", "modo 2");
    char esperado[120];
    std::snprintf(esperado, sizeof esperado, "Modo 2: T = %.4g s, f = %.4g Hz. Ingrese Comando:",
                  resultados.modos[1].periodo, resultados.modos[1].frecuencia);
    EXPECT_EQ(dialogo, esperado);
    EXPECT_LT(resultados.modos[1].periodo, resultados.modos[0].periodo);
    EXPECT_EQ(modoAnimado(), 2);
    EXPECT_FALSE(flagActivo(kFlagMomentoY));
    EXPECT_EQ(falso.redibujoContinuo, std::vector<bool>{true});
    // La punta se mueve con la forma por la fase: la mayor traslación de la forma vale 1 y se dibuja
    // escalaDeflexion milésimas de la diagonal (100: 0.3); la elástica termina en la punta desplazada.
    prepararEscena();
    ASSERT_EQ(leyendaEscena().size(), 1u);
    EXPECT_EQ(leyendaEscena()[0], std::string(esperado).substr(0, std::strlen(esperado) - 18) +
                                      ", factor de escala 100");
    for (double fase : {1.0, 0.5, 0.0, -1.0}) {
        const LoteDibujo forma = formaModalEscena(fase);
        ASSERT_EQ(forma.esferas().size(), 2u);
        const Eigen::Vector3d punta = forma.esferas()[1].centro;
        EXPECT_NEAR((punta - Eigen::Vector3d(0, 0, 3)).norm(), 0.3 * std::fabs(fase), 1e-6) << fase;
        EXPECT_NEAR(forma.esferas()[0].centro.norm(), 0, 1e-12);
        ASSERT_EQ(forma.grupos().size(), 1u);
        const std::vector<float>& v = forma.grupos()[0].vertices;
        EXPECT_NEAR((Eigen::Vector3d(v[v.size() - 3], v[v.size() - 2], v.back()) - punta).norm(), 0, 1e-5);
    }
    teclado('+', 0, 0);  // '+' agranda la forma como la deformada
    EXPECT_DOUBLE_EQ(escalaDef, 110);
    escalaDef = 100;

    // Cualquier otra capa de resultados, Calcular, F5 o "modo 0" terminan la animación y el visor queda quieto.
    orden("plotN");
    EXPECT_EQ(modoAnimado(), 0);
    EXPECT_EQ(falso.redibujoContinuo, (std::vector<bool>{true, false}));
    orden("modo 1");
    modificadorFlagsGraf(kFlagCalculado);
    orden("modo 1", "modo 0");
    EXPECT_EQ(dialogo, "Ingrese Comando:");
    orden("modo 1");
    tecladoEspecial(TeclaEspecial::F5);
    EXPECT_EQ(modoAnimado(), 0);
    EXPECT_EQ(falso.redibujoContinuo, (std::vector<bool>{true, false, true, false, true, false, true, false}));
    prepararEscena();
    EXPECT_TRUE(formaModalEscena(1).vacio());
}

// Sobre el modelo se ve a lo sumo una forma: la de un modo, que oscila y pide
// redibujar sin pausa, o la de pandeo, quieta. Mostrar una quita la otra, y
// sólo la animación de un modo pide y suelta el redibujo continuo.
TEST_F(EntornoVisor, PandeoNYModoNSeReemplazanYSoloElModoRedibujaSinPausa) {
    CapturaConsola silencio;
    // Ménsula de 3 m comprimida por 100 en la punta, con una masa para los modos.
    cargar("nudos: 1 0 0 0  2 0 0 3\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
           "seccionRectangular: R 0.3 0.5 25e6 0.2 0  1\nmasaNudo: 2  2\ngravedad: 9.81\nmodos: 2\n"
           "puntual: P 0 0 -100 0 0 0  2\ncombo: C1 1 P\npandeo: C1 2\n");
    funcionFronteraGraf();
    orden("pandeo 1");
    EXPECT_EQ(dialogo, "No hay formas de pandeo: presione Calcular. Ingrese Comando:");
    modificadorFlagsGraf(kFlagCalculado);
    orden("pandeo 1");  // la forma es la de la primera combinación activa
    EXPECT_EQ(dialogo, "No hay formas de pandeo en los combos activos. Ingrese Comando:");
    orden("combo", "C1");
    const pandeoCombo* p = pandeoActivo();
    ASSERT_NE(p, nullptr);
    ASSERT_EQ(p->factores.size(), 2u);
    // Euler de la ménsula en el eje débil: π²·E·I/(4·L²) con I = 0.5·0.3³/12 y L = 3,
    // entre la carga; una sola barra cúbica lo sobreestima menos de 0.8 %.
    const double critico = PI * PI * 25e6 * (0.5 * 0.3 * 0.3 * 0.3 / 12) / (4 * 3 * 3) / 100;
    EXPECT_NEAR(p->factores[0] / critico, 1.0, 0.01);

    orden("pandeo 1");
    EXPECT_EQ(dialogo, descripcionPandeo(*p, 1) + ". Ingrese Comando:");
    EXPECT_EQ(pandeoMostrado(), 1);
    EXPECT_EQ(modoAnimado(), 0);
    prepararEscena();
    EXPECT_FALSE(formaModalEscena(0.0).vacio());  // quieta: entera en cualquier fase
    EXPECT_TRUE(falso.redibujoContinuo.empty());

    // Un modo quita la forma de pandeo y otra forma de pandeo quita el modo y suelta el redibujo.
    orden("modo 1");
    EXPECT_EQ(modoAnimado(), 1);
    EXPECT_EQ(pandeoMostrado(), 0);
    EXPECT_EQ(falso.redibujoContinuo, std::vector<bool>{true});
    orden("pandeo 2");
    EXPECT_EQ(pandeoMostrado(), 2);
    EXPECT_EQ(modoAnimado(), 0);
    EXPECT_EQ(falso.redibujoContinuo, (std::vector<bool>{true, false}));
    // "modo 0" sólo termina una animación: la forma de pandeo queda.
    orden("modo 0");
    EXPECT_EQ(pandeoMostrado(), 2);
    EXPECT_EQ(falso.redibujoContinuo, (std::vector<bool>{true, false}));
    prepararEscena();
    ASSERT_FALSE(leyendaEscena().empty());
    EXPECT_EQ(leyendaEscena().back().rfind(descripcionPandeo(*p, 2), 0), 0u) << leyendaEscena().back();

    // "pandeo 0" y otra capa de resultados la quitan, y con ella su dibujo.
    orden("pandeo 0");
    EXPECT_EQ(pandeoMostrado(), 0);
    prepararEscena();
    EXPECT_TRUE(formaModalEscena(1.0).vacio());
    orden("pandeo 1", "plotN");
    EXPECT_EQ(pandeoMostrado(), 0);
    EXPECT_EQ(modoAnimado(), 0);
    EXPECT_EQ(falso.redibujoContinuo, (std::vector<bool>{true, false}));
}
