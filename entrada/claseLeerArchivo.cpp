#include "entrada/claseLeerArchivo.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

#include "diagnosticos.h"

void claseLeerArchivo::setNombreArchivo(std::string nombre) {
    archivo = nombre;
    leido = false;
}

const std::vector<std::string>& claseLeerArchivo::tokens() {
    struct stat st {};
    const bool existe = ::stat(archivo.c_str(), &st) == 0;
    if (leido) {
        const bool igual = existe ? (abierto && st.st_size == tamano && st.st_mtim.tv_sec == modificado.tv_sec &&
                                     st.st_mtim.tv_nsec == modificado.tv_nsec)
                                  : !abierto;
        if (igual) return palabras;
    }
    leido = true;
    palabras.clear();
    apariciones.clear();
    primerasDeLinea.clear();
    abierto = false;
    // Sólo lectura: el archivo del usuario nunca se abre para escribir.
    std::ifstream f(archivo, std::ios::in | std::ios::binary);
    if (!f.is_open() || !existe || S_ISDIR(st.st_mode)) return palabras;
    abierto = true;
    tamano = st.st_size;
    modificado = st.st_mtim;
    const std::string texto((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    // Las palabras se separan como en la extracción con formato de un flujo:
    // blanco, tabulador, fin de línea, tabulador vertical, avance de página, retorno.
    auto esBlanco = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
    size_t i = 0;
    const size_t n = texto.size();
    while (i < n) {
        bool lineaNueva = palabras.empty();
        for (; i < n && esBlanco(texto[i]); ++i)
            if (texto[i] == '\n') lineaNueva = true;
        const size_t inicio = i;
        while (i < n && !esBlanco(texto[i])) ++i;
        if (i > inicio) {
            // Cada etiqueta (una palabra que termina en dos puntos) se anota
            // al pasar: después cualquier etiqueta se encuentra sin recorrer
            // el archivo otra vez.
            if (texto[i - 1] == ':') apariciones[texto.substr(inicio, i - inicio)].push_back(palabras.size());
            if (lineaNueva) primerasDeLinea.push_back(palabras.size());
            palabras.emplace_back(texto, inicio, i - inicio);
        }
    }
    return palabras;
}

bool claseLeerArchivo::archivoDisponible() {
    tokens();
    return abierto;
}

bool claseLeerArchivo::esNumero(const std::string& texto) const {
    if (texto.find_first_not_of("1234567890+-.e") == std::string::npos) return true;
    // Con cifras, una coma o una E mayúscula no hacen de la palabra un
    // comentario: "0,5" o "23,24" dentro de un registro son un número mal
    // escrito (convertirReal lo dice), no el final del registro.
    return texto.find_first_not_of("1234567890+-.eE,") == std::string::npos &&
           texto.find_first_of("1234567890") != std::string::npos;
}

namespace {
// Dónde está el valor, para los mensajes: "en el registro k de etiqueta:" si
// se conoce el registro, si no "en la etiqueta etiqueta:".
std::string lugarDelValor(const std::string& etiqueta, int registro) {
    return registro > 0 ? "en el registro " + std::to_string(registro) + " de " + etiqueta
                        : "en la etiqueta " + etiqueta;
}

// Una coma entre cifras: el punto decimal escrito como coma ("0,5").
bool comaDecimal(const std::string& texto) {
    for (size_t i = 1; i + 1 < texto.size(); ++i)
        if (texto[i] == ',' && std::isdigit(static_cast<unsigned char>(texto[i - 1])) &&
            std::isdigit(static_cast<unsigned char>(texto[i + 1])))
            return true;
    return false;
}
}  // namespace

bool claseLeerArchivo::leerReal(const std::string& texto, const std::string& etiqueta, int registro, double& v) const {
    const char* inicio = texto.c_str();
    char* fin = nullptr;
    errno = 0;
    v = std::strtod(inicio, &fin);
    const std::string lugar = lugarDelValor(etiqueta, registro);
    if (texto.find(',') != std::string::npos) {
        // Nunca se lee la parte de antes de la coma: 0,5 no es 0.
        std::string conPunto = texto;
        std::replace(conPunto.begin(), conPunto.end(), ',', '.');
        mensajes.error("Error: valor no válido " + texto + " " + lugar +
                       (comaDecimal(texto) ? " (use punto decimal, " + conPunto + ", o un blanco entre dos números)"
                                           : " (los números se separan con blancos, no con comas)"));
    } else if (fin == inicio || errno == ERANGE || !std::isfinite(v)) {
        mensajes.error("Error: valor no válido " + texto + " " + lugar);
    } else if (*fin != '\0') {
        // Un número con algo pegado detrás (17-18, 0.05.5, 0.2e) no se lee a
        // medias: se dice cuánto de la palabra era un número.
        mensajes.error("Error: valor no válido " + texto + " " + lugar + " (sólo " +
                       texto.substr(0, static_cast<size_t>(fin - inicio)) + " es un número)");
    } else {
        return true;
    }
    v = 0.0;
    return false;
}

bool claseLeerArchivo::leerEntero(const std::string& texto, const std::string& etiqueta, int registro, int& n) const {
    double v;
    n = 0;
    if (!leerReal(texto, etiqueta, registro, v)) return false;
    // Un entero escrito como real (2.0, 1e3) vale; 2.5 no es un entero.
    if (v != std::trunc(v) || v < static_cast<double>(INT_MIN) || v > static_cast<double>(INT_MAX)) {
        mensajes.error("Error: valor no válido " + texto + " " + lugarDelValor(etiqueta, registro) +
                       (v != std::trunc(v) ? " (se espera un número entero)" : ""));
        return false;
    }
    n = static_cast<int>(v);
    return true;
}

double claseLeerArchivo::convertirReal(const std::string& texto, const std::string& etiqueta, int registro) const {
    double v;
    leerReal(texto, etiqueta, registro, v);
    return v;
}

int claseLeerArchivo::convertirEntero(const std::string& texto, const std::string& etiqueta, int registro) const {
    int n;
    leerEntero(texto, etiqueta, registro, n);
    return n;
}

int claseLeerArchivo::getEntero(std::string etiqueta) {
    const auto& t = tokens();
    int valor = -1;
    bool encontrado = false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != etiqueta) continue;
        // La palabra siguiente es el valor y no se compara con la etiqueta.
        const std::string texto = (i + 1 < t.size()) ? t[i + 1] : std::string();
        valor = convertirEntero(texto, etiqueta);
        encontrado = true;
        ++i;
    }
    if (!encontrado) {
        mensajes.advertencia("Advertencia: no se encontró ningún entero con etiqueta " + etiqueta);
        return -1;
    }
    return valor;
}

double claseLeerArchivo::getReal(std::string etiqueta) {
    const auto& t = tokens();
    double valor = -1.0;
    bool encontrado = false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] != etiqueta) continue;
        const std::string texto = (i + 1 < t.size()) ? t[i + 1] : std::string();
        valor = convertirReal(texto, etiqueta);
        encontrado = true;
        ++i;
    }
    if (!encontrado) {
        mensajes.advertencia("Advertencia: no se encontró ningún real con etiqueta " + etiqueta);
        return -1.0;
    }
    return valor;
}

Eigen::MatrixXd claseLeerArchivo::getMatriz(std::string etiqueta, int columnas) {
    const auto& t = tokens();
    if (columnas <= 0) return Eigen::MatrixXd(0, 0);
    // Se juntan las corridas de números que siguen a cada aparición de la
    // etiqueta; la palabra que termina una corrida se consume sin compararla.
    std::vector<size_t> indices;
    size_t i = 0;
    while (i < t.size()) {
        if (t[i] != etiqueta) {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < t.size() && esNumero(t[j])) indices.push_back(j++);
        i = j + 1;
    }
    if (indices.size() % static_cast<size_t>(columnas) != 0) {
        mensajes.error("Error: faltan datos para completar la matriz " + etiqueta + " (" +
                       std::to_string(indices.size()) + " números; cada fila lleva " + std::to_string(columnas) + ")");
        return Eigen::MatrixXd(0, 0);
    }
    const Eigen::Index filas = static_cast<Eigen::Index>(indices.size() / static_cast<size_t>(columnas));
    Eigen::MatrixXd m(filas, columnas);
    size_t k = 0;
    for (Eigen::Index f = 0; f < filas; ++f)
        for (int c = 0; c < columnas; ++c) m(f, c) = convertirReal(t[indices[k++]], etiqueta);
    return m;
}

const std::vector<size_t>& claseLeerArchivo::aparicionesDe(const std::string& etiqueta) {
    const auto& t = tokens();
    auto it = apariciones.find(etiqueta);
    if (it != apariciones.end()) return it->second;
    std::vector<size_t>& lista = apariciones[etiqueta];
    // Las etiquetas ya están todas anotadas; otra palabra se busca una vez.
    if (etiqueta.empty() || etiqueta.back() != ':')
        for (size_t i = 0; i < t.size(); ++i)
            if (t[i] == etiqueta) lista.push_back(i);
    return lista;
}

int claseLeerArchivo::getNoEtiquetas(std::string etiqueta) {
    return static_cast<int>(aparicionesDe(etiqueta).size());
}

long claseLeerArchivo::posicionTrasEtiqueta(const std::string& etiqueta, int n) {
    const std::vector<size_t>& lista = aparicionesDe(etiqueta);
    if (n < 1 || static_cast<size_t>(n) > lista.size()) return -1;
    return static_cast<long>(lista[static_cast<size_t>(n) - 1] + 1);
}

std::string claseLeerArchivo::getString(std::string etiqueta, int n) {
    const long p = posicionTrasEtiqueta(etiqueta, n);
    const auto& t = tokens();
    if (p < 0 || static_cast<size_t>(p) >= t.size()) return "";
    return t[static_cast<size_t>(p)];
}

std::vector<std::string> claseLeerArchivo::palabrasDeEtiqueta() {
    tokens();
    std::vector<std::pair<size_t, std::string>> primeras;
    for (const auto& [palabra, posiciones] : apariciones)
        if (!posiciones.empty() && !palabra.empty() && palabra.back() == ':') primeras.emplace_back(posiciones[0], palabra);
    std::sort(primeras.begin(), primeras.end());
    std::vector<std::string> r;
    for (auto& p : primeras) r.push_back(std::move(p.second));
    return r;
}

std::string claseLeerArchivo::getPalabra(const std::string& etiqueta, int n, int k) {
    const long p = posicionTrasEtiqueta(etiqueta, n);
    const auto& t = tokens();
    if (p < 0 || k < 0 || static_cast<size_t>(p) + static_cast<size_t>(k) >= t.size()) return "";
    return t[static_cast<size_t>(p) + static_cast<size_t>(k)];
}

std::vector<std::string> claseLeerArchivo::getPalabrasDeLinea(const std::string& etiqueta, int n) {
    std::vector<std::string> r;
    const long p = posicionTrasEtiqueta(etiqueta, n);
    if (p < 0) return r;
    const auto& t = tokens();
    const auto siguiente = std::upper_bound(primerasDeLinea.begin(), primerasDeLinea.end(), static_cast<size_t>(p) - 1);
    const size_t fin = siguiente == primerasDeLinea.end() ? t.size() : *siguiente;
    for (size_t i = static_cast<size_t>(p); i < fin && i < t.size() && t[i].back() != ':'; ++i) r.push_back(t[i]);
    return r;
}

std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string etiqueta, int n, int saltar) {
    std::vector<double> valores;
    long p = posicionTrasEtiqueta(etiqueta, n);
    if (p < 0) return valores;
    const auto& t = tokens();
    size_t i = static_cast<size_t>(p) + static_cast<size_t>(saltar < 0 ? 0 : saltar);
    for (; i < t.size() && esNumero(t[i]); ++i) valores.push_back(convertirReal(t[i], etiqueta, n));
    return valores;
}

std::vector<std::string> claseLeerArchivo::getPalabrasEtiquetaRepetida(std::string etiqueta, int n, int saltar) {
    std::vector<std::string> palabrasRegistro;
    long p = posicionTrasEtiqueta(etiqueta, n);
    if (p < 0) return palabrasRegistro;
    const auto& t = tokens();
    for (size_t i = static_cast<size_t>(p) + static_cast<size_t>(saltar < 0 ? 0 : saltar); i < t.size() && esNumero(t[i]); ++i)
        palabrasRegistro.push_back(t[i]);
    return palabrasRegistro;
}

std::string claseLeerArchivo::getPrimeraDeLineaSiguiente(const std::string& etiqueta, int n) {
    const long p = posicionTrasEtiqueta(etiqueta, n);
    if (p < 0) return "";
    const auto& t = tokens();
    const auto siguiente = std::upper_bound(primerasDeLinea.begin(), primerasDeLinea.end(), static_cast<size_t>(p) - 1);
    if (siguiente == primerasDeLinea.end() || *siguiente >= t.size()) return "";
    // Una etiqueta en la misma línea termina el registro antes del fin de línea.
    for (size_t i = static_cast<size_t>(p); i < *siguiente; ++i)
        if (t[i].back() == ':') return "";
    return t[*siguiente];
}
