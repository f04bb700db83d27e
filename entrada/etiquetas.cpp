#include "entrada/etiquetas.h"

#include <algorithm>
#include <cctype>

const std::vector<std::string>& etiquetasConocidas() {
    static const std::vector<std::string> etiquetas = {
        "nudos:", "barras:", "apoyo:", "resorte:", "seccionRectangular:", "seccionPlaca:", "seccionCostanera:",
        "seccionW:", "seccionGenerica:", "rotacionBarra:", "articulacion:", "puntual:", "desplazamientoImpuesto:",
        "distribuidaLocalX:", "distribuidaLocalY:", "distribuidaLocalZ:", "distribuidaLocalT:", "distribuidaGlobal:",
        "temperatura:", "soloTraccion:", "soloCompresion:", "masaBarra:", "pesoPropio:", "combo:", "modos:",
        "segundoOrden:", "segundoOrdenModal:", "pandeo:", "gravedad:", "masaNudo:", "masaDeCargas:", "espectro:",
        "sismo:", "envolvente:", "diafragma:", "modificadorRigidez:", "derivaLimite:", "sismoEstatico:", "escalaSismo:",
        "torsionAccidental:", "verificacionAcero:", "miembro:", "longitudEfectiva:", "limiteFlecha:",
        "longitudNoArriostrada:", "unidades:", "precision:", "escalaTexto:", "escalaDeflexion:", "escalaMy:", "escalaMz:",
        "escalaVy:", "escalaVz:", "escalaN:", "escalaT:", "escalaApoyo:", "escalaCarga:", "proyecto:", "cliente:",
        "ingeniero:", "norma:", "fecha:", "informeDiagramas:"};
    return etiquetas;
}

int distanciaDeEdicion(const std::string& a, const std::string& b) {
    std::vector<int> fila(b.size() + 1), anterior(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) anterior[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        fila[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j)
            fila[j] = std::min({anterior[j] + 1, fila[j - 1] + 1, anterior[j - 1] + (a[i - 1] != b[j - 1] ? 1 : 0)});
        std::swap(fila, anterior);
    }
    return anterior[b.size()];
}

std::string formaSimple(const std::string& palabra) {
    // Las vocales acentuadas, la diéresis y la eñe de UTF-8 (dos bytes, el
    // primero 0xC3) pasan a su letra sin marca; lo demás, a minúscula.
    static const char* const conMarca[] = {"á", "é", "í", "ó", "ú", "ü", "ñ", "Á", "É", "Í", "Ó", "Ú", "Ü", "Ñ"};
    static const char sinMarca[] = "aeiouunaeiouun";
    std::string r;
    for (std::size_t i = 0; i < palabra.size(); ++i) {
        bool cambiada = false;
        for (std::size_t m = 0; m < 14 && !cambiada; ++m)
            if (palabra.compare(i, 2, conMarca[m]) == 0) r += sinMarca[m], ++i, cambiada = true;
        if (!cambiada) r += static_cast<char>(std::tolower(static_cast<unsigned char>(palabra[i])));
    }
    return r;
}

std::string etiquetaParecida(const std::string& palabra) {
    std::string mejor;
    int menor = 3;
    const std::string simple = formaSimple(palabra);
    for (const std::string& e : etiquetasConocidas()) {
        const int d = distanciaDeEdicion(simple, formaSimple(e));
        if (d < menor) menor = d, mejor = e;
    }
    return mejor;
}

std::string etiquetaMalEscrita(const std::string& palabra) {
    const std::string simple = formaSimple(palabra);
    for (const std::string& e : etiquetasConocidas()) {
        const std::string conocida = formaSimple(e);
        // Letras de la etiqueta, sin los dos puntos.
        const int permitidos = conocida.size() - 1 >= 8 ? 2 : 1;
        if (distanciaDeEdicion(simple, conocida) <= permitidos) return etiquetaParecida(palabra);
    }
    return "";
}
