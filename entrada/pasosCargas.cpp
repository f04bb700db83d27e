// Pasos del cargador: cargas puntuales, combinaciones, cargas distribuidas,
// peso propio y ajustes de dibujo.
#include <algorithm>
#include <cctype>

#include "diagnosticos.h"
#include "entrada/etiquetas.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/sismo.h"
#include "unidades.h"

namespace {
// Combinaciones que admiten los interruptores del visor.
constexpr int kCombosVisibles = 100;
}  // namespace

void pasoCargasPuntuales(ContextoCarga& ctx) {
    const std::string etiqueta = "puntual:";
    const int registros = ctx.lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::string caso = ctx.lector.getString(etiqueta, k);
        const std::vector<double> v = ctx.lector.getMatrizEtiquetaRepetida(etiqueta, k, 1);
        ctx.anotarCaso(caso);
        if (!registroCompleto(etiqueta, k, v, 6, "nudo", caso)) continue;
        for (size_t j = 6; j < v.size(); ++j) {
            const int i = nudoDeLista(v[j], etiqueta);
            if (i >= 0) nudo[static_cast<size_t>(i)].setCargaPuntual(caso, v[0], v[1], v[2], v[3], v[4], v[5]);
        }
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
        for (size_t j = 6; j < v.size(); ++j) {
            const int i = nudoDeLista(v[j], etiqueta);
            if (i < 0) continue;
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

std::vector<combinacion> leerCombinaciones(claseLeerArchivo& lector) {
    std::vector<combinacion> combos;
    const std::string etiqueta = "combo:";
    const int registros = lector.getNoEtiquetas(etiqueta);
    for (int k = 1; k <= registros; ++k) {
        const std::string nombre = lector.getString(etiqueta, k);
        const std::vector<double> factores = lector.getFactoresEtiqueta(etiqueta, k, 1);
        const std::vector<std::string> casos = lector.getNombresDeFactores(etiqueta, k, 1);
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
        for (size_t j = 0; j < factores.size() && j < casos.size(); ++j)
            destino->terminos.emplace_back(factores[j], casos[j]);
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
            for (size_t j = tipo.valores; j < v.size(); ++j) {
                const int i = barraDeLista(v[j], etiqueta);
                if (i < 0) continue;
                objBarra3d& b = barra[static_cast<size_t>(i)];
                switch (tipo.clase) {
                    case LocalX: b.setDistribuidaLocalX(caso, v[0], v[1]); break;
                    case LocalY: b.setDistribuidaLocalY(caso, v[0], v[1]); break;
                    case LocalZ: b.setDistribuidaLocalZ(caso, v[0], v[1]); break;
                    case LocalT: b.setDistribuidaLocalT(caso, v[0]); break;
                    case Global: b.setDistribuidaGlobal(caso, v[0], v[1], v[2], v[3], v[4]); break;
                }
            }
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
        for (size_t j = 4; j < v.size(); ++j) {
            const int i = barraDeLista(v[j], etiqueta);
            if (i >= 0) barra[static_cast<size_t>(i)].setTemperatura(caso, v[0], v[1], v[2], v[3]);
        }
    }
    if (registros > 0) mensajes.progreso("transferencia de temperaturas a barra[i] OK");
}

void pasoPesoPropio(ContextoCarga& ctx) {
    const int veces = ctx.lector.getNoEtiquetas("pesoPropio:");
    if (veces == 0) {
        mensajes.progreso("No se calculará el peso propio de la estructura");
    } else if (veces >= 2) {
        mensajes.error("Error: la etiqueta pesoPropio: está más de una vez; no se calcula el peso propio");
    } else {
        const std::string caso = ctx.lector.getString("pesoPropio:", 1);
        ctx.anotarCaso(caso);
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
    if (ctx.lector.getNoEtiquetas("unidades:") > 0) {
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
    // Una precisión negativa no tiene sentido: se conserva la de defecto.
    if (!falta("precision:", "entero")) {
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
        const double v = ctx.lector.getReal(a.etiqueta);
        if (v > 0) *a.valor = v;
    }
}

void pasoAnalisisModal(ContextoCarga& ctx) {
    modosPedidos = 0;
    gravedad = kGravedadPorDefecto;
    // Sólo se leen las etiquetas que el archivo usa: un modelo sin análisis
    // modal no da ningún aviso nuevo.
    if (ctx.lector.getNoEtiquetas("modos:") > 0) {
        const int n = ctx.lector.getEntero("modos:");
        if (n > 0) modosPedidos = n;
    }
    if (ctx.lector.getNoEtiquetas("gravedad:") > 0) {
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
        const int n = ctx.lector.convertirEntero(palabras[1], pandeo);
        if (n <= 0 || palabras[1].find_first_of(".e") != std::string::npos) {
            mensajes.error(registro + ": la cantidad de factores críticos debe ser un entero positivo (" +
                           palabras[1] + ")");
            continue;
        }
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
}

namespace {
// Palabras desconocidas terminadas en ":" que se nombran como máximo.
constexpr size_t kDesconocidasNombradas = 20;
// Más larga que esto, una palabra no es una etiqueta mal escrita.
constexpr size_t kLargoEtiqueta = 40;
}  // namespace

void pasoEtiquetasDesconocidas(ContextoCarga& ctx) {
    const std::vector<std::string>& conocidas = etiquetasConocidas();
    size_t desconocidas = 0;
    for (const std::string& palabra : ctx.lector.palabrasDeEtiqueta()) {
        if (std::find(conocidas.begin(), conocidas.end(), palabra) != conocidas.end()) continue;
        // Un ":" suelto o tras signos (":", "-:") no es una etiqueta mal escrita.
        if (std::none_of(palabra.begin(), palabra.end(), [](unsigned char c) { return std::isalpha(c) || c >= 0x80; }))
            continue;
        if (++desconocidas > kDesconocidasNombradas) continue;
        const std::string parecida = palabra.size() <= kLargoEtiqueta ? etiquetaParecida(palabra) : std::string();
        mensajes.advertencia("Advertencia: etiqueta desconocida " + palabra + " (se ignora)" +
                             (parecida.empty() ? "" : "; ¿quiso decir " + parecida + "?"));
    }
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
    // Casos de carga y combinaciones.
    const std::vector<std::string>& casos = ctx.casosConCargas;
    for (const combinacion& c : combinaciones) {
        std::vector<std::string> avisados;
        for (const auto& [factor, caso] : c.terminos) {
            if (std::find(casos.begin(), casos.end(), caso) != casos.end()) continue;
            if (buscarSismo(caso) >= 0) continue;
            if (std::find(avisados.begin(), avisados.end(), caso) != avisados.end()) continue;
            avisados.push_back(caso);
            mensajes.advertencia("Advertencia: el combo " + c.nombre + " usa el caso " + caso + ", que no tiene cargas");
        }
    }
    for (const std::string& caso : casos) {
        bool usado = false;
        for (const combinacion& c : combinaciones)
            for (const auto& t : c.terminos) usado = usado || t.second == caso;
        if (!usado) mensajes.advertencia("Advertencia: el caso " + caso + " no está en ningún combo");
    }
    if (combinaciones.empty() && modosPedidos <= 0 && archivoDatosAbierto)
        mensajes.advertencia("Advertencia: no hay combos: no hay nada que calcular");
}
