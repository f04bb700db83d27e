#!/usr/bin/env bash
# Encuadre con los paneles en una ventana real bajo Xvfb: al arrancar, con F6
# y con las vistas F2 a F4 (en ortográfica, y en perspectiva tras Alt-c), ningún píxel del
# modelo (barras, apoyos, nudos) cae en la columna de botones, en la de
# combinaciones ni en los renglones de la línea de órdenes, y el modelo llena
# lo que queda libre. Una deformada y un diagrama de My a una escala que los
# saca lejos del modelo: F2 los encuadra enteros por debajo de la leyenda, y
# acercándose la escena se recorta en el borde de lo libre sin pasar bajo los
# paneles ni tapar la leyenda. Con un modo de vibración animado tras acercarse
# tanto que el modelo no cabe, la oscilación entera queda en lo libre en cada
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
# Ménsula de 15 m: a estas escalas la deformada cae unos 430 m y el diagrama
# de My sube unos 750 m en el empotramiento, lejos de las barras.
cat > mensula.txt <<'FIN'
nudos: 1 0 0 0  2 5 0 0  3 10 0 0  4 15 0 0   barras: 1 1 2  2 2 3  3 3 4
apoyo: 1 1 1 1 1 1  1
seccionRectangular: R 0.2 0.5 25e6 0.2 24  1 2 3
puntual: P 0 0 -10 0 0 0  4
combo: C1 1 P
escalaDeflexion: 2000   escalaMy: 5
FIN
rm -f captura-*.png
iniciar_pantalla

# Ventana de 1000 x 800: los botones llegan hasta x = 80, la columna de
# combinaciones empieza en x = 850 y el indicador de la línea de órdenes (un
# renglón) en y = 752; lo libre queda a 6 píxeles de cada uno.
izquierda=86 derecha=844 abajo=746
# Colores de la escena: barras, apoyos, nudos, la forma de un modo (y la
# deformada) y el diagrama de My (contorno, líneas internas y valores).
colores_modelo=("rgb(128,128,128)" "rgb(204,204,76)" "rgb(178,0,0)" "rgb(0,178,178)"
                "rgb(178,51,0)" "rgb(127,25,0)" "rgb(127,127,0)")
# Fondo opaco de la leyenda.
fondo_leyenda="rgb(15,15,20)"
# Píxeles de la escena en lo que tapan los paneles y, si se da la caja
# WxH+X+Y $2, en ella, con una sola lectura de la imagen: la unión de las
# máscaras de los colores de la escena, con lo libre pintado de negro, y la
# cuenta de lo que queda blanco (más lo blanco de la caja).
en_paneles() {
    local mascaras=() c recorte=()
    for c in "${colores_modelo[@]}"; do
        mascaras+=(\( -clone 0 -fill black +opaque "$c" -fill white -opaque "$c" \))
    done
    [ -n "${2:-}" ] && recorte=(\( mpr:escena -crop "$2" +repage \))
    convert "$1" -fuzz 2% "${mascaras[@]}" -delete 0 -background black -compose lighten -flatten \
        -write mpr:escena -fill black -draw "rectangle $izquierda,0 $derecha,$abajo" "${recorte[@]}" \
        -format '%[fx:round(mean*w*h)]\n' info: | awk '{ n += $1 } END { print n + 0 }'
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

# ---- Deformada y My a gran escala: F2 los encuadra bajo la leyenda ----
# Caja "WxH+X+Y" del fondo de la leyenda en la imagen $1.
caja_leyenda() {
    local a h x y
    read -r a h x y < <(caja "$1" "$fondo_leyenda")
    echo "${a}x${h}+${x#+}+${y#+}"
}
arrancar "$PWD/mensula.txt"
clic 930 727  # Calcular
orden "combo C1"
for capa in plotDef:rgb\(0,178,178\) plotMy:rgb\(178,51,0\); do
    nombre=${capa%%:*} color=${capa#*:}
    orden "$nombre"
    xdo mousemove --window "$wid" 500 780
    tecla F2
    ver "mensula_$nombre.png"
    leyenda=$(caja_leyenda "mensula_$nombre.png")
    [[ "$leyenda" =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || falla "$nombre: no se ve el fondo de la leyenda"
    bajo_leyenda=$((BASH_REMATCH[2] + BASH_REMATCH[4]))
    n=$(en_paneles "mensula_$nombre.png" "$leyenda")
    read -r a h x y < <(caja "mensula_$nombre.png" "$color")
    echo "$nombre con F2: $a x $h en ($x, $y), leyenda en $leyenda, $n píxeles de la escena bajo paneles y leyenda"
    [ "$n" -eq 0 ] || falla "$nombre: la escena cae bajo los paneles o la leyenda (mensula_$nombre.png)"
    # Entera en lo libre, sin tocar su borde (no recortada), y por debajo de la leyenda.
    [ "$x" -gt "$izquierda" ] && [ $((x + a)) -lt "$derecha" ] && [ "$y" -ge "$bajo_leyenda" ] &&
        [ $((y + h)) -lt "$abajo" ] || falla "$nombre: F2 no la encuadra entera bajo la leyenda (mensula_$nombre.png)"
    # Acercándose, la escena se recorta en lo libre y la leyenda se sigue leyendo.
    xdo mousemove --window "$wid" 300 200
    for _ in 1 2 3 4 5 6 7 8 9 10; do xdo click 4; done
    xdo mousemove --window "$wid" 500 780
    ver "mensula_${nombre}_cerca.png"
    n=$(en_paneles "mensula_${nombre}_cerca.png" "$(caja_leyenda "mensula_${nombre}_cerca.png")")
    read -r a h x y < <(caja "mensula_${nombre}_cerca.png" "$color")
    echo "$nombre de cerca: $a x $h en ($x, $y), $n píxeles de la escena bajo paneles y leyenda"
    [ "$n" -eq 0 ] || falla "$nombre de cerca: la escena cae bajo los paneles o la leyenda (mensula_${nombre}_cerca.png)"
    [ "$x" -le "$izquierda" ] || [ $((x + a)) -ge "$derecha" ] || [ "$y" -le 0 ] || [ $((y + h)) -ge "$abajo" ] ||
        falla "$nombre de cerca: debía llegar al borde de lo libre (mensula_${nombre}_cerca.png)"
done
salir_con_escape
sin_informes_de_sanitizadores

# ---- Un modo animado tras acercarse: la oscilación entera en lo libre ----
arrancar "$PWD/modos.txt"
clic 930 727  # Calcular
xdo mousemove --window "$wid" 500 400
for _ in 1 2 3 4 5 6 7 8; do xdo click 4; done
xdo mousemove --window "$wid" 500 780
ver cerca.png
# La viga no cabe: se recorta en el borde de lo libre.
read -r a _ x _ < <(caja cerca.png "rgb(128,128,128)")
[ "$x" -le "$izquierda" ] && [ $((x + a)) -ge "$derecha" ] ||
    falla "acercada, la viga debía salir de lo libre por los dos lados (cerca.png)"
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
