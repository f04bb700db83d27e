#include "comparacionSalidas.h"

#include <cctype>
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <unordered_map>

namespace {

// Un renglón partido en su forma (el texto con cada número cambiado por #)
// y sus números, con el texto que sigue a cada uno.
struct renglon {
    std::string forma;
    std::vector<double> valores;
    std::vector<std::string> antes;  // la forma hasta el número, para las escalas fijas
    std::vector<std::string> despues;
};

bool deLetra(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '.';
}

// Un número es una palabra que empieza con signo, dígito o punto y no está
// pegada a una letra: "SX1", "V30x60" o "fx1" son texto.
size_t finDeNumero(const std::string& s, size_t i) {
    if (i > 0 && deLetra(s[i - 1])) return i;
    size_t j = i;
    if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
    const size_t cifras = j;
    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
    if (j < s.size() && s[j] == '.') {
        ++j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ++j;
    }
    if (j == cifras || (j == cifras + 1 && s[cifras] == '.')) return i;
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '-' || s[k] == '+')) ++k;
        const size_t exponente = k;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        if (k > exponente) j = k;
    }
    if (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_')) return i;
    return j;
}

renglon partir(const std::string& s) {
    renglon r;
    size_t i = 0;
    while (i < s.size()) {
        const size_t fin = finDeNumero(s, i);
        if (fin == i) {
            // El ancho de las columnas depende de lo que miden los números:
            // una corrida de blancos vale lo mismo que un blanco.
            const bool blanco = s[i] == ' ' || s[i] == '\t';
            if (!blanco) r.forma += s[i];
            else if (!r.forma.empty() && r.forma.back() != ' ') r.forma += ' ';
            ++i;
            continue;
        }
        r.antes.push_back(r.forma);
        r.valores.push_back(std::strtod(s.c_str() + i, nullptr));
        r.forma += '#';
        i = fin;
    }
    if (!r.forma.empty() && r.forma.back() == ' ') r.forma.pop_back();
    for (size_t k = 0; k < r.valores.size(); ++k) {
        const size_t p = r.forma.find('#', r.antes[k].size());
        r.despues.push_back(r.forma.substr(p + 1, 4));
    }
    return r;
}

// La forma con que se agrupan los números: la del renglón sin sus palabras,
// salvo los nombres de las componentes, que se cambian por su clase. Los
// números de un caso van juntos aunque cambie la combinación que manda en
// cada fila de una envolvente; las fuerzas y los momentos (de reacción, de
// extremo, las solicitaciones) van juntos, como las traslaciones y los giros:
// en una fila de momentos que son todos redondeo (las reacciones Mz de un
// edificio sin torsión), la escala es la de las fuerzas del caso. En un CSV
// el primer campo, el caso, se conserva.
std::string formaDeGrupo(const std::string& forma, bool esCsv) {
    static const char* const fuerzas[] = {"Rx", "Ry", "Rz", "Mx", "My", "Mz", "N", "Vy", "Vz", "T"};
    static const char* const desplazamientos[] = {"ux", "uy", "uz", "giroX", "giroY", "giroZ"};
    const size_t inicio = esCsv ? std::min(forma.find(','), forma.size()) : 0;
    std::string r = forma.substr(0, inicio);
    size_t i = inicio;
    while (i < forma.size()) {
        size_t j = i;
        while (j < forma.size() && (std::isalnum(static_cast<unsigned char>(forma[j])) || forma[j] == '_' ||
                                    static_cast<unsigned char>(forma[j]) >= 0x80))
            ++j;
        if (j == i) {
            r += forma[i++];
            continue;
        }
        const std::string palabra = forma.substr(i, j - i);
        for (const char* f : fuerzas)
            if (palabra == f) r += "<F>";
        for (const char* d : desplazamientos)
            if (palabra == d) r += "<U>";
        i = j;
    }
    return r;
}

std::vector<std::string> lineas(const std::string& texto) {
    std::vector<std::string> l;
    std::istringstream s(texto);
    for (std::string linea; std::getline(s, linea);) l.push_back(linea);
    return l;
}

std::vector<std::string> columnasCsv(const std::string& encabezado) {
    std::vector<std::string> c;
    std::istringstream s(encabezado);
    for (std::string campo; std::getline(s, campo, ',');) c.push_back(campo);
    return c;
}

bool terminaEn(const std::string& s, const std::string& fin) {
    return s.size() >= fin.size() && s.compare(s.size() - fin.size(), fin.size(), fin) == 0;
}

// La columna de un número en un renglón de un CSV.
size_t columnaCsv(const renglon& r, size_t k) {
    size_t columna = 0;
    for (char c : r.antes[k]) columna += c == ',';
    return columna;
}

// Un número que nombra (un nudo, una barra, un modo, un piso) y no mide: se
// compara con su propia escala, que deja fuera cualquier cambio.
bool esNombre(const renglon& r, size_t k, const std::vector<std::string>& columnas) {
    if (!columnas.empty()) {
        const size_t c = columnaCsv(r, k);
        if (c >= columnas.size()) return false;
        for (const char* n : {"nudo", "barra", "modo", "nudoX", "nudoY", "diafragma", "piso"})
            if (columnas[c] == n) return true;
        return false;
    }
    for (const char* antes : {"nudo ", "barra ", "Modo ", "modo ", "Diafragma ", "diafragma ", "Piso ", "piso ",
                              "Interna: ", "Usuario: ", "GDL: "})
        if (terminaEn(r.antes[k], antes)) return true;
    // "101 Vy 38.6 0 SX1 ...": el número con que empieza un renglón de una tabla, seguido de un nombre.
    return k == 0 && r.antes[0].empty() && r.despues[0].size() > 1 && r.despues[0][0] == ' ' &&
           std::isalpha(static_cast<unsigned char>(r.despues[0][1]));
}

// La escala mínima de un número cuya clase no depende del caso: un error
// relativo o una fracción de masa (escala 1), un porcentaje (100).
double escalaFija(const renglon& r, size_t k, const std::vector<std::string>& columnas) {
    if (!columnas.empty()) {
        const size_t c = columnaCsv(r, k);
        if (c < columnas.size() && (columnas[c] == "mx" || columnas[c] == "my" || columnas[c] == "mz")) return 1;
        return 0;
    }
    if (terminaEn(r.antes[k], "error relativo ")) return 1;
    if (r.despues[k].rfind(" %", 0) == 0) return 100;
    return 0;
}

}  // namespace

std::vector<std::string> diferenciasDeSalida(const std::string& esperado, const std::string& obtenido, bool esCsv,
                                             size_t maximo) {
    std::vector<std::string> diferencias;
    const std::vector<std::string> e = lineas(esperado), o = lineas(obtenido);
    if (e.size() != o.size()) {
        diferencias.push_back("renglones: " + std::to_string(e.size()) + " esperados, " + std::to_string(o.size()) +
                              " obtenidos");
        return diferencias;
    }
    const std::vector<std::string> columnas = esCsv && !e.empty() ? columnasCsv(e[0]) : std::vector<std::string>();
    std::vector<renglon> re(e.size()), ro(o.size());
    std::vector<std::string> grupos(e.size());
    std::unordered_map<std::string, double> escalas;
    std::string encabezado;
    for (size_t i = 0; i < e.size(); ++i) {
        re[i] = partir(e[i]);
        ro[i] = partir(o[i]);
        // El encabezado de un bloque es el último renglón sin números: bajo él
        // cada columna es una magnitud de un caso (o el caso va en la forma).
        if (!esCsv && re[i].valores.empty() && !re[i].forma.empty()) encabezado = re[i].forma;
        grupos[i] = (esCsv ? std::string() : encabezado) + '\x1f' + formaDeGrupo(re[i].forma, esCsv) + '\x1f';
        if (re[i].forma != ro[i].forma) continue;
        for (size_t k = 0; k < re[i].valores.size(); ++k) {
            // Los números que miden, todos con la escala del grupo: en un
            // renglón de una forma van las magnitudes de un caso.
            double& escala = escalas[grupos[i] + (esNombre(re[i], k, columnas) ? std::to_string(k) : "")];
            for (double v : {re[i].valores[k], ro[i].valores[k]})
                if (std::isfinite(v)) escala = std::max(escala, std::fabs(v));
        }
    }
    for (size_t i = 0; i < e.size() && diferencias.size() < maximo; ++i) {
        bool igual = re[i].forma == ro[i].forma;
        for (size_t k = 0; igual && k < re[i].valores.size(); ++k) {
            const double a = re[i].valores[k], b = ro[i].valores[k];
            if (a == b) continue;
            const std::string clave = grupos[i] + (esNombre(re[i], k, columnas) ? std::to_string(k) : "");
            const double escala = std::max(escalas[clave], escalaFija(re[i], k, columnas));
            igual = std::fabs(a - b) <= kToleranciaSalidas * escala;
        }
        if (!igual)
            diferencias.push_back("renglón " + std::to_string(i + 1) + ":\n  esperado: " + e[i] + "\n  obtenido: " + o[i]);
    }
    return diferencias;
}
