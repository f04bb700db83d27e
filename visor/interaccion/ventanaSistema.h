// Lo que el teclado y el panel piden a la ventana y al proceso: estado de las
// teclas modificadoras, tamaño actual de la ventana, remodelar la proyección,
// pedir un redibujo, redibujar sin pausa mientras dure una animación y
// terminar. Son punteros reemplazables para que la línea de órdenes y los
// interruptores funcionen también sin ventana (pruebas).
#pragma once

#include <string>

namespace ventanaSistema {

extern int (*modificadores)();           // máscara GLUT_ACTIVE_SHIFT / CTRL / ALT
extern int (*anchoVentana)();            // ancho actual del área de dibujo
extern int (*altoVentana)();             // alto actual del área de dibujo
extern void (*redimensionar)(int, int);  // rehace viewport y proyección (changeSize)
extern void (*pedirRedibujo)();
extern void (*terminarPrograma)(int);    // estado de salida
extern void (*redibujoContinuo)(bool);   // una animación empieza (verdadero) o termina

// Vuelve a las funciones de freeglut y del proceso.
void usarSistemaReal();

// Título de la ventana actual en UTF-8, tal como lo muestran los gestores de ventanas.
void ponerTitulo(const std::string& titulo);

}  // namespace ventanaSistema
