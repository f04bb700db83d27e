#include "visor/textosAyuda.h"

const char* const textoAyudaGeneral =
    "*******************************************\n"
    "*******     VANTRA 3D    *********\n"
    "*******************************************\n"
    "TECLAS DE NAVEGACION:\n"
    "Paneo: click izquierdo y mover mouse\n"
    "Rotar: click central y mover mouse\n"
    "Zoom: scroll +/-\n"
    "Cambiar escala de diagramas: (tecla +) o (tecla -)\n"
    "Cambiar escala de texto: (shift +) o (shift -)\n"
    "Mostrar u ocultar lineas internas de diagramas: Alt-f\n"
    "Mostrar u ocultar texto de diagramas: Alt-t\n"
    "Mostrar u ocultar nudos: Alt-n\n"
    "perspectiva - ortogonal: Alt-c\n"
    "\n"
    "Ayuda: F1\n"
    "Ayuda de etiquetas para ingresoDatos.txt: F10\n"
    "vista YZ: F2\n"
    "vista XZ: F3\n"
    "vista XY: F4\n"
    "refrescar Modelo: F5\n"
    "\n"
    "COMANDOS DE LINEA DE COMANDOS:\n"
    "combo  --> Activa la opcion para introducir un combo\n"
    "plotCarga --> Plotea las cargas del combo activado\n"
    "plotDef --> Plotea deformaciones\n"
    "plotN   --> Plotea Fuerzas Axiales\n"
    "plotMy  --> Plotea Momentos sobre el eje local Y\n"
    "plotMz  --> Plotea momentos sobre el eje local Z\n"
    "plotVy  --> Plotea Cortantes sobre el ele Y\n"
    "plotVz  --> Plotea Cortantes sobre el eje Z\n"
    "plotT   --> Plotea Torsión\n"
    "plotR   --> Plotea Reacciones\n"
    "tagNudos --> Muestra u oculta la numeracion de nudos\n"
    "tagBarras --> Muestra u oculta la numeracion de barras\n"
    "secciones --> Muestra u oculta las secciones transverlaes\n"
    "noTags  --> Oculta todos los Tags\n"
    "\n"
    "Para mas ayuda: " DIRECCION_AYUDA "\n";

namespace {

// Página 1: geometría.
const char* const ayudaArchivo1 =
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n"
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

// Página 2: apoyos y conexiones.
const char* const ayudaArchivo2 =
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n"
    "**********         DE APOYOS Y CONEXIONES          ***************\n"
    "apoyo:\n"
    "\tUx Uy Uz giroX giroY giroZ\n"
    "\t{lista de nudos}\n"
    "articulacion:\n"
    "\tarticInicioY articFinY articInicioZ articFinZ\n"
    "\t{lista de barras}\n";

// Página 3: cargas.
const char* const ayudaArchivo3 =
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n"
    "**********                 DE CARGAS               ***************\n"
    "puntual:\n"
    "\tcasoCarga (texto sin espacios)\n"
    "\tPx Py Pz Mx My Mz\n"
    "\t{lista de nudos}\t\t\n"
    "pesoPropio: nombre_del_PP \n"
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
    "combo:\n"
    "\tnombreCombo\n"
    "\tFactorMayoracion1 CasoDeCarga1\n"
    "\tFactorMayoracion2 CasoDeCarga2\n"
    "\tFactorMayoracion3 CasoDeCarga3\n"
    "\tetc...\n";

// Página 4: escalas de ploteado.
const char* const ayudaArchivo4 =
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n"
    "**********        DE ESCALA DE PLOTEADO            ***************\n"
    "precision: cantidad de decimales (por defecto 3)\n"
    "escalaDef: escala deformaciones (por defecto 100 veces)\n"
    "escalaN: escala de diagramas de axiales (por defecto 0.1)\n"
    "escalaVy: escala de diagramas de cortante en Y (por defecto 0.1)\n"
    "escalaVz: escala de diagramas de cortante en Z(por defecto 0.1)\n"
    "escalaMy: escala de diagramas de momento flector en Y(por defecto 0.01)\n"
    "escalaMz: escala de diagramas de momento flector en Z(por defecto 0.01)\n"
    "escalaTexto: Tamaño de texto (Defecto 0.15 unidades de distancia)\n"
    "escalaCarga: Tamaño de cargas. (Por defecto 0.1)\n"
    "escalaApoyo: Tamaño de apoyos. (por defecto adopta un tamaño en función al tamaño de la estructura)\n";

}  // namespace

const char* const textosAyudaArchivo[kPaginasAyudaArchivo] = {ayudaArchivo1, ayudaArchivo2, ayudaArchivo3,
                                                             ayudaArchivo4};

const char* const textoDireccionesWeb = DIRECCION_WEB "\n" DIRECCION_AYUDA;
