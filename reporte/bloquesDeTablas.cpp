#include "reporte/bloquesDeTablas.h"

#include <cctype>
#include <string>

#include "analisis/tablasResultados.h"

namespace {
// El título en mayúsculas (también las vocales acentuadas y la eñe, de dos bytes en UTF-8).
std::string enMayusculas(const std::string& s) {
    std::string r;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == 0xC3 && i + 1 < s.size()) {
            const unsigned char d = static_cast<unsigned char>(s[i + 1]);
            r += static_cast<char>(c);
            r += static_cast<char>(d >= 0xA0 && d <= 0xBE && d != 0xB7 ? d - 0x20 : d);
            ++i;
            continue;
        }
        r += static_cast<char>(std::toupper(c));
    }
    return r;
}
}  // namespace

void escribirBloqueDeTabla(salidaTexto& os, const tablaResultados& t) {
    os << "\n\n\n" << "************" << enMayusculas(t.titulo) << "***************" << "\n";
    for (std::size_t k = 0; k < t.columnas.size(); ++k) os << (k ? " | " : "") << t.columnas[k].nombre;
    os << "\n";
    filaTabla f;
    for (std::size_t i = 0; i < t.filas && os.correcta(); ++i) {
        f.limpiar();
        t.llenar(i, f);
        for (std::size_t k = 0; k < f.celdas.size(); ++k) {
            if (k) os << " ";
            const celdaTabla& c = f.celdas[k];
            const claseValor clase = t.claseDe(f, k);
            if (c.vacia) os << "—";
            else if (clase == claseValor::texto) os << c.texto;
            else if (clase == claseValor::entero) os << static_cast<long long>(c.numero);
            else os << c.numero;
        }
        os << "\n";
    }
}

void escribirBloquesDeTablas(salidaTexto& os) {
    for (const tablaResultados& t : tablasDeResultados())
        if (t.enReporte) escribirBloqueDeTabla(os, t);
}
