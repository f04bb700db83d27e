#!/usr/bin/env bash
# Compila Vantra 3D y corre todas las pruebas (unitarias, de validación y de
# ventana real bajo Xvfb). Con VANTRA_SANITIZE=ON compila con ASan y UBSan en
# un directorio aparte.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/herramientas/dependencias.sh"
san=${VANTRA_SANITIZE:-OFF}
dir="$raiz/build"
[ "$san" = "ON" ] && dir="$raiz/build-san"
cmake -S "$raiz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRA_SANITIZE="$san" >/dev/null
cmake --build "$dir" -j2
cd "$dir"
ctest --output-on-failure -j2 --timeout 600
