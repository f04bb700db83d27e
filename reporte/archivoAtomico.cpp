#include "reporte/archivoAtomico.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

archivoAtomico::archivoAtomico(const std::string& destino) : destino_(destino) {
    struct stat datos {};
    if (lstat(destino_.c_str(), &datos) == 0 && S_ISLNK(datos.st_mode))
        if (char* real = realpath(destino_.c_str(), nullptr)) {
            destino_ = real;
            std::free(real);
        }
    const bool existe = stat(destino_.c_str(), &datos) == 0;
    // Lo que no es un archivo común (una carpeta con ese nombre, por ejemplo), o
    // un archivo protegido contra escritura, no se reemplaza.
    if (existe && (!S_ISREG(datos.st_mode) || access(destino_.c_str(), W_OK) != 0)) {
        correcto_ = false;
        return;
    }

    const std::size_t barra = destino_.rfind('/');
    const std::size_t inicioNombre = barra == std::string::npos ? 0 : barra + 1;
    std::string plantilla = destino_.substr(0, inicioNombre) + "." + destino_.substr(inicioNombre) + ".XXXXXX";
    std::vector<char> nombre(plantilla.begin(), plantilla.end());
    nombre.push_back('\0');
    fd_ = mkstemp(nombre.data());
    if (fd_ < 0) {
        correcto_ = false;
        return;
    }
    temporal_ = nombre.data();
    // mkstemp crea el archivo sólo para su dueño: el reemplazo conserva los
    // permisos del archivo anterior o, si no lo había, los de un archivo nuevo.
    mode_t permisos = datos.st_mode & 07777;
    if (!existe) {
        const mode_t mascara = umask(0);
        umask(mascara);
        permisos = 0666 & ~mascara;
    }
    if (fchmod(fd_, permisos) != 0) correcto_ = false;
}

archivoAtomico::~archivoAtomico() { descartar(); }

bool archivoAtomico::escribir(const char* datos, std::size_t n) {
    while (correcto_ && n > 0) {
        const ssize_t escritos = fd_ >= 0 ? ::write(fd_, datos, n) : -1;
        if (escritos < 0) {
            if (errno == EINTR) continue;
            correcto_ = false;
        } else {
            datos += escritos;
            n -= static_cast<std::size_t>(escritos);
        }
    }
    return correcto_;
}

bool archivoAtomico::confirmar() {
    if (correcto_ && fd_ >= 0) {
        correcto_ = fsync(fd_) == 0;
        correcto_ = ::close(fd_) == 0 && correcto_;
        fd_ = -1;
        correcto_ = correcto_ && std::rename(temporal_.c_str(), destino_.c_str()) == 0;
        if (correcto_) temporal_.clear();
    }
    descartar();
    return correcto_;
}

void archivoAtomico::descartar() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporal_.empty()) ::unlink(temporal_.c_str());
    temporal_.clear();
}
