// Dibujos SVG del informe: el modelo visto en planta, en dos alzados o en
// perspectiva isométrica, con trazos, marcas y textos en coordenadas del
// modelo que se proyectan y se encuadran en el papel al final. Sin OpenGL: el
// modo por lotes los arma con las mismas funciones de los casos de resultados
// que usa el visor (deformadaBarra, muestrear, pasoDeDetalle).
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

enum class vistaDibujo { planta, alzadoXZ, alzadoYZ, isometrica };

// Nombre de la vista para los pies de figura ("planta (vista desde +Z)", ...).
const char* nombreVista(vistaDibujo v);
// El punto proyectado en el plano de la vista (x a la derecha, y hacia arriba).
Eigen::Vector2d proyectar(vistaDibujo v, const Eigen::Vector3d& p);

class dibujoSvg {
public:
    enum class marca { empotramiento, articulacion, apoyoParcial, resorte, punto };

    // `encuadre` son los puntos que deben verse (los nudos del modelo): con
    // ellos se estima la escala del papel para adelgazar los trazos; el
    // encuadre final abarca todo lo dibujado.
    dibujoSvg(vistaDibujo v, const std::vector<Eigen::Vector3d>& encuadre);

    vistaDibujo vista() const { return vista_; }
    // Píxeles del papel por unidad de longitud del modelo (estimada con el encuadre).
    double pixelesPorUnidad() const { return pixelesPorUnidad_; }
    // Largo en el papel del segmento entre a y b.
    double largoEnPapel(const Eigen::Vector3d& a, const Eigen::Vector3d& b) const;

    // Un trazo abierto (o cerrado, un polígono) con la clase de estilo dada.
    void trazo(const std::string& clase, const std::vector<Eigen::Vector3d>& puntos, bool cerrado = false);
    // Un segmento de la clase; los segmentos repetidos en el papel (vigas de
    // pisos iguales vistas en planta) se dibujan una vez.
    void segmento(const std::string& clase, const Eigen::Vector3d& a, const Eigen::Vector3d& b);
    void simbolo(marca m, const Eigen::Vector3d& p);
    // Texto junto al punto; `ancla`: "start", "middle" o "end".
    void texto(const Eigen::Vector3d& p, const std::string& texto, const std::string& clase = "",
               const char* ancla = "start");

    // El elemento <svg> completo, encuadrado en un ancho fijo de papel y con
    // los ejes globales en una esquina.
    std::string svg() const;

private:
    struct trazo2d {
        std::size_t clase;
        std::vector<Eigen::Vector2d> puntos;
        bool cerrado;
    };
    struct texto2d {
        Eigen::Vector2d p;
        std::string texto, clase;
        const char* ancla;
    };
    struct marca2d {
        Eigen::Vector2d p;
        marca m;
    };
    // Un texto con su lugar final en el papel (la línea de base y el ancla).
    struct textoColocado {
        const texto2d* texto;
        double x, y;
        const char* ancla;
    };
    // Los textos en el papel sin que ninguno tape a otro ni salga del dibujo:
    // primero los de los extremos, después los demás; cada uno en su lugar o,
    // si ahí tapa a uno ya puesto, corrido arriba o abajo o del otro lado del
    // punto. Un número de nudo o el valor de una carga que no cabe en ningún
    // lugar no se escribe.
    // `enPapel`: el punto de cada texto ya en el papel.
    std::vector<textoColocado> colocarTextos(const std::vector<Eigen::Vector2d>& enPapel, double ancho,
                                             double alto) const;
    vistaDibujo vista_;
    double pixelesPorUnidad_ = 1;
    std::vector<std::string> clases_;
    std::vector<trazo2d> trazos_;
    std::vector<texto2d> textos_;
    std::vector<marca2d> marcas_;
    std::size_t indiceClase(const std::string& clase);
};
