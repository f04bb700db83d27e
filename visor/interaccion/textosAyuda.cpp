#include "visor/interaccion/textosAyuda.h"

#include "globales.h"

namespace {

// La ayuda general, antes y después del renglón de F12 (que nombra el archivo abierto).
const char* const ayudaGeneralInicio =
    "*******************************************\n"
    "*******     VANTRA 3D    *********\n"
    "*******************************************\n"
    "TECLAS DE NAVEGACION:\n"
    "Paneo: click izquierdo y mover mouse\n"
    "Rotar: click central y mover mouse (o shift + click izquierdo)\n"
    "Zoom: scroll +/-\n"
    "Cambiar escala de diagramas: (tecla +) o (tecla -) con la linea de ordenes vacia\n"
    "Cambiar escala de texto: (shift +) o (shift -)\n"
    "Mostrar u ocultar lineas internas de diagramas: Alt-f\n"
    "Mostrar u ocultar texto de diagramas: Alt-t\n"
    "Mostrar u ocultar nudos: Alt-n\n"
    "perspectiva - ortogonal: Alt-c (F2 a F4 ven en ortogonal)\n"
    "\n"
    "Ayuda: F1\n";

const char* const ayudaGeneralFin =
    "vista XZ: F2\n"
    "vista YZ: F3\n"
    "vista XY: F4\n"
    "refrescar Modelo: F5\n"
    "ver entero lo dibujado (modelo, deformada, diagramas, cargas): F6\n"
    "Calcular (boton abajo a la derecha): resuelve todos los combos (no si el modelo tiene errores de entrada)\n"
    "\n"
    "COMANDOS DE LINEA DE COMANDOS:\n"
    "combo NOMBRE --> Activa o desactiva el combo, sismo o envolvente NOMBRE (combo solo: lo pregunta)\n"
    "plotCarga --> Plotea las cargas del combo activado\n"
    "plotDef --> Plotea deformaciones\n"
    "plotN   --> Plotea Fuerzas Axiales\n"
    "plotMy  --> Plotea el momento del plano local x-y (alrededor del eje local z, con Iz)\n"
    "plotMz  --> Plotea el momento del plano local x-z (alrededor del eje local y, con Iy)\n"
    "plotVy  --> Plotea el cortante del plano local x-y (segun el eje local y)\n"
    "plotVz  --> Plotea el cortante del plano local x-z (segun el eje local z)\n"
    "plotT   --> Plotea Torsión\n"
    "plotR   --> Plotea Reacciones\n"
    "plotAcero --> Colorea las barras de acero por la razon de demanda a capacidad de su miembro\n"
    "tagNudos --> Muestra u oculta la numeracion de nudos\n"
    "tagBarras --> Muestra u oculta la numeracion de barras\n"
    "secciones --> Muestra u oculta las secciones transversales\n"
    "noTags  --> Oculta todos los Tags\n"
    "aislar N N ... --> Muestra solo las barras de la lista (aislar solo: la pregunta; noAislar: todas)\n"
    "    la lista: numeros, rangos (1-100), planos (x=6 y=0 z=3), piso N, seccion NOMBRE\n"
    "barra N --> Resalta la barra N y muestra sus datos y resultados\n"
    "nudo N  --> Muestra los datos del nudo N, sus desplazamientos y reacciones\n"
    "modo N  --> Anima el modo de vibracion N con su periodo y frecuencia (modo 0: termina)\n"
    "pandeo N --> Dibuja la forma de pandeo N del primer combo activo que la tiene (pandeo 0: termina)\n"
    "captura --> Guarda la ventana como PNG junto al modelo\n"
    "salir   --> Termina el programa (tambien exit o Escape)\n";

// Página 1: geometría.
const char* const ayudaArchivo1 =
    "**********              DE GEOMETRIA               ***************\n"
    "nudos:\n"
    "  \t#nudo CoordX coordY coordZ\n"
    "barras:\n"
    "  \t#barra deNudo aNudo\n"
    "seccionRectangular:\n"
    "\ttagSeccion\n"
    "\tbase altura modElas modPoisson pesoEspecifico\n"
    "\t{lista de barras}\n"
    "seccionGenerica:\n"
    "\ttagSeccion\n"
    "\tarea inerciaY inerciaZ ModuloJ modElas poisson pesoEspecifico\n"
    "\t{lista de barras}\n"
    "seccionPlaca:\n"
    "\ttagSeccion\n"
    "\tbase altura modElas poisson pesoEspecifico\n"
    "\t{lista de barras}\n"
    "seccionCostanera:\n"
    "\ttagSeccion\n"
    "\talma ala labio espesor radio modElas poisson pesoEspecifico\n"
    "\t{lista de barras}\n"
    "seccionW:\n"
    "\tala grosorAla alma grosorAlma modElas poisson pesoEspecifico\n"
    "\t{lista de barras}\n"
    "rotacionBarra:\n"
    "\tangulo(en grados Sexagesimales)\n"
    "\t{lista de barras}\n";

// Página 2: apoyos, resortes, conexiones, barras de un solo sentido, masas y modos de vibración.
const char* const ayudaArchivo2 =
    "**********         DE APOYOS Y CONEXIONES          ***************\n"
    "apoyo:\n"
    "\tUx Uy Uz giroX giroY giroZ\n"
    "\t{lista de nudos}\n"
    "resorte: (apoyo elástico; donde también hay apoyo, manda el apoyo)\n"
    "\tkx ky kz kgx kgy kgz (rigideces en ejes globales; 0 sin resorte)\n"
    "\t{lista de nudos}\n"
    "articulacion:\n"
    "\tarticInicioY articFinY articInicioZ articFinZ\n"
    "\t{lista de barras}\n"
    "soloTraccion: {lista de barras que no resisten compresión}\n"
    "soloCompresion: {lista de barras que no resisten tracción}\n"
    "**********            DE MASAS Y MODOS             ***************\n"
    "masaNudo:\n"
    "\tmasa (la misma en X, Y y Z)\n"
    "\t{lista de nudos}\n"
    "masaBarra:\n"
    "\tmasa adicional por unidad de largo (se suma a la de la sección)\n"
    "\t{lista de barras}\n"
    "modos: cantidad de modos de vibración a calcular (sin la etiqueta, ninguno)\n"
    "gravedad: g en las unidades del modelo (por defecto 9.81); masa de barras = pesoEspecifico x area / g\n"
    "**********        DE SEGUNDO ORDEN Y PANDEO        ***************\n"
    "segundoOrden: COMBO COMBO ... (en una línea; esos combos se resuelven con P-Delta)\n"
    "pandeo: COMBO N (los N menores factores críticos de pandeo del combo)\n";

// Página 3: cargas, temperatura y desplazamientos impuestos.
const char* const ayudaArchivo3 =
    "**********                 DE CARGAS               ***************\n"
    "puntual:\n"
    "\tcasoCarga (texto sin espacios)\n"
    "\tPx Py Pz Mx My Mz\n"
    "\t{lista de nudos}\t\t\n"
    "desplazamientoImpuesto: (asentamientos de apoyos)\n"
    "\tcasoCarga (texto sin espacios)\n"
    "\tux uy uz giroX giroY giroZ (ejes globales; sólo donde hay apoyo)\n"
    "\t{lista de nudos}\n"
    "pesoPropio: nombre_del_PP \n"
    "temperatura:\n"
    "\tcasoCarga (texto sin espacios)\n"
    "\talfa DT GY GZ (dilatación, cambio uniforme, gradientes: cara +y menos -y por altura)\n"
    "\t{lista de barras}\n"
    "distribuidaLocalX:\n"
    "\tcasoCarga (casoCarga es texto sin espacios)\n"
    "\tfIni fFin\n"
    "\t{lista de barras}\n"
    "distribuidaLocalY:\n"
    "\tcasoCarga (casoCarga es texto sin espacios)\n"
    "\tqYIni qYFin\n"
    "\t{lista de barras}\t\t\n"
    "distribuidaLocalZ:\n"
    "\tcasoCarga (casoCarga es texto sin espacios)\n"
    "\tqZIni qZFin\n"
    "\t{lista de barras}\n"
    "distribuidaLocalT:\n"
    "\tcasoCarga (casoCarga es texto sin espacios)\n"
    "\ttorsion\n"
    "\t{lista de barras}\n"
    "distribuidaGlobal:\n"
    "\tcasoCarga (texto sin espacios)\n"
    "\tqIzq qDer dirX dirY dirZ\n"
    "\t{lista de barras}\t\n"
    "combo: (todo en una sola línea)\n"
    "\tnombreCombo\n"
    "\tFactorMayoracion1 CasoDeCarga1 FactorMayoracion2 CasoDeCarga2 etc...\n";

// Página 4: escalas de ploteado.
const char* const ayudaArchivo4 =
    "**********        DE ESCALA DE PLOTEADO            ***************\n"
    "precision: cantidad de decimales (por defecto 3)\n"
    "escalaDeflexion: escala deformaciones (por defecto 100 veces)\n"
    "escalaN: escala de diagramas de axiales (por defecto 0.01)\n"
    "escalaVy: escala de diagramas de cortante en Y (por defecto 0.05)\n"
    "escalaVz: escala de diagramas de cortante en Z(por defecto 0.05)\n"
    "escalaMy: escala de diagramas de momento flector en Y(por defecto 0.02)\n"
    "escalaMz: escala de diagramas de momento flector en Z(por defecto 0.02)\n"
    "escalaT: escala de diagramas de torsion (por defecto 0.01)\n"
    "escalaTexto: Tamaño de texto (Defecto 0.15 unidades de distancia)\n"
    "escalaCarga: Tamaño de cargas. (Por defecto 0.1)\n"
    "escalaApoyo: Tamaño de apoyos. (por defecto adopta un tamaño en función al tamaño de la estructura)\n";

const char* const paginasAyudaArchivo[kPaginasAyudaArchivo] = {ayudaArchivo1, ayudaArchivo2, ayudaArchivo3,
                                                              ayudaArchivo4};

}  // namespace

std::string nombreModeloAbierto() {
    const std::size_t barra = nombreArchivo.find_last_of('/');
    return barra == std::string::npos ? nombreArchivo : nombreArchivo.substr(barra + 1);
}

std::string textoAyudaGeneral() {
    return std::string(ayudaGeneralInicio) + "Ayuda de etiquetas para " + nombreModeloAbierto() + ": F12\n" +
           ayudaGeneralFin;
}

std::string textoAyudaArchivo(int pagina) {
    if (pagina < 1 || pagina > kPaginasAyudaArchivo) return std::string();
    return "**** Etiquetas de ingreso de datos al archivo " + nombreModeloAbierto() + " ***:\n" +
           paginasAyudaArchivo[pagina - 1];
}

const char* const textoPieAyuda = "F1: ayuda\nF12: etiquetas";
