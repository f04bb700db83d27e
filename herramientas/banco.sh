#!/usr/bin/env bash
# Corre el banco de rendimiento sobre los edificios de referencia
# (10 x 10 x 10 y 20 x 20 x 20): tres veces vantra3d-bench (etapas por
# separado) y luego el ejecutable real "vantra3d --calcular" de punta a punta,
# sin y con --csv, con su tiempo de reloj, su memoria máxima y el tamaño de
# resultados.txt. Después, el análisis modal (10 modos) del edificio mayor,
# el mismo edificio con dos sismos y una envolvente, el edificio con el otro
# núcleo ocupado por un proceso que gira (los hilos BLAS elegidos contra un
# solo hilo) y el tiempo de cuadro del visor bajo
# Xvfb (10 x 10 x 10 y 20 x 20 x 10) con la biblioteca de precarga que
# cronometra la función de dibujo. No es parte de CI.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/herramientas/dependencias.sh" time
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$raiz/build" -j2 --target vantra3d-bench vantra3d vantra_tiempo_cuadro
trabajo=$(mktemp -d /tmp/vantra3d_bancoXXXXXX)
trap 'rm -rf "$trabajo"' EXIT
for tam in "10 10 10" "20 20 20"; do
  echo "== edificio $tam"
  for i in 1 2 3; do
    "$raiz/build/vantra3d-bench" $tam | tr '\n' ' '
    echo
  done
  "$raiz/build/vantra3d-bench" --generar $tam > "$trabajo/edificio.txt"
  for opcion in "" "--csv csv"; do
    (cd "$trabajo" && rm -rf resultados.txt csv &&
      /usr/bin/time -f "vantra3d --calcular $opcion: %e s, %M KB" "$raiz/build/vantra3d" --calcular edificio.txt $opcion >/dev/null &&
      echo "  resultados.txt: $(du -m resultados.txt | cut -f1) MB${opcion:+, CSV: $(du -sm csv | cut -f1) MB}")
  done
done
echo "== análisis modal: los 10 modos más bajos del edificio de 20 x 20 x 20"
for i in 1 2 3; do
  "$raiz/build/vantra3d-bench" 20 20 20 10 | grep -E "^(total|modal|memoria):" | tr '\n' ' '
  echo
done
echo "== diafragmas: el edificio de 20 x 20 x 20 sin y con un diafragma rígido por piso"
for i in 1 2 3; do
  for opcion in "" "--diafragmas"; do
    echo -n "${opcion:-sin diafragmas}: "
    "$raiz/build/vantra3d-bench" $opcion 20 20 20 | grep -E "^(factorizacion|total|memoria):" | tr '\n' ' '
    echo
  done
done
echo "== análisis sísmico: 12 modos, dos sismos, dos combinaciones con ellos y la envolvente de todas (20 x 20 x 20)"
for i in 1 2 3; do
  "$raiz/build/vantra3d-bench" 20 20 20 12 sismo | grep -E "^(total|modal|sismos y envolventes|memoria):" | tr '\n' ' '
  echo
done
echo "== el edificio de 20 x 20 x 20 con el otro núcleo ocupado (un proceso que gira)"
echo "   (los hilos BLAS se eligen solos; con OPENBLAS_NUM_THREADS=1, un solo hilo, la referencia)"
yes >/dev/null &
ocupado=$!
for i in 1 2 3; do
  echo "  elegidos: $("$raiz/build/vantra3d-bench" 20 20 20 | grep -E "^(factorizacion|hilos BLAS|total):" | tr '\n' ' ')"
  echo "  un hilo:  $(OPENBLAS_NUM_THREADS=1 "$raiz/build/vantra3d-bench" 20 20 20 | grep -E "^(factorizacion|total):" | tr '\n' ' ')"
done
kill "$ocupado"
echo "== tiempo de cuadro del visor (mediana al orbitar; Calcular: hasta el primer cuadro con resultados)"
bash "$raiz/rendimiento/medirCuadros.sh" "$raiz/build/vantra3d" "$raiz/build/libvantra_tiempo_cuadro.so" \
  "$raiz/build/vantra3d-bench" "$raiz/build/cuadros"
