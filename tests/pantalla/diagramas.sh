#!/usr/bin/env bash
# Capas de resultados, cargas y reacciones en una ventana real bajo Xvfb.
#
# Sobre una viga simplemente apoyada con cargas en los dos planos, axial y
# torsión: las cargas se ven antes del análisis y los resultados no; tras
# "Calcular" cada capa muestra su color del lado esperado de la barra y
# ningún color propio de las otras capas; dos combinaciones activas se dibujan
# las dos.
#
# Uso: bash diagramas.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -u
vantra=$1
trabajo=$3
rm -rf "$trabajo"
mkdir -p "$trabajo"
cd "$trabajo" || exit 1

for herramienta in xdotool import convert awk; do
    command -v "$herramienta" >/dev/null || { echo "Falta $herramienta"; exit 1; }
done
command -v Xvfb >/dev/null || { echo "Xvfb no está instalado: prueba omitida"; exit 77; }

# Viga de 4 m de (1,0,2) a (5,0,2): y local = +Z, z local = -Y.
# C1: qy = -10, qz = 5, axial -4, torsión 2 y Pz = -10 en el nudo 2.
# C2: qy = +10 (momento de signo contrario al de C1).
cat > modelo.txt <<'FIN'
nudos: 1 1 0 2  2 5 0 2   barras: 1 1 2
apoyo: 1 1 1 1 0 0  1     apoyo: 0 1 1 0 0 0  2
seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1
distribuidaLocalY: D -10 -10  1   distribuidaLocalZ: D 5 5  1
distribuidaLocalX: D -4 -4  1     distribuidaLocalT: D 2  1
puntual: D  0 0 -10 0 0 0  2      distribuidaLocalY: U 10 10  1
combo: C1 1 D   combo: C2 1 U
precision: 2  escalaTexto: 0.12  escalaDeflexion: 1500  escalaMy: 0.04  escalaMz: 0.08
escalaVy: 0.04  escalaVz: 0.08  escalaN: 0.05  escalaT: 0.1  escalaApoyo: 0.2  escalaCarga: 0.06
FIN
pidXvfb="" pidApp=""
trap '[ -n "$pidApp" ] && kill "$pidApp"; [ -n "$pidXvfb" ] && kill "$pidXvfb"; wait' EXIT 2>/dev/null

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>display 2>xvfb.log &
pidXvfb=$!
for _ in $(seq 100); do [ -s display ] || { kill -0 "$pidXvfb" 2>/dev/null && sleep 0.1; }; done
[ -s display ] || { echo "Xvfb no pudo arrancar: prueba omitida"; cat xvfb.log; exit 77; }
export DISPLAY=":$(head -n1 display)"

fallos=0
falla() { echo "FALLA: $*"; fallos=$((fallos + 1)); }
xdo() { timeout 10 xdotool "$@" || falla "xdotool $* no respondió"; }
vivo() { kill -0 "$pidApp" 2>/dev/null || { falla "el programa terminó ($1)"; cat programa.log; exit 1; }; }

# Dibujo por software (mesa), sin placa de video.
LIBGL_ALWAYS_SOFTWARE=1 "$vantra" modelo.txt >programa.log 2>&1 </dev/null &
pidApp=$!
ventana=""
for _ in $(seq 150); do
    ventana=$(timeout 5 xdotool search --name '^Vantra 3D' 2>/dev/null | head -n1)
    [ -n "$ventana" ] && break
    vivo arranque
    sleep 0.1
done
[ -n "$ventana" ] || { echo "La ventana no apareció"; exit 1; }
# Sin gestor de ventanas el teclado va a la ventana bajo el puntero.
xdo mousemove --window "$ventana" 500 780
timeout 5 xdotool windowfocus "$ventana" 2>/dev/null

# Píxel de la ventana de 1000x800 en que cae el punto (X, Y, Z) del modelo, con
# la cámara inicial: caja de (0,0,0) a (5,0,2), perspectiva de 45 grados.
pixel() {
    echo "$1 $2 $3" | awk '
    function unitario(v,  n) { n = sqrt(v[1]^2 + v[2]^2 + v[3]^2); v[1] /= n; v[2] /= n; v[3] /= n }
    {
        d = sqrt(29); xc = 2.5; yc = 0; zc = 1
        ex = xc - d; ey = yc - d; ez = 2 + 0.5 * d
        f[1] = xc - ex; f[2] = yc - ey; f[3] = zc - ez; unitario(f)
        s[1] = f[2]; s[2] = -f[1]; s[3] = 0; unitario(s)
        u[1] = s[2] * f[3] - s[3] * f[2]; u[2] = s[3] * f[1] - s[1] * f[3]; u[3] = s[1] * f[2] - s[2] * f[1]
        dx = $1 - ex; dy = $2 - ey; dz = $3 - ez
        t = sin(3.141592653589793 / 8) / cos(3.141592653589793 / 8)
        prof = dx * f[1] + dy * f[2] + dz * f[3]
        xn = (dx * s[1] + dy * s[2] + dz * s[3]) / (prof * t * 1.25)
        yn = (dx * u[1] + dy * u[2] + dz * u[3]) / (prof * t)
        printf "%d %d\n", (xn + 1) / 2 * 1000, (1 - yn) / 2 * 800
    }'
}

captura() { timeout 20 import -window "$ventana" "$1" 2>/dev/null; }

# Píxeles del color (tolerancia 3 %) en el rectángulo X0 Y0 X1 Y1 de la imagen.
contarZona() {
    local img=$1 x0=$2 y0=$3 x1=$4 y1=$5 color=$6
    convert "$img" -crop "$((x1 - x0 + 1))x$((y1 - y0 + 1))+$x0+$y0" +repage -fuzz 3% \
        -fill black +opaque "$color" -fill white -opaque "$color" -format '%[fx:round(mean*w*h)]' info:
}
# Lo mismo en un cuadrado de 25 píxeles de lado alrededor del punto del modelo.
contarCerca() {
    local img=$1 color=$5 px py
    read -r px py < <(pixel "$2" "$3" "$4")
    contarZona "$img" $((px - 12)) $((py - 12)) $((px + 12)) $((py + 12)) "$color"
}

# Repite capturas hasta que el color aparezca (o desaparezca) cerca del punto,
# a lo sumo 10 s. La última captura queda en actual.png.
esperar() {
    local modo=$1 x=$2 y=$3 z=$4 color=$5 n
    for _ in $(seq 40); do
        captura actual.png
        n=$(contarCerca actual.png "$x" "$y" "$z" "$color")
        if [ "$modo" = aparece ] && [ "${n:-0}" -gt 0 ]; then return 0; fi
        if [ "$modo" = desaparece ] && [ "${n:-1}" -eq 0 ]; then return 0; fi
        sleep 0.25
    done
    return 1
}

orden() { xdo type --delay 15 "$1" && xdo key Return; }

# Colores propios de cada capa (sin los textos, que comparten colores).
declare -A firma=(
    [deformada]="rgb(0,178,178)"
    [axial]="rgb(0,51,178)"
    [cortante]="rgb(102,102,0)"
    [momento]="rgb(127,25,0) rgb(178,51,0)"
    [torsion]="rgb(153,64,153) rgb(252,127,252)"
    [carga]="rgb(51,51,0) rgb(204,51,51)"
)
# La escena sin el panel de la izquierda, las combinaciones y los textos del pie.
escena="90 60 860 700"
# Zona de los textos de reacción del nudo 1 (el eje X, también rojo, queda fuera).
read -r rx0 ry0 < <(pixel 1.1 0 2.15)
read -r rx1 ry1 < <(pixel 1.9 0 1.55)
rojo="rgb(255,0,0)"

# Ningún color de las capas nombradas en la imagen.
sinCapas() {
    local img=$1 nombre=$2 capa color n
    shift 2
    for capa in "$@"; do
        for color in ${firma[$capa]}; do
            # shellcheck disable=SC2086
            n=$(contarZona "$img" $escena "$color")
            [ "$n" -eq 0 ] || falla "$nombre: $n píxeles de $capa ($color)"
        done
    done
}
sinReacciones() {
    local n
    n=$(contarZona "$1" "$rx0" "$ry0" "$rx1" "$ry1" "$rojo")
    [ "$n" -eq 0 ] || falla "$2: $n píxeles de reacciones"
}

# ---- Antes del análisis ----
esperar aparece 3 0 2 "rgb(128,128,128)" || falla "no se ve la barra"
orden combo
orden C1
orden plotCarga
# Flechas de qy (colas a 0.6 sobre la barra), su línea de carga y la fuerza del nudo 2.
if esperar aparece 3 0 2.3 "rgb(51,51,0)"; then
    cp actual.png cargas.png
    [ "$(contarCerca cargas.png 3 0 2.6 "rgb(51,51,0)")" -gt 0 ] || falla "cargas: falta la línea de carga"
    [ "$(contarCerca cargas.png 5 0 2.3 "rgb(204,51,51)")" -gt 0 ] || falla "cargas: falta la fuerza puntual"
    [ "$(contarCerca cargas.png 3 0 1.7 "rgb(51,51,0)")" -eq 0 ] || falla "cargas: flechas del lado equivocado"
    sinCapas cargas.png cargas deformada axial cortante momento torsion
else
    falla "cargas: no aparecen antes del análisis"
fi

# Capas de resultados y reacciones sin análisis: no dibujan nada ni fallan.
orden plotMy
esperar desaparece 3 0 2.3 "rgb(51,51,0)" || falla "plotMy no apagó las cargas"
for capa in plotDef plotN plotVy plotVz plotMz plotT plotR; do orden "$capa"; done
sleep 1
captura sinCalculo.png
sinCapas sinCalculo.png "resultados sin análisis" deformada axial cortante momento torsion carga
sinReacciones sinCalculo.png "reacciones sin análisis"
vivo "capas sin análisis"

# ---- Análisis: botón "Calcular" en (w-130+60, h-80+7); las reacciones siguen encendidas ----
xdo mousemove --window "$ventana" 930 727 click 1
if esperar aparece 1.5 0 1.85 "$rojo"; then
    cp actual.png reacciones.png
    sinCapas reacciones.png reacciones deformada axial cortante momento torsion carga
else
    falla "reacciones: no aparecen tras Calcular"
fi
vivo "Calcular"
xdo mousemove --window "$ventana" 500 780

# ---- Cada capa: color donde se espera, nada del otro lado ni de otras capas ----
# capa orden color punto-presente punto-ausente capas-ausentes
probar() {
    local nombre=$1 cmd=$2 color=$3 p=$4 a=$5
    shift 5
    orden "$cmd"
    # shellcheck disable=SC2086
    if ! esperar aparece $p "$color"; then
        falla "$nombre: no aparece $color cerca de ($p)"
        return
    fi
    cp actual.png "$nombre.png"
    # shellcheck disable=SC2086
    [ "$(contarCerca "$nombre.png" $a "$color")" -eq 0 ] || falla "$nombre: dibujado del lado contrario ($a)"
    sinCapas "$nombre.png" "$nombre" "$@"
    sinReacciones "$nombre.png" "$nombre"
}
# Momento positivo hacia -y local (abajo); cortes, axial y torsión hacia el lado de su signo.
probar deformada plotDef "rgb(0,178,178)" "3 -0.625 1.17" "3 0.625 2.83" axial cortante momento torsion carga
probar axial plotN "rgb(0,51,178)" "2 0 1.4" "2 0 2.6" deformada cortante momento torsion carga
probar cortanteY plotVy "rgb(128,128,0)" "1.5 0 2.6" "1.5 0 1.4" deformada axial momento torsion carga
probar momentoY plotMy "rgb(178,51,0)" "3 0 1.2" "3 0 2.8" deformada axial cortante torsion carga
probar cortanteZ plotVz "rgb(128,128,0)" "1.5 0.6 2" "1.5 -0.6 2" deformada axial momento torsion carga
probar momentoZ plotMz "rgb(178,51,0)" "3 -0.8 2" "3 0.8 2" deformada axial cortante torsion carga
probar torsion plotT "rgb(252,127,252)" "2 0 2.6" "2 0 1.4" deformada axial cortante momento carga
vivo "capas de resultados"

# ---- Dos combinaciones activas: los momentos de C1 (abajo) y de C2 (arriba) ----
orden plotMy
orden combo
orden C2
if esperar aparece 3 0 2.8 "rgb(178,51,0)"; then
    cp actual.png dosCombos.png
    [ "$(contarCerca dosCombos.png 3 0 1.2 "rgb(178,51,0)")" -gt 0 ] || falla "dos combinaciones: falta la de C1"
else
    falla "dos combinaciones: no aparece la de C2"
fi
vivo "combinaciones"
# Con los sanitizadores, un error de memoria o de comportamiento indefinido queda en la salida.
grep -E -q 'runtime error|AddressSanitizer' programa.log && falla "los sanitizadores informaron errores"

if [ "$fallos" -gt 0 ]; then
    echo "$fallos comprobaciones fallaron; capturas en $trabajo"
    exit 1
fi
echo "Capas de resultados, cargas y reacciones: bien"
