#!/usr/bin/env bash
# Compila el objetivo de libFuzzer (clang, -fsanitize=fuzzer,address,undefined)
# y lo corre sobre el corpus.
#   bash herramientas/fuzz.sh SEGUNDOS   busca fallas durante ese tiempo
#   bash herramientas/fuzz.sh 0          sólo repasa el corpus (lo que corre CI)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
segundos=${1:-60}
# libclang-rt-dev trae libFuzzer y los sanitizadores de la versión de clang de la distribución.
bash "$raiz/herramientas/dependencias.sh" clang libclang-rt-dev
dir="$raiz/build-fuzz"
CC=clang CXX=clang++ cmake -S "$raiz" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTRA_FUZZ=ON -DVANTRA_VISOR=OFF >/dev/null
cmake --build "$dir" -j2 --target fuzz_modelo
# Semillas: los ejemplos, los modelos de las pruebas y los casos que el fuzzer ya encontró.
semillas="$dir/semillas"
rm -rf "$semillas" && mkdir -p "$semillas" "$raiz/fuzz/corpus"
cp "$raiz"/ejemplos/*.txt "$semillas"/
find "$raiz/tests/datos" -type f -exec cp {} "$semillas"/ \;
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ "$segundos" = "0" ]; then
  "$dir/fuzz/fuzz_modelo" -runs=0 -rss_limit_mb=4096 "$raiz/fuzz/corpus" "$semillas"
else
  "$dir/fuzz/fuzz_modelo" -max_total_time="$segundos" -max_len=4096 -timeout=20 -rss_limit_mb=4096 \
    -dict="$raiz/fuzz/etiquetas.dict" -artifact_prefix="$dir/" "$raiz/fuzz/corpus" "$semillas"
fi
