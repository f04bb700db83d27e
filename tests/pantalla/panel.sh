#!/usr/bin/env bash
# Prueba de punta a punta del panel en una ventana real bajo Xvfb, manejada con
# xdotool: combinación por nombre, "Calcular", botón "My", recarga con F5 y
# salida con Escape. Lee los colores de los botones en capturas de la ventana.
# Uso: bash panel.sh <vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
# Sale con 77 (omitida) sólo si Xvfb no puede arrancar.
set -uo pipefail
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"
iniciar_pantalla
cp "$ejemplos/ingresoDatos.txt" .
arrancar "$PWD/ingresoDatos.txt"

capturas=0 color=""
# ¿El píxel ($2, $3) de la imagen $1 es "r g b" $4 (tolerancia 4)? Deja el leído en $color.
pixelEs() { color=$(color_en "$1" "$2" "$3") && color_cercano "$color" "$4" 4; }
# Espera (a lo sumo $espera segundos) a que el píxel (x, y) de la ventana sea r g b.
# Cada comprobación deja su última captura en capturaN.png.
esperarColor() {
  capturas=$((capturas + 1))
  local img="captura$capturas.png"
  color=""
  esperar_captura "$img" pixelEs "$img" "$1" "$2" "$3 $4 $5" ||
    fallar "$6: se esperaba $3 $4 $5 en ($1, $2) y hay $color ($img)"
  echo "ok: $6 ($color)"
}

# Ventana de 1000 x 800. Fondo de botón apagado (0.1, 0.1, 0), encendido (0.3, 0.3, 0).
apagado="26 26 0"
encendido="76 76 0"
negro="0 0 0"
calcular="930 728"  # "Calcular": x 870 a 990, y 720 a 735
my="60 201"         # "My": x 10 a 80, y 195 a 207
reaccion="60 141"   # "reaccion": y 135 a 147
elu="990 41"        # primera combinación: x 870 a 1000, y 35 a 47

esperarColor $calcular $apagado "Calcular visible y apagado"
esperarColor $my $negro "sin botones de resultados antes de calcular"
esperarColor $elu $apagado "combinación ELU apagada"

orden "combo"
orden "ELU"
esperarColor $elu $encendido "combinación ELU encendida por nombre"

clic $calcular
esperarColor $calcular $encendido "Calcular encendido"
esperarColor $reaccion $apagado "botón reaccion visible tras calcular"
esperarColor $my $apagado "botón My visible y apagado"

clic 45 201
esperarColor $my $encendido "botón My encendido"

tecla F5
esperarColor $my $negro "F5 oculta los botones de resultados"
esperarColor $calcular $apagado "F5 apaga Calcular"
esperarColor $elu $apagado "F5 apaga las combinaciones"
grep -qF -- "------------------------Reinicio del programa------------------" app.log ||
  fallar "falta el aviso de reinicio en la consola"

salir_con_escape
echo "ok: Escape termina con estado 0"
sin_informes_de_sanitizadores
exit 0
