#!/usr/bin/env bash
# Tiempo de cuadro del visor en una ventana real bajo Xvfb (Mesa por software,
# ventana de 1000 x 800), medido con la biblioteca de precarga
# libvantra_tiempo_cuadro.so alrededor de la función de dibujo.
#
# Para cada edificio generado (NXxNYxNZ) abre vantra3d y, orbitando con el
# botón central, toma la mediana de los cuadros dibujados durante la órbita con:
# sólo el modelo, la deformada tras "Calcular", el diagrama My, las cargas y los
# números de nudos y barras. Mide también "Calcular" hasta el fin del primer
# cuadro con resultados (el del análisis y el siguiente). Junto a cada mediana,
# entre paréntesis, la mediana del procesador que gastó cada cuadro sumando
# todos los hilos: con la máquina compartida el reloj de pared sube con la
# carga de los demás y este tiempo mucho menos; la carga se informa al final.
#   bash medirCuadros.sh <vantra3d> <libvantra_tiempo_cuadro.so> <vantra3d-bench> <carpeta> [NXxNYxNZ ...]
# Sin tamaños mide 10x10x10 y 20x20x10. Al final, cada mediana dividida por la
# del modelo solo de 10x10x10 de la misma corrida (o, si no se midió, del
# primer tamaño), de reloj y de procesador: la máquina cambia de una corrida a
# otra, la proporción mucho menos. No es una prueba: sólo informa.
set -u
exe=$(realpath "${1:?falta vantra3d}")
shim=$(realpath "${2:?falta la biblioteca de medición}")
bench=$(realpath "${3:?falta vantra3d-bench}")
trabajo=${4:?falta la carpeta de trabajo}
shift 4
tamanos=("$@")
[ ${#tamanos[@]} -gt 0 ] || tamanos=(10x10x10 20x20x10)
mkdir -p "$trabajo" && cd "$trabajo" || exit 1

xvfb_pid="" app_pid="" wid=""
terminar() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap terminar EXIT
xdo() { timeout 30 xdotool "$@" >/dev/null 2>&1; }
ahora() { date +%s.%N; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>pantalla.txt 2>xvfb.log &
xvfb_pid=$!
for _ in $(seq 100); do [ -s pantalla.txt ] && break; sleep 0.1; done
[ -s pantalla.txt ] || { echo "Xvfb no pudo arrancar"; exit 1; }
export DISPLAY=":$(head -n 1 pantalla.txt)"

# Cuadros (inicio fin procesador) que empezaron y terminaron entre $1 y $2:
# sus milisegundos de reloj o, con $3 = procesador, de procesador.
cuadros_entre() {
    awk -v a="$1" -v b="$2" -v p="${3:-}" '$1 >= a && $2 <= b { printf "%.3f\n", p != "" ? $3 : ($2 - $1) * 1000 }' \
        cuadros.txt
}
mediana() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else printf "%.0f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Espera a que el visor atienda lo pedido: $1 segundos sin cuadros nuevos o,
# si redibuja sin pausa, tres cuadros nuevos (a lo sumo $2 segundos).
esperar_quietud() {
    local limite=$((SECONDS + $2)) inicio antes ahora_
    inicio=$(wc -l <cuadros.txt)
    antes=$inicio
    while [ "$SECONDS" -lt "$limite" ]; do
        sleep "$1"
        ahora_=$(wc -l <cuadros.txt)
        [ "$ahora_" = "$antes" ] || [ $((ahora_ - inicio)) -ge 3 ] && return 0
        antes=$ahora_
    done
}

# Orbita con el botón central ida y vuelta (200 píxeles) al menos 4 s y al
# menos 12 cuadros (60 s como mucho); escribe la mediana de esos cuadros y,
# entre paréntesis, la de su procesador.
orbitar() {
    local inicio fin n=0 paso=0 x
    xdo mousemove --window "$wid" 400 400
    xdo mousedown 2
    inicio=$(ahora)
    local limite=$((SECONDS + 60)) minimo=$((SECONDS + 4))
    while [ "$SECONDS" -lt "$limite" ]; do
        x=$(( paso % 40 < 20 ? 400 + (paso % 40) * 10 : 400 + (40 - paso % 40) * 10 ))
        xdo mousemove --window "$wid" "$x" 420
        sleep 0.05
        paso=$((paso + 1))
        if [ "$SECONDS" -ge "$minimo" ]; then
            n=$(cuadros_entre "$inicio" "$(ahora)" | wc -l)
            [ "$n" -ge 12 ] && break
        fi
    done
    fin=$(ahora)
    xdo mouseup 2
    echo "$(cuadros_entre "$inicio" "$fin" | mediana) ms ($(cuadros_entre "$inicio" "$fin" procesador | mediana))"
}

orden() {
    xdo type --delay 20 "$1"
    xdo key Return
}

# "N ms (M)" -> "N M"
milisegundos() { sed -E 's/^([0-9.-]+) ms \(([0-9.-]+)\)$/\1 \2/' <<<"$1"; }
# Cociente de dos medianas con un decimal ("-" si falta alguna).
cociente() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == "-" || b + 0 == 0) print "-"; else printf "%.1f", a / b }'; }
filas=()
base_tamano="" base_reloj="" base_cpu=""

carga_inicial=$(cut -d ' ' -f 1 /proc/loadavg)
printf '| %-9s | %-13s | %-13s | %-13s | %-13s | %-13s | %9s |\n' modelo "modelo" "deformada" "My" "cargas" \
    "etiquetas" "Calcular"
printf '|%s|\n' "-----------|---------------|---------------|---------------|---------------|---------------|-----------"
for t in "${tamanos[@]}"; do
    IFS=x read -r nx ny nz <<<"$t"
    "$bench" --generar "$nx" "$ny" "$nz" > "$PWD/edificio_$t.txt" || exit 1
    rm -f cuadros.txt && touch cuadros.txt
    LIBGL_ALWAYS_SOFTWARE=1 LD_PRELOAD="$shim" VANTRA_TIEMPOS="$PWD/cuadros.txt" \
        "$exe" "$PWD/edificio_$t.txt" >"app_$t.log" 2>&1 </dev/null &
    app_pid=$!
    wid=""
    for _ in $(seq 120); do
        wid=$(timeout 1 xdotool search --onlyvisible --name '^Vantra 3D v6\.0' 2>/dev/null | head -n 1)
        [ -n "$wid" ] && break
        sleep 0.5
    done
    [ -n "$wid" ] || { echo "no apareció la ventana"; exit 1; }
    xdo windowfocus "$wid"
    esperar_quietud 1 20

    modelo=$(orbitar)
    orden combo
    orden U1
    esperar_quietud 1 60
    # "Calcular" (botón en w-130, h-80): del clic al fin del cuadro que sigue al
    # del análisis (el más largo de los primeros tres que empiezan después del clic).
    clic=$(ahora)
    xdo mousemove --window "$wid" 930 727 click 1
    local_n=0
    for _ in $(seq 600); do
        sleep 0.2
        n=$(awk -v a="$clic" '$1 >= a' cuadros.txt | wc -l)
        [ "$n" -ge 4 ] && break
        # Sin redibujo continuo quedan dos cuadros y luego nada.
        [ "$n" -ge 2 ] && [ "$n" = "$local_n" ] && break
        local_n=$n
    done
    calcular=$(awk -v a="$clic" '$1 >= a { n++; i[n] = $1; f[n] = $2 }
        END { m = 1; for (k = 2; k <= 3 && k < n; k++) if (f[k] - i[k] > f[m] - i[m]) m = k
              if (m < n) printf "%.2f s", f[m + 1] - a }' cuadros.txt)
    xdo mousemove --window "$wid" 400 400
    orden plotDef
    esperar_quietud 1 60
    deformada=$(orbitar)
    orden plotMy
    esperar_quietud 1 60
    momento=$(orbitar)
    orden plotCarga
    esperar_quietud 1 60
    cargas=$(orbitar)
    orden plotCarga
    orden tagNudos
    orden tagBarras
    esperar_quietud 1 60
    etiquetas=$(orbitar)
    printf '| %-9s | %-13s | %-13s | %-13s | %-13s | %-13s | %9s |\n' "$t" "$modelo" "$deformada" "$momento" \
        "$cargas" "$etiquetas" "${calcular:--}"
    filas+=("$t|$modelo|$deformada|$momento|$cargas|$etiquetas")
    if [ -z "$base_tamano" ] || { [ "$t" = 10x10x10 ] && [ "$base_tamano" != 10x10x10 ]; }; then
        base_tamano=$t
        read -r base_reloj base_cpu <<<"$(milisegundos "$modelo")"
    fi
    xdo key Escape
    for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=""
done
echo
echo "Proporción frente al modelo solo de $base_tamano ($base_reloj ms de reloj, $base_cpu de procesador): reloj (procesador)"
printf '| %-9s | %-13s | %-13s | %-13s | %-13s | %-13s |\n' modelo "modelo" "deformada" "My" "cargas" "etiquetas"
printf '|%s|\n' "-----------|---------------|---------------|---------------|---------------|---------------"
for f in "${filas[@]}"; do
    IFS='|' read -r t columnas <<<"$f"
    IFS='|' read -ra medidas <<<"$columnas"
    linea=$(printf '| %-9s ' "$t")
    for m in "${medidas[@]}"; do
        read -r reloj cpu <<<"$(milisegundos "$m")"
        linea+=$(printf '| %-13s ' "$(cociente "$reloj" "$base_reloj") ($(cociente "$cpu" "$base_cpu"))")
    done
    echo "$linea|"
done
echo "Carga de la máquina (promedio de 1 minuto): $carga_inicial al empezar, $(cut -d ' ' -f 1 /proc/loadavg) al terminar ($(nproc) núcleos)."
