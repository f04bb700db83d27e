# Funciones comunes de las pruebas de ventana real: pantalla virtual (Xvfb),
# arranque de vantra3d, búsqueda de la ventana, teclado y ratón con xdotool,
# sincronía con vantra3d, capturas y lectura de colores en las capturas.
# Se incluye con `source`.
#   preparar "$@"      toma <ejecutable> <carpeta de ejemplos> <carpeta de trabajo>
# Las pruebas salen con 0 si todo está bien, 1 si algo falla y 77 (saltada)
# sólo cuando la pantalla virtual no puede arrancar.
#
# Ninguna prueba espera un tiempo fijo a que vantra3d reaccione: o espera un
# archivo que vantra3d escribe (sincronizar, ver) o repite capturas hasta que
# la ventana muestre el cambio (esperar_captura). Toda espera está acotada por
# $espera segundos, holgados para una máquina cargada; sólo se agotan si
# vantra3d no hace lo que se espera.

# La ventana se titula con el programa (lo que dice "vantra3d --version", que
# preparar deja en $titulo_programa) y el nombre del archivo de modelo.
titulo_programa="" xvfb_pid="" app_pid="" wid="" carpeta_modelo="" ultima_captura=""
espera=${VANTRA_ESPERA:-60}
# Primera línea de un informe de AddressSanitizer, LeakSanitizer o UBSan.
informe_sanitizadores='runtime error|AddressSanitizer|LeakSanitizer'

terminar() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
saltar() { echo "PRUEBA SALTADA: $*"; exit 77; }

# Termina la prueba con 1. Si vantra3d dejó un informe de los sanitizadores se
# muestra entero desde su comienzo (las últimas líneas de un informe de ASan son
# sólo la leyenda de la memoria sombra); si no, las últimas líneas de su salida.
fallar() {
    echo "FALLO: $*"
    if [ -s app.log ]; then
        local linea
        linea=$(grep -E -n -m 1 "$informe_sanitizadores" app.log | cut -d: -f1)
        if [ -n "$linea" ]; then
            echo "--- informe de los sanitizadores en la salida de vantra3d ---"
            tail -n "+$((linea > 1 ? linea - 1 : 1))" app.log | head -n 150
        else
            echo "--- últimas líneas de vantra3d ---"
            tail -n 20 app.log
        fi
    fi
    exit 1
}
# Una comprobación que no corta la prueba: se cuenta en $fallos y se sigue; la
# prueba informa todas al final.
fallos=0
falla() { echo "FALLA: $*"; fallos=$((fallos + 1)); }
vivo() { kill -0 "$app_pid" 2>/dev/null || fallar "vantra3d terminó de forma inesperada"; }
xdo() { timeout "$espera" xdotool "$@" >/dev/null 2>&1 || fallar "xdotool $* no respondió"; }

# Repite la orden "${@:2}" cada $1 segundos hasta que se cumpla, a lo sumo
# $espera segundos y mientras vantra3d siga vivo.
hasta() {
    local pausa=$1 fin=$((SECONDS + espera))
    shift
    until "$@"; do
        vivo
        [ "$SECONDS" -lt "$fin" ] || return 1
        sleep "$pausa"
    done
}

preparar() {
    exe=${1:?falta el ejecutable}
    ejemplos=${2:?falta la carpeta de ejemplos}
    trabajo=${3:?falta la carpeta de trabajo}
    case "$exe" in /*) ;; *) exe="$PWD/$exe" ;; esac
    case "$ejemplos" in /*) ;; *) ejemplos="$PWD/$ejemplos" ;; esac
    mkdir -p "$trabajo" && cd "$trabajo" || exit 1
    rm -f ./*.png ./*.log pantalla.txt
    trap terminar EXIT
    command -v Xvfb >/dev/null || saltar "Xvfb no está instalado (herramientas/dependencias.sh lo instala)"
    for h in xdotool import convert compare; do
        command -v "$h" >/dev/null || fallar "falta $h (herramientas/dependencias.sh lo instala)"
    done
    [ -x "$exe" ] || fallar "no existe el ejecutable $exe"
    titulo_programa=$("$exe" --version 2>version.log) && [ -n "$titulo_programa" ] ||
        fallar "vantra3d --version no dijo su nombre y versión: $(tail -n 5 version.log | tr '\n' ' ')"
}

# Xvfb elige una pantalla libre y escribe su número cuando está lista (a lo
# sumo $espera segundos). Sin repetición de teclas (-r): en una máquina cargada
# xdotool puede tardar en soltar una tecla y el servidor la repetiría.
iniciar_pantalla() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -r 3>pantalla.txt 2>xvfb.log &
    xvfb_pid=$!
    for _ in $(seq $((espera * 10))); do
        [ -s pantalla.txt ] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
        sleep 0.1
    done
    [ -s pantalla.txt ] || saltar "Xvfb no pudo arrancar: $(tail -n 3 xvfb.log | tr '\n' ' ')"
    export DISPLAY=":$(head -n 1 pantalla.txt)"
    echo "Pantalla virtual $DISPLAY"
}

# Arranca vantra3d sobre el modelo $1 (dibujo por software, sin placa de video)
# y espera su ventana, titulada "$titulo_programa — " y el nombre del archivo
# (a lo sumo $espera segundos); su salida queda en app.log. Las capturas de la
# orden "captura" quedan junto al modelo, en $carpeta_modelo.
# Al terminar, la biblioteca GLX descarga el controlador de Mesa antes del
# control de pérdidas de LeakSanitizer, y lo que el controlador reservó queda
# sin módulo al que atribuirlo ni suprimirlo: por eso sólo para este proceso se
# apaga el control de pérdidas (las del programa se controlan en las pruebas
# unitarias). Los errores de memoria y de comportamiento indefinido siguen
# abortando el programa y quedan en app.log.
arrancar() {
    [ -f "$1" ] || fallar "no existe el modelo $1"
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" LIBGL_ALWAYS_SOFTWARE=1 \
        "$exe" "$1" >app.log 2>&1 </dev/null &
    app_pid=$!
    carpeta_modelo=$(dirname "$1")
    titulo="$titulo_programa — $(basename "$1")"
    local patron
    patron=$(printf '%s' "$titulo" | sed 's/[].[^$*+?(){}|\\]/\\&/g')
    for _ in $(seq "$espera"); do
        vivo
        wid=$(LC_ALL=C.UTF-8 timeout 1 xdotool search --sync --onlyvisible --name "^${patron}\$" 2>/dev/null |
              head -n 1)
        [ -n "$wid" ] && return 0
    done
    fallar "no apareció la ventana \"$titulo\" en $espera s"
}

# Pulsa la tecla $1 (nombre de xdotool) con el foco en la ventana.
tecla() {
    xdo windowfocus "$wid"
    xdo key "$1"
}

# Escribe $1 en la línea de órdenes y la ejecuta con Return.
orden() {
    xdo windowfocus "$wid"
    xdo type --delay 15 "$1"
    xdo key Return
}

# Clic izquierdo en el punto ($1, $2) de la ventana. El panel atiende el clic al
# dibujar el cuadro siguiente: al volver, vantra3d ya lo atendió (sincronizar).
clic() {
    xdo mousemove --window "$wid" "$1" "$2" click 1
    sincronizar
}

# Espera a que vantra3d termine (a lo sumo $espera segundos) y deja su estado en $estado.
esperar_fin() {
    for _ in $(seq $((espera * 10))); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fallar "vantra3d no terminó en $espera s"
    wait "$app_pid"
    estado=$?
    app_pid=""
}

# Escape debe terminar vantra3d con estado 0.
salir_con_escape() {
    vivo
    tecla Escape
    esperar_fin
    [ "$estado" -eq 0 ] || fallar "Escape terminó con estado $estado"
}

# Con los sanitizadores, un error de memoria o de comportamiento indefinido queda en la salida.
sin_informes_de_sanitizadores() {
    grep -E -q "$informe_sanitizadores" app.log && fallar "los sanitizadores informaron errores"
    return 0
}

# ---- Capturas y sincronía ----

# Captura la ventana en el archivo $1 (a lo sumo $espera segundos).
capturar() { timeout "$espera" import -window "$wid" "$1" 2>>import.log; }

# Captura la ventana en $1 hasta que la orden "${@:2}" se cumpla (a lo sumo
# $espera segundos). La última captura queda en $1.
capturar_y() {
    local salida=$1
    shift
    capturar "$salida" && "$@"
}
esperar_captura() { hasta 0.2 capturar_y "$@"; }

# Nombre que vantra3d dará a la próxima captura: el primer captura-NNN.png que
# no existe junto al modelo.
proxima_captura() {
    local i nombre
    for ((i = 1; i <= 999; i++)); do
        printf -v nombre 'captura-%03d.png' "$i"
        [ -e "$carpeta_modelo/$nombre" ] || { echo "$nombre"; return 0; }
    done
    return 1
}

# ¿Está entero el PNG $1? Termina con el bloque IEND, lo último que se escribe.
png_entero() { [ "$(tail -c 12 "$1" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 0000000049454e44ae426082 ]; }

# Hace que vantra3d atienda todo lo enviado hasta ahora (teclas, ratón): escribe
# la orden "captura" y espera a que el archivo de la captura esté entero. Los
# sucesos de X llegan en orden y la captura se guarda al dibujar un cuadro
# posterior al Return de la orden, así que ese cuadro ya muestra todo lo
# anterior; sólo un clic en el panel puede atenderse recién en ese cuadro (por
# eso clic sincroniza por su cuenta). El archivo queda en $ultima_captura. La
# línea de órdenes debe estar vacía.
sincronizar() {
    local nombre
    nombre=$(proxima_captura) || fallar "ya hay 999 capturas junto al modelo"
    orden captura
    hasta 0.05 png_entero "$carpeta_modelo/$nombre" ||
        fallar "vantra3d no guardó $nombre en $espera s (¿atiende la orden captura?)"
    ultima_captura=$carpeta_modelo/$nombre
}

# Renglón de la respuesta en una ventana de 1000 x 800: la respuesta a
# "captura" se dibuja un cuadro después de la captura.
renglon_respuesta='rectangle 0,748 999,771'

# Píxeles distintos entre las imágenes $1 y $2 fuera del renglón de la respuesta.
distintos_salvo_respuesta() {
    convert "$1" "$2" -fill black -draw "$renglon_respuesta" -compose difference -composite \
        -separate -evaluate-sequence max -threshold 0 -format '%[fx:round(mean*w*h)]' info:
}
# ¿Es la imagen $1 igual a $ultima_captura fuera del renglón de la respuesta?
sin_respuesta() { convert "$1" -fill black -draw "$renglon_respuesta" -depth 8 rgb:-; }
igual_a_la_captura() { cmp -s <(sin_respuesta "$1") <(sin_respuesta "$ultima_captura"); }

# Captura en $1 la ventana cuando ya muestra todo lo enviado hasta ahora:
# sincroniza y espera a que la ventana sea igual a la captura de vantra3d salvo
# el renglón de la respuesta.
ver() {
    sincronizar
    esperar_captura "$1" igual_a_la_captura "$1" ||
        fallar "la ventana no llegó a mostrar el cuadro de $(basename "$ultima_captura") ($1)"
}

# Los registros de la viga de las pruebas de diagramas y de lectura: 4 m de
# (1,0,2) a (5,0,2), simplemente apoyada (y local = +Z, z local = -Y), con una
# sección genérica de acero; cada prueba le agrega sus cargas.
viga_simple() {
    printf '%s\n' "nudos: 1 1 0 2  2 5 0 2   barras: 1 1 2" "apoyo: 1 1 1 1 0 0  1     apoyo: 0 1 1 0 0 0  2" \
        "seccionGenerica: G  0.01 2e-4 3e-4 1e-5  2e8 0.3 0  1"
}

# Pantalla virtual y vantra3d con el ejemplo $1, copiado a la carpeta de
# trabajo, sin las capturas de una corrida anterior (ver abrir).
abrir_ejemplo() {
    cp "$ejemplos/$1" . && rm -f captura-*.png
    abrir "$PWD/$1"
}

# Gris de las barras.
gris="rgb(128,128,128)"

# Pantalla virtual y vantra3d con el modelo $1, con el puntero dentro de la
# ventana: sin gestor de ventanas el teclado va a la ventana bajo el puntero.
abrir() {
    iniciar_pantalla
    arrancar "$1"
    xdo mousemove --window "$wid" 500 780
}

# ---- Colores ----

# Píxeles de la imagen $1 (o de su rectángulo WxH+X+Y $6) a lo sumo a $5 de
# (r, g, b) = ($2, $3, $4) en cada canal, contados en su histograma. Las
# pruebas del informe impreso también la usan.
pixeles_de_color() {
    local recorte=()
    [ -n "${6:-}" ] && recorte=(-crop "$6" +repage)
    convert "$1" "${recorte[@]}" -depth 8 -format %c histogram:info:- |
        sed -n 's/^ *\([0-9]*\): *(\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1 \2 \3 \4/p' |
        awk -v r="$2" -v g="$3" -v b="$4" -v t="$5" '
            function abs(x) { return x < 0 ? -x : x }
            abs($2 - r) <= t && abs($3 - g) <= t && abs($4 - b) <= t { n += $1 }
            END { print n + 0 }'
}

# Píxeles del color $6 en el rectángulo X0 Y0 X1 Y1 ($2 a $5) de la imagen $1,
# con una tolerancia por canal de $tolerancia_color (2 % si no se dice).
contar() {
    convert "$1" -crop "$(($4 - $2 + 1))x$(($5 - $3 + 1))+$2+$3" +repage -fuzz "${tolerancia_color:-2%}" \
        -fill black +opaque "$6" -fill white -opaque "$6" -format '%[fx:round(mean*w*h)]' info:
}

# Color "r g b" (0 a 255) del píxel ($2, $3) de la imagen $1.
color_en() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# ¿Está cada canal del color "r g b" $1 a lo sumo a $3 del de "r g b" $2?
color_cercano() {
    local a b i
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    [ "${#a[@]}" -eq 3 ] || return 1
    for i in 0 1 2; do
        [ $((a[i] - b[i])) -le "$3" ] && [ $((b[i] - a[i])) -le "$3" ] || return 1
    done
}
