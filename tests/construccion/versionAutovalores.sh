#!/usr/bin/env bash
# La configuración rechaza una Spectra anterior a 1.0 con un mensaje que dice
# la versión encontrada y la que hace falta, y acepta una 1.0 o posterior.
# Cada caso configura el proyecto (sin visor ni pruebas) contra una carpeta de
# cabeceras falsa.
#   bash versionAutovalores.sh <cmake> <generador> <compilador C++> <fuentes> <carpeta de trabajo>
set -u
cmake=${1:?falta cmake} generador=${2:?falta el generador} compilador=${3:?falta el compilador}
fuentes=${4:?falta la carpeta de fuentes} trabajo=${5:?falta la carpeta de trabajo}
fallar() { echo "FALLO: $*"; exit 1; }
rm -rf "$trabajo" && mkdir -p "$trabajo" && cd "$trabajo" || exit 1

# spectra_falsa NOMBRE [MAYOR MENOR PARCHE]: cabeceras con esa versión (sin
# Version.h si no se da ninguna).
spectra_falsa() {
    mkdir -p "$1/Spectra/Util"
    : >"$1/Spectra/SymEigsSolver.h"
    if [ $# -eq 4 ]; then
        printf '#define SPECTRA_MAJOR_VERSION %s\n#define SPECTRA_MINOR_VERSION %s\n#define SPECTRA_PATCH_VERSION %s\n' \
            "$2" "$3" "$4" >"$1/Spectra/Util/Version.h"
    fi
}
# configurar NOMBRE: configura contra la Spectra NOMBRE; la salida queda en NOMBRE.log.
configurar() {
    "$cmake" -S "$fuentes" -B "$trabajo/$1-build" -G "$generador" -DCMAKE_CXX_COMPILER="$compilador" \
        -DSPECTRA_INCLUDE_DIR="$trabajo/$1" -DVANTRA_VISOR=OFF -DBUILD_TESTING=OFF >"$1.log" 2>&1
}
# rechazada NOMBRE TEXTO...: la configuración falla y su mensaje contiene cada TEXTO.
rechazada() {
    local nombre=$1 texto
    shift
    configurar "$nombre" && fallar "se aceptó la Spectra $nombre"
    for texto in "$@"; do
        tr -s ' \n' ' ' <"$nombre.log" | grep -qF -- "$texto" ||
            { cat "$nombre.log"; fallar "el mensaje para la Spectra $nombre no dice \"$texto\""; }
    done
}

spectra_falsa vieja 0 9 0
rechazada vieja "Se encontró Spectra 0.9.0 en $trabajo/vieja" "necesita Spectra 1.0 o posterior"
spectra_falsa sin_version
rechazada sin_version "Spectra en $trabajo/sin_version no tiene Spectra/Util/Version.h" \
    "necesita Spectra 1.0 o posterior"
spectra_falsa nueva 1 2 0
configurar nueva || { cat nueva.log; fallar "se rechazó la Spectra 1.2.0"; }
grep -qF "Spectra 1.2.0 en $trabajo/nueva" nueva.log || fallar "la configuración no informa Spectra 1.2.0"
echo "OK"
