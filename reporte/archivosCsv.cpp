#include "reporte/archivosCsv.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "analisis/tablasResultados.h"
#include "diagnosticos.h"
#include "reporte/archivoAtomico.h"
#include "reporte/salidaTexto.h"

void escribirTablaCsv(salidaTexto& s, const tablaResultados& t) {
    for (std::size_t k = 0; k < t.columnas.size(); ++k) s << (k ? "," : "") << t.columnas[k].nombre;
    s << '\n';
    filaTabla f;
    for (std::size_t i = 0; i < t.filas && s.correcta(); ++i) {
        f.limpiar();
        t.llenar(i, f);
        for (std::size_t k = 0; k < f.celdas.size(); ++k) {
            if (k) s << ',';
            const celdaTabla& c = f.celdas[k];
            const claseValor clase = t.claseDe(f, k);
            if (c.vacia) continue;
            if (clase == claseValor::texto) {
                campoTexto(s, c.texto);
            } else if (clase == claseValor::entero) {
                s << static_cast<long long>(c.numero);
            } else {
                // Diecisiete cifras (se lee de vuelta exacto), sin el ruido del
                // redondeo de su clase en el caso y nunca un cero negativo.
                const double v = f.escalas ? valorSinRuido(c.numero, clase, *f.escalas) : c.numero;
                s.exacto(v == 0 ? 0.0 : v);
            }
        }
        s << '\n';
    }
}

bool escribirCsv(const std::string& carpeta) {
    std::error_code error;
    std::filesystem::create_directories(carpeta, error);
    bool correcto = std::filesystem::is_directory(carpeta, error);
    std::vector<std::unique_ptr<archivoAtomico>> escritos;
    for (const tablaResultados& t : tablasDeResultados()) {
        if (!correcto) break;
        if (t.clave.empty()) continue;
        escritos.push_back(std::make_unique<archivoAtomico>((std::filesystem::path(carpeta) / t.clave).string()));
        archivoAtomico& archivo = *escritos.back();
        salidaTexto salida([&archivo](const char* d, std::size_t n) { return archivo.escribir(d, n); });
        if (archivo.abierto()) escribirTablaCsv(salida, t);
        correcto = archivo.abierto() && salida.vaciar();
    }
    for (auto& archivo : escritos) correcto = correcto && archivo->confirmar();
    if (!correcto) mensajes.error("Error: no se pudo escribir en la carpeta " + carpeta);
    return correcto;
}
