#include "reporte/informe/informe.h"

#include <ctime>
#include <filesystem>

#include "diagnosticos.h"
#include "globales.h"
#include "reporte/archivoAtomico.h"
#include "reporte/informe/capitulos.h"

std::string textoInforme(const std::string& fechaYHora) {
    documentoHtml doc;
    capituloTitulo(doc, fechaYHora);
    capituloMensajes(doc);
    capituloModelo(doc);
    capituloCargas(doc);
    if (!resultados.disponibles) {
        capituloSinResultados(doc);
    } else {
        // Un capítulo por caso de resultados, en su orden; después, uno por
        // cada lista de resultados que no son casos. Una lista nueva en
        // resultadosAnalisis agrega aquí su capítulo.
        for (std::size_t c = 0; c < resultados.casos.size(); ++c)
            capituloDeCaso(doc, resultados.casos[c], static_cast<int>(c));
        capituloModos(doc);
    }
    return doc.texto("Informe de cálculo - " + std::filesystem::path(nombreArchivo).filename().string());
}

bool escribirInforme(const std::string& carpeta) {
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
    char fecha[64] = "";
    if (localtime_r(&ahora, &local) != nullptr) std::strftime(fecha, sizeof fecha, "%Y-%m-%d %H:%M", &local);
    const std::string texto = textoInforme(fecha);
    std::error_code error;
    std::filesystem::create_directories(carpeta, error);
    bool correcto = std::filesystem::is_directory(carpeta, error);
    if (correcto) {
        archivoAtomico archivo((std::filesystem::path(carpeta) / "informe.html").string());
        correcto = archivo.abierto() && archivo.escribir(texto.data(), texto.size()) && archivo.confirmar();
    }
    if (!correcto) mensajes.error("Error: no se pudo escribir en la carpeta " + carpeta);
    return correcto;
}
