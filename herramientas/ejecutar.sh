#!/usr/bin/env bash
# Compila Vantra 3D y lo abre sobre un modelo (por defecto ejemplos/ingresoDatos.txt).
#   bash herramientas/ejecutar.sh [archivo]
#   bash herramientas/ejecutar.sh --calcular [archivo]   (sin ventana)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/herramientas/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$raiz/build" -j2 --target vantra3d
if [ $# -eq 0 ]; then set -- "$raiz/ejemplos/ingresoDatos.txt"; fi
exec "$raiz/build/vantra3d" "$@"
