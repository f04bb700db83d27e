#!/usr/bin/env bash
# Instalación con "cmake --install" en un prefijo temporal: el programa queda en
# bin/, los modelos de ejemplo en la carpeta de datos, la ayuda del programa
# instalado nombra esa carpeta (y la sigue aunque el prefijo se mueva), el resto
# de la ayuda es igual a la del programa compilado y el programa instalado
# analiza un ejemplo instalado.
#   bash instalacion.sh <cmake> <carpeta de compilación> <carpeta de ejemplos>
#                       <ejemplos relativos al prefijo> <carpeta de trabajo>
set -u
cmake=${1:?falta cmake} compilacion=${2:?falta la carpeta de compilación} ejemplos=${3:?falta la carpeta de ejemplos}
relativa=${4:?falta la carpeta de ejemplos instalada} trabajo=${5:?falta la carpeta de trabajo}
fallar() { echo "FALLO: $*"; exit 1; }
case "$relativa" in /*) echo "PRUEBA SALTADA: la carpeta de datos es absoluta ($relativa)"; exit 77 ;; esac

rm -rf "$trabajo" && mkdir -p "$trabajo" && cd "$trabajo" || exit 1
prefijo="$trabajo/prefijo"
"$cmake" --install "$compilacion" --prefix "$prefijo" >instalacion.log 2>&1 ||
    { cat instalacion.log; fallar "cmake --install terminó con error"; }
[ -x "$prefijo/bin/vantra3d" ] || fallar "no se instaló $prefijo/bin/vantra3d"
instalados="$prefijo/$relativa"
n=0
for modelo in "$ejemplos"/*.txt; do
    cmp -s "$modelo" "$instalados/$(basename "$modelo")" || fallar "no se instaló $(basename "$modelo") en $instalados"
    n=$((n + 1))
done
[ "$n" -gt 0 ] || fallar "no hay modelos en $ejemplos"

version=$("$compilacion/vantra3d" --version) || fallar "vantra3d --version terminó con error"
[ "$("$prefijo/bin/vantra3d" --version)" = "$version" ] || fallar "--version instalado no dice \"$version\""

# La ayuda compilada nombra la carpeta de las fuentes; la instalada, la suya y
# nada más cambia.
ayuda=$("$compilacion/vantra3d" --help) || fallar "vantra3d --help terminó con error"
[[ "$ayuda" == *"Modelos de ejemplo: $ejemplos ("* ]] || fallar "la ayuda compilada no nombra $ejemplos"
comprobar_ayuda() {
    local exe=$1 carpeta=$2 instalada
    instalada=$("$exe" --help) || fallar "$exe --help terminó con error"
    [[ "$instalada" == *"Modelos de ejemplo: $carpeta ("* ]] ||
        fallar "la ayuda de $exe no nombra $carpeta:"$'\n'"$instalada"
    [ "$instalada" = "${ayuda/"$ejemplos"/"$carpeta"}" ] ||
        fallar "la ayuda de $exe difiere de la compilada en algo más que la carpeta de ejemplos"
}
comprobar_ayuda "$prefijo/bin/vantra3d" "$instalados"
mv "$prefijo" "$trabajo/movido"
comprobar_ayuda "$trabajo/movido/bin/vantra3d" "$trabajo/movido/$relativa"

mkdir calculo && cd calculo || exit 1
"$trabajo/movido/bin/vantra3d" --calcular "$trabajo/movido/$relativa/portico_plano.txt" >calculo.log 2>&1 ||
    { tail -n 20 calculo.log; fallar "el programa instalado no analizó portico_plano.txt"; }
grep -q "^Equilibrio del combo " calculo.log || fallar "el análisis no imprimió el equilibrio"
[ -s resultados.txt ] || fallar "el análisis no escribió resultados.txt"
echo "OK: instalado en $prefijo y movido a $trabajo/movido"
