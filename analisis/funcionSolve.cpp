// El análisis estático como una sucesión de etapas (etapasAnalisis.h): cada
// una lee lo que dejaron las anteriores y llena su parte. Aquí sólo se
// encadenan, se miden sus tiempos y se decide cuándo el análisis falla.
#include "analisis/funcionSolve.h"

#include <memory>

#include "analisis/analisisModal.h"
#include "analisis/analisisSismico.h"
#include "analisis/equilibrio.h"
#include "analisis/etapasAnalisis.h"
#include "analisis/pisos.h"
#include "analisis/sismoEstatico.h"
#include "analisis/tablasResultados.h"
#include "analisis/flechas.h"
#include "analisis/verificacionAcero.h"
#include "diagnosticos.h"
#include "globales.h"
#include "modelo/diafragma.h"
#include "modelo/sismo.h"

tiemposAnalisis tiemposUltimoAnalisis;
diagnosticoAnalisis diagnosticoUltimoAnalisis;

namespace {

// Un análisis que no llega a resultados: no deja ninguno.
bool fallar(resultadoAnalisis r) {
    diagnosticoUltimoAnalisis.resultado = r;
    resultados.vaciar();
    tiemposUltimoAnalisis.solucion = 0;
    tiemposUltimoAnalisis.barras = 0;
    return false;
}

}  // namespace

bool funcionSolve() {
    const auto inicio = Reloj::now();
    diagnosticoUltimoAnalisis = diagnosticoAnalisis();
    tiemposUltimoAnalisis.sentidoAxial = 0;
    tiemposUltimoAnalisis.segundoOrden = tiemposUltimoAnalisis.pandeo = tiemposUltimoAnalisis.derivados = 0;
    tiemposUltimoAnalisis.pisos = 0;
    resultados.vaciar();
    // Un dato que impide el análisis (un espectro mal escrito) ya se dijo al cargar.
    if (analisisImpedido) return false;

    estadoAnalisis e;
    armarSistema(e);
    const resultadoAnalisis primerOrden = resolverPrimerOrden(e, inicio);
    if (primerOrden != resultadoAnalisis::correcto) return fallar(primerOrden);
    resolverSegundoOrdenPedido(e);
    resultadoAnalisis fallo = resultadoAnalisis::correcto;
    if (!resolverRondasUnSentido(e, fallo)) return fallar(fallo);
    informarSegundoOrden(e);

    auto etapa = Reloj::now();
    calcularPandeo(e);
    tiemposUltimoAnalisis.pandeo = segundosDesde(etapa);

    etapa = Reloj::now();
    llenarCasos(e);
    revisarDesplazamientos(tamanoModelo());
    guardarSistema(e);
    resultados.disponibles = true;
    tiemposUltimoAnalisis.barras = segundosDesde(etapa);
    diagnosticoUltimoAnalisis.resultado = resultadoAnalisis::correcto;

    // Los modos salen del mismo factor de la rigidez, con todas las barras.
    // Con segundoOrdenModal:, de K + Kg del combo de las cargas de gravedad.
    etapa = Reloj::now();
    // Con torsión accidental, los momentos de piso se resuelven con la misma
    // rigidez: con K + Kg, con su factor; con K, de los pares unitarios con
    // que se hallan los centros de rigidez (la respuesta es su suma por los momentos).
    geometricaModal geometrica;
    resolverEstatico resolver;
    const bool conGeometrica = comboSegundoOrdenModal >= 0 && comboSegundoOrdenModal < e.nc;
    if (conGeometrica) {
        if (!calcularModosSegundoOrden(e, geometrica, resolver)) return fallar(resultadoAnalisis::correcto);
    } else {
        calcularModos(e.principal.factor, e.num);
    }
    tiemposUltimoAnalisis.modal = segundosDesde(etapa);
    // Los pisos: masa y centros de cada diafragma y lo que reciben las combinaciones.
    etapa = Reloj::now();
    auto pares = std::make_shared<const Eigen::MatrixXd>(calcularPisos(e.principal.factor, e.num));
    if (!conGeometrica && torsionAccidentalPedida() && pares->cols() == static_cast<Eigen::Index>(diafragmas.size()))
        resolver = [pares](const Eigen::MatrixXd& momentos) { return Eigen::MatrixXd(*pares * momentos); };
    tiemposUltimoAnalisis.pisos = segundosDesde(etapa);
    // El método estático equivalente: su reparto, que los sismos escalados leen.
    calcularSismosEstaticos();
    // Los sismos salen de los modos, con todas las barras.
    etapa = Reloj::now();
    const bool derivados = calcularCasosDerivados(e.principal.operador, tamanoModelo(), geometrica, resolver);
    tiemposUltimoAnalisis.derivados = segundosDesde(etapa);
    // La verificación de las derivas de piso, con las de los casos sísmicos.
    if (derivados) verificarDerivas();
    // El error ya está en los mensajes; la estructura en sí se resolvió.
    if (!derivados) return fallar(resultadoAnalisis::correcto);

    // El equilibrio lee las combinaciones con sismo: después de los derivados.
    calcularEquilibrio(resultados);
    // La verificación de las barras de acero lee los casos ya llenos.
    verificarAcero(resultados);
    verificarFlechas(resultados);
    // Las tablas que leen las salidas, de todas las familias de resultados.
    publicarTablas(resultados);
    avisarCondicion(e.condicion);
    return true;
}
