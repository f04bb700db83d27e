#!/usr/bin/env bash
# Cámara, ayuda y captura en una ventana real bajo Xvfb, con el modelo de
# ejemplo: la página de ayuda tapa el modelo con su fondo oscuro y nombra F2
# como la vista XZ y F3 como la YZ; F6 vuelve a
# ver el modelo entero tras alejarse; F2 lo encuadra sin cortarlo; en
# ortográfica, un paso de rueda tras F2 cambia la escala un 10 % y no más.
# Antes que nada, "captura" guarda la ventana como captura-001.png y luego
# captura-002.png junto al modelo, iguales a la ventana; después cada imagen se
# toma cuando vantra3d ya atendió las teclas y la rueda (ver, en lib/comun.sh),
# que sigue numerando las capturas. Al final Escape termina con estado 0.
#   bash vista.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"
abrir_ejemplo ingresoDatos.txt

# Caja "ancho alto x y" de las barras (gris) en la imagen.
caja() {
    convert "$1" -fuzz 2% -fill black +opaque "$gris" -fill white -opaque "$gris" -trim -format '%w %h %X %Y' info:
}
hay_gris() { [ "$(contar actual.png 0 0 999 799 "$gris")" -gt 200 ]; }
esperar_captura actual.png hay_gris || fallar "no se ve el modelo"

# ---- captura: captura-001.png y captura-002.png junto al modelo, iguales a la ventana ----
orden captura
hasta 0.05 png_entero captura-001.png || falla "captura no guardó captura-001.png junto al modelo"
orden captura
hasta 0.05 png_entero captura-002.png || falla "la segunda captura no es captura-002.png"
if png_entero captura-001.png && png_entero captura-002.png; then
    for c in captura-001.png captura-002.png; do
        [ "$(identify -format '%m %wx%h' "$c")" = "PNG 1000x800" ] || falla "$c no es un PNG de 1000 x 800"
    done
    barras=$(contar captura-002.png 0 0 999 799 "$gris")
    echo "barras en la captura: $barras"
    [ "$barras" -gt 200 ] || falla "la captura no muestra el modelo"
    # La ventana llega a ser igual a la captura salvo la respuesta, que se dibuja en el cuadro siguiente.
    ultima_captura=captura-002.png
    esperar_captura ventana.png igual_a_la_captura ventana.png ||
        falla "la captura no muestra lo que la ventana ($(distintos_salvo_respuesta ventana.png captura-002.png) píxeles distintos)"
fi
ver inicio.png

# ---- Ayuda sobre un fondo oscuro: dentro de la página no se ve el modelo ----
read -r ancho alto x0 y0 < <(caja inicio.png)
echo "modelo al arrancar: $ancho x $alto en ($x0, $y0)"
tecla F1
ver ayuda.png
adentro=$(contar ayuda.png 90 20 400 500 "$gris")
fondo=$(contar ayuda.png 90 20 400 500 "rgb(15,15,20)")
echo "con la ayuda: $adentro píxeles de barras y $fondo de fondo en la página"
[ "$(contar inicio.png 90 20 400 500 "$gris")" -gt 0 ] || falla "el modelo no pasaba por la zona de la ayuda"
[ "$adentro" -eq 0 ] || falla "el modelo se ve a través de la ayuda"
[ "$fondo" -gt 10000 ] || falla "la ayuda no tiene fondo oscuro"

# ---- La ayuda nombra cada vista con el plano que muestra (F2 mira hacia +Y) ----
# Lo que se escribe en la línea de órdenes se dibuja con la fuente de la
# ayuda: un texto escrito debe aparecer píxel a píxel en la página (búsqueda
# de subimagen) si la ayuda lo dice, y no si no lo dice. Se toma una franja
# del cuerpo de las letras (7 píxeles sobre la línea base del renglón de lo
# escrito, y = 776) sin el "/>" del comienzo, y se la busca en la columna
# izquierda de la página.
franja='700x8+0+769'
# Máscara de lo verde (el texto de la ayuda y de la línea) de un recorte de la imagen.
mascara() { convert "$1" -crop "$2" +repage -channel G -separate +channel -threshold 60% "$3"; }
mascara ayuda.png "$franja" indicador.png
read -r ancho_ind x_ind < <(convert indicador.png -trim -format '%w %X' info:)
fin_indicador=$((x_ind + ancho_ind))
fondo_ayuda() { [ "$(contar "$1" 90 20 400 500 "rgb(15,15,20)")" -gt 10000 ]; }
sin_ayuda() { ! fondo_ayuda "$1"; }
# ¿Aparece el texto $1, escrito en la línea, en la página de ayuda? Deja la imagen en ayuda_$2.png.
en_la_ayuda() {
    xdo windowfocus "$wid"
    xdo type --delay 15 "$1"
    # F1 dos veces: cuando la página vuelve a verse, todo lo escrito ya se atendió.
    tecla F1
    esperar_captura "sin_$2.png" sin_ayuda "sin_$2.png" || fallar "F1 no ocultó la ayuda"
    tecla F1
    esperar_captura "ayuda_$2.png" fondo_ayuda "ayuda_$2.png" || fallar "F1 no volvió a mostrar la ayuda"
    mascara "ayuda_$2.png" "$((700 - fin_indicador))x8+$fin_indicador+769" "escrito_$2.png"
    convert "escrito_$2.png" -trim +repage "escrito_$2.png"
    mascara "ayuda_$2.png" 130x600+82+10 "pagina_$2.png"
    diferencia=$(compare -metric AE -dissimilarity-threshold 1e9 -subimage-search "pagina_$2.png" "escrito_$2.png" \
        null: 2>&1 | cut -d' ' -f1)
    xdo key --repeat "${#1}" BackSpace
    echo "\"$1\" en la ayuda: $diferencia píxeles distintos en el mejor lugar"
    [[ "$diferencia" =~ ^[0-9]+$ ]] || fallar "compare no pudo buscar \"$1\" en la ayuda: $diferencia"
    [ "$diferencia" -eq 0 ]
}
en_la_ayuda "vista XZ: F2" xz || falla "la ayuda no dice \"vista XZ: F2\""
en_la_ayuda "vista YZ: F3" yz || falla "la ayuda no dice \"vista YZ: F3\""
en_la_ayuda "vista XY: F4" xy || falla "la ayuda no dice \"vista XY: F4\""
! en_la_ayuda "vista YZ: F2" yz2 || falla "la ayuda dice \"vista YZ: F2\""
! en_la_ayuda "vista XZ: F3" xz3 || falla "la ayuda dice \"vista XZ: F3\""
tecla F1

# ---- Lejos y con F6 de vuelta a ver todo ----
xdo mousemove --window "$wid" 500 400
for _ in 1 2 3 4 5 6 7 8 9 10 11 12; do xdo click 5; done
ver lejos.png
read -r ancho_lejos _ < <(caja lejos.png)
tecla F6
ver f6.png
read -r ancho_f6 alto_f6 x_f6 y_f6 < <(caja f6.png)
echo "ancho del modelo: lejos $ancho_lejos, con F6 $ancho_f6 ($alto_f6 de alto en $x_f6, $y_f6)"
[ "$ancho_f6" -gt $((ancho_lejos * 3)) ] || falla "F6 no acercó el modelo"
[ "$x_f6" -gt 0 ] && [ "$y_f6" -gt 0 ] && [ $((x_f6 + ancho_f6)) -lt 1000 ] && [ $((y_f6 + alto_f6)) -lt 800 ] ||
    falla "con F6 el modelo queda cortado"

# ---- F2 encuadra sin cortar, en perspectiva y en ortográfica ----
# (F2 ve en ortográfica; Alt-c pasa a perspectiva, y F2 otra vez, a ortográfica.)
for modo in perspectiva ortografica; do
    tecla F2
    [ "$modo" = perspectiva ] && tecla alt+c
    ver "f2_$modo.png"
    read -r a h x y < <(caja "f2_$modo.png")
    echo "F2 en $modo: $a x $h en ($x, $y)"
    [ "$x" -gt 0 ] && [ $((x + a)) -lt 1000 ] && [ "$a" -gt 500 ] || falla "F2 en $modo no encuadra el modelo"
done
# Un paso de rueda en ortográfica tras F2: el volumen crece un 10 %, el modelo
# se ve 1 / 1.1 del ancho, sin salto.
xdo mousemove --window "$wid" 500 400
xdo click 5
ver rueda.png
read -r a_rueda _ < <(caja rueda.png)
echo "ancho tras la rueda: $a_rueda (antes $a)"
[ $((a_rueda * 100)) -gt $((a * 87)) ] && [ $((a_rueda * 100)) -lt $((a * 95)) ] ||
    falla "el primer paso de rueda en ortográfica no fue del 10 % ($a a $a_rueda)"

salir_con_escape
sin_informes_de_sanitizadores
[ "$fallos" -eq 0 ] || fallar "$fallos comprobaciones fallaron; capturas en $trabajo"
echo "Vista: ayuda con fondo, F6, F2 en las dos proyecciones, rueda en ortográfica y captura: bien"
