#!/usr/bin/env bash
# Ventana real: abre vantra3d con el modelo de ejemplo en una pantalla virtual
# (Xvfb), busca la ventana por su título y comprueba en los píxeles el fondo
# negro, el gris de las barras, los colores de los tres ejes y el de los apoyos.
# Luego orbita con el botón central (también hasta la vertical y de vuelta) y
# acerca con la rueda: la imagen debe cambiar y el modelo seguir dibujado.
# Cada imagen se toma cuando vantra3d ya atendió todo el arrastre o la rueda
# (ver, en lib/comun.sh). Al final Escape debe terminar el programa con estado
# 0: así un error de los sanitizadores al salir tampoco pasa inadvertido.
#   bash ventana.sh <ejecutable vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 0 si todo está bien, 1 si algo falla y 77 (saltada) sólo cuando la
# pantalla virtual no puede arrancar.
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"
# Las capturas de la orden "captura" se guardan junto al modelo: una copia en la carpeta de trabajo.
cp "$ejemplos/ingresoDatos.txt" .
iniciar_pantalla
arrancar "$PWD/ingresoDatos.txt"
xdo mousemove --window "$wid" 500 400

# Fondo negro (más de la mitad y la esquina), barras grises, ejes rojo, verde y
# azul, apoyos. Desde la vertical el eje Z se ve de punta y su letra puede
# quedar recortada bajo la línea de órdenes: ahí el azul no se exige.
verificar_modelo() {
    local img=$1 total negro esquina gris rojo verde azul apoyo
    total=$(convert "$img" -format '%[fx:w*h]' info:)
    esquina=$(color_en "$img" 2 2)
    negro=$(pixeles_de_color "$img" 0 0 0 0) gris=$(pixeles_de_color "$img" 127 127 127 1)
    apoyo=$(pixeles_de_color "$img" 204 204 76 1) rojo=$(pixeles_de_color "$img" 255 0 0 0)
    verde=$(pixeles_de_color "$img" 0 255 0 0) azul=$(pixeles_de_color "$img" 0 0 255 0)
    echo "$img: negro $negro de $total, esquina $esquina, gris $gris, rojo $rojo, verde $verde, azul $azul, apoyos $apoyo"
    [ $((negro * 2)) -gt "$total" ] && color_cercano "$esquina" "0 0 0" 0 && [ "$gris" -ge 300 ] &&
        [ "$rojo" -ge 10 ] && [ "$verde" -ge 10 ] && { [ "$img" = vertical.png ] || [ "$azul" -ge 10 ]; } &&
        [ "$apoyo" -ge 20 ]
}

# Toma la imagen $1 cuando vantra3d ya atendió todo lo enviado: ¿muestra el
# modelo y, si se da $2, difiere de esa imagen anterior en más de 200 píxeles
# (fuera del renglón de la respuesta, que cambia con cada captura)?
imagen() {
    local salida=$1 anterior=${2:-} distintos
    ver "$salida"
    verificar_modelo "$salida" || return 1
    [ -z "$anterior" ] && return 0
    distintos=$(distintos_salvo_respuesta "$anterior" "$salida")
    echo "$salida: $distintos píxeles distintos de $anterior"
    [ "$distintos" -gt 200 ]
}

# Arrastre con el botón central de ($1, $2) a ($3, $4), en diez pasos. Cada
# xdotool termina cuando el servidor X ya procesó su movimiento: los pasos
# llegan en orden sin pausas.
arrastre_central() {
    xdo mousemove --window "$wid" "$1" "$2"
    xdo mousedown 2
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdo mousemove --window "$wid" $(($1 + ($3 - $1) * i / 10)) $(($2 + ($4 - $2) * i / 10))
    done
    xdo mouseup 2
}

# El primer cuadro ya muestra el modelo entero.
imagen inicio.png || fallar "la primera imagen no muestra el modelo"

arrastre_central 500 400 580 440
imagen orbita.png inicio.png || fallar "orbitar con el botón central no cambió la imagen"

xdo mousemove --window "$wid" 500 400
xdo click 4
imagen rueda.png orbita.png || fallar "un paso de la rueda no cambió la imagen"

# Hasta la vertical (la elevación se detiene allí) y de vuelta: la vista sigue sana.
arrastre_central 500 100 500 750
imagen vertical.png rueda.png || fallar "la vista desde la vertical no muestra el modelo"
arrastre_central 500 700 500 400
imagen vuelta.png vertical.png || fallar "al bajar desde la vertical la vista no se recupera"

salir_con_escape
sin_informes_de_sanitizadores
echo "Ventana, dibujo del modelo, órbita, rueda y vuelta desde la vertical: correctos; Escape terminó con estado 0"
exit 0
