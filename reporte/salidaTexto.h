// Salida de texto con memoria intermedia para los archivos de resultados. Da
// el mismo texto que un flujo de C++ con su formato por omisión: números con
// seis cifras significativas y matrices de Eigen con su formato por omisión
// (coeficientes alineados a la derecha al ancho del mayor de toda la matriz,
// separados por un blanco, filas separadas por un salto de línea y ninguno
// después de la última). Es varias veces más rápida que el flujo: los números
// se escriben con formatoNumeros.h y el texto se entrega al destino en bloques.
#pragma once

#include <Eigen/Dense>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <ostream>
#include <string_view>
#include <vector>

#include "reporte/formatoNumeros.h"

class salidaTexto {
public:
    // El destino recibe cada bloque de texto; devuelve falso si no pudo guardarlo.
    using Destino = std::function<bool(const char*, std::size_t)>;
    explicit salidaTexto(Destino destino);
    // Sobre un flujo de C++ (lo que usan las pruebas para leer el texto).
    explicit salidaTexto(std::ostream& os);
    // Entrega lo pendiente (como vaciar()).
    ~salidaTexto();
    salidaTexto(const salidaTexto&) = delete;
    salidaTexto& operator=(const salidaTexto&) = delete;

    salidaTexto& operator<<(std::string_view texto);
    salidaTexto& operator<<(const char* texto) { return *this << std::string_view(texto); }
    salidaTexto& operator<<(char c);
    salidaTexto& operator<<(int v) { return *this << static_cast<long long>(v); }
    salidaTexto& operator<<(long v) { return *this << static_cast<long long>(v); }
    salidaTexto& operator<<(long long v);
    // Seis cifras significativas, como el flujo.
    salidaTexto& operator<<(double v);
    // Diecisiete cifras significativas (archivos CSV).
    salidaTexto& exacto(double v);
    template <typename Derivada>
    salidaTexto& operator<<(const Eigen::DenseBase<Derivada>& m);

    // Entrega al destino el texto pendiente. Falso si éste o una entrega
    // anterior fallaron; desde entonces no se entrega nada más.
    bool vaciar();
    bool correcta() const { return correcta_; }

private:
    Destino destino_;
    std::vector<char> memoria_;
    std::size_t usados_ = 0;
    bool correcta_ = true;
    // Coeficientes de la matriz en curso ya convertidos a texto, y dónde termina cada uno.
    std::vector<char> coeficientes_;
    std::vector<std::uint32_t> finCoeficiente_;

    // Puntero donde caben n caracteres más (vacía la memoria si hace falta).
    char* lugarPara(std::size_t n);
    void coeficiente(double v);
    void coeficiente(int v);
    void escribirMatriz(Eigen::Index filas, Eigen::Index columnas);
};

// Un campo de texto de un CSV: un nombre con coma, comillas o salto de línea
// va entre comillas, con las comillas duplicadas.
void campoTexto(salidaTexto& s, const std::string& texto);

template <typename Derivada>
salidaTexto& salidaTexto::operator<<(const Eigen::DenseBase<Derivada>& m) {
    // Primero todos los coeficientes a texto (fila por fila), para el ancho común.
    coeficientes_.clear();
    finCoeficiente_.clear();
    for (Eigen::Index i = 0; i < m.rows(); ++i)
        for (Eigen::Index j = 0; j < m.cols(); ++j) coeficiente(m.coeff(i, j));
    escribirMatriz(m.rows(), m.cols());
    return *this;
}
