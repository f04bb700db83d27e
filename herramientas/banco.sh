#!/usr/bin/env bash
# Corre el banco de rendimiento sobre los edificios de referencia
# (10 x 10 x 10 y 20 x 20 x 20), cinco veces cada uno, y después mide el
# tiempo de cuadro del visor bajo Xvfb (10 x 10 x 10 y 20 x 20 x 10) con la
# biblioteca de precarga que cronometra la función de dibujo. No es parte de CI.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/herramientas/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$raiz/build" -j2 --target vantra3d-bench vantra3d vantra_tiempo_cuadro
for tam in "10 10 10" "20 20 20"; do
  echo "== edificio $tam"
  for i in 1 2 3 4 5; do
    "$raiz/build/vantra3d-bench" $tam | tr '\n' ' '
    echo
  done
done
echo "== tiempo de cuadro del visor (mediana al orbitar; Calcular: hasta el primer cuadro con resultados)"
bash "$raiz/rendimiento/medirCuadros.sh" "$raiz/build/vantra3d" "$raiz/build/libvantra_tiempo_cuadro.so" \
  "$raiz/build/vantra3d-bench" "$raiz/build/cuadros"
