// Archivo de resultados que se reemplaza entero o no se toca: el texto se
// escribe en un archivo temporal de la misma carpeta y sólo cuando está
// completo y guardado en el disco pasa a tener el nombre del destino. Un
// error de escritura (disco lleno, límite de tamaño) o un corte del programa
// a mitad de camino dejan el archivo anterior intacto.
#pragma once

#include <cstddef>
#include <string>

class archivoAtomico {
public:
    // Crea el temporal junto al destino (si el destino es un enlace simbólico,
    // junto al archivo al que apunta, que es el que se reemplaza).
    explicit archivoAtomico(const std::string& destino);
    // Borra el temporal si no se confirmó.
    ~archivoAtomico();
    archivoAtomico(const archivoAtomico&) = delete;
    archivoAtomico& operator=(const archivoAtomico&) = delete;

    bool abierto() const { return fd_ >= 0; }
    // Agrega n caracteres. Falso si no se pudieron escribir todos.
    bool escribir(const char* datos, std::size_t n);
    // Guarda el temporal en el disco y lo renombra como el destino. Falso (y
    // el temporal se borra) si algo falla; el destino queda como estaba.
    bool confirmar();
    // Borra el temporal sin tocar el destino.
    void descartar();

private:
    std::string destino_;
    std::string temporal_;
    int fd_ = -1;
    bool correcto_ = true;
};
