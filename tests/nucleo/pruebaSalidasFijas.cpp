// Salidas fijas: el modo por lotes (con --csv) sobre cada ejemplo y cada modelo de los datos de
// prueba (el catálogo de modelos defectuosos y las regresiones del fuzzer) escribe la consola, el
// estado de salida, resultados.txt y los CSV guardados en tests/datos/esperado/MODELO/. Se comparan
// renglón por renglón: el texto byte a byte y los números a la tolerancia de su clase en su caso
// (comparacionSalidas.h), porque los últimos bits de los resultados cambian de un procesador a otro.
// Un cambio del programa que no debía tocar ninguna salida no pasa sin que se note; uno que sí debía
// tocarlas se revisa y se guarda de nuevo con VANTRA_REGENERAR_ESPERADOS=1.
#include <cstdlib>

#include "arranque.h"
#include "comparacionSalidas.h"
#include "utilidades.h"

namespace {

namespace fs = std::filesystem;

// Lo que escribe una corrida: "salida.txt" (el estado y la consola), resultados.txt y cada CSV, por
// nombre relativo a la carpeta de la corrida.
std::vector<std::pair<std::string, std::string>> salidasDe(const std::string& modelo) {
    DirectorioTemporal dir;
    const std::string nombre = fs::path(modelo).filename().string();
    fs::copy_file(modelo, nombre);
    std::string consola;
    int estado;
    {
        CapturaConsola captura;
        estado = funcionCalcularLotes(nombre, "csv");
        consola = captura.texto();
    }
    std::vector<std::pair<std::string, std::string>> salidas{
        {"salida.txt", "estado " + std::to_string(estado) + "\n" + consola}};
    Lineas archivos{"resultados.txt"};
    if (fs::is_directory("csv")) archivos = archivos + archivosDe("csv");
    for (const std::string& a : archivos)
        if (fs::is_regular_file(a)) salidas.emplace_back(fs::relative(a).generic_string(), leerArchivo(a));
    return salidas;
}

void guardar(const fs::path& carpeta, const std::vector<std::pair<std::string, std::string>>& salidas) {
    fs::remove_all(carpeta);
    for (const auto& [nombre, texto] : salidas) {
        fs::create_directories((carpeta / nombre).parent_path());
        std::ofstream(carpeta / nombre, std::ios::binary | std::ios::trunc) << texto;
    }
}

Lineas guardadas(const fs::path& carpeta) {
    Lineas r;
    for (const auto& e : fs::recursive_directory_iterator(carpeta))
        if (e.is_regular_file()) r.push_back(fs::relative(e.path(), carpeta).generic_string());
    std::sort(r.begin(), r.end());
    return r;
}

}  // namespace

TEST(SalidasFijas, CadaModeloEscribeLoGuardado) {
    const bool regenerar = std::getenv("VANTRA_REGENERAR_ESPERADOS") != nullptr;
    Lineas modelos = archivosDe(VANTRA_EJEMPLOS, ".txt");
    for (const char* carpeta : {"/catalogo", "/fuzz"}) modelos = modelos + archivosDe(VANTRA_DATOS + std::string(carpeta));
    int comparados = 0;
    for (const std::string& modelo : modelos) {
        const fs::path p(modelo);
        const fs::path carpeta =
            fs::path(VANTRA_DATOS) / "esperado" / (p.parent_path().filename().string() + "_" + p.stem().string());
        const auto salidas = salidasDe(modelo);
        if (regenerar) guardar(carpeta, salidas);
        ASSERT_TRUE(fs::is_directory(carpeta)) << "falta " << carpeta;
        Lineas escritas;
        for (const auto& [nombre, texto] : salidas) {
            escritas.push_back(nombre);
            const fs::path esperado = carpeta / nombre;
            if (!fs::exists(esperado)) continue;
            const bool csv = esperado.extension() == ".csv";
            for (const std::string& d : diferenciasDeSalida(leerArchivo(esperado.string()), texto, csv))
                ADD_FAILURE() << modelo << ", " << nombre << ": " << d;
        }
        std::sort(escritas.begin(), escritas.end());
        EXPECT_EQ(escritas, guardadas(carpeta)) << modelo << ": los archivos escritos no son los guardados";
        ++comparados;
    }
    EXPECT_GE(comparados, 20);
}

// La comparación no es ciega: deja pasar el redondeo entre procesadores y nada más.
TEST(SalidasFijas, LaComparacionToleraElRedondeoYNadaMas) {
    const std::string reacciones = "Reacciones del combo C\nnudo 1: 1.000000e+02 -3.5e-15 2.000000e+01\n"
                                   "nudo 2: -1.000000e+02 2.1e-15 0\nEquilibrio del combo C: error relativo 3.4e-16\n";
    // Los ceros del redondeo, con otro signo y otro valor, y el error relativo del equilibrio.
    EXPECT_TRUE(diferenciasDeSalida(reacciones,
                                    "Reacciones del combo C\nnudo 1: 1.000000e+02 1.2e-17 2.000000e+01\n"
                                    "nudo 2: -1.000000e+02 -4e-16 0\nEquilibrio del combo C: error relativo 5.8e-17\n",
                                    false)
                    .empty());
    // Un cambio de un millonésimo en un resultado, un nudo distinto, un texto distinto.
    for (const std::string& otro :
         {std::string("Reacciones del combo C\nnudo 1: 1.000001e+02 -3.5e-15 2.000000e+01\n"),
          std::string("Reacciones del combo C\nnudo 3: 1.000000e+02 -3.5e-15 2.000000e+01\n"),
          std::string("Reacciones del combo D\nnudo 1: 1.000000e+02 -3.5e-15 2.000000e+01\n")}) {
        const std::string obtenido = otro + "nudo 2: -1.000000e+02 2.1e-15 0\n"
                                            "Equilibrio del combo C: error relativo 3.4e-16\n";
        EXPECT_EQ(diferenciasDeSalida(reacciones, obtenido, false).size(), 1u) << otro;
    }
    // En un CSV la escala es la de la columna en el caso: el máximo en x = 0 o en x = L no es redondeo.
    const std::string csv = "combo,barra,esfuerzo,maximo,xMaximo\nC,1,My,10.5,0\nC,2,My,-2e-15,3\n";
    EXPECT_TRUE(diferenciasDeSalida(csv, "combo,barra,esfuerzo,maximo,xMaximo\nC,1,My,10.500000000000002,0\n"
                                         "C,2,My,7e-16,3\n",
                                    true)
                    .empty());
    EXPECT_FALSE(diferenciasDeSalida(csv, "combo,barra,esfuerzo,maximo,xMaximo\nC,1,My,10.5,5\nC,2,My,-2e-15,3\n",
                                     true)
                     .empty());
}
