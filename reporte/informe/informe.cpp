#include "reporte/informe/informe.h"

#include <ctime>
#include <filesystem>

#include "diagnosticos.h"
#include "globales.h"
#include "reporte/archivoAtomico.h"
#include "reporte/informe/capitulos.h"
#include "reporte/informe/tablasPublicadas.h"

std::string textoInforme(const std::string& fechaYHora) {
    documentoHtml doc;
    capituloTitulo(doc, fechaYHora);
    capituloMensajes(doc);
    doc.indice();
    capituloModelo(doc);
    capituloCargas(doc);
    if (!resultados.disponibles) {
        capituloSinResultados(doc);
    } else {
        // Un capítulo por caso de resultados y uno por cada lista de
        // resultados que no son casos, en este orden: las combinaciones (con
        // las de segundo orden y las que tienen sismo, en su orden), las
        // envolventes, el pandeo, los modos, los casos sísmicos, que salen
        // de los modos, los diafragmas de piso y los niveles sin diafragma de todos los casos. Una lista nueva en resultadosAnalisis agrega aquí su
        // capítulo.
        const auto casosDe = [&](auto esDeLaClase) {
            for (std::size_t c = 0; c < resultados.casos.size(); ++c)
                if (esDeLaClase(resultados.casos[c].tipo)) capituloDeCaso(doc, resultados.casos[c], static_cast<int>(c));
        };
        casosDe([](tipoCaso t) { return t != tipoCaso::envolvente && t != tipoCaso::espectral; });
        casosDe([](tipoCaso t) { return t == tipoCaso::envolvente; });
        capituloPandeo(doc);
        capituloModos(doc);
        casosDe([](tipoCaso t) { return t == tipoCaso::espectral; });
        capituloDiafragmas(doc);
        capituloNiveles(doc);
        // Las tablas que las familias de resultados publican para el informe.
        capitulosDeTablas(doc);
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
