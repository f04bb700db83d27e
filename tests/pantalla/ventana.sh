#!/usr/bin/env bash
# Prueba de ventana real: abre vantra3d con el modelo de ejemplo en una pantalla
# virtual (Xvfb), busca la ventana por su título, la fotografía y comprueba en
# los píxeles el fondo negro, el gris de las barras, los colores de los tres
# ejes y el de los apoyos. Después orbita con el botón central (también hasta
# la vertical y de vuelta), acerca con la rueda y comprueba que la imagen
# cambia y que el modelo sigue dibujado.
#   bash ventana.sh <ejecutable vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 0 si todo está bien, 1 si algo falla y 77 (saltada) sólo cuando la
# pantalla virtual no puede arrancar.
set -u

exe=${1:?falta el ejecutable}
ejemplos=${2:?falta la carpeta de ejemplos}
trabajo=${3:?falta la carpeta de trabajo}
titulo='Vantra 3D v6.0'

# Rutas absolutas: la prueba trabaja dentro de su carpeta.
case "$exe" in /*) ;; *) exe="$PWD/$exe" ;; esac
case "$ejemplos" in /*) ;; *) ejemplos="$PWD/$ejemplos" ;; esac
mkdir -p "$trabajo" && cd "$trabajo" || exit 1
rm -f ./*.png ./*.log pantalla.txt

xvfb_pid=""
app_pid=""
terminar() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    app_pid=""
    xvfb_pid=""
}
trap terminar EXIT

saltar() {
    echo "PRUEBA SALTADA: $*"
    exit 77
}
fallar() {
    echo "FALLO: $*"
    if [ -s app.log ]; then
        echo "--- últimas líneas de vantra3d ---"
        tail -n 20 app.log
    fi
    exit 1
}

command -v Xvfb >/dev/null || saltar "Xvfb no está instalado (herramientas/dependencias.sh lo instala)"
for herramienta in xdotool import convert compare; do
    command -v "$herramienta" >/dev/null || fallar "falta $herramienta (herramientas/dependencias.sh lo instala)"
done
[ -x "$exe" ] || fallar "no existe el ejecutable $exe"
[ -f "$ejemplos/ingresoDatos.txt" ] || fallar "no existe $ejemplos/ingresoDatos.txt"

# Xvfb elige una pantalla libre y escribe su número cuando está lista.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>pantalla.txt 2>xvfb.log &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s pantalla.txt ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
if ! [ -s pantalla.txt ]; then
    saltar "Xvfb no pudo arrancar: $(tail -n 3 xvfb.log | tr '\n' ' ')"
fi
export DISPLAY=":$(head -n 1 pantalla.txt)"
echo "Pantalla virtual $DISPLAY"

# Dibujo por software (mesa), sin depender de una placa de video.
LIBGL_ALWAYS_SOFTWARE=1 "$exe" "$ejemplos/ingresoDatos.txt" >app.log 2>&1 </dev/null &
app_pid=$!

# Busca la ventana por su título, a lo sumo 60 s, atento a que el programa siga vivo.
wid=""
for _ in $(seq 60); do
    kill -0 "$app_pid" 2>/dev/null || fallar "vantra3d terminó antes de abrir su ventana"
    wid=$(timeout 1 xdotool search --sync --onlyvisible --name "^${titulo}\$" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
done
[ -n "$wid" ] || fallar "no apareció la ventana \"$titulo\" en 60 s"

captura() {
    timeout 20 import -window "$wid" "$1" 2>>import.log
}

# Píxeles de la imagen $1 cuyo color está a lo sumo a $5 de (r, g, b) = ($2, $3, $4) en cada canal.
cuenta() {
    convert "$1" -depth 8 -format %c histogram:info:- |
        sed -n 's/^ *\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1 \2 \3 \4/p' |
        awk -v r="$2" -v g="$3" -v b="$4" -v t="$5" '
            function abs(x) { return x < 0 ? -x : x }
            abs($2 - r) <= t && abs($3 - g) <= t && abs($4 - b) <= t { n += $1 }
            END { print n + 0 }'
}

# Comprueba que la imagen muestra el modelo: fondo negro, barras grises, ejes y apoyos.
verificar_modelo() {
    local img=$1 total negro gris rojo verde azul apoyo esquina
    total=$(convert "$img" -format '%[fx:w*h]' info:)
    negro=$(cuenta "$img" 0 0 0 0)
    esquina=$(convert "$img" -format '%[pixel:p{2,2}]' info:)
    gris=$(cuenta "$img" 127 127 127 1)
    rojo=$(cuenta "$img" 255 0 0 0)
    verde=$(cuenta "$img" 0 255 0 0)
    azul=$(cuenta "$img" 0 0 255 0)
    apoyo=$(cuenta "$img" 204 204 76 1)
    echo "$img: $total píxeles; negro $negro, gris $gris, rojo $rojo, verde $verde, azul $azul, apoyos $apoyo, esquina $esquina"
    [ $((negro * 2)) -gt "$total" ] || { echo "  el fondo no es negro"; return 1; }
    case "$esquina" in srgb\(0,0,0\) | black | "rgb(0,0,0)") ;; *) echo "  la esquina no es negra"; return 1 ;; esac
    [ "$gris" -ge 300 ] || { echo "  faltan las barras grises"; return 1; }
    [ "$rojo" -ge 10 ] || { echo "  falta el eje X rojo"; return 1; }
    [ "$verde" -ge 10 ] || { echo "  falta el eje Y verde"; return 1; }
    [ "$azul" -ge 10 ] || { echo "  falta el eje Z azul"; return 1; }
    [ "$apoyo" -ge 20 ] || { echo "  faltan los símbolos de apoyo"; return 1; }
    return 0
}

# Espera (a lo sumo unos 15 s) una imagen que muestre el modelo y, si se da $2,
# que además difiera de esa imagen anterior.
esperar_imagen() {
    local salida=$1 anterior=${2:-} distintos
    for _ in $(seq 30); do
        kill -0 "$app_pid" 2>/dev/null || fallar "vantra3d terminó de forma inesperada"
        if captura "$salida"; then
            if [ -z "$anterior" ]; then
                verificar_modelo "$salida" >/dev/null && return 0
            else
                distintos=$(compare -metric AE "$anterior" "$salida" null: 2>&1)
                distintos=${distintos%% *}
                if [ "${distintos%.*}" -gt 200 ] 2>/dev/null && verificar_modelo "$salida" >/dev/null; then
                    echo "$salida: $distintos píxeles distintos de $anterior"
                    return 0
                fi
            fi
        fi
        sleep 0.5
    done
    verificar_modelo "$salida"
    return 1
}

xdo() {
    timeout 10 xdotool "$@" || fallar "xdotool $* no respondió"
}

# Arrastre con el botón central de (x1, y1) a (x2, y2) en pasos.
arrastre_central() {
    local x1=$1 y1=$2 x2=$3 y2=$4 i
    xdo mousemove --window "$wid" "$x1" "$y1"
    sleep 0.2
    xdo mousedown 2
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdo mousemove --window "$wid" $((x1 + (x2 - x1) * i / 10)) $((y1 + (y2 - y1) * i / 10))
        sleep 0.05
    done
    xdo mouseup 2
}

esperar_imagen inicio.png || fallar "la primera imagen no muestra el modelo"
verificar_modelo inicio.png || fallar "la primera imagen no muestra el modelo"

arrastre_central 500 400 580 440
esperar_imagen orbita.png inicio.png || fallar "orbitar con el botón central no cambió la imagen"

xdo mousemove --window "$wid" 500 400
xdo click 4
esperar_imagen rueda.png orbita.png || fallar "un paso de la rueda no cambió la imagen"

# Hasta la vertical (la elevación se detiene allí) y de vuelta: la vista sigue sana.
arrastre_central 500 100 500 750
esperar_imagen vertical.png rueda.png || fallar "la vista desde la vertical no muestra el modelo"
arrastre_central 500 700 500 400
esperar_imagen vuelta.png vertical.png || fallar "al bajar desde la vertical la vista no se recupera"

kill -0 "$app_pid" 2>/dev/null || fallar "vantra3d terminó de forma inesperada"
# Compilado con los sanitizadores, un error de memoria o de comportamiento
# indefinido queda escrito en la salida del programa.
if grep -E -q 'runtime error|AddressSanitizer|LeakSanitizer' app.log; then
    fallar "los sanitizadores informaron errores"
fi
echo "Ventana, dibujo del modelo, órbita, rueda y vuelta desde la vertical: correctos"
exit 0
