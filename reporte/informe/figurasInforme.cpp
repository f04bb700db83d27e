#include "reporte/informe/figurasInforme.h"

#include <algorithm>
#include <cmath>

#include "globales.h"
#include "reporte/escalaRazones.h"
#include "reporte/informe/documentoHtml.h"
#include "reporte/informe/tablasCaso.h"

namespace {

// El índice del caso en los resultados (los casos viven en resultados.casos).
int indiceDeCaso(const casoResultado& caso) {
    for (size_t c = 0; c < resultados.casos.size(); ++c)
        if (&resultados.casos[c] == &caso) return static_cast<int>(c);
    return -1;
}

Eigen::Vector3d posicion(const objNudo3d& n) { return {n.getX(), n.getY(), n.getZ()}; }
Eigen::Vector3d inicio(const objBarra3d& b) { return {b.getXi(), b.getYi(), b.getZi()}; }
Eigen::Vector3d fin(const objBarra3d& b) { return {b.getXf(), b.getYf(), b.getZf()}; }

std::vector<Eigen::Vector3d> posicionesNudos() {
    std::vector<Eigen::Vector3d> p;
    p.reserve(nudo.size());
    for (const objNudo3d& n : nudo) p.push_back(posicion(n));
    return p;
}

void barras(dibujoSvg& d, const char* clase) {
    for (const objBarra3d& b : barra) d.segmento(clase, inicio(b), fin(b));
}

// Los apoyos de los nudos; con `cuales` (por número interno), sólo los marcados.
void apoyos(dibujoSvg& d, const std::vector<char>& cuales = {}) {
    for (const objNudo3d& n : nudo) {
        const int i = n.getNoNudoInterno();
        if (!cuales.empty() && (i < 0 || i >= static_cast<int>(cuales.size()) || !cuales[static_cast<std::size_t>(i)]))
            continue;
        const Eigen::VectorXi a = n.getApoyo();
        if (a.size() < 6) continue;
        const int traslaciones = a(0) + a(1) + a(2), giros = a(3) + a(4) + a(5);
        if (traslaciones + giros > 0)
            d.simbolo(traslaciones == 3 && giros == 3 ? dibujoSvg::marca::empotramiento
                      : traslaciones == 3             ? dibujoSvg::marca::articulacion
                                                      : dibujoSvg::marca::apoyoParcial,
                      posicion(n));
        else if (n.tieneAlgunaReaccion())
            d.simbolo(dibujoSvg::marca::resorte, posicion(n));
    }
}

// Las estaciones que se dibujan de una barra: una de cada pasoDeDetalle de
// las kEstacionesDiagrama según su largo en el papel (la primera y la última siempre).
int estacionesDibujadas(const dibujoSvg& d, const objBarra3d& b) {
    const int tramos = kEstacionesDiagrama - 1;
    const int paso = pasoDeDetalle(d.largoEnPapel(inicio(b), fin(b)), tramos, kPixelesEntreLineasInternas);
    return tramos / paso + 1;
}

// La elástica de una barra en ejes globales: d sale de deformadaBarra o
// deformadaDeCampo (abscisa y flechas locales relativas al inicio desplazado).
std::vector<Eigen::Vector3d> elasticaGlobal(const objBarra3d& b, const Eigen::Vector3d& origen,
                                            const Eigen::MatrixXd& d) {
    const Eigen::Matrix3d aGlobales = b.getRotacion().transpose();
    std::vector<Eigen::Vector3d> p;
    p.reserve(static_cast<std::size_t>(d.cols()));
    for (Eigen::Index j = 0; j < d.cols(); ++j) p.push_back(origen + aGlobales * d.col(j).head<3>());
    return p;
}

std::string conUnidad(double v, double escala, magnitud m) { return numeroInforme(v, escala) + sufijoUnidad(m); }

// Las barras inactivas de una combinación, a trazos sobre la deformada; la
// curva de mínimos de un diagrama de dos valores, en azul.
const char* const kEstiloInactiva =
    "svg .inactiva { stroke: #0a8f9c; stroke-width: 1.1; fill: none; stroke-dasharray: 4 3; }\n";
const char* const kEstiloMinimos =
    "svg .diagramaMinimo { stroke: #2c5aa0; stroke-width: 0.7; fill: #3b7dd8; fill-opacity: 0.3; "
    "stroke-linejoin: round; }\n";

// Cuánto (en píxeles del papel) puede apartarse un trazo simplificado del original.
constexpr double kToleranciaPapel = 0.25;

// El trazo sin los puntos intermedios que quedan a menos de `tolerancia` (en
// unidades del modelo) de la recta entre sus vecinos conservados: la misma
// línea en el papel con menos puntos. El primero y el último quedan siempre.
std::vector<Eigen::Vector3d> sinPuntosAlineados(const std::vector<Eigen::Vector3d>& p, double tolerancia) {
    if (p.size() < 3) return p;
    std::vector<Eigen::Vector3d> r{p.front()};
    std::size_t ultimo = 0;
    for (std::size_t i = 1; i + 1 < p.size(); ++i) {
        // ¿Cubre la recta del último conservado al siguiente todos los puntos entre ambos?
        const Eigen::Vector3d a = p[ultimo], b = p[i + 1], ab = b - a;
        const double largo2 = ab.squaredNorm();
        bool alineados = true;
        for (std::size_t k = ultimo + 1; k <= i && alineados; ++k) {
            const Eigen::Vector3d ak = p[k] - a;
            const double t = largo2 > 0 ? std::clamp(ak.dot(ab) / largo2, 0.0, 1.0) : 0.0;
            alineados = (ak - t * ab).norm() <= tolerancia;
        }
        if (!alineados) r.push_back(p[i]), ultimo = i;
    }
    r.push_back(p.back());
    return r;
}

// Una forma (modal o de pandeo: seis valores por nudo, la mayor traslación
// vale 1) en perspectiva, dibujada con una décima del tamaño del modelo.
std::string dibujoDeForma(const Eigen::VectorXd& forma) {
    const double escala = 0.1 * tamanoDelModelo();
    dibujoSvg d(vistaDibujo::isometrica, posicionesNudos());
    barras(d, "base");
    apoyos(d);
    for (const objBarra3d& b : barra) {
        const Eigen::MatrixXd e = deformadaDeCampo(b, forma, estacionesDibujadas(d, b), escala);
        if (e.cols() == 0) continue;
        const Eigen::Vector3d origen = inicio(b) + escala * forma.segment<3>(6 * b.getNudoInicioInterno());
        d.trazo("modo", elasticaGlobal(b, origen, e));
    }
    return d.svg();
}

}  // namespace

void agregarFigura(documentoHtml& doc, const figuraInforme& f) {
    if (f.svg.empty()) return;
    if (!f.estilos.empty()) doc.estilo(f.estilos);
    doc.figura(f.svg, f.pie);
}

double tamanoDelModelo() {
    if (nudo.empty()) return 1;
    Eigen::Vector3d lo = posicion(nudo[0]), hi = lo;
    for (const objNudo3d& n : nudo) lo = lo.cwiseMin(posicion(n)), hi = hi.cwiseMax(posicion(n));
    const double d = (hi - lo).norm();
    return d > 0 && std::isfinite(d) ? d : 1;
}

double largoTipicoDeBarra() {
    std::vector<double> largos;
    largos.reserve(barra.size());
    for (const objBarra3d& b : barra)
        if (std::isfinite(b.getLongitud())) largos.push_back(b.getLongitud());
    if (largos.empty()) return tamanoDelModelo();
    std::nth_element(largos.begin(), largos.begin() + static_cast<long>(largos.size() / 2), largos.end());
    return largos[largos.size() / 2];
}

bool vistaAplanaElModelo(vistaDibujo v) {
    if (v == vistaDibujo::isometrica || nudo.empty()) return false;
    Eigen::Vector3d lo = posicion(nudo[0]), hi = lo;
    for (const objNudo3d& n : nudo) lo = lo.cwiseMin(posicion(n)), hi = hi.cwiseMax(posicion(n));
    const Eigen::Vector3d extension = hi - lo;
    const double tolerancia = 1e-9 * tamanoDelModelo();
    // Los ejes globales que la vista muestra.
    const int ejes[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    const int* muestra = ejes[v == vistaDibujo::planta ? 0 : v == vistaDibujo::alzadoXZ ? 1 : 2];
    int delModelo = 0, enLaVista = 0;
    for (int k = 0; k < 3; ++k) delModelo += extension(k) > tolerancia ? 1 : 0;
    for (int k = 0; k < 2; ++k) enLaVista += extension(muestra[k]) > tolerancia ? 1 : 0;
    return enLaVista < std::min(2, delModelo);
}

figuraInforme figuraModelo(vistaDibujo v) {
    dibujoSvg d(v, posicionesNudos());
    barras(d, "barra");
    apoyos(d);
    if (static_cast<int>(nudo.size()) <= kNudosConNumero)
        for (const objNudo3d& n : nudo) d.texto(posicion(n), std::to_string(n.getNoNudoUsuario()), "numeroNudo");
    std::string pie = std::string("Modelo en ") + nombreVista(v) + ". Apoyos: cuadrado, empotramiento; triángulo lleno, "
                      "las tres traslaciones fijas; triángulo vacío, apoyo parcial; círculo, sólo resortes.";
    if (static_cast<int>(nudo.size()) <= kNudosConNumero) pie += " Números de nudo en gris.";
    return {d.svg(), pie, ""};
}

figuraInforme figuraDeformada(const casoResultado& caso) {
    // La mayor traslación del caso, en los nudos y a lo largo de las barras:
    // en una viga cargada la flecha del tramo suele ser mucho mayor que el
    // desplazamiento de sus nudos, y una viga simplemente apoyada no mueve
    // los suyos. La elástica es lineal en la escala: con escala 1 da los
    // desplazamientos de cada estación.
    double mayor = 0;
    Eigen::Vector3d dondeMayor = Eigen::Vector3d::Zero(), desplazamientoMayor = Eigen::Vector3d::Zero();
    std::string rotulo;
    for (const objNudo3d& n : nudo) {
        const Eigen::Index i = n.getNoNudoInterno();
        if (i < 0 || i >= caso.desplazamientos.cols()) continue;
        const Eigen::Vector3d u = caso.desplazamientos.col(i).head<3>();
        if (u.norm() > mayor)
            mayor = u.norm(), dondeMayor = posicion(n), desplazamientoMayor = u,
            rotulo = "nudo " + std::to_string(n.getNoNudoUsuario());
    }
    // Una estación interior sólo gana si supera al nudo por más que el redondeo.
    const double umbralInterior = 1e-9;
    for (const objBarra3d& b : barra) {
        const int ni = b.getNudoInicioInterno();
        if (ni < 0 || ni >= caso.desplazamientos.cols()) continue;
        const int n = kEstacionesDiagrama;
        const Eigen::MatrixXd e = deformadaBarra(resultados, indiceDeCaso(caso), b, n, 1.0).maximo;
        const Eigen::Matrix3d aGlobales = b.getRotacion().transpose();
        const double L = b.getLongitud();
        for (int j = 1; j + 1 < n; ++j) {
            const double x = L * j / (n - 1);
            const Eigen::Vector3d u =
                caso.desplazamientos.col(ni).head<3>() + aGlobales * (e.col(j) - Eigen::Vector3d(x, 0, 0));
            if (u.norm() > mayor * (1 + umbralInterior))
                mayor = u.norm(), dondeMayor = inicio(b) + x * aGlobales.col(0), desplazamientoMayor = u,
                rotulo = "barra " + std::to_string(b.getNoBarraUsuario()) + ", x = " + numeroInforme(x) +
                         sufijoUnidad(magnitud::longitud);
        }
    }
    if (rotulo.empty() || !std::isfinite(mayor) || sinRuido(mayor, caso.escalas.traslaciones) == 0) return {};
    // Como el visor con escalaDeflexion 100: la mayor traslación mide una décima del tamaño del modelo.
    const double escala = 0.1 * tamanoDelModelo() / mayor;
    dibujoSvg d(vistaDibujo::isometrica, posicionesNudos());
    barras(d, "base");
    apoyos(d);
    bool hayInactivas = false;
    for (const objBarra3d& b : barra) {
        const int ni = b.getNudoInicioInterno();
        if (ni < 0 || ni >= caso.desplazamientos.cols()) continue;
        const Eigen::MatrixXd e = deformadaBarra(resultados, indiceDeCaso(caso), b, estacionesDibujadas(d, b), escala).maximo;
        const Eigen::Vector3d origen = inicio(b) + escala * caso.desplazamientos.col(ni).head<3>();
        const bool inactiva =
            std::binary_search(caso.barrasInactivas.begin(), caso.barrasInactivas.end(), b.getNoBarraInterna());
        hayInactivas = hayInactivas || inactiva;
        d.trazo(inactiva ? "inactiva" : "deformada", elasticaGlobal(b, origen, e));
    }
    const std::string valor = conUnidad(mayor, caso.escalas.traslaciones, magnitud::longitud);
    const Eigen::Vector3d p = dondeMayor + escala * desplazamientoMayor;
    d.simbolo(dibujoSvg::marca::punto, p);
    d.texto(p, rotulo + ": " + valor, "extremo");
    char factor[64];
    std::snprintf(factor, sizeof factor, "%.4g", escala);
    return {d.svg(),
            "Deformada de " + caso.nombre + " en " + nombreVista(vistaDibujo::isometrica) +
                ", desplazamientos multiplicados por " + factor + " (la mayor traslación, " + valor + " en " + rotulo +
                ", dibujada como una décima del tamaño del modelo); en gris, el modelo sin deformar" +
                (hayInactivas ? "; a trazos, las barras inactivas en esta combinación." : "."),
            hayInactivas ? kEstiloInactiva : ""};
}

figuraInforme figuraSolicitacion(const casoResultado& caso, int s, const grupoDeDiagrama& g) {
    if (s < 0 || s >= kNumeroSolicitaciones) return {};
    // Como el visor: N, Vy y T sobre el eje y local, Vz sobre el z; los
    // momentos del lado de la fibra traccionada (My positivo hacia −y, Mz hacia −z).
    const int ejeLocal = s == kSolicitacionVz || s == kSolicitacionMz ? 2 : 1;
    const double signo = s == kSolicitacionMy || s == kSolicitacionMz ? -1.0 : 1.0;
    const magnitud unidad = esFuerza(s) ? magnitud::fuerza : magnitud::momento;
    const double escalaRuido = esFuerza(s) ? caso.escalas.fuerzas : caso.escalas.momentos;
    const auto conResultados = [&](int i) { return i >= 0 && i < static_cast<int>(caso.barras.size()); };
    // El mayor valor absoluto del caso fija la escala de todas sus figuras;
    // los extremos (exactos, de las funciones cerradas) son los de las barras de la figura.
    std::vector<int> delGrupo = g.barras;
    if (delGrupo.empty())
        for (const objBarra3d& b : barra) delGrupo.push_back(b.getNoBarraInterna());
    double mayor = 0, maximo = -INFINITY, minimo = INFINITY;
    int barraMaximo = -1, barraMinimo = -1;
    for (const objBarra3d& b : barra) {
        const int i = b.getNoBarraInterna();
        if (!conResultados(i)) continue;
        const extremoSolicitacion& e = caso.barras[static_cast<std::size_t>(i)].extremos[s];
        mayor = std::max({mayor, std::fabs(e.maximo), std::fabs(e.minimo)});
    }
    for (int i : delGrupo) {
        if (!conResultados(i)) continue;
        const extremoSolicitacion& e = caso.barras[static_cast<std::size_t>(i)].extremos[s];
        if (e.maximo > maximo) maximo = e.maximo, barraMaximo = i;
        if (e.minimo < minimo) minimo = e.minimo, barraMinimo = i;
    }
    const double mayorDelGrupo = std::max(std::fabs(maximo), std::fabs(minimo));
    if (barraMaximo < 0 || !std::isfinite(mayor) || sinRuido(mayor, escalaRuido) == 0 ||
        sinRuido(mayorDelGrupo, escalaRuido) == 0)
        return {};
    // El mayor valor mide un 8 % del tamaño del modelo, o media barra típica
    // si es menos (en un edificio, los diagramas de barras vecinas no se pisan).
    const double ordenada = std::min(0.08 * tamanoDelModelo(), 0.5 * largoTipicoDeBarra());
    const double escala = ordenada / mayor;
    std::vector<Eigen::Vector3d> encuadre;
    std::vector<char> nudoDelGrupo(nudo.size(), g.barras.empty() ? 1 : 0);
    for (int i : delGrupo) {
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        encuadre.push_back(inicio(b)), encuadre.push_back(fin(b));
        for (int n : {b.getNudoInicioInterno(), b.getNudoFinalInterno()})
            if (n >= 0 && n < static_cast<int>(nudo.size())) nudoDelGrupo[static_cast<std::size_t>(n)] = 1;
    }
    dibujoSvg d(g.vista, encuadre);
    for (int i : delGrupo) d.segmento("base", inicio(barra[static_cast<std::size_t>(i)]), fin(barra[static_cast<std::size_t>(i)]));
    apoyos(d, nudoDelGrupo);
    const double minimoPapel = 0.3 / d.pixelesPorUnidad();
    // La dirección en que se dibuja el valor: el eje local del diagrama; en un
    // alzado, si ese eje no está en el plano del pórtico (el diagrama de la
    // flexión fuera del plano), la perpendicular a la barra en el plano.
    bool abatidos = false;
    const auto direccion = [&](const objBarra3d& b) -> Eigen::Vector3d {
        const Eigen::Matrix3d ejes = b.getRotacion();  // filas: x, y, z locales
        const Eigen::Vector3d n = signo * ejes.row(ejeLocal).transpose();
        if (g.ejeNormal < 0) return n;
        const Eigen::Vector3d e = Eigen::Vector3d::Unit(g.ejeNormal);
        if (std::fabs(n.dot(e)) < 0.5) return (n - n.dot(e) * e).normalized();
        abatidos = true;
        return e.cross(ejes.row(0).transpose()).normalized();
    };
    // El valor en x: el mayor y el menor (iguales salvo en un caso de dos
    // valores, que no guarda sus funciones: se evalúan de los casos de los que sale).
    const int indice = indiceDeCaso(caso);
    const auto valor = [&](const objBarra3d& b, const solicitacionesBarra& r, double x) -> std::pair<double, double> {
        if (indice >= 0) return valorSolicitacionCaso(resultados, indice, b, s, x);
        const double v = b.valorSolicitacion(r, s, x);
        return {v, v};
    };
    const bool dosCurvas = caso.dosValores();
    for (int i : delGrupo) {
        if (!conResultados(i)) continue;
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const solicitacionesBarra& r = caso.barras[static_cast<std::size_t>(i)];
        const extremoSolicitacion& e = r.extremos[s];
        // Un diagrama que no se separa del eje en el papel no se dibuja.
        if (std::max(std::fabs(e.maximo), std::fabs(e.minimo)) * escala < minimoPapel) continue;
        const double L = b.getLongitud();
        const int n = estacionesDibujadas(d, b);
        std::vector<double> x;
        for (int k = 0; k < n; ++k) x.push_back(L * k / (n - 1));
        // Los extremos de la barra, aunque caigan entre estaciones.
        for (double xe : {e.xMaximo, e.xMinimo})
            if (xe > 0 && xe < L) x.push_back(xe);
        std::sort(x.begin(), x.end());
        x.erase(std::unique(x.begin(), x.end()), x.end());
        const Eigen::Vector3d ex = b.getRotacion().row(0).transpose(), normal = direccion(b);
        std::vector<Eigen::Vector3d> contorno, contornoMinimo;
        contorno.push_back(inicio(b));
        contornoMinimo.push_back(inicio(b));
        for (double xi : x) {
            const auto [mayorEnX, menorEnX] = valor(b, r, xi);
            contorno.push_back(inicio(b) + xi * ex + mayorEnX * escala * normal);
            contornoMinimo.push_back(inicio(b) + xi * ex + menorEnX * escala * normal);
        }
        contorno.push_back(inicio(b) + L * ex);
        contornoMinimo.push_back(inicio(b) + L * ex);
        if (!dosCurvas) {
            d.trazo("diagrama", contorno, true);
        } else {
            // Dos curvas por barra en miles de barras: sin los puntos que no
            // las apartan de una recta en el papel.
            const double tolerancia = kToleranciaPapel / d.pixelesPorUnidad();
            d.trazo("diagrama", sinPuntosAlineados(contorno, tolerancia), true);
            d.trazo("diagramaMinimo", sinPuntosAlineados(contornoMinimo, tolerancia), true);
        }
    }
    const char* nombre = kNombresSolicitaciones[s];
    const auto rotular = [&](int i, bool esMaximo) {
        const objBarra3d& b = barra[static_cast<std::size_t>(i)];
        const solicitacionesBarra& r = caso.barras[static_cast<std::size_t>(i)];
        const double xe = esMaximo ? r.extremos[s].xMaximo : r.extremos[s].xMinimo;
        const double v = esMaximo ? r.extremos[s].maximo : r.extremos[s].minimo;
        const Eigen::Vector3d p = inicio(b) + xe * b.getRotacion().row(0).transpose() + v * escala * direccion(b);
        d.simbolo(dibujoSvg::marca::punto, p);
        d.texto(p, std::string(nombre) + (esMaximo ? " máx " : " mín ") + conUnidad(v, escalaRuido, unidad) +
                       " (barra " + std::to_string(b.getNoBarraUsuario()) + ")",
                "extremo", esMaximo ? "start" : "end");
    };
    // "36.8 en la barra 12"; un extremo que es ruido es 0, sin barra.
    const auto extremo = [&](double v, int i) {
        std::string t = conUnidad(v, escalaRuido, unidad);
        if (sinRuido(v, escalaRuido) != 0 && i >= 0)
            t += " en la barra " + std::to_string(barra[static_cast<std::size_t>(i)].getNoBarraUsuario());
        return t;
    };
    if (sinRuido(maximo, escalaRuido) != 0) rotular(barraMaximo, true);
    if (sinRuido(minimo, escalaRuido) != 0 && barraMinimo >= 0) rotular(barraMinimo, false);
    // Los números de barra a media barra, si no son demasiados para leerse.
    const bool numeros = static_cast<int>(barra.size()) <= kBarrasConNumero;
    if (numeros)
        for (int i : delGrupo) {
            const objBarra3d& b = barra[static_cast<std::size_t>(i)];
            d.texto(0.5 * (inicio(b) + fin(b)), std::to_string(b.getNoBarraUsuario()), "numeroBarra", "middle");
        }
    const std::string lado = s == kSolicitacionMy || s == kSolicitacionMz
                                 ? std::string(", del lado de la fibra traccionada (") +
                                       (ejeLocal == 1 ? "plano local x-y" : "plano local x-z") + ")"
                                 : std::string(", positivo hacia ") + (ejeLocal == 1 ? "+y" : "+z") + " local";
    return {d.svg(),
            (g.titulo.empty() ? std::string() : std::string(nombre) + " — " + g.titulo + ". ") + "Diagrama de " +
                nombre + " de " + caso.nombre + " en " + nombreVista(g.vista) +
                (dosCurvas ? ", la curva de máximos en rojo y la de mínimos en azul" : "") + lado +
                (abatidos ? "; el de las barras cuyo plano no es el del pórtico, abatido sobre él" : "") +
                "; el mayor valor absoluto del caso, " + conUnidad(mayor, escalaRuido, unidad) + ", dibujado con " +
                numeroInforme(ordenada) + sufijoUnidad(magnitud::longitud) + " de ordenada. Máximo " +
                extremo(maximo, barraMaximo) + ", mínimo " + extremo(minimo, barraMinimo) + "." +
                (numeros ? " Números de barra a media barra." : ""),
            dosCurvas ? kEstiloMinimos : ""};
}

figuraInforme figuraModo(int k) {
    if (k < 0 || k >= static_cast<int>(resultados.modos.size())) return {};
    const modoVibracion& m = resultados.modos[static_cast<std::size_t>(k)];
    return {dibujoDeForma(m.forma), "Forma del modo " + std::to_string(k + 1) + " (T = " + numeroInforme(m.periodo) +
                                        " s) en " + nombreVista(vistaDibujo::isometrica) +
                                        "; la mayor traslación dibujada como una décima del tamaño del modelo.",
            ""};
}

figuraInforme figuraPandeo(int p, int k) {
    if (p < 0 || p >= static_cast<int>(resultados.pandeo.size())) return {};
    const pandeoCombo& pandeo = resultados.pandeo[static_cast<std::size_t>(p)];
    if (k < 0 || k >= static_cast<int>(pandeo.formas.size()) || k >= static_cast<int>(pandeo.factores.size()))
        return {};
    return {dibujoDeForma(pandeo.formas[static_cast<std::size_t>(k)]),
            "Forma de pandeo " + std::to_string(k + 1) + " de " + pandeo.nombre + " (factor crítico " +
                numeroInforme(pandeo.factores[static_cast<std::size_t>(k)]) + ") en " +
                nombreVista(vistaDibujo::isometrica) +
                "; la mayor traslación dibujada como una décima del tamaño del modelo.",
            ""};
}

namespace {

// La vista del dibujo de las razones: la que muestra entero un modelo plano
// (un pórtico en X-Z, en su alzado), o la isométrica.
vistaDibujo vistaDeRazones() {
    for (vistaDibujo v : {vistaDibujo::alzadoXZ, vistaDibujo::alzadoYZ, vistaDibujo::planta}) {
        if (vistaAplanaElModelo(v)) continue;
        // Una vista que no aplana el modelo lo muestra entero si el modelo es plano y paralelo a ella.
        const int normal = v == vistaDibujo::planta ? 2 : v == vistaDibujo::alzadoXZ ? 1 : 0;
        double lo = INFINITY, hi = -INFINITY;
        for (const objNudo3d& n : nudo) {
            const double c = posicion(n)(normal);
            lo = std::min(lo, c), hi = std::max(hi, c);
        }
        if (!nudo.empty() && hi - lo <= 1e-9 * tamanoDelModelo()) return v;
    }
    return vistaDibujo::isometrica;
}

// La clase de estilo de una razón: una por centésima de la escala, y
// "razonExcedida" para las mayores que 1.
std::string claseDeRazon(double razon) {
    if (!(razon <= 1.0)) return "razonExcedida";
    return "razon" + std::to_string(static_cast<int>(std::lround(std::max(0.0, razon) * 100)));
}

std::string reglaDeRazon(const std::string& clase, double razon) {
    const bool excedida = clase == "razonExcedida";
    return "svg ." + clase + " { stroke: " + colorHex(colorDeRazon(razon)) + "; stroke-width: " +
           (excedida ? "3.2" : "2.2") + "; fill: none; stroke-linecap: round; }\n";
}

// La leyenda de la escala, un dibujo aparte bajo el de la estructura: la
// escala continua en franjas de una centésima, con 0, 0.5 y 1, y el color de
// los que no cumplen con "> 1".
std::string leyendaDeRazones() {
    constexpr double x0 = 40, ancho = 300, y0 = 24, alto = 12;
    std::string s = "<svg viewBox=\"0 0 480 54\" width=\"480\" height=\"54\" class=\"leyendaRazones\" "
                    "shape-rendering=\"crispEdges\">\n";
    s += "<text x=\"" + std::to_string(static_cast<int>(x0)) + "\" y=\"14\">Razón de demanda a capacidad</text>\n";
    char t[200];
    for (int k = 0; k < 100; ++k) {
        std::snprintf(t, sizeof t, "<rect x=\"%.1f\" y=\"%.0f\" width=\"%.1f\" height=\"%.0f\" fill=\"%s\"/>\n",
                      x0 + ancho * k / 100.0, y0, ancho / 100.0 + 0.5, alto,
                      colorHex(colorDeRazon((k + 0.5) / 100.0)).c_str());
        s += t;
    }
    const char* const rotulos[3] = {"0", "0.5", "1"};
    for (int k = 0; k < 3; ++k) {
        std::snprintf(t, sizeof t, "<text x=\"%.1f\" y=\"%.0f\" text-anchor=\"middle\">%s</text>\n",
                      x0 + ancho * k / 2.0, y0 + alto + 13, rotulos[k]);
        s += t;
    }
    std::snprintf(t, sizeof t,
                  "<rect x=\"%.0f\" y=\"%.0f\" width=\"30\" height=\"%.0f\" fill=\"%s\"/>\n"
                  "<text x=\"%.0f\" y=\"%.0f\" text-anchor=\"middle\">&gt; 1</text>\n",
                  x0 + ancho + 30, y0, alto, colorHex(kColorRazonExcedida).c_str(), x0 + ancho + 45, y0 + alto + 13);
    s += t;
    return s + "</svg>\n";
}

}  // namespace

figuraInforme figuraRazonesAcero() {
    const resultadosAcero& acero = resultados.acero;
    if (!resultados.disponibles || !acero.pedida || barra.empty()) return {};
    const std::unordered_map<int, const miembroVerificado*> razones = miembrosConRazon(acero);
    if (razones.empty()) return {};
    const vistaDibujo v = vistaDeRazones();
    dibujoSvg d(v, posicionesNudos());
    // Las barras sin verificar primero, debajo; las verificadas de menor a
    // mayor razón, así las que no cumplen quedan encima.
    std::vector<std::pair<double, const objBarra3d*>> verificadas;
    for (const objBarra3d& b : barra) {
        const auto it = razones.find(b.getNoBarraUsuario());
        if (it == razones.end())
            d.segmento("sinVerificar", inicio(b), fin(b));
        else
            verificadas.emplace_back(it->second->peor()->razon, &b);
    }
    const auto orden = [](double razon) { return razon <= 1.0 ? razon : INFINITY; };
    std::stable_sort(verificadas.begin(), verificadas.end(),
                     [&orden](const auto& a, const auto& b) { return orden(a.first) < orden(b.first); });
    std::string estilos = "svg .sinVerificar { stroke: " + colorHex(kColorSinVerificar) +
                          "; stroke-width: 0.6; fill: none; }\nsvg.leyendaRazones text { font-size: 11px; }\n";
    for (const auto& [razon, b] : verificadas) {
        const std::string clase = claseDeRazon(razon);
        const std::string regla = reglaDeRazon(clase, razon);
        if (estilos.find(regla) == std::string::npos) estilos += regla;
        d.segmento(clase, inicio(*b), fin(*b));
    }
    apoyos(d);
    return {d.svg() + leyendaDeRazones(),
            std::string("Barras de acero verificadas en ") + nombreVista(v) +
                ", coloreadas por la mayor razón de demanda a capacidad de su miembro entre todas las combinaciones: "
                "de azul (0) a rojo (1); en magenta y más gruesas, las de los miembros que no cumplen (razón mayor "
                "que 1); en gris fino, las barras que no se verifican.",
            estilos};
}
