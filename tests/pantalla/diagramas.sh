#!/usr/bin/env bash
# Capas de resultados, cargas y reacciones en una ventana real bajo Xvfb.
#
# Sobre una viga simplemente apoyada con cargas en los dos planos, axial y
# torsión: las cargas se ven antes del análisis y los resultados no; tras
# "Calcular" cada capa muestra su color del lado esperado de la barra y
# ningún color propio de las otras capas; dos combinaciones activas se dibujan
# las dos, la segunda en su tono; en la envolvente de las dos, la curva de
# máximos es roja y la de mínimos azul. Después, recargada con resortes y un asentamiento: los resortes en
# la capa de apoyos, la flecha del asentamiento en la de cargas, la deformada
# que baja con el apoyo y las reacciones del nudo que sólo tiene resortes.
# Cada imagen se toma cuando vantra3d ya atendió las órdenes anteriores (ver,
# en lib/comun.sh): lo que no debe verse se comprueba en el cuadro que sigue a
# la orden, no en uno anterior. Al final Escape debe terminar el programa con estado 0 (un error de los
# sanitizadores al salir también hace fallar la prueba).
#
# Uso: bash diagramas.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"

# Viga de 4 m de (1,0,2) a (5,0,2): y local = +Z, z local = -Y.
# C1: qy = -10, qz = 5, axial -4, torsión 2 y Pz = -10 en el nudo 2.
# C2: qy = +10 (momento de signo contrario al de C1).
{
viga_simple
cat <<'FIN'
distribuidaLocalY: D -10 -10  1   distribuidaLocalZ: D 5 5  1
distribuidaLocalX: D -4 -4  1     distribuidaLocalT: D 2  1
puntual: D  0 0 -10 0 0 0  2      distribuidaLocalY: U 10 10  1
combo: C1 1 D   combo: C2 1 U   envolvente: ENV C1 C2
precision: 2  escalaTexto: 0.12  escalaDeflexion: 1500  escalaMy: 0.04  escalaMz: 0.08
escalaVy: 0.04  escalaVz: 0.08  escalaN: 0.05  escalaT: 0.1  escalaApoyo: 0.2  escalaCarga: 0.06
FIN
} > modelo.txt
# Las comprobaciones de las capas no cortan la prueba (falla): se cuentan y se informan todas.
abrir "$PWD/modelo.txt"
# El encuadre de arranque abarca también los símbolos de apoyo; sin ellos, F6
# (desde la misma dirección) encuadra sólo los dos nudos, como la cuenta de
# pixel. Los apoyos vuelven a la vista sin mover la cámara.
orden plotApoyos
tecla F6
orden plotApoyos

# Píxel de la ventana de 1000x800 en que cae el punto (X, Y, Z) del modelo, con
# la cámara que deja F6 sin apoyos: mira desde donde la cámara de la caja de
# (0,0,0) a (5,0,2) (su centro menos la diagonal en X y en Y, y media diagonal
# sobre la caja) y encuadra los dos nudos, con un 5 % de margen y perspectiva
# de 45 grados, en lo que dejan libre los paneles: x de 86 a 844 y y de 0 a
# 746 (botones hasta x = 80, columna de combinaciones desde x = 850, la línea
# de órdenes desde y = 752, y 6 píxeles de separación).
pixel() {
    echo "$1 $2 $3" | awk '
    function unitario(v,  n) { n = sqrt(v[1]^2 + v[2]^2 + v[3]^2); v[1] /= n; v[2] /= n; v[3] /= n }
    function pp(a, b) { return a[1] * b[1] + a[2] * b[2] + a[3] * b[3] }
    function max(a, b) { return a > b ? a : b }
    function min(a, b) { return a < b ? a : b }
    {
        diag = sqrt(29)
        u[1] = -diag; u[2] = -diag; u[3] = 1 + 0.5 * diag; unitario(u)
        s[1] = -u[2]; s[2] = u[1]; s[3] = 0; unitario(s)
        t[1] = u[2] * s[3] - u[3] * s[2]; t[2] = u[3] * s[1] - u[1] * s[3]; t[3] = u[1] * s[2] - u[2] * s[1]
        ky = sin(3.141592653589793 / 8) / cos(3.141592653589793 / 8); kx = ky * 1.25
        # El área libre en coordenadas normalizadas, achicada por el margen alrededor de su centro.
        ax0 = 2 * 86 / 1000 - 1; ax1 = 2 * 844 / 1000 - 1; ay0 = 1 - 2 * 746 / 800; ay1 = 1
        cx = (ax0 + ax1) / 2; mx = (ax1 - ax0) / 2 / 1.05; x0 = cx - mx; x1 = cx + mx
        cy = (ay0 + ay1) / 2; my = (ay1 - ay0) / 2 / 1.05; y0 = cy - my; y1 = cy + my
        # Los nudos (1,0,2) y (5,0,2), respecto del centro de su caja (3,0,2).
        c[1] = 3; c[2] = 0; c[3] = 2
        A1x = -1e300; A0x = 1e300; A1y = -1e300; A0y = 1e300
        for (k = 0; k < 2; k++) {
            q[1] = (k == 0 ? -2 : 2); q[2] = 0; q[3] = 0
            x = pp(q, s); y = pp(q, t); z = pp(q, u)
            A1x = max(A1x, x + x1 * kx * z); A0x = min(A0x, x + x0 * kx * z)
            A1y = max(A1y, y + y1 * ky * z); A0y = min(A0y, y + y0 * ky * z)
        }
        d = max((A1x - A0x) / ((x1 - x0) * kx), (A1y - A0y) / ((y1 - y0) * ky))
        a = (A1x - x1 * kx * d + A0x - x0 * kx * d) / 2
        b = (A1y - y1 * ky * d + A0y - y0 * ky * d) / 2
        # Objetivo corrido de lado y ojo a la distancia d; la vista f = -u, de lado s y arriba t.
        for (i = 1; i <= 3; i++) { o[i] = c[i] + a * s[i] + b * t[i]; e[i] = o[i] + d * u[i] }
        p[1] = $1 - e[1]; p[2] = $2 - e[2]; p[3] = $3 - e[3]
        prof = -pp(p, u)
        xn = pp(p, s) / (prof * kx)
        yn = pp(p, t) / (prof * ky)
        printf "%d %d\n", (xn + 1) / 2 * 1000, (1 - yn) / 2 * 800
    }'
}

# Píxeles del color (tolerancia 3 %) en el rectángulo X0 Y0 X1 Y1 de la imagen.
tolerancia_color=3%
# Lo mismo en un cuadrado de 25 píxeles de lado alrededor del punto del modelo.
contarCerca() {
    local img=$1 color=$5 px py
    read -r px py < <(pixel "$2" "$3" "$4")
    contar "$img" $((px - 12)) $((py - 12)) $((px + 12)) $((py + 12)) "$color"
}

# ¿Aparece (o no aparece) el color $5 cerca del punto ($2, $3, $4) en actual.png?
cumple() {
    local n
    n=$(contarCerca actual.png "$2" "$3" "$4" "$5")
    if [ "$1" = aparece ]; then [ "${n:-0}" -gt 0 ]; else [ "${n:-1}" -eq 0 ]; fi
}
# Captura en actual.png la ventana con todo lo enviado ya atendido y comprueba
# el color cerca del punto.  mirar aparece|desaparece x y z color
mirar() {
    ver actual.png
    cumple "$@"
}
# Captura la ventana con todo lo enviado ya atendido y la guarda en $1.png; si
# el color no aparece cerca del punto, anota el fallo $2.
#   guardar nombre mensaje x y z color
guardar() {
    ver "$1.png"
    cp "$1.png" actual.png
    cumple aparece "$3" "$4" "$5" "$6" && return 0
    falla "$2"
    return 1
}

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
            n=$(contar "$img" $escena "$color")
            [ "$n" -eq 0 ] || falla "$nombre: $n píxeles de $capa ($color)"
        done
    done
}
sinReacciones() {
    local n
    n=$(contar "$1" "$rx0" "$ry0" "$rx1" "$ry1" "$rojo")
    [ "$n" -eq 0 ] || falla "$2: $n píxeles de reacciones"
}

# ---- Antes del análisis ----
mirar aparece 3 0 2 "rgb(128,128,128)" || falla "no se ve la barra"
orden combo
orden C1
orden plotCarga
# Flechas de qy (colas a 0.6 sobre la barra), su línea de carga y la fuerza del nudo 2.
if guardar cargas "cargas: no aparecen antes del análisis" 3 0 2.3 "rgb(51,51,0)"; then
    [ "$(contarCerca cargas.png 3 0 2.6 "rgb(51,51,0)")" -gt 0 ] || falla "cargas: falta la línea de carga"
    [ "$(contarCerca cargas.png 5 0 2.3 "rgb(204,51,51)")" -gt 0 ] || falla "cargas: falta la fuerza puntual"
    [ "$(contarCerca cargas.png 3 0 1.7 "rgb(51,51,0)")" -eq 0 ] || falla "cargas: flechas del lado equivocado"
    sinCapas cargas.png cargas deformada axial cortante momento torsion
fi

# Capas de resultados y reacciones sin análisis: no dibujan nada ni fallan.
orden plotMy
mirar desaparece 3 0 2.3 "rgb(51,51,0)" || falla "plotMy no apagó las cargas"
for capa in plotDef plotN plotVy plotVz plotMz plotT plotR; do orden "$capa"; done
ver sinCalculo.png
sinCapas sinCalculo.png "resultados sin análisis" deformada axial cortante momento torsion carga
sinReacciones sinCalculo.png "reacciones sin análisis"
vivo

# ---- Análisis: botón "Calcular" en (w-130+60, h-80+7); las reacciones siguen encendidas ----
clic 930 727
guardar reacciones "reacciones: no aparecen tras Calcular" 1.5 0 1.85 "$rojo" &&
    sinCapas reacciones.png reacciones deformada axial cortante momento torsion carga
vivo
xdo mousemove --window "$wid" 500 780

# ---- Cada capa: color donde se espera, nada del otro lado ni de otras capas ----
# capa orden color punto-presente punto-ausente capas-ausentes
probar() {
    local nombre=$1 cmd=$2 color=$3 p=$4 a=$5
    shift 5
    orden "$cmd"
    # shellcheck disable=SC2086
    guardar "$nombre" "$nombre: no aparece $color cerca de ($p)" $p "$color" || return
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
vivo

# ---- Dos combinaciones activas: los momentos de C1 (abajo, con sus colores) y
# de C2 (arriba, en su tono: celeste, el contorno de 0.7 de brillo) ----
orden plotMy
orden "combo C2"
celesteC2="rgb(62,134,178)"
if guardar dosCombos "dos combinaciones: no aparece la de C2 en su tono" 3 0 2.8 "$celesteC2"; then
    [ "$(contarCerca dosCombos.png 3 0 1.2 "rgb(178,51,0)")" -gt 0 ] || falla "dos combinaciones: falta la de C1"
    [ "$(contarCerca dosCombos.png 3 0 2.8 "rgb(178,51,0)")" -eq 0 ] ||
        falla "dos combinaciones: la de C2 con los colores de C1"
    [ "$(contarCerca dosCombos.png 3 0 1.2 "$celesteC2")" -eq 0 ] || falla "dos combinaciones: la de C1 en el tono de C2"
fi
vivo

# ---- La envolvente de C1 y C2 sola: la curva de máximos (el momento positivo
# de C1, abajo) roja y la de mínimos (el de C2, arriba) azul, como en el informe ----
orden "combo C1"
orden "combo C2"
orden "combo ENV"
rojoMaximos="rgb(242,64,51)" azulMinimos="rgb(76,140,255)"
if guardar envolvente "envolvente: no aparece la curva de máximos en rojo" 3 0 1.2 "$rojoMaximos"; then
    [ "$(contarCerca envolvente.png 3 0 2.8 "$azulMinimos")" -gt 0 ] ||
        falla "envolvente: no aparece la curva de mínimos en azul"
    [ "$(contarCerca envolvente.png 3 0 2.8 "$rojoMaximos")" -eq 0 ] &&
        [ "$(contarCerca envolvente.png 3 0 1.2 "$azulMinimos")" -eq 0 ] ||
        falla "envolvente: las dos curvas en el mismo color"
fi
orden "combo ENV"
vivo

# ---- Resortes y asentamientos: otro modelo con la misma viga (F5 no mueve la cámara) ----
# El nudo 2 descansa en resortes en Y y en Z (sin apoyo); en el caso S el apoyo 1 baja 2 cm.
cat > modelo.txt <<'FIN'
nudos: 1 1 0 2  2 5 0 2   barras: 1 1 2
apoyo: 1 1 1 1 0 0  1     resorte: 0 1000 2000 0 0 0  2
seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1
distribuidaLocalY: D -10 -10  1   desplazamientoImpuesto: S  0 0 -0.02 0 0 0  1
combo: C1 1 D   combo: CS 1 S
precision: 2  escalaTexto: 0.12  escalaDeflexion: 10  escalaApoyo: 0.2  escalaCarga: 0.06
FIN
tecla F5
amarillo="rgb(204,204,76)"
# El zigzag del resorte vertical baja del nudo 2 hasta su línea de apoyo a 1.3 tamaños (z = 1.74).
guardar resortes "resortes: no aparece el zigzag bajo el nudo 2" 5 0 1.8 "$amarillo"
# El asentamiento, una flecha corta del color de las cargas que baja del nudo 1
# (mide tres puntas de flecha, unos 39 píxeles a cualquier zoom).
orden combo
orden CS
orden plotCarga
guardar asentamiento "asentamiento: no aparece su flecha bajo el nudo 1" 1 0 1.9 "rgb(204,51,51)"
# La deformada de CS baja con el apoyo (0.02 x 10).
clic 930 727
xdo mousemove --window "$wid" 500 780
orden plotDef
guardar deformadaAsentada "asentamiento: la deformada no baja con el apoyo" 1 0 1.8 "rgb(0,178,178)"
# Reacciones de C1: el resorte vertical del nudo 2 toma la mitad de la carga y se escribe como una reacción.
orden combo
orden CS
orden combo
orden C1
orden plotR
read -r rx0 ry0 < <(pixel 5.1 0 2.15)
read -r rx1 ry1 < <(pixel 5.9 0 1.55)
ver reaccionesResorte.png
[ "$(contar reaccionesResorte.png "$rx0" "$ry0" "$rx1" "$ry1" "$rojo")" -gt 0 ] ||
    falla "reacciones: el nudo con resortes no muestra las suyas"
salir_con_escape
sin_informes_de_sanitizadores
[ "$fallos" -eq 0 ] || fallar "$fallos comprobaciones fallaron; capturas en $trabajo"
echo "Capas de resultados, cargas y reacciones: bien"
