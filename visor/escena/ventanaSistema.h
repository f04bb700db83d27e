// Lo que el teclado, el ratón, el panel, la cámara y la animación de los modos
// piden a la ventana y al proceso: estado de las teclas modificadoras, tamaño
// actual de la ventana, remodelar la proyección, pedir un redibujo, redibujar
// sin pausa mientras dure una animación y terminar. Son punteros
// reemplazables: al abrir la ventana la plataforma pone los de freeglut
// (plataforma/sistemaGlut.h); hasta entonces, y en las pruebas, la línea de
// órdenes y los interruptores funcionan sin ventana. Está debajo de todo el
// visor para que cualquier parte pueda pedir sin conocer la ventana.
#pragma once

namespace ventanaSistema {

extern int (*modificadores)();           // máscara de kModificadorShift / Ctrl / Alt / Otro (teclas.h)
extern int (*anchoVentana)();            // ancho actual del área de dibujo
extern int (*altoVentana)();             // alto actual del área de dibujo
extern void (*redimensionar)(int, int);  // rehace viewport y proyección (changeSize)
extern void (*pedirRedibujo)();
extern void (*terminarPrograma)(int);    // estado de salida
extern void (*redibujoContinuo)(bool);   // una animación empieza (verdadero) o termina

// Pone las siete funciones de una vez, en el orden de arriba.
void usar(int (*teclasModificadoras)(), int (*ancho)(), int (*alto)(), void (*remodelar)(int, int),
          void (*redibujo)(), void (*terminar)(int), void (*continuo)(bool));

// Vuelve a las funciones sin ventana: ninguna tecla modificadora, una ventana
// de 0 x 0, nada que remodelar ni redibujar, y terminar sale del proceso.
void usarSinVentana();

}  // namespace ventanaSistema
