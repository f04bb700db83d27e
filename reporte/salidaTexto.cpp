#include "reporte/salidaTexto.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kTamanoMemoria = 1 << 20;
}

salidaTexto::salidaTexto(Destino destino) : destino_(std::move(destino)), memoria_(kTamanoMemoria) {}

salidaTexto::salidaTexto(std::ostream& os)
    : salidaTexto([&os](const char* d, std::size_t n) {
          os.write(d, static_cast<std::streamsize>(n));
          return static_cast<bool>(os);
      }) {}

salidaTexto::~salidaTexto() { vaciar(); }

bool salidaTexto::vaciar() {
    if (correcta_ && usados_ > 0) correcta_ = destino_(memoria_.data(), usados_);
    usados_ = 0;
    return correcta_;
}

char* salidaTexto::lugarPara(std::size_t n) {
    if (usados_ + n > memoria_.size()) {
        vaciar();
        if (n > memoria_.size()) memoria_.resize(n);
    }
    return memoria_.data() + usados_;
}

salidaTexto& salidaTexto::operator<<(std::string_view texto) {
    std::memcpy(lugarPara(texto.size()), texto.data(), texto.size());
    usados_ += texto.size();
    return *this;
}

salidaTexto& salidaTexto::operator<<(char c) {
    *lugarPara(1) = c;
    ++usados_;
    return *this;
}

salidaTexto& salidaTexto::operator<<(long long v) {
    char* p = lugarPara(kMaxCaracteresNumero);
    usados_ += static_cast<std::size_t>(escribirEntero(p, v) - p);
    return *this;
}

salidaTexto& salidaTexto::operator<<(double v) {
    char* p = lugarPara(kMaxCaracteresNumero);
    usados_ += static_cast<std::size_t>(escribirGeneral6(p, v) - p);
    return *this;
}

salidaTexto& salidaTexto::exacto(double v) {
    char* p = lugarPara(kMaxCaracteresNumero);
    usados_ += static_cast<std::size_t>(escribirGeneral17(p, v) - p);
    return *this;
}

void salidaTexto::coeficiente(double v) {
    const std::size_t inicio = coeficientes_.size();
    coeficientes_.resize(inicio + kMaxCaracteresNumero);
    char* fin = escribirGeneral6(coeficientes_.data() + inicio, v);
    coeficientes_.resize(static_cast<std::size_t>(fin - coeficientes_.data()));
    finCoeficiente_.push_back(static_cast<std::uint32_t>(coeficientes_.size()));
}

void salidaTexto::coeficiente(int v) {
    const std::size_t inicio = coeficientes_.size();
    coeficientes_.resize(inicio + kMaxCaracteresNumero);
    char* fin = escribirEntero(coeficientes_.data() + inicio, v);
    coeficientes_.resize(static_cast<std::size_t>(fin - coeficientes_.data()));
    finCoeficiente_.push_back(static_cast<std::uint32_t>(coeficientes_.size()));
}

void salidaTexto::escribirMatriz(Eigen::Index filas, Eigen::Index columnas) {
    if (filas == 0 || columnas == 0) return;  // una matriz vacía no escribe nada, ni saltos de línea
    std::size_t ancho = 0, inicio = 0;
    for (std::uint32_t fin : finCoeficiente_) {
        ancho = std::max<std::size_t>(ancho, fin - inicio);
        inicio = fin;
    }
    std::size_t k = 0;
    inicio = 0;
    for (Eigen::Index i = 0; i < filas; ++i) {
        if (i) *this << '\n';
        for (Eigen::Index j = 0; j < columnas; ++j, ++k) {
            const std::size_t largo = finCoeficiente_[k] - inicio;
            char* p = lugarPara(ancho + 1);
            if (j) *p++ = ' ';
            std::memset(p, ' ', ancho - largo);
            std::memcpy(p + (ancho - largo), coeficientes_.data() + inicio, largo);
            usados_ += ancho + (j ? 1 : 0);
            inicio = finCoeficiente_[k];
        }
    }
}

void campoTexto(salidaTexto& s, const std::string& texto) {
    if (texto.find_first_of(",\"\r\n") == std::string::npos) {
        s << texto;
        return;
    }
    s << '"';
    for (char ch : texto) {
        if (ch == '"') s << '"';
        s << ch;
    }
    s << '"';
}
