#!/usr/bin/env bash
# Encuadre con los paneles en una ventana real bajo Xvfb: al arrancar, con F6
# y con las vistas F2 a F4 (en ortográfica, y en perspectiva tras Alt-c), ningún píxel del
# modelo (barras, apoyos, nudos) cae en la columna de botones, en la de
# combinaciones ni en los renglones de la línea de órdenes, y el modelo llena
# lo que queda libre. Con un modo de vibración animado tras acercarse tanto
# que el modelo no cabe, la oscilación entera queda en lo libre en cada
# cuadro. Cada imagen se toma cuando vantra3d ya atendió lo enviado (ver, en
# lib/comun.sh); los cuadros de la animación, uno tras otro.
#   bash encuadre.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"
cp "$ejemplos/edificio.txt" "$ejemplos/portico_plano.txt" .
# Viga apoyada de 10 m con su masa: sus modos la mueven de lado y hacia arriba.
cat > modos.txt <<'FIN'
nudos: 1 0 0 0  2 5 0 0  3 10 0 0   barras: 1 1 2  2 2 3
apoyo: 1 1 1 1 0 0  1   apoyo: 0 1 1 0 0 0  3
seccionRectangular: R 0.3 0.5 25e6 0.2 24  1 2
modos: 1   gravedad: 9.81
FIN
rm -f captura-*.png
iniciar_pantalla

# Ventana de 1000 x 800: los botones llegan hasta x = 80, la columna de
# combinaciones empieza en x = 850 y el indicador de la línea de órdenes (un
# renglón) en y = 752; lo libre queda a 6 píxeles de cada uno.
izquierda=86 derecha=844 abajo=746
# Colores del modelo: barras, apoyos, nudos y la forma de un modo.
colores_modelo=("rgb(128,128,128)" "rgb(204,204,76)" "rgb(178,0,0)" "rgb(0,178,178)")
# Píxeles del modelo en lo que tapan los paneles, con una sola lectura de la
# imagen: la unión de las máscaras de los colores del modelo, con lo libre
# pintado de negro, y la cuenta de lo que queda blanco.
en_paneles() {
    local mascaras=() c
    for c in "${colores_modelo[@]}"; do
        mascaras+=(\( -clone 0 -fill black +opaque "$c" -fill white -opaque "$c" \))
    done
    convert "$1" -fuzz 2% "${mascaras[@]}" -delete 0 -background black -compose lighten -flatten \
        -fill black -draw "rectangle $izquierda,0 $derecha,$abajo" -format '%[fx:round(mean*w*h)]' info:
}
# Caja "ancho alto x y" de lo que tiene el color $2 en la imagen $1.
caja() {
    convert "$1" -fuzz 2% -fill black +opaque "$2" -fill white -opaque "$2" -trim -format '%w %h %X %Y' info:
}
# La imagen $1 ($2: qué se hizo) no tiene el modelo bajo los paneles y lo muestra llenando lo libre.
revisar() {
    local n a h x y
    n=$(en_paneles "$1")
    read -r a h x y < <(caja "$1" "rgb(128,128,128)")
    echo "$2: barras de $a x $h en ($x, $y), $n píxeles del modelo bajo los paneles"
    [ "$n" -eq 0 ] || falla "$2: el modelo cae bajo los paneles ($1)"
    [ $((a * 100)) -gt $(((derecha - izquierda) * 70)) ] || [ $((h * 100)) -gt $((abajo * 70)) ] ||
        falla "$2: el modelo no llena lo libre ($1)"
}

# El edificio con todas las vistas; el pórtico plano, ancho en X y sin
# profundidad, de frente (F2) en las dos proyecciones.
declare -A vistas=([edificio]="F6 F2 F3 F4" [portico_plano]="F2")
for modelo in edificio portico_plano; do
    arrancar "$PWD/$modelo.txt"
    xdo mousemove --window "$wid" 500 780
    ver "${modelo}_arranque.png"
    revisar "${modelo}_arranque.png" "$modelo al arrancar"
    # Antes, lejos: cada vista vuelve a encuadrar. F2 a F4 ven en ortográfica
    # y Alt-c tras ellas pasa a perspectiva; F6, en la proyección que haya,
    # una vez en cada una.
    for vista in ${vistas[$modelo]}; do
        xdo mousemove --window "$wid" 500 400
        for _ in 1 2 3 4 5; do xdo click 5; done
        xdo mousemove --window "$wid" 500 780
        tecla "$vista"
        ver "${modelo}_$vista.png"
        revisar "${modelo}_$vista.png" "$modelo, $vista"
        tecla alt+c
        ver "${modelo}_${vista}_altc.png"
        revisar "${modelo}_${vista}_altc.png" "$modelo, $vista y Alt-c"
    done
    salir_con_escape
    sin_informes_de_sanitizadores
done

# ---- Un modo animado tras acercarse: la oscilación entera en lo libre ----
arrancar "$PWD/modos.txt"
clic 930 727  # Calcular
xdo mousemove --window "$wid" 500 400
for _ in 1 2 3 4 5 6 7 8; do xdo click 4; done
xdo mousemove --window "$wid" 500 780
ver cerca.png
[ "$(en_paneles cerca.png)" -gt 0 ] || falla "acercada, la viga debía salir de lo libre (cerca.png)"
# Mientras dura la animación la ventana cambia en cada cuadro: se sincroniza
# con la captura que guarda vantra3d, sin compararla con la ventana.
orden "modo 1"
sincronizar
# Cuadros seguidos de la animación (un ciclo por segundo): ninguno sale de lo libre y la forma se mueve.
altos=""
for i in $(seq -w 1 8); do
    capturar "modo_$i.png" || fallar "no se pudo capturar la ventana"
    n=$(en_paneles "modo_$i.png")
    [ "$n" -eq 0 ] || falla "cuadro $i de la animación: $n píxeles del modelo bajo los paneles (modo_$i.png)"
    read -r _ h _ y < <(caja "modo_$i.png" "rgb(0,178,178)")
    altos="$altos $y:$h"
done
echo "forma del modo (y:alto) en cada cuadro:$altos"
[ "$(tr ' ' '\n' <<<"$altos" | sort -u | grep -c .)" -gt 2 ] || falla "la forma del modo no se movió entre cuadros"

salir_con_escape
sin_informes_de_sanitizadores
[ "$fallos" -eq 0 ] || fallar "$fallos comprobaciones fallaron; capturas en $trabajo"
echo "Encuadre con los paneles (arranque, F6, F2 a F4, las dos proyecciones) y modo animado: bien"
