#!/usr/bin/env bash
# La capa de las razones de acero en una ventana real bajo Xvfb: tras
# "Calcular", plotAcero pinta la viga que no cumple en el color propio de los
# que pasan de 1 (magenta, fuera de la escala azul-rojo) y plotAcero otra vez
# lo quita. Al final Escape termina con estado 0.
#   bash acero.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"

# Pórtico de un vano: columnas de acero que cumplen y una viga demasiado liviana para su carga.
printf '%s\n' "nudos: 1 0 0 0  2 6 0 0  3 0 0 4  4 6 0 4" "barras: 1 1 3  2 2 4  3 3 4" \
    "apoyo: 1 1 1 1 1 1   1 2" "seccionW: COL  0.3 0.02 0.4 0.012   200e6 0.3 77   1 2" \
    "seccionW: VIGA 0.15 0.01 0.3 0.006   200e6 0.3 77   3" "distribuidaGlobal: L  40 40  0 0 -1   3" \
    "combo: U1  1.6 L" "verificacionAcero: LRFD 250000   1 2 3" >portico_acero.txt
abrir "$PWD/portico_acero.txt"

# kColorRazonExcedida (0.85, 0, 0.85).
magenta() { pixeles_de_color "$1" 217 0 217 3; }

ver inicio.png
[ "$(magenta inicio.png)" -eq 0 ] || falla "hay magenta antes de calcular"
# Botón "Calcular" en (w-130+60, h-80+7).
clic 930 727
orden plotAcero
ver acero.png
excedida=$(magenta acero.png)
echo "píxeles magenta con plotAcero: $excedida"
[ "$excedida" -gt 100 ] || falla "plotAcero no pintó la viga que no cumple en magenta ($excedida píxeles)"
orden plotAcero
ver sinAcero.png
[ "$(magenta sinAcero.png)" -eq 0 ] || falla "plotAcero otra vez no quitó el magenta"

salir_con_escape
sin_informes_de_sanitizadores
[ "$fallos" -eq 0 ] || fallar "$fallos comprobaciones fallaron; capturas en $trabajo"
echo "Capa de las razones de acero: bien"
