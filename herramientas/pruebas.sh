#!/usr/bin/env bash
# Compila Vantra 3D y corre todas las pruebas (unitarias, de validación y de
# ventana real bajo Xvfb). Con VANTRA_SANITIZE=ON compila con ASan y UBSan en
# un directorio aparte. Con VANTRA_WERROR=ON (lo que hace .ci/run) las
# advertencias del compilador son errores.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/herramientas/dependencias.sh"
san=${VANTRA_SANITIZE:-OFF}
dir="$raiz/build"
[ "$san" = "ON" ] && dir="$raiz/build-san"
cmake -S "$raiz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRA_SANITIZE="$san" \
  -DVANTRA_WERROR="${VANTRA_WERROR:-OFF}" >/dev/null
cmake --build "$dir" -j2
cd "$dir"
ctest --output-on-failure -j2 --timeout 600
