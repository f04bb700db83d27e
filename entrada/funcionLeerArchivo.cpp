#include "entrada/funcionLeerArchivo.h"

#include "diagnosticos.h"
#include "entrada/pasosCarga.h"
#include "globales.h"
#include "modelo/cargasDadas.h"
#include "modelo/diafragma.h"
#include "modelo/sismo.h"
#include "modelo/sismoEstatico.h"

void funcionLeerArchivo() {
    // Los errores de entrada son los mensajes de error que deja esta carga.
    const std::size_t primerMensaje = mensajes.tamano();
    // 1. Un lector para toda la carga.
    ContextoCarga ctx;
    ctx.lector.setNombreArchivo(nombreArchivo);
    nudo.clear();
    barra.clear();
    noNudos = 0;
    noBarras = 0;
    noCombos = 0;
    punteroNudos.clear();
    punteroBarras.clear();
    combinaciones.clear();
    casosDeCarga.clear();
    registrosDeCarga.clear();
    diafragmas.clear();
    vaciarDefinicionesSismicas();
    vaciarSismosEstaticos();
    resultados.vaciar();
    archivoDatosAbierto = ctx.lector.archivoDisponible();
    if (!archivoDatosAbierto) mensajes.error("Error: no se pudo abrir el archivo de datos " + nombreArchivo);

    pasoEtiquetasDesconocidas(ctx);  // Palabras con ":" que no son etiquetas
    pasoLeerTablas(ctx);       // 2 y 3. Tablas de nudos y de barras
    pasoMapaNudos(ctx);        // 4. Mapa de números de nudo
    pasoMapaBarras(ctx);       // 5. Mapa de números de barra
    pasoNudos(ctx);            // 6. Nudos
    pasoApoyos(ctx);           // 7. Apoyos
    pasoResortes(ctx);         //    y resortes elásticos
    pasoCargasPuntuales(ctx);  // 8. Cargas puntuales
    pasoDesplazamientosImpuestos(ctx);  // y desplazamientos impuestos
    pasoCombosNudos(ctx);      // 9. Combinaciones de los nudos
    if (noBarras != 0) {
        pasoBarras(ctx);       // 10. Barras y sus nudos
        pasoSecciones(ctx);    // 11. Secciones y materiales
        pasoRotaciones(ctx);   // 12. Rotaciones de barra
    }                          // 13. (10 a 12 se saltan juntos sin barras)
    pasoCargasDistribuidas(ctx);  // 14. Cargas distribuidas
    pasoTemperaturas(ctx);        //     y de temperatura
    pasoArticulaciones(ctx);      // 15. Liberaciones de extremo,
    pasoSentidoAxial(ctx);        //     barras de solo tracción o compresión
    pasoMasaBarras(ctx);          //     y masas por unidad de largo
    pasoPesoPropio(ctx);          // 16. Peso propio
    pasoCombosBarras(ctx);        // 17. Combinaciones de las barras
    pasoAjustesDibujo(ctx);       // 18. Ajustes de dibujo
    pasoProyecto(ctx);            //     datos del proyecto para el informe
    pasoDiagramasInforme(ctx);    //     y sus diagramas
    pasoAnalisisModal(ctx);       //     y pedido de análisis modal
    pasoSegundoOrdenYPandeo(ctx); //     segundo orden y pandeo
    pasoSismo(ctx);               //     masa de las cargas, espectros, sismos y envolventes
    pasoDiafragmas(ctx);          //     diafragmas rígidos de piso
    pasoDisenoSismico(ctx);       //     modificadores de rigidez y deriva límite
    pasoSismoEstatico(ctx);       //     método estático equivalente y escalas de los sismos
    pasoAcero(ctx);               //     verificación de las barras de acero
    pasoLimiteFlecha(ctx);        //     límites de flecha de las barras
    pasoValoresFinitos(ctx);      // Masas y cargas de cada combinación finitas
    pasoRevisarModelo(ctx);       // Barras sin sección, casos sin combinación y combinaciones sin casos
    pasoRigidezRelativa(ctx);     // Barras demasiado rígidas para la doble precisión
    casosDeCarga = ctx.casosConCargas;
    erroresDeEntrada = mensajes.cantidad(nivelMensaje::error, primerMensaje);
}                                 // 19. El lector se destruye con ctx.
