#!/usr/bin/env bash
# Prueba del mono: teclas al azar, órdenes de la línea de órdenes (válidas y
# basura), clics en los botones, arrastres, rueda, F1 a F12 y recargas con F5 de
# un modelo que la prueba reescribe entre recargas (válido y roto). El programa
# sólo debe terminar con Escape, con estado 0 y sin informes de los sanitizadores.
# La duración sale de VANTRA_MONO_SEGUNDOS (30 por defecto). Todo lo que el mono
# elige sale de $RANDOM con la semilla VANTRA_MONO_SEMILLA (12345 por defecto),
# que se muestra al empezar: con la misma semilla repite las mismas acciones
# (cuántas, depende de la duración).
#   bash mono.sh <ejecutable vantra3d> <carpeta de ejemplos> <carpeta de trabajo>
set -u
source "$(dirname "$0")/lib/comun.sh"
preparar "$@"
segundos=${VANTRA_MONO_SEGUNDOS:-30}
semilla=${VANTRA_MONO_SEMILLA:-12345}
RANDOM=$semilla
echo "Mono durante $segundos s con la semilla $semilla (VANTRA_MONO_SEMILLA=$semilla la repite)"

modelos=("$ejemplos"/*.txt)
modelo="$PWD/modelo.txt"
cp "$ejemplos/ingresoDatos.txt" "$modelo"

iniciar_pantalla
arrancar "$modelo"

ordenes=(plotEjes tagNudos tagBarras secciones plotVolumen noTags plotDef plotN plotVy plotMy plotCarga
         plotR plotVz plotMz plotT plotApoyos combo ELU SERV VIENTO noAislar aislar "1 2 3" "5 x" "  7"
         "99999999999" combo noExiste xyzzy "plot" "" "aislar" "" "combo" "VIENTO")
teclas=(a b c z 0 1 9 plus minus space BackSpace Return Tab shift+plus shift+minus alt+t alt+f alt+n alt+c
        F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 Up Down Left Right Home)
# Botones del panel en una ventana de 1000 x 800: columna izquierda, "Calcular" y combinaciones.
botones=("45 36" "45 51" "45 66" "45 81" "45 96" "45 126" "45 141" "45 156" "45 171" "45 186"
         "45 201" "45 216" "45 231" "45 246" "930 726" "935 41" "935 56" "935 71")

reescribir_modelo() {
    case $((RANDOM % 4)) in
        0) cp "${modelos[$((RANDOM % ${#modelos[@]}))]}" "$modelo" ;;
        1) head -c $((RANDOM % 900 + 50)) "$ejemplos/ingresoDatos.txt" >"$modelo" ;;
        2) printf 'nudos: 1 0 0 0 2 4 0 0 barras: 1 1 2 apoyo: 1 1 1 0 0 0 1 2 combo: C 1 P\n' >"$modelo" ;;
        3) tr 'a-z0-9' 'b-z0-9a' <"$ejemplos/ingresoDatos.txt" >"$modelo" ;;
    esac
}

# Deja en $texto hasta 10 letras, cifras y blancos al azar. Se arma en este
# mismo shell: en un $(...) bash vuelve a sembrar $RANDOM y la semilla no valdría.
caracteres='abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 '
texto_al_azar() {
    local n=$((RANDOM % 11)) i
    texto=""
    for ((i = 0; i < n; i++)); do texto+=${caracteres:$((RANDOM % ${#caracteres})):1}; done
}

# Espera a que vantra3d atienda todo lo enviado (así la lectura de un F5 termina
# antes de que el modelo se reescriba): Return ejecuta lo que quedó escrito en
# la línea de órdenes, "captura" sincroniza y su archivo se borra.
atendido() {
    tecla Return
    sincronizar
    rm -f "$ultima_captura"
}

acciones=0
fin=$((SECONDS + segundos))
while [ "$SECONDS" -lt "$fin" ]; do
    vivo
    case $((RANDOM % 7)) in
        0) orden "${ordenes[$((RANDOM % ${#ordenes[@]}))]}" ;;
        1) tecla "${teclas[$((RANDOM % ${#teclas[@]}))]}" ;;
        2) xdo mousemove --window "$wid" ${botones[$((RANDOM % ${#botones[@]}))]} click 1 ;;
        3) boton=$((RANDOM % 2 + 1))
           xdo mousemove --window "$wid" $((RANDOM % 900 + 50)) $((RANDOM % 700 + 50))
           xdo mousedown "$boton"
           for _ in 1 2 3; do xdo mousemove --window "$wid" $((RANDOM % 900 + 50)) $((RANDOM % 700 + 50)); done
           xdo mouseup "$boton" ;;
        4) xdo mousemove --window "$wid" $((RANDOM % 900 + 50)) $((RANDOM % 700 + 50)) click $((RANDOM % 2 + 4)) ;;
        5) reescribir_modelo; tecla F5; atendido ;;
        6) texto_al_azar; orden "$texto" ;;
    esac
    acciones=$((acciones + 1))
done
echo "$acciones acciones"
atendido
salir_con_escape
sin_informes_de_sanitizadores
echo "Mono: $acciones acciones sin fallas; Escape terminó con estado 0"
exit 0
