// Pasos del cargador: cargas puntuales, combinaciones, cargas distribuidas,
// peso propio y ajustes de dibujo.
#include <algorithm>
#include <cctype>

#include "diagnosticos.h"
#include "entrada/etiquetas.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/cargasDadas.h"
#include "modelo/sismo.h"
#include "unidades.h"

namespace {
// Combinaciones que admiten los interruptores del visor.
constexpr int kCombosVisibles = 100;
// Más modos o factores de pandeo que éstos no se piden a un análisis lineal.
constexpr int kModosMaximos = 1000;

std::string numeroEscrito(double v) {
    char texto[64];
    std::snprintf(texto, sizeof texto, "%g", v);
    return texto;
}

// Deformación térmica α·ΔT que ya no es una temperatura (el 10 %: más de
// 8000 grados en el acero) y diferencia de temperatura entre las caras de una
// sección que delata un gradiente mal puesto.
constexpr double kDeformacionTermicaMaxima = 0.1;
constexpr double kDiferenciaTermicaMaxima = 200.0;

// El alto de la sección de la barra según el eje local y (eje 1) o z (eje 2):
// el de su contorno, o en la genérica el de la sección rectangular del mismo
// radio de giro, √(12·I/A). 0 sin sección.
double altoDeSeccion(const objBarra3d& b, int eje) {
    if (!b.tieneSeccionYMaterial()) return 0.0;
    if (b.getCodigoSeccion() == 0) {
        const double inercia = eje == 1 ? b.getIz() : b.getIy();
        return b.getArea() > 0 && inercia > 0 ? std::sqrt(12.0 * inercia / b.getArea()) : 0.0;
    }
    // El contorno tiene z local en la fila 0 e y local en la fila 1.
    const Eigen::MatrixXd c = b.getPerimetroSeccion();
    const Eigen::Index fila = eje == 1 ? 1 : 0;
    return c.cols() > 0 ? c.row(fila).maxCoeff() - c.row(fila).minCoeff() : 0.0;
}

// Una etiqueta que va una sola vez y el archivo repite: con dos valores no se
// sabe cuál quiso el ingeniero.
void unaSolaVez(ContextoCarga& ctx, const std::string& etiqueta) {
    mensajes.error("Error: la etiqueta " + etiqueta + " está " + std::to_string(ctx.lector.getNoEtiquetas(etiqueta)) +
                   " veces; va una sola vez");
}

// Un pedido de más de kModosMaximos modos o factores queda en kModosMaximos, con un aviso.
int limitarPedido(int n, const std::string& pedido, const char* que) {
    if (n <= kModosMaximos) return n;
    mensajes.advertencia("Advertencia: " + pedido + " pide más de " + std::to_string(kModosMaximos) + " " + que +
                         "; se calculan " + std::to_string(kModosMaximos));
    return kModosMaximos;
}

// Un desplazamiento impuesto mayor que el modelo entero, o un giro de más de
// un radián, no es un asentamiento: es un valor fuera de lugar (y uno enorme
// daría fuerzas que no caben en un número). Se dice con su registro y el
// registro no se aplica.
bool impuestoPlausible(const std::string& etiqueta, int k, const std::string& caso, const std::vector<double>& v) {
    const double medida = medidaModelo();
    for (int g = 0; g < 6; ++g) {
        const double d = std::fabs(v[static_cast<size_t>(g)]);
        const double limite = g < 3 ? medida : 1.0;
        if (d <= limite) continue;
        mensajes.error("Error: el registro " + std::to_string(k) + " de " + etiqueta + " (" + caso + ") impone " +
                       numeroEscrito(v[static_cast<size_t>(g)]) + " en " + kNombresGdlNudo[g] + ", más que " +
                       (g < 3 ? "el tamaño del modelo (" + numeroEscrito(medida) + ")" : std::string("un radián")) +
                       "; revise el valor (el registro se descarta)");
        return false;
    }
    return true;
}
}  // namespace

void pasoCargasPuntuales(ContextoCarga& ctx) {
    const std::string etiqueta = "puntual:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::string caso = ctx.lector.getString(etiqueta, k);
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
        ctx.anotarCaso(caso);
        if (!registroCompleto(etiqueta, k, v, 6, "nudo", caso)) continue;
        const bool conValores = std::any_of(v.begin(), v.begin() + 6, [](double x) { return x != 0.0; });
        registroCarga dado{etiqueta, caso, {v.begin(), v.begin() + 6}, {}, {}};
        for (size_t j = 6; j < v.size(); ++j) {
            const int i = nudoDeLista(v[j], etiqueta);
            if (i < 0) continue;
            nudo[static_cast<size_t>(i)].setCargaPuntual(caso, v[0], v[1], v[2], v[3], v[4], v[5]);
            dado.numeros.push_back(nudo[static_cast<size_t>(i)].getNoNudoUsuario());
            dado.internos.push_back(i);
            if (conValores) ctx.anotarValores(caso);
        }
        if (!dado.numeros.empty()) registrosDeCarga.push_back(std::move(dado));
    }
    if (registros > 0) mensajes.progreso("transferencia de cargas puntuales a nudo[i] OK");
}

void pasoDesplazamientosImpuestos(ContextoCarga& ctx) {
    const std::string etiqueta = "desplazamientoImpuesto:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    if (registros == 0) return;
    for (int k = 1; k <= registros; ++k) {
        const std::string caso = ctx.lector.getString(etiqueta, k);
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
        ctx.anotarCaso(caso);
        if (!registroCompleto(etiqueta, k, v, 6, "nudo", caso)) continue;
        if (!impuestoPlausible(etiqueta, k, caso, v)) continue;
        for (size_t j = 6; j < v.size(); ++j) {
            const int i = nudoDeLista(v[j], etiqueta);
            if (i < 0) continue;
            if (std::any_of(v.begin(), v.begin() + 6, [](double x) { return x != 0.0; })) ctx.anotarValores(caso);
            objNudo3d& n = nudo[static_cast<size_t>(i)];
            const Eigen::VectorXi apoyo = n.getVectorApoyo();
            Eigen::Matrix<double, 6, 1> d;
            for (int g = 0; g < 6; ++g) {
                d(g) = v[static_cast<size_t>(g)];
                // Sólo un apoyo impone un desplazamiento; en un grado de libertad
                // libre (aunque tenga resorte) el valor se descarta.
                if (d(g) != 0 && apoyo(g) == 0) {
                    mensajes.error("Error: desplazamiento impuesto en un grado de libertad libre: nudo " +
                                   std::to_string(n.getNoNudoUsuario()) + " " + kNombresGdlNudo[g] + " (se descarta)");
                    d(g) = 0;
                }
            }
            n.setDesplazamientoImpuesto(caso, d);
        }
    }
    mensajes.progreso("transferencia de desplazamientos impuestos a nudo[i] OK");
}

std::vector<std::pair<double, std::string>> leerPares(claseLeerArchivo& lector, const std::string& etiqueta, int k,
                                                      const std::vector<std::string>& palabras, size_t desde,
                                                      const std::string& nombre) {
    std::vector<std::pair<double, std::string>> pares;
    const std::string registro = "Error: el registro " + std::to_string(k) + " de " + etiqueta +
                                 (nombre.empty() ? "" : " (" + nombre + ")");
    for (size_t i = desde; i < palabras.size();) {
        if (!lector.esNumero(palabras[i])) {
            // "1.25 L SX": el factor de SX falta; SX no se toma por comentario.
            mensajes.error(registro + " tiene " + palabras[i] + " donde va un factor (los pares son factor caso)");
            ++i;
            continue;
        }
        if (i + 1 >= palabras.size()) {
            mensajes.error(registro + " termina en el factor " + palabras[i] + ", sin su caso");
            break;
        }
        double factor;
        if (lector.leerReal(palabras[i], etiqueta, k, factor)) pares.emplace_back(factor, palabras[i + 1]);
        i += 2;
    }
    // Los pares de la línea siguiente no son del registro: se dice en vez de
    // tomarlos por comentario.
    const std::string siguiente = lector.getPrimeraDeLineaSiguiente(etiqueta, k);
    if (!siguiente.empty() && lector.esNumero(siguiente))
        mensajes.error(registro + " sigue en la línea siguiente (" + siguiente +
                       " ...); el registro va en una sola línea");
    return pares;
}

std::vector<combinacion> leerCombinaciones(claseLeerArchivo& lector) {
    std::vector<combinacion> combos;
    const std::string etiqueta = "combo:";
    const int registros = lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<std::string> palabras = lector.getPalabrasDeLinea(etiqueta, k);
        if (palabras.empty() || lector.esNumero(palabras[0])) {
            mensajes.error("Error: el registro " + std::to_string(k) +
                           " de combo: necesita un nombre y sus pares factor caso en la misma línea");
            leerPares(lector, etiqueta, k, {}, 0, "");  // sólo para decir si sigue en la línea siguiente
            continue;
        }
        const std::string& nombre = palabras[0];
        const std::vector<std::pair<double, std::string>> pares = leerPares(lector, etiqueta, k, palabras, 1, nombre);
        combinacion* destino = nullptr;
        for (combinacion& c : combos)
            if (c.nombre == nombre) destino = &c;
        if (destino) {
            mensajes.advertencia("Advertencia: el combo " + nombre +
                                 " está definido más de una vez; se suman sus términos");
        } else {
            combos.push_back({nombre, {}});
            destino = &combos.back();
        }
        destino->terminos.insert(destino->terminos.end(), pares.begin(), pares.end());
    }
    return combos;
}

void pasoCombosNudos(ContextoCarga& ctx) {
    combinaciones = leerCombinaciones(ctx.lector);
    noCombos = static_cast<int>(combinaciones.size());
    for (objNudo3d& n : nudo) n.setCombos(combinaciones);
    for (const combinacion& c : combinaciones)
        if (c.terminos.empty()) mensajes.error("Error: el combo " + c.nombre + " no tiene factores");
    if (noCombos != 0) mensajes.progreso("transferencia de combos a nudo[i] OK");
    if (noCombos > kCombosVisibles)
        mensajes.advertencia("Advertencia: solo se pueden visualizar los primeros 100 combos");
}

void pasoCombosBarras(ContextoCarga&) {
    if (noCombos == 0) return;
    for (objBarra3d& b : barra) b.setCombos(combinaciones);
}

void pasoCargasDistribuidas(ContextoCarga& ctx) {
    enum Clase { LocalX, LocalY, LocalZ, LocalT, Global };
    struct TipoCarga {
        const char* etiqueta;
        size_t valores;
        Clase clase;
    };
    const TipoCarga tipos[] = {{"distribuidaLocalX:", 2, LocalX}, {"distribuidaLocalY:", 2, LocalY},
                               {"distribuidaLocalZ:", 2, LocalZ}, {"distribuidaLocalT:", 1, LocalT},
                               {"distribuidaGlobal:", 5, Global}};
    for (const TipoCarga& tipo : tipos) {
        const std::string etiqueta = tipo.etiqueta;
        const int registros = ctx.lector.getNoEtiquetas(etiqueta);
        for (int k = 1; k <= registros; ++k) {
            const std::string caso = ctx.lector.getString(etiqueta, k);
            const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
            ctx.anotarCaso(caso);
            if (!registroCompleto(etiqueta, k, v, tipo.valores, "barra", caso)) continue;
            if (tipo.clase == Global && v[2] == 0.0 && v[3] == 0.0 && v[4] == 0.0) {
                mensajes.error("Error: dirección nula en distribuidaGlobal: (caso " + caso + "; la carga se descarta)");
                continue;
            }
            const bool conValores = std::any_of(v.begin(), v.begin() + (tipo.clase == Global ? 2 : tipo.valores),
                                                [](double x) { return x != 0.0; });
            registroCarga dado{etiqueta, caso, {v.begin(), v.begin() + static_cast<std::ptrdiff_t>(tipo.valores)}, {}, {}};
            for (size_t j = tipo.valores; j < v.size(); ++j) {
                const int i = barraDeLista(v[j], etiqueta);
                if (i < 0) continue;
                if (conValores) ctx.anotarValores(caso);
                objBarra3d& b = barra[static_cast<size_t>(i)];
                dado.numeros.push_back(b.getNoBarraUsuario());
                dado.internos.push_back(i);
                switch (tipo.clase) {
                    case LocalX: b.setDistribuidaLocalX(caso, v[0], v[1]); break;
                    case LocalY: b.setDistribuidaLocalY(caso, v[0], v[1]); break;
                    case LocalZ: b.setDistribuidaLocalZ(caso, v[0], v[1]); break;
                    case LocalT: b.setDistribuidaLocalT(caso, v[0]); break;
                    case Global: b.setDistribuidaGlobal(caso, v[0], v[1], v[2], v[3], v[4]); break;
                }
            }
            if (!dado.numeros.empty()) registrosDeCarga.push_back(std::move(dado));
        }
    }
}

void pasoTemperaturas(ContextoCarga& ctx) {
    const std::string etiqueta = "temperatura:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::string caso = ctx.lector.getString(etiqueta, k);
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
        ctx.anotarCaso(caso);
        if (!registroCompleto(etiqueta, k, v, 4, "barra", caso)) continue;
        const std::string registro = "Error: el registro " + std::to_string(k) + " de " + etiqueta + " (" + caso + ")";
        const double alfa = v[0], dt = v[1], gy = v[2], gz = v[3];
        // Una deformación térmica de más del 10 % no es una temperatura: es
        // un valor fuera de lugar (y uno enorme daría fuerzas que no caben en
        // un número).
        if (!(std::fabs(alfa * dt) <= kDeformacionTermicaMaxima)) {
            mensajes.error(registro + ": ALFA·DT = " + numeroEscrito(alfa * dt) +
                           " es una deformación de más del 10 %; revise ALFA y DT (el registro se descarta)");
            continue;
        }
        bool gradienteDicho = false;
        registroCarga dado{etiqueta, caso, {v.begin(), v.begin() + 4}, {}, {}};
        for (size_t j = 4; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i < 0) continue;
            objBarra3d& b = barra[static_cast<size_t>(i)];
            dado.numeros.push_back(b.getNoBarraUsuario());
            dado.internos.push_back(i);
            // La diferencia de temperatura entre las caras es el gradiente por
            // el alto de la sección en esa dirección: con más de 200 grados
            // lo probable es que GY y GZ falten y los primeros números de la
            // lista de barras se hayan leído como gradientes.
            const double alto[2] = {altoDeSeccion(b, 1), altoDeSeccion(b, 2)};
            for (int e = 0; e < 2 && !gradienteDicho; ++e) {
                const double g = e == 0 ? gy : gz;
                const double diferencia = std::fabs(g) * alto[e];
                if (!(diferencia > kDiferenciaTermicaMaxima) && std::isfinite(diferencia)) continue;
                mensajes.error(registro + ": el gradiente " + (e == 0 ? "GY " : "GZ ") + numeroEscrito(g) +
                               " por el alto " + numeroEscrito(alto[e]) + " de la sección de la barra " +
                               std::to_string(b.getNoBarraUsuario()) + " da " + numeroEscrito(diferencia) +
                               " grados entre sus caras (más de 200); ¿faltan GY y GZ?");
                gradienteDicho = true;
            }
            b.setTemperatura(caso, alfa, dt, gy, gz);
            if (alfa != 0.0 && (dt != 0.0 || gy != 0.0 || gz != 0.0)) ctx.anotarValores(caso);
        }
        if (!dado.numeros.empty()) registrosDeCarga.push_back(std::move(dado));
    }
    if (registros > 0) mensajes.progreso("transferencia de temperaturas a barra[i] OK");
}

void pasoPesoPropio(ContextoCarga& ctx) {
    const int veces = ctx.lector.getNoEtiquetas("pesoPropio:");
    if (veces == 0) {
        mensajes.progreso("No se calculará el peso propio de la estructura");
    } else if (veces >= 2) {
        mensajes.error("Error: la etiqueta pesoPropio: está más de una vez; no se calcula el peso propio");
        for (int k = 1; k <= veces; ++k) ctx.otrosCasosNombrados.push_back(ctx.lector.getString("pesoPropio:", k));
    } else {
        const std::string caso = ctx.lector.getString("pesoPropio:", 1);
        ctx.anotarCaso(caso);
        ctx.anotarValores(caso);
        casoPesoPropio = caso;
        for (objBarra3d& b : barra) b.setPesoPropio(caso);
        mensajes.progreso("Lectura de pesoPropio ---> OK");
    }
}

void pasoAjustesDibujo(ContextoCarga& ctx) {
    ajustesPorDefecto();
    // Las unidades sólo se leen si el archivo las da: sin la etiqueta no hay aviso.
    unidadFuerza.clear();
    unidadLongitud.clear();
    if (ctx.lector.getNoEtiquetas("unidades:") > 1) {
        // Dos unidades distintas rotularían mal todos los números: se dice.
        unaSolaVez(ctx, "unidades:");
    } else if (ctx.lector.getNoEtiquetas("unidades:") > 0) {
        const std::string fuerza = ctx.lector.getPalabra("unidades:", 1, 0);
        const std::string longitud = ctx.lector.getPalabra("unidades:", 1, 1);
        if (fuerza.empty() || longitud.empty() || fuerza.back() == ':' || longitud.back() == ':') {
            mensajes.error("Error: unidades: espera la unidad de fuerza y la de longitud (por ejemplo "
                           "unidades: kN m)");
        } else {
            unidadFuerza = fuerza;
            unidadLongitud = longitud;
        }
    }
    // Un ajuste que falta vale el de omisión; se dice sólo como detalle.
    const auto falta = [&](const char* etiqueta, const char* clase) {
        if (ctx.lector.getNoEtiquetas(etiqueta) > 0) return false;
        mensajes.agregar(nivelMensaje::advertencia,
                         std::string("Advertencia: no se encontró ningún ") + clase + " con etiqueta " + etiqueta, true);
        return true;
    };
    // Un ajuste de dibujo repetido no cambia ningún resultado: vale el último, con un aviso.
    const auto repetido = [&](const char* etiqueta) {
        if (ctx.lector.getNoEtiquetas(etiqueta) > 1)
            mensajes.advertencia(std::string("Advertencia: la etiqueta ") + etiqueta +
                                 " está más de una vez; vale la última");
    };
    // Una precisión negativa no tiene sentido: se conserva la de defecto.
    if (!falta("precision:", "entero")) {
        repetido("precision:");
        const int p = ctx.lector.getEntero("precision:");
        if (p >= 0) precision = p;
    }
    struct Ajuste {
        const char* etiqueta;
        double* valor;
    };
    const Ajuste ajustes[] = {{"escalaTexto:", &escalaTexto}, {"escalaDeflexion:", &escalaDef},
                              {"escalaMy:", &escalaMy},       {"escalaMz:", &escalaMz},
                              {"escalaVy:", &escalaVy},       {"escalaVz:", &escalaVz},
                              {"escalaN:", &escalaN},         {"escalaT:", &escalaT},
                              {"escalaApoyo:", &escalaApoyo}, {"escalaCarga:", &escalaCarga}};
    for (const Ajuste& a : ajustes) {
        if (falta(a.etiqueta, "real")) continue;
        repetido(a.etiqueta);
        const double v = ctx.lector.getReal(a.etiqueta);
        if (v > 0) *a.valor = v;
    }
}

void pasoAnalisisModal(ContextoCarga& ctx) {
    modosPedidos = 0;
    gravedad = kGravedadPorDefecto;
    // Sólo se leen las etiquetas que el archivo usa: un modelo sin análisis
    // modal no da ningún aviso nuevo.
    const int registrosModos = ctx.lector.getNoEtiquetas("modos:");
    if (registrosModos > 1) {
        unaSolaVez(ctx, "modos:");
    } else if (registrosModos == 1) {
        const std::string texto = ctx.lector.getPalabra("modos:", 1, 0);
        int n;
        if (texto.empty() || texto.back() == ':') {
            mensajes.error("Error: modos: necesita el número de modos de vibración que se piden");
        } else if (ctx.lector.leerEntero(texto, "modos:", 0, n)) {
            if (n <= 0)
                mensajes.error("Error: modos: " + texto +
                               " no pide ningún modo (un entero positivo; sin la etiqueta no hay análisis modal)");
            else
                modosPedidos = limitarPedido(n, "modos: " + texto, "modos de vibración");
        }
    }
    const int registrosGravedad = ctx.lector.getNoEtiquetas("gravedad:");
    if (registrosGravedad > 1) {
        unaSolaVez(ctx, "gravedad:");
    } else if (registrosGravedad == 1) {
        const double g = ctx.lector.getReal("gravedad:");
        if (g > 0) gravedad = g;
        else mensajes.error("Error: gravedad no válida; se usa 9.81");
    } else if (modosPedidos > 0) {
        mensajes.advertencia("Advertencia: se usa gravedad 9.81 (m/s²); defina gravedad: si usa otras unidades");
    }
    const std::string etiqueta = "masaNudo:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 0);
        if (!registroCompleto(etiqueta, k, v, 1, "nudo")) continue;
        double m = v[0];
        if (m < 0) {
            mensajes.error("Error: valor no válido " + ctx.lector.getPalabrasEtiquetaRepetida(etiqueta, k, 0)[0] +
                           " en la etiqueta " + etiqueta);
            m = 0;
        }
        for (size_t j = 1; j < v.size(); ++j) {
            const int i = nudoDeLista(v[j], etiqueta);
            if (i >= 0) nudo[static_cast<size_t>(i)].setMasa(m);
        }
    }
    if (registros > 0) mensajes.progreso("transferencia de masas a nudo[i] OK");
}

namespace {
// Índice de la combinación de ese nombre, o -1.
int comboDeNombre(const std::string& nombre) {
    for (size_t c = 0; c < combinaciones.size(); ++c)
        if (combinaciones[c].nombre == nombre) return static_cast<int>(c);
    return -1;
}
}  // namespace

void pasoSegundoOrdenYPandeo(ContextoCarga& ctx) {
    combosSegundoOrden.clear();
    pedidosPandeo.clear();
    // Sólo se leen si el archivo las usa: un modelo sin ellas no da avisos nuevos.
    const std::string etiqueta = "segundoOrden:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::vector<std::string> nombres = ctx.lector.getPalabrasDeLinea(etiqueta, k);
        if (nombres.empty())
            mensajes.error("Error: el registro " + std::to_string(k) + " de " + etiqueta +
                           " no nombra ningún combo (los nombres van en la misma línea)");
        for (const std::string& nombre : nombres) {
            const int c = comboDeNombre(nombre);
            if (c < 0) {
                mensajes.advertencia("Advertencia: " + etiqueta + " " + nombre + " no es un combo (se ignora)");
                continue;
            }
            if (std::find(combosSegundoOrden.begin(), combosSegundoOrden.end(), c) == combosSegundoOrden.end())
                combosSegundoOrden.push_back(c);
        }
    }
    const std::string pandeo = "pandeo:";
    const int pedidos = ctx.lector.getNoEtiquetas(pandeo);
    for (int k = 1; k <= pedidos; ++k) {
        const std::vector<std::string> palabras = ctx.lector.getPalabrasDeLinea(pandeo, k);
        const std::string registro = "Error: el registro " + std::to_string(k) + " de " + pandeo;
        if (palabras.size() < 2 || !ctx.lector.esNumero(palabras[1])) {
            mensajes.error(registro + " necesita el nombre de un combo y la cantidad de factores críticos");
            continue;
        }
        int n;
        if (!ctx.lector.leerEntero(palabras[1], pandeo, k, n)) continue;
        if (n <= 0) {
            mensajes.error(registro + " (" + palabras[0] + ") pide " + palabras[1] +
                           " factores críticos; la cantidad debe ser un entero positivo");
            continue;
        }
        n = limitarPedido(n, pandeo + " " + palabras[0] + " " + palabras[1], "factores críticos");
        const int c = comboDeNombre(palabras[0]);
        if (c < 0) {
            mensajes.advertencia("Advertencia: " + pandeo + " " + palabras[0] + " no es un combo (se ignora)");
            continue;
        }
        bool repetido = false;
        for (pedidoPandeo& p : pedidosPandeo)
            if (p.combo == c) p.modos = std::max(p.modos, n), repetido = true;
        if (repetido)
            mensajes.advertencia("Advertencia: " + pandeo + " el combo " + palabras[0] +
                                 " se pide más de una vez; vale la mayor cantidad");
        else
            pedidosPandeo.push_back({c, n});
    }
    // segundoOrdenModal: COMBO, una sola vez: los modos con K + Kg(N) de ese combo.
    comboSegundoOrdenModal = -1;
    const std::string modal = "segundoOrdenModal:";
    const int modales = ctx.lector.getNoEtiquetas(modal);
    if (modales > 1)
        mensajes.error("Error: la etiqueta " + modal + " está " + std::to_string(modales) +
                       " veces; va una sola vez (el combo de las cargas de gravedad)");
    if (modales == 1) {
        const std::vector<std::string> palabras = ctx.lector.getPalabrasDeLinea(modal, 1);
        const int c = palabras.size() == 1 ? comboDeNombre(palabras[0]) : -1;
        if (palabras.size() != 1)
            mensajes.error("Error: el registro 1 de " + modal +
                           " necesita el nombre de un combo, sólo uno (en la misma línea)");
        else if (c < 0)
            mensajes.error("Error: el registro 1 de " + modal + " nombra " + palabras[0] + ", que no es un combo");
        else
            comboSegundoOrdenModal = c;
    }
}

namespace {
// Palabras desconocidas terminadas en ":" que se nombran como máximo.
constexpr size_t kDesconocidasNombradas = 20;
// Más larga que esto, una palabra no es una etiqueta mal escrita.
constexpr size_t kLargoEtiqueta = 40;
}  // namespace

void pasoEtiquetasDesconocidas(ContextoCarga& ctx) {
    const std::vector<std::string>& conocidas = etiquetasConocidas();
    size_t desconocidas = 0, malEscritas = 0;
    for (const std::string& palabra : ctx.lector.palabrasDeEtiqueta()) {
        if (std::find(conocidas.begin(), conocidas.end(), palabra) != conocidas.end()) continue;
        // Un ":" suelto o tras signos (":", "-:") no es una etiqueta mal escrita.
        if (std::none_of(palabra.begin(), palabra.end(), [](unsigned char c) { return std::isalpha(c) || c >= 0x80; }))
            continue;
        const bool corta = palabra.size() <= kLargoEtiqueta;
        // Casi una etiqueta (masaDeCarga:, soloTracción:, Nudos:): lo que
        // dice se perdería entero; es un error y el modelo no se analiza.
        const std::string etiqueta = corta ? etiquetaMalEscrita(palabra) : std::string();
        if (!etiqueta.empty()) {
            if (++malEscritas <= kDesconocidasNombradas)
                mensajes.error("Error: etiqueta desconocida " + palabra + "; ¿quiso decir " + etiqueta + "?");
            continue;
        }
        if (++desconocidas > kDesconocidasNombradas) continue;
        const std::string parecida = corta ? etiquetaParecida(palabra) : std::string();
        mensajes.advertencia("Advertencia: etiqueta desconocida " + palabra + " (se ignora)" +
                             (parecida.empty() ? "" : "; ¿quiso decir " + parecida + "?"));
    }
    if (malEscritas > kDesconocidasNombradas)
        mensajes.error("Error: y otras " + std::to_string(malEscritas - kDesconocidasNombradas) +
                       " etiquetas desconocidas parecidas a una del formato");
    if (desconocidas > kDesconocidasNombradas)
        mensajes.advertencia("Advertencia: y otras " + std::to_string(desconocidas - kDesconocidasNombradas) +
                             " palabras desconocidas terminadas en \":\"");
}

void pasoRevisarModelo(ContextoCarga& ctx) {
    // Barras sin sección o sin material: sin rigidez, en una sola línea.
    std::vector<int> sinSeccion;
    for (const objBarra3d& b : barra)
        if (!b.tieneSeccionYMaterial()) sinSeccion.push_back(b.getNoBarraUsuario());
    if (!sinSeccion.empty())
        mensajes.error("Error: " + std::string(sinSeccion.size() == 1 ? "la barra " : "las barras ") +
                       enRangos(sinSeccion) + (sinSeccion.size() == 1 ? " no tiene" : " no tienen") +
                       " sección ni material (ningún registro de sección la nombra)");
    // Casos de carga y combinaciones: un caso que ningún registro define es un
    // error (un nombre mal escrito, o el de un registro con la etiqueta mal
    // escrita); uno definido sin cargas, un aviso.
    const std::vector<std::string>& casos = ctx.casosConCargas;
    const std::vector<std::string>& conValores = ctx.casosConValores;
    for (const combinacion& c : combinaciones) {
        std::vector<std::string> avisados;
        for (const auto& [factor, caso] : c.terminos) {
            if (std::find(avisados.begin(), avisados.end(), caso) != avisados.end()) continue;
            avisados.push_back(caso);
            if (!ctx.casoDefinido(caso))
                mensajes.error("Error: el combo " + c.nombre + " usa el caso " + caso + ", que no está definido");
            else if (buscarSismo(caso) < 0 &&
                     std::find(conValores.begin(), conValores.end(), caso) == conValores.end() &&
                     std::find(ctx.casosSismicosNombrados.begin(), ctx.casosSismicosNombrados.end(), caso) ==
                         ctx.casosSismicosNombrados.end())
                mensajes.advertencia("Advertencia: el combo " + c.nombre + " usa el caso " + caso +
                                     ", que no tiene cargas");
        }
    }
    for (const std::string& caso : casos) {
        bool usado = false;
        for (const combinacion& c : combinaciones)
            for (const auto& t : c.terminos) usado = usado || t.second == caso;
        if (!usado) mensajes.advertencia("Advertencia: el caso " + caso + " no está en ningún combo");
    }
    // El pandeo de una combinación con sismo sería en silencio el de su parte
    // estática: no se pide.
    for (const pedidoPandeo& p : pedidosPandeo) {
        if (p.combo < 0 || static_cast<size_t>(p.combo) >= combinaciones.size()) continue;
        const combinacion& c = combinaciones[static_cast<size_t>(p.combo)];
        for (const auto& t : c.terminos)
            if (buscarSismo(t.second) >= 0 || std::find(ctx.casosSismicosNombrados.begin(),
                                                         ctx.casosSismicosNombrados.end(),
                                                         t.second) != ctx.casosSismicosNombrados.end()) {
                mensajes.error("Error: pandeo: el combo " + c.nombre + " incluye el sismo " + t.second +
                               "; el pandeo es el de una combinación estática");
                break;
            }
    }
    if (combinaciones.empty() && modosPedidos <= 0 && archivoDatosAbierto)
        mensajes.advertencia("Advertencia: no hay combos: no hay nada que calcular");
}
