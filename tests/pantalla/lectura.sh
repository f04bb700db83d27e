#!/usr/bin/env bash
# Lo que un ingeniero lee en la ventana, bajo Xvfb: una orden desconocida se
# contesta; Tab no se escribe en la orden; la leyenda de My aparece junto a los
# botones; "barra N" resalta la barra (y un número que no existe no resalta
# nada); los números del diagrama se leen igual (no en espejo) mirando la viga
# de frente y, tras orbitar media vuelta con Shift y el botón izquierdo, de
# atrás; "modo 1" anima la forma modal de un pórtico (el visor redibuja
# mientras tanto) y "modo 0" la termina; un modo que no existe se contesta.
# Las respuestas de la línea de órdenes se esperan en capturas repetidas; lo
# demás se mira cuando vantra3d ya atendió lo enviado (ver, en lib/comun.sh).
# Al final Escape termina con 0.
#   bash lectura.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"

# Viga simplemente apoyada de 4 m de (1,0,2) a (5,0,2), carga vertical: My de C1 es 20 en el centro.
{
    viga_simple
    printf '%s\n' "distribuidaLocalY: D -10 -10  1" "combo: C1 1 D" "precision: 2  escalaTexto: 0.15  escalaMy: 0.04"
} > modelo.txt
abrir "$PWD/modelo.txt"

# Los colores de contar, con una tolerancia de 3 %.
tolerancia_color=3%
verde="rgb(0,255,0)"
# ¿Hay (o no hay) píxeles del color $6 en el rectángulo de actual.png?
hay() { [ "$(contar actual.png "$@")" -gt 0 ]; }
no_hay() { [ "$(contar actual.png "$@")" -eq 0 ]; }
# Repite capturas en actual.png hasta que la comprobación se cumpla.
esperar() { esperar_captura actual.png "$@"; }

esperar hay 0 0 999 799 "rgb(128,128,128)" || falla "no se ve la viga"

# ---- Orden desconocida: la respuesta es larga y llega a x = 250 en el renglón del indicador ----
renglon="250 752 600 768"
no_hay $renglon "$verde" || falla "el indicador inicial ya llegaba a x = 250"
orden xyzzy
esperar hay $renglon "$verde" || falla "la orden desconocida no se contestó"

# ---- Tab no entra en la orden: "plot<Tab>My" es plotMy ----
clic 930 727
ver actual.png
hay 12 197 78 205 "rgb(26,26,0)" || falla "Calcular no mostró los botones de resultados"
orden combo
orden C1
ver actual.png
leyenda="100 32 500 46"
no_hay $leyenda "$verde" || falla "hay leyenda sin capas de resultados"
xdo type --delay 15 "plot"
xdo key Tab
xdo type --delay 15 "My"
xdo key Return
ver momento.png
cp momento.png actual.png
hay 90 60 860 700 "rgb(178,51,0)" || falla "plot, Tab y My no mostró el diagrama My"
# ---- Leyenda de My C1 junto a los botones ----
hay $leyenda "$verde" || falla "no apareció la leyenda de My"

# ---- barra 1 resaltada en naranja; barra 9 no existe y quita el resaltado ----
naranja="rgb(255,153,0)"
orden "barra 1"
ver barra.png
cp barra.png actual.png
hay 90 60 860 700 "$naranja" || falla "barra 1 no resaltó la barra"
orden "barra 9"
ver actual.png
no_hay 90 60 860 700 "$naranja" || falla "barra 9 dejó un resaltado"

# ---- Números de My de frente (F2, mirando hacia +Y) y de atrás ----
texto="rgb(128,128,0)"
# Recorta los números del diagrama (su color) de la captura $1 en $2.
numeros() {
    convert "$1" -fuzz 3% -fill black +opaque "$texto" -fill white -opaque "$texto" -trim +repage "$2"
}
tecla F2
ver frente.png
cp frente.png actual.png
hay 90 60 860 700 "$texto" || falla "de frente no se ven los números"
# Media vuelta: 0.003 radianes por píxel, pi / 0.003 = 1047 píxeles en dos
# arrastres. Cada paso llega en orden tras el anterior: no hacen falta pausas.
for paso in 524 523; do
    xdo mousemove --window "$wid" 200 400
    xdo keydown shift
    xdo mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdo mousemove --window "$wid" $((200 + paso * i / 10)) 400
    done
    xdo mouseup 1
    xdo keyup shift
done
# Lo libre no está centrado en la ventana: la media vuelta deja el diagrama
# corrido contra su borde, donde la escena se recorta; F6 lo encuadra de atrás
# como F2 de frente.
tecla F6
ver atras.png
numeros frente.png frente_n.png
numeros atras.png atras_n.png
convert atras_n.png -flop atras_espejo.png
geo_f=$(identify -format '%wx%h' frente_n.png) geo_a=$(identify -format '%wx%h' atras_n.png)
echo "números de frente $geo_f, de atrás $geo_a"
if [ "$geo_f" = "$geo_a" ]; then
    igual=$(compare -metric AE frente_n.png atras_n.png null: 2>&1)
    espejo=$(compare -metric AE frente_n.png atras_espejo.png null: 2>&1)
    echo "píxeles distintos: de atrás $igual, de atrás en espejo $espejo"
    [ "${igual%% *}" -lt "${espejo%% *}" ] || falla "de atrás los números se leen en espejo"
else
    falla "los números de atrás no ocupan lo mismo que de frente ($geo_a y $geo_f)"
fi

# ---- "modo 1" anima la forma modal; "modo 0" la termina y el visor vuelve a quedar quieto ----
# Pórtico con dos masas en la viga; F5 lo carga y F6 lo encuadra.
cat > modelo.txt <<'FIN'
nudos: 1 1 0 0  2 1 0 2  3 5 0 2  4 5 0 0   barras: 1 1 2  2 2 3  3 4 3
apoyo: 1 1 1 1 1 1  1 4
seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1 2 3
masaNudo: 0.5  2 3   gravedad: 9.81   modos: 2
puntual: P 1 0 0 0 0 0  2   combo: C1 1 P
FIN
tecla F5
tecla F6
ver actual.png
no_hay 12 197 78 205 "rgb(26,26,0)" || falla "F5 no ocultó los botones de resultados"
clic 930 727
ver actual.png
hay 12 197 78 205 "rgb(26,26,0)" || falla "Calcular no analizó el pórtico"
cian="rgb(0,178,178)"
orden "modo 1"
esperar hay 90 60 860 700 "$cian" || falla "modo 1 no dibujó la forma modal"
# Se mueve: capturas seguidas hasta que la forma (su color) cambie de una a otra.
forma() {
    capturar "modo_$1.png" &&
        convert "modo_$1.png" -fuzz 3% -fill black +opaque "$cian" -fill white -opaque "$cian" -format '%#' info:
}
capturas=1
primera=$(forma 1)
otra_forma() {
    capturas=$((capturas + 1))
    [ "$(forma "$capturas")" != "$primera" ]
}
if hasta 0 otra_forma; then
    echo "la forma cambió en la captura $capturas"
else
    falla "la forma modal no se mueve ($capturas capturas iguales)"
fi
orden "modo 0"
ver actual.png
no_hay 90 60 860 700 "$cian" || falla "modo 0 no terminó la animación"
# Un modo que no existe se contesta en la línea de órdenes. Antes, una orden
# conocida vuelve al indicador corto (la respuesta a la captura es larga).
orden noTags
esperar no_hay $renglon "$verde" || falla "el indicador tras noTags llegaba a x = 250"
orden "modo 5"
esperar hay $renglon "$verde" || falla "modo 5 no se contestó"

salir_con_escape
sin_informes_de_sanitizadores
[ "$fallos" -eq 0 ] || fallar "$fallos comprobaciones fallaron; capturas en $trabajo"
echo "Lectura: órdenes, Tab, leyenda, barra, números legibles de los dos lados y modos: bien"
