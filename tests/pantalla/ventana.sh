#!/usr/bin/env bash
# Ventana real: abre vantra3d con el modelo de ejemplo en una pantalla virtual
# (Xvfb), busca la ventana por su título y comprueba en los píxeles el fondo
# negro, el gris de las barras, los colores de los tres ejes y el de los apoyos.
# Luego orbita con el botón central (también hasta la vertical y de vuelta) y
# acerca con la rueda: la imagen debe cambiar y el modelo seguir dibujado.
#   bash ventana.sh <ejecutable vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 0 si todo está bien, 1 si algo falla y 77 (saltada) sólo cuando la
# pantalla virtual no puede arrancar.
set -u
exe=${1:?falta el ejecutable}
ejemplos=${2:?falta la carpeta de ejemplos}
trabajo=${3:?falta la carpeta de trabajo}
titulo='Vantra 3D v6.0'
case "$exe" in /*) ;; *) exe="$PWD/$exe" ;; esac
case "$ejemplos" in /*) ;; *) ejemplos="$PWD/$ejemplos" ;; esac
mkdir -p "$trabajo" && cd "$trabajo" || exit 1
rm -f ./*.png ./*.log pantalla.txt

xvfb_pid="" app_pid=""
terminar() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap terminar EXIT
saltar() { echo "PRUEBA SALTADA: $*"; exit 77; }
fallar() {
    echo "FALLO: $*"
    [ -s app.log ] && { echo "--- últimas líneas de vantra3d ---"; tail -n 20 app.log; }
    exit 1
}
vivo() { kill -0 "$app_pid" 2>/dev/null || fallar "vantra3d terminó de forma inesperada"; }

command -v Xvfb >/dev/null || saltar "Xvfb no está instalado (herramientas/dependencias.sh lo instala)"
for h in xdotool import convert compare; do
    command -v "$h" >/dev/null || fallar "falta $h (herramientas/dependencias.sh lo instala)"
done
[ -x "$exe" ] || fallar "no existe el ejecutable $exe"
[ -f "$ejemplos/ingresoDatos.txt" ] || fallar "no existe $ejemplos/ingresoDatos.txt"

# Xvfb elige una pantalla libre y escribe su número cuando está lista.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>pantalla.txt 2>xvfb.log &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s pantalla.txt ] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
    sleep 0.1
done
[ -s pantalla.txt ] || saltar "Xvfb no pudo arrancar: $(tail -n 3 xvfb.log | tr '\n' ' ')"
export DISPLAY=":$(head -n 1 pantalla.txt)"
echo "Pantalla virtual $DISPLAY"

# Dibujo por software (mesa), sin placa de video.
LIBGL_ALWAYS_SOFTWARE=1 "$exe" "$ejemplos/ingresoDatos.txt" >app.log 2>&1 </dev/null &
app_pid=$!
wid=""
for _ in $(seq 60); do  # a lo sumo 60 s
    vivo
    wid=$(timeout 1 xdotool search --sync --onlyvisible --name "^${titulo}\$" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break
done
[ -n "$wid" ] || fallar "no apareció la ventana \"$titulo\" en 60 s"

# Píxeles de la imagen $1 a lo sumo a $5 de (r, g, b) = ($2, $3, $4) en cada canal.
cuenta() {
    convert "$1" -depth 8 -format %c histogram:info:- |
        sed -n 's/^ *\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1 \2 \3 \4/p' |
        awk -v r="$2" -v g="$3" -v b="$4" -v t="$5" '
            function abs(x) { return x < 0 ? -x : x }
            abs($2 - r) <= t && abs($3 - g) <= t && abs($4 - b) <= t { n += $1 }
            END { print n + 0 }'
}

# Fondo negro (más de la mitad y la esquina), barras grises, ejes rojo, verde y azul, apoyos.
verificar_modelo() {
    local img=$1 total negro esquina gris rojo verde azul apoyo
    total=$(convert "$img" -format '%[fx:w*h]' info:)
    esquina=$(convert "$img" -format '%[fx:255*(r+g+b)]' -crop 1x1+2+2 info:)
    negro=$(cuenta "$img" 0 0 0 0) gris=$(cuenta "$img" 127 127 127 1) apoyo=$(cuenta "$img" 204 204 76 1)
    rojo=$(cuenta "$img" 255 0 0 0) verde=$(cuenta "$img" 0 255 0 0) azul=$(cuenta "$img" 0 0 255 0)
    echo "$img: negro $negro de $total, esquina $esquina, gris $gris, rojo $rojo, verde $verde, azul $azul, apoyos $apoyo"
    [ $((negro * 2)) -gt "$total" ] && [ "$esquina" = 0 ] && [ "$gris" -ge 300 ] && [ "$rojo" -ge 10 ] &&
        [ "$verde" -ge 10 ] && [ "$azul" -ge 10 ] && [ "$apoyo" -ge 20 ]
}

# Espera (unos 15 s a lo sumo) una captura $1 que muestre el modelo y, si se da
# $2, que difiera de esa captura anterior en más de 200 píxeles.
esperar_imagen() {
    local salida=$1 anterior=${2:-} distintos
    for _ in $(seq 30); do
        vivo
        if timeout 20 import -window "$wid" "$salida" 2>>import.log && verificar_modelo "$salida" >/dev/null; then
            [ -z "$anterior" ] && return 0
            distintos=$(compare -metric AE "$anterior" "$salida" null: 2>&1)
            distintos=${distintos%% *}
            if [ "${distintos%.*}" -gt 200 ] 2>/dev/null; then
                echo "$salida: $distintos píxeles distintos de $anterior"
                return 0
            fi
        fi
        sleep 0.5
    done
    [ -f "$salida" ] && verificar_modelo "$salida"
    return 1
}

xdo() { timeout 10 xdotool "$@" || fallar "xdotool $* no respondió"; }

# Arrastre con el botón central de ($1, $2) a ($3, $4), en diez pasos.
arrastre_central() {
    xdo mousemove --window "$wid" "$1" "$2"
    sleep 0.2
    xdo mousedown 2
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdo mousemove --window "$wid" $(($1 + ($3 - $1) * i / 10)) $(($2 + ($4 - $2) * i / 10))
        sleep 0.05
    done
    xdo mouseup 2
}

esperar_imagen inicio.png || fallar "la primera imagen no muestra el modelo"
verificar_modelo inicio.png

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

vivo
# Con los sanitizadores, un error de memoria o de comportamiento indefinido queda en la salida.
grep -E -q 'runtime error|AddressSanitizer|LeakSanitizer' app.log && fallar "los sanitizadores informaron errores"
echo "Ventana, dibujo del modelo, órbita, rueda y vuelta desde la vertical: correctos"
exit 0
