#!/usr/bin/env bash
# El informe de cálculo en un navegador de verdad: Chromium sin ventana imprime
# informe.html de cada modelo de ejemplo y de un edificio generado a PDF en A4;
# pdftotext debe encontrar en el PDF los capítulos que corresponden al modelo
# (título, modelo, cargas, una combinación por cada una que imprime el modo por
# lotes, las envolventes, pandeo y modos si los pide, un caso sísmico por cada
# sismo) y tantos pies de figura como figuras tiene el HTML; en las páginas
# hechas imagen (pdftoppm), sobre cada pie de figura debe haber trazos del
# color de su dibujo (barras, deformada, diagrama, forma modal o de pandeo,
# derivas de piso). En
# el edificio, los encabezados de la tabla de reacciones se repiten en cada
# página que ocupa.
#   bash informe.sh <ejecutable vantra3d> <vantra3d-bench> <carpeta de ejemplos> <carpeta de trabajo> [K/N]
# Con K/N revisa sólo la parte K de N (los ejemplos K, K+N, K+2N, ... en orden
# alfabético, y el edificio generado en la última parte): así la prueba se
# reparte en varias que corren a la vez y cada una termina a tiempo en una
# máquina ocupada. Sale con 0 si todo está bien, 1 si algo falla y 77
# (saltada) sólo si Chromium no puede arrancar.
set -u
exe=${1:?falta el ejecutable} banco=${2:?falta vantra3d-bench} ejemplos=${3:?falta la carpeta de ejemplos}
trabajo=${4:?falta la carpeta de trabajo} parte=${5:-1/1}
parteK=${parte%/*} partes=${parte#*/}
aqui=$(cd "$(dirname "$0")" && pwd)
# El recuento de colores de las capturas de las pruebas de ventana.
source "$aqui/../pantalla/lib/comun.sh"
fallar() { echo "FALLO: $*"; exit 1; }
absoluto() { case "$1" in /*) echo "$1" ;; *) echo "$PWD/$1" ;; esac; }
exe=$(absoluto "$exe") banco=$(absoluto "$banco") ejemplos=$(absoluto "$ejemplos") trabajo=$(absoluto "$trabajo")
for programa in pdftotext pdftoppm pdfinfo convert; do
    command -v "$programa" >/dev/null || fallar "falta $programa (bash herramientas/dependencias.sh lo instala)"
done
navegador=$(command -v chromium || command -v chromium-browser) ||
    { echo "PRUEBA SALTADA: no está chromium (bash herramientas/dependencias.sh lo instala)"; exit 77; }
rm -rf "$trabajo" && mkdir -p "$trabajo" && cd "$trabajo" || exit 1

# imprimir HTML PDF: un perfil nuevo y vacío cada vez; sin conexiones de fondo
# (la red de la máquina puede estar cerrada) ni encabezados de página del navegador.
imprimir() {
    local perfil
    perfil=$(mktemp -d "$trabajo/perfil.XXXXXX")
    timeout 240 "$navegador" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync --no-pdf-header-footer \
        --user-data-dir="$perfil" --print-to-pdf="$2" "file://$1" >"$2.log" 2>&1
    local estado=$?
    rm -rf "$perfil"
    [ $estado -eq 0 ] && [ -s "$2" ]
}

printf '<!DOCTYPE html><html><body><p>prueba</p></body></html>\n' >arranque.html
if ! imprimir "$PWD/arranque.html" arranque.pdf; then
    tail -n 5 arranque.pdf.log
    echo "PRUEBA SALTADA: Chromium no puede arrancar"
    exit 77
fi


# comprobarEntrada MODELO TEXTO: las tablas de nudos y de barras del informe son
# las del modelo (los mismos números que dan los CSV del modo por lotes, que
# nombran cada nudo y cada barra) y el PDF las imprime: cada nudo en un renglón
# que empieza con su número y sus coordenadas, cada barra con su número y sus
# dos nudos. Se corre en la carpeta del modelo, tras imprimir el informe.
comprobarEntrada() {
    local modelo=$1 texto=$2 tabla clave csv faltan
    "$exe" --calcular "$modelo" --csv csvEntrada >/dev/null 2>&1
    for tabla in Nudos Barras; do
        # Las primeras celdas de cada fila: número y coordenadas, o número y nudos.
        [ "$tabla" = Nudos ] && clave=4 || clave=3
        sed -n "/<h3>$tabla<\/h3>/,/<\/tbody>/p" informe/informe.html | grep '^<tr>' |
            sed 's/<\/td><td[^>]*>/ /g; s/<[^>]*>//g' | awk -v n=$clave '{ s = $1; for (i = 2; i <= n; i++) s = s " " $i; print s }' \
            >"entrada$tabla.txt"
        [ -s "entrada$tabla.txt" ] || fallar "$nombre: el informe no tiene la tabla de $tabla"
        [ "$tabla" = Nudos ] && csv=csvEntrada/desplazamientos.csv || csv=csvEntrada/fuerzasExtremos.csv
        if [ -s "$csv" ]; then
            cmp -s <(cut -d' ' -f1 "entrada$tabla.txt" | sort -n) <(tail -n +2 "$csv" | cut -d, -f2 | sort -nu) ||
                fallar "$nombre: la tabla de $tabla del informe no tiene los números que dan los CSV"
        fi
        faltan=$(awk 'NR == FNR { buscado[$0] = 1; next }
            NF >= 3 { delete buscado[$1 " " $2 " " $3]; delete buscado[$1 " " $2 " " $3 " " $4] }
            END { for (b in buscado) print b }' "entrada$tabla.txt" <(printf '%s\n' "$texto") | head -n 3 | tr '\n' ';')
        [ -z "$faltan" ] || fallar "$nombre: el PDF no tiene estas filas de la tabla de $tabla: $faltan"
    done
}

# comprobar MODELO NOMBRE: calcula, imprime y revisa el PDF.
comprobar() {
    local modelo=$1 nombre=$2 pdf texto figuras pies
    mkdir -p "$nombre" && cd "$nombre" || exit 1
    "$exe" --calcular "$modelo" --informe informe >consola.txt 2>&1
    [ -s informe/informe.html ] || fallar "$nombre: no se escribió informe/informe.html"
    pdf="$PWD/informe.pdf"
    imprimir "$PWD/informe/informe.html" "$pdf" || { tail -n 5 "$pdf.log"; fallar "$nombre: Chromium no imprimió"; }
    pdfinfo "$pdf" | grep -Eq '^Page size: +59[45](\.[0-9]+)? x 84[12](\.[0-9]+)? pts \(A4\)' ||
        fallar "$nombre: el PDF no es A4: $(pdfinfo "$pdf" | grep 'Page size')"
    texto=$(pdftotext -layout "$pdf" - | tr -d '\f' | tr -s ' ')
    local capitulos=("Informe de cálculo" "Modelo" "Cargas")
    # Una combinación con sismo da el equilibrio de su parte estática.
    while read -r combo; do capitulos+=("Combinación $combo"); done \
        < <(sed -n 's/^Equilibrio del combo \(.*\): error relativo .*/\1/p' consola.txt | sed 's/ (parte estática)$//')
    while read -r envolvente; do capitulos+=("Envolvente $envolvente"); done \
        < <(sed -n 's/^envolvente: *\([^ ]*\).*/\1/p' "$modelo")
    grep -q '^pandeo:' "$modelo" && capitulos+=("Pandeo")
    grep -q '^modos:' "$modelo" && capitulos+=("Modos de vibración")
    while read -r sismo; do capitulos+=("Caso sísmico $sismo"); done < <(sed -n 's/^sismo: *\([^ ]*\).*/\1/p' "$modelo")
    [ ${#capitulos[@]} -gt 3 ] || fallar "$nombre: el modo por lotes no imprimió combinaciones"
    for c in "${capitulos[@]}"; do
        grep -qx " *$c *" <<<"$texto" || fallar "$nombre: el PDF no tiene el capítulo \"$c\""
    done

    # Cada figura del HTML tiene su pie en el PDF, y sobre él, su dibujo.
    figuras=$(grep -c '<figure>' informe/informe.html)
    [ "$figuras" -ge 4 ] || fallar "$nombre: el informe tiene $figuras figuras"
    local ppp=100
    # Página, altura del pie en puntos y primera palabra de la descripción.
    pdftotext -bbox "$pdf" - | awk '
        /<page / { p++ }
        /<word / { w = $0; sub(/.*">/, "", w); sub(/<\/word>.*/, "", w)
                   y = $0; sub(/.*yMin="/, "", y); sub(/".*/, "", y)
                   if (tercera) { print p, ymin, w; tercera = 0 }
                   if (segunda && w ~ /^[0-9]+\.$/) tercera = 1
                   segunda = (w == "Figura"); if (segunda) ymin = y }' >pies.txt
    pies=$(wc -l <pies.txt)
    [ "$pies" -eq "$figuras" ] || fallar "$nombre: $figuras figuras en el HTML y $pies pies en el PDF"
    local paginas pagina y palabra color n y0 alto imagen anterior=0 arriba=0
    paginas=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    # Sólo las páginas con figuras se hacen imagen.
    for pagina in $(cut -d' ' -f1 pies.txt | sort -un); do
        pdftoppm -r $ppp -png -f "$pagina" -l "$pagina" "$pdf" pagina
    done
    while read -r pagina y palabra; do
        # El área de la figura: del pie anterior en la misma página (o del
        # borde de la página) a este pie.
        [ "$pagina" = "$anterior" ] || arriba=0
        anterior=$pagina
        case "$palabra" in
            Modelo) color="59 90 140" ;;
            Deformada) color="10 143 156" ;;
            Diagrama | N | Vy | Vz | T | My | Mz) color="192 57 43" ;;
            Forma) color="123 63 160" ;;
            Derivas) color="31 111 180" ;;
            Cargas) color="211 84 0" ;;
            Espectro) color="22 160 133" ;;
            *) fallar "$nombre: figura desconocida \"$palabra\" en la página $pagina" ;;
        esac
        imagen=$(printf "pagina-%0${#paginas}d.png" "$pagina")
        y0=$(awk -v y="$arriba" -v r=$ppp 'BEGIN { printf "%d", y * r / 72 }')
        alto=$(awk -v y="$y" -v a="$arriba" -v r=$ppp 'BEGIN { printf "%d", (y - a) * r / 72 }')
        arriba=$y
        n=$(pixeles_de_color "$imagen" $color 60 "10000x$alto+0+$y0")
        [ "$n" -ge 150 ] || fallar "$nombre: la figura \"$palabra\" de la página $pagina tiene $n píxeles de su color"
    done <pies.txt
    # Cada página lleva su número y el total en el margen, y la primera el índice.
    local faltan
    faltan=$(pdftotext "$pdf" - | awk -v total="$paginas" 'BEGIN { RS = "\f" }
        NR <= total && index($0, "Página " NR " de " total) == 0 { print NR }' | head -n 5 | tr '\n' ' ')
    [ -z "$faltan" ] || fallar "$nombre: sin \"Página N de $paginas\" en las páginas $faltan"
    pdftotext -f 1 -l 1 "$pdf" - | grep -qx 'Contenido' || fallar "$nombre: la primera página no tiene el índice"
    comprobarEntrada "$modelo" "$texto"
    echo "OK: $nombre: $paginas páginas numeradas, ${#capitulos[@]} capítulos, $figuras figuras dibujadas"
    cd .. || exit 1
}

# comprobarDibujos NOMBRE: el informe ya escrito por comprobar, armado por
# Chromium con medidas.js al final: (a) ningún texto de un dibujo SVG tapa a
# otro (las cajas getBBox de sus <text>); (b) ninguna tabla ni dibujo pasa el
# borde derecho del cuerpo, que tiene el ancho de la página impresa (al
# imprimir, lo que lo pasa se corta); (c) cada entrada del índice lleva al
# capítulo de su mismo título, en el orden de los capítulos.
comprobarDibujos() {
    local nombre=$1 perfil solapes anchos
    cd "$nombre" || exit 1
    awk -v js="$aqui/medidas.js" '/<\/body>/ { print "<script>"; while ((getline l <js) > 0) print l; print "</script>" }
        { print }' informe/informe.html >medida.html
    perfil=$(mktemp -d "$trabajo/perfil.XXXXXX")
    timeout 240 "$navegador" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync --window-size=1000,800 \
        --user-data-dir="$perfil" --dump-dom "file://$PWD/medida.html" 2>medida.log |
        sed -n 's#.*<pre id="medidas">\(solapes [0-9]* anchos [0-9][^<]*\)</pre>.*#\1#p' >medidas.txt
    rm -rf "$perfil"
    read -r _ solapes _ anchos _ indice _ <medidas.txt || fallar "$nombre: Chromium no midió el informe"
    [ "$solapes" -eq 0 ] || fallar "$nombre: textos que se tapan en los dibujos: $(cat medidas.txt)"
    [ "$anchos" -eq 0 ] || fallar "$nombre: tablas o dibujos más anchos que la página: $(cat medidas.txt)"
    [ "$indice" -eq 0 ] || fallar "$nombre: el índice no es la lista de los capítulos: $(cat medidas.txt)"
    echo "OK: $nombre: ningún texto de los dibujos tapa a otro, nada es más ancho que la página y el índice nombra cada capítulo"
    cd .. || exit 1
}

i=0
for modelo in "$ejemplos"/*.txt; do
    i=$((i + 1))
    [ $(((i - 1) % partes + 1)) -eq "$parteK" ] || continue
    comprobar "$modelo" "$(basename "$modelo" .txt)"
    comprobarDibujos "$(basename "$modelo" .txt)"
done
[ "$parteK" -eq "$partes" ] || exit 0

# Un edificio generado con modos, de 100 apoyos: la tabla de reacciones de
# cada combinación ocupa más de una página y lleva sus encabezados en cada una.
{ "$banco" --generar 9 9 3 && echo "modos: 3"; } >generado.txt || fallar "vantra3d-bench no generó el edificio"
comprobar "$PWD/generado.txt" generado
comprobarDibujos generado
encabezados=$(pdftotext -layout generado/informe.pdf - | tr -d '\f' | tr -s ' ' | grep -c '^ *Nudo Rx Ry Rz Mx My Mz *$')
filas=$(grep -c '^nudo ' generado/consola.txt)
combos=$(grep -c '^Equilibrio del combo ' generado/consola.txt)
[ "$filas" -eq $((100 * combos)) ] || fallar "el edificio generado tiene $filas reacciones en $combos combinaciones"
[ "$encabezados" -ge $((2 * combos)) ] ||
    fallar "los encabezados de las reacciones no se repiten en cada página ($encabezados para $combos combinaciones)"
echo "OK: generado: $encabezados encabezados de reacciones para $combos combinaciones"
