// Salidas fijas: el modo por lotes (con --csv) sobre cada ejemplo y cada modelo de los datos de
// prueba (el catálogo de modelos defectuosos y las regresiones del fuzzer) escribe, byte por byte,
// la consola, el estado de salida, resultados.txt y los CSV guardados en tests/datos/esperado. Un
// cambio del programa que no debía tocar ninguna salida no pasa sin que se note; uno que sí debía
// tocarlas se revisa y se guarda de nuevo con VANTRA_REGENERAR_ESPERADOS=1.
#include <cstdint>
#include <cstdlib>
#include <iomanip>

#include "arranque.h"
#include "utilidades.h"

namespace {

// FNV-1a de 64 bits: basta para notar cualquier cambio de un archivo.
std::string huella(const std::string& texto) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : texto) h = (h ^ c) * 1099511628211ull;
    std::ostringstream s;
    s << std::hex << std::setw(16) << std::setfill('0') << h;
    return s.str();
}

// Lo que escribe una corrida: la consola y el estado enteros, y de cada archivo su tamaño y su huella.
std::string salidasDe(const std::string& modelo) {
    DirectorioTemporal dir;
    const std::string nombre = std::filesystem::path(modelo).filename().string();
    std::filesystem::copy_file(modelo, nombre);
    std::string consola;
    int estado;
    {
        CapturaConsola captura;
        estado = funcionCalcularLotes(nombre, "csv");
        consola = captura.texto();
    }
    std::ostringstream s;
    s << "estado " << estado << "\n";
    Lineas archivos{"resultados.txt"};
    if (std::filesystem::is_directory("csv")) archivos = archivos + archivosDe("csv");
    for (const std::string& a : archivos) {
        if (!std::filesystem::is_regular_file(a)) continue;
        const std::string contenido = leerArchivo(a);
        s << std::filesystem::path(a).filename().string() << " " << contenido.size() << " " << huella(contenido)
          << "\n";
    }
    return s.str() + "consola:\n" + consola;
}

}  // namespace

TEST(SalidasFijas, CadaModeloEscribeLoGuardado) {
    const bool regenerar = std::getenv("VANTRA_REGENERAR_ESPERADOS") != nullptr;
    Lineas modelos = archivosDe(VANTRA_EJEMPLOS, ".txt");
    for (const char* carpeta : {"/catalogo", "/fuzz"}) modelos = modelos + archivosDe(VANTRA_DATOS + std::string(carpeta));
    int comparados = 0;
    for (const std::string& modelo : modelos) {
        const std::filesystem::path p(modelo);
        const std::string esperado =
            VANTRA_DATOS "/esperado/" + p.parent_path().filename().string() + "_" + p.stem().string() + ".txt";
        const std::string salidas = salidasDe(modelo);
        if (regenerar) std::ofstream(esperado, std::ios::binary | std::ios::trunc) << salidas;
        ASSERT_TRUE(std::filesystem::exists(esperado)) << "falta " << esperado;
        EXPECT_EQ(salidas, leerArchivo(esperado)) << modelo;
        ++comparados;
    }
    EXPECT_GE(comparados, 20);
}
