#!/usr/bin/env bash
# Corre el banco de rendimiento sobre los edificios de referencia
# (10 x 10 x 10 y 20 x 20 x 20), cinco veces cada uno.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/herramientas/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$raiz/build" -j2 --target vantra3d-bench
for tam in "10 10 10" "20 20 20"; do
  echo "== edificio $tam"
  for i in 1 2 3 4 5; do
    "$raiz/build/vantra3d-bench" $tam | tr '\n' ' '
    echo
  done
done
