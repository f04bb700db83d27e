# Funciones comunes de las pruebas de ventana real: pantalla virtual (Xvfb),
# arranque de vantra3d, búsqueda de la ventana, teclado y ratón con xdotool y
# lectura de colores en capturas. Se incluye con `source`.
#   preparar "$@"      toma <ejecutable> <carpeta de ejemplos> <carpeta de trabajo>
# Las pruebas salen con 0 si todo está bien, 1 si algo falla y 77 (saltada)
# sólo cuando la pantalla virtual no puede arrancar.

titulo='Vantra 3D v6.0'
xvfb_pid="" app_pid="" wid=""

terminar() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
saltar() { echo "PRUEBA SALTADA: $*"; exit 77; }
fallar() {
    echo "FALLO: $*"
    [ -s app.log ] && { echo "--- últimas líneas de vantra3d ---"; tail -n 20 app.log; }
    exit 1
}
vivo() { kill -0 "$app_pid" 2>/dev/null || fallar "vantra3d terminó de forma inesperada"; }
xdo() { timeout 10 xdotool "$@" >/dev/null 2>&1 || fallar "xdotool $* no respondió"; }

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
}

# Xvfb elige una pantalla libre y escribe su número cuando está lista.
iniciar_pantalla() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>pantalla.txt 2>xvfb.log &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s pantalla.txt ] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
        sleep 0.1
    done
    [ -s pantalla.txt ] || saltar "Xvfb no pudo arrancar: $(tail -n 3 xvfb.log | tr '\n' ' ')"
    export DISPLAY=":$(head -n 1 pantalla.txt)"
    echo "Pantalla virtual $DISPLAY"
}

# Arranca vantra3d sobre el modelo $1 (dibujo por software, sin placa de video)
# y espera su ventana (a lo sumo 60 s).
arrancar() {
    LIBGL_ALWAYS_SOFTWARE=1 "$exe" "$1" >app.log 2>&1 </dev/null &
    app_pid=$!
    for _ in $(seq 60); do
        vivo
        wid=$(timeout 1 xdotool search --sync --onlyvisible --name "^${titulo}\$" 2>/dev/null | head -n 1)
        [ -n "$wid" ] && return 0
    done
    fallar "no apareció la ventana \"$titulo\" en 60 s"
}

# Escribe $1 en la línea de órdenes y la ejecuta con Return.
orden() {
    xdo windowfocus "$wid"
    xdo type --delay 15 "$1"
    xdo key Return
}

# Espera a que vantra3d termine (a lo sumo $1 segundos) y deja su estado en $estado.
esperar_fin() {
    for _ in $(seq $(($1 * 10))); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fallar "vantra3d no terminó en $1 s"
    wait "$app_pid"
    estado=$?
    app_pid=""
}

# Con los sanitizadores, un error de memoria o de comportamiento indefinido queda en la salida.
sin_informes_de_sanitizadores() {
    grep -E -q 'runtime error|AddressSanitizer|LeakSanitizer' app.log && fallar "los sanitizadores informaron errores"
    return 0
}
