// La ayuda contra lo que hace el visor: el plano que muestra cada vista, el
// momento que dibuja cada orden y el archivo que nombran las páginas de F12.
#include <algorithm>

#include "entornoVisor.h"
#include "visor/capas/leyenda.h"
#include "visor/interaccion/textosAyuda.h"

namespace {

std::vector<std::string> renglonesAyuda() {
    std::vector<std::string> r;
    std::istringstream texto(textoAyudaGeneral());
    for (std::string linea; std::getline(texto, linea);) r.push_back(linea);
    return r;
}

// El renglón de la ayuda general que empieza con `inicio` (vacío si no hay).
std::string renglon(const std::string& inicio) {
    for (const std::string& r : renglonesAyuda())
        if (r.rfind(inicio, 0) == 0) return r;
    return std::string();
}

}  // namespace

TEST_F(EntornoVisor, CadaVistaMuestraElPlanoQueDiceLaAyuda) {
    cargar("nudos: 1 0 0 0  2 4 3 2  3 -1 5 7\n");
    const std::pair<TeclaEspecial, const char*> vistas[] = {
        {TeclaEspecial::F2, "F2"}, {TeclaEspecial::F3, "F3"}, {TeclaEspecial::F4, "F4"}};
    std::vector<std::string> planos;
    for (const auto& [tecla, nombre] : vistas) {
        SCOPED_TRACE(nombre);
        // "vista XZ: F2": la cámara mira perpendicular a los dos ejes nombrados.
        std::string fila;
        for (const std::string& r : renglonesAyuda())
            if (r.rfind("vista ", 0) == 0 && r.size() == 12 && r.substr(8) == std::string(": ") + nombre) fila = r;
        ASSERT_FALSE(fila.empty());
        planos.push_back(fila.substr(6, 2));
        tecladoEspecial(tecla);
        const Punto3 mirada = unitario(resta(objetivoActual(), ojoActual()));
        const double componentes[3] = {mirada.x, mirada.y, mirada.z};
        for (char eje : fila.substr(6, 2)) {
            ASSERT_TRUE(eje >= 'X' && eje <= 'Z') << fila;
            EXPECT_NEAR(componentes[eje - 'X'], 0.0, 1e-6) << fila;
        }
    }
    EXPECT_EQ(planos, (std::vector<std::string>{"XZ", "YZ", "XY"}));
}

TEST_F(EntornoVisor, PlotMyEsElMomentoDelPlanoXYConIzYPlotMzElDelPlanoXZConIy) {
    // Ménsula de 2 a lo largo de X (y local es +Z, z local es -Y) con Iy = 8e-4 e Iz = 2e-4.
    const std::string ensayo = "nudos: 1 0 0 0  2 2 0 0\nbarras: 1 1 2\napoyo: 1 1 1 1 1 1  1\n"
                               "seccionGenerica: G 0.01 8e-4 2e-4 1e-4 2e8 0.3 0  1\ncombo: C 1 P\n";
    const auto momentoMayor = [](TipoDiagrama t) {
        const ExtremosDiagrama e = extremosDiagrama(t, 0);
        return std::max(std::fabs(e.maximo), std::fabs(e.minimo));
    };
    // Una fuerza de 3 según Z en la punta flexiona en el plano x-y: momento P L = 6 en My, nada en
    // Mz, y la flecha P L³ / (3 E Iz) = 2e-4.
    ASSERT_TRUE(cargar(ensayo + "puntual: P 0 0 3 0 0 0  2\n", true));
    EXPECT_NEAR(momentoMayor(TipoDiagrama::MomentoY), 6.0, 1e-9);
    EXPECT_NEAR(momentoMayor(TipoDiagrama::MomentoZ), 0.0, 1e-9);
    EXPECT_NEAR(resultados.casos[0].desplazamientos(2, 1), 2e-4, 1e-12);
    // La misma fuerza según Y flexiona en el plano x-z: Mz, con la flecha de Iy (cuatro veces menor).
    ASSERT_TRUE(cargar(ensayo + "puntual: P 0 3 0 0 0 0  2\n", true));
    EXPECT_NEAR(momentoMayor(TipoDiagrama::MomentoZ), 6.0, 1e-9);
    EXPECT_NEAR(momentoMayor(TipoDiagrama::MomentoY), 0.0, 1e-9);
    EXPECT_NEAR(resultados.casos[0].desplazamientos(1, 1), 0.5e-4, 1e-12);

    EXPECT_EQ(renglon("plotMy"), "plotMy  --> Plotea el momento del plano local x-y (alrededor del eje local z, con Iz)");
    EXPECT_EQ(renglon("plotMz"), "plotMz  --> Plotea el momento del plano local x-z (alrededor del eje local y, con Iy)");
}

TEST_F(EntornoVisor, LaAyudaNombraElArchivoAbiertoSinSusCarpetas) {
    nombreArchivo = "/tmp/obra 2/pórtico norte.txt";
    EXPECT_EQ(renglon("Ayuda de etiquetas"), "Ayuda de etiquetas para pórtico norte.txt: F12");
    for (int pagina = 1; pagina <= kPaginasAyudaArchivo; ++pagina) {
        const std::string texto = textoAyudaArchivo(pagina);
        EXPECT_EQ(texto.substr(0, texto.find('\n')),
                  "**** Etiquetas de ingreso de datos al archivo pórtico norte.txt ***:")
            << pagina;
        EXPECT_EQ(texto.find("ingresoDatos"), std::string::npos) << pagina;
    }
    EXPECT_TRUE(textoAyudaArchivo(0).empty() && textoAyudaArchivo(kPaginasAyudaArchivo + 1).empty());
    nombreArchivo = "modelo.txt";
    EXPECT_EQ(renglon("Ayuda de etiquetas"), "Ayuda de etiquetas para modelo.txt: F12");
    EXPECT_EQ(textoAyudaGeneral().find("ingresoDatos"), std::string::npos);
}
